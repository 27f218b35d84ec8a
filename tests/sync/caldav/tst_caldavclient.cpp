// The CalDAV HTTP client on the wire: headers of every verb, what reaches the callback for HTTP
// errors and for broken transfers, redirects and credentials, and certificate pinning against a
// Radicale serving a self-signed certificate made here with openssl.
#include "CalDavClient.h"
#include "DavFaultProxy.h"
#include "DavServer.h"
#include "LoopbackHttpServer.h"

#include <QHostAddress>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

using Response = CalDavClient::Response;

const QByteArray principalBody = "<?xml version=\"1.0\"?><d:propfind xmlns:d=\"DAV:\"><d:prop>"
                                 "<d:current-user-principal/></d:prop></d:propfind>";

const QByteArray multistatusBody =
    "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\"></d:multistatus>";

// Sends one request through the function and waits for its one callback.
std::optional<Response> run(const std::function<void(CalDavClient::Callback)>& send)
{
    std::optional<Response> result;
    int calls = 0;
    send([&](const Response& response) {
        result = response;
        ++calls;
    });
    if (!QTest::qWaitFor([&]() { return calls > 0; }, 30000))
        return std::nullopt;
    QTest::qWait(20);
    if (calls != 1)
        return std::nullopt;
    return result;
}

QByteArray basic(const QByteArray& userColonPassword)
{
    return "Basic " + userColonPassword.toBase64();
}

} // namespace

class TestCalDavClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requestHeaders_data();
    void requestHeaders();
    void httpErrorsArriveWithTheirStatus_data();
    void httpErrorsArriveWithTheirStatus();
    void brokenTransfersAreFailuresNotBodies_data();
    void brokenTransfersAreFailuresNotBodies();
    void nothingIsCalledAfterTheClientIsGone();
    void redirectRule_data();
    void redirectRule();
    void redirectsKeepCredentialsOnTheirOrigin();
    void redirectLoopEnds();
    void putThroughTheProxyWithAndWithoutEtag_data();
    void putThroughTheProxyWithAndWithoutEtag();
    void pinningAcceptsOnlyThePinnedLeaf();
};

void TestCalDavClient::requestHeaders_data()
{
    QTest::addColumn<QByteArray>("verb");
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("etag");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("depth");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("ifMatch");
    QTest::addColumn<QByteArray>("authorization");

    const QByteArray xml = "application/xml; charset=utf-8";
    const QByteArray ical = "text/calendar; charset=utf-8";
    const QByteArray auth = basic("jörg:pa:ss wört");
    QTest::newRow("propfind") << QByteArray("propfind") << "jörg"
                              << "" << QByteArray("PROPFIND") << QByteArray("1") << xml
                              << QByteArray() << auth;
    QTest::newRow("report") << QByteArray("report") << "jörg"
                            << "" << QByteArray("REPORT") << QByteArray("1") << xml << QByteArray()
                            << auth;
    QTest::newRow("put bare etag")
        << QByteArray("put") << "jörg"
        << "abc" << QByteArray("PUT") << QByteArray() << ical << QByteArray("\"abc\"") << auth;
    QTest::newRow("put quoted etag")
        << QByteArray("put") << "jörg"
        << "\"q\"" << QByteArray("PUT") << QByteArray() << ical << QByteArray("\"q\"") << auth;
    QTest::newRow("put star") << QByteArray("put") << "jörg"
                              << "*" << QByteArray("PUT") << QByteArray() << ical << QByteArray("*")
                              << auth;
    QTest::newRow("put create") << QByteArray("put") << "jörg"
                                << "" << QByteArray("PUT") << QByteArray() << ical << QByteArray()
                                << auth;
    QTest::newRow("delete") << QByteArray("remove") << "jörg"
                            << "W/\"w\"" << QByteArray("DELETE") << QByteArray() << QByteArray()
                            << QByteArray("\"W/\"w\"\"") << auth;
    QTest::newRow("mkcalendar") << QByteArray("mkcalendar") << "jörg"
                                << "" << QByteArray("MKCALENDAR") << QByteArray() << xml
                                << QByteArray() << auth;
    QTest::newRow("proppatch without user")
        << QByteArray("proppatch") << ""
        << "" << QByteArray("PROPPATCH") << QByteArray() << xml << QByteArray() << QByteArray();
}

