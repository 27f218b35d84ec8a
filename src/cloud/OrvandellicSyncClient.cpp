#include "OrvandellicSyncClient.h"

namespace Orvandellic {

SyncClient::SyncClient(AppState* state, OrvaAccount::ApiClient* syncApi, QObject* parent)
    : QObject(parent), m_state(state), m_syncApi(syncApi)
{
}

void SyncClient::pullCalendarList()
{
    Q_EMIT calendarListPulled(0);
}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);
    Q_EMIT calendarSyncFailed(calendar.id, tr("Not signed in"));
}

} // namespace Orvandellic
