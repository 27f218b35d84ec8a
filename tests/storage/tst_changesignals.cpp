#include "EventRepository.h"
#include "StoreFixture.h"
#include "TaskRepository.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime start(QDate(2025, 3, 1), QTime(10, 0), QTimeZone::utc());

Task task(const QString& id, const QString& calendarId)
{
    Task task;
    task.id = id;
    task.calendarId = calendarId;
    task.uid = id;
    task.created = task.lastModified = start;
    return task;
}

} // namespace

// Events and tasks announce their changes coalesced: a burst gives one signal, from the event
// loop, carrying the calendar of the last change, right after one naming every calendar of it.
class TestChangeSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void burstGivesOneSignalWithLastCalendar_data()
    {
        QTest::addColumn<bool>("events");
        QTest::newRow("events") << true;
        QTest::newRow("tasks") << false;
    }

    void burstGivesOneSignalWithLastCalendar()
    {
        QFETCH(bool, events);
        StoreFixture store({QStringLiteral("cal-a"), QStringLiteral("cal-b")});
        QVERIFY(store.isReady());
        EventRepository eventRepository(store.database());
        TaskRepository taskRepository(store.database());
        std::unique_ptr<QSignalSpy> changed =
            events ? std::make_unique<QSignalSpy>(&eventRepository, &EventRepository::eventsChanged)
                   : std::make_unique<QSignalSpy>(&taskRepository, &TaskRepository::tasksChanged);
        // Besides, every calendar of the burst once: a move leaves something to send in both.
        std::unique_ptr<QSignalSpy> changedIn =
            events
                ? std::make_unique<QSignalSpy>(&eventRepository, &EventRepository::eventsChangedIn)
                : std::make_unique<QSignalSpy>(&taskRepository, &TaskRepository::tasksChangedIn);
        if (events) {
            QVERIFY(eventRepository.insert(StoreFixture::event("e1", "cal-a", start)));
            QVERIFY(eventRepository.insert(StoreFixture::event("e2", "cal-b", start)));
        } else {
            QVERIFY(taskRepository.insert(task("t1", "cal-a")));
            QVERIFY(taskRepository.insert(task("t2", "cal-b")));
            QVERIFY(taskRepository.setCompleted("t2", true));
        }
        QCOMPARE(changed->size(), 0); // never from inside a mutator
        QVERIFY(changed->wait());
        QTest::qWait(300);
        QCOMPARE(changed->size(), 1);
        QCOMPARE(changed->at(0).at(0).toString(), QStringLiteral("cal-b"));
        QCOMPARE(changedIn->size(), 1);
        QCOMPARE(changedIn->at(0).at(0).toStringList(), (QStringList{"cal-a", "cal-b"}));

        // Recording a push announces the event's calendar; a task's push announces nothing.
        const bool synced = events ? eventRepository.markSynced("e1", "/e1.ics", "\"2\"")
                                   : taskRepository.markSynced("t1", "/t1.ics", "\"2\"");
        QVERIFY(synced);
        QCOMPARE(changed->wait(400), events);
        if (events)
            QCOMPARE(changed->last().at(0).toString(), QStringLiteral("cal-a"));
        const QStringList row = store.strings(
            QStringLiteral("SELECT href || etag || sync_status FROM %1 WHERE id = '%2'")
                .arg(events ? "events" : "tasks", events ? "e1" : "t1"));
        QCOMPARE(row, QStringList{QStringLiteral("/%1.ics\"2\"synced").arg(events ? "e1" : "t1")});

        // A change of a row that is not there announces no calendar.
        if (events)
            QVERIFY(eventRepository.remove("no-such-row"));
        else
            taskRepository.scheduleChanged(QString());
        QVERIFY(changed->wait());
        QCOMPARE(changed->last().at(0).toString(), QString());

        // A push that cannot be recorded says so, and announces nothing.
        const QString table = events ? QStringLiteral("events") : QStringLiteral("tasks");
        QVERIFY(store.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN "
                                          "SELECT RAISE(ABORT, 'refused'); END")
                               .arg(table)));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^%1Repository::markSynced failed: ")
                                                    .arg(events ? "Event" : "Task")));
        const int signalsBefore = int(changed->size());
        QVERIFY(events ? !eventRepository.markSynced("e2", "/e2.ics", "\"3\"")
                       : !taskRepository.markSynced("t2", "/t2.ics", "\"3\""));
        QVERIFY(!changed->wait(400));
        QCOMPARE(changed->size(), signalsBefore);
    }
};

QTEST_GUILESS_MAIN(TestChangeSignals)
#include "tst_changesignals.moc"
