#include "SharingBackend.h"

namespace OrvaAccount {

SharingBackend::SharingBackend(QObject* parent) : QObject(parent) {}

SharingBackend::~SharingBackend() = default;

QString SharingBackend::shareUserIdFor(const QString& memberAccountId)
{
    return memberAccountId;
}

} // namespace OrvaAccount
