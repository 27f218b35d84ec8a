#pragma once

#include "Event.h"

#include <QList>

// Start order of events, compared as instants whatever zone each start carries.
namespace EventSort {

// Sorts by startTime ascending, in place; events with equal starts keep their input order.
// Events without a valid start sort first.
void sortByStart(QList<Event>& events);

// The start as milliseconds since the epoch; the smallest value for an invalid start.
qint64 startKey(const Event& event);

// The end (endTime, else startTime) as milliseconds since the epoch, never before the start.
qint64 endKey(const Event& event);

} // namespace EventSort
