// Zones travel with events: the zone new events take, the zoned form of what is written (with a
// definition that gives the zone's offsets), and the reading of zones only a text defines.
#include "CalDavBody.h"
#include "EventDuplicate.h"
#include "EventZone.h"
#include "Ical.h"
#include "PinnedClock.h"
#include "QuickAdd.h"
#include "Recurrence.h"
#include "TestTime.h"
#include "VTimeZone.h"
#include "VTimeZoneRules.h"

#include <QTest>

using TestTime::utc;

namespace {

QString crlf(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString calendarWith(const QString& body)
{
    return crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Other//EN\n" + body + "END:VCALENDAR\n");
}

// The one VTIMEZONE block of a text; empty when it has none.
QString definitionIn(const QString& text)
{
    const qsizetype begin = text.indexOf(QStringLiteral("BEGIN:VTIMEZONE"));
    if (begin < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("END:VTIMEZONE"), begin);
    return text.mid(begin, end + 13 - begin);
}

const char* berlinSeries = "BEGIN:VEVENT\nUID:weekly\nSUMMARY:Standup\n"
                           "DTSTART;TZID=Europe/Berlin:20250303T090000\n"
                           "DTEND;TZID=Europe/Berlin:20250303T093000\n"
                           "RRULE:FREQ=WEEKLY;COUNT=40\n"
                           "EXDATE;TZID=Europe/Berlin:20250310T090000\n"
                           "END:VEVENT\n";

} // namespace

class TestEventZone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zoneForNewEvents_data()
    {
        QTest::addColumn<QTimeZone>("system");
        QTest::addColumn<QString>("expected");
        QTest::newRow("IANA zone") << QTimeZone("Europe/Berlin") << "Europe/Berlin";
        QTest::newRow("half-hour zone") << QTimeZone("Asia/Kolkata") << "Asia/Kolkata";
        QTest::newRow("UTC by another name") << QTimeZone("Etc/UTC") << "UTC";
        QTest::newRow("offset without a name") << QTimeZone(3600) << "UTC";
        QTest::newRow("POSIX rule") << QTimeZone("CET-1CEST") << "UTC";
        QTest::newRow("invalid") << QTimeZone() << "UTC";
    }

    void zoneForNewEvents()
    {
        QFETCH(QTimeZone, system);
        QFETCH(QString, expected);
        QCOMPARE(EventZone::forNewEvents(system), expected);
    }

    // Quick add takes the zone of the "now" it is given; a duplicate keeps a real zone and
    // gives a UTC event the new-event zone.
    void creationPathsTakeTheZone()
    {
        const QTimeZone berlin("Europe/Berlin");
        const QDateTime now(QDate(2025, 3, 3), QTime(8, 0), berlin);
        const Event quick =
            QuickAdd::buildEvent(QStringLiteral("Standup tomorrow 9am"), now, QStringLiteral("c"),
                                 QStringLiteral("q"), now.toUTC());
        QCOMPARE(quick.timezone, QStringLiteral("Europe/Berlin"));
        QVERIFY(quick.rawIcalendar.contains(
            QStringLiteral("DTSTART;TZID=Europe/Berlin:20250304T090000\r\n")));

        Event source = quick;
        source.timezone = QStringLiteral("America/New_York");
        QCOMPARE(EventDuplicate::standalone(source, QStringLiteral("c"), now, berlin).timezone,
                 QStringLiteral("America/New_York"));
        source.timezone = QStringLiteral("UTC");
        QCOMPARE(EventDuplicate::standalone(source, QStringLiteral("c"), now, berlin).timezone,
                 QStringLiteral("Europe/Berlin"));
    }

    // What the writer makes of one event: the start line, one further line it must hold, and
    // the zone it defines. Each text reads back to the same instants, zone and ids.
    void writtenTexts_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("exceptionDates");
        QTest::addColumn<QString>("recurrenceId");
        QTest::addColumn<QString>("startLine");
        QTest::addColumn<QString>("otherLine");
        QTest::addColumn<QString>("defines");

