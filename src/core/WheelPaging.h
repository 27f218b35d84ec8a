#pragma once

// Horizontal wheel gestures that page the calendar by periods: which gestures qualify and how
// their deltas add up to steps.
namespace WheelPaging {

// Where a wheel event arrived.
struct Target
{
    bool inMainWindow = false;           // the widget belongs to the window hosting the views
    bool modalDialogOpen = false;        // an application-modal window is open
    bool horizontallyScrollable = false; // inside a scroll area that can scroll horizontally
};

// True when the gesture is horizontal (x not 0 and |y| not larger than |x|) and reaches the
// views: a widget of the main window, no modal dialog open, and no scroll area under it that
// would scroll sideways itself. Every other wheel event is left to its widget.
bool pagesPeriod(int deltaX, int deltaY, const Target& target);

// One notch is 120; two notches make a step. Adds `deltaX` to the running sum (reset first when
// its sign differs from the sum's) and returns the steps taken: +1 per 240 below zero (forward),
// -1 per 240 above (back), keeping the remainder in `accumulator`.
int addDelta(int& accumulator, int deltaX);

} // namespace WheelPaging
