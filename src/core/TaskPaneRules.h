#pragma once

#include "Task.h"
#include "TaskTree.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

// The rules of the tasks pane: sibling order, the filter, drop zones and where a dropped task
// lands among its new siblings. Pure; the pane and its rows carry them out.
namespace TaskPaneRules {

enum Filter { AllTasks = 0, DueToday = 1, DueThisWeek = 2, Overdue = 3 };
enum DropZone { NoZone = 0, Above = 1, Into = 2, Below = 3 };

// The stored word of a filter and back; an unknown word reads as all tasks.
int filterFromWord(const QString& word);
QString filterWord(int filter);

// Open before completed, then priority (none last), then due date (none last), then title.
bool taskOrder(const Task& a, const Task& b);
// taskOrder behind the manual positions: the order the pane shows siblings in.
TaskTree::Comparator siblingOrder();

// Whether the pane lists the task (a due date counts on its day as the card shows it). `kept` holds
// the completed tasks that stay visible with hideCompleted on because their tree still holds open
// work.
bool passesFilter(const Task& task, const QDate& today, int filter, bool hideCompleted,
                  const QSet<QString>& kept);

// Zone of a y position in a row of the given height: the top and bottom quarters place the
// task above or below, the middle makes it a subtask.
int dropZoneAt(int y, int height);

// Where a task dropped beside the sibling at targetIndex lands. `orders` are the sort orders of
// the new siblings (the dropped task left out) in the order the pane shows them. When no value
// fits strictly between the neighbours, the siblings are renumbered first: `renumbered` then
// holds their new orders, index for index (empty when nothing is renumbered). Unplaced siblings
// (order 0) after the slot keep 0 there: they sort after every placed one as they are.
struct Placement
{
    QList<int> renumbered;
    int sortOrder = 0;
};
Placement placeBeside(const QList<int>& orders, int targetIndex, int zone);

// The parent of a task dropped above or below `target`: the target's parent when the target is
// drawn nested under it and that parent is one of `calendarTasks` (the live tasks of the target's
// calendar); otherwise none, so the task lands at the top level beside a target drawn there.
QString parentBeside(const Task& target, bool drawnUnderParent, const QList<Task>& calendarTasks);
// The live tasks of `calendarTasks` whose parent is `parentUid` (none: the roots), and the target
// wherever it belongs, in the order the pane shows them, the dropped task (`draggedId`) left out.
// A target missing from `calendarTasks` is not among them.
QList<Task> siblingsBeside(const QList<Task>& calendarTasks, const Task& target,
                           const QString& parentUid, const QString& draggedId);
// What a drop of `dragged` above or below `target` writes, in order: the siblings a renumbering
// gives another order, then the dropped task with its new parent and order unless it already
// had both. Only tasks stored under the new parent are renumbered, never the target drawn beside
// them by a filter or for want of its parent, nor an orphan. Nothing when the target is not among
// `calendarTasks` or the zone is not above or below.
QList<Task> dropBeside(const QList<Task>& calendarTasks, const Task& dragged, const Task& target,
                       bool drawnUnderParent, int zone);

// "Today", "Tomorrow", "Yesterday" or "MMM d, yyyy" of the day of a task date (a date-only value
// is its own date in every zone, a timed one its local date); never a time of day.
QString formatTaskDate(const QDateTime& when, bool dateOnly, const QDate& today);

} // namespace TaskPaneRules
