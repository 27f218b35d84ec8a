#pragma once

#include "Event.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

// A copy of an event stored as a new, independent event of the same calendar.
namespace EventDuplicate {

// The shown event (an occurrence keeps its shown times and the series' rule, so the copy of an
// occurrence is a new series starting there) as a standalone new event titled `title`: new id
// and UID (also in its iCalendar text, which keeps the properties the record does not model but
// has no RECURRENCE-ID), no link to a server copy (provider id, ETag, href) or to a series
// (recurrence id, master UID), sequence 0, created and modified at `now`, fresh reminder and
// attendee rows, not deleted, pending. A timed copy keeps the shown event's zone when it has one
// other than UTC; otherwise it takes the zone new events take in `system`.
Event standalone(const Event& shown, const QString& title, const QDateTime& now,
                 const QTimeZone& system = QTimeZone::systemTimeZone());

} // namespace EventDuplicate
