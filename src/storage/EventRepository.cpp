#include "EventRepository.h"

#include "ChangeCoalescer.h"
#include "Database.h"
#include "EventRangeSql.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QDebug>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Zones are looked up by name for every row; constructing one is far dearer than the row.
QTimeZone zoneNamed(const QString& name)
{
    thread_local QHash<QString, QTimeZone> zones;
    auto it = zones.constFind(name);
    if (it == zones.constEnd())
        it = zones.insert(name, QTimeZone(name.toUtf8()));
    return *it;
}

QVariant nullText()
{
    return QVariant(QMetaType::fromType<QString>());
}

// Binds the fields from calendar_id to color, in column order, as insert and update share them.
void bindFields(QSqlQuery& query, const Event& event)
{
    query.addBindValue(event.calendarId);
    query.addBindValue(event.uid);
    query.addBindValue(event.providerEventId);
    query.addBindValue(event.etag);
    query.addBindValue(event.href);
    query.addBindValue(event.title);
    query.addBindValue(event.description);
    query.addBindValue(event.location);
    query.addBindValue(event.geoLocation);
    query.addBindValue(StoreTime::bindValue(event.startTime));
    query.addBindValue(StoreTime::bindValue(event.endTime));
    query.addBindValue(event.isAllDay ? 1 : 0);
    query.addBindValue(event.timezone);
    query.addBindValue(event.recurrenceRule);
    query.addBindValue(event.recurrenceDates);
    query.addBindValue(event.exceptionDates);
    query.addBindValue(event.recurrenceId);
    query.addBindValue(event.masterEventUid);
    query.addBindValue(event.status);
    query.addBindValue(event.eventUrl);
    query.addBindValue(event.conferenceUrl);
    query.addBindValue(event.organizerEmail);
    query.addBindValue(event.organizerName);
    query.addBindValue(event.sequence);
    query.addBindValue(event.rawIcalendar);
    query.addBindValue(event.color);
}

Reminder reminderFromQuery(const QSqlQuery& query, int first)
{
    Reminder reminder;
    reminder.id = query.value(first).toString();
    reminder.minutesBefore = query.value(first + 1).toInt();
    reminder.action = query.value(first + 2).toString();
    reminder.acknowledged = query.value(first + 3).toInt() != 0;
    reminder.triggerTime = StoreTime::readOptional(query.value(first + 4));
    return reminder;
}

Attendee attendeeFromQuery(const QSqlQuery& query, int first)
{
    Attendee attendee;
    attendee.id = query.value(first).toString();
    attendee.email = query.value(first + 1).toString();
    attendee.name = query.value(first + 2).toString();
    attendee.role = query.value(first + 3).toString();
    attendee.status = query.value(first + 4).toString();
    attendee.type = query.value(first + 5).toString();
    attendee.rsvp = query.value(first + 6).toInt() != 0;
    return attendee;
}

// Loads child rows for a list of events, one statement per slice of ids so that any number of
// events stays within the statement's parameter limit. `read` builds one record from a row
// whose column 0 is the event id and appends it to the given list.
template <typename Record, typename Read>
QHash<QString, QList<Record>> loadChildren(QSqlDatabase& db, const QList<Event>& events,
                                           const QString& sqlTemplate, Read read)
{
    QHash<QString, QList<Record>> byEvent;
    QStringList ids;
    QSet<QString> seen;
    for (const Event& event : events) {
        if (!seen.contains(event.id)) {
            seen.insert(event.id);
            ids.append(event.id);
        }
    }
    StoreSql::forEachSlice(ids, [&](const QStringList& slice) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(sqlTemplate.arg(StoreSql::placeholders(int(slice.size()), u",")));
        for (const QString& id : slice)
            query.addBindValue(id);
        if (!query.exec())
            return true;
        while (query.next()) {
            Record record = read(query);
            byEvent[record.eventId].append(record);
        }
        return true;
    });
    return byEvent;
}

} // namespace

EventRepository::EventRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database), m_changes(new ChangeCoalescer(this))
{
    connect(m_changes, &ChangeCoalescer::fired, this, &EventRepository::eventsChanged);
}

const QString& EventRepository::columns()
{
    static const QString list = QStringLiteral(
        "id, calendar_id, uid, provider_event_id, etag, href, title, description, location, "
        "geo_location, start_time, end_time, is_all_day, timezone, recurrence_rule, "
        "recurrence_dates, exception_dates, recurrence_id, master_event_uid, status, event_url, "
        "conference_url, organizer_email, organizer_name, sequence, raw_icalendar, color, "
        "created, last_modified, sync_status, deleted_at");
    return list;
}

