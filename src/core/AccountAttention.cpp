#include "AccountAttention.h"

#include "AccountTypes.h"

namespace AccountAttention {

QString signInRequiredText()
{
    return QStringLiteral("Sign in required");
}

bool needsSignIn(const Account& account, bool hasRefreshToken)
{
    return !hasRefreshToken || account.lastSyncError == signInRequiredText();
}

bool waitsForSignIn(const Account& account)
{
    return AccountTypes::clientOf(account.type) == AccountTypes::Client::Google &&
           account.lastSyncError == signInRequiredText();
}

bool saysPasswordMissing(const QString& lastSyncError, const QString& passwordMissingText)
{
    return !lastSyncError.isEmpty() && (lastSyncError == passwordMissingText ||
                                        lastSyncError == QLatin1String("Password missing"));
}

Counts count(const QList<Account>& accounts,
             const std::function<bool(const Account&)>& hasRefreshToken,
             const QString& passwordMissingText)
{
    Counts counts;
    for (const Account& account : accounts) {
        if (!account.enabled) {
            continue;
        }
        if (AccountTypes::isOAuth(account.type)) {
            ++counts.oauthAccounts;
            if (needsSignIn(account, hasRefreshToken(account))) {
                ++counts.needSignIn;
            }
        } else if (AccountTypes::isCalDavFamily(account.type)) {
            if (saysPasswordMissing(account.lastSyncError, passwordMissingText)) {
                ++counts.needPassword;
            }
        }
    }
    return counts;
}

} // namespace AccountAttention
