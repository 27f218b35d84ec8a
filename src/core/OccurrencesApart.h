#pragma once

#include "Event.h"
#include "SeriesEdit.h"

#include <QDateTime>
#include <QList>

// A change of a series as it is written for a server that keeps each changed occurrence as an
// item of its own, named by its series and its original start, which no update can change
// (Google). There, an override whose recurrence id a change moves cannot take its item along.
namespace OccurrencesApart {

// The plan with each override whose recurrence id it moves written into the row that names the
// occurrence at the new start: the row already stored there, or a new row that the push sends as
// that occurrence's first change. The row an override leaves goes back to what the moved series
// gives at its original start; where the series no longer has that start it is deleted, which
// cancels its item; one the server never saw is dropped. Every other row is written as planned.
// `stored` are the live rows of the series before the change.
SeriesEdit::Plan forward(const SeriesEdit::Plan& plan, const QList<Event>& stored,
                         const SeriesEdit::IdSource& newId, const QDateTime& now);

} // namespace OccurrencesApart