Event EventRepository::fromQuery(const QSqlQuery& query)
{
    Event event;
    event.id = query.value(0).toString();
    event.calendarId = query.value(1).toString();
    event.uid = query.value(2).toString();
    event.providerEventId = query.value(3).toString();
    event.etag = query.value(4).toString();
    event.href = query.value(5).toString();
    event.title = query.value(6).toString();
    event.description = query.value(7).toString();
    event.location = query.value(8).toString();
    event.geoLocation = query.value(9).toString();
    event.startTime = StoreTime::readTimestamp(query.value(10));
    event.endTime = StoreTime::readOptional(query.value(11));
    event.isAllDay = query.value(12).toInt() != 0;
    event.timezone = query.value(13).toString();
    // All-day events stay at 00:00 UTC of their dates: in any other zone the date would shift.
    if (!event.isAllDay && !event.timezone.isEmpty() && event.timezone != u"UTC") {
        const QTimeZone zone = zoneNamed(event.timezone);
        if (zone.isValid()) {
            if (event.startTime.isValid())
                event.startTime = event.startTime.toTimeZone(zone);
            if (event.endTime && event.endTime->isValid())
                event.endTime = event.endTime->toTimeZone(zone);
        }
    }
    event.recurrenceRule = query.value(14).toString();
    event.recurrenceDates = query.value(15).toString();
    event.exceptionDates = query.value(16).toString();
    event.recurrenceId = query.value(17).toString();
    event.masterEventUid = query.value(18).toString();
    event.status = query.value(19).toString();
    event.eventUrl = query.value(20).toString();
    event.conferenceUrl = query.value(21).toString();
    event.organizerEmail = query.value(22).toString();
    event.organizerName = query.value(23).toString();
    event.sequence = query.value(24).toInt();
    event.rawIcalendar = query.value(25).toString();
    event.color = query.value(26).toString();
    event.created = StoreTime::readTimestamp(query.value(27));
    event.lastModified = StoreTime::readTimestamp(query.value(28));
    event.syncStatus = query.value(29).toString();
    event.deletedAt = StoreTime::readOptional(query.value(30));
    return event;
}

QList<Event> EventRepository::list(QSqlQuery& query) const
{
    QList<Event> events;
    if (!query.exec())
        return events;
    while (query.next())
        events.append(fromQuery(query));
    query.finish();
    loadRemindersBatch(m_database->database(), events);
    loadAttendeesBatch(m_database->database(), events);
    return events;
}

std::optional<Event> EventRepository::single(QSqlQuery& query) const
{
    if (!query.exec() || !query.next())
        return std::nullopt;
    Event event = fromQuery(query);
    query.finish();
    loadReminders(m_database->database(), event);
    loadAttendees(m_database->database(), event);
    return event;
}

QList<Event> EventRepository::getByCalendar(const QString& calendarId) const
{
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM events WHERE calendar_id = ? AND deleted_at IS "
                                 "NULL ORDER BY start_time")
                      .arg(columns()));
    query.addBindValue(calendarId);
    return list(query);
}

std::optional<Event> EventRepository::getById(const QString& id) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT %1 FROM events WHERE id = ?").arg(columns()));
    query.addBindValue(id);
    return single(query);
}

std::optional<Event> EventRepository::getByUid(const QString& uid, const QString& calendarId) const
{
    QSqlQuery query(m_database->database());
    query.prepare(
        QStringLiteral("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ?").arg(columns()));
    query.addBindValue(uid);
    query.addBindValue(calendarId);
    return single(query);
}

std::optional<Event> EventRepository::getByUidAndRecurrenceId(const QString& uid,
                                                              const QString& calendarId,
                                                              const QString& recurrenceId) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ? AND "
                                 "COALESCE(recurrence_id, '') = COALESCE(?, '')")
                      .arg(columns()));
    query.addBindValue(uid);
    query.addBindValue(calendarId);
    query.addBindValue(recurrenceId);
    return single(query);
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
        QSqlQuery query(m_database->database());
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM events WHERE ").arg(columns()) + part.where +
                      QStringLiteral(" AND deleted_at IS NULL") + calendarClause);
        for (const QString& value : part.values)
            query.addBindValue(value);
        if (calendarsInSql) {
            for (const QString& id : calendarIds)
                query.addBindValue(id);
        }
        if (!query.exec())
            return {};
        while (query.next()) {
            if (!calendarsInSql && !wanted.isEmpty() && !wanted.contains(query.value(1).toString()))
                continue;
            rows.push_back({query.value(10).toString(), fromQuery(query)});
        }
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
    loadRemindersBatch(m_database->database(), events);
    loadAttendeesBatch(m_database->database(), events);
    return events;
}

