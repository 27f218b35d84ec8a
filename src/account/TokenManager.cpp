#include "TokenManager.h"

#include "Clock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include <cmath>
#include <optional>

namespace OrvaAccount {

namespace {

// The JSON payload of a JSON Web Token; the signature is not checked, the server does that.
std::optional<QJsonObject> tokenPayload(const QString& token)
{
    const QStringList parts = token.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return std::nullopt;
    const QByteArray bytes =
        QByteArray::fromBase64(parts.at(1).toLatin1(), QByteArray::Base64UrlEncoding);
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

TokenManager::TokenManager(std::unique_ptr<TokenStore> store, QObject* parent)
    : QObject(parent), m_store(std::move(store))
{
}

void TokenManager::loadTokens()
{
    m_accessToken = m_store->read(accessTokenKey).value_or(QString());
    m_refreshToken = m_store->read(refreshTokenKey).value_or(QString());
}

void TokenManager::setTokens(const QString& accessToken, const QString& refreshToken)
{
    m_accessToken = accessToken;
    m_refreshToken = refreshToken;
    storeTokens();
    bool abandoned = false;
    {
        QMutexLocker lock(&m_mutex);
        if (m_refreshing) {
            ++m_generation;
            m_refreshing = false;
            abandoned = true;
        }
    }
    if (abandoned)
        answerWaiting(!validAccessToken().isEmpty());
}

void TokenManager::clearTokens()
{
    m_accessToken.clear();
    m_refreshToken.clear();
    m_store->clear();
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation;
        m_refreshing = false;
    }
    answerWaiting(false);
}

QString TokenManager::validAccessToken() const
{
    if (m_accessToken.isEmpty())
        return {};
    const qint64 expiry = tokenExpiry(m_accessToken);
    if (expiry == 0)
        return {};
    if (Clock::now().toSecsSinceEpoch() < expiry - expiryMarginSeconds)
        return m_accessToken;
    return {};
}

bool TokenManager::needsRefresh() const
{
    return !m_refreshToken.isEmpty() && validAccessToken().isEmpty();
}

void TokenManager::setRefreshCallback(RefreshCallback callback)
{
    m_refreshCallback = std::move(callback);
}

void TokenManager::markRefreshRejected()
{
    QMutexLocker lock(&m_mutex);
    m_refreshRejected = true;
}

bool TokenManager::lastRefreshRejected() const
{
    QMutexLocker lock(&m_mutex);
    return m_refreshRejected;
}

void TokenManager::noteRefreshFailure(const QString& reason)
{
    QMutexLocker lock(&m_mutex);
    m_lastRefreshFailure = reason;
}

QString TokenManager::lastRefreshFailure() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastRefreshFailure;
}

void TokenManager::refresh(std::function<void(bool)> callback)
{
    QMutexLocker lock(&m_mutex);
    if (callback)
        m_pendingCallbacks.append(std::move(callback));
    if (m_refreshing)
        return;
    if (m_refreshToken.isEmpty() || !m_refreshCallback) {
        lock.unlock();
        answerWaiting(false);
        return;
    }
    m_refreshing = true;
    m_refreshRejected = false;
    m_lastRefreshFailure.clear();
    const QString token = m_refreshToken;
    const quint64 generation = m_generation;
    const RefreshCallback send = m_refreshCallback;
    lock.unlock();

    // Each continuation may run once; the refresh request owns copies of both.
    auto answered = std::make_shared<bool>(false);
    QPointer<TokenManager> self(this);
    const auto finish = [self, generation, answered](bool succeeded, const QString& accessToken,
                                                     const QString& refreshToken) {
        if (*answered || !self)
            return;
        *answered = true;
        self->finishRefresh(generation, succeeded, accessToken, refreshToken);
    };
    send(
        token,
        [finish](const QString& accessToken, const QString& refreshToken) {
            finish(true, accessToken, refreshToken);
        },
        [finish]() { finish(false, {}, {}); });
}

void TokenManager::finishRefresh(quint64 generation, bool succeeded, const QString& accessToken,
                                 const QString& refreshToken)
{
    {
        QMutexLocker lock(&m_mutex);
        // A sign-out or a new sign-in came first: this outcome is stale and its callers were
        // already answered. A rejection marked just before it is this refresh's too, not that of
        // one started since.
        if (generation != m_generation) {
            if (!succeeded)
                m_refreshRejected = false;
            return;
        }
    }
    // Without an access token nothing was obtained; without a new refresh token the server
    // keeps the old one valid (RFC 6749, 6).
    const bool obtained = succeeded && !accessToken.isEmpty();
    if (obtained) {
        m_accessToken = accessToken;
        if (!refreshToken.isEmpty())
            m_refreshToken = refreshToken;
        m_store->write(accessTokenKey, m_accessToken);
        if (!refreshToken.isEmpty())
            m_store->write(refreshTokenKey, m_refreshToken);
    }
    bool ended = false;
    {
        QMutexLocker lock(&m_mutex);
        m_refreshing = false;
        ended = !obtained && m_refreshRejected;
    }
    // A refused refresh token will never be accepted again: keeping it would only make every
    // later request fail the same way.
    if (ended) {
        m_accessToken.clear();
        m_refreshToken.clear();
        m_store->clear();
        Q_EMIT sessionEnded();
    }
    answerWaiting(obtained);
}

void TokenManager::answerWaiting(bool result)
{
    QList<std::function<void(bool)>> waiting;
    {
        QMutexLocker lock(&m_mutex);
        waiting.swap(m_pendingCallbacks);
    }
    for (const auto& callback : waiting)
        callback(result);
}

void TokenManager::storeTokens()
{
    m_store->write(accessTokenKey, m_accessToken);
    m_store->write(refreshTokenKey, m_refreshToken);
}

qint64 TokenManager::tokenExpiry(const QString& token)
{
    const auto payload = tokenPayload(token);
    if (!payload)
        return 0;
    const QJsonValue exp = payload->value(QStringLiteral("exp"));
    if (!exp.isDouble())
        return 0;
    const double seconds = exp.toDouble();
    // Whole seconds, read as 64 bits so that times past 2038 stay valid; beyond 2^53 a JSON
    // number no longer holds every whole second exactly.
    constexpr double largestExactSeconds = 9007199254740992.0;
    if (std::trunc(seconds) != seconds || seconds < -largestExactSeconds ||
        seconds > largestExactSeconds)
        return 0;
    return static_cast<qint64>(seconds);
}

OrvClaims TokenManager::decodeClaims(const QString& token)
{
    const auto payload = tokenPayload(token);
    if (!payload)
        return {};
    const QJsonObject orv =
        payload->value(QStringLiteral("custom")).toObject().value(QStringLiteral("orv")).toObject();
    if (orv.isEmpty())
        return {};
    return {orv.value(QStringLiteral("group_id")).toString(),
            orv.value(QStringLiteral("role")).toString()};
}

} // namespace OrvaAccount
