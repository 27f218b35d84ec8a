#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// One member of the user's group.
struct GroupMember
{
    QString accountId;
    QString authUserId;
    QString displayName;
    QString email;
    QString role;
    QDateTime joinedAt;

    static GroupMember fromJson(const QJsonObject& json)
    {
        GroupMember record;
        record.accountId = AccountJson::text(json, QStringLiteral("account_id"));
        record.authUserId = AccountJson::text(json, QStringLiteral("auth_user_id"));
        record.displayName = AccountJson::text(json, QStringLiteral("display_name"));
        record.email = AccountJson::text(json, QStringLiteral("email"));
        record.role = AccountJson::text(json, QStringLiteral("role"));
        record.joinedAt = AccountJson::time(json, QStringLiteral("joined_at"));
        return record;
    }
};

} // namespace OrvaAccount
