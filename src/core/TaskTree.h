#pragma once

#include "Task.h"
#include "TreeTask.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// The task hierarchy (a task names its parent by uid) flattened for display.
//
// Whatever the data, every task appears exactly once: a task's parent is the first other task
// in the list with that uid; a missing parent, or the task itself, makes it top-level; in a
// parent cycle the member that comes first in the list becomes top-level. No recursion, so a
// chain of any depth is safe.
namespace TaskTree {

// True when the first task goes before the second; may be empty (input order).
using Comparator = std::function<bool(const Task&, const Task&)>;

// Pre-order rows: each task followed by its children (siblings ordered by the comparator, stable
// for ties), with depth 0 for top-level tasks.
QList<TreeTask> flatten(const QList<Task>& tasks, const Comparator& comparator);

// Tasks placed by hand (sortOrder other than 0) first, by sortOrder; the others by the fallback.
Comparator withManualSortOrder(Comparator fallback);

// Uids of the completed tasks of every tree that still holds an open task.
QSet<QString> completedKeptByActiveTree(const QList<Task>& tasks);

} // namespace TaskTree
