#include "ViewPeriod.h"

#include <QTest>

class TestViewPeriod : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modeRange_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<int>("days");

        const QDate sunday(2026, 3, 15);
        QTest::newRow("day") << "day" << sunday << 1 << 7 << sunday << 1;
        QTest::newRow("week, Monday first, on a Sunday")
            << "week" << sunday << 1 << 7 << QDate(2026, 3, 9) << 7;
        QTest::newRow("week, Sunday first, on a Sunday")
            << "week" << sunday << 7 << 7 << sunday << 7;
        // A Wednesday lies before Saturday in ISO numbering: the week began the Saturday before.
        QTest::newRow("week, Saturday first, on a Wednesday")
            << "week" << QDate(2026, 3, 11) << 6 << 7 << QDate(2026, 3, 7) << 7;
        QTest::newRow("days with horizon 10") << "days" << sunday << 1 << 10 << sunday << 10;
        QTest::newRow("days never below 2") << "days" << sunday << 1 << 1 << sunday << 2;
        QTest::newRow("grid is 8 days from the date") << "grid" << sunday << 1 << 7 << sunday << 8;
        // March 2026 begins on a Sunday.
        QTest::newRow("month, Monday first")
            << "month" << sunday << 1 << 7 << QDate(2026, 2, 23) << 42;
        QTest::newRow("month, Sunday first starts on the 1st")
            << "month" << sunday << 7 << 7 << QDate(2026, 3, 1) << 42;
        QTest::newRow("year counts the month grid")
            << "year" << sunday << 1 << 7 << QDate(2026, 2, 23) << 42;
        QTest::newRow("unknown word: 7 days from the date")
            << "bogus" << sunday << 1 << 7 << sunday << 7;
    }
    void modeRange()
    {
        QFETCH(QString, mode);
        QFETCH(QDate, date);
        QFETCH(int, firstDay);
        QFETCH(int, horizon);
        const ViewPeriod::Range range = ViewPeriod::modeRange(mode, date, firstDay, horizon);
        QTEST(range.first, "first");
        QTEST(range.days, "days");
    }

    void timelineColumns()
    {
        const QDate sunday(2026, 3, 15);
        QCOMPARE(ViewPeriod::timelineStart(true, sunday, 1), QDate(2026, 3, 9));
        QCOMPARE(ViewPeriod::timelineStart(false, sunday, 1), sunday);
        QCOMPARE(ViewPeriod::timelineDayCount(true, 14), 7);
        QCOMPARE(ViewPeriod::timelineDayCount(false, 10), 10);
        QCOMPARE(ViewPeriod::timelineDayCount(false, 0), 2);
    }

    void step_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QDate>("expected");

        // From January 31, 2026.
        QTest::newRow("year") << "year" << 1 << 7 << false << QDate(2027, 1, 31);
        QTest::newRow("month clamps the day") << "month" << 1 << 7 << false << QDate(2026, 2, 28);
        QTest::newRow("week back") << "week" << -1 << 7 << false << QDate(2026, 1, 24);
        QTest::newRow("days by the horizon") << "days" << 1 << 10 << false << QDate(2026, 2, 10);
        QTest::newRow("days with Ctrl: one day") << "days" << 1 << 10 << true << QDate(2026, 2, 1);
        QTest::newRow("days, horizon below 2 counts 1")
            << "days" << 1 << 1 << false << QDate(2026, 2, 1);
        QTest::newRow("grid: one day") << "grid" << 1 << 7 << false << QDate(2026, 2, 1);
        QTest::newRow("grid with Ctrl: a week") << "grid" << -1 << 7 << true << QDate(2026, 1, 24);
        QTest::newRow("day") << "day" << -1 << 7 << true << QDate(2026, 1, 30);
    }
    void step()
    {
        QFETCH(QString, mode);
        QFETCH(int, direction);
        QFETCH(int, horizon);
        QFETCH(bool, ctrl);
        QTEST(ViewPeriod::step(mode, QDate(2026, 1, 31), direction, horizon, ctrl), "expected");
    }

    void title_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QString>("expected");

        const QDate today(2026, 12, 5);
        QTest::newRow("week across months")
            << "week" << QDate(2026, 4, 2) << 7 << QStringLiteral("Mar 30 \u2013 Apr 5, 2026");
        QTest::newRow("week in one month")
            << "week" << QDate(2026, 3, 4) << 7 << QStringLiteral("Mar 2 \u2013 8, 2026");
        QTest::newRow("week into the next year")
            << "week" << QDate(2026, 12, 30) << 7 << QStringLiteral("Dec 28 \u2013 Jan 3, 2027");
        QTest::newRow("days from the date")
            << "days" << QDate(2026, 3, 4) << 10 << QStringLiteral("Mar 4 \u2013 13, 2026");
        QTest::newRow("grid spans 8 days")
            << "grid" << QDate(2026, 3, 28) << 7 << QStringLiteral("Mar 28 \u2013 Apr 4, 2026");
        QTest::newRow("month") << "month" << today << 7 << QStringLiteral("December 2026");
        QTest::newRow("year") << "year" << today << 7 << QStringLiteral("2026");
        QTest::newRow("day, today")
            << "day" << today << 7 << QStringLiteral("Today \u00b7 Saturday, December 5, 2026");
        QTest::newRow("day, not today")
            << "day" << QDate(2026, 12, 6) << 7 << QStringLiteral("Sunday, December 6, 2026");
    }
    void title()
    {
        QFETCH(QString, mode);
        QFETCH(QDate, date);
        QFETCH(int, horizon);
        const QDate weekStart = ViewPeriod::timelineStart(true, date, 1);
        QTEST(ViewPeriod::title(mode, date, weekStart, date, horizon, QDate(2026, 12, 5)),
              "expected");
    }

    // The forms a narrow header falls back to keep whole words: abbreviated names, then no
    // year, and for today at last no "Today".
    void shorterTitles_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("today") << "day" << QDate(2026, 12, 5)
                               << QStringList{"Today \u00b7 Sat, Dec 5, 2026",
                                              "Today \u00b7 Sat, Dec 5", "Sat, Dec 5"};
        QTest::newRow("another day")
            << "day" << QDate(2026, 12, 7) << QStringList{"Mon, Dec 7, 2026", "Mon, Dec 7"};
        QTest::newRow("month") << "month" << QDate(2026, 12, 5) << QStringList{};
    }
    void shorterTitles()
    {
        QFETCH(QString, mode);
        QFETCH(QDate, date);
        QTEST(ViewPeriod::shorterTitles(mode, date, QDate(2026, 12, 5)), "expected");
    }

    // A range in one year drops its year; one across the new year keeps it, having no shorter form.
    void shorterRangeTitles_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("week in one month")
            << "week" << QDate(2026, 3, 9) << 7 << QStringList{"Mar 9 \u2013 15"};
        QTest::newRow("days across months")
            << "days" << QDate(2026, 3, 30) << 7 << QStringList{"Mar 30 \u2013 Apr 5"};
        QTest::newRow("grid across the new year")
            << "grid" << QDate(2026, 12, 28) << 7 << QStringList{};
        QTest::newRow("day") << "day" << QDate(2026, 3, 9) << 7 << QStringList{};
    }
    void shorterRangeTitles()
    {
        QFETCH(QString, mode);
        QFETCH(QDate, start);
        QFETCH(int, horizon);
        QTEST(ViewPeriod::shorterRangeTitles(mode, start, start, start, horizon), "expected");
    }

    void normalizedMode()
    {
        QCOMPARE(ViewPeriod::normalizedMode(QStringLiteral("agenda")), QStringLiteral("week"));
        QCOMPARE(ViewPeriod::normalizedMode(QStringLiteral("list")), QStringLiteral("week"));
        QCOMPARE(ViewPeriod::normalizedMode(QStringLiteral("month")), QStringLiteral("month"));
    }
};

QTEST_GUILESS_MAIN(TestViewPeriod)
#include "tst_viewperiod.moc"
