#pragma once

#include "AppState.h"
#include "Clock.h"
#include "EventRepository.h"

#include <QTimeZone>
#include <QUuid>

// Events for the tray tests, stored in the seeded local calendar.
namespace TrayTesting {

inline QDateTime local(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), QTimeZone::systemTimeZone());
}

// A timed event from start to end (local times), or an all-day event on `day` of March 2026
// stored as all-day events are: 00:00 UTC of the date.
inline QString addEvent(AppState* state, const QString& title, const QDateTime& start,
                        const QDateTime& end, bool allDay = false, const QString& location = {})
{
    Event event;
    event.id = event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.calendarId = AppState::localCalendarId;
    event.title = title.isNull() ? QStringLiteral("") : title;
    event.location = location;
    event.isAllDay = allDay;
    event.startTime = allDay ? QDateTime(start.date(), QTime(0, 0), Qt::UTC) : start.toUTC();
    event.endTime = allDay ? event.startTime.addDays(1) : end.toUTC();
    event.rawIcalendar = QStringLiteral("");
    event.created = event.lastModified = Clock::now();
    return state->events()->insert(event) ? event.id : QString();
}

} // namespace TrayTesting
