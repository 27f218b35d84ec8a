#include "FakeUpdateFeed.h"
#include "update/Client.h"
#include "update/FeedbackPage.h"
#include "update/ReleaseManifest.h"
#include "update/UpdateActions.h"
#include "update/UpdateDialog.h"
#include "update/WhatsNewDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace OrvaUpdate;

namespace {

QByteArray manifest(const QByteArray& version, const QByteArray& artifacts)
{
    return R"({"schema": 1, "version": ")" + version +
           R"(", "notes": "<b>Faster</b> start", "artifacts": )" + artifacts + "}";
}

const QByteArray linuxArtifact =
    R"({"linux-x64": {"url": "https://downloads.example/calendar-1.4.0.tar.gz", "sha256": "AB12", "size": 42}})";

Config configFor(const FakeUpdateFeed& feed, const QString& version = QStringLiteral("1.3.1"))
{
    return {QStringLiteral("calendar"), QStringLiteral("stable"), QUrl(feed.baseUrl()), version};
}

} // namespace

class TestUpdateClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkReportsOneOutcome_data();
    void checkReportsOneOutcome();
    void interactiveCheck();
    void whatsNewLoadsNotesOfRunningVersion();
    void feedbackPageOnlyForWebUrls();
};

void TestUpdateClient::checkReportsOneOutcome_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");       // 0: the server never answers; -N: trickles, N ms a byte
    QTest::addColumn<QString>("expected"); // "available <version>", "upToDate" or "failed"

    // The running version is 1.3.1.
    QTest::newRow("newer") << manifest("1.4.0", linuxArtifact) << 200 << "available 1.4.0";
    QTest::newRow("same version") << manifest("1.3.1", linuxArtifact) << 200 << "upToDate";
    QTest::newRow("older") << manifest("1.2.9", linuxArtifact) << 200 << "upToDate";
    QTest::newRow("numbers, not text")
        << manifest("1.10.0", linuxArtifact) << 200 << "available 1.10.0";
    QTest::newRow("no linux-x64 key")
        << manifest("1.4.0", R"({"windows-x64": {"url": "https://d.example/setup.exe"}})") << 200
        << "upToDate";
    QTest::newRow("malformed JSON")
        << QByteArray(R"({"schema": 1, "version": )") << 200 << "failed";
    QTest::newRow("array") << QByteArray("[1, 2]") << 200 << "failed";
    QTest::newRow("unknown schema")
        << QByteArray(R"({"schema": 2, "version": "9.0.0", "artifacts": {}})") << 200 << "failed";
    QTest::newRow("version with suffix")
        << manifest("1.4.0-beta", linuxArtifact) << 200 << "failed";
    QTest::newRow("download not a web link")
        << manifest("1.4.0", R"({"linux-x64": {"url": "file:///etc/passwd"}})") << 200 << "failed";
    QTest::newRow("server error") << QByteArray("oops") << 500 << "failed";
    QTest::newRow("too large") << QByteArray(2 * 1024 * 1024, ' ') + manifest("1.4.0", "{}") << 200
                               << "failed";
    QTest::newRow("stalled server") << QByteArray() << 0 << "failed";
    // Never silent for the stall timeout, the manifest would take seconds: the deadline ends it.
    QTest::newRow("trickling server") << manifest("1.4.0", linuxArtifact) << -50 << "failed";
}

void TestUpdateClient::checkReportsOneOutcome()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, expected);

    FakeUpdateFeed feed;
    const QString latest = QStringLiteral("/calendar/stable/latest.json");
    if (status == 0) {
        feed.stallPath(latest);
    } else if (status < 0) {
        feed.setFile(latest, body);
        feed.tricklePath(latest, -status);
    } else {
        feed.setFile(latest, body, status);
    }
    Client client(configFor(feed), nullptr);
    client.setTransferTimeout(500);
    client.setRequestDeadline(1000);
    QSignalSpy available(&client, &Client::updateAvailable);
    QSignalSpy upToDate(&client, &Client::upToDate);
    QSignalSpy failed(&client, &Client::checkFailed);
    client.checkNow();
    client.checkNow(); // ignored while the first check runs
    QTRY_COMPARE_WITH_TIMEOUT(available.size() + upToDate.size() + failed.size(), 1, 5000);
    QTest::qWait(50);
    QCOMPARE(available.size() + upToDate.size() + failed.size(), 1);
    QCOMPARE(feed.requestedPaths(), QStringList{latest});

    if (!available.isEmpty()) {
        const auto artifact = available.first().first().value<Artifact>();
        QCOMPARE(QStringLiteral("available ") + artifact.version, expected);
        QCOMPARE(artifact.url, QUrl("https://downloads.example/calendar-1.4.0.tar.gz"));
        QCOMPARE(artifact.sha256, QStringLiteral("ab12"));
        QCOMPARE(artifact.size, 42);
    } else {
        QCOMPARE(upToDate.isEmpty() ? QStringLiteral("failed") : QStringLiteral("upToDate"),
                 expected);
        QVERIFY(upToDate.size() || !failed.first().first().toString().isEmpty());
    }
}

