// The cost of reading one week of events must follow what the week holds, not the size of the
// store. Builds a store of 100,000 events over ten years and one of 1,000, times getInRange for
// a week today and five years ahead against the physical minimum (reading exactly the returned
// rows by primary key, with their children), and times a large insert in one transaction
// against Python's own sqlite3 writing the same rows (store_insert.py beside this file).

#include "Clock.h"
#include "Database.h"
#include "EventRangeSql.h"
#include "EventRepository.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int calendarCount = 20;
constexpr int seriesCount = 500;
constexpr int repeats = 15;
const char* const storeInsertScript = STORE_INSERT_SCRIPT;

QString calendarId(int index)
{
    return QStringLiteral("cal-%1").arg(index);
}

QString rawText(const Event& event, int size)
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n"
                                  "BEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:%2\r\nDTSTART:%3\r\n")
                       .arg(event.uid, event.title,
                            event.startTime.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")));
    const QString tail = QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
    text += QStringLiteral("DESCRIPTION:");
    while (text.size() + tail.size() + 2 < size)
        text += QStringLiteral("Agenda item and notes. ");
    return text + QStringLiteral("\r\n") + tail;
}

// One generated event: spread over ten years around `today`, some recurring, some with
// reminders and attendees, about 2 KB of stored iCalendar text.
Event generatedEvent(int index, int total, const QDateTime& firstDay, QRandomGenerator& random)
{
    Event event;
    event.id = QStringLiteral("ev-%1").arg(index);
    event.calendarId = calendarId(random.bounded(calendarCount));
    event.uid = event.id + QStringLiteral("@bench");
    event.title = QStringLiteral("Meeting %1").arg(index);
    event.location = QStringLiteral("Room %1").arg(random.bounded(40));
    const qint64 spanMinutes = qint64(3652) * 24 * 60;
    event.startTime = firstDay.addSecs((spanMinutes * index / total + random.bounded(60)) * 60);
    event.startTime = event.startTime.addSecs(-event.startTime.time().second());
    event.endTime = event.startTime.addSecs(qint64(30 + 30 * random.bounded(4)) * 60);
    event.timezone = QStringLiteral("Europe/Berlin");
    const bool recurring = index % (total / std::min(total, seriesCount)) == 0 &&
                           index / (total / std::min(total, seriesCount)) < seriesCount;
    if (recurring)
        event.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO");
    event.created = firstDay;
    event.lastModified = firstDay;
    if (random.bounded(100) < 30) {
        Reminder reminder;
        reminder.minutesBefore = 15;
        event.reminders.append(reminder);
    }
    if (random.bounded(100) < 20) {
        for (int i = 0; i < 3; ++i) {
            Attendee attendee;
            attendee.email = QStringLiteral("person%1@example.org").arg(i);
            attendee.name = QStringLiteral("Person %1").arg(i);
            event.attendees.append(attendee);
        }
    }
    event.rawIcalendar = rawText(event, 2048);
    return event;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Store
{
    QTemporaryDir dir;
    Database database;
    EventRepository* events = nullptr;
};

// An empty store at `path` built by the program's migrations, with the account and calendars
// the events belong to.
bool prepare(Database& database, const QString& path, const QString& connectionName = {})
{
    if (!database.open(path, connectionName) || !database.migrate())
        return false;
    QSqlQuery query(database.database());
    query.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('acc', 'A', "
                              "'caldav')"));
    for (int i = 0; i < calendarCount; ++i)
        query.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES "
                                  "('%1', 'acc', 'https://x/%1/', '%1')")
                       .arg(calendarId(i)));
    return true;
}

bool fill(Store& store, int total, const QDateTime& firstDay, double* insertMs)
{
    if (!prepare(store.database, store.dir.filePath(QStringLiteral("calendar.db"))))
        return false;
    store.events = new EventRepository(&store.database, &store.database);
    QSqlDatabase& db = store.database.database();
    QSqlQuery query(db);
    QRandomGenerator random(4711);
    // Events are generated in batches outside the timed part, so only the writing is timed.
    constexpr int batchSize = 1000;
    qint64 writingNs = 0;
    QElapsedTimer timer;
    timer.start();
    if (!db.transaction())
        return false;
    writingNs += timer.nsecsElapsed();
    for (int first = 0; first < total; first += batchSize) {
        QList<Event> batch;
        for (int i = first; i < std::min(total, first + batchSize); ++i)
            batch.append(generatedEvent(i, total, firstDay, random));
        timer.restart();
        for (const Event& event : batch) {
            if (!store.events->insert(event))
                return false;
        }
        writingNs += timer.nsecsElapsed();
    }
    timer.restart();
    if (!db.commit())
        return false;
    writingNs += timer.nsecsElapsed();
    if (insertMs)
        *insertMs = writingNs / 1e6;
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}

