#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QVector>
#include <QWidget>

#include <functional>

class QScrollArea;

// The content of a scroll area holding a long list of row widgets, of which only those in view
// (and a screen's worth around them) exist. Each row has a key that stands for what it shows:
// when the rows are set again, a built row whose key is still listed is kept as it is, so a
// change costs what the changed rows cost. Rows are as tall as their layout asks at the list's
// width; a row not built yet counts as tall as the last measured row of its shape, and the list
// keeps the row at the top of the view in place when a measured height differs from that. Rows
// carry colours of the theme they were built under: a change of the application's style sheet
// builds the rows anew.
class LazyRowList : public QWidget
{
    Q_OBJECT

public:
    using Build = std::function<QWidget*(int index)>;

    // Becomes the widget of `scrollArea`, which it sizes itself.
    explicit LazyRowList(QScrollArea* scrollArea);

    // The rows, in order: `keys[i]` stands for what row i shows (rows of one key look alike),
    // `shapes[i]` groups rows laid out alike (their heights differ only where text wraps), and
    // `build` makes row i, without a parent.
    // Rows of the previous list whose key is listed again are kept, however long the view takes
    // to fill.
    void setRows(QVector<quint64> keys, QVector<quint8> shapes, Build build);
    int count() const { return int(m_keys.size()); }

    // Scrolls row `index` into view and returns it, built.
    QWidget* showRow(int index);
    // While rows in view wait for a later turn of the event loop to be built.
    bool isFilling() const { return m_continuing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int rowAt(int y) const;
    int measure(QWidget* row) const;
    void recomputeTops();
    // Builds the rows in view, drops those far from it, places the rest.
    void layoutRows();
    void layoutPass(bool* heightsChanged);
    // Lays the rows out in the next turn of the event loop; isFilling() until then.
    void layoutLater();
    QWidget* buildRow(int index);
    // Heights of every row from what is known at this width; measures a row of each shape not
    // seen yet.
    void estimateHeights();
    void dropRow(int index);
    // Deletes the rows of a previous list that no row of this one took.
    void dropSpare();
    // Rows built under another style sheet show its colours: they go, and so does what was
    // measured of them.
    void dropRowsOfAnotherTheme();

    QScrollArea* m_scrollArea;
    QWidget* m_viewport;
    QVector<quint64> m_keys;
    QVector<quint8> m_shapes;
    Build m_build;
    QVector<int> m_heights;
    // m_tops[i] is where row i begins; m_tops[count()] the list's height.
    QVector<int> m_tops;
    QVector<QWidget*> m_built;
    // Heights measured at m_measuredWidth, by key and by shape.
    QHash<quint64, int> m_keyHeights;
    QHash<quint8, int> m_shapeHeights;
    // Rows of the previous lists waiting, until the view is filled, for a row of the new one
    // with their key.
    QMultiHash<quint64, QWidget*> m_spare;
    // The application style sheet the built rows were made under.
    QString m_styleSheet;
    int m_measuredWidth = -1;
    // The turn of the event loop building rows, and whether the view's rest waits for the next.
    QElapsedTimer m_turn;
    bool m_buildLater = false;
    bool m_continuing = false;
    bool m_layingOut = false;
    bool m_layoutAgain = false;
};
