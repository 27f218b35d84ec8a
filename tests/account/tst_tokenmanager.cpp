#include "CredentialManagerTokenStore.h"
#include "MemoryCredentialBackend.h"
#include "PinnedClock.h"
#include "TokenManager.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace OrvaAccount;

namespace {

const QDateTime pinnedNow(QDate(2025, 6, 1), QTime(12, 0), Qt::UTC);

QString tokenWithPayload(const QByteArray& payload)
{
    const auto part = [](const QByteArray& bytes) {
        return QString::fromLatin1(
            bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    };
    return part(R"({"alg":"HS256"})") + QLatin1Char('.') + part(payload) + QStringLiteral(".sig");
}

QString tokenExpiringIn(qint64 seconds)
{
    return tokenWithPayload(
        QJsonDocument(QJsonObject{{QStringLiteral("exp"), pinnedNow.toSecsSinceEpoch() + seconds}})
            .toJson(QJsonDocument::Compact));
}

} // namespace

class TestTokenManager : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryCredentialBackend> m_backend;
    std::unique_ptr<TokenManager> m_manager;
    std::unique_ptr<PinnedClock> m_clock;
    // What the refresh callback was asked, and its continuations, so a case decides the outcome.
    QStringList m_presented;
    TokenManager::SuccessContinuation m_succeed;
    TokenManager::FailureContinuation m_fail;
    QList<bool> m_answers;

    std::optional<QString> stored(const QString& key)
    {
        return CredentialManagerTokenStore(QStringLiteral("app.test"), m_backend).read(key);
    }

