#include "ScrollingRows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Rows built beyond each edge of the view, so that a scroll by a few rows finds them there.
constexpr int rowsAround = 10;

} // namespace

ScrollingRows::ScrollingRows(int shownRows, int spacing, RowBuilder builder, QWidget* parent)
    : QScrollArea(parent), m_shownRows(shownRows), m_spacing(spacing), m_builder(std::move(builder))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    // As tall as its rows (set for each count), and drawn on what it sits on, like rows laid out
    // in place.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    // The rows are placed by hand: only those near the view exist.
    m_rowsArea = new QWidget(this);
    setWidget(m_rowsArea);
    m_rowsArea->setAutoFillBackground(false);
    m_rowsArea->installEventFilter(this);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ScrollingRows::fillView);
    hide();
}

void ScrollingRows::reset(int count)
{
    // Every row knows its item by position, which a removal shifts.
    for (QWidget* row : std::as_const(m_rows)) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    sizeFor(count);
}

void ScrollingRows::append()
{
    sizeFor(m_count + 1);
}

void ScrollingRows::scrollToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ScrollingRows::sizeFor(int count)
{
    m_count = count;
    if (m_count == 0) {
        hide();
        return;
    }
    if (m_rowHeight == 0) {
        QWidget* probe = m_builder(0, m_rowsArea);
        m_rowHeight = probe->sizeHint().height();
        delete probe;
    }
    m_rowsArea->setFixedHeight(m_count * rowPitch() - m_spacing);
    setFixedHeight(std::min(m_count, m_shownRows) * rowPitch() - m_spacing);
    show();
    fillView();
}

void ScrollingRows::fillView()
{
    if (m_count == 0 || m_rowHeight == 0)
        return;
    const int top = verticalScrollBar()->value();
    const int viewHeight = std::max(viewport()->height(), height());
    const int first = std::max(0, top / rowPitch() - rowsAround);
    const int last = std::min(m_count - 1, (top + viewHeight) / rowPitch() + rowsAround);
    // Rows far from the view go, except one holding the focus: its edit is under way.
    QWidget* focused = m_rowsArea->focusWidget();
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        const bool far = it.key() < first - rowsAround || it.key() > last + rowsAround;
        if (far && !(focused && it.value()->isAncestorOf(focused))) {
            it.value()->hide();
            it.value()->deleteLater();
            it = m_rows.erase(it);
        } else {
            ++it;
        }
    }
    const int width = m_rowsArea->width();
    for (int i = first; i <= last; ++i) {
        QWidget* row = m_rows.value(i);
        if (!row) {
            row = m_builder(i, m_rowsArea);
            // A choice takes the wheel only once it has the focus: a wheel turned to scroll the
            // list would otherwise change each row that passes under the pointer.
            for (QComboBox* combo : row->findChildren<QComboBox*>()) {
                combo->setFocusPolicy(Qt::StrongFocus);
                combo->installEventFilter(this);
            }
            m_rows.insert(i, row);
        }
        row->setGeometry(0, i * rowPitch(), width, m_rowHeight);
        row->show();
    }
}

bool ScrollingRows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rowsArea && event->type() == QEvent::Resize) {
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
            it.value()->resize(m_rowsArea->width(), m_rowHeight);
        fillView();
    }
    if (event->type() == QEvent::Wheel) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        if (combo && !combo->hasFocus()) {
            QCoreApplication::sendEvent(verticalScrollBar(), event);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
