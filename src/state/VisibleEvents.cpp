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

bool canListViewCalendars(const Store& store)
{
    return store.views && store.calendars;
}

} // namespace

Store storeOf(const AppState* state)
{
    if (!state)
        return {};
    return {state->views(), state->calendars(), state->events(), state->filterRules(),
            state->activeViewId()};
}

QStringList calendarIds(const AppState* state)
{
    const Store store = storeOf(state);
    if (!canListViewCalendars(store))
        return {};
    return ViewCalendars::ids(store.views->getById(store.activeViewId), store.calendars->getAll());
}

Result load(const AppState* state, const QDateTime& from, const QDateTime& to,
            const Options& options)
{
    return load(storeOf(state), from, to, options);
}

Result load(const Store& store, const QDateTime& from, const QDateTime& to,
            const Options& options)
{
    Result result;
    const bool activeView = options.calendars == Calendars::ActiveView;
    if (!store.events || (!options.rules && !store.filterRules) ||
        (activeView && !canListViewCalendars(store)))
        return result;
    if (activeView) {
        result.calendars = store.calendars->getAll();
        result.calendarIds =
            ViewCalendars::ids(store.views->getById(store.activeViewId), result.calendars);
    }
    if (!activeView || !result.calendarIds.isEmpty()) {
        result.occurrences =
            Recurrence::expand(store.events->getInRange(from, to, result.calendarIds), from, to);
    }
    result.filtered = FilterEngine::apply(
        result.occurrences, options.rules ? *options.rules : store.filterRules->getEnabled());
    return result;
}

QString shownTitle(const Event& event)
{
    return event.title.isEmpty() ? QCoreApplication::translate("VisibleEvents", "(Untitled)")
                                 : event.title;
}

} // namespace VisibleEvents
