#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// One sign-in session of the user.
struct Session
{
    QString id;
    QString userAgent;
    QString ipAddress;
    QDateTime createdAt;
    QDateTime lastActiveAt;
    bool isCurrent = false;

    static Session fromJson(const QJsonObject& json)
    {
        Session record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.userAgent = AccountJson::text(json, QStringLiteral("user_agent"));
        record.ipAddress = AccountJson::text(json, QStringLiteral("ip_address"));
        record.createdAt = AccountJson::time(json, QStringLiteral("created_at"));
        record.lastActiveAt = AccountJson::time(json, QStringLiteral("last_active_at"));
        record.isCurrent = AccountJson::flag(json, QStringLiteral("is_current"));
        return record;
    }
};

} // namespace OrvaAccount
