#include "LoopbackHttpServer.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

QJsonObject LoopbackHttpServer::Request::json() const
{
    return QJsonDocument::fromJson(body).object();
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this]() {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket]() { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackHttpServer::origin() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

int LoopbackHttpServer::count(const QByteArray& method, const QString& pathSuffix) const
{
    int total = 0;
    for (const Request& request : m_requests) {
        if (request.method == method && request.path.endsWith(pathSuffix)) {
            ++total;
        }
    }
    return total;
}

void LoopbackHttpServer::releaseHeld()
{
    const auto held = std::exchange(m_held, {});
    for (const auto& answer : held) {
        answer();
    }
}

LoopbackHttpServer::Reply LoopbackHttpServer::json(int status, const QJsonObject& object)
{
    Reply reply;
    reply.status = status;
    reply.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        return;
    }
    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    const QUrl target(QString::fromLatin1(requestLine.value(1)));
    request.path = target.path();
    request.encodedPath = target.path(QUrl::FullyEncoded);
    request.query = QUrlQuery(target);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0) {
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                   lines.at(i).mid(colon + 1).trimmed());
        }
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length) {
        return;
    }
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.clear();
    m_requests.append(request);
    const Reply reply = m_handler(request);
    if (reply.hold) {
        m_held.append([guarded = QPointer<QTcpSocket>(socket), reply]() {
            if (guarded) {
                send(guarded, reply);
            }
        });
    } else if (!reply.stall) {
        send(socket, reply);
    }
}

void LoopbackHttpServer::send(QTcpSocket* socket, const Reply& reply)
{
    static const QHash<int, QByteArray> reasons{{200, "OK"},           {204, "No Content"},
                                                {302, "Found"},        {400, "Bad Request"},
                                                {401, "Unauthorized"}, {404, "Not Found"}};
    QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                          reasons.value(reply.status, "Status") + "\r\n";
    for (const auto& [name, value] : reply.headers) {
        response += name + ": " + value + "\r\n";
    }
    response += "Content-Type: " + reply.contentType +
                "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                "\r\nConnection: close\r\n\r\n";
    if (reply.trickleMs > 0) {
        socket->write(response);
        // Ends by itself with the body, or with the socket when the client gives up.
        auto* timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = reply.body] {
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(body.mid((*sent)++, 1));
        });
        timer->start(reply.trickleMs);
        return;
    }
    response += reply.body;
    socket->write(response);
    socket->flush();
    socket->disconnectFromHost();
}
