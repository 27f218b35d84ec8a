#include "Client.h"

#include "AccountClient.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "CredentialManagerTokenStore.h"
#include "TokenManager.h"

#include <QSysInfo>

namespace OrvaAccount {

namespace {

void overrideFromEnvironment(QString& value, const char* variable)
{
    const QString fromEnvironment = qEnvironmentVariable(variable);
    if (!fromEnvironment.isEmpty())
        value = fromEnvironment;
}

} // namespace

Client::Client(const Config& config, QObject* parent) : QObject(parent), m_config(config)
{
    qRegisterMetaType<OrvaAccount::AuthState>("OrvaAccount::AuthState");
    qRegisterMetaType<OrvaAccount::OrvClaims>("OrvaAccount::OrvClaims");

    const QString platform = platformName(m_config.platform);
    m_tokenManager = new TokenManager(makeCredentialManagerTokenStore(m_config.appId), this);

    const auto makeApi = [this, &platform](const QUrl& baseUrl) {
        auto* api = new ApiClient(m_tokenManager, this);
        api->setBaseUrl(baseUrl);
        api->setAppInfo(m_config.appId, m_config.appVersion, platform);
        return api;
    };
    m_authApi = makeApi(
        QUrl(QStringLiteral("%1/api/v1/realms/%2").arg(m_config.authBaseUrl, m_config.realmSlug)));
    m_accountApi = makeApi(QUrl(m_config.accountApiUrl));
    // The sync client's base URL is its owner's to set.
    m_syncApi = makeApi(QUrl());

    m_authClient = new AuthClient(m_config.authBaseUrl, m_config.realmSlug, m_config.clientId,
                                  m_authApi, m_tokenManager, this);
    connect(m_authClient, &AuthClient::stateChanged, this, [this](AuthState state) {
        Q_EMIT authStateChanged(state);
        if (state == AuthState::SignedIn)
            Q_EMIT claimsUpdated(claims());
    });

    m_accountClient = new AccountClient(m_accountApi, m_authClient, m_config, this);
}

void Client::initialize()
{
    m_authClient->initialize();
}

bool Client::isAuthenticated() const
{
    return m_authClient->state() == AuthState::SignedIn;
}

OrvClaims Client::claims() const
{
    const QString token = m_tokenManager->validAccessToken();
    if (token.isEmpty())
        return {};
    return TokenManager::decodeClaims(token);
}

QString Client::platformName(const QString& platform)
{
    if (!platform.isEmpty())
        return platform;
    const QString kernel = QSysInfo::kernelType().toLower();
    if (kernel == QLatin1String("darwin"))
        return QStringLiteral("macos");
    if (kernel == QLatin1String("winnt"))
        return QStringLiteral("windows");
    return kernel;
}

Client::Config Client::withEnvironmentOverrides(Config config)
{
    overrideFromEnvironment(config.authBaseUrl, "AUTH_API_URL");
    overrideFromEnvironment(config.realmSlug, "AUTH_REALM_SLUG");
    overrideFromEnvironment(config.accountApiUrl, "ACCOUNT_API_URL");
    overrideFromEnvironment(config.clientId, "AUTH_CLIENT_ID");
    overrideFromEnvironment(config.accountPortalUrl, "ACCOUNT_PORTAL_URL");
    return config;
}

QString Client::syncApiUrlFromEnvironment(const QString& defaultUrl)
{
    QString url = defaultUrl;
    overrideFromEnvironment(url, "SYNC_API_URL");
    return url;
}

} // namespace OrvaAccount
