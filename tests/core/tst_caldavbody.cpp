#include "CalDavBody.h"
#include "Ical.h"

#include <QTest>

namespace {

QString lf(const char* text)
{
    return QString::fromUtf8(text);
}

QString crlf(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

const char* master = "BEGIN:VCALENDAR\n"
                     "VERSION:2.0\n"
                     "PRODID:-//Other//EN\n"
                     "BEGIN:VTIMEZONE\n"
                     "TZID:Europe/Berlin\n"
                     "END:VTIMEZONE\n"
                     "BEGIN:VEVENT\n"
                     "UID:s1\n"
                     "DTSTART;TZID=Europe/Berlin:20250101T090000\n"
                     "RRULE:FREQ=DAILY;COUNT=5\n"
                     "SUMMARY:Long line that is\n"
                     "  folded\n"
                     "BEGIN:VALARM\n"
                     "TRIGGER:-PT5M\n"
                     "END:VALARM\n"
                     "END:VEVENT\n"
                     "END:VCALENDAR\n";

const char* override1 = "BEGIN:VCALENDAR\n"
                        "VERSION:2.0\n"
                        "BEGIN:VTIMEZONE\n"
                        "TZID:Europe/Berlin\n"
                        "END:VTIMEZONE\n"
                        "BEGIN:VEVENT\n"
                        "UID:s1\n"
                        "RECURRENCE-ID:20250102T080000Z\n"
                        "SUMMARY:Moved\n"
                        "END:VEVENT\n"
                        "END:VCALENDAR\n";

} // namespace

class TestCalDavBody : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void single_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");

