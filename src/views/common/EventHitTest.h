#pragma once

#include <QContextMenuEvent>
#include <QDateTime>
#include <QList>
#include <QMouseEvent>
#include <QPoint>
#include <QString>

// Hit testing over what a painted view reports from its last paint: any list of regions with
// `eventId` and `rect`, in paint order. Later regions were painted over earlier ones, so the
// last one under a point is the one the user sees.
namespace EventHitTest {

// The start of the occurrence a region shows: its own start where the region keeps the drawn
// start apart, else the start it holds; invalid for a region without one.
template <typename Region> QDateTime occurrenceOf(const Region& region)
{
    if constexpr (requires { region.instanceStart; })
        return region.instanceStart;
    else if constexpr (requires { region.occurrenceStart; })
        return region.occurrenceStart;
    else
        return QDateTime();
}

// The region painted last under `point`; null when there is none.
template <typename Region> const Region* topmost(const QList<Region>& regions, const QPoint& point)
{
    for (auto it = regions.crbegin(); it != regions.crend(); ++it) {
        if (it->rect.contains(point))
            return &*it;
    }
    return nullptr;
}

// A left double click on a region calls `activate(eventId, occurrenceStart)` and accepts the event;
// false (and the event untouched) when the click is elsewhere or with another button.
template <typename Region, typename Activate>
bool doubleClick(const QList<Region>& regions, QMouseEvent* event, Activate activate)
{
    const Region* hit =
        event->button() == Qt::LeftButton ? topmost(regions, event->position().toPoint()) : nullptr;
    if (!hit)
        return false;
    activate(hit->eventId, occurrenceOf(*hit));
    event->accept();
    return true;
}

// A context menu request over a region calls `request(eventId, globalPos, occurrenceStart)` and
// accepts the event; false (and the event untouched) when it is over no region.
template <typename Region, typename Request>
bool contextMenu(const QList<Region>& regions, QContextMenuEvent* event, Request request)
{
    const Region* hit = topmost(regions, event->pos());
    if (!hit)
        return false;
    request(hit->eventId, event->globalPos(), occurrenceOf(*hit));
    event->accept();
    return true;
}

} // namespace EventHitTest
