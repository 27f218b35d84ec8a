#pragma once

#include "Event.h"

#include <QString>

// Google's copy of a series and the series here, while a change made here has not reached Google:
// Google names an occurrence, cancelled or changed, by its start in its own copy, which a move of
// the series here (or its undo) leaves behind. Pure.
namespace Google::SeriesCopy {

// The recurrence id, in `series`, of the occurrence that `recurrenceId` names in `copy`: the same
// where `series` has that start, or `copy` does not; else that start moved as the series moved
// between the two (whole days and the time of day) onto the occurrence of `series` there. Rules
// repeat at most once a day, so the moved day has one. The id as given when `series` has none.
QString carried(const Event& copy, const Event& series, const QString& recurrenceId);

// The exception dates of `series`, each carried from `copy` as above: those it took from Google's
// cancellations name Google's starts.
QString exceptionDates(const Event& copy, const Event& series);

} // namespace Google::SeriesCopy
