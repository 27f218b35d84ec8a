#include "CalDavClient.h"

#include "Defaults.h"
#include "Limits.h"

#include <QCryptographicHash>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>

#include <algorithm>

namespace {

// Debug and info lines of the CalDAV code are off unless the logging rules turn them on.
Q_LOGGING_CATEGORY(lcCalDavClient, "calendar.caldav", QtWarningMsg)

const char* const tooLargeProperty = "calDavReplyTooLarge";
const char* const pastDeadlineProperty = "calDavPastDeadline";
const QByteArray userAgent = "OrvandellicCalendar/" + Defaults::version().toLatin1() + " (Qt)";

int defaultPort(const QUrl& url)
{
    return url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
}

bool sameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && defaultPort(a) == defaultPort(b);
}

// Errors below 200 are the connection's (refused, closed, timed out, TLS, proxy); 301..399 are
// protocol failures. Both mean the reply is not a whole HTTP answer, whatever status arrived.
// The one exception: the network layer files a server's "400 Bad Request" as an invalid
// operation of the protocol, though it is a whole answer with its status.
bool isTransportError(QNetworkReply::NetworkError error)
{
    if (error == QNetworkReply::ProtocolInvalidOperationError)
        return false;
    const int code = int(error);
    return (code > 0 && code < 200) || (code >= 300 && code < 400);
}

QString joinedCommonNames(const QStringList& names, const QString& fallback)
{
    return names.isEmpty() ? fallback : names.join(QStringLiteral(", "));
}

} // namespace

struct CalDavClient::Request
{
    QByteArray method;
    QUrl url;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> extraHeaders;
    Callback callback;
    bool withCredentials = true;
    int redirectsLeft = Limits::maxHttpRedirects;
};

CalDavClient::CalDavClient(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)),
      m_deadlineMs(Limits::calDavRequestDeadlineMs), m_maxReplyBytes(Limits::maxCalDavReplyBytes)
{
    qRegisterMetaType<CalDavClient::UntrustedCertInfo>();
    connect(m_network, &QNetworkAccessManager::sslErrors, this, &CalDavClient::decideCertificate);
}

CalDavClient::~CalDavClient() = default;

void CalDavClient::setCredentials(const QString& username, const QString& password)
{
    m_username = username;
    m_password = password;
}

void CalDavClient::setTrustedCertSha256(const QString& fingerprint)
{
    QString normalised;
    for (const QChar c : fingerprint) {
        if (c.isLetterOrNumber())
            normalised += c.toUpper();
    }
    m_trustedCertSha256 = normalised;
    m_pendingUntrustedCert.reset();
}

CalDavClient::UntrustedCertInfo CalDavClient::pendingUntrustedCert() const
{
    return m_pendingUntrustedCert.value_or(UntrustedCertInfo());
}

QString CalDavClient::formatFingerprint(const QString& hex)
{
    QString out;
    for (qsizetype i = 0; i < hex.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            out += QLatin1Char(':');
        out += hex.at(i);
    }
    return out;
}

QByteArray CalDavClient::ifMatchValue(const QString& etag)
{
    if (etag.isEmpty())
        return {};
    if (etag == QLatin1String("*"))
        return QByteArrayLiteral("*");
    if (etag.size() >= 2 && etag.startsWith(QLatin1Char('"')) && etag.endsWith(QLatin1Char('"')))
        return etag.toUtf8();
    return '"' + etag.toUtf8() + '"';
}

QByteArray CalDavClient::authorizationValue(const QString& username, const QString& password)
{
    if (username.isEmpty())
        return {};
    return "Basic " + (username + QLatin1Char(':') + password).toUtf8().toBase64();
}

