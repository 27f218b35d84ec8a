#pragma once

#include "AccountJson.h"
#include "GroupSummary.h"

#include <optional>

namespace OrvaAccount {

// The user's account at the account service.
struct Profile
{
    QString id;
    QString email;
    QString displayName;
    QString avatarUrl;
    QString language;
    QString timezone;
    QString status;
    QDateTime createdAt;
    // Present whenever the key is, whatever its value.
    std::optional<GroupSummary> group;

    static Profile fromJson(const QJsonObject& json)
    {
        Profile record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.email = AccountJson::text(json, QStringLiteral("email"));
        record.displayName = AccountJson::text(json, QStringLiteral("display_name"));
        record.avatarUrl = AccountJson::text(json, QStringLiteral("avatar_url"));
        record.language = AccountJson::text(json, QStringLiteral("language"));
        record.timezone = AccountJson::text(json, QStringLiteral("timezone"));
        record.status = AccountJson::text(json, QStringLiteral("status"));
        record.createdAt = AccountJson::time(json, QStringLiteral("created_at"));
        if (json.contains(QStringLiteral("group")))
            record.group = GroupSummary::fromJson(json.value(QStringLiteral("group")).toObject());
        return record;
    }
};

} // namespace OrvaAccount
