#include "FakeUpdateFeed.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

FakeUpdateFeed::FakeUpdateFeed(QObject* parent) : QObject(parent), m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this]() {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket]() { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString FakeUpdateFeed::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/calendar/stable/").arg(m_server->serverPort());
}

void FakeUpdateFeed::setFile(const QString& path, const QByteArray& body, int status)
{
    m_files.insert(path, {body, status});
}

void FakeUpdateFeed::onReadyRead(QTcpSocket* socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = line.size() > 1 ? QString::fromUtf8(line.at(1)) : QString();
    m_requested.append(path);
    if (m_stalled.contains(path))
        return;
    const auto it = m_files.constFind(path);
    const File file = it == m_files.constEnd() ? File{"not found", 404} : *it;
    socket->write("HTTP/1.1 " + QByteArray::number(file.status) +
                  " X\r\nContent-Length: " + QByteArray::number(file.body.size()) +
                  "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n" +
                  file.body);
    socket->disconnectFromHost();
}
