#pragma once

#include "AccountJson.h"
#include "GroupInvitation.h"
#include "GroupMember.h"

namespace OrvaAccount {

// The user's group with its people.
struct Group
{
    QString id;
    QString name;
    int maxSeats = 0;
    QList<GroupMember> members;
    QList<GroupInvitation> pendingInvitations;

    static Group fromJson(const QJsonObject& json)
    {
        Group record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.name = AccountJson::text(json, QStringLiteral("name"));
        record.maxSeats = AccountJson::integer(json, QStringLiteral("max_seats"));
        record.members = AccountJson::list<GroupMember>(json, QStringLiteral("members"));
        record.pendingInvitations =
            AccountJson::list<GroupInvitation>(json, QStringLiteral("pending_invitations"));
        return record;
    }
};

} // namespace OrvaAccount
