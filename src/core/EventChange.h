#pragma once

#include "Event.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// Direct edits of one stored event from the views (a drag that moves or resizes it, a delete)
// and their undo. The decisions are pure functions over records; the overloads over the state
// hub that carry them out through its event repository and undo list are in EventChangeState.h.
namespace EventChange {

// Receives a message for the user when a write or a later undo fails. An undo entry keeps it,
// so it may run long after the caller is gone: capture guarded pointers only.
using Reporter = std::function<void(const QString& message)>;

// The occurrence starting at `instanceStart`, moved by `offsetMinutes` on the machine's wall clock
// (the clock the timelines show; WeekDrag::movedStart): its new start, and the new end keeping
// the record's duration (nothing when the record has no end).
QDateTime movedStart(const QDateTime& instanceStart, int offsetMinutes);
std::optional<QDateTime> movedEnd(const Event& record, const QDateTime& newStart);

// The end of the occurrence starting at `instanceStart` after dragging it by `deltaMinutes`,
// never less than 15 minutes after that start; nothing when the record has no end.
std::optional<QDateTime> resizedEnd(const Event& record, const QDateTime& instanceStart,
                                    int deltaMinutes);

// The record of a single event (no recurrence rule) after the move or resize: new times, stamped
// `now`, "pending", its stored iCalendar times rewritten (the start stands for a missing end).
Event moved(const Event& record, const QDateTime& instanceStart, int offsetMinutes,
            const QDateTime& now);
Event resized(const Event& record, const QDateTime& instanceStart, int deltaMinutes,
              const QDateTime& now);

// `current` with every field that `written` changed from `before` put back to `before`'s value,
// so that what another client or a later edit changed in the fields the edit left alone stays.
// The fields: title, description, location, geo position, times (start, end, all-day and zone
// as one), rule, added and excluded dates, recurrence id, status, links, organizer, colour,
// calendar, deletion, reminders (by minutes and action) and attendees (by what they hold, not
// their row ids). Identity, server tags, SEQUENCE, text and stamps are `current`'s.
Event putBack(const Event& before, const Event& written, const Event& current);
// As above, but each field the edit changed takes `values`' value of it: what the field would
// hold now had the edit not been made.
Event putBack(const Event& before, const Event& written, const Event& current, const Event& values);

// Whether two series repeat by one rule, whatever way each is written: its parts by name in any
// order and case, an UNTIL by the instant it names on its own series' clock, the values of a BY
// part as a set, INTERVAL=1 and WKST=MO as if absent. putBack compares rules this way.
bool sameRule(const Event& a, const Event& b);

// Whether the two records hold the same value in every field putBack compares.
bool sameFields(const Event& a, const Event& b);
// Whether the two records hold the same reminders by minutes and kind, a "popup" reminder (as
// Google names the kind) being a "display" one.
bool sameReminders(const Event& a, const Event& b);
// Whether a row read back from its server holds what the program wrote there: every field
// sameFields compares, reminders as sameReminders does; where `serverKeepsItsOwn` (Google), the
// fields the program never writes to that server and the server fills in of its own (organizer,
// links, guests, geo position, added dates) aside.
bool sameAsWritten(const Event& current, const Event& written, bool serverKeepsItsOwn);

// What undoing an edit writes, given the record before the edit, the record the edit wrote and
// the row as it stands now:
// - the row is still pending with the ETag, href and provider id the edit wrote (not pushed
//   since) and nothing changed it since: the record before, exactly (so a "synced" event is
//   "synced" again), under the UID the row goes by now;
// - otherwise the row as it stands now with the fields the edit changed put back (putBack), its
//   stored text's times rewritten when they were among them (the text built anew when they go
//   back to the other kind, all-day or timed), as a new pending edit stamped `now`;
// - the row is gone or deleted: nothing (the caller reports it).
std::optional<Event> undoRecord(const Event& before, const Event& written,
                                const std::optional<Event>& current, const QDateTime& now);

// What a write that follows a question (a menu, a confirmation, a scope dialog) acts on: the row
// `read` was read from, as `current` holds it now, while it is still live in the same calendar.
// Nothing when it is gone, deleted or moved to another calendar; the caller then writes nothing.
std::optional<Event> stillStored(const Event& read, const std::optional<Event>& current);

} // namespace EventChange
