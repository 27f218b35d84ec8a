#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QSslError;

// Sends the WebDAV and CalDAV requests of one task (a discovery, a sync run, a form submission)
// and hands each reply to its callback, exactly once. It adds the fixed headers, Basic
// authorisation and the per-verb headers, and decides about certificates the platform does not
// trust: only a leaf certificate whose SHA-256 equals the pinned fingerprint is accepted.
//
// Every request has a transfer time-out, and a reply body is bounded by
// Limits::maxCalDavReplyBytes. A transport failure (no connection, TLS refused, time-out, a reply
// cut off mid-body, an oversized reply) always arrives as statusCode 0 with errorString set, even
// when a status line had already arrived, so a partial body is never mistaken for a whole one.
//
// Redirects are followed by the client itself (at most Limits::maxHttpRedirects): within the
// same origin with the credentials, to another origin without them; a redirect from https to
// anything but https is not followed, and its 3xx reply reaches the callback.
class CalDavClient : public QObject
{
    Q_OBJECT

public:
    struct Response
    {
        int statusCode = 0; // 0 when the transfer failed
        QByteArray body;
        QHash<QByteArray, QByteArray> headers; // a repeated name keeps its last value
        QString errorString;                   // set only when statusCode is 0
    };

    struct UntrustedCertInfo
    {
        QString host;
        int port = 0;
        QString subject;
        QString issuer;
        QDateTime notBefore;
        QDateTime notAfter;
        QString sha256; // 64 upper-case hexadecimal digits
        QStringList errors;
    };

    // What a redirect from one URL to another may do.
    enum class Redirect {
        Follow,                   // same origin: the request goes again, credentials included
        FollowWithoutCredentials, // another origin: the request goes without Authorization
        Refuse,                   // a downgrade from https, or not http(s) at all
    };

    using Callback = std::function<void(const Response&)>;

    static constexpr int defaultTransferTimeoutMs = 30000;

    explicit CalDavClient(QObject* parent = nullptr);
    ~CalDavClient() override;

    void setCredentials(const QString& username, const QString& password);
    // Keeps only letters and digits, upper-cased ("ab:cd" pins "ABCD"); clears the pending
    // untrusted certificate. An empty text pins nothing.
    void setTrustedCertSha256(const QString& fingerprint);
    QString trustedCertSha256() const { return m_trustedCertSha256; }
    // The last certificate this client refused, or an empty record.
    UntrustedCertInfo pendingUntrustedCert() const;
    // "ABCDEF" -> "AB:CD:EF", for display.
    static QString formatFingerprint(const QString& hex);
    // Milliseconds a request may go without progress before it fails.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // Milliseconds a request may take in all, however steadily its reply trickles in;
    // Limits::calDavRequestDeadlineMs unless a test lowers it.
    void setRequestDeadline(int milliseconds) { m_deadlineMs = milliseconds; }
    // The largest reply body accepted; Limits::maxCalDavReplyBytes unless a test lowers it.
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }

    void propfind(const QUrl& url, const QByteArray& body, int depth, Callback callback);
    void report(const QUrl& url, const QByteArray& body, int depth, Callback callback);
    // An empty content type keeps the XML one; an empty ETag sends no If-Match.
    void put(const QUrl& url, const QByteArray& body, const QString& contentType, Callback callback,
             const QString& etag = QString());
    // A PUT that only creates: with If-None-Match "*", a server that holds an object at the URL
    // answers 412 instead of replacing it.
    void putNew(const QUrl& url, const QByteArray& body, const QString& contentType,
                Callback callback);
    void remove(const QUrl& url, Callback callback, const QString& etag = QString());
    void mkcalendar(const QUrl& url, const QByteArray& body, Callback callback);
    void proppatch(const QUrl& url, const QByteArray& body, Callback callback);

    // The If-Match value for a stored ETag: empty for empty, "*" unchanged, a quoted tag
    // unchanged, anything else wrapped in double quotes.
    static QByteArray ifMatchValue(const QString& etag);
    // "Basic " and the Base64 of "username:password" in UTF-8; empty for an empty username.
    static QByteArray authorizationValue(const QString& username, const QString& password);
    static Redirect redirectRule(const QUrl& from, const QUrl& to);

Q_SIGNALS:
    void untrustedCertEncountered(const CalDavClient::UntrustedCertInfo& info);

private:
    struct Request;

    void send(const std::shared_ptr<Request>& request);
    void finish(QNetworkReply* reply, const std::shared_ptr<Request>& request);
    void decideCertificate(QNetworkReply* reply, const QList<QSslError>& errors);

    QNetworkAccessManager* m_network;
    QString m_username;
    QString m_password;
    QString m_trustedCertSha256;
    std::optional<UntrustedCertInfo> m_pendingUntrustedCert;
    int m_transferTimeoutMs = defaultTransferTimeoutMs;
    int m_deadlineMs;
    qint64 m_maxReplyBytes;
};

Q_DECLARE_METATYPE(CalDavClient::UntrustedCertInfo)
