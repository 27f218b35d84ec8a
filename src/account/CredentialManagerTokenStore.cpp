#include "CredentialManagerTokenStore.h"

#include "Limits.h"
#include "TokenManager.h"

namespace OrvaAccount {

CredentialManagerTokenStore::CredentialManagerTokenStore(const QString& service,
                                                         std::shared_ptr<CredentialBackend> backend)
    : m_service(service),
      m_backend(backend ? std::move(backend) : CredentialBackend::defaultBackend())
{
}

QString CredentialManagerTokenStore::targetName(const QString& key) const
{
    return QStringLiteral("Orvandellic/%1/%2").arg(m_service, key);
}

std::optional<QString> CredentialManagerTokenStore::read(const QString& key)
{
    const auto blob = m_backend->read(targetName(key));
    if (!blob)
        return std::nullopt;
    return QString::fromUtf8(*blob);
}

bool CredentialManagerTokenStore::write(const QString& key, const QString& value)
{
    const QByteArray blob = value.toUtf8();
    if (blob.size() > Limits::maxCredentialBlobBytes)
        return false;
    return m_backend->write(targetName(key), blob);
}

bool CredentialManagerTokenStore::remove(const QString& key)
{
    return m_backend->remove(targetName(key));
}

void CredentialManagerTokenStore::clear()
{
    remove(TokenManager::accessTokenKey);
    remove(TokenManager::refreshTokenKey);
}

std::unique_ptr<TokenStore> makeCredentialManagerTokenStore(const QString& service)
{
    return std::make_unique<CredentialManagerTokenStore>(service);
}

} // namespace OrvaAccount
