// The sidebar's agenda must cost what its 30 days hold, not what the store holds. Two stores hold
// the same events and tasks in the 30 days from the measured day (ten events a day, some weekly
// series, a task a day); around them the small store holds 1,000 events and 100 tasks in all,
// the large one 100,000 events and 10,000 tasks over the ten years around that day. Times a
// reload of a 30-day AgendaListWidget on each (the rebuild, the deletion of the old rows and the
// layout of the new ones) and prints the ratio large / small.

#include "AgendaEventRow.h"
#include "AgendaListWidget.h"
#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "Ical.h"
#include "Savepoint.h"
#include "Services.h"
#include "TaskRepository.h"
#include "ViewBenchStore.h"

#include <QApplication>
#include <QLayout>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>

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

struct Figures
{
    double reloadMs = 0;
    int eventRows = 0;
};

// A fresh store of `events` events and `tasks` tasks; the median reload of the 30-day list.
bool measure(int events, int tasks, Figures* figures)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!Services::start(state) ||
        !ViewBenchStore::insertEvents(state, events,
                                      [events](int index) { return storeEvent(index, events); }) ||
        !insertTasks(state, tasks))
        return false;
    state.setViewModeAndDate(QStringLiteral("day"), measuredDay);

    AgendaListWidget list(&state, true, listedDays, QString());
    list.resize(380, 720);
    list.show();
    QCoreApplication::processEvents();
    figures->reloadMs = ViewBenchStore::timeMedian(repeats, [&] {
        list.reload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        list.layout()->activate();
        QCoreApplication::processEvents();
    });
    figures->eventRows = int(list.findChildren<AgendaEventRow*>().size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
    return 0;
}
