#include "TaskCalendarMove.h"

#include "AppState.h"
#include "Database.h"
#include "Ical.h"
#include "Savepoint.h"
#include "TaskRepository.h"

#include <QDebug>

namespace TaskCalendarMove {

bool carryOut(AppState* state, const TaskMove::Plan& plan)
{
    if (!state || !state->tasks() || !state->database() || plan.refused)
        return false;
    TaskRepository* tasks = state->tasks();
    Savepoint transaction(state->database()->database());
    if (!transaction.isActive())
        return false;
    for (const QString& id : plan.purges) {
        if (!tasks->hardDelete(id))
            return false;
    }
    for (const Task& tombstone : plan.inserts) {
        if (!tasks->insert(tombstone))
            return false;
    }
    for (Task row : plan.updates) {
        row.rawIcalendar = Ical::buildTask(row);
        if (!tasks->update(row))
            return false;
    }
    if (transaction.commit())
        return true;
    qWarning().noquote() << "[TaskCalendarMove] could not commit:" << transaction.errorText();
    return false;
}

} // namespace TaskCalendarMove
