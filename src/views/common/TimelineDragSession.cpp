#include "TimelineDragSession.h"

#include "TimelineDrag.h"
#include "WeekDrag.h"

#include <cstdlib>

void TimelineDragSession::press(const QString& eventId, const QDateTime& instanceStart,
                                const QRect& block, const QPoint& point, int column)
{
    m_eventId = eventId;
    m_instanceStart = instanceStart;
    m_block = block;
    m_pressPoint = point;
    m_pressColumn = column;
    m_minutes = 0;
    m_dayShift = 0;
    m_state = TimelineDrag::inResizeZone(block, point.y()) ? State::Resizing : State::Pressed;
}

bool TimelineDragSession::follow(const QPoint& point, int rowHeight, int columnWidth, int dayCount)
{
    const QPoint delta = point - m_pressPoint;
    if (m_state == State::Pressed) {
        const bool across =
            m_axes == Axes::Both && std::abs(delta.x()) >= TimelineDrag::moveThreshold;
        if (!across && std::abs(delta.y()) < TimelineDrag::moveThreshold)
            return false;
        m_state = State::Moving;
    }
    if (m_state != State::Moving && m_state != State::Resizing)
        return false;
    m_minutes = TimelineDrag::snappedMinutes(delta.y(), rowHeight);
    if (m_state == State::Moving && m_axes == Axes::Both)
        m_dayShift = WeekDrag::dayShift(delta.x(), columnWidth, m_pressColumn, dayCount);
    return true;
}

TimelineDragSession::Outcome TimelineDragSession::release()
{
    Outcome outcome;
    if (m_state == State::Moving && (m_minutes != 0 || m_dayShift != 0))
        outcome.kind = Outcome::Kind::Move;
    else if (m_state == State::Resizing && m_minutes != 0)
        outcome.kind = Outcome::Kind::Resize;
    if (outcome.kind != Outcome::Kind::None) {
        outcome.eventId = m_eventId;
        outcome.instanceStart = m_instanceStart;
        outcome.minutes = m_minutes;
        outcome.dayShift = m_dayShift;
    }
    m_state = State::Idle;
    m_eventId.clear();
    m_instanceStart = QDateTime();
    m_minutes = 0;
    m_dayShift = 0;
    return outcome;
}

bool TimelineDragSession::showsGhost() const
{
    return (m_state == State::Moving || m_state == State::Resizing) && !m_eventId.isEmpty() &&
           (m_minutes != 0 || m_dayShift != 0);
}
