#pragma once

#include "AccountJson.h"
#include "Limits.h"

#include <QDebug>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <optional>

class QJsonDocument;
class QNetworkAccessManager;
class QNetworkReply;

namespace OrvaAccount {

class TokenManager;

// JSON over HTTP(S) to one API of the account service: paths relative to a base URL (in encoded
// form: a percent-encoded segment stays as it is, other characters are encoded), identifying
// headers, the bearer token with a refresh ahead of expiry and one refresh-and-retry after a 401.
// Every request ends in exactly one callback (ok = 2xx, HTTP status or 0, reply object or empty),
// also when the service stalls: each request has a transfer time-out. A 2xx reply counts only
// with a whole body that is a JSON object, or with no body at all to anything but a GET;
// otherwise it fails with its status and an empty object. A long body is read on a worker
// thread; the callback still runs on the client's own.
class ApiClient : public QObject
{
    Q_OBJECT

public:
    using Callback = std::function<void(bool ok, int status, const QJsonObject& json)>;

    static constexpr int defaultTransferTimeoutMs = 30000;

    // `callback`, run only while `owner` exists: an answer that arrives after the owner is gone
    // (being torn down with the state hub, say) is dropped.
    static Callback whileAlive(QObject* owner, Callback callback);

    // One path segment percent-encoded (a "/" included), for ids put into request paths.
    static QString pathSegment(const QString& text);
    // What a failed request came to, in words for a person: the reply's "error" text when it
    // has one (cut to a bounded length), else the HTTP status, else that nothing answered; a
    // failed 2xx is a reply that could not be read.
    static QString failureText(int status, const QJsonObject& json);
    // The words for a success whose reply could not be read, or lacks what the caller reads.
    static QString unreadableReplyText();
    // The words for an action on an entry the service gave no id: it is never sent, since its
    // path would name the whole collection.
    static QString missingIdText();
    // The handler of a call that answers a list of records at key: `callback` gets the first
    // maxCount records and the number left out past them, or none and the failure's words. A
    // success without its list is a reply of another shape, told as unreadable rather than
    // shown as an empty list.
    template <typename Record>
    static Callback listReply(std::function<void(QList<Record>, QString, int)> callback,
                              const QString& key, int maxCount);

    ApiClient(TokenManager* tokenManager, QObject* parent = nullptr);

    void get(const QString& path, Callback callback, const QUrlQuery& query = {});
    void getPublic(const QString& path, Callback callback, const QUrlQuery& query = {});
    void post(const QString& path, const QJsonObject& body, Callback callback);
    void postPublic(const QString& path, const QJsonObject& body, Callback callback);
    void put(const QString& path, const QJsonObject& body, Callback callback);
    void patch(const QString& path, const QJsonObject& body, Callback callback);
    void del(const QString& path, Callback callback);

    void setBaseUrl(const QUrl& baseUrl) { m_baseUrl = baseUrl; }
    QUrl baseUrl() const { return m_baseUrl; }
    void setAppInfo(const QString& appId, const QString& appVersion, const QString& platform);
    // Milliseconds a request may go without progress before it fails like a network error.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    int transferTimeout() const { return m_transferTimeoutMs; }
    // Milliseconds a request may take in all, however steadily its reply trickles in.
    void setRequestDeadline(int milliseconds) { m_deadlineMs = milliseconds; }

Q_SIGNALS:
    void authenticationRequired();
    void networkError(const QString& message);

private:
    void sendRequest(const QByteArray& method, const QString& path, const QJsonObject& body,
                     Callback callback, const QUrlQuery& query, bool authenticated);
    void executeRequest(const QByteArray& method, const QUrl& url, const QByteArray& body,
                        const QString& token, Callback callback, bool allowRefreshOn401);
    // Refreshes the token, then sends with the new one; a failed refresh asks for a sign-in and
    // answers 401, with the refresh's own failure in words as the reply's "error" when it has
    // one (a server fault is not hidden behind the 401). allowRefreshOn401 is passed on to the
    // attempt.
    void sendAfterRefresh(const QByteArray& method, const QUrl& url, const QByteArray& body,
                          Callback callback, bool allowRefreshOn401);
    void handleReply(QNetworkReply* reply, const QByteArray& method, const QUrl& url,
                     const QByteArray& body, const Callback& callback, bool allowRefreshOn401);
    // What a finished reply came to, kept for when its body has been read.
    struct Finished
    {
        QByteArray method;
        QUrl url;
        QByteArray body;
        Callback callback;
        bool allowRefreshOn401 = false;
        int status = 0;
        bool failed = false;
        QString errorString;
        bool hasBody = false;
    };
    // Answers a finished reply from its body read as `document`.
    void answer(const Finished& finished, const QJsonDocument& document);

    QNetworkAccessManager* m_networkManager;
    TokenManager* m_tokenManager;
    QUrl m_baseUrl;
    QString m_appId;
    QString m_appVersion;
    QString m_platform;
    int m_transferTimeoutMs = defaultTransferTimeoutMs;
    int m_deadlineMs = Limits::serviceRequestDeadlineMs;
};

template <typename Record>
ApiClient::Callback ApiClient::listReply(std::function<void(QList<Record>, QString, int)> callback,
                                         const QString& key, int maxCount)
{
    return [callback = std::move(callback), key, maxCount](bool ok, int status,
                                                           const QJsonObject& json) {
        if (!callback)
            return;
        if (!ok) {
            callback({}, failureText(status, json), 0);
            return;
        }
        int leftOut = 0;
        const std::optional<QList<Record>> records =
            AccountJson::requiredList<Record>(json, key, maxCount, &leftOut);
        if (!records) {
            qWarning().noquote() << "[Account] a reply came without its list" << key;
            callback({}, unreadableReplyText(), 0);
            return;
        }
        if (leftOut > 0)
            qWarning().noquote() << "[Account] the list" << key << "was cut after" << maxCount
                                 << "entries," << leftOut << "left out";
        callback(*records, QString(), leftOut);
    };
}

} // namespace OrvaAccount
