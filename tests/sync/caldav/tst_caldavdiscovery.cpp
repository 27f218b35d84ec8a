// Discovery against real servers (Radicale and Xandikos, calendars made with MKCALENDAR), its
// fallbacks and failure texts through the fault proxy, and the certificate pinning flow.
#include "CalDavClient.h"
#include "CalDavDiscovery.h"
#include "DavFaultProxy.h"
#include "DavServer.h"
#include "DavXml.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Outcome
{
    bool finished = false;
    QList<CalDavParse::DiscoveredCalendar> calendars;
    QString failure;
    int signals = 0;
};

Outcome discover(CalDavClient& client, const QUrl& start)
{
    CalDavDiscovery discovery(&client);
    Outcome outcome;
    QObject::connect(&discovery, &CalDavDiscovery::completed, [&](const auto& calendars) {
        outcome.calendars = calendars;
        ++outcome.signals;
    });
    QObject::connect(&discovery, &CalDavDiscovery::failed, [&](const QString& reason) {
        outcome.failure = reason;
        ++outcome.signals;
    });
    discovery.start(start);
    outcome.finished = QTest::qWaitFor([&]() { return outcome.signals > 0; }, 30000);
    QTest::qWait(20);
    return outcome;
}

const CalDavParse::DiscoveredCalendar* find(const Outcome& outcome, const QUrl& url)
{
    for (const auto& calendar : outcome.calendars) {
        if (QUrl(calendar.href) == url)
            return &calendar;
    }
    return nullptr;
}

QByteArray propResponse(const QByteArray& href, const QByteArray& props)
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:response><d:href>" +
           href + "</d:href><d:propstat><d:prop>" + props +
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
           "</d:multistatus>";
}

} // namespace

class TestCalDavDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsCalendarsOnRealServers_data();
    void findsCalendarsOnRealServers();
    void ownBodiesWorkOnRealServers_data();
    void ownBodiesWorkOnRealServers();
    void wrongPasswordThenEmptyHomeSet();
    void failureTexts_data();
    void failureTexts();
    void serverWithoutPrincipalOrHomeSet();
    void pinningFlow();
};

void TestCalDavDiscovery::findsCalendarsOnRealServers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("start");
    for (const auto kind : {DavServer::Kind::Radicale, DavServer::Kind::Xandikos}) {
        const QString name = kind == DavServer::Kind::Radicale ? "Radicale" : "Xandikos";
        for (const QString start : {"server", "principal", "home set"})
            QTest::newRow(qPrintable(name + ", from the " + start)) << int(kind) << start;
    }
}

void TestCalDavDiscovery::findsCalendarsOnRealServers()
{
    QFETCH(int, kind);
    QFETCH(QString, start);
    DavServer server{DavServer::Kind(kind)};
    QVERIFY2(server.start(), "the server did not start");
    const QUrl work = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work & Play"));
    const QUrl odd =
        server.makeCalendar(QStringLiteral("Café 50%"), QString(), {QStringLiteral("VTODO")});
    QVERIFY(work.isValid() && odd.isValid());

    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    const QUrl startUrl = start == QLatin1String("server")      ? server.baseUrl()
                          : start == QLatin1String("principal") ? server.principalUrl()
                                                                : server.homeSetUrl();
    const Outcome outcome = discover(client, startUrl);
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.signals, 1);
    QCOMPARE(outcome.failure, QString());

    const auto* workCalendar = find(outcome, work);
    QVERIFY2(workCalendar, qPrintable(work.toString()));
    QCOMPARE(workCalendar->displayName, QStringLiteral("Work & Play"));
    // Xandikos lists every component it knows whatever MKCALENDAR asked for.
    QVERIFY(workCalendar->supportedComponents.contains(QStringLiteral("VEVENT")));
    QVERIFY(workCalendar->supportedComponents.contains(QStringLiteral("VTODO")));
    const auto* oddCalendar = find(outcome, odd);
    QVERIFY2(oddCalendar, qPrintable(odd.toString()));
    if (server.kind() == DavServer::Kind::Radicale)
        QCOMPARE(oddCalendar->supportedComponents, QStringList{"VTODO"});
    // The URL is the server's own, usable as it is; the name is readable.
    QCOMPARE(QUrl(oddCalendar->href).path(QUrl::FullyDecoded).section('/', -2, -2),
             QStringLiteral("Café 50%"));
    QVERIFY(!oddCalendar->displayName.contains(QLatin1String("%25")));
    QCOMPARE(server.request("PROPFIND", QUrl(oddCalendar->href), {}, {{"Depth", "0"}}).status, 207);
}

