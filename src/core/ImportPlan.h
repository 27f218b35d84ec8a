#pragma once

#include "Calendar.h"
#include "Event.h"

#include <QList>

#include <functional>
#include <optional>

// Which calendar an imported file goes into and which of its events are new there.
namespace ImportPlan {

struct Split
{
    QList<Event> fresh; // in file order, each (uid, recurrence id) once
    int skipped = 0;    // already in the calendar, or repeated in the file
};

// The first calendar that is default and writable, else the first writable one; none when every
// calendar is read-only (an import never writes into a read-only calendar).
std::optional<Calendar> targetCalendar(const QList<Calendar>& calendars);

// Drops events whose (uid, recurrence id) the calendar already holds (`isPresent`) and later
// repeats of a pair within the file.
Split split(const QList<Event>& parsed, const std::function<bool(const Event&)>& isPresent);

} // namespace ImportPlan
