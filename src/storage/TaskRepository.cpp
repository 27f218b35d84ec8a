#include "TaskRepository.h"

#include "ChangeCoalescer.h"
#include "Database.h"
#include "Ical.h"
#include "JsonList.h"
#include "PushCopy.h"
#include "StoreSql.h"
#include "StoreTime.h"
#include "TaskRepeat.h"
#include "TaskStatusChange.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString columns = QStringLiteral(
    "id, calendar_id, uid, etag, href, title, description, status, priority, percent_complete, "
    "due_date, start_date, completed_date, categories, parent_task_uid, sort_order, color, "
    "recurrence_rule, sequence, raw_icalendar, created, last_modified, sync_status, deleted_at, "
    "due_is_date_only, start_is_date_only, repeat_mode");

const QString fromDueDate = QStringLiteral("fromDueDate");

QString orDefault(const QString& text, const QString& fallback)
{
    return text.isEmpty() ? fallback : text;
}

// The positions of the title and the notes in contentValues().
constexpr qsizetype titleValue = 4;
constexpr qsizetype descriptionValue = 5;

// The task's fields in table order from calendar_id to raw_icalendar.
QVariantList contentValues(const Task& task)
{
    return {task.calendarId,
            StoreSql::notNull(task.uid),
            task.etag,
            task.href,
            StoreSql::notNull(task.title),
            task.description,
            StoreSql::notNull(task.status),
            task.priority,
            task.percentComplete,
            StoreTime::bindValue(task.dueDate),
            StoreTime::bindValue(task.startDate),
            StoreTime::bindValue(task.completedDate),
            TaskRepository::categoriesJson(task.categories),
            task.parentTaskUid,
            task.sortOrder,
            task.color,
            task.recurrenceRule,
            task.sequence,
            StoreSql::notNull(task.rawIcalendar)};
}

// The task's fields in table order from deleted_at to repeat_mode.
QVariantList trailingValues(const Task& task)
{
    return {StoreTime::bindValue(task.deletedAt), task.dueIsDateOnly ? 1 : 0,
            task.startIsDateOnly ? 1 : 0, orDefault(task.repeatMode, fromDueDate)};
}

} // namespace

TaskRepository::TaskRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database), m_changes(new ChangeCoalescer(this))
{
    connect(m_changes, &ChangeCoalescer::firedAll, this, &TaskRepository::tasksChangedIn);
    connect(m_changes, &ChangeCoalescer::fired, this, &TaskRepository::tasksChanged);
}

QList<Task> TaskRepository::getByCalendar(const QString& calendarId) const
{
    return list(QStringLiteral("SELECT %1 FROM tasks WHERE calendar_id = ? AND deleted_at IS "
                               "NULL ORDER BY due_date IS NULL, due_date, sort_order"),
                {calendarId});
}

std::optional<Task> TaskRepository::getById(const QString& id) const
{
    return one(QStringLiteral("SELECT %1 FROM tasks WHERE id = ?"), {id});
}

std::optional<Task> TaskRepository::getByUid(const QString& uid, const QString& calendarId) const
{
    return one(QStringLiteral("SELECT %1 FROM tasks WHERE uid = ? AND calendar_id = ?"),
               {uid, calendarId});
}

QList<Task> TaskRepository::getInRange(const QDateTime& from, const QDateTime& to,
                                       const QStringList& calendarIds) const
{
    // A list longer than one statement may bind is applied here instead of in SQL.
    const bool calendarsInSql =
        !calendarIds.isEmpty() && calendarIds.size() <= StoreSql::maxInListValues;
    const QSet<QString> wanted =
        calendarsInSql ? QSet<QString>() : QSet<QString>(calendarIds.begin(), calendarIds.end());
    QString sql = QStringLiteral(
        "SELECT %1 FROM tasks WHERE deleted_at IS NULL AND ((due_date IS NOT NULL AND due_date "
        ">= ? AND due_date < ?) OR (start_date IS NOT NULL AND start_date >= ? AND start_date "
        "< ?))");
    // The unary plus keeps SQLite off the calendar index, which would walk every task of the
    // calendars: the two date ranges are the narrow part of the question.
    if (calendarsInSql)
        sql += QStringLiteral(" AND +calendar_id IN (%1)")
                   .arg(StoreSql::placeholders(int(calendarIds.size()), u","));
    sql += QStringLiteral(" ORDER BY due_date, sort_order");

    // Stored times are UTC text, so the bounds are too: text order is then time order.
    const QVariant fromText = StoreTime::bindValue(from);
    const QVariant toText = StoreTime::bindValue(to);
    QVariantList values{fromText, toText, fromText, toText};
    if (calendarsInSql)
        values.append(QVariantList(calendarIds.begin(), calendarIds.end()));
    QList<Task> tasks;
    StoreSql::forEachRow(m_database->database(), sql.arg(columns), values,
                         [&](const QSqlQuery& query) {
                             Task task = fromQuery(query);
                             if (wanted.isEmpty() || wanted.contains(task.calendarId))
                                 tasks.append(std::move(task));
                         });
    return tasks;
}

