#include "ReminderAck.h"

#include "ReminderSchedule.h"

#include <algorithm>

namespace ReminderAck {

using ReminderSchedule::Shown;

namespace {

bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() && b.isValid() && a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

// A series' row goes on from the occurrence it handled last, whatever the rewrite did to the
// series: one that is new or moved after it is reminded, one put back before it is not, and
// with none after it the series stays done.
void continueSeries(const Event& series, int minutesBefore, const QTimeZone& zone, Outcome& outcome)
{
    outcome.acknowledged = false;
    if (!outcome.lastShown.isValid())
        return;
    if (const std::optional<QDateTime> next =
            ReminderSchedule::triggerAfter(series, minutesBefore, outcome.lastShown, zone)) {
        outcome.trigger = *next;
        return;
    }
    outcome.trigger =
        ReminderSchedule::shownStart(outcome.lastShown, zone).addSecs(-qint64(minutesBefore) * 60);
    outcome.acknowledged = true;
}

} // namespace

Shown shownByCursor(const Event& series, int minutesBefore, const QDateTime& trigger,
                    const QDate& date, bool acknowledged, const QTimeZone& zone)
{
    if (!trigger.isValid())
        return {};
    const QDateTime cursor =
        series.isAllDay ? ReminderSchedule::allDayTriggerIn(trigger, date, minutesBefore, zone)
                        : trigger;
    if (acknowledged && series.isAllDay)
        return {{}, ReminderSchedule::allDayDateIn(cursor, minutesBefore, zone)};
    if (acknowledged)
        return {cursor.addSecs(qint64(minutesBefore) * 60).toUTC(), {}};
    const std::optional<Event> before =
        ReminderSchedule::lastTriggered(series, {}, minutesBefore, {}, cursor, zone);
    return before ? ReminderSchedule::shownOf(*before) : Shown{};
}

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
        outcome.trigger = ReminderSchedule::triggerOf(event, reminder.minutesBefore, zone);
        const StoredReminder* row = nullptr;
        for (qsizetype i = 0; i < stored.size() && !row; ++i) {
            const StoredReminder& candidate = stored.at(i);
            if (reminder.id.isEmpty()) {
                if (claimed.at(i) || candidate.minutesBefore != reminder.minutesBefore)
                    continue;
                claimed[i] = true;
                outcome.id = candidate.id;
            } else if (candidate.id != reminder.id) {
                continue;
            }
            row = &candidate;
        }
        const QDateTime own = reminder.triggerTime ? *reminder.triggerTime : QDateTime();
        const QDateTime rowTrigger = row ? row->trigger : QDateTime();
        // A known trigger counted in the zone now: an all-day one may have been counted in
        // another, with the minutes of the row as stored (a form may have changed the record's)
        // and the date stored with it, which the record's own trigger shares when it is the row's.
        const int minutes = row ? row->minutesBefore : reminder.minutesBefore;
        const auto counted = [&](const QDateTime& trigger) {
            if (!event.isAllDay || !trigger.isValid())
                return trigger;
            const QDate date = sameSecond(trigger, rowTrigger) ? row->date : QDate();
            return ReminderSchedule::allDayTriggerIn(trigger, date, minutes, zone);
        };
        const auto stays = [&](const QDateTime& trigger) {
            return sameSecond(counted(trigger), outcome.trigger);
        };

        outcome.lastShown = row ? row->lastShown : Shown{};
        if (!event.recurrenceRule.isEmpty() && outcome.trigger.isValid() &&
            (rowTrigger.isValid() || own.isValid() || outcome.lastShown.isValid())) {
            // Only a cursor tells what a row acknowledged without its last occurrence, or a
            // record put back without its row (an undone delete), had handled. An open row
            // without one handled none.
            if (!outcome.lastShown.isValid() && (!row || row->acknowledged)) {
                const bool rowCursor = rowTrigger.isValid();
                outcome.lastShown = shownByCursor(
                    event, minutes, rowCursor ? rowTrigger : own, rowCursor ? row->date : QDate(),
                    row ? row->acknowledged : reminder.acknowledged, zone);
            }
            continueSeries(event, reminder.minutesBefore, zone, outcome);
        } else if (own.isValid() && !stays(own)) {
            // The record's own trigger moved: the user changed its start or offset.
            outcome.acknowledged = false;
        } else {
            const QDateTime previous = own.isValid() ? own : rowTrigger;
            const bool recordShown =
                reminder.acknowledged && (!previous.isValid() || stays(previous));
            // What the row says was shown holds against a record read before it was shown.
            const bool rowShown = row && row->acknowledged && stays(rowTrigger);
            outcome.acknowledged = recordShown || rowShown;
        }
        if (event.isAllDay && outcome.trigger.isValid())
            outcome.date =
                ReminderSchedule::allDayDateIn(outcome.trigger, reminder.minutesBefore, zone);
        outcomes.append(outcome);
    }
    return outcomes;
}

} // namespace ReminderAck