QList<Event> EventRepository::getPending(const QString& calendarId) const
{
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM events WHERE calendar_id = ? AND sync_status = "
                                 "'pending' ORDER BY start_time")
                      .arg(columns()));
    query.addBindValue(calendarId);
    return list(query);
}

QList<Event> EventRepository::search(const QString& text, int limit) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString pattern = StoreSql::containsPattern(trimmed);
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM events WHERE deleted_at IS NULL AND (title LIKE "
                                 "? ESCAPE '\\' OR location LIKE ? ESCAPE '\\' OR description "
                                 "LIKE ? ESCAPE '\\') ORDER BY start_time ASC LIMIT ?")
                      .arg(columns()));
    query.addBindValue(pattern);
    query.addBindValue(pattern);
    query.addBindValue(pattern);
    query.addBindValue(std::max(limit, 1));
    return list(query);
}

bool EventRepository::write(const Event& event, bool isInsert)
{
    const char* operation = isInsert ? "EventRepository::insert" : "EventRepository::update";
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    if (!transaction.isActive()) {
        StoreSql::logFailure(operation, transaction.errorText());
        return false;
    }
    QSqlQuery query(db);
    if (isInsert) {
        query.prepare(QStringLiteral("INSERT INTO events (%1) VALUES (%2)")
                          .arg(columns(), StoreSql::placeholders(31)));
        query.addBindValue(event.id);
        bindFields(query, event);
        query.addBindValue(StoreTime::bindValue(event.created));
        query.addBindValue(StoreTime::bindValue(event.lastModified));
        query.addBindValue(event.syncStatus.isEmpty() ? QStringLiteral("synced")
                                                      : event.syncStatus);
        query.addBindValue(StoreTime::bindValue(event.deletedAt));
    } else {
        query.prepare(QStringLiteral(
            "UPDATE events SET calendar_id = ?, uid = ?, provider_event_id = ?, etag = ?, href = "
            "?, title = ?, description = ?, location = ?, geo_location = ?, start_time = ?, "
            "end_time = ?, is_all_day = ?, timezone = ?, recurrence_rule = ?, recurrence_dates = "
            "?, exception_dates = ?, recurrence_id = ?, master_event_uid = ?, status = ?, "
            "event_url = ?, conference_url = ?, organizer_email = ?, organizer_name = ?, "
            "sequence = ?, raw_icalendar = ?, color = ?, last_modified = ?, sync_status = ?, "
            "deleted_at = ? WHERE id = ?"));
        bindFields(query, event);
        query.addBindValue(StoreTime::bindValue(StoreTime::now()));
        query.addBindValue(event.syncStatus.isEmpty() ? QStringLiteral("pending")
                                                      : event.syncStatus);
        query.addBindValue(StoreTime::bindValue(event.deletedAt));
        query.addBindValue(event.id);
    }
    if (!query.exec()) {
        StoreSql::logFailure(operation, query.lastError());
        return false;
    }
    query.finish();
    // A row that was just inserted has no children yet: with foreign keys on, none can
    // reference an id that did not exist.
    if (!writeReminders(db, event, !isInsert) || !writeAttendees(db, event, !isInsert))
        return false;
    if (!transaction.commit()) {
        StoreSql::logFailure(operation, transaction.errorText());
        return false;
    }
    m_changes->schedule(event.calendarId);
    return true;
}

bool EventRepository::insert(const Event& event)
{
    return write(event, true);
}

bool EventRepository::update(const Event& event)
{
    return write(event, false);
}

QString EventRepository::calendarOf(const QString& id) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT calendar_id FROM events WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return {};
    return query.value(0).toString();
}

bool EventRepository::remove(const QString& id)
{
    const QString calendarId = calendarOf(id);
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("UPDATE events SET deleted_at = ?, sync_status = 'pending', "
                                 "last_modified = ? WHERE id = ?"));
    query.addBindValue(now);
    query.addBindValue(now);
    query.addBindValue(id);
    if (!query.exec()) {
        StoreSql::logFailure("EventRepository::remove", query.lastError());
        return false;
    }
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
    qInfo().noquote() << "[Undo] re-inserted row" << copy.id << "title=" << copy.title
                      << "ok=" << ok;
    return ok;
}

