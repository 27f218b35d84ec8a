#include "AccountClient.h"
#include "AccountTesting.h"
#include "AuthClient.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

using namespace OrvaAccount;

class TestAccountClient : public QObject
{
    Q_OBJECT

private:
    AccountTesting::ServiceFixture m_fx;

    AccountClient* account() const { return m_fx.client->accountClient(); }

private Q_SLOTS:
    void init()
    {
        m_fx.start();
        m_fx.signIn(3600);
        m_fx.client->initialize();
        QVERIFY(m_fx.client->isAuthenticated());
    }

    void cleanup() { QVERIFY(m_fx.stop()); }

    void recordsAndTheirDefaults()
    {
        std::optional<Profile> profile;
        account()->getProfile([&](const Profile& value) { profile = value; });
        std::optional<QList<Device>> devices;
        account()->getDevices([&](const QList<Device>& value) { devices = value; });
        // No group yet: the service answers 404 and the caller gets a default record.
        std::optional<Group> group;
        account()->getGroup([&](const Group& value) { group = value; });
        QTRY_VERIFY_WITH_TIMEOUT(profile && devices && group, 10000);
        QCOMPARE(profile->email, QStringLiteral("ada@example.org"));
        QVERIFY(!profile->group.has_value());
        QCOMPARE(devices->size(), 2);
        QCOMPARE(devices->at(1).deviceName, QStringLiteral("Phone"));
        QVERIFY(group->id.isEmpty());

        // A failed call hands back an empty list, whatever the body holds.
        m_fx.service->setCannedReply("GET", QStringLiteral("/devices"), 500,
                                     R"({"devices":[{"id":"x"}]})");
        devices.reset();
        account()->getDevices([&](const QList<Device>& value) { devices = value; });
        QTRY_VERIFY_WITH_TIMEOUT(devices.has_value(), 10000);
        QVERIFY(devices->isEmpty());
    }

