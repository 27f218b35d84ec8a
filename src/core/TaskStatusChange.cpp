#include "TaskStatusChange.h"

#include "TaskDetailsText.h"

namespace TaskStatusChange {

namespace {

const QString completedStatus = QStringLiteral("completed");
const QString cancelledStatus = QStringLiteral("cancelled");
const QString needsActionStatus = QStringLiteral("needs-action");
const QString inProcessStatus = QStringLiteral("in-process");

} // namespace

Task withStatus(const Task& task, const QString& status, const QDateTime& now)
{
    if (status != completedStatus && status != cancelledStatus && status != needsActionStatus &&
        status != inProcessStatus)
        return task;
    Task changed = task;
    changed.status = status;
    if (status == completedStatus) {
        changed.completedDate = now;
        changed.percentComplete = 100;
        return changed;
    }
    changed.completedDate.reset();
    if (status == needsActionStatus || (task.isCompleted() && task.percentComplete >= 100))
        changed.percentComplete = 0;
    return changed;
}

QString afterCompletedToggle(const QString& status, bool completed)
{
    if (completed)
        return completedStatus;
    return status == completedStatus ? needsActionStatus : status;
}

bool isOverdue(const Task& task, const QDate& today)
{
    if (!task.dueDate || task.isCompleted() || task.status == cancelledStatus)
        return false;
    return TaskDetailsText::dayOf(*task.dueDate, task.dueIsDateOnly) < today;
}

} // namespace TaskStatusChange
