// The tasks pane rebuilds every row on each reload, so its cost must stay proportional to what it
// shows: a reload of 2,000 visible tasks (trees up to four levels deep) against one of 100, per
// visible row, and the reload time of the 2,000 rows. A reload here is the rebuild, the deletion
// of the previous rows and the layout of the new ones; the median of seven runs is reported.

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "Ical.h"
#include "PreferencesRepository.h"
#include "Savepoint.h"
#include "Services.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLayout>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QDate today(2026, 3, 11);
constexpr int runs = 7;

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

// `count` tasks in trees of a root and chains of subtasks down to depth 3, with the mix of dates,
// priorities and statuses a real list has.
bool addTasks(AppState& state, const QString& calendarId, int count)
{
    Savepoint unit(state.database()->database());
    for (int i = 0; i < count; ++i) {
        Task task;
        task.id = QStringLiteral("%1-%2").arg(calendarId).arg(i);
        task.uid = task.id;
        task.calendarId = calendarId;
        task.title = QStringLiteral("Task %1 of the list").arg(i);
        task.description = QStringLiteral("Some notes");
        if (i % 4 != 0)
            task.parentTaskUid = QStringLiteral("%1-%2").arg(calendarId).arg(i - 1);
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

void setVisible(AppState& state, const QString& calendarId, bool visible)
{
    Calendar calendar = *state.calendars()->getById(calendarId);
    calendar.isVisible = visible;
    state.calendars()->update(calendar);
}

// Median milliseconds of a reload of the pane with the calendars as they are, and its rows.
double reloadMs(TasksPane& pane, int* rows)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        pane.reload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pane.layout()->activate();
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    *rows = int(pane.findChildren<TasksPaneRow*>().size());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    Clock::pin(QDateTime(today, QTime(10, 0), QTimeZone::systemTimeZone()));
    AppState state;
    if (!Services::start(state))
        return 1;
    Account local;
    local.id = QStringLiteral("local");
    local.name = QStringLiteral("On this device");
    local.type = QStringLiteral("orvandellic");
    local.createdAt = local.updatedAt = Clock::now();
    if (!state.accounts()->insert(local) ||
        !state.calendars()->insert(benchCalendar(QStringLiteral("small"), QStringLiteral("A"))) ||
        !state.calendars()->insert(benchCalendar(QStringLiteral("large"), QStringLiteral("B"))) ||
        !addTasks(state, QStringLiteral("small"), 100) ||
        !addTasks(state, QStringLiteral("large"), 2000)) {
        std::fprintf(stderr, "could not build the store\n");
        return 1;
    }

    TasksPane pane(&state);
    pane.resize(320, 800);
    pane.show();
    QCoreApplication::processEvents();

    setVisible(state, QStringLiteral("large"), false);
    int smallRows = 0;
    const double smallMs = reloadMs(pane, &smallRows);
    setVisible(state, QStringLiteral("large"), true);
    setVisible(state, QStringLiteral("small"), false);
    int largeRows = 0;
    const double largeMs = reloadMs(pane, &largeRows);
    if (smallRows != 100 || largeRows != 2000) {
        std::fprintf(stderr, "unexpected rows: %d and %d\n", smallRows, largeRows);
        return 1;
    }

    std::printf("tasks pane reload (median of %d):\n", runs);
    std::printf("  100 rows: %8.2f ms (%.3f ms per row)\n", smallMs, smallMs / smallRows);
    std::printf("  2,000 rows: %6.2f ms (%.3f ms per row)\n", largeMs, largeMs / largeRows);
    std::printf("ratio per row 2,000 / 100 rows: %.2f (target <= 1.5)\n",
                (largeMs / largeRows) / (smallMs / smallRows));
    return 0;
}
