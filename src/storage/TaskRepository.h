#pragma once

#include "Task.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

#include <optional>

class ChangeCoalescer;
class Database;
class QSqlQuery;

// The tasks (VTODO) in table `tasks`. Times are stored in UTC and read back in UTC; a date-only
// value is 00:00 UTC of its date. Mutators return false on failure and leave the row as it was.
// Changes are announced by tasksChanged, coalesced: one signal 150 ms after the last change.
class TaskRepository : public QObject
{
    Q_OBJECT

public:
    TaskRepository(Database* database, QObject* parent = nullptr);

    // Live tasks of a calendar: those with a due date first (by due date, then sort order), then
    // the others by sort order.
    QList<Task> getByCalendar(const QString& calendarId) const;
    // Removed tasks are found too.
    std::optional<Task> getById(const QString& id) const;
    std::optional<Task> getByUid(const QString& uid, const QString& calendarId) const;
    // Live tasks whose due or start date lies in [from, to), of the given calendars (all when
    // the list is empty). Completed tasks are included.
    QList<Task> getInRange(const QDateTime& from, const QDateTime& to,
                           const QStringList& calendarIds) const;
    // Pending rows of a calendar, removed ones included (they are the deletions to push).
    QList<Task> getPending(const QString& calendarId) const;

    // Writes the record with its own stamps; an empty sync status stores "synced".
    bool insert(const Task& task);
    // Rewrites the row with the record's id; `last_modified` becomes "now", an empty sync status
    // stores "pending". `created` is left alone.
    bool update(const Task& task);
    // Soft delete: the row stays, 'pending', until the sync has carried the deletion.
    bool remove(const QString& id);
    bool hardDelete(const QString& id);
    // Records a push; announces nothing. A failure is logged and returned.
    bool markSynced(const QString& id, const QString& href, const QString& etag);

    // Completes or reopens a task. Completing a repeating task that has a due or start date and
    // a next occurrence moves that date on and reopens it instead; a COUNT in its rule then
    // counts down, and the last occurrence completes it. The iCalendar text is rebuilt in the
    // same write. Reopening changes only a completed task. False when there is no such live task
    // or the write fails.
    bool setCompleted(const QString& id, bool completed);
    // Gives the task that status ("completed" as setCompleted does), with the completion date
    // and percentage that go with it, and rebuilds its iCalendar text in the same write. False
    // for an unknown status, a removed or missing task, or a failed write.
    bool setStatus(const QString& id, const QString& status);

    // Announces a change made by other means (own SQL, bulk removal); the id may be empty.
    void scheduleChanged(const QString& calendarId);
    // True while a change waits for its coalesced tasksChanged.
    bool changePending() const;

    // Compact JSON array text of the categories, "[]" when empty.
    static QString categoriesJson(const QStringList& categories);
    // The strings of a JSON array, in order (a non-string element gives an empty entry); text
    // that is not a JSON array gives an empty list.
    static QStringList parseCategories(const QString& json);

Q_SIGNALS:
    void tasksChanged(const QString& calendarId);
    // Right before it: every calendar of the coalesced burst, each once (the one above names only
    // the latest).
    void tasksChangedIn(const QStringList& calendarIds);

private:
    // The tasks of the SELECT `sql` (its %1 stands for the columns) with `values` bound.
    QList<Task> list(const QString& sql, const QVariantList& values) const;
    // The first row of `sql`.
    std::optional<Task> one(const QString& sql, const QVariantList& values) const;
    QString calendarOf(const QString& id) const;
    // Writes a changed task as a local edit to push: next sequence, iCalendar text rebuilt from
    // the record and what its stored text holds beyond it.
    bool writeChanged(Task task);
    static Task fromQuery(const QSqlQuery& query);

    Database* m_database;
    ChangeCoalescer* m_changes;
};
