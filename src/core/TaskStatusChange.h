#pragma once

#include "Task.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// How a task's status, completion date and percentage move together. A VTODO that carries a
// COMPLETED time must say STATUS:COMPLETED, so every status change goes through here before the
// row (and the iCalendar text rebuilt from it) is written.
namespace TaskStatusChange {

// The record with `status` ("needs-action", "in-process", "completed", "cancelled"). Becoming
// completed stamps `now` (completing again renews the stamp) and 100 %; any other status clears
// the completion date, and leaving completed drops the 100 % (needs-action is always 0 %).
// An unknown status leaves the record as it was.
Task withStatus(const Task& task, const QString& status, const QDateTime& now);

// The status after the "completed" check is set or cleared: clearing it reopens only a
// completed task (to needs-action); an in-process or cancelled task keeps its status.
QString afterCompletedToggle(const QString& status, bool completed);

// Open (neither completed nor cancelled) and due on a day before `today`. A date-only due date
// is its stored date; a timed one is judged by its local date.
bool isOverdue(const Task& task, const QDate& today);

} // namespace TaskStatusChange
