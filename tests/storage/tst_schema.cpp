#include "Database.h"
#include "TestDataDir.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// Each column as "name|type|NN|default|pk", as the shared file layout declares it.
const QList<std::pair<QString, QStringList>> expectedTables = {
    {"accounts",
     {"id|TEXT|||1", "name|TEXT|NN||", "type|TEXT|NN||", "server_url|TEXT|||", "username|TEXT|||",
      "calendar_home_set|TEXT|||", "principal_url|TEXT|||", "sync_interval_minutes|INTEGER|NN|15|",
      "last_sync_time|TEXT|||", "last_sync_error|TEXT|||", "enabled|INTEGER|NN|1|",
      "color|TEXT|NN|'#4285F4'|", "exclude_from_sync|INTEGER|NN|0|", "trusted_cert_sha256|TEXT|||",
      "pending_cert_sha256|TEXT|||", "created_at|TEXT|NN|datetime('now')|",
      "updated_at|TEXT|NN|datetime('now')|", "sort_order|INTEGER|NN|0|", "deleted_at|TEXT|||"}},
    {"calendars",
     {"id|TEXT|||1",
      "account_id|TEXT|NN||",
      "url|TEXT|NN||",
      "name|TEXT|NN||",
      "description|TEXT|||",
      "color|TEXT|NN|'#4285F4'|",
      "timezone|TEXT|NN|'UTC'|",
      "is_visible|INTEGER|NN|1|",
      "is_read_only|INTEGER|NN|0|",
      "is_default|INTEGER|NN|0|",
      "ctag|TEXT|||",
      "sync_token|TEXT|||",
      "delta_sync_token|TEXT|||",
      "supported_components|TEXT|NN|'[\"VEVENT\"]'|",
      "sort_order|INTEGER|NN|0|",
      "canonical_key|TEXT|||",
      "sync_enabled|INTEGER|NN|0|",
      "is_shared|INTEGER|NN|0|",
      "shared_with_me|INTEGER|NN|0|",
      "last_sync_error|TEXT|||",
      "created_at|TEXT|NN|datetime('now')|",
      "updated_at|TEXT|NN|datetime('now')|"}},
    {"events",
     {"id|TEXT|||1",
      "calendar_id|TEXT|NN||",
      "uid|TEXT|NN||",
      "provider_event_id|TEXT|||",
      "etag|TEXT|||",
      "href|TEXT|||",
      "title|TEXT|NN||",
      "description|TEXT|||",
      "location|TEXT|||",
      "geo_location|TEXT|||",
      "start_time|TEXT|NN||",
      "end_time|TEXT|||",
      "is_all_day|INTEGER|NN|0|",
      "timezone|TEXT|NN|'UTC'|",
      "recurrence_rule|TEXT|||",
      "recurrence_dates|TEXT|||",
      "exception_dates|TEXT|||",
      "recurrence_id|TEXT|||",
      "master_event_uid|TEXT|||",
      "status|TEXT|NN|'confirmed'|",
      "event_url|TEXT|||",
      "conference_url|TEXT|||",
      "organizer_email|TEXT|||",
      "organizer_name|TEXT|||",
      "sequence|INTEGER|NN|0|",
      "raw_icalendar|TEXT|NN||",
      "color|TEXT|||",
      "created|TEXT|NN|datetime('now')|",
      "last_modified|TEXT|NN|datetime('now')|",
      "sync_status|TEXT|NN|'synced'|",
      "deleted_at|TEXT|||"}},
    {"attendees",
     {"id|TEXT|||1", "event_id|TEXT|NN||", "email|TEXT|NN||", "name|TEXT|||",
      "role|TEXT|NN|'required'|", "status|TEXT|NN|'needs-action'|", "type|TEXT|||",
      "rsvp|INTEGER|NN|0|"}},
    {"attachments",
     {"id|TEXT|||1", "event_id|TEXT|NN||", "filename|TEXT|NN||", "url|TEXT|||", "mime_type|TEXT|||",
      "size|INTEGER|||", "provider_file_id|TEXT|||"}},
    {"reminders",
     {"id|TEXT|||1", "event_id|TEXT|NN||", "minutes_before|INTEGER|NN||",
      "action|TEXT|NN|'display'|", "acknowledged|INTEGER|NN|0|", "trigger_time|TEXT|||"}},
    {"tasks",
     {"id|TEXT|||1",
      "calendar_id|TEXT|NN||",
      "uid|TEXT|NN||",
      "etag|TEXT|||",
      "href|TEXT|||",
      "title|TEXT|NN||",
      "description|TEXT|||",
      "status|TEXT|NN|'needs-action'|",
      "priority|INTEGER|NN|0|",
      "percent_complete|INTEGER|NN|0|",
      "due_date|TEXT|||",
      "start_date|TEXT|||",
      "completed_date|TEXT|||",
      "categories|TEXT|NN|'[]'|",
      "parent_task_uid|TEXT|||",
      "sort_order|INTEGER|NN|0|",
      "color|TEXT|||",
      "recurrence_rule|TEXT|||",
      "sequence|INTEGER|NN|0|",
      "raw_icalendar|TEXT|NN||",
      "created|TEXT|NN|datetime('now')|",
      "last_modified|TEXT|NN|datetime('now')|",
      "sync_status|TEXT|NN|'synced'|",
      "deleted_at|TEXT|||",
      "due_is_date_only|INTEGER|NN|1|",
      "start_is_date_only|INTEGER|NN|1|",
      "repeat_mode|TEXT|NN|'fromDueDate'|"}},
    {"filter_rules",
     {"id|TEXT|||1", "name|TEXT|NN||", "type|TEXT|NN||", "enabled|INTEGER|NN|1|",
      "calendar_ids|TEXT|NN|'[]'|", "conditions|TEXT|NN||", "action|TEXT|NN|'hide'|",
      "priority|INTEGER|NN|100|", "event_uid|TEXT|||", "event_calendar_id|TEXT|||",
      "suppress_reminders|INTEGER|NN|0|", "sync_status|TEXT|NN|'pending'|",
      "created_at|TEXT|NN|datetime('now')|", "updated_at|TEXT|NN|datetime('now')|",
      "deleted_at|TEXT|||"}},
    {"calendar_views",
     {"id|TEXT|||1", "name|TEXT|NN||", "color|TEXT|||", "calendar_ids|TEXT|NN|'[]'|",
      "is_default|INTEGER|NN|0|", "sort_order|INTEGER|NN|0|", "sync_status|TEXT|NN|'pending'|",
      "created_at|TEXT|NN|datetime('now')|", "updated_at|TEXT|NN|datetime('now')|",
      "deleted_at|TEXT|||"}},
    {"event_templates",
     {"id|TEXT|||1", "name|TEXT|NN||", "title|TEXT|NN||", "description|TEXT|||", "location|TEXT|||",
      "color|TEXT|||", "is_all_day|INTEGER|NN|0|", "duration_minutes|INTEGER|NN|60|",
      "recurrence_rule|TEXT|||", "calendar_id|TEXT|||", "reminders|TEXT|NN|'[15]'|",
      "sort_order|INTEGER|NN|0|", "sync_status|TEXT|NN|'pending'|",
      "created_at|TEXT|NN|datetime('now')|", "updated_at|TEXT|NN|datetime('now')|",
      "deleted_at|TEXT|||"}},
    {"sync_queue",
     {"id|TEXT|||1", "operation|TEXT|NN||", "entity_type|TEXT|NN||", "entity_id|TEXT|NN||",
      "calendar_id|TEXT|NN||", "payload|TEXT|NN||", "attempts|INTEGER|NN|0|", "last_error|TEXT|||",
      "created_at|TEXT|NN|datetime('now')|", "last_attempt_at|TEXT|||"}},
    {"settings", {"key|TEXT|||1", "value|TEXT|NN||", "type|TEXT|NN|'string'|"}},
    {"schema_version",
     {"version|INTEGER|||1", "name|TEXT|NN||", "applied_at|TEXT|NN|datetime('now')|"}},
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

// The indexes the store adds for its range query; not part of the shared layout.
const QStringList queryIndexNames = {"idx_events_other_span", "idx_events_recurring_start",
                                     "idx_events_short_span"};

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

QStringList columnsOf(QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (query.next()) {
        QString defaultValue = query.value(4).toString();
        if (defaultValue.startsWith(u'(') && defaultValue.endsWith(u')'))
            defaultValue = defaultValue.mid(1, defaultValue.size() - 2);
        columns.append(QStringList{query.value(1).toString(), query.value(2).toString(),
                                   query.value(3).toInt() ? "NN" : "", defaultValue,
                                   query.value(5).toInt() ? "1" : ""}
                           .join(u'|'));
    }
    return columns;
}

QStringList foreignKeysOf(QSqlDatabase& db, const QString& table)
{
    QStringList keys;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA foreign_key_list(%1)").arg(table));
    while (query.next())
        keys.append(query.value(3).toString() + "->" + query.value(2).toString() + "." +
                    query.value(4).toString() + "|" + query.value(5).toString() + "|" +
                    query.value(6).toString());
    return keys;
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

// Applies migrations 1..version the way an older build left the file.
bool migrateTo(QSqlDatabase& db, int version)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (  version    "
                                   "INTEGER PRIMARY KEY,  name       TEXT NOT NULL,  applied_at "
                                   "TEXT NOT NULL DEFAULT (datetime('now')))")))
        return false;
    for (const Database::Migration& migration : Database::migrations()) {
        if (migration.version > version)
            break;
        QFile file(migration.resourcePath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        for (const QString& statement :
             Database::splitStatements(QString::fromUtf8(file.readAll()))) {
            if (!query.exec(statement)) {
                qWarning() << query.lastError().text() << statement;
                return false;
            }
        }
        query.prepare(QStringLiteral("INSERT INTO schema_version (version, name) VALUES (?, ?)"));
        query.addBindValue(migration.version);
        query.addBindValue(migration.name);
        if (!query.exec())
            return false;
    }
    return true;
}