void TestUpdateClient::interactiveCheck()
{
    FakeUpdateFeed feed;
    const QString latest = QStringLiteral("/calendar/stable/latest.json");
    QWidget window;
    QStringList status;
    StatusCallbacks callbacks{[&](const QString& text) { status << text; },
                              [&]() { status << QStringLiteral("<clear>"); },
                              [&](const QString& text, int ms) {
                                  status << text;
                                  QVERIFY(ms > 0);
                              }};
    const auto check = [&](const QByteArray& body) {
        status.clear();
        feed.setFile(latest, body);
        checkForUpdatesInteractive(configFor(feed), QStringLiteral("Orvandellic Calendar"), &window,
                                   callbacks);
    };

    check(manifest("1.3.1", linuxArtifact));
    QTRY_COMPARE(status.size(), 2);
    QCOMPARE(status.last(), QStringLiteral("Orvandellic Calendar is up to date (version 1.3.1)."));
    check("not json");
    QTRY_COMPARE(status.size(), 2);
    QVERIFY(status.last().startsWith(QLatin1String("Update check failed: ")));
    QVERIFY(window.findChild<UpdateDialog*>() == nullptr);

    check(manifest("1.4.0", linuxArtifact));
    QTRY_VERIFY(window.findChild<UpdateDialog*>() != nullptr);
    auto* dialog = window.findChild<UpdateDialog*>();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->artifact().version, QStringLiteral("1.4.0"));
    // Notes from the feed stay plain text: the markup is shown, not rendered.
    QCOMPARE(dialog->findChild<QPlainTextEdit*>("releaseNotes")->toPlainText(),
             QStringLiteral("<b>Faster</b> start"));
    QCOMPARE(status, (QStringList{"Checking for updates…", "<clear>"}));
    dialog->close();
    QTRY_VERIFY(window.findChild<UpdateDialog*>() == nullptr);
}

void TestUpdateClient::whatsNewLoadsNotesOfRunningVersion()
{
    FakeUpdateFeed feed;
    feed.setFile(QStringLiteral("/calendar/stable/notes/1.3.1.txt"), "Tray popover.\n");
    QWidget window;
    int cleared = 0;
    StatusCallbacks callbacks{{}, [&]() { ++cleared; }, {}};
    showWhatsNew(configFor(feed), QStringLiteral("Orvandellic Calendar"), &window, callbacks);
    auto* dialog = window.findChild<WhatsNewDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Orvandellic Calendar 1.3.1"));
    QTRY_COMPARE(dialog->text(), QStringLiteral("Tray popover.\n"));
    QCOMPARE(cleared, 1);

    // A version without notes on the feed says so in the window.
    showWhatsNew(configFor(feed, QStringLiteral("1.2.0")), QStringLiteral("Orvandellic Calendar"),
                 &window, callbacks);
    QTRY_VERIFY(window.findChildren<WhatsNewDialog*>().last()->text().startsWith(
        QLatin1String("The release notes could not be loaded")));
}

void TestUpdateClient::feedbackPageOnlyForWebUrls()
{
    QCOMPARE(feedbackPageUrl({QStringLiteral("calendar"), QUrl("https://example.org/feedback")}),
             QUrl("https://example.org/feedback?app=calendar"));
    QVERIFY(feedbackPageUrl({QStringLiteral("calendar"), QUrl("file:///tmp/x")}).isEmpty());
    QVERIFY(!openFeedbackPage({QStringLiteral("calendar"), QUrl("javascript:alert(1)")}, nullptr));
}

QTEST_MAIN(TestUpdateClient)
#include "tst_updateclient.moc"
