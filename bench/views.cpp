// The day view's cost must follow the day, not the store. Builds a store of 100,000 events (500
// of them weekly series) over ten years and one of 1,000 events with the same series and the same
// number of events a day, and times the day view's reload plus one paint of a day in the middle
// against the same on the small store, and against reading that day's rows alone
// (EventRepository::getInRange).
//
// A week step's cost must follow what the week holds, and no more than linearly. In a store of
// 100,000 events over two years, one week holds 2,000 occurrences (some of weekly series) and
// another 200; times a step of the view area's week page into each (the reloads it sets off and
// one paint), and the dense one against reading and expanding its rows alone (getInRange and
// Recurrence::expand).
//
// The whole window must not add much to that ("window week step"): the main window as it starts
// (views, sidebar agenda, tasks pane shown) stepping into each week, counted as the time its
// event loop is busy until the agenda and the tasks pane have settled, dense against sparse, and
// the dense step against the view area alone stepping into the same week, counted alike.
//
// Keys held down must not queue one reload each ("burst"): ten week steps that reach the main
// window at once against one step, both landing on the 1st of the next month (so that both move
// the mini month as well as the week page), counted as the window's longest event-loop block;
// the one step must cost at least 50 ms for the figure to mean much.

#include "AgendaListWidget.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "DayTimelineWidget.h"
#include "DayView.h"
#include "EventLoopBlocks.h"
#include "EventRepository.h"
#include "MainWindow.h"
#include "MiniMonthCalendar.h"
#include "PreferencesRepository.h"
#include "Recurrence.h"
#include "Services.h"
#include "Sidebar.h"
#include "TasksPane.h"
#include "ViewArea.h"
#include "ViewBenchStore.h"
#include "ViewData.h"
#include "VisibleEvents.h"
#include "WeekTimelineWidget.h"
#include "WeekView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

using ViewBenchStore::firstDay;
using ViewBenchStore::measuredDay;
using ViewBenchStore::median;

constexpr int calendarCount = 5;
constexpr int repeats = 15;
constexpr int weekRepeats = 9;
// 100,000 events over ten years.
constexpr int eventsPerDay = 27;

QString calendarId(int index)
{
    return index == 0 ? AppState::localCalendarId : QStringLiteral("bench-cal-%1").arg(index);
}

