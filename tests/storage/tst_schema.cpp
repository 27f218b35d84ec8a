#include "Database.h"
#include "TestDataDir.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// Each table's columns in order, as the shared file layout declares them: "name TYPE", then
// "nn" for NOT NULL, "=default" and "pk".
const QList<std::pair<QString, QString>> expectedTables = {
    {"accounts",
     "id TEXT pk, name TEXT nn, type TEXT nn, server_url TEXT, username TEXT, "
     "calendar_home_set TEXT, principal_url TEXT, sync_interval_minutes INTEGER nn =15, "
     "last_sync_time TEXT, last_sync_error TEXT, enabled INTEGER nn =1, "
     "color TEXT nn ='#4285F4', exclude_from_sync INTEGER nn =0, "
     "trusted_cert_sha256 TEXT, pending_cert_sha256 TEXT, "
     "created_at TEXT nn =datetime('now'), updated_at TEXT nn =datetime('now'), "
     "sort_order INTEGER nn =0, deleted_at TEXT"},
    {"calendars",
     "id TEXT pk, account_id TEXT nn, url TEXT nn, name TEXT nn, description TEXT, "
     "color TEXT nn ='#4285F4', timezone TEXT nn ='UTC', is_visible INTEGER nn =1, "
     "is_read_only INTEGER nn =0, is_default INTEGER nn =0, ctag TEXT, sync_token TEXT, "
     "delta_sync_token TEXT, supported_components TEXT nn ='[\"VEVENT\"]', "
     "sort_order INTEGER nn =0, canonical_key TEXT, sync_enabled INTEGER nn =0, "
     "is_shared INTEGER nn =0, shared_with_me INTEGER nn =0, last_sync_error TEXT, "
     "created_at TEXT nn =datetime('now'), updated_at TEXT nn =datetime('now')"},
    {"events", "id TEXT pk, calendar_id TEXT nn, uid TEXT nn, provider_event_id TEXT, etag TEXT, "
               "href TEXT, title TEXT nn, description TEXT, location TEXT, geo_location TEXT, "
               "start_time TEXT nn, end_time TEXT, is_all_day INTEGER nn =0, "
               "timezone TEXT nn ='UTC', recurrence_rule TEXT, recurrence_dates TEXT, "
               "exception_dates TEXT, recurrence_id TEXT, master_event_uid TEXT, "
               "status TEXT nn ='confirmed', event_url TEXT, conference_url TEXT, "
               "organizer_email TEXT, organizer_name TEXT, sequence INTEGER nn =0, "
               "raw_icalendar TEXT nn, color TEXT, created TEXT nn =datetime('now'), "
               "last_modified TEXT nn =datetime('now'), sync_status TEXT nn ='synced', "
               "deleted_at TEXT"},
    {"attendees",
     "id TEXT pk, event_id TEXT nn, email TEXT nn, name TEXT, role TEXT nn ='required', "
     "status TEXT nn ='needs-action', type TEXT, rsvp INTEGER nn =0"},
    {"attachments", "id TEXT pk, event_id TEXT nn, filename TEXT nn, url TEXT, mime_type TEXT, "
                    "size INTEGER, provider_file_id TEXT"},
    {"reminders",
     "id TEXT pk, event_id TEXT nn, minutes_before INTEGER nn, action TEXT nn ='display', "
     "acknowledged INTEGER nn =0, trigger_time TEXT, trigger_date TEXT, last_shown TEXT"},
    {"tasks", "id TEXT pk, calendar_id TEXT nn, uid TEXT nn, etag TEXT, href TEXT, title TEXT nn, "
              "description TEXT, status TEXT nn ='needs-action', priority INTEGER nn =0, "
              "percent_complete INTEGER nn =0, due_date TEXT, start_date TEXT, "
              "completed_date TEXT, categories TEXT nn ='[]', parent_task_uid TEXT, "
              "sort_order INTEGER nn =0, color TEXT, recurrence_rule TEXT, sequence INTEGER nn =0, "
              "raw_icalendar TEXT nn, created TEXT nn =datetime('now'), "
              "last_modified TEXT nn =datetime('now'), sync_status TEXT nn ='synced', "
              "deleted_at TEXT, due_is_date_only INTEGER nn =1, start_is_date_only INTEGER nn =1, "
              "repeat_mode TEXT nn ='fromDueDate'"},
    {"filter_rules", "id TEXT pk, name TEXT nn, type TEXT nn, enabled INTEGER nn =1, "
                     "calendar_ids TEXT nn ='[]', conditions TEXT nn, action TEXT nn ='hide', "
                     "priority INTEGER nn =100, event_uid TEXT, event_calendar_id TEXT, "
                     "suppress_reminders INTEGER nn =0, sync_status TEXT nn ='pending', "
                     "created_at TEXT nn =datetime('now'), updated_at TEXT nn =datetime('now'), "
                     "deleted_at TEXT"},
    {"calendar_views",
     "id TEXT pk, name TEXT nn, color TEXT, calendar_ids TEXT nn ='[]', "
     "is_default INTEGER nn =0, sort_order INTEGER nn =0, sync_status TEXT nn ='pending', "
     "created_at TEXT nn =datetime('now'), updated_at TEXT nn =datetime('now'), "
     "deleted_at TEXT"},
    {"event_templates", "id TEXT pk, name TEXT nn, title TEXT nn, description TEXT, location TEXT, "
                        "color TEXT, is_all_day INTEGER nn =0, duration_minutes INTEGER nn =60, "
                        "recurrence_rule TEXT, calendar_id TEXT, reminders TEXT nn ='[15]', "
                        "sort_order INTEGER nn =0, sync_status TEXT nn ='pending', "
                        "created_at TEXT nn =datetime('now'), updated_at TEXT nn =datetime('now'), "
                        "deleted_at TEXT"},
    {"sync_queue", "id TEXT pk, operation TEXT nn, entity_type TEXT nn, entity_id TEXT nn, "
                   "calendar_id TEXT nn, payload TEXT nn, attempts INTEGER nn =0, last_error TEXT, "
                   "created_at TEXT nn =datetime('now'), last_attempt_at TEXT"},
    {"settings", "key TEXT pk, value TEXT nn, type TEXT nn ='string'"},
    {"google_cancelled_occurrences",
     "calendar_id TEXT nn pk, master_id TEXT nn pk, recurrence_id TEXT nn pk"},
    {"schema_version", "version INTEGER pk, name TEXT nn, applied_at TEXT nn =datetime('now')"},
};

