#include "AccountTesting.h"
#include "AuthClient.h"
#include "Limits.h"
#include "WebAuthHandler.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

using namespace OrvaAccount;
using AccountTesting::stored;

// Stands in for the system browser while it lives: QDesktopServices hands it every http(s) URL.
// When following, it loads the opened page and, like a browser, goes on to the redirect target,
// reaching "localhost" at 127.0.0.1.
class FakeBrowser : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        int status = 0;
        QByteArray body;
        QUrl location;
    };

    bool following = true;
    QList<QUrl> opened;
    Answer landed; // what the page the login redirect led to answered

    FakeBrowser()
    {
        m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    }
    ~FakeBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    // Loads the URL and waits for the answer, following no redirect.
    Answer visit(QUrl url, const QByteArray& method = "GET")
    {
        if (url.host() == QLatin1String("localhost"))
            url.setHost(QStringLiteral("127.0.0.1"));
        QNetworkRequest request(url);
        request.setTransferTimeout(10000);
        QNetworkReply* reply = m_network.sendCustomRequest(request, method);
        QEventLoop loop;
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->readAll(), reply->header(QNetworkRequest::LocationHeader).toUrl()};
    }

public Q_SLOTS:
    void openUrl(const QUrl& url)
    {
        opened.append(url);
        if (!following)
            return;
        // Later, as a browser would: the sign-in that opened the page returns first.
        QTimer::singleShot(0, this, [this, url]() {
            const Answer login = visit(url);
            if (login.location.isValid())
                landed = visit(login.location);
        });
    }

private:
    QNetworkAccessManager m_network;
};

class TestAuthClient : public QObject
{
    Q_OBJECT

private:
    AccountTesting::ServiceFixture m_fx;
    std::unique_ptr<FakeBrowser> m_browser;

    AuthClient* auth() const { return m_fx.client->authClient(); }

    void signIn()
    {
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        auth()->login();
        QVERIFY(succeeded.wait(10000));
        QCOMPARE(auth()->state(), AuthState::SignedIn);
    }

    // A query item of the login URL the browser was sent to.
    QString loginItem(const QString& name) const
    {
        return QUrlQuery(m_browser->opened.value(0)).queryItemValue(name, QUrl::FullyDecoded);
    }

    // The callback URL the login asked for, with the given query.
    QUrl callbackWith(const QString& query) const
    {
        QUrl callback(loginItem(QStringLiteral("redirect_uri")));
        callback.setQuery(query);
        return callback;
    }

    bool signedOutWithoutTokens() const
    {
        return auth()->state() == AuthState::SignedOut &&
               !stored(TokenManager::accessTokenKey).has_value() &&
               !stored(TokenManager::refreshTokenKey).has_value();
    }

private Q_SLOTS:
    void init()
    {
        m_fx.start();
        SecretLogGuard::addSecret(FakeAccountService::password);
        m_browser = std::make_unique<FakeBrowser>();
        m_fx.client->initialize();
    }

    void cleanup()
    {
        m_browser.reset();
        QVERIFY(m_fx.stop());
    }

