#pragma once

#include "AccountJson.h"

namespace OrvaAccount {

// An invitation into the user's group.
struct GroupInvitation
{
    QString id;
    QString invitedEmail;
    QString inviteCode;
    QString status;
    QDateTime expiresAt;

    static GroupInvitation fromJson(const QJsonObject& json)
    {
        GroupInvitation record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.invitedEmail = AccountJson::text(json, QStringLiteral("invited_email"));
        record.inviteCode = AccountJson::text(json, QStringLiteral("invite_code"));
        record.status = AccountJson::text(json, QStringLiteral("status"));
        record.expiresAt = AccountJson::time(json, QStringLiteral("expires_at"));
        return record;
    }
};

} // namespace OrvaAccount
