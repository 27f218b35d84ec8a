// The EventChange overloads over the state hub: they write through its event repository and
// push onto its undo list.
#include "EventChangeState.h"

#include "AppState.h"
#include "Clock.h"
#include "EventRepository.h"
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
        tell(report, tr("Could not save the change to \"%1\".").arg(updated.title));
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
                 tell(report, tr("Could not undo: \"%1\" no longer exists.").arg(before.title));
                 return;
             }
             if (!events->update(*record))
                 tell(report, tr("Could not undo the change to \"%1\".").arg(before.title));
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
    if (!state->events()->remove(record.id)) {
        qWarning().noquote() << "[EventChange] deleting event" << record.id << "failed";
        tell(report, tr("Could not delete \"%1\".").arg(record.title));
        return false;
    }
    EventRepository* events = state->events();
    state->undoStack()->push(
        {QCoreApplication::translate("DayView", "Deleted \"%1\"").arg(record.title),
         [events, record, report] {
             if (!events->restore(record))
                 tell(report, tr("Could not restore \"%1\".").arg(record.title));
         }});
    return true;
}

} // namespace EventChange
