#include "PopoverPlacement.h"

#include <QApplication>
#include <QWidget>

namespace PopoverPlacement {

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

} // namespace PopoverPlacement

namespace {

QWidget* hostOf(QWidget* popover)
{
    if (!popover)
        return nullptr;
    return popover->parentWidget() ? popover->parentWidget() : QApplication::activeWindow();
}

void present(QWidget* popover, const QPoint& topLeft)
{
    popover->move(topLeft);
    popover->show();
    popover->raise();
    popover->setFocus(Qt::OtherFocusReason);
}

} // namespace

void showPopoverAnchored(QWidget* popover, const QRect& globalAnchor)
{
    QWidget* host = hostOf(popover);
    if (!host)
        return;
    popover->adjustSize();
    const QRect anchor(host->mapFromGlobal(globalAnchor.topLeft()), globalAnchor.size());
    present(popover, PopoverPlacement::anchoredTopLeft(popover->size(), anchor, host->rect()));
}

void showPopoverCentered(QWidget* popover)
{
    QWidget* host = hostOf(popover);
    if (!host)
        return;
    popover->adjustSize();
    present(popover, PopoverPlacement::centeredTopLeft(popover->size(), host->rect()));
}
