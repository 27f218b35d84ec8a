#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// How duplicate CalDAV-family accounts (same type, server URL and username) collapse into the
// oldest of them. Pure: the store reads the rows, asks for a plan and carries its actions out,
// in order, in one transaction.
//
// For any input the plan keeps these: no pending item is deleted; a keeper ends with no two
// calendars sharing a non-empty URL or canonical key that did not share one before; no item is
// left in a deleted calendar and no calendar under a tombstoned account; a duplicate that
// cannot be merged without losing a pending edit is left exactly as it was.
namespace AccountMerge {

struct AccountRow
{
    QString id;
    QString type;
    QString serverUrl;
    QString username;
    QDateTime createdAt;
    bool deleted = false;
};

struct CalendarRow
{
    QString id;
    QString accountId;
    QString url;
    QString canonicalKey;
    QDateTime createdAt;
};

enum class ItemKind { Event, Task };

// An event or task row: `identity` is what makes two rows the same item at the server (the
// uid, and for events the recurrence id).
struct ItemRow
{
    ItemKind kind = ItemKind::Event;
    QString id;
    QString calendarId;
    QString identity;
    bool pending = false;
};

struct Action
{
    enum Type {
        MoveCalendar,     // calendar `id` to account `target`
        MoveItem,         // item `id` of `kind` to calendar `target`
        DeleteItem,       // item `id` of `kind`, with its child rows
        DeleteCalendar,   // calendar `id`, emptied by the actions before it
        TombstoneAccount, // account `id`
    };
    Type type = MoveCalendar;
    QString id;
    QString target;
    ItemKind kind = ItemKind::Event;

    bool operator==(const Action&) const = default;
};

struct Plan
{
    QList<Action> actions;
    QStringList collapsed; // the duplicate accounts that become tombstones
    QStringList refused;   // why a duplicate was left as it was, one line each
};

// The accounts that have a duplicate: live CalDAV-family accounts with a server URL and a
// username that another such account shares. Only their calendars and items matter to plan().
QStringList accountsWithDuplicates(const QList<AccountRow>& accounts);

// The plan over all rows. Calendars and items are taken in the order given. Of a group, the
// oldest account (then the smallest id) is kept; each other one in turn moves its calendars to
// it, except that a calendar for a collection the keeper already has (same non-empty URL or
// canonical key; the earliest such calendar) is merged into that one: where both hold the same
// item, a pending local copy wins over a synced one, and when both are pending the whole
// duplicate is refused, because one edit would be lost.
Plan plan(const QList<AccountRow>& accounts, const QList<CalendarRow>& calendars,
          const QList<ItemRow>& items);

} // namespace AccountMerge
