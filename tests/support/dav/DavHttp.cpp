#include "DavHttp.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QXmlStreamReader>

namespace DavHttp {

Reply request(const QByteArray& method, const QUrl& url, const QByteArray& body,
              const Headers& headers, const QString& username, const QString& password,
              int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest networkRequest(url);
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                QNetworkRequest::ManualRedirectPolicy);
    if (!body.isEmpty())
        networkRequest.setRawHeader("Content-Type", "application/xml; charset=utf-8");
    if (!username.isEmpty())
        networkRequest.setRawHeader(
            "Authorization",
            "Basic " + (username + QLatin1Char(':') + password).toUtf8().toBase64());
    for (const auto& [name, value] : headers)
        networkRequest.setRawHeader(name, value);
    networkRequest.setTransferTimeout(timeoutMs);

    QNetworkReply* reply = manager.sendCustomRequest(networkRequest, method, body);
    QObject::connect(reply, &QNetworkReply::sslErrors, reply,
                     [reply](const QList<QSslError>&) { reply->ignoreSslErrors(); });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs + 1000, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    Reply out;
    if (!reply->isFinished()) {
        reply->abort();
        out.error = QStringLiteral("no reply");
    }
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    for (const auto& [name, value] : reply->rawHeaderPairs())
        out.headers.insert(name.toLower(), value);
    out.body = reply->readAll();
    if (out.status == 0 && out.error.isEmpty())
        out.error = reply->errorString();
    delete reply;
    return out;
}

QList<Object> listObjects(const QUrl& collectionUrl, const QString& username,
                          const QString& password, bool* ok)
{
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">\n"
        "<d:prop><d:getetag/><c:calendar-data/></d:prop>\n"
        "<c:filter><c:comp-filter name=\"VCALENDAR\"/></c:filter>\n"
        "</c:calendar-query>\n";
    const Reply reply =
        request("REPORT", collectionUrl, body, {{"Depth", "1"}}, username, password);
    if (ok)
        *ok = reply.status == 207;
    QList<Object> objects;
    if (reply.status != 207)
        return objects;

    QXmlStreamReader reader(reply.body);
    Object current;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (reader.name() == QLatin1String("response"))
                current = {};
            else if (reader.name() == QLatin1String("href") && current.href.isEmpty())
                current.href = QUrl(reader.readElementText()).path(QUrl::FullyEncoded);
            else if (reader.name() == QLatin1String("getetag"))
                current.etag = reader.readElementText().remove(QLatin1Char('"'));
            else if (reader.name() == QLatin1String("calendar-data"))
                current.data = reader.readElementText();
        } else if (token == QXmlStreamReader::EndElement &&
                   reader.name() == QLatin1String("response")) {
            if (!current.href.isEmpty() && !current.href.endsWith(QLatin1Char('/')))
                objects.append(current);
        }
    }
    if (ok && reader.hasError())
        *ok = false;
    return objects;
}

} // namespace DavHttp
