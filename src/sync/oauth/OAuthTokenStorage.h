#pragma once

#include "OAuthProtocol.h"

// A provider account's tokens in the credential store, opened for the application id. Nothing is
// logged: the values are secrets.
namespace OAuthTokenStorage {

// Empty tokens when there is no store, no entry or no readable entry.
OAuthProtocol::Tokens load(OAuthProtocol::Provider provider, const QString& accountId);
// Replaces the entry; false when no store could be opened or it refused the value.
bool save(OAuthProtocol::Provider provider, const QString& accountId,
          const OAuthProtocol::Tokens& tokens);
// Deletes the entry, if any (an account that goes takes its tokens with it).
void remove(OAuthProtocol::Provider provider, const QString& accountId);

} // namespace OAuthTokenStorage