QList<Task> TaskRepository::getPending(const QString& calendarId) const
{
    return list(QStringLiteral("SELECT %1 FROM tasks WHERE calendar_id = ? AND sync_status = "
                               "'pending' ORDER BY last_modified"),
                {calendarId});
}

bool TaskRepository::insert(const Task& task)
{
    const QVariantList values =
        QVariantList{task.id} + contentValues(task) +
        QVariantList{StoreTime::bindValue(task.created), StoreTime::bindValue(task.lastModified),
                     orDefault(task.syncStatus, QStringLiteral("synced"))} +
        trailingValues(task);
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral("INSERT INTO tasks (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                           "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                .arg(columns),
            values, "TaskRepository::insert"))
        return false;
    scheduleChanged(task.calendarId);
    return true;
}

bool TaskRepository::update(const Task& task)
{
    const QVariantList values =
        contentValues(task) +
        QVariantList{StoreTime::bindValue(StoreTime::now()),
                     orDefault(task.syncStatus, QStringLiteral("pending"))} +
        trailingValues(task) + QVariantList{task.id};
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral(
                "UPDATE tasks SET calendar_id = ?, uid = ?, etag = ?, href = ?, title = ?, "
                "description = ?, status = ?, priority = ?, percent_complete = ?, due_date = ?, "
                "start_date = ?, completed_date = ?, categories = ?, parent_task_uid = ?, "
                "sort_order = ?, color = ?, recurrence_rule = ?, sequence = ?, raw_icalendar = ?, "
                "last_modified = ?, sync_status = ?, deleted_at = ?, due_is_date_only = ?, "
                "start_is_date_only = ?, repeat_mode = ? WHERE id = ?"),
            values, "TaskRepository::update"))
        return false;
    scheduleChanged(task.calendarId);
    return true;
}

bool TaskRepository::remove(const QString& id)
{
    const QString calendarId = calendarOf(id);
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    if (!StoreSql::exec(m_database->database(),
                        QStringLiteral("UPDATE tasks SET deleted_at = ?, sync_status = 'pending', "
                                       "last_modified = ? WHERE id = ?"),
                        {now, now, id}, "TaskRepository::remove"))
        return false;
    scheduleChanged(calendarId);
    return true;
}

bool TaskRepository::hardDelete(const QString& id)
{
    const QString calendarId = calendarOf(id);
    if (!StoreSql::exec(m_database->database(), QStringLiteral("DELETE FROM tasks WHERE id = ?"),
                        {id}, "TaskRepository::hardDelete"))
        return false;
    scheduleChanged(calendarId);
    return true;
}

bool TaskRepository::markSynced(const QString& id, const QString& href, const QString& etag)
{
    return StoreSql::exec(
        m_database->database(),
        QStringLiteral("UPDATE tasks SET href = ?, etag = ?, sync_status = 'synced' WHERE id = ?"),
        {href, etag, id}, "TaskRepository::markSynced");
}

bool TaskRepository::setCompleted(const QString& id, bool completed)
{
    const std::optional<Task> stored = getById(id);
    if (!stored || stored->deletedAt)
        return false;
    Task task = *stored;
    const QDateTime now = StoreTime::now();
    const bool movedOn = completed && !task.isCompleted() && TaskRepeat::advance(task, now);
    if (!movedOn) {
        task = TaskStatusChange::withStatus(
            task, TaskStatusChange::afterCompletedToggle(task.status, completed), now);
    }
    return writeChanged(task);
}

bool TaskRepository::setStatus(const QString& id, const QString& status)
{
    if (status == QLatin1String("completed"))
        return setCompleted(id, true);
    const std::optional<Task> stored = getById(id);
    if (!stored || stored->deletedAt)
        return false;
    const Task task = TaskStatusChange::withStatus(*stored, status, StoreTime::now());
    if (task.status != status)
        return false;
    return writeChanged(task);
}

