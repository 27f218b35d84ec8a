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
    void bodies_data();
    void bodies();
    void hostileValuesStayInsideTheirElement_data();
    void hostileValuesStayInsideTheirElement();
    void davColor_data();
    void davColor();
    void principalAndHomeSet_data();
    void principalAndHomeSet();
    void calendarsOfADepthOneReply();
    void calendarFields_data();
    void calendarFields();
    void resources_data();
    void resources();
    void truncatedOrMalformedRepliesKeepWhatWasRead();
    void ctag_data();
    void ctag();
    void hrefUrlsNeverLeaveTheServer_data();
    void hrefUrlsNeverLeaveTheServer();
    void createHrefIsOneEncodedSegment_data();
    void createHrefIsOneEncodedSegment();
};

void TestDavXml::bodies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    const QDateTime jan(QDate(2024, 1, 1), QTime(1, 0), QTimeZone("Europe/Berlin"));
    const QDateTime feb(QDate(2024, 2, 1), QTime(0, 0), Qt::UTC);

    const QByteArray queryHead =
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">\n"
        "  <d:prop>\n"
        "    <d:getetag/>\n"
        "    <c:calendar-data/>\n"
        "  </d:prop>\n"
        "  <c:filter>\n"
        "    <c:comp-filter name=\"VCALENDAR\">\n";
    const QByteArray queryTail = "      </c:comp-filter>\n"
                                 "    </c:comp-filter>\n"
                                 "  </c:filter>\n"
                                 "</c:calendar-query>\n";
    QTest::newRow("query window, start given in another zone")
        << DavXml::calendarQuery(jan, feb, QStringLiteral("VEVENT"))
        << xml(queryHead + "      <c:comp-filter name=\"VEVENT\">\n" +
               "        <c:time-range start=\"20240101T000000Z\" end=\"20240201T000000Z\"/>\n" +
               queryTail);
    QTest::newRow("query end only")
        << DavXml::calendarQuery({}, feb, QStringLiteral("VTODO"))
        << xml(queryHead + "      <c:comp-filter name=\"VTODO\">\n" +
               "        <c:time-range end=\"20240201T000000Z\"/>\n" + queryTail);
    QTest::newRow("query without window")
        << DavXml::calendarQuery({}, {}, QStringLiteral("VEVENT"))
        << xml(queryHead + "      <c:comp-filter name=\"VEVENT\">\n" + queryTail);
    QTest::newRow("multiget")
        << DavXml::calendarMultiget(
               {QStringLiteral("/cal/a.ics"), QStringLiteral("/cal/b%20c.ics")})
        << xml("<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">\n"
               "  <d:prop>\n"
               "    <d:getetag/>\n"
               "    <c:calendar-data/>\n"
               "  </d:prop>\n"
               "  <d:href>/cal/a.ics</d:href>\n"
               "  <d:href>/cal/b%20c.ics</d:href>\n"
               "</c:calendar-multiget>\n");
    const QByteArray root = " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                            "xmlns:ic=\"http://apple.com/ns/ical/\">\n";
    QTest::newRow("mkcalendar, all values")
        << DavXml::mkcalendar(QStringLiteral("R&D <team>"), QStringLiteral("#a1b2c3"),
                              QStringLiteral("Tom's \"plans\""))
        << xml("<c:mkcalendar" + root + "  <d:set>\n    <d:prop>\n" +
               "      <d:displayname>R&amp;D &lt;team&gt;</d:displayname>\n" +
               "      <c:calendar-description>Tom&apos;s &quot;plans&quot;"
               "</c:calendar-description>\n" +
               "      <c:supported-calendar-component-set>\n" +
               "        <c:comp name=\"VEVENT\"/>\n" + "        <c:comp name=\"VTODO\"/>\n" +
               "      </c:supported-calendar-component-set>\n" +
               "      <ic:calendar-color>#A1B2C3FF</ic:calendar-color>\n" +
               "    </d:prop>\n  </d:set>\n</c:mkcalendar>\n");
    QTest::newRow("mkcalendar, name only, even empty")
        << DavXml::mkcalendar(QString(), QString(), QString())
        << xml("<c:mkcalendar" + root + "  <d:set>\n    <d:prop>\n" +
               "      <d:displayname></d:displayname>\n" +
               "      <c:supported-calendar-component-set>\n" +
               "        <c:comp name=\"VEVENT\"/>\n" + "        <c:comp name=\"VTODO\"/>\n" +
               "      </c:supported-calendar-component-set>\n" +
               "    </d:prop>\n  </d:set>\n</c:mkcalendar>\n");
    QTest::newRow("proppatch, colour before description")
        << DavXml::proppatchCalendar(QStringLiteral("Home"), QStringLiteral("00ff00"),
                                     QStringLiteral("a<b"))
        << xml("<d:propertyupdate" + root + "  <d:set>\n    <d:prop>\n" +
               "      <d:displayname>Home</d:displayname>\n" +
               "      <ic:calendar-color>#00FF00FF</ic:calendar-color>\n" +
               "      <c:calendar-description>a&lt;b</c:calendar-description>\n" +
               "    </d:prop>\n  </d:set>\n</d:propertyupdate>\n");
    QTest::newRow("proppatch of nothing")
        << DavXml::proppatchCalendar(QString(), QString(), QString())
        << xml("<d:propertyupdate" + root + "  <d:set>\n    <d:prop>\n" +
               "    </d:prop>\n  </d:set>\n</d:propertyupdate>\n");
}

