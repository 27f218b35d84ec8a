#pragma once

#include "Account.h"
#include "Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// What the event form offers and writes, as pure functions: the default start of a new event,
// the calendars a user may save into and which one comes first, the end that follows a moved
// start, the days a timed event covers once all-day, and the stored form of an all-day range.
namespace EventFormRules {

// `now` without seconds, moved forward to the next half hour (10:07 -> 10:30, 10:45 -> 11:00,
// 23:50 -> 00:00 the next day); :00 and :30 stay. Keeps `now`'s time representation.
QDateTime defaultStart(const QDateTime& now);

struct CalendarOption
{
    QString id;
    QString label; // "Account / Calendar", or the calendar's name when the account is unknown
    QString color;
    bool isDefault = false;
    bool isReadOnly = false;
};

// The visible, writable calendars, and always `ownCalendarId`'s calendar (the edited event's, so
// that saving never moves it by accident), labelled and sorted by label (locale-aware).
QList<CalendarOption> calendarOptions(const QList<Calendar>& calendars,
                                      const QList<Account>& accounts,
                                      const QString& ownCalendarId = QString());

// The option to select first: `preferredId` when offered, else the first default calendar, else
// 0; -1 for no options.
int preselectedIndex(const QList<CalendarOption>& options, const QString& preferredId);

struct Range
{
    QDateTime start;
    QDateTime end;
};

// The end for a start the user moved to `start`: the event keeps the length it had when the user
// began changing the start (`lengthStart` to `lengthEnd`), in either direction, so that the values
// a start passes through while it is typed leave no trace. Timed lengths count seconds, all-day
// lengths whole days (a day across a clock change stays one day); an end before its start counts
// as no length. Invalid when any of the three moments is.
QDateTime endKeepingLength(const QDateTime& start, const QDateTime& lengthStart,
                           const QDateTime& lengthEnd, bool allDay);

// An all-day event from `firstDay` through `lastDay` as stored: 00:00 UTC of the first day to
// 00:00 UTC of the day after the last.
Range allDayRange(const QDate& firstDay, const QDate& lastDay);

// The dates an all-day event shows on: its UTC start date and the last day (the end's UTC date
// minus one when it lies after the start's date).
QDate allDayFirstDay(const QDateTime& start);
QDate allDayLastDay(const QDateTime& start, const QDateTime& end);

// The last day a timed event shown from `start` to `end` covers once it is all-day: an end at
// 00:00 on a later day closes the day before, as a stored all-day end does, so a slot up to
// midnight stays on its one day. Never before the start's day.
QDate lastDayWhenAllDay(const QDateTime& start, const QDateTime& end);

// The end shown when an all-day event through `lastDay` is timed again, at the end's kept time of
// day: a kept 00:00 is the close of the last day (00:00 the day after), the inverse of
// lastDayWhenAllDay, so that switching back and forth leaves the days as they were.
QDateTime timedEndOnLastDay(const QDate& lastDay, const QTime& endTime);

} // namespace EventFormRules
