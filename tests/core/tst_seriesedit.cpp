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
        QTest::newRow("lower-case names")
            << "FREQ=DAILY;until=20251231;count=4" << utc(2025, 3, 10, 8, 59, 59) << false
            << "FREQ=DAILY;UNTIL=20250310T085959Z";
        QTest::newRow("all-day gives the day before")
            << "FREQ=DAILY;;COUNT=9" << utc(2025, 3, 9, 23, 59, 59) << true
            << "FREQ=DAILY;UNTIL=20250309";
    }
    void truncatedRule()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, until);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        QCOMPARE(SeriesEdit::truncateRule(rule, until, allDay), expected);
    }

    // The continuing series ends where the whole series ended: the remaining count, exception
    // dates included as COUNT counts them. (Carried UNTILs are checked through the store.)
    void followingRuleKeepsTheEnd_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("occurrence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count counts exceptions")
            << "FREQ=DAILY;COUNT=10" << false << utc(2025, 3, 3, 9) << "FREQ=DAILY;COUNT=8";
        QTest::newRow("count beyond the end")
            << "FREQ=DAILY;COUNT=3" << false << utc(2025, 3, 8, 9) << "FREQ=DAILY;COUNT=1";
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
};

QTEST_GUILESS_MAIN(TestSeriesEdit)
#include "tst_seriesedit.moc"
