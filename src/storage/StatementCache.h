#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Write statements prepared once and run many times on one connection. SQLite compiles an
// INSERT into a table with many indexes into a long program; compiling it again for every row
// costs more than running it. Only statements that return no rows belong here: a cached query
// never holds a read cursor open across other work.
//
// The cache belongs to one connection and must not outlive it.
class StatementCache
{
public:
    explicit StatementCache(QSqlDatabase& database) : m_database(database) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Runs `sql` with `values` bound in order. On failure it logs "<operation> failed: ..."
    // when `operation` is given, and returns false. A statement that fails to prepare is not
    // kept, so a later call prepares it afresh.
    bool exec(const QString& sql, const QVariantList& values, const char* operation = nullptr);

private:
    QSqlDatabase& m_database;
    QHash<QString, QSqlQuery> m_queries;
};
