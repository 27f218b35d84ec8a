#include "StoreSql.h"

#include "StoreTime.h"

#include <QDebug>
#include <QSqlQuery>

namespace StoreSql {

QString placeholders(int count, QStringView separator)
{
    QString out;
    out.reserve(count * (1 + separator.size()));
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.append(separator);
        out.append(u'?');
    }
    return out;
}

bool forEachSlice(const QStringList& values, const std::function<bool(const QStringList&)>& body)
{
    for (qsizetype start = 0; start < values.size(); start += maxInListValues) {
        if (!body(values.mid(start, maxInListValues)))
            return false;
    }
    return true;
}

QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString containsPattern(const QString& text)
{
    QString pattern;
    pattern.reserve(text.size() + 2);
    pattern.append(u'%');
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            pattern.append(u'\\');
        pattern.append(c);
    }
    pattern.append(u'%');
    return pattern;
}

void logFailure(const char* operation, const QSqlError& error)
{
    logFailure(operation, error.text());
}

void logFailure(const char* operation, const QString& text)
{
    qWarning().noquote() << QLatin1StringView(operation) + QStringLiteral(" failed:") << text;
}

namespace {

bool prepareAndRun(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

bool run(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
         QString& error)
{
    QSqlQuery query(database);
    if (prepareAndRun(query, sql, values))
        return true;
    error = query.lastError().text();
    return false;
}

bool exec(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
          const char* operation)
{
    QString error;
    if (run(database, sql, values, error))
        return true;
    if (operation)
        logFailure(operation, error);
    return false;
}

bool forEachRow(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
                const std::function<void(const QSqlQuery&)>& row, const char* operation)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!prepareAndRun(query, sql, values)) {
        if (operation)
            logFailure(operation, query.lastError());
        return false;
    }
    while (query.next())
        row(query);
    return true;
}

bool markDeleted(const QSqlDatabase& database, QLatin1StringView table, const QString& id,
                 const char* operation)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    return exec(database,
                QStringLiteral("UPDATE %1 SET deleted_at = ?, sync_status = 'pending', "
                               "updated_at = ? WHERE id = ?")
                    .arg(table),
                {now, now, id}, operation);
}

bool deleteRow(const QSqlDatabase& database, QLatin1StringView table, const QString& id,
               const char* operation)
{
    return exec(database, QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table), {id},
                operation);
}

} // namespace StoreSql
