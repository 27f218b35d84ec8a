#include "OccurrencesApart.h"

#include "PushCopy.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

bool seen(const Event& row)
{
    return !row.providerEventId.isEmpty() || !row.etag.isEmpty() || !row.href.isEmpty();
}

// Reminders and guests that another row holds become rows of `row`.
void ownChildren(Event& row)
{
    for (Reminder& reminder : row.reminders) {
        if (reminder.eventId == row.id)
            continue;
        reminder.id.clear();
        reminder.eventId.clear();
        reminder.acknowledged = false;
        reminder.triggerTime.reset();
    }
    for (Attendee& attendee : row.attendees) {
        if (attendee.eventId == row.id)
            continue;
        attendee.id.clear();
        attendee.eventId.clear();
    }
}

// The occurrence as the change wrote it, in the row that names its new start on the server.
Event into(const Event& written, const Event& holder)
{
    Event row = written;
    row.id = holder.id;
    row.providerEventId = holder.providerEventId;
    row.etag = holder.etag;
    row.href = holder.href;
    row.created = holder.created;
    row.sequence = std::max(written.sequence, PushCopy::nextSequence(holder.sequence));
    ownChildren(row);
    return row;
}

// The occurrence as the change wrote it, as a new row: its first change on the server.
Event anew(const Event& written, const QString& id, const QDateTime& now)
{
    Event row = written;
    row.id = id;
    row.providerEventId.clear();
    row.etag.clear();
    row.href.clear();
    row.created = now.toUTC();
    ownChildren(row);
    return row;
}

} // namespace

namespace OccurrencesApart {

SeriesEdit::Plan forward(const SeriesEdit::Plan& plan, const QList<Event>& stored,
                         const SeriesEdit::IdSource& newId, const QDateTime& now)
{
    QHash<QString, Event> storedById;
    for (const Event& row : stored)
        storedById.insert(row.id, row);
    struct Move
    {
        Event left;    // the override as stored, at its original start
        Event written; // as the change wrote it, at the moved start
    };
    QList<Move> moves;
    SeriesEdit::Plan result = plan;
    result.updates.clear();
    const Event* series = nullptr;
    for (const Event& row : plan.updates) {
        const auto was = storedById.constFind(row.id);
        if (!row.recurrenceId.isEmpty() && was != storedById.cend() &&
            !was->recurrenceId.isEmpty() && was->recurrenceId != row.recurrenceId &&
            was->calendarId == row.calendarId) {
            moves.append({*was, row});
            continue;
        }
        if (row.recurrenceId.isEmpty() && !row.recurrenceRule.isEmpty())
            series = &row;
        result.updates.append(row);
    }
    if (moves.isEmpty() || !series)
        return plan;

    QHash<QString, Event> byStart; // the series' overrides by recurrence id
    for (const Event& row : stored) {
        if (!row.recurrenceId.isEmpty() && row.uid == series->uid &&
            row.calendarId == series->calendarId)
            byStart.insert(row.recurrenceId, row);
    }
    QSet<QString> taken;
    for (const Move& move : std::as_const(moves)) {
        const auto holder = byStart.constFind(move.written.recurrenceId);
        if (holder != byStart.cend()) {
            result.updates.append(into(move.written, *holder));
            taken.insert(holder->id);
        } else {
            result.inserts.append(anew(move.written, newId(), now));
        }
    }
    for (const Move& move : std::as_const(moves)) {
        const Event& left = move.left;
        if (taken.contains(left.id))
            continue;
        if (!seen(left)) {
            result.purges.append(left.id);
            continue;
        }
        if (SeriesEdit::givesOccurrence(*series, left.recurrenceId)) {
            if (const std::optional<Event> given =
                    SeriesEdit::occurrenceAsGiven(*series, left, now)) {
                result.updates.append(*given);
                continue;
            }
        }
        result.removals.append(left.id);
    }
    return result;
}

} // namespace OccurrencesApart
