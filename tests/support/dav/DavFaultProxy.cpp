#include "DavFaultProxy.h"

#include <QHostAddress>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <memory>

namespace {

bool matches(const QByteArray& ruleMethod, const QString& suffix, const QByteArray& method,
             const QString& path)
{
    return (ruleMethod.isEmpty() || ruleMethod == method) &&
           (suffix.isEmpty() || path.endsWith(suffix));
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 207:
        return "Multi-Status";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 412:
        return "Precondition Failed";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

// A whole HTTP message in the buffer: the end of the header block and, after it, Content-Length
// bytes or a complete chunked body. Returns the message length, or -1 while incomplete.
qsizetype messageLength(const QByteArray& buffer, bool connectionClosed)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return -1;
    const QByteArray head = buffer.left(headerEnd).toLower();
    const qsizetype bodyStart = headerEnd + 4;
    for (const QByteArray& line : head.split('\n')) {
        if (line.startsWith("content-length:")) {
            const qsizetype length = line.mid(15).trimmed().toLongLong();
            return buffer.size() >= bodyStart + length ? bodyStart + length : -1;
        }
        if (line.startsWith("transfer-encoding:") && line.contains("chunked")) {
            const qsizetype end = buffer.indexOf("\r\n0\r\n\r\n", bodyStart - 2);
            return end >= 0 ? end + 7 : -1;
        }
    }
    return connectionClosed ? buffer.size() : (head.startsWith("http/") ? -1 : bodyStart);
}

QByteArray dechunk(const QByteArray& chunked)
{
    QByteArray out;
    qsizetype pos = 0;
    while (pos < chunked.size()) {
        const qsizetype lineEnd = chunked.indexOf("\r\n", pos);
        if (lineEnd < 0)
            break;
        const qsizetype size =
            chunked.mid(pos, lineEnd - pos).split(';').first().trimmed().toLongLong(nullptr, 16);
        if (size <= 0)
            break;
        out += chunked.mid(lineEnd + 2, size);
        pos = lineEnd + 2 + size + 2;
    }
    return out;
}

// The multistatus body without its calendar-data elements, whatever their prefix.
QByteArray withoutCalendarData(const QByteArray& body)
{
    static const QRegularExpression element(
        QStringLiteral("<([A-Za-z0-9_-]+:)?calendar-data(\\s[^>]*)?(/>|>.*?</([A-Za-z0-9_-]+:)?"
                       "calendar-data\\s*>)"),
        QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(body).remove(element).toUtf8();
}

} // namespace

DavFaultProxy::DavFaultProxy(const QUrl& upstream, QObject* parent)
    : QObject(parent), m_server(new QTcpServer(this)), m_upstream(upstream)
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this]() {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            m_open.insert(socket);
            m_maxOpen = std::max(m_maxOpen, int(m_open.size()));
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket]() { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
                m_open.remove(socket);
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

DavFaultProxy::~DavFaultProxy() = default;

quint16 DavFaultProxy::port() const
{
    return m_server->serverPort();
}

QUrl DavFaultProxy::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port()));
}

QUrl DavFaultProxy::url(const QUrl& upstreamUrl) const
{
    QUrl url = upstreamUrl;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port());
    return url;
}

void DavFaultProxy::failWith(const QByteArray& method, const QString& pathSuffix, int status,
                             const QByteArray& body, int times)
{
    m_rules.append({Action::Status, method, pathSuffix, times, status, body, {}});
}

void DavFaultProxy::answerDiscovery(const QString& path, int calendars)
{
    QByteArray list = "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">";
    for (int index = 0; index < calendars; ++index)
        list += "<d:response><d:href>" + path.toUtf8() + 'c' + QByteArray::number(index) +
                "/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/>"
                "</d:resourcetype></d:prop></d:propstat></d:response>";
    failWith("PROPFIND", path, 207, "<d:multistatus xmlns:d=\"DAV:\"/>", 2);
    failWith("PROPFIND", path, 207, list + "</d:multistatus>");
}

