#pragma once

#include "Calendar.h"

#include <QObject>
#include <QString>

class AppState;

namespace Microsoft {

// Syncs the calendars of a Microsoft account. This build holds no Microsoft sign-in, so no
// account has tokens: every calendar fails with "Sign in required", which the account also keeps
// as its last sync error, so the status bar asks the user to sign in. Created for one run.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    explicit SyncClient(AppState* state, QObject* parent = nullptr);

    // Returns at once; emits calendarSyncStarted, then calendarSyncFailed on the next turn of
    // the event loop.
    void syncCalendar(const Calendar& calendar);

    // The failure text, also stored as the account's last sync error.
    static QString signInRequiredText() { return QStringLiteral("Sign in required"); }

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    AppState* m_state;
};

} // namespace Microsoft
