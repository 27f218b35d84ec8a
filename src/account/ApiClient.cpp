#include "ApiClient.h"

#include "Limits.h"
#include "TokenManager.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

namespace OrvaAccount {

namespace {

const char* const tooLargeProperty = "orvaReplyTooLarge";

// Reply bodies from this size on are read away from the window's thread: a page of a few
// hundred records reads in a millisecond, one of ten thousand in tens.
constexpr qsizetype largestReplyReadHere = 256 * 1024;

} // namespace

ApiClient::Callback ApiClient::whileAlive(QObject* owner, Callback callback)
{
    return [owner = QPointer<QObject>(owner),
            callback = std::move(callback)](bool ok, int status, const QJsonObject& json) {
        if (owner)
            callback(ok, status, json);
    };
}

QString ApiClient::pathSegment(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString ApiClient::failureText(int status, const QJsonObject& json)
{
    const QString said = json.value(QLatin1String("error")).toString().trimmed();
    if (!said.isEmpty())
        return said.left(Limits::maxServiceErrorTextChars);
    if (status == 0)
        return QStringLiteral("The service could not be reached");
    // A success status on a failure: the reply itself was not what was asked for.
    if (status >= 200 && status <= 299)
        return unreadableReplyText();
    return QStringLiteral("HTTP %1").arg(status);
}

QString ApiClient::unreadableReplyText()
{
    return QStringLiteral("The service's reply could not be read");
}

QString ApiClient::missingIdText()
{
    return tr("The service gave this entry no id");
}

ApiClient::ApiClient(TokenManager* tokenManager, QObject* parent)
    : QObject(parent), m_networkManager(new QNetworkAccessManager(this)),
      m_tokenManager(tokenManager)
{
}

void ApiClient::get(const QString& path, Callback callback, const QUrlQuery& query)
{
    sendRequest("GET", path, {}, std::move(callback), query, true);
}

void ApiClient::getPublic(const QString& path, Callback callback, const QUrlQuery& query)
{
    sendRequest("GET", path, {}, std::move(callback), query, false);
}

void ApiClient::post(const QString& path, const QJsonObject& body, Callback callback)
{
    sendRequest("POST", path, body, std::move(callback), {}, true);
}

void ApiClient::postPublic(const QString& path, const QJsonObject& body, Callback callback)
{
    sendRequest("POST", path, body, std::move(callback), {}, false);
}

void ApiClient::put(const QString& path, const QJsonObject& body, Callback callback)
{
    sendRequest("PUT", path, body, std::move(callback), {}, true);
}

void ApiClient::patch(const QString& path, const QJsonObject& body, Callback callback)
{
    sendRequest("PATCH", path, body, std::move(callback), {}, true);
}

void ApiClient::del(const QString& path, Callback callback)
{
    sendRequest("DELETE", path, {}, std::move(callback), {}, true);
}

void ApiClient::setAppInfo(const QString& appId, const QString& appVersion, const QString& platform)
{
    m_appId = appId;
    m_appVersion = appVersion;
    m_platform = platform;
}

void ApiClient::sendRequest(const QByteArray& method, const QString& path, const QJsonObject& body,
                            Callback callback, const QUrlQuery& query, bool authenticated)
{
    QUrl url = m_baseUrl;
    // Tolerant, not decoded: a segment the caller percent-encoded (an id holding "/") must reach
    // the service encoded once, while a plain path is encoded where it needs to be.
    url.setPath(m_baseUrl.path(QUrl::FullyEncoded) + path, QUrl::TolerantMode);
    if (!query.isEmpty())
        url.setQuery(query);
    const QByteArray bytes =
        body.isEmpty() ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact);

    if (!authenticated) {
        executeRequest(method, url, bytes, {}, std::move(callback), false);
        return;
    }
    if (m_tokenManager->needsRefresh()) {
        qDebug().noquote() << "[Account] token needs refresh before" << method << url.path();
        sendAfterRefresh(method, url, bytes, std::move(callback), true);
        return;
    }
    executeRequest(method, url, bytes, m_tokenManager->validAccessToken(), std::move(callback),
                   true);
}

void ApiClient::executeRequest(const QByteArray& method, const QUrl& url, const QByteArray& body,
                               const QString& token, Callback callback, bool allowRefreshOn401)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("Accept", "application/json");
    if (!m_appId.isEmpty())
        request.setRawHeader("X-App-Id", m_appId.toUtf8());
    if (!m_appVersion.isEmpty())
        request.setRawHeader("X-App-Version", m_appVersion.toUtf8());
    if (!m_platform.isEmpty())
        request.setRawHeader("X-Platform", m_platform.toUtf8());
    if (!token.isEmpty())
        request.setRawHeader("Authorization", QStringLiteral("Bearer %1").arg(token).toUtf8());
    request.setTransferTimeout(m_transferTimeoutMs);

