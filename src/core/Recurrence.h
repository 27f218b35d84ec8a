#pragma once

#include "Event.h"
#include "RecurrenceRule.h"
#include "WallClock.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

// Expansion of RRULE series (RFC 5545: FREQ DAILY, WEEKLY, MONTHLY, YEARLY with INTERVAL, COUNT,
// UNTIL, WKST, BYDAY, BYMONTHDAY, BYMONTH, BYSETPOS) into occurrences within a window. Pure
// functions: no state between calls beyond caches of time-zone data, safe on any
// thread. Every call is bounded in work (Limits.h), whatever the rule text says.
namespace Recurrence {

// The rule type the expansion reads; RecurrenceRule::parse and Weekday::fromCode under the names
// callers already use.
using Rule = RecurrenceRule;
int weekdayNumber(const QString& code);
Rule parseRRule(const QString& text);

// Candidate starts of the rule from `dtstart` on, ascending, earlier than `to` (exclusive) and
// not later than UNTIL (inclusive). Starts keep dtstart's wall-clock time in dtstart's own time
// representation (zone, offset, UTC or local time) across DST changes; a local time that falls
// in a DST gap moves forward by the gap, one that occurs twice takes the earlier instant. A rule
// whose FREQ is absent or finer than DAILY gives dtstart alone.
QList<QDateTime> generateStarts(const Rule& rule, const QDateTime& dtstart, const QDateTime& to);

// As above, but for a rule without COUNT starts earlier than `notBefore` may be left out, so
// generation begins near the window instead of at dtstart.
QList<QDateTime> generateStarts(const Rule& rule, const QDateTime& dtstart, const QDateTime& to,
                                const QDateTime& notBefore);

// Millisecond instants of an `exceptionDates` JSON array: "yyyyMMddTHHmmssZ" in UTC,
// "yyyyMMddTHHmmss" in the machine's zone, "yyyyMMdd" at 00:00 UTC. Unreadable items are skipped.
QSet<qint64> parseDateList(const QString& text);

// The recurrence id of an occurrence starting at `start`: "yyyyMMddTHHmmssZ" in UTC, or
// "yyyyMMdd" (the UTC date) for an all-day series.
QString recurrenceIdFor(const QDateTime& start, bool allDay);

// The series' start on the wall clock it repeats on: a timed series held in UTC whose `timezone`
// names a zone, in that zone; any other as stored (an all-day series at 00:00 UTC).
QDateTime wallClockStart(const Event& series);

// The wall clock the series repeats on, as the expansion reads it: the local time of its zone (or
// of the zone its own definition gives), UTC for an all-day series. A wall time the clocks skip
// moves forward by the gap, one they repeat takes the earlier instant. Whatever turns a wall time
// of a series into an instant (a start, a recurrence id, an exception date, an UNTIL) goes through
// it, so that it and every reader agree on each occurrence.
WallClock wallClockOf(const Event& series);

// The occurrences of one event that overlap [from, to): copies of the series with their own
// start, end and recurrence id; an event without a rule is itself when it lies in the window.
// A timed series held in UTC whose `timezone` names a zone repeats at that zone's local time;
// one whose `timezone` is a zone definition (EventZone::definedZone), at the local time it gives.
QList<Event> occurrences(const Event& event, const QDateTime& from, const QDateTime& to);

// Plain events (as given, not tested against the window), then the occurrences of each series,
// with stored overrides (masterEventUid + recurrenceId) in place of the occurrences they
// replace. An override shows when its own time overlaps the window, wherever its original was;
// the original occurrence never shows beside it.
QList<Event> expand(const QList<Event>& events, const QDateTime& from, const QDateTime& to);

} // namespace Recurrence
