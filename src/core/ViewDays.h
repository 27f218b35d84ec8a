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

// The last day an event covers: an all-day event's stored end is the day after its last day; a
// timed event covers the day its exclusive end falls in only when it ends after that day's
// midnight. Never before the start day; an event without an end covers its start day only.
QDate lastDay(const Event& event, const QTimeZone& zone);

// The events of each of `dayCount` days from `first`: every event on every day it covers, also
// one that began before `first`. Within a day all-day events come first, then timed events by
// start instant; events that start together keep their list order.
QList<QList<Event>> eventsByDay(const QList<Event>& events, const QDate& first, int dayCount,
                                const QTimeZone& zone);

// Days of [first, first + dayCount) an event covers, from its start day to its last day.
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