    void signInRoundTripEndsSignedInWithStoredTokens()
    {
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QSignalSpy states(m_fx.client.get(), &Client::authStateChanged);
        QSignalSpy claims(m_fx.client.get(), &Client::claimsUpdated);
        signIn();
        QCOMPARE(states.size(), 1);
        QCOMPARE(claims.size(), 1);
        QVERIFY(m_fx.client->isAuthenticated());

        const QUrl loginUrl = m_browser->opened.value(0);
        QCOMPARE(loginUrl.path(), QStringLiteral("/auth/orvandellic/account/login"));
        QCOMPARE(loginItem(QStringLiteral("client_id")), FakeAccountService::clientId);
        const QUrl redirect(loginItem(QStringLiteral("redirect_uri")));
        QCOMPARE(redirect.host(), QStringLiteral("localhost"));
        QCOMPARE(redirect.path(), QStringLiteral("/callback"));
        QVERIFY(loginUrl.toString(QUrl::FullyEncoded)
                    .contains(QStringLiteral("redirect_uri=http%3A%2F%2Flocalhost%3A")));
        // At least 128 random bits.
        QVERIFY(loginItem(QStringLiteral("state")).size() >= 22);

        QTRY_COMPARE_WITH_TIMEOUT(m_browser->landed.status, 200, 5000);
        QVERIFY(m_browser->landed.body.contains("<h2>Authentication complete!</h2>"));

        const QString access = m_fx.client->tokenManager()->validAccessToken();
        QVERIFY(!access.isEmpty());
        QVERIFY(stored(TokenManager::accessTokenKey) == access);
        QVERIFY(stored(TokenManager::refreshTokenKey) ==
                m_fx.client->tokenManager()->refreshToken());

        // A new client on the same store starts signed in, without asking the service.
        const qsizetype before = m_fx.service->requests().size();
        auto second = AccountTesting::ServiceFixture::makeClient();
        QSignalSpy secondStates(second.get(), &Client::authStateChanged);
        second->initialize();
        QVERIFY(second->isAuthenticated());
        QCOMPARE(secondStates.size(), 1);
        QCOMPARE(m_fx.service->requests().size(), before);
    }

