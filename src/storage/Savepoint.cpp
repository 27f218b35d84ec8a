#include "Savepoint.h"

#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {

std::atomic<quint64> savepointCounter{0};

} // namespace

Savepoint::Savepoint(const QSqlDatabase& database)
    : m_database(database), m_name(QStringLiteral("sp_%1").arg(++savepointCounter))
{
    m_active = run(QStringLiteral("SAVEPOINT ") + m_name);
}

Savepoint::~Savepoint()
{
    if (m_active)
        rollback();
}

bool Savepoint::commit()
{
    if (!m_active)
        return false;
    if (run(QStringLiteral("RELEASE SAVEPOINT ") + m_name)) {
        m_active = false;
        return true;
    }
    const QString error = m_error;
    rollback();
    m_error = error;
    return false;
}

void Savepoint::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    // After an I/O or full-disk error SQLite may already have rolled the whole transaction
    // back, and the savepoint is gone; then these statements fail harmlessly.
    QSqlQuery query(m_database);
    query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    query.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

bool Savepoint::run(const QString& statement)
{
    QSqlQuery query(m_database);
    if (query.exec(statement))
        return true;
    m_error = query.lastError().text();
    return false;
}
