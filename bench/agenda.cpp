// The sidebar's agenda must cost what its 30 days hold, not what the store holds. Two stores hold
// the same events and tasks in the 30 days from the measured day (ten events a day, some weekly
// series, a task a day); around them the small store holds 1,000 events and 100 tasks in all,
// the large one 100,000 events and 10,000 tasks over the ten years around that day. Times a
// reload of a 30-day AgendaListWidget on each (the read, the rows in view built, the old rows
// deleted) and prints the ratio large / small.
//
// And what the window feels ("dense"): the longest block of the event loop while a 30-day agenda
// holding 60,000 occurrences reloads and is then scrolled from its top to its bottom, against the
// same for one holding 340.

#include "AgendaListWidget.h"
#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "Ical.h"
#include "Savepoint.h"
#include "Services.h"
#include "TaskRepository.h"
#include "EventLoopBlocks.h"
#include "ViewBenchStore.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <functional>

namespace {

using ViewBenchStore::measuredDay;

constexpr int listedDays = 30;
constexpr int eventsPerListedDay = 10;
constexpr int seriesCount = 10;
constexpr int listedEvents = listedDays * eventsPerListedDay;
constexpr int repeats = 9;
// Days of the ten years around the measured day that lie outside the list.
constexpr int spanDays = 3652;

// Event `index` of a store of `total`: the first seriesCount are weekly series begun a year
// before, the next listedEvents lie in the listed days, the rest outside them.
Event storeEvent(int index, int total)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    Event event;
    event.id = QStringLiteral("ev-%1").arg(index);
    event.uid = event.id + QStringLiteral("@bench");
    event.calendarId = AppState::localCalendarId;
    event.title = QStringLiteral("Meeting %1").arg(index);
    event.location = QStringLiteral("Room %1").arg(index % 40);
    QDate date;
    int hour = 8 + index % 10;
    if (index < seriesCount) {
        date = measuredDay.addDays(-365 + index % 7);
        hour = 7;
        event.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
    } else if (index < seriesCount + listedEvents) {
        date = measuredDay.addDays((index - seriesCount) / eventsPerListedDay);
    } else {
        // Evenly over the ten years, stepping over the listed days.
        const int outside = index - seriesCount - listedEvents;
        const int outsideCount = total - seriesCount - listedEvents;
        date = measuredDay.addDays(-spanDays / 2 +
                                   qint64(spanDays - listedDays) * outside / outsideCount);
        if (date >= measuredDay)
            date = date.addDays(listedDays);
    }
    event.startTime = QDateTime(date, QTime(hour, 0), zone);
    event.endTime = event.startTime.addSecs(45 * 60);
    event.timezone = QString::fromUtf8(zone.id());
    event.created = event.lastModified =
        QDateTime(date.addYears(-1), QTime(0, 0), QTimeZone::utc());
    return event;
}

// A task a day in the listed days (due there, some started the day before), the rest due
// outside them, evenly over the ten years.
bool insertTasks(AppState& state, int total)
{
    Savepoint unit(state.database()->database());
    for (int i = 0; i < total; ++i) {
        Task task;
        task.id = QStringLiteral("task-%1").arg(i);
        task.uid = task.id;
        task.calendarId = AppState::localCalendarId;
        task.title = QStringLiteral("Task %1").arg(i);
        task.priority = i % 10;
        QDate due;
        if (i < listedDays) {
            due = measuredDay.addDays(i);
            if (i % 3 == 0)
                task.startDate = QDateTime(due.addDays(-1), QTime(0, 0), QTimeZone::utc());
        } else {
            due = measuredDay.addDays(-spanDays / 2 + qint64(spanDays - listedDays) *
                                                          (i - listedDays) / (total - listedDays));
            if (due >= measuredDay)
                due = due.addDays(listedDays);
            if (i % 2 == 0)
                task.status = QStringLiteral("completed");
        }
        task.dueDate = QDateTime(due, QTime(0, 0), QTimeZone::utc());
        task.created = task.lastModified = Clock::now();
        task.rawIcalendar = Ical::buildTask(task);
        if (!state.tasks()->insert(task))
            return false;
    }
    return unit.commit();
}

// A fresh store of `count` events made by `make` and whatever `fill` adds, and over it the 30-day
// list from the measured day at the sidebar's size, its first read in place; `measure` runs on it.
bool withList(int count, const std::function<Event(int index)>& make,
              const std::function<bool(AppState&)>& fill,
              const std::function<bool(AgendaListWidget&)>& measure)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!Services::start(state) || !ViewBenchStore::insertEvents(state, count, make) ||
        (fill && !fill(state)))
        return false;
    state.setViewModeAndDate(QStringLiteral("day"), measuredDay);
    AgendaListWidget list(&state, true, listedDays, QString());
    list.resize(380, 720);
    list.show();
    if (!static_cast<EventLoopBlocks*>(qApp)->settle([&] { return !list.isLoading(); }))
        return false;
    return measure(list);
}

