#include "Database.h"
#include "TestDataDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <pwd.h>
#include <unistd.h>

namespace {

// The child's part of openedAs(): what opening the store at `path` allows this process.
int reportOpening(const QString& path)
{
    Database database;
    QString outcome;
    if (!database.open(path) || !database.migrate()) {
        outcome = QStringLiteral("fails");
    } else if (database.isReadOnly()) {
        outcome = QStringLiteral("read-only");
    } else {
        QSqlQuery write(database.database());
        outcome = write.exec(QStringLiteral("PRAGMA user_version = 7"))
                      ? QStringLiteral("writes")
                      : QStringLiteral("refused: ") + write.lastError().text();
    }
    std::printf("%s\n", qPrintable(outcome));
    return 0;
}

// File modes mean nothing to root: a test run as root opens the store as "nobody" instead,
// after handing it the files with giveToUser().
bool isRoot()
{
    return ::geteuid() == 0;
}

// What a separate process of the user under test (see isRoot()) may do with the store.
QString openedAs(const QString& path)
{
    const QStringList arguments = {QCoreApplication::applicationFilePath(),
                                   QStringLiteral("--open"), path};
    QProcess child;
    if (isRoot())
        child.start(QStringLiteral("setpriv"),
                    QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups"} + arguments);
    else
        child.start(arguments.first(), arguments.mid(1));
    if (!child.waitForFinished(30000))
        return QStringLiteral("no answer");
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
}

// Hands `path` to the user under test: only needed when the test runs as root.
bool giveToUser(const QString& path)
{
    const passwd* nobody = ::getpwnam("nobody");
    return !isRoot() ||
           ::chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
}

// A migrated store in a folder `store` of `root`, with no journal file beside it.
QString makeStore(const QTemporaryDir& root)
{
    const QString folder = root.filePath(QStringLiteral("store"));
    QDir().mkpath(folder);
    // The temporary folder is private to its maker; the user under test has to reach into it.
    QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    const QString path = folder + QStringLiteral("/calendar.db");
    Database database;
    if (!database.open(path) || !database.migrate())
        return {};
    return path;
}

QStringList column(QSqlDatabase& db, const QString& sql)
{
    QStringList values;
    QSqlQuery query(db);
    if (!query.exec(sql))
        return {QStringLiteral("error: ") + query.lastError().text()};
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsStatements_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("comment between") << "CREATE TABLE a (x);\n-- note;\nCREATE TABLE b (y);\n"
                                         << QStringList{"CREATE TABLE a (x)", "CREATE TABLE b (y)"};
        QTest::newRow("comment inside a statement")
            << "CREATE TABLE a (\n  x,\n  -- why;\n  y\n);"
            << QStringList{"CREATE TABLE a (\n  x,\n  y\n)"};
        QTest::newRow("trigger")
            << "CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  UPDATE a SET x = 1;\nEND;\n"
            << QStringList{"CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  UPDATE a SET x = 1;\nEND"};
        QTest::newRow("lone semicolon") << "SELECT 1;\n;\n" << QStringList{"SELECT 1"};
        QTest::newRow("last without semicolon")
            << "SELECT 1;\nSELECT 2" << QStringList{"SELECT 1", "SELECT 2"};
        QTest::newRow("end_time column at depth 0")
            << "CREATE TABLE e (\n  end_time TEXT\n);\nSELECT 1;"
            << QStringList{"CREATE TABLE e (\n  end_time TEXT\n)", "SELECT 1"};
    }

    void splitsStatements()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, expected);
        QCOMPARE(Database::splitStatements(sql), expected);
    }

    void migratesFreshFileOnceWithElevenRows()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        {
            Database database;
            QSignalSpy applied(&database, &Database::migrationApplied);
            QVERIFY(database.open(path));
            QVERIFY(database.migrate());
            QCOMPARE(applied.count(), 11);
            QCOMPARE(applied.at(4).at(1).toString(), QStringLiteral("provider_event_idx"));
            QCOMPARE(column(database.database(), QStringLiteral("PRAGMA journal_mode")),
                     QStringList{"wal"});
            QCOMPARE(column(database.database(), QStringLiteral("PRAGMA foreign_keys")),
                     QStringList{"1"});
            QCOMPARE(column(database.database(), QStringLiteral("PRAGMA busy_timeout")),
                     QStringList{QString::number(Database::busyTimeoutMs)});
            QCOMPARE(column(database.database(),
                            QStringLiteral("SELECT id || is_default || sync_status FROM "
                                           "calendar_views")),
                     QStringList{"all-calendars1synced"});
        }
        Database again;
        QSignalSpy applied(&again, &Database::migrationApplied);
        QVERIFY(again.open(path));
        QVERIFY(again.migrate());
        QCOMPARE(applied.count(), 0);
    }

    // A large write makes the write-ahead log as large as itself; once the log starts over, the
    // file is cut back instead of keeping that size on disk.
    void writeAheadLogShrinksAfterALargeWrite()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        Database database;
        QVERIFY(database.open(path));
        QSqlQuery sql(database.database());
        QVERIFY(sql.exec(QStringLiteral("CREATE TABLE bulk (x BLOB)")));
        QVERIFY(database.database().transaction());
        QVERIFY(sql.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                        "FROM n WHERE i < 2000) INSERT INTO bulk SELECT "
                                        "randomblob(8000) FROM n")));
        QVERIFY(database.database().commit());
        const QString wal = path + QStringLiteral("-wal");
        QVERIFY(QFileInfo(wal).size() > Database::walSizeLimitBytes);
        QVERIFY(sql.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")));
        QVERIFY(sql.exec(QStringLiteral("INSERT INTO bulk VALUES (1)")));
        QVERIFY(QFileInfo(wal).size() <= Database::walSizeLimitBytes);
    }

    // A broken migration in the middle must leave nothing of itself and stop the run.
    void failingMigrationRollsBackAndStops()
    {
        TestDataDir dir;
        Database database;
        QVERIFY(database.open(dir.filePath(QStringLiteral("calendar.db"))));
        QVERIFY(database.migrate());
        QSqlQuery(database.database())
            .exec(QStringLiteral("DELETE FROM schema_version WHERE "
                                 "version >= 7"));
        // Migration 7 adds columns that exist already: its second ALTER would fail anyway, but
        // drop one column first so that its first statement succeeds and must be undone.
        QSqlQuery drop(database.database());
        QVERIFY2(drop.exec(QStringLiteral("ALTER TABLE tasks DROP COLUMN due_is_date_only")),
                 qPrintable(drop.lastError().text()));
        QSignalSpy errors(&database, &Database::migrationError);
        QSignalSpy applied(&database, &Database::migrationApplied);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^Migration 7 failed:"));
        QVERIFY(!database.migrate());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), 7);
        QVERIFY(errors.at(0).at(1).toString().contains(QStringLiteral("duplicate column")));
        QCOMPARE(applied.count(), 0);
        QCOMPARE(column(database.database(), QStringLiteral("SELECT MAX(version) FROM "
                                                            "schema_version")),
                 QStringList{"6"});
        QVERIFY(!column(database.database(), QStringLiteral("SELECT name FROM pragma_table_info("
                                                            "'tasks')"))
                     .contains(QStringLiteral("due_is_date_only")));
        QCOMPARE(column(database.database(), QStringLiteral("PRAGMA integrity_check")),
                 QStringList{"ok"});
    }

    // Nothing may be half-written when the disk fills during a migration.
    void fullDiskFailsMigrationWhole()
    {
        TestDataDir dir;
        Database database;
        QVERIFY(database.open(dir.filePath(QStringLiteral("calendar.db"))));
        QSqlQuery pages(database.database());
        QVERIFY(pages.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (  version  "
                                          "  INTEGER PRIMARY KEY,  name       TEXT NOT NULL,  "
                                          "applied_at TEXT NOT NULL DEFAULT (datetime('now')))")));
        QVERIFY(pages.exec(QStringLiteral("PRAGMA page_count")) && pages.next());
        const int pageCount = pages.value(0).toInt();
        pages.finish();
        QVERIFY(pages.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pageCount + 3)));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^Migration 1 failed:.*full"));
        QVERIFY(!database.migrate());
        QCOMPARE(column(database.database(),
                        QStringLiteral("SELECT name FROM sqlite_master ORDER BY name")),
                 QStringList{"schema_version"});
        QCOMPARE(column(database.database(), QStringLiteral("SELECT count(*) FROM "
                                                            "schema_version")),
                 QStringList{"0"});
        QVERIFY(pages.exec(QStringLiteral("PRAGMA max_page_count = 1000000")));
        QVERIFY(database.migrate());
        QCOMPARE(column(database.database(), QStringLiteral("PRAGMA integrity_check")),
                 QStringList{"ok"});
    }

    void unusableStoreSaysWhyAndStaysUntouched_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<Database::Failure>("failure");
        QByteArray random(64 * 1024, '\0');
        QRandomGenerator generator(4711);
        for (char& byte : random)
            byte = char(generator.bounded(256));
        QTest::newRow("random bytes") << random << false << Database::Failure::NotADatabase;
        QByteArray headed = random;
        headed.replace(0, 16, QByteArray("SQLite format 3\0", 16));
        QTest::newRow("header then random") << headed << false << Database::Failure::NotADatabase;
        QTest::newRow("text") << QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n") << false
                              << Database::Failure::NotADatabase;
        // The first page's b-tree header: 13 is a leaf table page, 0 is no page type at all.
        QByteArray damaged = storeAt(Database::knownSchemaVersion());
        damaged[100] = 0;
        QTest::newRow("damaged schema page") << damaged << false << Database::Failure::Damaged;
        QTest::newRow("newer schema") << storeAt(Database::knownSchemaVersion() + 1) << false
                                      << Database::Failure::NewerSchema;
        QTest::newRow("read-only, older schema")
            << storeAt(3) << true << Database::Failure::ReadOnlyOutdated;
    }

    void unusableStoreSaysWhyAndStaysUntouched()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readOnly);
        QFETCH(Database::Failure, failure);
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (readOnly)
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression("^Failed to open database:|^Cannot update a "
                                                "read-only database"));
        Database database;
        const bool usable = database.open(path) && database.migrate();
        QVERIFY(!usable);
        QCOMPARE(database.failure(), failure);
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), content);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")) ||
                QFileInfo(path + QStringLiteral("-wal")).size() == 0);
    }

    void readOnlyStoreOpensForReadingAndRefusesWrites()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("calendar.db"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(storeAt(Database::knownSchemaVersion()));
        }
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray content = before.readAll();

        Database database;
        QVERIFY(database.open(path));
        QVERIFY(database.migrate());
        QVERIFY(database.isReadOnly());
        QCOMPARE(
            column(database.database(), QStringLiteral("SELECT MAX(version) FROM schema_version")),
            QStringList{QString::number(Database::knownSchemaVersion())});
        QSqlQuery write(database.database());
        QVERIFY(!write.exec(QStringLiteral("INSERT INTO schema_version (version, name) VALUES "
                                           "(100, 'x')")));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), content);
    }

    // The journal files a read-only session makes get the store's mode; once the store can be
    // written again they must not keep its writes failing. A store whose folder cannot be
    // written is only read: SQLite could not make its journal files there.
    void openedAfterReadOnlyTimes_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("expected");
        QTest::newRow("session of this program") << "session"
                                                 << "writes";
        QTest::newRow("files left by another program") << "other"
                                                       << "writes";
        QTest::newRow("folder that cannot be written") << "folder"
                                                       << "read-only";
    }

    void openedAfterReadOnlyTimes()
    {
        QFETCH(QString, before);
        QTemporaryDir root;
        const QString path = makeStore(root);
        QVERIFY(!path.isEmpty());
        const QString folder = QFileInfo(path).path();
        QVERIFY(giveToUser(path));
        if (before == QLatin1String("folder")) {
            if (!isRoot())
                QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else {
            QVERIFY(giveToUser(folder));
            QVERIFY(QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            if (before == QLatin1String("session")) {
                QCOMPARE(openedAs(path), QStringLiteral("read-only"));
                // What the session left behind is writable already, before any repair.
                for (const QString& suffix : {QStringLiteral("-shm"), QStringLiteral("-wal")}) {
                    const QFileInfo journal(path + suffix);
                    QVERIFY2(!journal.exists() || journal.permissions() & QFile::WriteOwner,
                             qPrintable(journal.fileName()));
                }
            } else {
                // A plain read-only connection, as any other reader of the file makes one.
                {
                    QSqlDatabase raw =
                        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
                    raw.setDatabaseName(path);
                    raw.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
                    QVERIFY(raw.open());
                    QCOMPARE(column(raw, QStringLiteral("SELECT count(*) FROM schema_version")),
                             QStringList{"11"});
                    raw.close();
                }
                QSqlDatabase::removeDatabase(QStringLiteral("raw"));
                QCOMPARE(QFileInfo(path + QStringLiteral("-shm")).permissions() &
                             (QFile::ReadOwner | QFile::WriteOwner),
                         QFile::ReadOwner);
                QVERIFY(giveToUser(path + QStringLiteral("-shm")) &&
                        giveToUser(path + QStringLiteral("-wal")));
            }
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadGroup | QFile::ReadOther));
        }
        QTEST(openedAs(path), "expected");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    // The bytes of a store migrated to the current schema, with its recorded version then set
    // to `version` (a lower one stands for a file of an older program).
    static QByteArray storeAt(int version)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("seed.db"));
        {
            Database database;
            if (!database.open(path) || !database.migrate())
                return {};
            QSqlQuery query(database.database());
            query.exec(
                QStringLiteral("DELETE FROM schema_version WHERE version > %1").arg(version));
            query.exec(QStringLiteral("INSERT OR IGNORE INTO schema_version (version, name) "
                                      "VALUES (%1, 'later')")
                           .arg(version));
        }
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--open") == 0)
        return reportOpening(QString::fromLocal8Bit(argv[2]));
    TestDatabase test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_database.moc"
