#include "TaskTree.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// "uid" or "uid<parent" with an optional "!" suffix for a completed task ("?" for a cancelled
// one), and "#n" for a manual position: "b<a!#2".
Task parseSpec(const QString& spec, int index)
{
    Task task;
    QString text = spec;
    task.id = QStringLiteral("row%1").arg(index);
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        task.sortOrder = text.mid(hash + 1).toInt();
        text.truncate(hash);
    }
    if (text.endsWith(QLatin1Char('!')) || text.endsWith(QLatin1Char('?'))) {
        task.status = text.endsWith(QLatin1Char('!')) ? QStringLiteral("completed")
                                                      : QStringLiteral("cancelled");
        text.chop(1);
    }
    const QStringList parts = text.split(QLatin1Char('<'));
    task.uid = parts[0];
    task.title = parts[0];
    if (parts.size() > 1)
        task.parentTaskUid = parts[1];
    return task;
}

QList<Task> parseSpecs(const QStringList& specs)
{
    QList<Task> tasks;
    for (qsizetype i = 0; i < specs.size(); ++i)
        tasks.append(parseSpec(specs[i], int(i)));
    return tasks;
}

// Rows as "uid:depth".
QStringList rowsOf(const QList<TreeTask>& rows)
{
    QStringList lines;
    for (const TreeTask& row : rows)
        lines.append(QStringLiteral("%1:%2").arg(row.task.uid).arg(row.depth));
    return lines;
}

bool byTitle(const Task& a, const Task& b)
{
    return a.title < b.title;
}

// Checks that every task is listed exactly once and that each row below the top sits under a
// row whose uid its parentTaskUid names.
void verifyTree(const QList<Task>& tasks, const QList<TreeTask>& rows)
{
    QCOMPARE(rows.size(), tasks.size());
    QSet<QString> ids;
    for (const TreeTask& row : rows)
        ids.insert(row.task.id);
    QCOMPARE(ids.size(), tasks.size());
    QList<const Task*> ancestors;
    for (const TreeTask& row : rows) {
        QVERIFY(row.depth >= 0 && row.depth <= ancestors.size());
        ancestors.resize(row.depth);
        if (row.depth > 0)
            QCOMPARE(row.task.parentTaskUid, ancestors.last()->uid);
        ancestors.append(&row.task);
    }
}

} // namespace

class TestTaskTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flatten_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<bool>("sortByTitle");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QStringList{} << false << QStringList{};
        QTest::newRow("children follow their parent") << QStringList{"p", "z<p", "c<p", "u"} << true
                                                      << QStringList{"p:0", "c:1", "z:1", "u:0"};
        QTest::newRow("input order without comparator")
            << QStringList{"p", "z<p", "c<p", "u"} << false
            << QStringList{"p:0", "z:1", "c:1", "u:0"};
        QTest::newRow("grandchildren directly after their parent")
            << QStringList{"g<c", "c<p", "p", "d<p"} << false
            << QStringList{"p:0", "c:1", "g:2", "d:1"};
        QTest::newRow("missing parent makes a top-level task")
            << QStringList{"orphan<gone"} << false << QStringList{"orphan:0"};
        QTest::newRow("own parent makes a top-level task")
            << QStringList{"s<s", "t<s"} << false << QStringList{"s:0", "t:1"};
        QTest::newRow("two tasks naming each other are both shown")
            << QStringList{"a<b", "b<a"} << false << QStringList{"a:0", "b:1"};
        QTest::newRow("longer cycle cut at its first task, with a branch into it")
            << QStringList{"x<c", "c<b", "a<c", "b<a"} << false
            << QStringList{"c:0", "x:1", "a:1", "b:2"};
        QTest::newRow("duplicate uid: children listed once, under the first")
            << QStringList{"d", "k<d", "d"} << false << QStringList{"d:0", "k:1", "d:0"};
        QTest::newRow("duplicate uid naming itself hangs under its twin")
            << QStringList{"d<d", "d<d"} << false << QStringList{"d:0", "d:1"};
        QTest::newRow("empty uid has no children")
            << QStringList{"", "x<"} << false << QStringList{":0", "x:0"};
    }

    void flatten()
    {
        QFETCH(QStringList, tasks);
        QFETCH(bool, sortByTitle);
        QFETCH(QStringList, expected);
        const QList<TreeTask> rows = TaskTree::flatten(
            parseSpecs(tasks), sortByTitle ? TaskTree::Comparator(byTitle) : nullptr);
        QCOMPARE(rowsOf(rows), expected);
    }

    void manualOrderComesFirst()
    {
        const QList<Task> tasks = parseSpecs({"c#3", "z", "a#1", "b", "m#-4"});
        const QList<TreeTask> rows =
            TaskTree::flatten(tasks, TaskTree::withManualSortOrder(byTitle));
        QCOMPARE(rowsOf(rows), QStringList({"m:0", "a:0", "c:0", "b:0", "z:0"}));
        const QList<TreeTask> noFallback =
            TaskTree::flatten(tasks, TaskTree::withManualSortOrder(nullptr));
        QCOMPARE(rowsOf(noFallback), QStringList({"m:0", "a:0", "c:0", "z:0", "b:0"}));
    }

    void completedKept_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QStringList{} << QStringList{};
        QTest::newRow("completed parent with open child")
            << QStringList{"p!", "c<p"} << QStringList{"p"};
        QTest::newRow("all completed contributes nothing")
            << QStringList{"p!", "c<p!"} << QStringList{};
        QTest::newRow("open root keeps completed descendants")
            << QStringList{"p", "c<p!", "g<c!", "other!"} << QStringList{"c", "g"};
        QTest::newRow("cancelled child counts as open")
            << QStringList{"p!", "c<p?"} << QStringList{"p"};
        QTest::newRow("cycle members are considered")
            << QStringList{"a<b!", "b<a"} << QStringList{"a"};
    }

    void completedKept()
    {
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, expected);
        QStringList kept = TaskTree::completedKeptByActiveTree(parseSpecs(tasks)).values();
        kept.sort();
        QCOMPARE(kept, expected);
    }

    // A chain this deep would overflow the stack of a recursive walk.
    void deepChainIsWalkedWithoutRecursion()
    {
        const int depth = 10000;
        QList<Task> tasks;
        for (int i = depth - 1; i >= 0; --i) {
            Task task;
            task.id = task.uid = QString::number(i);
            task.status = QStringLiteral("completed");
            if (i > 0)
                task.parentTaskUid = QString::number(i - 1);
            tasks.append(task);
        }
        tasks.first().status = QStringLiteral("needs-action"); // the deepest task is open
        const QList<TreeTask> rows = TaskTree::flatten(tasks, byTitle);
        QCOMPARE(rows.size(), depth);
        QCOMPARE(rows.last().depth, depth - 1);
        QCOMPARE(TaskTree::completedKeptByActiveTree(tasks).size(), depth - 1);

        tasks.last().parentTaskUid = QString::number(depth - 1); // close the chain into a ring
        verifyTree(tasks, TaskTree::flatten(tasks, nullptr));
    }

    // Generated hostile data: few uids (so many duplicates), parents drawn from the same pool,
    // themselves included. Whatever the shape, the walk ends and lists each task once.
    void hostileDataShowsEveryTaskOnce()
    {
        QRandomGenerator random(1108);
        for (int round = 0; round < 300; ++round) {
            const int count = int(random.bounded(1, 60));
            const int pool = int(random.bounded(1, count + 2));
            QList<Task> tasks;
            for (int i = 0; i < count; ++i) {
                Task task;
                task.id = QString::number(i);
                task.uid = QStringLiteral("u%1").arg(random.bounded(pool));
                task.title = QString::number(random.bounded(5));
                task.sortOrder = int(random.bounded(3)) - 1;
                const quint32 kind = random.bounded(10);
                if (kind < 7)
                    task.parentTaskUid = QStringLiteral("u%1").arg(random.bounded(pool));
                else if (kind == 7)
                    task.parentTaskUid = task.uid;
                else if (kind == 8)
                    task.parentTaskUid = QStringLiteral("missing");
                if (random.bounded(2))
                    task.status = QStringLiteral("completed");
                tasks.append(task);
            }
            const QList<TreeTask> rows =
                TaskTree::flatten(tasks, TaskTree::withManualSortOrder(byTitle));
            verifyTree(tasks, rows);
            if (QTest::currentTestFailed())
                return;
            QSet<QString> completedUids;
            for (const Task& task : tasks) {
                if (task.isCompleted())
                    completedUids.insert(task.uid);
            }
            QVERIFY(completedUids.contains(TaskTree::completedKeptByActiveTree(tasks)));
        }
    }
};

QTEST_GUILESS_MAIN(TestTaskTree)
#include "tst_tasktree.moc"
