// Zones travel with events: the zone new events take, the zoned form of what is written (with a
// definition that gives the zone's offsets), and the reading of zones only a text defines.
#include "CalDavBody.h"
#include "EventDuplicate.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "GoogleEventMapping.h"
#include "Ical.h"
#include "PinnedClock.h"
#include "QuickAdd.h"
#include "Recurrence.h"
#include "StoreFixture.h"
#include "TestTime.h"
#include "VTimeZone.h"
#include "VTimeZoneRules.h"

#include <QRegularExpression>
#include <QTest>

using TestTime::utc;

namespace {

QString calendarWith(const QString& body)
{
    return QString("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Other//EN\n" + body + "END:VCALENDAR\n")
        .replace("\n", "\r\n");
}

const QString centralEurope =
    QStringLiteral("BEGIN:VTIMEZONE\nTZID:Central Europe (custom)\n"
                   "BEGIN:STANDARD\nDTSTART:16011028T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\n"
                   "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\nEND:STANDARD\n"
                   "BEGIN:DAYLIGHT\nDTSTART:16010325T020000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
                   "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\nEND:DAYLIGHT\nEND:VTIMEZONE\n");

Event eventIn(const QString& zone, const QDateTime& start, const QString& rule = {},
              const QString& exceptionDates = {}, const QString& recurrenceId = {},
              bool allDay = false)
{
    Event event;
    event.uid = "u";
    event.timezone = zone;
    event.isAllDay = allDay;
    event.startTime = start;
    event.endTime = allDay ? start.addDays(1) : start.addSecs(3600);
    event.recurrenceRule = rule;
    event.exceptionDates = exceptionDates;
    event.recurrenceId = recurrenceId;
    event.masterEventUid = recurrenceId.isEmpty() ? QString() : event.uid;
    return event;
}

} // namespace

Q_DECLARE_METATYPE(Event)

