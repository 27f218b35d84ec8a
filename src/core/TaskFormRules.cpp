#include "TaskFormRules.h"

namespace TaskFormRules {

int priorityChoice(int stored)
{
    if (stored <= 0)
        return 0;
    if (stored <= 3)
        return 1;
    if (stored <= 6)
        return 5;
    return 9;
}

int priorityToSave(int stored, int chosen)
{
    return priorityChoice(stored) == chosen ? stored : chosen;
}

void applyCompleted(Task& task, bool checked, const QDateTime& now)
{
    if (checked) {
        task.status = QStringLiteral("completed");
        task.percentComplete = 100;
        if (!task.completedDate)
            task.completedDate = now;
        return;
    }
    if (!task.isCompleted())
        return;
    task.status = QStringLiteral("needs-action");
    task.percentComplete = 0;
    task.completedDate.reset();
}

bool startAfterDue(const std::optional<QDateTime>& start, bool startDateOnly,
                   const std::optional<QDateTime>& due, bool dueDateOnly)
{
    if (!start || !due || !start->isValid() || !due->isValid())
        return false;
    if (!startDateOnly && !dueDateOnly)
        return *start > *due;
    const auto day = [](const QDateTime& moment, bool dateOnly) {
        return dateOnly ? moment.toUTC().date() : moment.toLocalTime().date();
    };
    return day(*start, startDateOnly) > day(*due, dueDateOnly);
}

} // namespace TaskFormRules
