#include "FormScrollArea.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>

namespace {

// Until a window manager has framed a window, its frame is unknown: this much is kept for a
// title bar and the borders, as Qt keeps when it places a dialog.
const QMargins guessedFrame(10, 40, 10, 10);

// On a screen too small for anything, the body still shows a few rows.
constexpr int smallestCap = 120;

// What is brought into view above and below a field that takes the focus, where there is room.
constexpr int aroundField = 50;

bool holds(QLayoutItem* item, const QWidget* widget)
{
    if (QWidget* own = item->widget())
        return own == widget || own->isAncestorOf(widget);
    if (QLayout* layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i) {
            if (holds(layout->itemAt(i), widget))
                return true;
        }
    }
    return false;
}

QMargins knownFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle && window->isVisible() ? handle->frameMargins() : QMargins();
}

// The dialog's own frame once it has one, else that of another shown window.
QMargins frameOf(const QWidget* dialog)
{
    if (const QMargins own = knownFrame(dialog); !own.isNull())
        return own;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (const QMargins other = knownFrame(window); !other.isNull())
            return other;
    }
    return guessedFrame;
}

// The form's fields laid out in the area. The area scrolls when it is lower than the body's
// height for its width, which is here the least height the fields take, not the height they
// would like: a form squeezes its lists as it did outside a scroll area before it scrolls.
class FormBody : public QWidget
{
public:
    using QWidget::QWidget;
    ~FormBody() override = default;

    int heightForWidth(int width) const override
    {
        return layout() ? layout()->totalMinimumHeightForWidth(width)
                        : QWidget::heightForWidth(width);
    }
};

} // namespace

FormScrollArea::FormScrollArea(QDialog* dialog) : QScrollArea(dialog), m_dialog(dialog)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The fields take the focus, not the area around them; a field tabbed to is scrolled into view.
    setFocusPolicy(Qt::NoFocus);
    // Drawn on the dialog's background, like fields laid out in place.
    viewport()->setAutoFillBackground(false);
    dialog->installEventFilter(this);
    // Also a field focused from the buttons below or by a failed check, not only by tabbing
    // inside the area.
    m_focusChanged = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { bringIntoView(now); });
    // A field added and focused at once gets its place only when the body is laid out again,
    // which changes the range: it comes into view then.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { bringIntoView(QApplication::focusWidget()); });
}

FormScrollArea::~FormScrollArea()
{
    disconnect(m_focusChanged);
}

FormScrollArea* FormScrollArea::wrap(QDialog* dialog, QWidget* firstBelow)
{
    auto* outer = qobject_cast<QBoxLayout*>(dialog->layout());
    Q_ASSERT(outer);
    auto* area = new FormScrollArea(dialog);
    // Made inside the dialog, so the fields moved into it keep their place in the tab order.
    auto* body = new FormBody(area->viewport());
    body->setAutoFillBackground(false);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(outer->spacing());
    while (outer->count() > 0 && !holds(outer->itemAt(0), firstBelow)) {
        const int stretch = outer->stretch(0);
        QLayoutItem* item = outer->takeAt(0);
        if (QWidget* widget = item->widget()) {
            bodyLayout->addWidget(widget, 0, item->alignment());
            delete item;
        } else if (QLayout* layout = item->layout()) {
            bodyLayout->addLayout(layout);
        } else {
            bodyLayout->addItem(item);
        }
        bodyLayout->setStretch(bodyLayout->count() - 1, stretch);
    }
    Q_ASSERT(outer->count() > 0); // firstBelow is in the layout
    area->setWidget(body);
    outer->insertWidget(0, area, 1);
    area->fitScreen();
    return area;
}

void FormScrollArea::takeBodyChanges()
{
    widget()->layout()->activate();
    updateGeometry();
}

QSize FormScrollArea::sizeHint() const
{
    const QWidget* body = widget();
    if (!body)
        return QScrollArea::sizeHint();
    return {body->sizeHint().width() + scrollBarRoom(), std::min(bodyHeight(), m_heightCap)};
}

