#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

// Geometry of the painted day grids (week grid cards, month cells, mini-month cells), in whole
// pixels; divisions truncate toward zero. Pure: the widgets paint and hit-test by these.
namespace ViewGrid {

// Week grid: 8, 4, 2 or 1 columns for widths from 1760, 880, 440 and below.
int weekGridColumns(int width);
// The card of day `index` (0..7) in a widget of `size`: cells of width / columns and
// max(height / rows, 120), each card the cell shrunk by 3 px on every side.
QRect weekGridCard(int index, const QSize& size);
// Event lines that fit a card: floor((cardHeight - 48 + gap) / (lineHeight + gap)), never below 0.
int weekGridCapacity(int cardHeight, bool compact);
int weekGridLineHeight(bool compact);
int weekGridLineGap(bool compact);

// Lines drawn of `count` when `capacity` fit: all when they fit, else one fewer than fit (room for
// the "+N more" line), never below 0.
int shownLines(int count, int capacity);

// Month grid: the header band and the chip pitch.
inline constexpr int monthHeaderHeight = 28;
int monthChipHeight(bool compact);
int monthChipPitch(bool compact);
// Chips that fit a cell of `cellHeight`: (cellHeight - 29) / pitch, never below 0.
int monthChipFit(int cellHeight, bool compact);

// Year card: where the dot of a busy day goes in its `cell` so that it never covers the day
// number, given the box `number` its digits are inked in. Below: centred 4 px above the cell's
// bottom as long as that clears the number, else right under it; Beside: right of the number,
// level with it, when the cell is too short; Behind: no room anywhere, the caller tints the day
// behind its number instead (the centre is the number's).
struct YearDot
{
    enum class Place { Below, Beside, Behind };
    Place place = Place::Below;
    QPointF centre;
};
YearDot yearBusyDot(const QRect& cell, const QRect& number, int radius);

// Mini month: the cell in row `row` (0..5) and column `column` (0..6) of a widget `width` wide;
// the first (width - 8) mod 7 columns are one pixel wider so the row fills width - 8 exactly.
QRect miniMonthCell(int width, int row, int column);

} // namespace ViewGrid
