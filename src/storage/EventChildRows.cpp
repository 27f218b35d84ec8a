#include "EventChildRows.h"

#include "ReminderAck.h"
#include "ReminderRepository.h"
#include "Savepoint.h"
#include "StatementCache.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QVariant nullText()
{
    return QVariant(QMetaType::fromType<QString>());
}

QVariant textOrNull(const QString& text)
{
    return text.isNull() ? nullText() : QVariant(text);
}

// The tables whose rows belong to one event; they reference events(id) without cascading, so
// they are emptied before the event row goes.
const char* const childTables[] = {"attendees", "attachments", "reminders"};

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

// Loads child rows for a list of events in one statement whose ids arrive as a single JSON
// array (`%1` in `sqlTemplate` is the set to test against). A list of one placeholder per id
// made SQLite parse hundreds of parameters, and every view reload paid that per slice of ids.
// `read` builds one record from a row whose column 0 is the event id.
template <typename Record, typename Read>
QHash<QString, QList<Record>> loadChildren(QSqlDatabase& db, const QList<Event>& events,
                                           const QString& sqlTemplate, Read read)
{
    QHash<QString, QList<Record>> byEvent;
    QJsonArray ids;
    QSet<QString> seen;
    for (const Event& event : events) {
        if (!seen.contains(event.id)) {
            seen.insert(event.id);
            ids.append(event.id);
        }
    }
    const QString idList = QString::fromUtf8(QJsonDocument(ids).toJson(QJsonDocument::Compact));
    StoreSql::forEachRow(db, sqlTemplate.arg(QStringLiteral("SELECT value FROM json_each(?)")),
                         {idList}, [&](const QSqlQuery& query) {
                             Record record = read(query);
                             byEvent[record.eventId].append(record);
                         });
    return byEvent;
}

} // namespace

void EventChildRows::loadRemindersBatch(QSqlDatabase& db, QList<Event>& events)
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

void EventChildRows::loadAttendeesBatch(QSqlDatabase& db, QList<Event>& events)
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

void EventChildRows::loadReminders(QSqlDatabase& db, Event& event)
{
    StoreSql::forEachRow(
        db,
        QStringLiteral("SELECT id, minutes_before, action, acknowledged, trigger_time FROM "
                       "reminders WHERE event_id = ? ORDER BY minutes_before ASC"),
        {event.id}, [&event](const QSqlQuery& query) {
            Reminder reminder = reminderFromQuery(query, 0);
            reminder.eventId = event.id;
            event.reminders.append(reminder);
        });
}

void EventChildRows::loadAttendees(QSqlDatabase& db, Event& event)
{
    StoreSql::forEachRow(db,
                         QStringLiteral("SELECT id, email, name, role, status, type, rsvp FROM "
                                        "attendees WHERE event_id = ? ORDER BY name, email"),
                         {event.id}, [&event](const QSqlQuery& query) {
                             Attendee attendee = attendeeFromQuery(query, 0);
                             attendee.eventId = event.id;
                             event.attendees.append(attendee);
                         });
}

QTimeZone EventChildRows::reminderZone(const Event& event)
{
    return event.isAllDay ? QTimeZone::systemTimeZone() : QTimeZone::utc();
}

bool EventChildRows::writeReminderRows(QSqlDatabase& db, const Event& event)
{
    StatementCache statements(db);
    Savepoint transaction(db);
    return transaction.isActive() && writeReminders(db, statements, event, true) &&
           transaction.commit();
}

bool EventChildRows::writeAttendeeRows(QSqlDatabase& db, const Event& event)
{
    StatementCache statements(db);
    Savepoint transaction(db);
    return transaction.isActive() && writeAttendees(statements, event, true) &&
           transaction.commit();
}

bool EventChildRows::writeReminders(QSqlDatabase& db, StatementCache& statements,
                                    const Event& event, bool replace)
{
    // The stored rows tell whether a reminder moved, and keep the identity and acknowledgement
    // of a reminder that a record built elsewhere (a server's copy) carries without an id.
    QList<ReminderAck::StoredReminder> stored;
    if (replace) {
        const bool read = StoreSql::forEachRow(
            db,
            QStringLiteral("SELECT id, minutes_before, trigger_time, acknowledged, trigger_date, "
                           "last_shown FROM reminders WHERE event_id = ? ORDER BY "
                           "minutes_before"),
            {event.id},
            [&stored](const QSqlQuery& query) {
                stored.append({query.value(0).toString(), query.value(1).toInt(),
                               StoreTime::parse(query.value(2).toString()),
                               query.value(3).toInt() != 0,
                               QDate::fromString(query.value(4).toString(), Qt::ISODate),
                               ReminderRepository::readLastShown(query.value(5))});
            },
            "EventRepository::writeReminderRows read");
        if (!read)
            return false;
        if (!statements.exec(QStringLiteral("DELETE FROM reminders WHERE event_id = ?"), {event.id},
                             "EventRepository::writeReminderRows delete"))
            return false;
    }
    // A series that was all-day when a row last showed it compares that date on the machine's
    // clock, whatever it is now.
    const bool shownDate = std::any_of(stored.cbegin(), stored.cend(), [](const auto& row) {
        return row.lastShown.date.isValid();
    });
    const QList<ReminderAck::Outcome> outcomes = ReminderAck::decide(
        event, stored, shownDate ? QTimeZone::systemTimeZone() : reminderZone(event));
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const Reminder& reminder = event.reminders.at(i);
        const ReminderAck::Outcome& outcome = outcomes.at(i);
        if (!statements.exec(
                QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, "
                               "action, acknowledged, trigger_time, trigger_date, last_shown) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {outcome.id.isEmpty() ? newId() : outcome.id, event.id, reminder.minutesBefore,
                 reminder.action.isEmpty() ? QStringLiteral("display") : reminder.action,
                 outcome.acknowledged ? 1 : 0, textOrNull(StoreTime::toText(outcome.trigger)),
                 textOrNull(outcome.date.toString(Qt::ISODate)),
                 ReminderRepository::lastShownValue(outcome.lastShown)},
                "EventRepository::writeReminderRows insert"))
            return false;
    }
    return true;
}

bool EventChildRows::writeAttendees(StatementCache& statements, const Event& event, bool replace)
{
    if (replace && !statements.exec(QStringLiteral("DELETE FROM attendees WHERE event_id = ?"),
                                    {event.id}, "EventRepository::writeAttendeeRows delete"))
        return false;
    for (const Attendee& attendee : event.attendees) {
        if (!statements.exec(
                QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, status, "
                               "type, rsvp) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {attendee.id.isEmpty() ? newId() : attendee.id, event.id,
                 StoreSql::notNull(attendee.email), attendee.name,
                 attendee.role.isEmpty() ? QStringLiteral("required") : attendee.role,
                 attendee.status.isEmpty() ? QStringLiteral("needs-action") : attendee.status,
                 attendee.type, attendee.rsvp ? 1 : 0},
                "EventRepository::writeAttendeeRows insert"))
            return false;
    }
    return true;
}

bool EventChildRows::deleteRows(const QSqlDatabase& db, const QString& id, QString& error)
{
    for (const char* table : childTables) {
        if (!StoreSql::run(
                db,
                QStringLiteral("DELETE FROM %1 WHERE event_id = ?").arg(QLatin1StringView(table)),
                {id}, error)) {
            error = QLatin1StringView(table) + QStringLiteral(": ") + error;
            return false;
        }
    }
    return StoreSql::run(db, QStringLiteral("DELETE FROM events WHERE id = ?"), {id}, error);
}