struct Figures
{
    double reloadMs = 0;
    int eventRows = 0;
};

// A fresh store of `events` events and `tasks` tasks; the median reload of the 30-day list.
bool measure(int events, int tasks, Figures* figures)
{
    return withList(
        events, [events](int index) { return storeEvent(index, events); },
        [tasks](AppState& state) { return insertTasks(state, tasks); },
        [figures](AgendaListWidget& list) {
            // Until the rows are in place: the read off the window's thread and the rows in view.
            figures->reloadMs = ViewBenchStore::timeMedian(repeats, [&] {
                list.reload();
                while (list.isLoading())
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            });
            for (int i = 0; i < list.rowCount(); ++i)
                figures->eventRows += list.rowKind(i) == AgendaListWidget::RowKind::Event;
            return true;
        });
}

// Event `index` of a dense month: the first `series` are daily series begun a week before the
// listed days, the rest single events spread over the listed days.
Event denseEvent(int index, int series, int singles)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    Event event;
    event.id = QStringLiteral("dense-%1").arg(index);
    event.uid = event.id + QStringLiteral("@bench");
    event.calendarId = AppState::localCalendarId;
    event.title = QStringLiteral("Shift %1").arg(index);
    if (index % 3 == 0)
        event.location = QStringLiteral("Ward %1").arg(index % 17);
    QDate date;
    if (index < series) {
        date = measuredDay.addDays(-7);
        event.recurrenceRule = QStringLiteral("FREQ=DAILY");
    } else {
        date = measuredDay.addDays(qint64(listedDays) * (index - series) / singles);
    }
    event.startTime = QDateTime(date, QTime(6 + index % 14, 5 * (index % 12)), zone);
    event.endTime = event.startTime.addSecs(50 * 60);
    event.timezone = QString::fromUtf8(zone.id());
    event.created = event.lastModified =
        QDateTime(date.addYears(-1), QTime(0, 0), QTimeZone::utc());
    return event;
}

struct Blocks
{
    double longestMs = 0;
    int rows = 0;
};

// A fresh store whose 30 days hold `series` daily series and `singles` single events; the
// longest event-loop block over a reload of the 30-day list and a scroll to its bottom in
// steps a person dragging the scroll bar would make.
bool measureBlocks(int series, int singles, Blocks* blocks)
{
    return withList(
        series + singles, [&](int index) { return denseEvent(index, series, singles); }, {},
        [blocks](AgendaListWidget& list) {
            auto* app = static_cast<EventLoopBlocks*>(qApp);
            const auto loaded = [&] { return !list.isLoading(); };
            app->reset();
            if (!app->run([&] { list.reload(); }, loaded))
                return false;
            QScrollBar* bar = list.findChild<QScrollArea*>()->verticalScrollBar();
            constexpr int steps = 40;
            for (int step = 1; step <= steps; ++step) {
                if (!app->run([&] { bar->setValue(qint64(bar->maximum()) * step / steps); },
                              loaded))
                    return false;
            }
            if (bar->value() != bar->maximum())
                return false;
            blocks->longestMs = app->longestMs();
            blocks->rows = list.rowCount();
            return true;
        });
}

} // namespace

int main(int argc, char** argv)
{
    EventLoopBlocks app(argc, argv);
    ViewBenchStore::prepare();
    Figures small;
    Figures large;
    if (!measure(1000, 100, &small) || !measure(100000, 10000, &large)) {
        std::fprintf(stderr, "could not build the stores\n");
        return 1;
    }
    if (small.eventRows != large.eventRows) {
        std::fprintf(stderr, "the stores list different events: %d and %d rows\n", small.eventRows,
                     large.eventRows);
        return 1;
    }
    std::printf("30-day agenda reload (median of %d), %d event rows:\n", repeats, small.eventRows);
    std::printf("  1,000 events:   %8.2f ms\n", small.reloadMs);
    std::printf("  100,000 events: %8.2f ms\n", large.reloadMs);
    std::printf("ratio 100,000 / 1,000 events: %.2f (target <= 1.5)\n",
                large.reloadMs / small.reloadMs);

    Blocks sparse;
    Blocks dense;
    if (!measureBlocks(10, 40, &sparse) || !measureBlocks(1000, 30000, &dense)) {
        std::fprintf(stderr, "could not reload and scroll the dense lists\n");
        return 1;
    }
    std::printf("dense 30-day agenda, reload and scroll to the bottom, longest event-loop block: "
                "60,000 occurrences (%d rows) %.1f ms, 340 occurrences (%d rows) %.1f ms, "
                "ratio %.2f (target at most 3)\n",
                dense.rows, dense.longestMs, sparse.rows, sparse.longestMs,
                dense.longestMs / sparse.longestMs);
    return 0;
}
