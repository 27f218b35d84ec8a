#pragma once

#include <QSqlDatabase>
#include <QString>

// One all-or-nothing unit of work on the shared connection. It is an SQLite savepoint, so it
// nests inside a transaction the caller already holds; it rolls back when destroyed without a
// successful commit().
class Savepoint
{
public:
    explicit Savepoint(const QSqlDatabase& database);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    // True when the savepoint began and has not ended yet.
    bool isActive() const { return m_active; }

    // Releases the savepoint (commits when it is the outermost). On failure it rolls back and
    // returns false.
    bool commit();

    // Undoes everything since the savepoint began and ends it.
    void rollback();

    // The driver's text of the last failure of begin or commit.
    QString errorText() const { return m_error; }

private:
    bool run(const QString& statement);

    QSqlDatabase m_database;
    QString m_name;
    QString m_error;
    bool m_active = false;
};