void TestCalDavDiscovery::ownBodiesWorkOnRealServers_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("Radicale") << int(DavServer::Kind::Radicale);
    QTest::newRow("Xandikos") << int(DavServer::Kind::Xandikos);
}

void TestCalDavDiscovery::ownBodiesWorkOnRealServers()
{
    QFETCH(int, kind);
    DavServer server{DavServer::Kind(kind)};
    QVERIFY(server.start());
    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    const QUrl url = server.calendarUrl(QStringLiteral("team"));

    int status = 0;
    client.mkcalendar(
        url,
        DavXml::mkcalendar(QStringLiteral("R&D <Team>"), QStringLiteral("#1a2b3c"),
                           QStringLiteral("Plans & \"dates\"")),
        [&](const CalDavClient::Response& response) { status = response.statusCode; });
    QTRY_VERIFY_WITH_TIMEOUT(status != 0, 30000);
    QCOMPARE(status, 201);
    Outcome outcome = discover(client, server.baseUrl());
    const auto* made = find(outcome, url);
    QVERIFY2(made, qPrintable(outcome.failure));
    QCOMPARE(made->displayName, QStringLiteral("R&D <Team>"));
    // Xandikos keeps neither colour nor description (404 on MKCALENDAR, 409 on PROPPATCH).
    const bool keepsColour = server.kind() == DavServer::Kind::Radicale;
    if (keepsColour) {
        QCOMPARE(made->description, QStringLiteral("Plans & \"dates\""));
        QCOMPARE(made->color, QStringLiteral("#1A2B3C"));
    }

    status = 0;
    client.proppatch(
        url,
        DavXml::proppatchCalendar(QStringLiteral("Renamed"), QStringLiteral("#00ff00"), QString()),
        [&](const CalDavClient::Response& response) { status = response.statusCode; });
    QTRY_VERIFY_WITH_TIMEOUT(status != 0, 30000);
    QCOMPARE(status, 207);
    outcome = discover(client, server.baseUrl());
    made = find(outcome, url);
    QVERIFY(made);
    QCOMPARE(made->displayName, QStringLiteral("Renamed"));
    if (keepsColour) {
        QCOMPARE(made->color, QStringLiteral("#00FF00"));
        QCOMPARE(made->description, QStringLiteral("Plans & \"dates\""));
    }
}

void TestCalDavDiscovery::wrongPasswordThenEmptyHomeSet()
{
    DavServer server(DavServer::Kind::Radicale);
    QVERIFY(server.start());
    CalDavClient client;
    client.setCredentials(server.username(), QStringLiteral("wrong"));
    QCOMPARE(discover(client, server.baseUrl()).failure,
             QStringLiteral("The server rejected the username or password."));
    client.setCredentials(server.username(), server.password());
    QCOMPARE(discover(client, server.baseUrl()).failure,
             QStringLiteral("No calendars found at the discovered home set."));
}

void TestCalDavDiscovery::failureTexts_data()
{
    QTest::addColumn<QString>("startUrl"); // empty: the proxy's root
    QTest::addColumn<int>("step");         // 0 principal, 1 home set, 2 calendar list
    QTest::addColumn<QString>("fault");    // a status, "cut" or "stall"
    QTest::addColumn<QString>("expected"); // the text up to any transport error text
    QTest::addColumn<int>("requests");

    QTest::newRow("no scheme") << "dav.example.test/cal" << 0 << ""
                               << QStringLiteral(
                                      "Enter a CalDAV URL starting with http:// or https://")
                               << 0;
    QTest::newRow("principal 403 is not a credentials problem")
        << "" << 0 << "403"
        << QStringLiteral("Server returned HTTP 403 during principal discovery.") << 1;
    QTest::newRow("principal stalls")
        << "" << 0 << "stall" << QStringLiteral("Could not reach the server: ") << 1;
    QTest::newRow("principal cut")
        << "" << 0 << "cut" << QStringLiteral("Could not reach the server: ") << 1;
    QTest::newRow("home set 500") << "" << 1 << "500"
                                  << QStringLiteral(
                                         "Server returned HTTP 500 during home-set discovery.")
                                  << 2;
    QTest::newRow("home set cut") << "" << 1 << "cut"
                                  << QStringLiteral(
                                         "Lost connection during calendar-home-set discovery: ")
                                  << 2;
    QTest::newRow("calendar list 404")
        << "" << 2 << "404"
        << QStringLiteral("Server returned HTTP 404 during calendar enumeration.") << 3;
    QTest::newRow("calendar list stalls")
        << "" << 2 << "stall" << QStringLiteral("Lost connection during calendar enumeration: ")
        << 3;
}

