#include "TaskMove.h"

#include <QSet>

namespace TaskMove {

namespace {

Task tombstoneOf(const Task& stored, const QDateTime& now, const IdSource& newId)
{
    Task tombstone = stored;
    tombstone.id = newId();
    tombstone.deletedAt = now;
    tombstone.lastModified = now;
    tombstone.syncStatus = QStringLiteral("pending");
    return tombstone;
}

Task leaving(Task task, const QString& calendarId)
{
    task.calendarId = calendarId;
    task.href.clear();
    task.etag.clear();
    task.syncStatus = QStringLiteral("pending");
    return task;
}

} // namespace

Plan move(const Task& edited, const Task& stored, const QList<Task>& oldCalendarTasks,
          const QList<Task>& targetRows, const QDateTime& now, const IdSource& newId)
{
    Plan plan;
    if (edited.calendarId == stored.calendarId)
        return plan;
    const QString target = edited.calendarId;
    auto leave = [&](const Task& moved, const Task& before) {
        Task arriving = leaving(moved, target);
        for (const Task& row : targetRows) {
            if (row.uid != moved.uid || row.id == moved.id || plan.purges.contains(row.id))
                continue;
            if (!row.deletedAt) {
                plan.refused = true;
                continue;
            }
            arriving.href = row.href;
            arriving.etag = row.etag;
            plan.purges.append(row.id);
        }
        plan.updates.append(arriving);
        if (!before.href.isEmpty())
            plan.inserts.append(tombstoneOf(before, now, newId));
    };
    leave(edited, stored);

    // Breadth first over the parent links; a UID seen once is not followed again, so a cycle in
    // server data cannot loop.
    QSet<QString> seen{stored.uid};
    QStringList parents{stored.uid};
    while (!parents.isEmpty()) {
        const QString parentUid = parents.takeFirst();
        for (const Task& child : oldCalendarTasks) {
            if (child.deletedAt || child.id == stored.id || child.parentTaskUid != parentUid ||
                child.uid.isEmpty() || seen.contains(child.uid))
                continue;
            seen.insert(child.uid);
            parents.append(child.uid);
            leave(child, child);
        }
    }
    if (plan.refused)
        return Plan{{}, {}, {}, true};
    return plan;
}

} // namespace TaskMove
