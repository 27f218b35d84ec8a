#include "AccountTesting.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "FakeAccountService.h"
#include "FakeBrowser.h"
#include "MemoryCredentialBackend.h"
#include "SecretLogGuard.h"
#include "TokenManager.h"
#include "WebAuthHandler.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrlQuery>

using namespace OrvaAccount;
using AccountTesting::stored;

class TestAuthClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SecretLogGuard> m_guard;
    std::unique_ptr<FakeAccountService> m_service;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<Client> m_client;

    AuthClient* auth() const { return m_client->authClient(); }

    std::unique_ptr<Client> makeClient()
    {
        auto client = std::make_unique<Client>(AccountTesting::configFromEnvironment());
        client->authApiClient()->setTransferTimeout(5000);
        return client;
    }

    void signIn()
    {
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        auth()->login();
        QVERIFY(succeeded.wait(10000));
        QCOMPARE(auth()->state(), AuthState::SignedIn);
    }

    // The login URL the browser was sent to, its redirect URI and its state.
    static QUrlQuery loginQuery(const QUrl& loginUrl) { return QUrlQuery(loginUrl); }

private Q_SLOTS:
    void initTestCase()
    {
        m_guard = std::make_unique<SecretLogGuard>();
        SecretLogGuard::addSecret(FakeAccountService::password);
    }

    void init()
    {
        CredentialBackend::setDefaultBackend(std::make_shared<MemoryCredentialBackend>());
        m_service = std::make_unique<FakeAccountService>();
        m_service->exportEnvironment();
        m_browser = std::make_unique<FakeBrowser>();
        m_client = makeClient();
        m_client->initialize();
    }

    void cleanup()
    {
        m_client.reset();
        m_browser.reset();
        m_service.reset();
        QCOMPARE(SecretLogGuard::leaks(), 0);
    }

    void signInRoundTripEndsSignedInWithStoredTokens()
    {
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QSignalSpy states(m_client.get(), &Client::authStateChanged);
        QSignalSpy claims(m_client.get(), &Client::claimsUpdated);
        QSignalSpy answered(m_browser.get(), &FakeBrowser::redirectAnswered);
        signIn();
        QCOMPARE(states.size(), 1);
        QCOMPARE(states.at(0).at(0).value<AuthState>(), AuthState::SignedIn);
        QCOMPARE(claims.size(), 1);
        QVERIFY(m_client->isAuthenticated());

        const QUrl loginUrl = m_browser->openedUrls().value(0);
        QCOMPARE(loginUrl.path(), QStringLiteral("/auth/orvandellic/account/login"));
        const QUrlQuery query(loginUrl);
        QCOMPARE(query.queryItemValue(QStringLiteral("client_id")), FakeAccountService::clientId);
        const QUrl redirect(
            query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        QCOMPARE(redirect.host(), QStringLiteral("localhost"));
        QCOMPARE(redirect.path(), QStringLiteral("/callback"));
        QVERIFY(loginUrl.toString(QUrl::FullyEncoded)
                    .contains(QStringLiteral("redirect_uri=http%3A%2F%2Flocalhost%3A")));
        // At least 128 random bits.
        QVERIFY(query.queryItemValue(QStringLiteral("state")).size() >= 22);

        QVERIFY(answered.size() == 1 || answered.wait(5000));
        QCOMPARE(answered.at(0).at(0).toInt(), 200);
        QVERIFY(answered.at(0).at(1).toByteArray().contains("<h2>Authentication complete!</h2>"));

        const QString access = m_client->tokenManager()->validAccessToken();
        QVERIFY(!access.isEmpty());
        QVERIFY(stored(TokenManager::accessTokenKey) == access);
        QVERIFY(stored(TokenManager::refreshTokenKey) == m_client->tokenManager()->refreshToken());

        QSignalSpy user(auth(), &AuthClient::stateChanged);
        bool fetched = false;
        auth()->fetchCurrentUser([&fetched](const User& current) {
            fetched = current.displayName == QLatin1String("Ada Lovelace");
        });
        QTRY_VERIFY_WITH_TIMEOUT(fetched, 10000);

        // A new client on the same store starts signed in, without asking the service.
        const int before = m_service->requests().size();
        auto second = makeClient();
        QSignalSpy secondStates(second.get(), &Client::authStateChanged);
        second->initialize();
        QVERIFY(second->isAuthenticated());
        QCOMPARE(secondStates.size(), 1);
        QCOMPARE(m_service->requests().size(), before);
    }

    void startWithOnlyAUsableRefreshToken_data()
    {
        QTest::addColumn<bool>("refreshSucceeds");
        QTest::newRow("refresh succeeds") << true;
        QTest::newRow("refresh fails") << false;
    }

    void startWithOnlyAUsableRefreshToken()
    {
        QFETCH(bool, refreshSucceeds);
        const QString refresh = m_service->mintRefreshToken();
        {
            CredentialManagerTokenStore store(AccountTesting::appId);
            store.write(TokenManager::accessTokenKey, m_service->mintAccessToken(20));
            store.write(TokenManager::refreshTokenKey, refresh);
        }
        if (!refreshSucceeds)
            m_service->setRefreshMode(FakeAccountService::RefreshMode::Reject);
        auto client = makeClient();
        QSignalSpy states(client.get(), &Client::authStateChanged);
        client->initialize();
        QCOMPARE(client->authClient()->state(), AuthState::Initial);
        QVERIFY(states.wait(10000));
        QCOMPARE(client->authClient()->state(),
                 refreshSucceeds ? AuthState::SignedIn : AuthState::SignedOut);
        QCOMPARE(m_service->count("POST", QStringLiteral("/auth/token/refresh")), 1);
        // A failed start-up refresh keeps the stored tokens for the next start.
        QVERIFY(stored(TokenManager::refreshTokenKey).has_value());
    }

    void forgedRequestsAreTurnedAwayWhileSignInGoesOn()
    {
        m_browser->setFollowing(false);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        auth()->login();
        const QUrlQuery login(m_browser->openedUrls().value(0));
        const QUrl redirect(
            login.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        const QString state = login.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
        const QString forgedTokens =
            QStringLiteral("access_token=%1&refresh_token=%2")
                .arg(m_service->mintAccessToken(3600), m_service->mintRefreshToken());
        const auto at = [&redirect](const QString& pathAndQuery) {
            return QUrl(
                QStringLiteral("http://127.0.0.1:%1%2").arg(redirect.port()).arg(pathAndQuery));
        };

        // A port probe that connects and says nothing, then one that sends garbage.
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(redirect.port()));
        QVERIFY(probe.waitForConnected(5000));
        QTcpSocket garbage;
        garbage.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(redirect.port()));
        QVERIFY(garbage.waitForConnected(5000));
        garbage.write("\x16\x03\x01 not http at all\r\n");

        const QList<std::pair<QByteArray, QString>> forged{
            {"GET", QStringLiteral("/favicon.ico")},
            {"GET", QStringLiteral("/")},
            {"GET", QStringLiteral("/callback?") + forgedTokens},
            {"GET", QStringLiteral("/callback?state=&") + forgedTokens},
            {"GET", QStringLiteral("/callback?state=wrong&") + forgedTokens},
            {"GET", QStringLiteral("/callback?state=%1x&%2").arg(state, forgedTokens)},
            {"GET", QStringLiteral("/callback?state=%1&%2")
                        .arg(state.left(state.size() - 1), forgedTokens)},
            {"POST", QStringLiteral("/callback?state=%1&%2").arg(state, forgedTokens)},
            {"GET", QStringLiteral("/callback/extra?state=%1&%2").arg(state, forgedTokens)},
        };
        for (const auto& [method, target] : forged) {
            const FakeBrowser::Answer answer = m_browser->visit(at(target), method);
            QVERIFY2(answer.status == 400 || answer.status == 404,
                     method + ' ' + qPrintable(target.left(20)));
            QCOMPARE(auth()->state(), AuthState::SignedOut);
        }
        QCOMPARE(failed.size(), 0);
        QCOMPARE(succeeded.size(), 0);
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());

        // The real redirect still completes the sign-in.
        m_browser->setFollowing(true);
        m_browser->openUrl(m_browser->openedUrls().value(0));
        QVERIFY(succeeded.wait(10000));
        QCOMPARE(auth()->state(), AuthState::SignedIn);
        QCOMPARE(failed.size(), 0);
    }

    void redirectWithoutTheRightStateDoesNotSignIn_data()
    {
        QTest::addColumn<FakeAccountService::StateMode>("mode");
        QTest::newRow("state missing") << FakeAccountService::StateMode::Omit;
        QTest::newRow("state wrong") << FakeAccountService::StateMode::Wrong;
    }

    void redirectWithoutTheRightStateDoesNotSignIn()
    {
        QFETCH(FakeAccountService::StateMode, mode);
        m_service->setStateMode(mode);
        QSignalSpy answered(m_browser.get(), &FakeBrowser::redirectAnswered);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        auth()->login();
        QVERIFY(answered.wait(10000));
        QCOMPARE(answered.at(0).at(0).toInt(), 400);
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QCOMPARE(failed.size(), 0);
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());

        // Still listening: the service's next, correct redirect signs in.
        m_service->setStateMode(FakeAccountService::StateMode::Echo);
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        m_browser->openUrl(m_browser->openedUrls().value(0));
        QVERIFY(succeeded.wait(10000));
    }

    void callbackWithoutBothTokensFails()
    {
        m_browser->setFollowing(false);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        auth()->login();
        const QUrlQuery login(m_browser->openedUrls().value(0));
        QUrl callback(login.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        callback.setQuery(QStringLiteral("access_token=%1&state=%2")
                              .arg(m_service->mintAccessToken(3600),
                                   login.queryItemValue(QStringLiteral("state"))));
        QCOMPARE(m_browser->visit(callback).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 5000);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("No tokens received"));
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());
    }

    void signInGivesUpAfterTheTimeOut()
    {
        m_browser->setFollowing(false);
        auth()->setLoginTimeout(200);
        QSignalSpy failed(auth(), &AuthClient::loginFailed);
        auth()->login();
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("Sign-in timed out"));
        // A correct callback after the time-out is no longer taken. The port may be free or, with
        // tests running in parallel, held by another sign-in that knows a different state.
        const QUrlQuery login(m_browser->openedUrls().value(0));
        QUrl late(login.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        late.setQuery(QStringLiteral("access_token=%1&refresh_token=%2&state=%3")
                          .arg(m_service->mintAccessToken(3600), m_service->mintRefreshToken(),
                               login.queryItemValue(QStringLiteral("state"))));
        QSignalSpy succeeded(auth(), &AuthClient::loginSucceeded);
        QVERIFY(m_browser->visit(late).status != 200);
        QTest::qWait(50);
        QCOMPARE(succeeded.size(), 0);
        QCOMPARE(auth()->state(), AuthState::SignedOut);
    }

    void takenPreferredPortFallsBackToAFreeOne()
    {
        QTcpServer squatter;
        if (!squatter.listen(QHostAddress::LocalHost, WebAuthHandler::preferredPort))
            QSKIP("another program holds the preferred port");
        signIn();
        const QUrl redirect(
            QUrlQuery(m_browser->openedUrls().value(0))
                .queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        QVERIFY(redirect.port() > 0 && redirect.port() != WebAuthHandler::preferredPort);
    }

    void logoutEndsTheSessionAndForgetsTokens()
    {
        signIn();
        QSignalSpy states(auth(), &AuthClient::stateChanged);
        QSignalSpy completed(auth(), &AuthClient::logoutCompleted);
        auth()->logout();
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QCOMPARE(states.size(), 1);
        QCOMPARE(completed.size(), 1);
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count("POST", QStringLiteral("/auth/logout")), 1,
                                  5000);
        QVERIFY(m_service->requests().last().headers.value("authorization").startsWith("Bearer "));

        // Signed out already: no state change, but the completion is still reported.
        auth()->logout();
        QCOMPARE(states.size(), 1);
        QCOMPARE(completed.size(), 2);
    }

    void logoutWithTheServiceGoneStillSignsOut()
    {
        signIn();
        m_service.reset();
        QSignalSpy completed(auth(), &AuthClient::logoutCompleted);
        auth()->logout();
        QCOMPARE(completed.size(), 1);
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());
    }

    void signOutRacingARefreshWins()
    {
        m_service->setAccessTokenLifetime(10); // inside the expiry margin: every call refreshes
        signIn();
        m_service->setHoldRefreshReplies(true);
        bool answered = false;
        User received;
        auth()->fetchCurrentUser([&](const User& user) {
            answered = true;
            received = user;
        });
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count("POST", QStringLiteral("/auth/token/refresh")),
                                  1, 5000);
        auth()->logout();
        QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
        QVERIFY(received.id.isEmpty());

        m_service->releaseRefreshReplies();
        // Give the late reply time to arrive; nothing may come of it.
        QTest::qWait(300);
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QVERIFY(m_client->tokenManager()->refreshToken().isEmpty());
        QVERIFY(m_client->tokenManager()->validAccessToken().isEmpty());
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());
        QCOMPARE(m_service->count("GET", QStringLiteral("/users/me")), 0);
    }

    void explicitRefreshFailureSignsOut()
    {
        signIn();
        m_service->setRefreshMode(FakeAccountService::RefreshMode::Reject);
        bool result = true;
        bool answered = false;
        auth()->refreshToken([&](bool refreshed) {
            answered = true;
            result = refreshed;
        });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
        QVERIFY(!result);
        QCOMPARE(auth()->state(), AuthState::SignedOut);
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());
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
            m_service->count("DELETE", QStringLiteral("/users/me/sessions/s-2")), 1, 5000);
        QList<Session> sessions;
        bool listed = false;
        auth()->listSessions([&](const QList<Session>& list) {
            sessions = list;
            listed = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(listed, 5000);
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.at(0).id, QStringLiteral("s-1"));
        QVERIFY(sessions.at(0).isCurrent);

        // A failed fetch hands back the user already known.
        m_service->setCannedReply("GET", QStringLiteral("/users/me"), 500, "{}");
        User kept;
        auth()->fetchCurrentUser([&](const User& user) { kept = user; });
        QTRY_COMPARE_WITH_TIMEOUT(kept.displayName, QStringLiteral("Ada King"), 5000);
    }
};

QTEST_MAIN(TestAuthClient)
#include "tst_authclient.moc"
