#pragma once

#include "Calendar.h"
#include "Event.h"
#include "FilterEngine.h"
#include "FilterRule.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppState;
class CalendarRepository;
class EventRepository;
class FilterRuleRepository;
class ViewRepository;

// What the views show over a range, read through the hub: the calendars of the active View
// (ViewCalendars), their stored events in the range, recurring series expanded, the filter rules
// applied. The calendar views, the agenda, the mini month, the tray, the agenda export and the
// filter form's preview all read through here. Each call reads the store afresh on the GUI
// thread; nothing is cached.
namespace VisibleEvents {

// Whose events a load reads.
enum class Calendars {
    ActiveView, // the calendars the active View shows
    Every,      // every calendar, whatever the View shows
};

struct Options
{
    Calendars calendars = Calendars::ActiveView;
    // Rules applied instead of the store's enabled ones (the filter form tries its own rule).
    std::optional<QList<FilterRule>> rules;
};

struct Result
{
    // The calendars searched, for ActiveView. Empty there: the View shows none and the store was
    // not asked (an empty id list means every calendar to it). Empty for Calendars::Every.
    QStringList calendarIds;
    // Every calendar as read for the View's rule, visible or not; empty for Calendars::Every.
    QList<Calendar> calendars;
    // Every occurrence overlapping the range before the rules ran, in expansion order; occurrences
    // of one series share its id, and one that began before the range and reaches into it is kept.
    QList<Event> occurrences;
    // The rules over the occurrences: what stays (dimmed included, in the same order), the
    // dimmed occurrences and the count of hidden ones.
    FilterResult filtered;
};

// Where a load reads from: the hub's repositories, or those of another connection to the same
// store (a read off the window's thread), with the id of the View that is active.
struct Store
{
    ViewRepository* views = nullptr;
    CalendarRepository* calendars = nullptr;
    EventRepository* events = nullptr;
    FilterRuleRepository* filterRules = nullptr;
    QString activeViewId;
};

// The hub's repositories and active View; all null for a null hub.
Store storeOf(const AppState* state);

// The ids of the calendars the active View shows (ViewCalendars::ids over the hub's View and
// calendars); none for a null or uninitialised hub.
QStringList calendarIds(const AppState* state);

// The load over [from, to). A null or uninitialised hub gives an empty result.
Result load(const AppState* state, const QDateTime& from, const QDateTime& to,
            const Options& options = {});
// The same over `store`; a store missing a repository the load needs gives an empty result.
Result load(const Store& store, const QDateTime& from, const QDateTime& to,
            const Options& options = {});

// The title an event is shown with: its own, or "(Untitled)" as the details card says.
QString shownTitle(const Event& event);

} // namespace VisibleEvents