// The events fill() writes for `total` (the same seed gives the same sequence), as JSON for the
// Python baseline: each record's fields by column name, times in their stored form, null texts
// as null.
bool writeEvents(int total, const QDateTime& firstDay, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto text = [](const QString& value) {
        return value.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(value);
    };
    const auto time = [&text](const std::optional<QDateTime>& value) {
        return text(value ? StoreTime::toText(*value) : QString());
    };
    QRandomGenerator random(4711);
    file.write("[");
    for (int i = 0; i < total; ++i) {
        const Event event = generatedEvent(i, total, firstDay, random);
        QJsonArray reminders;
        for (const Reminder& reminder : event.reminders)
            reminders.append(QJsonObject{{"id", text(reminder.id)},
                                         {"minutes_before", reminder.minutesBefore},
                                         {"action", text(reminder.action)},
                                         {"acknowledged", reminder.acknowledged}});
        QJsonArray attendees;
        for (const Attendee& attendee : event.attendees)
            attendees.append(QJsonObject{{"id", text(attendee.id)},
                                         {"email", text(attendee.email)},
                                         {"name", text(attendee.name)},
                                         {"role", text(attendee.role)},
                                         {"status", text(attendee.status)},
                                         {"type", text(attendee.type)},
                                         {"rsvp", attendee.rsvp}});
        const QJsonObject record{
            {"id", text(event.id)},
            {"calendar_id", text(event.calendarId)},
            {"uid", text(event.uid)},
            {"provider_event_id", text(event.providerEventId)},
            {"etag", text(event.etag)},
            {"href", text(event.href)},
            {"title", text(event.title)},
            {"description", text(event.description)},
            {"location", text(event.location)},
            {"geo_location", text(event.geoLocation)},
            {"start_time", time(event.startTime)},
            {"end_time", time(event.endTime)},
            {"is_all_day", event.isAllDay},
            {"timezone", text(event.timezone)},
            {"recurrence_rule", text(event.recurrenceRule)},
            {"recurrence_dates", text(event.recurrenceDates)},
            {"exception_dates", text(event.exceptionDates)},
            {"recurrence_id", text(event.recurrenceId)},
            {"master_event_uid", text(event.masterEventUid)},
            {"status", text(event.status)},
            {"event_url", text(event.eventUrl)},
            {"conference_url", text(event.conferenceUrl)},
            {"organizer_email", text(event.organizerEmail)},
            {"organizer_name", text(event.organizerName)},
            {"sequence", event.sequence},
            {"raw_icalendar", text(event.rawIcalendar)},
            {"color", text(event.color)},
            {"created", time(event.created)},
            {"last_modified", time(event.lastModified)},
            {"sync_status", text(event.syncStatus)},
            {"deleted_at", time(event.deletedAt)},
            {"reminders", reminders},
            {"attendees", attendees},
        };
        if (i > 0)
            file.write(",\n");
        file.write(QJsonDocument(record).toJson(QJsonDocument::Compact));
    }
    file.write("]\n");
    return file.flush();
}

// Microseconds per event of store_insert.py writing fill()'s events into an empty store at
// `path` built like `store`'s; 0 when it could not run.
double pythonInsertUs(Store& store, int total, const QDateTime& firstDay, const QString& path)
{
    {
        Database database;
        if (!prepare(database, path, QStringLiteral("python-baseline")))
            return 0;
    }
    const QString events = store.dir.filePath(QStringLiteral("events.json"));
    if (!writeEvents(total, firstDay, events))
        return 0;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QString::fromUtf8(storeInsertScript), path, events});
    if (!python.waitForFinished(-1) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        std::printf("  %s", python.readAllStandardError().constData());
        return 0;
    }
    QFile::remove(events);
    const QByteArray output = python.readAllStandardOutput().trimmed();
    const QByteArray prefix = "us per event ";
    return output.startsWith(prefix) ? output.mid(prefix.size()).toDouble() : 0;
}

