#pragma once

#include "Event.h"

#include <QDate>
#include <QRandomGenerator>

#include <functional>
#include <vector>

class AppState;

// The generated stores the view benchmarks time against: a fixed number of weekly series spread
// over the ten years around one measured day, then single events as dense around that day in
// every store, so a larger store covers more days, not more per day.
namespace ViewBenchStore {

constexpr int seriesCount = 500;
inline const QDate measuredDay(2026, 3, 11);
inline const QDate firstDay = measuredDay.addYears(-10);

// Event `index` of a store of `total` in the local calendar: the first seriesCount are weekly
// series, one weekday each, starting evenly over the ten years before and after the measured
// day; the others are single events in working hours, `eventsPerDay` a day centred on the
// measured day. Draws its start and length from `random`.
Event generatedEvent(int index, int total, int eventsPerDay, QRandomGenerator& random);

// Inserts events 0 .. total-1 made by `make` in one transaction; false when any step fails.
bool insertEvents(AppState& state, int total, const std::function<Event(int index)>& make);

// Pins the clock to 10:00 local on the measured day and keeps credentials in memory.
void prepare();

double median(std::vector<double> values);
// The median of `repeats` timings of `work`, in milliseconds.
double timeMedian(int repeats, const std::function<void()>& work);

} // namespace ViewBenchStore
