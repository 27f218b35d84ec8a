#include "CalDavHref.h"

namespace CalDavHref {

QUrl resourceUrl(const QUrl& collectionUrl, const QString& href)
{
    QUrl url = collectionUrl.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (href.isEmpty())
        return url;
    // Only the path part of whatever the server wrote: an absolute URL or a network-path
    // reference must not move the request to another host.
    const QUrl parsed(href, QUrl::TolerantMode);
    QString path = parsed.isValid() ? parsed.path(QUrl::FullyEncoded) : QString();
    if (parsed.isRelative() && parsed.host().isEmpty() && !path.startsWith(QLatin1Char('/'))) {
        // A relative reference names an object inside the collection.
        const QString base = collectionWithSlash(collectionUrl).path(QUrl::FullyEncoded);
        path = base + path;
    }
    // A path beginning with "//" would read as an authority once the URL is printed.
    while (path.startsWith(QLatin1String("//")))
        path.remove(0, 1);
    url.setPath(path.isEmpty() ? QStringLiteral("/") : path, QUrl::TolerantMode);
    return url;
}

QUrl collectionWithSlash(const QUrl& collectionUrl)
{
    QUrl url = collectionUrl.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    const QString path = url.path(QUrl::FullyEncoded);
    if (!path.endsWith(QLatin1Char('/')))
        url.setPath(path + QLatin1Char('/'), QUrl::TolerantMode);
    return url;
}

QString createHref(const QUrl& collectionUrl, const QString& uid)
{
    return collectionWithSlash(collectionUrl).path(QUrl::FullyEncoded) +
           QString::fromLatin1(QUrl::toPercentEncoding(uid)) + QStringLiteral(".ics");
}

QString displayPath(const QString& href)
{
    return QUrl::fromPercentEncoding(href.toUtf8());
}

} // namespace CalDavHref