bool TaskRepository::writeChanged(Task task)
{
    task.sequence = PushCopy::nextSequence(task.sequence);
    task.syncStatus = QStringLiteral("pending");
    // The body a push sends must match the row, so it is rebuilt before the one write.
    task.rawIcalendar = Ical::buildTask(task);
    // As update(), but the title and the notes, which a status change never touches, are left
    // as stored rather than bound again: they may be a megabyte each.
    QVariantList values = contentValues(task);
    values.remove(descriptionValue);
    values.remove(titleValue);
    values += QVariantList{StoreTime::bindValue(StoreTime::now()), task.syncStatus} +
              trailingValues(task) + QVariantList{task.id};
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral(
                "UPDATE tasks SET calendar_id = ?, uid = ?, etag = ?, href = ?, status = ?, "
                "priority = ?, percent_complete = ?, due_date = ?, start_date = ?, "
                "completed_date = ?, categories = ?, parent_task_uid = ?, sort_order = ?, "
                "color = ?, recurrence_rule = ?, sequence = ?, raw_icalendar = ?, "
                "last_modified = ?, sync_status = ?, deleted_at = ?, due_is_date_only = ?, "
                "start_is_date_only = ?, repeat_mode = ? WHERE id = ?"),
            values, "TaskRepository::update"))
        return false;
    scheduleChanged(task.calendarId);
    return true;
}

void TaskRepository::scheduleChanged(const QString& calendarId)
{
    m_changes->schedule(calendarId);
}

bool TaskRepository::changePending() const
{
    return m_changes->isPending();
}

QString TaskRepository::categoriesJson(const QStringList& categories)
{
    return JsonList::fromStrings(categories);
}

QStringList TaskRepository::parseCategories(const QString& json)
{
    return JsonList::toStrings(json);
}

QList<Task> TaskRepository::list(const QString& sql, const QVariantList& values) const
{
    QList<Task> tasks;
    StoreSql::forEachRow(m_database->database(), sql.arg(columns), values,
                         [&tasks](const QSqlQuery& query) { tasks.append(fromQuery(query)); });
    return tasks;
}

std::optional<Task> TaskRepository::one(const QString& sql, const QVariantList& values) const
{
    const QList<Task> tasks = list(sql, values);
    if (tasks.isEmpty())
        return std::nullopt;
    return tasks.first();
}

QString TaskRepository::calendarOf(const QString& id) const
{
    QString calendarId;
    StoreSql::forEachRow(
        m_database->database(), QStringLiteral("SELECT calendar_id FROM tasks WHERE id = ?"), {id},
        [&calendarId](const QSqlQuery& query) { calendarId = query.value(0).toString(); });
    return calendarId;
}

Task TaskRepository::fromQuery(const QSqlQuery& query)
{
    Task task;
    task.id = query.value(0).toString();
    task.calendarId = query.value(1).toString();
    task.uid = query.value(2).toString();
    task.etag = query.value(3).toString();
    task.href = query.value(4).toString();
    task.title = query.value(5).toString();
    task.description = query.value(6).toString();
    task.status = query.value(7).toString();
    task.priority = query.value(8).toInt();
    task.percentComplete = query.value(9).toInt();
    task.dueDate = StoreTime::readOptional(query.value(10));
    task.startDate = StoreTime::readOptional(query.value(11));
    task.completedDate = StoreTime::readOptional(query.value(12));
    task.categories = parseCategories(query.value(13).toString());
    task.parentTaskUid = query.value(14).toString();
    task.sortOrder = query.value(15).toInt();
    task.color = query.value(16).toString();
    task.recurrenceRule = query.value(17).toString();
    task.sequence = query.value(18).toInt();
    task.rawIcalendar = query.value(19).toString();
    task.created = StoreTime::readTimestamp(query.value(20));
    task.lastModified = StoreTime::readTimestamp(query.value(21));
    task.syncStatus = query.value(22).toString();
    task.deletedAt = StoreTime::readOptional(query.value(23));
    task.dueIsDateOnly = query.value(24).toInt() != 0;
    task.startIsDateOnly = query.value(25).toInt() != 0;
    task.repeatMode = orDefault(query.value(26).toString(), fromDueDate);
    return task;
}
