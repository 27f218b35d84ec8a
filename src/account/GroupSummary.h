#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// The group as the profile names it.
struct GroupSummary
{
    QString id;
    QString name;
    QString role;
    int memberCount = 0;

    static GroupSummary fromJson(const QJsonObject& json)
    {
        GroupSummary record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.name = AccountJson::text(json, QStringLiteral("name"));
        record.role = AccountJson::text(json, QStringLiteral("role"));
        record.memberCount = AccountJson::integer(json, QStringLiteral("member_count"));
        return record;
    }
};

} // namespace OrvaAccount
