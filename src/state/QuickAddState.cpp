// The QuickAdd overloads over the state hub: they read the calendars and store the event.
#include "QuickAddState.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"

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

QString createEvent(AppState* state, const QString& text, const QString& preferredId,
                    Failure* failure)
{
    const auto fail = [failure](Failure why) {
        if (failure)
            *failure = why;
        return QString();
    };
    if (chooseCalendar(state, preferredId).isEmpty())
        return fail(Failure::NoWritableCalendar);
    const Event event = buildEvent(state, text, preferredId);
    if (event.title.isEmpty())
        return fail(Failure::Unreadable);
    // While an import holds the store the event is kept and stored when it ends.
    if (event.calendarId.isEmpty() || !state->insertOrKeep(event))
        return fail(Failure::WriteFailed);
    if (failure)
        *failure = Failure::None;
    return event.id;
}

} // namespace QuickAdd
