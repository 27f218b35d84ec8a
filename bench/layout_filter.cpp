// Times EventLayout on events that all fall on one day, and FilterEngine::apply on occurrences
// against 50 pattern rules. Each figure is a ratio against the same work at one tenth the size
// in the same run: per event (or occurrence), 1.0 means the cost grows linearly. The layout is
// also set against plainly copying the same events, the part of its cost no algorithm avoids.
#include "EventLayout.h"
#include "FilterEngine.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimeZone>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Median wall time of one call, in nanoseconds.
double medianNanos(int repetitions, const std::function<void()>& work)
{
    std::vector<qint64> samples;
    samples.reserve(size_t(repetitions));
    work(); // warm up caches and lazily built tables
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed());
    }
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() / 2]);
}

QList<Event> eventsOnOneDay(int count, QRandomGenerator& random)
{
    const QTimeZone berlin("Europe/Berlin");
    const QDateTime midnight(QDate(2025, 6, 2), QTime(0, 0), berlin);
    QList<Event> events;
    events.reserve(count);
    for (int i = 0; i < count; ++i) {
        Event e;
        e.id = QStringLiteral("event-%1").arg(i);
        e.title = QStringLiteral("Meeting %1").arg(i);
        e.startTime = midnight.addSecs(qint64(random.bounded(24 * 4)) * 900);
        e.endTime = e.startTime.addSecs(qint64(random.bounded(1, 16)) * 900);
        events.append(e);
    }
    return events;
}

QList<Event> occurrences(int count, QRandomGenerator& random)
{
    const QStringList words = {"Standup", "Review", "Lunch",  "Planning", "Gym",
                               "Call",    "Focus",  "Dinner", "Retro",    "Sync"};
    const QDateTime start(QDate(2025, 1, 6), QTime(9, 0), QTimeZone("Europe/Berlin"));
    QList<Event> events;
    events.reserve(count);
    for (int i = 0; i < count; ++i) {
        Event e;
        e.id = QStringLiteral("series-%1").arg(i % 500);
        e.calendarId = QStringLiteral("cal-%1").arg(i % 7);
        e.uid = e.id;
        e.title = words[random.bounded(int(words.size()))] + QStringLiteral(" with team ") +
                  QString::number(i % 97);
        e.description = QStringLiteral("Agenda and notes for the weekly meeting of the group");
        e.location = QStringLiteral("Room %1").arg(i % 40);
        e.startTime = start.addSecs(qint64(i) * 1800);
        e.recurrenceId = e.startTime.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ"));
        e.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        events.append(e);
    }
    return events;
}

// Fifty pattern rules, nearly all of which miss, so every occurrence is tried against most of
// them: the engine's worst case.
QList<FilterRule> patternRules()
{
    QList<FilterRule> rules;
    for (int i = 0; i < 50; ++i) {
        FilterRule rule;
        rule.id = QStringLiteral("rule-%1").arg(i);
        rule.priority = i;
        rule.action = i % 2 ? QStringLiteral("dim") : QStringLiteral("hide");
        rule.conditions =
            QStringLiteral(R"({"runtimeType":"pattern","titleContains":["absent%1","nothing%1"],)"
                           R"("descriptionContains":["missing%1"],"locationContains":["Hall %1"],)"
                           R"("caseSensitive":%2})")
                .arg(i)
                .arg(i % 3 == 0 ? QStringLiteral("true") : QStringLiteral("false"));
        rules.append(rule);
    }
    rules[49].conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["gym"]})");
    return rules;
}

void report(const char* what, int smallSize, double smallNanos, int largeSize, double largeNanos)
{
    const double smallPer = smallNanos / smallSize;
    const double largePer = largeNanos / largeSize;
    std::printf("%s: %d items %.3f ms (%.0f ns each), %d items %.3f ms (%.0f ns each); "
                "ratio per item large/small = %.2f\n",
                what, smallSize, smallNanos / 1e6, smallPer, largeSize, largeNanos / 1e6, largePer,
                largePer / smallPer);
}

} // namespace

int main()
{
    // Without this, whether glibc hands a freed megabyte back to the kernel (and faults it in
    // again on the next call) depends on what ran before, which swings the layout figure
    // threefold between otherwise identical runs. Keeping freed memory measures the code.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);

    QRandomGenerator random(2025);

    const QList<Event> dayLarge = eventsOnOneDay(2000, random);
    const QList<Event> daySmall = eventsOnOneDay(200, random);
    volatile qsizetype sink = 0;
    const double layoutLarge =
        medianNanos(40, [&] { sink = sink + EventLayout::layoutTimedEvents(dayLarge).size(); });
    const double layoutSmall =
        medianNanos(400, [&] { sink = sink + EventLayout::layoutTimedEvents(daySmall).size(); });
    report("EventLayout::layoutTimedEvents, one day", 200, layoutSmall, 2000, layoutLarge);
    // The floor for any layout that hands back copies of the events: copying them alone. The
    // step from 200 to 2,000 events is mostly this copying leaving the processor's caches.
    const double copyLarge = medianNanos(40, [&] {
        QList<LaidOutEvent> copies;
        copies.reserve(dayLarge.size());
        for (const Event& e : dayLarge)
            copies.append(LaidOutEvent{e, 0, 1});
        sink = sink + copies.size();
    });
    std::printf("EventLayout::layoutTimedEvents, 2000 items: %.3f ms; copying the same events "
                "alone %.3f ms; ratio layout/copy = %.2f\n",
                layoutLarge / 1e6, copyLarge / 1e6, layoutLarge / copyLarge);

    const QList<FilterRule> rules = patternRules();
    const QList<Event> manyOccurrences = occurrences(20000, random);
    const QList<Event> fewOccurrences = occurrences(2000, random);
    const double filterLarge = medianNanos(
        10, [&] { sink = sink + FilterEngine::apply(manyOccurrences, rules).hiddenCount; });
    const double filterSmall = medianNanos(
        100, [&] { sink = sink + FilterEngine::apply(fewOccurrences, rules).hiddenCount; });
    report("FilterEngine::apply, 50 pattern rules", 2000, filterSmall, 20000, filterLarge);
    return 0;
}
