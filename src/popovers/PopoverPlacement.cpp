#include "PopoverPlacement.h"

#include <QApplication>
#include <QGraphicsEffect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace PopoverPlacement {

namespace {

bool fits(const QSize& size, const QRect& area)
{
    return size.width() + 2 * margin <= area.width() && size.height() + 2 * margin <= area.height();
}

// `topLeft` moved so that the card lies `margin` inside the area, its top-left corner first.
QPoint keptInside(const QPoint& topLeft, const QSize& size, const QRect& area)
{
    const QRect inner = area.marginsRemoved(QMargins(margin, margin, margin, margin));
    return {std::max(std::min(topLeft.x(), inner.right() + 1 - size.width()), inner.left()),
            std::max(std::min(topLeft.y(), inner.bottom() + 1 - size.height()), inner.top())};
}

} // namespace

QPoint anchoredTopLeft(const QSize& size, const QRect& anchor, const QRect& host)
{
    const int w = size.width();
    const int h = size.height();
    int y = anchor.top();
    if (y + h + margin > host.bottom())
        y = host.bottom() - margin - h;
    if (y < host.top() + margin)
        y = host.top() + margin;

    if (anchor.right() + margin + w <= host.right())
        return {anchor.right() + margin, y};
    if (anchor.left() - margin - w >= host.left())
        return {anchor.left() - margin - w, y};

    int x = std::max(anchor.center().x() - w / 2, host.left() + margin);
    if (x + w > host.right() - margin)
        x = host.right() - margin - w;
    y = anchor.bottom() + margin;
    if (y + h > host.bottom())
        y = anchor.top() - margin - h;
    return {x, y};
}

QPoint centeredTopLeft(const QSize& size, const QRect& host)
{
    return {host.left() + (host.width() - size.width()) / 2,
            host.top() + (host.height() - size.height()) / 2};
}

Spot anchoredSpot(const QSize& size, const QRect& anchor, const QRect& host, const QRect& screen)
{
    if (fits(size, host))
        return {keptInside(anchoredTopLeft(size, anchor, host), size, host), false};
    return {keptInside(anchoredTopLeft(size, anchor, screen), size, screen), true};
}

Spot centeredSpot(const QSize& size, const QRect& host, const QRect& screen)
{
    if (fits(size, host))
        return {centeredTopLeft(size, host), false};
    return {keptInside(centeredTopLeft(size, host), size, screen), true};
}

} // namespace PopoverPlacement

namespace {

QWidget* hostOf(QWidget* popover)
{
    if (!popover)
        return nullptr;
    return popover->parentWidget() ? popover->parentWidget() : QApplication::activeWindow();
}

QRect globalRect(const QWidget* widget)
{
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

QRect screenAreaOf(const QWidget* host)
{
    const QScreen* screen = host->screen();
    return screen ? screen->availableGeometry() : globalRect(host);
}

void present(QWidget* popover, QWidget* host, const PopoverPlacement::Spot& spot)
{
    if (spot.ownWindow) {
        // Still a child of the host's window: it stays above that window and goes with it. Its
        // shadow would be cut off at its edges.
        const QSize size = popover->size();
        popover->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        if (QGraphicsEffect* shadow = popover->graphicsEffect())
            shadow->setEnabled(false);
        popover->resize(size);
        popover->move(spot.topLeft);
    } else {
        popover->move(host->mapFromGlobal(spot.topLeft));
    }
    popover->show();
    popover->raise();
    if (spot.ownWindow)
        popover->activateWindow();
    popover->setFocus(Qt::OtherFocusReason);
}

} // namespace

void showPopoverAnchored(QWidget* popover, const QRect& globalAnchor)
{
    QWidget* host = hostOf(popover);
    if (!host)
        return;
    popover->adjustSize();
    present(popover, host,
            PopoverPlacement::anchoredSpot(popover->size(), globalAnchor, globalRect(host),
                                           screenAreaOf(host)));
}

void showPopoverCentered(QWidget* popover)
{
    QWidget* host = hostOf(popover);
    if (!host)
        return;
    popover->adjustSize();
    present(popover, host,
            PopoverPlacement::centeredSpot(popover->size(), globalRect(host), screenAreaOf(host)));
}
