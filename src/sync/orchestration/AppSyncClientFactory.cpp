#include "AppSyncClientFactory.h"

#include "AppState.h"
#include "CalDavClient.h"
#include "CalDavDiscovery.h"
#include "CalDavImport.h"
#include "CalDavSyncClient.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "GoogleSyncClient.h"
#include "MicrosoftSyncClient.h"
#include "OrvandellicSyncClient.h"
#include "Platform.h"
#include "WebcalSyncClient.h"

#include <QUrl>

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
    case Kind::CalDav: {
        auto* client = new CalDavSyncClient(m_state);
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin& login) {
                client->syncCalendar(calendar, login.serverUrl, login.username, login.password,
                                     login.trustedCertSha256);
            },
            parent);
    }
    case Kind::Google: {
        auto* client = new Google::SyncClient(m_state);
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin&) {
                client->syncCalendar(calendar);
            },
            parent);
    }
    }
    return nullptr;
}

QString AppSyncClientFactory::calDavPassword(const QString& accountId)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    return store->read(QStringLiteral("caldav-password-") + accountId).value_or(QString());
}

void AppSyncClientFactory::rediscover(const Account& account, const CalDavLogin& login,
                                      QObject* context, DiscoveryDone done)
{
    auto* client = new CalDavClient(context);
    client->setCredentials(login.username, login.password);
    if (!login.trustedCertSha256.isEmpty()) {
        client->setTrustedCertSha256(login.trustedCertSha256);
    }
    auto* discovery = new CalDavDiscovery(client, context);
    AppState* state = m_state;
    const QString accountId = account.id;
    QObject::connect(discovery, &CalDavDiscovery::completed, context,
                     [state, accountId, client, discovery,
                      done](const QList<CalDavParse::DiscoveredCalendar>& calendars) {
                         int leftOut = 0;
                         const int added = CalDavImport::importDiscoveredCalendars(
                             state, accountId, calendars, &leftOut);
                         // No dialog is open to say it: the account's status does.
                         CalDavImport::noteLeftOut(state, accountId, leftOut);
                         client->deleteLater();
                         discovery->deleteLater();
                         done(true, added, {});
                     });
    QObject::connect(discovery, &CalDavDiscovery::failed, context,
                     [client, discovery, done](const QString& reason) {
                         client->deleteLater();
                         discovery->deleteLater();
                         done(false, 0, reason);
                     });
    discovery->start(QUrl(account.serverUrl));
}