bool exec(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning() << query.lastError().text() << sql;
    return false;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private:
    void compareWithLayout(QSqlDatabase& db)
    {
        QStringList tables;
        for (const auto& [table, columns] : expectedTables) {
            tables.append(table);
            QCOMPARE(columnsOf(db, table), columns);
        }
        tables.sort();
        QCOMPARE(strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                            "ORDER BY name")),
                 tables);
        QCOMPARE(indexesOf(db), expectedIndexes);
        QCOMPARE(foreignKeysOf(db, "calendars"), QStringList{"account_id->accounts.id|NO "
                                                             "ACTION|NO ACTION"});
        for (const char* table : {"events", "tasks"})
            QCOMPARE(foreignKeysOf(db, table),
                     QStringList{"calendar_id->calendars.id|NO ACTION|NO ACTION"});
        for (const char* table : {"attendees", "attachments", "reminders"})
            QCOMPARE(foreignKeysOf(db, table),
                     QStringList{"event_id->events.id|NO ACTION|NO ACTION"});
        QCOMPARE(foreignKeysOf(db, "event_templates"), QStringList());
        QCOMPARE(strings(db, QStringLiteral("SELECT group_concat(version || ':' || name, ' ') "
                                            "FROM (SELECT * FROM schema_version ORDER BY "
                                            "version)")),
                 QStringList{"1:initial 2:event_sync 3:tasks_sync 4:accounts_sort_order "
                             "5:provider_event_idx 6:events_uid_unique 7:tasks_dateonly_repeat "
                             "8:accounts_soft_delete"});
    }

