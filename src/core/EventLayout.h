#pragma once

#include "Event.h"

#include <QList>

// One event placed in the side-by-side columns of a timeline.
struct LaidOutEvent
{
    Event event;
    int column = 0;      // from 0, within the event's cluster
    int columnCount = 1; // columns of the whole cluster, the same for each of its events
};

// Column layout of overlapping timed events.
namespace EventLayout {

// Sorts the events by start, then end, and gives each the lowest column free at its start.
// Events that merely touch (one ends as the next begins) do not overlap. An event without an
// end occupies its start instant only. O(n log n); the result is in that sorted order.
QList<LaidOutEvent> layoutTimedEvents(QList<Event> events);

} // namespace EventLayout
