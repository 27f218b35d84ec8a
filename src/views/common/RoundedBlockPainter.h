#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>

class QPainter;

// Fills antialiased rounded rectangles (the timelines' event blocks and their colour stripes) as
// QPainter::drawRoundedRect would, at a fraction of the cost for tall ones. Qt's raster engine
// hands every fill of more than about 95 scanlines to its thread pool, and on a busy machine that
// hand-off costs far more than the pixels; a week of blocks pays it hundreds of times. Here only
// the rounded ends are drawn as curves (once per size and colour, then copied), and the straight
// middle is filled in bands short enough to stay on the painting thread. Keep one per widget: it
// caches the ends it has drawn.
class RoundedBlockPainter
{
public:
    // The same pixels as painter.drawRoundedRect(rect, radius, radius) with antialiasing, no pen
    // and a solid brush of `colour`, up to rounding. Radii are clamped to half the rectangle's
    // sides as Qt does; an empty rectangle draws nothing. Leaves the painter's pen and brush as
    // they were.
    void fill(QPainter& painter, const QRect& rect, int radius, const QColor& colour);

private:
    // The ends of a rounded rectangle `width` wide: a rounded rectangle two caps tall whose top
    // half is the top end and bottom half the bottom end.
    const QImage& ends(int width, int cap, int radius, const QColor& colour);

    QHash<quint64, QImage> m_ends;
};
