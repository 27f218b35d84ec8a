#pragma once

#include "OAuthProtocol.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QTcpServer;
class QTcpSocket;

// The network side shared by the Google and Microsoft sign-in services: the loopback listener
// that receives the browser's redirect, the code exchange and the refresh grant. The services
// own one each and give it their provider and their translated texts. One sign-in per object;
// the outcome of a sign-in is reported exactly once (the first of success, failure or cancel).
class OAuthFlow : public QObject
{
    Q_OBJECT

public:
    // The texts of the owning service, already translated in its context.
    struct Texts
    {
        QString credentialsMissing;        // sign-in without the build's client credentials
        QString listenerFailed;            // %1: the listener's error
        QString browserFailed;             // the system browser did not open
        QString cancelled;                 // the user cancelled
        QString denied;                    // %1: the provider's error detail
        QString noCode;                    // redirect with the right state but no code
        QString exchangeFailed;            // %1: HTTP status, %2: its first line
        QString noAccessToken;             // token reply without an access token
        QString noRefreshToken;            // token reply without a refresh token
        QString timedOut;                  // the token endpoint did not answer in time
        QString refreshCredentialsMissing; // refresh without the build's client credentials
        QString refreshFailed;             // %1: HTTP status, %2: its first line
        QString refreshNoAccessToken;      // refresh reply without an access token
    };

    // A token request that has not finished after this long fails: the token endpoints answer in
    // well under a second, and a sign-in or sync must not wait for ever on a silent server.
    static constexpr int defaultTimeoutMs = 60 * 1000;

    OAuthFlow(OAuthProtocol::Provider provider, const Texts& texts, QObject* parent = nullptr);
    ~OAuthFlow() override;

    void startSignIn();
    void cancelSignIn();
    void refresh(const QString& refreshToken);

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // The listener's redirect URI ("http://127.0.0.1:<port>"); empty before startSignIn.
    QString redirectUri() const { return m_redirectUri; }

Q_SIGNALS:
    void signInSucceeded(const OAuthProtocol::TokenReply& reply, const QDateTime& expiresAt);
    void signInFailed(const QString& reason);
    void refreshSucceeded(const QString& accessToken, const QDateTime& expiresAt,
                          const QString& maybeRotatedRefreshToken);
    // `refused`: the provider refused the refresh token itself (OAuthProtocol::refusesGrant).
    void refreshFailed(const QString& reason, bool refused);

private:
    bool credentialsConfigured() const;
    QString clientId() const;
    QString clientSecret() const;
    QString tokenUrl() const;
    QNetworkReply* postForm(const OAuthProtocol::Fields& fields);
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& page);
    void exchangeCode(const QString& code);
    void onTokenExchangeFinished(QNetworkReply* reply);
    void onRefreshFinished(QNetworkReply* reply);
    void closeListener();
    void finishFailed(const QString& reason);

    OAuthProtocol::Provider m_provider;
    Texts m_texts;
    QNetworkAccessManager* m_network;
    QPointer<QTcpServer> m_server;
    QPointer<QNetworkReply> m_exchange;
    QHash<QTcpSocket*, QByteArray> m_received;
    QString m_codeVerifier;
    QString m_state;
    QString m_redirectUri;
    bool m_finished = false;
    int m_timeoutMs = defaultTimeoutMs;
};