void TestCalDavClient::requestHeaders()
{
    QFETCH(QByteArray, verb);
    QFETCH(QString, username);
    QFETCH(QString, etag);
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, depth);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, ifMatch);
    QFETCH(QByteArray, authorization);

    DavFaultProxy server;
    server.failWith("", "", 207, multistatusBody, -1);
    CalDavClient client;
    client.setCredentials(username, QStringLiteral("pa:ss wört"));
    const QUrl url = server.baseUrl().resolved(QUrl(QStringLiteral("/cal/x.ics")));
    const QByteArray body = verb == "put" ? QByteArray("BEGIN:VCALENDAR\r\n") : QByteArray("<x/>");
    const auto response = run([&](CalDavClient::Callback done) {
        if (verb == "propfind")
            client.propfind(url, body, 1, done);
        else if (verb == "report")
            client.report(url, body, 1, done);
        else if (verb == "put")
            client.put(url, body, QStringLiteral("text/calendar; charset=utf-8"), done, etag);
        else if (verb == "remove")
            client.remove(url, done, etag);
        else if (verb == "mkcalendar")
            client.mkcalendar(url, body, done);
        else
            client.proppatch(url, body, done);
    });
    QVERIFY(response);
    QCOMPARE(response->statusCode, 207);
    QCOMPARE(response->body, multistatusBody);
    QVERIFY(response->errorString.isEmpty());

    QCOMPARE(server.requests().size(), 1);
    const DavFaultProxy::Request request = server.requests().first();
    QCOMPARE(request.method, method);
    QCOMPARE(request.path, QStringLiteral("/cal/x.ics"));
    QCOMPARE(request.headers.value("depth"), depth);
    QCOMPARE(request.headers.value("content-type"), contentType);
    QCOMPARE(request.headers.value("if-match"), ifMatch);
    QCOMPARE(request.headers.value("authorization"), authorization);
    QCOMPARE(request.headers.value("user-agent"), QByteArray("OrvandellicCalendar/1.3.1 (Qt)"));
    QCOMPARE(request.body, verb == "remove" ? QByteArray() : body);
}

void TestCalDavClient::httpErrorsArriveWithTheirStatus_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<int>("status");
    QTest::newRow("PUT 412") << QByteArray("PUT") << 412;
    QTest::newRow("REPORT 500") << QByteArray("REPORT") << 500;
    // The network layer files a 400 among its protocol errors; it is still the server's answer.
    QTest::newRow("PROPFIND 400") << QByteArray("PROPFIND") << 400;
    QTest::newRow("DELETE 409") << QByteArray("DELETE") << 409;
    QTest::newRow("PUT 403") << QByteArray("PUT") << 403;
}

void TestCalDavClient::httpErrorsArriveWithTheirStatus()
{
    QFETCH(QByteArray, method);
    QFETCH(int, status);
    DavFaultProxy server;
    server.failWith(method, ".ics", status, "<error/>");
    CalDavClient client;
    const QUrl url = server.baseUrl().resolved(QUrl(QStringLiteral("/cal/a.ics")));
    const auto response = run([&](auto done) {
        if (method == "PUT")
            client.put(url, "x", QString(), done, "e");
        else if (method == "REPORT")
            client.report(url, "<x/>", 1, done);
        else if (method == "PROPFIND")
            client.propfind(url, "<x/>", 0, done);
        else
            client.remove(url, done, "e");
    });
    QVERIFY(response);
    QCOMPARE(response->statusCode, status);
    QCOMPARE(response->body, QByteArray("<error/>"));
    QVERIFY(response->errorString.isEmpty());
    QCOMPARE(response->headers.value("Content-Type"), QByteArray("application/xml; charset=utf-8"));
}

