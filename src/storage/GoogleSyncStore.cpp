#include "GoogleSyncStore.h"

#include "Database.h"
#include "GoogleEventId.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

bool run(QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << "[Google] store:" << query.lastError().text();
        return false;
    }
    return true;
}

} // namespace

GoogleSyncStore::GoogleSyncStore(Database* database) : m_database(database) {}

QHash<QString, GoogleSyncStore::Row> GoogleSyncStore::select(const QString& where,
                                                             const QStringList& values) const
{
    QHash<QString, Row> rows;
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, COALESCE(provider_event_id, ''), uid, sync_status, "
                                 "deleted_at FROM events WHERE ") +
                  where);
    for (const QString& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << "[Google] reading the calendar's rows failed:"
                             << query.lastError().text();
        return rows;
    }
    while (query.next()) {
        Row row;
        row.id = query.value(0).toString();
        row.providerEventId = query.value(1).toString();
        row.uid = query.value(2).toString();
        row.pending = query.value(3).toString() == u"pending";
        row.deleted = !query.value(4).isNull() && !query.value(4).toString().isEmpty();
        const QString key =
            row.providerEventId.isEmpty() ? Google::clientEventId(row.id) : row.providerEventId;
        rows.insert(key, row);
    }
    return rows;
}

QHash<QString, GoogleSyncStore::Row>
GoogleSyncStore::rowsByGoogleId(const QString& calendarId) const
{
    return select(QStringLiteral("calendar_id = ?"), {calendarId});
}

QHash<QString, GoogleSyncStore::Row>
GoogleSyncStore::pendingRowsByGoogleId(const QString& calendarId) const
{
    return select(QStringLiteral("calendar_id = ? AND sync_status = 'pending'"), {calendarId});
}

std::optional<GoogleSyncStore::Row> GoogleSyncStore::rowByGoogleId(const QString& calendarId,
                                                                   const QString& googleId) const
{
    const QHash<QString, Row> rows =
        select(QStringLiteral("calendar_id = ? AND provider_event_id = ? LIMIT 1"),
               {calendarId, googleId});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.constBegin().value();
}

std::optional<GoogleSyncStore::Row>
GoogleSyncStore::rowByOccurrence(const QString& calendarId, const QString& uid,
                                 const QString& recurrenceId) const
{
    // Worded as the unique index of (calendar, UID, recurrence id) is, so that it serves.
    const QHash<QString, Row> rows = select(
        QStringLiteral("calendar_id = ? AND uid = ? AND COALESCE(recurrence_id, '') = ? LIMIT 1"),
        {calendarId, uid, recurrenceId});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.constBegin().value();
}

QStringList GoogleSyncStore::occurrenceRowIds(const QString& calendarId,
                                              const QString& masterUid) const
{
    QStringList ids;
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT id FROM events WHERE master_event_uid = ? AND "
                                 "calendar_id = ? AND COALESCE(recurrence_id, '') <> ''"));
    query.addBindValue(masterUid);
    query.addBindValue(calendarId);
    if (!query.exec())
        return ids;
    while (query.next())
        ids.append(query.value(0).toString());
    return ids;
}

QStringList GoogleSyncStore::cancelledOccurrences(const QString& calendarId,
                                                  const QString& masterId) const
{
    QStringList result;
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT recurrence_id FROM google_cancelled_occurrences "
                                 "WHERE calendar_id = ? AND master_id = ? ORDER BY recurrence_id"));
    query.addBindValue(calendarId);
    query.addBindValue(masterId);
    if (!query.exec())
        return result;
    while (query.next())
        result.append(query.value(0).toString());
    return result;
}

bool GoogleSyncStore::addCancelledOccurrence(const QString& calendarId, const QString& masterId,
                                             const QString& recurrenceId)
{
    return run(m_database->database(),
               QStringLiteral("INSERT OR IGNORE INTO google_cancelled_occurrences "
                              "(calendar_id, master_id, recurrence_id) VALUES (?, ?, ?)"),
               {calendarId, masterId, recurrenceId});
}

bool GoogleSyncStore::removeCancelledOccurrence(const QString& calendarId, const QString& masterId,
                                                const QString& recurrenceId)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM google_cancelled_occurrences WHERE calendar_id = ? "
                                 "AND master_id = ? AND recurrence_id = ?"));
    query.addBindValue(calendarId);
    query.addBindValue(masterId);
    query.addBindValue(recurrenceId);
    return query.exec() && query.numRowsAffected() > 0;
}

bool GoogleSyncStore::clearCancelledOccurrences(const QString& calendarId)
{
    return run(m_database->database(),
               QStringLiteral("DELETE FROM google_cancelled_occurrences WHERE calendar_id = ?"),
               {calendarId});
}

bool GoogleSyncStore::setExceptionDates(const QString& eventId, const QString& exceptionDatesJson)
{
    return run(m_database->database(),
               QStringLiteral("UPDATE events SET exception_dates = ? WHERE id = ?"),
               {exceptionDatesJson, eventId});
}

bool GoogleSyncStore::setGoogleIds(const QString& eventId, const QString& providerEventId,
                                   const QString& etag, const QString& itemJson, bool synced)
{
    return run(m_database->database(),
               synced ? QStringLiteral("UPDATE events SET provider_event_id = ?, etag = ?, "
                                       "raw_icalendar = ?, sync_status = 'synced' WHERE id = ?")
                      : QStringLiteral("UPDATE events SET provider_event_id = ?, etag = ?, "
                                       "raw_icalendar = ? WHERE id = ?"),
               {providerEventId, etag, itemJson, eventId});
}
