#include "VisibleEvents.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Recurrence.h"
#include "ViewCalendars.h"
#include "ViewRepository.h"

#include <QCoreApplication>

namespace VisibleEvents {

namespace {

bool canListViewCalendars(const AppState* state)
{
    return state && state->views() && state->calendars();
}

} // namespace

QStringList calendarIds(const AppState* state)
{
    if (!canListViewCalendars(state))
        return {};
    return ViewCalendars::ids(state->views()->getById(state->activeViewId()),
                              state->calendars()->getAll());
}

Result load(const AppState* state, const QDateTime& from, const QDateTime& to,
            const Options& options)
{
    Result result;
    const bool activeView = options.calendars == Calendars::ActiveView;
    if (!state || !state->events() || (!options.rules && !state->filterRules()) ||
        (activeView && !canListViewCalendars(state)))
        return result;
    if (activeView) {
        result.calendars = state->calendars()->getAll();
        result.calendarIds =
            ViewCalendars::ids(state->views()->getById(state->activeViewId()), result.calendars);
    }
    if (!activeView || !result.calendarIds.isEmpty()) {
        result.occurrences =
            Recurrence::expand(state->events()->getInRange(from, to, result.calendarIds), from, to);
    }
    result.filtered = FilterEngine::apply(
        result.occurrences, options.rules ? *options.rules : state->filterRules()->getEnabled());
    return result;
}

QString shownTitle(const Event& event)
{
    return event.title.isEmpty() ? QCoreApplication::translate("VisibleEvents", "(Untitled)")
                                 : event.title;
}

} // namespace VisibleEvents
