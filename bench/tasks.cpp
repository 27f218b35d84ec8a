// The tasks pane must cost what it shows and what changed, not what the store holds.
//
// "reload": a reload of 2,000 visible tasks (trees up to four levels deep) against one of 100, per
// visible row, from the call through the read off the window's thread to the rows in view in
// place; the median of seven runs.
//
// "toggle": the longest block of the window's event loop over one completion tick (a click on a
// row's checkbox through the store's change signal and the pane's reload to the row showing the
// tick) with 5,000 tasks, every tenth the parent of the nine after it, against the same with 100;
// the median over the ticks.
//
// "memory": the process's resident memory after 20 ticks with 5,000 tasks against after the
// first.

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "EventLoopBlocks.h"
#include "Ical.h"
#include "Savepoint.h"
#include "Services.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

const QDate today(2026, 3, 11);
constexpr int runs = 7;
constexpr int ticks = 20;

Calendar benchCalendar(const QString& id, const QString& name)
{
    Calendar calendar;
    calendar.id = id;
    calendar.accountId = QStringLiteral("local");
    calendar.url = QStringLiteral("local://calendar/") + id;
    calendar.name = name;
    calendar.supportedComponents = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
    calendar.createdAt = Clock::now();
    calendar.updatedAt = calendar.createdAt;
    return calendar;
}

// `count` tasks with the mix of dates, priorities and statuses a real list has; `parentOf` names
// the index of each one's parent (-1 for none).
bool addTasks(AppState& state, const QString& calendarId, int count,
              const std::function<int(int)>& parentOf)
{
    Savepoint unit(state.database()->database());
    for (int i = 0; i < count; ++i) {
        Task task;
        task.id = QStringLiteral("%1-%2").arg(calendarId).arg(i);
        task.uid = task.id;
        task.calendarId = calendarId;
        task.title = QStringLiteral("Task %1 of the list").arg(i);
        task.description = QStringLiteral("Some notes");
        if (const int parent = parentOf(i); parent >= 0)
            task.parentTaskUid = QStringLiteral("%1-%2").arg(calendarId).arg(parent);
        if (i % 3 == 0)
            task.dueDate = QDateTime(today.addDays(i % 20 - 5), QTime(12, 0)).toUTC();
        task.priority = i % 10;
        if (i % 7 == 0)
            task.status = QStringLiteral("in-process");
        task.created = Clock::now();
        task.lastModified = task.created;
        task.rawIcalendar = Ical::buildTask(task);
        if (!state.tasks()->insert(task))
            return false;
    }
    return unit.commit();
}

// Trees of a root and chains of subtasks down to depth 3.
int chained(int i)
{
    return i % 4 != 0 ? i - 1 : -1;
}

// Every tenth task the parent of the nine after it.
int tenths(int i)
{
    return i % 10 != 0 ? i - i % 10 : -1;
}

bool openStore(AppState& state)
{
    if (!Services::start(state))
        return false;
    Account local;
    local.id = QStringLiteral("local");
    local.name = QStringLiteral("On this device");
    local.type = QStringLiteral("orvandellic");
    local.createdAt = local.updatedAt = Clock::now();
    return state.accounts()->insert(local);
}

void setVisible(AppState& state, const QString& calendarId, bool visible)
{
    Calendar calendar = *state.calendars()->getById(calendarId);
    calendar.isVisible = visible;
    state.calendars()->update(calendar);
}

EventLoopBlocks* loop()
{
    return static_cast<EventLoopBlocks*>(qApp);
}

int taskRows(const TasksPane& pane)
{
    int rows = 0;
    for (int i = 0; i < pane.rowCount(); ++i)
        rows += pane.rowKind(i) == TasksPane::RowKind::Task;
    return rows;
}

