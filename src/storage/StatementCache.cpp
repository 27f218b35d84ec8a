#include "StatementCache.h"

#include "StoreSql.h"

#include <QSqlError>

bool StatementCache::exec(const QString& sql, const QVariantList& values, const char* operation)
{
    auto it = m_queries.find(sql);
    if (it == m_queries.end()) {
        QSqlQuery query(m_database);
        if (!query.prepare(sql)) {
            if (operation)
                StoreSql::logFailure(operation, query.lastError());
            return false;
        }
        it = m_queries.insert(sql, query);
    }
    QSqlQuery& query = *it;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (query.exec())
        return true;
    if (operation)
        StoreSql::logFailure(operation, query.lastError());
    return false;
}
