#pragma once

#include "Event.h"
#include "EventChange.h"
#include "SeriesEdit.h"

#include <QDateTime>
#include <QString>

#include <optional>

class AppState;
class EventRepository;

// Rewrites the stored rows of a recurring series after one occurrence was moved, resized, edited
// in the form or deleted, for the scope RecurringEditScopeDialog returned. The rows come from the
// pure rules of SeriesEdit (and SeriesUndo); each operation writes all its rows in one transaction
// (all or none), marks them pending with their iCalendar text rebuilt, and reports false for a
// missing repository, an unknown scope or a failed write.
namespace RecurringEdit {

// 0 changes nothing (true); 1, 2 and 3 run the operations below.
bool apply(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
           const QDateTime& newStart, std::optional<QDateTime> newEnd, int scope);

// An exception row with the master's UID and the occurrence's original start as recurrence id;
// an exception already stored for that occurrence is rewritten instead. The master is untouched.
bool applyToThisOnly(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
                     const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The master ends before the occurrence and a new series starts at the new time, ending where
// the old one did, with the exception dates and overrides after the split. On the series' first
// occurrence the whole series moves instead, so that no series without occurrences is left.
bool applyToFollowing(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The master moves by the drag's shift and takes the dragged occurrence's new duration.
bool applyToAll(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The rule ending with the last occurrence starting no later than `until` (COUNT dropped, UNTIL
// replaced or appended), its UNTIL in the value type of a timed series, or of an all-day one.
QString truncateRule(const QString& rule, const QDateTime& until, bool allDay = false);

// The stored master of the series `row` belongs to: `row` itself when it holds the rule, the live
// master of its UID in its calendar for an override; nothing for a single event.
std::optional<Event> masterOf(EventRepository* events, const Event& row);

// The rows of a drag (new times only), a form edit (`edited` as SeriesEdit::edit takes it) or a
// delete of the occurrence at `occurrenceStart`, ready to write; nothing for an unknown scope,
// and for a new start or end that is no time (nothing is written that nobody chose). `wall`,
// when given, is the wall time the new start was read from (the form's fields, the row a block
// was dropped on): the series moves to it even where the clocks skip it on that day.
std::optional<SeriesEdit::Plan>
planMove(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
         const QDateTime& newStart, const std::optional<QDateTime>& newEnd, int scope,
         const std::optional<SeriesMove::WallTime>& wall = std::nullopt);
std::optional<SeriesEdit::Plan>
planEdit(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
         const Event& edited, int scope,
         const std::optional<SeriesMove::WallTime>& wall = std::nullopt);
std::optional<SeriesEdit::Plan> planRemove(EventRepository* events, const Event& master,
                                           const QDateTime& occurrenceStart, int scope);

// What the user is told when the whole series moved begins later than asked, at `start`
// (SeriesEdit::Plan::settledStart): the time it now has, in the 12/24-hour setting of `state`.
QString settledText(const AppState* state, const QString& title, const QDateTime& start);

// What the user is told when a change of the whole series (or of the following occurrences)
// is refused because its repeat rule cannot move with the start.
QString refusalText();

// What the user is told when an undo writes nothing because another client changed the series'
// times, zone, kind or rule since the change, or a series the change made (SeriesUndo).
QString changedElsewhereText(const QString& title);

// What the user is told when an undo of occurrences changed on their own writes nothing because
// another client deleted the changed occurrence of `title` on `day` since.
QString occurrenceGoneText(const QString& title, const QDate& day);

// Writes the plan's rows as given in one transaction, in an order that never holds two rows in
// one place (calendar, UID, recurrence id) between its writes; false for a refused plan.
bool carryOut(EventRepository* events, const SeriesEdit::Plan& plan);

// Writes the plan and, on success, pushes an undo entry with `summary` that puts back what it
// changed in every row it touched, over the rows as they stand when it runs and under the UIDs
// their items go by then (SeriesUndo::undo). At a calendar whose server keeps each changed
// occurrence as an item named by its original start (Google), the plan is written so that no
// changed occurrence is left under a start its series no longer has (OccurrencesApart). A refused
// plan is reported with refusalText and a failed write with `failure`; either pushes nothing and
// gives false. An undo that cannot be written is reported when it runs, and so is one that writes
// nothing because what the change wrote was deleted elsewhere meanwhile (EventChange::goneText)
// or its frame, or a series it made, changed there (changedElsewhereText); such an undo is not
// announced as done. While the store is held (AppState::holdStore) the write is kept for its
// release and the call gives true.
bool carryOutWithUndo(AppState* state, const SeriesEdit::Plan& plan, const QString& summary,
                      const QString& failure, const EventChange::Reporter& report);

} // namespace RecurringEdit
