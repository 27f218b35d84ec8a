#include "AccountMerge.h"

#include "AccountTypes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace AccountMerge {

namespace {

// Live CalDAV-family accounts grouped by server and user, groups in order of first appearance.
QList<QList<AccountRow>> groups(const QList<AccountRow>& accounts)
{
    QHash<QString, qsizetype> indexByKey;
    QList<QList<AccountRow>> grouped;
    for (const AccountRow& account : accounts) {
        if (account.deleted || !AccountTypes::isCalDavFamily(account.type) ||
            account.serverUrl.isEmpty() || account.username.isEmpty())
            continue;
        const QString key = account.type + u'\n' + account.serverUrl + u'\n' + account.username;
        const auto it = indexByKey.constFind(key);
        if (it == indexByKey.constEnd()) {
            indexByKey.insert(key, grouped.size());
            grouped.append({account});
        } else {
            grouped[*it].append(account);
        }
    }
    return grouped;
}

// The rows as the actions so far have left them.
struct State
{
    QList<CalendarRow> calendars;
    QList<ItemRow> items;
    QSet<QString> deletedCalendars;
    QSet<QString> deletedItems[2];
};

bool sameCollection(const CalendarRow& a, const CalendarRow& b)
{
    return (!a.url.isEmpty() && a.url == b.url) ||
           (!a.canonicalKey.isEmpty() && a.canonicalKey == b.canonicalKey);
}

// Merges the items of calendar `from` into calendar `to`; false when both hold a pending copy
// of one item.
bool mergeItems(State& state, const QString& from, const QString& to, QList<Action>& actions,
                QString& refusal)
{
    for (const ItemKind kind : {ItemKind::Event, ItemKind::Task}) {
        QSet<QString>& deleted = state.deletedItems[int(kind)];
        const auto live = [&](const ItemRow& item, const QString& calendarId) {
            return item.kind == kind && item.calendarId == calendarId && !deleted.contains(item.id);
        };
        // The target as it was before this merge: items moved in below do not clash.
        QHash<QString, QList<ItemRow>> targetByIdentity;
        QList<qsizetype> sources;
        for (qsizetype i = 0; i < state.items.size(); ++i) {
            const ItemRow& item = state.items.at(i);
            if (live(item, to))
                targetByIdentity[item.identity].append(item);
            else if (live(item, from))
                sources.append(i);
        }
        for (const qsizetype index : sources) {
            ItemRow& item = state.items[index];
            const QList<ItemRow> clashes = targetByIdentity.value(item.identity);
            if (!clashes.isEmpty() && !item.pending) {
                actions.append({Action::DeleteItem, item.id, QString(), kind});
                deleted.insert(item.id);
                continue;
            }
            if (std::any_of(clashes.begin(), clashes.end(),
                            [](const ItemRow& clash) { return clash.pending; })) {
                refusal = QStringLiteral("both copies of %1 hold local edits").arg(item.id);
                return false;
            }
            for (const ItemRow& clash : clashes) {
                if (deleted.contains(clash.id))
                    continue;
                actions.append({Action::DeleteItem, clash.id, QString(), kind});
                deleted.insert(clash.id);
            }
            actions.append({Action::MoveItem, item.id, to, kind});
            item.calendarId = to;
        }
    }
    return true;
}

// Collapses `duplicate` into `keeper`; false (with the state untouched) when it is refused.
bool collapse(State& state, const QString& keeper, const QString& duplicate, QList<Action>& actions,
              QString& refusal)
{
    State next = state;
    QList<Action> planned;
    for (qsizetype i = 0; i < next.calendars.size(); ++i) {
        if (next.calendars.at(i).accountId != duplicate ||
            next.deletedCalendars.contains(next.calendars.at(i).id))
            continue;
        const CalendarRow calendar = next.calendars.at(i);
        // Looked up afresh, so that two calendars of the duplicate for one collection also end
        // as one.
        const CalendarRow* target = nullptr;
        for (const CalendarRow& candidate : std::as_const(next.calendars)) {
            if (candidate.accountId != keeper || candidate.id == calendar.id ||
                next.deletedCalendars.contains(candidate.id) ||
                !sameCollection(candidate, calendar))
                continue;
            if (!target || candidate.createdAt < target->createdAt ||
                (candidate.createdAt == target->createdAt && candidate.id < target->id))
                target = &candidate;
        }
        if (!target) {
            planned.append({Action::MoveCalendar, calendar.id, keeper});
            next.calendars[i].accountId = keeper;
            continue;
        }
        const QString targetId = target->id;
        if (!mergeItems(next, calendar.id, targetId, planned, refusal))
            return false;
        planned.append({Action::DeleteCalendar, calendar.id, QString()});
        next.deletedCalendars.insert(calendar.id);
    }
    planned.append({Action::TombstoneAccount, duplicate, QString()});
    state = std::move(next);
    actions.append(planned);
    return true;
}

} // namespace

QStringList accountsWithDuplicates(const QList<AccountRow>& accounts)
{
    QStringList ids;
    for (const QList<AccountRow>& group : groups(accounts)) {
        if (group.size() < 2)
            continue;
        for (const AccountRow& account : group)
            ids.append(account.id);
    }
    return ids;
}

Plan plan(const QList<AccountRow>& accounts, const QList<CalendarRow>& calendars,
          const QList<ItemRow>& items)
{
    Plan result;
    State state{calendars, items, {}, {}};
    for (QList<AccountRow> group : groups(accounts)) {
        if (group.size() < 2)
            continue;
        // Oldest first; the id breaks ties so the outcome does not depend on row order.
        std::sort(group.begin(), group.end(), [](const AccountRow& a, const AccountRow& b) {
            if (a.createdAt != b.createdAt)
                return a.createdAt < b.createdAt;
            return a.id < b.id;
        });
        for (qsizetype i = 1; i < group.size(); ++i) {
            QString refusal;
            if (collapse(state, group.first().id, group.at(i).id, result.actions, refusal))
                result.collapsed.append(group.at(i).id);
            else
                result.refused.append(refusal);
        }
    }
    return result;
}

} // namespace AccountMerge
