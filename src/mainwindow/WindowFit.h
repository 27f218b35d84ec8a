#pragma once

class QWidget;

// Windows built at a size of their own on screens that may be smaller.
namespace WindowFit {

// Room left on the screen for a window's title bar and frame, which are not known before the
// window is first shown.
inline constexpr int frameAllowance = 60;

// Shrinks the window, where it is larger, to its screen's free area less frameAllowance, so that
// its foot (a status bar, a "+ New Task") stays on a laptop's screen.
void boundToScreen(QWidget* window);

} // namespace WindowFit
