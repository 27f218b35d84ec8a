#pragma once

#include "Event.h"
#include "Task.h"

// What a push sends for a row the server already holds: the row's own fields over the newest copy
// of it the sync has seen. Whichever path wrote the row (a form, a drag, an undo that put an older
// text back), what another client stored there that the record does not model goes out with it,
// and the object's SEQUENCE never goes back.
namespace PushCopy {

// The SEQUENCE a row goes out with: never below the server's nor 0, and past it (nextSequence)
// when the row moves what the server holds in time or changes its rule (as a save of the form
// raises it).
int sequence(int local, int server, bool rescheduled);

// The SEQUENCE one change past `sequence`: never below 0, and the largest int stays there, since
// a server's value may stand anywhere in the range.
int nextSequence(int sequence);

// `row` with the server component's text as the text to build on (its rawIcalendar) and the
// sequence above. An event reschedules by its start, end, all-day kind, rule, added dates or
// exclusions; a task by its start, due date or rule.
Event over(const Event& row, const Event& server);
Task over(const Task& row, const Task& server);

} // namespace PushCopy
