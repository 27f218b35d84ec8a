#include "WeekDrag.h"

#include "CivilDays.h"
#include "WallClock.h"

#include <algorithm>
#include <cmath>

namespace WeekDrag {

int dayShift(int dx, int columnWidth, int pressColumn, int dayCount)
{
    const double columns = double(dx) / double(std::max(columnWidth, 1));
    int shift = int(std::lround(columns));
    if (pressColumn + shift > dayCount - 1)
        shift = dayCount - 1 - pressColumn;
    if (pressColumn + shift < 0)
        shift = -pressColumn;
    return shift;
}

SeriesMove::WallTime landing(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                             const QTimeZone& zone)
{
    WallClock clock(instanceStart.toTimeZone(zone));
    const qint64 local = clock.localMs(instanceStart.toMSecsSinceEpoch()) +
                         dayDelta * CivilDays::msPerDay + qint64(minuteOffset) * 60 * 1000;
    const qint64 day = CivilDays::floorDiv(local, CivilDays::msPerDay);
    return {QDate::fromJulianDay(QDate(1970, 1, 1).toJulianDay() + day),
            QTime::fromMSecsSinceStartOfDay(int(local - day * CivilDays::msPerDay)), zone};
}

QDateTime instantOf(const SeriesMove::WallTime& wall)
{
    return WallClock::instant(wall.date, wall.time, wall.zone);
}

QDateTime movedStart(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                     const QTimeZone& zone)
{
    // Counted on the wall clock, as the row the block lands on reads.
    return instantOf(landing(instanceStart, dayDelta, minuteOffset, zone));
}

} // namespace WeekDrag
