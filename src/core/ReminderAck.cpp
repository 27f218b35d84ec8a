#include "ReminderAck.h"

#include "ReminderSchedule.h"

#include <algorithm>

namespace ReminderAck {

namespace {

bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() && b.isValid() && a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

// Whether an occurrence of `series` triggers at a cursor. Its exception dates left out, the
// series still says whether the occurrence at the cursor kept its time when only that one was
// removed.
bool triggersAtCursor(const Event& series, int minutesBefore, const QDateTime& cursor,
                      const QTimeZone& zone)
{
    Event rule = series;
    rule.exceptionDates.clear();
    return ReminderSchedule::triggersAt(rule, minutesBefore, cursor, zone);
}

// A series' row is a cursor (ReminderSchedule): every occurrence triggering before `previous`
// was reminded, and an acknowledged row reminded the one at `previous` too. A rewrite that keeps
// the occurrence's trigger keeps that place; one that moves it reminds from the first occurrence
// again, so the moved ones are not lost. True when the place was kept.
bool continueSeries(const Event& series, int minutesBefore, const QDateTime& previous,
                    const QTimeZone& zone, Outcome& outcome)
{
    const bool kept =
        triggersAtCursor(series, minutesBefore, previous, zone) ||
        !ReminderSchedule::nextTrigger(series, {}, minutesBefore, previous.addSecs(-1), zone);
    if (!kept) {
        outcome.acknowledged = false;
        return false;
    }
    outcome.trigger = previous;
    if (!outcome.acknowledged)
        return true;
    // A series done when acknowledged goes on when the rewrite gave it later occurrences.
    if (const std::optional<QDateTime> next =
            ReminderSchedule::nextTrigger(series, {}, minutesBefore, previous, zone)) {
        outcome.trigger = *next;
        outcome.acknowledged = false;
    }
    return true;
}

// The start of the occurrence of `series` whose trigger, counted in `zone`, is `trigger`: for an
// all-day one 00:00 UTC of its date, so that it holds in every zone.
QDateTime startAt(const Event& series, const QDateTime& trigger, int minutesBefore,
                  const QTimeZone& zone)
{
    if (!series.isAllDay)
        return trigger.addSecs(qint64(minutesBefore) * 60);
    return QDateTime(ReminderSchedule::allDayDateIn(trigger, minutesBefore, zone), QTime(0, 0),
                     QTimeZone::utc());
}

// The rewrite moved the occurrence at the series' cursor (`cursor`, counted in `zone`), so it
// starts over. Where an earlier rewrite set the row back likewise and the series triggers again
// where the row stood then, the times were put back (an undo): it resumes there, and what was
// reminded before stays reminded. Either way the row keeps where it stood until now: after an
// undo too, so that a redo resumes where the move had come to instead of reminding it again.
// Where the row resumes when an earlier rewrite set it back: the trigger of the occurrence it
// stood at then, when the series triggers there again. Nothing otherwise.
std::optional<QDateTime> resumption(const Event& series, int minutesBefore,
                                    const StoredReminder* row, const QTimeZone& zone)
{
    if (!row || !row->setBackFrom.isValid() || row->minutesBefore != minutesBefore)
        return std::nullopt;
    Event occurrence;
    occurrence.isAllDay = series.isAllDay;
    occurrence.startTime = row->setBackFrom;
    const QDateTime resumed = ReminderSchedule::triggerOf(occurrence, minutesBefore, zone);
    if (!triggersAtCursor(series, minutesBefore, resumed, zone))
        return std::nullopt;
    return resumed;
}

void setBack(const Event& series, int minutesBefore, const StoredReminder* row,
             const QDateTime& cursor, const QTimeZone& zone, Outcome& outcome)
{
    if (!row)
        return;
    if (const std::optional<QDateTime> resumed = resumption(series, minutesBefore, row, zone))
        outcome.trigger = *resumed;
    if (!row->acknowledged)
        outcome.setBackFrom = startAt(series, cursor, row->minutesBefore, zone);
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

        if (!event.recurrenceRule.isEmpty() && outcome.trigger.isValid() &&
            (rowTrigger.isValid() || own.isValid())) {
            // The row as stored is where the series' reminders stand: a record read before the
            // poll moved it on (an undo's, a form's) would remind again what was reminded.
            const bool current =
                !own.isValid() || !rowTrigger.isValid() || sameSecond(own, rowTrigger);
            outcome.acknowledged = (row && row->acknowledged) || (reminder.acknowledged && current);
            const QDateTime cursor = counted(rowTrigger.isValid() ? rowTrigger : own);
            // Put back where it was set back from, the series resumes there, also when the
            // move had taken the cursor past the series' end (nothing triggers from it on).
            const bool resumes = !triggersAtCursor(event, reminder.minutesBefore, cursor, zone) &&
                                 resumption(event, reminder.minutesBefore, row, zone);
            if (!resumes && continueSeries(event, reminder.minutesBefore, cursor, zone, outcome)) {
                outcome.setBackFrom = row ? row->setBackFrom : QDateTime();
            } else {
                outcome.acknowledged = false;
                setBack(event, reminder.minutesBefore, row, cursor, zone, outcome);
            }
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
