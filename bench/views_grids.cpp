// The week timeline's and the month grid's cost must follow the range, not the store, and a
// switch between them must cost about one reload. Builds a store of 100,000 events (500 of them
// weekly series) and one of 1,000 events with the same series and as many events a day, and
// times reload plus one paint of the week and of the month around one day against the same on
// the small store and against reading the range's rows alone (EventRepository::getInRange); then
// a switch week -> month -> week in the view area against a plain reload plus paint of the pages
// switched to.

#include "AppState.h"
#include "EventRepository.h"
#include "MonthView.h"
#include "Services.h"
#include "ViewArea.h"
#include "ViewBenchStore.h"
#include "ViewData.h"
#include "ViewPeriod.h"
#include "VisibleEvents.h"
#include "WeekView.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <functional>

namespace {

using ViewBenchStore::measuredDay;

constexpr int repeats = 9;
// 500 single events cover a little more than the month grid's 42 days.
constexpr int eventsPerDay = 11;

double timeMedian(const std::function<void()>& work)
{
    return ViewBenchStore::timeMedian(repeats, work);
}

struct Figures
{
    double weekMs = 0;
    double weekQueryMs = 0;
    double weekReloadMs = 0;
    double weekPaintMs = 0;
    double monthMs = 0;
    double monthQueryMs = 0;
    double switchMs = 0;
    double plainReloadMs = 0;
};

bool measure(int total, Figures* figures)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!Services::start(state))
        return false;
    QRandomGenerator random(4711);
    if (!ViewBenchStore::insertEvents(state, total, [&](int index) {
            return ViewBenchStore::generatedEvent(index, total, eventsPerDay, random);
        }))
        return false;
    state.setCurrentDate(measuredDay);
    const QStringList ids = VisibleEvents::calendarIds(&state);

    WeekView week(&state, true);
    week.resize(1200, 800);
    week.setDate(measuredDay);
    const QDate weekStart = week.rangeStart();
    figures->weekMs = timeMedian([&] {
        week.reload();
        week.grab();
    });
    figures->weekReloadMs = timeMedian([&] { week.reload(); });
    figures->weekPaintMs = timeMedian([&] { week.grab(); });
    figures->weekQueryMs = timeMedian([&] {
        state.events()->getInRange(ViewData::rangeStart(weekStart),
                                   ViewData::rangeEnd(weekStart, 7), ids);
    });

    MonthView month(&state);
    month.resize(1200, 800);
    month.setDate(measuredDay);
    const QDate monthStart = ViewPeriod::monthGridStart(measuredDay, state.firstDayOfWeek());
    figures->monthMs = timeMedian([&] {
        month.reload();
        month.grab();
    });
    figures->monthQueryMs = timeMedian([&] {
        state.events()->getInRange(ViewData::rangeStart(monthStart),
                                   ViewData::rangeEnd(monthStart, 42), ids);
    });

    ViewArea area(&state);
    area.resize(1200, 800);
    // Shown, as in the window: its pages read the store when they are shown.
    area.show();
    area.setMode(QStringLiteral("week"));
    area.grab();
    figures->switchMs = timeMedian([&] {
                            area.setMode(QStringLiteral("month"));
                            area.grab();
                            area.setMode(QStringLiteral("week"));
                            area.grab();
                        }) /
                        2;
    figures->plainReloadMs = timeMedian([&] {
                                 area.monthView()->reload();
                                 area.grab();
                                 area.weekView()->reload();
                                 area.grab();
                             }) /
                             2;
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
    std::printf("week and month views around %s, reload + paint (median of %d):\n",
                qPrintable(measuredDay.toString(Qt::ISODate)), repeats);
    std::printf("  week,  1,000 events: %7.2f ms; 100,000 events: %7.2f ms; getInRange %7.2f ms\n",
                small.weekMs, large.weekMs, large.weekQueryMs);
    std::printf("  week on 100,000, reload alone %.2f ms, paint alone %.2f ms\n",
                large.weekReloadMs, large.weekPaintMs);
    std::printf("  month, 1,000 events: %7.2f ms; 100,000 events: %7.2f ms; getInRange %7.2f ms\n",
                small.monthMs, large.monthMs, large.monthQueryMs);
    std::printf("  switch week<->month on 100,000: %.2f ms; plain reload + paint: %.2f ms\n",
                large.switchMs, large.plainReloadMs);
    std::printf("ratio week 100,000 / 1,000 events:   %.2f (target <= 1.5)\n",
                large.weekMs / small.weekMs);
    std::printf("ratio month 100,000 / 1,000 events:  %.2f (target <= 1.5)\n",
                large.monthMs / small.monthMs);
    std::printf("ratio week view / getInRange alone:  %.2f (target <= 3)\n",
                large.weekMs / large.weekQueryMs);
    std::printf("ratio month view / getInRange alone: %.2f (target <= 3)\n",
                large.monthMs / large.monthQueryMs);
    std::printf("ratio switch / plain reload:         %.2f (target <= 2)\n",
                large.switchMs / large.plainReloadMs);
    return 0;
}
