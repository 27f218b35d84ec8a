#include "EventInserts.h"

#include "EventChildRows.h"
#include "EventRows.h"
#include "ReminderAck.h"
#include "ReminderRepository.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QByteArray>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <QStringView>
#include <QUuid>
#include <QVariant>

#include <optional>
#include <vector>

#include <sqlite3.h>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// SQLite's statement behind a prepared query; null once the toolkit finalised it, or for
// another driver.
sqlite3_stmt* statementOf(const QSqlQuery& query)
{
    const QSqlResult* result = query.result();
    const QVariant handle = result ? result->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

} // namespace

// One INSERT. Texts are bound without a copy: a null QString binds NULL, as the toolkit's driver
// does; ASCII text goes in as the UTF-8 it is, anything else as UTF-16 for SQLite to convert,
// exactly as through QSqlQuery. The bound texts must live until run().
class EventInserts::Statement
{
public:
    Statement(QSqlDatabase& database, QString sql, int parameters)
        : m_database(database), m_sql(std::move(sql)), m_ascii(parameters)
    {
    }

    // Prepares the statement unless it still is.
    bool begin(QString& error)
    {
        if (m_query) {
            m_statement = statementOf(*m_query);
            if (m_statement)
                return true;
        }
        m_query.emplace(m_database);
        if (!m_query->prepare(m_sql)) {
            error = m_query->lastError().text();
            m_query.reset();
            return false;
        }
        m_statement = statementOf(*m_query);
        if (!m_statement) {
            error = QStringLiteral("not an SQLite statement");
            m_query.reset();
            return false;
        }
        return true;
    }

    void text(int column, const QString& value)
    {
        if (value.isNull()) {
            sqlite3_bind_null(m_statement, column);
        } else if (QtPrivate::isAscii(QStringView(value))) {
            QByteArray& bytes = m_ascii[column - 1];
            bytes = value.toLatin1();
            sqlite3_bind_text(m_statement, column, bytes.constData(), int(bytes.size()),
                              SQLITE_STATIC);
        } else {
            sqlite3_bind_text16(m_statement, column, value.constData(),
                                int(value.size() * sizeof(QChar)), SQLITE_STATIC);
        }
    }

    void integer(int column, int value) { sqlite3_bind_int(m_statement, column, value); }

    bool run(QString& error)
    {
        const int result = sqlite3_step(m_statement);
        if (result != SQLITE_DONE)
            error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
        sqlite3_reset(m_statement);
        return result == SQLITE_DONE;
    }

private:
    QSqlDatabase& m_database;
    const QString m_sql;
    std::optional<QSqlQuery> m_query;
    sqlite3_stmt* m_statement = nullptr;
    std::vector<QByteArray> m_ascii;
};

EventInserts::EventInserts(QSqlDatabase& database)
    : m_database(database), m_event(std::make_unique<Statement>(
                                database,
                                QStringLiteral("INSERT INTO events (%1) VALUES (%2)")
                                    .arg(EventRows::columns(), StoreSql::placeholders(31)),
                                31)),
      m_reminder(std::make_unique<Statement>(
          database,
          QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, action, "
                         "acknowledged, trigger_time, trigger_date, last_shown) VALUES (?, ?, ?, "
                         "?, ?, ?, ?, ?)"),
          8)),
      m_attendee(std::make_unique<Statement>(
          database,
          QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, status, type, "
                         "rsvp) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
          8))
{
}

EventInserts::~EventInserts() = default;

bool EventInserts::isAvailable() const
{
    const QSqlDriver* driver = m_database.driver();
    return driver && qstrcmp(driver->handle().typeName(), "sqlite3*") == 0;
}

bool EventInserts::insertEvent(const Event& event, QString& error)
{
    if (!m_event->begin(error))
        return false;
    using StoreSql::notNull;
    static const QString synced = QStringLiteral("synced");
    const QString uid = notNull(event.uid);
    const QString title = notNull(event.title);
    const QString start = StoreTime::toText(event.startTime);
    const QString end = event.endTime ? StoreTime::toText(*event.endTime) : QString();
    const QString timezone = notNull(event.timezone);
    const QString rule = event.recurrenceId.isEmpty() ? event.recurrenceRule : QString();
    const QString status = notNull(event.status);
    const QString raw = notNull(event.rawIcalendar);
    const QString created = StoreTime::toText(event.created);
    const QString lastModified = StoreTime::toText(event.lastModified);
    const QString deletedAt = event.deletedAt ? StoreTime::toText(*event.deletedAt) : QString();
    Statement& row = *m_event;
    int column = 0;
    for (const QString* value :
         {&event.id, &event.calendarId, &uid, &event.providerEventId, &event.etag, &event.href,
          &title, &event.description, &event.location, &event.geoLocation, &start, &end}) {
        row.text(++column, *value);
    }
    row.integer(++column, event.isAllDay ? 1 : 0);
    row.text(++column, timezone);
    row.text(++column, rule);
    for (const QString* value :
         {&event.recurrenceDates, &event.exceptionDates, &event.recurrenceId, &event.masterEventUid,
          &status, &event.eventUrl, &event.conferenceUrl, &event.organizerEmail,
          &event.organizerName}) {
        row.text(++column, *value);
    }
    row.integer(++column, event.sequence);
    for (const QString* value :
         {&raw, &event.color, &created, &lastModified,
          event.syncStatus.isEmpty() ? &synced : &event.syncStatus, &deletedAt}) {
        row.text(++column, *value);
    }
    return row.run(error);
}

bool EventInserts::insertReminders(const Event& event, QString& error)
{
    if (event.reminders.isEmpty())
        return true;
    if (!m_reminder->begin(error))
        return false;
    static const QString display = QStringLiteral("display");
    Statement& row = *m_reminder;
    const QList<ReminderAck::Outcome> outcomes =
        ReminderAck::decide(event, {}, EventChildRows::reminderZone(event));
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const Reminder& reminder = event.reminders.at(i);
        const ReminderAck::Outcome& outcome = outcomes.at(i);
        const QString id = outcome.id.isEmpty() ? newId() : outcome.id;
        const QString trigger = StoreTime::toText(outcome.trigger);
        const QString date = outcome.date.toString(Qt::ISODate);
        const QString shown = ReminderRepository::lastShownValue(outcome.lastShown).toString();
        row.text(1, id);
        row.text(2, event.id);
        row.integer(3, reminder.minutesBefore);
        row.text(4, reminder.action.isEmpty() ? display : reminder.action);
        row.integer(5, outcome.acknowledged ? 1 : 0);
        row.text(6, trigger);
        row.text(7, date);
        row.text(8, shown);
        if (!row.run(error))
            return false;
    }
    return true;
}

bool EventInserts::insertAttendees(const Event& event, QString& error)
{
    if (event.attendees.isEmpty())
        return true;
    if (!m_attendee->begin(error))
        return false;
    static const QString required = QStringLiteral("required");
    static const QString needsAction = QStringLiteral("needs-action");
    Statement& row = *m_attendee;
    for (const Attendee& attendee : event.attendees) {
        const QString id = attendee.id.isEmpty() ? newId() : attendee.id;
        const QString email = StoreSql::notNull(attendee.email);
        row.text(1, id);
        row.text(2, event.id);
        row.text(3, email);
        row.text(4, attendee.name);
        row.text(5, attendee.role.isEmpty() ? required : attendee.role);
        row.text(6, attendee.status.isEmpty() ? needsAction : attendee.status);
        row.text(7, attendee.type);
        row.integer(8, attendee.rsvp ? 1 : 0);
        if (!row.run(error))
            return false;
    }
    return true;
}
