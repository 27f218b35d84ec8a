#pragma once

#include "Event.h"
#include "GoogleEventId.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Google Calendar API event objects and the store's Event records, both ways. Pure: no store,
// no network, no clock but for an item without "updated".
//
// Times: a timed event keeps the zone Google names for its start and is written back as
// wall-clock time in that zone with its "timeZone" (only events held in UTC travel in UTC), so
// a series keeps its local time across daylight-saving changes. All-day dates are held the
// store's one way, 00:00 UTC of the first date to 00:00 UTC of the day after the last, which is
// exactly Google's exclusive end date.
//
// Series: a moved or changed occurrence (an item with "recurringEventId") shares the UID of its
// series and takes its "originalStartTime" as its recurrence id ("yyyyMMddTHHmmssZ", or
// "yyyyMMdd" for an all-day series); the EXDATE lines of a master become its exception dates.
namespace Google {

// One "start", "end" or "originalStartTime" member.
struct EventTime
{
    QDateTime dateTime; // invalid when the member has neither form; UTC midnight for a date
    bool isAllDay = false;
    QString timeZone; // the member's "timeZone"; empty for a date
};

EventTime parseEventTime(const QJsonObject& member);
// A date for an all-day time; else the wall-clock time in the event's zone with "timeZone",
// or the UTC time with "timeZone" "UTC" when the zone is UTC or not a real zone.
QJsonObject eventTimeToJson(const QDateTime& time, bool isAllDay, const QString& timezone);
// The text after "RRULE:" of the first rule line of "recurrence"; empty when there is none.
QString recurrenceRuleFromJson(const QJsonObject& item);
// The dates of every EXDATE line of "recurrence", as exception-date texts ("yyyyMMdd" for
// dates, "yyyyMMddTHHmmssZ" for date-times), in order, each once.
QStringList exceptionDatesFromJson(const QJsonObject& item);
// The recurrence id of an occurrence item (its "originalStartTime"); empty for others.
QString recurrenceIdFromJson(const QJsonObject& item);
// "confirmed", "tentative" or "cancelled" as they stand; anything else is "confirmed".
QString normalizeStatus(const QString& status);

Event eventFromJson(const QJsonObject& item, const QString& calendarId);
// eventFromJson of every item in order, but nothing for a cancellation or an item without an
// id. A long list is mapped on several threads at once.
QList<std::optional<Event>> eventsFromJson(const QList<QJsonObject>& items,
                                           const QString& calendarId);
// The body of an insert of a new event: titles, texts, times, the rule with its exception
// dates, status and reminders.
QJsonObject eventToJson(const Event& event);
// The body of an update: the item as the server last sent it with the fields this system keeps
// replaced by the event's (a field the user emptied is removed, so Google clears it), and
// everything else of the item (attendees, organiser, conference data, colour, visibility,
// extended properties, attachments, RDATE lines) kept. An empty `stored` gives eventToJson.
QJsonObject mergeIntoItem(const QJsonObject& stored, const Event& event);

// Google's id of one occurrence of a series: the series' id, "_" and the recurrence id
// ("yyyyMMddTHHmmssZ", or "yyyyMMdd" for an all-day series).
QString occurrenceId(const QString& masterGoogleId, const QString& recurrenceId);
// The "originalStartTime" of the occurrence a recurrence id names, in the event's zone; empty
// for a recurrence id that does not read.
QJsonObject originalStartToJson(const QString& recurrenceId, const QString& timezone);

// The series id and recurrence id of an item that cancels one occurrence of a series; nothing
// for other items.
struct CancelledOccurrence
{
    QString masterId;
    QString recurrenceId;
};
std::optional<CancelledOccurrence> cancelledOccurrence(const QJsonObject& item);

} // namespace Google
