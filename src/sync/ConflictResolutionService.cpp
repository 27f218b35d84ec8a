#include "ConflictResolutionService.h"

namespace Sync {

ConflictResolutionService::ConflictResolutionService(AppState* state, QObject* parent)
    : QObject(parent), m_state(state)
{
}

void ConflictResolutionService::recordConflict(const Conflict& conflict)
{
    for (Conflict& known : m_conflicts) {
        if (known.calendarId == conflict.calendarId && known.eventId == conflict.eventId) {
            known = conflict;
            Q_EMIT conflictRecorded(conflict);
            return;
        }
    }
    m_conflicts.append(conflict);
    Q_EMIT conflictRecorded(conflict);
}

} // namespace Sync
