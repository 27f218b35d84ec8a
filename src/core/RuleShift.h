#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// A repeat rule carried along when its series' start moves by whole days (in the series' own
// zone, wall clock kept). A rule names days of its own (weekdays, month days, months, year days)
// that would otherwise keep the occurrences where they were while the start moves away.
namespace RuleShift {

// The rule of the series that starts at `start.addDays(days)` whose occurrences are those of
// `rule` from `start`, each `days` days later: BYDAY weekdays, BYMONTHDAY (and BYMONTH where the
// days cross into another month), BYYEARDAY, WKST and UNTIL move along; other parts stay as
// written. `start` is the series' start in its own zone (00:00 UTC of its date for an all-day
// series). Nothing when no rule gives that: BYSETPOS, BYWEEKNO, a weekday with an ordinal, a
// month day that not every month has, or any other rule whose moved starts (read over several
// years) differ from the starts moved.
std::optional<QString> byDays(const QString& rule, const QDateTime& start, int days);

} // namespace RuleShift
