#include "TimelineWidget.h"

#include "TimelineGeometry.h"
#include "TimelineRepaint.h"
#include "TimelineWalk.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QWheelEvent>

#include <algorithm>

TimelineWidget::TimelineWidget(TimelineDragSession::Axes axes, QWidget* parent)
    : QWidget(parent), m_drag(axes)
{
}

void TimelineWidget::setShownEvents(const QList<Event>& events,
                                    const QHash<QString, QString>& calendarColors,
                                    const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                    const QSet<QString>& twoWayCalendarIds)
{
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_twoWayCalendarIds = twoWayCalendarIds;
    m_hits.setEvents(m_events);
}

void TimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void TimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

int TimelineWidget::rowHeight() const
{
    return TimelineGeometry::rowHeight(m_hourHeight, height());
}

int TimelineWidget::columnWidth() const
{
    return std::max(width() - TimelineGeometry::gutterWidth, 0) / m_columnCount;
}

int TimelineWidget::columnAt(int x) const
{
    return std::clamp((x - TimelineGeometry::gutterWidth) / std::max(columnWidth(), 1), 0,
                      m_columnCount - 1);
}

void TimelineWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TimelineRepaint::afterScroll(this, event);
}

void TimelineWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const HitRegion* hit = event->button() == Qt::LeftButton ? m_hits.draggableAt(point) : nullptr;
    if (!hit) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The pressed block's own occurrence, not the first one sharing its series' id.
    m_drag.press(hit->eventId, hit->instanceStart, hit->rect, point,
                 columnAt(hit->rect.center().x()));
    event->accept();
}

void TimelineWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool pressed = m_drag.state() == TimelineDragSession::State::Pressed;
    if (m_drag.follow(point, rowHeight(), columnWidth(), m_columnCount)) {
        if (pressed)
            setCursor(Qt::ClosedHandCursor);
        update();
        event->accept();
        return;
    }
    if (!pressed)
        setCursor(m_hits.cursorAt(point));
    QWidget::mouseMoveEvent(event);
}

void TimelineWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const TimelineDragSession::Outcome outcome = m_drag.release();
    setCursor(Qt::ArrowCursor);
    update();

    using Kind = TimelineDragSession::Outcome::Kind;
    if (outcome.kind == Kind::Move) {
        requestMove(outcome.eventId, outcome.instanceStart, outcome.dayShift, outcome.minutes);
        event->accept();
        return;
    }
    if (outcome.kind == Kind::Resize) {
        Q_EMIT eventResizeRequested(outcome.eventId, outcome.instanceStart, outcome.minutes);
        event->accept();
        return;
    }

    const QPoint point = event->position().toPoint();
    const HitRegion* hit = m_hits.lastAt(point);
    if (!hit || hit->eventId.isEmpty()) {
        Q_EMIT eventSelected(QString(), QDateTime(), QRect());
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const HitRegion& shown = clickedRegion(*hit, point);
    selectOccurrence(shown.eventId, shown.instanceStart);
    Q_EMIT eventSelected(shown.eventId, shown.instanceStart,
                         TimelineHitRegions::onScreen(this, shown));
    event->accept();
}

void TimelineWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const HitRegion* hit = m_hits.lastAt(point)) {
            selectOccurrence(hit->eventId, hit->instanceStart);
            Q_EMIT eventActivated(hit->eventId, hit->instanceStart);
            event->accept();
            return;
        }
        if (point.x() >= TimelineGeometry::gutterWidth &&
            activateSlot(columnAt(point.x()), TimelineGeometry::slotAt(point.y(), rowHeight()))) {
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TimelineWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (const HitRegion* hit = m_hits.lastAt(event->pos())) {
        selectOccurrence(hit->eventId, hit->instanceStart);
        Q_EMIT eventContextRequested(hit->eventId, event->globalPos(), hit->instanceStart);
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void TimelineWidget::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        Q_EMIT zoomRequested(notches);
    event->accept();
}

void TimelineWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const TimelineWalk::Step step = TimelineWalk::stepFor(key, event->modifiers());
    if (step != TimelineWalk::Step::None) {
        const std::optional<TimelineWalk::Target> target = TimelineWalk::step(
            m_events, m_selectedEventId, selectedOccurrence(), step == TimelineWalk::Step::Forward);
        if (!target) {
            QWidget::keyPressEvent(event);
            return;
        }
        selectOccurrence(target->eventId, target->start);
        Q_EMIT eventFocused(target->eventId);
        event->accept();
        return;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || key == Qt::Key_Delete) && !m_selectedEventId.isEmpty()) {
        const std::optional<QDateTime> occurrence = selectedOccurrence();
        const HitRegion* region = occurrence ? m_hits.find(m_selectedEventId, *occurrence)
                                             : m_hits.find(m_selectedEventId);
        const QDateTime regionStart = region ? region->instanceStart : QDateTime();
        if (enter)
            Q_EMIT eventSelected(m_selectedEventId, regionStart,
                                 region ? TimelineHitRegions::onScreen(this, *region) : QRect());
        else
            Q_EMIT eventDeleteRequested(m_selectedEventId, occurrence.value_or(regionStart));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TimelineWidget::focusNextPrevChild(bool)
{
    return false;
}
