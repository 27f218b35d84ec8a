// The EventChange overloads over the state hub: they write through its event repository and
// push onto its undo list.
#include "EventChangeState.h"

#include "AppState.h"
#include "Clock.h"
#include "EventRepository.h"
#include "Limits.h"
#include "ShownText.h"
#include "UndoStack.h"

#include <QCoreApplication>
#include <QDebug>

namespace EventChange {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("EventChange", text);
}

void tell(const Reporter& report, const QString& message)
{
    if (report)
        report(message);
}

} // namespace

bool updateWithUndo(AppState* state, const Event& before, const Event& updated,
                    const QString& summary, const Reporter& report)
{
    if (!state || !state->events() || !state->undoStack())
        return false;
    // While an import holds the store the edit and its undo entry wait for its end.
    if (state->isStoreHeld()) {
        state->whenStoreFree([state, before, updated, summary, report] {
            updateWithUndo(state, before, updated, summary, report);
        });
        return true;
    }
    if (!state->events()->update(updated)) {
        qWarning().noquote() << "[EventChange] saving an edit of event" << updated.id << "failed";
        tell(report, tr("Could not save the change to \"%1\".")
                         .arg(ShownText::bounded(updated.title, Limits::maxRowTextChars)));
        return false;
    }
    // The hub owns the repository and the undo list, and outlives every entry on it.
    EventRepository* events = state->events();
    state->undoStack()->push(
        {summary, [events, before, updated, report] {
             const std::optional<Event> record =
                 undoRecord(before, updated, events->getById(before.id), Clock::now());
             if (!record) {
                 qWarning().noquote()
                     << "[EventChange] cannot undo: event" << before.id << "is gone";
                 tell(report, tr("Could not undo: \"%1\" no longer exists.")
                                  .arg(ShownText::bounded(before.title, Limits::maxRowTextChars)));
                 return false;
             }
             if (events->update(*record))
                 return true;
             tell(report, tr("Could not undo the change to \"%1\".")
                              .arg(ShownText::bounded(before.title, Limits::maxRowTextChars)));
             return false;
         }});
    return true;
}

bool deleteWithUndo(AppState* state, const Event& record, const Reporter& report)
{
    if (!state || !state->events() || !state->undoStack())
        return false;
    if (state->isStoreHeld()) {
        state->whenStoreFree([state, record, report] { deleteWithUndo(state, record, report); });
        return true;
    }
    // Undo puts back what the delete removed, not the copy a question was asked about.
    const std::optional<Event> stored = reread(state, record, report);
    if (!stored)
        return false;
    if (!state->events()->remove(stored->id)) {
        qWarning().noquote() << "[EventChange] deleting event" << stored->id << "failed";
        tell(report, tr("Could not delete \"%1\".")
                         .arg(ShownText::bounded(stored->title, Limits::maxRowTextChars)));
        return false;
    }
    EventRepository* events = state->events();
    state->undoStack()->push(
        {QCoreApplication::translate("DayView", "Deleted \"%1\"").arg(stored->title),
         [events, restored = *stored, report] {
             if (events->restore(restored))
                 return true;
             tell(report, tr("Could not restore \"%1\".")
                              .arg(ShownText::bounded(restored.title, Limits::maxRowTextChars)));
             return false;
         }});
    return true;
}

std::optional<Event> reread(AppState* state, const Event& read, const Reporter& report)
{
    if (!state || !state->events())
        return std::nullopt;
    std::optional<Event> stored = stillStored(read, state->events()->getById(read.id));
    if (!stored) {
        qWarning().noquote() << "[EventChange] event" << read.id
                             << "was removed or moved meanwhile; nothing written";
        tell(report, goneText(read.title));
    }
    return stored;
}

QString goneText(const QString& title)
{
    return tr("\"%1\" was deleted or moved to another calendar meanwhile, so nothing was changed.")
        .arg(ShownText::bounded(title, Limits::maxRowTextChars));
}

} // namespace EventChange
