#include "ViewDays.h"

#include <algorithm>

namespace ViewDays {

QDate startDay(const Event& event, const QTimeZone& zone)
{
    if (event.isAllDay)
        return event.startTime.toUTC().date();
    return event.startTime.toTimeZone(zone).date();
}

QList<QList<Event>> eventsByStartDay(const QList<Event>& events, const QDate& first, int dayCount,
                                     const QTimeZone& zone, bool sortByStart)
{
    QList<QList<Event>> days(std::max(dayCount, 0));
    if (!first.isValid())
        return days;
    for (const Event& event : events) {
        const qint64 index = first.daysTo(startDay(event, zone));
        if (index >= 0 && index < dayCount)
            days[index].append(event);
    }
    if (sortByStart) {
        for (QList<Event>& day : days)
            std::stable_sort(day.begin(), day.end(), [](const Event& a, const Event& b) {
                return a.startTime < b.startTime;
            });
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
        const QDate start = startDay(event, zone);
        QDate end = start;
        if (event.endTime) {
            if (event.isAllDay) {
                end = event.endTime->toUTC().date().addDays(-1);
            } else {
                const QDateTime localEnd = event.endTime->toTimeZone(zone);
                end = localEnd.date();
                // An end exactly at midnight closes the day before.
                if (localEnd.time() == QTime(0, 0))
                    end = end.addDays(-1);
            }
            end = std::max(end, start);
        }
        const QDate from = std::max(start, first);
        const QDate to = std::min(end, last);
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
