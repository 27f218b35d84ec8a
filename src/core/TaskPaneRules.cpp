#include "TaskPaneRules.h"

#include "DateLanguage.h"
#include "TaskDetailsText.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace TaskPaneRules {

namespace {

// The gap left between hand-placed siblings, so most drops find room without renumbering.
constexpr std::int64_t orderStep = 10000;
constexpr std::int64_t orderMax = std::numeric_limits<int>::max();

// A stored order strictly between the neighbours (each absent when the drop is at that end), or
// nothing when there is no room. 0 means "not placed by hand", so an unplaced neighbour before
// the slot leaves no room (unplaced tasks sort after every placed one), and an unplaced
// neighbour after it bounds nothing.
std::optional<int> slotBetween(std::optional<int> before, std::optional<int> after)
{
    if (before && *before == 0)
        return std::nullopt;
    const bool afterBounds = after && *after != 0;
    if (!before) {
        if (!afterBounds)
            return int(orderStep);
        // Stay positive: a task placed above the first keeps the numbers readable.
        const std::int64_t hi = *after;
        if (hi < 2)
            return std::nullopt;
        return int(std::max<std::int64_t>(1, hi - orderStep));
    }
    const std::int64_t lo = *before;
    if (!afterBounds) {
        const std::int64_t n = lo + orderStep;
        if (n > orderMax || n == 0)
            return std::nullopt;
        return int(n);
    }
    const std::int64_t hi = *after;
    if (hi - lo < 2)
        return std::nullopt;
    std::int64_t n = lo + (hi - lo) / 2;
    if (n == 0)
        n = (1 < hi) ? 1 : -1;
    if (n <= lo || n >= hi)
        return std::nullopt;
    return int(n);
}

std::optional<int> slotBeside(const QList<int>& orders, int targetIndex, int zone)
{
    const int before = zone == Above ? targetIndex - 1 : targetIndex;
    const int after = before + 1;
    const auto at = [&orders](int index) -> std::optional<int> {
        if (index < 0 || index >= orders.size())
            return std::nullopt;
        return orders[index];
    };
    return slotBetween(at(before), at(after));
}

} // namespace

int filterFromWord(const QString& word)
{
    if (word == QLatin1String("today"))
        return DueToday;
    if (word == QLatin1String("thisweek"))
        return DueThisWeek;
    if (word == QLatin1String("overdue"))
        return Overdue;
    return AllTasks;
}

QString filterWord(int filter)
{
    switch (filter) {
    case DueToday:
        return QStringLiteral("today");
    case DueThisWeek:
        return QStringLiteral("thisweek");
    case Overdue:
        return QStringLiteral("overdue");
    default:
        return QStringLiteral("all");
    }
}

bool taskOrder(const Task& a, const Task& b)
{
    if (a.isCompleted() != b.isCompleted())
        return !a.isCompleted();
    const int pa = a.priority == 0 ? 100 : a.priority;
    const int pb = b.priority == 0 ? 100 : b.priority;
    if (pa != pb)
        return pa < pb;
    if (a.dueDate.has_value() != b.dueDate.has_value())
        return a.dueDate.has_value();
    if (a.dueDate)
        return *a.dueDate < *b.dueDate;
    return QString::localeAwareCompare(a.title, b.title) < 0;
}

TaskTree::Comparator siblingOrder()
{
    return TaskTree::withManualSortOrder(&taskOrder);
}

bool passesFilter(const Task& task, const QDate& today, int filter, bool hideCompleted,
                  const QSet<QString>& kept)
{
    if (hideCompleted) {
        if (task.status == QLatin1String("cancelled"))
            return false;
        if (task.isCompleted() && !kept.contains(task.uid))
            return false;
    }
    if (filter == AllTasks || filter < AllTasks || filter > Overdue)
        return true;
    if (!task.dueDate)
        return false;
    const QDate due = TaskDetailsText::dayOf(*task.dueDate, task.dueIsDateOnly);
    switch (filter) {
    case DueToday:
        return due == today;
    case DueThisWeek:
        return today <= due && due < today.addDays(7);
    default:
        return due < today;
    }
}

