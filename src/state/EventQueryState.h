#pragma once

#include "EventQuery.h"

class AppState;

// The EventQuery decisions over the state hub: they read the repositories it owns.
namespace EventQuery {

// Over the hub (null or uninitialised: empty results).
// Today's and tomorrow's occurrences of the active View's calendars that are not over, after
// recurrence expansion and the enabled filter rules (dimmed events stay), by start.
QList<Event> visibleOccurrences(const AppState* state);
// The first of visibleOccurrences: possibly an all-day event or one already in progress.
std::optional<Event> nextVisibleOccurrence(const AppState* state);

} // namespace EventQuery
