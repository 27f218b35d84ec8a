#include "FilterRuleRepository.h"

#include "Database.h"
#include "Positions.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString columns = QStringLiteral(
    "id, name, type, enabled, calendar_ids, conditions, action, priority, event_uid, "
    "event_calendar_id, suppress_reminders, sync_status, created_at, updated_at, deleted_at");

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
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT %1 FROM filter_rules WHERE id = ?").arg(columns));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return fromQuery(query);
}

bool FilterRuleRepository::insert(const FilterRule& rule)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "INSERT INTO filter_rules (id, name, type, enabled, calendar_ids, conditions, action, "
        "priority, event_uid, event_calendar_id, suppress_reminders, sync_status, created_at, "
        "updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(rule.id);
    query.addBindValue(rule.name);
    query.addBindValue(rule.type);
    query.addBindValue(rule.enabled ? 1 : 0);
    query.addBindValue(rule.calendarIds);
    query.addBindValue(rule.conditions);
    query.addBindValue(rule.action);
    query.addBindValue(rule.priority);
    query.addBindValue(rule.eventUid);
    query.addBindValue(rule.eventCalendarId);
    query.addBindValue(rule.suppressReminders ? 1 : 0);
    query.addBindValue(rule.syncStatus);
    // A record without stamps gets "now" rather than failing on the NOT NULL columns.
    const QDateTime now = StoreTime::now();
    query.addBindValue(StoreTime::bindValue(rule.createdAt.isValid() ? rule.createdAt : now));
    query.addBindValue(StoreTime::bindValue(rule.updatedAt.isValid() ? rule.updatedAt : now));
    if (!query.exec()) {
        StoreSql::logFailure("FilterRuleRepository::insert", query.lastError());
        return false;
    }
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::update(const FilterRule& rule)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "UPDATE filter_rules SET name = ?, type = ?, enabled = ?, calendar_ids = ?, "
        "conditions = ?, action = ?, priority = ?, event_uid = ?, event_calendar_id = ?, "
        "suppress_reminders = ?, sync_status = ?, updated_at = ? WHERE id = ?"));
    query.addBindValue(rule.name);
    query.addBindValue(rule.type);
    query.addBindValue(rule.enabled ? 1 : 0);
    query.addBindValue(rule.calendarIds);
    query.addBindValue(rule.conditions);
    query.addBindValue(rule.action);
    query.addBindValue(rule.priority);
    query.addBindValue(rule.eventUid);
    query.addBindValue(rule.eventCalendarId);
    query.addBindValue(rule.suppressReminders ? 1 : 0);
    query.addBindValue(rule.syncStatus);
    query.addBindValue(StoreTime::bindValue(StoreTime::now()));
    query.addBindValue(rule.id);
    if (!query.exec()) {
        StoreSql::logFailure("FilterRuleRepository::update", query.lastError());
        return false;
    }
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::remove(const QString& id)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("UPDATE filter_rules SET deleted_at = ?, sync_status = "
                                 "'pending', updated_at = ? WHERE id = ?"));
    query.addBindValue(now);
    query.addBindValue(now);
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::hardDelete(const QString& id)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM filter_rules WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
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
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("UPDATE filter_rules SET enabled = ?, sync_status = 'pending', "
                                 "updated_at = ? WHERE id = ?"));
    query.addBindValue(enabled ? 1 : 0);
    query.addBindValue(StoreTime::bindValue(StoreTime::now()));
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

QList<FilterRule> FilterRuleRepository::list(const QString& sql) const
{
    QList<FilterRule> rules;
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(sql.arg(columns));
    if (!query.exec())
        return rules;
    while (query.next())
        rules.append(fromQuery(query));
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
