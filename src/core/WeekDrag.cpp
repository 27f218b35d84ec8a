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

QDateTime movedStart(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                     const QTimeZone& zone)
{
    // Counted on the wall clock as the recurrence expansion counts: a time the clocks skip lies
    // after the gap, a repeated one is the earlier instant.
    WallClock clock(instanceStart.toTimeZone(zone));
    const qint64 local = clock.localMs(instanceStart.toMSecsSinceEpoch());
    return clock.make(clock.toUtc(local + dayDelta * CivilDays::msPerDay))
        .addSecs(qint64(minuteOffset) * 60);
}

} // namespace WeekDrag
