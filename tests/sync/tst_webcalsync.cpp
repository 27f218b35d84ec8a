#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "LoopbackHttpServer.h"
#include "WebcalMirror.h"
#include "WebcalSyncClient.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

QByteArray vevent(const QString& uid, const QString& title, const QString& start)
{
    return QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20260301T000000Z\r\n"
                          "DTSTART:%2\r\nDURATION:PT1H\r\nSUMMARY:%3\r\nEND:VEVENT\r\n")
        .arg(uid, start, title)
        .toUtf8();
}

QByteArray feed(const QList<QByteArray>& events)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Feed//EN\r\n";
    for (const QByteArray& event : events) {
        text += event;
    }
    return text + "END:VCALENDAR\r\n";
}

Event row(const QString& id, const QString& uid, const QString& status, const QString& raw = {})
{
    Event event;
    event.id = id;
    event.uid = uid;
    event.title = uid;
    event.syncStatus = status;
    event.rawIcalendar = raw;
    event.startTime = QDateTime(QDate(2026, 3, 11), QTime(9, 0), QTimeZone::utc());
    return event;
}

} // namespace

class TestWebcalSync : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<LoopbackHttpServer> m_server;
    LoopbackHttpServer::Reply m_reply;
    Calendar m_calendar;
    int m_changed = -1; // what the last sync reported as changed
    int m_skipped = 0; // feed events the last sync left out

    EventRepository* events() const { return m_fixture->state()->events(); }

    QString titleOf(const QString& uid) const
    {
        const std::optional<Event> event = events()->getByUid(uid, m_calendar.id);
        return event ? event->title : QString();
    }

    void serve(const QByteArray& body, int status = 200)
    {
        m_reply = {};
        m_reply.status = status;
        m_reply.body = body;
        m_reply.contentType = "text/calendar";
    }

    // Runs one sync with a fresh client; the reason on failure, empty on success.
    QString sync(int timeoutMs = 5000, qint64 maxBytes = 0)
    {
        Webcal::SyncClient client(m_fixture->state());
        client.setTransferTimeoutMs(timeoutMs);
        client.setDeadlineMs(1000);
        if (maxBytes > 0) {
            client.setMaxFeedBytes(maxBytes);
        }
        QSignalSpy completed(&client, &Webcal::SyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &Webcal::SyncClient::calendarSyncFailed);
        m_skipped = 0;
        connect(&client, &Webcal::SyncClient::feedEventsSkipped, this,
                [this](const QString&, int count) { m_skipped += count; });
        client.syncCalendar(m_calendar);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(completed.size() + failed.size(), 1, 15000); }();
        m_changed = completed.isEmpty() ? -1 : completed.first().at(1).toInt();
        return failed.isEmpty() ? QString() : failed.first().at(1).toString();
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        m_server = std::make_unique<LoopbackHttpServer>(
            [this](const LoopbackHttpServer::Request&) { return m_reply; });
        Account account;
        account.id = QStringLiteral("feeds");
        account.name = QStringLiteral("Feeds");
        account.type = QStringLiteral("webcal");
        account.createdAt = account.updatedAt = AppStateFixture::defaultNow();
        QVERIFY(m_fixture->state()->accounts()->insert(account));
        m_calendar.id = QStringLiteral("holidays");
        m_calendar.accountId = account.id;
        m_calendar.name = QStringLiteral("Holidays");
        m_calendar.isReadOnly = true;
        m_calendar.createdAt = m_calendar.updatedAt = AppStateFixture::defaultNow();
        m_calendar.url = m_server->origin() + QStringLiteral("/holidays.ics");
        QVERIFY(m_fixture->state()->calendars()->insert(m_calendar));
    }

    void cleanup()
    {
        m_server.reset();
        m_fixture.reset();
    }

    // The decision over every kind of local row, without the network.
    void planKeepsPendingRowsAndDropsVanishedOnes()
    {
        const QByteArray same = vevent(QStringLiteral("same"), QStringLiteral("same"),
                                       QStringLiteral("20260311T090000Z"));
        QList<Event> local = {row("1", "same", "synced"), row("2", "edited", "pending"),
                              row("3", "gone", "synced"), row("4", "gone-pending", "pending"),
                              row("5", "changed", "synced")};
        const QList<Event> parsedSame = Ical::parseEvents(QString::fromUtf8(feed({same})));
        QCOMPARE(parsedSame.size(), 1);
        local[0] = parsedSame.first();
        local[0].id = QStringLiteral("1");
        const QString text =
            QString::fromUtf8(feed({same,
                                    vevent(QStringLiteral("edited"), QStringLiteral("server"),
                                           QStringLiteral("20260311T090000Z")),
                                    vevent(QStringLiteral("changed"), QStringLiteral("new title"),
                                           QStringLiteral("20260311T090000Z")),
                                    vevent(QStringLiteral("new"), QStringLiteral("new"),
                                           QStringLiteral("20260312T090000Z")),
                                    vevent(QStringLiteral("new"), QStringLiteral("duplicate"),
                                           QStringLiteral("20260313T090000Z"))}));
        const WebcalMirror::Plan plan =
            WebcalMirror::plan(local, Ical::parseEvents(text), QStringLiteral("cal"));
        QCOMPARE(plan.inserts.size(), 1);
        QCOMPARE(plan.inserts.first().title, QStringLiteral("new"));
        QCOMPARE(plan.inserts.first().calendarId, QStringLiteral("cal"));
        QCOMPARE(plan.updates.size(), 1);
        QCOMPARE(plan.updates.first().id, QStringLiteral("5"));
        QCOMPARE(plan.removals, QStringList{QStringLiteral("3")});
        QCOMPARE(plan.unchanged, 1);
        QCOMPARE(plan.keptPending, 1);
    }

    void downloadUrl_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("webcal") << "webcal://example.org/a.ics"
                                << "https://example.org/a.ics";
        QTest::newRow("webcals") << "WEBCALS://example.org/a.ics"
                                 << "https://example.org/a.ics";
        QTest::newRow("http") << "http://127.0.0.1:8080/a.ics"
                              << "http://127.0.0.1:8080/a.ics";
        QTest::newRow("file") << "file:///etc/passwd"
                              << "";
        QTest::newRow("no host") << "https:///a.ics"
                                 << "";
        QTest::newRow("garbage") << "not a url"
                                 << "";
    }

    void downloadUrl()
    {
        QFETCH(QString, feed);
        QFETCH(QString, expected);
        QCOMPARE(WebcalMirror::downloadUrl(feed).toString(), expected);
    }

    void mirrorsAddedChangedAndRemovedEvents()
    {
        serve(
            feed({vevent("a", "Alpha", "20260311T090000Z"), vevent("b", "Beta", "20260312T090000Z"),
                  vevent("c", "Gamma", "20260313T090000Z")}));
        QCOMPARE(sync(), QString());
        QCOMPARE(events()->getByCalendar(m_calendar.id).size(), 3);
        QCOMPARE(m_changed, 3);

        // A local edit not yet sent anywhere survives the next download.
        Event beta = *events()->getByUid(QStringLiteral("b"), m_calendar.id);
        beta.title = QStringLiteral("Beta, my notes");
        beta.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->update(beta));

        serve(feed({vevent("a", "Alpha moved", "20260311T100000Z"),
                    vevent("b", "Beta from server", "20260312T090000Z"),
                    vevent("d", "Delta", "20260314T090000Z")}));
        QCOMPARE(sync(), QString());
        QCOMPARE(titleOf(QStringLiteral("a")), QStringLiteral("Alpha moved"));
        QCOMPARE(titleOf(QStringLiteral("b")), QStringLiteral("Beta, my notes"));
        QCOMPARE(titleOf(QStringLiteral("d")), QStringLiteral("Delta"));
        QVERIFY(!events()->getByUid(QStringLiteral("c"), m_calendar.id));
        QCOMPARE(events()->getByCalendar(m_calendar.id).size(), 3);
        QCOMPARE(events()->getByUid(QStringLiteral("a"), m_calendar.id)->syncStatus,
                 QStringLiteral("synced"));
        QCOMPARE(m_changed, 3); // a changed, d added, c removed

        // The count is of what a download changed: the same feed again changes nothing.
        QCOMPARE(sync(), QString());
        QCOMPARE(m_changed, 0);
    }

    // One event that cannot be stored does not cost the rest of the feed; a stored copy of it
    // stays until the feed brings a readable one.
    void eventWithoutStartIsSkippedAndTheRestMirrored()
    {
        serve(feed(
            {vevent("a", "Alpha", "20260311T090000Z"), vevent("b", "Beta", "20260312T090000Z")}));
        QCOMPARE(sync(), QString());
        const QByteArray noStart =
            "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Beta, broken\r\nEND:VEVENT\r\n";
        serve(feed({vevent("a", "Alpha moved", "20260311T100000Z"), noStart,
                    "BEGIN:VEVENT\r\nUID:c\r\nSUMMARY:Never started\r\nEND:VEVENT\r\n",
                    vevent("d", "Delta", "20260314T090000Z")}));
        QCOMPARE(sync(), QString());
        QCOMPARE(m_skipped, 2);
        QCOMPARE(titleOf(QStringLiteral("a")), QStringLiteral("Alpha moved"));
        QCOMPARE(titleOf(QStringLiteral("b")), QStringLiteral("Beta"));
        QCOMPARE(titleOf(QStringLiteral("d")), QStringLiteral("Delta"));
        QVERIFY(!events()->getByUid(QStringLiteral("c"), m_calendar.id));

        const WebcalMirror::Plan plan = WebcalMirror::plan(
            events()->getByCalendar(m_calendar.id),
            Ical::parseEvents(QString::fromUtf8(feed({noStart}))), m_calendar.id);
        QCOMPARE(plan.skipped, 1);
        QVERIFY(plan.inserts.isEmpty() && plan.updates.isEmpty());
        QCOMPARE(plan.removals.size(), 2); // a and d, not b
    }

    // A feed that keeps redirecting is a loop: given up after as many hops as a CalDAV server gets.
    void redirectLoopIsGivenUp()
    {
        m_reply = {};
        m_reply.status = 302;
        m_reply.contentType = "text/plain";
        m_reply.headers = {{"Location", "/holidays.ics"}};
        QCOMPARE(sync(), QStringLiteral("The calendar feed could not be downloaded (HTTP 302)."));
        QCOMPARE(m_server->requests().size(), Limits::maxHttpRedirects + 1);
    }

    // A row the store refuses fails the download and keeps everything as it was.
    void refusedWriteFailsAndKeepsTheCalendar()
    {
        serve(feed({vevent("a", "Alpha", "20260311T090000Z")}));
        QCOMPARE(sync(), QString());
        QSqlQuery sql(m_fixture->state()->database()->database());
        QVERIFY(
            sql.exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON events WHEN "
                                    "NEW.uid = 'poison' BEGIN SELECT RAISE(ABORT, 'no'); END")));
        serve(feed({vevent("b", "Beta", "20260312T090000Z"),
                    vevent("poison", "Poison", "20260313T090000Z")}));
        QCOMPARE(sync(), QStringLiteral("The calendar feed could not be stored."));
        QCOMPARE(titleOf(QStringLiteral("a")), QStringLiteral("Alpha"));
        QCOMPARE(events()->getByCalendar(m_calendar.id).size(), 1);
    }

    // Every failed download keeps the calendar exactly as it was.
    void failedDownloadKeepsTheCalendar_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("stall");
        QTest::addColumn<int>("trickleMs");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("too large")
            << 200 << feed({vevent("x", QString(4000, 'x'), "20260311T090000Z")}) << false << 0
            << qint64(2000) << "The calendar feed is too large.";
        QTest::newRow("stalled") << 200 << QByteArray() << true << 0 << qint64(0)
                                 << "The calendar feed did not answer in time.";
        // One byte every 50 ms is never silent for the stall timeout; the whole feed would take
        // ten seconds, the deadline ends it after one.
        QTest::newRow("trickling")
            << 200 << feed({vevent("t", "Trickled", "20260311T090000Z")}) << false << 50
            << qint64(0) << "The calendar feed did not answer in time.";
        QTest::newRow("server error") << 503 << QByteArray("busy") << false << 0 << qint64(0)
                                      << "The calendar feed could not be downloaded (HTTP 503).";
        QTest::newRow("error page") << 200 << QByteArray("<html>moved</html>") << false << 0
                                    << qint64(0) << "The calendar feed is not an iCalendar file.";
    }

    void failedDownloadKeepsTheCalendar()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, stall);
        QFETCH(int, trickleMs);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, reason);
        serve(feed({vevent("a", "Alpha", "20260311T090000Z")}));
        QCOMPARE(sync(), QString());

        serve(body, status);
        m_reply.stall = stall;
        m_reply.trickleMs = trickleMs;
        QCOMPARE(sync(stall ? 300 : 5000, maxBytes), reason);
        QCOMPARE(titleOf(QStringLiteral("a")), QStringLiteral("Alpha"));
        QCOMPARE(events()->getByCalendar(m_calendar.id).size(), 1);
    }
};

QTEST_MAIN(TestWebcalSync)
#include "tst_webcalsync.moc"
