#include "TasksPaneContent.h"

#include "AccountRepository.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "TaskPaneRules.h"
#include "TaskRepository.h"
#include "ViewCalendars.h"
#include "ViewRepository.h"

#include <algorithm>

namespace {

const QString neutralColour = QStringLiteral("#9aa0a6");

// Row shapes: rows of one shape are laid out alike and differ in height only where a text wraps.
enum Shape {
    headerShape = 0,
    // + 1 a meta line, + 2 chips on it, + 4 notes, + 8 categories, + 16 a colour stripe
    taskShape = 1,
};

quint64 taskKey(const TreeTask& row, const QString& stripe, bool showNotes, bool showCategories,
                size_t seed)
{
    // Everything a row shows or acts on: a kept row is never out of date.
    const Task& task = row.task;
    return qHashMulti(seed, 't', task.id, task.calendarId, task.uid, task.parentTaskUid, task.title,
                      task.description, task.status, task.priority,
                      task.dueDate.value_or(QDateTime()), task.dueIsDateOnly,
                      task.startDate.value_or(QDateTime()), task.startIsDateOnly, task.categories,
                      row.depth, stripe, showNotes, showCategories);
}

// What the list sorts, filters and shows of a task. Every action reads the task afresh, so the
// rest (the stored iCalendar text above all) would only multiply what thousands of rows hold.
Task listedPart(const Task& stored)
{
    Task task;
    task.id = stored.id;
    task.calendarId = stored.calendarId;
    task.uid = stored.uid;
    task.title = stored.title;
    task.description = stored.description;
    task.status = stored.status;
    task.priority = stored.priority;
    task.dueDate = stored.dueDate;
    task.startDate = stored.startDate;
    task.dueIsDateOnly = stored.dueIsDateOnly;
    task.startIsDateOnly = stored.startIsDateOnly;
    task.categories = stored.categories;
    task.parentTaskUid = stored.parentTaskUid;
    task.sortOrder = stored.sortOrder;
    return task;
}

quint8 shapeOf(const Task& task, const QString& stripe, bool showNotes, bool showCategories)
{
    const bool chips =
        !task.isCompleted() && (task.status == QLatin1String("in-process") ||
                                task.status == QLatin1String("cancelled") || task.priority > 0);
    const bool meta = chips || task.dueDate || task.startDate;
    const bool notes = showNotes && !task.description.trimmed().isEmpty();
    const bool categories =
        showCategories && std::any_of(task.categories.cbegin(), task.categories.cend(),
                                      [](const QString& c) { return !c.trimmed().isEmpty(); });
    return quint8(taskShape + (meta ? 1 : 0) + (chips ? 2 : 0) + (notes ? 4 : 0) +
                  (categories ? 8 : 0) + (stripe.isEmpty() ? 0 : 16));
}

} // namespace

