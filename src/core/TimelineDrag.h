#pragma once

#include <QRect>

// The arithmetic of dragging a block in a timeline: when a press becomes a move or a resize, how
// pointer travel snaps to quarter hours, and where the ghost of the block goes. Pure functions
// over plain values, shared by the day and the multi-day timelines; any input is accepted.
namespace TimelineDrag {

// Pixels a pressed block must travel before it moves.
inline constexpr int moveThreshold = 4;
// Drags snap to this many minutes.
inline constexpr int snapMinutes = 15;
// The ghost of a resize is never shorter than this many pixels.
inline constexpr int minimumGhostHeight = 8;
// The latest time of day a moved block's label shows (23:45), in minutes.
inline constexpr int latestLabelMinutes = 24 * 60 - 15;

// Height of the band at the bottom of a block where a press resizes: min(height / 3, 7).
int resizeZone(const QRect& block);

// Whether y lies in that band: y ≥ bottom − zone, bottom being the block's last pixel row.
bool inResizeZone(const QRect& block, int y);

// The offset in minutes, a multiple of snapMinutes, for a vertical travel of `dy` pixels at
// `rowHeight` pixels per hour; halves round away from zero. 0 for a non-positive row height.
int snappedMinutes(int dy, int rowHeight);

// The ghost of the dragged block: moved down by the offset, or (resizing) with its height
// changed by it but never below minimumGhostHeight.
QRect ghostRect(const QRect& dragged, bool resizing, int minutes, int rowHeight);

// The time of day at the ghost's top that a move's label shows, in minutes after midnight,
// clamped to 0..latestLabelMinutes.
int moveLabelMinutes(const QRect& ghost, int rowHeight);

// The length a resize's label shows, in minutes (0 for an empty ghost or row height).
int resizeLabelMinutes(const QRect& ghost, int rowHeight);

} // namespace TimelineDrag
