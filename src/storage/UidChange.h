#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class EventRepository;
class FilterRuleRepository;
class TaskRepository;

// One change of identity: the item a calendar knows by one UID goes by another from now on. A
// create whose place on the server was taken (the item goes under a UID of its own) and a series
// made here that Google names by its id both come to it. Everything that names the item by its
// UID follows in the same write: its rows (a series' overrides) with their stored text, the rows
// that name it as their series, the filter rules made for it and a task's subtasks; and the
// event repository keeps the change for the undo entries made before it
// (EventRepository::currentUid). Identity is not an edit: the rows keep their sync state and
// modification time, but for the subtasks, which must go out again naming their parent anew.
// Runs inside the caller's transaction when there is one.
class UidChange
{
public:
    // The repositories are not owned; the filter rules may be absent.
    UidChange(EventRepository* events, TaskRepository* tasks, FilterRuleRepository* filterRules);

    // The event rows of `from` in the calendar. False when a write failed (a caller's
    // transaction is then to be rolled back).
    bool event(const QString& calendarId, const QString& from, const QString& to);

    // The task rows of `from` in the calendar: the UIDs of its subtasks, which now wait to go out
    // naming `to`, or nothing when a write failed.
    std::optional<QStringList> task(const QString& calendarId, const QString& from,
                                    const QString& to);

private:
    EventRepository* m_events;
    TaskRepository* m_tasks;
    FilterRuleRepository* m_filterRules;
};