void TestDavXml::bodies()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    QCOMPARE(body, expected);
}

void TestDavXml::hostileValuesStayInsideTheirElement_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("ampersand") << QStringLiteral("/cal/R&D.ics");
    QTest::newRow("entity lookalike") << QStringLiteral("/cal/&amp;.ics");
    QTest::newRow("markup") << QStringLiteral("/cal/</d:href><d:href>/other.ics");
    QTest::newRow("quotes") << QStringLiteral("/cal/\"x'.ics");
    QTest::newRow("non-ascii") << QStringLiteral("/cal/Grüße-日本.ics");
}

void TestDavXml::hostileValuesStayInsideTheirElement()
{
    QFETCH(QString, value);
    // Read back by an XML reader, each value is exactly one element's text.
    QCOMPARE(elementTexts(DavXml::calendarMultiget({value, QStringLiteral("/cal/b.ics")}),
                          QStringLiteral("href")),
             QStringList({value, QStringLiteral("/cal/b.ics")}));
    QCOMPARE(
        elementTexts(DavXml::mkcalendar(value, QString(), value), QStringLiteral("displayname")),
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

void TestDavXml::davColor_data()
{
    QTest::addColumn<QString>("color");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("lower case with hash") << "#1a2b3c" << QByteArray("#1A2B3CFF");
    QTest::newRow("without hash") << "1a2b3c" << QByteArray("#1A2B3CFF");
    QTest::newRow("eight digits keep alpha") << "#1a2b3c80" << QByteArray("#1A2B3C80");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("markup cannot escape") << "#<a>" << QByteArray("#&lt;A&gt;");
}

void TestDavXml::davColor()
{
    QFETCH(QString, color);
    QFETCH(QByteArray, expected);
    QCOMPARE(DavXml::davColor(color), expected);
}

void TestDavXml::principalAndHomeSet_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("principal");
    QTest::addColumn<QString>("homeSet");
    const auto prop = [](const QByteArray& inner) {
        return multistatus("<d:response><d:href>/</d:href><d:propstat><d:prop>" + inner +
                           "</d:prop></d:propstat></d:response>");
    };
    QTest::newRow("absolute paths")
        << prop("<d:current-user-principal><d:href>/p/alice/</d:href></d:current-user-principal>"
                "<c:calendar-home-set><d:href>/home/alice/</d:href></c:calendar-home-set>")
        << "https://dav.example.test:8443/p/alice/"
        << "https://dav.example.test:8443/home/alice/";
    QTest::newRow("absolute URLs are kept, another host included")
        << prop("<d:current-user-principal><d:href>https://p1.example.test/123/principal/"
                "</d:href></d:current-user-principal><c:calendar-home-set><d:href> "
                "https://p2.example.test:443/123/calendars/ </d:href></c:calendar-home-set>")
        << "https://p1.example.test/123/principal/"
        << "https://p2.example.test:443/123/calendars/";
    QTest::newRow("unauthenticated principal without href, then a later one")
        << prop("<d:current-user-principal><d:unauthenticated/></d:current-user-principal>"
                "<d:current-user-principal><d:href>/later/</d:href></d:current-user-principal>")
        << "https://dav.example.test:8443/later/"
        << "";
    QTest::newRow("empty href ends the search")
        << prop("<d:current-user-principal><d:href></d:href></d:current-user-principal>"
                "<d:current-user-principal><d:href>/later/</d:href></d:current-user-principal>")
        << ""
        << "";
    QTest::newRow("first home set wins")
        << prop("<c:calendar-home-set><d:href>/one/</d:href><d:href>/two/</d:href>"
                "</c:calendar-home-set>")
        << ""
        << "https://dav.example.test:8443/one/";
    QTest::newRow("namespace by URI, not prefix")
        << xml("<x:multistatus xmlns:x=\"DAV:\" xmlns:y=\"urn:ietf:params:xml:ns:caldav\">"
               "<x:current-user-principal><x:href>/p/</x:href></x:current-user-principal>"
               "<y:calendar-home-set><x:href>/h/</x:href></y:calendar-home-set>"
               "<c:calendar-home-set xmlns:c=\"DAV:\"><x:href>/wrong/</x:href>"
               "</c:calendar-home-set></x:multistatus>")
        << "https://dav.example.test:8443/p/"
        << "https://dav.example.test:8443/h/";
    QTest::newRow("truncated inside the href")
        << QByteArray("<d:multistatus xmlns:d=\"DAV:\"><d:current-user-principal><d:href>/p/al")
        << ""
        << "";
}

void TestDavXml::principalAndHomeSet()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, principal);
    QFETCH(QString, homeSet);
    const auto parsedPrincipal = DavXml::parsePrincipal(body, base);
    QCOMPARE(parsedPrincipal ? parsedPrincipal->toString() : QString(), principal);
    const auto parsedHome = DavXml::parseHomeSet(body, base);
    QCOMPARE(parsedHome ? parsedHome->toString() : QString(), homeSet);
}

