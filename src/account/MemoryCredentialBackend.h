#pragma once

#include "CredentialBackend.h"

#include <QHash>

#include <mutex>

namespace OrvaAccount {

// Credentials held in memory only, for tests: nothing touches the disk.
class MemoryCredentialBackend : public CredentialBackend
{
public:
    std::optional<QByteArray> read(const QString& target) override;
    bool write(const QString& target, const QByteArray& blob) override;
    bool remove(const QString& target) override;

private:
    std::mutex m_mutex;
    QHash<QString, QByteArray> m_entries;
};

} // namespace OrvaAccount