    QNetworkReply* reply = nullptr;
    if (method == "GET")
        reply = m_networkManager->get(request);
    else if (method == "POST")
        reply = m_networkManager->post(request, body);
    else if (method == "PUT")
        reply = m_networkManager->put(request, body);
    else if (method == "PATCH")
        reply = m_networkManager->sendCustomRequest(request, "PATCH", body);
    else if (method == "DELETE")
        reply = m_networkManager->deleteResource(request);
    if (!reply) {
        if (callback)
            callback(false, 0, {});
        return;
    }

    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > Limits::maxServiceReplyBytes) {
            reply->setProperty(tooLargeProperty, true);
            reply->abort();
        }
    });
    // The transfer timeout ends a silent service; this ends one that trickles.
    QTimer::singleShot(m_deadlineMs, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, method, url, body, callback, allowRefreshOn401]() {
                handleReply(reply, method, url, body, callback, allowRefreshOn401);
            });
}

void ApiClient::sendAfterRefresh(const QByteArray& method, const QUrl& url, const QByteArray& body,
                                 Callback callback, bool allowRefreshOn401)
{
    QPointer<ApiClient> self(this);
    m_tokenManager->refresh([self, method, url, body, callback, allowRefreshOn401](bool refreshed) {
        if (!self)
            return;
        if (refreshed) {
            self->executeRequest(method, url, body, self->m_tokenManager->validAccessToken(),
                                 callback, allowRefreshOn401);
            return;
        }
        // Only the refresh ahead of a first attempt is worth a warning; after a 401 the reply
        // already tells.
        if (allowRefreshOn401)
            qWarning().noquote() << "[Account] token refresh failed before a" << method
                                 << "request";
        Q_EMIT self->authenticationRequired();
        const QString reason = self->m_tokenManager->lastRefreshFailure();
        if (callback)
            callback(false, 401,
                     reason.isEmpty() ? QJsonObject()
                                      : QJsonObject{{QStringLiteral("error"), reason}});
    });
}

void ApiClient::handleReply(QNetworkReply* reply, const QByteArray& method, const QUrl& url,
                            const QByteArray& body, const Callback& callback,
                            bool allowRefreshOn401)
{
    reply->deleteLater();
    if (reply->property(tooLargeProperty).toBool()) {
        Q_EMIT networkError(tr("The service's reply was too large."));
        if (callback)
            callback(false, 0, {});
        return;
    }
    Finished finished;
    finished.method = method;
    finished.url = url;
    finished.body = body;
    finished.callback = callback;
    finished.allowRefreshOn401 = allowRefreshOn401;
    finished.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    finished.failed = reply->error() != QNetworkReply::NoError;
    finished.errorString = reply->errorString();
    // A reply cut off by the time-out is closed already; it has no body to read.
    const QByteArray bytes = reply->isOpen() ? reply->readAll() : QByteArray();
    finished.hasBody = !bytes.isEmpty();
    if (bytes.size() < largestReplyReadHere) {
        answer(finished, finished.hasBody ? QJsonDocument::fromJson(bytes) : QJsonDocument());
        return;
    }
    // Reading a long reply (a list of thousands of entries) takes tens of milliseconds, which
    // the window would stand still for: it is read on a worker, and answered here.
    QPointer<ApiClient> self(this);
    QThreadPool::globalInstance()->start([self, bytes, finished]() {
        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        QCoreApplication* application = QCoreApplication::instance();
        if (!application)
            return;
        QMetaObject::invokeMethod(
            application,
            [self, document, finished]() {
                if (self)
                    self->answer(finished, document);
            },
            Qt::QueuedConnection);
    });
}

void ApiClient::answer(const Finished& finished, const QJsonDocument& document)
{
    const Callback& callback = finished.callback;
    const int status = finished.status;
    QJsonObject json;
    const bool readable = !finished.hasBody || document.isObject();
    if (finished.hasBody && readable)
        json = document.object();

    if (status == 401 && finished.allowRefreshOn401) {
        sendAfterRefresh(finished.method, finished.url, finished.body, callback, false);
        return;
    }
    if (finished.failed && status == 0) {
        Q_EMIT networkError(finished.errorString);
        if (callback)
            callback(false, 0, {});
        return;
    }
    if (status >= 200 && status <= 299) {
        // A gateway's own page, a body cut off on the way, or no body where a representation
        // was asked for would otherwise read as an empty answer: "no group", "no devices".
        // Only a change may succeed without a body (204 and the like).
        const bool cut = finished.failed;
        if (cut || !readable || (!finished.hasBody && finished.method == "GET")) {
            qWarning().noquote() << "[Account]" << finished.method << "answered" << status
                                 << (cut ? "with a cut-off body" : "without a JSON object");
            if (callback)
                callback(false, status, {});
            return;
        }
    }
    if (callback)
        callback(status >= 200 && status <= 299, status, json);
}

} // namespace OrvaAccount
