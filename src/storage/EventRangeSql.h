#pragma once

#include <QString>

// The row classes that the range query of events reads through separate indexes, so that the
// cost of a range follows what the range holds rather than the size of the store. The texts
// appear both in the partial indexes and in the queries: SQLite uses a partial index only when
// the query repeats its WHERE terms exactly.
namespace EventRangeSql {

// Longest span, in days, of a row that the short-span class holds.
inline constexpr int shortSpanDays = 7;

// Rows with a recurrence rule; the range query returns them whatever their end.
QString recurring();

// Rows without one (NULL or empty rule).
QString nonRecurring();

// Rows whose start and end are both canonical UTC text ("2025-03-01T08:30:00Z") and at most
// shortSpanDays apart. Such a row overlaps a range only if it starts at most shortSpanDays
// before the range, so it is found by a bounded index range.
QString shortSpan();

// Every other row: no end, a long span, or times in another text form (older data). Rare; the
// range query tests them exactly as stored.
QString otherSpan();

} // namespace EventRangeSql
