#include "FakeAccountService.h"

#include "Clock.h"
#include "SecretLogGuard.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace {

const QString realmApiPrefix =
    QStringLiteral("/auth/api/v1/realms/%1").arg(FakeAccountService::realm);
const QString loginPath = QStringLiteral("/auth/%1/account/login").arg(FakeAccountService::realm);
const QString accountPrefix = QStringLiteral("/account/v1");

QByteArray base64Url(const QByteArray& bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// Any JSON object text; the fixed parts of the service's answers are written this way.
QJsonObject object(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}

LoopbackHttpServer::Reply json(int status, const QJsonObject& object)
{
    return LoopbackHttpServer::json(status, object);
}

LoopbackHttpServer::Reply noContent()
{
    LoopbackHttpServer::Reply reply;
    reply.status = 204;
    return reply;
}

QJsonObject error(const char* text)
{
    return {{QStringLiteral("error"), QLatin1String(text)}};
}

} // namespace

FakeAccountService::FakeAccountService(QObject* parent)
    : QObject(parent), m_http(new LoopbackHttpServer(
                           [this](const Request& request) { return dispatch(request); }, this))
{
    m_devices = QJsonDocument::fromJson(R"([
            {"id":"dev-1","device_name":"Laptop","platform":"linux"},
            {"id":"dev-2","device_name":"Phone"}])")
                    .array();
    for (const char* id : {"s-1", "s-2"}) {
        QJsonObject session = object(R"({"user_agent":"Calendar","ip_address":"127.0.0.1",
                                         "created_at":"2025-01-02T03:04:05Z"})");
        session.insert(QStringLiteral("id"), QLatin1String(id));
        session.insert(QStringLiteral("is_current"), m_sessions.isEmpty());
        m_sessions.append(session);
    }
}

void FakeAccountService::setGroup(const QJsonObject& group, const QString& role)
{
    m_group = group;
    m_groupId = group.value(QLatin1String("id")).toString();
    m_role = role;
}

bool FakeAccountService::removeById(QJsonArray& list, const QString& id, const QString& idKey)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).toObject().value(idKey).toString() == id) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

FakeAccountService::~FakeAccountService() = default;

quint16 FakeAccountService::port() const
{
    return m_http->port();
}

QString FakeAccountService::baseUrl() const
{
    return m_http->origin();
}

void FakeAccountService::exportEnvironment() const
{
    const QByteArray base = baseUrl().toUtf8();
    qputenv("AUTH_API_URL", base + "/auth");
    qputenv("AUTH_REALM_SLUG", realm.toUtf8());
    qputenv("AUTH_CLIENT_ID", clientId.toUtf8());
    qputenv("ACCOUNT_API_URL", base + accountPrefix.toUtf8());
    qputenv("SYNC_API_URL", base + "/calendar/v1");
    qputenv("ACCOUNT_PORTAL_URL", base + "/portal");
}

QString FakeAccountService::mintAccessToken(int lifetimeSeconds)
{
    const qint64 expiry = Clock::now().toSecsSinceEpoch() + lifetimeSeconds;
    QJsonObject orv;
    if (!m_groupId.isEmpty())
        orv = {{QStringLiteral("group_id"), m_groupId}, {QStringLiteral("role"), m_role}};
    const QJsonObject payload{
        {QStringLiteral("sub"), QStringLiteral("user-1")},
        {QStringLiteral("exp"), expiry},
        {QStringLiteral("jti"), ++m_serial},
        {QStringLiteral("custom"), QJsonObject{{QStringLiteral("orv"), orv}}}};
    const QString token =
        QString::fromLatin1(base64Url(R"({"alg":"HS256","typ":"JWT"})") + '.' +
                            base64Url(QJsonDocument(payload).toJson(QJsonDocument::Compact)) + '.' +
                            base64Url(QByteArray::number(m_serial) + "-signature-not-checked"));
    m_validAccess.insert(token, expiry);
    SecretLogGuard::addSecret(token);
    return token;
}

QString FakeAccountService::mintRefreshToken()
{
    const QString token = QStringLiteral("refresh-%1-%2").arg(++m_serial).arg(port());
    m_validRefresh.insert(token);
    SecretLogGuard::addSecret(token);
    return token;
}

