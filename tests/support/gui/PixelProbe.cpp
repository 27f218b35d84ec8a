#include "PixelProbe.h"

#include <QPainter>
#include <QWidget>

#include <cstdlib>

namespace PixelProbe {

QImage render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QString mismatch(const QImage& image, QPoint point, const QColor& expected, int tolerance)
{
    if (!image.rect().contains(point)) {
        return QStringLiteral("(%1, %2) lies outside the %3 x %4 image")
            .arg(point.x())
            .arg(point.y())
            .arg(image.width())
            .arg(image.height());
    }
    const QColor actual = image.pixelColor(point);
    const bool close = std::abs(actual.red() - expected.red()) <= tolerance &&
                       std::abs(actual.green() - expected.green()) <= tolerance &&
                       std::abs(actual.blue() - expected.blue()) <= tolerance;
    if (close)
        return {};
    return QStringLiteral("(%1, %2) is %3, expected %4 within %5")
        .arg(point.x())
        .arg(point.y())
        .arg(actual.name(), expected.name())
        .arg(tolerance);
}

QColor blend(const QColor& foreground, int alpha, const QColor& background)
{
    const auto mix = [alpha](int over, int under) {
        return (over * alpha + under * (255 - alpha)) / 255;
    };
    return QColor(mix(foreground.red(), background.red()),
                  mix(foreground.green(), background.green()),
                  mix(foreground.blue(), background.blue()));
}

} // namespace PixelProbe
