#include "Database.h"
#include "Ical.h"
#include "PinnedClock.h"
#include "StoreFixture.h"
#include "TaskRepository.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimeZone>

namespace {

const QString calendarA = QStringLiteral("cal-a");
const QString calendarB = QStringLiteral("cal-b");

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

// A wall-clock time in the machine's zone: what the user sees, whatever TZ the test runs in.
QDateTime local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second),
                     QTimeZone::systemTimeZone());
}

Task makeTask(const QString& id, const QString& calendarId = calendarA)
{
    Task task;
    task.id = id;
    task.calendarId = calendarId;
    task.uid = id + QStringLiteral("-uid");
    task.title = QStringLiteral("Task ") + id;
    task.rawIcalendar = QStringLiteral("BEGIN:VTODO\r\nEND:VTODO\r\n");
    task.created = utc(2024, 1, 1, 8);
    task.lastModified = utc(2024, 1, 2, 9);
    return task;
}

QStringList ids(const QList<Task>& tasks)
{
    QStringList result;
    for (const Task& task : tasks)
        result.append(task.id);
    return result;
}

} // namespace

class TestTaskRepository : public QObject
{
    Q_OBJECT

private:
    StoreFixture* m_store = nullptr;
    TaskRepository* m_tasks = nullptr;

    QString column(const QString& id, const QString& name)
    {
        QSqlQuery query(m_store->db());
        query.prepare(QStringLiteral("SELECT %1 FROM tasks WHERE id = ?").arg(name));
        query.addBindValue(id);
        if (!query.exec() || !query.next())
            return QStringLiteral("<no row>");
        return query.value(0).toString();
    }

    QStringList row(const QString& id)
    {
        QSqlQuery query(m_store->db());
        query.prepare(QStringLiteral("SELECT * FROM tasks WHERE id = ?"));
        query.addBindValue(id);
        QStringList values;
        if (query.exec() && query.next()) {
            for (int i = 0; i < query.record().count(); ++i)
                values.append(query.value(i).toString());
        }
        return values;
    }

    void setColumn(const QString& id, const QString& name, const QString& value)
    {
        QSqlQuery query(m_store->db());
        query.prepare(QStringLiteral("UPDATE tasks SET %1 = ? WHERE id = ?").arg(name));
        query.addBindValue(value);
        query.addBindValue(id);
        QVERIFY(query.exec());
    }

private Q_SLOTS:
    void init()
    {
        m_store = new StoreFixture({calendarA, calendarB});
        QVERIFY(m_store->isReady());
        m_tasks = new TaskRepository(m_store->database(), m_store->database());
    }

    void cleanup() { delete m_store; }

    void roundTripKeepsEveryFieldInUtc()
    {
        Task task = makeTask(QStringLiteral("t1"));
        task.etag = QStringLiteral("\"e1\"");
        task.href = QStringLiteral("/cal/t1.ics");
        task.description = QStringLiteral("two\nlines");
        task.status = QStringLiteral("in-process");
        task.priority = 3;
        task.percentComplete = 40;
        task.dueDate = local(2024, 7, 1, 17, 45);
        task.dueIsDateOnly = false;
        task.startDate = utc(2024, 6, 28);
        task.completedDate = utc(2024, 6, 30, 10, 5, 7);
        task.categories = {QStringLiteral("Work"), QStringLiteral("a, \"quoted\" \\ one")};
        task.parentTaskUid = QStringLiteral("parent-uid");
        task.sortOrder = 7;
        task.color = QStringLiteral("#112233");
        task.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
        task.repeatMode = QStringLiteral("fromCompletionDate");
        task.sequence = 2;
        task.syncStatus = QStringLiteral("pending");
        QVERIFY(m_tasks->insert(task));

        // Stored text is UTC whatever zone the value carried, so text order is time order.
        QCOMPARE(column(task.id, QStringLiteral("due_date")),
                 task.dueDate->toUTC().toString(Qt::ISODate));
        QCOMPARE(column(task.id, QStringLiteral("start_date")),
                 QStringLiteral("2024-06-28T00:00:00Z"));

        // Read back and written again, the row is the same in every column.
        const QStringList before = row(task.id);
        const std::optional<Task> read = m_tasks->getById(task.id);
        QVERIFY(read);
        QCOMPARE(read->dueDate, task.dueDate);
        QCOMPARE(read->dueDate->timeSpec(), Qt::UTC);
        QCOMPARE(read->categories, task.categories);
        QVERIFY(m_tasks->hardDelete(task.id));
        QVERIFY(m_tasks->insert(*read));
        QCOMPARE(row(task.id), before);
        QCOMPARE(m_tasks->getByUid(task.uid, calendarA)->id, task.id);
        QVERIFY(!m_tasks->getByUid(task.uid, calendarB));
    }

