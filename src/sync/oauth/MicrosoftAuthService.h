#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QObject>
#include <QString>

class OAuthFlow;

namespace Microsoft {

// The account a browser sign-in reached, with its first tokens.
struct SignInResult
{
    QString email;
    QString displayName;
    QString accessToken;
    QString refreshToken;
    QString idToken;
    QDateTime expiresAt; // UTC
};

// The tokens kept for one Microsoft account.
struct TokenSet
{
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt; // invalid when unknown
};

// Signs a Microsoft account (work, school or personal) in through the system browser (authorisation
// code with PKCE, redirect to a loopback listener on 127.0.0.1), refreshes access tokens, and keeps
// each account's tokens in the credential store under "microsoft-tokens-<account id>". One instance
// per sign-in or refresh, owned by the caller; a sign-in reports exactly once.
class AuthService : public QObject
{
    Q_OBJECT

public:
    explicit AuthService(QObject* parent = nullptr);
    ~AuthService() override;

    // Opens the browser and waits for the redirect; the outcome comes by signInSucceeded or
    // signInFailed. There is no time limit: the caller's cancel ends the wait.
    void startSignIn();
    // Ends a running sign-in with "Sign-in cancelled."; nothing after it ends.
    void cancelSignIn();
    // Posts the refresh grant; the outcome comes by refreshSucceeded or refreshFailed. When to
    // refresh is the caller's decision.
    void refresh(const QString& refreshToken);

    // How long a token request may take before it fails (tests shorten it).
    void setTransferTimeout(int milliseconds);

    // The stored tokens, or empty ones (invalid expiry) when there are none or they cannot be
    // read.
    static TokenSet loadTokens(const QString& accountId);
    // Stores (replaces) the account's tokens; false when the credential store refused them.
    static bool saveTokens(const QString& accountId, const TokenSet& tokens);

Q_SIGNALS:
    void signInSucceeded(const Microsoft::SignInResult& result);
    void signInFailed(const QString& reason);
    void refreshSucceeded(const QString& accessToken, const QDateTime& expiresAt,
                          const QString& maybeRotatedRefreshToken);
    // `refused`: the provider refused the refresh token itself (revoked or expired), so only a
    // new sign-in helps; otherwise the failure may pass.
    void refreshFailed(const QString& reason, bool refused);

private:
    OAuthFlow* m_flow;
};

} // namespace Microsoft

Q_DECLARE_METATYPE(Microsoft::SignInResult)
