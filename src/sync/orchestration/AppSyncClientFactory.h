#pragma once

#include "SyncClientFactory.h"

class AppState;

// The program's sync clients: CalDAV (with the rediscovery of an account's calendars), Google,
// Microsoft, webcal and the cloud service's, over the shared state hub; CalDAV passwords from the
// credential store.
class AppSyncClientFactory : public SyncClientFactory
{
public:
    explicit AppSyncClientFactory(AppState* state) : m_state(state) {}

    SyncClientHandle* create(Kind kind, QObject* parent) override;
    QString calDavPassword(const QString& accountId) override;
    void rediscover(const Account& account, const CalDavLogin& login, QObject* context,
                    DiscoveryDone done) override;

private:
    AppState* m_state;
};
