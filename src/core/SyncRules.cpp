#include "SyncRules.h"

#include "AccountTypes.h"

#include <QUrl>

namespace SyncRules {

using AccountTypes::Family;

// Unknown words queue and count as due like any server account; only the full sync, which
// needs a client, passes them over.
bool queuesOnChange(const QString& type)
{
    return AccountTypes::of(type).family != Family::Cloud;
}

bool hasSyncInterval(const QString& type)
{
    const Family family = AccountTypes::of(type).family;
    return family != Family::Cloud && family != Family::Webcal;
}

bool isSyncType(const QString& type)
{
    return AccountTypes::isKnown(type);
}

bool inBackOff(const QDateTime& lastFailure, const QDateTime& now)
{
    return lastFailure.isValid() && lastFailure.secsTo(now) < pushBackOffSeconds;
}

bool anyAccountDue(const QList<Account>& accounts, const QDateTime& now)
{
    for (const Account& account : accounts) {
        if (!account.enabled || account.syncIntervalMinutes < 1 || !hasSyncInterval(account.type)) {
            continue;
        }
        if (!account.lastSyncTime || !account.lastSyncTime->isValid() ||
            account.lastSyncTime->secsTo(now) >= qint64(account.syncIntervalMinutes) * 60) {
            return true;
        }
    }
    return false;
}

bool existsRemotely(const QString& href, const QString& etag, const QString& providerId)
{
    return !href.isEmpty() || !etag.isEmpty() || !providerId.isEmpty();
}

QString serverOf(AccountTypes::Client client, const QString& calendarUrl, const QString& accountUrl)
{
    using AccountTypes::Client;
    if (client == Client::CalDav || client == Client::Webcal) {
        for (const QString& text : {calendarUrl, accountUrl}) {
            const QUrl url(text);
            if (url.host().isEmpty())
                continue;
            const QString scheme = url.scheme().toLower();
            const bool secure = scheme == u"https" || scheme == u"webcals";
            return url.host().toLower() + u':' + QString::number(url.port(secure ? 443 : 80));
        }
    }
    return QString::number(int(client));
}

} // namespace SyncRules