    void invitationsSendTheirBodies()
    {
        std::optional<GroupInvitation> byCode;
        account()->generateInviteCode([&](const GroupInvitation& value) { byCode = value; });
        QTRY_VERIFY_WITH_TIMEOUT(byCode.has_value(), 10000);
        QVERIFY(m_fx.service->requests().last().body.isEmpty());
        QCOMPARE(byCode->inviteCode, QStringLiteral("JOIN-1234"));

        std::optional<GroupInvitation> byEmail;
        account()->inviteByEmail(QStringLiteral("c@example.org"),
                                 [&](const GroupInvitation& value) { byEmail = value; });
        QTRY_VERIFY_WITH_TIMEOUT(byEmail.has_value(), 10000);
        QCOMPARE(m_fx.service->requests().last().json().keys(), QStringList{"email"});
        QCOMPARE(byEmail->invitedEmail, QStringLiteral("c@example.org"));
        QCOMPARE(byEmail->expiresAt, QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC));
    }

    void joiningRefreshesTheTokenAndAnnounces_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("joined");
        QTest::newRow("known code") << QStringLiteral("JOIN-1234") << true;
        QTest::newRow("unknown code") << QStringLiteral("NOPE") << false;
    }

    void joiningRefreshesTheTokenAndAnnounces()
    {
        QFETCH(QString, code);
        QFETCH(bool, joined);
        QSignalSpy changed(account(), &AccountClient::groupChanged);
        std::optional<bool> result;
        int changesSeenByCallback = -1;
        account()->joinGroup(code, [&](bool ok) {
            result = ok;
            changesSeenByCallback = changed.size();
        });
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
        QCOMPARE(*result, joined);
        QCOMPARE(changesSeenByCallback, joined ? 1 : 0);
        if (!joined) {
            QCOMPARE(m_fx.refreshes(), 0);
            return;
        }
        // The new token's claims name the group.
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.client->claims().groupId, QStringLiteral("group-1"), 10000);
        QCOMPARE(m_fx.client->claims().role, QStringLiteral("owner"));
        QCOMPARE(m_fx.refreshes(), 1);

        account()->leaveGroup();
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_fx.client->claims().groupId.isEmpty(), 10000);
    }

    void removeMemberAnnouncesOnlySuccess_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("announcements");
        QTest::newRow("removed") << 204 << 1;
        QTest::newRow("refused") << 403 << 0;
    }

    void removeMemberAnnouncesOnlySuccess()
    {
        QFETCH(int, status);
        QFETCH(int, announcements);
        m_fx.service->setCannedReply("DELETE", QStringLiteral("/group/members/acct-2"), status, {});
        QSignalSpy changed(account(), &AccountClient::groupChanged);
        account()->removeMember(QStringLiteral("acct-2"));
        // Removals without a callback still reach their paths.
        std::optional<bool> deleted;
        account()->removeDevice(QStringLiteral("dev-2"));
        account()->revokeInvitation(QStringLiteral("inv-9"));
        account()->deleteAccount([&](bool ok) { deleted = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(deleted.has_value(), 10000);
        QVERIFY(*deleted);
        for (const char* path :
             {"/group/members/acct-2", "/devices/dev-2", "/group/invitations/inv-9", "/profile"})
            QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("DELETE", QString::fromLatin1(path)), 1,
                                      10000);
        QTest::qWait(50);
        QCOMPARE(changed.size(), announcements);
    }

    // An entry the service gave no id offers nothing to act on: its request would name the
    // collection itself. Nothing is sent, and the caller hears why.
    void actionsWithoutAnIdAreNeverSent()
    {
        QStringList failures;
        const auto failed = [&failures](bool ok, const QString& reason) {
            failures.append(ok ? QStringLiteral("sent") : reason);
        };
        account()->removeMember(QString(), failed);
        account()->removeDevice(QString(), failed);
        account()->revokeInvitation(QString(), failed);
        m_fx.client->authClient()->revokeSession(QString(), failed);
        std::optional<bool> joined;
        account()->joinGroup(QString(), [&](bool ok) { joined = ok; });
        QCOMPARE(failures, QStringList(4, ApiClient::missingIdText()));
        QCOMPARE(joined, std::optional<bool>(false));
        QTest::qWait(50);
        for (const auto& request : m_fx.service->requests())
            QVERIFY2(!request.encodedPath.endsWith(QLatin1Char('/')),
                     qPrintable(request.encodedPath));
    }

    // Each list is read up to its bound; the caller learns how many entries were left out.
    void longListsAreReadUpToTheirBounds()
    {
        QJsonArray members{QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-0")},
                                       {QStringLiteral("role"), QStringLiteral("owner")}}};
        QJsonArray invitations;
        QJsonArray devices;
        QJsonArray sessions;
        for (int i = 1; i < 10000; ++i) {
            const QString n = QString::number(i);
            members.append(
                QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-") + n}});
            invitations.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("inv-") + n}});
            devices.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("dev-") + n}});
            sessions.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("s-") + n}});
        }
        m_fx.service->setGroup({{QStringLiteral("id"), QStringLiteral("group-1")},
                                {QStringLiteral("members"), members},
                                {QStringLiteral("pending_invitations"), invitations}},
                               QStringLiteral("owner"));
        m_fx.service->setDevices(devices);
        m_fx.service->setSessions(sessions);
        std::optional<Group> group;
        account()->fetchGroup([&](const Group& read, const QString&) { group = read; });
        std::optional<std::pair<qsizetype, int>> deviceCounts;
        account()->fetchDevices([&](const QList<Device>& read, const QString&, int leftOut) {
            deviceCounts = std::make_pair(read.size(), leftOut);
        });
        std::optional<std::pair<qsizetype, int>> sessionCounts;
        m_fx.client->authClient()->fetchSessions(
            [&](const QList<Session>& read, const QString&, int leftOut) {
                sessionCounts = std::make_pair(read.size(), leftOut);
            });
        QTRY_VERIFY_WITH_TIMEOUT(group && deviceCounts && sessionCounts, 10000);
        QCOMPARE(group->members.size(), Limits::maxGroupMembers);
        QCOMPARE(group->membersLeftOut, 10000 - Limits::maxGroupMembers);
        QCOMPARE(group->members.first().accountId, QStringLiteral("acct-0"));
        QCOMPARE(group->pendingInvitations.size(), Limits::maxGroupInvitations);
        QCOMPARE(group->invitationsLeftOut, 9999 - Limits::maxGroupInvitations);
        QCOMPARE(*deviceCounts, std::make_pair(qsizetype(Limits::maxAccountDevices),
                                               9999 - Limits::maxAccountDevices));
        QCOMPARE(*sessionCounts, std::make_pair(qsizetype(Limits::maxAccountSessions),
                                                9999 - Limits::maxAccountSessions));
    }

    // A reader fails unless the reply holds what it reads: the group its id and its members,
    // the devices their list. A list that is there but empty is an honest "none".
    void failuresAreToldFromEmptyAnswers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("removed");
        const QString unreadable = QStringLiteral("The service's reply could not be read");
        QTest::newRow("no group") << 404 << QByteArray() << QString() << false;
        QTest::newRow("server's words")
            << 500 << QByteArray(R"({"error":"down"})") << QStringLiteral("down") << false;
        QTest::newRow("status only") << 503 << QByteArray() << QStringLiteral("HTTP 503") << false;
        // A success status with a body that is no answer: never an empty group, never done.
        QTest::newRow("gateway page")
            << 200 << QByteArray("<html><body>Service starting</body></html>") << unreadable
            << false;
        QTest::newRow("cut body") << 200 << QByteArray("{\"id\":\"group-1\",\"members\":[{\"acc")
                                  << unreadable << false;
        // An object of another shape reads as nothing at all; a change needs no body.
        QTest::newRow("wrapped answer")
            << 200 << QByteArray(R"({"status":"ok","data":{"items":[]}})") << unreadable << true;
        QTest::newRow("no id, no list")
            << 200 << QByteArray(R"({"name":"Family","max_seats":6,"members":[]})") << unreadable
            << true;
        QTest::newRow("empty id, list of another type")
            << 200 << QByteArray(R"({"id":"","devices":{"dev-1":{}}})") << unreadable << true;
        QTest::newRow("id of another type, null list")
            << 200 << QByteArray(R"({"id":7,"devices":null})") << unreadable << true;
        // A group always lists its owner: without its list it is no group of nobody.
        QTest::newRow("group without its member list")
            << 200 << QByteArray(R"({"id":"group-1","name":"Family","max_seats":5})") << unreadable
            << true;
        QTest::newRow("empty member list")
            << 200 << QByteArray(R"({"id":"group-1","name":"Family","max_seats":5,"members":[]})")
            << unreadable << true;
        QTest::newRow("members that are not objects")
            << 200 << QByteArray(R"({"id":"group-1","members":[1,"x",null,[]]})") << unreadable
            << true;
        QTest::newRow("the owner and an entry that is no object")
            << 200
            << QByteArray(
                   R"({"id":"group-1","members":[{"account_id":"acct-1","role":"owner"},7]})")
            << unreadable << true;
        QTest::newRow("members not a list")
            << 200 << QByteArray(R"({"id":"group-1","members":{"acct-1":{"role":"owner"}}})")
            << unreadable << true;
        QTest::newRow("group with its owner, empty device list")
            << 200
            << QByteArray(
                   R"({"id":"group-1","members":[{"account_id":"acct-1","role":"owner"}],"devices":[]})")
            << QString() << true;
    }

    void failuresAreToldFromEmptyAnswers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(bool, removed);
        m_fx.service->setCannedReply("GET", QStringLiteral("/group"), status, body);
        m_fx.service->setCannedReply("GET", QStringLiteral("/devices"), status, body);
        m_fx.service->setCannedReply("DELETE", QStringLiteral("/devices/a/b"), status, body);
        std::optional<std::pair<Group, QString>> group;
        account()->fetchGroup([&](const Group& read, const QString& reason) {
            group = std::make_pair(read, reason);
        });
        std::optional<std::pair<QList<Device>, QString>> devices;
        account()->fetchDevices([&](const QList<Device>& read, const QString& reason, int) {
            devices = std::make_pair(read, reason);
        });
        std::optional<std::pair<bool, QString>> removal;
        // The id is one path segment, "/" and all.
        account()->removeDevice(QStringLiteral("a/b"), [&](bool ok, const QString& reason) {
            removal = std::make_pair(ok, reason);
        });
        QTRY_VERIFY_WITH_TIMEOUT(group && devices && removal, 10000);
        QCOMPARE(group->second, error);
        QCOMPARE(group->first.id.isEmpty(), status != 200 || !error.isEmpty());
        // Only the group's "not found" means none; there is no such meaning for devices.
        QCOMPARE(devices->second, status == 404 ? QStringLiteral("HTTP 404") : error);
        QVERIFY(devices->first.isEmpty());
        bool encodedOnce = false;
        for (const auto& request : m_fx.service->requests())
            encodedOnce |= request.encodedPath.endsWith(QLatin1String("/devices/a%2Fb"));
        QVERIFY(encodedOnce);
        QCOMPARE(removal->first, removed);
        QCOMPARE(removal->second, removed         ? QString()
                                  : status == 404 ? QStringLiteral("HTTP 404")
                                                  : error);
    }
};

QTEST_GUILESS_MAIN(TestAccountClient)
#include "tst_accountclient.moc"
