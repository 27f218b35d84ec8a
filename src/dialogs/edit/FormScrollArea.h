#pragma once

#include <QScrollArea>

class QDialog;

// Holds a dialog's form body so that the dialog fits the available area of its screen with its
// buttons in sight: the body scrolls inside the dialog only when even the least height of its
// fields does not fit beside the dialog's frame and the rows outside the body. While it fits,
// the body takes the height it always took, so the dialog keeps its natural size and grows with
// its fields up to the screen's edge, rising to keep its buttons on the screen. The body never
// scrolls sideways: when it scrolls, the room for the scroll bar is added to its width.
class FormScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    // Moves the items of `dialog`'s top-level box layout above the one that holds `firstBelow`
    // into a new scroll area put in their place; `firstBelow` and what follows it (the button
    // box) stay below, always shown. Call it from the constructor, once the layout is built.
    // Returns the area, a child of the dialog.
    static FormScrollArea* wrap(QDialog* dialog, QWidget* firstBelow);

    ~FormScrollArea() override;

    // Takes in what changed among the body's fields at once, for a dialog that sizes itself
    // right after (adjustSize), before the change would reach the dialog by itself.
    void takeBodyChanges();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit FormScrollArea(QDialog* dialog);
    // Caps the body at the height the dialog's screen leaves beside the dialog's frame and the
    // rows outside the body, and shrinks the dialog to the screen when it is taller.
    void fitScreen();
    // Moves the shown dialog up as far as its frame passes the bottom of the screen's area.
    void keepOnScreen();
    // The height the body would like at the area's width (its preferred height until it is
    // laid out), and the least it takes without scrolling.
    int bodyHeight() const;
    int leastBodyHeight() const;
    // Whether the body's height follows the area's width: it wraps text and has been laid out.
    bool followsWidth() const;
    // The width the vertical scroll bar takes while the body does not fit.
    int scrollBarRoom() const;
    // Scrolls a field of the body into view; nothing for any other widget.
    void bringIntoView(QWidget* field);

    QDialog* m_dialog;
    // The application's focus changes reach the area until its own destructor: ~QWidget clears
    // the focus of a field inside it after this class's part is gone.
    QMetaObject::Connection m_focusChanged;
    int m_heightCap = QWIDGETSIZE_MAX;
};
