#pragma once

#include "EventChange.h"

class AppState;

// The EventChange edits over the state hub: carried out through its event repository and undo
// list.
namespace EventChange {

// Over the hub. Writes `updated` (an edit of `before`); on success pushes an undo entry with
// `summary` that writes back by undoRecord. A failed write pushes nothing, is reported and gives
// false; an undo that cannot be carried out is reported when it runs. While the store is held
// (AppState::holdStore) this and deleteWithUndo keep their write for its release and give true.
bool updateWithUndo(AppState* state, const Event& before, const Event& updated,
                    const QString& summary, const Reporter& report);

// Soft-deletes the record's row as stored when the delete runs (a question may have been open
// since `record` was read); on success pushes the undo entry "Deleted \"%1\"" that restores that
// stored row. A row gone or moved to another calendar meanwhile is left alone and reported with
// goneText; that and a failed delete push nothing and give false.
bool deleteWithUndo(AppState* state, const Event& record, const Reporter& report);

// The row `read` came from as stored now (stillStored); when it is gone or moved to another
// calendar, `report` gets goneText and nothing is given.
std::optional<Event> reread(AppState* state, const Event& read, const Reporter& report);

// What the user is told when the event a question was about is gone or in another calendar once
// the question is answered.
QString goneText(const QString& title);

} // namespace EventChange