// Whether the Python baseline wrote what the insert wrote: rows and bytes per table, and the rows
// themselves but for the ids of child rows, which are drawn at random.
void printSameRows(Store& store, const QString& pythonStore)
{
    QSqlDatabase& db = store.database.database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("ATTACH DATABASE ? AS python"));
    query.addBindValue(pythonStore);
    if (!query.exec()) {
        std::printf("  check: could not attach the Python store: %s\n",
                    qPrintable(query.lastError().text()));
        return;
    }
    QStringList parts;
    bool same = true;
    for (const QString& table : {QStringLiteral("events"), QStringLiteral("reminders"),
                                 QStringLiteral("attendees"), QStringLiteral("attachments")}) {
        QStringList columns;
        query.exec(QStringLiteral("PRAGMA main.table_info(%1)").arg(table));
        while (query.next())
            columns.append(query.value(1).toString());
        QStringList lengths;
        for (const QString& column : columns)
            lengths.append(QStringLiteral("coalesce(length(CAST(%1 AS BLOB)), 0)").arg(column));
        qint64 rows[2] = {-1, -1};
        qint64 bytes[2] = {-1, -1};
        for (int side = 0; side < 2; ++side) {
            query.exec(QStringLiteral("SELECT count(*), sum(%1) FROM %2.%3")
                           .arg(lengths.join(QStringLiteral(" + ")),
                                QLatin1String(side == 0 ? "main" : "python"), table));
            if (query.next()) {
                rows[side] = query.value(0).toLongLong();
                bytes[side] = query.value(1).toLongLong();
            }
        }
        if (table != u"events")
            columns.removeAll(QStringLiteral("id"));
        const QString list = columns.join(QStringLiteral(", "));
        query.exec(QStringLiteral("SELECT (SELECT count(*) FROM (SELECT %1 FROM main.%2 EXCEPT "
                                  "SELECT %1 FROM python.%2)) + (SELECT count(*) FROM (SELECT %1 "
                                  "FROM python.%2 EXCEPT SELECT %1 FROM main.%2))")
                       .arg(list, table));
        const qint64 differing = query.next() ? query.value(0).toLongLong() : -1;
        same = same && rows[0] == rows[1] && bytes[0] == bytes[1] && differing == 0;
        parts.append(QStringLiteral("%1 %2/%3 rows %4/%5 bytes")
                         .arg(table)
                         .arg(rows[0])
                         .arg(rows[1])
                         .arg(bytes[0])
                         .arg(bytes[1]));
    }
    query.finish();
    query.exec(QStringLiteral("DETACH DATABASE python"));
    std::printf("  check, ours/python: %s: %s\n", qPrintable(parts.join(QStringLiteral("; "))),
                same ? "same rows" : "ROWS DIFFER");
}

QStringList allCalendars()
{
    QStringList ids;
    for (int i = 0; i < calendarCount; ++i)
        ids.append(calendarId(i));
    return ids;
}

// Reads exactly the given rows by primary key, with their children: what producing the result
// costs once it is known which rows it holds.
double minimumMs(Store& store, const QList<Event>& result)
{
    QSqlDatabase& db = store.database.database();
    QStringList ids;
    for (const Event& event : result)
        ids.append(event.id);
    QElapsedTimer timer;
    timer.start();
    QList<Event> events;
    events.reserve(result.size());
    StoreSql::forEachSlice(ids, [&](const QStringList& slice) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(
            QStringLiteral("SELECT %1 FROM events WHERE id IN (%2)")
                .arg(EventRepository::columns(), StoreSql::placeholders(int(slice.size()))));
        for (const QString& id : slice)
            query.addBindValue(id);
        if (query.exec()) {
            while (query.next())
                events.append(EventRepository::fromQuery(query));
        }
        return true;
    });
    EventRepository::loadRemindersBatch(db, events);
    EventRepository::loadAttendeesBatch(db, events);
    return timer.nsecsElapsed() / 1e6;
}

// The single statement the range query replaces, for reference.
double plainStatementMs(Store& store, const QDateTime& from, const QDateTime& to,
                        const QStringList& calendars, int* rows)
{
    QSqlDatabase& db = store.database.database();
    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM events WHERE start_time < ? AND (end_time IS "
                       "NULL OR end_time > ? OR (recurrence_rule IS NOT NULL AND "
                       "recurrence_rule != '')) AND deleted_at IS NULL AND calendar_id "
                       "IN (%2) ORDER BY start_time")
            .arg(EventRepository::columns(), StoreSql::placeholders(int(calendars.size()))));
    query.addBindValue(StoreTime::toText(to));
    query.addBindValue(StoreTime::toText(from));
    for (const QString& id : calendars)
        query.addBindValue(id);
    QList<Event> events;
    if (query.exec()) {
        while (query.next())
            events.append(EventRepository::fromQuery(query));
    }
    query.finish();
    EventRepository::loadRemindersBatch(db, events);
    EventRepository::loadAttendeesBatch(db, events);
    *rows = int(events.size());
    return timer.nsecsElapsed() / 1e6;
}

