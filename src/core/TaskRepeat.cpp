#include "TaskRepeat.h"

#include "Recurrence.h"
#include "RecurrenceRule.h"

#include <QTimeZone>

#include <algorithm>

namespace TaskRepeat {

bool advance(Task& task, const QDateTime& now)
{
    if (task.recurrenceRule.isEmpty())
        return false;
    const bool movesDue = task.dueDate.has_value();
    if (!movesDue && !task.startDate)
        return false;
    const QDateTime current = movesDue ? *task.dueDate : *task.startDate;
    const bool dateOnly = movesDue ? task.dueIsDateOnly : task.startIsDateOnly;

    RecurrenceRule rule = RecurrenceRule::parse(task.recurrenceRule);
    // The occurrence being completed is the last one the COUNT allows.
    if (rule.count == 1)
        return false;
    const int remaining = rule.count > 1 ? rule.count - 1 : 0;
    // The count is kept here, so the search must not stop at the rule's own.
    rule.count = 0;

    const QTimeZone local = QTimeZone::systemTimeZone();
    QDateTime base;
    if (task.repeatMode == QLatin1String("fromCompletionDate"))
        base = now.toTimeZone(local);
    else if (dateOnly)
        base = current.toUTC();
    else
        base = current.toTimeZone(local);
    if (!base.isValid())
        return false;

    const QList<QDateTime> starts = Recurrence::generateStarts(rule, base, base.addYears(5));
    const auto found = std::find_if(starts.cbegin(), starts.cend(),
                                    [&base](const QDateTime& start) { return start > base; });
    if (found == starts.cend())
        return false;
    // A date-only value is a calendar date: its date in the zone it was stepped in, kept as
    // 00:00 UTC like every stored date.
    const QDateTime next =
        dateOnly ? QDateTime(found->date(), QTime(0, 0), QTimeZone::utc()) : found->toUTC();

    if (movesDue)
        task.dueDate = next;
    else
        task.startDate = next;
    if (remaining > 0)
        task.recurrenceRule = rule.withCount(remaining);
    task.status = QStringLiteral("needs-action");
    task.completedDate.reset();
    task.percentComplete = 0;
    return true;
}

} // namespace TaskRepeat
