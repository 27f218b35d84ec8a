// The EventQuery overloads over the state hub: they read what the views show through it.
#include "EventQueryState.h"

#include "Clock.h"
#include "VisibleEvents.h"

#include <QTimeZone>

#include <algorithm>

namespace EventQuery {

QList<Event> visibleOccurrences(const AppState* state)
{
    const QDateTime now = Clock::nowLocal();
    const QDate today = now.date();
    // All-day events lie at UTC midnights: the search also spans today's and tomorrow's UTC
    // dates, which a zone far from UTC would otherwise cut off.
    const QDateTime from =
        std::min(windowStart(today), QDateTime(today, QTime(0, 0), QTimeZone::utc()));
    const QDateTime to =
        std::max(windowEnd(today), QDateTime(today.addDays(2), QTime(0, 0), QTimeZone::utc()));
    return retainUpcoming(VisibleEvents::load(state, from, to).filtered.visibleEvents, now, today);
}

std::optional<Event> nextVisibleOccurrence(const AppState* state)
{
    const QList<Event> occurrences = visibleOccurrences(state);
    if (occurrences.isEmpty())
        return std::nullopt;
    return occurrences.first();
}

} // namespace EventQuery
