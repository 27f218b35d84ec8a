// Zones survive the round trip through a real server (run under TZ=Europe/Berlin): a weekly 09:00
// series made through the form, with one occurrence moved and one deleted, and another client's
// Berlin series retitled here, both stay at 09:00 in Berlin across the change to summer time and
// back, as python3-icalendar with recurring_ical_events and libical read them from the server.
#include "AppStateFixture.h"
#include "CalDavSyncClient.h"
#include "CalendarRepository.h"
#include "DavServer.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FormScrollArea.h"
#include "Ical.h"
#include "ModalSeam.h"
#include "Oracle.h"
#include "Recurrence.h"
#include "RecurrenceEditDialog.h"
#include "SeriesActions.h"
#include "StoreSeed.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <libical/ical.h>

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

// Other clients' times that an edit here must leave as they read: floating ones, read on the
// machine's clock (Tuesdays 10:00 from 3 March until 09:30 on 7 April, 07:30 UTC in summer time,
// so five times), and UTC ones around the night the clocks go back (a daily series from the second
// 02:00, an event from 01:30 to the second 02:30).
const char* othersTexts[] = {
    "UID:floating\r\nSUMMARY:Gym\r\nDTSTART:20260303T100000\r\nDTEND:20260303T110000\r\n"
    "RRULE:FREQ=WEEKLY;UNTIL=20260407T093000\r\n",
    "UID:later\r\nSUMMARY:Night\r\nDTSTART:20261025T010000Z\r\nDTEND:20261025T013000Z\r\n"
    "RRULE:FREQ=DAILY;COUNT=3\r\n",
    "UID:across\r\nSUMMARY:Across\r\nDTSTART:20261024T233000Z\r\nDTEND:20261025T013000Z\r\n"};

QString othersObject(const char* lines)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other client//EN\r\n"
                          "BEGIN:VEVENT\r\nDTSTAMP:20260101T000000Z\r\n%1END:VEVENT\r\n"
                          "END:VCALENDAR\r\n")
        .arg(QString::fromLatin1(lines));
}

QUrl othersUrl(const QUrl& collection, const char* lines)
{
    return collection.resolved(
        QUrl(QString::fromLatin1(lines).section(u'\r', 0, 0).mid(4) + QStringLiteral(".ics")));
}

// Wall-clock times of every occurrence of the object in 2026, as python reads them.
QStringList pythonWallClocks(const QString& data)
{
    QStringList walls;
    for (const QString& line : Oracle::occurrencesIn2026(data))
        walls.append(line.section(u' ', 1));
    return walls;
}

