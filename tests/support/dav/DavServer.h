#pragma once

#include "DavHttp.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>

#include <memory>

// A real CalDAV server for one test: Radicale or Xandikos (Debian packages), started as a child
// process on a free 127.0.0.1 port with its storage in a temporary folder that is removed
// afterwards. Radicale checks a user name and password (htpasswd, plain); Xandikos has no
// authentication and ignores the Authorization header.
//
// Typical use:
//     DavServer server(DavServer::Kind::Radicale);
//     if (!server.start()) QSKIP(...);            // or QFAIL, see available()
//     const QUrl calendar = server.makeCalendar("work", "Work");
//     client.setCredentials(server.username(), server.password());
//     ... run the code under test against calendar ...
//     const auto objects = server.listObjects(calendar);  // what the server now holds
//
// Layout: Radicale   principal /alice/,  home set /alice/,            calendars /alice/<name>/
//         Xandikos   principal /user/,   home set /user/calendars/,   calendars
//                    /user/calendars/<name>/ (it also creates one called "calendar" on start)
class DavServer
{
public:
    enum class Kind { Radicale, Xandikos };

    struct Options
    {
        // PEM files: serve https with this certificate (Radicale only).
        QString certificatePath;
        QString keyPath;
    };

    explicit DavServer(Kind kind, Options options = {});
    ~DavServer();
    DavServer(const DavServer&) = delete;
    DavServer& operator=(const DavServer&) = delete;

    // Makes a self-signed certificate and its key with openssl in the folder ("cert.pem",
    // "key.pem", subject CN = commonName, valid for two days); empty paths on failure.
    static Options makeSelfSignedCertificate(const QString& folder, const QString& commonName);

    // True when the server's program is installed.
    static bool available(Kind kind);

    // Starts the server and waits (at most 20 s) until it answers; false when it did not come up
    // (its output is printed then). The port is chosen on the first start and kept.
    bool start();
    // Kills the process at once (SIGKILL), as a crash would; the storage stays.
    void kill();
    // kill() then start() on the same port and storage.
    bool restart();
    bool isRunning() const;

    Kind kind() const { return m_kind; }
    QString name() const { return m_kind == Kind::Radicale ? "Radicale" : "Xandikos"; }
    quint16 port() const { return m_port; }
    QString username() const { return QStringLiteral("alice"); }
    QString password() const { return QStringLiteral("wonderland-42"); }
    // "http://127.0.0.1:<port>/" (https with a certificate).
    QUrl baseUrl() const;
    QUrl principalUrl() const;
    QUrl homeSetUrl() const;
    // The URL of the calendar collection with that path segment, ending in "/".
    QUrl calendarUrl(const QString& segment) const;

    // MKCALENDAR of a collection for the given components; returns its URL, or an invalid URL
    // when the server refused (a QWARN says why).
    QUrl makeCalendar(const QString& segment, const QString& displayName,
                      const QStringList& components = {QStringLiteral("VEVENT"),
                                                       QStringLiteral("VTODO")});
    // Many event calendars at once, written straight into Radicale's storage as MKCALENDAR and
    // PUT leave them, then listed once so that Radicale builds its caches: "c<i>/" named "C<i>"
    // for i below `count`, each holding one object "e.ics" with the text `icalendarOf(i)`. A
    // request costs Radicale some 40 ms, too long to make hundreds. Radicale only; false when a
    // write or the listing failed.
    bool seedCalendars(int count, const std::function<QString(int)>& icalendarOf);
    // One request as this account (authenticated for Radicale).
    DavHttp::Reply request(const QByteArray& method, const QUrl& url, const QByteArray& body = {},
                           const DavHttp::Headers& headers = {}) const;
    // PUT of an iCalendar object as another client would do it; returns the reply.
    DavHttp::Reply putObject(const QUrl& objectUrl, const QString& icalendar,
                             const QString& ifMatchEtag = {}) const;
    DavHttp::Reply deleteObject(const QUrl& objectUrl) const;
    // What the collection holds now.
    QList<DavHttp::Object> listObjects(const QUrl& collectionUrl, bool* ok = nullptr) const;

private:
    bool launch();
    bool writeRadicaleConfig();
    bool waitUntilReady();

    Kind m_kind;
    Options m_options;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    quint16 m_port = 0;
};
