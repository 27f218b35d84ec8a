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
// fits strictly between the neighbours, every sibling is renumbered first: `renumbered` then
// holds their new orders, index for index (empty when nothing is renumbered).
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
// The tasks of `calendarTasks` a task dropped beside `target` lands among under `parentUid`, in
// the order the pane shows them, the dropped task (`draggedId`) left out. At the top level these
// are the tasks without a parent among `calendarTasks`, which the tree draws there, and the
// target itself; a target missing from `calendarTasks` is not among them.
QList<Task> siblingsBeside(const QList<Task>& calendarTasks, const Task& target,
                           const QString& parentUid, const QString& draggedId);

// "Today", "Tomorrow", "Yesterday" or "MMM d, yyyy" of the day of a task date (a date-only value
// is its own date in every zone, a timed one its local date); never a time of day.
QString formatTaskDate(const QDateTime& when, bool dateOnly, const QDate& today);

} // namespace TaskPaneRules
