#pragma once

#include <QDateTime>
#include <QTimeZone>

// The day shift of a drag across the columns of a week timeline, and where a moved event lands.
namespace WeekDrag {

// Columns moved by a horizontal drag of `dx` pixels over columns `columnWidth` wide (taken as 1
// when smaller): the nearest whole number, halves away from zero, clamped so the pressed column
// plus the shift stays within 0 .. dayCount - 1.
int dayShift(int dx, int columnWidth, int pressColumn, int dayCount);

// The new start of an occurrence moved by whole days and minutes. The days move the local
// wall-clock time in `zone` (a 09:00 event dragged across a daylight-saving change stays at
// 09:00); the minutes are then added as elapsed time.
QDateTime movedStart(const QDateTime& instanceStart, int dayDelta, int minuteOffset,
                     const QTimeZone& zone);

} // namespace WeekDrag
