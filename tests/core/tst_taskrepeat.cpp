#include "TaskRepeat.h"
#include "TestTime.h"

#include <QTest>

using TestTime::local;
using TestTime::utc;

class TestTaskRepeat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void advance_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<std::optional<QDateTime>>("due");
        QTest::addColumn<bool>("dueDateOnly");
        QTest::addColumn<std::optional<QDateTime>>("start");
        QTest::addColumn<bool>("startDateOnly");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("movesOn");
        QTest::addColumn<std::optional<QDateTime>>("nextDue");
        QTest::addColumn<std::optional<QDateTime>>("nextStart");
        QTest::addColumn<QString>("nextRule");

        const std::optional<QDateTime> none;
        const QString weekly = QStringLiteral("FREQ=WEEKLY");
        const QString fromDue = QStringLiteral("fromDueDate");
        const QString fromCompletion = QStringLiteral("fromCompletionDate");
        const QDateTime may20 = local(2024, 5, 20, 14, 30, 15);
        const auto at = [](const QDateTime& time) { return std::optional(time); };
        const auto day = [](int year, int month, int dayOfMonth) {
            return std::optional(utc(year, month, dayOfMonth));
        };

        // clang-format off
        QTest::newRow("from due date, completed late") << weekly << fromDue << day(2024, 5, 10)
            << true << none << true << may20 << true << day(2024, 5, 17) << none << weekly;
        QTest::newRow("from completion, date only") << weekly << fromCompletion << day(2024, 5, 10)
            << true << none << true << may20 << true << day(2024, 5, 27) << none << weekly;
        QTest::newRow("from completion, timed") << weekly << fromCompletion
            << at(local(2024, 5, 10, 9, 0)) << false << none << true << may20 << true
            << at(local(2024, 5, 27, 14, 30, 15)) << none << weekly;
        QTest::newRow("timed keeps wall clock over US DST change") << weekly << fromDue
            << at(local(2024, 3, 8, 9, 0)) << false << none << true << may20 << true
            << at(local(2024, 3, 15, 9, 0)) << none << weekly;
        QTest::newRow("timed keeps wall clock over EU DST change") << weekly << fromDue
            << at(local(2024, 3, 28, 9, 0)) << false << none << true << may20 << true
            << at(local(2024, 4, 4, 9, 0)) << none << weekly;
        QTest::newRow("completion time kept over DST change") << "FREQ=DAILY;INTERVAL=3"
            << fromCompletion << none << true << day(2024, 3, 1) << false
            << local(2024, 3, 8, 18, 0) << true << none << at(local(2024, 3, 11, 18, 0))
            << "FREQ=DAILY;INTERVAL=3";
        QTest::newRow("date only stays on its date over DST change") << weekly << fromDue
            << day(2024, 3, 29) << true << none << true << may20 << true << day(2024, 4, 5)
            << none << weekly;
        QTest::newRow("only start moves, keeping its time") << "FREQ=DAILY" << fromDue << none
            << true << at(local(2024, 5, 10, 8, 15)) << false << may20 << true << none
            << at(local(2024, 5, 11, 8, 15)) << "FREQ=DAILY";
        QTest::newRow("due moves, start stays") << "FREQ=MONTHLY" << fromDue << day(2024, 1, 25)
            << true << day(2024, 1, 20) << true << may20 << true << day(2024, 2, 25)
            << day(2024, 1, 20) << "FREQ=MONTHLY";
        QTest::newRow("count counts down, other parts as written")
            << "FREQ=DAILY;count=3;;INTERVAL=2" << fromDue << day(2024, 5, 10) << true << none
            << true << may20 << true << day(2024, 5, 12) << none << "FREQ=DAILY;count=2;;INTERVAL=2";
        QTest::newRow("last of count completes") << "FREQ=DAILY;COUNT=1" << fromDue
            << day(2024, 5, 10) << true << none << true << may20 << false << day(2024, 5, 10)
            << none << "FREQ=DAILY;COUNT=1";
        QTest::newRow("until passed completes") << "FREQ=WEEKLY;UNTIL=20240515T000000Z"
            << fromDue << day(2024, 5, 10) << true << none << true << may20 << false
            << day(2024, 5, 10) << none << "FREQ=WEEKLY;UNTIL=20240515T000000Z";
        QTest::newRow("no dates") << weekly << fromCompletion << none << true
            << none << true << may20 << false << none << none << weekly;
        QTest::newRow("no rule") << "" << fromDue << day(2024, 5, 10) << true
            << none << true << may20 << false << day(2024, 5, 10) << none << "";
        // clang-format on
    }

    void advance()
    {
        QFETCH(QString, rule);
        QFETCH(QString, mode);
        QFETCH(std::optional<QDateTime>, due);
        QFETCH(bool, dueDateOnly);
        QFETCH(std::optional<QDateTime>, start);
        QFETCH(bool, startDateOnly);
        QFETCH(QDateTime, now);
        QFETCH(bool, movesOn);
        QFETCH(std::optional<QDateTime>, nextDue);
        QFETCH(std::optional<QDateTime>, nextStart);
        QFETCH(QString, nextRule);

        Task task;
        task.recurrenceRule = rule;
        task.repeatMode = mode;
        task.dueDate = due;
        task.dueIsDateOnly = dueDateOnly;
        task.startDate = start;
        task.startIsDateOnly = startDateOnly;
        task.status = QStringLiteral("completed");
        task.completedDate = now;
        task.percentComplete = 100;

        QCOMPARE(TaskRepeat::advance(task, now), movesOn);
        QCOMPARE(task.dueDate, nextDue);
        QCOMPARE(task.startDate, nextStart);
        QCOMPARE(task.recurrenceRule, nextRule);
        QCOMPARE(task.status, QString(movesOn ? "needs-action" : "completed"));
        QCOMPARE(task.completedDate.has_value(), !movesOn);
        QCOMPARE(task.percentComplete, movesOn ? 0 : 100);
    }

    // COUNT=2: the first completion moves on to the second occurrence, which is the last.
    void countOfTwoEndsAfterTheNextOne()
    {
        Task task;
        task.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=2");
        task.dueDate = utc(2024, 5, 10);
        QVERIFY(TaskRepeat::advance(task, utc(2024, 5, 10, 12)));
        QCOMPARE(task.dueDate, std::optional(utc(2024, 5, 11)));
        QCOMPARE(task.recurrenceRule, QStringLiteral("FREQ=DAILY;COUNT=1"));
        QVERIFY(!TaskRepeat::advance(task, utc(2024, 5, 11, 12)));
        QCOMPARE(task.dueDate, std::optional(utc(2024, 5, 11)));
    }
};

QTEST_GUILESS_MAIN(TestTaskRepeat)
#include "tst_taskrepeat.moc"
