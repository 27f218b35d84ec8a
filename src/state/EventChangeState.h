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

// Soft-deletes the record's row; on success pushes the undo entry "Deleted \"%1\"" that restores
// it. A failed delete pushes nothing, is reported and gives false.
bool deleteWithUndo(AppState* state, const Event& record, const Reporter& report);

} // namespace EventChange
