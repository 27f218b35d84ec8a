#include "ExceptionDates.h"
#include "Limits.h"
#include "Recurrence.h"
#include "RuleUntil.h"

#include <QTest>
#include <QTimeZone>

namespace {

QDateTime utc(const QString& iso)
{
    QDateTime time = QDateTime::fromString(iso, Qt::ISODate);
    time.setTimeZone(QTimeZone::utc());
    return time;
}

QDateTime berlin(const QString& iso)
{
    return QDateTime(QDateTime::fromString(iso, Qt::ISODate).date(),
                     QDateTime::fromString(iso, Qt::ISODate).time(), QTimeZone("Europe/Berlin"));
}

QStringList inUtc(const QList<QDateTime>& times)
{
    QStringList texts;
    for (const QDateTime& time : times)
        texts << time.toUTC().toString(Qt::ISODate);
    return texts;
}

QStringList startsOf(const QList<Event>& events)
{
    QStringList texts;
    for (const Event& event : events)
        texts << event.startTime.toUTC().toString(Qt::ISODate);
    return texts;
}

Event series(const QString& rule, const QDateTime& start, qint64 minutes = 60)
{
    Event event;
    event.id = QStringLiteral("row-1");
    event.uid = QStringLiteral("s1");
    event.title = QStringLiteral("Series");
    event.recurrenceRule = rule;
    event.startTime = start;
    if (minutes > 0)
        event.endTime = start.addSecs(minutes * 60);
    return event;
}

Event override(const QString& recurrenceId, const QDateTime& start)
{
    Event event;
    event.uid = QStringLiteral("s1");
    event.masterEventUid = QStringLiteral("s1");
    event.recurrenceId = recurrenceId;
    event.title = QStringLiteral("Moved");
    event.startTime = start;
    event.endTime = start.addSecs(3600);
    return event;
}

} // namespace

