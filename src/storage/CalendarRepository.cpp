#include "CalendarRepository.h"

#include "Database.h"
#include "Savepoint.h"
#include "StatementCache.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString calendarColumns = QStringLiteral(
    "id, account_id, url, name, description, color, timezone, is_visible, is_read_only, "
    "is_default, ctag, sync_token, delta_sync_token, supported_components, sort_order, "
    "canonical_key, sync_enabled, is_shared, shared_with_me, last_sync_error, created_at, "
    "updated_at");

// The fields from account_id to last_sync_error, in column order.
QVariantList fieldValues(const Calendar& calendar)
{
    using StoreSql::notNull;
    return {calendar.accountId,
            notNull(calendar.url),
            notNull(calendar.name),
            calendar.description,
            notNull(calendar.color),
            notNull(calendar.timezone),
            calendar.isVisible ? 1 : 0,
            calendar.isReadOnly ? 1 : 0,
            calendar.isDefault ? 1 : 0,
            calendar.ctag,
            calendar.syncToken,
            calendar.deltaSyncToken,
            notNull(calendar.supportedComponents),
            calendar.sortOrder,
            calendar.canonicalKey,
            calendar.syncEnabled ? 1 : 0,
            calendar.isShared ? 1 : 0,
            calendar.sharedWithMe ? 1 : 0,
            calendar.lastSyncError};
}

const QString& insertSql()
{
    static const QString sql = QStringLiteral("INSERT INTO calendars (%1) VALUES (%2)")
                                   .arg(calendarColumns, StoreSql::placeholders(22));
    return sql;
}

QVariantList insertValues(const Calendar& calendar)
{
    return QVariantList{calendar.id} + fieldValues(calendar) +
           QVariantList{StoreTime::bindValue(calendar.createdAt),
                        StoreTime::bindValue(calendar.updatedAt)};
}

const QString updateSql = QStringLiteral(
    "UPDATE calendars SET account_id = ?, url = ?, name = ?, description = ?, color = ?, "
    "timezone = ?, is_visible = ?, is_read_only = ?, is_default = ?, ctag = ?, sync_token = ?, "
    "delta_sync_token = ?, supported_components = ?, sort_order = ?, canonical_key = ?, "
    "sync_enabled = ?, is_shared = ?, shared_with_me = ?, last_sync_error = ?, updated_at = ? "
    "WHERE id = ?");

// `now` is the bound value of the stamp written to updated_at.
QVariantList updateValues(const Calendar& calendar, const QVariant& now)
{
    return fieldValues(calendar) + QVariantList{now, calendar.id};
}

} // namespace

CalendarRepository::CalendarRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

Calendar CalendarRepository::fromQuery(const QSqlQuery& query)
{
    Calendar calendar;
    calendar.id = query.value(0).toString();
    calendar.accountId = query.value(1).toString();
    calendar.url = query.value(2).toString();
    calendar.name = query.value(3).toString();
    calendar.description = query.value(4).toString();
    calendar.color = query.value(5).toString();
    calendar.timezone = query.value(6).toString();
    calendar.isVisible = query.value(7).toInt() != 0;
    calendar.isReadOnly = query.value(8).toInt() != 0;
    calendar.isDefault = query.value(9).toInt() != 0;
    calendar.ctag = query.value(10).toString();
    calendar.syncToken = query.value(11).toString();
    calendar.deltaSyncToken = query.value(12).toString();
    calendar.supportedComponents = query.value(13).toString();
    calendar.sortOrder = query.value(14).toInt();
    calendar.canonicalKey = query.value(15).toString();
    calendar.syncEnabled = query.value(16).toInt() != 0;
    calendar.isShared = query.value(17).toInt() != 0;
    calendar.sharedWithMe = query.value(18).toInt() != 0;
    calendar.lastSyncError = query.value(19).toString();
    calendar.createdAt = StoreTime::readTimestamp(query.value(20));
    calendar.updatedAt = StoreTime::readTimestamp(query.value(21));
    return calendar;
}

