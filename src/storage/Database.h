#pragma once

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Owns the program's one SQLite connection (write-ahead log, foreign keys on) and brings the
// schema up to date from the migrations compiled into the resources. Every repository runs its
// statements on database().
class Database : public QObject
{
    Q_OBJECT

public:
    struct Migration
    {
        int version;
        QString name;         // the text recorded in schema_version
        QString resourcePath; // ":/sql/sql/migrations/..."
        // Run after the statements, in the same transaction, where SQL alone cannot carry the
        // rows over; false, with the driver's text in `error`, fails the migration.
        bool (*step)(QSqlDatabase& db, QString& error) = nullptr;
    };

    // How long a statement waits for another process's lock before it fails.
    static constexpr int busyTimeoutMs = 5000;
    // What the write-ahead log is cut back to whenever it starts over: a large import or sync
    // makes it as large as itself, and it would keep that size on disk.
    static constexpr int walSizeLimitBytes = 4 * 1024 * 1024;

    // Why open() or migrate() failed, for a message that names the cause.
    enum class Failure {
        None,
        CannotOpen,       // missing folder, no permission to read or create
        FolderIsAFile,    // the folder the file should be in is some other kind of file
        FileIsAFolder,    // a folder stands where the file should be
        NotADatabase,     // some other kind of file
        Damaged,          // an SQLite file whose structure is broken
        NewerSchema,      // written by a newer program: its schema version is above ours
        ReadOnlyOutdated, // read-only and in need of a migration, which would write it
        MigrationFailed,
    };
    Q_ENUM(Failure)

    explicit Database(QObject* parent = nullptr);
    ~Database() override;

    // Opens (or creates) the file at `path` and checks that it is an SQLite database this
    // program can read. Logs "Failed to open database:" with the reason, sets failure() and
    // returns false otherwise, without writing to the file. A file that this process may not
    // write (or whose folder it may not write) is opened read-only: isReadOnly(), and every
    // write through the connection is refused by SQLite. A read-only open leaves no journal file
    // behind that a later read-write open could not write; one left by an earlier program is made
    // writable again, or the store is only read. `connectionName` names a connection of its own
    // (for another thread); empty means the default connection.
    bool open(const QString& path, const QString& connectionName = QString());

    // Applies, in order, every migration above the highest recorded version, each whole or
    // not at all. Stops at the first failure and returns false; earlier ones stay applied.
    // A read-only store is not migrated: it must be current already.
    bool migrate();

    Failure failure() const { return m_failure; }
    bool isReadOnly() const { return m_readOnly; }
    // The highest version recorded in the file, read by open(); 0 for a new file.
    int fileSchemaVersion() const { return m_fileSchemaVersion; }
    // The highest version this program knows.
    static int knownSchemaVersion();

    QSqlDatabase& database() { return m_database; }

    bool isOpen() const { return m_open; }

    // Copies the write-ahead log into the file as far as no reader holds it back, and truncates
    // it, without waiting for a lock. The connection waits for no lock afterwards either: for a
    // connection about to close.
    void checkpointWithoutWaiting();

    // The fixed list of migrations, in the order they are applied.
    static const QList<Migration>& migrations();

    // Cuts a migration text into single statements: comment lines dropped, a trigger body
    // between BEGIN and END kept whole, the final ";" of each statement removed.
    static QStringList splitStatements(const QString& sql);

    // Indexes that serve the range query of events. They are not part of the shared file
    // layout: created after migrating when missing, and only ever speed up reads.
    static const QStringList& queryIndexStatements();

Q_SIGNALS:
    void migrationApplied(int version, const QString& name);
    void migrationError(int version, const QString& error);

private:
    bool applyMigration(const Migration& migration, const QString& sql);
    void ensureQueryIndexes();
    bool fail(Failure failure, const QString& error);
    bool readable();

    Failure m_failure = Failure::None;
    bool m_readOnly = false;
    int m_fileSchemaVersion = 0;
    QSqlDatabase m_database;
    QString m_connectionName;
    bool m_open = false;
};
