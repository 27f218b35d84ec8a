#include "WeekDrag.h"

#include <QTest>

class TestWeekDrag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dayShift_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("pressColumn");
        QTest::addColumn<int>("shift");
        // Seven columns 100 px wide.
        QTest::newRow("under half a column") << 49 << 100 << 1 << 0;
        QTest::newRow("half a column rounds away from zero") << 50 << 100 << 1 << 1;
        QTest::newRow("half a column left") << -50 << 100 << 3 << -1;
        QTest::newRow("beyond the last column") << 900 << 100 << 4 << 2;
        QTest::newRow("beyond the first column") << -900 << 100 << 4 << -4;
        QTest::newRow("zero-width columns count as 1 px") << 3 << 0 << 0 << 3;
    }
    void dayShift()
    {
        QFETCH(int, dx);
        QFETCH(int, width);
        QFETCH(int, pressColumn);
        QTEST(WeekDrag::dayShift(dx, width, pressColumn, 7), "shift");
    }

    void movedAcrossDaylightSaving_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QDateTime>("expected");

        const QTimeZone berlin("Europe/Berlin");
        // Berlin springs forward on Sunday, March 29, 2026.
        QTest::newRow("Berlin: Friday 09:00 to Monday keeps 09:00")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 3, 27), QTime(9, 0), berlin)
            << 3 << 0 << QDateTime(QDate(2026, 3, 30), QTime(9, 0), berlin);
        QTest::newRow("Berlin: Monday 09:00 back over the change, 30 minutes down")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 3, 30), QTime(9, 0), berlin)
            << -2 << 30 << QDateTime(QDate(2026, 3, 28), QTime(9, 30), berlin);
        // A start stored in UTC moves by the wall clock of the local zone.
        QTest::newRow("UTC-stored start, Berlin wall clock")
            << QByteArray("Europe/Berlin")
            << QDateTime(QDate(2026, 3, 27), QTime(8, 0), QTimeZone::utc()) << 3 << 0
            << QDateTime(QDate(2026, 3, 30), QTime(9, 0), berlin);
        // A wall time the clocks skip lies after the gap, a repeated one is the earlier instant,
        // as the recurrence expansion reads them.
        const QTimeZone utc = QTimeZone::utc();
        QTest::newRow("Berlin: 02:30 onto the night the clocks skip it")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 3, 28), QTime(2, 30), berlin)
            << 1 << 0 << QDateTime(QDate(2026, 3, 29), QTime(1, 30), utc);
        // Minutes count on the wall clock: a block lands on the wall time of its row.
        QTest::newRow("Berlin: 09:00 dropped on the 02:30 row the night the clocks skip it")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2027, 3, 28), QTime(9, 0), berlin)
            << 0 << -390 << QDateTime(QDate(2027, 3, 28), QTime(1, 30), utc);
        QTest::newRow("Berlin: 03:30 a day back and an hour up, onto 02:30 that night")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2027, 3, 29), QTime(3, 30), berlin)
            << -1 << -60 << QDateTime(QDate(2027, 3, 28), QTime(1, 30), utc);
        QTest::newRow("Berlin: 02:30 onto the night it comes twice")
            << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 10, 26), QTime(2, 30), berlin)
            << -1 << 0 << QDateTime(QDate(2026, 10, 25), QTime(0, 30), utc);
    }
    void movedAcrossDaylightSaving()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, start);
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(QDateTime, expected);
        const QDateTime moved = WeekDrag::movedStart(start, days, minutes, QTimeZone(zone));
        QCOMPARE(moved.toUTC(), expected.toUTC());
    }
};

QTEST_GUILESS_MAIN(TestWeekDrag)
#include "tst_weekdrag.moc"
