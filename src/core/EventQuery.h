#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>

#include <optional>

// What the active View shows today and tomorrow: the tray's tooltip and popover read it. The
// decisions are pure functions over records; the overloads over the state hub that read its
// repositories are in EventQueryState.h.
namespace EventQuery {

// The local window searched: today 00:00 to the day after today 23:59:59, local time.
QDateTime windowStart(const QDate& today);
QDateTime windowEnd(const QDate& today);

// Of expanded, filtered occurrences, those the user still has ahead, by start:
// - an all-day event when the dates it covers (stored dates, never converted to a zone; an
//   all-day event without an end covers its start date) include today or tomorrow;
// - a timed event that starts before the window's end and ends (its end, else its start) after
//   `now`.
QList<Event> retainUpcoming(const QList<Event>& occurrences, const QDateTime& now,
                            const QDate& today);

} // namespace EventQuery
