#pragma once

#include "AuthState.h"
#include "Session.h"
#include "User.h"

#include <QObject>

#include <functional>

namespace OrvaAccount {

class ApiClient;
class TokenManager;

// The sign-in state of the service account: browser sign-in through a loopback callback,
// start-up from stored tokens, refresh on request, sign-out, and the calls about the signed-in
// user. All requests go through the authentication transport.
class AuthClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(OrvaAccount::AuthState state READ state NOTIFY stateChanged)
    Q_PROPERTY(bool isAuthenticated READ isAuthenticated NOTIFY stateChanged)

public:
    AuthClient(const QString& authBaseUrl, const QString& realmSlug, const QString& clientId,
               ApiClient* authApi, TokenManager* tokenManager, QObject* parent = nullptr);

    // Loads the stored tokens and settles the first state (after a refresh when only the refresh
    // token is usable). Stored tokens mean signed in unless the service rejects the refresh
    // token; being offline or meeting a time-out or a server fault keeps the session.
    void initialize();
    // Opens the realm's login page in the browser and waits for its redirect. When no browser
    // opens it, loginPageNotOpened says so and the wait goes on, for the page opened by hand.
    void login();
    // Ends every sign-in still waiting for its redirect, closing its listener; loginFailed then
    // says "Sign-in cancelled.". Nothing happens when none is waiting.
    void cancelLogin();
    // Signs out locally at once; the service is told without waiting for its answer.
    void logout();
    // Refreshes now; only the service's rejection of the refresh token signs out locally, as it
    // does for any refresh (the transports' included). callback may be empty.
    void refreshToken(std::function<void(bool)> callback);

    // The callback gets the new user, or the previous one when the request failed.
    void fetchCurrentUser(std::function<void(User)> callback);
    void updateProfile(const QString& displayName, std::function<void(User)> callback);
    void changePassword(const QString& currentPassword, const QString& newPassword,
                        std::function<void(bool)> callback);
    // The callback gets the sessions in the service's order, or an empty list on failure.
    void listSessions(std::function<void(QList<Session>)> callback);
    // As listSessions, with the reason of a failure in words (empty on success), so that a
    // failed list can be told from an empty one; a reply without the "sessions" array fails.
    // At most Limits::maxAccountSessions are read; leftOut counts those past the bound.
    void fetchSessions(std::function<void(QList<Session>, QString error, int leftOut)> callback);
    // callback, when given, gets the service's answer: success, or false and the reason. A
    // session without an id is never sent for: it fails at once with ApiClient::missingIdText.
    void revokeSession(const QString& sessionId,
                       std::function<void(bool ok, QString error)> callback = {});

    AuthState state() const { return m_state; }
    bool isAuthenticated() const { return m_state == AuthState::SignedIn; }
    User currentUser() const { return m_currentUser; }
    // Milliseconds a browser sign-in may take before it fails with "Sign-in timed out".
    void setLoginTimeout(int milliseconds) { m_loginTimeoutMs = milliseconds; }

Q_SIGNALS:
    void stateChanged(OrvaAccount::AuthState state);
    void loginSucceeded();
    void loginFailed(const QString& error);
    // No browser could be started for the login page at loginUrl; the sign-in still waits.
    void loginPageNotOpened(const QUrl& loginUrl);
    void logoutCompleted();

private:
    void handleCallback(const QUrl& url);
    void setState(AuthState state);
    // Reads a user reply into the current user and hands the caller the current user.
    std::function<void(bool, int, const QJsonObject&)>
    userReply(std::function<void(User)> callback);
    // Forgets the tokens and the user, and announces the sign-out.
    void forgetSession();
    // As forgetSession, once the tokens are gone already.
    void endSession();

    QString m_authBaseUrl;
    QString m_realmSlug;
    QString m_clientId;
    ApiClient* m_authApi;
    TokenManager* m_tokenManager;
    AuthState m_state = AuthState::Initial;
    User m_currentUser;
    int m_loginTimeoutMs;
};

} // namespace OrvaAccount
