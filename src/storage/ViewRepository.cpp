#include "ViewRepository.h"

#include "Database.h"
#include "Positions.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QLatin1StringView table("calendar_views");

const QString columns = QStringLiteral(
    "id, name, color, calendar_ids, is_default, sort_order, sync_status, created_at, updated_at, "
    "deleted_at");

// The View's own fields in table order, from name to sync status.
QVariantList contentValues(const CalendarView& view)
{
    return {StoreSql::notNull(view.name), view.color,     StoreSql::notNull(view.calendarIds),
            view.isDefault ? 1 : 0,       view.sortOrder, StoreSql::notNull(view.syncStatus)};
}

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
    std::optional<CalendarView> view;
    StoreSql::forEachRow(m_database->database(),
                         QStringLiteral("SELECT %1 FROM calendar_views WHERE id = ?").arg(columns),
                         {id}, [&view](const QSqlQuery& query) { view = fromQuery(query); });
    return view;
}

bool ViewRepository::insert(const CalendarView& view)
{
    // A record without stamps gets "now" rather than failing on the NOT NULL columns.
    const QDateTime now = StoreTime::now();
    const QVariantList values =
        QVariantList{view.id} + contentValues(view) +
        QVariantList{StoreTime::bindValue(view.createdAt.isValid() ? view.createdAt : now),
                     StoreTime::bindValue(view.updatedAt.isValid() ? view.updatedAt : now)};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("INSERT INTO calendar_views (id, name, color, calendar_ids, "
                                       "is_default, sort_order, sync_status, created_at, "
                                       "updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        values, "ViewRepository::insert"))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::update(const CalendarView& view)
{
    const QVariantList values =
        contentValues(view) + QVariantList{StoreTime::bindValue(StoreTime::now()), view.id};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE calendar_views SET name = ?, color = ?, "
                                       "calendar_ids = ?, is_default = ?, sort_order = ?, "
                                       "sync_status = ?, updated_at = ? WHERE id = ?"),
                        values, "ViewRepository::update"))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::remove(const QString& id)
{
    if (!StoreSql::markDeleted(m_database->database(), table, id, "ViewRepository::remove"))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::hardDelete(const QString& id)
{
    if (!StoreSql::deleteRow(m_database->database(), table, id, "ViewRepository::hardDelete"))
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
    StoreSql::forEachRow(m_database->database(), sql.arg(columns), {},
                         [&views](const QSqlQuery& query) { views.append(fromQuery(query)); });
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
