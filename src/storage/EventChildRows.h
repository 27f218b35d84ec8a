#pragma once

#include "Event.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QTimeZone>

class StatementCache;

// The rows that belong to one event (reminders, attendees, attachments). The batch loaders fill
// the lists of every event with two statements per slice of ids; the writers replace an event's
// rows, reporting the first failure.
class EventChildRows
{
public:
    static void loadRemindersBatch(QSqlDatabase& db, QList<Event>& events);
    static void loadAttendeesBatch(QSqlDatabase& db, QList<Event>& events);
    static void loadReminders(QSqlDatabase& db, Event& event);
    static void loadAttendees(QSqlDatabase& db, Event& event);

    // The zone reminder triggers of `event` are counted in (ReminderAck): the machine's for an
    // all-day event; a timed one needs none, and looking the machine's up costs more than a row.
    static QTimeZone reminderZone(const Event& event);

    // Each in a savepoint of its own. Each reminder's trigger and acknowledgement are as
    // ReminderAck decides them from the rows stored before, in the machine's zone.
    static bool writeReminderRows(QSqlDatabase& db, const Event& event);
    static bool writeAttendeeRows(QSqlDatabase& db, const Event& event);
    // Inside the caller's transaction, through its statements. `replace`: delete the event's old
    // rows first (and compare triggers with them).
    static bool writeReminders(QSqlDatabase& db, StatementCache& statements, const Event& event,
                               bool replace);
    static bool writeAttendees(StatementCache& statements, const Event& event, bool replace);

    // Deletes the event row and the rows of every table that belongs to it, inside the caller's
    // transaction; on failure `error` names the table and the driver's text.
    static bool deleteRows(const QSqlDatabase& db, const QString& id, QString& error);
};
