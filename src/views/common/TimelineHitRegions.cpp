#include "TimelineHitRegions.h"

#include "TimelineDrag.h"
#include "TimelineGeometry.h"

#include <QWidget>

void TimelineHitRegions::setEvents(const QList<Event>& events)
{
    m_fixedIds.clear();
    for (const Event& event : events) {
        if (TimelineGeometry::isMultiDay(event))
            m_fixedIds.insert(event.id);
    }
}

const TimelineHitRegions::Region* TimelineHitRegions::firstAt(const QPoint& point) const
{
    for (const Region& region : m_regions) {
        if (region.rect.contains(point))
            return &region;
    }
    return nullptr;
}

const TimelineHitRegions::Region* TimelineHitRegions::lastAt(const QPoint& point) const
{
    for (auto it = m_regions.crbegin(); it != m_regions.crend(); ++it) {
        if (it->rect.contains(point))
            return &*it;
    }
    return nullptr;
}

const TimelineHitRegions::Region* TimelineHitRegions::firstAt(const QPoint& point,
                                                              const QString& eventId) const
{
    for (const Region& region : m_regions) {
        if (region.eventId == eventId && region.rect.contains(point))
            return &region;
    }
    return nullptr;
}

const TimelineHitRegions::Region* TimelineHitRegions::find(const QString& eventId) const
{
    for (const Region& region : m_regions) {
        if (region.eventId == eventId)
            return &region;
    }
    return nullptr;
}

const TimelineHitRegions::Region* TimelineHitRegions::find(const QString& eventId,
                                                           const QDateTime& instanceStart) const
{
    for (const Region& region : m_regions) {
        if (region.eventId == eventId && region.instanceStart == instanceStart)
            return &region;
    }
    return nullptr;
}

const TimelineHitRegions::Region* TimelineHitRegions::draggableAt(const QPoint& point) const
{
    const Region* region = firstAt(point);
    return region && !m_fixedIds.contains(region->eventId) ? region : nullptr;
}

Qt::CursorShape TimelineHitRegions::cursorAt(const QPoint& point) const
{
    const Region* region = draggableAt(point);
    if (!region)
        return Qt::ArrowCursor;
    return TimelineDrag::inResizeZone(region->rect, point.y()) ? Qt::SizeVerCursor
                                                               : Qt::PointingHandCursor;
}

QRect TimelineHitRegions::onScreen(const QWidget* widget, const Region& region)
{
    return QRect(widget->mapToGlobal(region.rect.topLeft()), region.rect.size());
}
