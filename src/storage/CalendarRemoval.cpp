#include "CalendarRemoval.h"

#include "AccountRepository.h"
#include "Calendar.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "EventRepository.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"
#include "TaskRepository.h"

namespace {

// The statements that empty one calendar and remove it, children first.
bool deleteCalendarRows(QSqlDatabase& db, const QString& calendarId)
{
    const char* operation = "CalendarRemoval::removeCalendar";
    const QString ofEvents =
        QStringLiteral("event_id IN (SELECT id FROM events WHERE calendar_id = ?)");
    const QStringList statements = {
        QStringLiteral("DELETE FROM reminders WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM attendees WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM attachments WHERE ") + ofEvents,
        QStringLiteral("DELETE FROM events WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM tasks WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM sync_queue WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM calendars WHERE id = ?"),
    };
    for (const QString& statement : statements) {
        if (!StoreSql::exec(db, statement, {calendarId}, operation))
            return false;
    }
    return true;
}

} // namespace

CalendarRemoval::CalendarRemoval(Database* database, CalendarRepository* calendars,
                                 AccountRepository* accounts, EventRepository* events,
                                 TaskRepository* tasks)
    : m_database(database), m_calendars(calendars), m_accounts(accounts), m_events(events),
      m_tasks(tasks)
{
}

bool CalendarRemoval::isReady() const
{
    return m_database && m_calendars && m_accounts && m_events && m_tasks;
}

void CalendarRemoval::announce(const QStringList& calendarIds, bool accounts)
{
    for (const QString& id : calendarIds) {
        m_events->scheduleChanged(id);
        m_tasks->scheduleChanged(id);
    }
    Q_EMIT m_calendars->calendarsChanged();
    if (accounts)
        Q_EMIT m_accounts->accountsChanged();
}

bool CalendarRemoval::removeCalendar(const QString& calendarId)
{
    if (!isReady() || calendarId.isEmpty())
        return false;
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    if (!transaction.isActive() || !deleteCalendarRows(db, calendarId) || !transaction.commit())
        return false;
    announce({calendarId}, false);
    return true;
}

bool CalendarRemoval::removeAccount(const QString& accountId)
{
    if (!isReady() || accountId.isEmpty())
        return false;
    QStringList calendarIds;
    for (const Calendar& calendar : m_calendars->getByAccount(accountId))
        calendarIds.append(calendar.id);
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    if (!transaction.isActive())
        return false;
    for (const QString& id : calendarIds) {
        if (!deleteCalendarRows(db, id))
            return false;
    }
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    if (!StoreSql::exec(db,
                        QStringLiteral("UPDATE accounts SET deleted_at = ?, updated_at = ? "
                                       "WHERE id = ?"),
                        {now, now, accountId}, "CalendarRemoval::removeAccount") ||
        !transaction.commit())
        return false;
    announce(calendarIds, true);
    return true;
}
