#include "AgendaDays.h"

#include "ViewDays.h"

#include <algorithm>

namespace AgendaDays {

namespace {

bool isWeekMode(const QString& viewMode)
{
    return viewMode == QLatin1String("week") || viewMode == QLatin1String("grid");
}

// Whether the occurrence is over at `now`. An all-day event lasts to the end of its last local
// day, which is never before `now` on a day it covers: its stored end (00:00 UTC) would end it
// hours early east of UTC, and one without an end at the very start of its day.
bool isOver(const Event& event, const QDateTime& now)
{
    if (event.isAllDay || !now.isValid())
        return false;
    return event.endTime.value_or(event.startTime) < now;
}

} // namespace

QDate firstDay(const QDate& navigationDate, const QString& viewMode, int firstDayOfWeek)
{
    if (!navigationDate.isValid() || !isWeekMode(viewMode))
        return navigationDate;
    int diff = navigationDate.dayOfWeek() - firstDayOfWeek;
    if (diff < 0)
        diff += 7;
    return navigationDate.addDays(-diff);
}

QList<QList<Event>> eventsByDay(const QList<Event>& events, const QDate& first, int dayCount,
                                const QTimeZone& zone, const QDateTime& now)
{
    QList<QList<Event>> days(std::max(dayCount, 0));
    if (!first.isValid() || dayCount <= 0)
        return days;
    const QDate last = first.addDays(dayCount - 1);
    const QDate today = now.isValid() ? now.toTimeZone(zone).date() : QDate();
    for (const Event& event : events) {
        const QDate startDay = ViewDays::startDay(event, zone);
        if (!startDay.isValid())
            continue;
        // Only the listed days are walked, however far the event reaches.
        const QDate from = std::max(startDay, first);
        const QDate to = std::min(ViewDays::lastDay(event, zone), last);
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            if (day == today && isOver(event, now))
                continue;
            days[first.daysTo(day)].append(event);
        }
    }
    return days;
}

QDateTime nextClockChange(const QList<Event>& todayEvents, const QDateTime& built,
                          const QTimeZone& zone)
{
    const QDateTime local = built.toTimeZone(zone);
    QDateTime next = local.date().addDays(1).startOfDay(zone);
    for (const Event& event : todayEvents) {
        if (event.isAllDay)
            continue;
        const QDateTime end = event.endTime.value_or(event.startTime);
        if (end > built && end < next)
            next = end;
    }
    return next;
}

QDate taskDay(const QDateTime& when, bool dateOnly, const QTimeZone& zone)
{
    return dateOnly ? when.toUTC().date() : when.toTimeZone(zone).date();
}

QList<QList<Task>> tasksByDay(const QList<Task>& tasks, const QDate& first, int dayCount,
                              const QTimeZone& zone)
{
    QList<QList<Task>> days(std::max(dayCount, 0));
    if (!first.isValid() || dayCount <= 0)
        return days;
    const auto place = [&](const Task& task, const QDateTime& when, bool dateOnly) {
        const qint64 index = first.daysTo(taskDay(when, dateOnly, zone));
        if (index < 0 || index >= dayCount)
            return;
        QList<Task>& day = days[index];
        const bool listed = std::any_of(day.cbegin(), day.cend(),
                                        [&task](const Task& other) { return other.id == task.id; });
        if (!listed)
            day.append(task);
    };
    for (const Task& task : tasks) {
        if (task.deletedAt)
            continue;
        if (task.startDate)
            place(task, *task.startDate, task.startIsDateOnly);
        if (task.dueDate)
            place(task, *task.dueDate, task.dueIsDateOnly);
    }
    for (QList<Task>& day : days)
        std::stable_sort(day.begin(), day.end(), taskBefore);
    return days;
}

bool taskBefore(const Task& a, const Task& b)
{
    if (a.isCompleted() != b.isCompleted())
        return !a.isCompleted();
    const auto rank = [](const Task& task) { return task.priority == 0 ? 100 : task.priority; };
    if (rank(a) != rank(b))
        return rank(a) < rank(b);
    return QString::localeAwareCompare(a.title, b.title) < 0;
}

QList<Day> shownDays(const QList<QList<Event>>& events, const QList<QList<Task>>& tasks,
                     const QDate& first, bool showEmptyDays)
{
    QList<Day> shown;
    const qsizetype count = std::max(events.size(), tasks.size());
    for (qsizetype i = 0; i < count; ++i) {
        Day day{first.addDays(i), events.value(i), tasks.value(i)};
        if (!showEmptyDays && day.events.isEmpty() && day.tasks.isEmpty())
            continue;
        shown.append(std::move(day));
    }
    return shown;
}

} // namespace AgendaDays
