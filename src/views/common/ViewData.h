#pragma once

#include "Calendar.h"
#include "CalendarView.h"
#include "Event.h"
#include "FilterEngine.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class AppState;

// How every calendar view reads what it shows: the visible calendars of the active View, their
// events in a range with recurring series expanded, the filter rules applied, and the colours.
// One synchronous pass over the repositories each time a view reloads; nothing is cached.
namespace ViewData {

// What one reload yields; a view replaces its previous result with it whole.
struct Result
{
    // Occurrences that no "hide" rule removed, in expansion order; occurrences of one series
    // share the series' id. Occurrences that began before the range and reach into it are kept.
    QList<Event> events;
    // Occurrences whose deciding rule dims them (FilterEngine::OccurrenceKey::of an event).
    QSet<FilterEngine::OccurrenceKey> dimmed;
    // Every calendar's colour text by calendar id, visible or not.
    QHash<QString, QString> calendarColors;
    // Occurrences the "hide" rules removed.
    int hiddenCount = 0;
};

// The calendars a View lists, in its order (duplicates kept; an element that is not a text
// gives an empty id). No View: none. A View listing none ("[]", or text that is not a JSON
// array): the ids of the calendars whose isVisible is set, in the given order.
QStringList visibleCalendarIds(const std::optional<CalendarView>& activeView,
                               const QList<Calendar>& calendars);

// Over the hub: the active View and every calendar (null or uninitialised hub: none).
QStringList visibleCalendarIds(const AppState* state);

// The reload over [from, to). With no visible calendar the store is not asked (an empty id list
// would mean every calendar to it) and the rules run over nothing.
Result load(const AppState* state, const QDateTime& from, const QDateTime& to);

// The colour an item is drawn in: its own colour, else its calendar's, else
// `Defaults::itemColour`; text that does not parse as a colour gives it too.
QColor itemColor(const Event& event, const QHash<QString, QString>& calendarColors);

// The title a view draws for an event: its own, or "(Untitled)" as the details card says.
QString shownTitle(const Event& event);

// The range of one or more whole local days from `first`: [first 00:00, first + days 00:00).
QDateTime rangeStart(const QDate& first);
QDateTime rangeEnd(const QDate& first, int days);

} // namespace ViewData