// Berlin wall-clock starts of the object's series master in 2026 as libical expands it, with the
// TZID resolved through the object's own VTIMEZONE; empty when libical flags an error.
QStringList libicalMasterWallClocks(const QString& data)
{
    QStringList walls;
    icalcomponent* root = icalparser_parse_string(data.toUtf8().constData());
    if (!root)
        return walls;
    for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        if (icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY)) {
            walls = {QStringLiteral("X-LIC-ERROR")};
            break;
        }
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
            continue;
        if (!icalcomponent_get_dtstart(event).zone)
            continue; // a start whose zone libical did not resolve shows as nothing
        icaltimezone* utc = icaltimezone_get_utc_timezone();
        icalcomponent_foreach_recurrence(
            event, icaltime_from_timet_with_zone(1767225600, 0, utc), // 2026-01-01
            icaltime_from_timet_with_zone(1798761600, 0, utc),        // 2027-01-01
            [](icalcomponent*, struct icaltime_span* span, void* found) {
                static_cast<QStringList*>(found)->append(
                    QDateTime::fromSecsSinceEpoch(span->start, QTimeZone("Europe/Berlin"))
                        .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
            },
            &walls);
    }
    icalcomponent_free(root);
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
        for (const char* lines : othersTexts)
            QVERIFY(server.putObject(othersUrl(collection, lines), othersObject(lines)).status /
                        100 ==
                    2);

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

        // Made through the form: Mondays 09:00–09:30 from 2 March, 40 times.
        {
            EventFormDialog dialog(state);
            dialog.findChildren<QLineEdit*>().first()->setText(QStringLiteral("Standup"));
            dialog.setStartAndDuration(StoreSeed::local(QDate(2026, 3, 2), QTime(9, 0)), 30);
            auto* calendars = dialog.findChild<FormScrollArea*>()->widget()->findChild<QComboBox*>(
                QString(), Qt::FindDirectChildrenOnly);
            calendars->setCurrentIndex(calendars->findData(calendar.id));
            QPushButton* repeat = nullptr;
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == QLatin1String("Does not repeat"))
                    repeat = button;
            QVERIFY(repeat);
            ModalSeam::run([&] { repeat->click(); },
                           [](QWidget* window) {
                               auto* editor = qobject_cast<RecurrenceEditDialog*>(window);
                               QVERIFY(editor);
                               for (QRadioButton* radio : editor->findChildren<QRadioButton*>())
                                   if (radio->text() == QLatin1String("After"))
                                       radio->click();
                               // The count's box is the one holding its default of 10.
                               for (QSpinBox* spin : editor->findChildren<QSpinBox*>())
                                   if (spin->value() == 10)
                                       spin->setValue(40);
                               editor->accept();
                           });
            ModalSeam::run(
                [&] {
                    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                },
                [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        const QList<Event> madeRows = state->events()->getByCalendar(calendar.id);
        QCOMPARE(madeRows.size(), 1);
        const Event made = madeRows.first();
        QCOMPARE(made.timezone, QStringLiteral("Europe/Berlin"));
        QCOMPARE(made.recurrenceRule, QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=40"));

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

        // One occurrence moved to 14:00 after the change to summer time, one deleted before it,
        // each through the window's own path with "This event only".
        QWidget host;
        const auto thisOnly = [](QWidget* window) {
            ModalSeam::clickButton(window, QStringLiteral("This event only"));
        };
        const EventChange::Reporter report = [](const QString& message) {
            QFAIL(qPrintable(message));
        };
        ModalSeam::run(
            [&] {
                QVERIFY(SeriesActions::move(state, &host, *state->events()->getById(made.id),
                                            StoreSeed::local(QDate(2026, 3, 30), QTime(9, 0)),
                                            StoreSeed::local(QDate(2026, 3, 30), QTime(14, 0)),
                                            StoreSeed::local(QDate(2026, 3, 30), QTime(14, 30)),
                                            QStringLiteral("Move"), QStringLiteral("failed"),
                                            report));
            },
            thisOnly);
        ModalSeam::run(
            [&] {
                QVERIFY(SeriesActions::remove(state, &host, *state->events()->getById(made.id),
                                              StoreSeed::local(QDate(2026, 3, 16), QTime(9, 0)),
                                              report));
            },
            thisOnly);
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

        // The floating series repeats at 10:00 here across the change to summer time, until the
        // wall time its UNTIL says.
        const auto floatingWalls = [&] {
            QStringList walls;
            for (const Event& occurrence : Recurrence::occurrences(
                     *state->events()->getByUid(QStringLiteral("floating"), calendar.id),
                     StoreSeed::local(QDate(2026, 1, 1), QTime(0, 0)),
                     StoreSeed::local(QDate(2027, 1, 1), QTime(0, 0))))
                walls << occurrence.startTime.toLocalTime().toString(QStringLiteral("MM-dd HH:mm"));
            return walls;
        };
        const QStringList fiveTuesdays{"03-03 10:00", "03-10 10:00", "03-17 10:00", "03-24 10:00",
                                       "03-31 10:00"};
        QCOMPARE(floatingWalls(), fiveTuesdays);
        // Renamed in the form, nothing else touched, the others' objects go back as they read:
        // python reads the same instants and lengths.
        for (const char* lines : othersTexts) {
            const Event stored = *state->events()->getByUid(
                QString::fromLatin1(lines).section(u'\r', 0, 0).mid(4), calendar.id);
            EventFormDialog dialog(state, stored);
            if (!stored.recurrenceRule.isEmpty())
                dialog.setSeriesScope(stored, stored.startTime, 3);
            dialog.findChildren<QLineEdit*>().first()->setText(stored.title +
                                                               QStringLiteral(" here"));
            ModalSeam::run(
                [&] {
                    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                },
                [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QVERIFY(sync());
        QCOMPARE(floatingWalls(), fiveTuesdays);
        const QDateTime from(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
        for (const char* lines : othersTexts) {
            const QString sent =
                QString::fromUtf8(server.request("GET", othersUrl(collection, lines)).body);
            QVERIFY2(sent.contains(QStringLiteral(" here\r\n")), qPrintable(sent));
            // Floating times stay floating, as the other client wrote them.
            if (sent.contains(QStringLiteral("UID:floating")))
                QVERIFY2(sent.contains(QStringLiteral("\r\nDTSTART:20260303T100000\r\n")) &&
                             sent.contains(QStringLiteral(";UNTIL=20260407T093000\r\n")),
                         qPrintable(sent));
            const QStringList theirs =
                Oracle::occurrencesWithLengths(othersObject(lines), from, from.addYears(1));
            QVERIFY(!theirs.isEmpty());
            QCOMPARE(Oracle::occurrencesWithLengths(sent, from, from.addYears(1)), theirs);
        }

        const QList<DavHttp::Object> objects = server.listObjects(collection);
        QCOMPARE(objects.size(), 5);
        for (const DavHttp::Object& object : objects) {
            // The objects above are checked already.
            if (QRegularExpression(QStringLiteral("UID:(floating|later|across)\\s"))
                    .match(object.data)
                    .hasMatch())
                continue;
            QCOMPARE(object.data.count(QStringLiteral("BEGIN:VTIMEZONE")), 1);
            const bool isForeign = object.data.contains(QStringLiteral("UID:foreign"));
            if (isForeign)
                QVERIFY(object.data.contains(QStringLiteral("SUMMARY:Retitled")));
            QVERIFY2(object.data.contains(
                         isForeign ? QStringLiteral("TZID=Europe/Berlin:20260303T090000")
                                   : QStringLiteral("TZID=Europe/Berlin:20260302T090000")),
                     qPrintable(object.data));
            // Another client shows every occurrence at 09:00, but for the moved one, once, at
            // 14:00 and the deleted one not at all.
            const QStringList walls = pythonWallClocks(object.data);
            QCOMPARE(walls.size(), isForeign ? 40 : 39);
            QCOMPARE(walls.filter(QStringLiteral("09:00")).size(), isForeign ? 40 : 38);
            QCOMPARE(walls.filter(QStringLiteral("14:00")).size(), isForeign ? 0 : 1);
            // libical resolves the TZID through the object's own VTIMEZONE; its iterator leaves
            // overrides to the reader, so the moved date keeps 09:00 there.
            const QStringList libical = libicalMasterWallClocks(object.data);
            QCOMPARE(libical.size(), isForeign ? 40 : 39);
            QCOMPARE(libical.filter(QStringLiteral("09:00")).size(), libical.size());
            if (!isForeign)
                QVERIFY(!libical.contains(QStringLiteral("2026-03-16 09:00")));
        }
    }
};

QTEST_MAIN(TestCalDavZones)
#include "tst_caldavzones.moc"
