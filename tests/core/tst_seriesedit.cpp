#include "Ical.h"
#include "Recurrence.h"
#include "RuleUntil.h"
#include "SeriesEdit.h"

#include <QTest>
#include <QTimeZone>

namespace {

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// The last second of the day in the machine's zone, as a UTC value.
QString endOfLocalDay(const QDate& day)
{
    return QDateTime(day, QTime(23, 59, 59), QTimeZone::systemTimeZone())
        .toUTC()
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

Event dailySeries(const QString& rule, bool allDay = false)
{
    Event master;
    master.id = master.uid = QStringLiteral("series-1");
    master.calendarId = QStringLiteral("cal-a");
    master.title = QStringLiteral("Stand-up");
    master.isAllDay = allDay;
    master.startTime = allDay ? utc(2025, 3, 1) : utc(2025, 3, 1, 9);
    master.endTime = allDay ? utc(2025, 3, 2) : utc(2025, 3, 1, 10);
    master.recurrenceRule = rule;
    return master;
}

} // namespace

class TestSeriesEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A written UNTIL follows the series' start: a DATE for all-day series, a UTC date-time for
    // timed ones, so the last day's occurrences stay in the series whatever the zone.
    void normalizedUntil_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        const QString endOfMarch10 = endOfLocalDay(QDate(2025, 3, 10));
        QTest::newRow("timed, date")
            << "FREQ=DAILY;UNTIL=20250310" << false << "FREQ=DAILY;UNTIL=" + endOfMarch10;
        QTest::newRow("timed, utc kept")
            << "FREQ=DAILY;UNTIL=20250310T085959Z" << false << "FREQ=DAILY;UNTIL=20250310T085959Z";
        QTest::newRow("timed, floating")
            << "FREQ=DAILY;UNTIL=20250310T235959" << false << "FREQ=DAILY;UNTIL=" + endOfMarch10;
        QTest::newRow("all-day, date kept")
            << "FREQ=DAILY;UNTIL=20250310" << true << "FREQ=DAILY;UNTIL=20250310";
        QTest::newRow("all-day, utc") << "FREQ=DAILY;until=20250310T235959Z;;BYDAY=MO" << true
                                      << "FREQ=DAILY;UNTIL=20250310;BYDAY=MO";
        QTest::newRow("unreadable kept")
            << "FREQ=DAILY;UNTIL=soon" << false << "FREQ=DAILY;UNTIL=soon";
        QTest::newRow("no until") << "FREQ=WEEKLY;COUNT=3" << false << "FREQ=WEEKLY;COUNT=3";
    }
    void normalizedUntil()
    {
        QFETCH(QString, rule);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        QCOMPARE(RuleUntil::normalize(rule, allDay), expected);
        // The day a person chose survives being written and read back.
        QCOMPARE(RuleUntil::lastDay(RuleUntil::forLastDay(QDate(2025, 3, 10), allDay), allDay),
                 QDate(2025, 3, 10));
    }

    // The timed series with its UNTIL at the end of the local day keeps its last occurrence,
    // which a bare DATE (midnight UTC) would have cut off in zones west of UTC.
    void lastDayKeepsItsOccurrence()
    {
        Event master =
            dailySeries(RuleUntil::normalize(QStringLiteral("FREQ=DAILY;UNTIL=20250305"), false));
        master.startTime = QDateTime(QDate(2025, 3, 1), QTime(18, 0), QTimeZone::systemTimeZone());
        master.endTime = master.startTime.addSecs(3600);
        const QList<Event> all = Recurrence::occurrences(master, utc(2025, 2, 1), utc(2025, 4, 1));
        QCOMPARE(all.size(), 5);
    }

    void truncatedRule_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("until");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count dropped, until appended")
            << "FREQ=WEEKLY;COUNT=10;BYDAY=MO" << utc(2025, 3, 9, 8, 59, 59) << false
            << "FREQ=WEEKLY;BYDAY=MO;UNTIL=20250309T085959Z";
        QTest::newRow("until replaced in place")
            << "FREQ=DAILY;UNTIL=20251231T000000Z;INTERVAL=2" << utc(2025, 3, 10, 8, 59, 59)
            << false << "FREQ=DAILY;UNTIL=20250310T085959Z;INTERVAL=2";
        QTest::newRow("lower-case names")
            << "FREQ=DAILY;until=20251231;count=4" << utc(2025, 3, 10, 8, 59, 59) << false
            << "FREQ=DAILY;UNTIL=20250310T085959Z";
        QTest::newRow("all-day gives the day before")
            << "FREQ=DAILY;;COUNT=9" << utc(2025, 3, 9, 23, 59, 59) << true
            << "FREQ=DAILY;UNTIL=20250309";
        QTest::newRow("local until in utc")
            << "FREQ=DAILY" << QDateTime(QDate(2025, 3, 10), QTime(8, 59, 59), QTimeZone(3600))
            << false << "FREQ=DAILY;UNTIL=20250310T075959Z";
    }
    void truncatedRule()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, until);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        QCOMPARE(SeriesEdit::truncateRule(rule, until, allDay), expected);
    }

    // The continuing series ends where the whole series ended.
    void followingRuleKeepsTheEnd_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("occurrence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count, fifth of ten")
            << "FREQ=DAILY;COUNT=10" << false << utc(2025, 3, 5, 9) << "FREQ=DAILY;COUNT=6";
        QTest::newRow("count counts exceptions")
            << "FREQ=DAILY;COUNT=10" << false << utc(2025, 3, 3, 9) << "FREQ=DAILY;COUNT=8";
        QTest::newRow("count beyond the end")
            << "FREQ=DAILY;COUNT=3" << false << utc(2025, 3, 8, 9) << "FREQ=DAILY;COUNT=1";
        QTest::newRow("utc until carried")
            << "FREQ=DAILY;UNTIL=20251231T235959Z" << false << utc(2025, 3, 10, 9)
            << "FREQ=DAILY;UNTIL=20251231T235959Z";
        QTest::newRow("all-day until carried") << "FREQ=DAILY;UNTIL=20251231" << true
                                               << utc(2025, 3, 10) << "FREQ=DAILY;UNTIL=20251231";
        QTest::newRow("no end") << "FREQ=WEEKLY;BYDAY=MO,WE" << false << utc(2025, 3, 10, 9)
                                << "FREQ=WEEKLY;BYDAY=MO,WE";
    }
    void followingRuleKeepsTheEnd()
    {
        QFETCH(QString, rule);
        QFETCH(bool, allDay);
        QFETCH(QDateTime, occurrence);
        QFETCH(QString, expected);
        Event master = dailySeries(rule, allDay);
        master.exceptionDates = QStringLiteral("[\"20250302T090000Z\"]");
        QCOMPARE(SeriesEdit::followingRule(master, occurrence), expected);
    }

    // Dragging 09:00-10:00 to 11:00-12:30 moves the master to 11:00 and makes it 90 minutes
    // long; a master without an end only moves.
    void shiftedSeries()
    {
        const Event master = dailySeries(QStringLiteral("FREQ=DAILY"));
        const SeriesEdit::Times moved = SeriesEdit::shiftedSeries(
            master, utc(2025, 3, 4, 9), utc(2025, 3, 4, 11), utc(2025, 3, 4, 12, 30));
        QCOMPARE(moved.start, utc(2025, 3, 1, 11));
        QCOMPARE(moved.end, std::optional(utc(2025, 3, 1, 12, 30)));

        Event open = master;
        open.endTime.reset();
        const SeriesEdit::Times shifted = SeriesEdit::shiftedSeries(
            open, utc(2025, 3, 4, 9), utc(2025, 3, 4, 11), utc(2025, 3, 4, 12, 30));
        QCOMPARE(shifted.start, utc(2025, 3, 1, 11));
        QVERIFY(!shifted.end);
    }

    // The override stays one resource with its master (same UID) and names the original start;
    // written out and read back it is still recognised as that occurrence's replacement.
    void overrideKeepsTheSeriesIdentity()
    {
        const Event master = dailySeries(QStringLiteral("FREQ=DAILY;COUNT=10"));
        const Event moved = SeriesEdit::occurrenceOverride(
            master, utc(2025, 3, 5, 9), utc(2025, 3, 5, 14), utc(2025, 3, 5, 15),
            QStringLiteral("row-2"), utc(2025, 3, 1, 8));
        QCOMPARE(moved.id, QStringLiteral("row-2"));
        QCOMPARE(moved.uid, master.uid);
        QCOMPARE(moved.masterEventUid, master.uid);
        QCOMPARE(moved.recurrenceId, QStringLiteral("20250305T090000Z"));
        QVERIFY(moved.recurrenceRule.isEmpty());
        QCOMPARE(moved.syncStatus, QStringLiteral("pending"));

        const QList<Event> parsed = Ical::parseEvents(Ical::buildEvent(moved));
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed.first().uid, master.uid);
        QCOMPARE(parsed.first().recurrenceId, QStringLiteral("20250305T090000Z"));

        const QList<Event> shown =
            Recurrence::expand({master, moved}, utc(2025, 3, 5), utc(2025, 3, 6));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().startTime.toUTC(), utc(2025, 3, 5, 14));

        const Event allDay = SeriesEdit::occurrenceOverride(
            dailySeries(QStringLiteral("FREQ=DAILY"), true), utc(2025, 3, 5), utc(2025, 3, 6),
            utc(2025, 3, 7), QStringLiteral("row-3"), utc(2025, 3, 1));
        QCOMPARE(allDay.recurrenceId, QStringLiteral("20250305"));
    }
};

QTEST_GUILESS_MAIN(TestSeriesEdit)
#include "tst_seriesedit.moc"
