#pragma once

#include "Calendar.h"
#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One line of text to one stored event: parse, pick a calendar, fill the record, store it. The
// decisions are pure functions; the overloads over the state hub that read and write its
// repositories are in QuickAddState.h.
namespace QuickAdd {

// True when new events may go into the calendar: not read-only, and its supported components
// name VEVENT (any case; an unreadable or empty list counts as the default, events only).
bool acceptsEvents(const Calendar& calendar);

// Among the calendars that accept events, the first rule that yields one: the preferred id;
// the first default calendar; the first visible one; the first one. Empty when none accepts
// events.
QString chooseCalendar(const QList<Calendar>& calendars, const QString& preferredId);

// The record for `text` parsed against `nowLocal`, to be stored in `calendarId` with the given
// id and creation time. A blank text, or one naming a date no event can have, gives a default
// record (empty title), which is never stored. An all-day result is held as all-day events are
// stored: 00:00 UTC of its first date to 00:00 UTC after its last date. The event's zone is the
// IANA zone of `nowLocal` (the machine's, as the hub passes it).
Event buildEvent(const QString& text, const QDateTime& nowLocal, const QString& calendarId,
                 const QString& id, const QDateTime& createdUtc);

} // namespace QuickAdd
