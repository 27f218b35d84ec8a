#include "StoreSeed.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "Ical.h"

#include <QTimeZone>

namespace StoreSeed {

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

Account account(const QString& id, const QString& name, const QString& type)
{
    Account account;
    account.id = id;
    account.name = name;
    account.type = type;
    account.createdAt = account.updatedAt = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    return account;
}

Calendar calendar(const QString& id, const QString& accountId, const QString& name,
                  const QString& color)
{
    Calendar calendar;
    calendar.id = id;
    calendar.accountId = accountId;
    calendar.name = name;
    calendar.color = color;
    calendar.url = QStringLiteral("https://dav.invalid/") + id + QLatin1Char('/');
    calendar.createdAt = calendar.updatedAt = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    return calendar;
}

Event timedEvent(const QString& id, const QString& calendarId, const QString& title,
                 const QDateTime& start, const QDateTime& end)
{
    Event event;
    event.id = event.uid = id;
    event.calendarId = calendarId;
    event.title = title;
    event.startTime = start;
    event.endTime = end;
    event.created = event.lastModified = start;
    event.syncStatus = QStringLiteral("synced");
    return event;
}

Event allDayEvent(const QString& id, const QString& calendarId, const QString& title,
                  const QDate& first, const QDate& last)
{
    Event event = timedEvent(id, calendarId, title, QDateTime(first, QTime(0, 0), Qt::UTC),
                             QDateTime(last.addDays(1), QTime(0, 0), Qt::UTC));
    event.isAllDay = true;
    return event;
}

bool addCalendar(AppState* state, const Account& account, const Calendar& calendar)
{
    if (!state->accounts()->getById(account.id) && !state->accounts()->insert(account))
        return false;
    return state->calendars()->insert(calendar);
}

bool addEvent(AppState* state, Event event)
{
    event.rawIcalendar = Ical::buildEvent(event);
    return state->events()->insert(event);
}

} // namespace StoreSeed
