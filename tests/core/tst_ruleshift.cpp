#include "RuleShift.h"

#include <QTest>
#include <QTimeZone>

namespace {

QDateTime berlin(int month, int day, int hour = 9, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), QTimeZone("Europe/Berlin"));
}

} // namespace

// A series' start moved by whole days takes its rule's own days along, or is refused where no
// rule can say "the same occurrences, that many days later".
class TestRuleShift : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byDays_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("expected"); // "-" for a refusal

        const QDateTime monday = berlin(3, 2);
        const QDateTime allDay(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC);
        const auto add = [](const char* name, const char* rule, const QDateTime& start, int days,
                            const char* expected) {
            QTest::newRow(name) << QString::fromLatin1(rule) << start << days
                                << QString::fromLatin1(expected);
        };
        add("no move", "FREQ=MONTHLY;BYSETPOS=1;BYDAY=MO", monday, 0,
            "FREQ=MONTHLY;BYSETPOS=1;BYDAY=MO");
        add("weekday taken from the start", "FREQ=WEEKLY;COUNT=5", monday, 1,
            "FREQ=WEEKLY;COUNT=5");
        add("weekday", "FREQ=WEEKLY;BYDAY=MO", monday, 1, "FREQ=WEEKLY;BYDAY=TU");
        add("weekdays across the week's end", "FREQ=WEEKLY;BYDAY=MO,WE,FR", monday, 2,
            "FREQ=WEEKLY;BYDAY=WE,FR,SU");
        add("weekday back", "FREQ=WEEKLY;BYDAY=MO", monday, -1, "FREQ=WEEKLY;BYDAY=SU");
        add("every other week keeps its weeks", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,SU", monday, 1,
            "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,MO;WKST=TU");
        add("month day", "FREQ=MONTHLY;BYMONTHDAY=2", monday, 3, "FREQ=MONTHLY;BYMONTHDAY=5");
        add("last day to the first", "FREQ=MONTHLY;BYMONTHDAY=-1", berlin(3, 31), 1,
            "FREQ=MONTHLY;BYMONTHDAY=1");
        add("first day to the last", "FREQ=MONTHLY;BYMONTHDAY=1", berlin(4, 1), -1,
            "FREQ=MONTHLY;BYMONTHDAY=-1");
        add("month follows a month day", "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=-1", berlin(3, 31), 1,
            "FREQ=YEARLY;BYMONTH=4;BYMONTHDAY=1");
        add("month follows the start", "FREQ=YEARLY;BYMONTH=6", berlin(6, 30), 1,
            "FREQ=YEARLY;BYMONTH=7");
        add("year day", "FREQ=YEARLY;BYYEARDAY=61", monday, 5, "FREQ=YEARLY;BYYEARDAY=66");
        // UNTIL moves on the wall clock: 09:00 in winter is 08:00 UTC, a week later 07:00.
        add("until across the change of offset", "FREQ=WEEKLY;BYDAY=MO;UNTIL=20260323T080000Z",
            monday, 7, "FREQ=WEEKLY;BYDAY=MO;UNTIL=20260330T070000Z");
        add("all-day until", "FREQ=DAILY;UNTIL=20260310", allDay, 2, "FREQ=DAILY;UNTIL=20260312");

        add("set position", "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1", monday, 1, "-");
        add("weekday with an ordinal", "FREQ=MONTHLY;BYDAY=1MO", monday, 1, "-");
        add("week number", "FREQ=YEARLY;BYWEEKNO=10", monday, 1, "-");
        add("month day not every month has", "FREQ=MONTHLY;BYMONTHDAY=30", berlin(3, 30), 1, "-");
        add("month day into a month of unknown length", "FREQ=MONTHLY;BYMONTHDAY=15", berlin(3, 15),
            20, "-");
        add("month days into different months", "FREQ=MONTHLY;BYMONTHDAY=1,15", berlin(3, 1), -1,
            "-");
        add("year day into the next year", "FREQ=YEARLY;BYYEARDAY=365", berlin(12, 31), 1, "-");
        // Mondays of January are Tuesdays of January too, but for 31 January 2028.
        add("weekdays of a month", "FREQ=YEARLY;BYMONTH=1;BYDAY=MO", berlin(1, 5), 1, "-");
    }
    void byDays()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, start);
        QFETCH(int, days);
        const std::optional<QString> moved = RuleShift::byDays(rule, start, days);
        QTEST(moved.value_or(QStringLiteral("-")), "expected");
    }
};

QTEST_GUILESS_MAIN(TestRuleShift)
#include "tst_ruleshift.moc"
