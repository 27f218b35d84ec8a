#include "DavXml.h"

#include <QBuffer>
#include <QTimeZone>
#include <QXmlStreamReader>

namespace DavXml {

namespace {

const QByteArray declaration = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");

QByteArray lines(std::initializer_list<QByteArray> parts)
{
    QByteArray out = declaration;
    for (const QByteArray& part : parts)
        out += part + '\n';
    return out;
}

QByteArray ns(const char* uri)
{
    return QByteArray(uri);
}

// A reader of a reply body that decodes it piece by piece. Over a byte array the reader would
// turn the whole body into UTF-16 text before the first token, which for a calendar of many
// megabytes costs twice its size again at the worst moment.
class BodyReader
{
public:
    explicit BodyReader(const QByteArray& body)
    {
        m_device.setData(body);
        m_device.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_device);
    }
    BodyReader(const BodyReader&) = delete;
    BodyReader& operator=(const BodyReader&) = delete;

    QXmlStreamReader& reader() { return m_reader; }

private:
    QBuffer m_device;
    QXmlStreamReader m_reader;
};

bool is(const QXmlStreamReader& reader, const char* uri, const char* name)
{
    return reader.namespaceUri() == QLatin1String(uri) && reader.name() == QLatin1String(name);
}

// Character data of the current element; a child element where text is expected is an error of
// the document and ends the pass (the text so far is kept).
QString text(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
}

QUrl resolve(const QUrl& baseUrl, const QString& href)
{
    return baseUrl.resolved(QUrl(href.trimmed(), QUrl::TolerantMode));
}

// Scans for the outer element and returns the first href inside it.
std::optional<QUrl> firstHrefInside(const QByteArray& body, const QUrl& baseUrl, const char* uri,
                                    const char* outer)
{
    BodyReader source(body);
    QXmlStreamReader& reader = source.reader();
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || !is(reader, uri, outer))
            continue;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && is(reader, uri, outer))
                break;
            if (token == QXmlStreamReader::StartElement && is(reader, davNamespace, "href")) {
                const QString href = text(reader);
                if (href.trimmed().isEmpty())
                    return std::nullopt;
                return resolve(baseUrl, href);
            }
        }
    }
    return std::nullopt;
}

QString stripQuotes(const QString& etag)
{
    if (etag.size() >= 2 && etag.startsWith(QLatin1Char('"')) && etag.endsWith(QLatin1Char('"')))
        return etag.mid(1, etag.size() - 2);
    return etag;
}

} // namespace

QByteArray principalPropfind()
{
    return lines({
        "<d:propfind xmlns:d=\"DAV:\">",
        "  <d:prop>",
        "    <d:current-user-principal/>",
        "  </d:prop>",
        "</d:propfind>",
    });
}

QByteArray homeSetPropfind()
{
    return lines({
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">",
        "  <d:prop>",
        "    <c:calendar-home-set/>",
        "    <d:displayname/>",
        "  </d:prop>",
        "</d:propfind>",
    });
}

QByteArray calendarListPropfind()
{
    return lines({
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:cs=\"" +
            ns(calendarServerNamespace) + "\" xmlns:ic=\"" + ns(appleIcalNamespace) + "\">",
        "  <d:prop>",
        "    <d:resourcetype/>",
        "    <d:displayname/>",
        "    <c:calendar-description/>",
        "    <c:supported-calendar-component-set/>",
        "    <c:calendar-timezone/>",
        "    <ic:calendar-color/>",
        "    <cs:getctag/>",
        "    <d:sync-token/>",
        "    <d:current-user-privilege-set/>",
        "  </d:prop>",
        "</d:propfind>",
    });
}

QByteArray ctagPropfind()
{
    return lines({
        "<d:propfind xmlns:d=\"DAV:\" xmlns:cs=\"" + ns(calendarServerNamespace) + "\">",
        "  <d:prop>",
        "    <cs:getctag/>",
        "    <d:sync-token/>",
        "  </d:prop>",
        "</d:propfind>",
    });
}

QByteArray calendarQuery(const QDateTime& start, const QDateTime& end, const QString& component)
{
    QByteArray out = lines({
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">",
        "  <d:prop>",
        "    <d:getetag/>",
        "    <c:calendar-data/>",
        "  </d:prop>",
        "  <c:filter>",
        "    <c:comp-filter name=\"VCALENDAR\">",
        "      <c:comp-filter name=\"" + escape(component) + "\">",
    });
    if (start.isValid() || end.isValid()) {
        out += "        <c:time-range";
        if (start.isValid())
            out += " start=\"" + utcStamp(start).toLatin1() + '"';
        if (end.isValid())
            out += " end=\"" + utcStamp(end).toLatin1() + '"';
        out += "/>\n";
    }
    out += "      </c:comp-filter>\n"
           "    </c:comp-filter>\n"
           "  </c:filter>\n"
           "</c:calendar-query>\n";
    return out;
}

