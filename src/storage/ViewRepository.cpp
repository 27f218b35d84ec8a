#include "ViewRepository.h"

#include "Database.h"
#include "Positions.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString columns = QStringLiteral(
    "id, name, color, calendar_ids, is_default, sort_order, sync_status, created_at, updated_at, "
    "deleted_at");

} // namespace

ViewRepository::ViewRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

QList<CalendarView> ViewRepository::getAll() const
{
    return list(QStringLiteral("SELECT %1 FROM calendar_views WHERE deleted_at IS NULL "
                               "ORDER BY is_default DESC, sort_order, name"));
}

QList<CalendarView> ViewRepository::getAllIncludingDeleted() const
{
    return list(
        QStringLiteral("SELECT %1 FROM calendar_views ORDER BY is_default DESC, sort_order, name"));
}

std::optional<CalendarView> ViewRepository::getById(const QString& id) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT %1 FROM calendar_views WHERE id = ?").arg(columns));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return fromQuery(query);
}

bool ViewRepository::insert(const CalendarView& view)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "INSERT INTO calendar_views (id, name, color, calendar_ids, is_default, sort_order, "
        "sync_status, created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(view.id);
    query.addBindValue(view.name);
    query.addBindValue(view.color);
    query.addBindValue(view.calendarIds);
    query.addBindValue(view.isDefault ? 1 : 0);
    query.addBindValue(view.sortOrder);
    query.addBindValue(view.syncStatus);
    // A record without stamps gets "now" rather than failing on the NOT NULL columns.
    const QDateTime now = StoreTime::now();
    query.addBindValue(StoreTime::bindValue(view.createdAt.isValid() ? view.createdAt : now));
    query.addBindValue(StoreTime::bindValue(view.updatedAt.isValid() ? view.updatedAt : now));
    if (!query.exec()) {
        StoreSql::logFailure("ViewRepository::insert", query.lastError());
        return false;
    }
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::update(const CalendarView& view)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "UPDATE calendar_views SET name = ?, color = ?, calendar_ids = ?, is_default = ?, "
        "sort_order = ?, sync_status = ?, updated_at = ? WHERE id = ?"));
    query.addBindValue(view.name);
    query.addBindValue(view.color);
    query.addBindValue(view.calendarIds);
    query.addBindValue(view.isDefault ? 1 : 0);
    query.addBindValue(view.sortOrder);
    query.addBindValue(view.syncStatus);
    query.addBindValue(StoreTime::bindValue(StoreTime::now()));
    query.addBindValue(view.id);
    if (!query.exec()) {
        StoreSql::logFailure("ViewRepository::update", query.lastError());
        return false;
    }
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::remove(const QString& id)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("UPDATE calendar_views SET deleted_at = ?, sync_status = "
                                 "'pending', updated_at = ? WHERE id = ?"));
    query.addBindValue(now);
    query.addBindValue(now);
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::hardDelete(const QString& id)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM calendar_views WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::reorder(const QStringList& ids)
{
    if (ids.isEmpty())
        return true;
    if (!Positions::write(m_database->database(),
                          QStringLiteral("UPDATE calendar_views SET sort_order = ?, sync_status = "
                                         "'pending', updated_at = ? WHERE id = ?"),
                          ids))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

QList<CalendarView> ViewRepository::list(const QString& sql) const
{
    QList<CalendarView> views;
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(sql.arg(columns));
    if (!query.exec())
        return views;
    while (query.next())
        views.append(fromQuery(query));
    return views;
}

CalendarView ViewRepository::fromQuery(const QSqlQuery& query)
{
    CalendarView view;
    view.id = query.value(0).toString();
    view.name = query.value(1).toString();
    view.color = query.value(2).toString();
    view.calendarIds = query.value(3).toString();
    view.isDefault = query.value(4).toInt() != 0;
    view.sortOrder = query.value(5).toInt();
    view.syncStatus = query.value(6).toString();
    view.createdAt = StoreTime::readTimestamp(query.value(7));
    view.updatedAt = StoreTime::readTimestamp(query.value(8));
    view.deletedAt = StoreTime::readOptional(query.value(9));
    return view;
}
