#include "MemoryCredentialBackend.h"

namespace OrvaAccount {

std::optional<QByteArray> MemoryCredentialBackend::read(const QString& target)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.constFind(target);
    if (it == m_entries.constEnd())
        return std::nullopt;
    return *it;
}

bool MemoryCredentialBackend::write(const QString& target, const QByteArray& blob)
{
    std::lock_guard lock(m_mutex);
    m_entries.insert(target, blob);
    return true;
}

bool MemoryCredentialBackend::remove(const QString& target)
{
    std::lock_guard lock(m_mutex);
    return m_entries.remove(target) > 0;
}

} // namespace OrvaAccount
