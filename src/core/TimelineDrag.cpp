#include "TimelineDrag.h"

#include <algorithm>
#include <cmath>

namespace TimelineDrag {

int resizeZone(const QRect& block)
{
    return std::min(block.height() / 3, 7);
}

bool inResizeZone(const QRect& block, int y)
{
    return y >= block.bottom() - resizeZone(block);
}

int snappedMinutes(int dy, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    const double steps = dy / (rowHeight / 60.0) / snapMinutes;
    const double rounded = steps >= 0 ? std::trunc(steps + 0.5) : std::trunc(steps - 0.5);
    return snapMinutes * int(rounded);
}

QRect ghostRect(const QRect& dragged, bool resizing, int minutes, int rowHeight)
{
    const int dy = int(qint64(rowHeight) * minutes / 60);
    QRect ghost = dragged;
    if (resizing)
        ghost.setHeight(std::max(dragged.height() + dy, minimumGhostHeight));
    else
        ghost.translate(0, dy);
    return ghost;
}

int moveLabelMinutes(const QRect& ghost, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    return std::clamp(int(qint64(ghost.y()) * 60 / rowHeight), 0, latestLabelMinutes);
}

int resizeLabelMinutes(const QRect& ghost, int rowHeight)
{
    if (rowHeight <= 0 || ghost.height() < 1)
        return 0;
    return int(qint64(ghost.height()) * 60 / rowHeight);
}

} // namespace TimelineDrag
