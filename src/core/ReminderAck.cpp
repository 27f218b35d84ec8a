#include "ReminderAck.h"

#include "ReminderSchedule.h"

#include <algorithm>

namespace ReminderAck {

namespace {

bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() && b.isValid() && a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

// A series' row is a cursor (ReminderSchedule): every occurrence triggering before `previous`
// was reminded, and an acknowledged row reminded the one at `previous` too. A rewrite that keeps
// the occurrence's trigger keeps that place; one that moves it reminds from the first occurrence
// again, so the moved ones are not lost.
void continueSeries(const Event& series, int minutesBefore, const QDateTime& previous,
                    const QTimeZone& zone, Outcome& outcome)
{
    // Its exception dates left out, the series still says whether the occurrence at the cursor
    // kept its time when only that one was removed.
    Event rule = series;
    rule.exceptionDates.clear();
    const bool kept =
        ReminderSchedule::triggersAt(rule, minutesBefore, previous, zone) ||
        !ReminderSchedule::nextTrigger(series, {}, minutesBefore, previous.addSecs(-1), zone);
    if (!kept) {
        outcome.acknowledged = false;
        return;
    }
    outcome.trigger = previous;
    if (!outcome.acknowledged)
        return;
    // A series done when acknowledged goes on when the rewrite gave it later occurrences.
    if (const std::optional<QDateTime> next =
            ReminderSchedule::nextTrigger(series, {}, minutesBefore, previous, zone)) {
        outcome.trigger = *next;
        outcome.acknowledged = false;
    }
}

} // namespace

QList<Outcome> decide(const Event& event, const QList<StoredReminder>& stored,
                      const QTimeZone& zone)
{
    QList<bool> claimed;
    claimed.reserve(stored.size());
    for (const StoredReminder& row : stored) {
        claimed.append(
            std::any_of(event.reminders.begin(), event.reminders.end(),
                        [&](const Reminder& reminder) { return reminder.id == row.id; }));
    }
    QList<Outcome> outcomes;
    outcomes.reserve(event.reminders.size());
    for (const Reminder& reminder : event.reminders) {
        Outcome outcome;
        outcome.id = reminder.id;
        outcome.acknowledged = reminder.acknowledged;
        outcome.trigger = ReminderSchedule::triggerOf(event, reminder.minutesBefore, zone);
        QDateTime previous = reminder.triggerTime ? *reminder.triggerTime : QDateTime();
        for (qsizetype i = 0; i < stored.size(); ++i) {
            const StoredReminder& row = stored.at(i);
            const bool match = reminder.id.isEmpty()
                                   ? !claimed.at(i) && row.minutesBefore == reminder.minutesBefore
                                   : row.id == reminder.id;
            if (!match)
                continue;
            if (reminder.id.isEmpty()) {
                claimed[i] = true;
                outcome.id = row.id;
                outcome.acknowledged = outcome.acknowledged || row.acknowledged;
            }
            if (!previous.isValid())
                previous = row.trigger;
            break;
        }
        if (!event.recurrenceRule.isEmpty() && previous.isValid() && outcome.trigger.isValid()) {
            continueSeries(event, reminder.minutesBefore, previous, zone, outcome);
        } else {
            const bool moved = previous.isValid() && !sameSecond(previous, outcome.trigger);
            outcome.acknowledged = outcome.acknowledged && !moved;
        }
        outcomes.append(outcome);
    }
    return outcomes;
}

} // namespace ReminderAck
