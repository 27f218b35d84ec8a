#pragma once

#include "Calendar.h"

#include <QObject>

class AppState;

namespace OrvaAccount {
class ApiClient;
}

namespace Orvandellic {

// Syncs cloud calendars through the cloud sync transport: the calendar list, and per calendar a
// pull of the changes since its cursor followed by a push of its pending rows. Created for one
// run; the caller deletes it when the run has ended.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    SyncClient(AppState* state, OrvaAccount::ApiClient* syncApi, QObject* parent = nullptr);

    // Requests the cloud calendar list and inserts the calendars missing here; ends with
    // calendarListPulled.
    void pullCalendarList();
    // Pulls the calendar's changes, then pushes its pending rows; returns at once.
    void syncCalendar(const Calendar& calendar);

Q_SIGNALS:
    // The number of calendars inserted, 0 when the request failed.
    void calendarListPulled(int newCount);
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    AppState* m_state;
    OrvaAccount::ApiClient* m_syncApi;
};

} // namespace Orvandellic
