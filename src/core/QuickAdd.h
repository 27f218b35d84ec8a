#pragma once

#include "Calendar.h"
#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QString>

class AppState;

// One line of text to one stored event: parse, pick a calendar, fill the record, store it. The
// decisions are pure functions; the overloads over the state hub read and write its
// repositories and are built with the hub.
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

// Over the hub.
QString chooseCalendar(const AppState* state, const QString& preferredId);
Event buildEvent(const AppState* state, const QString& text, const QString& preferredId);
// Why createEvent stored nothing.
enum class Failure {
    None,
    Unreadable,         // blank text, or one naming a date or length no event can have
    NoWritableCalendar, // no calendar accepts events (read-only or tasks only), or none at all
    WriteFailed,
};

// The stored event's id (kept until the end of an import that holds the store: see
// AppState::insertOrKeep), or empty when nothing was stored; `failure`, when given, says why.
QString createEvent(AppState* state, const QString& text, const QString& preferredId,
                    Failure* failure = nullptr);

} // namespace QuickAdd