void TestCalDavClient::brokenTransfersAreFailuresNotBodies_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("reply cut in the middle") << "cut";
    QTest::newRow("server stalls") << "stall";
    QTest::newRow("server trickles past the deadline") << "trickle";
    QTest::newRow("nothing listens") << "closed";
    QTest::newRow("reply larger than allowed") << "large";
}

void TestCalDavClient::brokenTransfersAreFailuresNotBodies()
{
    QFETCH(QString, fault);
    DavFaultProxy upstream;
    upstream.failWith("", "", 207, multistatusBody.repeated(50), -1);
    DavFaultProxy proxy(upstream.baseUrl());
    if (fault == QLatin1String("cut"))
        proxy.cutReply("REPORT", "");
    else if (fault == QLatin1String("stall"))
        proxy.stall("REPORT", "");
    // One byte every 50 ms is never silent for the stall timeout.
    LoopbackHttpServer trickling([](const LoopbackHttpServer::Request&) {
        LoopbackHttpServer::Reply reply;
        reply.status = 207;
        reply.contentType = "application/xml; charset=utf-8";
        reply.body = multistatusBody;
        reply.trickleMs = 50;
        return reply;
    });
    QUrl url =
        (fault == QLatin1String("trickle") ? QUrl(trickling.origin() + u'/') : proxy.baseUrl())
            .resolved(QUrl(QStringLiteral("/cal/")));
    if (fault == QLatin1String("closed")) {
        // A port that was free a moment ago and is closed again.
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        url.setPort(probe.serverPort());
    }

    CalDavClient client;
    client.setTransferTimeout(300);
    client.setRequestDeadline(1000);
    if (fault == QLatin1String("large"))
        client.setMaxReplyBytes(1000);
    const auto response = run([&](auto done) { client.report(url, "<x/>", 1, done); });
    QVERIFY(response);
    QCOMPARE(response->statusCode, 0);
    QVERIFY(!response->errorString.isEmpty());
    QVERIFY(response->body.isEmpty());
    if (fault == QLatin1String("large"))
        QVERIFY2(response->errorString.contains(QLatin1String("larger")),
                 qPrintable(response->errorString));
    if (fault == QLatin1String("stall"))
        QVERIFY2(response->errorString.contains(QLatin1String("did not answer")),
                 qPrintable(response->errorString));
    if (fault == QLatin1String("trickle"))
        QVERIFY2(response->errorString.contains(QLatin1String("did not end")),
                 qPrintable(response->errorString));
}

void TestCalDavClient::nothingIsCalledAfterTheClientIsGone()
{
    DavFaultProxy server;
    server.stall("", "");
    auto* client = new CalDavClient;
    int calls = 0;
    client->propfind(server.baseUrl(), "<x/>", 0, [&](const Response&) { ++calls; });
    QTRY_COMPARE(server.requests().size(), 1);
    delete client;
    QTest::qWait(100);
    QCOMPARE(calls, 0);
}

void TestCalDavClient::redirectRule_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("rule");
    const int follow = int(CalDavClient::Redirect::Follow);
    const int bare = int(CalDavClient::Redirect::FollowWithoutCredentials);
    const int refuse = int(CalDavClient::Redirect::Refuse);
    QTest::newRow("same origin") << "https://h.test/a/"
                                 << "https://H.TEST:443/b/" << follow;
    QTest::newRow("other host") << "https://h.test/a"
                                << "https://evil.test/a" << bare;
    QTest::newRow("other port") << "https://h.test/a"
                                << "https://h.test:8443/a" << bare;
    QTest::newRow("upgrade to https") << "http://h.test/a"
                                      << "https://h.test/a" << bare;
    QTest::newRow("downgrade to http") << "https://h.test/a"
                                       << "http://h.test/a" << refuse;
    QTest::newRow("downgrade elsewhere") << "https://h.test/a"
                                         << "http://evil.test/a" << refuse;
    QTest::newRow("not http") << "http://h.test/a"
                              << "file:///etc/passwd" << refuse;
    QTest::newRow("no host") << "http://h.test/a"
                             << "http:///a" << refuse;
}

