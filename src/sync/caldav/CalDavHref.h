#pragma once

#include <QString>
#include <QUrl>

// Where a calendar object lives: the URLs built from a collection URL and a server href. Hrefs
// stay percent-encoded everywhere; only displayPath decodes, for logs and screens.
namespace CalDavHref {

// The collection URL's scheme, user info, host and port with the given encoded path and no query
// or fragment. Whatever the href holds ("//other-host/x", "http://other/x", "?q"), the result
// names the collection's own server. An empty href gives the collection URL itself.
QUrl resourceUrl(const QUrl& collectionUrl, const QString& href);

// The encoded path of a new object: the collection's path ending in "/", then the uid
// percent-encoded as one path segment, then ".ics". Store it as the object's href.
QString createHref(const QUrl& collectionUrl, const QString& uid);

// The collection URL with its path ending in "/".
QUrl collectionWithSlash(const QUrl& collectionUrl);

// The href with its percent-encoding decoded, for display only.
QString displayPath(const QString& href);

} // namespace CalDavHref
