#include "EventRepository.h"

#include "ChangeCoalescer.h"
#include "Database.h"
#include "EventChildRows.h"
#include "EventInserts.h"
#include "EventRangeSql.h"
#include "EventRows.h"
#include "Savepoint.h"
#include "StatementCache.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QDebug>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include <sqlite3.h>

namespace {

// The SQLite connection under the toolkit's; null for another driver.
sqlite3* connectionOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// True while the connection holds a transaction open (a caller's, or an enclosing savepoint).
bool inTransaction(const QSqlDatabase& db)
{
    sqlite3* connection = connectionOf(db);
    return connection && sqlite3_get_autocommit(connection) == 0;
}

} // namespace

EventRepository::EventRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database), m_changes(new ChangeCoalescer(this)),
      m_statements(std::make_unique<StatementCache>(database->database())),
      m_inserts(std::make_unique<EventInserts>(database->database()))
{
    connect(m_changes, &ChangeCoalescer::firedAll, this, &EventRepository::eventsChangedIn);
    connect(m_changes, &ChangeCoalescer::fired, this, &EventRepository::eventsChanged);
}

EventRepository::~EventRepository() = default;

QList<Event> EventRepository::list(const QString& sql, const QVariantList& values) const
{
    QList<Event> events;
    StoreSql::forEachRow(
        m_database->database(), sql.arg(EventRows::columns()), values,
        [&events](const QSqlQuery& query) { events.append(EventRows::fromQuery(query)); });
    EventChildRows::loadRemindersBatch(m_database->database(), events);
    EventChildRows::loadAttendeesBatch(m_database->database(), events);
    return events;
}

std::optional<Event> EventRepository::single(const QString& sql, const QVariantList& values) const
{
    std::optional<Event> event;
    StoreSql::forEachRow(m_database->database(), sql.arg(EventRows::columns()), values,
                         [&event](const QSqlQuery& query) {
                             if (!event)
                                 event = EventRows::fromQuery(query);
                         });
    if (event) {
        EventChildRows::loadReminders(m_database->database(), *event);
        EventChildRows::loadAttendees(m_database->database(), *event);
    }
    return event;
}

QList<Event> EventRepository::getByCalendar(const QString& calendarId) const
{
    return list(QStringLiteral("SELECT %1 FROM events WHERE calendar_id = ? AND deleted_at IS "
                               "NULL ORDER BY start_time"),
                {calendarId});
}

std::optional<Event> EventRepository::getById(const QString& id) const
{
    return single(QStringLiteral("SELECT %1 FROM events WHERE id = ?"), {id});
}

std::optional<Event> EventRepository::getByUid(const QString& uid, const QString& calendarId) const
{
    return single(QStringLiteral("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ?"),
                  {uid, calendarId});
}

std::optional<Event> EventRepository::getByUidAndRecurrenceId(const QString& uid,
                                                              const QString& calendarId,
                                                              const QString& recurrenceId) const
{
    return single(QStringLiteral("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ? AND "
                                 "COALESCE(recurrence_id, '') = COALESCE(?, '')"),
                  {uid, calendarId, recurrenceId});
}

QList<Event> EventRepository::getSeries(const QString& uid, const QString& calendarId) const
{
    return list(QStringLiteral("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ? AND "
                               "deleted_at IS NULL ORDER BY COALESCE(recurrence_id, ''), id"),
                {uid, calendarId});
}

