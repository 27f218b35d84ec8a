#pragma once

#include "Calendar.h"
#include "Event.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// Which calendar an imported file goes into, which of its events are new there, and what the
// import leaves out.
namespace ImportPlan {

struct Split
{
    QList<Event> fresh;   // in file order, each (uid, recurrence id) once
    int present = 0;      // already in the calendar
    int repeated = 0;     // a later copy of a pair earlier in the file
    int withoutStart = 0; // no readable DTSTART: a row needs a start, so it cannot be stored
};

// What one file gives: the events to store and each kind of item left out.
struct Counts
{
    int fresh = 0;
    int present = 0;
    int repeated = 0;
    int withoutUid = 0;   // VEVENTs that give no event: no UID, or unreadable
    int withoutStart = 0; // events without a readable start
    int tasks = 0;        // VTODOs: an import of a file takes its events only
    int skipped() const { return present + repeated + withoutUid + withoutStart + tasks; }
    // Events the file holds at all.
    int events() const { return fresh + present + repeated; }
};

// The first calendar that is default and writable, else the first writable one; none when every
// calendar is read-only (an import never writes into a read-only calendar).
std::optional<Calendar> targetCalendar(const QList<Calendar>& calendars);

// The identity of an event within one calendar: uid and recurrence id.
QString key(const Event& event);

// Drops events whose key the calendar already holds (`isPresent`), later repeats of a key
// within the file, and events without a start (the first copy of a key decides, as for a feed).
// `seen` carries the keys met so far from one part of a file to the next.
Split split(const QList<Event>& parsed, QSet<QString>& seen,
            const std::function<bool(const Event&)>& isPresent);

} // namespace ImportPlan
