#pragma once

#include "Event.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTimeZone>

// Which day an event belongs to in the day-based views. An all-day event belongs to the date
// stored in its start (never converted to a zone); a timed event to the date of its start in
// `zone` (the system zone in the views).
namespace ViewDays {

QDate startDay(const Event& event, const QTimeZone& zone);

// The events of each of `dayCount` days from `first`, by start day, in list order or, with
// `sortByStart`, stably by start instant. Events starting outside the days are left out; a
// multi-day event is listed on its first day only.
QList<QList<Event>> eventsByStartDay(const QList<Event>& events, const QDate& first, int dayCount,
                                     const QTimeZone& zone, bool sortByStart);

// Days of [first, first + dayCount) an event covers, from its start day to its last day: an
// all-day event's stored end is the day after its last day; a timed event covers the day its
// exclusive end falls in only when it ends after that day's midnight.
QSet<QDate> coveredDays(const QList<Event>& events, const QDate& first, int dayCount,
                        const QTimeZone& zone);

// The year view's dots: the start days, and for each the colour text of the first event in
// list order starting that day (its own colour, else its calendar's, else empty).
struct StartDays
{
    QSet<QDate> days;
    QHash<QDate, QString> colors;
};
StartDays startDays(const QList<Event>& events, const QHash<QString, QString>& calendarColors,
                    const QTimeZone& zone);

} // namespace ViewDays
