#pragma once

#include "RecurrenceRule.h"

#include <QDateTime>
#include <QList>

class WallClock;

// The candidate starts of one rule (FREQ DAILY, WEEKLY, MONTHLY, YEARLY with their BY parts),
// walked day by day on the series' wall clock. Bounded in work (Limits.h).
namespace RecurrenceStarts {

// The starts of a rule as UTC milliseconds. `notBeforeMs` lets a rule without COUNT skip whole
// periods that end before it, and keeps earlier starts out of the result for any rule.
QList<qint64> generate(const RecurrenceRule& rule, const QDateTime& dtstart, qint64 toMs,
                       qint64 notBeforeMs, WallClock& clock);

} // namespace RecurrenceStarts
