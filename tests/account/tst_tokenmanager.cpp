#include "CredentialManagerTokenStore.h"
#include "MemoryCredentialBackend.h"
#include "PinnedClock.h"
#include "TokenManager.h"

#include <QJsonDocument>
#include <QJsonObject>
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

// A refresh callback that only records what it was asked, so a test decides the outcome.
struct ScriptedRefresh
{
    QStringList presented;
    TokenManager::SuccessContinuation succeed;
    TokenManager::FailureContinuation fail;

    TokenManager::RefreshCallback callback()
    {
        return [this](const QString& refreshToken, TokenManager::SuccessContinuation onSuccess,
                      TokenManager::FailureContinuation onFailure) {
            presented.append(refreshToken);
            succeed = std::move(onSuccess);
            fail = std::move(onFailure);
        };
    }
};

} // namespace

class TestTokenManager : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryCredentialBackend> m_backend;
    std::unique_ptr<TokenManager> m_manager;
    ScriptedRefresh m_script;
    QList<bool> m_answers;

    std::optional<QString> stored(const QString& key)
    {
        return CredentialManagerTokenStore(QStringLiteral("app.test"), m_backend).read(key);
    }

    std::function<void(bool)> recorder()
    {
        return [this](bool result) { m_answers.append(result); };
    }

private Q_SLOTS:
    void init()
    {
        m_backend = std::make_shared<MemoryCredentialBackend>();
        m_manager = std::make_unique<TokenManager>(
            std::make_unique<CredentialManagerTokenStore>(QStringLiteral("app.test"), m_backend));
        m_script = ScriptedRefresh();
        m_manager->setRefreshCallback(m_script.callback());
        m_answers.clear();
    }

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
        QTest::newRow("exp past 32 bits") << tokenWithPayload(R"({"exp":4102444800})") << false;
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
        PinnedClock clock(pinnedNow);
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
        QTest::newRow("custom without orv")
            << QByteArray(R"({"custom":{"other":1}})") << QString() << QString();
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
        QVERIFY(TokenManager::decodeClaims(QStringLiteral("no-dots")).groupId.isEmpty());
    }

    void concurrentCallersShareOneRefresh_data()
    {
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("success") << true;
        QTest::newRow("failure") << false;
    }

    void concurrentCallersShareOneRefresh()
    {
        QFETCH(bool, succeeds);
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        QList<int> order;
        for (int caller = 0; caller < 3; ++caller) {
            m_manager->refresh([&order, this, caller](bool result) {
                order.append(caller);
                m_answers.append(result);
            });
        }
        QCOMPARE(m_script.presented, QStringList{QStringLiteral("refresh-1")});
        QVERIFY(m_answers.isEmpty());
        if (succeeds)
            m_script.succeed(tokenExpiringIn(3600), QStringLiteral("refresh-2"));
        else
            m_script.fail();
        QCOMPARE(order, (QList<int>{0, 1, 2}));
        QCOMPARE(m_answers, (QList<bool>{succeeds, succeeds, succeeds}));
        const QString expectedRefresh =
            succeeds ? QStringLiteral("refresh-2") : QStringLiteral("refresh-1");
        QVERIFY(m_manager->refreshToken() == expectedRefresh);
        QVERIFY(stored(TokenManager::refreshTokenKey) == expectedRefresh);
        QCOMPARE(m_manager->needsRefresh(), !succeeds);
    }

    void refreshWithoutRefreshTokenAnswersAtOnce()
    {
        m_manager->refresh(recorder());
        QCOMPARE(m_answers, QList<bool>{false});
        QVERIFY(m_script.presented.isEmpty());

        m_manager->setTokens(QString(), QStringLiteral("refresh-1"));
        m_manager->setRefreshCallback({});
        m_manager->refresh(recorder());
        QCOMPARE(m_answers, (QList<bool>{false, false}));
    }

    void replyWithoutNewRefreshTokenKeepsTheOld()
    {
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh(recorder());
        const QString access = tokenExpiringIn(3600);
        m_script.succeed(access, QString());
        QCOMPARE(m_answers, QList<bool>{true});
        QVERIFY(m_manager->refreshToken() == QStringLiteral("refresh-1"));
        QVERIFY(stored(TokenManager::refreshTokenKey) == QStringLiteral("refresh-1"));
        QVERIFY(stored(TokenManager::accessTokenKey) == access);
        QVERIFY(m_manager->validAccessToken() == access);
    }

    void replyWithoutAccessTokenIsAFailure()
    {
        PinnedClock clock(pinnedNow);
        const QString old = tokenExpiringIn(10);
        m_manager->setTokens(old, QStringLiteral("refresh-1"));
        m_manager->refresh(recorder());
        m_script.succeed(QString(), QStringLiteral("refresh-2"));
        QCOMPARE(m_answers, QList<bool>{false});
        QVERIFY(m_manager->refreshToken() == QStringLiteral("refresh-1"));
        QVERIFY(stored(TokenManager::accessTokenKey) == old);
    }

    void signOutDuringRefreshWins()
    {
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh(recorder());
        m_manager->clearTokens();
        QCOMPARE(m_answers, QList<bool>{false});
        m_script.succeed(tokenExpiringIn(3600), QStringLiteral("refresh-2"));
        QCOMPARE(m_answers, QList<bool>{false});
        QVERIFY(m_manager->validAccessToken().isEmpty());
        QVERIFY(m_manager->refreshToken().isEmpty());
        QVERIFY(!stored(TokenManager::accessTokenKey).has_value());
        QVERIFY(!stored(TokenManager::refreshTokenKey).has_value());

        // The abandoned refresh does not block the next one.
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-3"));
        m_manager->refresh(recorder());
        QCOMPARE(m_script.presented.size(), 2);
    }

    void signInDuringRefreshWins()
    {
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh(recorder());
        const auto lateSuccess = m_script.succeed;
        const QString signedIn = tokenExpiringIn(3600);
        m_manager->setTokens(signedIn, QStringLiteral("refresh-new"));
        QCOMPARE(m_answers, QList<bool>{true});
        lateSuccess(tokenExpiringIn(7200), QStringLiteral("refresh-late"));
        QVERIFY(m_manager->validAccessToken() == signedIn);
        QVERIFY(stored(TokenManager::refreshTokenKey) == QStringLiteral("refresh-new"));
    }

    void continuationsCountOnce()
    {
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh(recorder());
        const auto fail = m_script.fail;
        m_script.succeed(tokenExpiringIn(3600), QStringLiteral("refresh-2"));
        fail();
        QCOMPARE(m_answers, QList<bool>{true});
    }

    void callbackMayStartTheNextRefresh()
    {
        PinnedClock clock(pinnedNow);
        m_manager->setTokens(tokenExpiringIn(10), QStringLiteral("refresh-1"));
        m_manager->refresh([this](bool) { m_manager->refresh(recorder()); });
        m_script.fail();
        QCOMPARE(m_script.presented.size(), 2);
    }

    void loadTokensReadsTheStore()
    {
        PinnedClock clock(pinnedNow);
        const QString access = tokenExpiringIn(600);
        m_manager->setTokens(access, QStringLiteral("refresh-1"));
        TokenManager fresh(
            std::make_unique<CredentialManagerTokenStore>(QStringLiteral("app.test"), m_backend));
        QVERIFY(fresh.validAccessToken().isEmpty());
        fresh.loadTokens();
        QVERIFY(fresh.validAccessToken() == access);
        QVERIFY(fresh.refreshToken() == QStringLiteral("refresh-1"));
    }
};

QTEST_GUILESS_MAIN(TestTokenManager)
#include "tst_tokenmanager.moc"
