#include "TaskFormRules.h"
#include "TaskMove.h"
#include "TestTime.h"

#include <QTest>

using TestTime::local;
using TestTime::utc;

class TestTaskFormRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void priority_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("saved");
        // clang-format off
        QTest::newRow("negative shows none") << -3 << 0 << 0 << -3;
        QTest::newRow("none kept") << 0 << 0 << 0 << 0;
        QTest::newRow("2 untouched stays 2") << 2 << 1 << 1 << 2;
        QTest::newRow("3 untouched stays 3") << 3 << 1 << 1 << 3;
        QTest::newRow("4 untouched stays 4") << 4 << 5 << 5 << 4;
        QTest::newRow("6 untouched stays 6") << 6 << 5 << 5 << 6;
        QTest::newRow("7 untouched stays 7") << 7 << 9 << 9 << 7;
        QTest::newRow("server 12 untouched") << 12 << 9 << 9 << 12;
        QTest::newRow("4 changed to high") << 4 << 5 << 1 << 1;
        QTest::newRow("2 changed to none") << 2 << 1 << 0 << 0;
        QTest::newRow("none changed to low") << 0 << 0 << 9 << 9;
        // clang-format on
    }
    void priority()
    {
        QFETCH(int, stored);
        QFETCH(int, choice);
        QFETCH(int, chosen);
        QFETCH(int, saved);
        QCOMPARE(TaskFormRules::priorityChoice(stored), choice);
        QCOMPARE(TaskFormRules::priorityToSave(stored, chosen), saved);
    }

    void completion_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("hadDate");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("newStatus");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("date"); // 0 none, 1 the kept one, 2 now
        // clang-format off
        QTest::newRow("tick open") << "needs-action" << false << true << "completed" << 100 << 2;
        QTest::newRow("tick in process") << "in-process" << false << true << "completed" << 100 << 2;
        QTest::newRow("completed stays, date kept") << "completed" << true << true << "completed" << 100 << 1;
        QTest::newRow("untick completed") << "completed" << true << false << "needs-action" << 0 << 0;
        QTest::newRow("in process stays") << "in-process" << false << false << "in-process" << 40 << 0;
        QTest::newRow("cancelled stays") << "cancelled" << false << false << "cancelled" << 40 << 0;
        QTest::newRow("open stays") << "needs-action" << false << false << "needs-action" << 40 << 0;
        // clang-format on
    }
    void completion()
    {
        QFETCH(QString, status);
        QFETCH(bool, hadDate);
        QFETCH(bool, checked);
        QFETCH(QString, newStatus);
        QFETCH(int, percent);
        QFETCH(int, date);
        const QDateTime kept = utc(2026, 1, 2, 8, 0);
        const QDateTime now = utc(2026, 3, 4, 9, 30);
        Task task;
        task.status = status;
        task.percentComplete = 40;
        if (hadDate)
            task.completedDate = kept;
        TaskFormRules::applyCompleted(task, checked, now);
        QCOMPARE(task.status, newStatus);
        QCOMPARE(task.percentComplete, percent);
        const std::optional<QDateTime> expected =
            date == 0 ? std::nullopt : std::optional(date == 1 ? kept : now);
        QCOMPARE(task.completedDate, expected);
    }

    void startAfterDue_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("startDateOnly");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<bool>("dueDateOnly");
        QTest::addColumn<bool>("after");
        const QDateTime morning = local(2026, 5, 1, 8, 0);
        const QDateTime evening = local(2026, 5, 1, 18, 0);
        const QDateTime may1 = utc(2026, 5, 1);
        const QDateTime may2 = utc(2026, 5, 2);
        // clang-format off
        QTest::newRow("timed after") << evening << false << morning << false << true;
        QTest::newRow("timed before") << morning << false << evening << false << false;
        QTest::newRow("timed equal") << morning << false << morning << false << false;
        QTest::newRow("start on the due day") << evening << false << may1 << true << false;
        QTest::newRow("start the day after") << evening.addDays(1) << false << may1 << true << true;
        QTest::newRow("day start, timed due that day") << may1 << true << morning << false << false;
        QTest::newRow("day start after timed due") << may2 << true << evening << false << true;
        QTest::newRow("both days, same") << may1 << true << may1 << true << false;
        QTest::newRow("both days, after") << may2 << true << may1 << true << true;
        // clang-format on
    }
    void startAfterDue()
    {
        QFETCH(QDateTime, start);
        QFETCH(bool, startDateOnly);
        QFETCH(QDateTime, due);
        QFETCH(bool, dueDateOnly);
        QFETCH(bool, after);
        QCOMPARE(TaskFormRules::startAfterDue(start, startDateOnly, due, dueDateOnly), after);
        QVERIFY(!TaskFormRules::startAfterDue(start, startDateOnly, std::nullopt, dueDateOnly));
        QVERIFY(!TaskFormRules::startAfterDue(std::nullopt, startDateOnly, due, dueDateOnly));
    }

    // A task with a subtree moves whole; each row that was on a server leaves a tombstone with
    // its old place behind, and rows of other parents stay.
    void movePlan_data()
    {
        QTest::addColumn<QString>("movedId");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("targetRow"); // of uid-a in cal-2: 0 none, 1 tombstone, 2 live
        QTest::addColumn<QStringList>("moved");
        QTest::addColumn<QStringList>("tombstones");
        QTest::addColumn<bool>("refused");
        // clang-format off
        QTest::newRow("top with subtree") << "a" << "cal-2" << 0 << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"} << false;
        QTest::newRow("never pushed leaves no tombstone") << "n" << "cal-2" << 0 << QStringList{"n"} << QStringList{} << false;
        QTest::newRow("subtask with its child") << "b" << "cal-2" << 0 << QStringList{"b", "c"} << QStringList{"b", "c"} << false;
        QTest::newRow("same calendar plans nothing") << "a" << "cal-1" << 0 << QStringList{} << QStringList{} << false;
        QTest::newRow("cycle in server data ends") << "x" << "cal-2" << 0 << QStringList{"x", "y"} << QStringList{"x", "y"} << false;
        QTest::newRow("back onto its own tombstone") << "a" << "cal-2" << 1 << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"} << false;
        QTest::newRow("same UID live there") << "a" << "cal-2" << 2 << QStringList{} << QStringList{} << true;
        // clang-format on
    }
    void movePlan()
    {
        QFETCH(QString, movedId);
        QFETCH(QString, target);
        QFETCH(int, targetRow);
        QFETCH(QStringList, moved);
        QFETCH(QStringList, tombstones);
        QFETCH(bool, refused);
        const auto row = [](const QString& id, const QString& parent, bool pushed) {
            Task task;
            task.id = id;
            task.uid = QStringLiteral("uid-") + id;
            task.calendarId = QStringLiteral("cal-1");
            task.parentTaskUid = parent.isEmpty() ? QString() : QStringLiteral("uid-") + parent;
            if (pushed) {
                task.href = QStringLiteral("/cal-1/%1.ics").arg(id);
                task.etag = QStringLiteral("\"e-%1\"").arg(id);
            }
            task.syncStatus = QStringLiteral("synced");
            return task;
        };
        Task gone = row(QStringLiteral("d"), QStringLiteral("a"), true);
        gone.deletedAt = utc(2026, 1, 1);
        const QList<Task> stored{
            row("a", "", true), row("b", "a", true), row("c", "b", true), gone,
            row("o", "", true), row("n", "", false), row("x", "y", true), row("y", "x", true)};
        const auto storedRow = std::find_if(stored.cbegin(), stored.cend(),
                                            [&](const Task& task) { return task.id == movedId; });
        Task edited = *storedRow;
        edited.calendarId = target;
        edited.title = QStringLiteral("renamed");
        int next = 0;
        const QDateTime now = utc(2026, 2, 3, 4, 5);
        QList<Task> targetRows;
        if (targetRow != 0) {
            Task there = row(QStringLiteral("a"), QString(), true);
            there.id = QStringLiteral("there");
            there.calendarId = target;
            there.href = QStringLiteral("/cal-2/a.ics");
            there.etag = QStringLiteral("\"e-there\"");
            if (targetRow == 1)
                there.deletedAt = utc(2026, 1, 1);
            targetRows.append(there);
        }
        const TaskMove::Plan plan =
            TaskMove::move(edited, *storedRow, stored, targetRows, now,
                           [&] { return QStringLiteral("t%1").arg(++next); });
        QCOMPARE(plan.refused, refused);
        QCOMPARE(plan.purges, targetRow == 1 ? QStringList{"there"} : QStringList{});

        QStringList movedIds;
        for (const Task& task : plan.updates) {
            movedIds.append(task.id);
            QCOMPARE(task.calendarId, target);
            // A row back on its own tombstone updates the resource it left.
            const bool back = targetRow == 1 && task.id == QStringLiteral("a");
            QCOMPARE(task.href, back ? QStringLiteral("/cal-2/a.ics") : QString());
            QCOMPARE(task.etag, back ? QStringLiteral("\"e-there\"") : QString());
            QCOMPARE(task.syncStatus, QStringLiteral("pending"));
            QCOMPARE(task.uid, QStringLiteral("uid-") + task.id);
            QVERIFY(!task.deletedAt);
        }
        QCOMPARE(movedIds, moved);
        if (!plan.updates.isEmpty())
            QCOMPARE(plan.updates.first().title, QStringLiteral("renamed"));

        QStringList tombstoneUids;
        for (const Task& task : plan.inserts) {
            const QString original = task.uid.mid(4);
            tombstoneUids.append(original);
            QVERIFY(!moved.contains(task.id));
            QCOMPARE(task.calendarId, QStringLiteral("cal-1"));
            QCOMPARE(task.href, QStringLiteral("/cal-1/%1.ics").arg(original));
            QCOMPARE(task.etag, QStringLiteral("\"e-%1\"").arg(original));
            QCOMPARE(task.deletedAt, std::optional(now));
            QCOMPARE(task.syncStatus, QStringLiteral("pending"));
        }
        QCOMPARE(tombstoneUids, tombstones);
    }
};

QTEST_GUILESS_MAIN(TestTaskFormRules)
#include "tst_taskformrules.moc"