void TestDavXml::calendarsOfADepthOneReply()
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
        response(
            "/home/work/", "<d:collection/><c:calendar/>",
            "<d:displayname>Work &amp; more</d:displayname>"
            "<c:calendar-description>Team</c:calendar-description>"
            "<ic:calendar-color> #FF8800CC </ic:calendar-color><cs:getctag>c1</cs:getctag>"
            "<d:sync-token>http://x/sync/1</d:sync-token>"
            "<c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
            "<c:comp name=\"\"/><c:comp name=\"VTODO\"/></c:supported-calendar-component-set>") +
        response("/home/Caf%C3%A9%20Plans/", "<d:collection/><c:calendar/>",
                 "<ic:calendar-color>red</ic:calendar-color>"));

    const auto calendars = DavXml::parseCalendars(body, base);
    QCOMPARE(calendars.size(), 2);
    QCOMPARE(calendars[0].href, QStringLiteral("https://dav.example.test:8443/home/work/"));
    QCOMPARE(calendars[0].displayName, QStringLiteral("Work & more"));
    QCOMPARE(calendars[0].description, QStringLiteral("Team"));
    QCOMPARE(calendars[0].color, QStringLiteral("#FF8800"));
    QCOMPARE(calendars[0].ctag, QStringLiteral("c1"));
    QCOMPARE(calendars[0].syncToken, QStringLiteral("http://x/sync/1"));
    QCOMPARE(calendars[0].supportedComponents, QStringList({"VEVENT", "VTODO"}));
    // The URL keeps the server's encoding; the name falls back to the readable path.
    QCOMPARE(calendars[1].href,
             QStringLiteral("https://dav.example.test:8443/home/Caf%C3%A9%20Plans/"));
    QCOMPARE(calendars[1].displayName, QStringLiteral("/home/Café Plans/"));
    QCOMPARE(calendars[1].color, QString());
    QCOMPARE(calendars[1].supportedComponents, QStringList{"VEVENT"});
}