int dropZoneAt(int y, int height)
{
    if (height < 1)
        return Into;
    if (y < height / 4)
        return Above;
    if (y > height - height / 4)
        return Below;
    return Into;
}

Placement placeBeside(const QList<int>& orders, int targetIndex, int zone)
{
    Placement placement;
    if (const std::optional<int> slot = slotBeside(orders, targetIndex, zone)) {
        placement.sortOrder = *slot;
        return placement;
    }
    // The siblings placed by hand, and the unplaced ones up to the slot, which the dropped task
    // must follow, take even steps; unplaced ones after the slot sort after every placed task
    // anyway and keep their 0, so nothing is written for them.
    const int lastBefore = zone == Above ? targetIndex - 1 : targetIndex;
    const auto numbered = [&](qsizetype i) { return orders[i] != 0 || i <= lastBefore; };
    std::int64_t count = 0;
    for (qsizetype i = 0; i < orders.size(); ++i)
        count += numbered(i) ? 1 : 0;
    // Narrower than 10000 apart only for lists too long for it.
    const std::int64_t step = std::min<std::int64_t>(orderStep, orderMax / (count + 2));
    std::int64_t next = 0;
    for (qsizetype i = 0; i < orders.size(); ++i)
        placement.renumbered.append(numbered(i) ? int(step * ++next) : 0);
    placement.sortOrder = slotBeside(placement.renumbered, targetIndex, zone).value_or(int(step));
    return placement;
}

QString parentBeside(const Task& target, bool drawnUnderParent, const QList<Task>& calendarTasks)
{
    if (!drawnUnderParent || target.parentTaskUid.isEmpty())
        return {};
    for (const Task& task : calendarTasks) {
        if (task.uid == target.parentTaskUid && task.id != target.id && !task.deletedAt)
            return task.uid;
    }
    return {};
}

QList<Task> siblingsBeside(const QList<Task>& calendarTasks, const Task& target,
                           const QString& parentUid, const QString& draggedId)
{
    QList<Task> siblings;
    for (const Task& task : calendarTasks) {
        if (task.id == draggedId || task.deletedAt)
            continue;
        if (task.id == target.id || task.parentTaskUid == parentUid)
            siblings.append(task);
    }
    std::sort(siblings.begin(), siblings.end(), siblingOrder());
    return siblings;
}

QList<Task> dropBeside(const QList<Task>& calendarTasks, const Task& dragged, const Task& target,
                       bool drawnUnderParent, int zone)
{
    if (zone != Above && zone != Below)
        return {};
    const QString parentUid = parentBeside(target, drawnUnderParent, calendarTasks);
    const QList<Task> siblings = siblingsBeside(calendarTasks, target, parentUid, dragged.id);
    qsizetype index = -1;
    QList<int> orders;
    for (qsizetype i = 0; i < siblings.size(); ++i) {
        if (siblings[i].id == target.id)
            index = i;
        orders.append(siblings[i].sortOrder);
    }
    if (index < 0)
        return {};
    const Placement placement = placeBeside(orders, int(index), zone);
    QList<Task> written;
    for (qsizetype i = 0; i < placement.renumbered.size(); ++i) {
        // The target stands in the list only to mark the place; drawn beside these siblings by a
        // filter or for want of its parent, it belongs elsewhere and keeps its order.
        const Task& sibling = siblings[i];
        if (sibling.parentTaskUid != parentUid || sibling.sortOrder == placement.renumbered[i])
            continue;
        Task renumbered = sibling;
        renumbered.sortOrder = placement.renumbered[i];
        written.append(renumbered);
    }
    if (dragged.parentTaskUid != parentUid || dragged.sortOrder != placement.sortOrder) {
        Task dropped = dragged;
        dropped.parentTaskUid = parentUid;
        dropped.sortOrder = placement.sortOrder;
        written.append(dropped);
    }
    return written;
}

QString formatTaskDate(const QDateTime& when, bool dateOnly, const QDate& today)
{
    const QDate day = TaskDetailsText::dayOf(when, dateOnly);
    const QString word = TaskDetailsText::dayWord(day, today);
    return word.isEmpty() ? DateLanguage::format(day, QStringLiteral("MMM d, yyyy")) : word;
}

} // namespace TaskPaneRules
