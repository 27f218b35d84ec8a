#include "SyncRules.h"

namespace SyncRules {

bool isCalDavFamily(const QString& type)
{
    return type == QLatin1String("caldav") || type == QLatin1String("icloud") ||
           type == QLatin1String("zoho");
}

bool queuesOnChange(const QString& type)
{
    return type != QLatin1String("orvandellic");
}

bool hasSyncInterval(const QString& type)
{
    return type != QLatin1String("orvandellic") && type != QLatin1String("webcal");
}

bool isSyncType(const QString& type)
{
    return isCalDavFamily(type) || type == QLatin1String("google") ||
           type == QLatin1String("microsoft") || type == QLatin1String("webcal") ||
           type == QLatin1String("orvandellic");
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

} // namespace SyncRules
