#pragma once

#include "Task.h"

#include <QDateTime>

// How a repeating task moves on when it is completed.
namespace TaskRepeat {

// Moves the task's due date (or, without one, its start date) to the next occurrence of its rule
// and reopens it: "needs-action", no completion time, percent 0. The base is the current date in
// mode "fromCompletionDate", else the date being moved. A date-only value stays a date (00:00 UTC);
// a timed one keeps its wall-clock time in the machine's zone across DST changes. A COUNT in the
// rule counts the occurrences left, the current one included, and is lowered by one.
// Returns false and leaves the task unchanged when there is no rule, no due or start date, or no
// next occurrence (COUNT or UNTIL reached, none within five years): the task is then completed.
bool advance(Task& task, const QDateTime& now);

} // namespace TaskRepeat
