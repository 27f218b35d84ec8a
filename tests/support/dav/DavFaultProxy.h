#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>

class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 that stands between the code under test and a real CalDAV
// server and does, on demand, what a real server will not: answer with a chosen status or a
// page that is not XML, cut a reply in the middle (with or without a Content-Length that still
// matches), list objects without their data, never answer, redirect, or drop the ETag header
// of a reply. Requests that no rule matches are passed to the upstream server unchanged (plain http
// only) and its reply is passed back; without an upstream they are answered 404. Every request is
// recorded.
//
// Typical use:
//     DavFaultProxy proxy(server.baseUrl());
//     const QUrl calendar = proxy.url(server.makeCalendar("work", "Work"));
//     proxy.failWith("PUT", ".ics", 412);           // the next PUT of an object: 412
//     proxy.cutReply("REPORT", "/work/");             // the next REPORT: half a body
//     ... run the code under test against `calendar` ...
//     QCOMPARE(proxy.count("DELETE", ".ics"), 1);
//
// A rule matches a request when the method equals (an empty method matches any) and the request
// path (encoded, without query) ends with the path suffix (an empty suffix matches any). Rules
// are tried in the order they were added; each applies to the given number of matching requests
// (-1: to all of them) and is then dropped. Every answer closes its connection.
class DavFaultProxy : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QString path;                          // encoded, as sent, without query
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    // upstream: "http://127.0.0.1:<port>/" of a real server, or empty for none.
    explicit DavFaultProxy(const QUrl& upstream = QUrl(), QObject* parent = nullptr);
    ~DavFaultProxy() override;

    quint16 port() const;
    // "http://127.0.0.1:<port>/"
    QUrl baseUrl() const;
    // The same path and query on this proxy: url(server.calendarUrl("work")).
    QUrl url(const QUrl& upstreamUrl) const;

    // Answers with this status and body (XML content type when the body is not empty).
    void failWith(const QByteArray& method, const QString& pathSuffix, int status,
                  const QByteArray& body = {}, int times = 1);
    // Answers the next discovery that starts at `path` ("/dav/") as a server that names neither
    // a principal nor a home set and holds `calendars` calendars, "<path>c0/" onwards.
    void answerDiscovery(const QString& path, int calendars);
    // Passes the request on, then sends the status line, the headers with the full
    // Content-Length and only the first half of the body, and closes the connection.
    void cutReply(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Passes the request on, then sends only the first half of the body with a Content-Length
    // that matches it: the reply is whole to HTTP, its XML stops in the middle.
    void truncateReply(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Passes the request on and removes every calendar-data element from the reply, as servers
    // do that list hrefs and ETags only: the client has to read the objects with a multiget.
    void dropCalendarData(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Answers with this status and a body of the given content type, such as a login or
    // maintenance page served with 200 where XML belongs.
    void answerPage(const QByteArray& method, const QString& pathSuffix, int status,
                    const QByteArray& body, const QByteArray& contentType = "text/html",
                    int times = 1);
    // Never answers; the connection stays open until the client gives up.
    void stall(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Answers with a redirect status and this Location (absolute, or a path on this proxy).
    void redirect(const QByteArray& method, const QString& pathSuffix, const QUrl& location,
                  int status = 301, int times = 1);
    // Passes the request on and removes the ETag header from the reply.
    void dropEtag(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Passes matching requests on unchanged; placed before a fault, it lets the first requests
    // through: passThrough("PUT", ".ics", 2); failWith("PUT", ".ics", 500) fails the third PUT.
    void passThrough(const QByteArray& method, const QString& pathSuffix, int times = 1);
    // Runs `first` (another client's change, say), then passes the request on: the request meets
    // the server as that change left it.
    void passAfter(const QByteArray& method, const QString& pathSuffix,
                   const std::function<void()>& first, int times = 1);
    void clearRules();

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }
    // Recorded requests matching like a rule.
    int count(const QByteArray& method, const QString& pathSuffix = {}) const;
    // The most connections from clients that were open at one time; as every answer closes its
    // connection, the most requests that were under way at once.
    int maxOpenConnections() const { return m_maxOpen; }

private:
    enum class Action { Status, Cut, Truncate, DropData, Stall, Redirect, DropEtag, Pass };
    struct Rule
    {
        Action action;
        QByteArray method;
        QString pathSuffix;
        int times;
        int status = 0;
        QByteArray body;
        QUrl location;
        QByteArray contentType = "application/xml; charset=utf-8";
        std::function<void()> first = {};
    };
    struct Upstream;

    void onReadyRead(QTcpSocket* socket);
    void handle(QTcpSocket* socket, const Request& request, const QByteArray& raw);
    void forward(QTcpSocket* socket, const QByteArray& raw, Action action);
    static void answer(QTcpSocket* socket, int status, const QList<QByteArray>& headerLines,
                       const QByteArray& body, qsizetype bytesToSend = -1);

    QTcpServer* m_server;
    QUrl m_upstream;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<Rule> m_rules;
    QList<Request> m_requests;
    QSet<QTcpSocket*> m_open;
    int m_maxOpen = 0;
};
