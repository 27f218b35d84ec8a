#include "AccountDisplay.h"

#include <QTest>
#include <QTimeZone>

using namespace OrvaAccount;
using namespace OrvaAccount::AccountDisplay;

namespace {

ShareMember share(const QString& userId, const QString& name, const QString& email,
                  const QString& role = QStringLiteral("member"))
{
    ShareMember member;
    member.id = userId;
    member.userId = userId;
    member.displayName = name;
    member.email = email;
    member.role = role;
    return member;
}

GroupMember member(const QString& accountId, const QString& name, const QString& email)
{
    GroupMember record;
    record.accountId = accountId;
    record.displayName = name;
    record.email = email;
    return record;
}

QString names(const QList<PersonRow>& rows)
{
    QStringList shown;
    for (const PersonRow& row : rows)
        shown.append(row.shownName + QLatin1Char('/') + row.secondLine);
    return shown.join(QLatin1Char('|'));
}

// Share ids as a backend that knows group members under another name would give them.
QString prefixed(const QString& accountId)
{
    return QStringLiteral("u-") + accountId;
}

} // namespace

class TestAccountDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initials_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two words") << "ada lovelace"
                                   << "a@x.org"
                                   << "AL";
        QTest::newRow("one word") << "charles"
                                  << ""
                                  << "C";
        QTest::newRow("three words") << "Mary Ann Evans"
                                     << ""
                                     << "ME";
        QTest::newRow("blanks around and between") << "  grace   hopper "
                                                   << ""
                                                   << "GH";
        QTest::newRow("e-mail only") << ""
                                     << "zed@x.org"
                                     << "Z";
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "?";
        QTest::newRow("blank name, e-mail") << "   "
                                            << "bo@x.org"
                                            << "B";
    }

    void initials()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, expected);
        QCOMPARE(initialsFor(name, email), expected);
    }

    void relativeTime_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("59 s") << qint64(59) << "Active now";
        QTest::newRow("in the future") << qint64(-3600) << "Active now";
        QTest::newRow("60 s") << qint64(60) << "1m ago";
        QTest::newRow("an hour less a second") << qint64(3599) << "59m ago";
        QTest::newRow("an hour") << qint64(3600) << "1h ago";
        QTest::newRow("a day less a second") << qint64(86399) << "23h ago";
        QTest::newRow("a day") << qint64(86400) << "1d ago";
        QTest::newRow("a week less a second") << qint64(604799) << "6d ago";
    }

    void relativeTime()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, expected);
        const QDateTime now(QDate(2026, 3, 11), QTime(9, 0), Qt::UTC);
        QCOMPARE(formatRelativeTime(now.addSecs(-secondsAgo), now), expected);
    }

    void relativeTimeFromAWeekIsTheLocalDate()
    {
        const QDateTime now(QDate(2026, 3, 11), QTime(9, 0), Qt::UTC);
        const QDateTime then = now.addSecs(-604800);
        QCOMPARE(formatRelativeTime(then, now),
                 then.toTimeZone(QTimeZone::systemTimeZone()).toString("MMM d, yyyy"));
        QVERIFY(formatRelativeTime(then, now).startsWith(QLatin1String("Mar ")));
        QCOMPARE(formatRelativeTime(QDateTime(), now), QStringLiteral("Unknown"));
    }

    void sessionAndDeviceLines_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        const QString sixty(60, QLatin1Char('a'));
        QTest::newRow("60 characters whole") << sessionClient(sixty) << sixty;
        QTest::newRow("61 cut") << sessionClient(sixty + "b") << sixty + "...";
        QTest::newRow("no agent") << sessionClient({}) << "Unknown client";
        QTest::newRow("platform and version")
            << deviceDetail("linux", "1.3.1") << QStringLiteral("linux  \u00B7  v1.3.1");
        QTest::newRow("platform only") << deviceDetail("linux", {}) << "linux";
    }

    void sessionAndDeviceLines()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    void shareRowsFromWhatArrived_data()
    {
        QTest::addColumn<QList<ShareMember>>("shares");
        QTest::addColumn<QList<GroupMember>>("group");
        QTest::addColumn<QString>("withAccess");
        QTest::addColumn<QString>("toAdd");
        QTest::addColumn<bool>("groupEmpty");

        const GroupMember me = member("me", "Ada Lovelace", "ada@x.org");
        const GroupMember charles = member("c", "Charles", "c@x.org");
        const GroupMember grace = member("g", "", "grace@x.org");
        QTest::newRow("only the owner shares")
            << QList<ShareMember>{share("u-me", "Ada", "ada@x.org", "owner")}
            << QList<GroupMember>{me, charles, grace} << ""
            << "Charles/c@x.org|grace@x.org/" << false;
        QTest::newRow("an owner who is another member is offered")
            << QList<ShareMember>{share("u-c", "Charles", "c@x.org", "owner")}
            << QList<GroupMember>{me, charles} << ""
            << "Charles/c@x.org" << false;
        QTest::newRow("the user alone in the group")
            << QList<ShareMember>{} << QList<GroupMember>{me} << ""
            << "" << false;
        QTest::newRow("no group") << QList<ShareMember>{share("u-c", "Charles", "", "member")}
                                  << QList<GroupMember>{} << "Charles/"
                                  << "" << true;
        QTest::newRow("names taken from the group")
            << QList<ShareMember>{share("u-c", "", ""), share("u-zz", "", "")}
            << QList<GroupMember>{me, charles, grace} << "Charles/c@x.org|u-zz/"
            << "grace@x.org/" << false;
        // A member the service gave no id is offered without one (nothing to grant it to), and
        // neither an empty share id nor the user's own id matches it.
        QTest::newRow("a member without an id")
            << QList<ShareMember>{share("", "", "x@x.org")}
            << QList<GroupMember>{me, member("", "No Id", "")} << "x@x.org/"
            << "No Id/" << false;
        QTest::newRow("e-mail as name is not repeated")
            << QList<ShareMember>{share("u-g", "", "grace@x.org")} << QList<GroupMember>{me, grace}
            << "grace@x.org/"
            << "" << false;
    }

    void shareRowsFromWhatArrived()
    {
        QFETCH(QList<ShareMember>, shares);
        QFETCH(QList<GroupMember>, group);
        QFETCH(QString, withAccess);
        QFETCH(QString, toAdd);
        QFETCH(bool, groupEmpty);
        const ShareRows rows = shareRows(shares, group, QStringLiteral("me"), &prefixed);
        QCOMPARE(names(rows.withAccess), withAccess);
        QCOMPARE(names(rows.toAdd), toAdd);
        QCOMPARE(rows.groupEmpty, groupEmpty);
        for (const PersonRow& row : rows.toAdd)
            QCOMPARE(row.userId.isEmpty() ? row.shownName : row.userId.left(2),
                     row.userId.isEmpty() ? QStringLiteral("No Id") : QStringLiteral("u-"));
    }
};

QTEST_GUILESS_MAIN(TestAccountDisplay)
#include "tst_accountdisplay.moc"
