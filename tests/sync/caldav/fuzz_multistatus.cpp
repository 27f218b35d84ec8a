// Untrusted multistatus replies through every parser. Besides not crashing, each result keeps
// its promise: object hrefs are paths that name objects on the collection's own server and
// survive a multiget body unchanged, and discovered calendars are absolute with a component.
#include "CalDavHref.h"
#include "DavXml.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
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
    }

    QStringList hrefs;
    for (const auto& resource : DavXml::parseResources(body, collection)) {
        require(resource.href.startsWith(QLatin1Char('/')));
        require(!CalDavHref::displayPath(resource.href).endsWith(QLatin1Char('/')));
        const QUrl url = CalDavHref::resourceUrl(collection, resource.href);
        require(url.host() == collection.host() && url.port() == collection.port());
        require(url.scheme() == collection.scheme());
        hrefs.append(resource.href);
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