TasksPaneContent TasksPaneContent::read(const Request& request,
                                        const StoreReader::Repositories& store)
{
    TasksPaneContent content;
    content.filterMode = request.filterMode;
    content.showNotes = request.showNotes;
    content.showCategories = request.showCategories;
    if (!store.calendars || !store.tasks)
        return content;
    const QList<Calendar> calendars = store.calendars->getAll();
    if (calendars.isEmpty())
        return content;
    content.noCalendars = false;

    QHash<QString, QList<Task>> tasksOf;
    const auto tasksOfCalendar = [&](const QString& calendarId) -> const QList<Task>& {
        auto it = tasksOf.find(calendarId);
        if (it == tasksOf.end()) {
            QList<Task> tasks = store.tasks->getByCalendar(calendarId);
            for (Task& task : tasks)
                task = listedPart(task);
            it = tasksOf.insert(calendarId, std::move(tasks));
        }
        return *it;
    };
    if (request.hideCompleted) {
        QList<Task> visible;
        for (const Calendar& calendar : calendars) {
            if (calendar.isVisible)
                visible += tasksOfCalendar(calendar.id);
        }
        content.keptCompletedUids = TaskTree::completedKeptByActiveTree(visible);
    }

    // The active group's calendars by the rule every view follows; the pane lists only the
    // visible ones among them.
    const std::optional<CalendarView> view =
        store.views ? store.views->getById(request.activeViewId) : std::nullopt;
    const QStringList groupIds = ViewCalendars::ids(view, calendars);
    const QSet<QString> shownIds(groupIds.cbegin(), groupIds.cend());

    const TaskTree::Comparator order = TaskPaneRules::siblingOrder();
    const auto passing = [&](const Calendar& calendar) {
        QList<Task> result;
        for (const Task& task : tasksOfCalendar(calendar.id)) {
            if (TaskPaneRules::passesFilter(task, request.today, request.filterMode,
                                            request.hideCompleted, content.keptCompletedUids))
                result.append(task);
        }
        return result;
    };

    // "Today" and "Tomorrow" move with the day.
    const size_t seed = qHash(request.today);
    // The rows of one flattened tree; each remembers the row it is drawn under, the last row
    // above it one level up.
    const auto addTree = [&](const QList<TreeTask>& tree, const auto& stripeOf) {
        QVector<int> lastAtDepth;
        for (const TreeTask& row : tree) {
            const int index = int(content.tasks.size());
            const QString stripe = stripeOf(row.task);
            const int drawnParent =
                row.depth > 0 && row.depth <= lastAtDepth.size() ? lastAtDepth[row.depth - 1] : -1;
            lastAtDepth.resize(row.depth + 1);
            lastAtDepth[row.depth] = index;
            content.tasks.append({row, stripe, drawnParent});
            content.taskIndex.insert(row.task.id, index);
            content.rows.append({RowKind::Task, index});
            content.keys.append(
                taskKey(row, stripe, request.showNotes, request.showCategories, seed));
            content.shapes.append(
                shapeOf(row.task, stripe, request.showNotes, request.showCategories));
        }
    };

    QList<Task> flat;
    QHash<QString, QString> colourOf;
    for (const Calendar& calendar : calendars) {
        if (!calendar.isVisible || !shownIds.contains(calendar.id))
            continue;
        const QList<Task> shown = passing(calendar);
        if (!request.groupByCalendar) {
            flat += shown;
            colourOf.insert(calendar.id, calendar.color);
            continue;
        }
        if (shown.isEmpty())
            continue;
        QString title = calendar.name;
        const std::optional<Account> account =
            store.accounts ? store.accounts->getById(calendar.accountId) : std::nullopt;
        if (account && !account->name.isEmpty())
            title = QStringLiteral("%1 / %2").arg(account->name, calendar.name);
        const QList<TreeTask> tree = TaskTree::flatten(shown, order);
        const int header = int(content.headers.size());
        content.headers.append({title, calendar.color, int(tree.size())});
        content.rows.append({RowKind::GroupHeader, header});
        content.keys.append(qHashMulti(seed, 'h', title, calendar.color, int(tree.size())));
        content.shapes.append(headerShape);
        addTree(tree, [](const Task&) { return QString(); });
    }
    if (!request.groupByCalendar) {
        addTree(TaskTree::flatten(flat, order), [&colourOf](const Task& task) {
            return colourOf.value(task.calendarId, neutralColour);
        });
    }
    return content;
}

bool TasksPaneContent::drawnUnderItsParent(const Task& task) const
{
    if (task.parentTaskUid.isEmpty())
        return false;
    const auto found = taskIndex.constFind(task.id);
    if (found == taskIndex.cend())
        return false;
    const int parent = tasks.at(*found).drawnParent;
    if (parent < 0)
        return false;
    const Task& above = tasks.at(parent).tree.task;
    return above.uid == task.parentTaskUid && above.calendarId == task.calendarId;
}
