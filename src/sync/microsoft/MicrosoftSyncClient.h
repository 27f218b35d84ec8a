#pragma once

#include "Calendar.h"

#include <QObject>
#include <QString>

class AppState;

namespace Microsoft {

// Syncs the calendars of a Microsoft account, as far as this build goes: an account without
// stored tokens fails every calendar with "Sign in required"; a signed-in one fails them saying
// that Microsoft calendars do not sync yet. The account keeps that reason as its last sync error,
// so the status bar asks for a sign-in only when one is missing. Created for one run.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    explicit SyncClient(AppState* state, QObject* parent = nullptr);

    // Returns at once; emits calendarSyncStarted, then calendarSyncFailed on the next turn of
    // the event loop.
    void syncCalendar(const Calendar& calendar);

    // The failure texts, also stored as the account's last sync error.
    static QString signInRequiredText() { return QStringLiteral("Sign in required"); }
    static QString notSyncedYetText();

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    AppState* m_state;
};

} // namespace Microsoft