QSize FormScrollArea::minimumSizeHint() const
{
    const QWidget* body = widget();
    if (!body)
        return QScrollArea::minimumSizeHint();
    return {body->minimumSizeHint().width() + scrollBarRoom(),
            std::min(leastBodyHeight(), m_heightCap)};
}

bool FormScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        // A field added or shown: the dialog grows with the body, up to the cap.
        takeBodyChanges();
    } else if (watched == m_dialog) {
        // Before the dialog is placed on the screen, and when it moves to another one.
        if ((event->type() == QEvent::Show && !event->spontaneous()) ||
            event->type() == QEvent::ScreenChangeInternal)
            fitScreen();
        // Grown with its fields while shown, it rises so that its buttons stay on the screen.
        else if (event->type() == QEvent::Resize && m_dialog->isVisible())
            keepOnScreen();
    }
    return QScrollArea::eventFilter(watched, event);
}

void FormScrollArea::bringIntoView(QWidget* field)
{
    if (!field || !widget() || !widget()->isAncestorOf(field))
        return;
    // The whole field, not only its text cursor as ensureWidgetVisible would.
    const QRect place(field->mapTo(widget(), QPoint(0, 0)), field->size());
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2,
                  place.height() / 2 + aroundField);
}

void FormScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    // Wrapped labels take another height at another width.
    if (event->oldSize().width() != event->size().width() && widget() &&
        widget()->hasHeightForWidth())
        updateGeometry();
}

void FormScrollArea::fitScreen()
{
    const QWidget* parent = m_dialog->parentWidget();
    const QScreen* screen = parent ? parent->screen() : m_dialog->screen();
    if (!screen)
        return;
    const QMargins frame = frameOf(m_dialog);
    const QRect available = screen->availableGeometry();
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    const int roomWidth = available.width() - frame.left() - frame.right();
    // The body's sizes as its fields now are, not as they were when it was last laid out.
    takeBodyChanges();
    // What the dialog shows besides the body: its margins, the rows below and any heading.
    m_heightCap = QWIDGETSIZE_MAX;
    updateGeometry();
    const int outside = m_dialog->sizeHint().height() - sizeHint().height();
    m_heightCap = std::max(roomHeight - outside, smallestCap);
    updateGeometry();
    if (QLayout* layout = m_dialog->layout())
        layout->activate();
    // A dialog not yet sized is sized when it is first shown. Its minimum, now at most the
    // room, has grown it to where the body no longer scrolls if that was lower.
    if (!m_dialog->isVisible() && !m_dialog->testAttribute(Qt::WA_Resized))
        return;
    const QSize size = m_dialog->size()
                           .boundedTo(QSize(roomWidth, roomHeight))
                           .expandedTo(m_dialog->minimumSize());
    if (size != m_dialog->size())
        m_dialog->resize(size);
}

void FormScrollArea::keepOnScreen()
{
    const QRect available = m_dialog->screen()->availableGeometry();
    const int below = m_dialog->frameGeometry().bottom() - available.bottom();
    if (below > 0)
        m_dialog->move(m_dialog->x(), std::max(m_dialog->y() - below, available.top()));
}

int FormScrollArea::bodyHeight() const
{
    const QWidget* body = widget();
    if (!body)
        return 0;
    return followsWidth() ? body->layout()->totalHeightForWidth(width())
                          : body->sizeHint().height();
}

int FormScrollArea::leastBodyHeight() const
{
    const QWidget* body = widget();
    if (!body)
        return 0;
    return followsWidth() ? body->heightForWidth(width()) : body->minimumSizeHint().height();
}

bool FormScrollArea::followsWidth() const
{
    // Once laid out, wrapped labels are as tall as the width they have.
    return widget() && widget()->layout() && widget()->hasHeightForWidth() &&
           testAttribute(Qt::WA_Resized);
}

int FormScrollArea::scrollBarRoom() const
{
    return leastBodyHeight() > m_heightCap ? verticalScrollBar()->sizeHint().width() : 0;
}
