#include "AccountRepository.h"
#include "CalendarRemoval.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "StoreFixture.h"
#include "TaskRepository.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

// Removing a calendar or an account takes every row that hangs on it, and only those, in one
// transaction, and the repositories announce it.
class TestCalendarRemoval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removesWhatHangsOnTheTarget_data()
    {
        QTest::addColumn<bool>("account");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("calendarsLeft");
        QTest::addColumn<QStringList>("liveAccounts");
        // The calendar the coalesced change signal names last: the seeding's, unless announced.
        QTest::addColumn<QString>("lastChanged");

        const QStringList all = {"one", "three", "two"};
        QTest::newRow("calendar") << false << "one" << true << QStringList{"three", "two"}
                                  << QStringList{"acc", "other"} << "one";
        QTest::newRow("account") << true << "acc" << true << QStringList{"three"}
                                 << QStringList{"other"} << "two";
        QTest::newRow("unknown calendar")
            << false << "none" << true << all << QStringList{"acc", "other"} << "none";
        QTest::newRow("no calendar id")
            << false << "" << false << all << QStringList{"acc", "other"} << "three";
        QTest::newRow("no account id")
            << true << "" << false << all << QStringList{"acc", "other"} << "three";
    }

    void removesWhatHangsOnTheTarget()
    {
        QFETCH(bool, account);
        QFETCH(QString, id);
        QFETCH(bool, removed);
        QFETCH(QStringList, calendarsLeft);
        QFETCH(QStringList, liveAccounts);
        QFETCH(QString, lastChanged);

        StoreFixture store({"one", "two"});
        QVERIFY(store.isReady());
        QVERIFY(
            store.exec("INSERT INTO accounts (id, name, type) VALUES ('other', 'B', 'caldav')"));
        CalendarRepository calendars(store.database());
        AccountRepository accounts(store.database());
        EventRepository events(store.database());
        TaskRepository tasks(store.database());
        QVERIFY(calendars.insert(StoreFixture::calendar("three", "other")));
        const QDateTime start(QDate(2025, 3, 1), QTime(10, 0), QTimeZone::utc());
        for (const QString calendar : {"one", "two", "three"}) {
            Event event = StoreFixture::event("ev-" + calendar, calendar, start);
            event.reminders.append(Reminder());
            Attendee attendee;
            attendee.email = QStringLiteral("someone@example.org");
            event.attendees.append(attendee);
            QVERIFY(events.insert(event));
            Task task;
            task.id = task.uid = "task-" + calendar;
            task.calendarId = calendar;
            task.created = task.lastModified = start;
            QVERIFY(tasks.insert(task));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO attachments (id, event_id, filename) "
                                              "VALUES ('at-%1', 'ev-%1', 'a.txt')")
                                   .arg(calendar)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO sync_queue (id, operation, entity_type, "
                                              "entity_id, calendar_id, payload) VALUES ('q-%1', "
                                              "'update', 'event', 'ev-%1', '%1', '{}')")
                                   .arg(calendar)));
        }
        QSignalSpy calendarsChanged(&calendars, &CalendarRepository::calendarsChanged);
        QSignalSpy accountsChanged(&accounts, &AccountRepository::accountsChanged);
        QSignalSpy eventsChanged(&events, &EventRepository::eventsChanged);

        CalendarRemoval removal(store.database(), &calendars, &accounts, &events, &tasks);
        QCOMPARE(account ? removal.removeAccount(id) : removal.removeCalendar(id), removed);

        QCOMPARE(store.strings("SELECT id FROM calendars ORDER BY id"), calendarsLeft);
        for (const char* table : {"events", "tasks", "sync_queue"}) {
            QCOMPARE(
                store.strings(
                    QStringLiteral("SELECT calendar_id FROM %1 ORDER BY calendar_id").arg(table)),
                calendarsLeft);
        }
        for (const char* table : {"reminders", "attendees", "attachments"}) {
            QCOMPARE(store.strings(QStringLiteral("SELECT e.calendar_id FROM %1 c LEFT JOIN "
                                                  "events e ON c.event_id = e.id ORDER BY 1")
                                       .arg(table)),
                     calendarsLeft);
        }
        QCOMPARE(store.strings("SELECT id FROM accounts WHERE deleted_at IS NULL ORDER BY id"),
                 liveAccounts);
        QCOMPARE(calendarsChanged.size(), removed ? 1 : 0);
        QCOMPARE(accountsChanged.size(), removed && account ? 1 : 0);
        QVERIFY(eventsChanged.wait());
        QCOMPARE(eventsChanged.last().at(0).toString(), lastChanged);
    }
};

QTEST_GUILESS_MAIN(TestCalendarRemoval)
#include "tst_calendarremoval.moc"
