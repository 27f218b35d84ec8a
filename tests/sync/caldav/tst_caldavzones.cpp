// Zones survive the round trip through a real server (run under TZ=Europe/Berlin): a weekly 09:00
// series made here, and another client's Berlin series retitled here, both stay at 09:00 in
// Berlin across the change to summer and back, as python3-icalendar with recurring_ical_events
// reads them from the server.
#include "AppStateFixture.h"
#include "CalDavSyncClient.h"
#include "CalendarRepository.h"
#include "DavServer.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "Ical.h"
#include "Oracle.h"
#include "StoreSeed.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* foreignSeries = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other client//EN\r\n"
                            "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                            "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nTZOFFSETFROM:+0100\r\n"
                            "TZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
                            "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                            "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                            "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
                            "END:VTIMEZONE\r\n"
                            "BEGIN:VEVENT\r\nUID:foreign\r\nDTSTAMP:20260101T000000Z\r\n"
                            "SUMMARY:Review\r\nDTSTART;TZID=Europe/Berlin:20260303T090000\r\n"
                            "DTEND;TZID=Europe/Berlin:20260303T100000\r\n"
                            "RRULE:FREQ=WEEKLY;COUNT=40\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// Wall-clock times of every occurrence of the object in 2026, as python reads them.
QStringList pythonWallClocks(const QString& data)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("object.ics")));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(data.toUtf8());
    file.close();
    bool ok = false;
    QString error;
    const QByteArray output = Oracle::runPython(
        Oracle::testsPath(QStringLiteral("core/oracles/zoned_occurrences.py")),
        {file.fileName(), QStringLiteral("20260101T000000Z"), QStringLiteral("20270101T000000Z")},
        {}, &ok, &error);
    if (!ok)
        qWarning("%s", qPrintable(error));
    QStringList walls;
    for (const QString& line : QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts))
        walls.append(line.section(u' ', 1));
    return walls;
}

} // namespace

class TestCalDavZones : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void seriesKeepTheirZoneOnTheServer()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        const QUrl collection = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QVERIFY(collection.isValid());
        const DavHttp::Reply put =
            server.putObject(collection.resolved(QUrl(QStringLiteral("foreign.ics"))),
                             QString::fromLatin1(foreignSeries));
        QVERIFY2(put.status / 100 == 2, qPrintable(put.error));

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Account account = StoreSeed::account(QStringLiteral("acc-1"), QStringLiteral("Server"),
                                             QStringLiteral("caldav"));
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        Calendar calendar = StoreSeed::calendar(QStringLiteral("cal-1"), account.id,
                                                QStringLiteral("Work"), QStringLiteral("#3366cc"));
        calendar.url = collection.toString();
        calendar.syncEnabled = true;
        QVERIFY(StoreSeed::addCalendar(state, account, calendar));

        // Made here as every new event is: in the machine's zone.
        Event made =
            StoreSeed::timedEvent(QStringLiteral("made"), calendar.id, QStringLiteral("Standup"),
                                  StoreSeed::local(QDate(2026, 3, 2), QTime(9, 0)).toUTC(),
                                  StoreSeed::local(QDate(2026, 3, 2), QTime(9, 30)).toUTC());
        made.timezone = EventZone::forNewEvents();
        QCOMPARE(made.timezone, QStringLiteral("Europe/Berlin"));
        made.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=40");
        made.rawIcalendar = Ical::buildEvent(made);
        made.syncStatus = QStringLiteral("pending");
        QVERIFY(StoreSeed::addEvent(state, made));

        const auto sync = [&] {
            CalDavSyncClient client(state);
            QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
            QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
            client.syncCalendar(*state->calendars()->getById(calendar.id),
                                server.baseUrl().toString(), server.username(), server.password(),
                                QString());
            return QTest::qWaitFor([&] { return completed.count() + failed.count() > 0; }, 20000) &&
                   completed.count() == 1;
        };
        QVERIFY(sync());

        // The other client's series comes in with its zone, and goes back retitled in it.
        std::optional<Event> foreign =
            state->events()->getByUid(QStringLiteral("foreign"), calendar.id);
        QVERIFY(foreign);
        QCOMPARE(foreign->timezone, QStringLiteral("Europe/Berlin"));
        foreign->title = QStringLiteral("Retitled");
        foreign->rawIcalendar = Ical::buildEvent(*foreign);
        foreign->syncStatus = QStringLiteral("pending");
        QVERIFY(state->events()->update(*foreign));
        QVERIFY(sync());

        const QList<DavHttp::Object> objects = server.listObjects(collection);
        QCOMPARE(objects.size(), 2);
        for (const DavHttp::Object& object : objects) {
            QCOMPARE(object.data.count(QStringLiteral("BEGIN:VTIMEZONE")), 1);
            const bool isForeign = object.data.contains(QStringLiteral("UID:foreign"));
            if (isForeign)
                QVERIFY(object.data.contains(QStringLiteral("SUMMARY:Retitled")));
            QVERIFY2(object.data.contains(
                         isForeign ? QStringLiteral("TZID=Europe/Berlin:20260303T090000")
                                   : QStringLiteral("TZID=Europe/Berlin:20260302T090000")),
                     qPrintable(object.data));
            const QStringList walls = pythonWallClocks(object.data);
            QCOMPARE(walls.size(), 40);
            QCOMPARE(walls.filter(QStringLiteral("09:00")).size(), 40);
        }
    }
};

QTEST_MAIN(TestCalDavZones)
#include "tst_caldavzones.moc"
