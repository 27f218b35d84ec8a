#include "RoundedBlockPainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Scanlines per plain fill of the middle: well under the ~95 spans at which Qt's raster engine
// hands a blend to its thread pool.
constexpr int bandRows = 64;
// Wider blocks, larger radii and a fuller cache fall back to the direct path or a fresh cache.
constexpr int maximumCachedWidth = 0xFFFF;
constexpr int maximumRadius = 64;
constexpr int maximumCachedEnds = 512;

} // namespace

void RoundedBlockPainter::fill(QPainter& painter, const QRect& rect, int radius,
                               const QColor& colour)
{
    if (rect.isEmpty())
        return;
    // The vertical radius after Qt's clamp, rounded up to whole scanlines: every row between the
    // two caps is fully covered from the left edge to the right one.
    const int cap = int(std::ceil(std::min(qreal(std::max(radius, 0)), rect.height() / 2.0)));
    const bool direct = rect.height() < 2 * cap + 1 || rect.width() > maximumCachedWidth ||
                        radius > maximumRadius ||
                        painter.deviceTransform().type() > QTransform::TxTranslate;
    if (direct) {
        const QPen pen = painter.pen();
        const QBrush brush = painter.brush();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(rect, radius, radius);
        painter.setPen(pen);
        painter.setBrush(brush);
        return;
    }
    if (cap > 0) {
        const QImage& image = ends(rect.width(), cap, radius, colour);
        painter.drawImage(rect.topLeft(), image, QRect(0, 0, rect.width(), cap));
        painter.drawImage(QPoint(rect.left(), rect.bottom() + 1 - cap), image,
                          QRect(0, cap, rect.width(), cap));
    }
    // Whole-pixel rectangles come out the same without antialiasing, and much faster.
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int top = rect.top() + cap; top < rect.bottom() + 1 - cap; top += bandRows)
        painter.fillRect(QRect(rect.left(), top, rect.width(),
                               std::min(bandRows, rect.bottom() + 1 - cap - top)),
                         colour);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
}

const QImage& RoundedBlockPainter::ends(int width, int cap, int radius, const QColor& colour)
{
    // width: 16 bits, radius and cap: 8 bits each, colour: 32 bits (all within their bounds).
    const quint64 key = (quint64(colour.rgba()) << 32) | (quint64(width) << 16) |
                        (quint64(radius) << 8) | quint64(cap);
    const auto found = m_ends.constFind(key);
    if (found != m_ends.cend())
        return *found;
    if (m_ends.size() >= maximumCachedEnds)
        m_ends.clear();
    QImage image(width, 2 * cap, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRect(0, 0, width, 2 * cap), radius, radius);
    painter.end();
    return *m_ends.insert(key, image);
}
