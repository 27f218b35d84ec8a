#include "DavServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

namespace {

const QString radicaleProgram = QStringLiteral("/usr/bin/radicale");
const QString xandikosProgram = QStringLiteral("/usr/bin/xandikos");

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

DavServer::DavServer(Kind kind, Options options) : m_kind(kind), m_options(std::move(options)) {}

DavServer::~DavServer()
{
    kill();
}

DavServer::Options DavServer::makeSelfSignedCertificate(const QString& folder,
                                                        const QString& commonName)
{
    Options options{folder + QStringLiteral("/cert.pem"), folder + QStringLiteral("/key.pem")};
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", options.keyPath,
                   "-out", options.certificatePath, "-days", "2", "-subj",
                   QStringLiteral("/CN=%1/O=Calendar tests").arg(commonName)});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        qWarning().noquote() << "openssl failed:" << openssl.readAll();
        return {};
    }
    return options;
}

bool DavServer::available(Kind kind)
{
    return QFile::exists(kind == Kind::Radicale ? radicaleProgram : xandikosProgram);
}

QUrl DavServer::baseUrl() const
{
    const bool tls = !m_options.certificatePath.isEmpty();
    return QUrl(QStringLiteral("%1://127.0.0.1:%2/")
                    .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_port));
}

QUrl DavServer::principalUrl() const
{
    return baseUrl().resolved(
        QUrl(m_kind == Kind::Radicale ? QStringLiteral("/alice/") : QStringLiteral("/user/")));
}

QUrl DavServer::homeSetUrl() const
{
    return m_kind == Kind::Radicale ? principalUrl()
                                    : baseUrl().resolved(QUrl(QStringLiteral("/user/calendars/")));
}

QUrl DavServer::calendarUrl(const QString& segment) const
{
    QUrl url = homeSetUrl();
    url.setPath(url.path(QUrl::FullyEncoded) +
                    QString::fromLatin1(QUrl::toPercentEncoding(segment)) + QLatin1Char('/'),
                QUrl::StrictMode);
    return url;
}

bool DavServer::writeRadicaleConfig()
{
    QFile users(m_dir.filePath(QStringLiteral("users")));
    if (!users.open(QIODevice::WriteOnly))
        return false;
    users.write((username() + QLatin1Char(':') + password() + QLatin1Char('\n')).toUtf8());
    users.close();

    QString config = QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n").arg(m_port);
    if (!m_options.certificatePath.isEmpty())
        config += QStringLiteral("ssl = True\ncertificate = %1\nkey = %2\n")
                      .arg(m_options.certificatePath, m_options.keyPath);
    config += QStringLiteral("[auth]\ntype = htpasswd\nhtpasswd_filename = %1\n"
                             "htpasswd_encryption = plain\ndelay = 0\n"
                             "[rights]\ntype = owner_only\n"
                             "[storage]\nfilesystem_folder = %2\n"
                             "[logging]\nlevel = warning\n")
                  .arg(users.fileName(), m_dir.filePath(QStringLiteral("collections")));
    QFile file(m_dir.filePath(QStringLiteral("config")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(config.toUtf8());
    return true;
}

bool DavServer::start()
{
    if (isRunning())
        return true;
    if (!m_dir.isValid() || !available(m_kind))
        return false;
    // The port is chosen once and kept by restart(). A free port can be taken by another test
    // between the probe and the server's bind; a first start then tries another one.
    const bool mayChoosePort = m_port == 0;
    for (int attempt = 0; attempt < (mayChoosePort ? 5 : 1); ++attempt) {
        if (mayChoosePort)
            m_port = freePort();
        if (launch())
            return true;
    }
    return false;
}

bool DavServer::launch()
{
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    if (m_kind == Kind::Radicale) {
        if (!writeRadicaleConfig())
            return false;
        m_process->start(radicaleProgram,
                         {QStringLiteral("--config"), m_dir.filePath(QStringLiteral("config"))});
    } else {
        m_process->start(xandikosProgram,
                         {QStringLiteral("-d"), m_dir.filePath(QStringLiteral("xandikos")),
                          QStringLiteral("-l"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                          QString::number(m_port), QStringLiteral("--defaults")});
    }
    if (!m_process->waitForStarted(10000) || !waitUntilReady()) {
        qWarning().noquote() << name() << "did not start:" << m_process->readAll();
        kill();
        return false;
    }
    // The principal collection of Radicale comes into being at the first authenticated request.
    request("PROPFIND", principalUrl(), {}, {{"Depth", "0"}});
    return true;
}

bool DavServer::waitUntilReady()
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_process->state() != QProcess::Running)
            return false;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(200)) {
            socket.disconnectFromHost();
            // Only a DAV server answering while our process runs is ours: something else may
            // hold the port.
            const DavHttp::Reply reply = request("OPTIONS", baseUrl());
            if (reply.status > 0)
                return reply.headers.contains("dav") && m_process->state() == QProcess::Running;
        }
        QThread::msleep(50);
    }
    return false;
}