QList<Calendar> CalendarRepository::list(const QString& sql, const QVariantList& values) const
{
    QList<Calendar> calendars;
    StoreSql::forEachRow(
        m_database->database(), sql.arg(calendarColumns), values,
        [&calendars](const QSqlQuery& query) { calendars.append(fromQuery(query)); });
    return calendars;
}

QList<Calendar> CalendarRepository::getAll() const
{
    return list(QStringLiteral("SELECT %1 FROM calendars ORDER BY sort_order, name"), {});
}

QList<Calendar> CalendarRepository::getByAccount(const QString& accountId) const
{
    return list(
        QStringLiteral("SELECT %1 FROM calendars WHERE account_id = ? ORDER BY sort_order, name"),
        {accountId});
}

std::optional<Calendar> CalendarRepository::getById(const QString& id) const
{
    const QList<Calendar> found =
        list(QStringLiteral("SELECT %1 FROM calendars WHERE id = ?"), {id});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool CalendarRepository::insert(const Calendar& calendar)
{
    if (!StoreSql::exec(m_database->database(), insertSql(), insertValues(calendar),
                        "CalendarRepository::insert"))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::update(const Calendar& calendar)
{
    if (!StoreSql::exec(m_database->database(), updateSql,
                        updateValues(calendar, StoreTime::bindValue(StoreTime::now())),
                        "CalendarRepository::update"))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::updateSyncState(const Calendar& calendar)
{
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE calendars SET ctag = ?, sync_token = ?, "
                                       "delta_sync_token = ?, last_sync_error = ?, updated_at = ? "
                                       "WHERE id = ?"),
                        {calendar.ctag, calendar.syncToken, calendar.deltaSyncToken,
                         calendar.lastSyncError, StoreTime::bindValue(StoreTime::now()),
                         calendar.id},
                        "CalendarRepository::updateSyncState"))
        return false;
    Q_EMIT calendarSyncStateChanged(calendar.id);
    return true;
}

bool CalendarRepository::saveAll(const QList<Calendar>& added, const QList<Calendar>& changed)
{
    if (added.isEmpty() && changed.isEmpty())
        return true;
    QSqlDatabase& db = m_database->database();
    Savepoint batch(db);
    if (!batch.isActive()) {
        StoreSql::logFailure("CalendarRepository::saveAll", batch.errorText());
        return false;
    }
    {
        // Each statement compiled once for the whole batch; gone before the savepoint ends.
        StatementCache statements(db);
        for (const Calendar& calendar : added) {
            if (!statements.exec(insertSql(), insertValues(calendar),
                                 "CalendarRepository::saveAll insert"))
                return false;
        }
        const QVariant now = StoreTime::bindValue(StoreTime::now());
        for (const Calendar& calendar : changed) {
            if (!statements.exec(updateSql, updateValues(calendar, now),
                                 "CalendarRepository::saveAll update"))
                return false;
        }
    }
    if (!batch.commit()) {
        StoreSql::logFailure("CalendarRepository::saveAll", batch.errorText());
        return false;
    }
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::remove(const QString& id)
{
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("DELETE FROM calendars WHERE id = ?"), {id},
                        "CalendarRepository::remove"))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::setDefault(const QString& id)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    if (!transaction.isActive())
        return false;
    bool exists = false;
    if (!StoreSql::forEachRow(
            db, QStringLiteral("SELECT 1 FROM calendars WHERE id = ?"), {id},
            [&exists](const QSqlQuery&) { exists = true; }, "CalendarRepository::setDefault"))
        return false;
    if (!exists) {
        StoreSql::logFailure("CalendarRepository::setDefault",
                             QStringLiteral("no calendar with id %1").arg(id));
        return false;
    }
    if (!StoreSql::exec(db,
                        QStringLiteral("UPDATE calendars SET is_default = 0, updated_at = ? WHERE "
                                       "is_default = 1 AND id != ?"),
                        {now, id}, "CalendarRepository::setDefault clear") ||
        !StoreSql::exec(db,
                        QStringLiteral("UPDATE calendars SET is_default = 1, updated_at = ? WHERE "
                                       "id = ?"),
                        {now, id}, "CalendarRepository::setDefault set") ||
        !transaction.commit())
        return false;
    Q_EMIT calendarsChanged();
    return true;
}
