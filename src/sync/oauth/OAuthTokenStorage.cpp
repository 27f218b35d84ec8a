#include "OAuthTokenStorage.h"

#include "CredentialManagerTokenStore.h"
#include "Platform.h"
#include "TokenStore.h"

#include <memory>

namespace OAuthTokenStorage {

OAuthProtocol::Tokens load(OAuthProtocol::Provider provider, const QString& accountId)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    if (!store)
        return {};
    const std::optional<QString> text = store->read(OAuthProtocol::tokenKey(provider, accountId));
    if (!text || text->isEmpty())
        return {};
    return OAuthProtocol::decodeTokens(*text);
}

bool save(OAuthProtocol::Provider provider, const QString& accountId,
          const OAuthProtocol::Tokens& tokens)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    return store && store->write(OAuthProtocol::tokenKey(provider, accountId),
                                 OAuthProtocol::encodeTokens(tokens));
}

void remove(OAuthProtocol::Provider provider, const QString& accountId)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    if (store)
        store->remove(OAuthProtocol::tokenKey(provider, accountId));
}

} // namespace OAuthTokenStorage
