#include "Ical.h"
#include "PinnedClock.h"
#include "StoreFixture.h"
#include "TaskRepository.h"
#include "TestTime.h"

#include <QSignalSpy>
#include <QSqlDriver>
#include <QTest>
#include <QTimeZone>

#include <sqlite3.h>

using TestTime::local;
using TestTime::utc;

namespace {

const QString calendarA = QStringLiteral("cal-a");
const QString calendarB = QStringLiteral("cal-b");

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
        return m_store
            ->strings(QStringLiteral("SELECT %1 FROM tasks WHERE id = '%2'").arg(name, id))
            .value(0, QStringLiteral("<no row>"));
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
        const QStringList before = m_store->strings("SELECT * FROM tasks");
        const std::optional<Task> read = m_tasks->getById(task.id);
        QVERIFY(read);
        QCOMPARE(read->dueDate, task.dueDate);
        QCOMPARE(read->dueDate->timeSpec(), Qt::UTC);
        QCOMPARE(read->categories, task.categories);
        QVERIFY(m_tasks->hardDelete(task.id));
        QVERIFY(m_tasks->insert(*read));
        QCOMPARE(m_store->strings("SELECT * FROM tasks"), before);
        QCOMPARE(m_tasks->getByUid(task.uid, calendarA)->id, task.id);
        QVERIFY(!m_tasks->getByUid(task.uid, calendarB));
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

    // Due or start in the half-open window, which is given in another zone: the store compares
    // instants, not texts of different zones. Undated first, then by due date.
    void rangeIsHalfOpenOverDueOrStart()
    {
        const std::optional<QDateTime> none;
        const QList<
            std::tuple<const char*, QString, std::optional<QDateTime>, std::optional<QDateTime>>>
            rows = {{"due-at-from", calendarA, utc(2024, 5, 1), none},
                    {"due-before-to", calendarB, utc(2024, 5, 7, 23, 59, 59), none},
                    {"due-at-to", calendarA, utc(2024, 5, 8), none},
                    {"start-inside", calendarB, utc(2024, 4, 1), utc(2024, 5, 3)},
                    {"start-only", calendarB, none, utc(2024, 5, 4)},
                    {"start-before-due-after", calendarA, utc(2024, 6, 1), utc(2024, 4, 1)},
                    {"start-at-to", calendarA, none, utc(2024, 5, 8)},
                    {"start-before-to", calendarA, utc(2024, 6, 2), utc(2024, 5, 7, 23, 59, 59)},
                    {"no-dates", calendarA, none, none},
                    {"removed", calendarA, utc(2024, 5, 2), none}};
        for (const auto& [id, calendarId, due, start] : rows) {
            Task task = makeTask(QString::fromLatin1(id), calendarId);
            task.dueDate = due;
            task.startDate = start;
            QVERIFY(m_tasks->insert(task));
        }
        QVERIFY(m_tasks->remove(QStringLiteral("removed")));
        const QTimeZone tokyo("Asia/Tokyo");
        const QDateTime from = utc(2024, 5, 1).toTimeZone(tokyo);
        const QDateTime to = utc(2024, 5, 8).toTimeZone(tokyo);
        QCOMPARE(ids(m_tasks->getInRange(from, to, {})),
                 (QStringList{"start-only", "start-inside", "due-at-from", "due-before-to",
                              "start-before-to"}));
        QCOMPARE(ids(m_tasks->getInRange(from, to, {calendarB, QStringLiteral("other")})),
                 (QStringList{"start-only", "start-inside", "due-before-to"}));
        QCOMPARE(ids(m_tasks->getInRange(from, to, {calendarA})),
                 (QStringList{"due-at-from", "start-before-to"}));

        // More calendars than one statement may bind, where SQLite takes few bound values.
        sqlite3* handle = *static_cast<sqlite3* const*>(m_store->db().driver()->handle().data());
        QVERIFY(handle);
        sqlite3_limit(handle, SQLITE_LIMIT_VARIABLE_NUMBER, 999);
        QStringList manyCalendars;
        for (int i = 0; i < 1500; ++i)
            manyCalendars.append(QStringLiteral("other-%1").arg(i));
        manyCalendars.append(calendarB);
        QCOMPARE(ids(m_tasks->getInRange(from, to, manyCalendars)),
                 (QStringList{"start-only", "start-inside", "due-before-to"}));
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

    // The repeat rules themselves are the core's; here the store carries one out: the row moves
    // on to the next occurrence and its stored body is rebuilt in the same write.
    void completingRepeatingTaskMovesItOn()
    {
        const QDateTime now = local(2024, 5, 20, 14, 30, 15);
        const PinnedClock pinned(now);
        Task task = makeTask(QStringLiteral("t1"));
        task.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3;INTERVAL=2");
        task.dueDate = utc(2024, 5, 10);
        task.dueIsDateOnly = true;
        task.startDate = utc(2024, 5, 9);
        task.startIsDateOnly = true;
        task.percentComplete = 50;
        task.sequence = 4;
        task.syncStatus = QStringLiteral("synced");
        task.description = QStringLiteral("Water, then; feed");
        // What another client stored beyond the record.
        const QString alarm = QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                                             "TRIGGER:-PT2H\r\nEND:VALARM\r\n");
        task.rawIcalendar = "BEGIN:VTODO\r\nUID:" + task.uid + "\r\nX-OTHER-CLIENT:kept\r\n" +
                            alarm + "END:VTODO\r\n";
        QVERIFY(m_tasks->insert(task));

        QVERIFY(m_tasks->setCompleted(task.id, true));
        const Task done = *m_tasks->getById(task.id);
        QCOMPARE(done.dueDate, std::optional(utc(2024, 5, 12)));
        QCOMPARE(done.startDate, std::optional(utc(2024, 5, 9)));
        QCOMPARE(done.recurrenceRule, QStringLiteral("FREQ=DAILY;COUNT=2;INTERVAL=2"));
        QCOMPARE(done.sequence, 5);
        QCOMPARE(done.syncStatus, QStringLiteral("pending"));
        QCOMPARE(done.status, QStringLiteral("needs-action"));
        QVERIFY(!done.completedDate);
        QCOMPARE(done.percentComplete, 0);
        // The texts a status change leaves alone stay in the row and in its iCalendar text.
        QCOMPARE(done.title, task.title);
        QCOMPARE(done.description, task.description);

        const QList<Task> parsed = Ical::parseTasks(done.rawIcalendar);
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed.first().title, done.title);
        QCOMPARE(parsed.first().description, done.description);
        QCOMPARE(parsed.first().dueDate, done.dueDate);
        QCOMPARE(parsed.first().startDate, done.startDate);
        QCOMPARE(parsed.first().status, done.status);
        QCOMPARE(parsed.first().recurrenceRule, done.recurrenceRule);
        QCOMPARE(parsed.first().sequence, done.sequence);
        QVERIFY(done.rawIcalendar.contains("\r\nX-OTHER-CLIENT:kept\r\n" + alarm));
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

