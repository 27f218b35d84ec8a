#pragma once

#include "Event.h"
#include "FilterEngine.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class AppState;

// What the calendar views keep of a reload: the occurrences VisibleEvents shows with what the rules
// decided, and the colours they are drawn in. One synchronous pass over the repositories each
// time a view reloads; nothing is cached.
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

// The reload over [from, to): VisibleEvents::load with the active View's calendars and the
// enabled rules, plus every calendar's colour.
Result load(const AppState* state, const QDateTime& from, const QDateTime& to);

// The colour an item is drawn in: its own colour, else its calendar's, else
// `Defaults::itemColour`; text that does not parse as a colour gives it too.
QColor itemColor(const Event& event, const QHash<QString, QString>& calendarColors);

// The title a view draws for an event: its own, or "(Untitled)" as the details card says. Cut
// to Limits::maxRowTextChars, since every view elides it to one line and laying out a megabyte
// title would cost each view switch seconds.
QString shownTitle(const Event& event);

// The range of one or more whole local days from `first`: [first 00:00, first + days 00:00).
QDateTime rangeStart(const QDate& first);
QDateTime rangeEnd(const QDate& first, int days);

} // namespace ViewData