class TestRecurrence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseRRule()
    {
        const Recurrence::Rule rule = Recurrence::parseRRule(QStringLiteral(
            "freq=monthly;;INTERVAL=x;COUNT=-3;BYDAY=1th,-1fr;BYMONTHDAY=31,-1,0,40;BYMONTH=2,13;"
            "BYSETPOS=-1;WKST=SU;=5;FREQ=MONTHLY;UNTIL=20250110T090000Z"));
        QCOMPARE(rule.freq, QStringLiteral("MONTHLY"));
        QCOMPARE(rule.interval, 1);
        QCOMPARE(rule.count, 0);
        QCOMPARE(rule.byDay, (QStringList{"1TH", "-1FR"}));
        QCOMPARE(rule.byMonthDay, (QList<int>{31, -1}));
        QCOMPARE(rule.byMonth, (QList<int>{2}));
        QCOMPARE(rule.bySetPos, (QList<int>{-1}));
        QCOMPARE(rule.weekStart, 7);
        QCOMPARE(rule.until, utc("2025-01-10T09:00:00"));
        QCOMPARE(Recurrence::parseRRule(QStringLiteral("UNTIL=20250110T090000")).until,
                 utc("2025-01-10T09:00:00"));
        QCOMPARE(Recurrence::parseRRule(QStringLiteral("UNTIL=20250110")).until,
                 utc("2025-01-10T00:00:00"));
        QVERIFY(!Recurrence::parseRRule(QStringLiteral("UNTIL=2025-01-10")).until.isValid());
    }

    void generateStarts_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("expected");
        const QDateTime farEnd = utc("2030-01-01T00:00:00");
        const QDateTime sat = utc("2025-01-04T09:00:00");
        QTest::newRow("no FREQ gives the start alone")
            << "COUNT=3" << sat << farEnd << QStringList{"2025-01-04T09:00:00Z"};
        QTest::newRow("HOURLY gives the start alone, even past to")
            << "FREQ=HOURLY;COUNT=5" << sat << utc("2025-01-01T00:00:00")
            << QStringList{"2025-01-04T09:00:00Z"};
        QTest::newRow("INTERVAL=0 is every day")
            << "FREQ=DAILY;INTERVAL=0;COUNT=2" << sat << farEnd
            << QStringList{"2025-01-04T09:00:00Z", "2025-01-05T09:00:00Z"};
        const QDateTime thu = utc("2025-01-09T09:00:00");
        QTest::newRow("weekly positioned item counts for nothing")
            << "FREQ=WEEKLY;BYDAY=2TU;COUNT=2" << thu << farEnd
            << QStringList{"2025-01-09T09:00:00Z", "2025-01-16T09:00:00Z"};
        QTest::newRow("date UNTIL is midnight UTC")
            << "FREQ=DAILY;UNTIL=20250110" << utc("2025-01-08T09:00:00") << farEnd
            << QStringList{"2025-01-08T09:00:00Z", "2025-01-09T09:00:00Z"};
        QTest::newRow("garbage BYDAY reads as no BYDAY")
            << "FREQ=DAILY;BYDAY=XX,1,+;COUNT=2" << sat << farEnd
            << QStringList{"2025-01-04T09:00:00Z", "2025-01-05T09:00:00Z"};
        // 02:30 comes twice on 25 October 2026 in Berlin; a start at the later one is still the
        // series' first occurrence, though its wall time names the earlier.
        QTest::newRow("a start at the later instant of a repeated hour")
            << "FREQ=WEEKLY;COUNT=2"
            << utc("2026-10-25T01:30:00").toTimeZone(QTimeZone("Europe/Berlin")) << farEnd
            << QStringList{"2026-10-25T01:30:00Z", "2026-11-01T01:30:00Z"};
    }

    void generateStarts()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, to);
        QFETCH(QStringList, expected);
        const QList<QDateTime> starts =
            Recurrence::generateStarts(Recurrence::parseRRule(rule), start, to);
        QCOMPARE(inUtc(starts), expected);
        for (const QDateTime& when : starts)
            QCOMPARE(when.timeSpec(), start.timeSpec());
    }

    // A series in the machine's local time (the TZ matrix) keeps its local wall clock through
    // that zone's DST changes in March.
    void localTimeSeriesKeepsItsWallClock()
    {
        const QDateTime start(QDate(2025, 3, 1), QTime(9, 0), Qt::LocalTime);
        const QList<QDateTime> starts = Recurrence::generateStarts(
            Recurrence::parseRRule(QStringLiteral("FREQ=DAILY;COUNT=31")), start,
            start.addDays(40));
        QCOMPARE(starts.size(), 31);
        for (int i = 0; i < starts.size(); ++i) {
            QCOMPARE(starts.at(i), QDateTime(QDate(2025, 3, 1 + i), QTime(9, 0), Qt::LocalTime));
            QCOMPARE(starts.at(i).timeSpec(), Qt::LocalTime);
        }
    }

    void hostileRulesAreBounded_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("maximum");
        QTest::newRow("huge interval") << "FREQ=DAILY;INTERVAL=2147483647;COUNT=2147483647" << 1;
        QTest::newRow("huge count, daily")
            << "FREQ=DAILY;COUNT=2147483647" << Limits::maxRecurrenceStarts;
        QTest::newRow("never matches") << "FREQ=MONTHLY;BYMONTH=2;BYMONTHDAY=30" << 0;
        QTest::newRow("never matches, yearly")
            << "FREQ=YEARLY;BYDAY=53MO;BYMONTH=2;BYSETPOS=366" << 0;
        QTest::newRow("huge yearly interval") << "FREQ=YEARLY;INTERVAL=2147483647" << 1;
    }

    void hostileRulesAreBounded()
    {
        QFETCH(QString, rule);
        QFETCH(int, maximum);
        const QList<QDateTime> starts = Recurrence::generateStarts(
            Recurrence::parseRRule(rule), utc("0001-01-01T09:00:00"), utc("9999-12-31T00:00:00"));
        QVERIFY(starts.size() <= maximum);
        const Event event = series(rule, utc("2025-01-10T09:00:00"));
        QVERIFY(
            Recurrence::occurrences(event, utc("9999-01-01T00:00:00"), utc("9999-12-31T23:59:59"))
                .size() <= 365);
    }

    void occurrencesCarryTheirOwnTimes()
    {
        const Event event =
            series(QStringLiteral("FREQ=DAILY;COUNT=2"), berlin("2025-01-10T09:00:00"), 90);
        const QList<Event> found =
            Recurrence::occurrences(event, utc("2025-01-01T00:00:00"), utc("2025-02-01T00:00:00"));
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.at(1).startTime, berlin("2025-01-11T09:00:00"));
        QCOMPARE(found.at(1).startTime.timeZone().id(), QByteArray("Europe/Berlin"));
        QCOMPARE(*found.at(1).endTime, berlin("2025-01-11T10:30:00"));
        QCOMPARE(found.at(1).recurrenceId, QStringLiteral("20250111T080000Z"));
        QCOMPARE(found.at(1).id, event.id);
        QCOMPARE(found.at(1).recurrenceRule, event.recurrenceRule);
    }

    void occurrencesInWindow_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<bool>("hasEnd");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("expected");
        const QDateTime from = utc("2025-01-01T00:00:00");
        const QDateTime to = utc("2025-02-01T00:00:00");
        QTest::newRow("an exception does not bring in another")
            << "FREQ=DAILY;COUNT=3"
            << R"(["20250111T090000Z"])" << true << from << to
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-12T09:00:00Z"};
        QTest::newRow("date exception leaves a timed series alone")
            << "FREQ=DAILY;COUNT=2"
            << R"(["20250110"])" << true << from << to
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-11T09:00:00Z"};
        QTest::newRow("exceptions that are not JSON remove nothing")
            << "FREQ=DAILY;COUNT=2"
            << "20250110T090000Z" << true << from << to
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-11T09:00:00Z"};
        QTest::newRow("ending exactly at from is out") << "FREQ=DAILY;COUNT=3"
                                                       << "" << true << utc("2025-01-11T10:00:00")
                                                       << to << QStringList{"2025-01-12T09:00:00Z"};
        QTest::newRow("starting exactly at to is out")
            << "FREQ=DAILY;COUNT=3"
            << "" << true << from << utc("2025-01-11T09:00:00")
            << QStringList{"2025-01-10T09:00:00Z"};
        QTest::newRow("without an end an occurrence lasts an hour")
            << "FREQ=DAILY;COUNT=3"
            << "" << false << utc("2025-01-11T09:59:59") << to
            << QStringList{"2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        QTest::newRow("a thirty-year-old daily series still shows")
            << "FREQ=DAILY"
            << "" << true << utc("2055-01-01T00:00:00") << utc("2055-01-03T00:00:00")
            << QStringList{"2055-01-01T09:00:00Z", "2055-01-02T09:00:00Z"};
        QTest::newRow("a counted series ends where its count does")
            << "FREQ=DAILY;COUNT=20000"
            << "" << true << utc("2079-10-12T00:00:00") << utc("2079-12-01T00:00:00")
            << QStringList{"2079-10-12T09:00:00Z", "2079-10-13T09:00:00Z"};
    }

    void occurrencesInWindow()
    {
        QFETCH(QString, rule);
        QFETCH(QString, exceptions);
        QFETCH(bool, hasEnd);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(QStringList, expected);
        Event event = series(rule, utc("2025-01-10T09:00:00"), hasEnd ? 60 : 0);
        event.exceptionDates = exceptions;
        QCOMPARE(startsOf(Recurrence::occurrences(event, from, to)), expected);
    }

    void utcSeriesRepeatsInItsNamedZone()
    {
        Event event = series(QStringLiteral("FREQ=DAILY;COUNT=3"), utc("2025-03-29T08:00:00"));
        event.timezone = QStringLiteral("Europe/Berlin");
        const QList<Event> found =
            Recurrence::occurrences(event, utc("2025-03-01T00:00:00"), utc("2025-05-01T00:00:00"));
        QCOMPARE(startsOf(found), (QStringList{"2025-03-29T08:00:00Z", "2025-03-30T07:00:00Z",
                                               "2025-03-31T07:00:00Z"}));
        QCOMPARE(found.at(1).startTime.timeZone(), event.startTime.timeZone());
        event.timezone = QStringLiteral("No/Such_Zone");
        QCOMPARE(startsOf(Recurrence::occurrences(event, utc("2025-03-30T00:00:00"),
                                                  utc("2025-03-31T00:00:00"))),
                 QStringList{"2025-03-30T08:00:00Z"});
    }

    // An all-day series stays on its dates whatever the machine's zone (the TZ matrix).
    void allDaySeriesKeepsItsDates()
    {
        Event event =
            series(QStringLiteral("FREQ=WEEKLY;COUNT=3"), utc("2025-03-28T00:00:00"), 24 * 60);
        event.isAllDay = true;
        event.exceptionDates = QStringLiteral(R"(["20250404"])");
        const QList<Event> found =
            Recurrence::occurrences(event, utc("2025-03-01T00:00:00"), utc("2025-05-01T00:00:00"));
        QCOMPARE(startsOf(found), (QStringList{"2025-03-28T00:00:00Z", "2025-04-11T00:00:00Z"}));
        QCOMPARE(found.at(1).startTime.date(), QDate(2025, 4, 11));
        QCOMPARE(found.at(1).recurrenceId, QStringLiteral("20250411"));
    }

    void expandPlacesOverrides_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QStringList>("expected");
        const Event daily =
            series(QStringLiteral("FREQ=DAILY;COUNT=3"), utc("2025-01-10T09:00:00"));
        const Event moved =
            override(QStringLiteral("20250110T090000Z"), utc("2025-01-10T14:00:00"));
        QTest::newRow("override in place of its occurrence")
            << QList<Event>{moved, daily}
            << QStringList{"2025-01-10T14:00:00Z", "2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        QTest::newRow("recurrence id not in UTC form matches nothing")
            << QList<Event>{override(QStringLiteral("20250110T100000"), utc("2025-01-10T14:00:00")),
                            daily}
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        Event later = moved;
        later.startTime = utc("2025-01-10T16:00:00");
        later.endTime = utc("2025-01-10T17:00:00");
        QTest::newRow("the later of two overrides wins")
            << QList<Event>{moved, later, daily}
            << QStringList{"2025-01-10T16:00:00Z", "2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        QTest::newRow("override without its series") << QList<Event>{moved} << QStringList{};
        QTest::newRow("override ending exactly at the window's start")
            << QList<Event>{override(QStringLiteral("20250110T090000Z"),
                                     utc("2024-12-31T23:00:00")),
                            daily}
            << QStringList{"2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        Event allDay =
            series(QStringLiteral("FREQ=DAILY;COUNT=2"), utc("2025-01-10T00:00:00"), 24 * 60);
        allDay.isAllDay = true;
        QTest::newRow("all-day override named by a date-time")
            << QList<Event>{allDay, override(QStringLiteral("20250111T000000Z"),
                                             utc("2025-01-20T09:00:00"))}
            << QStringList{"2025-01-10T00:00:00Z", "2025-01-20T09:00:00Z"};
        Event cancelled = override(QStringLiteral("20250111T090000Z"), utc("2025-01-11T10:00:00"));
        cancelled.status = QStringLiteral("cancelled");
        QTest::newRow("cancelled override still replaces its occurrence")
            << QList<Event>{daily, cancelled}
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-11T10:00:00Z", "2025-01-12T09:00:00Z"};
        Event excluded = daily;
        excluded.exceptionDates = QStringLiteral(R"(["20250110T090000Z"])");
        QTest::newRow("override of an excluded occurrence")
            << QList<Event>{moved, excluded}
            << QStringList{"2025-01-11T09:00:00Z", "2025-01-12T09:00:00Z"};
        QTest::newRow("override moved out of the window shows nowhere")
            << QList<Event>{override(QStringLiteral("20250111T090000Z"),
                                     utc("2025-03-01T09:00:00")),
                            daily}
            << QStringList{"2025-01-10T09:00:00Z", "2025-01-12T09:00:00Z"};
        Event outside;
        outside.uid = QStringLiteral("plain");
        outside.startTime = utc("2020-01-01T09:00:00");
        QTest::newRow("plain events pass whatever their time")
            << QList<Event>{daily, outside}
            << QStringList{"2020-01-01T09:00:00Z", "2025-01-10T09:00:00Z", "2025-01-11T09:00:00Z",
                           "2025-01-12T09:00:00Z"};
        const Event weekly = series(QStringLiteral("FREQ=WEEKLY"), utc("2024-12-03T09:00:00"));
        QTest::newRow("override moved into the window from outside it")
            << QList<Event>{weekly, override(QStringLiteral("20241203T090000Z"),
                                             utc("2025-01-15T12:00:00"))}
            << QStringList{"2025-01-07T09:00:00Z", "2025-01-14T09:00:00Z", "2025-01-21T09:00:00Z",
                           "2025-01-28T09:00:00Z", "2025-01-15T12:00:00Z"};
        // A zone only its definition names: +01:00, +02:00 from December 15, 2024.
        Event defined = weekly;
        defined.timezone = QStringLiteral(
            "BEGIN:VTIMEZONE\r\nTZID:Defined\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
            "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n"
            "DTSTART:20241215T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
            "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n");
        defined.startTime = utc("2024-12-03T08:00:00");
        defined.endTime = defined.startTime.addSecs(3600);
        QTest::newRow("zone only its definition names, override moved in")
            << QList<Event>{defined, override(QStringLiteral("20241224T070000Z"),
                                              utc("2025-01-15T12:00:00"))}
            << QStringList{"2025-01-07T07:00:00Z", "2025-01-14T07:00:00Z", "2025-01-21T07:00:00Z",
                           "2025-01-28T07:00:00Z", "2025-01-15T12:00:00Z"};
        QTest::newRow("override naming no occurrence is not moved in")
            << QList<Event>{weekly, override(QStringLiteral("20241204T090000Z"),
                                             utc("2025-01-15T12:00:00"))}
            << QStringList{"2025-01-07T09:00:00Z", "2025-01-14T09:00:00Z", "2025-01-21T09:00:00Z",
                           "2025-01-28T09:00:00Z"};
    }

    void expandPlacesOverrides()
    {
        QFETCH(QList<Event>, events);
        QFETCH(QStringList, expected);
        const QList<Event> result =
            Recurrence::expand(events, utc("2025-01-01T00:00:00"), utc("2025-02-01T00:00:00"));
        QCOMPARE(startsOf(result), expected);
    }

    // A floating time (the machine's clock) the clocks skip reads with the offset before the gap,
    // in an exception date and in an UNTIL, where it was dropped before.
    void floatingTimesInTheSkippedHour()
    {
        const QDateTime wall(QDate(2027, 3, 28), QTime(2, 30), QTimeZone::utc());
        const QDateTime dayBefore(QDate(2027, 3, 27), QTime(12, 0), QTimeZone::utc());
        // In Berlin the clocks skip 02:30 that night; the other zones of the matrix keep it.
        const QDateTime at = wall.addSecs(-QTimeZone::systemTimeZone().offsetFromUtc(dayBefore));
        QCOMPARE(Recurrence::parseDateList(QStringLiteral(R"(["20270328T023000"])")),
                 QSet<qint64>{at.toMSecsSinceEpoch()});
        QCOMPARE(RuleUntil::normalize(QStringLiteral("FREQ=DAILY;UNTIL=20270328T023000"), false),
                 "FREQ=DAILY;UNTIL=" + at.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    }

    void parseDateList()
    {
        const QSet<qint64> set = Recurrence::parseDateList(
            QStringLiteral(R"(["20250110T090000Z","20250111","x",5,"20250230"])"));
        QCOMPARE(set, (QSet<qint64>{utc("2025-01-10T09:00:00").toMSecsSinceEpoch(),
                                    utc("2025-01-11T00:00:00").toMSecsSinceEpoch()}));
        QVERIFY(Recurrence::parseDateList(QStringLiteral("{}")).isEmpty());
        const QDateTime local(QDate(2025, 1, 10), QTime(9, 0), QTimeZone::systemTimeZone());
        QCOMPARE(Recurrence::parseDateList(QStringLiteral(R"(["20250110T090000"])")),
                 QSet<qint64>{local.toMSecsSinceEpoch()});
        const QStringList odd{QStringLiteral("20250110"), QStringLiteral("a\"b\\c\n")};
        QCOMPARE(ExceptionDates::read(ExceptionDates::write(odd)), odd);
    }
};

QTEST_GUILESS_MAIN(TestRecurrence)
#include "tst_recurrence.moc"
