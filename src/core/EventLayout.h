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
// Events that merely touch (one ends as the next begins) do not overlap. An event without length
// (no end, or its end at its start) is drawn as a block of minimum height, so it is taken to last
// `instantMsecs` milliseconds, the time that block stands for; with 0 it occupies its start
// instant only, which two such events at one instant still share, each in its own column.
// O(n log n); the result is in that sorted order.
QList<LaidOutEvent> layoutTimedEvents(QList<Event> events, qint64 instantMsecs = 0);

} // namespace EventLayout
