#include "TemplateRepository.h"

#include "Database.h"
#include "JsonList.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

const QLatin1StringView table("event_templates");

const QString selectTemplates = QStringLiteral(
    "SELECT id, name, title, description, location, color, is_all_day, duration_minutes, "
    "recurrence_rule, calendar_id, reminders, sort_order, created_at, updated_at, deleted_at "
    "FROM event_templates");

const QString pending = QStringLiteral("pending");

QString statusOrPending(const QString& syncStatus)
{
    return syncStatus.isEmpty() ? pending : syncStatus;
}

// The template's own fields in table order, from name to sort order.
QVariantList contentValues(const EventTemplate& eventTemplate)
{
    return {StoreSql::notNull(eventTemplate.name),
            StoreSql::notNull(eventTemplate.title),
            eventTemplate.description,
            eventTemplate.location,
            eventTemplate.color,
            eventTemplate.isAllDay ? 1 : 0,
            eventTemplate.durationMinutes,
            eventTemplate.recurrenceRule,
            eventTemplate.calendarId,
            JsonList::fromInts(eventTemplate.reminders),
            eventTemplate.sortOrder};
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
    std::optional<EventTemplate> eventTemplate;
    StoreSql::forEachRow(
        m_database->database(),
        selectTemplates + QStringLiteral(" WHERE deleted_at IS NULL AND id = ?"), {id},
        [&eventTemplate](const QSqlQuery& query) { eventTemplate = fromQuery(query); });
    return eventTemplate;
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
    if (!StoreSql::markDeleted(m_database->database(), table, id, "TemplateRepository::remove"))
        return false;
    Q_EMIT templatesChanged();
    return true;
}

bool TemplateRepository::hardDelete(const QString& id)
{
    if (!StoreSql::deleteRow(m_database->database(), table, id, "TemplateRepository::hardDelete"))
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
    const QVariantList values =
        QVariantList{id} + contentValues(eventTemplate) +
        QVariantList{syncStatus, StoreTime::bindValue(createdAt), StoreTime::bindValue(updatedAt)};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("INSERT INTO event_templates (id, name, title, description, "
                                       "location, color, is_all_day, duration_minutes, "
                                       "recurrence_rule, calendar_id, reminders, sort_order, "
                                       "sync_status, created_at, updated_at) VALUES (?, ?, ?, ?, "
                                       "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        values, "TemplateRepository::insert"))
        return false;
    Q_EMIT templatesChanged();
    return true;
}

bool TemplateRepository::rewrite(const EventTemplate& eventTemplate, const QString& syncStatus,
                                 const QDateTime& updatedAt)
{
    const QVariantList values =
        contentValues(eventTemplate) +
        QVariantList{syncStatus, StoreTime::bindValue(updatedAt), eventTemplate.id};
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE event_templates SET name = ?, title = ?, "
                                       "description = ?, location = ?, color = ?, is_all_day = ?, "
                                       "duration_minutes = ?, recurrence_rule = ?, "
                                       "calendar_id = ?, reminders = ?, sort_order = ?, "
                                       "sync_status = ?, updated_at = ? WHERE id = ?"),
                        values, "TemplateRepository::update"))
        return false;
    Q_EMIT templatesChanged();
    return true;
}

QStringList TemplateRepository::getPendingIds() const
{
    QStringList ids;
    StoreSql::forEachRow(m_database->database(),
                         QStringLiteral("SELECT id FROM event_templates WHERE sync_status = ?"),
                         {pending},
                         [&ids](const QSqlQuery& query) { ids.append(query.value(0).toString()); });
    return ids;
}

QList<EventTemplate> TemplateRepository::list(const QString& condition) const
{
    // The order comes first, from the row ids alone: sorting whole rows would copy every text
    // of every template through SQLite's sorter, and a template's texts may be megabytes long.
    QList<qint64> rowIds;
    if (!StoreSql::forEachRow(m_database->database(),
                              QStringLiteral("SELECT rowid FROM event_templates") + condition, {},
                              [&rowIds](const QSqlQuery& query) {
                                  rowIds.append(query.value(0).toLongLong());
                              }))
        return {};
    QList<EventTemplate> templates;
    templates.reserve(rowIds.size());
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    if (!query.prepare(selectTemplates + QStringLiteral(" WHERE rowid = ?")))
        return {};
    for (const qint64 rowId : rowIds) {
        query.bindValue(0, rowId);
        if (!query.exec())
            return {};
        if (query.next())
            templates.append(fromQuery(query));
        query.finish();
    }
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
