#pragma once

#include "Account.h"
#include "Calendar.h"
#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class AppState;

// Records for seeding a test store through the hub's repositories. Times are local (the
// machine's zone) unless the name says otherwise; all-day events are stored the one way the
// store keeps them, 00:00 UTC of the first date to 00:00 UTC of the day after the last.
namespace StoreSeed {

QDateTime local(const QDate& date, const QTime& time);

// An account of `type` ("caldav" syncs both ways, "orvandellic" is the local kind).
Account account(const QString& id, const QString& name, const QString& type);
Calendar calendar(const QString& id, const QString& accountId, const QString& name,
                  const QString& color);

// A synced single event with its iCalendar text, id and uid equal.
Event timedEvent(const QString& id, const QString& calendarId, const QString& title,
                 const QDateTime& start, const QDateTime& end);
// First and last date inclusive.
Event allDayEvent(const QString& id, const QString& calendarId, const QString& title,
                  const QDate& first, const QDate& last);

// Inserts the account and its calendar; false when either insert failed.
bool addCalendar(AppState* state, const Account& account, const Calendar& calendar);
// Inserts the event (its iCalendar text rebuilt from the record first); false on failure.
bool addEvent(AppState* state, Event event);

} // namespace StoreSeed