bool EventRepository::hardDelete(const QString& id)
{
    const QString calendarId = calendarOf(id);
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    if (!transaction.isActive()) {
        StoreSql::logFailure("EventRepository::hardDelete", transaction.errorText());
        return false;
    }
    for (const char* table : {"attendees", "attachments", "reminders"}) {
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("DELETE FROM %1 WHERE event_id = ?").arg(QLatin1StringView(table)));
        query.addBindValue(id);
        if (!query.exec()) {
            StoreSql::logFailure("EventRepository::hardDelete child cleanup",
                                 QLatin1StringView(table) + QStringLiteral(": ") +
                                     query.lastError().text());
            return false;
        }
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM events WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        StoreSql::logFailure("EventRepository::hardDelete", query.lastError());
        return false;
    }
    if (!transaction.commit()) {
        StoreSql::logFailure("EventRepository::hardDelete", transaction.errorText());
        return false;
    }
    m_changes->schedule(calendarId);
    return true;
}

bool EventRepository::markSynced(const QString& id, const QString& href, const QString& etag)
{
    const QString calendarId = calendarOf(id);
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "UPDATE events SET href = ?, etag = ?, sync_status = 'synced' WHERE id = ?"));
    query.addBindValue(href);
    query.addBindValue(etag);
    query.addBindValue(id);
    if (!query.exec())
        return false;
    m_changes->schedule(calendarId);
    return true;
}

void EventRepository::scheduleChanged(const QString& calendarId)
{
    m_changes->schedule(calendarId);
}

void EventRepository::loadRemindersBatch(QSqlDatabase& db, QList<Event>& events)
{
    if (events.isEmpty())
        return;
    const auto byEvent = loadChildren<Reminder>(
        db, events,
        QStringLiteral("SELECT event_id, id, minutes_before, action, acknowledged, trigger_time "
                       "FROM reminders WHERE event_id IN (%1) ORDER BY minutes_before ASC"),
        [](const QSqlQuery& query) {
            Reminder reminder = reminderFromQuery(query, 1);
            reminder.eventId = query.value(0).toString();
            return reminder;
        });
    for (Event& event : events) {
        const auto it = byEvent.constFind(event.id);
        if (it != byEvent.constEnd())
            event.reminders = *it;
    }
}

void EventRepository::loadAttendeesBatch(QSqlDatabase& db, QList<Event>& events)
{
    if (events.isEmpty())
        return;
    const auto byEvent = loadChildren<Attendee>(
        db, events,
        QStringLiteral("SELECT event_id, id, email, name, role, status, type, rsvp FROM "
                       "attendees WHERE event_id IN (%1) ORDER BY name, email"),
        [](const QSqlQuery& query) {
            Attendee attendee = attendeeFromQuery(query, 1);
            attendee.eventId = query.value(0).toString();
            return attendee;
        });
    for (Event& event : events) {
        const auto it = byEvent.constFind(event.id);
        if (it != byEvent.constEnd())
            event.attendees = *it;
    }
}

void EventRepository::loadReminders(QSqlDatabase& db, Event& event)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, minutes_before, action, acknowledged, trigger_time "
                                 "FROM reminders WHERE event_id = ? ORDER BY minutes_before ASC"));
    query.addBindValue(event.id);
    if (!query.exec())
        return;
    while (query.next()) {
        Reminder reminder = reminderFromQuery(query, 0);
        reminder.eventId = event.id;
        event.reminders.append(reminder);
    }
}

void EventRepository::loadAttendees(QSqlDatabase& db, Event& event)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, email, name, role, status, type, rsvp FROM "
                                 "attendees WHERE event_id = ? ORDER BY name, email"));
    query.addBindValue(event.id);
    if (!query.exec())
        return;
    while (query.next()) {
        Attendee attendee = attendeeFromQuery(query, 0);
        attendee.eventId = event.id;
        event.attendees.append(attendee);
    }
}

bool EventRepository::writeReminderRows(QSqlDatabase& db, const Event& event)
{
    Savepoint transaction(db);
    return transaction.isActive() && writeReminders(db, event, true) && transaction.commit();
}

bool EventRepository::writeAttendeeRows(QSqlDatabase& db, const Event& event)
{
    Savepoint transaction(db);
    return transaction.isActive() && writeAttendees(db, event, true) && transaction.commit();
}