// Median milliseconds of a reload of the pane with the calendars as they are, until the rows in
// view are in place; and its task rows.
double reloadMs(TasksPane& pane, int* rows)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        pane.reload();
        while (pane.isLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    *rows = taskRows(pane);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The row of that task when it is on screen showing that state.
TasksPaneRow* shownRow(const TasksPane& pane, const QString& taskId, bool completed)
{
    for (TasksPaneRow* row : pane.findChildren<TasksPaneRow*>()) {
        if (row->isVisible() && row->task().id == taskId && row->task().isCompleted() == completed)
            return row;
    }
    return nullptr;
}

struct Ticks
{
    // Per tick, the first (the warm-up) left out.
    std::vector<double> longestMs;
    std::vector<double> busyMs;
    double firstMb = 0;
    double lastMb = 0;
    int rows = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A fresh store of `count` tasks in tenths; `ticks` clicks on the checkbox of the first subtask,
// each until its row shows the change.
bool measureTicks(int count, Ticks* result)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!openStore(state) ||
        !state.calendars()->insert(benchCalendar(QStringLiteral("list"), QStringLiteral("List"))) ||
        !addTasks(state, QStringLiteral("list"), count, tenths))
        return false;
    TasksPane pane(&state);
    pane.resize(320, 800);
    pane.show();
    if (!loop()->settle([&] { return !pane.isLoading(); }))
        return false;
    result->rows = taskRows(pane);
    // The header, the first root, its first subtask.
    auto* first = qobject_cast<TasksPaneRow*>(pane.showRow(2));
    if (!first || first->depth() != 1)
        return false;
    const QString taskId = first->task().id;
    bool completed = first->task().isCompleted();

    for (int tick = 0; tick < ticks; ++tick) {
        loop()->reset();
        const bool done = loop()->run(
            [&] {
                TasksPaneRow* row = shownRow(pane, taskId, completed);
                if (!row)
                    return;
                const QPointF at = row->checkboxRect().center();
                QMouseEvent press(QEvent::MouseButtonPress, at, row->mapToGlobal(at),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(row, &press);
                QMouseEvent release(QEvent::MouseButtonRelease, at, row->mapToGlobal(at),
                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(row, &release);
            },
            [&] { return !pane.isLoading() && shownRow(pane, taskId, !completed); }, 60000);
        if (!done)
            return false;
        completed = !completed;
        if (tick == 0) {
            result->firstMb = residentMb();
            continue;
        }
        result->longestMs.push_back(loop()->longestMs());
        result->busyMs.push_back(loop()->busyMs());
    }
    result->lastMb = residentMb();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    EventLoopBlocks app(argc, argv);
    Clock::pin(QDateTime(today, QTime(10, 0), QTimeZone::systemTimeZone()));

    Ticks small;
    Ticks large;
    if (!measureTicks(100, &small) || !measureTicks(5000, &large)) {
        std::fprintf(stderr, "could not tick a task\n");
        return 1;
    }

    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!openStore(state) ||
        !state.calendars()->insert(benchCalendar(QStringLiteral("small"), QStringLiteral("A"))) ||
        !state.calendars()->insert(benchCalendar(QStringLiteral("large"), QStringLiteral("B"))) ||
        !addTasks(state, QStringLiteral("small"), 100, chained) ||
        !addTasks(state, QStringLiteral("large"), 2000, chained)) {
        std::fprintf(stderr, "could not build the store\n");
        return 1;
    }
    TasksPane pane(&state);
    pane.resize(320, 800);
    pane.show();
    setVisible(state, QStringLiteral("large"), false);
    loop()->settle([&] { return !pane.isLoading(); });
    int smallRows = 0;
    const double smallMs = reloadMs(pane, &smallRows);
    setVisible(state, QStringLiteral("large"), true);
    setVisible(state, QStringLiteral("small"), false);
    loop()->settle([&] { return !pane.isLoading(); });
    int largeRows = 0;
    const double largeMs = reloadMs(pane, &largeRows);
    if (smallRows != 100 || largeRows != 2000 || small.rows != 100 || large.rows != 5000) {
        std::fprintf(stderr, "unexpected rows: %d, %d, %d and %d\n", smallRows, largeRows,
                     small.rows, large.rows);
        return 1;
    }

    std::printf("tasks pane reload through to the rows in view (median of %d):\n", runs);
    std::printf("  100 rows: %8.2f ms (%.3f ms per row)\n", smallMs, smallMs / smallRows);
    std::printf("  2,000 rows: %6.2f ms (%.3f ms per row)\n", largeMs, largeMs / largeRows);
    std::printf("ratio per row 2,000 / 100 rows: %.2f (target <= 1.5)\n",
                (largeMs / largeRows) / (smallMs / smallRows));

    const double smallLongest = median(small.longestMs);
    const double largeLongest = median(large.longestMs);
    std::printf("completion tick, longest event-loop block (median of %d ticks):\n", ticks - 1);
    std::printf("  100 tasks: %8.2f ms (busy %.2f ms, worst tick %.2f ms)\n", smallLongest,
                median(small.busyMs),
                *std::max_element(small.longestMs.begin(), small.longestMs.end()));
    std::printf("  5,000 tasks: %6.2f ms (busy %.2f ms, worst tick %.2f ms)\n", largeLongest,
                median(large.busyMs),
                *std::max_element(large.longestMs.begin(), large.longestMs.end()));
    std::printf("toggle 5,000 / 100 tasks: ratio %.2f (target at most 2)\n",
                largeLongest / smallLongest);
    std::printf("resident memory with 5,000 tasks: %.1f MB after the first tick, %.1f MB after "
                "%d\n",
                large.firstMb, large.lastMb, ticks);
    std::printf("memory after %d ticks / after the first: ratio %.3f (target at most 1.1)\n", ticks,
                large.lastMb / large.firstMb);
    return 0;
}
