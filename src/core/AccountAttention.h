#pragma once

#include "Account.h"

#include <QList>
#include <QString>

#include <functional>

// Which enabled accounts need the user before they can sync: a sign-in (Google, Microsoft) or a
// password (the CalDAV family). Disabled accounts and other types never count.
namespace AccountAttention {

struct Counts
{
    int oauthAccounts = 0; // enabled Google and Microsoft accounts
    int needSignIn = 0;
    int needPassword = 0;
};

// The last sync error an OAuth account keeps while only a new sign-in lets it sync (no tokens
// are stored, or the provider refused them). Kept as it stands, not translated: it is a state
// that the sign-in clears, not a message.
QString signInRequiredText();

// Whether an OAuth account must be signed in again: `hasRefreshToken` tells whether the
// credential store holds a refresh token for it.
bool needsSignIn(const Account& account, bool hasRefreshToken);

// Whether a sync of the account would only meet a refused sign-in: a Google account marked as
// needing a new one (its runs would fail at once, each). The sign-in takes the mark away.
bool waitsForSignIn(const Account& account);

// Whether an account's last sync error says its password is missing: the text the sync stores is
// in the language of the day it was stored, so the English text counts as well as today's.
bool saysPasswordMissing(const QString& lastSyncError, const QString& passwordMissingText);

// `hasRefreshToken` tells whether the credential store holds a refresh token for the account;
// `passwordMissingText` is the (translated) error the sync stores for a missing password.
Counts count(const QList<Account>& accounts,
             const std::function<bool(const Account&)>& hasRefreshToken,
             const QString& passwordMissingText);

} // namespace AccountAttention
