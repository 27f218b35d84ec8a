#pragma once

#include "AccountJson.h"
#include "GroupInvitation.h"
#include "GroupMember.h"
#include "Limits.h"

namespace OrvaAccount {

// The user's group with its people.
struct Group
{
    QString id;
    QString name;
    int maxSeats = 0;
    QList<GroupMember> members;
    QList<GroupInvitation> pendingInvitations;
    // Entries of the reply's lists past their bounds, not read.
    int membersLeftOut = 0;
    int invitationsLeftOut = 0;

    static Group fromJson(const QJsonObject& json)
    {
        Group record;
        record.id = AccountJson::text(json, QStringLiteral("id"));
        record.name = AccountJson::text(json, QStringLiteral("name"));
        record.maxSeats = AccountJson::integer(json, QStringLiteral("max_seats"));
        record.members = AccountJson::list<GroupMember>(
            json, QStringLiteral("members"), Limits::maxGroupMembers, &record.membersLeftOut);
        record.pendingInvitations = AccountJson::list<GroupInvitation>(
            json, QStringLiteral("pending_invitations"), Limits::maxGroupInvitations,
            &record.invitationsLeftOut);
        return record;
    }
};

} // namespace OrvaAccount
