#include "ViewDays.h"

#include <algorithm>

namespace ViewDays {

QDate startDay(const Event& event, const QTimeZone& zone)
{
    if (event.isAllDay)
        return event.startTime.toUTC().date();
    return event.startTime.toTimeZone(zone).date();
}

QDate lastDay(const Event& event, const QTimeZone& zone)
{
    const QDate start = startDay(event, zone);
    if (!event.endTime)
        return start;
    QDate end;
    if (event.isAllDay) {
        end = event.endTime->toUTC().date().addDays(-1);
    } else {
        const QDateTime localEnd = event.endTime->toTimeZone(zone);
        end = localEnd.date();
        // An end exactly at midnight closes the day before.
        if (localEnd.time() == QTime(0, 0))
            end = end.addDays(-1);
    }
    return std::max(end, start);
}

QList<QList<Event>> eventsByDay(const QList<Event>& events, const QDate& first, int dayCount,
                                const QTimeZone& zone)
{
    QList<QList<Event>> days(std::max(dayCount, 0));
    if (!first.isValid() || dayCount <= 0)
        return days;
    QList<Event> ordered = events;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Event& a, const Event& b) {
        if (a.isAllDay != b.isAllDay)
            return a.isAllDay;
        return a.startTime < b.startTime;
    });
    for (const Event& event : std::as_const(ordered)) {
        if (!startDay(event, zone).isValid())
            continue;
        const qint64 from = std::max<qint64>(first.daysTo(startDay(event, zone)), 0);
        const qint64 to = std::min<qint64>(first.daysTo(lastDay(event, zone)), dayCount - 1);
        for (qint64 index = from; index <= to; ++index)
            days[index].append(event);
    }
    return days;
}

QSet<QDate> coveredDays(const QList<Event>& events, const QDate& first, int dayCount,
                        const QTimeZone& zone)
{
    QSet<QDate> days;
    if (!first.isValid() || dayCount <= 0)
        return days;
    const QDate last = first.addDays(dayCount - 1);
    for (const Event& event : events) {
        const QDate from = std::max(startDay(event, zone), first);
        const QDate to = std::min(lastDay(event, zone), last);
        for (QDate day = from; day <= to; day = day.addDays(1))
            days.insert(day);
    }
    return days;
}

StartDays startDays(const QList<Event>& events, const QHash<QString, QString>& calendarColors,
                    const QTimeZone& zone)
{
    StartDays result;
    for (const Event& event : events) {
        const QDate day = startDay(event, zone);
        result.days.insert(day);
        if (!result.colors.contains(day))
            result.colors.insert(day, event.color.isEmpty() ? calendarColors.value(event.calendarId)
                                                            : event.color);
    }
    return result;
}

} // namespace ViewDays
