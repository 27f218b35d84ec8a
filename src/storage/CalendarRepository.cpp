#include "CalendarRepository.h"

#include "Database.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString calendarColumns = QStringLiteral(
    "id, account_id, url, name, description, color, timezone, is_visible, is_read_only, "
    "is_default, ctag, sync_token, delta_sync_token, supported_components, sort_order, "
    "canonical_key, sync_enabled, is_shared, shared_with_me, last_sync_error, created_at, "
    "updated_at");

// Binds the fields from account_id to last_sync_error, in column order.
void bindFields(QSqlQuery& query, const Calendar& calendar)
{
    query.addBindValue(calendar.accountId);
    query.addBindValue(StoreSql::notNull(calendar.url));
    query.addBindValue(StoreSql::notNull(calendar.name));
    query.addBindValue(calendar.description);
    query.addBindValue(StoreSql::notNull(calendar.color));
    query.addBindValue(StoreSql::notNull(calendar.timezone));
    query.addBindValue(calendar.isVisible ? 1 : 0);
    query.addBindValue(calendar.isReadOnly ? 1 : 0);
    query.addBindValue(calendar.isDefault ? 1 : 0);
    query.addBindValue(calendar.ctag);
    query.addBindValue(calendar.syncToken);
    query.addBindValue(calendar.deltaSyncToken);
    query.addBindValue(StoreSql::notNull(calendar.supportedComponents));
    query.addBindValue(calendar.sortOrder);
    query.addBindValue(calendar.canonicalKey);
    query.addBindValue(calendar.syncEnabled ? 1 : 0);
    query.addBindValue(calendar.isShared ? 1 : 0);
    query.addBindValue(calendar.sharedWithMe ? 1 : 0);
    query.addBindValue(calendar.lastSyncError);
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

QList<Calendar> CalendarRepository::list(QSqlQuery& query) const
{
    QList<Calendar> calendars;
    if (!query.exec())
        return calendars;
    while (query.next())
        calendars.append(fromQuery(query));
    return calendars;
}

QList<Calendar> CalendarRepository::getAll() const
{
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM calendars ORDER BY sort_order, name").arg(calendarColumns));
    return list(query);
}

QList<Calendar> CalendarRepository::getByAccount(const QString& accountId) const
{
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM calendars WHERE account_id = ? ORDER BY sort_order, name")
            .arg(calendarColumns));
    query.addBindValue(accountId);
    return list(query);
}

std::optional<Calendar> CalendarRepository::getById(const QString& id) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT %1 FROM calendars WHERE id = ?").arg(calendarColumns));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return fromQuery(query);
}

bool CalendarRepository::insert(const Calendar& calendar)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("INSERT INTO calendars (%1) VALUES (%2)")
                      .arg(calendarColumns, StoreSql::placeholders(22)));
    query.addBindValue(calendar.id);
    bindFields(query, calendar);
    query.addBindValue(StoreTime::bindValue(calendar.createdAt));
    query.addBindValue(StoreTime::bindValue(calendar.updatedAt));
    if (!query.exec()) {
        StoreSql::logFailure("CalendarRepository::insert", query.lastError());
        return false;
    }
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::update(const Calendar& calendar)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "UPDATE calendars SET account_id = ?, url = ?, name = ?, description = ?, color = ?, "
        "timezone = ?, is_visible = ?, is_read_only = ?, is_default = ?, ctag = ?, sync_token = "
        "?, delta_sync_token = ?, supported_components = ?, sort_order = ?, canonical_key = ?, "
        "sync_enabled = ?, is_shared = ?, shared_with_me = ?, last_sync_error = ?, updated_at = "
        "? WHERE id = ?"));
    bindFields(query, calendar);
    query.addBindValue(StoreTime::bindValue(StoreTime::now()));
    query.addBindValue(calendar.id);
    if (!query.exec()) {
        StoreSql::logFailure("CalendarRepository::update", query.lastError());
        return false;
    }
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::remove(const QString& id)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM calendars WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        StoreSql::logFailure("CalendarRepository::remove", query.lastError());
        return false;
    }
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::setDefault(const QString& id)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    Savepoint transaction(m_database->database());
    if (!transaction.isActive())
        return false;

    QSqlQuery exists(m_database->database());
    exists.prepare(QStringLiteral("SELECT 1 FROM calendars WHERE id = ?"));
    exists.addBindValue(id);
    if (!exists.exec()) {
        StoreSql::logFailure("CalendarRepository::setDefault", exists.lastError());
        return false;
    }
    if (!exists.next()) {
        StoreSql::logFailure("CalendarRepository::setDefault",
                             QStringLiteral("no calendar with id %1").arg(id));
        return false;
    }
    exists.finish();

    QSqlQuery clear(m_database->database());
    clear.prepare(QStringLiteral(
        "UPDATE calendars SET is_default = 0, updated_at = ? WHERE is_default = 1 AND id != ?"));
    clear.addBindValue(now);
    clear.addBindValue(id);
    if (!clear.exec()) {
        StoreSql::logFailure("CalendarRepository::setDefault clear", clear.lastError());
        return false;
    }
    QSqlQuery set(m_database->database());
    set.prepare(QStringLiteral("UPDATE calendars SET is_default = 1, updated_at = ? WHERE id = ?"));
    set.addBindValue(now);
    set.addBindValue(id);
    if (!set.exec()) {
        StoreSql::logFailure("CalendarRepository::setDefault set", set.lastError());
        return false;
    }
    if (!transaction.commit())
        return false;
    Q_EMIT calendarsChanged();
    return true;
}
