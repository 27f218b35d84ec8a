#include "TaskDetailsText.h"
#include "TaskStatusChange.h"
#include "TestTime.h"

#include <QTest>

using TestTime::local;
using TestTime::utc;

namespace {

const QDate today(2026, 3, 11);

std::optional<QDateTime> stamp(bool set)
{
    return set ? std::optional(utc(2026, 3, 1, 8)) : std::nullopt;
}

} // namespace

class TestTaskStatusChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withStatus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("hadStamp");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("stamped");
        QTest::addColumn<int>("percentAfter");

        // Leaving completed must not leave a completion date behind.
        QTest::newRow("completed to in-process") << "completed" << true << 100 << "in-process"
                                                 << "in-process" << false << 0;
        QTest::newRow("completed to cancelled") << "completed" << true << 100 << "cancelled"
                                                << "cancelled" << false << 0;
        QTest::newRow("completed to needs-action") << "completed" << true << 100 << "needs-action"
                                                   << "needs-action" << false << 0;
        QTest::newRow("stray stamp on an open task") << "in-process" << true << 40 << "cancelled"
                                                     << "cancelled" << false << 40;
        QTest::newRow("in-process keeps its percentage")
            << "needs-action" << false << 30 << "in-process"
            << "in-process" << false << 30;
        QTest::newRow("needs-action is nothing done")
            << "in-process" << false << 60 << "needs-action"
            << "needs-action" << false << 0;
        QTest::newRow("completing stamps now") << "in-process" << false << 60 << "completed"
                                               << "completed" << true << 100;
        QTest::newRow("unknown status changes nothing") << "completed" << true << 100 << "done"
                                                        << "completed" << true << 100;
    }

    void withStatus()
    {
        QFETCH(QString, from);
        QFETCH(bool, hadStamp);
        QFETCH(int, percent);
        QFETCH(QString, to);
        Task task;
        task.status = from;
        task.completedDate = stamp(hadStamp);
        task.percentComplete = percent;
        const QDateTime now = utc(2026, 3, 11, 9);

        const Task changed = TaskStatusChange::withStatus(task, to, now);
        QTEST(changed.status, "status");
        QTEST(changed.completedDate.has_value(), "stamped");
        QTEST(changed.percentComplete, "percentAfter");
        if (changed.completedDate && to == QLatin1String("completed"))
            QCOMPARE(*changed.completedDate, now);
    }

    void afterCompletedToggle_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("complete an open task") << "needs-action" << true << "completed";
        QTest::newRow("complete a cancelled task") << "cancelled" << true << "completed";
        QTest::newRow("reopen a completed task") << "completed" << false << "needs-action";
        QTest::newRow("untick keeps in-process") << "in-process" << false << "in-process";
        QTest::newRow("untick keeps cancelled") << "cancelled" << false << "cancelled";
    }

    void afterCompletedToggle()
    {
        QFETCH(QString, status);
        QFETCH(bool, completed);
        QTEST(TaskStatusChange::afterCompletedToggle(status, completed), "expected");
    }

    void overdue_data()
    {
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<bool>("dateOnly");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("expected");
        QTest::newRow("open, yesterday") << utc(2026, 3, 10) << true << "needs-action" << true;
        QTest::newRow("completed, yesterday") << utc(2026, 3, 10) << true << "completed" << false;
        QTest::newRow("cancelled, yesterday") << utc(2026, 3, 10) << true << "cancelled" << false;
        // A date-only due date is its own day in every zone, west of UTC too.
        QTest::newRow("date-only today") << utc(2026, 3, 11) << true << "in-process" << false;
        QTest::newRow("timed earlier today")
            << local(2026, 3, 11, 0, 30) << false << "needs-action" << false;
        QTest::newRow("timed late yesterday")
            << local(2026, 3, 10, 23, 30) << false << "needs-action" << true;
    }

    void overdue()
    {
        QFETCH(QDateTime, due);
        QFETCH(bool, dateOnly);
        QFETCH(QString, status);
        Task task;
        task.dueDate = due;
        task.dueIsDateOnly = dateOnly;
        task.status = status;
        QTEST(TaskStatusChange::isOverdue(task, today), "expected");
    }

    void relativeDay_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<bool>("dateOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("today at midnight") << local(2026, 3, 11, 0, 0) << false << "Today";
        QTest::newRow("tomorrow afternoon")
            << local(2026, 3, 12, 15, 30) << false << "Tomorrow  ·  3:30 PM";
        QTest::newRow("yesterday morning")
            << local(2026, 3, 10, 9, 5) << false << "Yesterday  ·  9:05 AM";
        QTest::newRow("date-only tomorrow") << utc(2026, 3, 12) << true << "Tomorrow";
        QTest::newRow("date-only further off")
            << utc(2026, 4, 2) << true << "Thursday, April 2, 2026";
        QTest::newRow("timed further off")
            << local(2026, 2, 27, 12, 0) << false << "Friday, February 27, 2026  ·  12:00 PM";
    }

    void relativeDay()
    {
        QFETCH(QDateTime, when);
        QFETCH(bool, dateOnly);
        QTEST(TaskDetailsText::relativeDay(when, dateOnly, today), "expected");
    }

    void priority_data()
    {
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("color");
        QTest::newRow("none") << 0 << ""
                              << "";
        QTest::newRow("1") << 1 << "High"
                           << "#ef4444";
        QTest::newRow("3") << 3 << "High"
                           << "#ef4444";
        QTest::newRow("4") << 4 << "Medium"
                           << "#f59e0b";
        QTest::newRow("6") << 6 << "Medium"
                           << "#f59e0b";
        QTest::newRow("7") << 7 << "Low"
                           << "#3b82f6";
        QTest::newRow("9") << 9 << "Low"
                           << "#3b82f6";
    }

    void priority()
    {
        QFETCH(int, priority);
        QTEST(TaskDetailsText::priorityWord(priority), "word");
        QTEST(TaskDetailsText::priorityColor(priority), "color");
    }
};

QTEST_GUILESS_MAIN(TestTaskStatusChange)
#include "tst_taskstatuschange.moc"
