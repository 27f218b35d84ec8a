#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where details cards appear over their window. The arithmetic is pure; the two show functions
// carry it out on a card whose host is its parent widget (else the active window).
namespace PopoverPlacement {

// Gap between a card and its anchor or the host's edges, in pixels.
constexpr int margin = 8;

// The top-left corner, in host coordinates, of a card of `size` beside `anchor` (host
// coordinates): to the right of it, top-aligned and kept inside the host vertically; else to its
// left; else centred on it horizontally (inside the host) below it, or above it without room below.
QPoint anchoredTopLeft(const QSize& size, const QRect& anchor, const QRect& host);

// The card centred in the host.
QPoint centeredTopLeft(const QSize& size, const QRect& host);

} // namespace PopoverPlacement

// Places the card beside `globalAnchor` (global coordinates) inside its host, shows and raises it
// and gives it the focus. Nothing happens without a host.
void showPopoverAnchored(QWidget* popover, const QRect& globalAnchor);

// Centres the card in its host, shows and raises it and gives it the focus. Nothing happens
// without a host.
void showPopoverCentered(QWidget* popover);
