#include "OAuthFlow.h"

#include "Clock.h"
#include "Limits.h"
#include "OAuthEndpoints.h"
#include "Platform.h"
#include "ShownText.h"

#include <QDebug>
#include <QDesktopServices>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

using OAuthProtocol::Provider;

namespace {

const QByteArray successPage =
    "HTTP/1.1 200 OK\r\n"
    "Content-Type: text/html; charset=utf-8\r\n"
    "Connection: close\r\n"
    "\r\n"
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orvandellic Calendar</title>"
    "<style>html,body{height:100%;margin:0}"
    "body{background:#1a1a1a;color:#eee;font-family:system-ui,-apple-system,'Segoe UI',"
    "sans-serif;display:flex;align-items:center;justify-content:center}"
    "main{text-align:center}h1{font-weight:500}p{opacity:0.7}</style></head>"
    "<body><main><h1>Sign-in complete</h1>"
    "<p>You can close this tab and return to Orvandellic Calendar.</p></main>"
    "<script>window.addEventListener('load',function(){setTimeout(function(){window.close();},"
    "800);});</script></body></html>";

const QByteArray failurePage =
    "HTTP/1.1 400 Bad Request\r\n"
    "Content-Type: text/html; charset=utf-8\r\n"
    "Connection: close\r\n"
    "\r\n"
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Sign-in failed</title></head>"
    "<body style=\"font-family:sans-serif;text-align:center;padding:40px\">"
    "<h1>Sign-in failed</h1><p>Return to Orvandellic Calendar for details.</p></body></html>";

// A token reply is a few kilobytes; anything far larger is not one.
constexpr qint64 maxTokenReplyBytes = 1024 * 1024;

const char* providerTag(Provider provider)
{
    return provider == Provider::Google ? "[Google]" : "[Microsoft]";
}

} // namespace

OAuthFlow::OAuthFlow(Provider provider, const Texts& texts, QObject* parent)
    : QObject(parent), m_provider(provider), m_texts(texts),
      m_network(new QNetworkAccessManager(this))
{
}

OAuthFlow::~OAuthFlow() = default;

bool OAuthFlow::credentialsConfigured() const
{
    return m_provider == Provider::Google ? Platform::hasBuiltInClientCredentials()
                                          : Platform::hasBuiltInClientId();
}

QString OAuthFlow::clientId() const
{
    return Platform::defaultOAuthClientId();
}

QString OAuthFlow::clientSecret() const
{
    return m_provider == Provider::Google ? Platform::defaultOAuthClientSecret() : QString();
}

QString OAuthFlow::tokenUrl() const
{
    return m_provider == Provider::Google ? OAuthEndpoints::googleTokenUrl()
                                          : OAuthEndpoints::microsoftTokenUrl();
}

void OAuthFlow::startSignIn()
{
    if (m_finished || m_server)
        return;
    if (!credentialsConfigured()) {
        finishFailed(m_texts.credentialsMissing);
        return;
    }
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress(QHostAddress::LocalHost), 0)) {
        finishFailed(m_texts.listenerFailed.arg(m_server->errorString()));
        return;
    }
    connect(m_server, &QTcpServer::newConnection, this, &OAuthFlow::onNewConnection);
    m_redirectUri = QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
    m_codeVerifier = OAuthProtocol::randomUrlSafeToken(64);
    m_state = OAuthProtocol::randomUrlSafeToken(16);

    QUrl url(m_provider == Provider::Google ? OAuthEndpoints::googleAuthorizationUrl()
                                            : OAuthEndpoints::microsoftAuthorizationUrl());
    QUrlQuery query;
    for (const auto& [name, value] :
         OAuthProtocol::authorizationQuery(m_provider, clientId(), m_redirectUri,
                                           OAuthProtocol::pkceChallenge(m_codeVerifier), m_state))
        query.addQueryItem(QString::fromLatin1(QUrl::toPercentEncoding(name)),
                           QString::fromLatin1(QUrl::toPercentEncoding(value)));
    url.setQuery(query);
    if (!QDesktopServices::openUrl(url))
        finishFailed(m_texts.browserFailed);
}

void OAuthFlow::cancelSignIn()
{
    finishFailed(m_texts.cancelled);
}

void OAuthFlow::onNewConnection()
{
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* socket = m_server->nextPendingConnection();
        m_received.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_received.remove(socket);
            socket->deleteLater();
        });
    }
}

void OAuthFlow::onReadyRead(QTcpSocket* socket)
{
    // A browser may send its request in several fragments: judge it only once the head is whole.
    QByteArray& received = m_received[socket];
    received += socket->readAll();
    if (m_finished || !m_server || !m_server->isListening()) {
        answer(socket, failurePage);
        return;
    }
    const OAuthProtocol::CallbackDecision decision = OAuthProtocol::judgeCallback(
        m_provider, received, m_state, Limits::maxLoopbackRequestBytes);
    switch (decision.verdict) {
    case OAuthProtocol::Verdict::Incomplete:
        return;
    case OAuthProtocol::Verdict::Reject:
        // Never log the request: it may carry a code.
        qWarning() << providerTag(m_provider)
                   << "sign-in callback without the expected state turned away";
        answer(socket, failurePage);
        return;
    case OAuthProtocol::Verdict::Denied:
        answer(socket, failurePage);
        finishFailed(m_texts.denied.arg(decision.detail));
        return;
    case OAuthProtocol::Verdict::NoCode:
        answer(socket, failurePage);
        finishFailed(m_texts.noCode);
        return;
    case OAuthProtocol::Verdict::Accept:
        answer(socket, successPage);
        closeListener();
        exchangeCode(decision.code);
        return;
    }
}

