#include "AccountAttention.h"

namespace AccountAttention {

Counts count(const QList<Account>& accounts,
             const std::function<bool(const Account&)>& hasRefreshToken,
             const QString& passwordMissingText)
{
    Counts counts;
    for (const Account& account : accounts) {
        if (!account.enabled) {
            continue;
        }
        if (account.type == QLatin1String("google") || account.type == QLatin1String("microsoft")) {
            ++counts.oauthAccounts;
            if (!hasRefreshToken(account) ||
                account.lastSyncError == QLatin1String("Sign in required")) {
                ++counts.needSignIn;
            }
        } else if (account.type == QLatin1String("caldav") ||
                   account.type == QLatin1String("icloud") ||
                   account.type == QLatin1String("zoho")) {
            if (account.lastSyncError == passwordMissingText) {
                ++counts.needPassword;
            }
        }
    }
    return counts;
}

} // namespace AccountAttention