void DavServer::kill()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

bool DavServer::restart()
{
    kill();
    return start();
}

bool DavServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

QUrl DavServer::makeCalendar(const QString& segment, const QString& displayName,
                             const QStringList& components)
{
    // Xandikos answers 500 to an empty displayname element, so a nameless one is left out.
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">\n"
                      "<d:set><d:prop>\n";
    if (!displayName.isEmpty())
        body += "<d:displayname>" + displayName.toHtmlEscaped().toUtf8() + "</d:displayname>\n";
    body += "<c:supported-calendar-component-set>\n";
    for (const QString& component : components)
        body += "<c:comp name=\"" + component.toUtf8() + "\"/>\n";
    body += "</c:supported-calendar-component-set>\n</d:prop></d:set>\n</c:mkcalendar>\n";
    const QUrl url = calendarUrl(segment);
    const DavHttp::Reply reply = request("MKCALENDAR", url, body);
    if (reply.status != 201) {
        qWarning().noquote() << name() << "MKCALENDAR answered" << reply.status << reply.error
                             << reply.body;
        return {};
    }
    return url;
}

bool DavServer::seedCalendars(int count, const std::function<QString(int)>& icalendarOf)
{
    if (m_kind != Kind::Radicale)
        return false;
    const QDir home(m_dir.filePath(QStringLiteral("collections/collection-root/") + username()));
    for (int i = 0; i < count; ++i) {
        const QString segment = QStringLiteral("c%1").arg(i);
        QFile props(home.filePath(segment + QStringLiteral("/.Radicale.props")));
        QFile object(home.filePath(segment + QStringLiteral("/e.ics")));
        if (!home.mkpath(segment) || !props.open(QIODevice::WriteOnly) ||
            !object.open(QIODevice::WriteOnly))
            return false;
        props.write(QStringLiteral("{\"C:supported-calendar-component-set\": \"VEVENT\", "
                                   "\"D:displayname\": \"C%1\", \"tag\": \"VCALENDAR\"}")
                        .arg(i)
                        .toUtf8());
        object.write(icalendarOf(i).toUtf8());
    }
    // Radicale builds the caches of new collections at their first listing: now, rather than
    // within the time-out of the client under test.
    return DavHttp::request("PROPFIND", homeSetUrl(), {}, {{"Depth", "1"}}, username(), password(),
                            600000)
               .status == 207;
}

DavHttp::Reply DavServer::request(const QByteArray& method, const QUrl& url, const QByteArray& body,
                                  const DavHttp::Headers& headers) const
{
    return DavHttp::request(method, url, body, headers, username(), password());
}

DavHttp::Reply DavServer::putObject(const QUrl& objectUrl, const QString& icalendar,
                                    const QString& ifMatchEtag) const
{
    DavHttp::Headers headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    if (!ifMatchEtag.isEmpty())
        headers.append({"If-Match", '"' + ifMatchEtag.toUtf8() + '"'});
    return request("PUT", objectUrl, icalendar.toUtf8(), headers);
}

DavHttp::Reply DavServer::deleteObject(const QUrl& objectUrl) const
{
    return request("DELETE", objectUrl);
}

QList<DavHttp::Object> DavServer::listObjects(const QUrl& collectionUrl, bool* ok) const
{
    return DavHttp::listObjects(collectionUrl, username(), password(), ok);
}
