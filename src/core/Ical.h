#pragma once

#include "Event.h"
#include "Task.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reading and writing of iCalendar text (RFC 5545): VEVENT to Event, VTODO to Task and back.
// No state between calls; unreadable input is skipped, never reported as an error.
namespace Ical {

// One content line: upper-cased name, parameters (names upper-cased, values unquoted) and the
// value as written.
struct ContentLine
{
    QString name;
    QHash<QString, QString> params;
    QString value;
};

// Splits at LF or CR LF and joins folded continuation lines (a leading space or tab is dropped).
QStringList unfoldLines(const QString& text);

// Splits an unfolded line at its first colon outside double quotes. Parameter values in double
// quotes lose their quotes; a parameter named twice keeps its last value.
ContentLine splitContentLine(const QString& line);

// Resolves the TEXT escapes \, \; \\ \n \N; any other backslash stays as written.
QString unescapeText(QStringView value);

// The inverse of unescapeText for text without CR: backslash, semicolon, comma and line feed
// are escaped. CR and other control characters except tab are dropped.
QString escapeText(QStringView text);

// Reads a DATE ("yyyyMMdd", 00:00 UTC of that date; sets *isDate) or DATE-TIME value
// ("yyyyMMddTHHmmss" with "Z" for UTC, else in the TZID zone, else local time). An unreadable
// value gives an invalid time.
QDateTime parseDateValue(QStringView value, const QHash<QString, QString>& params, bool* isDate);

// One Event per VEVENT with a UID, in the order of their END lines. Properties of nested
// components (VALARM) never touch the event's own fields; alarms become reminders.
QList<Event> parseEvents(const QString& text);

// One Task per VTODO with a UID, in order; rawIcalendar holds the VTODO block alone.
QList<Task> parseTasks(const QString& text);

// A whole calendar with one complete VEVENT, all-day events as DATE values. A timed event whose
// `timezone` names a zone other than UTC has DTSTART, DTEND, EXDATE and RECURRENCE-ID written as
// wall-clock times with that TZID, after a VTIMEZONE that defines the zone over the span the
// event needs; one whose `timezone` is a zone definition (a zone no IANA zone matches) has them
// written with that definition's TZID, after the definition itself. An event whose stored text
// says its start in floating time stays floating: every time, UNTIL too, as the digits of the
// clock of its `timezone` (the zone it was given when it was read), with no TZID. Any other timed
// event is written in UTC. UNTIL is otherwise UTC. A time the zone's digits cannot say (the
// later instant of a repeated hour) goes out in UTC with the zone named beside it, except a
// series' start: its digits, with its exact length (and an exception date of that start
// likewise), so that every reader repeats it at its wall time; RFC 5545 readers begin it at the
// earlier instant. A DTSTART, DTEND or RECURRENCE-ID line of event.rawIcalendar in the event's
// zone (or floating) that still reads as the record's time is kept as written, and so is its
// DURATION where every reader reads it as the end held (days counted on the start's clock by RFC
// 5545 readers, in seconds here).
// Properties and components of event.rawIcalendar that the record does not model are kept. Reads
// the clock for DTSTAMP (and, for a series without an end, for how far ahead the zone is defined).
QString buildEvent(const Event& event);

// A whole calendar with one VTODO. The properties and nested components (alarms, whole) of the
// VTODO with the task's UID in task.rawIcalendar that the record does not model are kept; a task
// without that text is built from its fields alone. Reads the clock for DTSTAMP.
QString buildTask(const Task& task);

// The stored text with the first VEVENT's DTSTART and DTEND replaced (DATE values stay DATE
// values) and its DURATION dropped; nested components and later VEVENTs are kept as they are.
// A line that already reads as its new time stays as written. A time keeps the zone of its line
// (its TZID, the zone held beside a UTC value, or floating time) as wall-clock digits where they
// read back as it; otherwise it goes out in UTC with that zone beside it, and a UTC line stays
// UTC. Floating time, and a TZID nobody defines, are said on the clock of `zone`: the event's
// `timezone`, the zone it was given when it was read. A series' start is always written as its
// wall-clock digits, with its exact length. An empty text, an invalid start or a text without a
// VEVENT is returned unchanged.
QString rewriteTimes(const QString& stored, const QDateTime& start, const QDateTime& end,
                     const QString& zone);

// The stored text a row made here from `series` starts with (an occurrence changed apart, or the
// part split off it), under the row's `uid`: the series' DTSTART line alone where it says floating
// time, so that buildEvent writes the row's times floating too; empty otherwise (the row's own
// fields say everything then).
QString floatingStartOf(const Event& series, const QString& uid);

} // namespace Ical