void TestCalDavClient::redirectRule()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, rule);
    QCOMPARE(int(CalDavClient::redirectRule(QUrl(from), QUrl(to))), rule);
}

void TestCalDavClient::redirectsKeepCredentialsOnTheirOrigin()
{
    DavFaultProxy other;
    other.failWith("", "", 207, multistatusBody, -1);
    DavFaultProxy server;
    server.redirect("PROPFIND", "/old/", QUrl(QStringLiteral("/new/")), 301);
    server.redirect("PROPFIND", "/new/", other.baseUrl().resolved(QUrl("/moved/")), 307);
    CalDavClient client;
    client.setCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
    const auto response = run([&](auto done) {
        client.propfind(server.baseUrl().resolved(QUrl("/old/")), "<x/>", 1, done);
    });
    QVERIFY(response);
    QCOMPARE(response->statusCode, 207);

    // The two hops, each once; Qt may send a request again on a fresh connection when the
    // kept-alive one was closed under it, which is no further hop.
    QStringList hops;
    for (const auto& request : server.requests())
        if (!hops.contains(request.path))
            hops.append(request.path);
    QCOMPARE(hops, (QStringList{"/old/", "/new/"}));
    for (const auto& request : server.requests()) {
        QCOMPARE(request.headers.value("authorization"), basic("alice:secret"));
        QCOMPARE(request.body, QByteArray("<x/>"));
    }
    QCOMPARE(other.requests().size(), 1);
    const auto moved = other.requests().first();
    QCOMPARE(moved.path, QStringLiteral("/moved/"));
    QCOMPARE(moved.method, QByteArray("PROPFIND"));
    QCOMPARE(moved.headers.value("depth"), QByteArray("1"));
    QVERIFY(!moved.headers.contains("authorization"));
}

void TestCalDavClient::redirectLoopEnds()
{
    DavFaultProxy server;
    server.redirect("", "/loop/", QUrl(QStringLiteral("/loop/")), 302, -1);
    CalDavClient client;
    const auto response = run([&](auto done) {
        client.propfind(server.baseUrl().resolved(QUrl("/loop/")), {}, 0, done);
    });
    QVERIFY(response);
    QCOMPARE(response->statusCode, 302);
    QVERIFY(response->errorString.isEmpty());
    QCOMPARE(server.requests().size(), 6);
}

void TestCalDavClient::putThroughTheProxyWithAndWithoutEtag_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("Radicale") << int(DavServer::Kind::Radicale);
    // A strict HTTP parser: the forwarded request must be well formed to the last header.
    QTest::newRow("Xandikos") << int(DavServer::Kind::Xandikos);
}

