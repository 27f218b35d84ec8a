#include "ViewGrid.h"

#include <algorithm>

namespace ViewGrid {

int weekGridColumns(int width)
{
    if (width >= 1760)
        return 8;
    if (width >= 880)
        return 4;
    if (width >= 440)
        return 2;
    return 1;
}

QRect weekGridCard(int index, const QSize& size)
{
    const int columns = weekGridColumns(size.width());
    const int rows = (columns + 7) / columns;
    const int cellWidth = size.width() / columns;
    const int cellHeight = std::max(size.height() / rows, 120);
    const int row = index / columns;
    const int column = index % columns;
    return QRect(column * cellWidth + 3, row * cellHeight + 3, cellWidth - 6, cellHeight - 6);
}

int weekGridLineHeight(bool compact)
{
    return compact ? 18 : 22;
}

int weekGridLineGap(bool compact)
{
    return compact ? 2 : 3;
}

int weekGridCapacity(int cardHeight, bool compact)
{
    const int gap = weekGridLineGap(compact);
    const int numerator = cardHeight - 48 + gap;
    if (numerator <= 0)
        return 0;
    return numerator / (weekGridLineHeight(compact) + gap);
}

int shownLines(int count, int capacity)
{
    if (count <= capacity)
        return std::max(count, 0);
    return std::max(capacity - 1, 0);
}

int monthChipHeight(bool compact)
{
    return compact ? 13 : 16;
}

int monthChipPitch(bool compact)
{
    return monthChipHeight(compact) + (compact ? 1 : 2);
}

int monthChipFit(int cellHeight, bool compact)
{
    return std::max(cellHeight - 29, 0) / monthChipPitch(compact);
}

YearDot yearBusyDot(const QRect& cell, const QRect& number, int radius)
{
    // One pixel stays free between the dot and the digits.
    const qreal x = cell.center().x() + 0.5;
    const int lowest = cell.bottom() - 4;
    if (lowest - radius > number.bottom() + 1)
        return {YearDot::Place::Below, QPointF(x, lowest)};
    const int underNumber = number.bottom() + 2 + radius;
    if (underNumber + radius <= cell.bottom())
        return {YearDot::Place::Below, QPointF(x, underNumber)};
    const int besideNumber = number.right() + 2 + radius;
    if (besideNumber + radius <= cell.right())
        return {YearDot::Place::Beside, QPointF(besideNumber, number.center().y() + 0.5)};
    return {YearDot::Place::Behind, QPointF(number.center().x() + 0.5, number.center().y() + 0.5)};
}

QRect miniMonthCell(int width, int row, int column)
{
    const int inner = std::max(width - 8, 0);
    const int cellWidth = inner / 7;
    const int remainder = inner - 7 * cellWidth;
    return QRect(4 + cellWidth * column + std::min(column, remainder), 66 + 34 * row,
                 cellWidth + (column < remainder ? 1 : 0), 34);
}

} // namespace ViewGrid
