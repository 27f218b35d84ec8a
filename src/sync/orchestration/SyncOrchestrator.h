#pragma once

#include "Calendar.h"
#include "SyncClientFactory.h"
#include "SyncTurns.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class AppState;
class QTimer;

// Decides when each calendar is synchronised and with which client, and keeps AppState's busy
// state and last error in step with the clients. Pushes a calendar's pending rows 300 ms after
// its last change, checks every 60 s whether an account's interval has passed, runs a full
// sync 3 s after start() and on request, and offers a forced full sync.
//
// Runs never overlap on one calendar: the calendars in flight are tracked, a full sync asked
// for while one runs is run once more after it, a push of a calendar in flight waits for its
// end, and a change made during a sync is pushed when the sync ends. A failed calendar is not
// pushed again for 60 s. Calendars go to their servers a few at a time (SyncTurns), in full
// syncs and pushes alike; the others wait their turn, handed to no client yet, so nothing times
// them out. A client that stays silent for five minutes while it holds calendars has its open
// calendars failed. An account whose type has no client in this build is not counted as syncing:
// the account keeps a last error saying its calendars do not sync, and the status bar says so.
// Nor does a Google account whose sign-in Google refused start any run, until a new sign-in: the
// account's mark and one status-bar message per sync say what to do.
// While an import holds the store (AppState::holdStore) nothing starts: syncs and pushes asked
// for meanwhile run when it ends. GUI thread only.
class SyncOrchestrator : public QObject
{
    Q_OBJECT

public:
    static constexpr int pushDelayMs = 300;
    static constexpr int periodicCheckMs = 60000;
    static constexpr int firstSyncDelayMs = 3000;
    static constexpr int watchdogCheckMs = 30000;

    SyncOrchestrator(AppState* state, std::unique_ptr<SyncClientFactory> factory,
                     QObject* parent = nullptr);
    ~SyncOrchestrator() override;

    // Status-bar feedback: text and time-out (0: until replaced).
    std::function<void(const QString& text, int timeoutMs)> showMessage;
    // The forced full sync's question; true to go on. Without it the forced sync does nothing.
    std::function<bool(const QString& title, const QString& text)> confirm;

    // Connects the repositories and starts the periodic check, the watchdog and the first sync.
    void start();

    void onRepositoryChanged(const QString& calendarId);
    void pushPendingChanges();
    void checkPeriodicSync();
    void syncNow();
    void forceFullSync();
    // Fails the open calendars of clients silent for SyncRules::silentClientSeconds.
    void checkWatchdog();

    // The busy bookkeeping of one client: its started calendars count in AppState's sync depth
    // until each is reported once (a second report is ignored); a failure becomes AppState's
    // last error; a client destroyed early ends its started calendars as failed.
    void wireSyncClient(SyncClientHandle* client);

    bool isFullSyncRunning() const { return m_fullSyncRunning; }
    QSet<QString> calendarsInFlight() const { return m_inFlight; }
    QSet<QString> pendingPushCalendarIds() const { return m_pendingPush; }
    QTimer* pushTimer() const { return m_pushTimer; }

private:
    struct ClientState
    {
        QSet<QString> open;    // given to the client (started or waiting their turn), not reported
        QSet<QString> started; // reported started: counted in AppState's depth
        bool fullSync = false;
        QDateTime lastActivity;
    };
    // A calendar waiting for its turn, and the client that will run it.
    struct Turn
    {
        SyncClientHandle* client = nullptr;
        Calendar calendar;
        CalDavLogin login;
    };
    struct Discovery
    {
        QDateTime startedAt;
        std::function<void()> giveUp;
    };

    enum class RunStart {
        Started,
        NothingToStart, // every calendar is in flight already
        NoClient,       // this build holds no client for the kind
    };

    bool isBusy() const { return m_fullSyncRunning || !m_inFlight.isEmpty(); }
    bool isSignedIn() const;
    void say(const QString& text, int timeoutMs);
    // Gives the calendars (those not in flight) to a new client; each starts on its turn.
    RunStart runClient(SyncClientFactory::Kind kind, const QList<Calendar>& calendars,
                       bool fullSync, const CalDavLogin& login = {});
    void runCalDavAccountSync(const QString& accountId, const CalDavLogin& login);
    void onStarted(SyncClientHandle* client, const QString& calendarId);
    void onCompleted(SyncClientHandle* client, const QString& calendarId, int eventCount);
    void onFailed(SyncClientHandle* client, const QString& calendarId, const QString& reason);
    // The failure as the status bar, the tray and Calendar Accounts say it: which calendar of
    // which account failed, then why; the reason alone for a calendar or account gone meanwhile.
    QString namedFailure(const QString& calendarId, const QString& reason) const;
    // Starts the calendars whose turn has come.
    void startTurns();
    // The calendar is done with, or no longer waits: its turn passes to the next.
    void endTurn(const QString& calendarId);
    void endClientIfDone(SyncClientHandle* client);
    void onClientEnded(bool fullSync);
    void releaseRunItem();
    void finishRun();
    // Clears every sync token and pending edit the server holds, then syncs everything.
    void refetchEverything();
    void runWhatWaitedForStore();
    void flushChangesMadeDuringSync();
    // An account whose type has no client says so, on the account and in the status bar.
    void reportNoClient(const Account& account);
    // "Password missing" on the account unless it already says so; false when no password.
    QString passwordFor(const Account& account, bool logAsPush);

    AppState* m_state;
    std::unique_ptr<SyncClientFactory> m_factory;
    QTimer* m_pushTimer;
    QTimer* m_periodicTimer;
    QTimer* m_watchdogTimer;

    QSet<QString> m_pendingPush;
    QSet<QString> m_changedDuringSync;
    QHash<QString, QDateTime> m_failureTimes;
    QSet<QString> m_inFlight;
    QHash<SyncClientHandle*, ClientState> m_clients;
    SyncTurns m_turns;
    QHash<QString, Turn> m_waiting; // calendar id -> its run, until its turn
    bool m_startingTurns = false;
    bool m_turnFreed = false;
    bool m_closing = false;
    QHash<int, Discovery> m_discoveries;
    int m_nextDiscovery = 0;

    bool m_fullSyncRunning = false;
    bool m_fullSyncAgain = false;
    bool m_syncWhenStoreFree = false;
    bool m_refetchWhenStoreFree = false;
    int m_runOpen = 0;
    int m_runStartedAccounts = 0;
    int m_runReported = 0;
    bool m_runFailed = false;
    QString m_lastFailureReason;
    int m_syncedEventTotal = 0;
    // Events a source held that could not be stored: per calendar until it completes, and for
    // the run.
    QHash<QString, int> m_skippedByCalendar;
    int m_skippedEventTotal = 0;
};
