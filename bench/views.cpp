// The day view's cost must follow the day, not the store. Builds a store of 100,000 events (500
// of them weekly series) over ten years and one of 1,000 events with the same series and the same
// number of events a day, and times the day view's reload plus one paint of a day in the middle
// against the same on the small store, and against reading that day's rows alone
// (EventRepository::getInRange).

#include "AppState.h"
#include "CalendarRepository.h"
#include "DayTimelineWidget.h"
#include "DayView.h"
#include "EventRepository.h"
#include "ViewBenchStore.h"
#include "ViewData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <vector>

namespace {

using ViewBenchStore::firstDay;
using ViewBenchStore::measuredDay;
using ViewBenchStore::median;

constexpr int calendarCount = 5;
constexpr int repeats = 15;
// 100,000 events over ten years.
constexpr int eventsPerDay = 27;

QString calendarId(int index)
{
    return index == 0 ? AppState::localCalendarId : QStringLiteral("bench-cal-%1").arg(index);
}

// The shared generated event, spread over calendarCount calendars, with a room and, for some,
// a reminder and the stored iCalendar text.
Event generatedEvent(int index, int total, QRandomGenerator& random)
{
    const QString calendar = calendarId(random.bounded(calendarCount));
    const QString location = QStringLiteral("Room %1").arg(random.bounded(40));
    Event event = ViewBenchStore::generatedEvent(index, total, eventsPerDay, random);
    event.calendarId = calendar;
    event.location = location;
    if (random.bounded(100) < 30) {
        Reminder reminder;
        reminder.minutesBefore = 15;
        event.reminders.append(reminder);
    }
    event.rawIcalendar =
        QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:%2\r\n"
                       "DTSTART:%3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
            .arg(event.uid, event.title,
                 event.startTime.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")));
    return event;
}

struct Figures
{
    double viewMs = 0;
    double reloadMs = 0;
    double queryMs = 0;
    int blocks = 0;
    int rows = 0;
};

// A fresh data directory and state hub holding `total` events; the figures of one day.
bool measure(int total, Figures* figures)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!state.initialize())
        return false;
    for (int i = 1; i < calendarCount; ++i) {
        Calendar calendar;
        calendar.id = calendarId(i);
        calendar.accountId = AppState::localAccountId;
        calendar.name = calendar.id;
        calendar.createdAt = calendar.updatedAt =
            QDateTime(firstDay, QTime(0, 0), QTimeZone::utc());
        if (!state.calendars()->insert(calendar))
            return false;
    }
    QRandomGenerator random(4711);
    if (!ViewBenchStore::insertEvents(
            state, total, [&](int index) { return generatedEvent(index, total, random); }))
        return false;

    DayView view(&state);
    view.resize(1000, 800);
    view.setDate(measuredDay);
    const QStringList ids = ViewData::visibleCalendarIds(&state);
    const QDateTime from = ViewData::rangeStart(measuredDay);
    const QDateTime to = ViewData::rangeEnd(measuredDay, 1);
    std::vector<double> viewTimes, queryTimes, reloadTimes;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        view.reload();
        reloadTimes.push_back(timer.nsecsElapsed() / 1e6);
        view.grab();
        viewTimes.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        figures->rows = int(state.events()->getInRange(from, to, ids).size());
        queryTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    figures->viewMs = median(viewTimes);
    figures->queryMs = median(queryTimes);
    figures->reloadMs = median(reloadTimes);
    figures->blocks = int(view.timeline()->hitRegions().size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ViewBenchStore::prepare();

    Figures small, large;
    if (!measure(1000, &small) || !measure(100000, &large)) {
        std::fprintf(stderr, "could not build the stores\n");
        return 1;
    }
    std::printf("day view, reload + paint of %s (median of %d):\n",
                qPrintable(measuredDay.toString(Qt::ISODate)), repeats);
    std::printf("  1,000 events:   %7.2f ms, of it reload %.2f ms (%d rows read, %d blocks)\n",
                small.viewMs, small.reloadMs, small.rows, small.blocks);
    std::printf("  100,000 events: %7.2f ms, of it reload %.2f ms (%d rows read, %d blocks)\n",
                large.viewMs, large.reloadMs, large.rows, large.blocks);
    std::printf("  getInRange alone on 100,000: %.2f ms\n", large.queryMs);
    const double growth = large.viewMs / small.viewMs;
    const double overQuery = large.viewMs / large.queryMs;
    std::printf("ratio 100,000 / 1,000 events:     %.2f (target <= 1.5)\n", growth);
    std::printf("ratio view / getInRange alone:    %.2f (target <= 3)\n", overQuery);
    return 0;
}