void TestCalDavClient::putThroughTheProxyWithAndWithoutEtag()
{
    QFETCH(int, kind);
    if (!DavServer::available(DavServer::Kind(kind)))
        QSKIP("server not installed");
    DavServer server{DavServer::Kind(kind)};
    QVERIFY(server.start());
    const QUrl calendar = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    QVERIFY(calendar.isValid());
    DavFaultProxy proxy(server.baseUrl());
    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    const QUrl object = proxy.url(calendar).resolved(QUrl(QStringLiteral("a.ics")));
    const QByteArray ical = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tests//EN\r\n"
                            "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20240101T000000Z\r\n"
                            "DTSTART:20240101T100000Z\r\nSUMMARY:One\r\nEND:VEVENT\r\n"
                            "END:VCALENDAR\r\n";
    const QString type = QStringLiteral("text/calendar; charset=utf-8");

    const auto created = run([&](auto done) { client.put(object, ical, type, done); });
    QVERIFY(created);
    QCOMPARE(created->statusCode, 201);
    const QByteArray etag = created->headers.value("ETag");
    QVERIFY(!etag.isEmpty());
    QCOMPARE(server.listObjects(calendar).value(0).etag.toUtf8(),
             QByteArray(etag).replace('"', ""));

    // The stored tag goes back without quotes; the client restores them for If-Match.
    proxy.dropEtag("PUT", ".ics");
    QByteArray edited = ical;
    edited.replace("SUMMARY:One", "SUMMARY:Two");
    const QString unquoted = QString::fromUtf8(etag).remove(QLatin1Char('"'));
    const auto updated = run([&](auto done) { client.put(object, edited, type, done, unquoted); });
    QVERIFY(updated);
    QVERIFY(updated->statusCode >= 200 && updated->statusCode < 300);
    QVERIFY(!updated->headers.contains("ETag") && !updated->headers.contains("etag"));
    QVERIFY(server.listObjects(calendar).value(0).data.contains(QLatin1String("SUMMARY:Two")));

    // The old tag no longer matches: the server refuses, the client only reports it.
    const auto stale = run([&](auto done) { client.put(object, ical, type, done, unquoted); });
    QVERIFY(stale);
    QCOMPARE(stale->statusCode, 412);
    QVERIFY(stale->errorString.isEmpty());
}

void TestCalDavClient::pinningAcceptsOnlyThePinnedLeaf()
{
    QTemporaryDir dir;
    const DavServer::Options tls =
        DavServer::makeSelfSignedCertificate(dir.path(), QStringLiteral("Pinned Test Server"));
    QVERIFY(!tls.certificatePath.isEmpty());
    QProcess openssl;
    openssl.start("openssl",
                  {"x509", "-in", tls.certificatePath, "-noout", "-fingerprint", "-sha256"});
    QVERIFY(openssl.waitForFinished(20000));
    // "sha256 Fingerprint=AB:CD:..." in the letter case openssl uses.
    const QString printed = QString::fromLatin1(openssl.readAllStandardOutput()).trimmed();
    const QString withColons = printed.section(QLatin1Char('='), 1);
    QString expected = withColons;
    expected.remove(QLatin1Char(':'));
    expected = expected.toUpper();
    QCOMPARE(expected.size(), 64);

    DavServer server(DavServer::Kind::Radicale, tls);
    QVERIFY(server.start());
    QCOMPARE(server.baseUrl().scheme(), QStringLiteral("https"));

    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    QSignalSpy refused(&client, &CalDavClient::untrustedCertEncountered);
    const auto first =
        run([&](auto done) { client.propfind(server.principalUrl(), principalBody, 0, done); });
    QVERIFY(first);
    QCOMPARE(first->statusCode, 0);
    QVERIFY(!first->errorString.isEmpty());
    QCOMPARE(refused.size(), 1);
    const auto info = client.pendingUntrustedCert();
    QCOMPARE(refused.first().first().value<CalDavClient::UntrustedCertInfo>().sha256, info.sha256);
    QCOMPARE(info.sha256, expected);
    QCOMPARE(CalDavClient::formatFingerprint(info.sha256), withColons.toUpper());
    QCOMPARE(info.host, QStringLiteral("127.0.0.1"));
    QCOMPARE(info.port, int(server.port()));
    QCOMPARE(info.subject, QStringLiteral("Pinned Test Server"));
    QCOMPARE(info.issuer, QStringLiteral("Pinned Test Server"));
    QVERIFY(info.notBefore.isValid() && info.notBefore < info.notAfter);
    QVERIFY(!info.errors.isEmpty());

    // Another fingerprint is no pin for this certificate.
    QString wrong = expected;
    wrong[0] = wrong[0] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    client.setTrustedCertSha256(wrong);
    const auto second =
        run([&](auto done) { client.propfind(server.principalUrl(), principalBody, 0, done); });
    QVERIFY(second);
    QCOMPARE(second->statusCode, 0);
    QCOMPARE(refused.size(), 2);
}

QTEST_GUILESS_MAIN(TestCalDavClient)
#include "tst_caldavclient.moc"
