#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

// Plain blocking HTTP for test set-up and checks (make a calendar, edit an object as another
// client would, read what the server holds). It runs its own event loop and accepts any TLS
// certificate; it is independent of the code under test on purpose.
namespace DavHttp {

struct Reply
{
    int status = 0;                        // 0 when the transfer failed
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    QString error;
};

using Headers = QList<std::pair<QByteArray, QByteArray>>;

// Sends one request and waits at most timeoutMs for the whole reply. An empty username sends no
// Authorization header.
Reply request(const QByteArray& method, const QUrl& url, const QByteArray& body = {},
              const Headers& headers = {}, const QString& username = {},
              const QString& password = {}, int timeoutMs = 20000);

// One calendar object as the server lists it.
struct Object
{
    QString href; // encoded path, as the server wrote it
    QString etag; // without quotes
    QString data;
};

// Every object of a collection with its ETag and data (REPORT calendar-query over VCALENDAR),
// in the server's order; an empty list when the request fails (ok set to false).
QList<Object> listObjects(const QUrl& collectionUrl, const QString& username,
                          const QString& password, bool* ok = nullptr);

} // namespace DavHttp