QList<Event> EventRepository::getInRange(const QDateTime& from, const QDateTime& to,
                                         const QStringList& calendarIds) const
{
    if (!from.isValid() || !to.isValid())
        return {};
    const QString fromText = StoreTime::toText(from);
    const QString toText = StoreTime::toText(to);
    const QString shortWindowStart = StoreTime::toText(from.addDays(-EventRangeSql::shortSpanDays));

    // A list longer than one statement may bind is applied here instead of in SQL.
    const bool calendarsInSql =
        !calendarIds.isEmpty() && calendarIds.size() <= StoreSql::maxInListValues;
    const QSet<QString> wanted =
        calendarsInSql ? QSet<QString>() : QSet<QString>(calendarIds.begin(), calendarIds.end());
    // The unary plus keeps SQLite from answering the range through the calendar index, which
    // would walk every earlier row of each calendar.
    const QString calendarClause = calendarsInSql
                                       ? QStringLiteral(" AND +calendar_id IN (%1)")
                                             .arg(StoreSql::placeholders(int(calendarIds.size())))
                                       : QString();

    // Three disjoint classes of rows, each read through its own index, so the cost follows
    // what the range holds: recurring rows (all returned), rows of a short span (found by a
    // start bounded on both sides) and the rare others (tested exactly as stored).
    struct Part
    {
        QString where;
        QStringList values;
    };
    const QList<Part> parts = {
        {EventRangeSql::recurring() + QStringLiteral(" AND start_time < ?"), {toText}},
        {EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::shortSpan() +
             QStringLiteral(" AND start_time >= ? AND start_time < ? AND end_time > ?"),
         {shortWindowStart, toText, fromText}},
        {EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::otherSpan() +
             QStringLiteral(" AND start_time < ? AND (end_time IS NULL OR end_time > ?)"),
         {toText, fromText}},
    };

    struct Row
    {
        QString startText;
        Event event;
    };
    std::vector<Row> rows;
    for (const Part& part : parts) {
        QVariantList values(part.values.begin(), part.values.end());
        if (calendarsInSql)
            values.append(QVariantList(calendarIds.begin(), calendarIds.end()));
        const bool ok = StoreSql::forEachRow(
            m_database->database(),
            QStringLiteral("SELECT %1 FROM events WHERE ").arg(EventRows::columns()) + part.where +
                QStringLiteral(" AND deleted_at IS NULL") + calendarClause,
            values, [&](const QSqlQuery& query) {
                if (!calendarsInSql && !wanted.isEmpty() &&
                    !wanted.contains(query.value(1).toString()))
                    return;
                rows.push_back({query.value(10).toString(), EventRows::fromQuery(query)});
            });
        if (!ok)
            return {};
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.startText != b.startText)
            return a.startText < b.startText;
        return a.event.id < b.event.id;
    });
    QList<Event> events;
    events.reserve(qsizetype(rows.size()));
    for (Row& row : rows)
        events.append(std::move(row.event));
    EventChildRows::loadRemindersBatch(m_database->database(), events);
    EventChildRows::loadAttendeesBatch(m_database->database(), events);
    return events;
}

QList<Event> EventRepository::getPending(const QString& calendarId) const
{
    return list(QStringLiteral("SELECT %1 FROM events WHERE calendar_id = ? AND sync_status = "
                               "'pending' ORDER BY start_time"),
                {calendarId});
}

QStringList EventRepository::pendingIds(const QString& calendarId) const
{
    QStringList ids;
    if (!m_pendingIds) {
        auto query = std::make_unique<QSqlQuery>(m_database->database());
        query->setForwardOnly(true);
        if (!query->prepare(QStringLiteral(
                "SELECT id FROM events WHERE calendar_id = ? AND sync_status = 'pending'"))) {
            StoreSql::logFailure("EventRepository::pendingIds", query->lastError());
            return ids;
        }
        m_pendingIds = std::move(query);
    }
    m_pendingIds->bindValue(0, calendarId);
    if (!m_pendingIds->exec()) {
        StoreSql::logFailure("EventRepository::pendingIds", m_pendingIds->lastError());
        return ids;
    }
    while (m_pendingIds->next())
        ids.append(m_pendingIds->value(0).toString());
    // No read cursor stays open across other work.
    m_pendingIds->finish();
    return ids;
}

QList<Event> EventRepository::search(const QString& text, int limit) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString pattern = StoreSql::containsPattern(trimmed);
    return list(QStringLiteral("SELECT %1 FROM events WHERE deleted_at IS NULL AND (title LIKE "
                               "? ESCAPE '\\' OR location LIKE ? ESCAPE '\\' OR description "
                               "LIKE ? ESCAPE '\\') ORDER BY start_time ASC LIMIT ?"),
                {pattern, pattern, pattern, std::max(limit, 1)});
}

bool EventRepository::refusedOverride(const Event& event, bool isInsert, const char* operation)
{
    // An occurrence repeats with its series, never by a rule of its own: a server refuses such an
    // override, and a refused push holds up every later sync of its calendar. A local change
    // that carries one is refused here; a server's copy is kept without it.
    const bool pending =
        event.syncStatus == QLatin1String("pending") || (!isInsert && event.syncStatus.isEmpty());
    if (event.recurrenceId.isEmpty() || event.recurrenceRule.isEmpty() || !pending)
        return false;
    StoreSql::logFailure(
        operation,
        QStringLiteral("an override of %1 carries a repeat rule").arg(event.recurrenceId));
    return true;
}

bool EventRepository::write(const Event& event, bool isInsert)
{
    const char* operation = isInsert ? "EventRepository::insert" : "EventRepository::update";
    if (refusedOverride(event, isInsert, operation))
        return false;
    QSqlDatabase& db = m_database->database();
    // Inside a caller's transaction a new row needs no savepoint of its own: its INSERT is
    // atomic, and should a child row fail, the rows written under the new id are deleted again.
    // A savepoint there makes SQLite copy every page the row touches into a statement journal,
    // a quarter of the cost of an insert. An update keeps it: the old row must come back.
    const bool ownUnit = !isInsert || !inTransaction(db);
    std::optional<Savepoint> transaction;
    if (ownUnit) {
        transaction.emplace(db);
        if (!transaction->isActive()) {
            StoreSql::logFailure(operation, transaction->errorText());
            return false;
        }
    }
    if (isInsert ? !insertRows(event, !ownUnit) : !updateRows(event))
        return false;
    if (transaction && !transaction->commit()) {
        StoreSql::logFailure(operation, transaction->errorText());
        return false;
    }
    m_changes->schedule(event.calendarId);
    return true;
}

