#pragma once

#include <QProxyStyle>

// The application style: "Fusion" with check-box and radio-button indicators drawn in the
// theme's colours (read at every paint, so a mode change shows at the next repaint) and an
// indicator size of 18 pixels.
class CalendarProxyStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CalendarProxyStyle();
    ~CalendarProxyStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    // A check box (rounded square with a tick) or radio button (circle with a dot) indicator.
    void drawIndicator(QPainter* painter, const QRect& rect, QStyle::State state, bool radio) const;
};
