#include "EventQuery.h"

#include "EventSort.h"

#include <QTimeZone>

namespace EventQuery {

QDateTime windowStart(const QDate& today)
{
    return today.startOfDay(QTimeZone::systemTimeZone());
}

QDateTime windowEnd(const QDate& today)
{
    return QDateTime(today.addDays(1), QTime(23, 59, 59), QTimeZone::systemTimeZone());
}

QList<Event> retainUpcoming(const QList<Event>& occurrences, const QDateTime& now,
                            const QDate& today)
{
    const QDate tomorrow = today.addDays(1);
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 endMs = windowEnd(today).toMSecsSinceEpoch();
    QList<Event> kept;
    for (const Event& event : occurrences) {
        if (event.isAllDay) {
            // Stored at 00:00 UTC of its first date, ending 00:00 UTC after its last date: the
            // dates are read as stored, so the event shows on the same days in every zone.
            const QDate first = event.startTime.date();
            QDate afterLast = event.endTime ? event.endTime->date() : first.addDays(1);
            if (afterLast <= first)
                afterLast = first.addDays(1);
            if (first <= tomorrow && afterLast > today)
                kept.append(event);
        } else if (EventSort::startKey(event) < endMs && EventSort::endKey(event) > nowMs) {
            kept.append(event);
        }
    }
    EventSort::sortByStart(kept);
    return kept;
}

} // namespace EventQuery
