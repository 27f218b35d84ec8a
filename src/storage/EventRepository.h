#pragma once

#include "Event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

class ChangeCoalescer;
class Database;
class EventInserts;
class StatementCache;
class QSqlQuery;

// The events (table `events`) with their reminder and attendee rows. Every lookup returns the
// events with their reminders and attendees loaded, so that writing a record back never drops
// child rows it was not given. An event and its child rows are written whole or not at all: in
// a savepoint of their own, or, for a new event inside a caller's transaction, by deleting the
// rows written under its id when a child row fails. Changes are announced by `eventsChanged`,
// coalesced over 150 ms.
class EventRepository : public QObject
{
    Q_OBJECT

public:
    explicit EventRepository(Database* database, QObject* parent = nullptr);
    ~EventRepository() override;

    // Live events of the calendar by start.
    QList<Event> getByCalendar(const QString& calendarId) const;
    // Soft-deleted rows included.
    std::optional<Event> getById(const QString& id) const;
    // Soft-deleted rows included; the first row of a series and its overrides.
    std::optional<Event> getByUid(const QString& uid, const QString& calendarId) const;
    // Soft-deleted rows included; an empty recurrence id finds the series or single event.
    std::optional<Event> getByUidAndRecurrenceId(const QString& uid, const QString& calendarId,
                                                 const QString& recurrenceId) const;
    // Live rows of one UID in the calendar: a series' master first, then its overrides by
    // recurrence id.
    QList<Event> getSeries(const QString& uid, const QString& calendarId) const;
    // Live events that start before `to` and end after `from` (or have no end, or recur), of
    // the given calendars (all when the list is empty), by start. Invalid bounds give nothing.
    QList<Event> getInRange(const QDateTime& from, const QDateTime& to,
                            const QStringList& calendarIds) const;
    // Pending rows of the calendar, soft-deleted ones included (the pending deletions).
    QList<Event> getPending(const QString& calendarId) const;
    // Their ids alone, in no particular order: what every sync run asks first, and on most runs
    // there are none.
    QStringList pendingIds(const QString& calendarId) const;
    // Live events whose title, location or description contains the trimmed text literally
    // (ASCII case-insensitive), by start, at most max(limit, 1).
    QList<Event> search(const QString& text, int limit) const;

    // Writes the event and its child rows; an empty syncStatus is stored as "synced".
    bool insert(const Event& event);
    // Inserts many new events as insert does, each whole or not at all, one refused event
    // leaving the others; the result tells, per event in order, whether it was written. Inside
    // a caller's transaction they go in as one batch and each calendar is announced once;
    // outside one, event by event.
    QList<bool> insertAll(const QList<Event>& events);
    // Rewrites the row (but `created`) and its child rows from the record; stamps
    // last_modified; an empty syncStatus is stored as "pending".
    bool update(const Event& event);
    // Soft delete: the row stays, pending, with its children, so the sync can send it.
    bool remove(const QString& id);
    // Undoes a delete: clears the tombstone of the row, or inserts the record again as new.
    bool restore(const Event& event);
    // Deletes the row and its child rows for good.
    bool hardDelete(const QString& id);
    // Lets rows of one series trade their places (calendar, UID, recurrence id) inside the
    // caller's transaction: each row whose place `rows` change takes a placeholder of its own
    // first, so that no write in between finds its new place still held by another. The caller
    // writes every one of them before it commits. False (logged) when a row could not be moved.
    bool freePlaces(const QList<Event>& rows);
    // Records a push: the server's href and ETag, and the row is no longer pending. A failure
    // is logged and returned.
    bool markSynced(const QString& id, const QString& href, const QString& etag);

    // Announces a change made by other means; coalesced with the repository's own.
    void scheduleChanged(const QString& calendarId);

    // The UID the item known in the calendar as `uid` goes by now: the identity changes written
    // since start (UidChange) are followed, each while the calendar holds a row of the UID it
    // leads to (a change rolled back with its caller's transaction is not); `uid` itself when it
    // never changed. What an undo entry recorded before a change names its rows by.
    QString currentUid(const QString& calendarId, const QString& uid) const;
    // Records a change written by UidChange.
    void noteUidChange(const QString& calendarId, const QString& from, const QString& to);
    // True while a change waits for its coalesced eventsChanged.
    bool changePending() const;

    // The connection the repository writes on, for callers that group several writes in one
    // transaction (a Savepoint around them).
    Database* database() const { return m_database; }

    // The row reader (EventRows): the current row of a statement selecting the event columns.
    // Start and end are expressed in the event's time zone, except for all-day events, which
    // stay in UTC.
    static Event fromQuery(const QSqlQuery& query);

    // Child rows (EventChildRows). The batch loaders fill the lists of every event with two
    // statements per slice of ids; the writers replace an event's rows, reporting the first
    // failure.
    static void loadRemindersBatch(QSqlDatabase& db, QList<Event>& events);
    static void loadAttendeesBatch(QSqlDatabase& db, QList<Event>& events);
    static void loadReminders(QSqlDatabase& db, Event& event);
    static void loadAttendees(QSqlDatabase& db, Event& event);
    // Each reminder's trigger is the event's start minus its minutes; a reminder whose trigger
    // moved is no longer acknowledged.
    static bool writeReminderRows(QSqlDatabase& db, const Event& event);
    static bool writeAttendeeRows(QSqlDatabase& db, const Event& event);

    // Deletes the event row and the rows of every table that belongs to it, inside the caller's
    // transaction; on failure `error` names the table and the driver's text.
    static bool deleteRows(const QSqlDatabase& db, const QString& id, QString& error);

    // The 31 columns of `events` in record order.
    static const QString& columns();

Q_SIGNALS:
    void eventsChanged(const QString& calendarId);
    // Right before it: every calendar of the coalesced burst, each once (the one above names only
    // the latest).
    void eventsChangedIn(const QStringList& calendarIds);

private:
    // Events of the SELECT `sql` (its %1 stands for the columns) with their child rows.
    QList<Event> list(const QString& sql, const QVariantList& values) const;
    // The first row of `sql` only.
    std::optional<Event> single(const QString& sql, const QVariantList& values) const;
    bool write(const Event& event, bool isInsert);
    // A new event row and its child rows, inside the caller's transaction or write's savepoint.
    // Should a child row fail, `undo` deletes the rows already written under the new id.
    bool insertRows(const Event& event, bool undo);
    // The row and its child rows replaced, inside write's savepoint.
    bool updateRows(const Event& event);
    // A local change that makes an occurrence repeat by a rule of its own; logged.
    static bool refusedOverride(const Event& event, bool isInsert, const char* operation);
    QString calendarOf(const QString& id) const;

    Database* m_database;
    ChangeCoalescer* m_changes;
    std::unique_ptr<StatementCache> m_statements;
    // Inserts bound in place, prepared once: imports and a sync's first listing write thousands.
    std::unique_ptr<EventInserts> m_inserts;
    // pendingIds' statement, prepared once: planning a query over the events table and its many
    // indexes costs more than running it.
    mutable std::unique_ptr<QSqlQuery> m_pendingIds;
    // Identity changes: calendar id and old UID (joined by a line feed) to the new UID.
    QHash<QString, QString> m_uidChanges;
};