bool EventRepository::insert(const Event& event)
{
    return write(event, true);
}

QList<bool> EventRepository::insertAll(const QList<Event>& events)
{
    QList<bool> written;
    written.reserve(events.size());
    if (!inTransaction(m_database->database())) {
        for (const Event& event : events)
            written.append(insert(event));
        return written;
    }
    // As insert writes each inside a caller's transaction, announcing each calendar once.
    QSet<QString> calendars;
    for (const Event& event : events) {
        const bool ok =
            !refusedOverride(event, true, "EventRepository::insert") && insertRows(event, true);
        if (ok)
            calendars.insert(event.calendarId);
        written.append(ok);
    }
    for (const QString& calendarId : std::as_const(calendars))
        m_changes->schedule(calendarId);
    return written;
}

bool EventRepository::insertRows(const Event& event, bool undo)
{
    const char* operation = "EventRepository::insert";
    QSqlDatabase& db = m_database->database();
    QString error;
    bool children = true;
    if (m_inserts->isAvailable()) {
        if (!m_inserts->insertEvent(event, error)) {
            StoreSql::logFailure(operation, error);
            return false;
        }
        if (!m_inserts->insertReminders(event, error)) {
            StoreSql::logFailure("EventRepository::writeReminderRows insert", error);
            children = false;
        } else if (!m_inserts->insertAttendees(event, error)) {
            StoreSql::logFailure("EventRepository::writeAttendeeRows insert", error);
            children = false;
        }
    } else {
        static const QString insertSql = QStringLiteral("INSERT INTO events (%1) VALUES (%2)")
                                             .arg(EventRows::columns(), StoreSql::placeholders(31));
        if (!m_statements->exec(insertSql,
                                QVariantList{event.id} + EventRows::fieldValues(event) +
                                    QVariantList{StoreTime::bindValue(event.created),
                                                 StoreTime::bindValue(event.lastModified),
                                                 event.syncStatus.isEmpty()
                                                     ? QStringLiteral("synced")
                                                     : event.syncStatus,
                                                 StoreTime::bindValue(event.deletedAt)},
                                operation))
            return false;
        // A row that was just inserted has no children yet: with foreign keys on, none can
        // reference an id that did not exist.
        children = EventChildRows::writeReminders(db, *m_statements, event, false) &&
                   EventChildRows::writeAttendees(*m_statements, event, false);
    }
    if (children)
        return true;
    if (undo && !EventChildRows::deleteRows(db, event.id, error))
        StoreSql::logFailure("EventRepository::insert undo", error);
    return false;
}

bool EventRepository::updateRows(const Event& event)
{
    const bool written = m_statements->exec(
        QStringLiteral("UPDATE events SET calendar_id = ?, uid = ?, provider_event_id = ?, etag = "
                       "?, href = ?, title = ?, description = ?, location = ?, geo_location = ?, "
                       "start_time = ?, end_time = ?, is_all_day = ?, timezone = ?, "
                       "recurrence_rule = ?, recurrence_dates = ?, exception_dates = ?, "
                       "recurrence_id = ?, master_event_uid = ?, status = ?, event_url = ?, "
                       "conference_url = ?, organizer_email = ?, organizer_name = ?, sequence = ?, "
                       "raw_icalendar = ?, color = ?, last_modified = ?, sync_status = ?, "
                       "deleted_at = ? WHERE id = ?"),
        EventRows::fieldValues(event) +
            QVariantList{StoreTime::bindValue(StoreTime::now()),
                         event.syncStatus.isEmpty() ? QStringLiteral("pending") : event.syncStatus,
                         StoreTime::bindValue(event.deletedAt), event.id},
        "EventRepository::update");
    return written &&
           EventChildRows::writeReminders(m_database->database(), *m_statements, event, true) &&
           EventChildRows::writeAttendees(*m_statements, event, true);
}

bool EventRepository::update(const Event& event)
{
    return write(event, false);
}

QString EventRepository::calendarOf(const QString& id) const
{
    QString calendarId;
    StoreSql::forEachRow(
        m_database->database(), QStringLiteral("SELECT calendar_id FROM events WHERE id = ?"), {id},
        [&calendarId](const QSqlQuery& query) { calendarId = query.value(0).toString(); });
    return calendarId;
}

