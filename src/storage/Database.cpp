#include "Database.h"

#include "EventRangeSql.h"
#include "ReminderRepository.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

// The resources of a static library are registered by hand; this must sit outside any namespace.
static void initStorageResources()
{
    Q_INIT_RESOURCE(sql);
}

namespace {

// The files SQLite keeps beside a write-ahead-logged store.
const QStringList journalSuffixes = {QStringLiteral("-wal"), QStringLiteral("-shm")};

constexpr QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

// A file without any write permission bit counts as read-only also for a user (root) whom the
// system would let write it anyway: someone marked it so.
bool isWritable(const QFileInfo& file)
{
    return file.isWritable() && (file.permissions() & writeBits);
}

void logMigrationFailure(int version, const QString& error, const QString& statement)
{
    qCritical().noquote() << "Migration" << version << "failed:" << error
                          << "\nStatement:" << statement.left(200);
}

} // namespace

Database::Database(QObject* parent) : QObject(parent)
{
    initStorageResources();
}

Database::~Database()
{
    if (m_open) {
        m_database.close();
        m_open = false;
    }
    if (!m_connectionName.isEmpty()) {
        // Another Database may have registered the name since; its connection is not ours.
        const bool stillOurs =
            QSqlDatabase::database(m_connectionName, false).driver() == m_database.driver();
        m_database = QSqlDatabase();
        if (stillOurs)
            QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool Database::open(const QString& path, const QString& connectionName)
{
    if (m_open)
        return true;
    m_failure = Failure::None;
    const QFileInfo file(path);
    const QFileInfo folder(file.path());
    if (folder.exists() && !folder.isDir())
        return fail(Failure::FolderIsAFile, QStringLiteral("%1 is not a folder").arg(file.path()));
    if (file.isDir())
        return fail(Failure::FileIsAFolder, QStringLiteral("%1 is a folder").arg(path));
    // SQLite needs to write the file and to create its journal files beside it; a store that
    // allows neither is only read, on purpose, instead of failing at its first write.
    m_readOnly = file.exists() && (!isWritable(file) || !folder.isWritable());
    // The journal files of a read-only session are made with the file's mode: a store once
    // opened read-only kept them unwritable after the file itself was made writable again, and
    // every write failed. Such files are ours to make writable; otherwise the store is only read.
    if (!m_readOnly) {
        for (const QString& suffix : journalSuffixes) {
            const QFileInfo journal(path + suffix);
            if (!journal.exists() || isWritable(journal))
                continue;
            QFile::setPermissions(journal.filePath(), journal.permissions() | QFile::WriteOwner);
            if (!isWritable(QFileInfo(journal.filePath()))) {
                qWarning().noquote() << "Journal file" << journal.filePath()
                                     << "cannot be written; the store is only read";
                m_readOnly = true;
            }
        }
    }
    QStringList journalsBefore;
    for (const QString& suffix : journalSuffixes) {
        if (QFileInfo::exists(path + suffix))
            journalsBefore << suffix;
    }
    m_connectionName = connectionName.isEmpty()
                           ? QString::fromLatin1(QSqlDatabase::defaultConnection)
                           : connectionName;
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (m_readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_database.setConnectOptions(options);
    if (!m_database.open())
        return fail(Failure::CannotOpen, m_database.lastError().text());
    // Reading a write-ahead-logged file needs its shared-memory file, which a folder this
    // process may not write cannot receive; unchanging, the file needs none.
    if (m_readOnly && !readable()) {
        m_database.close();
        m_database.setDatabaseName(QStringLiteral("file:") +
                                   QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
                                   QStringLiteral("?immutable=1"));
        m_database.setConnectOptions(options + QStringLiteral(";QSQLITE_OPEN_URI"));
        if (!m_database.open())
            return fail(Failure::CannotOpen, m_database.lastError().text());
    }
    // SQLite opens any file lazily; reading the schema is what proves it is a database. Nothing
    // is written before the file has been read and its version accepted.
    {
        QSqlQuery probe(m_database);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next()) {
            const QSqlError error = probe.lastError();
            probe.finish();
            const int code = error.nativeErrorCode().toInt();
            // SQLITE_NOTADB is 26, SQLITE_CORRUPT 11; the low byte is the primary code.
            const Failure failure = (code & 0xff) == 26   ? Failure::NotADatabase
                                    : (code & 0xff) == 11 ? Failure::Damaged
                                                          : Failure::CannotOpen;
            return fail(failure, error.text());
        }
    }
    // Reading has made the journal files a read-only session needs; leave them writable for the
    // owner, so that a later session that may write is not held back by them.
    if (m_readOnly) {
        for (const QString& suffix : journalSuffixes) {
            const QFileInfo journal(path + suffix);
            if (!journalsBefore.contains(suffix) && journal.exists() &&
                !(journal.permissions() & QFile::WriteOwner))
                QFile::setPermissions(journal.filePath(),
                                      journal.permissions() | QFile::WriteOwner);
        }
    }
    {
        QSqlQuery version(m_database);
        const bool hasVersions =
            version.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                                        "name = 'schema_version'")) &&
            version.next();
        version.finish();
        m_fileSchemaVersion = 0;
        if (hasVersions) {
            if (!version.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")))
                return fail(Failure::Damaged, version.lastError().text());
            m_fileSchemaVersion = version.next() ? version.value(0).toInt() : 0;
            version.finish();
        }
    }
    if (m_fileSchemaVersion > knownSchemaVersion())
        return fail(Failure::NewerSchema, QStringLiteral("schema version %1 is newer than %2")
                                              .arg(m_fileSchemaVersion)
                                              .arg(knownSchemaVersion()));
    QSqlQuery pragma(m_database);
    if (!m_readOnly) {
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        pragma.exec(QStringLiteral("PRAGMA journal_size_limit=%1").arg(walSizeLimitBytes));
    }
    pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    m_open = true;
    return true;
}

bool Database::readable()
{
    QSqlQuery probe(m_database);
    return probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && probe.next();
}

bool Database::fail(Failure failure, const QString& error)
{
    qCritical().noquote() << "Failed to open database:" << error;
    m_failure = failure;
    m_database.close();
    return false;
}

int Database::knownSchemaVersion()
{
    return migrations().last().version;
}

void Database::checkpointWithoutWaiting()
{
    QSqlQuery checkpoint(m_database);
    checkpoint.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

bool Database::migrate()
{
    if (m_readOnly) {
        if (m_fileSchemaVersion == knownSchemaVersion())
            return true;
        m_failure = Failure::ReadOnlyOutdated;
        qCritical().noquote() << "Cannot update a read-only database from schema version"
                              << m_fileSchemaVersion;
        return false;
    }
    m_failure = Failure::MigrationFailed;
    QSqlQuery create(m_database);
    if (!create.exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS schema_version (  version    INTEGER PRIMARY KEY,  name  "
            "     TEXT NOT NULL,  applied_at TEXT NOT NULL DEFAULT (datetime('now')))"))) {
        qCritical().noquote() << "Failed to create schema_version table:"
                              << create.lastError().text();
        return false;
    }
    QSqlQuery current(m_database);
    if (!current.exec(QStringLiteral("SELECT MAX(version) FROM schema_version"))) {
        qCritical().noquote() << "Failed to read schema_version:" << current.lastError().text();
        return false;
    }
    const int currentVersion = current.next() ? current.value(0).toInt() : 0;
    current.finish();

    for (const Migration& migration : migrations()) {
        if (migration.version <= currentVersion)
            continue;
        QFile file(migration.resourcePath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QString message =
                QStringLiteral("Cannot read migration file: %1").arg(migration.resourcePath);
            qCritical().noquote() << message;
            Q_EMIT migrationError(migration.version, message);
            return false;
        }
        const QString sql = QString::fromUtf8(file.readAll());
        if (!applyMigration(migration, sql))
            return false;
    }
    ensureQueryIndexes();
    m_failure = Failure::None;
    return true;
}

bool Database::applyMigration(const Migration& migration, const QString& sql)
{
    const int version = migration.version;
    if (!m_database.transaction()) {
        const QString error = m_database.lastError().text();
        logMigrationFailure(version, error, QStringLiteral("BEGIN"));
        Q_EMIT migrationError(version, error);
        return false;
    }
    for (const QString& statement : splitStatements(sql)) {
        QSqlQuery query(m_database);
        if (!query.exec(statement)) {
            const QString error = query.lastError().text();
            logMigrationFailure(version, error, statement);
            query.finish();
            m_database.rollback();
            Q_EMIT migrationError(version, error);
            return false;
        }
    }
    QString stepError;
    if (migration.step && !migration.step(m_database, stepError)) {
        logMigrationFailure(version, stepError, migration.name);
        m_database.rollback();
        Q_EMIT migrationError(version, stepError);
        return false;
    }
    QSqlQuery record(m_database);
    record.prepare(QStringLiteral("INSERT INTO schema_version (version, name) VALUES (?, ?)"));
    record.addBindValue(version);
    record.addBindValue(migration.name);
    if (!record.exec()) {
        const QString error = record.lastError().text();
        record.finish();
        m_database.rollback();
        Q_EMIT migrationError(version, error);
        return false;
    }
    record.finish();
    if (!m_database.commit()) {
        const QString error = m_database.lastError().text();
        logMigrationFailure(version, error, QStringLiteral("COMMIT"));
        m_database.rollback();
        Q_EMIT migrationError(version, error);
        return false;
    }
    qInfo().noquote() << "Applied migration" << version << migration.name;
    Q_EMIT migrationApplied(version, migration.name);
    return true;
}

void Database::ensureQueryIndexes()
{
    for (const QString& statement : queryIndexStatements()) {
        QSqlQuery query(m_database);
        if (!query.exec(statement))
            qWarning().noquote() << "Could not create a query index:" << query.lastError().text();
    }
}

const QList<Database::Migration>& Database::migrations()
{
    static const QList<Migration> list = {
        {1, QStringLiteral("initial"), QStringLiteral(":/sql/sql/migrations/001_initial.sql")},
        {2, QStringLiteral("event_sync"),
         QStringLiteral(":/sql/sql/migrations/002_event_sync.sql")},
        {3, QStringLiteral("tasks_sync"),
         QStringLiteral(":/sql/sql/migrations/003_tasks_sync.sql")},
        {4, QStringLiteral("accounts_sort_order"),
         QStringLiteral(":/sql/sql/migrations/004_accounts_sort_order.sql")},
        {5, QStringLiteral("provider_event_idx"),
         QStringLiteral(":/sql/sql/migrations/005_provider_event_id_index.sql")},
        {6, QStringLiteral("events_uid_unique"),
         QStringLiteral(":/sql/sql/migrations/006_events_uid_unique.sql")},
        {7, QStringLiteral("tasks_dateonly_repeat"),
         QStringLiteral(":/sql/sql/migrations/007_tasks_dateonly_and_repeat_mode.sql")},
        {8, QStringLiteral("accounts_soft_delete"),
         QStringLiteral(":/sql/sql/migrations/008_accounts_soft_delete.sql")},
        {9, QStringLiteral("google_cancelled_occurrences"),
         QStringLiteral(":/sql/sql/migrations/009_google_cancelled_occurrences.sql")},
        {10, QStringLiteral("reminder_rows"),
         QStringLiteral(":/sql/sql/migrations/010_reminder_rows.sql")},
        {11, QStringLiteral("reminder_last_shown"),
         QStringLiteral(":/sql/sql/migrations/011_reminder_last_shown.sql"),
         &ReminderRepository::fillLastShown},
    };
    return list;
}

QStringList Database::splitStatements(const QString& sql)
{
    QStringList statements;
    QString gathered;
    int depth = 0;
    const auto finish = [&]() {
        QString statement = gathered.trimmed();
        gathered.clear();
        if (statement.isEmpty() || statement == u";")
            return;
        if (statement.endsWith(u';'))
            statement.chop(1);
        statement = statement.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    };
    const QStringList lines = sql.split(u'\n');
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("--")))
            continue;
        gathered.append(line);
        gathered.append(u'\n');
        const QString upper = trimmed.toUpper();
        if (upper.contains(QStringLiteral("BEGIN")))
            ++depth;
        if (upper.startsWith(QStringLiteral("END")) && depth >= 1)
            --depth;
        if (depth != 0)
            continue;
        if (!trimmed.endsWith(u';'))
            continue;
        finish();
    }
    finish();
    return statements;
}