// Spreads the event over calendarCount calendars and gives it a room and, for some, a reminder
// and the stored iCalendar text.
Event decorated(Event event, QRandomGenerator& random)
{
    const QString calendar = calendarId(random.bounded(calendarCount));
    const QString location = QStringLiteral("Room %1").arg(random.bounded(40));
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

// The shared generated event, decorated.
Event generatedEvent(int index, int total, QRandomGenerator& random)
{
    return decorated(ViewBenchStore::generatedEvent(index, total, eventsPerDay, random), random);
}

// The dense store: one week holding denseOccurrences, one four weeks earlier holding
// sparseOccurrences, the rest of the 100,000 events single ones on the other days of two years.
constexpr int denseTotal = 100000;
constexpr int denseOccurrences = 2000;
constexpr int sparseOccurrences = 200;
// Weekly series that begin in the dense week, so every later week holds them too.
constexpr int denseSeries = 200;
// Weekly series that began a year before, shown in both weeks.
constexpr int olderSeries = 20;
constexpr int denseSingles = denseOccurrences - denseSeries - olderSeries;
constexpr int sparseSingles = sparseOccurrences - olderSeries;
const QDate denseWeek = measuredDay.addDays(1 - measuredDay.dayOfWeek());
const QDate sparseWeek = denseWeek.addDays(-28);
const QDate spanFirst = denseWeek.addDays(-364);
// Where the bursts of week steps land: a step there from seven days before changes the month.
const QDate burstLanding = QDate(measuredDay.year(), measuredDay.month(), 1).addMonths(1);
constexpr int spanDays = 728;
const char* const weekdayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// Event `index` of the dense store, in the local zone, in working hours.
Event denseEvent(int index, QRandomGenerator& random)
{
    Event event;
    event.id = QStringLiteral("ev-%1").arg(index);
    event.uid = event.id + QStringLiteral("@bench");
    event.calendarId = AppState::localCalendarId;
    event.title = QStringLiteral("Meeting %1").arg(index);
    QDate date;
    int next = 0;
    const auto within = [&](int count) { return index < (next += count); };
    if (within(denseSeries) || within(olderSeries)) {
        const bool older = index >= denseSeries;
        date = (older ? denseWeek.addDays(-364) : denseWeek).addDays(index % 7);
        event.recurrenceRule =
            QStringLiteral("FREQ=WEEKLY;BYDAY=%1").arg(QLatin1String(weekdayCodes[index % 7]));
    } else if (within(denseSingles)) {
        date = denseWeek.addDays(index % 7);
    } else if (within(sparseSingles)) {
        date = sparseWeek.addDays(index % 7);
    } else {
        // Evenly over the span, stepping over the two measured weeks.
        const int filler = index - next;
        const int fillers = denseTotal - next;
        date = spanFirst.addDays(qint64(spanDays - 14) * filler / fillers);
        if (date >= sparseWeek)
            date = date.addDays(7);
        if (date >= denseWeek)
            date = date.addDays(7);
    }
    event.startTime = QDateTime(date, QTime(8 + random.bounded(10), 15 * random.bounded(4)),
                                QTimeZone::systemTimeZone());
    event.endTime = event.startTime.addSecs(qint64(30 + 30 * random.bounded(4)) * 60);
    // Made here: in the system's zone, as every timed event carries one.
    event.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    event.created = event.lastModified = QDateTime(spanFirst, QTime(0, 0), QTimeZone::utc());
    return decorated(event, random);
}

struct Figures
{
    double viewMs = 0;
    double reloadMs = 0;
    double queryMs = 0;
    int blocks = 0;
    int rows = 0;
};

// The hub initialised over the current data directory, with its calendars and `total` events
// made by `make`.
bool fill(AppState& state, int total, const std::function<Event(int index)>& make)
{
    if (!Services::start(state))
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
    return ViewBenchStore::insertEvents(state, total, make);
}

// A fresh data directory and state hub holding `total` events; the figures of one day.
bool measure(int total, Figures* figures)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    QRandomGenerator random(4711);
    if (!fill(state, total, [&](int index) { return generatedEvent(index, total, random); }))
        return false;

    DayView view(&state);
    view.resize(1000, 800);
    view.setDate(measuredDay);
    const QStringList ids = VisibleEvents::calendarIds(&state);
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

// A step as the window's event loop sees it: its longest block (how long the window did not
// answer) and the time it was busy in all, until everything the step set off has settled.
struct StepFigures
{
    double longestMs = 0;
    double busyMs = 0;
};

struct WeekFigures
{
    double denseMs = 0;
    double sparseMs = 0;
    double denseReadMs = 0;
    // A step of the views alone into the dense week, of the whole window into each week.
    StepFigures viewsDense;
    StepFigures windowDense;
    StepFigures windowSparse;
    // One week step of the window, and ten queued at once, landing on burstLanding.
    StepFigures burstOne;
    StepFigures burstTen;
    int burstShown = 0;
    int denseShown = 0;
    int sparseShown = 0;
    int denseRows = 0;
};

// Turns the event loop until the week page shows the range of its date: a step moves the date
// at once and reads the week from the loop.
void awaitWeek(WeekView* view)
{
    while (view->timeline()->firstDate() != view->rangeStart())
        QCoreApplication::processEvents();
}

// The week page of the view area over the dense store: a step into each week (the date set, the
// week read, then one paint of the area), and the dense week's rows read and expanded alone.
bool measureWeeks(WeekFigures* figures)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    QRandomGenerator random(4711);
    if (!fill(state, denseTotal, [&](int index) { return denseEvent(index, random); }))
        return false;
    state.setCurrentDate(measuredDay);

    {
        ViewArea area(&state);
        area.resize(1200, 800);
        // Shown, as in the window: its pages read the store when they are shown.
        area.show();
        area.setMode(QStringLiteral("week"));
        const auto step = [&](const QDate& from, const QDate& to, int* shown) {
            std::vector<double> times;
            for (int i = 0; i < weekRepeats; ++i) {
                state.setCurrentDate(from);
                awaitWeek(area.weekView());
                area.grab();
                // The repaint the reload asked for is done before the clock starts.
                QCoreApplication::processEvents();
                QElapsedTimer timer;
                timer.start();
                state.setCurrentDate(to);
                awaitWeek(area.weekView());
                area.grab();
                times.push_back(timer.nsecsElapsed() / 1e6);
            }
            *shown = int(area.weekView()->timeline()->hitRegions().size());
            return median(times);
        };
        figures->sparseMs = step(denseWeek, sparseWeek, &figures->sparseShown);
        figures->denseMs = step(sparseWeek, denseWeek, &figures->denseShown);
    }

    // A step as the event loop sees it: the date set and the window painted as one posted piece
    // of work, then whatever it set off, until `settled`; the longest block and the busy time.
    auto* app = static_cast<EventLoopBlocks*>(qApp);
    const auto busyStep = [&](QWidget* shown, const QDate& from, const QDate& to,
                              const std::function<bool()>& settled) {
        std::vector<double> longest;
        std::vector<double> busy;
        for (int i = 0; i < weekRepeats; ++i) {
            if (!app->run([&] { state.setCurrentDate(from); shown->grab(); }, settled))
                return StepFigures{};
            app->reset();
            if (!app->run([&] { state.setCurrentDate(to); shown->grab(); }, settled))
                return StepFigures{};
            longest.push_back(app->longestMs());
            busy.push_back(app->busyMs());
        }
        return StepFigures{median(longest), median(busy)};
    };
    state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
    {
        // The views alone, laid out as in the window: the mini month of the sidebar beside the
        // view area, without the agenda under it and the tasks pane.
        QWidget views;
        auto* layout = new QHBoxLayout(&views);
        auto* miniMonth = new MiniMonthCalendar(&state);
        miniMonth->setFixedWidth(260);
        layout->addWidget(miniMonth, 0, Qt::AlignTop);
        layout->addWidget(new ViewArea(&state), 1);
        views.resize(1440, 900);
        views.show();
        views.findChild<ViewArea*>()->setMode(QStringLiteral("week"));
        figures->viewsDense = busyStep(&views, sparseWeek, denseWeek, [] { return true; });
    }
    {
        MainWindow window(&state);
        window.resize(1440, 900);
        window.show();
        AgendaListWidget* agenda = window.findChild<Sidebar*>()->agenda();
        TasksPane* tasks = window.findChild<TasksPane*>();
        if (!tasks || !tasks->isVisible() || !agenda->isVisible())
            return false;
        const auto settled = [&] {
            return !agenda->isLoading() && !tasks->isLoading();
        };
        figures->windowSparse = busyStep(&window, denseWeek, sparseWeek, settled);
        figures->windowDense = busyStep(&window, sparseWeek, denseWeek, settled);

        // Input that queued up while the window was busy reaches it in one pass of the
        // dispatcher, which empties the window system's queue before it turns to anything else:
        // ten steps posted as one piece of work are what a held key leaves the window to do.
        ViewArea* area = window.findChild<ViewArea*>();
        area->setMode(QStringLiteral("week"));
        const auto burst = [&](int steps) {
            std::vector<double> longest;
            std::vector<double> busy;
            for (int i = 0; i < weekRepeats; ++i) {
                const QDate start = burstLanding.addDays(-7 * steps);
                if (!app->run([&] { state.setCurrentDate(start); }, settled))
                    return StepFigures{};
                app->reset();
                const auto step = [&] {
                    for (int s = 0; s < steps; ++s)
                        area->step(1);
                };
                if (!app->run(step, settled))
                    return StepFigures{};
                longest.push_back(app->longestMs());
                busy.push_back(app->busyMs());
            }
            return StepFigures{median(longest), median(busy)};
        };
        figures->burstOne = burst(1);
        figures->burstTen = burst(10);
        figures->burstShown = int(area->weekView()->timeline()->hitRegions().size());
    }

    const QStringList ids = VisibleEvents::calendarIds(&state);
    const QDateTime from = ViewData::rangeStart(denseWeek);
    const QDateTime to = ViewData::rangeEnd(denseWeek, 7);
    figures->denseReadMs = ViewBenchStore::timeMedian(weekRepeats, [&] {
        const QList<Event> rows = state.events()->getInRange(from, to, ids);
        figures->denseRows = int(Recurrence::expand(rows, from, to).size());
    });
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    EventLoopBlocks app(argc, argv);
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

    WeekFigures weeks;
    if (!measureWeeks(&weeks)) {
        std::fprintf(stderr, "could not build the dense store\n");
        return 1;
    }
    std::printf("view area, a step into a week of the week page on %d events, with its paint "
                "(median of %d):\n",
                denseTotal, weekRepeats);
    std::printf("  sparse week of %s: %8.2f ms (%d blocks)\n",
                qPrintable(sparseWeek.toString(Qt::ISODate)), weeks.sparseMs, weeks.sparseShown);
    std::printf("  dense week of %s:  %8.2f ms (%d blocks)\n",
                qPrintable(denseWeek.toString(Qt::ISODate)), weeks.denseMs, weeks.denseShown);
    std::printf("  dense week read and expanded alone: %.2f ms (%d occurrences)\n",
                weeks.denseReadMs, weeks.denseRows);
    std::printf("ratio dense / sparse week:            %.2f (target <= 12)\n",
                weeks.denseMs / weeks.sparseMs);
    std::printf("ratio dense week / read and expand:   %.2f (target <= 3)\n",
                weeks.denseMs / weeks.denseReadMs);
    if (weeks.viewsDense.busyMs <= 0 || weeks.windowDense.busyMs <= 0 ||
        weeks.windowSparse.busyMs <= 0) {
        std::fprintf(stderr, "a week step did not settle\n");
        return 1;
    }
    std::printf("main window (views, sidebar agenda, tasks pane) stepping into a week, until the "
                "panes settled (median of %d):\n",
                weekRepeats);
    std::printf("  dense week:  longest event-loop block %7.2f ms, busy %7.2f ms\n",
                weeks.windowDense.longestMs, weeks.windowDense.busyMs);
    std::printf("  sparse week: longest event-loop block %7.2f ms, busy %7.2f ms\n",
                weeks.windowSparse.longestMs, weeks.windowSparse.busyMs);
    std::printf("  views alone (view area and mini month) into the dense week: longest %7.2f ms, "
                "busy %7.2f ms\n",
                weeks.viewsDense.longestMs, weeks.viewsDense.busyMs);
    std::printf("window week step, longest block: dense / sparse ratio %.2f (target at most 12), "
                "against the views alone ratio %.2f (target at most 1.5)\n",
                weeks.windowDense.longestMs / weeks.windowSparse.longestMs,
                weeks.windowDense.longestMs / weeks.viewsDense.longestMs);
    std::printf("window week step, busy time: dense / sparse ratio %.2f, against the views alone "
                "ratio %.2f\n",
                weeks.windowDense.busyMs / weeks.windowSparse.busyMs,
                weeks.windowDense.busyMs / weeks.viewsDense.busyMs);
    if (weeks.burstOne.busyMs <= 0 || weeks.burstTen.busyMs <= 0) {
        std::fprintf(stderr, "a burst of week steps did not settle\n");
        return 1;
    }
    std::printf("main window, week steps landing on %s (%d blocks), until the panes settled "
                "(median of %d):\n",
                qPrintable(burstLanding.toString(Qt::ISODate)), weeks.burstShown, weekRepeats);
    std::printf("  one step:            longest event-loop block %7.2f ms (at least 50 ms "
                "wanted), busy %7.2f ms\n",
                weeks.burstOne.longestMs, weeks.burstOne.busyMs);
    std::printf("  ten queued at once:  longest event-loop block %7.2f ms, busy %7.2f ms\n",
                weeks.burstTen.longestMs, weeks.burstTen.busyMs);
    std::printf("window burst of ten queued week steps against one, longest block: ratio %.2f "
                "(target at most 2)\n",
                weeks.burstTen.longestMs / weeks.burstOne.longestMs);
    return 0;
}
