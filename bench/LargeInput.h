#pragma once

class EventLoopBlocks;

// Extreme but well-formed input against ordinary input, side by side in one run. Each case
// prints its lines as "<word> ratio <figure> (target <= N)" and returns false when it could not
// measure at all (a store that would not open, a window that never settled).
namespace LargeInput {

// The group page and the share dialog built from a group reply of 10,000 members, against 10.
bool members(EventLoopBlocks& app);
// A CalDAV discovery of 2,000 calendars saved, with the sources dialog's reload, against 20, per
// calendar.
bool discovery(EventLoopBlocks& app);
// The event form opened on an event with 5,000 attendees, against 5.
bool attendees(EventLoopBlocks& app);
// An agenda reload and the details card of an event with a megabyte title, location and
// description, against one with short texts.
bool longText(EventLoopBlocks& app);
// The same for the tasks pane's tick, the detached tasks window, the filter form's preview and
// the template editor: one line each.
bool longTextElsewhere(EventLoopBlocks& app);
// The first sync run of 2,000 unchanged CalDAV calendars, each writing its state back, with the
// main window and the Calendar Accounts dialog open, against 20: the longest block per calendar.
bool calendarSync(EventLoopBlocks& app);
// A cloud calendar list of 2,000 new calendars against 20, the same way, per calendar added.
bool cloudCalendarList(EventLoopBlocks& app);

} // namespace LargeInput
