#include "WeekDrag.h"

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
    return instanceStart.toTimeZone(zone).addDays(dayDelta).addSecs(qint64(minuteOffset) * 60);
}

} // namespace WeekDrag
