#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QUrlQuery>

// An in-process stand-in for the account service on 127.0.0.1: the realm's web login (which
// redirects to the given redirect URI with fresh tokens and the echoed "state"), token refresh,
// logout, the user and session calls, and the account API. Tokens are JWTs whose "exp" follows
// Clock. Every token it mints is registered with SecretLogGuard.
class FakeAccountService : public QObject
{
    Q_OBJECT

public:
    using Request = LoopbackHttpServer::Request;

    // How the service answers a refresh.
    enum class RefreshMode {
        Rotate,           // a new access and a new refresh token
        KeepRefreshToken, // a new access token only
        OmitAccessToken,  // 200 without an access token
        Reject,           // 401
        Stall,            // never answers
    };

    static inline const QString realm = QStringLiteral("orvandellic");
    static inline const QString clientId = QStringLiteral("calendar-desktop");
    static inline const QString password = QStringLiteral("correct horse battery");

    explicit FakeAccountService(QObject* parent = nullptr);
    ~FakeAccountService() override;

    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:<port>"
    // Points AUTH_API_URL, AUTH_REALM_SLUG, AUTH_CLIENT_ID, ACCOUNT_API_URL, SYNC_API_URL and
    // ACCOUNT_PORTAL_URL at this service.
    void exportEnvironment() const;

    // A signed-in pair as the login would hand out; the access token lives lifetimeSeconds.
    QString mintAccessToken(int lifetimeSeconds);
    QString mintRefreshToken();

    void setAccessTokenLifetime(int seconds) { m_accessLifetime = seconds; }
    void setRefreshMode(RefreshMode mode) { m_refreshMode = mode; }
    // While held, refresh replies wait until releaseRefreshReplies().
    void setHoldRefreshReplies(bool hold) { m_holdRefresh = hold; }
    void releaseRefreshReplies()
    {
        m_holdRefresh = false;
        m_http->releaseHeld();
    }
    // The next count authenticated requests are answered 401 whatever their token.
    void rejectNextAuthenticated(int count) { m_rejectNext = count; }
    // Requests to this path (after the API prefix is removed) are never answered.
    void stallPath(const QString& path) { m_stalledPaths.insert(path); }
    // A fixed answer for one method and path (after the API prefix is removed); with trickleMs
    // above 0 its body is sent one byte per that many milliseconds.
    void setCannedReply(const QByteArray& method, const QString& path, int status,
                        const QByteArray& body, int trickleMs = 0);
    void clearCannedReplies() { m_canned.clear(); }
    // Requests to this method and path (after the API prefix is removed) are answered only on
    // releaseHeld().
    void holdPath(const QByteArray& method, const QString& path)
    {
        m_heldPaths.insert(QString::fromLatin1(method) + QLatin1Char(' ') + path);
    }
    // Later requests to the held paths are answered at once; those held so far stay held.
    void stopHolding() { m_heldPaths.clear(); }
    void releaseHeld()
    {
        m_heldPaths.clear();
        m_http->releaseHeld();
    }

    // The user's group as GET /group answers it (its "id" is the group the tokens name), and the
    // role the tokens minted from now on carry in their claims. An empty group object means no
    // group (404). DELETEs of members and invitations take them out of it.
    void setGroup(const QJsonObject& group, const QString& role);
    QJsonObject group() const { return m_group; }
    // The devices and sessions as the service lists them; DELETEs take entries out.
    void setDevices(const QJsonArray& devices) { m_devices = devices; }
    QJsonArray devices() const { return m_devices; }
    void setSessions(const QJsonArray& sessions) { m_sessions = sessions; }
    QJsonArray sessions() const { return m_sessions; }
    void setDisplayName(const QString& name) { m_displayName = name; }
    QString displayName() const { return m_displayName; }

    QList<Request> requests() const { return m_http->requests(); }
    // Requests whose path ends with the given text.
    int count(const QByteArray& method, const QString& pathSuffix) const
    {
        return m_http->count(method, pathSuffix);
    }

private:
    using Reply = LoopbackHttpServer::Reply;

    Reply dispatch(const Request& request);
    Reply login(const Request& request);
    Reply refresh(const Request& request);
    Reply realmApi(const Request& request, const QString& path);
    Reply accountApi(const Request& request, const QString& path);
    bool authorised(const Request& request);
    QJsonObject userJson() const;
    QJsonObject groupJson() const;
    // Removes the entry whose "id" (or idKey) equals id; false when there is none.
    static bool removeById(QJsonArray& list, const QString& id,
                           const QString& idKey = QStringLiteral("id"));

    LoopbackHttpServer* m_http;
    QHash<QString, qint64> m_validAccess; // token -> expiry, seconds since the epoch
    QSet<QString> m_validRefresh;
    QSet<QString> m_stalledPaths;
    QHash<QString, Reply> m_canned;
    RefreshMode m_refreshMode = RefreshMode::Rotate;
    bool m_holdRefresh = false;
    int m_rejectNext = 0;
    int m_accessLifetime = 3600;
    int m_serial = 0;
    QString m_displayName = QStringLiteral("Ada Lovelace");
    QSet<QString> m_heldPaths;
    QString m_groupId;
    QString m_role = QStringLiteral("owner");
    QJsonObject m_group;
    QJsonArray m_devices;
    QJsonArray m_sessions;
};
