// Untrusted multistatus replies through every parser. Besides not crashing, each result keeps
// its promise: object hrefs are paths that name objects on the collection's own server and
// survive a multiget body unchanged, and discovered calendars are absolute with a component.
// What a reply gives back goes into the request bodies built from it (a calendar's name, colour
// and description, a component name, a uid turned into an href): each body stays well-formed
// XML with exactly the elements it has for plain values, and a new href stays one segment inside
// its collection.
#include "CalDavHref.h"
#include "DavXml.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Names the line of a broken promise, so a finding says which one without a debugger.
void require(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

// The number of elements in the body; -1 when it is not well-formed XML.
int elementCount(const QByteArray& body)
{
    QXmlStreamReader reader(body);
    int elements = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            ++elements;
    }
    return reader.hasError() ? -1 : elements;
}

QString plain(const QString& value, const char* stand)
{
    return value.isEmpty() ? QString() : QString::fromLatin1(stand);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const QUrl server(QStringLiteral("https://dav.example.test:8443"));
    const QUrl collection(QStringLiteral("https://dav.example.test:8443/cal/work/"));

    DavXml::parsePrincipal(body, server);
    DavXml::parseHomeSet(body, server);
    DavXml::parseCtag(body);
    for (const auto& calendar : DavXml::parseCalendars(body, server)) {
        require(!calendar.supportedComponents.isEmpty());
        require(calendar.color.isEmpty() || calendar.color.size() == 7);
        require(!QUrl(calendar.href).isRelative());

        const QString name = plain(calendar.displayName, "name");
        const QString color = plain(calendar.color, "#102030");
        const QString description = plain(calendar.description, "about");
        const int patch = elementCount(
            DavXml::proppatchCalendar(calendar.displayName, calendar.color, calendar.description));
        require(patch > 0 &&
                patch == elementCount(DavXml::proppatchCalendar(name, color, description)));
        const int create = elementCount(
            DavXml::mkcalendar(calendar.displayName, calendar.color, calendar.description));
        require(create > 0 && create == elementCount(DavXml::mkcalendar(name, color, description)));
        const bool ranged = size > 0 && (data[0] & 1);
        const QDateTime from =
            ranged ? QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC) : QDateTime();
        const QDateTime to = ranged ? from.addDays(42) : QDateTime();
        for (const QString& component : calendar.supportedComponents) {
            const int query = elementCount(DavXml::calendarQuery(from, to, component));
            require(query > 0 && query == elementCount(DavXml::calendarQuery(
                                              from, to, QStringLiteral("VEVENT"))));
        }
    }

    QStringList hrefs;
    for (const auto& resource : DavXml::parseResources(body, collection)) {
        require(resource.href.startsWith(QLatin1Char('/')));
        require(!CalDavHref::displayPath(resource.href).endsWith(QLatin1Char('/')));
        const QUrl url = CalDavHref::resourceUrl(collection, resource.href);
        require(url.host() == collection.host() && url.port() == collection.port());
        require(url.scheme() == collection.scheme());
        hrefs.append(resource.href);

        // A uid from another device becomes one path segment of a new object in the collection.
        const QString created = CalDavHref::createHref(collection, resource.etag);
        const QString prefix = collection.path(QUrl::FullyEncoded);
        require(created.startsWith(prefix) && created.endsWith(QLatin1String(".ics")));
        require(!created.mid(prefix.size()).contains(QLatin1Char('/')));
        const QUrl createdUrl = CalDavHref::resourceUrl(collection, created);
        require(createdUrl.host() == collection.host() &&
                createdUrl.path(QUrl::FullyEncoded) == created);
    }

    // The multiget of what was read gives back exactly those hrefs.
    QXmlStreamReader reader(DavXml::calendarMultiget(hrefs));
    QStringList again;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.name() == QLatin1String("href"))
            again.append(reader.readElementText());
    }
    require(!reader.hasError());
    require(again == hrefs);
    return 0;
}
