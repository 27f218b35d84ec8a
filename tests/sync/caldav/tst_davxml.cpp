// The XML layer: request bodies byte for byte, values that must not break a body, and the
// multistatus parsers over real-looking and hostile replies.
#include "CalDavHref.h"
#include "DavXml.h"

#include <QTest>
#include <QTimeZone>
#include <QXmlStreamReader>

namespace {

const QUrl base(QStringLiteral("https://dav.example.test:8443"));
const QUrl calendarUrl(QStringLiteral("https://dav.example.test:8443/cal/work/"));

QByteArray xml(const QByteArray& lines)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + lines;
}

QByteArray multistatus(const QByteArray& responses)
{
    return xml(
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
        "xmlns:cs=\"http://calendarserver.org/ns/\" xmlns:ic=\"http://apple.com/ns/ical/\">" +
        responses + "</d:multistatus>");
}

QByteArray objectResponse(const QByteArray& href, const QByteArray& etag, const QByteArray& data)
{
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" + etag +
           "</d:getetag><c:calendar-data>" + data +
           "</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
           "</d:response>";
}

// The texts of every element with this local name, in document order; empty on an XML error.
QStringList elementTexts(const QByteArray& body, const QString& name)
{
    QStringList texts;
    QXmlStreamReader reader(body);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            texts.append(reader.readElementText());
    }
    return reader.hasError() ? QStringList{QStringLiteral("<xml error>")} : texts;
}

} // namespace

