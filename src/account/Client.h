#pragma once

#include "AuthState.h"
#include "OrvClaims.h"

#include <QObject>

namespace OrvaAccount {

class AccountClient;
class ApiClient;
class AuthClient;
class TokenManager;

// The facade of the account library: owns the token store, the token manager, the three
// transports, the sign-in client and the account API client, and forwards the sign-in state.
class Client : public QObject
{
    Q_OBJECT

public:
    struct Config
    {
        QString authBaseUrl;
        QString realmSlug;
        QString accountApiUrl;
        QString clientId;
        QString appId;
        QString appName;
        QString appVersion;
        QString platform;
        QString accountPortalUrl;
    };

    Client(const Config& config, QObject* parent = nullptr);

    // Loads the stored tokens and settles the first sign-in state.
    void initialize();
    bool isAuthenticated() const;
    // The claims of the usable access token; a default record without one.
    OrvClaims claims() const;

    const Config& config() const { return m_config; }
    TokenManager* tokenManager() const { return m_tokenManager; }
    ApiClient* authApiClient() const { return m_authApi; }
    ApiClient* accountApiClient() const { return m_accountApi; }
    ApiClient* syncApiClient() const { return m_syncApi; }
    AuthClient* authClient() const { return m_authClient; }
    AccountClient* accountClient() const { return m_accountClient; }

    // The given word, or when it is empty the kernel type in lower case ("winnt" as "windows",
    // "darwin" as "macos").
    static QString platformName(const QString& platform);
    // The configuration with AUTH_API_URL, AUTH_REALM_SLUG, ACCOUNT_API_URL, AUTH_CLIENT_ID and
    // ACCOUNT_PORTAL_URL applied over it where they are set and not empty.
    static Config withEnvironmentOverrides(Config config);
    // SYNC_API_URL when it is set and not empty, else the given default.
    static QString syncApiUrlFromEnvironment(const QString& defaultUrl);

Q_SIGNALS:
    void authStateChanged(OrvaAccount::AuthState state);
    void claimsUpdated(const OrvaAccount::OrvClaims& claims);

private:
    Config m_config;
    TokenManager* m_tokenManager;
    ApiClient* m_authApi;
    ApiClient* m_accountApi;
    ApiClient* m_syncApi;
    AuthClient* m_authClient;
    AccountClient* m_accountClient;
};

} // namespace OrvaAccount
