#include "ReminderSchedule.h"

#include "Recurrence.h"

#include <algorithm>
#include <cstdlib>

namespace ReminderSchedule {

namespace {

// Growing look-ahead (and look-back) windows for the next (or last) occurrence: most series
// have one within days.
constexpr int lookAheadDays[] = {2, 35, 400, 4000};

// A reminder start lies within a day of the stored start (an all-day date's local start is at
// most 14 hours off 00:00 UTC), so the expansion is widened by that much and the triggers sieved.
constexpr qint64 startMarginSeconds = 86400;

// The series' own occurrences whose trigger lies in [from, to), by trigger.
QList<Event> triggeredBetween(const Event& event, const QList<Event>& overrides, int minutesBefore,
                              const QDateTime& from, const QDateTime& to, const QTimeZone& zone)
{
    const qint64 offset = qint64(minutesBefore) * 60;
    QList<Event> all{event};
    all += overrides;
    QList<Event> result;
    for (Event& occurrence : Recurrence::expand(all, from.addSecs(offset - startMarginSeconds),
                                                to.addSecs(offset + startMarginSeconds))) {
        // Overrides remind through their own rows; only the series' own occurrences count.
        if (occurrence.id != event.id || !occurrence.startTime.isValid())
            continue;
        const QDateTime at = triggerOf(occurrence, minutesBefore, zone);
        if (at < from || at >= to)
            continue;
        result.append(std::move(occurrence));
    }
    std::sort(result.begin(), result.end(),
              [](const Event& a, const Event& b) { return a.startTime < b.startTime; });
    return result;
}

} // namespace

QDateTime reminderStart(const Event& occurrence, const QTimeZone& zone)
{
    if (!occurrence.isAllDay || !occurrence.startTime.isValid())
        return occurrence.startTime;
    // startOfDay: a day whose midnight the clocks skip starts at the first time it has.
    return occurrence.startTime.toUTC().date().startOfDay(zone);
}

QDateTime triggerOf(const Event& occurrence, int minutesBefore, const QTimeZone& zone)
{
    const QDateTime start = reminderStart(occurrence, zone);
    return start.isValid() ? start.addSecs(-qint64(minutesBefore) * 60) : QDateTime();
}

qint64 allDayStoredLagSeconds(const QTimeZone& zone, const QDateTime& now)
{
    // Half a year on holds the zone's other offset, where it keeps daylight saving time.
    const qint64 offset = std::max(zone.offsetFromUtc(now), zone.offsetFromUtc(now.addDays(183)));
    return 13 * 3600 + offset;
}

QDate allDayDateOf(const QDateTime& trigger, int minutesBefore, const QTimeZone& zone)
{
    constexpr qint64 westmost = -12 * 3600;
    constexpr qint64 eastmost = 14 * 3600;
    const QDateTime start = trigger.toUTC().addSecs(qint64(minutesBefore) * 60);
    const qint64 offset = zone.offsetFromUtc(start);
    // The offset under which `start` is the start of `date`.
    const auto offsetFor = [&start](const QDate& date) {
        return start.secsTo(QDateTime(date, QTime(0, 0), QTimeZone::utc()));
    };
    QDate best = start.addSecs(westmost).date();
    if (offsetFor(best) < westmost)
        best = best.addDays(1);
    const QDate next = best.addDays(1);
    if (offsetFor(next) <= eastmost &&
        std::abs(offsetFor(next) - offset) < std::abs(offsetFor(best) - offset))
        best = next;
    return best;
}

QDate allDayDateIn(const QDateTime& trigger, int minutesBefore, const QTimeZone& zone)
{
    // The start of a day whose midnight the clocks skip is still on that day.
    return trigger.addSecs(qint64(minutesBefore) * 60).toTimeZone(zone).date();
}

QDateTime allDayTriggerIn(const QDateTime& trigger, const QDate& date, int minutesBefore,
                          const QTimeZone& zone)
{
    if (!trigger.isValid())
        return trigger;
    const QDate day = date.isValid() ? date : allDayDateOf(trigger, minutesBefore, zone);
    return day.startOfDay(zone).addSecs(-qint64(minutesBefore) * 60);
}

Shown shownOf(const Event& occurrence)
{
    if (occurrence.isAllDay)
        return {{}, occurrence.startTime.toUTC().date()};
    return {occurrence.startTime.toUTC(), {}};
}

QDateTime shownStart(const Shown& shown, const QTimeZone& zone)
{
    return shown.start.isValid() ? shown.start : shown.date.startOfDay(zone);
}

std::optional<QDateTime> nextTrigger(const Event& series, const QList<Event>& overrides,
                                     int minutesBefore, const QDateTime& after,
                                     const QTimeZone& zone)
{
    const QDateTime ahead = after.addSecs(1);
    for (int days : lookAheadDays) {
        const QList<Event> next =
            triggeredBetween(series, overrides, minutesBefore, ahead, ahead.addDays(days), zone);
        if (!next.isEmpty())
            return triggerOf(next.first(), minutesBefore, zone);
    }
    return std::nullopt;
}

std::optional<QDateTime> triggerAfter(const Event& series, int minutesBefore, const Shown& shown,
                                      const QTimeZone& zone)
{
    // Starting after `shown` is triggering after its start minus the same minutes.
    const QDateTime after = shownStart(shown, zone).addSecs(-qint64(minutesBefore) * 60);
    return nextTrigger(series, {}, minutesBefore, after, zone);
}

std::optional<Event> lastTriggered(const Event& series, const QList<Event>& overrides,
                                   int minutesBefore, const QDateTime& from, const QDateTime& to,
                                   const QTimeZone& zone)
{
    for (int days : lookAheadDays) {
        QDateTime back = to.addDays(-days);
        const bool reached = from.isValid() && back <= from;
        if (reached)
            back = from;
        const QList<Event> last =
            triggeredBetween(series, overrides, minutesBefore, back, to, zone);
        if (!last.isEmpty())
            return last.last();
        if (reached)
            break;
    }
    return std::nullopt;
}

namespace {

// decide, without the date of the next trigger.
Decision decideCursor(const Event& event, const QList<Event>& overrides, int minutesBefore,
                      const QDateTime& stored, const QDate& storedDate, const QDateTime& now,
                      const QTimeZone& zone)
{
    Decision decision;
    const qint64 offset = qint64(minutesBefore) * 60;
    const QDateTime lateBound = now.addSecs(-lateLimitSeconds);
    if (!stored.isValid() || !event.startTime.isValid())
        return decision;
    // An all-day trigger depends on the zone, which may have changed since it was stored.
    const QDateTime trigger =
        event.isAllDay ? allDayTriggerIn(stored, storedDate, minutesBefore, zone) : stored;

    if (event.recurrenceRule.isEmpty()) {
        const QDateTime due = event.isAllDay ? triggerOf(event, minutesBefore, zone) : trigger;
        if (due > now)
            decision.nextTrigger = due;
        else if (reminderStart(event, zone) <= lateBound)
            decision.missed = 1;
        else
            decision.show.append(event);
        return decision;
    }

    if (trigger > now) {
        decision.nextTrigger = trigger;
        return decision;
    }
    if (trigger.addSecs(offset) <= lateBound)
        decision.missed = 1;
    // Due: triggered since the cursor, up to now, by occurrences that started after lateBound.
    const QDateTime from = std::max(trigger, lateBound.addSecs(1 - offset));
    const QDateTime to = now.addSecs(1);
    if (from < to)
        decision.show = triggeredBetween(event, overrides, minutesBefore, from, to, zone);
    decision.nextTrigger = nextTrigger(event, overrides, minutesBefore, now, zone);
    if (!decision.show.isEmpty()) {
        decision.handled = shownOf(decision.show.last());
    } else if (decision.missed > 0) {
        // The last one passed over, so that a rewrite does not send the row back to it.
        const std::optional<Event> passed =
            lastTriggered(event, overrides, minutesBefore, trigger, from, zone);
        if (passed)
            decision.handled = shownOf(*passed);
    }
    return decision;
}

} // namespace

Decision decide(const Event& event, const QList<Event>& overrides, int minutesBefore,
                const QDateTime& stored, const QDate& storedDate, const QDateTime& now,
                const QTimeZone& zone)
{
    Decision decision =
        decideCursor(event, overrides, minutesBefore, stored, storedDate, now, zone);
    if (event.isAllDay && decision.nextTrigger)
        decision.nextDate = allDayDateIn(*decision.nextTrigger, minutesBefore, zone);
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
