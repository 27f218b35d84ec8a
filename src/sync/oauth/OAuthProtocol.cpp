#include "OAuthProtocol.h"

#include "Limits.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRandomGenerator64>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <optional>
#include <vector>

namespace OAuthProtocol {

namespace {

QString base64Url(const QByteArray& bytes)
{
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString stringMember(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    return value.isString() ? value.toString() : QString();
}

// Two spaces around the request target; nothing else of the request line is read.
std::optional<QByteArray> requestTarget(const QByteArray& head)
{
    const qsizetype first = head.indexOf(' ');
    if (first < 0)
        return std::nullopt;
    const qsizetype lineEnd = head.indexOf('\n');
    const qsizetype second = head.indexOf(' ', first + 1);
    if (second < 0 || (lineEnd >= 0 && second > lineEnd))
        return std::nullopt;
    return head.mid(first + 1, second - first - 1);
}

} // namespace

QString tokenKey(Provider provider, const QString& accountId)
{
    return (provider == Provider::Google ? QStringLiteral("google-tokens-")
                                         : QStringLiteral("microsoft-tokens-")) +
           accountId;
}

QString encodeTokens(const Tokens& tokens)
{
    // QJsonObject keeps its members sorted, which is the stored order.
    QJsonObject object;
    object.insert(QStringLiteral("access_token"), tokens.accessToken);
    object.insert(QStringLiteral("expires_at"),
                  tokens.expiresAt.isValid() ? tokens.expiresAt.toUTC().toString(Qt::ISODateWithMs)
                                             : QString());
    object.insert(QStringLiteral("refresh_token"), tokens.refreshToken);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

Tokens decodeTokens(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return {};
    const QJsonObject object = document.object();
    Tokens tokens;
    tokens.accessToken = stringMember(object, "access_token");
    tokens.refreshToken = stringMember(object, "refresh_token");
    const QString expiry = stringMember(object, "expires_at");
    if (!expiry.isEmpty())
        tokens.expiresAt = QDateTime::fromString(expiry, Qt::ISODateWithMs).toUTC();
    return tokens;
}

QString randomUrlSafeToken(int byteCount)
{
    std::vector<quint32> words(static_cast<size_t>(byteCount / 4));
    QRandomGenerator64::system()->fillRange(words.data(), static_cast<qsizetype>(words.size()));
    return base64Url(QByteArray(reinterpret_cast<const char*>(words.data()),
                                static_cast<qsizetype>(words.size() * sizeof(quint32))));
}

QString pkceChallenge(const QString& codeVerifier)
{
    return base64Url(QCryptographicHash::hash(codeVerifier.toUtf8(), QCryptographicHash::Sha256));
}

QJsonObject decodeJwtPayload(const QString& jwt)
{
    const QStringList parts = jwt.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return {};
    QByteArray payload = parts.at(1).toUtf8();
    while (payload.size() % 4 != 0)
        payload.append('=');
    const QByteArray json = QByteArray::fromBase64(payload, QByteArray::Base64UrlEncoding);
    return QJsonDocument::fromJson(json).object();
}

QString scope(Provider provider)
{
    if (provider == Provider::Google)
        return QStringLiteral("openid email profile https://www.googleapis.com/auth/calendar "
                              "https://www.googleapis.com/auth/calendar.events");
    return QStringLiteral("openid profile email offline_access User.Read Calendars.ReadWrite "
                          "Calendars.ReadWrite.Shared");
}

Fields authorizationQuery(Provider provider, const QString& clientId, const QString& redirectUri,
                          const QString& challenge, const QString& state)
{
    const QString method = QStringLiteral("S256");
    if (provider == Provider::Google)
        return {{QStringLiteral("client_id"), clientId},
                {QStringLiteral("redirect_uri"), redirectUri},
                {QStringLiteral("response_type"), QStringLiteral("code")},
                {QStringLiteral("scope"), scope(provider)},
                {QStringLiteral("code_challenge"), challenge},
                {QStringLiteral("code_challenge_method"), method},
                {QStringLiteral("state"), state},
                {QStringLiteral("access_type"), QStringLiteral("offline")},
                {QStringLiteral("prompt"), QStringLiteral("consent")}};
    return {{QStringLiteral("client_id"), clientId},
            {QStringLiteral("response_type"), QStringLiteral("code")},
            {QStringLiteral("redirect_uri"), redirectUri},
            {QStringLiteral("scope"), scope(provider)},
            {QStringLiteral("code_challenge"), challenge},
            {QStringLiteral("code_challenge_method"), method},
            {QStringLiteral("state"), state},
            {QStringLiteral("response_mode"), QStringLiteral("query")},
            {QStringLiteral("prompt"), QStringLiteral("select_account")}};
}

Fields exchangeForm(Provider provider, const QString& clientId, const QString& clientSecret,
                    const QString& code, const QString& codeVerifier, const QString& redirectUri)
{
    const QString grant = QStringLiteral("authorization_code");
    if (provider == Provider::Google)
        return {{QStringLiteral("client_id"), clientId},
                {QStringLiteral("client_secret"), clientSecret},
                {QStringLiteral("code"), code},
                {QStringLiteral("code_verifier"), codeVerifier},
                {QStringLiteral("redirect_uri"), redirectUri},
                {QStringLiteral("grant_type"), grant}};
    return {
        {QStringLiteral("client_id"), clientId}, {QStringLiteral("scope"), scope(provider)},
        {QStringLiteral("code"), code},          {QStringLiteral("redirect_uri"), redirectUri},
        {QStringLiteral("grant_type"), grant},   {QStringLiteral("code_verifier"), codeVerifier}};
}

Fields refreshForm(Provider provider, const QString& clientId, const QString& clientSecret,
                   const QString& refreshToken)
{
    const QString grant = QStringLiteral("refresh_token");
    if (provider == Provider::Google)
        return {{QStringLiteral("client_id"), clientId},
                {QStringLiteral("client_secret"), clientSecret},
                {QStringLiteral("refresh_token"), refreshToken},
                {QStringLiteral("grant_type"), grant}};
    return {{QStringLiteral("client_id"), clientId},
            {QStringLiteral("scope"), scope(provider)},
            {QStringLiteral("refresh_token"), refreshToken},
            {QStringLiteral("grant_type"), grant}};
}

QByteArray formBody(const Fields& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body.append('&');
        body.append(QUrl::toPercentEncoding(name));
        body.append('=');
        body.append(QUrl::toPercentEncoding(value));
    }
    return body;
}

TokenReply parseTokenReply(const QByteArray& body)
{
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    TokenReply reply;
    reply.accessToken = stringMember(object, "access_token");
    reply.refreshToken = stringMember(object, "refresh_token");
    reply.idToken = stringMember(object, "id_token");
    const QJsonValue expiresIn = object.value(QLatin1String("expires_in"));
    // Bounded before it becomes an integer: a double beyond the range of one does not convert.
    const double bound = double(Limits::maxAccessTokenLifetimeSeconds);
    bool valid = expiresIn.isDouble();
    qint64 seconds = valid ? static_cast<qint64>(std::clamp(expiresIn.toDouble(), -1.0, bound)) : 0;
    if (expiresIn.isString())
        seconds = expiresIn.toString().toLongLong(&valid);
    if (valid && seconds > 0)
        reply.expiresInSeconds = std::min<qint64>(seconds, Limits::maxAccessTokenLifetimeSeconds);
    return reply;
}

bool refusesGrant(int status, const QByteArray& body)
{
    return (status == 400 || status == 401) &&
           stringMember(QJsonDocument::fromJson(body).object(), "error") ==
               QLatin1String("invalid_grant");
}

Identity identityFromIdToken(Provider provider, const QString& idToken)
{
    const QJsonObject claims = decodeJwtPayload(idToken);
    Identity identity;
    identity.email = stringMember(claims, "email");
    if (identity.email.isEmpty() && provider == Provider::Microsoft)
        identity.email = stringMember(claims, "preferred_username");
    identity.displayName = stringMember(claims, "name");
    return identity;
}

CallbackDecision judgeCallback(Provider provider, const QByteArray& received,
                               const QString& expectedState, qint64 maxBytes)
{
    CallbackDecision decision;
    qsizetype headEnd = received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        headEnd = received.indexOf("\n\n");
    if (headEnd < 0) {
        decision.verdict = received.size() > maxBytes ? Verdict::Reject : Verdict::Incomplete;
        return decision;
    }
    const std::optional<QByteArray> target = requestTarget(received.left(headEnd));
    if (!target || target->isEmpty()) {
        decision.verdict = Verdict::Reject;
        return decision;
    }
    // Form encoding: a plus is a space (a plus itself arrives as %2B).
    QString queryText =
        QUrl(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(*target)).query();
    queryText.replace(QLatin1Char('+'), QStringLiteral("%20"));
    const QUrlQuery query(queryText);
    const auto item = [&query](const char* name) {
        return query.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
    };
    const QString state = item("state");
    if (state.isEmpty() || state != expectedState) {
        decision.verdict = Verdict::Reject;
        return decision;
    }
    const QString error = item("error");
    if (!error.isEmpty()) {
        const QString description = item("error_description");
        decision.verdict = Verdict::Denied;
        decision.detail =
            provider == Provider::Microsoft && !description.isEmpty() ? description : error;
        return decision;
    }
    decision.code = item("code");
    decision.verdict = decision.code.isEmpty() ? Verdict::NoCode : Verdict::Accept;
    return decision;
}

} // namespace OAuthProtocol
