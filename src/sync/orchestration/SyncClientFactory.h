#pragma once

#include "Account.h"
#include "AccountTypes.h"
#include "SyncClientHandle.h"

#include <QString>

#include <functional>

class QObject;

// Where the sync orchestration gets its clients, passwords and CalDAV rediscoveries; the
// program's factory builds the real clients, tests give fakes.
class SyncClientFactory
{
public:
    // The clients of the account-type table, so that a type word names its kind directly.
    using Kind = AccountTypes::Client;
    // Called once: whether the rediscovery worked, how many calendars it added, or why not.
    using DiscoveryDone = std::function<void(bool ok, int newCalendars, const QString& reason)>;

    virtual ~SyncClientFactory() = default;

    // A new client of the kind for one run, as a child of `parent`; null when this build has
    // no client for the kind.
    virtual SyncClientHandle* create(Kind kind, QObject* parent) = 0;
    // The stored CalDAV password of the account; empty when none is stored.
    virtual QString calDavPassword(const QString& accountId) = 0;
    // Rediscovers the calendars of a CalDAV-family account and stores new ones; `done` runs
    // later, on the GUI thread, unless `context` is gone.
    virtual void rediscover(const Account& account, const CalDavLogin& login, QObject* context,
                            DiscoveryDone done) = 0;
};
