#pragma once

#include "Event.h"
#include "EventChange.h"
#include "SeriesMove.h"

#include <QDateTime>
#include <QString>

#include <optional>

class AppState;
class QWidget;

// What the views and the details card do with an occurrence of a recurring series when the user
// edits or deletes it: ask which occurrences the change is for, then carry it out through
// RecurringEdit with an undo entry. Each returns false, having done nothing, for an event that is
// no part of a series (or whose occurrence is unknown); the caller then treats it as one event.
// Cancelling the question changes nothing and still counts as handled. What is written is
// planned from the series as stored once the question has closed (a sync may have changed it
// meanwhile); a series gone or moved to another calendar by then is reported, and nothing is
// written. `host` parents the dialogs; `appState` must outlive them.
namespace SeriesActions {

// For an occurrence of a series (`stored` its master and `occurrenceStart` the occurrence's own
// start, or `stored` one of its overrides): the scope question, then the event form on the
// occurrence, saved for that scope.
bool edit(AppState* appState, QWidget* host, const Event& stored, const QDateTime& occurrenceStart);

// A drag or resize of the occurrence of the series `master` that started at `occurrenceStart`:
// the scope question, then the new times for that scope with the undo entry `summary`. A failed
// write is reported with `failure`, and so is the time a whole series moved to a wall time the
// clocks skip now has (RecurringEdit::settledText). `wall` is the wall time of the row the
// block landed on, when there is one (RecurringEdit::planMove). Gives false only for an event
// without a rule.
bool move(AppState* appState, QWidget* host, const Event& master, const QDateTime& occurrenceStart,
          const QDateTime& newStart, const std::optional<QDateTime>& newEnd, const QString& summary,
          const QString& failure, const EventChange::Reporter& report,
          const std::optional<SeriesMove::WallTime>& wall = std::nullopt);

// For an occurrence of a series or one of its overrides (`stored` the row the user pointed at):
// the scope question in its delete wording, then the delete for that scope.
bool remove(AppState* appState, QWidget* host, const Event& stored,
            const QDateTime& occurrenceStart, const EventChange::Reporter& report);

} // namespace SeriesActions