void TestCalDavDiscovery::failureTexts()
{
    QFETCH(QString, startUrl);
    QFETCH(int, step);
    QFETCH(QString, fault);
    QFETCH(QString, expected);
    QFETCH(int, requests);

    DavServer server(DavServer::Kind::Radicale);
    QVERIFY(server.start());
    QVERIFY(server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work")).isValid());
    DavFaultProxy proxy(server.baseUrl());
    // The steps ask "/", "/alice/" and "/alice/" again; the fault goes to the step's request.
    proxy.passThrough("PROPFIND", "", step);
    if (fault == QLatin1String("cut"))
        proxy.cutReply("PROPFIND", "");
    else if (fault == QLatin1String("stall"))
        proxy.stall("PROPFIND", "");
    else if (!fault.isEmpty())
        proxy.failWith("PROPFIND", "", fault.toInt());

    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    client.setTransferTimeout(400);
    const QUrl start = startUrl.isEmpty() ? proxy.baseUrl() : QUrl(startUrl);
    const Outcome outcome = discover(client, start);
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.signals, 1);
    QVERIFY2(outcome.failure.startsWith(expected), qPrintable(outcome.failure));
    if (expected.endsWith(QLatin1String(": ")))
        QVERIFY(outcome.failure.size() > expected.size());
    QCOMPARE(proxy.count("PROPFIND"), requests);
}

void TestCalDavDiscovery::serverWithoutPrincipalOrHomeSet()
{
    DavFaultProxy server;
    const QByteArray calendar =
        "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
        "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:response><d:href>/dav/cal/</d:href>"
        "<d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/></d:resourcetype>"
        "</d:prop></d:propstat></d:response></d:multistatus>";
    server.failWith("PROPFIND", "/dav/", 207,
                    propResponse("/dav/", "<d:displayname>x</d:displayname>"), 2);
    server.failWith("PROPFIND", "/dav/", 207, calendar);
    CalDavClient client;
    const Outcome outcome = discover(client, server.baseUrl().resolved(QUrl("/dav/")));
    QCOMPARE(outcome.failure, QString());
    QCOMPARE(outcome.calendars.size(), 1);
    QCOMPARE(outcome.calendars[0].href, server.baseUrl().resolved(QUrl("/dav/cal/")).toString());
    QCOMPARE(outcome.calendars[0].displayName, QStringLiteral("/dav/cal/"));
    const auto requests = server.requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[0].headers.value("depth") + requests[1].headers.value("depth") +
                 requests[2].headers.value("depth"),
             QByteArray("001"));
}

void TestCalDavDiscovery::pinningFlow()
{
    QTemporaryDir dir;
    const DavServer::Options tls =
        DavServer::makeSelfSignedCertificate(dir.path(), QStringLiteral("127.0.0.1"));
    QVERIFY(!tls.certificatePath.isEmpty());
    DavServer server(DavServer::Kind::Radicale, tls);
    QVERIFY(server.start());
    QVERIFY(server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work")).isValid());

    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    CalDavDiscovery discovery(&client);
    QSignalSpy completed(&discovery, &CalDavDiscovery::completed);
    QSignalSpy failed(&discovery, &CalDavDiscovery::failed);
    discovery.start(server.baseUrl());
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 30000);
    QVERIFY(failed.first().first().toString().startsWith(
        QStringLiteral("Could not reach the server: ")));
    const QString fingerprint = client.pendingUntrustedCert().sha256;
    QCOMPARE(fingerprint.size(), 64);

    // The user trusts what the dialog showed, pasted in lower case; the same discovery runs
    // again on the same client.
    client.setTrustedCertSha256(CalDavClient::formatFingerprint(fingerprint).toLower());
    QCOMPARE(client.pendingUntrustedCert().sha256, QString());
    discovery.start(server.baseUrl());
    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, 30000);
    QCOMPARE(failed.size(), 1);
    const auto calendars =
        completed.first().first().value<QList<CalDavParse::DiscoveredCalendar>>();
    QCOMPARE(calendars.size(), 1);
    QCOMPARE(QUrl(calendars.first().href).scheme(), QStringLiteral("https"));
}

QTEST_GUILESS_MAIN(TestCalDavDiscovery)
#include "tst_caldavdiscovery.moc"
