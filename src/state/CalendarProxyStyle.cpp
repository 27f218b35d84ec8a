#include "CalendarProxyStyle.h"

#include "Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

constexpr int indicatorSize = 18;

struct IndicatorColours
{
    QColor border;
    QColor fill;
    QColor mark; // invalid when no mark is drawn
};

QRectF insetRect(const QRect& rect)
{
    return QRectF(rect).adjusted(1.0, 1.0, -1.0, -1.0);
}

QPen borderPen(const QColor& colour)
{
    return QPen(QBrush(colour), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

IndicatorColours indicatorColours(QStyle::State state, bool radio)
{
    const bool on = state.testFlag(QStyle::State_On);
    // A disabled mark takes the disabled text colour: a white tick on the light surface would
    // hide that the box is checked.
    if (!state.testFlag(QStyle::State_Enabled))
        return {Theme::textDisabled(), Theme::surface(), on ? Theme::textDisabled() : QColor()};
    // A checked box fills with the accent under a white tick; a radio button keeps the surface
    // and shows an accent dot.
    if (on && radio)
        return {Theme::accent(), Theme::surface(), Theme::accent()};
    if (on)
        return {Theme::accent(), Theme::accent(), QColor(Qt::white)};
    if (state.testFlag(QStyle::State_MouseOver))
        return {Theme::accent(), Theme::surfaceMuted(), QColor()};
    return {Theme::textPrimary(), Theme::surfaceMuted(), QColor()};
}

} // namespace

CalendarProxyStyle::CalendarProxyStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

CalendarProxyStyle::~CalendarProxyStyle() = default;

void CalendarProxyStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const
{
    if (option && painter) {
        switch (element) {
        case PE_IndicatorItemViewItemCheck:
        case PE_IndicatorCheckBox:
            drawIndicator(painter, option->rect, option->state, false);
            return;
        case PE_IndicatorRadioButton:
            drawIndicator(painter, option->rect, option->state, true);
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int CalendarProxyStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return indicatorSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void CalendarProxyStyle::drawIndicator(QPainter* painter, const QRect& rect, QStyle::State state,
                                       bool radio) const
{
    const IndicatorColours colours = indicatorColours(state, radio);
    const QRectF r = insetRect(rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(borderPen(colours.border));
    painter->setBrush(colours.fill);
    if (radio)
        painter->drawEllipse(r);
    else
        painter->drawRoundedRect(r, 3.0, 3.0, Qt::AbsoluteSize);
    const qreal s = std::min(r.width(), r.height());
    const QPointF c = r.center();
    if (colours.mark.isValid() && radio) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(colours.mark);
        painter->drawEllipse(c, 0.26 * s, 0.26 * s);
    } else if (colours.mark.isValid()) {
        QPainterPath tick;
        tick.moveTo(c.x() - 0.28 * s, c.y() + 0.02 * s);
        tick.lineTo(c.x() - 0.06 * s, c.y() + 0.22 * s);
        tick.lineTo(c.x() + 0.30 * s, c.y() - 0.20 * s);
        painter->setPen(
            QPen(QBrush(colours.mark), 0.18 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    }
    painter->restore();
}