QByteArray calendarMultiget(const QStringList& hrefs)
{
    QByteArray out = lines({
        "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">",
        "  <d:prop>",
        "    <d:getetag/>",
        "    <c:calendar-data/>",
        "  </d:prop>",
    });
    for (const QString& href : hrefs)
        out += "  <d:href>" + escape(href) + "</d:href>\n";
    out += "</c:calendar-multiget>\n";
    return out;
}

QByteArray mkcalendar(const QString& displayName, const QString& color, const QString& description)
{
    QByteArray out = lines({
        "<c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:ic=\"" +
            ns(appleIcalNamespace) + "\">",
        "  <d:set>",
        "    <d:prop>",
        "      <d:displayname>" + escape(displayName) + "</d:displayname>",
    });
    if (!description.isEmpty())
        out +=
            "      <c:calendar-description>" + escape(description) + "</c:calendar-description>\n";
    out += "      <c:supported-calendar-component-set>\n"
           "        <c:comp name=\"VEVENT\"/>\n"
           "        <c:comp name=\"VTODO\"/>\n"
           "      </c:supported-calendar-component-set>\n";
    if (!color.isEmpty())
        out += "      <ic:calendar-color>" + davColor(color) + "</ic:calendar-color>\n";
    out += "    </d:prop>\n"
           "  </d:set>\n"
           "</c:mkcalendar>\n";
    return out;
}

QByteArray proppatchCalendar(const QString& displayName, const QString& color,
                             const QString& description)
{
    QByteArray out = lines({
        "<d:propertyupdate xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:ic=\"" +
            ns(appleIcalNamespace) + "\">",
        "  <d:set>",
        "    <d:prop>",
    });
    if (!displayName.isEmpty())
        out += "      <d:displayname>" + escape(displayName) + "</d:displayname>\n";
    if (!color.isEmpty())
        out += "      <ic:calendar-color>" + davColor(color) + "</ic:calendar-color>\n";
    if (!description.isEmpty())
        out +=
            "      <c:calendar-description>" + escape(description) + "</c:calendar-description>\n";
    out += "    </d:prop>\n"
           "  </d:set>\n"
           "</d:propertyupdate>\n";
    return out;
}

QByteArray escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // XML cannot carry these even as references: a control character from a server's name
        // would make the whole body unreadable to the server. A pair of surrogates passes whole.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        if ((c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.isSurrogate() ||
            c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            continue;
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        default:
            out += c;
        }
    }
    return out.toUtf8();
}

QByteArray davColor(const QString& color)
{
    if (color.isEmpty())
        return {};
    QString value = color.toUpper();
    if (value.startsWith(QLatin1Char('#')))
        value.remove(0, 1);
    if (value.size() == 6)
        value += QLatin1String("FF");
    return escape(QLatin1Char('#') + value);
}