CalDavClient::Redirect CalDavClient::redirectRule(const QUrl& from, const QUrl& to)
{
    const QString scheme = to.scheme().toLower();
    if (!to.isValid() || to.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return Redirect::Refuse;
    if (from.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 &&
        scheme != QLatin1String("https"))
        return Redirect::Refuse;
    return sameOrigin(from, to) ? Redirect::Follow : Redirect::FollowWithoutCredentials;
}

void CalDavClient::propfind(const QUrl& url, const QByteArray& body, int depth, Callback callback)
{
    auto request = std::make_shared<Request>();
    *request = {"PROPFIND", url, body, {{"Depth", QByteArray::number(depth)}}, std::move(callback)};
    send(request);
}

void CalDavClient::report(const QUrl& url, const QByteArray& body, int depth, Callback callback)
{
    auto request = std::make_shared<Request>();
    *request = {"REPORT", url, body, {{"Depth", QByteArray::number(depth)}}, std::move(callback)};
    send(request);
}

void CalDavClient::put(const QUrl& url, const QByteArray& body, const QString& contentType,
                       Callback callback, const QString& etag)
{
    auto request = std::make_shared<Request>();
    *request = {"PUT", url, body, {}, std::move(callback)};
    if (!contentType.isEmpty())
        request->extraHeaders.append({"Content-Type", contentType.toUtf8()});
    if (const QByteArray ifMatch = ifMatchValue(etag); !ifMatch.isEmpty())
        request->extraHeaders.append({"If-Match", ifMatch});
    send(request);
}

void CalDavClient::putNew(const QUrl& url, const QByteArray& body, const QString& contentType,
                          Callback callback)
{
    auto request = std::make_shared<Request>();
    *request = {"PUT", url, body, {{"If-None-Match", "*"}}, std::move(callback)};
    if (!contentType.isEmpty())
        request->extraHeaders.append({"Content-Type", contentType.toUtf8()});
    send(request);
}

void CalDavClient::remove(const QUrl& url, Callback callback, const QString& etag)
{
    auto request = std::make_shared<Request>();
    *request = {"DELETE", url, {}, {}, std::move(callback)};
    if (const QByteArray ifMatch = ifMatchValue(etag); !ifMatch.isEmpty())
        request->extraHeaders.append({"If-Match", ifMatch});
    send(request);
}

void CalDavClient::mkcalendar(const QUrl& url, const QByteArray& body, Callback callback)
{
    auto request = std::make_shared<Request>();
    *request = {"MKCALENDAR", url, body, {}, std::move(callback)};
    send(request);
}

void CalDavClient::proppatch(const QUrl& url, const QByteArray& body, Callback callback)
{
    auto request = std::make_shared<Request>();
    *request = {"PROPPATCH", url, body, {}, std::move(callback)};
    send(request);
}

void CalDavClient::send(const std::shared_ptr<Request>& request)
{
    QNetworkRequest networkRequest(request->url);
    networkRequest.setRawHeader("User-Agent", userAgent);
    // Uncompressed replies only: the network layer cannot tell a compressed body cut off in the
    // middle from a whole one, and a cut listing must fail, not pass for a shorter calendar.
    networkRequest.setRawHeader("Accept-Encoding", "identity");
    if (!request->body.isEmpty()) {
        networkRequest.setRawHeader("Content-Type", "application/xml; charset=utf-8");
        networkRequest.setRawHeader("Content-Length", QByteArray::number(request->body.size()));
    }
    if (request->withCredentials) {
        if (const QByteArray value = authorizationValue(m_username, m_password); !value.isEmpty())
            networkRequest.setRawHeader("Authorization", value);
    }
    for (const auto& [name, value] : request->extraHeaders)
        networkRequest.setRawHeader(name, value);
    // Redirects are judged here, not by the network layer, so credentials never follow one to
    // another origin.
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                QNetworkRequest::ManualRedirectPolicy);
    networkRequest.setTransferTimeout(m_transferTimeoutMs);

    QNetworkReply* reply =
        m_network->sendCustomRequest(networkRequest, request->method, request->body);
    const qint64 maxBytes = m_maxReplyBytes;
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, maxBytes](qint64 received, qint64) {
                if (received > maxBytes) {
                    reply->setProperty(tooLargeProperty, true);
                    reply->abort();
                }
            });
    // The transfer timeout ends a silent server; this ends one that trickles.
    QTimer::singleShot(m_deadlineMs, reply, [reply] {
        reply->setProperty(pastDeadlineProperty, true);
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, request]() { finish(reply, request); });
}

