#include "AppSyncClientFactory.h"

#include "AppState.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "MicrosoftSyncClient.h"
#include "OrvandellicSyncClient.h"
#include "Platform.h"
#include "WebcalSyncClient.h"

#include <QTimer>

SyncClientHandle* AppSyncClientFactory::create(Kind kind, QObject* parent)
{
    switch (kind) {
    case Kind::Microsoft: {
        auto* client = new Microsoft::SyncClient(m_state);
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin&) {
                client->syncCalendar(calendar);
            },
            parent);
    }
    case Kind::Webcal: {
        auto* client = new Webcal::SyncClient(m_state);
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin&) {
                client->syncCalendar(calendar);
            },
            parent);
    }
    case Kind::Cloud: {
        if (m_state->accountClient() == nullptr) {
            return nullptr;
        }
        auto* client =
            new Orvandellic::SyncClient(m_state, m_state->accountClient()->syncApiClient());
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin&) {
                client->syncCalendar(calendar);
            },
            parent);
    }
    case Kind::CalDav:
    case Kind::Google:
        return nullptr;
    }
    return nullptr;
}

QString AppSyncClientFactory::calDavPassword(const QString& accountId)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    return store->read(QStringLiteral("caldav-password-") + accountId).value_or(QString());
}

void AppSyncClientFactory::rediscover(const Account&, const CalDavLogin&, QObject* context,
                                      DiscoveryDone done)
{
    QTimer::singleShot(0, context, [done] { done(false, 0, QStringLiteral("no CalDAV client")); });
}
