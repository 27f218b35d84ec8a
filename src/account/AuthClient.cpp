#include "AuthClient.h"

#include "ApiClient.h"
#include "TokenManager.h"
#include "WebAuthHandler.h"

#include <QDesktopServices>
#include <QPointer>
#include <QUrlQuery>

namespace OrvaAccount {

namespace {

// The service refused the refresh token itself (revoked, expired, unknown). The refresh carries
// no bearer token, so a 401 can refuse nothing else, whatever its body says; a 400 does when it
// says so as OAuth reports it, with "invalid_grant" or "invalid_token". Anything else may pass.
bool isRefreshTokenRejection(int status, const QJsonObject& json)
{
    if (status == 401)
        return true;
    const QString error = json.value(QStringLiteral("error")).toString();
    return status == 400 &&
           (error == QLatin1String("invalid_grant") || error == QLatin1String("invalid_token"));
}

} // namespace

AuthClient::AuthClient(const QString& authBaseUrl, const QString& realmSlug,
                       const QString& clientId, ApiClient* authApi, TokenManager* tokenManager,
                       QObject* parent)
    : QObject(parent), m_authBaseUrl(authBaseUrl), m_realmSlug(realmSlug), m_clientId(clientId),
      m_authApi(authApi), m_tokenManager(tokenManager),
      m_loginTimeoutMs(WebAuthHandler::defaultTimeoutMs)
{
    QPointer<ApiClient> api(authApi);
    QPointer<TokenManager> tokens(tokenManager);
    m_tokenManager->setRefreshCallback([api, tokens](const QString& refreshToken,
                                                     TokenManager::SuccessContinuation onSuccess,
                                                     TokenManager::FailureContinuation onFailure) {
        if (!api) {
            onFailure();
            return;
        }
        api->postPublic(
            QStringLiteral("/auth/token/refresh"),
            QJsonObject{{QStringLiteral("refresh_token"), refreshToken}},
            [onSuccess, onFailure, tokens](bool ok, int status, const QJsonObject& json) {
                const QString access = json.value(QStringLiteral("access_token")).toString();
                // A success without an access token obtained nothing.
                if (!ok || access.isEmpty()) {
                    if (tokens) {
                        tokens->noteRefreshFailure(ApiClient::failureText(status, json));
                        if (isRefreshTokenRejection(status, json))
                            tokens->markRefreshRejected();
                    }
                    onFailure();
                    return;
                }
                onSuccess(access, json.value(QStringLiteral("refresh_token")).toString());
            });
    });
    // Whichever request asked for the refresh, a refused refresh token ends the session.
    connect(m_tokenManager, &TokenManager::sessionEnded, this, &AuthClient::endSession);
}

void AuthClient::initialize()
{
    m_tokenManager->loadTokens();
    if (!m_tokenManager->validAccessToken().isEmpty()) {
        setState(AuthState::SignedIn);
        return;
    }
    if (!m_tokenManager->refreshToken().isEmpty()) {
        QPointer<AuthClient> self(this);
        m_tokenManager->refresh([self](bool refreshed) {
            if (!self)
                return;
            // Offline, a time-out or a server fault keeps the session: the refresh is tried
            // again on the next request. Only a rejected refresh token ends it, and that has
            // signed out already.
            if (refreshed || !self->m_tokenManager->lastRefreshRejected())
                self->setState(AuthState::SignedIn);
        });
        return;
    }
    setState(AuthState::SignedOut);
}

void AuthClient::login()
{
    auto* handler = new WebAuthHandler(this);
    handler->setTimeout(m_loginTimeoutMs);
    const QString redirectUri = handler->start();
    if (redirectUri.isEmpty()) {
        Q_EMIT loginFailed(QStringLiteral("Failed to start local auth server"));
        handler->deleteLater();
        return;
    }
    connect(handler, &WebAuthHandler::callbackReceived, this, [this, handler](const QUrl& url) {
        handleCallback(url);
        handler->deleteLater();
    });
    connect(handler, &WebAuthHandler::timedOut, this, [this, handler]() {
        Q_EMIT loginFailed(QStringLiteral("Sign-in timed out"));
        handler->deleteLater();
    });
    const QString loginUrl =
        QStringLiteral("%1/%2/account/login?client_id=%3&redirect_uri=%4&state=%5")
            .arg(m_authBaseUrl, m_realmSlug, m_clientId,
                 QString::fromLatin1(QUrl::toPercentEncoding(redirectUri)),
                 QString::fromLatin1(QUrl::toPercentEncoding(handler->state())));
    if (!QDesktopServices::openUrl(QUrl(loginUrl))) {
        // The listener goes on waiting: the page opened by hand still completes the sign-in.
        qWarning("[Account] no browser opened the sign-in page");
        Q_EMIT loginPageNotOpened(QUrl(loginUrl));
    }
}

void AuthClient::cancelLogin()
{
    bool waiting = false;
    for (WebAuthHandler* handler : findChildren<WebAuthHandler*>(Qt::FindDirectChildrenOnly)) {
        waiting = waiting || handler->isListening();
        // At once, not later: the port must be closed when the person is told it is.
        delete handler;
    }
    if (waiting)
        Q_EMIT loginFailed(QStringLiteral("Sign-in cancelled."));
}

void AuthClient::handleCallback(const QUrl& url)
{
    const QUrlQuery fragment(url.fragment(QUrl::FullyEncoded));
    QString accessToken =
        fragment.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
    QString refreshToken =
        fragment.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    if (accessToken.isEmpty()) {
        const QUrlQuery query(url);
        accessToken = query.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
        refreshToken = query.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    }
    if (accessToken.isEmpty() || refreshToken.isEmpty()) {
        Q_EMIT loginFailed(QStringLiteral("No tokens received"));
        return;
    }
    m_tokenManager->setTokens(accessToken, refreshToken);
    setState(AuthState::SignedIn);
    Q_EMIT loginSucceeded();
}

void AuthClient::logout()
{
    // Only a usable token can end the session at the service. Without one, sending would start a
    // refresh whose tokens the sign-out below discards anyway.
    if (!m_tokenManager->validAccessToken().isEmpty())
        m_authApi->post(QStringLiteral("/auth/logout"), {}, {});
    forgetSession();
    Q_EMIT logoutCompleted();
}

void AuthClient::refreshToken(std::function<void(bool)> callback)
{
    // A rejected refresh token has signed out (sessionEnded) before the callback runs.
    m_tokenManager->refresh([callback](bool refreshed) {
        if (callback)
            callback(refreshed);
    });
}

void AuthClient::fetchCurrentUser(std::function<void(User)> callback)
{
    m_authApi->get(QStringLiteral("/users/me"), userReply(std::move(callback)));
}

void AuthClient::updateProfile(const QString& displayName, std::function<void(User)> callback)
{
    m_authApi->patch(QStringLiteral("/users/me"),
                     QJsonObject{{QStringLiteral("display_name"), displayName}},
                     userReply(std::move(callback)));
}

std::function<void(bool, int, const QJsonObject&)>
AuthClient::userReply(std::function<void(User)> callback)
{
    QPointer<AuthClient> self(this);
    return [self, callback](bool ok, int, const QJsonObject& json) {
        if (!self)
            return;
        if (ok)
            self->m_currentUser = User::fromJson(json);
        if (callback)
            callback(self->m_currentUser);
    };
}

void AuthClient::forgetSession()
{
    m_tokenManager->clearTokens();
    endSession();
}

void AuthClient::endSession()
{
    m_currentUser = User();
    setState(AuthState::SignedOut);
}

void AuthClient::changePassword(const QString& currentPassword, const QString& newPassword,
                                std::function<void(bool)> callback)
{
    m_authApi->post(QStringLiteral("/users/me/password"),
                    QJsonObject{{QStringLiteral("current_password"), currentPassword},
                                {QStringLiteral("new_password"), newPassword}},
                    [callback](bool ok, int, const QJsonObject&) {
                        if (callback)
                            callback(ok);
                    });
}

void AuthClient::listSessions(std::function<void(QList<Session>)> callback)
{
    fetchSessions([callback](const QList<Session>& sessions, const QString&, int) {
        if (callback)
            callback(sessions);
    });
}

void AuthClient::fetchSessions(std::function<void(QList<Session>, QString, int)> callback)
{
    m_authApi->get(QStringLiteral("/users/me/sessions"),
                   ApiClient::listReply<Session>(std::move(callback), QStringLiteral("sessions"),
                                                 Limits::maxAccountSessions));
}

void AuthClient::revokeSession(const QString& sessionId,
                               std::function<void(bool, QString)> callback)
{
    if (sessionId.isEmpty()) {
        if (callback)
            callback(false, ApiClient::missingIdText());
        return;
    }
    m_authApi->del(QStringLiteral("/users/me/sessions/") + ApiClient::pathSegment(sessionId),
                   [callback](bool ok, int status, const QJsonObject& json) {
                       if (callback)
                           callback(ok, ok ? QString() : ApiClient::failureText(status, json));
                   });
}

void AuthClient::setState(AuthState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

} // namespace OrvaAccount