void CalDavClient::finish(QNetworkReply* reply, const std::shared_ptr<Request>& request)
{
    reply->deleteLater();
    Response response;
    response.statusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    for (const auto& [name, value] : reply->rawHeaderPairs())
        response.headers.insert(name, value);

    const QNetworkReply::NetworkError error = reply->error();
    if (reply->property(tooLargeProperty).toBool()) {
        response.statusCode = 0;
        response.errorString = tr("The server's reply was larger than %1 MB.")
                                   .arg(std::max<qint64>(1, m_maxReplyBytes / (1024 * 1024)));
    } else if (error != QNetworkReply::NoError &&
               (response.statusCode == 0 || isTransportError(error))) {
        response.statusCode = 0;
        if (reply->property(pastDeadlineProperty).toBool())
            response.errorString = tr("The server's reply did not end within %1 s.")
                                       .arg(std::max(1, m_deadlineMs / 1000));
        else if (error == QNetworkReply::OperationCanceledError)
            response.errorString = tr("The server did not answer within %1 s.")
                                       .arg(std::max(1, m_transferTimeoutMs / 1000));
        else
            response.errorString = reply->errorString();
    } else {
        response.body = reply->readAll();
    }

    const bool isRedirect = response.statusCode == 301 || response.statusCode == 302 ||
                            response.statusCode == 303 || response.statusCode == 307 ||
                            response.statusCode == 308;
    const QByteArray location = reply->rawHeader("Location");
    if (isRedirect && !location.isEmpty() && request->redirectsLeft > 0) {
        const QUrl target = request->url.resolved(QUrl::fromEncoded(location.trimmed()));
        const Redirect rule = redirectRule(request->url, target);
        if (rule != Redirect::Refuse) {
            qCDebug(lcCalDavClient).noquote()
                << "[CalDav] following a redirect"
                << (rule == Redirect::Follow ? "within the server"
                                             : "to another origin, without credentials");
            auto next = std::make_shared<Request>(*request);
            next->url = target;
            next->redirectsLeft = request->redirectsLeft - 1;
            next->withCredentials = request->withCredentials && rule == Redirect::Follow;
            send(next);
            return;
        }
        qCWarning(lcCalDavClient).noquote()
            << "[CalDav] refused a redirect from https to a less safe address";
    }

    if (request->callback)
        request->callback(response);
}

void CalDavClient::decideCertificate(QNetworkReply* reply, const QList<QSslError>& errors)
{
    const QList<QSslCertificate> chain = reply->sslConfiguration().peerCertificateChain();
    if (chain.isEmpty())
        return;
    const QSslCertificate& leaf = chain.first();
    const QString digest =
        QString::fromLatin1(leaf.digest(QCryptographicHash::Sha256).toHex().toUpper());
    if (!m_trustedCertSha256.isEmpty() && m_trustedCertSha256 == digest) {
        reply->ignoreSslErrors(errors);
        return;
    }

    const QUrl url = reply->url();
    UntrustedCertInfo info;
    info.host = url.host(QUrl::FullyDecoded);
    info.port = defaultPort(url);
    info.subject =
        joinedCommonNames(leaf.subjectInfo(QSslCertificate::CommonName), leaf.subjectDisplayName());
    info.issuer =
        joinedCommonNames(leaf.issuerInfo(QSslCertificate::CommonName), leaf.issuerDisplayName());
    info.notBefore = leaf.effectiveDate();
    info.notAfter = leaf.expiryDate();
    info.sha256 = digest;
    for (const QSslError& error : errors)
        info.errors.append(error.errorString());
    m_pendingUntrustedCert = info;
    Q_EMIT untrustedCertEncountered(info);
}
