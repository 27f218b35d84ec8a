#pragma once

#include "Event.h"
#include "SeriesMove.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The rows that a change of one occurrence of a recurring series (a drag, a form edit, a delete)
// turns into, for each of the three answers to "which occurrences?": pure functions of the stored
// rows, the occurrence's original start and the change. Storage only writes what they return;
// SeriesUndo gives the rows that undo them.
namespace SeriesEdit {

// The rule ending with the last occurrence that starts no later than `until`: COUNT parts are
// dropped, UNTIL parts (any case) replaced, and an UNTIL appended when there was none; the value
// is in the series' type (RuleUntil). Empty parts are dropped.
QString truncateRule(const QString& rule, const QDateTime& until, bool allDay);

// The rule of the series that continues from the occurrence at `occurrenceStart`: the master's
// rule with its end kept, an UNTIL carried over (in the series' type) and a COUNT reduced to the
// occurrences at or after that start (at least 1). `edit` moves the UNTIL by the shift of the
// start, so that the moved occurrences all stay.
QString followingRule(const Event& master, const QDateTime& occurrenceStart);

// The number of the master's occurrences that start before `instant`, exception dates included,
// as COUNT counts them.
int occurrencesBefore(const Event& master, const QDateTime& instant);

// The exception row for one moved occurrence: the master's UID (so that it and the master are one
// resource on a server), the original start as recurrence id, the master's texts and colour, the
// new times, the master's reminders and attendees (as rows of its own), no rule, pending. `id` is
// the new row's id.
Event occurrenceOverride(const Event& master, const QDateTime& occurrenceStart,
                         const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                         const QString& id, const QDateTime& now);

// The override `row` as its series `master` gives its occurrence: the master's fields at the
// original start, under the row's own id, server identity and tags, as a new pending edit with a
// SEQUENCE past the row's. Nothing when the recurrence id does not read.
std::optional<Event> occurrenceAsGiven(const Event& master, const Event& row, const QDateTime& now);

// Whether the series has an occurrence, not taken away by an exception date, whose recurrence id
// is `recurrenceId`.
bool givesOccurrence(const Event& series, const QString& recurrenceId);

// The new series that starts at the moved occurrence: a new identity (`id` as id and UID), the
// master's texts and colour, the new times and followingRule, pending.
Event followingSeries(const Event& master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                      const QString& id, const QDateTime& now);

// The rows one change of a series writes, all in one transaction. Storage rebuilds each written
// row's iCalendar text and marks it pending; a removal is a soft delete (a tombstone that keeps
// its href, so the push deletes it on the server).
struct Plan
{
    QList<Event> updates; // rows rewritten in place
    QList<Event> inserts; // new rows
    QStringList removals; // ids of rows to soft-delete
    // Rows dropped for good without a tombstone: deleted overrides whose place (calendar, UID,
    // recurrence id) a written row takes, and overrides whose occurrence comes back as the
    // series gives it (a tombstone of an override excludes its occurrence when pushed).
    QStringList purges;
    // The change cannot be made as asked (a rule whose own days cannot move with the start):
    // nothing is written.
    bool refused = false;
    // An undo only (SeriesUndo): the titles of series deleted elsewhere since the change, and of
    // those whose frame another client changed since. Such an undo writes nothing; the caller
    // tells the user.
    QStringList gone;
    QStringList changedElsewhere;
    // An undo of occurrences changed on their own only, with nothing left to put back: the day
    // (on the series' clock) of the changed occurrence deleted elsewhere since, which `gone`
    // names by its title.
    QDate goneOccurrenceDay;
    // The whole series moved: its first start when the clocks skip the wall time the move asked
    // for on that day (the series then begins and repeats at the time that start reads), for
    // the caller to tell the user.
    std::optional<QDateTime> settledStart;
};

// Gives a fresh row id (and UID for a new series) on every call.
using IdSource = std::function<QString()>;

// The instant a recurrence id or exception date names: "yyyyMMddTHHmmssZ" in UTC, "yyyyMMdd" at
// 00:00 UTC, "yyyyMMddTHHmmss" in the machine's zone; invalid when it does not read.
QDateTime instantOf(const QString& recurrenceId);

// One edited occurrence of the series (`edited`: the occurrence with the user's texts, reminders,
// attendees, calendar, rule and new times), for scope 1 (this event only), 2 (this and following)
// or 3 (all events). `overrides` are the series' live override rows; `stored` is the row already
// kept for this occurrence (live or a tombstone), revived instead of adding a second one.
// - 1: one override with the master's UID and the occurrence's recurrence id; the series is
//   untouched. Its calendar and rule are the master's: an occurrence cannot leave its series.
// - 2: the master ends before the occurrence; a new series (new UID, in the edited calendar)
//   starts at the new time and takes the exception dates and overrides after the split point;
//   its start, UNTIL, exception dates and overrides move by one move, settled as in scope 3 for
//   its start (the hour after a skipped one, the earlier of a repeated one). Split unmoved at an
//   occurrence the clocks moved off the series' time of day, it begins at the start before,
//   which it excludes, and keeps that time. On the first occurrence it is scope 3.
// - 3: the master takes the edit, its start moved by the occurrence's shift; exception dates and
//   override recurrence ids move with it (SeriesMove: whole days and the time of day, on the
//   series' own wall clock); the rule's own days (RuleShift) and the overrides' own dates move
//   by those days, and a rule that cannot follow them refuses the change (`refused`), in scope 2
//   as well. A new calendar moves master and overrides as one resource: tombstones in the old
//   calendar, new rows (same UID, no href) in the new one. A series left without a rule is the
//   one event at the edited occurrence's new times.
// Without a rule left, or with another rule or kind (all-day or timed) than the master's, the
// overrides that would hang on it are removed.
Plan edit(const Event& master, const QList<Event>& overrides, const std::optional<Event>& stored,
          const QDateTime& occurrenceStart, const Event& edited, int scope, const IdSource& newId,
          const QDateTime& now);
// As above, with the series' move given (SeriesMove::of a wall time, which `edited`'s start
// cannot name where the clocks skip it) instead of taken from `edited`'s start.
Plan edit(const Event& master, const QList<Event>& overrides, const std::optional<Event>& stored,
          const QDateTime& occurrenceStart, const Event& edited, const SeriesMove& move, int scope,
          const IdSource& newId, const QDateTime& now);

// Deleting the occurrence at `occurrenceStart`: 1 adds an exception date to the master and
// removes the override for it; 2 ends the series before it and removes the overrides from it on
// (all of it on the first occurrence); 3 removes master and overrides.
Plan remove(const Event& master, const QList<Event>& overrides, const QDateTime& occurrenceStart,
            int scope, const QDateTime& now);

} // namespace SeriesEdit
