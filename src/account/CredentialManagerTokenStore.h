#pragma once

#include "CredentialBackend.h"
#include "TokenStore.h"

#include <memory>

namespace OrvaAccount {

// Secrets as generic credentials named "Orvandellic/<service>/<key>", values as UTF-8 blobs of at
// most Limits::maxCredentialBlobBytes bytes.
class CredentialManagerTokenStore : public TokenStore
{
public:
    // Uses the default credential backend unless one is given.
    explicit CredentialManagerTokenStore(const QString& service,
                                         std::shared_ptr<CredentialBackend> backend = {});

    std::optional<QString> read(const QString& key) override;
    bool write(const QString& key, const QString& value) override;
    bool remove(const QString& key) override;
    void clear() override;

    QString targetName(const QString& key) const;

private:
    QString m_service;
    std::shared_ptr<CredentialBackend> m_backend;
};

// A new store for the service (the application id), typed as the interface.
std::unique_ptr<TokenStore> makeCredentialManagerTokenStore(const QString& service);

} // namespace OrvaAccount
