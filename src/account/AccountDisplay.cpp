#include "AccountDisplay.h"

#include "Limits.h"
#include "ShownText.h"

#include <QSet>

namespace OrvaAccount::AccountDisplay {

namespace {

constexpr qint64 minute = 60;
constexpr qint64 hour = 60 * minute;
constexpr qint64 day = 24 * hour;
constexpr qint64 week = 7 * day;
constexpr int longestClientChars = 60;

const QString ownerRole = QStringLiteral("owner");

QString shown(const QString& text)
{
    return ShownText::bounded(text, Limits::maxRowTextChars);
}

} // namespace

QString initialsFor(const QString& name, const QString& email)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return email.isEmpty() ? QStringLiteral("?") : email.left(1).toUpper();
    const QStringList parts = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return trimmed.left(1).toUpper();
    return (parts.first().left(1) + parts.last().left(1)).toUpper();
}

QString formatRelativeTime(const QDateTime& time, const QDateTime& now)
{
    if (!time.isValid())
        return QStringLiteral("Unknown");
    const qint64 seconds = time.secsTo(now);
    if (seconds < minute)
        return QStringLiteral("Active now");
    if (seconds < hour)
        return QStringLiteral("%1m ago").arg(seconds / minute);
    if (seconds < day)
        return QStringLiteral("%1h ago").arg(seconds / hour);
    if (seconds < week)
        return QStringLiteral("%1d ago").arg(seconds / day);
    return time.toLocalTime().toString(QStringLiteral("MMM d, yyyy"));
}

QString sessionClient(const QString& userAgent)
{
    if (userAgent.isEmpty())
        return QStringLiteral("Unknown client");
    if (userAgent.size() > longestClientChars)
        return userAgent.left(longestClientChars) + QStringLiteral("...");
    return userAgent;
}

QString deviceDetail(const QString& platform, const QString& appVersion)
{
    if (appVersion.isEmpty())
        return platform;
    return platform + QStringLiteral("  \u00B7  v%1").arg(appVersion);
}

ShareRows shareRows(const QList<ShareMember>& shares, const QList<GroupMember>& groupMembers,
                    const QString& myAccountId,
                    const std::function<QString(const QString&)>& shareUserIdFor)
{
    ShareRows rows;
    QSet<QString> sharedIds;
    for (const ShareMember& share : shares) {
        // The owner's entry is not listed and does not count as shared: an owner who is another
        // member of the group is offered for adding.
        if (share.role == ownerRole)
            continue;
        QString name = share.displayName;
        QString email = share.email;
        if (name.isEmpty() || email.isEmpty()) {
            for (const GroupMember& member : groupMembers) {
                if (shareUserIdFor(member.accountId) != share.userId)
                    continue;
                if (name.isEmpty())
                    name = member.displayName;
                if (email.isEmpty())
                    email = member.email;
                break;
            }
        }
        PersonRow row;
        row.userId = share.id;
        const QString shownName = !name.isEmpty() ? name : !email.isEmpty() ? email : share.userId;
        row.shownName = shown(shownName);
        row.secondLine = email != shownName ? shown(email) : QString();
        row.initials = initialsFor(name, email);
        rows.withAccess.append(row);
        if (!share.userId.isEmpty())
            sharedIds.insert(share.userId);
    }

    rows.groupEmpty = groupMembers.isEmpty();
    // Only a known id finds the user or a share: an empty one would match every member the
    // service gave no id.
    QString myShareId;
    for (const GroupMember& member : groupMembers) {
        if (!myAccountId.isEmpty() && member.accountId == myAccountId) {
            myShareId = shareUserIdFor(member.accountId);
            break;
        }
    }
    for (const GroupMember& member : groupMembers) {
        const QString shareId =
            member.accountId.isEmpty() ? QString() : shareUserIdFor(member.accountId);
        if (!shareId.isEmpty() && (shareId == myShareId || sharedIds.contains(shareId)))
            continue;
        PersonRow row;
        row.userId = shareId;
        const QString shownName = !member.displayName.isEmpty() ? member.displayName : member.email;
        row.shownName = shown(shownName);
        row.secondLine = !member.displayName.isEmpty() && member.email != shownName
                             ? shown(member.email)
                             : QString();
        row.initials = initialsFor(member.displayName, member.email);
        rows.toAdd.append(row);
    }
    return rows;
}

} // namespace OrvaAccount::AccountDisplay