    void leavingCompletedClearsTheCompletion_data()
    {
        QTest::addColumn<QString>("status");
        QTest::newRow("in process") << QStringLiteral("in-process");
        QTest::newRow("cancelled") << QStringLiteral("cancelled");
        QTest::newRow("needs action") << QStringLiteral("needs-action");
    }

    void leavingCompletedClearsTheCompletion()
    {
        QFETCH(QString, status);
        Task task = makeTask(QStringLiteral("t1"));
        task.status = QStringLiteral("completed");
        task.completedDate = utc(2024, 5, 10, 7);
        task.percentComplete = 100;
        QVERIFY(m_tasks->insert(task));

        QVERIFY(m_tasks->setStatus(task.id, status));
        const Task read = *m_tasks->getById(task.id);
        QCOMPARE(read.status, status);
        QVERIFY(!read.completedDate);
        QCOMPARE(read.syncStatus, QStringLiteral("pending"));
        // The text a push sends says the same.
        const QList<Task> parsed = Ical::parseTasks(read.rawIcalendar);
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed.first().status, status);
        QVERIFY(!parsed.first().completedDate);
        QVERIFY(!read.rawIcalendar.contains(QLatin1String("\nCOMPLETED:")));
    }

    void removedTaskTakesNoStatusChange()
    {
        Task task = makeTask(QStringLiteral("t1"));
        QVERIFY(m_tasks->insert(task));
        QVERIFY(m_tasks->remove(task.id));
        const Task before = *m_tasks->getById(task.id);

        QVERIFY(!m_tasks->setCompleted(task.id, true));
        QVERIFY(!m_tasks->setStatus(task.id, QStringLiteral("cancelled")));
        QVERIFY(!m_tasks->setStatus(QStringLiteral("missing"), QStringLiteral("cancelled")));
        const Task after = *m_tasks->getById(task.id);
        QCOMPARE(after.status, before.status);
        QCOMPARE(after.sequence, before.sequence);
        QCOMPARE(after.rawIcalendar, before.rawIcalendar);
    }
};

QTEST_GUILESS_MAIN(TestTaskRepository)
#include "tst_taskrepository.moc"
