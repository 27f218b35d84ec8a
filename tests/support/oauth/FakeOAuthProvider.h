#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QObject>
#include <QSet>

// A stand-in for Google's and Microsoft's sign-in services on 127.0.0.1: an authorisation
// endpoint that approves (or denies) at once by redirecting to the redirect URI, and a token
// endpoint that checks the code, the PKCE verifier and the redirect URI before it issues tokens,
// and refreshes tokens it issued. Each reply can be replaced by a failure.
class FakeOAuthProvider : public QObject
{
    Q_OBJECT

public:
    // What the token endpoint answers to the next requests.
    enum class TokenMode {
        Issue,          // tokens with an id token naming `email` and `name`
        NoRefreshToken, // an access token only
        NoAccessToken,  // a refresh token only
        Rejected,       // HTTP 400 with an OAuth error body
        Stall,          // never answers
        RotateRefresh,  // refresh grants also issue a new refresh token
    };

    explicit FakeOAuthProvider(QObject* parent = nullptr);

    QString origin() const { return m_http->origin(); }
    // Points GOOGLE_AUTH_URL, GOOGLE_TOKEN_URL and MICROSOFT_AUTHORITY_URL at this server and
    // sets a client id and secret.
    void exportEnvironment() const;

    void setTokenMode(TokenMode mode) { m_tokenMode = mode; }
    // The token endpoint answers every request with this status and body instead, until set
    // back with status 0.
    void setTokenFailure(int status, const QByteArray& body)
    {
        m_failureStatus = status;
        m_failureBody = body;
    }
    // While on, token replies wait for releaseTokenReplies() (a token request still out).
    void setHoldTokenReplies(bool hold) { m_holdTokens = hold; }
    void releaseTokenReplies() { m_http->releaseHeld(); }
    // The next authorisation redirects with error=access_denied (and a description).
    void setDenyNext(bool deny) { m_deny = deny; }
    void setIdentity(const QString& email, const QString& name);
    // The body of a Rejected token reply.
    static QByteArray rejectedBody();

    // A refresh token this server accepts, as if issued by an earlier sign-in.
    QString issueRefreshToken();

    int tokenRequests() const;
    QList<LoopbackHttpServer::Request> requests() const { return m_http->requests(); }
    QString lastAccessToken() const { return m_lastAccessToken; }

private:
    LoopbackHttpServer::Reply authorize(const LoopbackHttpServer::Request& request);
    LoopbackHttpServer::Reply token(const LoopbackHttpServer::Request& request);
    LoopbackHttpServer::Reply issue(bool withRefreshToken);
    QString idToken() const;

    LoopbackHttpServer* m_http;
    TokenMode m_tokenMode = TokenMode::Issue;
    int m_failureStatus = 0;
    QByteArray m_failureBody;
    bool m_deny = false;
    bool m_holdTokens = false;
    QString m_email = QStringLiteral("ada@example.com");
    QString m_name = QStringLiteral("Ada Lovelace");
    // Code -> (challenge, redirect URI) of the authorisation that issued it.
    QHash<QString, std::pair<QString, QString>> m_codes;
    QSet<QString> m_refreshTokens;
    QString m_lastAccessToken;
    int m_serial = 0;
};
