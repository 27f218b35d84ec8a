#include "FormMerge.h"

#include "RuleUntil.h"

#include <tuple>

namespace FormMerge {

namespace {

// The four records of one Save and what it writes so far.
template <typename Record> class Merge
{
public:
    Merge(const Record& opened, const Record& shown, const Record& stored, const Record& edited)
        : m_opened(opened), m_shown(shown), m_stored(stored), m_edited(edited)
    {
        m_merged.record = stored;
    }

    // `key` gives what the field is compared by; `take` copies it from the form's values.
    template <typename Key, typename Take> void field(Field name, const Key& key, const Take& take)
    {
        const bool changedHere = !(key(m_shown) == key(m_edited));
        const bool changedElsewhere = !(key(m_opened) == key(m_stored));
        if (!changedHere && changedElsewhere)
            return;
        take(m_merged.record, m_edited);
        // Written elsewhere to something else than the user's value: the user's replaces it.
        if (changedHere && changedElsewhere && !(key(m_stored) == key(m_edited)))
            m_merged.replaced.append(name);
    }
    // `members` ties the members the field consists of; they are compared and copied as they are.
    template <typename Members> void field(Field name, const Members& members)
    {
        field(name, members,
              [&members](Record& to, const Record& from) { members(to) = members(from); });
    }

    Merged<Record> result() const { return m_merged; }

private:
    const Record& m_opened;
    const Record& m_shown;
    const Record& m_stored;
    const Record& m_edited;
    Merged<Record> m_merged;
};

QList<int> reminderMinutes(const Event& event)
{
    QList<int> minutes;
    minutes.reserve(event.reminders.size());
    for (const Reminder& reminder : event.reminders)
        minutes.append(reminder.minutesBefore);
    return minutes;
}

// What the form shows of each attendee; the row ids are the store's.
QList<std::tuple<QString, QString, QString, QString, QString, bool>>
attendeeFields(const Event& event)
{
    QList<std::tuple<QString, QString, QString, QString, QString, bool>> fields;
    fields.reserve(event.attendees.size());
    for (const Attendee& attendee : event.attendees)
        fields.append({attendee.email, attendee.name, attendee.role, attendee.status, attendee.type,
                       attendee.rsvp});
    return fields;
}

} // namespace

Merged<Event> event(const Event& opened, const Event& shown, const Event& stored,
                    const Event& edited)
{
    Merge<Event> merge(opened, shown, stored, edited);
    merge.field(Field::Title, [](auto& event) { return std::tie(event.title); });
    merge.field(Field::Calendar, [](auto& event) { return std::tie(event.calendarId); });
    merge.field(Field::Color, [](auto& event) { return std::tie(event.color); });
    merge.field(Field::Times, [](auto& event) {
        return std::tie(event.startTime, event.endTime, event.isAllDay, event.timezone);
    });
    // A form writes its rule with UNTIL in the series' value type; a rule read from elsewhere
    // may hold it in another, which is no change of its own.
    merge.field(
        Field::Rule, [](const Event& event) { return RuleUntil::ofSeries(event); },
        [](Event& to, const Event& from) { to.recurrenceRule = from.recurrenceRule; });
    merge.field(Field::Reminders, reminderMinutes,
                [](Event& to, const Event& from) { to.reminders = from.reminders; });
    merge.field(Field::Location, [](auto& event) { return std::tie(event.location); });
    merge.field(Field::Description, [](auto& event) { return std::tie(event.description); });
    merge.field(Field::Attendees, attendeeFields,
                [](Event& to, const Event& from) { to.attendees = from.attendees; });
    return merge.result();
}

Merged<Task> task(const Task& opened, const Task& shown, const Task& stored, const Task& edited)
{
    Merge<Task> merge(opened, shown, stored, edited);
    merge.field(Field::Title, [](auto& task) { return std::tie(task.title); });
    merge.field(Field::Calendar, [](auto& task) { return std::tie(task.calendarId); });
    merge.field(Field::Dates, [](auto& task) {
        return std::tie(task.startDate, task.startIsDateOnly, task.dueDate, task.dueIsDateOnly);
    });
    merge.field(Field::Rule,
                [](auto& task) { return std::tie(task.recurrenceRule, task.repeatMode); });
    merge.field(Field::Priority, [](auto& task) { return std::tie(task.priority); });
    merge.field(Field::Completed, [](auto& task) {
        return std::tie(task.status, task.percentComplete, task.completedDate);
    });
    merge.field(Field::Categories, [](auto& task) { return std::tie(task.categories); });
    merge.field(Field::Description, [](auto& task) { return std::tie(task.description); });
    return merge.result();
}

Merged<Account> account(const Account& opened, const Account& shown, const Account& stored,
                        const Account& edited)
{
    Merge<Account> merge(opened, shown, stored, edited);
    merge.field(Field::Name, [](auto& account) { return std::tie(account.name); });
    merge.field(Field::SyncInterval,
                [](auto& account) { return std::tie(account.syncIntervalMinutes); });
    merge.field(Field::Certificate, [](auto& account) {
        return std::tie(account.trustedCertSha256, account.pendingCertSha256);
    });
    return merge.result();
}

Merged<Calendar> calendar(const Calendar& opened, const Calendar& shown, const Calendar& stored,
                          const Calendar& edited)
{
    Merge<Calendar> merge(opened, shown, stored, edited);
    merge.field(Field::Name, [](auto& calendar) { return std::tie(calendar.name); });
    merge.field(Field::Color, [](auto& calendar) { return std::tie(calendar.color); });
    return merge.result();
}

Merged<FilterRule> filterRule(const FilterRule& opened, const FilterRule& shown,
                              const FilterRule& stored, const FilterRule& edited)
{
    Merge<FilterRule> merge(opened, shown, stored, edited);
    merge.field(Field::Name, [](auto& rule) { return std::tie(rule.name); });
    merge.field(Field::Conditions, [](auto& rule) {
        return std::tie(rule.type, rule.conditions, rule.eventUid, rule.eventCalendarId);
    });
    merge.field(Field::Action,
                [](auto& rule) { return std::tie(rule.action, rule.suppressReminders); });
    merge.field(Field::Enabled, [](auto& rule) { return std::tie(rule.enabled); });
    merge.field(Field::Calendars, [](auto& rule) { return std::tie(rule.calendarIds); });
    return merge.result();
}

Merged<EventTemplate> eventTemplate(const EventTemplate& opened, const EventTemplate& shown,
                                    const EventTemplate& stored, const EventTemplate& edited)
{
    Merge<EventTemplate> merge(opened, shown, stored, edited);
    merge.field(Field::Name, [](auto& eventTemplate) { return std::tie(eventTemplate.name); });
    merge.field(Field::Title, [](auto& eventTemplate) { return std::tie(eventTemplate.title); });
    merge.field(Field::Calendar,
                [](auto& eventTemplate) { return std::tie(eventTemplate.calendarId); });
    merge.field(Field::Color, [](auto& eventTemplate) { return std::tie(eventTemplate.color); });
    merge.field(Field::Times, [](auto& eventTemplate) {
        return std::tie(eventTemplate.isAllDay, eventTemplate.durationMinutes);
    });
    merge.field(Field::Rule,
                [](auto& eventTemplate) { return std::tie(eventTemplate.recurrenceRule); });
    merge.field(Field::Reminders,
                [](auto& eventTemplate) { return std::tie(eventTemplate.reminders); });
    merge.field(Field::Location,
                [](auto& eventTemplate) { return std::tie(eventTemplate.location); });
    merge.field(Field::Description,
                [](auto& eventTemplate) { return std::tie(eventTemplate.description); });
    return merge.result();
}

Merged<CalendarView> view(const CalendarView& opened, const CalendarView& shown,
                          const CalendarView& stored, const CalendarView& edited)
{
    Merge<CalendarView> merge(opened, shown, stored, edited);
    merge.field(Field::Name, [](auto& view) { return std::tie(view.name); });
    merge.field(Field::Color, [](auto& view) { return std::tie(view.color); });
    merge.field(Field::Calendars, [](auto& view) { return std::tie(view.calendarIds); });
    return merge.result();
}

} // namespace FormMerge
