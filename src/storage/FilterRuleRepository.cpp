#include "FilterRuleRepository.h"

#include "Database.h"
#include "Positions.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QLatin1StringView table("filter_rules");

const QString columns = QStringLiteral(
    "id, name, type, enabled, calendar_ids, conditions, action, priority, event_uid, "
    "event_calendar_id, suppress_reminders, sync_status, created_at, updated_at, deleted_at");

// The rule's own fields in table order, from name to sync status.
QVariantList contentValues(const FilterRule& rule)
{
    return {StoreSql::notNull(rule.name),
            StoreSql::notNull(rule.type),
            rule.enabled ? 1 : 0,
            StoreSql::notNull(rule.calendarIds),
            StoreSql::notNull(rule.conditions),
            StoreSql::notNull(rule.action),
            rule.priority,
            rule.eventUid,
            rule.eventCalendarId,
            rule.suppressReminders ? 1 : 0,
            StoreSql::notNull(rule.syncStatus)};
}

} // namespace

FilterRuleRepository::FilterRuleRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

QList<FilterRule> FilterRuleRepository::getAll() const
{
    return list(QStringLiteral(
        "SELECT %1 FROM filter_rules WHERE deleted_at IS NULL ORDER BY priority, name"));
}

QList<FilterRule> FilterRuleRepository::getAllIncludingDeleted() const
{
    return list(QStringLiteral("SELECT %1 FROM filter_rules ORDER BY priority, name"));
}

QList<FilterRule> FilterRuleRepository::getEnabled() const
{
    return list(QStringLiteral("SELECT %1 FROM filter_rules WHERE deleted_at IS NULL AND "
                               "enabled = 1 ORDER BY priority, name"));
}

std::optional<FilterRule> FilterRuleRepository::getById(const QString& id) const
{
    std::optional<FilterRule> rule;
    StoreSql::forEachRow(m_database->database(),
                         QStringLiteral("SELECT %1 FROM filter_rules WHERE id = ?").arg(columns),
                         {id}, [&rule](const QSqlQuery& query) { rule = fromQuery(query); });
    return rule;
}

bool FilterRuleRepository::insert(const FilterRule& rule)
{
    // A record without stamps gets "now" rather than failing on the NOT NULL columns.
    const QDateTime now = StoreTime::now();
    const QVariantList values =
        QVariantList{rule.id} + contentValues(rule) +
        QVariantList{StoreTime::bindValue(rule.createdAt.isValid() ? rule.createdAt : now),
                     StoreTime::bindValue(rule.updatedAt.isValid() ? rule.updatedAt : now)};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("INSERT INTO filter_rules (id, name, type, enabled, "
                                       "calendar_ids, conditions, action, priority, event_uid, "
                                       "event_calendar_id, suppress_reminders, sync_status, "
                                       "created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                                       "?, ?, ?, ?, ?, ?)"),
                        values, "FilterRuleRepository::insert"))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::update(const FilterRule& rule)
{
    const QVariantList values =
        contentValues(rule) + QVariantList{StoreTime::bindValue(StoreTime::now()), rule.id};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE filter_rules SET name = ?, type = ?, enabled = ?, "
                                       "calendar_ids = ?, conditions = ?, action = ?, "
                                       "priority = ?, event_uid = ?, event_calendar_id = ?, "
                                       "suppress_reminders = ?, sync_status = ?, updated_at = ? "
                                       "WHERE id = ?"),
                        values, "FilterRuleRepository::update"))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::remove(const QString& id)
{
    if (!StoreSql::markDeleted(m_database->database(), table, id, "FilterRuleRepository::remove"))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::hardDelete(const QString& id)
{
    if (!StoreSql::deleteRow(m_database->database(), table, id, "FilterRuleRepository::hardDelete"))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::reorder(const QStringList& ids)
{
    if (ids.isEmpty())
        return true;
    if (!Positions::write(m_database->database(),
                          QStringLiteral("UPDATE filter_rules SET priority = ?, sync_status = "
                                         "'pending', updated_at = ? WHERE id = ?"),
                          ids))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::setEnabled(const QString& id, bool enabled)
{
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE filter_rules SET enabled = ?, sync_status = "
                                       "'pending', updated_at = ? WHERE id = ?"),
                        {enabled ? 1 : 0, StoreTime::bindValue(StoreTime::now()), id},
                        "FilterRuleRepository::setEnabled"))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

QList<FilterRule> FilterRuleRepository::list(const QString& sql) const
{
    QList<FilterRule> rules;
    StoreSql::forEachRow(m_database->database(), sql.arg(columns), {},
                         [&rules](const QSqlQuery& query) { rules.append(fromQuery(query)); });
    return rules;
}

FilterRule FilterRuleRepository::fromQuery(const QSqlQuery& query)
{
    FilterRule rule;
    rule.id = query.value(0).toString();
    rule.name = query.value(1).toString();
    rule.type = query.value(2).toString();
    rule.enabled = query.value(3).toInt() != 0;
    rule.calendarIds = query.value(4).toString();
    rule.conditions = query.value(5).toString();
    rule.action = query.value(6).toString();
    rule.priority = query.value(7).toInt();
    rule.eventUid = query.value(8).toString();
    rule.eventCalendarId = query.value(9).toString();
    rule.suppressReminders = query.value(10).toInt() != 0;
    rule.syncStatus = query.value(11).toString();
    rule.createdAt = StoreTime::readTimestamp(query.value(12));
    rule.updatedAt = StoreTime::readTimestamp(query.value(13));
    rule.deletedAt = StoreTime::readOptional(query.value(14));
    return rule;
}
