#pragma once

#include <QString>
#include <QStringList>

// Records read from CalDAV multistatus replies.
namespace CalDavParse {

// One calendar collection found on a server.
struct DiscoveredCalendar
{
    QString href; // absolute URL of the collection, percent-encoded as the server wrote it
    QString displayName;
    QString color; // "#RRGGBB" or empty
    QString description;
    QString ctag;
    QString syncToken;
    QStringList supportedComponents; // never empty: "VEVENT" when the server named none
};

// One calendar object resource of a calendar-query or calendar-multiget reply.
struct Resource
{
    // The object's path on the server, percent-encoded as the server sent it (no scheme, host or
    // query). Requests and multigets use it as it is, so an encoded "/" or "%" keeps naming the
    // same object; CalDavHref::displayPath gives the readable form.
    QString href;
    QString etag; // without its surrounding double quotes
    QString calendarData;
};

} // namespace CalDavParse