void FakeAccountService::setCannedReply(const QByteArray& method, const QString& path, int status,
                                        const QByteArray& body, int trickleMs)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.trickleMs = trickleMs;
    m_canned.insert(QString::fromLatin1(method) + QLatin1Char(' ') + path, reply);
}

FakeAccountService::Reply FakeAccountService::dispatch(const Request& request)
{
    QString path = request.path;
    bool realmCall = false;
    if (path.startsWith(realmApiPrefix)) {
        path = path.mid(realmApiPrefix.size());
        realmCall = true;
    } else if (path.startsWith(accountPrefix)) {
        path = path.mid(accountPrefix.size());
    } else if (path == loginPath) {
        return login(request);
    } else {
        return json(404, {});
    }
    Reply stalled;
    stalled.stall = true;
    if (m_stalledPaths.contains(path))
        return stalled;
    const QString key = QString::fromLatin1(request.method) + QLatin1Char(' ') + path;
    const auto canned = m_canned.constFind(key);
    if (canned != m_canned.constEnd()) {
        Reply reply = *canned;
        reply.hold = m_heldPaths.contains(key);
        return reply;
    }
    if (m_heldPaths.contains(key)) {
        Reply reply = realmCall ? realmApi(request, path) : accountApi(request, path);
        reply.hold = true;
        return reply;
    }
    if (realmCall && path == QLatin1String("/auth/token/refresh")) {
        if (m_refreshMode == RefreshMode::Stall)
            return stalled;
        Reply reply = refresh(request);
        reply.hold = m_holdRefresh;
        return reply;
    }
    return realmCall ? realmApi(request, path) : accountApi(request, path);
}

FakeAccountService::Reply FakeAccountService::login(const Request& request)
{
    if (request.query.queryItemValue(QStringLiteral("client_id")) != clientId)
        return json(400, error("unknown client"));
    QUrl redirect(request.query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("access_token"), mintAccessToken(m_accessLifetime));
    query.addQueryItem(QStringLiteral("refresh_token"), mintRefreshToken());
    const QString state = request.query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
    query.addQueryItem(QStringLiteral("state"),
                       QString::fromLatin1(QUrl::toPercentEncoding(state)));
    redirect.setQuery(query);
    Reply reply = json(302, {});
    reply.body.clear();
    reply.headers.append({"Location", redirect.toEncoded()});
    return reply;
}

FakeAccountService::Reply FakeAccountService::refresh(const Request& request)
{
    const QString presented = request.json().value(QStringLiteral("refresh_token")).toString();
    if (m_refreshMode == RefreshMode::Reject || !m_validRefresh.contains(presented))
        return json(401, error("invalid_grant"));
    if (m_refreshMode == RefreshMode::OmitAccessToken)
        return json(200, object(R"({"token_type":"bearer"})"));
    QJsonObject answer{{QStringLiteral("access_token"), mintAccessToken(m_accessLifetime)}};
    if (m_refreshMode == RefreshMode::Rotate) {
        m_validRefresh.remove(presented);
        answer.insert(QStringLiteral("refresh_token"), mintRefreshToken());
    }
    return json(200, answer);
}

bool FakeAccountService::authorised(const Request& request)
{
    if (m_rejectNext > 0) {
        --m_rejectNext;
        return false;
    }
    const QByteArray header = request.headers.value("authorization");
    if (!header.startsWith("Bearer "))
        return false;
    const auto it = m_validAccess.constFind(QString::fromLatin1(header.mid(7)));
    return it != m_validAccess.constEnd() && Clock::now().toSecsSinceEpoch() < *it;
}

FakeAccountService::Reply FakeAccountService::realmApi(const Request& request, const QString& path)
{
    if (!authorised(request))
        return json(401, error("unauthorized"));
    const QByteArray& method = request.method;
    if (method == "POST" && path == QLatin1String("/auth/logout")) {
        m_validAccess.remove(QString::fromLatin1(request.headers.value("authorization").mid(7)));
        return noContent();
    }
    if (path == QLatin1String("/users/me") && (method == "GET" || method == "PATCH")) {
        if (method == "PATCH")
            m_displayName = request.json().value(QStringLiteral("display_name")).toString();
        return json(200, userJson());
    }
    if (method == "POST" && path == QLatin1String("/users/me/password")) {
        const bool right =
            request.json().value(QStringLiteral("current_password")).toString() == password;
        return right ? noContent() : json(400, error("wrong password"));
    }
    if (method == "GET" && path == QLatin1String("/users/me/sessions"))
        return json(200, {{QStringLiteral("sessions"), m_sessions}});
    if (method == "DELETE" && path.startsWith(QLatin1String("/users/me/sessions/"))) {
        removeById(m_sessions, path.section(QLatin1Char('/'), -1));
        return noContent();
    }
    return json(404, {});
}