void printPlans(Store& store)
{
    const QString calendarClause =
        QStringLiteral(" AND deleted_at IS NULL AND +calendar_id IN (%1)")
            .arg(StoreSql::placeholders(calendarCount));
    const QStringList wheres = {
        EventRangeSql::recurring() + QStringLiteral(" AND start_time < ?"),
        EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::shortSpan() +
            QStringLiteral(" AND start_time >= ? AND start_time < ? AND end_time > ?"),
        EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::otherSpan() +
            QStringLiteral(" AND start_time < ? AND (end_time IS NULL OR end_time > ?)"),
    };
    const QStringList names = {"recurring rows", "short-span rows", "other rows"};
    for (int i = 0; i < wheres.size(); ++i) {
        QSqlQuery query(store.database.database());
        query.prepare(QStringLiteral("EXPLAIN QUERY PLAN SELECT id FROM events WHERE ") +
                      wheres[i] + calendarClause);
        const int placeholders = int(wheres[i].count(u'?')) + calendarCount;
        for (int p = 0; p < placeholders; ++p)
            query.addBindValue(QStringLiteral("x"));
        std::printf("  plan, %s:\n", qPrintable(names[i]));
        if (!query.exec()) {
            std::printf("    (failed: %s)\n", qPrintable(query.lastError().text()));
            continue;
        }
        while (query.next())
            std::printf("    %s\n", qPrintable(query.value(3).toString()));
    }
}

struct WeekFigures
{
    double queryMs = 0;
    double minimumMs = 0;
    double plainMs = 0;
    int rows = 0;
};

WeekFigures measureWeek(Store& store, const QDateTime& from)
{
    const QDateTime to = from.addDays(7);
    const QStringList calendars = allCalendars();
    std::vector<double> query, minimum, plain;
    WeekFigures figures;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QList<Event> result = store.events->getInRange(from, to, calendars);
        query.push_back(timer.nsecsElapsed() / 1e6);
        minimum.push_back(minimumMs(store, result));
        int plainRows = 0;
        plain.push_back(plainStatementMs(store, from, to, calendars, &plainRows));
        figures.rows = int(result.size());
        if (plainRows != figures.rows)
            std::printf("  MISMATCH: %d rows against %d of the plain statement\n", figures.rows,
                        plainRows);
    }
    figures.queryMs = median(query);
    figures.minimumMs = median(minimum);
    figures.plainMs = median(plain);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QDate today = Clock::today();
    const QDateTime weekStart(today.addDays(1 - today.dayOfWeek()), QTime(0, 0),
                              QTimeZone::systemTimeZone());
    const QDateTime firstDay = weekStart.toUTC().addYears(-5);

    std::printf("bench_store: getInRange for one week against the physical minimum\n");
    for (int total : {100000, 1000}) {
        Store store;
        double fillMs = 0;
        if (!fill(store, total, firstDay, &fillMs)) {
            std::printf("could not build the store of %d events\n", total);
            return 1;
        }
        std::printf("store of %d events in %d calendars (%d recurring), filled in %.0f ms\n", total,
                    calendarCount, std::min(total, seriesCount), fillMs);
        const QList<std::pair<const char*, QDateTime>> weeks = {
            {"this week", weekStart}, {"five years ahead", weekStart.addYears(5).addDays(-7)}};
        for (const auto& [label, from] : weeks) {
            const WeekFigures figures = measureWeek(store, from);
            std::printf("  %-17s %4d rows: query %.2f ms, minimum %.2f ms, ratio %.2f "
                        "(single plain statement %.2f ms, ratio %.1f)\n",
                        label, figures.rows, figures.queryMs, figures.minimumMs,
                        figures.queryMs / figures.minimumMs, figures.plainMs,
                        figures.plainMs / figures.minimumMs);
        }
        if (total == 100000)
            printPlans(store);
    }

    // Writing: 40,000 events with their children in one transaction, against 4,000, and each
    // against Python's sqlite3 writing the same rows into a store of the same schema.
    double small = 0;
    double large = 0;
    for (int total : {4000, 40000}) {
        Store store;
        double ms = 0;
        if (!fill(store, total, firstDay, &ms))
            return 1;
        (total == 4000 ? small : large) = ms;
        const double ours = ms * 1000 / total;
        std::printf("insert of %d events with children in one transaction: %.0f ms (%.1f us per "
                    "event)\n",
                    total, ms, ours);
        const QString pythonStore = store.dir.filePath(QStringLiteral("python.db"));
        const double python = pythonInsertUs(store, total, firstDay, pythonStore);
        if (python <= 0) {
            std::printf("  python3 sqlite3: could not run %s\n", storeInsertScript);
            continue;
        }
        std::printf("  python3 sqlite3, same rows: %.1f us per event; ratio ours/python %.2f "
                    "(target at most 1)\n",
                    python, ours / python);
        printSameRows(store, pythonStore);
    }
    std::printf("insert ratio 40,000 / 4,000: %.1f (10 is linear)\n", large / small);
    return 0;
}
