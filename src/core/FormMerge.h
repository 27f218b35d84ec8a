#pragma once

#include "Account.h"
#include "Calendar.h"
#include "CalendarView.h"
#include "Event.h"
#include "EventTemplate.h"
#include "FilterRule.h"
#include "Task.h"

#include <QList>

// What a form's Save writes when the row it shows may have changed elsewhere (a sync) while it
// was open, field by field: the value as stored now where the user left the field and it changed
// elsewhere, else the form's value (the user's, or the stored one as the form writes it). Each
// takes four records: `opened`, the row as read when the form opened; `shown`, the form's values
// then; `stored`, the row as stored now; `edited`, the form's values now. `shown` and `edited`
// are in the form's own terms (filled by one function of the form), so that typing and typing
// back is no change; they need to hold only the fields the form edits. The result is `stored`
// with those fields, and the fields where the user's value replaced another value written
// elsewhere meanwhile, so that the user can be told.
namespace FormMerge {

// The fields, as the forms name them. Some move as one: an event's start, end, all-day and zone
// (Times), a task's start and due date (Dates), a rule and what a task's repeat counts from
// (Rule), the completion state, percentage and date (Completed), a template's all-day flag and
// duration (Times), an account's pinned and pending certificate (Certificate), a filter's kind
// with its conditions and event (Conditions), a filter's action with its reminder choice (Action).
enum class Field {
    Title,
    Calendar,
    Color,
    Times,
    Dates,
    Rule,
    Reminders,
    Priority,
    Completed,
    Location,
    Categories,
    Description,
    Attendees,
    Name,
    Conditions,
    Action,
    Enabled,
    Calendars,
    SyncInterval,
    Certificate,
};

template <typename Record> struct Merged
{
    Record record;
    QList<Field> replaced; // in the order above
};

// Title, calendar, colour, times, rule, reminders (by their minutes), location, description and
// attendees (by address, name, role, answer, kind and RSVP).
Merged<Event> event(const Event& opened, const Event& shown, const Event& stored,
                    const Event& edited);
// Title, calendar, dates, rule, priority, completed, categories and description.
Merged<Task> task(const Task& opened, const Task& shown, const Task& stored, const Task& edited);
// Name, sync interval and certificate.
Merged<Account> account(const Account& opened, const Account& shown, const Account& stored,
                        const Account& edited);
// Name and colour.
Merged<Calendar> calendar(const Calendar& opened, const Calendar& shown, const Calendar& stored,
                          const Calendar& edited);
// Name, conditions, action, enabled and calendars.
Merged<FilterRule> filterRule(const FilterRule& opened, const FilterRule& shown,
                              const FilterRule& stored, const FilterRule& edited);
// Name, event title, description, location, colour, calendar, times (all-day and duration), rule
// and reminders.
Merged<EventTemplate> eventTemplate(const EventTemplate& opened, const EventTemplate& shown,
                                    const EventTemplate& stored, const EventTemplate& edited);
// Name, colour and calendars.
Merged<CalendarView> view(const CalendarView& opened, const CalendarView& shown,
                          const CalendarView& stored, const CalendarView& edited);

} // namespace FormMerge
