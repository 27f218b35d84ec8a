#include "AccountClient.h"
#include "AccountTesting.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "FakeAccountService.h"
#include "MemoryCredentialBackend.h"
#include "SecretLogGuard.h"
#include "TokenManager.h"

#include <QSignalSpy>
#include <QTest>

using namespace OrvaAccount;

class TestAccountClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SecretLogGuard> m_guard;
    std::unique_ptr<FakeAccountService> m_service;
    std::unique_ptr<Client> m_client;

    AccountClient* account() const { return m_client->accountClient(); }

private Q_SLOTS:
    void initTestCase() { m_guard = std::make_unique<SecretLogGuard>(); }

    void init()
    {
        CredentialBackend::setDefaultBackend(std::make_shared<MemoryCredentialBackend>());
        m_service = std::make_unique<FakeAccountService>();
        m_service->exportEnvironment();
        m_client = std::make_unique<Client>(AccountTesting::configFromEnvironment());
        m_client->tokenManager()->setTokens(m_service->mintAccessToken(3600),
                                            m_service->mintRefreshToken());
        m_client->initialize();
        QVERIFY(m_client->isAuthenticated());
    }

    void cleanup()
    {
        m_client.reset();
        m_service.reset();
        QCOMPARE(SecretLogGuard::leaks(), 0);
    }

    void profileDevicesAndGroup()
    {
        std::optional<Profile> profile;
        account()->getProfile([&](const Profile& value) { profile = value; });
        QTRY_VERIFY_WITH_TIMEOUT(profile.has_value(), 10000);
        QCOMPARE(profile->email, QStringLiteral("ada@example.org"));
        QVERIFY(!profile->group.has_value());

        std::optional<QList<Device>> devices;
        account()->getDevices([&](const QList<Device>& value) { devices = value; });
        QTRY_VERIFY_WITH_TIMEOUT(devices.has_value(), 10000);
        QCOMPARE(devices->size(), 2);
        QCOMPARE(devices->at(1).deviceName, QStringLiteral("Phone"));

        // No group yet: the service answers 404 and the caller gets a default record.
        std::optional<Group> group;
        account()->getGroup([&](const Group& value) { group = value; });
        QTRY_VERIFY_WITH_TIMEOUT(group.has_value(), 10000);
        QVERIFY(group->id.isEmpty());
    }

    void devicesReply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("count");
        QTest::newRow("empty array") << QByteArray(R"({"devices":[]})") << 200 << 0;
        QTest::newRow("no devices key") << QByteArray(R"({"items":[{"id":"x"}]})") << 200 << 0;
        QTest::newRow("not an array") << QByteArray(R"({"devices":{"id":"x"}})") << 200 << 0;
        QTest::newRow("failure") << QByteArray(R"({"devices":[{"id":"x"}]})") << 500 << 0;
        QTest::newRow("number among objects")
            << QByteArray(R"({"devices":[{"id":"x"},1]})") << 200 << 2;
    }

    void devicesReply()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(int, count);
        m_service->setCannedReply("GET", QStringLiteral("/devices"), status, body);
        std::optional<QList<Device>> devices;
        account()->getDevices([&](const QList<Device>& value) { devices = value; });
        QTRY_VERIFY_WITH_TIMEOUT(devices.has_value(), 10000);
        QCOMPARE(devices->size(), count);
    }

    void invitationsSendTheirBodies()
    {
        std::optional<GroupInvitation> byCode;
        std::optional<GroupInvitation> byEmail;
        account()->generateInviteCode([&](const GroupInvitation& value) { byCode = value; });
        QTRY_VERIFY_WITH_TIMEOUT(byCode.has_value(), 10000);
        QVERIFY(m_service->requests().last().body.isEmpty());
        QCOMPARE(byCode->inviteCode, QStringLiteral("JOIN-1234"));

        account()->inviteByEmail(QStringLiteral("c@example.org"),
                                 [&](const GroupInvitation& value) { byEmail = value; });
        QTRY_VERIFY_WITH_TIMEOUT(byEmail.has_value(), 10000);
        const QJsonObject body = m_service->requests().last().json();
        QCOMPARE(body.keys(), QStringList{QStringLiteral("email")});
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
            QCOMPARE(m_service->count("POST", QStringLiteral("/auth/token/refresh")), 0);
            return;
        }
        // The new token's claims name the group.
        QTRY_COMPARE_WITH_TIMEOUT(m_client->claims().groupId, QStringLiteral("group-1"), 10000);
        QCOMPARE(m_client->claims().role, QStringLiteral("owner"));
        QCOMPARE(m_service->count("POST", QStringLiteral("/auth/token/refresh")), 1);

        account()->leaveGroup();
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_client->claims().groupId.isEmpty(), 10000);
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
        m_service->setCannedReply("DELETE", QStringLiteral("/group/members/acct-2"), status, {});
        QSignalSpy changed(account(), &AccountClient::groupChanged);
        account()->removeMember(QStringLiteral("acct-2"));
        QTRY_COMPARE_WITH_TIMEOUT(
            m_service->count("DELETE", QStringLiteral("/group/members/acct-2")), 1, 10000);
        QTest::qWait(50);
        QCOMPARE(changed.size(), announcements);
    }

    void fireAndForgetRequestsReachTheirPaths()
    {
        account()->removeDevice(QStringLiteral("dev-2"));
        account()->revokeInvitation(QStringLiteral("inv-9"));
        std::optional<bool> deleted;
        account()->deleteAccount([&](bool ok) { deleted = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(deleted.has_value(), 10000);
        QVERIFY(*deleted);
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count("DELETE", QStringLiteral("/devices/dev-2")), 1,
                                  10000);
        QTRY_COMPARE_WITH_TIMEOUT(
            m_service->count("DELETE", QStringLiteral("/group/invitations/inv-9")), 1, 10000);
    }
};

QTEST_GUILESS_MAIN(TestAccountClient)
#include "tst_accountclient.moc"
