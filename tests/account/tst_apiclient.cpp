#include "AccountTesting.h"
#include "Limits.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using namespace OrvaAccount;
using AccountTesting::Outcome;

class TestApiClient : public QObject
{
    Q_OBJECT

private:
    AccountTesting::ServiceFixture m_fx;

    ApiClient* authApi() const { return m_fx.client->authApiClient(); }

    // Sends GET /users/me on the realm API and waits for its answer.
    Outcome getMe()
    {
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback());
        if (!QTest::qWaitFor([&outcome]() { return outcome.done; }, 10000))
            qWarning("GET /users/me got no answer");
        return outcome;
    }

private Q_SLOTS:
    void init()
    {
        m_fx.start();
        m_fx.client->initialize();
    }

    void cleanup() { QVERIFY(m_fx.stop()); }

    void requestCarriesIdentityAndBearer()
    {
        m_fx.signIn(3600);
        Outcome outcome;
        authApi()->get(QStringLiteral("/users/me"), outcome.callback(),
                       QUrlQuery(QStringLiteral("fields=all")));
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QVERIFY(outcome.ok);
        const auto request = m_fx.service->requests().last();
        QCOMPARE(request.path, QStringLiteral("/auth/api/v1/realms/orvandellic/users/me"));
        QCOMPARE(request.query.queryItemValue(QStringLiteral("fields")), QStringLiteral("all"));
        QCOMPARE(request.headers.value("x-app-id"), QByteArray("org.test.calendar"));
        QCOMPARE(request.headers.value("x-app-version"), QByteArray("1.3.1"));
        QCOMPARE(request.headers.value("x-platform"), QByteArray("linux"));
        QCOMPARE(request.headers.value("accept"), QByteArray("application/json"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        QVERIFY(request.headers.value("authorization") ==
                "Bearer " + m_fx.client->tokenManager()->validAccessToken().toUtf8());
    }

    void pathsJoinTheBasePath_data()
    {
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty base path") << QString() << QStringLiteral("/users/me");
        QTest::newRow("encoded once")
            << QStringLiteral("/a%20b") << QStringLiteral("/a b/users/me");
    }

    void pathsJoinTheBasePath()
    {
        QFETCH(QString, basePath);
        QFETCH(QString, expected);
        authApi()->setBaseUrl(QUrl(m_fx.service->baseUrl() + basePath));
        Outcome outcome;
        authApi()->getPublic(QStringLiteral("/users/me"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(m_fx.service->requests().last().path, expected);
    }

    void threeConcurrentRequestsShareOneRefresh()
    {
        m_fx.signIn(20); // inside the expiry margin
        Outcome me, profile, sessions;
        authApi()->get(QStringLiteral("/users/me"), me.callback());
        m_fx.client->accountApiClient()->get(QStringLiteral("/profile"), profile.callback());
        authApi()->get(QStringLiteral("/users/me/sessions"), sessions.callback());
        QTRY_VERIFY_WITH_TIMEOUT(me.done && profile.done && sessions.done, 10000);
        QVERIFY(me.ok && profile.ok && sessions.ok);
        QCOMPARE(m_fx.refreshes(), 1);
        QCOMPARE(m_fx.service->requests().size(), 4);
    }

    void unauthorizedRefreshesAndRetriesOnce_data()
    {
        QTest::addColumn<int>("rejections");
        QTest::addColumn<int>("status");
        QTest::newRow("cured by the retry") << 1 << 200;
        QTest::newRow("second 401 ends it") << 2 << 401;
    }

    void unauthorizedRefreshesAndRetriesOnce()
    {
        QFETCH(int, rejections);
        QFETCH(int, status);
        m_fx.signIn(3600);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        m_fx.service->rejectNextAuthenticated(rejections);
        const Outcome outcome = getMe();
        QCOMPARE(outcome.ok, status == 200);
        QCOMPARE(outcome.status, status);
        QCOMPARE(m_fx.refreshes(), 1);
        QCOMPARE(m_fx.service->count("GET", QStringLiteral("/users/me")), 2);
        QCOMPARE(required.size(), 0);
        if (status == 401)
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
        m_fx.signIn(20);
        const QString refreshToken = m_fx.client->tokenManager()->refreshToken();
        m_fx.service->setRefreshMode(mode);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        const Outcome outcome = getMe();
        QVERIFY(outcome.done && !outcome.ok);
        QCOMPARE(outcome.status, 401);
        QVERIFY(outcome.json.isEmpty());
        QCOMPARE(required.size(), 1);
        QCOMPARE(m_fx.service->count("GET", QStringLiteral("/users/me")), 0);
        // The transport keeps the tokens; signing out is the sign-in client's decision.
        QVERIFY(m_fx.client->tokenManager()->refreshToken() == refreshToken);

        // Nothing is wedged: the next request refreshes afresh.
        m_fx.service->setRefreshMode(FakeAccountService::RefreshMode::Rotate);
        QVERIFY(getMe().ok);
    }

    // A 401 with no refresh token to try asks for a sign-in.
    void unauthorizedWithoutRefreshTokenAsksForSignIn()
    {
        m_fx.signIn(20, false);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        const Outcome outcome = getMe();
        QCOMPARE(outcome.status, 401);
        QCOMPARE(required.size(), 1);
        QCOMPARE(m_fx.refreshes(), 0);
    }

    void stalledServiceTimesOut()
    {
        ApiClient* api = m_fx.client->accountApiClient();
        m_fx.signIn(3600);
        api->setTransferTimeout(300);
        m_fx.service->stallPath(QStringLiteral("/devices"));
        QSignalSpy errors(api, &ApiClient::networkError);
        Outcome stalled;
        api->get(QStringLiteral("/devices"), stalled.callback());
        QTRY_VERIFY_WITH_TIMEOUT(stalled.done, 10000);
        QVERIFY(!stalled.ok);
        QCOMPARE(stalled.status, 0);
        QCOMPARE(errors.size(), 1);

        Outcome next;
        api->get(QStringLiteral("/profile"), next.callback());
        QTRY_VERIFY_WITH_TIMEOUT(next.done, 10000);
        QVERIFY(next.ok);
    }

    // A reply beyond the bound is cut off and fails; the next request is served.
    void oversizedReplyIsCutOff()
    {
        m_fx.signIn(3600);
        m_fx.service->setCannedReply("PUT", QStringLiteral("/big"), 200,
                                     QByteArray(int(Limits::maxServiceReplyBytes) + 1, ' '));
        QSignalSpy errors(authApi(), &ApiClient::networkError);
        Outcome big;
        authApi()->put(QStringLiteral("/big"), {}, big.callback());
        QTRY_VERIFY_WITH_TIMEOUT(big.done, 30000);
        QVERIFY(!big.ok);
        QCOMPARE(big.status, 0);
        QCOMPARE(errors.size(), 1);
        m_fx.service->setCannedReply("PUT", QStringLiteral("/big"), 200, "{}");
        Outcome next;
        authApi()->put(QStringLiteral("/big"), {}, next.callback());
        QTRY_VERIFY_WITH_TIMEOUT(next.done, 10000);
        QVERIFY(next.ok);
    }

    void replyShapes_data()
    {
        QTest::addColumn<bool>("authenticated");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("204") << true << 204 << QByteArray() << QByteArray("{}");
        QTest::newRow("array") << true << 200 << QByteArray("[1,2]") << QByteArray("{}");
        QTest::newRow("html") << true << 200 << QByteArray("<html>hi</html>") << QByteArray("{}");
        QTest::newRow("503 from a proxy") << true << 503 << QByteArray(R"({"error":"busy"})")
                                          << QByteArray(R"({"error":"busy"})");
        QTest::newRow("404") << true << 404 << QByteArray("{}") << QByteArray("{}");
        // A public request carries no token and is not refreshed on a 401.
        QTest::newRow("public 401")
            << false << 401 << QByteArray(R"({"error":"no"})") << QByteArray(R"({"error":"no"})");
    }

    void replyShapes()
    {
        QFETCH(bool, authenticated);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, json);
        m_fx.signIn(3600);
        m_fx.service->setCannedReply(authenticated ? "PUT" : "POST", QStringLiteral("/thing"),
                                     status, body);
        QSignalSpy errors(authApi(), &ApiClient::networkError);
        Outcome outcome;
        const QJsonObject sent{{QStringLiteral("a"), 1}};
        if (authenticated)
            authApi()->put(QStringLiteral("/thing"), sent, outcome.callback());
        else
            authApi()->postPublic(QStringLiteral("/thing"), sent, outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.ok, status / 100 == 2);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.json, QJsonDocument::fromJson(json).object());
        QCOMPARE(errors.size(), 0);
        const auto request = m_fx.service->requests().last();
        QCOMPARE(request.body, QByteArray(R"({"a":1})"));
        QCOMPARE(request.headers.contains("authorization"), authenticated);
        QCOMPARE(m_fx.refreshes(), 0);
    }
};

QTEST_GUILESS_MAIN(TestApiClient)
#include "tst_apiclient.moc"