// Each index as "name|table|columns|unique|partial WHERE", columns as SQLite reports them
// (an expression column reads as "<expr>").
const QStringList expectedIndexes = {
    "idx_attachments_event|attachments|event_id||",
    "idx_attendees_event|attendees|event_id||",
    "idx_calendars_account|calendars|account_id||",
    "idx_events_calendar|events|calendar_id||",
    "idx_events_calendar_pending|events|calendar_id,sync_status||sync_status = 'pending'",
    "idx_events_calendar_provider|events|calendar_id,provider_event_id||",
    "idx_events_calendar_start|events|calendar_id,start_time||",
    "idx_events_end_time|events|end_time||",
    "idx_events_master_uid|events|master_event_uid||",
    "idx_events_start_time|events|start_time||",
    "idx_events_sync_status|events|sync_status||",
    "idx_events_uid_calendar|events|uid,calendar_id||",
    "idx_events_uid_unique|events|calendar_id,uid,<expr>|unique|",
    "idx_reminders_event|reminders|event_id||",
    "idx_reminders_trigger|reminders|trigger_time||",
    "idx_tasks_calendar|tasks|calendar_id||",
    "idx_tasks_calendar_pending|tasks|calendar_id,sync_status||sync_status = 'pending'",
    "idx_tasks_due_date|tasks|due_date||",
    "idx_tasks_status|tasks|status||",
    "idx_tasks_sync_status|tasks|sync_status||",
    "idx_tasks_uid_calendar|tasks|uid,calendar_id||",
};