QString utcStamp(const QDateTime& dateTime)
{
    return dateTime.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

std::optional<QUrl> parsePrincipal(const QByteArray& body, const QUrl& baseUrl)
{
    return firstHrefInside(body, baseUrl, davNamespace, "current-user-principal");
}

std::optional<QUrl> parseHomeSet(const QByteArray& body, const QUrl& baseUrl)
{
    return firstHrefInside(body, baseUrl, caldavNamespace, "calendar-home-set");
}

QList<CalDavParse::DiscoveredCalendar> parseCalendars(const QByteArray& body, const QUrl& baseUrl)
{
    QList<CalDavParse::DiscoveredCalendar> calendars;
    CalDavParse::DiscoveredCalendar record;
    QString rawHref;
    QStringList components;
    bool inResponse = false;
    bool inResourceType = false;
    bool isCalendar = false;

    BodyReader source(body);
    QXmlStreamReader& reader = source.reader();
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (is(reader, davNamespace, "response")) {
                inResponse = true;
                record = {};
                rawHref.clear();
                components.clear();
                isCalendar = false;
                continue;
            }
            if (!inResponse)
                continue;
            if (is(reader, davNamespace, "href")) {
                const QString href = text(reader);
                if (rawHref.isEmpty())
                    rawHref = href.trimmed();
            } else if (is(reader, davNamespace, "resourcetype")) {
                inResourceType = true;
            } else if (inResourceType && is(reader, caldavNamespace, "calendar")) {
                isCalendar = true;
            } else if (is(reader, davNamespace, "displayname")) {
                record.displayName = text(reader);
            } else if (is(reader, caldavNamespace, "calendar-description")) {
                record.description = text(reader);
            } else if (is(reader, appleIcalNamespace, "calendar-color")) {
                const QString color = text(reader).trimmed();
                if (color.size() >= 7)
                    record.color = color.left(7);
            } else if (is(reader, calendarServerNamespace, "getctag")) {
                record.ctag = text(reader);
            } else if (is(reader, davNamespace, "sync-token")) {
                record.syncToken = text(reader);
            } else if (is(reader, caldavNamespace, "supported-calendar-component-set")) {
                while (!reader.atEnd()) {
                    const auto inner = reader.readNext();
                    if (inner == QXmlStreamReader::EndElement &&
                        is(reader, caldavNamespace, "supported-calendar-component-set"))
                        break;
                    if (inner == QXmlStreamReader::StartElement &&
                        is(reader, caldavNamespace, "comp")) {
                        const QString name = reader.attributes().value("name").toString();
                        if (!name.isEmpty())
                            components.append(name);
                    }
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (is(reader, davNamespace, "resourcetype")) {
                inResourceType = false;
            } else if (is(reader, davNamespace, "response")) {
                const QUrl url = rawHref.isEmpty() ? QUrl() : resolve(baseUrl, rawHref);
                // An href that resolves to no usable URL ("//bad%host/") names no collection.
                const bool usable = url.isValid() && !url.isRelative() && !url.host().isEmpty();
                if (inResponse && isCalendar && usable) {
                    record.href = url.toString(QUrl::FullyEncoded);
                    record.supportedComponents =
                        components.isEmpty() ? QStringList{QStringLiteral("VEVENT")} : components;
                    if (record.displayName.isEmpty())
                        record.displayName = url.path(QUrl::FullyDecoded);
                    calendars.append(record);
                }
                inResponse = false;
                inResourceType = false;
            }
        }
    }
    return calendars;
}

std::optional<QString> parseCtag(const QByteArray& body)
{
    BodyReader source(body);
    QXmlStreamReader& reader = source.reader();
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            is(reader, calendarServerNamespace, "getctag")) {
            const QString ctag = text(reader);
            if (ctag.isEmpty())
                return std::nullopt;
            return ctag;
        }
    }
    return std::nullopt;
}

QList<CalDavParse::Resource> parseResources(const QByteArray& body, const QUrl& baseUrl,
                                            bool* complete)
{
    QList<CalDavParse::Resource> resources;
    CalDavParse::Resource record;
    QString rawHref;
    bool inResponse = false;
    bool rootIsMultistatus = false;
    bool rootClosed = false;
    int depth = 0;

    BodyReader source(body);
    QXmlStreamReader& reader = source.reader();
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth == 1)
            rootIsMultistatus = is(reader, davNamespace, "multistatus");
        if (token == QXmlStreamReader::EndElement && --depth == 0)
            rootClosed = true;
        if (token == QXmlStreamReader::StartElement) {
            if (is(reader, davNamespace, "response")) {
                inResponse = true;
                record = {};
                rawHref.clear();
            } else if (!inResponse) {
                continue;
            } else if (is(reader, davNamespace, "href")) {
                const QString href = text(reader);
                --depth; // the text reader consumed the end element
                if (rawHref.isEmpty())
                    rawHref = href.trimmed();
            } else if (is(reader, davNamespace, "getetag")) {
                record.etag = stripQuotes(text(reader));
                --depth;
            } else if (is(reader, caldavNamespace, "calendar-data")) {
                record.calendarData = text(reader);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement && inResponse &&
                   is(reader, davNamespace, "response")) {
            inResponse = false;
            if (rawHref.isEmpty())
                continue;
            const QUrl url = resolve(baseUrl, rawHref);
            if (url.path(QUrl::FullyDecoded).endsWith(QLatin1Char('/')))
                continue;
            // Only a path names an object on the server; "x:y" reads as a URL of another scheme.
            const QString path = url.path(QUrl::FullyEncoded);
            if (!path.startsWith(QLatin1Char('/')))
                continue;
            record.href = path;
            resources.append(record);
        }
    }
    if (complete)
        *complete = rootIsMultistatus && rootClosed && !reader.hasError();
    return resources;
}

} // namespace DavXml