void TestDavXml::calendarFields_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<int>("count");
    QTest::newRow("calendar outside resourcetype does not count")
        << QByteArray("<d:response><d:href>/a/</d:href><d:propstat><d:prop><d:resourcetype>"
                      "<d:collection/></d:resourcetype><c:calendar/></d:prop></d:propstat>"
                      "</d:response>")
        << 0;
    QTest::newRow("first href of a response wins")
        << QByteArray("<d:response><d:href>/a/</d:href><d:href>/b/</d:href><d:propstat><d:prop>"
                      "<d:resourcetype><c:calendar/></d:resourcetype></d:prop></d:propstat>"
                      "</d:response>")
        << 1;
    QTest::newRow("response without href is dropped")
        << QByteArray("<d:response><d:propstat><d:prop><d:resourcetype><c:calendar/>"
                      "</d:resourcetype></d:prop></d:propstat></d:response>")
        << 0;
    QTest::newRow("href without a usable host is dropped")
        << QByteArray("<d:response><d:href>//bad%host/cal/</d:href><d:propstat><d:prop>"
                      "<d:resourcetype><c:calendar/></d:resourcetype></d:prop></d:propstat>"
                      "</d:response>")
        << 0;
    QTest::newRow("flags do not leak into the next response")
        << QByteArray("<d:response><d:href>/a/</d:href><d:propstat><d:prop><d:resourcetype>"
                      "<c:calendar/></d:resourcetype></d:prop></d:propstat></d:response>"
                      "<d:response><d:href>/b/</d:href></d:response>")
        << 1;
}

void TestDavXml::calendarFields()
{
    QFETCH(QByteArray, response);
    QFETCH(int, count);
    const auto calendars = DavXml::parseCalendars(multistatus(response), base);
    QCOMPARE(calendars.size(), count);
    if (count == 1)
        QCOMPARE(calendars[0].href, QStringLiteral("https://dav.example.test:8443/a/"));
}

void TestDavXml::resources_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("etag");
    QTest::addColumn<QString>("data");
    QTest::newRow("plain") << objectResponse("/cal/work/a.ics", "\"e1\"", "BEGIN:VCALENDAR")
                           << "/cal/work/a.ics"
                           << "e1"
                           << "BEGIN:VCALENDAR";
    QTest::newRow("absolute URL gives its path")
        << objectResponse("https://elsewhere.test/cal/work/b.ics", "e2", "X") << "/cal/work/b.ics"
        << "e2"
        << "X";
    QTest::newRow("relative href resolves against the collection")
        << objectResponse("c.ics", "W/\"weak\"", "") << "/cal/work/c.ics"
        << "W/\"weak\""
        << "";
    QTest::newRow("encoded slash stays encoded")
        << objectResponse("/cal/work/a%2Fb.ics", "\"\"", "X") << "/cal/work/a%2Fb.ics"
        << ""
        << "X";
    QTest::newRow("ampersand read from its entity, a lone quote kept")
        << objectResponse("/cal/work/R&amp;D.ics", "\"", "X") << "/cal/work/R&D.ics"
        << "\""
        << "X";
    QTest::newRow("space and non-ASCII stay encoded")
        << objectResponse("/cal/work/Caf%C3%A9%20x.ics", "e", "X") << "/cal/work/Caf%C3%A9%20x.ics"
        << "e"
        << "X";
    QTest::newRow("collection itself dropped") << objectResponse("/cal/work/", "e", "") << ""
                                               << ""
                                               << "";
    QTest::newRow("encoded trailing slash names a collection too")
        << objectResponse("/cal/work/x%2F", "e", "") << ""
        << ""
        << "";
    QTest::newRow("data with markup entities")
        << objectResponse("/cal/work/d.ics", "e", "SUMMARY:a &lt;b&gt; &amp; c")
        << "/cal/work/d.ics"
        << "e"
        << "SUMMARY:a <b> & c";
}

