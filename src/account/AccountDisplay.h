#pragma once

#include "GroupMember.h"
#include "ShareMember.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

namespace OrvaAccount {

// What the account windows show, decided apart from the widgets: initials, relative times, the
// lines of devices and sessions, and the rows of the share dialog.
namespace AccountDisplay {

// Up to two upper-case letters: the first letters of the first and last words of the name, or
// its first letter, or the e-mail's first letter; "?" when both are empty.
QString initialsFor(const QString& name, const QString& email);

// How long ago `time` was, seen at `now`: "Active now" under a minute (and for a time in the
// future), then "%1m ago", "%1h ago", "%1d ago", from a week on the date ("MMM d, yyyy") in the
// machine's zone; "Unknown" for an invalid time.
QString formatRelativeTime(const QDateTime& time, const QDateTime& now);

// A session's client: the user agent cut to 60 characters and "...", or "Unknown client".
QString sessionClient(const QString& userAgent);

// A device's detail line: the platform, then "  ·  v<version>" when there is a version.
QString deviceDetail(const QString& platform, const QString& appVersion);

// One person row of the share dialog.
// Its texts are bounded to what a row lays out.
struct PersonRow
{
    // The share's id (first section) or the member's share id (second); empty for a member the
    // service gave no id, who is listed but cannot be added.
    QString userId;
    QString shownName;
    QString secondLine; // the e-mail under the name; empty when there is none to show
    QString initials;
};

// The rows of the share dialog from what has arrived.
struct ShareRows
{
    QList<PersonRow> withAccess; // everybody but the owner, in the service's order
    QList<PersonRow> toAdd;      // group members without access, the user left out
    bool groupEmpty = true;      // no group members: the "no group" line instead of rows
};

ShareRows shareRows(const QList<ShareMember>& shares, const QList<GroupMember>& groupMembers,
                    const QString& myAccountId,
                    const std::function<QString(const QString&)>& shareUserIdFor);

} // namespace AccountDisplay

} // namespace OrvaAccount