    // Signs in with an access token inside the expiry margin and starts one refresh.
    void startRefresh()
    {
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh([this](bool result) { m_answers.append(result); });
    }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<PinnedClock>(pinnedNow);
        m_backend = std::make_shared<MemoryCredentialBackend>();
        m_manager = std::make_unique<TokenManager>(
            std::make_unique<CredentialManagerTokenStore>(QStringLiteral("app.test"), m_backend));
        m_presented.clear();
        m_answers.clear();
        m_manager->setRefreshCallback([this](const QString& token, auto onSuccess, auto onFailure) {
            m_presented.append(token);
            m_succeed = std::move(onSuccess);
            m_fail = std::move(onFailure);
        });
    }

    void cleanup() { m_clock.reset(); }

    void usableAccessToken_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("usable");
        QTest::newRow("31 s left") << tokenExpiringIn(31) << true;
        QTest::newRow("30 s left") << tokenExpiringIn(30) << false;
        QTest::newRow("expired") << tokenExpiringIn(-5) << false;
        QTest::newRow("no exp") << tokenWithPayload(R"({"sub":"u"})") << false;
        QTest::newRow("fractional exp") << tokenWithPayload(R"({"exp":4102444800.5})") << false;
        QTest::newRow("exp as text") << tokenWithPayload(R"({"exp":"2147483000"})") << false;
        QTest::newRow("exp past 2038") << tokenWithPayload(R"({"exp":4102444800})") << true;
        QTest::newRow("exp beyond exact seconds") << tokenWithPayload(R"({"exp":1e300})") << false;
        QTest::newRow("payload array") << tokenWithPayload("[1]") << false;
        QTest::newRow("payload not json") << tokenWithPayload("exp") << false;
        QTest::newRow("no dot") << QStringLiteral("opaque-token-text") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("padded and stray characters")
            << QStringLiteral("h.") +
                   QString::fromLatin1(QByteArray(R"({"exp":2000000000})").toBase64()) +
                   QStringLiteral("*!.s")
            << true;
    }

    void usableAccessToken()
    {
        QFETCH(QString, token);
        QFETCH(bool, usable);
        m_manager->setTokens(token, QStringLiteral("refresh-1"));
        QCOMPARE(!m_manager->validAccessToken().isEmpty(), usable);
        QCOMPARE(m_manager->needsRefresh(), !usable);
        m_manager->setTokens(token, QString());
        QVERIFY(!m_manager->needsRefresh());
    }

    void claims_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("groupId");
        QTest::addColumn<QString>("role");
        QTest::newRow("group and role")
            << QByteArray(R"({"custom":{"orv":{"group_id":"g-7","role":"owner"}}})")
            << QStringLiteral("g-7") << QStringLiteral("owner");
        QTest::newRow("role missing") << QByteArray(R"({"custom":{"orv":{"group_id":"g-7"}}})")
                                      << QStringLiteral("g-7") << QString();
        QTest::newRow("orv not an object")
            << QByteArray(R"({"custom":{"orv":"g"}})") << QString() << QString();
        QTest::newRow("values not texts")
            << QByteArray(R"({"custom":{"orv":{"group_id":5,"role":true}}})") << QString()
            << QString();
        QTest::newRow("not json") << QByteArray("{") << QString() << QString();
    }

    void claims()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, groupId);
        QFETCH(QString, role);
        const OrvClaims claims = TokenManager::decodeClaims(tokenWithPayload(payload));
        QCOMPARE(claims.groupId, groupId);
        QCOMPARE(claims.role, role);
    }

    // Three callers join one refresh and all get its outcome, in order; what is kept follows
    // the reply: no access token is a failure, no new refresh token keeps the old one.
    void concurrentCallersShareOneRefresh_data()
    {
        QTest::addColumn<bool>("replied");
        QTest::addColumn<bool>("newAccess");
        QTest::addColumn<QString>("newRefresh");
        QTest::addColumn<bool>("obtained");
        QTest::addColumn<QString>("keptRefresh");
        QTest::newRow("rotated") << true << true << "refresh-2" << true << "refresh-2";
        QTest::newRow("refresh token kept") << true << true << "" << true << "refresh-1";
        QTest::newRow("no access token") << true << false << "refresh-2" << false << "refresh-1";
        QTest::newRow("failed") << false << false << "" << false << "refresh-1";
    }

    void concurrentCallersShareOneRefresh()
    {
        QFETCH(bool, replied);
        QFETCH(bool, newAccess);
        QFETCH(QString, newRefresh);
        QFETCH(bool, obtained);
        QFETCH(QString, keptRefresh);
        const QString oldAccess = tokenExpiringIn(10);
        m_manager->setTokens(oldAccess, QStringLiteral("refresh-1"));
        QList<int> order;
        for (int caller = 0; caller < 3; ++caller)
            m_manager->refresh(
                [&order, caller](bool result) { order.append(result ? caller : -1); });
        QCOMPARE(m_presented, QStringList{QStringLiteral("refresh-1")});
        QVERIFY(order.isEmpty());
        const QString access = newAccess ? tokenExpiringIn(3600) : QString();
        if (replied)
            m_succeed(access, newRefresh);
        else
            m_fail();
        QCOMPARE(order, (obtained ? QList<int>{0, 1, 2} : QList<int>{-1, -1, -1}));
        QVERIFY(m_manager->refreshToken() == keptRefresh);
        QVERIFY(stored(TokenManager::refreshTokenKey) == keptRefresh);
        QVERIFY(stored(TokenManager::accessTokenKey) == (obtained ? access : oldAccess));
        QCOMPARE(m_manager->needsRefresh(), !obtained);
    }

    // Only a refusal of the current refresh ends the session: the tokens are dropped before the
    // callers learn the outcome. One marked by a refresh that a new sign-in abandoned does not
    // count against the refresh that followed it.
    void onlyTheCurrentRefusalEndsTheSession_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("abandonedFirst");
        QTest::newRow("refused") << true << false;
        QTest::newRow("server fault") << false << false;
        QTest::newRow("abandoned refresh refused") << true << true;
    }

    void onlyTheCurrentRefusalEndsTheSession()
    {
        QFETCH(bool, refused);
        QFETCH(bool, abandonedFirst);
        TokenManager::FailureContinuation abandoned;
        if (abandonedFirst) {
            startRefresh();
            abandoned = m_fail;
        }
        startRefresh();
        QSignalSpy ended(m_manager.get(), &TokenManager::sessionEnded);
        bool tokensGoneFirst = false;
        m_manager->refresh([&](bool) { tokensGoneFirst = m_manager->refreshToken().isEmpty(); });
        if (refused)
            m_manager->markRefreshRejected();
        if (abandoned) {
            abandoned();
            m_fail();
        } else {
            m_fail();
        }
        const bool ends = refused && !abandonedFirst;
        QCOMPARE(ended.size(), ends ? 1 : 0);
        QCOMPARE(m_manager->lastRefreshRejected(), ends);
        QCOMPARE(tokensGoneFirst, ends);
        QCOMPARE(stored(TokenManager::refreshTokenKey).has_value(), !ends);
        QCOMPARE(stored(TokenManager::accessTokenKey).has_value(), !ends);
    }

    void refreshWithoutRefreshTokenOrSenderAnswersAtOnce()
    {
        m_manager->refresh([this](bool result) { m_answers.append(result); });
        m_manager->setTokens(QString(), QStringLiteral("refresh-1"));
        m_manager->setRefreshCallback({});
        m_manager->refresh([this](bool result) { m_answers.append(result); });
        QCOMPARE(m_answers, (QList<bool>{false, false}));
        QVERIFY(m_presented.isEmpty());
    }

    void signOutDuringRefreshWins()
    {
        startRefresh();
        m_manager->clearTokens();
        QCOMPARE(m_answers, QList<bool>{false});
        m_succeed(tokenExpiringIn(3600), QStringLiteral("refresh-2"));
        QCOMPARE(m_answers, QList<bool>{false});
        QVERIFY(m_manager->validAccessToken().isEmpty());
        QVERIFY(m_manager->refreshToken().isEmpty());
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());

        // The abandoned refresh does not block the next one.
        startRefresh();
        QCOMPARE(m_presented.size(), 2);
    }

    void signInDuringRefreshWins()
    {
        startRefresh();
        const auto lateSuccess = m_succeed;
        const QString signedIn = tokenExpiringIn(3600);
        m_manager->setTokens(signedIn, QStringLiteral("refresh-new"));
        QCOMPARE(m_answers, QList<bool>{true});
        lateSuccess(tokenExpiringIn(7200), QStringLiteral("refresh-late"));
        QVERIFY(m_manager->validAccessToken() == signedIn);
        QVERIFY(stored(TokenManager::refreshTokenKey) == QStringLiteral("refresh-new"));
    }

    void continuationsCountOnceAndMayStartTheNext()
    {
        startRefresh();
        const auto fail = m_fail;
        m_succeed(tokenExpiringIn(3600), QStringLiteral("refresh-2"));
        fail();
        QCOMPARE(m_answers, QList<bool>{true});

        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-3"));
        m_manager->refresh([this](bool) { m_manager->refresh({}); });
        m_fail();
        QCOMPARE(m_presented.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestTokenManager)
#include "tst_tokenmanager.moc"
