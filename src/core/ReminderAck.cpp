#include "ReminderAck.h"

#include <algorithm>

namespace ReminderAck {

namespace {

bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() && b.isValid() && a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

} // namespace

QList<Outcome> decide(const Event& event, const QList<StoredReminder>& stored)
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
        outcome.trigger = event.startTime.isValid()
                              ? event.startTime.addSecs(-qint64(reminder.minutesBefore) * 60)
                              : QDateTime();
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
        const bool moved = previous.isValid() && !sameSecond(previous, outcome.trigger);
        outcome.acknowledged = outcome.acknowledged && !moved;
        outcomes.append(outcome);
    }
    return outcomes;
}

} // namespace ReminderAck
