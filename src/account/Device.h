#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// A device registered to the account.
struct Device
{
    QString id;
    QString deviceName;
    QString platform;
    QString appId;
    QString appVersion;
    QDateTime lastSyncAt;
    QString deviceFingerprint;
    QDateTime createdAt;

    static Device fromJson(const QJsonObject& json)
    {
        Device record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.deviceName = AccountJson::text(json, QStringLiteral("device_name"));
        record.platform = AccountJson::text(json, QStringLiteral("platform"));
        record.appId = AccountJson::text(json, QStringLiteral("app_id"));
        record.appVersion = AccountJson::text(json, QStringLiteral("app_version"));
        record.lastSyncAt = AccountJson::time(json, QStringLiteral("last_sync_at"));
        record.deviceFingerprint = AccountJson::text(json, QStringLiteral("device_fingerprint"));
        record.createdAt = AccountJson::time(json, QStringLiteral("created_at"));
        return record;
    }
};

} // namespace OrvaAccount
