#include "FakeBrowser.h"
#include "FakeOAuthProvider.h"
#include "GoogleAuthService.h"
#include "MemoryCredentialBackend.h"
#include "MicrosoftAuthService.h"
#include "PinnedClock.h"

#include <QTest>
#include <QTimeZone>
#include <QUrlQuery>

#include <memory>

namespace {

const QDateTime pinnedNow(QDate(2026, 3, 11), QTime(9, 0), QTimeZone::utc());

// What one service reported.
struct Outcome
{
    int successes = 0;
    QStringList failures;
    QString email;
    QString name;
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt;
    QString rotatedRefreshToken;
};

// Runs either provider's service through the same steps.
class Service
{
public:
    explicit Service(bool google)
    {
        if (google)
            wire(m_google = std::make_unique<Google::AuthService>());
        else
            wire(m_microsoft = std::make_unique<Microsoft::AuthService>());
    }

    void startSignIn() { m_google ? m_google->startSignIn() : m_microsoft->startSignIn(); }
    void cancelSignIn() { m_google ? m_google->cancelSignIn() : m_microsoft->cancelSignIn(); }
    void refresh(const QString& token)
    {
        m_google ? m_google->refresh(token) : m_microsoft->refresh(token);
    }
    void setTransferTimeout(int ms)
    {
        m_google ? m_google->setTransferTimeout(ms) : m_microsoft->setTransferTimeout(ms);
    }
    bool save(const QString& account, const QString& access, const QString& refresh,
              const QDateTime& expiry)
    {
        return m_google ? Google::AuthService::saveTokens(account, {access, refresh, expiry})
                        : Microsoft::AuthService::saveTokens(account, {access, refresh, expiry});
    }
    std::tuple<QString, QString, QDateTime> load(const QString& account)
    {
        if (m_google) {
            const Google::TokenSet set = Google::AuthService::loadTokens(account);
            return {set.accessToken, set.refreshToken, set.expiresAt};
        }
        const Microsoft::TokenSet set = Microsoft::AuthService::loadTokens(account);
        return {set.accessToken, set.refreshToken, set.expiresAt};
    }

    Outcome outcome;

private:
    template <class AuthService> void wire(const std::unique_ptr<AuthService>& service)
    {
        QObject::connect(service.get(), &AuthService::signInSucceeded, [this](const auto& result) {
            ++outcome.successes;
            outcome.email = result.email;
            outcome.name = result.displayName;
            outcome.accessToken = result.accessToken;
            outcome.refreshToken = result.refreshToken;
            outcome.expiresAt = result.expiresAt;
        });
        QObject::connect(service.get(), &AuthService::signInFailed,
                         [this](const QString& reason) { outcome.failures.append(reason); });
        QObject::connect(
            service.get(), &AuthService::refreshSucceeded,
            [this](const QString& access, const QDateTime& expiry, const QString& rotated) {
                ++outcome.successes;
                outcome.accessToken = access;
                outcome.expiresAt = expiry;
                outcome.rotatedRefreshToken = rotated;
            });
        QObject::connect(service.get(), &AuthService::refreshFailed,
                         [this](const QString& reason) { outcome.failures.append(reason); });
    }

    std::unique_ptr<Google::AuthService> m_google;
    std::unique_ptr<Microsoft::AuthService> m_microsoft;
};

quint16 listenerPort(const FakeBrowser& browser)
{
    const QUrlQuery query(browser.openedUrls().value(0));
    return static_cast<quint16>(
        QUrl(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded)).port());
}

} // namespace

