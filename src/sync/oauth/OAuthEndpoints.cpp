#include "OAuthEndpoints.h"

#include <QDebug>
#include <QUrl>

namespace OAuthEndpoints {

namespace {

QString configured(const char* variable, const char* published)
{
    const QString value = qEnvironmentVariable(variable).trimmed();
    if (!value.isEmpty() && !isAllowed(value))
        qWarning().noquote() << "[OAuth]" << variable
                             << "ignored: only https, or http to 127.0.0.1, is allowed";
    return choose(value, QString::fromLatin1(published));
}

QString microsoftEndpoint(const char* leaf)
{
    return microsoftAuthority() + QLatin1Char('/') + QLatin1String(microsoftTenant) +
           QStringLiteral("/oauth2/v2.0/") + QLatin1String(leaf);
}

} // namespace

bool isAllowed(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return false;
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("https"))
        return true;
    return scheme == QLatin1String("http") && url.host() == QLatin1String("127.0.0.1");
}

QString choose(const QString& configured, const QString& published)
{
    QString address = isAllowed(configured) ? configured : published;
    if (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

QString googleAuthorizationUrl()
{
    return configured(googleAuthVariable, publishedGoogleAuth);
}

QString googleTokenUrl()
{
    return configured(googleTokenVariable, publishedGoogleToken);
}

QString googleApiBase()
{
    return configured(googleApiVariable, publishedGoogleApi);
}

QString microsoftAuthority()
{
    return configured(microsoftAuthorityVariable, publishedMicrosoftAuthority);
}

QString microsoftAuthorizationUrl()
{
    return microsoftEndpoint("authorize");
}

QString microsoftTokenUrl()
{
    return microsoftEndpoint("token");
}

} // namespace OAuthEndpoints