bool EventRepository::remove(const QString& id)
{
    const QString calendarId = calendarOf(id);
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE events SET deleted_at = ?, sync_status = "
                                       "'pending', last_modified = ? WHERE id = ?"),
                        {now, now, id}, "EventRepository::remove"))
        return false;
    m_changes->schedule(calendarId);
    return true;
}

bool EventRepository::restore(const Event& event)
{
    Event copy = event;
    copy.deletedAt.reset();
    copy.syncStatus = QStringLiteral("pending");
    if (getById(copy.id)) {
        const bool ok = update(copy);
        qInfo().noquote() << "[Undo] cleared tombstone on existing row" << copy.id << "ok=" << ok;
        return ok;
    }
    copy.providerEventId.clear();
    copy.etag.clear();
    copy.href.clear();
    const bool ok = insert(copy);
    qInfo().noquote() << "[Undo] re-inserted row" << copy.id << "ok=" << ok;
    return ok;
}

bool EventRepository::hardDelete(const QString& id)
{
    const QString calendarId = calendarOf(id);
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    QString error = transaction.errorText();
    if (!transaction.isActive() || !EventChildRows::deleteRows(db, id, error) ||
        !transaction.commit()) {
        StoreSql::logFailure("EventRepository::hardDelete",
                             error.isEmpty() ? transaction.errorText() : error);
        return false;
    }
    m_changes->schedule(calendarId);
    return true;
}

bool EventRepository::freePlaces(const QList<Event>& rows)
{
    for (const Event& row : rows) {
        // The placeholder holds the row's id, which no other row has, and no real recurrence id
        // starts with a tilde.
        if (!StoreSql::exec(m_database->database(),
                            QStringLiteral("UPDATE events SET recurrence_id = ? WHERE id = ? AND "
                                           "(calendar_id <> ? OR uid <> ? OR "
                                           "COALESCE(recurrence_id, '') <> ?)"),
                            {QStringLiteral("~") + row.id, row.id, row.calendarId, row.uid,
                             row.recurrenceId.isEmpty() ? QStringLiteral("") : row.recurrenceId},
                            "EventRepository::freePlaces"))
            return false;
    }
    return true;
}

bool EventRepository::markSynced(const QString& id, const QString& href, const QString& etag)
{
    const QString calendarId = calendarOf(id);
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral(
                "UPDATE events SET href = ?, etag = ?, sync_status = 'synced' WHERE id = ?"),
            {href, etag, id}, "EventRepository::markSynced"))
        return false;
    m_changes->schedule(calendarId);
    return true;
}

void EventRepository::scheduleChanged(const QString& calendarId)
{
    m_changes->schedule(calendarId);
}

QString EventRepository::currentUid(const QString& calendarId, const QString& uid) const
{
    QString current = uid;
    // A chain of changes is short; the bound only guards against a cycle.
    for (int step = 0; step < 16; ++step) {
        const auto next = m_uidChanges.constFind(calendarId + QLatin1Char('\n') + current);
        if (next == m_uidChanges.constEnd())
            break;
        QSqlQuery query(m_database->database());
        query.prepare(
            QStringLiteral("SELECT 1 FROM events WHERE calendar_id = ? AND uid = ? LIMIT 1"));
        query.addBindValue(calendarId);
        query.addBindValue(*next);
        if (!query.exec() || !query.next())
            break;
        current = *next;
    }
    return current;
}

void EventRepository::noteUidChange(const QString& calendarId, const QString& from,
                                    const QString& to)
{
    if (from != to)
        m_uidChanges.insert(calendarId + QLatin1Char('\n') + from, to);
}

bool EventRepository::changePending() const
{
    return m_changes->isPending();
}

const QString& EventRepository::columns()
{
    return EventRows::columns();
}

Event EventRepository::fromQuery(const QSqlQuery& query)
{
    return EventRows::fromQuery(query);
}

void EventRepository::loadRemindersBatch(QSqlDatabase& db, QList<Event>& events)
{
    EventChildRows::loadRemindersBatch(db, events);
}

void EventRepository::loadAttendeesBatch(QSqlDatabase& db, QList<Event>& events)
{
    EventChildRows::loadAttendeesBatch(db, events);
}

void EventRepository::loadReminders(QSqlDatabase& db, Event& event)
{
    EventChildRows::loadReminders(db, event);
}

void EventRepository::loadAttendees(QSqlDatabase& db, Event& event)
{
    EventChildRows::loadAttendees(db, event);
}

bool EventRepository::writeReminderRows(QSqlDatabase& db, const Event& event)
{
    return EventChildRows::writeReminderRows(db, event);
}

bool EventRepository::writeAttendeeRows(QSqlDatabase& db, const Event& event)
{
    return EventChildRows::writeAttendeeRows(db, event);
}

bool EventRepository::deleteRows(const QSqlDatabase& db, const QString& id, QString& error)
{
    return EventChildRows::deleteRows(db, id, error);
}
