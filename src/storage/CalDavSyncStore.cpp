#include "CalDavSyncStore.h"

#include "Database.h"

#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using CalDavSyncPlan::LocalRow;

namespace {

QString tableName(CalDavSyncStore::Table table)
{
    return table == CalDavSyncStore::Table::Events ? QStringLiteral("events")
                                                   : QStringLiteral("tasks");
}

} // namespace

CalDavSyncStore::CalDavSyncStore(Database* database) : m_database(database) {}

QList<LocalRow> CalDavSyncStore::select(Table table, const QString& where,
                                        const QStringList& values, bool withVersion) const
{
    const bool events = table == Table::Events;
    const QString recurrence = events ? QStringLiteral("recurrence_id") : QStringLiteral("''");
    const QString version = withVersion ? QStringLiteral("raw_icalendar") : QStringLiteral("''");
    const QString order = events ? QStringLiteral("start_time") : QStringLiteral("last_modified");
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, uid, COALESCE(%1, ''), COALESCE(href, ''), "
                                 "COALESCE(etag, ''), sync_status, deleted_at, last_modified, %2 "
                                 "FROM %3 WHERE %4 ORDER BY %5, id")
                      .arg(recurrence, version, tableName(table), where, order));
    for (const QString& value : values)
        query.addBindValue(value);
    QList<LocalRow> result;
    if (!query.exec()) {
        qWarning().noquote() << "[CalDav] reading the sync index failed:"
                             << query.lastError().text();
        return result;
    }
    while (query.next()) {
        LocalRow row;
        row.id = query.value(0).toString();
        row.uid = query.value(1).toString();
        row.recurrenceId = query.value(2).toString();
        row.href = query.value(3).toString();
        row.etag = query.value(4).toString();
        row.pending = query.value(5).toString() == u"pending";
        row.deleted = !query.value(6).isNull() && !query.value(6).toString().isEmpty();
        if (withVersion) {
            row.version = query.value(7).toString() + u'|' + query.value(6).toString() + u'|' +
                          query.value(8).toString();
        }
        result.append(row);
    }
    return result;
}

QList<LocalRow> CalDavSyncStore::rows(Table table, const QString& calendarId,
                                      bool withVersion) const
{
    return select(table, QStringLiteral("calendar_id = ?"), {calendarId}, withVersion);
}

QList<LocalRow> CalDavSyncStore::rowsOfPendingUids(Table table, const QString& calendarId) const
{
    return select(table,
                  QStringLiteral("calendar_id = ? AND uid IN (SELECT uid FROM %1 WHERE "
                                 "calendar_id = ? AND sync_status = 'pending')")
                      .arg(tableName(table)),
                  {calendarId, calendarId}, false);
}

QList<LocalRow> CalDavSyncStore::rowsOfUid(Table table, const QString& calendarId,
                                           const QString& uid) const
{
    return select(table, QStringLiteral("calendar_id = ? AND uid = ?"), {calendarId, uid}, true);
}

bool CalDavSyncStore::setTag(Table table, const QString& id, const QString& href,
                             const QString& etag)
{
    return update(
        QStringLiteral("UPDATE %1 SET href = ?, etag = ? WHERE id = ?").arg(tableName(table)),
        {href, etag, id});
}

bool CalDavSyncStore::setTagAndText(Table table, const QString& id, const QString& href,
                                    const QString& etag, const QString& rawIcalendar)
{
    return update(QStringLiteral("UPDATE %1 SET href = ?, etag = ?, raw_icalendar = ? WHERE id = ?")
                      .arg(tableName(table)),
                  {href, etag, rawIcalendar, id});
}

bool CalDavSyncStore::setSentCopy(Table table, const QString& id, const QString& rawIcalendar,
                                  int sequence)
{
    return update(QStringLiteral("UPDATE %1 SET raw_icalendar = ?, sequence = ? WHERE id = ?")
                      .arg(tableName(table)),
                  {rawIcalendar, QString::number(sequence), id});
}

bool CalDavSyncStore::update(const QString& statement, const QStringList& values)
{
    QSqlQuery query(m_database->database());
    query.prepare(statement);
    for (const QString& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << "[CalDav] storing the server tag failed:"
                             << query.lastError().text();
        return false;
    }
    return true;
}

bool CalDavSyncStore::setExceptionDates(const QString& eventId, const QString& rawIcalendar,
                                        const QString& exceptionDatesJson)
{
    QSqlQuery query(m_database->database());
    query.prepare(
        QStringLiteral("UPDATE events SET raw_icalendar = ?, exception_dates = ? WHERE id = ?"));
    query.addBindValue(rawIcalendar);
    query.addBindValue(exceptionDatesJson);
    query.addBindValue(eventId);
    if (!query.exec()) {
        qWarning().noquote() << "[CalDav] storing exception dates failed:"
                             << query.lastError().text();
        return false;
    }
    return true;
}
