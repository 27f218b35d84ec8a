#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// Read-only lookups in what a painted view reports from its last paint (any list of regions with
// `eventId` and `rect`, such as the timelines' and the all-day strip's hitRegions()). Paint the
// widget first (PixelProbe::render), or the list is the previous paint's.
namespace HitRegions {

// The first region painted for the event.
template <typename Region>
std::optional<Region> first(const QList<Region>& regions, const QString& eventId)
{
    for (const Region& region : regions) {
        if (region.eventId == eventId)
            return region;
    }
    return std::nullopt;
}

// The rectangle of the first region painted for the event; null when there is none.
template <typename Region>
QRect rectOf(const QList<Region>& regions, const QString& eventId)
{
    const std::optional<Region> region = first(regions, eventId);
    return region ? region->rect : QRect();
}

} // namespace HitRegions
