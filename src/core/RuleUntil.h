#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

struct Event;

// The UNTIL part of a repeat rule in the value type of the series' start, as RFC 5545 requires
// and other clients read it: a DATE for an all-day series (its starts are DATE values), a UTC
// date-time ("yyyyMMddTHHmmssZ") for a timed one. A DATE UNTIL on a timed series would end it at
// midnight UTC of that date and lose the occurrences later that day.
namespace RuleUntil {

// The UNTIL value of a series whose last occurrence may fall on `lastDay`: the date itself for
// an all-day series, else the last second of that day in the machine's zone, in UTC. Empty for an
// invalid date.
QString forLastDay(const QDate& lastDay, bool allDay);

// The UNTIL value of a series whose last occurrence starts no later than `until`: for an all-day
// series the UTC date of `until` (its occurrences start at 00:00 UTC), else `until` in UTC. Empty
// for an invalid instant.
QString forInstant(const QDateTime& until, bool allDay);

// The day an UNTIL value ends the series on, the inverse of forLastDay: a DATE as written; a
// date-time by its UTC date for an all-day series, else by its date in the machine's zone.
// Invalid when the value does not read.
QDate lastDay(const QString& untilValue, bool allDay);

// The rule with every UNTIL part rewritten in the series' value type: a DATE as forLastDay, a
// date-time ("Z" for UTC, else the machine's zone) as forInstant. Other parts, their order and an
// UNTIL that does not read are kept as written; empty parts are dropped. A task's rule: an
// event's goes through ofSeries.
QString normalize(const QString& rule, bool allDay);

// As normalize, for the rule of `series`, but a date-time UNTIL without "Z" (floating) is read on
// the wall clock of the series' zone, as the expansion reads it (Recurrence::wallClockOf), never
// on the machine's. Where `floating` (a series whose start is in floating time, which RFC 5545
// wants an UNTIL of its kind beside), a date-time UNTIL is written as the digits of that clock
// without "Z"; else in UTC.
QString ofSeries(const Event& series, bool floating = false);

// A rule read from elsewhere for a timed series, with a DATE UNTIL (lenient input; RFC 5545 wants
// a date-time there) written as the instant it is read as, here and by other readers: 00:00 UTC
// of that date ("yyyyMMddT000000Z"). normalize would take the date for a last day and keep that
// day's occurrences. Everything else stays as written.
QString dateUntilAsInstant(const QString& rule);

} // namespace RuleUntil
