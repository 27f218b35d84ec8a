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

    // Only the service's refusal of the refresh token ends the session, whichever request asked
    // for the refresh: the tokens go and the client is signed out. Anything else keeps both.
    void failedRefreshFailsTheRequest_data()
    {
        QTest::addColumn<FakeAccountService::RefreshMode>("mode");
        QTest::addColumn<bool>("sessionEnds");
        // The request's failure is the refresh's own, in its words, not a bare 401.
        QTest::addColumn<QString>("failure");
        QTest::newRow("rejected") << FakeAccountService::RefreshMode::Reject << true
                                  << QStringLiteral("invalid_grant");
        QTest::newRow("no access token") << FakeAccountService::RefreshMode::OmitAccessToken
                                         << false << ApiClient::unreadableReplyText();
        QTest::newRow("stalled") << FakeAccountService::RefreshMode::Stall << false
                                 << QStringLiteral("The service could not be reached");
    }

    void failedRefreshFailsTheRequest()
    {
        QFETCH(FakeAccountService::RefreshMode, mode);
        QFETCH(bool, sessionEnds);
        QFETCH(QString, failure);
        authApi()->setTransferTimeout(300);
        m_fx.signIn(3600);
        m_fx.client->initialize();
        QVERIFY(m_fx.client->isAuthenticated());
        const QString refreshToken = m_fx.client->tokenManager()->refreshToken();
        // Inside the expiry margin: the request refreshes first.
        m_fx.client->tokenManager()->setTokens(m_fx.service->mintAccessToken(20), refreshToken);
        m_fx.service->setRefreshMode(mode);
        QSignalSpy required(authApi(), &ApiClient::authenticationRequired);
        const Outcome outcome = getMe();
        QVERIFY(outcome.done && !outcome.ok);
        QCOMPARE(outcome.status, 401);
        QCOMPARE(ApiClient::failureText(outcome.status, outcome.json), failure);
        QCOMPARE(required.size(), 1);
        QCOMPARE(m_fx.service->count("GET", QStringLiteral("/users/me")), 0);
        QCOMPARE(m_fx.client->isAuthenticated(), !sessionEnds);
        QCOMPARE(m_fx.client->tokenManager()->refreshToken() == refreshToken, !sessionEnds);
        QCOMPARE(AccountTesting::stored(TokenManager::refreshTokenKey).has_value(), !sessionEnds);
        if (sessionEnds)
            return;

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

    // A success status counts only with the JSON object a call expects, or with no body to a
    // change; a gateway's page or a cut body is a failure with its status and words for it.
    void replyShapes_data()
    {
        QTest::addColumn<QByteArray>("method"); // POST is the public one
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("204") << QByteArray("PUT") << 204 << QByteArray() << true
                             << QByteArray("{}");
        QTest::newRow("empty 200 to a change")
            << QByteArray("PUT") << 200 << QByteArray() << true << QByteArray("{}");
        QTest::newRow("array") << QByteArray("PUT") << 200 << QByteArray("[1,2]") << false
                               << QByteArray("{}");
        QTest::newRow("html") << QByteArray("PUT") << 200 << QByteArray("<html>hi</html>") << false
                              << QByteArray("{}");
        QTest::newRow("cut object")
            << QByteArray("PUT") << 200 << QByteArray("{\"a\":[1,") << false << QByteArray("{}");
        QTest::newRow("object to a GET") << QByteArray("GET") << 200 << QByteArray(R"({"b":2})")
                                         << true << QByteArray(R"({"b":2})");
        QTest::newRow("empty 200 to a GET")
            << QByteArray("GET") << 200 << QByteArray() << false << QByteArray("{}");
        QTest::newRow("503 from a proxy")
            << QByteArray("PUT") << 503 << QByteArray(R"({"error":"busy"})") << false
            << QByteArray(R"({"error":"busy"})");
        QTest::newRow("404") << QByteArray("PUT") << 404 << QByteArray("{}") << false
                             << QByteArray("{}");
        // A public request carries no token and is not refreshed on a 401.
        QTest::newRow("public 401") << QByteArray("POST") << 401 << QByteArray(R"({"error":"no"})")
                                    << false << QByteArray(R"({"error":"no"})");
    }

    void replyShapes()
    {
        QFETCH(QByteArray, method);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, ok);
        QFETCH(QByteArray, json);
        m_fx.signIn(3600);
        m_fx.service->setCannedReply(method, QStringLiteral("/thing"), status, body);
        QSignalSpy errors(authApi(), &ApiClient::networkError);
        Outcome outcome;
        const QJsonObject sent{{QStringLiteral("a"), 1}};
        if (method == "PUT")
            authApi()->put(QStringLiteral("/thing"), sent, outcome.callback());
        else if (method == "GET")
            authApi()->get(QStringLiteral("/thing"), outcome.callback());
        else
            authApi()->postPublic(QStringLiteral("/thing"), sent, outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.json, QJsonDocument::fromJson(json).object());
        if (!ok && status / 100 == 2)
            QCOMPARE(ApiClient::failureText(outcome.status, outcome.json),
                     QStringLiteral("The service's reply could not be read"));
        QCOMPARE(errors.size(), 0);
        const auto request = m_fx.service->requests().last();
        QCOMPARE(request.body, method == "GET" ? QByteArray() : QByteArray(R"({"a":1})"));
        QCOMPARE(request.headers.contains("authorization"), method != "POST");
        QCOMPARE(m_fx.refreshes(), 0);
    }

    // The whole-request deadline cuts off a reply whose body trickles in after a 200.
    void replyCutOffAfterItsStatusFails()
    {
        m_fx.signIn(3600);
        authApi()->setRequestDeadline(300);
        m_fx.service->setCannedReply("DELETE", QStringLiteral("/thing"), 200,
                                     QByteArray(R"({"deleted":"not yet, and not ever"})"), 50);
        Outcome outcome;
        authApi()->del(QStringLiteral("/thing"), outcome.callback());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.done, 10000);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.status, 200);
    }
};

QTEST_GUILESS_MAIN(TestApiClient)
#include "tst_apiclient.moc"
