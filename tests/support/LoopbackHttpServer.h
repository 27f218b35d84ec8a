#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QUrlQuery>

#include <functional>
#include <utility>

class QTcpServer;
class QTcpSocket;

// A minimal HTTP/1.1 server on 127.0.0.1 for the in-process fakes: one request per connection,
// answered by the handler at once, later (held until releaseHeld()), never (stalled) or byte by
// byte (trickled). It records every request.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QString path;        // decoded where decoding keeps its meaning ("%2F" decoded too)
        QString encodedPath; // as sent, so a segment's encoded "/" can be told from a separator
        QUrlQuery query;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
        QJsonObject json() const;
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        QList<std::pair<QByteArray, QByteArray>> headers; // further header lines
        bool stall = false;                               // never answer
        bool hold = false;                                // answer on releaseHeld()
        // When above 0: the header at once, then the body one byte per this many milliseconds,
        // so the connection is never silent long enough for a stall timeout.
        int trickleMs = 0;
    };

    using Handler = std::function<Reply(const Request&)>;

    explicit LoopbackHttpServer(Handler handler, QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    quint16 port() const;
    QString origin() const; // "http://127.0.0.1:<port>"
    QList<Request> requests() const { return m_requests; }
    // Requests of the method whose path ends with the text.
    int count(const QByteArray& method, const QString& pathSuffix) const;
    // Sends the held replies to those of their clients still connected.
    void releaseHeld();

    static Reply json(int status, const QJsonObject& object);

private:
    void onReadyRead(QTcpSocket* socket);
    static void send(QTcpSocket* socket, const Reply& reply);

    Handler m_handler;
    QTcpServer* m_server;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<Request> m_requests;
    QList<std::function<void()>> m_held;
};
