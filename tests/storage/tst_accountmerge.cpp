#include "AccountMerge.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace AccountMerge;

namespace {

struct Case
{
    QList<AccountRow> accounts;
    QList<CalendarRow> calendars;
    QList<ItemRow> items;
};

// A small random store: accounts that mostly share one server and user, calendars drawn from a
// few collections, and items whose identities repeat across calendars, some pending.
Case generate(QRandomGenerator& random)
{
    Case store;
    const QDateTime base(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    const int accounts = 1 + random.bounded(4);
    for (int a = 0; a < accounts; ++a) {
        AccountRow account;
        account.id = QStringLiteral("a%1").arg(a);
        account.type = random.bounded(8) == 0 ? QStringLiteral("google") : QStringLiteral("caldav");
        account.serverUrl = QStringLiteral("https://dav/");
        account.username = random.bounded(6) == 0 ? QStringLiteral("other") : QStringLiteral("me");
        account.createdAt = base.addDays(random.bounded(3));
        account.deleted = random.bounded(10) == 0;
        store.accounts.append(account);
        const int calendars = random.bounded(4);
        for (int c = 0; c < calendars; ++c) {
            CalendarRow calendar;
            calendar.id = account.id + QStringLiteral("c%1").arg(c);
            calendar.accountId = account.id;
            const int url = random.bounded(4);
            const int key = random.bounded(4);
            calendar.url = url == 0 ? QString() : QStringLiteral("https://dav/%1/").arg(url);
            calendar.canonicalKey = key == 0 ? QString() : QStringLiteral("key-%1").arg(key);
            calendar.createdAt = base.addDays(random.bounded(3));
            store.calendars.append(calendar);
            for (const ItemKind kind : {ItemKind::Event, ItemKind::Task}) {
                QSet<int> used;
                const int items = random.bounded(4);
                for (int i = 0; i < items; ++i) {
                    const int identity = random.bounded(4);
                    if (used.contains(identity))
                        continue;
                    used.insert(identity);
                    store.items.append({kind,
                                        calendar.id + QStringLiteral("i%1").arg(store.items.size()),
                                        calendar.id, QStringLiteral("uid-%1").arg(identity),
                                        random.bounded(2) == 0});
                }
            }
        }
    }
    return store;
}

QString itemKey(ItemKind kind, const QString& id)
{
    return (kind == ItemKind::Event ? u'e' : u't') + id;
}

} // namespace

class TestAccountMerge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Accounts are duplicates only when type, server URL and username match exactly, both are
    // live CalDAV-family accounts and neither the URL nor the username is empty.
    void duplicatesShareTypeServerAndUser_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("duplicate");
        // clang-format off
        QTest::newRow("same") << "caldav" << "https://dav/" << "me" << false << true;
        QTest::newRow("tombstone") << "caldav" << "https://dav/" << "me" << true << false;
        QTest::newRow("other type") << "icloud" << "https://dav/" << "me" << false << false;
        QTest::newRow("trailing slash") << "caldav" << "https://dav" << "me" << false << false;
        QTest::newRow("letter case") << "caldav" << "https://DAV/" << "me" << false << false;
        QTest::newRow("no user") << "caldav" << "https://dav/" << "" << false << false;
        QTest::newRow("not caldav") << "google" << "https://dav/" << "me" << false << false;
        // clang-format on
    }

    void duplicatesShareTypeServerAndUser()
    {
        QFETCH(QString, type);
        QFETCH(QString, url);
        QFETCH(QString, user);
        QFETCH(bool, deleted);
        QFETCH(bool, duplicate);
        const QDateTime created(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
        // Two accounts like the row's, and one plain CalDAV account beside them.
        const QList<AccountRow> accounts{
            {"a", "caldav", "https://dav/", user, created, false},
            {"b", type, url, user, created, deleted},
            {"c", type, url, user, created.addDays(1), deleted},
        };
        const QStringList involved = accountsWithDuplicates(accounts);
        QCOMPARE(involved.contains("a"), duplicate);
        const bool pair = !deleted && !user.isEmpty() && type != u"google";
        QCOMPARE(involved.contains("b"), pair);
        QCOMPARE(plan(accounts, {}, {}).collapsed.size(), qsizetype(pair) + qsizetype(duplicate));
    }

    // Many generated stores: carry each plan out on the rows and check what must hold for
    // any input.
    void generatedStoresKeepTheInvariants()
    {
        QRandomGenerator random(20250301);
        int collapsedTotal = 0;
        int refusedTotal = 0;
        for (int round = 0; round < 3000; ++round) {
            const Case before = generate(random);
            const Plan plan = AccountMerge::plan(before.accounts, before.calendars, before.items);
            collapsedTotal += int(plan.collapsed.size());
            refusedTotal += int(plan.refused.size());

            QHash<QString, CalendarRow> calendars;
            for (const CalendarRow& calendar : before.calendars)
                calendars.insert(calendar.id, calendar);
            QHash<QString, ItemRow> items;
            for (const ItemRow& item : before.items)
                items.insert(itemKey(item.kind, item.id), item);
            QSet<QString> tombstoned;
            // Accounts that receive calendars or items, and accounts that give something up.
            QSet<QString> receivers;
            QHash<QString, QString> owners;
            for (const CalendarRow& calendar : before.calendars)
                owners.insert(calendar.id, calendar.accountId);
            for (const Action& action : plan.actions) {
                if (action.type == Action::MoveCalendar) {
                    receivers.insert(action.target);
                    owners.insert(action.id, action.target);
                } else if (action.type == Action::MoveItem) {
                    receivers.insert(owners.value(action.target));
                }
            }
            QSet<QString> givers;
            const QString where = QStringLiteral("round %1").arg(round);
            for (const Action& action : plan.actions) {
                const QString key = itemKey(action.kind, action.id);
                switch (action.type) {
                case Action::MoveCalendar:
                    QVERIFY2(calendars.contains(action.id), qPrintable(where));
                    givers.insert(calendars[action.id].accountId);
                    calendars[action.id].accountId = action.target;
                    break;
                case Action::MoveItem:
                    QVERIFY2(items.contains(key) && calendars.contains(action.target),
                             qPrintable(where));
                    givers.insert(calendars.value(items[key].calendarId).accountId);
                    items[key].calendarId = action.target;
                    break;
                case Action::DeleteItem:
                    QVERIFY2(items.contains(key), qPrintable(where));
                    QVERIFY2(!items[key].pending, qPrintable(where + ": pending edit lost"));
                    if (!receivers.contains(calendars.value(items[key].calendarId).accountId))
                        givers.insert(calendars.value(items[key].calendarId).accountId);
                    items.remove(key);
                    break;
                case Action::DeleteCalendar:
                    QVERIFY2(calendars.contains(action.id), qPrintable(where));
                    givers.insert(calendars[action.id].accountId);
                    calendars.remove(action.id);
                    break;
                case Action::TombstoneAccount:
                    QVERIFY2(!tombstoned.contains(action.id), qPrintable(where));
                    tombstoned.insert(action.id);
                    break;
                }
            }
            QCOMPARE(QSet<QString>(plan.collapsed.begin(), plan.collapsed.end()), tombstoned);

            // Nothing orphaned: every item in a calendar that exists, every calendar under a
            // live account.
            for (const ItemRow& item : std::as_const(items))
                QVERIFY2(calendars.contains(item.calendarId), qPrintable(where + ": orphan item"));
            for (const CalendarRow& calendar : std::as_const(calendars))
                QVERIFY2(!tombstoned.contains(calendar.accountId),
                         qPrintable(where + ": orphan calendar"));

            // No item twice in one calendar; a deleted synced copy has a survivor of the
            // same item.
            QSet<QString> seen;
            for (const ItemRow& item : std::as_const(items)) {
                const QString identity = itemKey(item.kind, item.calendarId + u'|' + item.identity);
                QVERIFY2(!seen.contains(identity), qPrintable(where + ": item twice"));
                seen.insert(identity);
            }
            QHash<QString, CalendarRow> calendarsBefore;
            for (const CalendarRow& calendar : before.calendars)
                calendarsBefore.insert(calendar.id, calendar);
            const auto shares = [](const CalendarRow& a, const CalendarRow& b) {
                return (!a.url.isEmpty() && a.url == b.url) ||
                       (!a.canonicalKey.isEmpty() && a.canonicalKey == b.canonicalKey);
            };
            for (const ItemRow& item : before.items) {
                if (items.contains(itemKey(item.kind, item.id)))
                    continue;
                const CalendarRow home = calendarsBefore.value(item.calendarId);
                const bool survivor =
                    std::any_of(items.begin(), items.end(), [&](const ItemRow& other) {
                        return other.kind == item.kind && other.identity == item.identity &&
                               (other.calendarId == home.id ||
                                shares(calendarsBefore.value(other.calendarId), home));
                    });
                QVERIFY2(survivor, qPrintable(where + ": item lost without a copy"));
            }

            // No URL or canonical key twice under one account unless the two calendars shared
            // it, under one account, before.
            for (const CalendarRow& a : std::as_const(calendars)) {
                for (const CalendarRow& b : std::as_const(calendars)) {
                    if (a.id < b.id && a.accountId == b.accountId && shares(a, b))
                        QVERIFY2(calendarsBefore.value(a.id).accountId ==
                                     calendarsBefore.value(b.id).accountId,
                                 qPrintable(where + ": collection twice"));
                }
            }

            // Only the oldest account of a group (then the smallest id) receives anything.
            for (const QString& receiver : std::as_const(receivers)) {
                const auto it = std::find_if(before.accounts.begin(), before.accounts.end(),
                                             [&](const AccountRow& a) { return a.id == receiver; });
                QVERIFY(it != before.accounts.end());
                for (const AccountRow& other : before.accounts) {
                    if (other.deleted || other.type != it->type || other.username != it->username)
                        continue;
                    QVERIFY2(std::pair(it->createdAt, it->id) <=
                                 std::pair(other.createdAt, other.id),
                             qPrintable(where + ": keeper is not the oldest"));
                }
            }

            // Only collapsed duplicates give anything up: a refused one is left as it was.
            for (const QString& giver : std::as_const(givers))
                QVERIFY2(tombstoned.contains(giver), qPrintable(where + ": refused one changed"));
        }
        // The generator reaches both outcomes.
        QVERIFY(collapsedTotal > 100);
        QVERIFY(refusedTotal > 10);
    }
};

QTEST_GUILESS_MAIN(TestAccountMerge)
#include "tst_accountmerge.moc"