void DavFaultProxy::cutReply(const QByteArray& method, const QString& pathSuffix, int times)
{
    m_rules.append({Action::Cut, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::truncateReply(const QByteArray& method, const QString& pathSuffix, int times)
{
    m_rules.append({Action::Truncate, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::dropCalendarData(const QByteArray& method, const QString& pathSuffix, int times)
{
    m_rules.append({Action::DropData, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::answerPage(const QByteArray& method, const QString& pathSuffix, int status,
                               const QByteArray& body, const QByteArray& contentType, int times)
{
    m_rules.append({Action::Status, method, pathSuffix, times, status, body, {}, contentType});
}

void DavFaultProxy::stall(const QByteArray& method, const QString& pathSuffix, int times)
{
    m_rules.append({Action::Stall, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::redirect(const QByteArray& method, const QString& pathSuffix,
                             const QUrl& location, int status, int times)
{
    m_rules.append({Action::Redirect, method, pathSuffix, times, status, {}, location});
}

void DavFaultProxy::dropEtag(const QByteArray& method, const QString& pathSuffix, int times)
{
    m_rules.append({Action::DropEtag, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::passThrough(const QByteArray& method, const QString& pathSuffix, int times)
{
    if (times != 0)
        m_rules.append({Action::Pass, method, pathSuffix, times, 0, {}, {}});
}

void DavFaultProxy::passAfter(const QByteArray& method, const QString& pathSuffix,
                              const std::function<void()>& first, int times)
{
    if (times == 0)
        return;
    Rule rule{Action::Pass, method, pathSuffix, times, 0, {}, {}};
    rule.first = first;
    m_rules.append(rule);
}

void DavFaultProxy::clearRules()
{
    m_rules.clear();
}

int DavFaultProxy::count(const QByteArray& method, const QString& pathSuffix) const
{
    int n = 0;
    for (const Request& request : m_requests)
        n += matches(method, pathSuffix, request.method, request.path) ? 1 : 0;
    return n;
}

void DavFaultProxy::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype length = messageLength(buffer, false);
    if (length < 0)
        return;
    const QByteArray raw = buffer.left(length);
    buffer.remove(0, length);

    Request request;
    const qsizetype headerEnd = raw.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = raw.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request.method = requestLine.value(0);
    const QByteArray target = requestLine.value(1);
    request.path = QString::fromLatin1(
        target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?')));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    request.body = raw.mid(headerEnd + 4);
    m_requests.append(request);
    handle(socket, request, raw);
}

void DavFaultProxy::handle(QTcpSocket* socket, const Request& request, const QByteArray& raw)
{
    for (qsizetype i = 0; i < m_rules.size(); ++i) {
        Rule& rule = m_rules[i];
        if (!matches(rule.method, rule.pathSuffix, request.method, request.path))
            continue;
        const Rule applied = rule;
        if (rule.times > 0 && --rule.times == 0)
            m_rules.removeAt(i);
        switch (applied.action) {
        case Action::Status:
            answer(socket, applied.status,
                   applied.body.isEmpty()
                       ? QList<QByteArray>{}
                       : QList<QByteArray>{"Content-Type: " + applied.contentType},
                   applied.body);
            return;
        case Action::Stall:
            return;
        case Action::Redirect: {
            const QUrl location = baseUrl().resolved(applied.location);
            answer(socket, applied.status, {"Location: " + location.toEncoded()}, {});
            return;
        }
        case Action::Cut:
        case Action::Truncate:
        case Action::DropData:
        case Action::DropEtag:
        case Action::Pass:
            if (m_upstream.isEmpty())
                break;
            if (applied.first)
                applied.first();
            forward(socket, raw, applied.action);
            return;
        }
        break;
    }
    if (m_upstream.isEmpty()) {
        answer(socket, 404, {}, {});
        return;
    }
    forward(socket, raw, Action::Pass);
}

void DavFaultProxy::forward(QTcpSocket* socket, const QByteArray& raw, Action action)
{
    // One upstream connection per request; "Connection: close" makes the reply end with it.
    // Every header line is written again with CR LF: a strict server refuses a bare LF or a
    // stray CR in the header block.
    const qsizetype headerEnd = raw.indexOf("\r\n\r\n");
    QByteArray request;
    const QList<QByteArray> lines = raw.left(headerEnd).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (i > 0 && line.toLower().startsWith("connection:"))
            continue;
        request += line + "\r\n";
    }
    request += "Connection: close\r\n\r\n" + raw.mid(headerEnd + 4);

    auto* upstream = new QTcpSocket(this);
    auto buffer = std::make_shared<QByteArray>();
    auto finished = std::make_shared<bool>(false);
    QPointer<QTcpSocket> client(socket);
    connect(upstream, &QTcpSocket::connected, upstream,
            [upstream, request]() { upstream->write(request); });
    connect(upstream, &QTcpSocket::readyRead, upstream,
            [upstream, buffer]() { *buffer += upstream->readAll(); });
    auto done = [upstream, buffer, finished, client, action]() {
        if (*finished)
            return;
        *finished = true;
        *buffer += upstream->readAll();
        upstream->deleteLater();
        if (!client)
            return;
        const QByteArray& reply = *buffer;
        const qsizetype end = reply.indexOf("\r\n\r\n");
        if (end < 0) {
            answer(client, 502, {}, {});
            return;
        }
        const QList<QByteArray> replyLines = reply.left(end).split('\n');
        const int status = replyLines.first().split(' ').value(1).toInt();
        bool chunked = false;
        QList<QByteArray> headers;
        for (qsizetype i = 1; i < replyLines.size(); ++i) {
            const QByteArray line = replyLines[i].trimmed();
            const QByteArray lower = line.toLower();
            if (lower.startsWith("transfer-encoding:")) {
                chunked = lower.contains("chunked");
                continue;
            }
            if (lower.startsWith("content-length:") || lower.startsWith("connection:"))
                continue;
            if (action == Action::DropEtag && lower.startsWith("etag:"))
                continue;
            headers.append(line);
        }
        QByteArray body = chunked ? dechunk(reply.mid(end + 4)) : reply.mid(end + 4);
        if (action == Action::Truncate)
            body.truncate(body.size() / 2);
        if (action == Action::DropData)
            body = withoutCalendarData(body);
        answer(client, status, headers, body, action == Action::Cut ? body.size() / 2 : -1);
    };
    connect(upstream, &QTcpSocket::disconnected, upstream, done);
    connect(upstream, &QTcpSocket::errorOccurred, upstream, [done](QAbstractSocket::SocketError) {
        // A refused connection never disconnects; a closed one ends in disconnected as well.
        done();
    });
    upstream->connectToHost(QHostAddress::LocalHost, quint16(m_upstream.port()));
}

void DavFaultProxy::answer(QTcpSocket* socket, int status, const QList<QByteArray>& headerLines,
                           const QByteArray& body, qsizetype bytesToSend)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    for (const QByteArray& line : headerLines)
        out += line + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    out += bytesToSend < 0 ? body : body.left(bytesToSend);
    socket->write(out);
    socket->disconnectFromHost();
}