class TestEventZone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zoneForNewEvents_data()
    {
        QTest::addColumn<QTimeZone>("system");
        QTest::addColumn<QString>("expected");
        QTest::newRow("IANA zone") << QTimeZone("Europe/Berlin") << "Europe/Berlin";
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

    // Quick add takes the zone of its "now"; a duplicate keeps a real zone and gives a UTC
    // event the new-event zone.
    void creationPathsTakeTheZone()
    {
        const QTimeZone berlin("Europe/Berlin");
        const QDateTime now(QDate(2025, 3, 3), QTime(8, 0), berlin);
        Event event = QuickAdd::buildEvent("Standup tomorrow 9am", now, "c", "q", now.toUTC());
        QCOMPARE(event.timezone, "Europe/Berlin");
        event.timezone = "America/New_York";
        QCOMPARE(EventDuplicate::standalone(event, "c", now, berlin).timezone, event.timezone);
        event.timezone = "UTC";
        QCOMPARE(EventDuplicate::standalone(event, "c", now, berlin).timezone, "Europe/Berlin");
    }

    // The lines the writer makes of one event, the first being its start; a zoned start comes
    // with one definition of its zone. Each text reads back to the same instants, zone and ids.
    void writtenTexts_data()
    {
        QTest::addColumn<Event>("event");
        QTest::addColumn<QStringList>("lines");
        const QDateTime winter = utc(2025, 1, 15, 8);
        QTest::newRow("Berlin") << eventIn("Europe/Berlin", winter)
                                << QStringList{"DTSTART;TZID=Europe/Berlin:20250115T090000",
                                               "DTEND;TZID=Europe/Berlin:20250115T100000"};
        QTest::newRow("all-day stays a date")
            << eventIn("Europe/Berlin", utc(2025, 1, 15), "FREQ=DAILY;COUNT=3", R"(["20250116"])",
                       {}, true)
            << QStringList{"DTSTART;VALUE=DATE:20250115", "EXDATE;VALUE=DATE:20250116"};
        QTest::newRow("exception in the zone, UNTIL stays UTC")
            << eventIn("Europe/Berlin", utc(2025, 3, 3, 8), "FREQ=WEEKLY;UNTIL=20251231T235959Z",
                       R"(["20250407T070000Z"])")
            << QStringList{"DTSTART;TZID=Europe/Berlin:20250303T090000",
                           "EXDATE;TZID=Europe/Berlin:20250407T090000",
                           "RRULE:FREQ=WEEKLY;UNTIL=20251231T235959Z"};
        QTest::newRow("override") << eventIn("Europe/Berlin", utc(2025, 4, 7, 12), {}, {},
                                             "20250407T070000Z")
                                  << QStringList{
                                         "DTSTART;TZID=Europe/Berlin:20250407T140000",
                                         "RECURRENCE-ID;TZID=Europe/Berlin:20250407T090000"};
        QTest::newRow("unknown zone is written in UTC")
            << eventIn("Office", winter)
            << QStringList{"DTSTART:20250115T080000Z", "DTEND:20250115T090000Z"};
        // A zone stored before definitions like it were refused: a parameter would drop the
        // control character of its TZID.
        const QString controlInTzid =
            QString("BEGIN:VTIMEZONE\r\nTZID:Europe%1/Odd\r\nBEGIN:STANDARD\r\n"
                    "DTSTART:19700101T000000\r\nTZOFFSETFROM:-1400\r\nTZOFFSETTO:-1400\r\n"
                    "END:STANDARD\r\nEND:VTIMEZONE\r\n")
                .arg(QChar(0));
        QTest::newRow("definition whose TZID no parameter says is written in UTC")
            << eventIn(controlInTzid, winter)
            << QStringList{"DTSTART:20250115T080000Z", "DTEND:20250115T090000Z"};
    }

    void writtenTexts()
    {
        QFETCH(Event, event);
        QFETCH(QStringList, lines);
        PinnedClock clock(utc(2025, 6, 1, 12));
        const QString text = Ical::buildEvent(event);
        for (const QString& line : std::as_const(lines))
            QVERIFY2(text.contains(line + "\r\n"), qPrintable(text));
        const bool zoned = lines.first().contains(u"TZID=");
        QCOMPARE(text.count(u"BEGIN:VTIMEZONE"), zoned ? 1 : 0);
        QCOMPARE(text.contains("TZID:" + event.timezone + "\r\n"), zoned);

        // The definition holds from before the first time the event names in the zone: readers
        // can only guess the offset of a time before a definition's first observance.
        if (zoned) {
            const qsizetype eventAt = text.indexOf(u"BEGIN:VEVENT");
            QString firstOnset = "99991231T235959";
            QString firstZoned = firstOnset;
            for (const QString& line : text.left(eventAt).split("\r\n"))
                if (line.startsWith(u"DTSTART:"))
                    firstOnset = std::min(firstOnset, line.mid(8));
            for (const QString& line : text.mid(eventAt).split("\r\n"))
                if (line.contains(u";TZID="))
                    firstZoned = std::min(firstZoned, line.section(u':', -1));
            QVERIFY2(firstOnset < firstZoned, qPrintable(text));
        }

        const Event read = Ical::parseEvents(text).value(0);
        QCOMPARE(read.startTime, event.startTime);
        QCOMPARE(read.endTime, event.endTime);
        QCOMPARE(read.timezone, zoned ? event.timezone : "UTC");
        QCOMPARE(read.exceptionDates, event.exceptionDates);
        QCOMPARE(read.recurrenceId, event.recurrenceId);
    }

    // The definition written for a zone gives the zone's own offset around every transition of
    // the span, and one open yearly rule per kind where the zone follows one (-1: irregular).
    void definitionReproducesTheZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<int>("observances");
        QTest::newRow("New York across its 2007 change")
            << "America/New_York" << utc(2004, 1, 1) << utc(2020, 1, 1) << 4;
        QTest::newRow("half-hour DST, southern summer")
            << "Australia/Lord_Howe" << utc(2020, 1, 1) << utc(2030, 1, 1) << 2;
        QTest::newRow("DST abolished")
            << "America/Sao_Paulo" << utc(2014, 1, 1) << utc(2024, 1, 1) << -1;
        QTest::newRow("no DST") << "Asia/Kolkata" << utc(2020, 1, 1) << utc(2030, 1, 1) << 1;
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
        QVERIFY2(rules && rules->tzid() == zone, qPrintable(text));
        if (observances > 0)
            QCOMPARE(text.count(u"BEGIN:STANDARD") + text.count(u"BEGIN:DAYLIGHT"), observances);
        // Regular rules carry on past the span's end: readers extrapolate them.
        QList<qint64> instants{from.toSecsSinceEpoch(), to.toSecsSinceEpoch()};
        for (const auto& data : tz.transitions(from, observances > 0 ? to.addYears(5) : to))
            for (const qint64 at : {-1, 0, 86400 * 30})
                instants << data.atUtc.toSecsSinceEpoch() + at;
        for (const qint64 at : std::as_const(instants))
            QVERIFY2(rules->offsetAt(at) ==
                         tz.offsetFromUtc(QDateTime::fromSecsSinceEpoch(at, QTimeZone::utc())),
                     qPrintable(QString::number(at) + "\n" + text));
    }

    // A TZID that names no known zone is read by the definition the text carries, whatever
    // the machine's zone; the event keeps an IANA zone with the same offsets where one fits.
    void customZoneReadByItsDefinition_data()
    {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<QString>("zone");

        QTest::newRow("+05:30") << "BEGIN:VTIMEZONE\nTZID:India Standard Time (custom)\n"
                                   "BEGIN:STANDARD\nDTSTART:16010101T000000\nTZOFFSETFROM:+0530\n"
                                   "TZOFFSETTO:+0530\nEND:STANDARD\nEND:VTIMEZONE\n"
                                << "20250115T090000" << utc(2025, 1, 15, 3, 30) << "Asia/Kolkata";
        QTest::newRow("the zone id a TZID ends with")
            << "BEGIN:VTIMEZONE\nTZID:/example.org/2007_1/Asia/Ho_Chi_Minh\n"
               "BEGIN:STANDARD\nDTSTART:19750613T000000\nTZOFFSETFROM:+0700\n"
               "TZOFFSETTO:+0700\nEND:STANDARD\nEND:VTIMEZONE\n"
            << "20250115T090000" << utc(2025, 1, 15, 2) << "Asia/Ho_Chi_Minh";
        QTest::newRow("yearly rules, winter: the region's main zone")
            << centralEurope << "20250115T090000" << utc(2025, 1, 15, 8) << "Europe/Paris";
        QTest::newRow("in the spring gap, the offset before")
            << centralEurope << "20250330T023000" << utc(2025, 3, 30, 1, 30) << "";
        QTest::newRow("twice in autumn, the earlier")
            << centralEurope << "20251026T023000" << utc(2025, 10, 26, 0, 30) << "";
        QTest::newRow("RDATE onsets, no rule")
            << "BEGIN:VTIMEZONE\nTZID:Odd\nBEGIN:STANDARD\nDTSTART:20000101T000000\n"
               "RDATE:20241001T000000\nTZOFFSETFROM:+0400\nTZOFFSETTO:+0300\nEND:STANDARD\n"
               "BEGIN:DAYLIGHT\nDTSTART:20240601T000000\nRDATE:20250601T000000\n"
               "TZOFFSETFROM:+0300\nTZOFFSETTO:+0400\nEND:DAYLIGHT\nEND:VTIMEZONE\n"
            << "20250115T090000" << utc(2025, 1, 15, 6) << "";
    }

    void customZoneReadByItsDefinition()
    {
        QFETCH(QString, definition);
        QFETCH(QDateTime, expected);
        QFETCH(QString, zone);
        QFETCH(QString, local);
        const QString tzid = definition.section(u'\n', 1, 1).mid(5);
        const QList<Event> read = Ical::parseEvents(
            calendarWith(definition + "BEGIN:VEVENT\nUID:c\nDTSTART;TZID=\"" + tzid +
                         "\":" + local + "\nRRULE:FREQ=WEEKLY;COUNT=2\nEND:VEVENT\n"));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].startTime.toUTC(), expected);
        if (!zone.isEmpty())
            QCOMPARE(read[0].timezone, zone);
        // Without an IANA zone of the same offsets, the event keeps the definition as its zone.
        const std::shared_ptr<const VTimeZoneRules> defined =
            EventZone::definedZone(read[0].timezone);
        QVERIFY(QTimeZone(read[0].timezone.toUtf8()).isValid() ||
                (defined && defined->tzid() == tzid));
        // The stored text stays self-contained.
        QCOMPARE(Ical::parseEvents(read[0].rawIcalendar).value(0).startTime.toUTC(), expected);
        // An excluded occurrence is named by the zone's own TZID, at its wall-clock time there.
        Event excluding = read[0];
        const QList<Event> occurrences =
            Recurrence::occurrences(excluding, utc(2024, 1, 1), utc(2027, 1, 1));
        QCOMPARE(occurrences.size(), 2);
        excluding.exceptionDates =
            ExceptionDates::write({Recurrence::recurrenceIdFor(occurrences[1].startTime, false)});
        const QString written = Ical::buildEvent(excluding);
        const qint64 second = occurrences[1].startTime.toSecsSinceEpoch();
        const int offset =
            defined ? defined->offsetAt(second)
                    : QTimeZone(read[0].timezone.toUtf8()).offsetFromUtc(occurrences[1].startTime);
        const QString wall = QDateTime::fromSecsSinceEpoch(second + offset, QTimeZone::utc())
                                 .toString("yyyyMMdd'T'HHmmss");
        const QString ownTzid = defined ? defined->tzid() : read[0].timezone;
        QVERIFY2(written.contains("\r\nEXDATE;TZID=" + ownTzid + ":" + wall + "\r\n"),
                 qPrintable(written));
    }

    // A name that is no zone name, though the platform would take it for Tokyo's zone (a path
    // back into the zone database, an offset id), names no zone wherever it comes from.
    void namesThatAreNoZoneNames_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("seen");
        const QString path = QStringLiteral("Asia/../Asia/Tokyo");
        // The start read back in UTC, as with any zone the database does not know.
        QTest::newRow("stored row") << "store" << path << "UTC";
        // The wall time on the machine's clock.
        QTest::newRow("Google's timeZone") << "google" << path << "09:00";
        QTest::newRow("zone written") << "writer" << path << "DTSTART:20260115T000000Z";
        // The definition's offsets match Tokyo's, which the event takes by its real name.
        QTest::newRow("definition's TZID") << "definition"
                                           << "UTC+09:00"
                                           << "Asia/Tokyo";
    }

    void namesThatAreNoZoneNames()
    {
        QFETCH(QString, from);
        QFETCH(QString, name);
        QFETCH(QString, seen);
        const QDateTime nineInTokyo = utc(2026, 1, 15, 0);
        QCOMPARE(QTimeZone(name.toUtf8()).offsetFromUtc(nineInTokyo), 9 * 3600);
        QVERIFY(!EventZone::named(name).isValid());
        QString outcome;
        if (from == u"store") {
            StoreFixture store;
            QVERIFY(store.isReady());
            EventRepository events(store.database(), store.database());
            Event event = StoreFixture::event("e", "cal-a", nineInTokyo);
            event.timezone = name;
            QVERIFY(events.insert(event));
            outcome = QString::fromUtf8(events.getById("e").value().startTime.timeZone().id());
        } else if (from == u"google") {
            const QJsonObject start{{"dateTime", "2026-01-15T09:00:00"}, {"timeZone", name}};
            outcome = Google::parseEventTime(start).dateTime.toLocalTime().toString("HH:mm");
        } else if (from == u"writer") {
            const QString text = Ical::buildEvent(eventIn(name, nineInTokyo));
            outcome = QRegularExpression("DTSTART[^\\r]*")
                          .match(text, text.indexOf(u"BEGIN:VEVENT"))
                          .captured();
        } else {
            const QString text = "BEGIN:VTIMEZONE\nTZID:" + name +
                                 "\nBEGIN:STANDARD\nDTSTART:19700101T000000\nTZOFFSETFROM:+0900\n"
                                 "TZOFFSETTO:+0900\nTZNAME:JST\nEND:STANDARD\nEND:VTIMEZONE\n"
                                 "BEGIN:VEVENT\nUID:d\nDTSTART;TZID=\"" +
                                 name + "\":20260115T090000\nEND:VEVENT\n";
            outcome = Ical::parseEvents(calendarWith(text)).value(0).timezone;
        }
        QCOMPARE(outcome, seen);
    }

    // A definition travels with its events as it came (unfolded, CR LF), without what a strict
    // reader would refuse; one that is not a whole VTIMEZONE is not kept at all.
    void definitionAsItTravels_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("kept");
        const QString observance = "BEGIN:STANDARD\nDTSTART:19700101T000000\nTZOFFSETFROM:+0530\n"
                                   "TZOFFSETTO:+0530\nEND:STANDARD\n";
        const QString whole = "BEGIN:VTIMEZONE\nTZID:Odd\n" + observance + "END:VTIMEZONE\n";
        QTest::newRow("as written") << whole << whole;
        QTest::newRow("folded line")
            << "BEGIN:VTIMEZONE\nTZID:O\n dd\n" + observance + "END:VTIMEZONE\n"
            << whole;
        QTest::newRow("foreign component and broken line left out")
            << "BEGIN:VTIMEZONE\nTZID:Odd\nNOT A PROPERTY\nBEGIN:X-NOTE\nA:1\nEND:X-NOTE\n" +
                   observance + "END:VTIMEZONE\n"
            << whole;
        QTest::newRow("END of another component")
            << "BEGIN:VTIMEZONE\nTZID:Odd\n" + observance + "BEGIN:DAYLIGHT\nEND:VTIMEZONE\n"
            << "";
        QTest::newRow("never closed") << "BEGIN:VTIMEZONE\nTZID:Odd\n" + observance << "";
        QTest::newRow("TZID no parameter names")
            << "BEGIN:VTIMEZONE\nTZID:O\"dd\n" + observance + "END:VTIMEZONE\n"
            << "";
    }

    void definitionAsItTravels()
    {
        QFETCH(QString, block);
        QFETCH(QString, kept);
        const std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(block);
        QVERIFY(rules);
        QCOMPARE(rules->definition(), QString(kept).replace("\n", "\r\n"));
    }

    // A stored text that names a zone without defining it (as texts are stored after reading)
    // is sent with a definition before the event, alone or with exclusions (written in its zone);
    // one that carries its own keeps that one alone.
    void sentObjectsDefineTheirZones()
    {
        const QString series =
            "BEGIN:VEVENT\nUID:weekly\nDTSTART;TZID=Europe/Berlin:20250303T090000"
            "\nRRULE:FREQ=WEEKLY;COUNT=40\nEND:VEVENT\n";
        const QString stored = Ical::parseEvents(calendarWith(series)).value(0).rawIcalendar;
        QVERIFY(!stored.contains(u"VTIMEZONE"));
        const QString body = CalDavBody::compose({stored}, {});
        QCOMPARE(body.count(u"BEGIN:VTIMEZONE"), 1);
        const qsizetype begin = body.indexOf(u"BEGIN:VTIMEZONE");
        const qsizetype end = body.indexOf(u"END:VTIMEZONE");
        QVERIFY(end < body.indexOf(u"BEGIN:VEVENT"));
        const auto rules = VTimeZoneRules::read(body.mid(begin, end + 13 - begin));
        QVERIFY(rules);
        QCOMPARE(rules->offsetAt(utc(2025, 7, 1).toSecsSinceEpoch()), 7200);

        const QString withOwn = calendarWith(
            "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nBEGIN:STANDARD\nDTSTART:19701025T030000\n"
            "TZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n" +
            series);
        QCOMPARE(CalDavBody::compose({withOwn}, {"20250317T080000Z"}).count(u"BEGIN:VTIMEZONE"), 1);
        const QString excluding = CalDavBody::compose({stored}, {"20250317T080000Z"});
        QCOMPARE(excluding.count(u"BEGIN:VTIMEZONE"), 1);
        QVERIFY(excluding.contains("EXDATE;TZID=Europe/Berlin:20250317T090000\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestEventZone)
#include "tst_eventzone.moc"
