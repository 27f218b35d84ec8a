#include "ReminderSchedule.h"

#include "Recurrence.h"

#include <algorithm>

namespace ReminderSchedule {

namespace {

// Growing look-ahead windows for the next occurrence: most series have one within days.
constexpr int lookAheadDays[] = {2, 35, 400, 4000};

QList<Event> seriesOccurrences(const Event& event, const QList<Event>& overrides,
                               const QDateTime& from, const QDateTime& to)
{
    QList<Event> all{event};
    all += overrides;
    QList<Event> result;
    for (Event& occurrence : Recurrence::expand(all, from, to)) {
        // Overrides remind through their own rows; only the series' own occurrences count.
        if (occurrence.id != event.id || !occurrence.startTime.isValid() ||
            occurrence.startTime < from)
            continue;
        result.append(std::move(occurrence));
    }
    std::sort(result.begin(), result.end(),
              [](const Event& a, const Event& b) { return a.startTime < b.startTime; });
    return result;
}

} // namespace

Decision decide(const Event& event, const QList<Event>& overrides, int minutesBefore,
                const QDateTime& trigger, const QDateTime& now)
{
    Decision decision;
    const qint64 offset = qint64(minutesBefore) * 60;
    const QDateTime lateBound = now.addSecs(-lateLimitSeconds);
    if (!trigger.isValid() || !event.startTime.isValid())
        return decision;

    if (event.recurrenceRule.isEmpty()) {
        if (trigger > now)
            decision.nextTrigger = trigger;
        else if (event.startTime <= lateBound)
            decision.missed = 1;
        else
            decision.show.append(event);
        return decision;
    }

    if (trigger > now) {
        decision.nextTrigger = trigger;
        return decision;
    }
    const QDateTime cursorStart = trigger.addSecs(offset);
    if (cursorStart <= lateBound)
        decision.missed = 1;
    const QDateTime dueUntil = now.addSecs(offset);
    const QDateTime from = std::max(cursorStart, lateBound.addSecs(1));
    if (from <= dueUntil) {
        for (const Event& occurrence :
             seriesOccurrences(event, overrides, from, dueUntil.addSecs(1))) {
            if (occurrence.startTime <= dueUntil)
                decision.show.append(occurrence);
        }
    }

    const QDateTime ahead = dueUntil.addSecs(1);
    for (int days : lookAheadDays) {
        const QList<Event> next = seriesOccurrences(event, overrides, ahead, ahead.addDays(days));
        if (!next.isEmpty()) {
            decision.nextTrigger = next.first().startTime.addSecs(-offset);
            break;
        }
    }
    return decision;
}

Lead lead(const QDateTime& start, const QDateTime& now, const QTimeZone& zone)
{
    const qint64 seconds = now.secsTo(start);
    if (seconds <= 0)
        return {};
    const qint64 minutes = (seconds + 59) / 60;
    if (minutes < 60)
        return {Lead::Kind::Minutes, int(minutes)};
    const QDate today = now.toTimeZone(zone).date();
    const QDate day = start.toTimeZone(zone).date();
    // A day of 25 hours (the clocks going back) still holds a start over a day away.
    if (minutes < 24 * 60 || day == today)
        return {Lead::Kind::Hours, int(minutes / 60)};
    if (day == today.addDays(1))
        return {Lead::Kind::Tomorrow, 0};
    return {Lead::Kind::OnDate, 0};
}

} // namespace ReminderSchedule
