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

// The occurrence starting at `instanceStart`, moved by `offsetMinutes`: its new start, and the
// new end keeping the record's duration (nothing when the record has no end).
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

// What undoing an edit writes, given the record before the edit, the record the edit wrote and
// the row as it stands now:
// - the row is still pending with the ETag, href and provider id the edit wrote (not pushed
//   since): the record before, exactly (so a "synced" event is "synced" again);
// - it was pushed (or refreshed from the server) since: the old fields as a new pending edit on
//   top of the row's current ETag, href, provider id and UID, stamped `now`;
// - the row is gone or deleted: nothing (the caller reports it).
std::optional<Event> undoRecord(const Event& before, const Event& written,
                                const std::optional<Event>& current, const QDateTime& now);

// What a write that follows a question (a menu, a confirmation, a scope dialog) acts on: the row
// `read` was read from, as `current` holds it now, while it is still live in the same calendar.
// Nothing when it is gone, deleted or moved to another calendar; the caller then writes nothing.
std::optional<Event> stillStored(const Event& read, const std::optional<Event>& current);

} // namespace EventChange
