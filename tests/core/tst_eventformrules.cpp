#include "EventFormRules.h"

#include <QTest>

namespace {

// A moment as the form's pickers hold it: a wall-clock time in the machine's zone.
QDateTime shown(int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute));
}

} // namespace

class TestEventFormRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The end follows a moved start by the length the event had before the start was changed,
    // whichever way it moves; all-day events keep whole days across a clock change. Without
    // the moments to take the length from there is no end.
    void endKeepsTheLength_data()
    {
        QTest::addColumn<QDateTime>("lengthStart");
        QTest::addColumn<QDateTime>("lengthEnd");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::newRow("later") << shown(3, 11, 14) << shown(3, 11, 15) << false << shown(3, 11, 16)
                               << shown(3, 11, 17);
        QTest::newRow("earlier") << shown(3, 11, 9, 15) << shown(3, 11, 9, 30) << false
                                 << shown(3, 11, 9) << shown(3, 11, 9, 15);
        QTest::newRow("over midnight")
            << shown(3, 11, 23) << shown(3, 12, 1) << false << shown(3, 12, 23) << shown(3, 13, 1);
        QTest::newRow("end before start")
            << shown(3, 11, 10) << shown(3, 11, 9) << false << shown(3, 11, 11) << shown(3, 11, 11);
        QTest::newRow("all-day, earlier")
            << shown(12, 7) << shown(12, 9) << true << shown(12, 1) << shown(12, 3);
        QTest::newRow("all-day, short day in Europe")
            << shown(3, 29) << shown(3, 30) << true << shown(4, 5) << shown(4, 6);
        QTest::newRow("all-day, short day in America")
            << shown(3, 8) << shown(3, 9) << true << shown(3, 15) << shown(3, 16);
        QTest::newRow("all-day, one day")
            << shown(3, 11) << shown(3, 11) << true << shown(3, 30) << shown(3, 30);
        QTest::newRow("no length start")
            << QDateTime() << shown(3, 11, 9) << true << shown(3, 11, 9) << QDateTime();
        QTest::newRow("no length end")
            << shown(3, 11, 9) << QDateTime() << false << shown(3, 11, 9) << QDateTime();
    }
    void endKeepsTheLength()
    {
        QFETCH(QDateTime, lengthStart);
        QFETCH(QDateTime, lengthEnd);
        QFETCH(bool, allDay);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QCOMPARE(EventFormRules::endKeepingLength(start, lengthStart, lengthEnd, allDay), end);
    }

    // Ticking All day on a timed event shows the days it covers: an end at 00:00 closes the day
    // before (a slot up to midnight is one day), an end past midnight keeps both days, and the
    // last day is never before the first. Timed again, the end comes back, and all-day once more
    // gives the same days; only the zero-length midnight slot comes back as its whole day.
    void allDayDaysOfATimedEvent_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QDate>("lastDay");
        QTest::addColumn<QDateTime>("timedAgain");
        QTest::newRow("slot up to midnight")
            << shown(3, 11, 23) << shown(3, 12) << QDate(2026, 3, 11) << shown(3, 12);
        QTest::newRow("past midnight")
            << shown(3, 11, 22) << shown(3, 12, 1) << QDate(2026, 3, 12) << shown(3, 12, 1);
        QTest::newRow("midnight two days later")
            << shown(3, 11, 9) << shown(3, 13) << QDate(2026, 3, 12) << shown(3, 13);
        QTest::newRow("same day") << shown(3, 11, 10) << shown(3, 11, 11) << QDate(2026, 3, 11)
                                  << shown(3, 11, 11);
        QTest::newRow("midnight, no length")
            << shown(3, 11) << shown(3, 11) << QDate(2026, 3, 11) << shown(3, 12);
        QTest::newRow("end before start")
            << shown(3, 11, 10) << shown(3, 10) << QDate(2026, 3, 11) << shown(3, 12);
    }
    void allDayDaysOfATimedEvent()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QDate, lastDay);
        QFETCH(QDateTime, timedAgain);
        QCOMPARE(EventFormRules::lastDayWhenAllDay(start, end), lastDay);
        const QDateTime back = EventFormRules::timedEndOnLastDay(lastDay, end.time());
        QCOMPARE(back, timedAgain);
        QCOMPARE(EventFormRules::lastDayWhenAllDay(start, back), lastDay);
    }
};

QTEST_GUILESS_MAIN(TestEventFormRules)
#include "tst_eventformrules.moc"
