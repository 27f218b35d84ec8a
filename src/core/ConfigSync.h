#pragma once

#include "Account.h"
#include "Calendar.h"
#include "CalendarView.h"
#include "EventTemplate.h"
#include "FilterRule.h"

#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// The decisions of the configuration sync: how Views, filter rules, templates, accounts and the
// week start travel as JSON, what a push sends and what a pulled record does here. Calendars are
// named by their canonical key on the wire, because row ids differ between devices. Pulled
// records are untrusted: one without an id is skipped.
namespace ConfigSync {

// Which parts of the configuration travel ("config/sync/..." preferences, all on by default).
struct Sections
{
    bool accounts = true;
    bool filters = true;
    bool settings = true;
    bool templates = true;
    bool views = true;
};

// What the push reads from the store.
struct LocalConfig
{
    QList<CalendarView> views;      // removed ones included
    QList<FilterRule> filterRules;  // removed ones included
    QList<EventTemplate> templates; // removed ones included
    QSet<QString> pendingTemplateIds;
    QList<Account> accounts; // removed ones included
    QList<Calendar> calendars;
    int weekStartDay = 0;
    // The week start changed here since it last travelled; otherwise it is not sent, so a
    // value another device set is not overwritten by a stale one.
    bool settingsPending = false;
};

enum class PullAction { Insert, Update, Delete, Skip };

// Accounts that travel: not the local account, not the sample account, not one the user keeps
// out of the sync. Removed ones travel as deletions.
bool accountTravels(const Account& account);

// The push body: pending Views and filter rules, pending templates, the travelling accounts
// (without any secret) and the settings when they changed here, each part only when its section
// is on.
QJsonObject buildPush(const LocalConfig& local, const Sections& sections);

// What a pulled record does: a pending local row (removed or not) is never overwritten; a
// deletion removes a synced row; otherwise the record is inserted or replaces the row.
PullAction decide(bool localExists, bool localPending, bool remoteDeleted);

// Accounts carry no sync state: a local row counts as pending when it changed after the
// pulled copy did.
bool accountIsNewer(const Account& local, const Account& remote);

// The pulled copy differs from the stored account in what travels; an echo of this device's
// own push does not.
bool accountDiffers(const Account& local, const Account& remote);

// Records from their JSON; calendar keys become the ids of the given calendars (keys no
// calendar carries are dropped). `deleted` reports a deletion.
std::optional<CalendarView> viewFromJson(const QJsonObject& object,
                                         const QList<Calendar>& calendars, bool* deleted);
std::optional<FilterRule> filterRuleFromJson(const QJsonObject& object,
                                             const QList<Calendar>& calendars, bool* deleted);
std::optional<EventTemplate> templateFromJson(const QJsonObject& object,
                                              const QList<Calendar>& calendars, bool* deleted);
// Pulled accounts are never the local or the sample account.
std::optional<Account> accountFromJson(const QJsonObject& object, bool* deleted);

// The pulled week start to store: 1..7 when the user has not customised it here.
std::optional<int> pulledWeekStart(const QJsonObject& settings, bool customizedLocally);

} // namespace ConfigSync
