#pragma once

#include "ApiClient.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "FakeAccountService.h"
#include "MemoryCredentialBackend.h"
#include "SecretLogGuard.h"
#include "TokenManager.h"

#include <QJsonObject>

// Shared set-up of the tests that talk to FakeAccountService.
namespace AccountTesting {

inline const QString appId = QStringLiteral("org.test.calendar");

// What the credential store holds for the account service under the key.
inline std::optional<QString> stored(const QString& key)
{
    return OrvaAccount::CredentialManagerTokenStore(appId).read(key);
}

// The answer of one ApiClient request, for a test to wait on.
struct Outcome
{
    bool done = false;
    bool ok = false;
    int status = -1;
    QJsonObject json;

    OrvaAccount::ApiClient::Callback callback()
    {
        return [this](bool replyOk, int replyStatus, const QJsonObject& replyJson) {
            done = true;
            ok = replyOk;
            status = replyStatus;
            json = replyJson;
        };
    }
};

// One case's world: an in-memory credential store, the fake service with the environment
// pointed at it, and a client on both. Call start() from init() and stop() from cleanup().
struct ServiceFixture
{
    std::unique_ptr<SecretLogGuard> guard;
    std::unique_ptr<FakeAccountService> service;
    std::unique_ptr<OrvaAccount::Client> client;

    void start()
    {
        // Made on the first case, after the test runner installed its own message handler.
        if (!guard)
            guard = std::make_unique<SecretLogGuard>();
        OrvaAccount::CredentialBackend::setDefaultBackend(
            std::make_shared<OrvaAccount::MemoryCredentialBackend>());
        service = std::make_unique<FakeAccountService>();
        service->exportEnvironment();
        client = makeClient();
    }

    // False when a token or password reached the log during the case.
    bool stop()
    {
        client.reset();
        service.reset();
        return SecretLogGuard::leaks() == 0;
    }

    // A client whose deployment defaults lead nowhere, so only the exported environment brings
    // it to the fake; requests give up after five seconds without progress.
    static std::unique_ptr<OrvaAccount::Client> makeClient()
    {
        auto made =
            std::make_unique<OrvaAccount::Client>(OrvaAccount::Client::withEnvironmentOverrides(
                {QStringLiteral("https://auth.invalid"), QStringLiteral("unused-realm"),
                 QStringLiteral("https://account.invalid/account/v1"),
                 QStringLiteral("unused-client"), appId, QStringLiteral("Orvandellic Calendar"),
                 QStringLiteral("1.3.1"), QString(), QStringLiteral("https://portal.invalid")}));
        made->authApiClient()->setTransferTimeout(5000);
        made->accountApiClient()->setTransferTimeout(5000);
        return made;
    }

    // Tokens as a sign-in would hand them out, the access token living the given seconds.
    void signIn(int accessLifetimeSeconds, bool withRefreshToken = true)
    {
        client->tokenManager()->setTokens(service->mintAccessToken(accessLifetimeSeconds),
                                          withRefreshToken ? service->mintRefreshToken()
                                                           : QString());
    }

    int refreshes() const { return service->count("POST", QStringLiteral("/auth/token/refresh")); }
};

} // namespace AccountTesting