bool EventRepository::writeReminders(QSqlDatabase& db, const Event& event, bool replace)
{
    // The stored rows tell whether a reminder moved, and keep the identity and acknowledgement
    // of a reminder that a record built elsewhere (a server's copy) carries without an id.
    struct StoredReminder
    {
        QString id;
        int minutesBefore = 0;
        QString triggerText;
        bool acknowledged = false;
        bool claimed = false;
    };
    QList<StoredReminder> stored;
    if (replace) {
        QSqlQuery select(db);
        select.setForwardOnly(true);
        select.prepare(QStringLiteral("SELECT id, minutes_before, trigger_time, acknowledged FROM "
                                      "reminders WHERE event_id = ? ORDER BY minutes_before"));
        select.addBindValue(event.id);
        if (!select.exec()) {
            qWarning().noquote() << "writeReminderRows read failed:" << select.lastError().text();
            return false;
        }
        while (select.next())
            stored.append({select.value(0).toString(), select.value(1).toInt(),
                           StoreTime::toText(StoreTime::parse(select.value(2).toString())),
                           select.value(3).toInt() != 0});
        select.finish();
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM reminders WHERE event_id = ?"));
        remove.addBindValue(event.id);
        if (!remove.exec()) {
            qWarning().noquote() << "writeReminderRows delete failed:" << remove.lastError().text();
            return false;
        }
    }
    for (StoredReminder& row : stored) {
        row.claimed = std::any_of(event.reminders.begin(), event.reminders.end(),
                                  [&](const Reminder& reminder) { return reminder.id == row.id; });
    }
    for (const Reminder& reminder : event.reminders) {
        const QDateTime trigger =
            event.startTime.isValid()
                ? event.startTime.addSecs(-qint64(reminder.minutesBefore) * 60)
                : QDateTime();
        const QString triggerText = StoreTime::toText(trigger);
        QString id = reminder.id;
        bool acknowledged = reminder.acknowledged;
        QString previous =
            reminder.triggerTime ? StoreTime::toText(*reminder.triggerTime) : QString();
        const auto match = std::find_if(stored.begin(), stored.end(), [&](StoredReminder& row) {
            return id.isEmpty() ? !row.claimed && row.minutesBefore == reminder.minutesBefore
                                : row.id == id;
        });
        if (match != stored.end()) {
            if (id.isEmpty()) {
                match->claimed = true;
                id = match->id;
                acknowledged = acknowledged || match->acknowledged;
            }
            if (previous.isNull())
                previous = match->triggerText;
        }
        const bool moved = !previous.isNull() && previous != triggerText;
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, "
                                      "action, acknowledged, trigger_time) VALUES (?, ?, ?, ?, ?, "
                                      "?)"));
        insert.addBindValue(id.isEmpty() ? newId() : id);
        insert.addBindValue(event.id);
        insert.addBindValue(reminder.minutesBefore);
        insert.addBindValue(reminder.action.isEmpty() ? QStringLiteral("display")
                                                      : reminder.action);
        insert.addBindValue(acknowledged && !moved ? 1 : 0);
        insert.addBindValue(triggerText.isNull() ? nullText() : QVariant(triggerText));
        if (!insert.exec()) {
            qWarning().noquote() << "writeReminderRows insert failed:" << insert.lastError().text();
            return false;
        }
    }
    return true;
}

bool EventRepository::writeAttendees(QSqlDatabase& db, const Event& event, bool replace)
{
    if (replace) {
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM attendees WHERE event_id = ?"));
        remove.addBindValue(event.id);
        if (!remove.exec()) {
            qWarning().noquote() << "writeAttendeeRows delete failed:" << remove.lastError().text();
            return false;
        }
    }
    for (const Attendee& attendee : event.attendees) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, "
                                      "status, type, rsvp) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.addBindValue(attendee.id.isEmpty() ? newId() : attendee.id);
        insert.addBindValue(event.id);
        insert.addBindValue(attendee.email);
        insert.addBindValue(attendee.name);
        insert.addBindValue(attendee.role.isEmpty() ? QStringLiteral("required") : attendee.role);
        insert.addBindValue(attendee.status.isEmpty() ? QStringLiteral("needs-action")
                                                      : attendee.status);
        insert.addBindValue(attendee.type);
        insert.addBindValue(attendee.rsvp ? 1 : 0);
        if (!insert.exec()) {
            qWarning().noquote() << "writeAttendeeRows insert failed:" << insert.lastError().text();
            return false;
        }
    }
    return true;
}
