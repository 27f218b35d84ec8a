#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// The authenticated user, as the authentication service returns it.
struct User
{
    QString id;
    QString email;
    QString displayName;
    QString username;
    QString avatarUrl;
    QDateTime createdAt;

    static User fromJson(const QJsonObject& json)
    {
        User record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.email = AccountJson::text(json, QStringLiteral("email"));
        record.displayName = AccountJson::text(json, QStringLiteral("display_name"));
        record.username = AccountJson::text(json, QStringLiteral("username"));
        record.avatarUrl = AccountJson::text(json, QStringLiteral("avatar_url"));
        record.createdAt = AccountJson::time(json, QStringLiteral("created_at"));
        return record;
    }
};

} // namespace OrvaAccount
