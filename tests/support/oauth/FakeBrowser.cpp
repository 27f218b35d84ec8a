#include "FakeBrowser.h"

#include <QDesktopServices>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

FakeBrowser::FakeBrowser(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
}

FakeBrowser::~FakeBrowser()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

bool FakeBrowser::openUrl(const QUrl& url)
{
    m_opened.append(url);
    if (!m_follow)
        return true;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const QUrl redirect(QString::fromUtf8(reply->rawHeader("Location")));
        if (redirect.isValid())
            followRedirect(redirect);
    });
    return true;
}

QByteArray FakeBrowser::requestFor(const QUrl& target)
{
    return "GET " + target.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority) +
           " HTTP/1.1\r\nHost: " + target.authority().toLatin1() +
           "\r\nUser-Agent: Mozilla/5.0 (X11; Linux x86_64)\r\n"
           "Accept: text/html,application/xhtml+xml\r\nAccept-Language: en\r\n\r\n";
}

void FakeBrowser::followRedirect(const QUrl& redirect)
{
    m_lastRedirect = redirect;
    const quint16 port = static_cast<quint16>(redirect.port());
    if (!m_wrongStateFirst) {
        send(port, requestFor(redirect), {});
        return;
    }
    QUrl forged = redirect;
    QUrlQuery query(forged);
    query.removeAllQueryItems(QStringLiteral("state"));
    query.addQueryItem(QStringLiteral("state"), QStringLiteral("not-the-state"));
    forged.setQuery(query);
    send(port, requestFor(forged),
         [this, port, redirect] { send(port, requestFor(redirect), {}); });
}

void FakeBrowser::sendRaw(quint16 port, const QByteArray& bytes)
{
    send(port, bytes, {});
}

void FakeBrowser::send(quint16 port, const QByteArray& bytes, std::function<void()> then)
{
    auto* socket = new QTcpSocket(this);
    auto answer = std::make_shared<QByteArray>();
    auto done = std::make_shared<bool>(false);
    const auto finish = [this, socket, answer, done, then] {
        if (*done)
            return;
        *done = true;
        const QList<QByteArray> statusLine = answer->left(answer->indexOf('\n')).split(' ');
        m_statuses.append(statusLine.value(1).toInt());
        socket->deleteLater();
        if (then)
            then();
    };
    connect(socket, &QTcpSocket::readyRead, this,
            [socket, answer] { *answer += socket->readAll(); });
    connect(socket, &QTcpSocket::disconnected, this, finish);
    connect(socket, &QTcpSocket::errorOccurred, this, [socket, answer, finish] {
        *answer += socket->readAll();
        finish();
    });
    connect(socket, &QTcpSocket::connected, this, [this, socket, bytes] {
        if (!m_split) {
            socket->write(bytes);
            return;
        }
        // Three fragments: part of the request line, the rest of it with part of the headers, and
        // the end of the head, each in a read of its own.
        const qsizetype first = bytes.size() / 5;
        const qsizetype second = bytes.size() / 2;
        socket->write(bytes.left(first));
        socket->flush();
        QTimer::singleShot(30, socket, [socket, bytes, first, second] {
            socket->write(bytes.mid(first, second - first));
            socket->flush();
            QTimer::singleShot(30, socket, [socket, bytes, second] {
                socket->write(bytes.mid(second));
                socket->flush();
            });
        });
    });
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), port);
}
