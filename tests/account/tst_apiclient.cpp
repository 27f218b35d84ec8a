#include "AccountClient.h"
#include "AccountTesting.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "FakeAccountService.h"
#include "MemoryCredentialBackend.h"
#include "SecretLogGuard.h"
#include "TokenManager.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace OrvaAccount;

namespace {

struct Outcome
{
    bool done = false;
    bool ok = false;
    int status = -1;
    QJsonObject json;

    ApiClient::Callback callback()
    {
        return [this](bool replyOk, int replyStatus, const QJsonObject& replyJson) {
            done = true;
            ok = replyOk;
            status = replyStatus;
            json = replyJson;
        };
    }
};

} // namespace

class TestApiClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SecretLogGuard> m_guard;
    std::unique_ptr<FakeAccountService> m_service;
    std::unique_ptr<Client> m_client;

    ApiClient* authApi() const { return m_client->authApiClient(); }

    // Signs in as the browser would, with an access token of the given lifetime.
    void signIn(int accessLifetimeSeconds, bool withRefreshToken = true)
    {
        m_client->tokenManager()->setTokens(m_service->mintAccessToken(accessLifetimeSeconds),
                                            withRefreshToken ? m_service->mintRefreshToken()
                                                             : QString());
    }

    int refreshes() const
    {
        return m_service->count("POST", QStringLiteral("/auth/token/refresh"));
    }

