#pragma once

#include "Attendee.h"
#include "Reminder.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One row of table `events` with its reminder and attendee rows. An occurrence of a recurring
// series is a copy of the series with its own start, end and recurrenceId.
//
// All-day events start at 00:00 UTC of their first date and end at 00:00 UTC of the day after
// their last date; readers show them by that date, never converted to the local zone.
struct Event
{
    QString id;
    QString calendarId;
    QString uid;
    QString providerEventId;
    QString etag;
    QString href;
    QString title;
    QString description;
    QString location;
    QString geoLocation;
    QDateTime startTime;
    std::optional<QDateTime> endTime; // exclusive; absent when the event has no end
    bool isAllDay = false;
    // An IANA id, or for a zone that only a VTIMEZONE read from elsewhere defines (no IANA zone
    // has its offsets) that definition itself (EventZone::definedZone).
    QString timezone = QStringLiteral("UTC");
    QString recurrenceRule; // the RRULE value, without "RRULE:"
    QString recurrenceDates;
    QString exceptionDates; // JSON array of "yyyyMMdd" / "yyyyMMddTHHmmss[Z]" texts
    QString recurrenceId;   // original start of the occurrence an override replaces, UTC text
    QString masterEventUid;
    QString status = QStringLiteral("confirmed");
    QString eventUrl;
    QString conferenceUrl;
    QString organizerEmail; // without "mailto:"
    QString organizerName;
    int sequence = 0;
    QString rawIcalendar; // a whole VCALENDAR with one VEVENT
    QString color;        // empty: the calendar's colour applies
    QDateTime created;
    QDateTime lastModified;
    QString syncStatus = QStringLiteral("synced"); // "pending" or "synced"
    std::optional<QDateTime> deletedAt;
    QList<Reminder> reminders; // by minutesBefore ascending when read
    QList<Attendee> attendees; // by name, then email, when read
};