        const QDateTime winter = utc(2025, 1, 15, 8);
        QTest::newRow("UTC") << "UTC" << false << winter << ""
                             << ""
                             << ""
                             << "DTSTART:20250115T080000Z"
                             << "DTEND:20250115T090000Z"
                             << "";
        QTest::newRow("Berlin") << "Europe/Berlin" << false << winter << ""
                                << ""
                                << ""
                                << "DTSTART;TZID=Europe/Berlin:20250115T090000"
                                << "DTEND;TZID=Europe/Berlin:20250115T100000"
                                << "Europe/Berlin";
        QTest::newRow("New York in summer")
            << "America/New_York" << false << utc(2025, 7, 1, 13) << ""
            << ""
            << ""
            << "DTSTART;TZID=America/New_York:20250701T090000"
            << "TZOFFSETTO:-0400"
            << "America/New_York";
        QTest::newRow("Kolkata") << "Asia/Kolkata" << false << winter << ""
                                 << ""
                                 << ""
                                 << "DTSTART;TZID=Asia/Kolkata:20250115T133000"
                                 << "TZOFFSETTO:+0530"
                                 << "Asia/Kolkata";
        QTest::newRow("half-hour DST")
            << "Australia/Lord_Howe" << false << winter << "FREQ=MONTHLY;COUNT=14"
            << ""
            << ""
            << "DTSTART;TZID=Australia/Lord_Howe:20250115T190000"
            << "TZOFFSETTO:+1030"
            << "Australia/Lord_Howe";
        QTest::newRow("all-day stays a date")
            << "Europe/Berlin" << true << utc(2025, 1, 15) << "FREQ=DAILY;COUNT=3"
            << R"(["20250116"])"
            << ""
            << "DTSTART;VALUE=DATE:20250115"
            << "EXDATE;VALUE=DATE:20250116"
            << "";
        QTest::newRow("series with exception, UNTIL stays UTC")
            << "Europe/Berlin" << false << utc(2025, 3, 3, 8)
            << "FREQ=WEEKLY;UNTIL=20251231T235959Z"
            << R"(["20250407T070000Z"])"
            << ""
            << "DTSTART;TZID=Europe/Berlin:20250303T090000"
            << "EXDATE;TZID=Europe/Berlin:20250407T090000"
            << "Europe/Berlin";
        QTest::newRow("override") << "Europe/Berlin" << false << utc(2025, 4, 7, 12) << ""
                                  << ""
                                  << "20250407T070000Z"
                                  << "DTSTART;TZID=Europe/Berlin:20250407T140000"
                                  << "RECURRENCE-ID;TZID=Europe/Berlin:20250407T090000"
                                  << "Europe/Berlin";
        QTest::newRow("unknown zone is written in UTC") << "Office" << false << winter << ""
                                                        << ""
                                                        << ""
                                                        << "DTSTART:20250115T080000Z"
                                                        << "DTEND:20250115T090000Z"
                                                        << "";
    }

    void writtenTexts()
    {
        QFETCH(QString, zone);
        QFETCH(bool, allDay);
        QFETCH(QDateTime, start);
        QFETCH(QString, rule);
        QFETCH(QString, exceptionDates);
        QFETCH(QString, recurrenceId);
        QFETCH(QString, startLine);
        QFETCH(QString, otherLine);
        QFETCH(QString, defines);
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event event;
        event.uid = QStringLiteral("u");
        event.timezone = zone;
        event.isAllDay = allDay;
        event.startTime = start;
        event.endTime = allDay ? start.addDays(1) : start.addSecs(3600);
        event.recurrenceRule = rule;
        event.exceptionDates = exceptionDates;
        event.recurrenceId = recurrenceId;
        event.masterEventUid = recurrenceId.isEmpty() ? QString() : event.uid;

        const QString text = Ical::buildEvent(event);
        QVERIFY2(text.contains(startLine + QStringLiteral("\r\n")), qPrintable(text));
        QVERIFY2(text.contains(otherLine + QStringLiteral("\r\n")), qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("BEGIN:VTIMEZONE")), defines.isEmpty() ? 0 : 1);
        if (!defines.isEmpty())
            QVERIFY(text.contains(QStringLiteral("TZID:") + defines + QStringLiteral("\r\n")));
        if (rule.contains(QStringLiteral("UNTIL")))
            QVERIFY(text.contains(QStringLiteral("RRULE:") + rule + QStringLiteral("\r\n")));

        const QList<Event> read = Ical::parseEvents(text);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].startTime, start);
        QCOMPARE(read[0].endTime, event.endTime);
        QCOMPARE(read[0].timezone, defines.isEmpty() ? QStringLiteral("UTC") : zone);
        QCOMPARE(read[0].exceptionDates, exceptionDates);
        QCOMPARE(read[0].recurrenceId, recurrenceId);
    }

    // The definition written for a zone gives the zone's own offset around every transition of
    // the span, and one open yearly rule per kind where the zone follows one.
    void definitionReproducesTheZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<int>("observances");
        QTest::newRow("Berlin") << "Europe/Berlin" << utc(2025, 1, 1) << utc(2035, 1, 1) << 2;
        QTest::newRow("Dublin, winter as the zone's daylight time")
            << "Europe/Dublin" << utc(2025, 1, 1) << utc(2035, 1, 1) << 2;
        QTest::newRow("New York across its 2007 change")
            << "America/New_York" << utc(2004, 1, 1) << utc(2020, 1, 1) << 4;
        QTest::newRow("Sydney, southern summer")
            << "Australia/Sydney" << utc(2020, 1, 1) << utc(2030, 1, 1) << 2;
        QTest::newRow("half-hour DST")
            << "Australia/Lord_Howe" << utc(2020, 1, 1) << utc(2030, 1, 1) << 2;
        QTest::newRow("DST abolished")
            << "America/Sao_Paulo" << utc(2014, 1, 1) << utc(2024, 1, 1) << -1;
        QTest::newRow("no DST") << "Asia/Kolkata" << utc(2020, 1, 1) << utc(2030, 1, 1) << 1;
        QTest::newRow("irregular changes")
            << "Africa/Casablanca" << utc(2017, 1, 1) << utc(2022, 1, 1) << -1;
    }

    void definitionReproducesTheZone()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(int, observances);
        const QTimeZone tz(zone.toUtf8());
        const QString text = VTimeZone::write(zone, tz, from, to);
        const std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(text);
        QVERIFY2(rules, qPrintable(text));
        QCOMPARE(rules->tzid(), zone);
        if (observances >= 0)
            QCOMPARE(text.count(QStringLiteral("BEGIN:STANDARD")) +
                         text.count(QStringLiteral("BEGIN:DAYLIGHT")),
                     observances);
        const auto offset = [&](qint64 at) {
            return tz.offsetFromUtc(QDateTime::fromSecsSinceEpoch(at, QTimeZone::utc()));
        };
        // Rules that still hold at the end carry on past it: readers extrapolate them.
        const bool carriesOn = observances == 2 || zone == u"America/New_York";
        QList<qint64> instants{from.toSecsSinceEpoch(), to.toSecsSinceEpoch()};
        for (const QTimeZone::OffsetData& data :
             tz.transitions(from, carriesOn ? to.addYears(5) : to)) {
            const qint64 at = data.atUtc.toSecsSinceEpoch();
            instants << at - 1 << at << at + 86400 * 30;
        }
        for (const qint64 at : std::as_const(instants))
            QVERIFY2(rules->offsetAt(at) == offset(at),
                     qPrintable(QStringLiteral("%1 at %2: %3, zone %4\n%5")
                                    .arg(zone)
                                    .arg(at)
                                    .arg(rules->offsetAt(at))
                                    .arg(offset(at))
                                    .arg(text)));
    }

    // A TZID that names no known zone is read by the definition the text carries, whatever
    // the machine's zone; the event keeps an IANA zone with the same offsets where one fits.
    void customZoneReadByItsDefinition_data()
    {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("tzid");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<QString>("zone");

        const QString india = QStringLiteral(
            "BEGIN:VTIMEZONE\nTZID:India Standard Time (custom)\nBEGIN:STANDARD\n"
            "DTSTART:16010101T000000\nTZOFFSETFROM:+0530\nTZOFFSETTO:+0530\nTZNAME:IST\n"
            "END:STANDARD\nEND:VTIMEZONE\n");
        QTest::newRow("+05:30") << india << "India Standard Time (custom)"
                                << "20250115T090000" << utc(2025, 1, 15, 3, 30) << "Asia/Kolkata";
        const QString central = QStringLiteral(
            "BEGIN:VTIMEZONE\nTZID:Central Europe (custom)\n"
            "BEGIN:STANDARD\nDTSTART:16011028T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\n"
            "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\nEND:STANDARD\n"
            "BEGIN:DAYLIGHT\nDTSTART:16010325T020000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
            "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\nEND:DAYLIGHT\nEND:VTIMEZONE\n");
        QTest::newRow("yearly rules, winter")
            << central << "Central Europe (custom)"
            << "20250115T090000" << utc(2025, 1, 15, 8)
            << "Europe/Paris"; // the main zone of the region with these rules
        QTest::newRow("yearly rules, summer") << central << "Central Europe (custom)"
                                              << "20250715T090000" << utc(2025, 7, 15, 7) << "";
        QTest::newRow("in the spring gap, the offset before")
            << central << "Central Europe (custom)"
            << "20250330T023000" << utc(2025, 3, 30, 1, 30) << "";
        QTest::newRow("twice in autumn, the earlier")
            << central << "Central Europe (custom)"
            << "20251026T023000" << utc(2025, 10, 26, 0, 30) << "";
        QTest::newRow("vendor prefix before an IANA id")
            << QString(central).replace(QStringLiteral("Central Europe (custom)"),
                                        QStringLiteral("/example.org/2007_1/Europe/Berlin"))
            << "/example.org/2007_1/Europe/Berlin"
            << "20250715T090000" << utc(2025, 7, 15, 7) << "Europe/Berlin";
        QTest::newRow("RDATE onsets, no rule")
            << QStringLiteral("BEGIN:VTIMEZONE\nTZID:Odd\nBEGIN:STANDARD\nDTSTART:20000101T000000\n"
                              "TZOFFSETFROM:+0300\nTZOFFSETTO:+0300\nEND:STANDARD\n"
                              "BEGIN:DAYLIGHT\nDTSTART:20250601T000000\nRDATE:20260601T000000\n"
                              "TZOFFSETFROM:+0300\nTZOFFSETTO:+0400\nEND:DAYLIGHT\nEND:VTIMEZONE\n")
            << "Odd"
            << "20250701T090000" << utc(2025, 7, 1, 5) << "";
    }

    void customZoneReadByItsDefinition()
    {
        QFETCH(QString, definition);
        QFETCH(QString, tzid);
        QFETCH(QString, local);
        QFETCH(QDateTime, expected);
        QFETCH(QString, zone);
        const QString tzidParam = QStringLiteral("\"") + tzid + QStringLiteral("\"");
        const QString text =
            calendarWith(definition + "BEGIN:VEVENT\nUID:c\nDTSTART;TZID=" + tzidParam + ":" +
                         local + "\nRRULE:FREQ=WEEKLY;COUNT=2\nEND:VEVENT\n");
        const QList<Event> read = Ical::parseEvents(text);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].startTime.toUTC(), expected);
        if (!zone.isEmpty())
            QCOMPARE(read[0].timezone, zone);
        // Whatever zone was chosen repeats the series as the definition does...
        const QTimeZone kept(read[0].timezone.toUtf8());
        QVERIFY(kept.isValid());
        // ... and the stored text stays self-contained.
        QVERIFY(read[0].rawIcalendar.contains(QStringLiteral("TZID:") + tzid));
        QCOMPARE(Ical::parseEvents(read[0].rawIcalendar).value(0).startTime.toUTC(), expected);
    }

    // A series from another client, retitled here: its text keeps its zone and wall-clock
    // times, and its definition; a moved occurrence names the same occurrence in that zone.
    void retitledSeriesKeepsItsZone()
    {
        PinnedClock clock(utc(2025, 6, 1, 12));
        Event series = Ical::parseEvents(calendarWith(QString::fromLatin1(berlinSeries))).value(0);
        QCOMPARE(series.timezone, QStringLiteral("Europe/Berlin"));
        series.title = QStringLiteral("Retitled");
        const QString text = Ical::buildEvent(series);
        QVERIFY(text.contains(QStringLiteral("DTSTART;TZID=Europe/Berlin:20250303T090000\r\n")));
        QVERIFY(text.contains(QStringLiteral("EXDATE;TZID=Europe/Berlin:20250310T090000\r\n")));
        QVERIFY(text.contains(QStringLiteral("TZID:Europe/Berlin\r\n")));

        // Every occurrence stays at 09:00 in Berlin, before and after the change in March.
        const QList<Event> occurrences = Recurrence::occurrences(Ical::parseEvents(text).value(0),
                                                                 utc(2025, 3, 1), utc(2025, 12, 1));
        QCOMPARE(occurrences.size(), 38); // 39 weeks before December, one excluded
        for (const Event& occurrence : occurrences)
            QCOMPARE(occurrence.startTime.toTimeZone(QTimeZone("Europe/Berlin")).time(),
                     QTime(9, 0));

        // An override of 7 April (07:00 UTC) is written in the zone and read back to the id
        // the expansion matches.
        Event moved = occurrences.at(4);
        QCOMPARE(moved.recurrenceId, QStringLiteral("20250407T070000Z"));
        moved.masterEventUid = moved.uid;
        moved.recurrenceRule.clear();
        moved.exceptionDates.clear();
        moved.rawIcalendar.clear();
        moved.startTime = moved.startTime.addSecs(3600);
        moved.endTime = moved.endTime->addSecs(3600);
        const QString overrideText = Ical::buildEvent(moved);
        QVERIFY(overrideText.contains(
            QStringLiteral("RECURRENCE-ID;TZID=Europe/Berlin:20250407T090000\r\n")));
        const Event readBack = Ical::parseEvents(overrideText).value(0);
        QCOMPARE(readBack.recurrenceId, moved.recurrenceId);
        const QList<Event> shown = Recurrence::expand({Ical::parseEvents(text).value(0), readBack},
                                                      utc(2025, 4, 7), utc(2025, 4, 8));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].startTime.toUTC(), utc(2025, 4, 7, 8));
    }

    // A stored text that names a zone without defining it (as texts are stored after reading)
    // is sent with a definition; one that carries its own is sent with that one alone.
    void sentObjectsDefineTheirZones()
    {
        const Event series =
            Ical::parseEvents(calendarWith(QString::fromLatin1(berlinSeries))).value(0);
        QVERIFY(!series.rawIcalendar.contains(QStringLiteral("VTIMEZONE")));
        const QString body = CalDavBody::compose({series.rawIcalendar}, {});
        QCOMPARE(body.count(QStringLiteral("BEGIN:VTIMEZONE")), 1);
        QVERIFY(body.indexOf(QStringLiteral("END:VTIMEZONE")) <
                body.indexOf(QStringLiteral("BEGIN:VEVENT")));
        const std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(definitionIn(body));
        QVERIFY(rules);
        QCOMPARE(rules->offsetAt(utc(2025, 7, 1).toSecsSinceEpoch()), 7200);

        const QString withOwn = calendarWith(
            "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nBEGIN:STANDARD\nDTSTART:19701025T030000\n"
            "TZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n" +
            QString::fromLatin1(berlinSeries));
        QCOMPARE(CalDavBody::compose({withOwn}, {QStringLiteral("20250317T080000Z")})
                     .count(QStringLiteral("BEGIN:VTIMEZONE")),
                 1);
        QVERIFY(CalDavBody::withExceptionDates(series.rawIcalendar,
                                               {QStringLiteral("20250317T080000Z")})
                    .contains(QStringLiteral("EXDATE;TZID=Europe/Berlin:20250317T090000\r\n")));
    }

    // Hostile definitions stay bounded: many observances, daily rules, absurd offsets.
    void hostileDefinitionsAreBounded()
    {
        QString definition = QStringLiteral("BEGIN:VTIMEZONE\nTZID:Many\n");
        for (int i = 0; i < 500; ++i)
            definition += QStringLiteral("BEGIN:DAYLIGHT\nDTSTART:16010101T000000\n"
                                         "TZOFFSETFROM:+9999\nTZOFFSETTO:+0100\n"
                                         "RRULE:FREQ=YEARLY;BYDAY=MO,TU,WE,TH,FR,SA,SU\n"
                                         "END:DAYLIGHT\n");
        definition += QStringLiteral("END:VTIMEZONE\n");
        const std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(crlf(definition));
        QVERIFY(rules);
        QCOMPARE(rules->offsetAt(utc(2025, 1, 1).toSecsSinceEpoch()), 3600);
    }
};

QTEST_GUILESS_MAIN(TestEventZone)
#include "tst_eventzone.moc"