    void emptyWordsTakeTheirDefaults()
    {
        Task task = makeTask(QStringLiteral("t1"));
        task.syncStatus.clear();
        task.repeatMode.clear();
        QVERIFY(m_tasks->insert(task));
        QCOMPARE(column(task.id, QStringLiteral("sync_status")), QStringLiteral("synced"));
        QCOMPARE(column(task.id, QStringLiteral("repeat_mode")), QStringLiteral("fromDueDate"));

        QVERIFY(m_tasks->update(task));
        QCOMPARE(column(task.id, QStringLiteral("sync_status")), QStringLiteral("pending"));
        QCOMPARE(column(task.id, QStringLiteral("repeat_mode")), QStringLiteral("fromDueDate"));

        setColumn(task.id, QStringLiteral("repeat_mode"), QString(""));
        QCOMPARE(m_tasks->getById(task.id)->repeatMode, QStringLiteral("fromDueDate"));
    }

    void categoriesAsJson_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<bool>("roundTrips");
        QTest::newRow("empty array") << "[]" << QStringList() << true;
        QTest::newRow("empty text") << "" << QStringList() << false;
        QTest::newRow("object") << R"({"a":"b"})" << QStringList() << false;
        QTest::newRow("not json") << "Work, Home" << QStringList() << false;
        QTest::newRow("string and number") << R"(["Work",5])" << QStringList{"Work", ""} << false;
        QTest::newRow("compact") << R"(["Work","Home office","x,y","Büro"])"
                                 << QStringList{"Work", "Home office", "x,y", "Büro"} << true;
        QTest::newRow("escapes") << "[\"say \\\"hi\\\"\",\"c\\\\d\"]"
                                 << QStringList{"say \"hi\"", "c\\d"} << true;
    }

    void categoriesAsJson()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, categories);
        QFETCH(bool, roundTrips);
        Task task = makeTask(QStringLiteral("t1"));
        task.categories = categories;
        QVERIFY(m_tasks->insert(task));
        if (roundTrips)
            QCOMPARE(column(task.id, QStringLiteral("categories")), stored);
        setColumn(task.id, QStringLiteral("categories"), stored);
        QCOMPARE(m_tasks->getById(task.id)->categories, categories);
    }

    void calendarListPutsUndatedTasksLast()
    {
        Task late = makeTask(QStringLiteral("late"));
        late.dueDate = utc(2024, 5, 20);
        Task early = makeTask(QStringLiteral("early"));
        early.dueDate = utc(2024, 5, 1);
        Task undatedSecond = makeTask(QStringLiteral("undated2"));
        undatedSecond.sortOrder = 2;
        Task undatedFirst = makeTask(QStringLiteral("undated1"));
        undatedFirst.sortOrder = 1;
        Task removed = makeTask(QStringLiteral("removed"));
        Task elsewhere = makeTask(QStringLiteral("elsewhere"), calendarB);
        for (const Task& task : {late, undatedSecond, early, undatedFirst, removed, elsewhere})
            QVERIFY(m_tasks->insert(task));
        QVERIFY(m_tasks->remove(removed.id));
        QCOMPARE(ids(m_tasks->getByCalendar(calendarA)),
                 (QStringList{"early", "late", "undated1", "undated2"}));
    }

    void rangeIsHalfOpenOverDueOrStart_data()
    {
        QTest::addColumn<std::optional<QDateTime>>("due");
        QTest::addColumn<std::optional<QDateTime>>("start");
        QTest::addColumn<bool>("returned");
        const std::optional<QDateTime> none;
        QTest::newRow("due at from") << std::optional(utc(2024, 5, 1)) << none << true;
        QTest::newRow("due just before to")
            << std::optional(utc(2024, 5, 7, 23, 59, 59)) << none << true;
        QTest::newRow("due at to") << std::optional(utc(2024, 5, 8)) << none << false;
        QTest::newRow("due before, start inside")
            << std::optional(utc(2024, 4, 1)) << std::optional(utc(2024, 5, 3)) << true;
        QTest::newRow("start before, due after")
            << std::optional(utc(2024, 6, 1)) << std::optional(utc(2024, 4, 1)) << false;
        QTest::newRow("no dates") << none << none << false;
    }

    void rangeIsHalfOpenOverDueOrStart()
    {
        QFETCH(std::optional<QDateTime>, due);
        QFETCH(std::optional<QDateTime>, start);
        QFETCH(bool, returned);
        Task task = makeTask(QStringLiteral("t1"));
        task.dueDate = due;
        task.startDate = start;
        QVERIFY(m_tasks->insert(task));
        // The window is given in another zone: the store compares instants, not texts of
        // different zones.
        const QTimeZone tokyo("Asia/Tokyo");
        const QDateTime from = utc(2024, 5, 1).toTimeZone(tokyo);
        const QDateTime to = utc(2024, 5, 8).toTimeZone(tokyo);
        QCOMPARE(m_tasks->getInRange(from, to, {}).size(), returned ? 1 : 0);
        QCOMPARE(m_tasks->getInRange(from, to, {calendarA}).size(), returned ? 1 : 0);
        QCOMPARE(m_tasks->getInRange(from, to, {calendarB}).size(), 0);
        QVERIFY(m_tasks->remove(task.id));
        QCOMPARE(m_tasks->getInRange(from, to, {}).size(), 0);
    }

    void rangeFiltersByCalendarsAndOrders()
    {
        Task a = makeTask(QStringLiteral("a"), calendarA);
        a.dueDate = utc(2024, 5, 3);
        Task b = makeTask(QStringLiteral("b"), calendarB);
        b.dueDate = utc(2024, 5, 2);
        Task startOnly = makeTask(QStringLiteral("s"), calendarB);
        startOnly.startDate = utc(2024, 5, 4);
        for (const Task& task : {a, b, startOnly})
            QVERIFY(m_tasks->insert(task));
        const QDateTime from = utc(2024, 5, 1);
        const QDateTime to = utc(2024, 6, 1);
        QCOMPARE(ids(m_tasks->getInRange(from, to, {})), (QStringList{"s", "b", "a"}));
        QCOMPARE(ids(m_tasks->getInRange(from, to, {calendarB, QStringLiteral("other")})),
                 (QStringList{"s", "b"}));
    }

    void removeLeavesPendingTombstone()
    {
        const PinnedClock pinned(utc(2024, 5, 20, 12));
        QVERIFY(m_tasks->insert(makeTask(QStringLiteral("t1"))));
        QVERIFY(
            m_tasks->markSynced(QStringLiteral("t1"), QStringLiteral("/h"), QStringLiteral("e")));
        QVERIFY(m_tasks->getPending(calendarA).isEmpty());
        QVERIFY(m_tasks->remove(QStringLiteral("t1")));
        const std::optional<Task> tombstone = m_tasks->getById(QStringLiteral("t1"));
        QVERIFY(tombstone);
        QCOMPARE(tombstone->deletedAt, std::optional(utc(2024, 5, 20, 12)));
        QCOMPARE(tombstone->lastModified, utc(2024, 5, 20, 12));
        QCOMPARE(ids(m_tasks->getPending(calendarA)), QStringList{"t1"});
        QVERIFY(m_tasks->getByCalendar(calendarA).isEmpty());
        QVERIFY(m_tasks->hardDelete(QStringLiteral("t1")));
        QVERIFY(!m_tasks->getById(QStringLiteral("t1")));
    }

    void changesAreCoalescedAndMarkSyncedIsSilent()
    {
        QSignalSpy changed(m_tasks, &TaskRepository::tasksChanged);
        QVERIFY(m_tasks->insert(makeTask(QStringLiteral("t1"), calendarA)));
        QVERIFY(m_tasks->insert(makeTask(QStringLiteral("t2"), calendarB)));
        QVERIFY(m_tasks->setCompleted(QStringLiteral("t2"), true));
        QCOMPARE(changed.size(), 0); // never from inside a mutator
        QVERIFY(changed.wait());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), calendarB);

        QVERIFY(m_tasks->markSynced(QStringLiteral("t1"), QStringLiteral("/t1.ics"),
                                    QStringLiteral("\"2\"")));
        QVERIFY(!m_tasks->setCompleted(QStringLiteral("missing"), true));
        QVERIFY(!changed.wait(400));
        const std::optional<Task> synced = m_tasks->getById(QStringLiteral("t1"));
        QCOMPARE(synced->syncStatus, QStringLiteral("synced"));
        QCOMPARE(synced->etag, QStringLiteral("\"2\""));
        QCOMPARE(synced->href, QStringLiteral("/t1.ics"));

        m_tasks->scheduleChanged(QString());
        QVERIFY(changed.wait());
        QCOMPARE(changed.last().at(0).toString(), QString());
    }

    void completingRepeatingTask_data()
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

        QTest::newRow("from due date, completed late")
            << weekly << fromDue << std::optional(utc(2024, 5, 10)) << true << none << true << may20
            << true << std::optional(utc(2024, 5, 17)) << none << weekly;
        QTest::newRow("from completion, date only")
            << weekly << fromCompletion << std::optional(utc(2024, 5, 10)) << true << none << true
            << may20 << true << std::optional(utc(2024, 5, 27)) << none << weekly;
        QTest::newRow("from completion, timed")
            << weekly << fromCompletion << std::optional(local(2024, 5, 10, 9, 0)) << false << none
            << true << may20 << true << std::optional(local(2024, 5, 27, 14, 30, 15)) << none
            << weekly;
        QTest::newRow("timed keeps wall clock over US DST change")
            << weekly << fromDue << std::optional(local(2024, 3, 8, 9, 0)) << false << none << true
            << may20 << true << std::optional(local(2024, 3, 15, 9, 0)) << none << weekly;
        QTest::newRow("timed keeps wall clock over EU DST change")
            << weekly << fromDue << std::optional(local(2024, 3, 28, 9, 0)) << false << none << true
            << may20 << true << std::optional(local(2024, 4, 4, 9, 0)) << none << weekly;
        QTest::newRow("completion time kept over DST change")
            << QStringLiteral("FREQ=DAILY;INTERVAL=3") << fromCompletion << none << true
            << std::optional(utc(2024, 3, 1)) << false << local(2024, 3, 8, 18, 0) << true << none
            << std::optional(local(2024, 3, 11, 18, 0)) << QStringLiteral("FREQ=DAILY;INTERVAL=3");
        QTest::newRow("date only stays on its date over DST change")
            << weekly << fromDue << std::optional(utc(2024, 3, 29)) << true << none << true << may20
            << true << std::optional(utc(2024, 4, 5)) << none << weekly;
        QTest::newRow("only start moves, keeping its time")
            << QStringLiteral("FREQ=DAILY") << fromDue << none << true
            << std::optional(local(2024, 5, 10, 8, 15)) << false << may20 << true << none
            << std::optional(local(2024, 5, 11, 8, 15)) << QStringLiteral("FREQ=DAILY");
        QTest::newRow("due moves, start stays")
            << QStringLiteral("FREQ=MONTHLY") << fromDue << std::optional(utc(2024, 1, 25)) << true
            << std::optional(utc(2024, 1, 20)) << true << may20 << true
            << std::optional(utc(2024, 2, 25)) << std::optional(utc(2024, 1, 20))
            << QStringLiteral("FREQ=MONTHLY");
        QTest::newRow("count counts down")
            << QStringLiteral("FREQ=DAILY;COUNT=3;INTERVAL=2") << fromDue
            << std::optional(utc(2024, 5, 10)) << true << none << true << may20 << true
            << std::optional(utc(2024, 5, 12)) << none
            << QStringLiteral("FREQ=DAILY;COUNT=2;INTERVAL=2");
        QTest::newRow("last of count completes")
            << QStringLiteral("FREQ=DAILY;count=1") << fromDue << std::optional(utc(2024, 5, 10))
            << true << none << true << may20 << false << std::optional(utc(2024, 5, 10)) << none
            << QStringLiteral("FREQ=DAILY;count=1");
        QTest::newRow("until passed completes")
            << QStringLiteral("FREQ=WEEKLY;UNTIL=20240515T000000Z") << fromDue
            << std::optional(utc(2024, 5, 10)) << true << none << true << may20 << false
            << std::optional(utc(2024, 5, 10)) << none
            << QStringLiteral("FREQ=WEEKLY;UNTIL=20240515T000000Z");
        QTest::newRow("no dates, from due date")
            << weekly << fromDue << none << true << none << true << may20 << false << none << none
            << weekly;
        QTest::newRow("no dates, from completion")
            << weekly << fromCompletion << none << true << none << true << may20 << false << none
            << none << weekly;
    }

    void completingRepeatingTask()
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

        const PinnedClock pinned(now);
        Task task = makeTask(QStringLiteral("t1"));
        task.recurrenceRule = rule;
        task.repeatMode = mode;
        task.dueDate = due;
        task.dueIsDateOnly = dueDateOnly;
        task.startDate = start;
        task.startIsDateOnly = startDateOnly;
        task.percentComplete = 50;
        task.sequence = 4;
        task.syncStatus = QStringLiteral("synced");
        QVERIFY(m_tasks->insert(task));

        QVERIFY(m_tasks->setCompleted(task.id, true));
        const Task done = *m_tasks->getById(task.id);
        QCOMPARE(done.dueDate, nextDue);
        QCOMPARE(done.startDate, nextStart);
        QCOMPARE(done.recurrenceRule, nextRule);
        QCOMPARE(done.sequence, 5);
        QCOMPARE(done.syncStatus, QStringLiteral("pending"));
        if (movesOn) {
            QCOMPARE(done.status, QStringLiteral("needs-action"));
            QVERIFY(!done.completedDate);
            QCOMPARE(done.percentComplete, 0);
        } else {
            QCOMPARE(done.status, QStringLiteral("completed"));
            QCOMPARE(done.completedDate, std::optional(now.toUTC()));
            QCOMPARE(done.percentComplete, 100);
        }

        // The stored body was rebuilt in the same write and says the same as the row.
        const QList<Task> parsed = Ical::parseTasks(done.rawIcalendar);
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed.first().dueDate, done.dueDate);
        QCOMPARE(parsed.first().startDate, done.startDate);
        QCOMPARE(parsed.first().status, done.status);
        QCOMPARE(parsed.first().recurrenceRule, done.recurrenceRule);
        QCOMPARE(parsed.first().sequence, done.sequence);
    }

    void countEndsTheSeries()
    {
        const PinnedClock pinned(utc(2024, 5, 20, 12));
        Task task = makeTask(QStringLiteral("t1"));
        task.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=3");
        task.dueDate = utc(2024, 5, 6);
        QVERIFY(m_tasks->insert(task));
        QStringList statuses;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(m_tasks->setCompleted(task.id, true));
            statuses.append(m_tasks->getById(task.id)->status);
        }
        QCOMPARE(statuses, (QStringList{"needs-action", "needs-action", "completed"}));
        const Task done = *m_tasks->getById(task.id);
        QCOMPARE(done.dueDate, std::optional(utc(2024, 5, 20)));
        QCOMPARE(done.recurrenceRule, QStringLiteral("FREQ=WEEKLY;COUNT=1"));
    }

    void completingAgainRenewsAndReopeningKeepsDates()
    {
        Task task = makeTask(QStringLiteral("t1"));
        task.recurrenceRule = QStringLiteral("FREQ=DAILY");
        task.dueDate = utc(2024, 5, 10);
        task.status = QStringLiteral("completed");
        task.completedDate = utc(2024, 5, 10, 7);
        QVERIFY(m_tasks->insert(task));
        {
            const PinnedClock pinned(utc(2024, 5, 11, 9));
            QVERIFY(m_tasks->setCompleted(task.id, true));
        }
        Task read = *m_tasks->getById(task.id);
        QCOMPARE(read.status, QStringLiteral("completed"));
        QCOMPARE(read.completedDate, std::optional(utc(2024, 5, 11, 9)));
        QCOMPARE(read.dueDate, task.dueDate);
        QCOMPARE(read.sequence, 1);

        QVERIFY(m_tasks->setCompleted(task.id, false));
        read = *m_tasks->getById(task.id);
        QCOMPARE(read.status, QStringLiteral("needs-action"));
        QVERIFY(!read.completedDate);
        QCOMPARE(read.percentComplete, 0);
        QCOMPARE(read.dueDate, task.dueDate);
        QCOMPARE(read.sequence, 2);
    }
};

QTEST_GUILESS_MAIN(TestTaskRepository)
#include "tst_taskrepository.moc"
