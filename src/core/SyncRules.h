#pragma once

#include "Account.h"
#include "AccountTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Who syncs when: the decisions of the automatic sync, by account type word (compared exactly);
// what each word is comes from AccountTypes.
namespace SyncRules {

// A failed calendar is not pushed again for this long after its failure.
inline constexpr int pushBackOffSeconds = 60;
// A client that reports nothing for this long has its open calendars failed and is dropped.
inline constexpr int silentClientSeconds = 300;

// Types whose calendars a local change queues for a push: all but the cloud service's.
bool queuesOnChange(const QString& type);
// Types that the periodic check looks at and whose last sync time a full sync stamps.
bool hasSyncInterval(const QString& type);
// Types the full sync serves at all (for the "nothing to sync" texts).
bool isSyncType(const QString& type);

// True when the last failure lies less than pushBackOffSeconds before now.
bool inBackOff(const QDateTime& lastFailure, const QDateTime& now);

// True when an enabled account with an interval (at least 1 minute, a type with an interval)
// has never synced or began its last full sync at least one interval before now.
bool anyAccountDue(const QList<Account>& accounts, const QDateTime& now);

// A row that exists on a server (it has a server address, an ETag or a provider id); only such
// rows may drop their pending edits in a forced full sync, so a row created offline still
// reaches the server.
bool existsRemotely(const QString& href, const QString& etag, const QString& providerId);

// The server a calendar's runs go to, as SyncTurns counts them: the host and port of the
// calendar's address for the CalDAV family and feeds (else of the account's), and one server per
// provider for the others, whose calendars all live behind one service.
QString serverOf(AccountTypes::Client client, const QString& calendarUrl,
                 const QString& accountUrl);

} // namespace SyncRules