    // Only the service's refusal of the refresh token ends the session; a fault on the way
    // (a server error, a bad request that is no refusal) keeps the user signed in with the
    // tokens. The refresh carries no bearer token, so a 401 can only refuse the refresh token,
    // whatever its body says.
    void startWithOnlyAUsableRefreshToken_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("signedIn");
        QTest::newRow("refresh succeeds") << 0 << QByteArray() << true;
        QTest::newRow("refresh token rejected") << -1 << QByteArray() << false;
        QTest::newRow("invalid token")
            << 400 << QByteArray(R"({"error":"invalid_token"})") << false;
        QTest::newRow("service unavailable") << 503 << QByteArray("{}") << true;
        QTest::newRow("gateway timeout") << 504 << QByteArray() << true;
        QTest::newRow("unauthorized without reason") << 401 << QByteArray("{}") << false;
        QTest::newRow("unauthorized in other words")
            << 401 << QByteArray(R"({"error":"unauthorized","message":"token revoked"})") << false;
        QTest::newRow("unauthorized page") << 401 << QByteArray("<html>401</html>") << false;
        QTest::newRow("bad request of another kind")
            << 400 << QByteArray(R"({"error":"invalid_request"})") << true;
    }

    void startWithOnlyAUsableRefreshToken()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, signedIn);
        m_fx.signIn(20);
        if (status < 0)
            m_fx.service->setRefreshMode(FakeAccountService::RefreshMode::Reject);
        else if (status > 0)
            m_fx.service->setCannedReply("POST", QStringLiteral("/auth/token/refresh"), status,
                                         body);
        auto client = AccountTesting::ServiceFixture::makeClient();
        QSignalSpy states(client.get(), &Client::authStateChanged);
        client->initialize();
        QCOMPARE(client->authClient()->state(), AuthState::Initial);
        QVERIFY(states.wait(10000));
        QCOMPARE(client->authClient()->state(),
                 signedIn ? AuthState::SignedIn : AuthState::SignedOut);
        QCOMPARE(m_fx.refreshes(), 1);
        QCOMPARE(stored(TokenManager::refreshTokenKey).has_value(), signedIn);
    }

    void forgedRequestsAreTurnedAwayWhileSignInGoesOn()
    {
        m_browser->following = false;
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        auth()->login();
        const quint16 port = static_cast<quint16>(callbackWith({}).port());
        const QString state = loginItem(QStringLiteral("state"));
        const QString tokens =
            QStringLiteral("access_token=%1&refresh_token=%2")
                .arg(m_fx.service->mintAccessToken(3600), m_fx.service->mintRefreshToken());

        // A port probe that connects and says nothing, one that sends garbage, and one whose
        // request line never ends.
        QTcpSocket probe;
        QTcpSocket garbage;
        QTcpSocket endless;
        for (QTcpSocket* socket : {&probe, &garbage, &endless}) {
            socket->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(socket->waitForConnected(5000));
        }
        garbage.write("\x16\x03\x01 not http at all\r\n");
        endless.write("GET /callback?state=" +
                      QByteArray(int(Limits::maxLoopbackRequestBytes) + 1024, 'a'));
        QTRY_VERIFY_WITH_TIMEOUT(endless.bytesAvailable() > 0 ||
                                     endless.state() == QAbstractSocket::UnconnectedState,
                                 5000);
        QVERIFY(endless.readAll().startsWith("HTTP/1.1 400"));
        QTRY_COMPARE_WITH_TIMEOUT(endless.state(), QAbstractSocket::UnconnectedState, 5000);

        const QList<std::pair<QByteArray, QString>> forged{
            {"GET", QStringLiteral("/favicon.ico")},
            {"GET", QStringLiteral("/")},
            {"GET", QStringLiteral("/callback?") + tokens},
            {"GET", QStringLiteral("/callback?state=&") + tokens},
            {"GET", QStringLiteral("/callback?state=wrong&") + tokens},
            {"GET", QStringLiteral("/callback?state=%1x&%2").arg(state, tokens)},
            {"GET", QStringLiteral("/callback?state=%1&%2").arg(state.chopped(1), tokens)},
            // Right length, another first character: the whole value is compared.
            {"GET", QStringLiteral("/callback?state=%1&%2")
                        .arg(QChar(state.startsWith(u'A') ? u'B' : u'A') + state.mid(1), tokens)},
            {"POST", QStringLiteral("/callback?state=%1&%2").arg(state, tokens)},
            {"GET", QStringLiteral("/callback/extra?state=%1&%2").arg(state, tokens)},
        };
        for (const auto& [method, target] : forged) {
            const QUrl url(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(target));
            const int status = m_browser->visit(url, method).status;
            QVERIFY2(status == 400 || status == 404, method + ' ' + qPrintable(target.left(20)));
        }
        QCOMPARE(failed.size(), 0);
        QCOMPARE(succeeded.size(), 0);
        QVERIFY(signedOutWithoutTokens());

        // The real redirect still completes the sign-in.
        m_browser->following = true;
        m_browser->openUrl(m_browser->opened.value(0));
        QVERIFY(succeeded.wait(10000));
        QCOMPARE(auth()->state(), AuthState::SignedIn);
        QCOMPARE(failed.size(), 0);
    }

    void callbackWithoutBothTokensFails()
    {
        m_browser->following = false;
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        auth()->login();
        const QUrl callback = callbackWith(
            QStringLiteral("access_token=%1&state=%2")
                .arg(m_fx.service->mintAccessToken(3600), loginItem(QStringLiteral("state"))));
        QCOMPARE(m_browser->visit(callback).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 5000);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("No tokens received"));
        QVERIFY(signedOutWithoutTokens());
    }

    void signInGivesUpAfterTheTimeOut()
    {
        m_browser->following = false;
        auth()->setLoginTimeout(200);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        auth()->login();
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("Sign-in timed out"));
        // A correct callback after the time-out is no longer taken. The port may be free or, with
        // tests running in parallel, held by another sign-in that knows a different state.
        const QUrl late = callbackWith(QStringLiteral("access_token=%1&refresh_token=%2&state=%3")
                                           .arg(m_fx.service->mintAccessToken(3600),
                                                m_fx.service->mintRefreshToken(),
                                                loginItem(QStringLiteral("state"))));
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        QVERIFY(m_browser->visit(late).status != 200);
        QTest::qWait(50);
        QCOMPARE(succeeded.size(), 0);
        QVERIFY(signedOutWithoutTokens());
    }

    // Without a browser the sign-in says so with the page's address and keeps listening: the
    // page opened by hand signs in, and cancelling closes the listener for good.
    void signInWithoutABrowser_data()
    {
        QTest::addColumn<bool>("openedByHand");
        QTest::newRow("page opened by hand") << true;
        QTest::newRow("cancelled") << false;
    }

    void signInWithoutABrowser()
    {
        QFETCH(bool, openedByHand);
        // The offscreen platform has no browser to hand the page to.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("a real browser might open");
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QSignalSpy notOpened(auth(), &AuthClient::loginPageNotOpened);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        auth()->login();
        QCOMPARE(notOpened.size(), 1);
        const QUrl page = notOpened.at(0).at(0).toUrl();
        m_browser->opened.append(page);
        QCOMPARE(page.path(), QStringLiteral("/auth/orvandellic/account/login"));
        QCOMPARE(failed.size(), 0);

        if (openedByHand) {
            const FakeBrowser::Answer login = m_browser->visit(page);
            QCOMPARE(m_browser->visit(login.location).status, 200);
            QTRY_COMPARE_WITH_TIMEOUT(succeeded.size(), 1, 5000);
            QCOMPARE(auth()->state(), AuthState::SignedIn);
            // Nothing is left to cancel.
            auth()->cancelLogin();
            QCOMPARE(failed.size(), 0);
            return;
        }
        auth()->cancelLogin();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("Sign-in cancelled."));
        // The port may be free or, with tests running in parallel, held by another sign-in that
        // knows a different state.
        const QUrl late = callbackWith(QStringLiteral("access_token=%1&refresh_token=%2&state=%3")
                                           .arg(m_fx.service->mintAccessToken(3600),
                                                m_fx.service->mintRefreshToken(),
                                                loginItem(QStringLiteral("state"))));
        QVERIFY(m_browser->visit(late).status != 200);
        QTest::qWait(50);
        QCOMPARE(succeeded.size(), 0);
        QVERIFY(signedOutWithoutTokens());
    }

    void takenPreferredPortFallsBackToAFreeOne()
    {
        QTcpServer squatter;
        if (!squatter.listen(QHostAddress::LocalHost, WebAuthHandler::preferredPort))
            QSKIP("another program holds the preferred port");
        signIn();
        const int port = callbackWith({}).port();
        QVERIFY(port > 0 && port != WebAuthHandler::preferredPort);
    }

    void logoutEndsTheSessionAndForgetsTokens_data()
    {
        QTest::addColumn<bool>("serviceGone");
        QTest::newRow("service answers") << false;
        QTest::newRow("service gone") << true;
    }

    void logoutEndsTheSessionAndForgetsTokens()
    {
        QFETCH(bool, serviceGone);
        signIn();
        const qsizetype before = m_fx.service->requests().size();
        if (serviceGone)
            m_fx.service.reset();
        QSignalSpy states(auth(), &AuthClient::stateChanged);
        QSignalSpy completed(auth(), &AuthClient::logoutCompleted);
        auth()->logout();
        QCOMPARE(states.size(), 1);
        QCOMPARE(completed.size(), 1);
        QVERIFY(signedOutWithoutTokens());
        if (serviceGone)
            return;
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("POST", QStringLiteral("/auth/logout")), 1,
                                  5000);
        QCOMPARE(m_fx.service->requests().size(), before + 1);
        QVERIFY(
            m_fx.service->requests().last().headers.value("authorization").startsWith("Bearer "));

        // Signed out already: no state change, but the completion is still reported.
        auth()->logout();
        QCOMPARE(states.size(), 1);
        QCOMPARE(completed.size(), 2);
    }

    void signOutRacingARefreshWins()
    {
        m_fx.service->setAccessTokenLifetime(10); // inside the expiry margin: every call refreshes
        signIn();
        m_fx.service->setHoldRefreshReplies(true);
        std::optional<User> received;
        auth()->fetchCurrentUser([&](const User& user) { received = user; });
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.refreshes(), 1, 5000);
        auth()->logout();
        QTRY_VERIFY_WITH_TIMEOUT(received.has_value(), 5000);
        QVERIFY(received->id.isEmpty());

        m_fx.service->releaseRefreshReplies();
        // Give the late reply time to arrive; nothing may come of it.
        QTest::qWait(300);
        QVERIFY(signedOutWithoutTokens());
        QVERIFY(m_fx.client->tokenManager()->refreshToken().isEmpty());
        QVERIFY(m_fx.client->tokenManager()->validAccessToken().isEmpty());
        QCOMPARE(m_fx.service->count("GET", QStringLiteral("/users/me")), 0);
    }

    void explicitRefreshSignsOutOnlyWhenRejected_data()
    {
        QTest::addColumn<bool>("rejected");
        QTest::newRow("rejected") << true;
        QTest::newRow("server fault") << false;
    }

    void explicitRefreshSignsOutOnlyWhenRejected()
    {
        QFETCH(bool, rejected);
        signIn();
        if (rejected)
            m_fx.service->setRefreshMode(FakeAccountService::RefreshMode::Reject);
        else
            m_fx.service->setCannedReply("POST", QStringLiteral("/auth/token/refresh"), 502, "");
        std::optional<bool> refreshed;
        auth()->refreshToken([&](bool result) { refreshed = result; });
        QTRY_VERIFY_WITH_TIMEOUT(refreshed.has_value(), 5000);
        QVERIFY(!*refreshed);
        QCOMPARE(signedOutWithoutTokens(), rejected);
        QCOMPARE(auth()->state() == AuthState::SignedIn, !rejected);
    }

    // The session list needs its array: an object of another shape is no list at all, while an
    // empty array is an honest "no sessions".
    void sessionListsNeedTheirArray_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        const QString unreadable = QStringLiteral("The service's reply could not be read");
        QTest::newRow("wrapped answer")
            << QByteArray(R"({"status":"ok","data":{"items":[]}})") << unreadable;
        QTest::newRow("sessions of another type")
            << QByteArray(R"({"sessions":{"s-1":{"id":"s-1"}}})") << unreadable;
        QTest::newRow("null sessions") << QByteArray(R"({"sessions":null})") << unreadable;
        QTest::newRow("no sessions") << QByteArray(R"({"sessions":[]})") << QString();
    }

    void sessionListsNeedTheirArray()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        signIn();
        m_fx.service->setCannedReply("GET", QStringLiteral("/users/me/sessions"), 200, body);
        std::optional<std::pair<QList<Session>, QString>> fetched;
        auth()->fetchSessions([&](const QList<Session>& sessions, const QString& reason, int) {
            fetched = std::make_pair(sessions, reason);
        });
        QTRY_VERIFY_WITH_TIMEOUT(fetched.has_value(), 5000);
        QVERIFY(fetched->first.isEmpty());
        QCOMPARE(fetched->second, error);
    }

    void userCalls()
    {
        signIn();
        User updated;
        auth()->updateProfile(QStringLiteral("Ada King"),
                              [&](const User& user) { updated = user; });
        QTRY_COMPARE_WITH_TIMEOUT(updated.displayName, QStringLiteral("Ada King"), 5000);
        QCOMPARE(auth()->currentUser().displayName, QStringLiteral("Ada King"));

        std::optional<bool> wrong;
        std::optional<bool> right;
        auth()->changePassword(QStringLiteral("not the password"), QStringLiteral("new secret!"),
                               [&](bool ok) { wrong = ok; });
        auth()->changePassword(FakeAccountService::password, QStringLiteral("new secret!"),
                               [&](bool ok) { right = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(wrong && right, 5000);
        QVERIFY(!*wrong && *right);

        auth()->revokeSession(QStringLiteral("s-2"));
        QTRY_COMPARE_WITH_TIMEOUT(
            m_fx.service->count("DELETE", QStringLiteral("/users/me/sessions/s-2")), 1, 5000);
        std::optional<QList<Session>> sessions;
        auth()->listSessions([&](const QList<Session>& list) { sessions = list; });
        QTRY_VERIFY_WITH_TIMEOUT(sessions.has_value(), 5000);
        QCOMPARE(sessions->size(), 1);
        QCOMPARE(sessions->at(0).id, QStringLiteral("s-1"));
        QVERIFY(sessions->at(0).isCurrent);

        // A failed fetch hands back the user already known.
        m_fx.service->setCannedReply("GET", QStringLiteral("/users/me"), 500, "{}");
        User kept;
        auth()->fetchCurrentUser([&](const User& user) { kept = user; });
        QTRY_COMPARE_WITH_TIMEOUT(kept.displayName, QStringLiteral("Ada King"), 5000);
    }
};

QTEST_MAIN(TestAuthClient)
#include "tst_authclient.moc"
