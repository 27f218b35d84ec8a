#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where details cards appear over their window. The arithmetic is pure; the two show functions
// carry it out on a card whose host is its parent widget (else the active window). A card too
// large for its window stands on the window's screen instead, in a frameless window of its own.
namespace PopoverPlacement {

// Gap between a card and its anchor or the host's edges, in pixels.
constexpr int margin = 8;

// The top-left corner, in host coordinates, of a card of `size` beside `anchor` (host
// coordinates): to the right of it, top-aligned and kept inside the host vertically; else to its
// left; else centred on it horizontally (inside the host) below it, or above it without room below.
QPoint anchoredTopLeft(const QSize& size, const QRect& anchor, const QRect& host);

// The card centred in the host.
QPoint centeredTopLeft(const QSize& size, const QRect& host);

// Where a card stands, in global coordinates, and whether that is in a window of its own.
struct Spot
{
    QPoint topLeft;
    bool ownWindow = false;
};

// A card of `size` beside `anchor`, all in global coordinates: inside `host` (its window) by
// anchoredTopLeft when it fits there with `margin` all round, else by anchoredTopLeft over
// `screen` (the available area of the window's screen) in a window of its own. Either way it is
// kept `margin` inside the area it stands in; one larger than the screen keeps its top-left
// corner there.
Spot anchoredSpot(const QSize& size, const QRect& anchor, const QRect& host, const QRect& screen);

// A card centred in `host` when it fits there as above; else centred on the host as far as it
// stays inside `screen`, in a window of its own.
Spot centeredSpot(const QSize& size, const QRect& host, const QRect& screen);

} // namespace PopoverPlacement

// Places the card beside `globalAnchor` (global coordinates) inside its host (or on its screen,
// see anchoredSpot), shows and raises it and gives it the focus. Nothing happens without a host.
void showPopoverAnchored(QWidget* popover, const QRect& globalAnchor);

// Centres the card in its host (or over it on its screen, see centeredSpot), shows and raises it
// and gives it the focus. Nothing happens without a host.
void showPopoverCentered(QWidget* popover);
