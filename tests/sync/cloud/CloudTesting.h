#pragma once

#include "AppStateFixture.h"
#include "ConfigSyncService.h"
#include "FakeCloudSyncServer.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// One case's world for the cloud services: a real AppState on a temporary store, signed in, with
// the cloud sync API pointed at a FakeCloudSyncServer that already lists `calendarIds`. start()
// returns once the sign-in's own configuration sync and calendar-list pull have ended.
struct CloudWorld
{
    std::unique_ptr<AppStateFixture> fixture;
    std::unique_ptr<FakeCloudSyncServer> cloud;

    bool start(const QStringList& calendarIds = {})
    {
        fixture = std::make_unique<AppStateFixture>();
        cloud = std::make_unique<FakeCloudSyncServer>();
        cloud->exportEnvironment();
        for (const QString& id : calendarIds) {
            cloud->addCalendar(id, QStringLiteral("Cloud ") + id);
        }
        fixture->signIn();
        QSignalSpy requested(fixture->create(), &AppState::syncNowRequested);
        if (!fixture->start()) {
            return false;
        }
        return QTest::qWaitFor([&] { return !requested.isEmpty() && !configSync()->isSyncing(); },
                               10000);
    }

    void stop()
    {
        fixture.reset();
        cloud.reset();
    }

    AppState* state() const { return fixture->state(); }
    Orvandellic::ConfigSyncService* configSync() const { return state()->configSync(); }
};
