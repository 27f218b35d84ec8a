#include "TaskPaneRules.h"

#include "TaskDetailsText.h"

#include <QTest>
#include <QTimeZone>

#include <limits>

namespace {

const QDate monday(2026, 3, 9);

Task task(const QString& title, int priority = 0, std::optional<QDate> due = std::nullopt,
          const QString& status = QStringLiteral("needs-action"))
{
    Task t;
    t.uid = title;
    t.title = title;
    t.priority = priority;
    t.status = status;
    if (due) {
        t.dueDate = QDateTime(*due, QTime(12, 0)).toUTC();
        t.dueIsDateOnly = false;
    }
    return t;
}

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

} // namespace

class TestTaskPaneRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void siblingOrder_data()
    {
        QTest::addColumn<Task>("first");
        QTest::addColumn<Task>("second");
        const Task done = task(QStringLiteral("a"), 1, monday, QStringLiteral("completed"));
        Task placedDone = done;
        placedDone.sortOrder = 5;
        QTest::newRow("open before completed") << task(QStringLiteral("z"), 9) << done;
        QTest::newRow("cancelled counts as open")
            << task(QStringLiteral("z"), 0, {}, QStringLiteral("cancelled")) << done;
        QTest::newRow("priority 1 before 9")
            << task(QStringLiteral("z"), 1) << task(QStringLiteral("a"), 9);
        QTest::newRow("any priority before none")
            << task(QStringLiteral("z"), 9) << task(QStringLiteral("a"), 0);
        QTest::newRow("due date before none")
            << task(QStringLiteral("z"), 0, monday.addDays(30)) << task(QStringLiteral("a"));
        QTest::newRow("earlier due first") << task(QStringLiteral("z"), 0, monday)
                                           << task(QStringLiteral("a"), 0, monday.addDays(1));
        QTest::newRow("title without dates")
            << task(QStringLiteral("apple")) << task(QStringLiteral("banana"));
        QTest::newRow("hand-placed before all, even completed")
            << placedDone << task(QStringLiteral("a"), 1, monday);
    }

    void siblingOrder()
    {
        QFETCH(Task, first);
        QFETCH(Task, second);
        const TaskTree::Comparator order = TaskPaneRules::siblingOrder();
        QVERIFY(order(first, second));
        QVERIFY(!order(second, first));
    }

    void filter_data()
    {
        QTest::addColumn<Task>("candidate");
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("hideCompleted");
        QTest::addColumn<bool>("passes");
        using R = TaskPaneRules::Filter;
        const QString done = QStringLiteral("completed");
        const QString cancelled = QStringLiteral("cancelled");
        QTest::newRow("all: no date")
            << task(QStringLiteral("a")) << int(R::AllTasks) << false << true;
        QTest::newRow("today: no date fails")
            << task(QStringLiteral("a")) << int(R::DueToday) << false << false;
        QTest::newRow("today: due today")
            << task(QStringLiteral("a"), 0, monday) << int(R::DueToday) << false << true;
        QTest::newRow("today: due tomorrow") << task(QStringLiteral("a"), 0, monday.addDays(1))
                                             << int(R::DueToday) << false << false;
        QTest::newRow("week: Sunday in") << task(QStringLiteral("a"), 0, monday.addDays(6))
                                         << int(R::DueThisWeek) << false << true;
        QTest::newRow("week: next Monday out") << task(QStringLiteral("a"), 0, monday.addDays(7))
                                               << int(R::DueThisWeek) << false << false;
        QTest::newRow("week: yesterday out") << task(QStringLiteral("a"), 0, monday.addDays(-1))
                                             << int(R::DueThisWeek) << false << false;
        QTest::newRow("overdue: completed shown")
            << task(QStringLiteral("a"), 0, monday.addDays(-1), done) << int(R::Overdue) << false
            << true;
        QTest::newRow("overdue: today is not")
            << task(QStringLiteral("a"), 0, monday) << int(R::Overdue) << false << false;
        QTest::newRow("hide: completed not kept")
            << task(QStringLiteral("gone"), 0, {}, done) << int(R::AllTasks) << true << false;
        QTest::newRow("hide: completed kept")
            << task(QStringLiteral("kept"), 0, {}, done) << int(R::AllTasks) << true << true;
        QTest::newRow("hide: cancelled never, even kept")
            << task(QStringLiteral("kept"), 0, {}, cancelled) << int(R::AllTasks) << true << false;
        Task dueMondayDateOnly = task(QStringLiteral("a"));
        dueMondayDateOnly.dueDate = QDateTime(monday, QTime(0, 0), QTimeZone::utc());
        dueMondayDateOnly.dueIsDateOnly = true;
        QTest::newRow("today: date-only due today")
            << dueMondayDateOnly << int(R::DueToday) << false << true;
        QTest::newRow("week: date-only due today in")
            << dueMondayDateOnly << int(R::DueThisWeek) << false << true;
        QTest::newRow("overdue: date-only due today is not")
            << dueMondayDateOnly << int(R::Overdue) << false << false;
        QTest::newRow("hide: open passes")
            << task(QStringLiteral("open")) << int(R::AllTasks) << true << true;
    }

    void filter()
    {
        QFETCH(Task, candidate);
        QFETCH(int, filter);
        QFETCH(bool, hideCompleted);
        QFETCH(bool, passes);
        const QSet<QString> kept{QStringLiteral("kept")};
        QCOMPARE(TaskPaneRules::passesFilter(candidate, monday, filter, hideCompleted, kept),
                 passes);
    }

    void filterWords()
    {
        for (int filter = 0; filter < 4; ++filter)
            QCOMPARE(TaskPaneRules::filterFromWord(TaskPaneRules::filterWord(filter)), filter);
        QCOMPARE(TaskPaneRules::filterFromWord(QStringLiteral("Today")), 0);
    }

    void dropZone_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("zone");
        QTest::newRow("top edge") << 0 << 40 << 1;
        QTest::newRow("last of the top quarter") << 9 << 40 << 1;
        QTest::newRow("first of the middle") << 10 << 40 << 2;
        QTest::newRow("last of the middle") << 30 << 40 << 2;
        QTest::newRow("first of the bottom") << 31 << 40 << 3;
        QTest::newRow("bottom edge") << 39 << 40 << 3;
        QTest::newRow("no height") << 0 << 0 << 2;
    }

    void dropZone()
    {
        QFETCH(int, y);
        QFETCH(int, height);
        QFETCH(int, zone);
        QCOMPARE(TaskPaneRules::dropZoneAt(y, height), zone);
    }

    void placement_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QList<int>>("renumbered");
        QTest::addColumn<int>("sortOrder");
        const QList<int> none;
        QTest::newRow("below the last")
            << QList<int>{10000, 20000, 30000} << 2 << 3 << none << 40000;
        QTest::newRow("above the first") << QList<int>{10000, 20000} << 0 << 1 << none << 1;
        QTest::newRow("between") << QList<int>{10000, 20000} << 0 << 3 << none << 15000;
        QTest::newRow("no room renumbers") << QList<int>{10000, 10001, 30000} << 0 << 3
                                           << QList<int>{10000, 20000, 30000} << 15000;
        QTest::newRow("above a first at 1 renumbers, no tie")
            << QList<int>{1, 2} << 0 << 1 << QList<int>{10000, 20000} << 1;
        QTest::newRow("all unplaced: above the first")
            << QList<int>{0, 0, 0} << 0 << 1 << none << 10000;
        QTest::newRow("all unplaced: below the second numbers those up to the drop")
            << QList<int>{0, 0, 0} << 1 << 3 << QList<int>{10000, 20000, 0} << 30000;
        QTest::newRow("below the last placed, before unplaced")
            << QList<int>{10000, 0, 0} << 0 << 3 << none << 20000;
        QTest::newRow("between unplaced beside placed numbers those up to the drop")
            << QList<int>{10000, 0, 0} << 1 << 3 << QList<int>{10000, 20000, 0} << 30000;
        QTest::newRow("no room among placed leaves the unplaced at 0")
            << QList<int>{1, 2, 0, 0} << 0 << 3 << QList<int>{10000, 20000, 0, 0} << 15000;
        QTest::newRow("below a huge last renumbers, no overflow")
            << QList<int>{5, intMax} << 1 << 3 << QList<int>{10000, 20000} << 30000;
        QTest::newRow("between huge values, no overflow")
            << QList<int>{intMax - 4, intMax} << 0 << 3 << none << intMax - 2;
        QTest::newRow("between negative and positive avoids 0")
            << QList<int>{-10, 10} << 0 << 3 << none << 1;
        QTest::newRow("-1 and 1 leave only 0: renumbers")
            << QList<int>{-1, 1} << 0 << 3 << QList<int>{10000, 20000} << 15000;
        QTest::newRow("between very negative values")
            << QList<int>{intMin, intMin + 10} << 0 << 3 << none << intMin + 5;
        QTest::newRow("above a negative first renumbers")
            << QList<int>{-5, 3} << 0 << 1 << QList<int>{10000, 20000} << 1;
        QTest::newRow("below a last at -10000 is not 0")
            << QList<int>{-20000, -10000} << 1 << 3 << QList<int>{10000, 20000} << 30000;
    }

    void placement()
    {
        QFETCH(QList<int>, orders);
        QFETCH(int, target);
        QFETCH(int, zone);
        QFETCH(QList<int>, renumbered);
        QFETCH(int, sortOrder);
        const TaskPaneRules::Placement placed = TaskPaneRules::placeBeside(orders, target, zone);
        QCOMPARE(placed.renumbered, renumbered);
        QCOMPARE(placed.sortOrder, sortOrder);
    }

    // Beside a row the dropped task takes the parent the row is drawn under, and lands among the
    // tasks stored under that parent, placed as the target is: a target drawn at the top level
    // by a filter or for want of its parent stands among the roots, but no orphan does.
    void besideTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("drawnUnderParent");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("siblings");
        QTest::newRow("drawn under a live parent") << "a" << true << "p" << QStringList{"a", "b"};
        QTest::newRow("drawn at the top level by a filter")
            << "a" << false << QString() << QStringList{"a", "p", "r"};
        QTest::newRow("parent gone") << "o" << true << QString() << QStringList{"o", "p", "r"};
        QTest::newRow("own uid as parent")
            << "s" << true << QString() << QStringList{"p", "r", "s"};
        QTest::newRow("target not in the calendar")
            << "x" << false << QString() << QStringList{"p", "r"};
    }

    void besideTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, drawnUnderParent);
        QFETCH(QString, parent);
        QFETCH(QStringList, siblings);
        const auto make = [](const QString& uid, const QString& parentUid) {
            Task made = task(uid);
            made.id = uid;
            made.parentTaskUid = parentUid;
            return made;
        };
        // p holds a and b; o's parent is gone; s names itself; d is dragged; x is elsewhere.
        const QList<Task> calendar{make("p", {}),     make("a", "p"), make("b", "p"), make("r", {}),
                                   make("o", "gone"), make("s", "s"), make("d", {})};
        const Task beside = target == QLatin1String("x")
                                ? make("x", {})
                                : *std::find_if(calendar.begin(), calendar.end(),
                                                [&](const Task& t) { return t.id == target; });
        const QString chosen = TaskPaneRules::parentBeside(beside, drawnUnderParent, calendar);
        QCOMPARE(chosen, parent);
        QStringList listed;
        for (const Task& sibling : TaskPaneRules::siblingsBeside(calendar, beside, chosen, "d"))
            listed.append(sibling.id);
        QCOMPARE(listed, siblings);
    }

    void dateText_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<bool>("dateOnly");
        QTest::addColumn<QString>("text");
        // Late in the local day, so a date read in UTC would fall on another day somewhere.
        const auto late = [](const QDate& date) { return QDateTime(date, QTime(23, 30)).toUTC(); };
        // A date-only value is stored at 00:00 UTC of its date, which is the day before west of
        // UTC when read as local time.
        const auto dateOnly = [](const QDate& date) {
            return QDateTime(date, QTime(0, 0), QTimeZone::utc());
        };
        QTest::newRow("today") << late(monday) << false << QStringLiteral("Today");
        QTest::newRow("tomorrow") << late(monday.addDays(1)) << false << QStringLiteral("Tomorrow");
        QTest::newRow("yesterday")
            << late(monday.addDays(-1)) << false << QStringLiteral("Yesterday");
        QTest::newRow("other") << late(QDate(2026, 12, 5)) << false
                               << QStringLiteral("Dec 5, 2026");
        QTest::newRow("date-only today") << dateOnly(monday) << true << QStringLiteral("Today");
        QTest::newRow("date-only tomorrow")
            << dateOnly(monday.addDays(1)) << true << QStringLiteral("Tomorrow");
        QTest::newRow("date-only other")
            << dateOnly(QDate(2026, 12, 5)) << true << QStringLiteral("Dec 5, 2026");
    }

    void dateText()
    {
        QFETCH(QDateTime, when);
        QFETCH(bool, dateOnly);
        QFETCH(QString, text);
        QCOMPARE(TaskPaneRules::formatTaskDate(when, dateOnly, monday), text);
    }

    void priority_data()
    {
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("colour");
        QTest::newRow("none") << 0 << QString() << QString();
        QTest::newRow("1") << 1 << QStringLiteral("High") << QStringLiteral("#ef4444");
        QTest::newRow("3") << 3 << QStringLiteral("High") << QStringLiteral("#ef4444");
        QTest::newRow("4") << 4 << QStringLiteral("Medium") << QStringLiteral("#f59e0b");
        QTest::newRow("6") << 6 << QStringLiteral("Medium") << QStringLiteral("#f59e0b");
        QTest::newRow("7") << 7 << QStringLiteral("Low") << QStringLiteral("#3b82f6");
    }

    void priority()
    {
        QFETCH(int, priority);
        QFETCH(QString, text);
        QFETCH(QString, colour);
        QCOMPARE(TaskDetailsText::priorityWord(priority), text);
        QCOMPARE(TaskDetailsText::priorityColor(priority), colour);
    }
};

QTEST_GUILESS_MAIN(TestTaskPaneRules)
#include "tst_taskpanerules.moc"
