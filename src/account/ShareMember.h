#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// One person with access to a cloud calendar, as the calendar sync service lists them. The
// calendar's owner has the role "owner".
struct ShareMember
{
    QString id;
    QString userId;
    QString email;
    QString displayName;
    QString role;
    QString joinedAt;

    static ShareMember fromJson(const QJsonObject& json)
    {
        ShareMember record;
        record.id = AccountJson::text(json, QStringLiteral("user_id"));
        record.userId = record.id;
        record.email = AccountJson::text(json, QStringLiteral("email"));
        record.displayName = AccountJson::text(json, QStringLiteral("display_name"));
        record.role = AccountJson::text(json, QStringLiteral("role"));
        record.joinedAt = AccountJson::text(json, QStringLiteral("joined_at"));
        return record;
    }
};

} // namespace OrvaAccount
