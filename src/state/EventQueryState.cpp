// The EventQuery overloads over the state hub: they read the repositories it owns.
#include "EventQueryState.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "FilterEngine.h"
#include "FilterRuleRepository.h"
#include "Recurrence.h"
#include "ViewRepository.h"

#include <QTimeZone>

#include <algorithm>

namespace EventQuery {

QStringList activeViewCalendarIds(const AppState* state)
{
    if (!state || !state->views() || !state->calendars())
        return {};
    return calendarIdsForView(state->views()->getById(state->activeViewId()),
                              state->calendars()->getAll());
}

QList<Event> visibleOccurrences(const AppState* state)
{
    const QStringList calendarIds = activeViewCalendarIds(state);
    // An empty list would mean every calendar to the repository.
    if (calendarIds.isEmpty() || !state->events() || !state->filterRules())
        return {};
    const QDateTime now = Clock::nowLocal();
    const QDate today = now.date();
    // All-day events lie at UTC midnights: the search also spans today's and tomorrow's UTC
    // dates, which a zone far from UTC would otherwise cut off.
    const QDateTime from =
        std::min(windowStart(today), QDateTime(today, QTime(0, 0), QTimeZone::utc()));
    const QDateTime to =
        std::max(windowEnd(today), QDateTime(today.addDays(2), QTime(0, 0), QTimeZone::utc()));
    const QList<Event> stored = state->events()->getInRange(from, to, calendarIds);
    const QList<Event> expanded = Recurrence::expand(stored, from, to);
    const FilterResult filtered = FilterEngine::apply(expanded, state->filterRules()->getEnabled());
    return retainUpcoming(filtered.visibleEvents, now, today);
}

std::optional<Event> nextVisibleOccurrence(const AppState* state)
{
    const QList<Event> occurrences = visibleOccurrences(state);
    if (occurrences.isEmpty())
        return std::nullopt;
    return occurrences.first();
}

} // namespace EventQuery