const QStringList& Database::queryIndexStatements()
{
    static const QStringList statements = {
        QStringLiteral(
            "CREATE INDEX IF NOT EXISTS idx_events_recurring_start ON events(start_time) "
            "WHERE ") +
            EventRangeSql::recurring(),
        QStringLiteral("CREATE INDEX IF NOT EXISTS idx_events_short_span ON events(start_time, "
                       "end_time) WHERE ") +
            EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::shortSpan(),
        QStringLiteral("CREATE INDEX IF NOT EXISTS idx_events_other_span ON events(start_time, "
                       "end_time) WHERE ") +
            EventRangeSql::nonRecurring() + QStringLiteral(" AND ") + EventRangeSql::otherSpan(),
        // The reminder poll reads only what is due and not yet handled; without this it would
        // walk every past trigger of the store on each pass.
        QStringLiteral("CREATE INDEX IF NOT EXISTS idx_reminders_unacknowledged ON "
                       "reminders(trigger_time) WHERE acknowledged = 0"),
        // The agenda reads the tasks due or starting in its days: with both dates indexed that is
        // two short index ranges instead of a walk over every task.
        QStringLiteral("CREATE INDEX IF NOT EXISTS idx_tasks_start_date ON tasks(start_date)"),
    };
    return statements;
}
