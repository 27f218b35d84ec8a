#pragma once

#include "SeriesMove.h"

#include <QDateTime>
#include <QTimeZone>

// The day shift of a drag across the columns of a week timeline, and where a moved event lands.
namespace WeekDrag {

// Columns moved by a horizontal drag of `dx` pixels over columns `columnWidth` wide (taken as 1
// when smaller): the nearest whole number, halves away from zero, clamped so the pressed column
// plus the shift stays within 0 .. dayCount - 1.
int dayShift(int dx, int columnWidth, int pressColumn, int dayCount);

// The wall time in `zone` of the row an occurrence starting at `instanceStart` lands on when
// moved by whole days and minutes: the time it is shown at, that many days and minutes on (a
// 09:00 event dragged across a daylight-saving change stays at 09:00).
SeriesMove::WallTime landing(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                             const QTimeZone& zone);

// The instant a wall time stands for, as the recurrence expansion reads it: one the clocks skip
// lies after the gap by its length, a repeated one is the earlier instant. In `wall`'s zone.
QDateTime instantOf(const SeriesMove::WallTime& wall);

// The new start of an occurrence moved by whole days and minutes: the instant of its landing.
QDateTime movedStart(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                     const QTimeZone& zone);

} // namespace WeekDrag