// Every foreign key, all with NO ACTION on update and delete.
const QStringList expectedForeignKeys = {
    "attachments.event_id->events.id",
    "attendees.event_id->events.id",
    "calendars.account_id->accounts.id",
    "events.calendar_id->calendars.id",
    "google_cancelled_occurrences.calendar_id->calendars.id NO ACTION/CASCADE",
    "reminders.event_id->events.id",
    "tasks.calendar_id->calendars.id"};

// The indexes the store adds for its range queries and the reminder poll; not part of the shared
// layout.
const QStringList queryIndexNames = {"idx_events_other_span", "idx_events_recurring_start",
                                     "idx_events_short_span", "idx_reminders_unacknowledged",
                                     "idx_tasks_start_date"};

// An account and its calendar "c", for the rows a test stores in an older file.
const QStringList calendarRows = {
    "INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')",
    "INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')"};

QStringList strings(QSqlDatabase& db, const QString& sql)
{
    QStringList values;
    QSqlQuery query(db);
    if (!query.exec(sql))
        return {QStringLiteral("error: ") + query.lastError().text()};
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

bool exec(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning() << query.lastError().text() << sql;
    return false;
}

QString columnsOf(QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (query.next()) {
        QString column = query.value(1).toString() + u' ' + query.value(2).toString();
        QString defaultValue = query.value(4).toString();
        if (defaultValue.startsWith(u'(') && defaultValue.endsWith(u')'))
            defaultValue = defaultValue.mid(1, defaultValue.size() - 2);
        if (query.value(3).toInt())
            column += QStringLiteral(" nn");
        if (!defaultValue.isEmpty())
            column += QStringLiteral(" =") + defaultValue;
        if (query.value(5).toInt())
            column += QStringLiteral(" pk");
        columns.append(column);
    }
    return columns.join(QStringLiteral(", "));
}

QStringList foreignKeysOf(QSqlDatabase& db)
{
    return strings(
        db, QStringLiteral("SELECT m.name || '.' || f.\"from\" || '->' || f.\"table\" || '.' || "
                           "f.\"to\" || CASE WHEN f.on_update = 'NO ACTION' AND f.on_delete = "
                           "'NO ACTION' THEN '' ELSE ' ' || f.on_update || '/' || f.on_delete END "
                           "FROM sqlite_master m, pragma_foreign_key_list(m.name) f WHERE "
                           "m.type = 'table' ORDER BY 1"));
}

QStringList indexesOf(QSqlDatabase& db)
{
    QStringList indexes;
    QSqlQuery list(db);
    list.exec(QStringLiteral("SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'index' "
                             "AND sql IS NOT NULL ORDER BY name"));
    while (list.next()) {
        const QString name = list.value(0).toString();
        if (queryIndexNames.contains(name))
            continue;
        QStringList columns;
        QSqlQuery info(db);
        info.exec(QStringLiteral("PRAGMA index_info(%1)").arg(name));
        while (info.next())
            columns.append(info.value(2).isNull() ? QStringLiteral("<expr>")
                                                  : info.value(2).toString());
        const QString sql = list.value(2).toString();
        const qsizetype where = sql.indexOf(QStringLiteral(" WHERE "));
        indexes.append(QStringList{name, list.value(1).toString(), columns.join(u','),
                                   sql.contains(QStringLiteral("UNIQUE")) ? "unique" : "",
                                   where < 0 ? QString() : sql.mid(where + 7).trimmed()}
                           .join(u'|'));
    }
    return indexes;
}

// Opens `path` on a plain connection and applies migrations 1..version the way an older build
// left the file, then runs `statements`.
bool writeOldFile(const QString& path, int version, const QStringList& statements)
{
    bool ok = false;
    {
        QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "old");
        old.setDatabaseName(path);
        ok = old.open() && exec(old, "PRAGMA foreign_keys=ON") &&
             exec(old, "CREATE TABLE IF NOT EXISTS schema_version (  version    INTEGER PRIMARY "
                       "KEY,  name       TEXT NOT NULL,  applied_at TEXT NOT NULL DEFAULT "
                       "(datetime('now')))");
        for (const Database::Migration& migration : Database::migrations()) {
            if (!ok || migration.version > version)
                break;
            QFile file(migration.resourcePath);
            ok = file.open(QIODevice::ReadOnly | QIODevice::Text);
            for (const QString& statement :
                 Database::splitStatements(QString::fromUtf8(file.readAll())))
                ok = ok && exec(old, statement);
            ok = ok && exec(old, QStringLiteral("INSERT INTO schema_version (version, name) "
                                                "VALUES (%1, '%2')")
                                     .arg(migration.version)
                                     .arg(migration.name));
        }
        for (const QString& statement : statements)
            ok = ok && exec(old, statement);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    return ok;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A fresh file (version 0) and a file left at any older version end with the same layout.
    void migratesFromEveryVersion_data()
    {
        QTest::addColumn<int>("version");
        for (int version = 0; version <= 11; ++version)
            QTest::addRow("from %d", version) << version;
    }

    void migratesFromEveryVersion()
    {
        QFETCH(int, version);
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        if (version > 0)
            QVERIFY(writeOldFile(
                path, version,
                {"INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')",
                 "INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')",
                 "INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
                 "VALUES ('e', 'c', 'u', 'T', '2025-03-01T08:30:00Z', 'raw')",
                 "INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('t', "
                 "'c', 'u', 'T', 'raw')"}));
        Database database;
        QVERIFY(database.open(path));
        QVERIFY(database.migrate());
        QSqlDatabase& db = database.database();

        QStringList tables;
        for (const auto& [table, columns] : expectedTables) {
            tables.append(table);
            QCOMPARE(columnsOf(db, table), columns);
        }
        tables.sort();
        QCOMPARE(strings(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
                 tables);
        QCOMPARE(indexesOf(db), expectedIndexes);
        QCOMPARE(strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' "
                                            "AND name IN ('%1') ORDER BY name")
                                 .arg(queryIndexNames.join(QStringLiteral("', '")))),
                 queryIndexNames);
        QCOMPARE(foreignKeysOf(db), expectedForeignKeys);
        QCOMPARE(strings(db, "SELECT group_concat(version || ':' || name, ' ') FROM (SELECT * "
                             "FROM schema_version ORDER BY version)"),
                 QStringList{"1:initial 2:event_sync 3:tasks_sync 4:accounts_sort_order "
                             "5:provider_event_idx 6:events_uid_unique 7:tasks_dateonly_repeat "
                             "8:accounts_soft_delete 9:google_cancelled_occurrences "
                             "10:reminder_rows 11:reminder_last_shown"});
        if (version > 0) {
            // Rows that predate a migration take its defaults.
            QCOMPARE(strings(db, "SELECT sync_status || (deleted_at IS NULL) FROM events"),
                     QStringList{"synced1"});
            QCOMPARE(strings(db, "SELECT sync_status || due_is_date_only || start_is_date_only "
                                 "|| repeat_mode FROM tasks"),
                     QStringList{"synced11fromDueDate"});
            QCOMPARE(strings(db, "SELECT sort_order || (deleted_at IS NULL) FROM accounts"),
                     QStringList{"01"});
        }
    }

    // Three copies of one event before the unique index: the oldest stays with its children;
    // on equal creation times the smaller id wins.
    void uniqueMigrationKeepsOldestCopy()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        QStringList statements = calendarRows;
        // e3 is the oldest; e1 and e2 tie on the later time; e4 is an empty recurrence id, the
        // same key as NULL; o1 is another occurrence and stays.
        const QStringList rows = {
            "'e2', NULL, '2025-01-02 10:00:00'", "'e1', NULL, '2025-01-02 10:00:00'",
            "'e3', NULL, '2025-01-01 10:00:00'", "'e4', '', '2025-01-03 10:00:00'",
            "'o1', '20250301T090000Z', '2025-01-05 10:00:00'"};
        for (const QString& row : rows) {
            const QString id = row.mid(1, 2);
            statements << "INSERT INTO events (id, recurrence_id, created, uid, calendar_id, "
                          "title, start_time, raw_icalendar) VALUES (" +
                              row + ", 'u', 'c', 'T', '2025-03-01T09:00:00Z', 'raw')"
                       << QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES "
                                         "('a-%1', '%1', 'x@y')")
                              .arg(id)
                       << QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) "
                                         "VALUES ('r-%1', '%1', 15)")
                              .arg(id)
                       << QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES "
                                         "('f-%1', '%1', 'f')")
                              .arg(id);
        }
        QVERIFY(writeOldFile(path, 5, statements));

        Database database;
        QVERIFY(database.open(path));
        QVERIFY(database.migrate());
        QSqlDatabase& db = database.database();
        QCOMPARE(strings(db, "SELECT id FROM events ORDER BY id"), (QStringList{"e3", "o1"}));
        for (const char* table : {"attendees", "reminders", "attachments"})
            QCOMPARE(
                strings(db, QStringLiteral("SELECT event_id FROM %1 ORDER BY event_id").arg(table)),
                (QStringList{"e3", "o1"}));
        QSqlQuery duplicate(db);
        QVERIFY(!duplicate.exec("INSERT INTO events (id, calendar_id, uid, recurrence_id, title, "
                                "start_time, raw_icalendar) VALUES ('n', 'c', 'u', '', 'T', 'x', "
                                "'r')"));
        QVERIFY(duplicate.lastError().text().contains(QStringLiteral("idx_events_uid_unique")));
        QVERIFY(exec(db, "INSERT INTO events (id, calendar_id, uid, recurrence_id, title, "
                         "start_time, raw_icalendar) VALUES ('n', 'c', 'u', '20250302T090000Z', "
                         "'T', 'x', 'r')"));
        QCOMPARE(strings(db, "PRAGMA foreign_key_check"), QStringList());
    }

    // Rows of version 10 kept only a cursor (the trigger of the next occurrence to remind): a
    // series' row takes the occurrence before it, or an acknowledged one the occurrence at it,
    // as the one it handled last; an all-day one's date by the date stored with its trigger.
    void reminderRowsKeepWhatTheyShowed()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        QStringList statements = calendarRows;
        // Event: start, all day, rule, exception dates. Reminder: trigger, acknowledged, date.
        const QStringList rows = {
            "'2025-03-01T09:00:00Z', 0, 'FREQ=DAILY', NULL, '2025-03-05T08:50:00Z', 0, NULL",
            "'2025-03-01T09:00:00Z', 0, 'FREQ=DAILY', NULL, '2025-03-01T08:50:00Z', 0, NULL",
            "'2025-03-01T09:00:00Z', 0, 'FREQ=DAILY', '[\"20250304T090000Z\"]', "
            "'2025-03-05T08:50:00Z', 0, NULL",
            "'2025-03-01T09:00:00Z', 0, 'FREQ=DAILY;COUNT=5', NULL, '2025-03-05T08:50:00Z', 1, "
            "NULL",
            "'2025-03-01T00:00:00Z', 1, 'FREQ=WEEKLY', NULL, '2025-03-14T23:50:00Z', 0, "
            "'2025-03-15'",
            "'2025-03-05T09:00:00Z', 0, NULL, NULL, '2025-03-05T08:50:00Z', 1, NULL"};
        for (qsizetype i = 0; i < rows.size(); ++i)
            statements << QStringLiteral(
                              "INSERT INTO events (id, uid, calendar_id, title, "
                              "raw_icalendar, start_time, is_all_day, recurrence_rule, "
                              "exception_dates) VALUES ('%1', '%1', 'c', 'T', 'raw', %2)")
                              .arg(i)
                              .arg(rows.at(i).section(u',', 0, 3))
                       << QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, "
                                         "trigger_time, acknowledged, trigger_date) VALUES ('%1', "
                                         "'%1', 10, %2)")
                              .arg(i)
                              .arg(rows.at(i).section(u',', 4));
        QVERIFY(writeOldFile(path, 10, statements));

        Database database;
        QVERIFY(database.open(path));
        QVERIFY(database.migrate());
        QCOMPARE(strings(database.database(),
                         "SELECT coalesce(last_shown, '-') FROM reminders ORDER BY id"),
                 (QStringList{"2025-03-04T09:00:00Z", "-", "2025-03-03T09:00:00Z",
                              "2025-03-05T09:00:00Z", "2025-03-08", "-"}));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
