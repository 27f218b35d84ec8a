#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace OrvaAccount {

// Generic credentials by target name: read, write and delete one opaque blob per target.
// Failures are results only; nothing is logged, because the blobs are secrets.
class CredentialBackend
{
public:
    virtual ~CredentialBackend() = default;

    // The stored blob, or nothing when the target is absent or cannot be read.
    virtual std::optional<QByteArray> read(const QString& target) = 0;
    // Creates or replaces the blob; false leaves the previous blob in place.
    virtual bool write(const QString& target, const QByteArray& blob) = 0;
    // True only when an entry existed and is gone.
    virtual bool remove(const QString& target) = 0;

    // The backend of stores made without one: the one set here, else the user's credential file.
    static std::shared_ptr<CredentialBackend> defaultBackend();
    // Replaces the default backend (tests use an in-memory one); null restores the file.
    static void setDefaultBackend(std::shared_ptr<CredentialBackend> backend);
};

} // namespace OrvaAccount
