#include "WebAuthHandler.h"

#include "Limits.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <array>

namespace OrvaAccount {

namespace {

const QByteArray answerPage =
    "HTTP/1.1 200 OK\r\n"
    "Content-Type: text/html\r\n"
    "Connection: close\r\n"
    "\r\n"
    "<html><body style=\"font-family: sans-serif; text-align: center; padding: 40px;\">"
    "<h2>Authentication complete!</h2>"
    "<p>You can close this tab and return to the application.</p></body></html>";

const QByteArray notFound =
    "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
const QByteArray badRequest =
    "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";

QString randomState()
{
    std::array<quint32, 8> words;
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()),
                           static_cast<qsizetype>(sizeof(words)));
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

// Equal texts compared in time independent of where they first differ.
bool sameSecret(const QString& left, const QString& right)
{
    if (left.size() != right.size())
        return false;
    char16_t difference = 0;
    for (qsizetype i = 0; i < left.size(); ++i)
        difference |= left.at(i).unicode() ^ right.at(i).unicode();
    return difference == 0;
}

} // namespace

WebAuthHandler::WebAuthHandler(QObject* parent)
    : QObject(parent), m_server(new QTcpServer(this)), m_timeout(new QTimer(this)),
      m_state(randomState())
{
    m_timeout->setSingleShot(true);
    connect(m_server, &QTcpServer::newConnection, this, &WebAuthHandler::onNewConnection);
    connect(m_timeout, &QTimer::timeout, this, [this]() {
        stopListening();
        Q_EMIT timedOut();
    });
}

WebAuthHandler::~WebAuthHandler()
{
    if (m_server->isListening())
        m_server->close();
}

QString WebAuthHandler::start()
{
    if (!m_server->isListening()) {
        if (!m_server->listen(QHostAddress::LocalHost, preferredPort) &&
            !m_server->listen(QHostAddress::LocalHost, 0))
            return {};
        m_port = m_server->serverPort();
        m_timeout->start(m_timeoutMs);
    }
    return redirectUri();
}

QString WebAuthHandler::redirectUri() const
{
    return QStringLiteral("http://localhost:%1/callback").arg(m_port);
}

bool WebAuthHandler::isListening() const
{
    return m_server->isListening();
}

void WebAuthHandler::onNewConnection()
{
    QTcpSocket* socket = m_server->nextPendingConnection();
    if (!socket)
        return;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { onReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void WebAuthHandler::onReadyRead(QTcpSocket* socket)
{
    if (!m_server->isListening()) {
        socket->abort();
        return;
    }
    // Only the request line matters; wait for it whole, but not beyond the limit.
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > Limits::maxLoopbackRequestBytes)
            answerAndClose(socket, badRequest);
        return;
    }
    const QByteArray requestLine = socket->readLine(Limits::maxLoopbackRequestBytes).trimmed();
    const QList<QByteArray> parts = requestLine.split(' ');
    if (parts.size() < 2 || parts.at(0) != "GET" || !parts.at(1).startsWith('/')) {
        answerAndClose(socket, notFound);
        return;
    }
    const QUrl url(QStringLiteral("http://localhost:%1").arg(m_port) +
                   QString::fromUtf8(parts.at(1)));
    if (!url.isValid() || url.path() != QLatin1String("/callback")) {
        answerAndClose(socket, notFound);
        return;
    }
    const QString echoed =
        QUrlQuery(url).queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
    if (!sameSecret(echoed, m_state)) {
        // Never log the URL: it may carry tokens.
        qWarning("[Account] sign-in callback with a missing or wrong state rejected");
        answerAndClose(socket, badRequest);
        return;
    }
    answerAndClose(socket, answerPage);
    stopListening();
    Q_EMIT callbackReceived(url);
}

void WebAuthHandler::answerAndClose(QTcpSocket* socket, const QByteArray& response)
{
    // One answer per connection: the rest of the request (its headers) is not read as another.
    disconnect(socket, nullptr, this, nullptr);
    socket->write(response);
    socket->flush();
    socket->disconnectFromHost();
}

void WebAuthHandler::stopListening()
{
    m_timeout->stop();
    if (m_server->isListening())
        m_server->close();
}

} // namespace OrvaAccount
