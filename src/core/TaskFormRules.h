#pragma once

#include "Task.h"

#include <QDateTime>
#include <optional>

// What the task form shows for a stored task and what it writes back, as pure functions: the
// priority choice, the completed box and the order of start and due date.
namespace TaskFormRules {

// The priority choice (0 none, 1 high, 5 medium, 9 low) that shows a stored priority: 0 or less
// none, 1 to 3 high, 4 to 6 medium, 7 and more low.
int priorityChoice(int stored);

// The priority to store when the form shows `chosen`: the stored value while the choice is still
// the one that shows it (the choices are coarser than the stored range, so an untouched 2 stays 2),
// else the choice.
int priorityToSave(int stored, int chosen);

// Applies the completed box to `task`. Ticked: completed, 100 %, and a completion date of `now`
// unless one is kept already. Unticked: only a completed task reopens (needs-action, 0 %, no
// completion date); a task in process or cancelled keeps its status.
void applyCompleted(Task& task, bool checked, const QDateTime& now);

// True when both dates are given and the start lies after the due date. A date-only value
// (00:00 UTC of its date) stands for its whole day: against it only the other's date counts, a
// timed value's in the machine's zone, so that a start at 9:00 on the due day is not after it.
bool startAfterDue(const std::optional<QDateTime>& start, bool startDateOnly,
                   const std::optional<QDateTime>& due, bool dueDateOnly);

} // namespace TaskFormRules
