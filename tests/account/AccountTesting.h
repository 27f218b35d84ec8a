#pragma once

#include "Client.h"
#include "CredentialManagerTokenStore.h"

// Shared set-up of the tests that talk to FakeAccountService.
namespace AccountTesting {

inline const QString appId = QStringLiteral("org.test.calendar");

// Deployment defaults that lead nowhere, overridden by the environment the fake exported.
inline OrvaAccount::Client::Config configFromEnvironment()
{
    return OrvaAccount::Client::withEnvironmentOverrides(
        {QStringLiteral("https://auth.invalid"), QStringLiteral("unused-realm"),
         QStringLiteral("https://account.invalid/account/v1"), QStringLiteral("unused-client"),
         appId, QStringLiteral("Orvandellic Calendar"), QStringLiteral("1.3.1"), QString(),
         QStringLiteral("https://portal.invalid")});
}

// What the credential store holds for the account service under the key.
inline std::optional<QString> stored(const QString& key)
{
    return OrvaAccount::CredentialManagerTokenStore(appId).read(key);
}

} // namespace AccountTesting