private Q_SLOTS:
    void freshFileMatchesLayout()
    {
        TestDataDir dir;
        Database database;
        QVERIFY(database.open(dir.filePath(QStringLiteral("calendar.db"))));
        QVERIFY(database.migrate());
        compareWithLayout(database.database());
        QCOMPARE(strings(database.database(),
                         QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                        "name IN ('%1') ORDER BY name")
                             .arg(queryIndexNames.join(QStringLiteral("', '")))),
                 queryIndexNames);
        QCOMPARE(strings(database.database(), QStringLiteral("SELECT id || '|' || name || '|' || "
                                                             "is_default || '|' || sync_status "
                                                             "FROM calendar_views")),
                 QStringList{"all-calendars|All Calendars|1|synced"});
        for (const char* table : {"accounts", "calendars", "events", "tasks", "settings",
                                  "filter_rules", "event_templates", "sync_queue"})
            QCOMPARE(
                strings(database.database(), QStringLiteral("SELECT count(*) FROM %1").arg(table)),
                QStringList{"0"});
    }

    void migratesFromEveryVersion_data()
    {
        QTest::addColumn<int>("version");
        for (int version = 0; version <= 8; ++version)
            QTest::addRow("from %d", version) << version;
    }

    void migratesFromEveryVersion()
    {
        QFETCH(int, version);
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        {
            QSqlDatabase old =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            old.setDatabaseName(path);
            QVERIFY(old.open());
            QVERIFY(migrateTo(old, version));
            if (version >= 1) {
                QVERIFY(exec(old, "INSERT INTO accounts (id, name, type) VALUES ('a', 'A', "
                                  "'caldav')"));
                QVERIFY(exec(old, "INSERT INTO calendars (id, account_id, url, name) VALUES "
                                  "('c', 'a', 'https://x/', 'C')"));
                QVERIFY(exec(old, "INSERT INTO events (id, calendar_id, uid, title, start_time, "
                                  "raw_icalendar) VALUES ('e', 'c', 'u', 'T', "
                                  "'2025-03-01T08:30:00Z', 'raw')"));
                QVERIFY(exec(old, "INSERT INTO tasks (id, calendar_id, uid, title, "
                                  "raw_icalendar) VALUES ('t', 'c', 'u', 'T', 'raw')"));
            }
            old.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));

        Database database;
        QVERIFY(database.open(path));
        QVERIFY(database.migrate());
        compareWithLayout(database.database());
        if (version >= 1) {
            // Rows that predate a migration take its defaults.
            QCOMPARE(strings(database.database(),
                             "SELECT sync_status || '|' || (deleted_at IS NULL) FROM events"),
                     QStringList{"synced|1"});
            QCOMPARE(strings(database.database(),
                             "SELECT sync_status || due_is_date_only || start_is_date_only || "
                             "repeat_mode FROM tasks"),
                     QStringList{"synced11fromDueDate"});
            QCOMPARE(strings(database.database(),
                             "SELECT sort_order || '|' || (deleted_at IS NULL) FROM accounts"),
                     QStringList{"0|1"});
        }
    }

    // Three copies of one event before the unique index: the oldest stays with its children;
    // on equal creation times the smaller id wins.
    void uniqueMigrationKeepsOldestCopy()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        {
            QSqlDatabase old =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            old.setDatabaseName(path);
            QVERIFY(old.open());
            QVERIFY(exec(old, "PRAGMA foreign_keys=ON"));
            QVERIFY(migrateTo(old, 5));
            QVERIFY(exec(old, "INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')"));
            QVERIFY(exec(old, "INSERT INTO calendars (id, account_id, url, name) VALUES ('c', "
                              "'a', 'https://x/', 'C')"));
            // e3 is the oldest; e1 and e2 tie on the later time; e4 is an empty recurrence id,
            // the same key as NULL; o1 is another occurrence and stays.
            const QStringList rows = {"('e2', 'u', NULL, '2025-01-02 10:00:00')",
                                      "('e1', 'u', NULL, '2025-01-02 10:00:00')",
                                      "('e3', 'u', NULL, '2025-01-01 10:00:00')",
                                      "('e4', 'u', '', '2025-01-03 10:00:00')",
                                      "('o1', 'u', '20250301T090000Z', '2025-01-05 10:00:00')"};
            for (const QString& row : rows) {
                QVERIFY(exec(old, "INSERT INTO events (id, uid, recurrence_id, created, "
                                  "calendar_id, title, start_time, raw_icalendar) VALUES " +
                                      row.chopped(1) +
                                      ", 'c', 'T', '2025-03-01T09:00:00Z', 'raw')"));
                const QString id = row.mid(2, 2);
                QVERIFY(exec(old, QStringLiteral("INSERT INTO attendees (id, event_id, email) "
                                                 "VALUES ('a-%1', '%1', 'x@y')")
                                      .arg(id)));
                QVERIFY(exec(old, QStringLiteral("INSERT INTO reminders (id, event_id, "
                                                 "minutes_before) VALUES ('r-%1', '%1', 15)")
                                      .arg(id)));
                QVERIFY(exec(old, QStringLiteral("INSERT INTO attachments (id, event_id, "
                                                 "filename) VALUES ('f-%1', '%1', 'f')")
                                      .arg(id)));
            }
            old.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));

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

    void foreignKeysRefuseOrphaningDeletes_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("account with calendar") << "DELETE FROM accounts WHERE id = 'a'";
        QTest::newRow("calendar with event") << "DELETE FROM calendars WHERE id = 'c'";
        QTest::newRow("event with reminder") << "DELETE FROM events WHERE id = 'e'";
    }

    void foreignKeysRefuseOrphaningDeletes()
    {
        QFETCH(QString, statement);
        TestDataDir dir;
        Database database;
        QVERIFY(database.open(dir.filePath(QStringLiteral("calendar.db"))));
        QVERIFY(database.migrate());
        QSqlDatabase& db = database.database();
        QVERIFY(exec(db, "INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')"));
        QVERIFY(exec(db, "INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', "
                         "'u', 'C')"));
        QVERIFY(exec(db, "INSERT INTO events (id, calendar_id, uid, title, start_time, "
                         "raw_icalendar) VALUES ('e', 'c', 'u', 'T', 'x', 'r')"));
        QVERIFY(exec(db, "INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r', 'e', "
                         "5)"));
        QSqlQuery query(db);
        QVERIFY(!query.exec(statement));
        QVERIFY(query.lastError().text().contains(QStringLiteral("FOREIGN KEY")));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