class TestOAuthSignIn : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PinnedClock> m_clock;
    std::unique_ptr<FakeOAuthProvider> m_provider;
    std::unique_ptr<FakeBrowser> m_browser;

    void addProviders() { QTest::addColumn<bool>("google"); }

    void providerRows()
    {
        addProviders();
        QTest::newRow("google") << true;
        QTest::newRow("microsoft") << false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        OrvaAccount::CredentialBackend::setDefaultBackend(
            std::make_shared<OrvaAccount::MemoryCredentialBackend>());
    }

    void init()
    {
        m_clock = std::make_unique<PinnedClock>(pinnedNow);
        m_provider = std::make_unique<FakeOAuthProvider>();
        m_provider->exportEnvironment();
        m_browser = std::make_unique<FakeBrowser>();
    }

    void cleanup()
    {
        m_browser.reset();
        m_provider.reset();
        m_clock.reset();
    }

    // The whole road: browser, provider, redirect to the listener, code exchange; the tokens
    // are then stored and read back. A browser may first send a stale redirect, or send the
    // request in fragments.
    void signInSucceeds_data()
    {
        addProviders();
        QTest::addColumn<bool>("wrongStateFirst");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QList<int>>("statuses");
        for (const bool google : {true, false}) {
            const char* name = google ? "google" : "microsoft";
            QTest::addRow("%s", name) << google << false << false << QList<int>{200};
            QTest::addRow("%s, wrong state first", name)
                << google << true << false << QList<int>{400, 200};
            QTest::addRow("%s, split request", name) << google << false << true << QList<int>{200};
        }
    }

    void signInSucceeds()
    {
        QFETCH(bool, google);
        QFETCH(bool, wrongStateFirst);
        QFETCH(bool, split);
        QFETCH(QList<int>, statuses);
        m_browser->setWrongStateFirst(wrongStateFirst);
        m_browser->setSplitRequest(split);
        Service service(google);
        service.startSignIn();
        QTRY_COMPARE(service.outcome.successes + int(service.outcome.failures.size()), 1);
        QCOMPARE(service.outcome.failures, QStringList());
        QCOMPARE(m_browser->listenerStatuses(), statuses);
        QCOMPARE(service.outcome.email, QStringLiteral("ada@example.com"));
        QCOMPARE(service.outcome.name, QStringLiteral("Ada Lovelace"));
        QCOMPARE(service.outcome.accessToken, m_provider->lastAccessToken());
        QVERIFY(!service.outcome.refreshToken.isEmpty());
        QCOMPARE(service.outcome.expiresAt, pinnedNow.addSecs(3599));

        const QUrl opened = m_browser->openedUrls().value(0);
        const QUrlQuery query(opened);
        QCOMPARE(opened.path(), google ? QStringLiteral("/o/oauth2/v2/auth")
                                       : QStringLiteral("/common/oauth2/v2.0/authorize"));
        QCOMPARE(query.queryItemValue(QStringLiteral("code_challenge_method")),
                 QStringLiteral("S256"));
        QCOMPARE(query.queryItemValue(QStringLiteral("state")).size(), 22);
        QCOMPARE(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded),
                 QStringLiteral("http://127.0.0.1:%1").arg(listenerPort(*m_browser)));

        // Stored and read back, the expiry to the millisecond.
        QVERIFY(service.save(QStringLiteral("acc"), service.outcome.accessToken,
                             service.outcome.refreshToken, service.outcome.expiresAt));
        const auto [access, refresh, expiry] = service.load(QStringLiteral("acc"));
        QCOMPARE(access, service.outcome.accessToken);
        QCOMPARE(refresh, service.outcome.refreshToken);
        QCOMPARE(expiry, service.outcome.expiresAt);

        // The listener is closed: a late redirect finds nobody, and nothing is reported again.
        m_browser->sendRaw(listenerPort(*m_browser), "GET /?state=x HTTP/1.1\r\n\r\n");
        QTRY_COMPARE(m_browser->listenerStatuses().size(), statuses.size() + 1);
        QCOMPARE(m_browser->listenerStatuses().last(), 0);
        service.cancelSignIn();
        QCOMPARE(service.outcome.failures, QStringList());
    }

    // Every way a sign-in fails, with the text each provider gives.
    void signInFailures_data()
    {
        addProviders();
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("reason");
        const QString rejected = QString::fromUtf8(FakeOAuthProvider::rejectedBody());
        QTest::newRow("google, no credentials")
            << true << "credentials"
            << "Google OAuth credentials are not configured in this build. See .env.example.";
        QTest::newRow("microsoft, no credentials")
            << false << "credentials"
            << "Microsoft OAuth credentials are not configured in this build. See .env.example.";
        QTest::newRow("google, denied") << true << "denied"
                                        << "Google denied the sign-in: access_denied";
        QTest::newRow("microsoft, denied") << false << "denied"
                                           << "Microsoft denied the sign-in: The user declined";
        QTest::newRow("google, rejected exchange")
            << true << "rejected"
            << "Token exchange failed (HTTP 400): " + rejected;
        QTest::newRow("microsoft, rejected exchange")
            << false << "rejected"
            << "Token exchange failed (HTTP 400): " + rejected;
        // A proxy's error page: its status and first line, not the page.
        QTest::newRow("google, a page instead of a reply")
            << true << "page"
            << "Token exchange failed (HTTP 502): <html><title>502 Bad Gateway</title>";
        QTest::newRow("microsoft, a page instead of a reply")
            << false << "page"
            << "Token exchange failed (HTTP 502): <html><title>502 Bad Gateway</title>";
        QTest::newRow("google, no access token") << true << "no access"
                                                 << "Google did not return an access token.";
        QTest::newRow("microsoft, no access token") << false << "no access"
                                                    << "Microsoft did not return an access token.";
        QTest::newRow("google, no refresh token")
            << true << "no refresh"
            << "Google did not return a refresh token. Try removing the app from your Google "
               "Account permissions and signing in again.";
        QTest::newRow("microsoft, no refresh token")
            << false << "no refresh"
            << "Microsoft did not return a refresh token. Verify offline_access is in the scopes "
               "configured for this app.";
        QTest::newRow("google, stalled exchange")
            << true << "stall"
            << "Google's token service did not answer in time.";
        QTest::newRow("microsoft, stalled exchange")
            << false << "stall"
            << "Microsoft's token service did not answer in time.";
    }

    void signInFailures()
    {
        QFETCH(bool, google);
        QFETCH(QString, situation);
        QFETCH(QString, reason);
        if (situation == QLatin1String("credentials"))
            qunsetenv(google ? "CALENDAR_OAUTH_CLIENT_SECRET" : "CALENDAR_OAUTH_CLIENT_ID");
        m_provider->setDenyNext(situation == QLatin1String("denied"));
        if (situation == QLatin1String("rejected"))
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::Rejected);
        if (situation == QLatin1String("page"))
            m_provider->setTokenFailure(502, "<html><title>502 Bad Gateway</title>\r\n<body>" +
                                                 QByteArray(1024 * 1024, 'x') + "</body></html>");
        if (situation == QLatin1String("no access"))
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::NoAccessToken);
        if (situation == QLatin1String("no refresh"))
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::NoRefreshToken);
        if (situation == QLatin1String("stall"))
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::Stall);
        Service service(google);
        // Short only where the endpoint is silent, so that a slow machine is not taken for one.
        if (situation == QLatin1String("stall"))
            service.setTransferTimeout(300);
        service.startSignIn();
        QTRY_COMPARE(service.outcome.failures.size(), 1);
        QCOMPARE(service.outcome.failures.first(), reason);
        QCOMPARE(service.outcome.successes, 0);
        if (situation == QLatin1String("credentials"))
            QVERIFY(m_browser->openedUrls().isEmpty());
    }

    // Cancel ends the wait once; the redirect that comes later changes nothing.
    void cancelEndsTheSignIn_data() { providerRows(); }

    void cancelEndsTheSignIn()
    {
        QFETCH(bool, google);
        m_browser->setFollowRedirects(false);
        Service service(google);
        service.startSignIn();
        QTRY_COMPARE(m_browser->openedUrls().size(), 1);
        // A probe of the port while waiting is turned away, and the sign-in goes on waiting.
        m_browser->sendRaw(listenerPort(*m_browser), "GET /favicon.ico HTTP/1.1\r\n\r\n");
        QTRY_COMPARE(m_browser->listenerStatuses(), QList<int>{400});
        QCOMPARE(service.outcome.failures, QStringList());

        service.cancelSignIn();
        service.cancelSignIn();
        QCOMPARE(service.outcome.failures, QStringList{QStringLiteral("Sign-in cancelled.")});
        m_browser->openUrl(m_browser->openedUrls().first());
        m_browser->setFollowRedirects(true);
        m_browser->openUrl(m_browser->openedUrls().first());
        QTRY_COMPARE(m_browser->listenerStatuses().size(), 2);
        QCOMPARE(m_browser->listenerStatuses().last(), 0);
        QCOMPARE(m_provider->tokenRequests(), 0);
        QCOMPARE(service.outcome.successes, 0);
    }

    void refresh_data()
    {
        addProviders();
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("reason");
        const QString rejected = QString::fromUtf8(FakeOAuthProvider::rejectedBody());
        using Mode = FakeOAuthProvider::TokenMode;
        for (const bool google : {true, false}) {
            const char* name = google ? "google" : "microsoft";
            const QString word = google ? QStringLiteral("Google") : QStringLiteral("Microsoft");
            QTest::addRow("%s, refreshed", name) << google << int(Mode::Issue) << true << "";
            QTest::addRow("%s, rotated", name) << google << int(Mode::RotateRefresh) << true << "";
            QTest::addRow("%s, unknown token", name)
                << google << int(Mode::Issue) << false
                << R"(Token refresh failed (HTTP 400): {"error":"invalid_grant"})";
            QTest::addRow("%s, rejected", name) << google << int(Mode::Rejected) << true
                                                << "Token refresh failed (HTTP 400): " + rejected;
            QTest::addRow("%s, no access token", name) << google << int(Mode::NoAccessToken) << true
                                                       << word + "'s response had no access_token.";
            QTest::addRow("%s, stalled", name) << google << int(Mode::Stall) << true
                                               << word + "'s token service did not answer in time.";
        }
    }

    void refresh()
    {
        QFETCH(bool, google);
        QFETCH(int, mode);
        QFETCH(bool, known);
        QFETCH(QString, reason);
        const QString token =
            known ? m_provider->issueRefreshToken() : QStringLiteral("never-issued");
        m_provider->setTokenMode(static_cast<FakeOAuthProvider::TokenMode>(mode));
        Service service(google);
        if (mode == int(FakeOAuthProvider::TokenMode::Stall))
            service.setTransferTimeout(300);
        service.refresh(token);
        QTRY_COMPARE(service.outcome.successes + int(service.outcome.failures.size()), 1);
        if (!reason.isEmpty()) {
            QCOMPARE(service.outcome.failures, QStringList{reason});
            return;
        }
        QCOMPARE(service.outcome.accessToken, m_provider->lastAccessToken());
        QCOMPARE(service.outcome.expiresAt, pinnedNow.addSecs(3599));
        QCOMPARE(service.outcome.rotatedRefreshToken.isEmpty(),
                 mode != int(FakeOAuthProvider::TokenMode::RotateRefresh));
        const QString form = QString::fromUtf8(m_provider->requests().last().body);
        QCOMPARE(form.contains(QLatin1String("client_secret=test-secret")), google);
    }

    void refreshWithoutCredentials_data() { providerRows(); }

    void refreshWithoutCredentials()
    {
        QFETCH(bool, google);
        qunsetenv("CALENDAR_OAUTH_CLIENT_ID");
        Service service(google);
        service.refresh(QStringLiteral("r"));
        QTRY_COMPARE(service.outcome.failures.size(), 1);
        QCOMPARE(service.outcome.failures.first(),
                 google ? QStringLiteral("Google OAuth credentials are not configured.")
                        : QStringLiteral("Microsoft OAuth credentials are not configured."));
        QCOMPARE(m_provider->tokenRequests(), 0);
    }

    void missingOrUnreadableTokensReadAsEmpty()
    {
        Service service(true);
        QCOMPARE(service.load(QStringLiteral("nobody")),
                 std::make_tuple(QString(), QString(), QDateTime()));
        // An entry from the other provider is not this provider's.
        QVERIFY(Microsoft::AuthService::saveTokens(QStringLiteral("m"), {"a", "r", {}}));
        QCOMPARE(Google::AuthService::loadTokens(QStringLiteral("m")).refreshToken, QString());
        QCOMPARE(Microsoft::AuthService::loadTokens(QStringLiteral("m")).refreshToken,
                 QStringLiteral("r"));
    }
};

QTEST_MAIN(TestOAuthSignIn)
#include "tst_oauthsignin.moc"