void TestDavXml::resources()
{
    QFETCH(QByteArray, response);
    QFETCH(QString, href);
    QFETCH(QString, etag);
    QFETCH(QString, data);
    const auto resources = DavXml::parseResources(multistatus(response), calendarUrl);
    if (href.isEmpty()) {
        QVERIFY(resources.isEmpty());
        return;
    }
    QCOMPARE(resources.size(), 1);
    QCOMPARE(resources[0].href, href);
    QCOMPARE(resources[0].etag, etag);
    QCOMPARE(resources[0].calendarData, data);
    // The href names the same object when it is requested again and when it is multigot.
    QCOMPARE(CalDavHref::resourceUrl(calendarUrl, href).path(QUrl::FullyEncoded), href);
    QCOMPARE(elementTexts(DavXml::calendarMultiget({href}), QStringLiteral("href")),
             QStringList{href});
}

void TestDavXml::truncatedOrMalformedRepliesKeepWhatWasRead()
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

void TestDavXml::ctag_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("ctag");
    QTest::newRow("present") << multistatus("<d:response><cs:getctag>42</cs:getctag>"
                                            "<cs:getctag>43</cs:getctag></d:response>")
                             << "42";
    QTest::newRow("empty") << multistatus("<cs:getctag/>") << "";
    QTest::newRow("wrong namespace") << multistatus("<d:getctag>1</d:getctag>") << "";
}

void TestDavXml::ctag()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, ctag);
    QCOMPARE(DavXml::parseCtag(body).value_or(QString()), ctag);
}

void TestDavXml::hrefUrlsNeverLeaveTheServer_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("url");
    QTest::newRow("path") << "/cal/work/a.ics"
                          << "https://dav.example.test:8443/cal/work/a.ics";
    QTest::newRow("network-path reference") << "//evil.test/x.ics"
                                            << "https://dav.example.test:8443/x.ics";
    QTest::newRow("absolute URL elsewhere") << "http://evil.test:81/x.ics"
                                            << "https://dav.example.test:8443/x.ics";
    QTest::newRow("relative") << "b.ics"
                              << "https://dav.example.test:8443/cal/work/b.ics";
    QTest::newRow("query is not a path") << "/cal/a.ics?x=1"
                                         << "https://dav.example.test:8443/cal/a.ics";
}

void TestDavXml::hrefUrlsNeverLeaveTheServer()
{
    QFETCH(QString, href);
    QFETCH(QString, url);
    QCOMPARE(CalDavHref::resourceUrl(calendarUrl, href).toString(QUrl::FullyEncoded), url);
}

void TestDavXml::createHrefIsOneEncodedSegment_data()
{
    QTest::addColumn<QString>("collection");
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("href");
    QTest::newRow("plain uid") << "https://h.test/cal/work/"
                               << "abc-123"
                               << "/cal/work/abc-123.ics";
    QTest::newRow("collection without slash") << "https://h.test/cal/work"
                                              << "u"
                                              << "/cal/work/u.ics";
    QTest::newRow("slash in uid") << "https://h.test/cal/"
                                  << "a/../b"
                                  << "/cal/a%2F..%2Fb.ics";
    QTest::newRow("percent, ampersand, space") << "https://h.test/cal/"
                                               << "50% R&D x"
                                               << "/cal/50%25%20R%26D%20x.ics";
    QTest::newRow("non-ASCII") << "https://h.test/Caf%C3%A9/"
                               << "ü"
                               << "/Caf%C3%A9/%C3%BC.ics";
}

void TestDavXml::createHrefIsOneEncodedSegment()
{
    QFETCH(QString, collection);
    QFETCH(QString, uid);
    QFETCH(QString, href);
    const QUrl collectionUrl(collection);
    QCOMPARE(CalDavHref::createHref(collectionUrl, uid), href);
    const QUrl target = CalDavHref::resourceUrl(collectionUrl, href);
    QCOMPARE(target.path(QUrl::FullyEncoded), href);
    // One segment inside the collection, reading back as the uid.
    const QString collectionPath =
        CalDavHref::collectionWithSlash(collectionUrl).path(QUrl::FullyEncoded);
    QVERIFY(href.startsWith(collectionPath));
    const QString segment = href.mid(collectionPath.size());
    QVERIFY(!segment.contains(QLatin1Char('/')));
    QCOMPARE(CalDavHref::displayPath(segment), uid + QStringLiteral(".ics"));
}

QTEST_GUILESS_MAIN(TestDavXml)
#include "tst_davxml.moc"
