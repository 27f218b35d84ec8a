#pragma once

#include "AppState.h"
#include "FakeAccountService.h"
#include "PinnedClock.h"
#include "TestDataDir.h"

#include <QDateTime>

#include <memory>

// A real, initialised AppState for one test case, on a temporary data directory, with the clock
// pinned and every service endpoint pointed at a FakeAccountService on 127.0.0.1 (secrets in an
// in-memory credential store). Nothing leaves the machine.
//
//     AppStateFixture fixture;             // clock pinned to defaultNow()
//     QVERIFY(fixture.start());            // Services::start()
//     fixture.state()->setViewMode("day");
//
// Create it inside the test function (or init()) so each case gets a fresh store. A test that
// needs the user signed in calls signIn() before start(); a test that needs another endpoint
// (a fake cloud API) exports its variables before start(). Nothing here pumps the event loop:
// wait for repository signals with QSignalSpy / QTRY_* as usual.
class AppStateFixture
{
public:
    // 10:00 local time on Wednesday 2026-03-11, in whatever TZ the test runs.
    static QDateTime defaultNow();

    explicit AppStateFixture(const QDateTime& now = defaultNow());
    ~AppStateFixture();
    AppStateFixture(const AppStateFixture&) = delete;
    AppStateFixture& operator=(const AppStateFixture&) = delete;

    // Stores a valid token pair, so the account client starts signed in.
    void signIn();
    // Creates the AppState without initialising it (to connect spies first).
    AppState* create();
    // Creates the AppState unless create() did, and starts it as the program does
    // (Services::start); its result.
    bool start();
    // Where the AppState will open its database: to prepare rows before start().
    static QString databasePath();

    AppState* state() const { return m_state.get(); }
    FakeAccountService* accountService() const { return m_service.get(); }
    QString dataDir() const { return m_dir.path(); }

private:
    TestDataDir m_dir;
    PinnedClock m_clock;
    std::unique_ptr<FakeAccountService> m_service;
    std::unique_ptr<AppState> m_state;
};
