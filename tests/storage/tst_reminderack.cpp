#include "ReminderAck.h"

#include <QTest>
#include <QTimeZone>

namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

// A wall-clock time of March 2025 on the machine's clock.
QDateTime local(int day, int hour, int minute)
{
    return QDateTime(QDate(2025, 3, day), QTime(hour, minute), QTimeZone::systemTimeZone());
}

} // namespace

class TestReminderAck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The event starts at `start` and holds one reminder, 15 minutes before (with `id`,
    // `acknowledged` and `ownTrigger`), and, when `otherId` is set, a second one of that id.
    // The store holds row "r1", 15 minutes, acknowledged, triggered at `storedTrigger`.
    void acknowledgementFollowsTheTrigger_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<QDateTime>("ownTrigger");
        QTest::addColumn<QString>("otherId");
        QTest::addColumn<QDateTime>("storedTrigger");
        QTest::addColumn<QString>("expectedId");
        QTest::addColumn<bool>("expectedAcknowledged");
        const QDateTime start = at("2025-03-01T10:00:00Z");
        const QDateTime trigger = at("2025-03-01T09:45:00Z");
        const QDateTime none;
        QTest::newRow("unchanged")
            << start << "r1" << true << none << "" << trigger << "r1" << true;
        QTest::newRow("start moved")
            << start.addSecs(3600) << "r1" << true << none << "" << trigger << "r1" << false;
        QTest::newRow("moved under a second")
            << start.addMSecs(400) << "r1" << true << none << "" << trigger << "r1" << true;
        QTest::newRow("server copy takes the row")
            << start << "" << false << none << "" << trigger << "r1" << true;
        QTest::newRow("server copy of a moved event")
            << start.addDays(1) << "" << false << none << "" << trigger << "r1" << false;
        QTest::newRow("row named by another reminder")
            << start << "" << false << none << "r1" << trigger << "" << false;
        QTest::newRow("own trigger wins over the row")
            << start << "r1" << true << trigger << "" << trigger.addDays(-1) << "r1" << true;
        QTest::newRow("record read before the reminder was shown")
            << start << "r1" << false << trigger << "" << trigger << "r1" << true;
        QTest::newRow("own trigger moved")
            << start << "r1" << true << trigger.addDays(-1) << "" << trigger << "r1" << false;
        QTest::newRow("no start") << QDateTime() << "r1" << true << none << "" << trigger << "r1"
                                  << false;
        QTest::newRow("no trigger known")
            << start << "r1" << true << none << "" << none << "r1" << true;
        QTest::newRow("new reminder")
            << start << "r9" << false << none << "" << trigger << "r9" << false;
    }

    void acknowledgementFollowsTheTrigger()
    {
        QFETCH(QDateTime, start);
        QFETCH(QString, id);
        QFETCH(bool, acknowledged);
        QFETCH(QDateTime, ownTrigger);
        QFETCH(QString, otherId);
        QFETCH(QDateTime, storedTrigger);
        QFETCH(QString, expectedId);
        QFETCH(bool, expectedAcknowledged);
        Event event;
        event.startTime = start;
        Reminder reminder;
        reminder.id = id;
        reminder.minutesBefore = 15;
        reminder.acknowledged = acknowledged;
        if (ownTrigger.isValid())
            reminder.triggerTime = ownTrigger;
        event.reminders = {reminder};
        if (!otherId.isEmpty()) {
            Reminder other;
            other.id = otherId;
            other.minutesBefore = 30;
            event.reminders.append(other);
        }
        const QList<ReminderAck::Outcome> outcomes = ReminderAck::decide(
            event, {{QStringLiteral("r1"), 15, storedTrigger, true}}, QTimeZone::systemTimeZone());
        QCOMPARE(outcomes.size(), event.reminders.size());
        QCOMPARE(outcomes.first().id, expectedId);
        QCOMPARE(outcomes.first().acknowledged, expectedAcknowledged);
        QCOMPARE(outcomes.first().trigger, start.isValid() ? start.addSecs(-900) : QDateTime());
    }

    // A series' row is a cursor: the trigger of its next occurrence not yet reminded (or, when
    // acknowledged, of its last one). The store holds row "r1", 10 minutes, at `storedTrigger`;
    // the rewritten series (a daily one from Mar 1, as `rule`, `start` and `exceptions` say)
    // carries one reminder of `minutes`, either a server's copy (no id, no trigger) or the
    // record loaded here (id "r1" and the stored trigger). An undo writes that record after the
    // series was moved (an hour, or an all-day one a day, later); a redo moves it again after
    // an undo that came once the moved occurrence on the stored cursor's day was reminded.
    void seriesRowKeepsItsPlace_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QDateTime>("storedTrigger");
        QTest::addColumn<bool>("storedAcknowledged");
        QTest::addColumn<QDateTime>("expectedTrigger");
        QTest::addColumn<bool>("expectedAcknowledged");
        const QString daily = QStringLiteral("FREQ=DAILY");
        const QDateTime start = at("2025-03-01T09:00:00Z"); // 10:00 in Berlin
        const QDateTime cursor = at("2025-03-05T08:50:00Z");
        const QDateTime first = at("2025-03-01T08:50:00Z");
        // clang-format off
        QTest::newRow("renamed by another client")
            << daily << start << false << "" << 10 << "copy" << cursor << false << cursor << false;
        QTest::newRow("renamed here")
            << daily << start << false << "" << 10 << "loaded" << cursor << false << cursor << false;
        QTest::newRow("first start a day later, same time")
            << daily << start.addDays(1) << false << "" << 10 << "copy" << cursor << false << cursor
            << false;
        QTest::newRow("start an hour later")
            << daily << start.addSecs(3600) << false << "" << 10 << "copy" << cursor << false
            << first.addSecs(3600) << false;
        QTest::newRow("offset changed here")
            << daily << start << false << "" << 15 << "loaded" << cursor << false
            << first.addSecs(-300) << false;
        QTest::newRow("offset changed by another client")
            << daily << start << false << "" << 15 << "copy" << cursor << false
            << first.addSecs(-300) << false;
        QTest::newRow("its next occurrence removed")
            << daily << start << false << R"(["20250305T090000Z"])" << 10 << "copy" << cursor
            << false << cursor << false;
        QTest::newRow("ended before its next occurrence")
            << daily + ";UNTIL=20250303T090000Z" << start << false << "" << 10 << "copy" << cursor
            << false << cursor << false;
        QTest::newRow("done and unchanged")
            << daily + ";COUNT=5" << start << false << "" << 10 << "copy" << cursor << true
            << cursor << true;
        QTest::newRow("done, then extended")
            << daily + ";COUNT=7" << start << false << "" << 10 << "copy" << cursor << true
            << cursor.addDays(1) << false;
        QTest::newRow("all-day, renamed")
            << daily << at("2025-03-01T00:00:00Z") << true << "" << 10 << "copy"
            << local(4, 23, 50) << false << local(4, 23, 50) << false;
        QTest::newRow("all-day, offset changed")
            << daily << at("2025-03-01T00:00:00Z") << true << "" << 15 << "loaded"
            << local(4, 23, 50) << false << local(1, 0, 0).addSecs(-900) << false;
        QTest::newRow("undone to a record read before the cursor moved on")
            << daily << start << false << "" << 10 << "stale" << cursor << false << cursor
            << false;
        QTest::newRow("moved, then undone")
            << daily << start << false << "" << 10 << "undo" << cursor << false << cursor << false;
        QTest::newRow("all-day, moved, then undone")
            << "FREQ=WEEKLY" << at("2025-03-01T00:00:00Z") << true << "" << 10 << "undo"
            << local(7, 23, 50) << false << local(7, 23, 50) << false;
        QTest::newRow("moved, undone, moved again")
            << daily << start << false << "" << 10 << "redo" << cursor << false
            << cursor.addSecs(3600) << false;
        // The cursor at the last occurrence, which the move takes past the series' end.
        QTest::newRow("last one moved, reminded, then undone")
            << daily + ";COUNT=5" << start << false << "" << 10 << "polled" << cursor << false
            << cursor << false;
        // clang-format on
    }

    void seriesRowKeepsItsPlace()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, start);
        QFETCH(bool, allDay);
        QFETCH(QString, exceptions);
        QFETCH(int, minutes);
        QFETCH(QString, record);
        QFETCH(QDateTime, storedTrigger);
        QFETCH(bool, storedAcknowledged);
        QFETCH(QDateTime, expectedTrigger);
        QFETCH(bool, expectedAcknowledged);
        Event event;
        event.id = QStringLiteral("series");
        event.recurrenceRule = rule;
        event.startTime = start;
        event.endTime = start.addSecs(allDay ? 86400 : 3600);
        event.isAllDay = allDay;
        event.timezone = allDay ? QStringLiteral("UTC") : QStringLiteral("Europe/Berlin");
        event.exceptionDates = exceptions;
        Reminder reminder;
        reminder.minutesBefore = minutes;
        const bool loaded = record != u"copy";
        if (loaded) {
            reminder.id = QStringLiteral("r1");
            reminder.acknowledged = storedAcknowledged;
            reminder.triggerTime = record == u"stale" ? storedTrigger.addDays(-1) : storedTrigger;
        }
        event.reminders = {reminder};
        const QTimeZone zone = QTimeZone::systemTimeZone();
        ReminderAck::StoredReminder row{QStringLiteral("r1"), 10, storedTrigger,
                                        storedAcknowledged};
        Event moved = event;
        moved.startTime = start.addSecs(allDay ? 86400 : 3600);
        moved.endTime = event.endTime->addSecs(start.secsTo(moved.startTime));
        const auto write = [&](const Event& series) {
            const ReminderAck::Outcome next = ReminderAck::decide(series, {row}, zone).first();
            row = {row.id, 10, next.trigger, next.acknowledged, next.date, next.setBackFrom};
        };
        if (record == u"undo" || record == u"redo" || record == u"polled") {
            write(moved);
            QVERIFY(row.trigger < storedTrigger); // set back
        }
        if (record == u"redo" || record == u"polled") {
            row.trigger = storedTrigger.addSecs(3600); // as the poll moves it on
            row.acknowledged = record == u"polled";    // ... and past the series' last
            write(event);
            QCOMPARE(row.trigger.toUTC(), storedTrigger.toUTC()); // resumed
            if (record == u"redo")
                event = moved;
        }
        const QList<ReminderAck::Outcome> outcomes = ReminderAck::decide(event, {row}, zone);
        QCOMPARE(outcomes.size(), 1);
        QCOMPARE(outcomes.first().trigger.toUTC(), expectedTrigger.toUTC());
        QCOMPARE(outcomes.first().acknowledged, expectedAcknowledged);
        QCOMPARE(outcomes.first().id, loaded || minutes == 10 ? QStringLiteral("r1") : QString());
    }
};

QTEST_GUILESS_MAIN(TestReminderAck)
#include "tst_reminderack.moc"
