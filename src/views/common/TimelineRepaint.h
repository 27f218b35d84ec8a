#pragma once

class QMoveEvent;
class QWidget;

// Repaints the day and week timelines need beyond what the toolkit sends.
namespace TimelineRepaint {

// After the timeline moved inside its scroll area: scrolling copies the pixels already drawn,
// but the text of a block begun above the visible area keeps to the visible top, so the text band
// where that top was and where it is now are drawn again.
void afterScroll(QWidget* timeline, const QMoveEvent* event);

} // namespace TimelineRepaint