FakeAccountService::Reply FakeAccountService::accountApi(const Request& request,
                                                         const QString& path)
{
    if (!authorised(request))
        return json(401, error("unauthorized"));
    const QByteArray& method = request.method;
    if (method == "GET" && path == QLatin1String("/profile")) {
        QJsonObject profile = object(
            R"({"id":"acct-1","email":"ada@example.org","created_at":"2024-05-06T07:08:09Z"})");
        profile.insert(QStringLiteral("display_name"), m_displayName);
        if (!m_groupId.isEmpty()) {
            QJsonObject group = object(R"({"name":"Family","role":"owner","member_count":2})");
            group.insert(QStringLiteral("id"), m_groupId);
            profile.insert(QStringLiteral("group"), group);
        }
        return json(200, profile);
    }
    if (method == "DELETE") {
        const QString id = path.section(QLatin1Char('/'), -1);
        if (path.startsWith(QLatin1String("/devices/")))
            removeById(m_devices, id);
        if (path.startsWith(QLatin1String("/group/members/")) ||
            path.startsWith(QLatin1String("/group/invitations/"))) {
            const bool member = path.startsWith(QLatin1String("/group/members/"));
            const QString listKey =
                member ? QStringLiteral("members") : QStringLiteral("pending_invitations");
            QJsonArray list = m_group.value(listKey).toArray();
            removeById(list, id, member ? QStringLiteral("account_id") : QStringLiteral("id"));
            if (!m_group.isEmpty())
                m_group.insert(listKey, list);
        }
        if (path == QLatin1String("/profile") || path.startsWith(QLatin1String("/devices/")) ||
            path.startsWith(QLatin1String("/group/members/")) ||
            path.startsWith(QLatin1String("/group/invitations/")))
            return noContent();
    }
    if (method == "GET" && path == QLatin1String("/devices"))
        return json(200, {{QStringLiteral("devices"), m_devices}});
    if (method == "GET" && path == QLatin1String("/group")) {
        if (m_groupId.isEmpty())
            return json(404, {});
        return json(200, groupJson());
    }
    if (method == "POST" && path == QLatin1String("/group/invite")) {
        QJsonObject invitation = object(R"({"id":"inv-1","invite_code":"JOIN-1234",
            "status":"pending","expires_at":"2030-01-01T00:00:00Z"})");
        invitation.insert(QStringLiteral("invited_email"),
                          request.json().value(QStringLiteral("email")));
        return json(200, invitation);
    }
    if (method == "POST" && path.startsWith(QLatin1String("/group/join/"))) {
        if (path.section(QLatin1Char('/'), -1) != QLatin1String("JOIN-1234"))
            return json(404, error("unknown code"));
        m_groupId = QStringLiteral("group-1");
        return json(200, {});
    }
    if (method == "POST" && path == QLatin1String("/group/leave")) {
        m_groupId.clear();
        m_group = {};
        return noContent();
    }
    return json(404, {});
}

QJsonObject FakeAccountService::userJson() const
{
    QJsonObject user = object(R"({"id":"user-1","email":"ada@example.org","username":"ada",
                                  "created_at":"2024-05-06T07:08:09Z"})");
    user.insert(QStringLiteral("display_name"), m_displayName);
    return user;
}

QJsonObject FakeAccountService::groupJson() const
{
    if (!m_group.isEmpty())
        return m_group;
    QJsonObject group = object(R"({"name":"Family","max_seats":6,"pending_invitations":[],
        "members":[{"account_id":"acct-1","display_name":"Ada Lovelace","role":"owner"},
                   {"account_id":"acct-2","display_name":"Charles","role":"member"}]})");
    group.insert(QStringLiteral("id"), m_groupId);
    return group;
}
