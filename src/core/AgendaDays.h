#pragma once

#include "Event.h"
#include "Task.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

// How the day-by-day lists (the agenda, the tray's two days, the PDF agenda) put events and tasks
// under days. Every list of days here covers [first, first + dayCount), whatever an item's own
// span: an event running to 9999 costs as many steps as the list has days.
namespace AgendaDays {

// The first day the agenda lists: the navigation date, or, when the main view shows a week
// ("week") or the week grid ("grid"), the start of the week holding it. `firstDayOfWeek` is
// 1 (Monday) .. 7 (Sunday).
QDate firstDay(const QDate& navigationDate, const QString& viewMode, int firstDayOfWeek);

// The events of each day of the list, every event under every day it touches (ViewDays' days:
// all-day events by their stored dates with the end exclusive, timed events by their local
// dates in `zone`, one ending at 00:00 on its start day only). An occurrence that ended before
// `now` is left out under the day of `now` (not under earlier days); with `now` invalid nothing
// is left out. Within a day the input order is kept.
QList<QList<Event>> eventsByDay(const QList<Event>& events, const QDate& first, int dayCount,
                                const QTimeZone& zone, const QDateTime& now);

// When a list built at `built` changes with the clock alone, its data unchanged: the first end
// after `built` of a timed occurrence among `todayEvents` (the occurrences it lists under the day
// of `built`), which then leaves today; else the next local midnight, when "Today", "Tomorrow" and
// "Overdue" move on.
QDateTime nextClockChange(const QList<Event>& todayEvents, const QDateTime& built,
                          const QTimeZone& zone);

// The day a task date falls on: a date-only value is stored at 00:00 UTC of its date and is that
// date in every zone; a timed value is its date in `zone`.
QDate taskDay(const QDateTime& when, bool dateOnly, const QTimeZone& zone);

// The tasks of each day of the list: a task under its start day and under its due day, each when
// in the list, never twice under one day; removed tasks (deletedAt set) nowhere. Each day in
// taskBefore order.
QList<QList<Task>> tasksByDay(const QList<Task>& tasks, const QDate& first, int dayCount,
                              const QTimeZone& zone);

// The order of a day's tasks: open before completed, then by priority with none (0) after 9,
// then by title in the user's locale.
bool taskBefore(const Task& a, const Task& b);

// One day the list shows.
struct Day
{
    QDate date;
    QList<Event> events;
    QList<Task> tasks;
};

// The days to show, in order, from the per-day lists above (of equal length, day 0 = `first`):
// every day, or with `showEmptyDays` false only those holding an event or a task.
QList<Day> shownDays(const QList<QList<Event>>& events, const QList<QList<Task>>& tasks,
                     const QDate& first, bool showEmptyDays);

} // namespace AgendaDays
