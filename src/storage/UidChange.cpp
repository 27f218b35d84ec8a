#include "UidChange.h"

#include "CalDavBody.h"
#include "Database.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Ical.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "TaskRepository.h"

#include <QSqlQuery>
#include <QVariant>

UidChange::UidChange(EventRepository* events, TaskRepository* tasks,
                     FilterRuleRepository* filterRules)
    : m_events(events), m_tasks(tasks), m_filterRules(filterRules)
{
}

bool UidChange::event(const QString& calendarId, const QString& from, const QString& to)
{
    if (!m_events || from == to)
        return m_events != nullptr;
    QSqlDatabase db = m_events->database()->database();
    Savepoint write(db);
    if (!write.isActive())
        return false;
    struct Row
    {
        QString id;
        QString uid;
        QString masterUid;
        bool occurrence = false;
        QString text;
    };
    QList<Row> rows;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT id, uid, COALESCE(master_event_uid, ''), COALESCE(recurrence_id, ''), "
        "raw_icalendar FROM events WHERE calendar_id = ? AND (uid = ? OR master_event_uid = ?)"));
    query.addBindValue(calendarId);
    query.addBindValue(from);
    query.addBindValue(from);
    if (!query.exec()) {
        StoreSql::logFailure("UidChange::event", query.lastError());
        return false;
    }
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString(),
                     query.value(2).toString(), !query.value(3).toString().isEmpty(),
                     query.value(4).toString()});
    query.finish();
    for (const Row& row : std::as_const(rows)) {
        // An occurrence is one resource with its series: it takes the series' UID too.
        const bool renamed = row.uid == from || (row.occurrence && row.masterUid == from);
        const QString uid = renamed ? to : row.uid;
        const QString masterUid = row.masterUid == from ? to : row.masterUid;
        if (!StoreSql::exec(db,
                            QStringLiteral("UPDATE events SET uid = ?, master_event_uid = ?, "
                                           "raw_icalendar = ? WHERE id = ?"),
                            {uid, masterUid.isEmpty() ? QVariant() : QVariant(masterUid),
                             renamed ? CalDavBody::withUid(row.text, to) : row.text, row.id},
                            "UidChange::event"))
            return false;
    }
    // A rule made for the event names it by UID; other devices learn the new one from the
    // configuration sync, as of a rule edited here.
    if (m_filterRules) {
        for (FilterRule rule : m_filterRules->getAll()) {
            if (rule.eventCalendarId != calendarId || rule.eventUid != from)
                continue;
            rule.eventUid = to;
            rule.syncStatus = QStringLiteral("pending");
            if (!m_filterRules->update(rule))
                return false;
        }
    }
    if (!write.commit())
        return false;
    m_events->noteUidChange(calendarId, from, to);
    m_events->scheduleChanged(calendarId);
    return true;
}

std::optional<QStringList> UidChange::task(const QString& calendarId, const QString& from,
                                           const QString& to)
{
    if (!m_tasks || !m_events)
        return std::nullopt;
    if (from == to)
        return QStringList();
    QSqlDatabase db = m_events->database()->database();
    Savepoint write(db);
    if (!write.isActive())
        return std::nullopt;
    QList<std::pair<QString, QString>> rows; // id, stored text
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT id, raw_icalendar FROM tasks WHERE calendar_id = ? AND uid = ?"));
    query.addBindValue(calendarId);
    query.addBindValue(from);
    if (!query.exec()) {
        StoreSql::logFailure("UidChange::task", query.lastError());
        return std::nullopt;
    }
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString()});
    query.finish();
    for (const auto& [id, text] : std::as_const(rows)) {
        if (!StoreSql::exec(
                db, QStringLiteral("UPDATE tasks SET uid = ?, raw_icalendar = ? WHERE id = ?"),
                {to, CalDavBody::withUid(text, to), id}, "UidChange::task"))
            return std::nullopt;
    }
    // Subtasks name their parent by UID: they go out again naming the new one.
    QStringList subtasks;
    for (Task child : m_tasks->getByCalendar(calendarId)) {
        if (child.parentTaskUid != from)
            continue;
        child.parentTaskUid = to;
        child.syncStatus = QStringLiteral("pending");
        child.rawIcalendar = Ical::buildTask(child);
        if (!m_tasks->update(child))
            return std::nullopt;
        subtasks.append(child.uid);
    }
    if (!write.commit())
        return std::nullopt;
    m_tasks->scheduleChanged(calendarId);
    return subtasks;
}
