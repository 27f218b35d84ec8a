#pragma once

#include <QString>
#include <QStringList>

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class TaskRepository;

// Removes calendars and accounts from the store without leaving rows behind that point at
// nothing: a calendar goes with its events (and their reminders, attendees and attachments), its
// tasks and its queued sync operations; an account with all its calendars, then its row is
// tombstoned so the configuration sync can send the deletion. Each call is one transaction: on
// any failure nothing is removed and the result is false. The repositories announce the change
// afterwards. Credentials are not the store's: the caller deletes them.
class CalendarRemoval
{
public:
    // None is owned; all must outlive the removal.
    CalendarRemoval(Database* database, CalendarRepository* calendars, AccountRepository* accounts,
                    EventRepository* events, TaskRepository* tasks);

    bool removeCalendar(const QString& calendarId);
    bool removeAccount(const QString& accountId);

private:
    bool isReady() const;
    void announce(const QStringList& calendarIds, bool accounts);

    Database* m_database;
    CalendarRepository* m_calendars;
    AccountRepository* m_accounts;
    EventRepository* m_events;
    TaskRepository* m_tasks;
};
