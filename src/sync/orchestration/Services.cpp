#include "Services.h"

#include "ApiClient.h"
#include "AppState.h"
#include "Client.h"
#include "ConfigSyncService.h"
#include "ConflictResolutionService.h"
#include "FilterRuleRepository.h"
#include "InvitationsService.h"
#include "OrvandellicSyncClient.h"
#include "Platform.h"
#include "WeatherService.h"

#include <QCoreApplication>
#include <QUrl>

#include <memory>

namespace {

// The service's own endpoints and this program's registration with its sign-in realm.
const QString defaultAuthBaseUrl = QStringLiteral("https://auth.orvandellic.com");
const QString defaultAccountApiUrl = QStringLiteral("https://api.orvandellic.com/account/v1");
const QString defaultSyncApiUrl = QStringLiteral("https://api.orvandellic.com/calendar/v1");
const QString defaultAccountPortalUrl = QStringLiteral("https://account.orvandellic.com");
const QString defaultRealmSlug = QStringLiteral("orvandellic");
const QString builtInClientId = QStringLiteral("7c3e9a51d0b84f26a1e5c98d3b7f4a20");

// The variable's value as UTF-8 when it is set and not empty, else the default.
QString fromEnvironment(const char* name, const QString& defaultValue)
{
    const QString value = QString::fromUtf8(qgetenv(name));
    return value.isEmpty() ? defaultValue : value;
}

OrvaAccount::Client::Config accountConfig()
{
    OrvaAccount::Client::Config config;
    config.authBaseUrl = fromEnvironment("AUTH_API_URL", defaultAuthBaseUrl);
    config.realmSlug = fromEnvironment("AUTH_REALM_SLUG", defaultRealmSlug);
    config.accountApiUrl = fromEnvironment("ACCOUNT_API_URL", defaultAccountApiUrl);
    config.clientId = fromEnvironment("AUTH_CLIENT_ID", builtInClientId);
    config.appId = Platform::applicationId();
    config.appName = QStringLiteral("Orvandellic Calendar");
    config.appVersion = QCoreApplication::applicationVersion();
    config.accountPortalUrl = fromEnvironment("ACCOUNT_PORTAL_URL", defaultAccountPortalUrl);
    return config;
}

// Signed in: the configuration sync runs, and once the cloud calendar list is in the local
// account is seeded where no cloud calendar stands in for it and every calendar is synced.
void onAuthenticated(AppState& state)
{
    qInfo("[AppState] onAuthenticated firing — kicking ConfigSync");
    state.configSync()->startAutoSync();
    state.configSync()->syncNow();

    auto* client =
        new Orvandellic::SyncClient(&state, state.accountClient()->syncApiClient(), &state);
    QObject::connect(
        client, &Orvandellic::SyncClient::calendarListPulled, &state,
        [&state, client](int) {
            client->deleteLater();
            state.ensureLocalAccount();
            state.requestSync();
        },
        Qt::SingleShotConnection);
    client->pullCalendarList();
}

} // namespace

namespace Services {

void install(AppState& state)
{
    state.setWeather(new Weather::Service(&state, &state));
    state.setConflicts(new Sync::ConflictResolutionService(&state, &state));
    state.setInvitations(new Invitations::Service(&state, &state));

    auto* accountClient = new OrvaAccount::Client(accountConfig(), &state);
    accountClient->syncApiClient()->setBaseUrl(
        QUrl(fromEnvironment("SYNC_API_URL", defaultSyncApiUrl)));
    state.setAccountClient(accountClient);

    auto* configSync =
        new Orvandellic::ConfigSyncService(&state, accountClient->syncApiClient(), &state);
    state.setConfigSync(configSync);
    QObject::connect(state.filterRules(), &FilterRuleRepository::filterRulesChanged, configSync,
                     &Orvandellic::ConfigSyncService::syncOnMutation);
    // Accounts pulled from another device have calendars that wait for a calendar sync.
    QObject::connect(configSync, &Orvandellic::ConfigSyncService::accountsPulled, &state,
                     &AppState::requestSync);

    // The client settles its first state synchronously and announces it; the start-up acts on
    // that state once, below, instead of through the watcher as well.
    auto settling = std::make_shared<bool>(true);
    QObject::connect(accountClient, &OrvaAccount::Client::authStateChanged, &state,
                     [&state, settling](OrvaAccount::AuthState authState) {
                         qInfo().noquote()
                             << "[AppState] authStateChanged →" << static_cast<int>(authState);
                         if (*settling)
                             return;
                         if (authState == OrvaAccount::AuthState::SignedIn)
                             onAuthenticated(state);
                         else
                             state.configSync()->stopAutoSync();
                     });
    accountClient->initialize();
    *settling = false;
    const bool signedIn = accountClient->isAuthenticated();
    qInfo().noquote() << "[AppState] post-initialize isAuthenticated=" << signedIn;
    if (signedIn)
        onAuthenticated(state);
    else
        state.ensureLocalAccount();
}

bool start(AppState& state)
{
    if (!state.initialize())
        return false;
    install(state);
    return true;
}

} // namespace Services