private Q_SLOTS:
    void initTestCase() { m_guard = std::make_unique<SecretLogGuard>(); }

    void init()
    {
        CredentialBackend::setDefaultBackend(std::make_shared<MemoryCredentialBackend>());
        m_service = std::make_unique<FakeAccountService>();
        m_service->exportEnvironment();
        m_client = std::make_unique<Client>(AccountTesting::configFromEnvironment());
        m_client->syncApiClient()->setBaseUrl(
            QUrl(Client::syncApiUrlFromEnvironment(QStringLiteral("https://sync.invalid"))));
        for (ApiClient* api :
             {m_client->authApiClient(), m_client->accountApiClient(), m_client->syncApiClient()})
            api->setTransferTimeout(5000);
        m_client->initialize();
    }

    void cleanup()
    {
        m_client.reset();
        m_service.reset();
        QCOMPARE(SecretLogGuard::leaks(), 0);
    }

    void requestCarriesIdentityAndBearer()
    {
        signIn(3600);
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback(),
                       QUrlQuery(QStringLiteral("fields=all")));
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QVERIFY(outcome.ok);
        const auto request = m_service->requests().last();
        QCOMPARE(request.path, QStringLiteral("/auth/api/v1/realms/orvandellic/users/me"));
        QCOMPARE(request.query.queryItemValue(QStringLiteral("fields")), QStringLiteral("all"));
        QCOMPARE(request.headers.value("x-app-id"), QByteArray("org.test.calendar"));
        QCOMPARE(request.headers.value("x-app-version"), QByteArray("1.3.1"));
        QCOMPARE(request.headers.value("x-platform"), Client::platformName({}).toUtf8());
        QCOMPARE(request.headers.value("accept"), QByteArray("application/json"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        QVERIFY(request.headers.value("authorization") ==
                "Bearer " + m_client->tokenManager()->validAccessToken().toUtf8());
        QVERIFY(request.body.isEmpty());
    }

    void pathsJoinTheBasePath_data()
    {
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty base path") << QString() << QStringLiteral("/users/me");
        QTest::newRow("realm path") << QStringLiteral("/auth/api/v1/realms/orvandellic")
                                    << QStringLiteral("/auth/api/v1/realms/orvandellic/users/me");
        QTest::newRow("encoded once")
            << QStringLiteral("/a%20b") << QStringLiteral("/a b/users/me");
    }

    void pathsJoinTheBasePath()
    {
        QFETCH(QString, basePath);
        QFETCH(QString, expected);
        authApi()->setBaseUrl(QUrl(m_service->baseUrl() + basePath));
        Outcome outcome;
        authApi()->getPublic(QStringLiteral("/users/me"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(m_service->requests().last().path, expected);
    }

    void threeConcurrentRequestsShareOneRefresh()
    {
        signIn(20); // inside the expiry margin
        Outcome me, profile, sessions;
        authApi()->get(QStringLiteral("/users/me"), me.callback());
        m_client->accountApiClient()->get(QStringLiteral("/profile"), profile.callback());
        authApi()->get(QStringLiteral("/users/me/sessions"), sessions.callback());
        QTRY_VERIFY_WITH_TIMEOUT(me.done && profile.done && sessions.done, 10000);
        QVERIFY(me.ok && profile.ok && sessions.ok);
        QCOMPARE(refreshes(), 1);
        QCOMPARE(m_service->requests().size(), 4);
    }

    void unauthorizedRefreshesAndRetriesOnce_data()
    {
        QTest::addColumn<int>("rejections");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("status");
        QTest::newRow("cured by the retry") << 1 << true << 200;
        QTest::newRow("second 401 ends it") << 2 << false << 401;
    }

    void unauthorizedRefreshesAndRetriesOnce()
    {
        QFETCH(int, rejections);
        QFETCH(bool, ok);
        QFETCH(int, status);
        signIn(3600);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        m_service->rejectNextAuthenticated(rejections);
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(outcome.status, status);
        QCOMPARE(refreshes(), 1);
        QCOMPARE(m_service->count("GET", QStringLiteral("/users/me")), 2);
        QCOMPARE(required.size(), 0);
        if (!ok)
            QCOMPARE(outcome.json.value(QStringLiteral("error")).toString(),
                     QStringLiteral("unauthorized"));
    }

    void failedRefreshFailsTheRequest_data()
    {
        QTest::addColumn<FakeAccountService::RefreshMode>("mode");
        QTest::newRow("rejected") << FakeAccountService::RefreshMode::Reject;
        QTest::newRow("no access token") << FakeAccountService::RefreshMode::OmitAccessToken;
        QTest::newRow("stalled") << FakeAccountService::RefreshMode::Stall;
    }

    void failedRefreshFailsTheRequest()
    {
        QFETCH(FakeAccountService::RefreshMode, mode);
        authApi()->setTransferTimeout(300);
        signIn(20);
        const QString refreshToken = m_client->tokenManager()->refreshToken();
        m_service->setRefreshMode(mode);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.status, 401);
        QVERIFY(outcome.json.isEmpty());
        QCOMPARE(required.size(), 1);
        QCOMPARE(m_service->count("GET", QStringLiteral("/users/me")), 0);
        // The transport keeps the tokens; signing out is the sign-in client's decision.
        QVERIFY(m_client->tokenManager()->refreshToken() == refreshToken);

        // Nothing is wedged: the next request refreshes afresh.
        m_service->setRefreshMode(FakeAccountService::RefreshMode::Rotate);
        Outcome next;
        authApi()->get(QStringLiteral("/users/me"), next.callback());
        QTRY_VERIFY_WITH_TIMEOUT(next.done, 10000);
        QVERIFY(next.ok);
    }

    void stalledServiceTimesOut()
    {
        signIn(3600);
        m_client->accountApiClient()->setTransferTimeout(300);
        m_service->stallPath(QStringLiteral("/devices"));
        QSignalSpy errors(m_client->accountApiClient(), &ApiClient::networkError);
        Outcome outcome;
        m_client->accountApiClient()->get(QStringLiteral("/devices"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.status, 0);
        QCOMPARE(errors.size(), 1);

        Outcome next;
        m_client->accountApiClient()->get(QStringLiteral("/profile"), next.callback());
        QTRY_VERIFY_WITH_TIMEOUT(next.done, 10000);
        QVERIFY(next.ok);
    }

    void replyShapes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("204") << 204 << QByteArray() << true << QByteArray("{}");
        QTest::newRow("array") << 200 << QByteArray("[1,2]") << true << QByteArray("{}");
        QTest::newRow("html") << 200 << QByteArray("<html>hi</html>") << true << QByteArray("{}");
        QTest::newRow("503 from a proxy") << 503 << QByteArray(R"({"error":"busy"})") << false
                                          << QByteArray(R"({"error":"busy"})");
        QTest::newRow("404") << 404 << QByteArray("{}") << false << QByteArray("{}");
    }

    void replyShapes()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, ok);
        QFETCH(QByteArray, json);
        signIn(3600);
        m_service->setCannedReply("PUT", QStringLiteral("/thing"), status, body);
        QSignalSpy errors(authApi(), &ApiClient::networkError);
        Outcome outcome;
        authApi()->put(QStringLiteral("/thing"), {{QStringLiteral("a"), 1}}, outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.json, QJsonDocument::fromJson(json).object());
        QCOMPARE(errors.size(), 0);
        QCOMPARE(m_service->requests().last().body, QByteArray(R"({"a":1})"));
    }

    void connectionRefusedIsANetworkError()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        authApi()->setBaseUrl(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)));
        QSignalSpy errors(authApi(), &ApiClient::networkError);
        Outcome outcome;
        authApi()->postPublic(QStringLiteral("/x"), {}, outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.status, 0);
        QVERIFY(!outcome.ok);
        QCOMPARE(errors.size(), 1);
    }

    void publicRequestIsNotRefreshedOn401()
    {
        signIn(3600);
        m_service->setCannedReply("POST", QStringLiteral("/open"), 401, R"({"error":"no"})");
        Outcome outcome;
        authApi()->postPublic(QStringLiteral("/open"), {}, outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.status, 401);
        QCOMPARE(outcome.json.value(QStringLiteral("error")).toString(), QStringLiteral("no"));
        QCOMPARE(refreshes(), 0);
        QVERIFY(!m_service->requests().last().headers.contains("authorization"));
    }

    void expiringTokenWithoutRefreshTokenGoesBare()
    {
        signIn(20, false);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.status, 401);
        QVERIFY(outcome.json.isEmpty());
        QCOMPARE(required.size(), 1);
        QCOMPARE(refreshes(), 0);
        QVERIFY(!m_service->requests().last().headers.contains("authorization"));
    }

    void platformName_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("given word kept") << QStringLiteral("windows") << QStringLiteral("windows");
        QTest::newRow("derived from the kernel") << QString() << QStringLiteral("linux");
    }

    void platformName()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        QCOMPARE(Client::platformName(given), expected);
    }
};

QTEST_GUILESS_MAIN(TestApiClient)
#include "tst_apiclient.moc"
