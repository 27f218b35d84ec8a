#pragma once

#include <QHash>
#include <QScrollArea>

#include <functional>

// A column of rows of one height for a form's list. Beyond `shownRows` rows it scrolls, and
// only the rows in view (and some around them) exist: the builder makes a row by its index when
// it comes near the view, so a list of thousands opens as fast as a short one and the form stays
// on the screen. Hidden while it holds no row.
class ScrollingRows : public QScrollArea
{
    Q_OBJECT

public:
    // Makes the row at `index` as a child of `parent`.
    using RowBuilder = std::function<QWidget*(int index, QWidget* parent)>;

    ScrollingRows(int shownRows, int spacing, RowBuilder builder, QWidget* parent);

    // Drops every row and sizes the column for `count` rows; the rows in view follow. For a
    // change that moves rows to other indexes, such as a removal.
    void reset(int count);
    // One row more at the end; the rows already built stay.
    void append();
    // Brings the last row into view.
    void scrollToEnd();
    int count() const { return m_count; }
    // The row at `index` while it is built (in view or near it), else null.
    QWidget* row(int index) const { return m_rows.value(index); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sizeFor(int count);
    // Builds the rows in view and around them, drops those far from it, and places them.
    void fillView();
    int rowPitch() const { return m_rowHeight + m_spacing; }

    const int m_shownRows;
    const int m_spacing;
    const RowBuilder m_builder;
    QWidget* m_rowsArea = nullptr;
    QHash<int, QWidget*> m_rows;
    int m_count = 0;
    int m_rowHeight = 0;
};
