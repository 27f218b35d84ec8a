#pragma once

#include <QObject>
#include <QUrl>

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace OrvaAccount {

// One-shot loopback listener for the browser sign-in. It listens on 127.0.0.1 only and accepts
// exactly one request: "GET /callback" whose "state" equals the random state of this handler.
// Anything else (a port probe, a favicon, a forged callback) is turned away while it goes on
// waiting, until the accepted request or the time-out.
class WebAuthHandler : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 preferredPort = 19876;
    static constexpr int defaultTimeoutMs = 5 * 60 * 1000;

    explicit WebAuthHandler(QObject* parent = nullptr);
    ~WebAuthHandler() override;

    // Starts listening and the time-out; the redirect URI, or empty when no port could be opened.
    QString start();
    // "http://localhost:<port>/callback".
    QString redirectUri() const;
    // True from start() until the accepted callback or the time-out.
    bool isListening() const;
    // The random value (256 bits, base64url) the login URL carries and the callback must echo.
    QString state() const { return m_state; }
    // Milliseconds from start() until the handler gives up; takes effect at the next start().
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

Q_SIGNALS:
    // The accepted callback, rebuilt as "http://localhost:<port><target>".
    void callbackReceived(const QUrl& url);
    // No accepted callback arrived in time; the listener is closed.
    void timedOut();

private Q_SLOTS:
    void onNewConnection();

private:
    void onReadyRead(QTcpSocket* socket);
    void answerAndClose(QTcpSocket* socket, const QByteArray& response);
    void stopListening();

    QTcpServer* m_server;
    QTimer* m_timeout;
    quint16 m_port = 0;
    QString m_state;
    int m_timeoutMs = defaultTimeoutMs;
};

} // namespace OrvaAccount
