#include "FileCredentialBackend.h"

#include "DataDirectory.h"
#include "Limits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>

namespace OrvaAccount {

namespace {

const QString entriesKey = QStringLiteral("entries");

constexpr QFileDevice::Permissions ownerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions ownerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

FileCredentialBackend::FileCredentialBackend(const QString& filePath) : m_filePath(filePath) {}

QString FileCredentialBackend::defaultFilePath()
{
    return DataDirectory::path() + QStringLiteral("/credentials/credentials.json");
}

std::optional<QByteArray> FileCredentialBackend::read(const QString& target)
{
    const Entries entries = load();
    const auto it = entries.constFind(target);
    if (it == entries.constEnd())
        return std::nullopt;
    return *it;
}

bool FileCredentialBackend::write(const QString& target, const QByteArray& blob)
{
    return update([&](Entries& entries) {
        entries.insert(target, blob);
        return true;
    });
}

bool FileCredentialBackend::remove(const QString& target)
{
    return update([&](Entries& entries) { return entries.remove(target) > 0; });
}

FileCredentialBackend::Entries FileCredentialBackend::load() const
{
    QFile file(m_filePath);
    if (file.size() > Limits::maxCredentialFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument document =
        QJsonDocument::fromJson(file.read(Limits::maxCredentialFileBytes));
    const QJsonObject stored = document.object().value(entriesKey).toObject();
    Entries entries;
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it) {
        if (!it.value().isString())
            continue;
        const auto decoded = QByteArray::fromBase64Encoding(
            it.value().toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded)
            entries.insert(it.key(), *decoded);
    }
    return entries;
}

bool FileCredentialBackend::save(const Entries& entries) const
{
    QJsonObject stored;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it)
        stored.insert(it.key(), QString::fromLatin1(it.value().toBase64()));
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The temporary file gets the final mode before any secret is written into it.
    if (!file.setPermissions(ownerOnlyFile)) {
        file.cancelWriting();
        return false;
    }
    const QByteArray bytes = QJsonDocument(QJsonObject{{entriesKey, stored}}).toJson();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool FileCredentialBackend::ensureFolder() const
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, ownerOnlyFolder);
}

bool FileCredentialBackend::update(const std::function<bool(Entries&)>& change)
{
    if (!ensureFolder())
        return false;
    QLockFile lock(m_filePath + QStringLiteral(".lock"));
    if (!lock.tryLock(lockTimeoutMs))
        return false;
    // Read again under the lock: another process may have written since our last read.
    Entries entries = load();
    if (!change(entries))
        return false;
    return save(entries);
}

} // namespace OrvaAccount
