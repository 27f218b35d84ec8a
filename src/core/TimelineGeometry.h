#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QRect>
#include <QTime>

#include <optional>

// Pixel geometry of a 24-hour timeline column, shared by the day and the multi-day timelines.
// Pure integer arithmetic over plain values: no widget, no state. Every y is in the column's own
// coordinates (0 = midnight at its top); every function accepts any input, including negative or
// zero sizes, and clamps instead of failing.
namespace TimelineGeometry {

// The hour gutter at the left: labels in [0, labelWidth), lines and shading from gutterWidth.
inline constexpr int gutterWidth = 64;
inline constexpr int labelWidth = 56;
// Event blocks start 4 pixels right of the gutter and keep 8 pixels free at the right.
inline constexpr int eventAreaLeft = 68;
inline constexpr int eventAreaRightMargin = 8;
// Horizontal gap between two blocks of one overlap cluster.
inline constexpr int columnGap = 2;
// The last slot a new event can start in, in minutes after midnight (23:45).
inline constexpr int lastSlotMinutes = 24 * 60 - 15;

// Pixels per hour: the zoomed hour height, or more when the widget is taller than 24 of them.
int rowHeight(int hourHeight, int widgetHeight);

// Width of the event area of a widget `widgetWidth` wide; never negative.
int eventAreaWidth(int widgetWidth);

// (hour × 60 + minute) × rowHeight / 60, truncated; seconds are ignored.
int yForTime(const QTime& time, int rowHeight);

// The y of an instant in the column of `day` (local dates): 0 before the day, 24 rows after it.
int yForDateTime(const QDateTime& time, const QDate& day, int rowHeight);

// The part of a timed event that falls on `day` (local time): start raised to the day's
// midnight, end lowered to the next one. Nothing when the event lies wholly outside the day. An
// event without end counts as an instant at its start.
std::optional<Event> clipToDay(const Event& event, const QDate& day);

// True when the event has an end whose local date is after its start's local date (an end at the
// next midnight counts). Such events cannot be dragged.
bool isMultiDay(const Event& event);

// The narrowest an overlap column gets: its colour, its stripe and a mark are seen and a
// pointer finds it, and the few overlaps of ordinary days keep their columns in a narrow week.
// Where more events overlap than columns of this width fit, the columns beyond them are not
// shown; a "+N" mark where they would start counts them and leads to them (hiddenGroups).
inline constexpr int minimumColumnWidth = 24;

// How many of `columnCount` overlap columns stand side by side in an area `areaWidth` wide: all
// of them when each keeps minimumColumnWidth, else as many as do; at least one, which then takes
// the whole area however narrow.
int shownColumns(int areaWidth, int columnCount);

// The horizontal place of column `column` of `columnCount` in an area [left, left + width): the
// shown columns (shownColumns) in equal widths with columnGap pixels between them, all inside
// the area. Nothing for a column beyond the shown ones, which is neither drawn nor hit. A count
// below 1 gives the whole area; a negative width counts as none.
struct ColumnSpan
{
    int x = 0;
    int width = 0;
};
std::optional<ColumnSpan> columnSpan(int areaLeft, int areaWidth, int column, int columnCount);

// The rectangle of one block: from `top` to `bottom`, at least `minimumHeight` tall.
QRect blockRect(const ColumnSpan& span, int top, int bottom, int minimumHeight);

// The time, in milliseconds rounded up, that a block of `minimumHeight` pixels stands for at
// `rowHeight` pixels an hour: how long an event without length occupies its column. 0 for rows
// of no height.
qint64 minimumBlockMsecs(int minimumHeight, int rowHeight);

// The y at which a block's text starts when the column is seen from `visibleTop` down: the
// block's top, or the visible top for a block begun above it (the later days of an event over
// several days), but never so low that `textHeight` pixels leave the block.
int textTop(const QRect& block, int visibleTop, int textHeight);

// One timed occurrence placed in a day's column: which input it came from, its times cut to the
// day (for drawing; the input keeps the real ones) and its overlap column.
struct PlacedOccurrence
{
    qsizetype index = 0; // into the list given to layoutDay
    QDateTime start;
    std::optional<QDateTime> end;
    int column = 0;
    int columnCount = 1;
};

// The timed events of the list (all-day ones skipped) that fall on `day`, cut to it with
// clipToDay and laid out side by side with EventLayout::layoutTimedEvents, in that layout's order;
// an event without length takes `instantMsecs` (see minimumBlockMsecs).
QList<PlacedOccurrence> layoutDay(const QList<Event>& events, const QDate& day,
                                  qint64 instantMsecs = 0);

// Occurrences of a day's layout that an area `areaWidth` wide leaves out (their column is beyond
// shownColumns), gathered under the marks that count them. Hidden occurrences whose times overlap
// share a mark, and so does one that starts before the mark above it ends: a mark is drawn at its
// first start and stands for at least `markMsecs` (see minimumBlockMsecs), so marks never cover
// each other. Every hidden occurrence is in exactly one group; none when all are shown. O(n).
struct HiddenGroup
{
    QList<qsizetype> indices; // PlacedOccurrence::index of each, in the layout's order
    QDateTime start;          // the earliest start among them, cut to the day
    QDateTime end;            // the latest end among them (an instant's start), cut to the day
};
QList<HiddenGroup> hiddenGroups(const QList<PlacedOccurrence>& placed, int areaWidth,
                                qint64 markMsecs);

// The time of day a double-click at y proposes for a new event: the quarter hour containing y,
// clamped to 00:00..23:45.
QTime slotAt(int y, int rowHeight);

} // namespace TimelineGeometry
