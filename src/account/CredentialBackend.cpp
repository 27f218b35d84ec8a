#include "CredentialBackend.h"

#include "FileCredentialBackend.h"

#include <mutex>

namespace OrvaAccount {

namespace {

std::mutex defaultMutex;
std::shared_ptr<CredentialBackend> defaultInstance;

} // namespace

std::shared_ptr<CredentialBackend> CredentialBackend::defaultBackend()
{
    std::lock_guard lock(defaultMutex);
    if (!defaultInstance)
        defaultInstance =
            std::make_shared<FileCredentialBackend>(FileCredentialBackend::defaultFilePath());
    return defaultInstance;
}

void CredentialBackend::setDefaultBackend(std::shared_ptr<CredentialBackend> backend)
{
    std::lock_guard lock(defaultMutex);
    defaultInstance = std::move(backend);
}

} // namespace OrvaAccount
