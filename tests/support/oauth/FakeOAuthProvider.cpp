#include "FakeOAuthProvider.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

QByteArray base64Url(const QByteArray& bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

LoopbackHttpServer::Reply oauthError(const QString& error)
{
    return LoopbackHttpServer::json(400, {{QStringLiteral("error"), error}});
}

} // namespace

FakeOAuthProvider::FakeOAuthProvider(QObject* parent)
    : QObject(parent),
      m_http(new LoopbackHttpServer(
          [this](const LoopbackHttpServer::Request& request) {
              if (request.method == "GET" && (request.path.endsWith(QLatin1String("/auth")) ||
                                              request.path.endsWith(QLatin1String("/authorize"))))
                  return authorize(request);
              if (request.method == "POST" && request.path.endsWith(QLatin1String("/token"))) {
                  LoopbackHttpServer::Reply reply = token(request);
                  reply.hold = m_holdTokens;
                  return reply;
              }
              LoopbackHttpServer::Reply missing;
              missing.status = 404;
              return missing;
          },
          this))
{
}

void FakeOAuthProvider::exportEnvironment() const
{
    qputenv("GOOGLE_AUTH_URL", (origin() + QStringLiteral("/o/oauth2/v2/auth")).toUtf8());
    qputenv("GOOGLE_TOKEN_URL", (origin() + QStringLiteral("/token")).toUtf8());
    qputenv("MICROSOFT_AUTHORITY_URL", origin().toUtf8());
    qputenv("CALENDAR_OAUTH_CLIENT_ID", "test-client");
    qputenv("CALENDAR_OAUTH_CLIENT_SECRET", "test-secret");
}

void FakeOAuthProvider::setIdentity(const QString& email, const QString& name)
{
    m_email = email;
    m_name = name;
}

QByteArray FakeOAuthProvider::rejectedBody()
{
    return R"({"error":"invalid_grant","error_description":"Bad Request"})";
}

QString FakeOAuthProvider::issueRefreshToken()
{
    const QString refresh = QStringLiteral("refresh-%1").arg(++m_serial);
    m_refreshTokens.insert(refresh);
    return refresh;
}

int FakeOAuthProvider::tokenRequests() const
{
    int total = 0;
    for (const LoopbackHttpServer::Request& request : m_http->requests())
        total += request.method == "POST" && request.path.endsWith(QLatin1String("/token"));
    return total;
}

LoopbackHttpServer::Reply FakeOAuthProvider::authorize(const LoopbackHttpServer::Request& request)
{
    const auto item = [&request](const char* name) {
        return request.query.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
    };
    QUrl target(item("redirect_uri"));
    QUrlQuery answer;
    if (m_deny) {
        m_deny = false;
        answer.addQueryItem(QStringLiteral("error"), QStringLiteral("access_denied"));
        answer.addQueryItem(QStringLiteral("error_description"),
                            QStringLiteral("The user declined"));
    } else {
        const QString code = QStringLiteral("code-%1").arg(++m_serial);
        m_codes.insert(code, {item("code_challenge"), item("redirect_uri")});
        answer.addQueryItem(QStringLiteral("code"), code);
    }
    answer.addQueryItem(QStringLiteral("state"), item("state"));
    target.setQuery(answer);
    LoopbackHttpServer::Reply reply;
    reply.status = 302;
    reply.contentType = "text/plain";
    reply.headers.append({"Location", target.toEncoded()});
    return reply;
}

LoopbackHttpServer::Reply FakeOAuthProvider::token(const LoopbackHttpServer::Request& request)
{
    const QUrlQuery form(QString::fromUtf8(request.body));
    const auto field = [&form](const char* name) {
        return form.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
    };
    if (m_failureStatus != 0) {
        LoopbackHttpServer::Reply failure;
        failure.status = m_failureStatus;
        failure.body = m_failureBody;
        return failure;
    }
    if (m_tokenMode == TokenMode::Stall) {
        LoopbackHttpServer::Reply stalled;
        stalled.stall = true;
        return stalled;
    }
    if (m_tokenMode == TokenMode::Rejected) {
        LoopbackHttpServer::Reply rejected;
        rejected.status = 400;
        rejected.body = rejectedBody();
        return rejected;
    }
    if (field("client_id") != QLatin1String("test-client"))
        return oauthError(QStringLiteral("invalid_client"));
    const QString grant = field("grant_type");
    if (grant == QLatin1String("authorization_code")) {
        const auto issued = m_codes.take(field("code"));
        const QString challenge = QString::fromLatin1(base64Url(
            QCryptographicHash::hash(field("code_verifier").toUtf8(), QCryptographicHash::Sha256)));
        if (issued.first.isEmpty() || issued.first != challenge ||
            issued.second != field("redirect_uri"))
            return oauthError(QStringLiteral("invalid_grant"));
        return issue(m_tokenMode != TokenMode::NoRefreshToken);
    }
    if (grant == QLatin1String("refresh_token")) {
        if (!m_refreshTokens.contains(field("refresh_token")))
            return oauthError(QStringLiteral("invalid_grant"));
        return issue(m_tokenMode == TokenMode::RotateRefresh);
    }
    return oauthError(QStringLiteral("unsupported_grant_type"));
}

LoopbackHttpServer::Reply FakeOAuthProvider::issue(bool withRefreshToken)
{
    QJsonObject body;
    if (m_tokenMode != TokenMode::NoAccessToken) {
        m_lastAccessToken = QStringLiteral("access-%1").arg(++m_serial);
        body.insert(QStringLiteral("access_token"), m_lastAccessToken);
    }
    if (withRefreshToken || m_tokenMode == TokenMode::NoAccessToken)
        body.insert(QStringLiteral("refresh_token"), issueRefreshToken());
    body.insert(QStringLiteral("id_token"), idToken());
    body.insert(QStringLiteral("expires_in"), 3599);
    body.insert(QStringLiteral("token_type"), QStringLiteral("Bearer"));
    return LoopbackHttpServer::json(200, body);
}

QString FakeOAuthProvider::idToken() const
{
    const QJsonObject header{{QStringLiteral("alg"), QStringLiteral("RS256")}};
    const QJsonObject claims{{QStringLiteral("email"), m_email}, {QStringLiteral("name"), m_name}};
    return QString::fromLatin1(
        base64Url(QJsonDocument(header).toJson(QJsonDocument::Compact)) + '.' +
        base64Url(QJsonDocument(claims).toJson(QJsonDocument::Compact)) + ".c2lnbmF0dXJl");
}