class TestDavXml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected");
        const QDateTime jan(QDate(2024, 1, 1), QTime(1, 0), QTimeZone("Europe/Berlin"));
        const QDateTime feb(QDate(2024, 2, 1), QTime(0, 0), Qt::UTC);

        const QByteArray ns = " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"";
        const QByteArray getProps =
            "  <d:prop>\n    <d:getetag/>\n    <c:calendar-data/>\n  </d:prop>\n";
        const auto query = [&](const QByteArray& component, const QByteArray& range) {
            return xml("<c:calendar-query" + ns + ">\n" + getProps +
                       "  <c:filter>\n    <c:comp-filter name=\"VCALENDAR\">\n"
                       "      <c:comp-filter name=\"" +
                       component + "\">\n" + range +
                       "      </c:comp-filter>\n    </c:comp-filter>\n  </c:filter>\n"
                       "</c:calendar-query>\n");
        };
        QTest::newRow("query window, start given in another zone")
            << DavXml::calendarQuery(jan, feb, QStringLiteral("VEVENT"))
            << query("VEVENT", "        <c:time-range start=\"20240101T000000Z\" "
                               "end=\"20240201T000000Z\"/>\n");
        QTest::newRow("query end only")
            << DavXml::calendarQuery({}, feb, QStringLiteral("VTODO"))
            << query("VTODO", "        <c:time-range end=\"20240201T000000Z\"/>\n");
        QTest::newRow("query without window")
            << DavXml::calendarQuery({}, {}, QStringLiteral("VEVENT")) << query("VEVENT", "");
        QTest::newRow("multiget")
            << DavXml::calendarMultiget({"/cal/a.ics", "/cal/b%20c.ics"})
            << xml("<c:calendar-multiget" + ns + ">\n" + getProps +
                   "  <d:href>/cal/a.ics</d:href>\n  <d:href>/cal/b%20c.ics</d:href>\n"
                   "</c:calendar-multiget>\n");
        const auto setProps = [&](const QByteArray& element, const QByteArray& props) {
            return xml("<" + element + ns +
                       " xmlns:ic=\"http://apple.com/ns/ical/\">\n  <d:set>\n    <d:prop>\n" +
                       props + "    </d:prop>\n  </d:set>\n</" + element + ">\n");
        };
        const QByteArray components = "      <c:supported-calendar-component-set>\n"
                                      "        <c:comp name=\"VEVENT\"/>\n"
                                      "        <c:comp name=\"VTODO\"/>\n"
                                      "      </c:supported-calendar-component-set>\n";
        QTest::newRow("mkcalendar, all values")
            << DavXml::mkcalendar(QStringLiteral("R&D"), QStringLiteral("#a1b2c3"),
                                  QStringLiteral("Team"))
            << setProps("c:mkcalendar",
                        "      <d:displayname>R&amp;D</d:displayname>\n"
                        "      <c:calendar-description>Team</c:calendar-description>\n" +
                            components +
                            "      <ic:calendar-color>#A1B2C3FF</ic:calendar-color>\n");
        QTest::newRow("mkcalendar, markup and both quotes escaped")
            << DavXml::mkcalendar(QStringLiteral("R&D <team>"), QString(),
                                  QStringLiteral("Tom's \"plans\""))
            << setProps("c:mkcalendar",
                        "      <d:displayname>R&amp;D &lt;team&gt;</d:displayname>\n"
                        "      <c:calendar-description>Tom&apos;s &quot;plans&quot;"
                        "</c:calendar-description>\n" +
                            components);
        QTest::newRow("mkcalendar, name only, even empty")
            << DavXml::mkcalendar(QString(), QString(), QString())
            << setProps("c:mkcalendar", "      <d:displayname></d:displayname>\n" + components);
        QTest::newRow("proppatch, colour before description")
            << DavXml::proppatchCalendar(QStringLiteral("Home"), QStringLiteral("00ff00"),
                                         QStringLiteral("Team"))
            << setProps("d:propertyupdate",
                        "      <d:displayname>Home</d:displayname>\n"
                        "      <ic:calendar-color>#00FF00FF</ic:calendar-color>\n"
                        "      <c:calendar-description>Team</c:calendar-description>\n");
        // A name from a server with characters XML cannot carry: the body stays readable.
        QTest::newRow("proppatch, characters XML cannot carry left out")
            << DavXml::proppatchCalendar(QStringLiteral("Caf\u0005\u00e9\tA\uFFFF") +
                                             QChar(0xD800) + QStringLiteral("\U0001F600"),
                                         QString(), QString())
            << setProps("d:propertyupdate",
                        "      <d:displayname>Caf\xc3\xa9\tA\xf0\x9f\x98\x80</d:displayname>\n");
        QTest::newRow("proppatch of nothing")
            << DavXml::proppatchCalendar(QString(), QString(), QString())
            << setProps("d:propertyupdate", "");
        // Colours beyond the ones above.
        QTest::newRow("colour, eight digits keep alpha")
            << DavXml::davColor("#1a2b3c80") << QByteArray("#1A2B3C80");
        QTest::newRow("colour, empty") << DavXml::davColor("") << QByteArray();
        QTest::newRow("colour, markup cannot escape")
            << DavXml::davColor("#<a>") << QByteArray("#&lt;A&gt;");
    }

    void bodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        QCOMPARE(body, expected);
    }

    void hostileValuesStayInsideTheirElement_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("ampersand") << QStringLiteral("/cal/R&D.ics");
        QTest::newRow("entity lookalike") << QStringLiteral("/cal/&amp;.ics");
        QTest::newRow("markup") << QStringLiteral("/cal/</d:href><d:href>/other.ics");
        QTest::newRow("quotes") << QStringLiteral("/cal/\"x'.ics");
        QTest::newRow("non-ascii") << QStringLiteral("/cal/Grüße-日本.ics");
    }

    void hostileValuesStayInsideTheirElement()
    {
        QFETCH(QString, value);
        // Read back by an XML reader, each value is exactly one element's text.
        QCOMPARE(elementTexts(DavXml::calendarMultiget({value, QStringLiteral("/cal/b.ics")}),
                              QStringLiteral("href")),
                 QStringList({value, QStringLiteral("/cal/b.ics")}));
        QCOMPARE(elementTexts(DavXml::mkcalendar(value, QString(), value),
                              QStringLiteral("displayname")),
                 QStringList{value});
        QCOMPARE(elementTexts(DavXml::proppatchCalendar(value, QString(), value),
                              QStringLiteral("calendar-description")),
                 QStringList{value});
        QXmlStreamReader reader(DavXml::calendarQuery({}, {}, value));
        QStringList names;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement &&
                reader.name() == QLatin1String("comp-filter"))
                names.append(reader.attributes().value("name").toString());
        }
        QVERIFY(!reader.hasError());
        QCOMPARE(names, QStringList({QStringLiteral("VCALENDAR"), value}));
    }

    // Expected paths are on the server the request went to.
    void principalAndHomeSet_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("homeSet");
        const auto row = [](const char* name, const QByteArray& inner, const char* principal,
                            const char* homeSet) {
            QTest::newRow(name) << multistatus(
                                       "<d:response><d:href>/</d:href><d:propstat><d:prop>" +
                                       inner + "</d:prop></d:propstat></d:response>")
                                << QString(principal) << QString(homeSet);
        };
        row("absolute paths",
            "<d:current-user-principal><d:href>/p/alice/</d:href></d:current-user-principal>"
            "<c:calendar-home-set><d:href>/home/alice/</d:href></c:calendar-home-set>",
            "/p/alice/", "/home/alice/");
        row("absolute URLs are kept, another host included",
            "<d:current-user-principal><d:href>https://p1.example.test/123/principal/</d:href>"
            "</d:current-user-principal><c:calendar-home-set><d:href> "
            "https://p2.example.test:443/123/calendars/ </d:href></c:calendar-home-set>",
            "https://p1.example.test/123/principal/", "https://p2.example.test:443/123/calendars/");
        row("unauthenticated principal without href, then a later one",
            "<d:current-user-principal><d:unauthenticated/></d:current-user-principal>"
            "<d:current-user-principal><d:href>/later/</d:href></d:current-user-principal>",
            "/later/", "");
        row("empty href ends the search",
            "<d:current-user-principal><d:href></d:href></d:current-user-principal>"
            "<d:current-user-principal><d:href>/later/</d:href></d:current-user-principal>",
            "", "");
        row("first home set wins",
            "<c:calendar-home-set><d:href>/one/</d:href><d:href>/two/</d:href>"
            "</c:calendar-home-set>",
            "", "/one/");
        QTest::newRow("namespace by URI, not prefix")
            << xml("<x:multistatus xmlns:x=\"DAV:\" xmlns:y=\"urn:ietf:params:xml:ns:caldav\">"
                   "<x:current-user-principal><x:href>/p/</x:href></x:current-user-principal>"
                   "<y:calendar-home-set><x:href>/h/</x:href></y:calendar-home-set>"
                   "<c:calendar-home-set xmlns:c=\"DAV:\"><x:href>/wrong/</x:href>"
                   "</c:calendar-home-set></x:multistatus>")
            << QStringLiteral("/p/") << QStringLiteral("/h/");
        QTest::newRow("truncated inside the href")
            << QByteArray("<d:multistatus xmlns:d=\"DAV:\"><d:current-user-principal><d:href>/p/al")
            << QString() << QString();
    }

    void principalAndHomeSet()
    {
        QFETCH(QByteArray, body);
        const auto text = [](const std::optional<QUrl>& url) {
            const QString s = url ? url->toString() : QString();
            return s.startsWith(base.toString()) ? s.mid(base.toString().size()) : s;
        };
        QTEST(text(DavXml::parsePrincipal(body, base)), "principal");
        QTEST(text(DavXml::parseHomeSet(body, base)), "homeSet");
    }

    void calendarsOfADepthOneReply()
    {
        const auto response = [](const QByteArray& href, const QByteArray& type,
                                 const QByteArray& props) {
            return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:resourcetype>" +
                   type + "</d:resourcetype>" + props +
                   "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat><d:propstat>"
                   "<d:prop><c:calendar-timezone/></d:prop><d:status>HTTP/1.1 404 Not Found"
                   "</d:status></d:propstat></d:response>";
        };
        const QByteArray body = multistatus(
            response("/home/", "<d:collection/>", "<d:displayname>Home</d:displayname>") +
            response("/home/inbox/", "<d:collection/><c:schedule-inbox/>", "") +
            response("/home/work/", "<d:collection/><c:calendar/>",
                     "<d:displayname>Work &amp; more</d:displayname>"
                     "<c:calendar-description>Team</c:calendar-description>"
                     "<ic:calendar-color> #FF8800CC </ic:calendar-color><cs:getctag>c1</cs:getctag>"
                     "<d:sync-token>http://x/sync/1</d:sync-token>"
                     "<c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
                     "<c:comp name=\"\"/><c:comp "
                     "name=\"VTODO\"/></c:supported-calendar-component-set>") +
            response("/home/Caf%C3%A9%20Plans/", "<d:collection/><c:calendar/>",
                     "<ic:calendar-color>red</ic:calendar-color>"));

        const auto calendars = DavXml::parseCalendars(body, base);
        QCOMPARE(calendars.size(), 2);
        const auto fields = [](const CalDavParse::DiscoveredCalendar& c) {
            const QChar bar('|');
            return c.href + bar + c.displayName + bar + c.description + bar + c.color + bar +
                   c.ctag + bar + c.syncToken + bar + c.supportedComponents.join(QLatin1Char(' '));
        };
        QCOMPARE(fields(calendars[0]), QStringLiteral("https://dav.example.test:8443/home/work/|"
                                                      "Work & more|Team|#FF8800|c1|"
                                                      "http://x/sync/1|VEVENT VTODO"));
        // The URL keeps the server's encoding; the name falls back to the readable path.
        QCOMPARE(fields(calendars[1]),
                 QStringLiteral("https://dav.example.test:8443/home/Caf%C3%A9%20Plans/|"
                                "/home/Café Plans/|||||VEVENT"));
    }

    void calendarFields_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<int>("count");
        const auto row = [](const char* name, const QByteArray& hrefs, const QByteArray& prop,
                            int count) {
            QTest::newRow(name) << "<d:response>" + hrefs + "<d:propstat><d:prop>" + prop +
                                       "</d:prop></d:propstat></d:response>"
                                << count;
        };
        const QByteArray calendar = "<d:resourcetype><c:calendar/></d:resourcetype>";
        row("calendar outside resourcetype does not count", "<d:href>/a/</d:href>",
            "<d:resourcetype><d:collection/></d:resourcetype><c:calendar/>", 0);
        row("first href of a response wins", "<d:href>/a/</d:href><d:href>/b/</d:href>", calendar,
            1);
        row("response without href is dropped", "", calendar, 0);
        row("href without a usable host is dropped", "<d:href>//bad%host/cal/</d:href>", calendar,
            0);
        QTest::newRow("flags do not leak into the next response")
            << "<d:response><d:href>/a/</d:href><d:propstat><d:prop>" + calendar +
                   "</d:prop></d:propstat></d:response><d:response><d:href>/b/</d:href>"
                   "</d:response>"
            << 1;
    }

    void calendarFields()
    {
        QFETCH(QByteArray, response);
        QFETCH(int, count);
        const auto calendars = DavXml::parseCalendars(multistatus(response), base);
        QCOMPARE(calendars.size(), count);
        if (count == 1)
            QCOMPARE(calendars[0].href, QStringLiteral("https://dav.example.test:8443/a/"));
    }

    void resources_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("etag");
        QTest::addColumn<QString>("data");
        const auto row = [](const char* name, const QByteArray& href, const QByteArray& etag,
                            const QByteArray& data, const QString& wantHref,
                            const QString& wantEtag, const QString& wantData) {
            QTest::newRow(name) << objectResponse(href, etag, data) << wantHref << wantEtag
                                << wantData;
        };
        row("plain", "/cal/work/a.ics", "\"e1\"", "BEGIN:VCALENDAR", "/cal/work/a.ics", "e1",
            "BEGIN:VCALENDAR");
        row("absolute URL gives its path", "https://elsewhere.test/cal/work/b.ics", "e2", "X",
            "/cal/work/b.ics", "e2", "X");
        row("relative href resolves against the collection", "c.ics", "W/\"weak\"", "",
            "/cal/work/c.ics", "W/\"weak\"", "");
        row("encoded slash stays encoded", "/cal/work/a%2Fb.ics", "\"\"", "X",
            "/cal/work/a%2Fb.ics", "", "X");
        row("ampersand read from its entity, a lone quote kept", "/cal/work/R&amp;D.ics", "\"", "X",
            "/cal/work/R&D.ics", "\"", "X");
        row("space and non-ASCII stay encoded", "/cal/work/Caf%C3%A9%20x.ics", "e", "X",
            "/cal/work/Caf%C3%A9%20x.ics", "e", "X");
        row("collection itself dropped", "/cal/work/", "e", "", "", "", "");
        row("encoded trailing slash names a collection too", "/cal/work/x%2F", "e", "", "", "", "");
        row("data with markup entities", "/cal/work/d.ics", "e", "SUMMARY:a &lt;b&gt; &amp; c",
            "/cal/work/d.ics", "e", "SUMMARY:a <b> & c");
    }

    void resources()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, href);
        const auto resources = DavXml::parseResources(multistatus(response), calendarUrl);
        QCOMPARE(resources.size(), href.isEmpty() ? 0 : 1);
        if (href.isEmpty())
            return;
        QCOMPARE(resources[0].href, href);
        QTEST(resources[0].etag, "etag");
        QTEST(resources[0].calendarData, "data");
        // The href names the same object when it is requested again.
        QCOMPARE(CalDavHref::resourceUrl(calendarUrl, href).path(QUrl::FullyEncoded), href);
    }

    void truncatedOrMalformedRepliesKeepWhatWasRead()
    {
        const QByteArray whole = multistatus(objectResponse("/cal/work/a.ics", "1", "A") +
                                             objectResponse("/cal/work/b.ics", "2", "B"));
        bool complete = false;
        QCOMPARE(DavXml::parseResources(whole, calendarUrl, &complete).size(), 2);
        QVERIFY(complete);
        // Cut inside the second response: the first is kept, the half one is not invented, and the
        // listing is not taken for the whole calendar.
        const QByteArray cut = whole.left(whole.indexOf("b.ics") + 2);
        const auto resources = DavXml::parseResources(cut, calendarUrl, &complete);
        QVERIFY(!complete);
        QCOMPARE(resources.size(), 1);
        QCOMPARE(resources[0].href, QStringLiteral("/cal/work/a.ics"));
        // An element inside calendar-data is an error of the document: the pass ends there.
        const QByteArray nested = multistatus(objectResponse("/cal/work/a.ics", "1", "A") +
                                              objectResponse("/cal/work/b.ics", "2", "B<x/>C") +
                                              objectResponse("/cal/work/c.ics", "3", "C"));
        QCOMPARE(DavXml::parseResources(nested, calendarUrl, &complete).size(), 1);
        QVERIFY(!complete);
        QVERIFY(DavXml::parseResources("not xml at all", calendarUrl, &complete).isEmpty());
        QVERIFY(!complete);
        // Whole documents that are not a listing, or carry more after it, are not complete either.
        DavXml::parseResources(xml("<d:error xmlns:d=\"DAV:\"/>"), calendarUrl, &complete);
        QVERIFY(!complete);
        DavXml::parseResources(whole + "<d:multistatus xmlns:d=\"DAV:\"/>", calendarUrl, &complete);
        QVERIFY(!complete);
        DavXml::parseResources(multistatus(""), calendarUrl, &complete);
        QVERIFY(complete);
    }

    void ctag_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("ctag");
        QTest::newRow("present") << multistatus("<d:response><cs:getctag>42</cs:getctag>"
                                                "<cs:getctag>43</cs:getctag></d:response>")
                                 << "42";
        QTest::newRow("empty") << multistatus("<cs:getctag/>") << "";
        QTest::newRow("wrong namespace") << multistatus("<d:getctag>1</d:getctag>") << "";
    }

    void ctag()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, ctag);
        QCOMPARE(DavXml::parseCtag(body).value_or(QString()), ctag);
    }

    // Whatever the server writes, requests stay on the calendar's server.
    void hrefUrlsNeverLeaveTheServer_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("path");
        QTest::newRow("network-path reference") << "//evil.test/x.ics" << QStringLiteral("/x.ics");
        QTest::newRow("absolute URL elsewhere")
            << "http://evil.test:81/x.ics" << QStringLiteral("/x.ics");
        QTest::newRow("relative") << "b.ics" << QStringLiteral("/cal/work/b.ics");
        QTest::newRow("query is not a path") << "/cal/a.ics?x=1" << QStringLiteral("/cal/a.ics");
    }

    void hrefUrlsNeverLeaveTheServer()
    {
        QFETCH(QString, href);
        QFETCH(QString, path);
        QCOMPARE(CalDavHref::resourceUrl(calendarUrl, href).toString(QUrl::FullyEncoded),
                 base.toString() + path);
    }

    void createHrefIsOneEncodedSegment_data()
    {
        QTest::addColumn<QString>("collection");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("href");
        const auto row = [](const char* name, const char* collection, const QString& uid,
                            const char* href) {
            QTest::newRow(name) << QString(collection) << uid << QString(href);
        };
        row("plain uid", "https://h.test/cal/work/", "abc-123", "/cal/work/abc-123.ics");
        row("collection without slash", "https://h.test/cal/work", "u", "/cal/work/u.ics");
        row("slash in uid", "https://h.test/cal/", "a/../b", "/cal/a%2F..%2Fb.ics");
        row("percent, ampersand, space", "https://h.test/cal/", "50% R&D x",
            "/cal/50%25%20R%26D%20x.ics");
        row("non-ASCII", "https://h.test/Caf%C3%A9/", QStringLiteral("ü"), "/Caf%C3%A9/%C3%BC.ics");
    }

    void createHrefIsOneEncodedSegment()
    {
        QFETCH(QString, collection);
        QFETCH(QString, uid);
        QFETCH(QString, href);
        const QUrl collectionUrl(collection);
        QCOMPARE(CalDavHref::createHref(collectionUrl, uid), href);
        QCOMPARE(CalDavHref::resourceUrl(collectionUrl, href).path(QUrl::FullyEncoded), href);
        // The last segment alone reads back as the uid.
        QCOMPARE(CalDavHref::displayPath(href.section(QLatin1Char('/'), -1)),
                 uid + QStringLiteral(".ics"));
    }
};

QTEST_GUILESS_MAIN(TestDavXml)
#include "tst_davxml.moc"
