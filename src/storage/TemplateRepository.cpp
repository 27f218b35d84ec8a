#include "TemplateRepository.h"

#include "Database.h"
#include "JsonList.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

const QString selectTemplates = QStringLiteral(
    "SELECT id, name, title, description, location, color, is_all_day, duration_minutes, "
    "recurrence_rule, calendar_id, reminders, sort_order, created_at, updated_at, deleted_at "
    "FROM event_templates");

const QString pending = QStringLiteral("pending");

QString statusOrPending(const QString& syncStatus)
{
    return syncStatus.isEmpty() ? pending : syncStatus;
}

} // namespace

TemplateRepository::TemplateRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

QList<EventTemplate> TemplateRepository::getAll() const
{
    return list(QStringLiteral(" WHERE deleted_at IS NULL ORDER BY sort_order, name"));
}

QList<EventTemplate> TemplateRepository::getAllIncludingDeleted() const
{
    return list(QStringLiteral(" ORDER BY sort_order, name"));
}

std::optional<EventTemplate> TemplateRepository::getById(const QString& id) const
{
    QSqlQuery query(m_database->database());
    query.prepare(selectTemplates + QStringLiteral(" WHERE deleted_at IS NULL AND id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return fromQuery(query);
}

bool TemplateRepository::insert(const EventTemplate& eventTemplate)
{
    const QDateTime now = StoreTime::now();
    return store(eventTemplate, pending,
                 eventTemplate.createdAt.isValid() ? eventTemplate.createdAt : now, now);
}

bool TemplateRepository::insert(const EventTemplate& eventTemplate, const QString& syncStatus)
{
    const QDateTime now = StoreTime::now();
    return store(eventTemplate, statusOrPending(syncStatus),
                 eventTemplate.createdAt.isValid() ? eventTemplate.createdAt : now,
                 eventTemplate.updatedAt.isValid() ? eventTemplate.updatedAt : now);
}

bool TemplateRepository::update(const EventTemplate& eventTemplate)
{
    return rewrite(eventTemplate, pending, StoreTime::now());
}

bool TemplateRepository::update(const EventTemplate& eventTemplate, const QString& syncStatus)
{
    return rewrite(eventTemplate, statusOrPending(syncStatus),
                   eventTemplate.updatedAt.isValid() ? eventTemplate.updatedAt : StoreTime::now());
}

bool TemplateRepository::remove(const QString& id)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("UPDATE event_templates SET deleted_at = ?, sync_status = "
                                 "'pending', updated_at = ? WHERE id = ?"));
    query.addBindValue(now);
    query.addBindValue(now);
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT templatesChanged();
    return true;
}

bool TemplateRepository::hardDelete(const QString& id)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM event_templates WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return false;
    Q_EMIT templatesChanged();
    return true;
}

bool TemplateRepository::store(const EventTemplate& eventTemplate, const QString& syncStatus,
                               const QDateTime& createdAt, const QDateTime& updatedAt)
{
    const QString id = eventTemplate.id.isEmpty()
                           ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                           : eventTemplate.id;
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "INSERT INTO event_templates (id, name, title, description, location, color, is_all_day, "
        "duration_minutes, recurrence_rule, calendar_id, reminders, sort_order, sync_status, "
        "created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(id);
    query.addBindValue(eventTemplate.name);
    query.addBindValue(eventTemplate.title);
    query.addBindValue(eventTemplate.description);
    query.addBindValue(eventTemplate.location);
    query.addBindValue(eventTemplate.color);
    query.addBindValue(eventTemplate.isAllDay ? 1 : 0);
    query.addBindValue(eventTemplate.durationMinutes);
    query.addBindValue(eventTemplate.recurrenceRule);
    query.addBindValue(eventTemplate.calendarId);
    query.addBindValue(JsonList::fromInts(eventTemplate.reminders));
    query.addBindValue(eventTemplate.sortOrder);
    query.addBindValue(syncStatus);
    query.addBindValue(StoreTime::bindValue(createdAt));
    query.addBindValue(StoreTime::bindValue(updatedAt));
    if (!query.exec()) {
        StoreSql::logFailure("TemplateRepository::insert", query.lastError());
        return false;
    }
    Q_EMIT templatesChanged();
    return true;
}

bool TemplateRepository::rewrite(const EventTemplate& eventTemplate, const QString& syncStatus,
                                 const QDateTime& updatedAt)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral(
        "UPDATE event_templates SET name = ?, title = ?, description = ?, location = ?, "
        "color = ?, is_all_day = ?, duration_minutes = ?, recurrence_rule = ?, calendar_id = ?, "
        "reminders = ?, sort_order = ?, sync_status = ?, updated_at = ? WHERE id = ?"));
    query.addBindValue(eventTemplate.name);
    query.addBindValue(eventTemplate.title);
    query.addBindValue(eventTemplate.description);
    query.addBindValue(eventTemplate.location);
    query.addBindValue(eventTemplate.color);
    query.addBindValue(eventTemplate.isAllDay ? 1 : 0);
    query.addBindValue(eventTemplate.durationMinutes);
    query.addBindValue(eventTemplate.recurrenceRule);
    query.addBindValue(eventTemplate.calendarId);
    query.addBindValue(JsonList::fromInts(eventTemplate.reminders));
    query.addBindValue(eventTemplate.sortOrder);
    query.addBindValue(syncStatus);
    query.addBindValue(StoreTime::bindValue(updatedAt));
    query.addBindValue(eventTemplate.id);
    if (!query.exec()) {
        StoreSql::logFailure("TemplateRepository::update", query.lastError());
        return false;
    }
    Q_EMIT templatesChanged();
    return true;
}

QList<EventTemplate> TemplateRepository::list(const QString& condition) const
{
    QList<EventTemplate> templates;
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(selectTemplates + condition);
    if (!query.exec())
        return templates;
    while (query.next())
        templates.append(fromQuery(query));
    return templates;
}

EventTemplate TemplateRepository::fromQuery(const QSqlQuery& query)
{
    EventTemplate eventTemplate;
    eventTemplate.id = query.value(0).toString();
    eventTemplate.name = query.value(1).toString();
    eventTemplate.title = query.value(2).toString();
    eventTemplate.description = query.value(3).toString();
    eventTemplate.location = query.value(4).toString();
    eventTemplate.color = query.value(5).toString();
    eventTemplate.isAllDay = query.value(6).toInt() != 0;
    eventTemplate.durationMinutes = query.value(7).toInt();
    eventTemplate.recurrenceRule = query.value(8).toString();
    eventTemplate.calendarId = query.value(9).toString();
    eventTemplate.reminders = JsonList::toInts(query.value(10).toString());
    eventTemplate.sortOrder = query.value(11).toInt();
    eventTemplate.createdAt = StoreTime::readTimestamp(query.value(12));
    eventTemplate.updatedAt = StoreTime::readTimestamp(query.value(13));
    eventTemplate.deletedAt = StoreTime::readOptional(query.value(14));
    return eventTemplate;
}
