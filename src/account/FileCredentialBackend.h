#pragma once

#include "CredentialBackend.h"

#include <QHash>

#include <functional>

namespace OrvaAccount {

// Credentials in one JSON file, mode 0600 in a folder of mode 0700. Writers in any process
// serialise on a lock file and replace the file atomically, so readers see either the old or the
// new file. A file that cannot be parsed reads as empty; a write then starts it afresh.
class FileCredentialBackend : public CredentialBackend
{
public:
    explicit FileCredentialBackend(const QString& filePath);

    // "credentials/credentials.json" in DataDirectory::path().
    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }

    std::optional<QByteArray> read(const QString& target) override;
    bool write(const QString& target, const QByteArray& blob) override;
    bool remove(const QString& target) override;

    // How long a writer waits for another writer before it gives up with false.
    static constexpr int lockTimeoutMs = 5000;

private:
    using Entries = QHash<QString, QByteArray>;

    Entries load() const;
    bool save(const Entries& entries) const;
    bool ensureFolder() const;
    // Runs change on the current entries under the lock and saves when it returns true.
    bool update(const std::function<bool(Entries&)>& change);

    QString m_filePath;
};

} // namespace OrvaAccount
