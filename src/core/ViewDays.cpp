#include "ViewDays.h"

#include <algorithm>
#include <limits>

namespace ViewDays {

namespace {

constexpr qint64 msPerDay = 86400000;
// QDate's Julian day of 1970-01-01.
constexpr qint64 epochJulianDay = 2440588;

// Where an instant falls on the local calendar: its date, and whether it is that date's 00:00.
struct LocalDay
{
    QDate date;
    bool atMidnight = false;
};

LocalDay convertedDay(const QDateTime& instant, const QTimeZone& zone)
{
    const QDateTime local = instant.toTimeZone(zone);
    return {local.date(), local.time() == QTime(0, 0)};
}

// The same answer as convertedDay for many instants. Asking the zone for its offset costs far
// more than the arithmetic after it, and the offset only changes at the zone's transitions: the
// span between the two transitions around the last instant asked about is kept, and instants
// inside it are placed by adding its offset.
class LocalDays
{
public:
    explicit LocalDays(const QTimeZone& zone) : m_zone(zone) {}

    LocalDay of(const QDateTime& instant)
    {
        if (!instant.isValid() || !m_zone.isValid())
            return convertedDay(instant, m_zone);
        const qint64 utc = instant.toMSecsSinceEpoch();
        const qint64 local = utc + offsetAt(utc);
        const qint64 day = local >= 0 ? local / msPerDay : -((-local - 1) / msPerDay) - 1;
        return {QDate::fromJulianDay(epochJulianDay + day), local == day * msPerDay};
    }

private:
    qint64 offsetAt(qint64 utc)
    {
        if (utc >= m_from && utc < m_to)
            return m_offset;
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(utc, QTimeZone::utc());
        m_offset = qint64(m_zone.offsetFromUtc(at)) * 1000;
        m_from = utc;
        m_to = utc + 1;
        if (!m_zone.hasTransitions()) {
            m_from = std::numeric_limits<qint64>::min();
            m_to = std::numeric_limits<qint64>::max();
            return m_offset;
        }
        // A transition exactly at `utc` may or may not count as before it; the offset it set
        // tells whether the span reaches back past it.
        const QTimeZone::OffsetData before = m_zone.previousTransition(at);
        if (!before.atUtc.isValid())
            m_from = std::numeric_limits<qint64>::min();
        else if (qint64(before.offsetFromUtc) * 1000 == m_offset)
            m_from = std::min(before.atUtc.toMSecsSinceEpoch(), utc);
        const QTimeZone::OffsetData after = m_zone.nextTransition(at);
        if (!after.atUtc.isValid())
            m_to = std::numeric_limits<qint64>::max();
        else if (after.atUtc.toMSecsSinceEpoch() > utc)
            m_to = after.atUtc.toMSecsSinceEpoch();
        return m_offset;
    }

    QTimeZone m_zone;
    qint64 m_from = 0;
    qint64 m_to = 0;
    qint64 m_offset = 0;
};

struct DaySpan
{
    QDate first;
    QDate last;
};

// The first and last day of an event, each end placed once by `placeDay` (a timed event's ends
// only; an all-day event keeps its stored dates).
template <typename PlaceDay> DaySpan daySpan(const Event& event, PlaceDay&& placeDay)
{
    DaySpan span;
    span.first = event.isAllDay ? event.startTime.toUTC().date() : placeDay(event.startTime).date;
    if (!event.endTime) {
        span.last = span.first;
        return span;
    }
    QDate end;
    if (event.isAllDay) {
        end = event.endTime->toUTC().date().addDays(-1);
    } else {
        const LocalDay localEnd = placeDay(*event.endTime);
        end = localEnd.date;
        // An end exactly at midnight closes the day before.
        if (localEnd.atMidnight)
            end = end.addDays(-1);
    }
    span.last = std::max(end, span.first);
    return span;
}

DaySpan daySpan(const Event& event, LocalDays& localDays)
{
    return daySpan(event, [&localDays](const QDateTime& instant) { return localDays.of(instant); });
}

} // namespace

QDate startDay(const Event& event, const QTimeZone& zone)
{
    if (event.isAllDay)
        return event.startTime.toUTC().date();
    return event.startTime.toTimeZone(zone).date();
}

QDate lastDay(const Event& event, const QTimeZone& zone)
{
    return daySpan(event, [&zone](const QDateTime& instant) { return convertedDay(instant, zone); })
        .last;
}

QList<QList<Event>> eventsByDay(const QList<Event>& events, const QDate& first, int dayCount,
                                const QTimeZone& zone)
{
    QList<QList<Event>> days(std::max(dayCount, 0));
    if (!first.isValid() || dayCount <= 0)
        return days;
    // The order is decided on small records holding each event's position, so the events
    // themselves are neither copied to be sorted nor moved around while sorting.
    struct Placed
    {
        qsizetype index;
        bool allDay;
        qint64 start;
        qint64 from;
        qint64 to;
    };
    QList<Placed> placed;
    placed.reserve(events.size());
    QList<qsizetype> perDay(dayCount, 0);
    LocalDays localDays(zone);
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event& event = events[i];
        const DaySpan span = daySpan(event, localDays);
        if (!span.first.isValid())
            continue;
        const qint64 from = std::max<qint64>(first.daysTo(span.first), 0);
        const qint64 to = std::min<qint64>(first.daysTo(span.last), dayCount - 1);
        if (from > to)
            continue;
        placed.append({i, event.isAllDay, event.startTime.toMSecsSinceEpoch(), from, to});
        for (qint64 day = from; day <= to; ++day)
            ++perDay[day];
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.allDay != b.allDay)
            return a.allDay;
        return a.start < b.start;
    });
    for (int day = 0; day < dayCount; ++day)
        days[day].reserve(perDay[day]);
    for (const Placed& item : std::as_const(placed)) {
        for (qint64 day = item.from; day <= item.to; ++day)
            days[day].append(events[item.index]);
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
    LocalDays localDays(zone);
    for (const Event& event : events) {
        const DaySpan span = daySpan(event, localDays);
        const QDate from = std::max(span.first, first);
        const QDate to = std::min(span.last, last);
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