void OAuthFlow::answer(QTcpSocket* socket, const QByteArray& page)
{
    // One answer per connection; whatever else it sends is not read.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    m_received.remove(socket);
    socket->write(page);
    socket->disconnectFromHost();
}

QNetworkReply* OAuthFlow::postForm(const OAuthProtocol::Fields& fields)
{
    QNetworkRequest request{QUrl(tokenUrl())};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_network->post(request, OAuthProtocol::formBody(fields));
    // The transfer timeout ends a silent endpoint; this ends one that trickles.
    QTimer::singleShot(m_timeoutMs, reply, [reply] {
        reply->setProperty("timedOut", true);
        reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > maxTokenReplyBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
    return reply;
}

void OAuthFlow::exchangeCode(const QString& code)
{
    m_exchange = postForm(OAuthProtocol::exchangeForm(m_provider, clientId(), clientSecret(), code,
                                                      m_codeVerifier, m_redirectUri));
    QNetworkReply* reply = m_exchange;
    connect(reply, &QNetworkReply::finished, this,
            [this, reply] { onTokenExchangeFinished(reply); });
}

namespace {

bool timedOut(QNetworkReply* reply)
{
    if (reply->property("tooLarge").toBool())
        return false;
    return reply->property("timedOut").toBool() ||
           reply->error() == QNetworkReply::OperationCanceledError ||
           reply->error() == QNetworkReply::TimeoutError;
}

// The first line of the reply body, or the network's own error text when there is no HTTP reply
// at all.
QString failureDetail(QNetworkReply* reply, const QByteArray& body, int status)
{
    if (status == 0 && body.isEmpty())
        return reply->errorString();
    return ShownText::replyLine(body);
}

} // namespace

void OAuthFlow::onTokenExchangeFinished(QNetworkReply* reply)
{
    const QByteArray body = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->deleteLater();
    if (m_finished)
        return;
    if (status == 0 && timedOut(reply)) {
        finishFailed(m_texts.timedOut);
        return;
    }
    if (status < 200 || status > 299) {
        finishFailed(m_texts.exchangeFailed.arg(QString::number(status),
                                                failureDetail(reply, body, status)));
        return;
    }
    const OAuthProtocol::TokenReply tokens = OAuthProtocol::parseTokenReply(body);
    if (tokens.accessToken.isEmpty()) {
        finishFailed(m_texts.noAccessToken);
        return;
    }
    if (tokens.refreshToken.isEmpty()) {
        finishFailed(m_texts.noRefreshToken);
        return;
    }
    m_finished = true;
    closeListener();
    Q_EMIT signInSucceeded(tokens, Clock::now().toUTC().addSecs(tokens.expiresInSeconds));
}

void OAuthFlow::refresh(const QString& refreshToken)
{
    if (!credentialsConfigured()) {
        // Reported on the next turn, like every other outcome, so callers see the call return.
        QTimer::singleShot(
            0, this, [this] { Q_EMIT refreshFailed(m_texts.refreshCredentialsMissing, false); });
        return;
    }
    QNetworkReply* reply =
        postForm(OAuthProtocol::refreshForm(m_provider, clientId(), clientSecret(), refreshToken));
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onRefreshFinished(reply); });
}

void OAuthFlow::onRefreshFinished(QNetworkReply* reply)
{
    const QByteArray body = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->deleteLater();
    if (status == 0 && timedOut(reply)) {
        Q_EMIT refreshFailed(m_texts.timedOut, false);
        return;
    }
    if (status < 200 || status > 299) {
        Q_EMIT refreshFailed(
            m_texts.refreshFailed.arg(QString::number(status), failureDetail(reply, body, status)),
            OAuthProtocol::refusesGrant(status, body));
        return;
    }
    const OAuthProtocol::TokenReply tokens = OAuthProtocol::parseTokenReply(body);
    if (tokens.accessToken.isEmpty()) {
        Q_EMIT refreshFailed(m_texts.refreshNoAccessToken, false);
        return;
    }
    Q_EMIT refreshSucceeded(tokens.accessToken,
                            Clock::now().toUTC().addSecs(tokens.expiresInSeconds),
                            tokens.refreshToken);
}

void OAuthFlow::closeListener()
{
    if (m_server)
        m_server->close();
}

void OAuthFlow::finishFailed(const QString& reason)
{
    if (m_finished)
        return;
    m_finished = true;
    closeListener();
    if (m_exchange)
        m_exchange->abort();
    qWarning().noquote() << providerTag(m_provider) << "sign-in ended:" << reason;
    Q_EMIT signInFailed(reason);
}
