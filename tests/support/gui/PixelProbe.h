#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

class QWidget;

// Pixel checks at places the layout fixes, with a tolerance for antialiasing and blending; never
// whole-image comparisons.
//
//     const QImage image = PixelProbe::render(&strip);
//     QCOMPARE(PixelProbe::mismatch(image, {80, 14}, expectedFill, 12), QString());
namespace PixelProbe {

// The widget painted at its current size into an image at device pixel ratio 1.
QImage render(QWidget* widget);

// Empty when the pixel at `point` is within `tolerance` of `expected` in each of red, green and
// blue; otherwise a text naming the point and both colours (also when the point is outside).
QString mismatch(const QImage& image, QPoint point, const QColor& expected, int tolerance);

// `foreground` at `alpha` (0..255) over the opaque `background`, as a painter blends it.
QColor blend(const QColor& foreground, int alpha, const QColor& background);

} // namespace PixelProbe