        QTest::newRow("line feeds become CR LF, one trailing line dropped")
            << lf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\nEND:VEVENT\nEND:VCALENDAR\n")
            << crlf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\nEND:VEVENT\nEND:VCALENDAR\n");
        QTest::newRow("bare component is wrapped")
            << lf("BEGIN:VTODO\r\nUID:t\r\nEND:VTODO")
            << crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Orvandellic//Calendar Desktop//EN\n"
                    "BEGIN:VTODO\nUID:t\nEND:VTODO\nEND:VCALENDAR\n");
        QTest::newRow("lower-case wrapper is kept as written")
            << lf("begin:vcalendar\nBEGIN:VEVENT\nEND:VEVENT\nend:vcalendar")
            << crlf("begin:vcalendar\nBEGIN:VEVENT\nEND:VEVENT\nend:vcalendar\n");
    }

    void single()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(CalDavBody::single(stored), expected);
    }

    // The object of a series carries master and overrides once, each zone once, the calendar's
    // properties of the master, and an exclusion for a deleted override inside the master only.
    void composeRebuildsTheWholeSeries()
    {
        const QString body =
            CalDavBody::compose({lf(master), lf(override1)},
                                {QStringLiteral("20250103T080000Z"), QStringLiteral("20250104")});
        QCOMPARE(body.count(QStringLiteral("BEGIN:VCALENDAR")), 1);
        QCOMPARE(body.count(QStringLiteral("TZID:Europe/Berlin")), 1);
        QCOMPARE(body.count(QStringLiteral("PRODID:")), 1);
        QVERIFY(body.contains(QStringLiteral("PRODID:-//Other//EN")));
        QVERIFY(body.contains(QStringLiteral("SUMMARY:Long line that is\r\n  folded\r\n")));
        // The exclusion names the master's zone, as its DTSTART does.
        QVERIFY(body.contains(
            QStringLiteral("END:VALARM\r\nEXDATE;TZID=Europe/Berlin:20250103T090000\r\n"
                           "EXDATE;VALUE=DATE:20250104\r\nEND:VEVENT")));
        QVERIFY(!body.contains(QLatin1Char('\n') + QStringLiteral("\n")));
        QVERIFY(body.endsWith(QStringLiteral("END:VCALENDAR\r\n")));

        const QList<Event> events = Ical::parseEvents(body);
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[0].recurrenceId, QString());
        QVERIFY(events[0].exceptionDates.contains(QStringLiteral("20250103T080000Z")));
        QCOMPARE(events[1].recurrenceId, QStringLiteral("20250102T080000Z"));
        QCOMPARE(events[1].title, QStringLiteral("Moved"));
    }

    void exceptionDatesAreAddedOnce_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<int>("exdates");
        QTest::addColumn<QString>("zone"); // the series' zone, for a floating start

        QTest::newRow("new id") << lf(master) << QStringList{"20250103T080000Z"} << 1 << QString();
        // Floating time says an exclusion as the digits of the series' clock, as its start.
        const QString floating =
            lf(master).replace(QStringLiteral("DTSTART;TZID=Europe/Berlin:"), "DTSTART:");
        QTest::newRow("floating, new id")
            << floating << QStringList{"20250103T080000Z"} << 1 << "Europe/Berlin";
        QTest::newRow("floating, already excluded")
            << QString(floating).replace("RRULE:", "EXDATE:20250103T090000\nRRULE:")
            << QStringList{"20250103T080000Z"} << 1 << "Europe/Berlin";
        QTest::newRow("already excluded")
            << QString(lf(master))
                   .replace(QStringLiteral("RRULE:"), QStringLiteral("EXDATE:20250101T080000Z,"
                                                                     "20250103T080000Z\nRRULE:"))
            << QStringList{"20250103T080000Z"} << 1 << QString();
        QTest::newRow("same id twice")
            << lf(master) << QStringList{"20250103T080000Z", "20250103T080000Z"} << 1 << QString();
        QTest::newRow("no event") << lf("BEGIN:VCALENDAR\nEND:VCALENDAR\n")
                                  << QStringList{"20250103T080000Z"} << 0 << QString();
    }

    void exceptionDatesAreAddedOnce()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, ids);
        QFETCH(int, exdates);
        QFETCH(QString, zone);
        const QString result = CalDavBody::withExceptionDates(stored, ids, zone);
        QCOMPARE(result.count(QStringLiteral("EXDATE")), exdates);
        if (!zone.isEmpty())
            QVERIFY2(result.contains("\nEXDATE:20250103T090000\n"), qPrintable(result));
        // Nothing lands inside the alarm.
        const qsizetype alarm = result.indexOf(QStringLiteral("BEGIN:VALARM"));
        if (alarm >= 0) {
            const QString inside =
                result.mid(alarm, result.indexOf(QStringLiteral("END:VALARM")) - alarm);
            QVERIFY(!inside.contains(QStringLiteral("EXDATE")));
        }
        QCOMPARE(CalDavBody::addExceptionDates(QStringLiteral("[\"20250101T080000Z\"]"), ids)
                     .count(QStringLiteral("20250103T080000Z")),
                 ids.isEmpty() ? 0 : 1);
    }

    // An item moved out of a place another object took keeps its text under a new UID: the
    // component's own UID (folded or with parameters) changes, an alarm's stays.
    void uidIsReplacedInTheComponentOnly_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("event with an alarm's UID")
            << crlf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:old\nSUMMARY:A\nBEGIN:VALARM\nUID:alarm\n"
                    "END:VALARM\nEND:VEVENT\nEND:VCALENDAR\n")
            << crlf("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:new\nSUMMARY:A\nBEGIN:VALARM\nUID:alarm\n"
                    "END:VALARM\nEND:VEVENT\nEND:VCALENDAR\n");
        QTest::newRow("bare task, folded UID with a parameter")
            << lf("BEGIN:VTODO\nuid;X-A=1:very\n long\nSUMMARY:T\nEND:VTODO\n")
            << lf("BEGIN:VTODO\nUID:new\nSUMMARY:T\nEND:VTODO\n");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("a Google item") << QStringLiteral("{\"id\":\"x\",\"summary\":\"UID:1\"}")
                                       << QStringLiteral("{\"id\":\"x\",\"summary\":\"UID:1\"}");
    }

    void uidIsReplacedInTheComponentOnly()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(CalDavBody::withUid(stored, QStringLiteral("new")), expected);
    }

    void unreadableExceptionListStartsAfresh()
    {
        QCOMPARE(
            CalDavBody::addExceptionDates(QStringLiteral("{oops"), {QStringLiteral("20250104")}),
            QStringLiteral("[\"20250104\"]"));
    }
};

QTEST_GUILESS_MAIN(TestCalDavBody)
#include "tst_caldavbody.moc"
