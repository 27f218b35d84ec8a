#include "TimelineHitRegions.h"

#include "EventHitTest.h"
#include "TimelineDrag.h"
#include "TimelineGeometry.h"

#include <QWidget>

#include <algorithm>

namespace {

// The first region, in paint order, that `matches`; null when none does.
template <typename Matches>
const TimelineHitRegions::Region* firstWhere(const QList<TimelineHitRegions::Region>& regions,
                                             Matches matches)
{
    const auto found = std::find_if(regions.cbegin(), regions.cend(), matches);
    return found == regions.cend() ? nullptr : &*found;
}

} // namespace

void TimelineHitRegions::setEvents(const QList<Event>& events)
{
    m_marks.clear();
    m_fixedIds.clear();
    for (const Event& event : events) {
        if (TimelineGeometry::isMultiDay(event))
            m_fixedIds.insert(event.id);
    }
}

const TimelineHitRegions::Region* TimelineHitRegions::firstAt(const QPoint& point) const
{
    return firstWhere(m_regions, [&](const Region& region) { return region.rect.contains(point); });
}

const TimelineHitRegions::Region* TimelineHitRegions::lastAt(const QPoint& point) const
{
    return EventHitTest::topmost(m_regions, point);
}

const TimelineHitRegions::Region* TimelineHitRegions::firstAt(const QPoint& point,
                                                              const QString& eventId) const
{
    return firstWhere(m_regions, [&](const Region& region) {
        return region.eventId == eventId && region.rect.contains(point);
    });
}

const TimelineHitRegions::Region* TimelineHitRegions::find(const QString& eventId) const
{
    return firstWhere(m_regions, [&](const Region& region) { return region.eventId == eventId; });
}

const TimelineHitRegions::Region* TimelineHitRegions::find(const QString& eventId,
                                                           const QDateTime& instanceStart) const
{
    return firstWhere(m_regions, [&](const Region& region) {
        return region.eventId == eventId && region.instanceStart == instanceStart;
    });
}

const TimelineHitRegions::Mark* TimelineHitRegions::markAt(const QPoint& point) const
{
    return EventHitTest::topmost(m_marks, point);
}

TimelineHitRegions::Hidden
TimelineHitRegions::findHidden(const QList<Event>& events, const QString& eventId,
                               const std::optional<QDateTime>& instanceStart) const
{
    if (eventId.isEmpty())
        return {};
    for (const Mark& mark : m_marks) {
        for (const qsizetype index : mark.eventIndices) {
            const Event& event = events.at(index);
            if (event.id == eventId && (!instanceStart || event.startTime == *instanceStart))
                return {&mark, index};
        }
    }
    return {};
}

const TimelineHitRegions::Region* TimelineHitRegions::draggableAt(const QPoint& point) const
{
    if (markAt(point))
        return nullptr;
    const Region* region = firstAt(point);
    return region && !m_fixedIds.contains(region->eventId) ? region : nullptr;
}

Qt::CursorShape TimelineHitRegions::cursorAt(const QPoint& point) const
{
    if (markAt(point))
        return Qt::PointingHandCursor;
    const Region* region = draggableAt(point);
    if (!region)
        return Qt::ArrowCursor;
    return TimelineDrag::inResizeZone(region->rect, point.y()) ? Qt::SizeVerCursor
                                                               : Qt::PointingHandCursor;
}

QRect TimelineHitRegions::onScreen(const QWidget* widget, const Region& region)
{
    return onScreen(widget, region.rect);
}

QRect TimelineHitRegions::onScreen(const QWidget* widget, const QRect& rect)
{
    return QRect(widget->mapToGlobal(rect.topLeft()), rect.size());
}
