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
    };

    // How long a statement waits for another process's lock before it fails.
    static constexpr int busyTimeoutMs = 5000;

    explicit Database(QObject* parent = nullptr);
    ~Database() override;

    // Opens (or creates) the file at `path` and checks that it is an SQLite database. Logs
    // "Failed to open database:" with the reason and returns false otherwise.
    bool open(const QString& path);

    // Applies, in order, every migration above the highest recorded version, each whole or
    // not at all. Stops at the first failure and returns false; earlier ones stay applied.
    bool migrate();

    QSqlDatabase& database() { return m_database; }

    bool isOpen() const { return m_open; }

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
    bool applyMigration(int version, const QString& name, const QString& sql);
    void ensureQueryIndexes();

    QSqlDatabase m_database;
    QString m_connectionName;
    bool m_open = false;
};
