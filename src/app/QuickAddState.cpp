// The QuickAdd overloads over the state hub: they read the calendars and store the event.
#include "QuickAdd.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"

#include <QUuid>

namespace QuickAdd {

QString chooseCalendar(const AppState* state, const QString& preferredId)
{
    if (!state || !state->calendars())
        return {};
    return chooseCalendar(state->calendars()->getAll(), preferredId);
}

Event buildEvent(const AppState* state, const QString& text, const QString& preferredId)
{
    if (text.trimmed().isEmpty())
        return {};
    return buildEvent(text, Clock::nowLocal(), chooseCalendar(state, preferredId),
                      QUuid::createUuid().toString(QUuid::WithoutBraces), Clock::now());
}

QString createEvent(AppState* state, const QString& text, const QString& preferredId)
{
    const Event event = buildEvent(state, text, preferredId);
    if (event.title.isEmpty() || event.calendarId.isEmpty() || !state->events())
        return {};
    return state->events()->insert(event) ? event.id : QString();
}

} // namespace QuickAdd
