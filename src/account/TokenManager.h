#pragma once

#include "OrvClaims.h"
#include "TokenStore.h"

#include <QList>
#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>

namespace OrvaAccount {

// Holds the service's access and refresh tokens, keeps them in the token store, judges from the
// access token's "exp" whether it is usable, and runs at most one refresh at a time: callers that
// ask while one is in flight are queued and answered with its outcome.
class TokenManager : public QObject
{
    Q_OBJECT

public:
    using SuccessContinuation =
        std::function<void(const QString& accessToken, const QString& refreshToken)>;
    using FailureContinuation = std::function<void()>;
    // Sends the refresh; must call exactly one continuation once (later calls are ignored).
    using RefreshCallback =
        std::function<void(const QString& refreshToken, SuccessContinuation, FailureContinuation)>;

    static inline const QString accessTokenKey = QStringLiteral("orvandellic_access_token");
    static inline const QString refreshTokenKey = QStringLiteral("orvandellic_refresh_token");
    // Seconds before "exp" from which an access token counts as expired.
    static constexpr int expiryMarginSeconds = 30;

    TokenManager(std::unique_ptr<TokenStore> store, QObject* parent = nullptr);

    void loadTokens();
    // A new sign-in: replaces both tokens in memory and in the store. A refresh in flight no
    // longer touches the tokens; its waiting callers learn whether the new token is usable.
    void setTokens(const QString& accessToken, const QString& refreshToken);
    // Sign-out: empties both tokens in memory and in the store. A refresh in flight is
    // abandoned: its waiting callers get false, and tokens it brings later are discarded.
    void clearTokens();

    // The access token while more than the margin of its life remains; otherwise empty.
    QString validAccessToken() const;
    QString refreshToken() const { return m_refreshToken; }
    // True when a refresh token is held and the access token is not usable.
    bool needsRefresh() const;

    void setRefreshCallback(RefreshCallback callback);
    // The refresh callback calls this before its failure continuation when the service
    // rejected the refresh token itself (not for a timeout, a network error or a 5xx). That
    // refresh then ends the session: both tokens are dropped from memory and the store and
    // sessionEnded is emitted, before the waiting callers get false.
    void markRefreshRejected();
    // True when the last refresh that ended failed because the service rejected the refresh
    // token; only then is the session over. Reset when a refresh starts.
    bool lastRefreshRejected() const;
    // The refresh callback calls this before its failure continuation with the failure in
    // words (a server fault, a page that is no answer), so that the requests that waited for
    // the refresh can tell it instead of a bare 401.
    void noteRefreshFailure(const QString& reason);
    // The words of the last failed refresh; empty when it gave none. Reset when a refresh starts.
    QString lastRefreshFailure() const;
    // Runs or joins a refresh; callback (may be empty) gets true when new tokens were obtained.
    void refresh(std::function<void(bool)> callback);

    // The "exp" claim in seconds since the epoch; 0 when it cannot be read.
    static qint64 tokenExpiry(const QString& token);
    // The "custom"/"orv" claims; a default record when they cannot be read.
    static OrvClaims decodeClaims(const QString& token);

Q_SIGNALS:
    // The service refused the refresh token; the tokens are gone and a new sign-in is needed.
    void sessionEnded();

private:
    // Ends the refresh of the given generation; outcomes of an abandoned refresh are dropped.
    void finishRefresh(quint64 generation, bool succeeded, const QString& accessToken,
                       const QString& refreshToken);
    // Empties the queue and answers every waiting caller with the result, outside the lock.
    void answerWaiting(bool result);
    void storeTokens();

    std::unique_ptr<TokenStore> m_store;
    QString m_accessToken;
    QString m_refreshToken;
    RefreshCallback m_refreshCallback;
    mutable QMutex m_mutex;
    bool m_refreshing = false;
    bool m_refreshRejected = false;
    QString m_lastRefreshFailure;
    quint64 m_generation = 0;
    QList<std::function<void(bool)>> m_pendingCallbacks;
};

} // namespace OrvaAccount
