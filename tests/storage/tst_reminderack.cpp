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

    // A series' row reminds next the first occurrence after the one it handled last. The store
    // holds row "r1", 10 minutes, at `storedTrigger`, having last handled `shown` (a start, an
    // all-day date, or none); the rewritten series (from Mar 1, as `rule`, `start` and
    // `exceptions` say) carries one reminder of `minutes`, either a server's copy (no id, no
    // trigger) or the record loaded here (id "r1" and the stored trigger), or that record put
    // back without its row ("restored"). An undo writes that record after the series was moved
    // (an hour, or an all-day one a day, later); a redo moves it again after an undo that came
    // once the moved occurrence before the stored cursor's day was reminded; "polled": the moved
    // series' last one was reminded too before the undo.
    void seriesRowKeepsItsPlace_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QDateTime>("storedTrigger");
        QTest::addColumn<bool>("storedAcknowledged");
        QTest::addColumn<QDateTime>("expectedTrigger");
        QTest::addColumn<bool>("expectedAcknowledged");
        const QString daily = QStringLiteral("FREQ=DAILY");
        const QDateTime start = at("2025-03-01T09:00:00Z"); // 10:00 in Berlin
        const QDateTime cursor = at("2025-03-05T08:50:00Z");
        const QDateTime first = at("2025-03-01T08:50:00Z");
        const QVariant before = at("2025-03-04T09:00:00Z"); // the one before the cursor
        const QVariant atCursor = at("2025-03-05T09:00:00Z");
        const QVariant none;
        const QVariant allDayBefore = QDate(2025, 3, 4);
        // clang-format off
        QTest::newRow("renamed by another client")
            << daily << start << false << "" << 10 << "copy" << before << cursor << false << cursor
            << false;
        QTest::newRow("renamed here")
            << daily << start << false << "" << 10 << "loaded" << before << cursor << false
            << cursor << false;
        QTest::newRow("first start a day later, same time")
            << daily << start.addDays(1) << false << "" << 10 << "copy" << before << cursor << false
            << cursor << false;
        // The last one shown, moved after itself, reminds again.
        QTest::newRow("start an hour later")
            << daily << start.addSecs(3600) << false << "" << 10 << "copy" << before << cursor
            << false << cursor.addSecs(-86400 + 3600) << false;
        QTest::newRow("start an hour earlier")
            << daily << start.addSecs(-3600) << false << "" << 10 << "copy" << before << cursor
            << false << cursor.addSecs(-3600) << false;
        QTest::newRow("offset changed here")
            << daily << start << false << "" << 15 << "loaded" << before << cursor << false
            << cursor.addSecs(-300) << false;
        // Another reminder, as far as the copy tells: a row of its own.
        QTest::newRow("offset changed by another client")
            << daily << start << false << "" << 15 << "copy" << before << cursor << false
            << first.addSecs(-300) << false;
        QTest::newRow("its next occurrence removed")
            << daily << start << false << R"(["20250305T090000Z"])" << 10 << "copy" << before
            << cursor << false << cursor.addDays(1) << false;
        QTest::newRow("ended before its next occurrence")
            << daily + ";UNTIL=20250303T090000Z" << start << false << "" << 10 << "copy" << before
            << cursor << false << cursor.addDays(-1) << true;
        QTest::newRow("done and unchanged")
            << daily + ";COUNT=5" << start << false << "" << 10 << "copy" << atCursor << cursor
            << true << cursor << true;
        QTest::newRow("done, its cursor left at the first")
            << daily + ";COUNT=5" << start << false << "" << 10 << "copy" << atCursor << first
            << true << cursor << true;
        QTest::newRow("done, then extended")
            << daily + ";COUNT=7" << start << false << "" << 10 << "copy" << atCursor << cursor
            << true << cursor.addDays(1) << false;
        QTest::newRow("done, stored without its last one")
            << daily + ";COUNT=5" << start << false << "" << 10 << "copy" << none << cursor << true
            << cursor << true;
        QTest::newRow("none shown yet")
            << daily << start << false << "" << 10 << "loaded" << none << first << false << first
            << false;
        QTest::newRow("put back without its row")
            << daily << start << false << "" << 10 << "restored" << none << cursor << false
            << cursor << false;
        QTest::newRow("a weekday added before the cursor")
            << "FREQ=WEEKLY;BYDAY=MO,WE" << at("2025-03-03T09:00:00Z") << false << "" << 10
            << "copy" << QVariant(at("2025-03-03T09:00:00Z")) << at("2025-03-10T08:50:00Z")
            << false << at("2025-03-05T08:50:00Z") << false;
        QTest::newRow("all-day, renamed")
            << daily << at("2025-03-01T00:00:00Z") << true << "" << 10 << "copy" << allDayBefore
            << local(4, 23, 50) << false << local(4, 23, 50) << false;
        QTest::newRow("all-day, offset changed")
            << daily << at("2025-03-01T00:00:00Z") << true << "" << 15 << "loaded" << allDayBefore
            << local(4, 23, 50) << false << local(4, 23, 45) << false;
        // The series changed kind: compared on the machine's clock.
        QTest::newRow("timed now, last shown an all-day date")
            << daily << local(1, 10, 0) << false << "" << 10 << "copy" << allDayBefore
            << local(4, 23, 50) << false << local(4, 9, 50) << false;
        QTest::newRow("all-day now, last shown a timed one")
            << daily << at("2025-03-01T00:00:00Z") << true << "" << 10 << "copy"
            << QVariant(local(4, 10, 0)) << cursor << false << local(4, 23, 50) << false;
        QTest::newRow("undone to a record read before the cursor moved on")
            << daily << start << false << "" << 10 << "stale" << before << cursor << false << cursor
            << false;
        QTest::newRow("moved, then undone")
            << daily << start << false << "" << 10 << "undo" << before << cursor << false << cursor
            << false;
        QTest::newRow("all-day, moved, then undone")
            << "FREQ=WEEKLY" << at("2025-03-01T00:00:00Z") << true << "" << 10 << "undo"
            << QVariant(QDate(2025, 3, 1)) << local(7, 23, 50) << false << local(7, 23, 50)
            << false;
        QTest::newRow("moved, undone, moved again")
            << daily << start << false << "" << 10 << "redo" << before << cursor << false
            << cursor.addSecs(3600) << false;
        // The last one, reminded at its moved time, is not reminded again where it was.
        QTest::newRow("last one moved, reminded, then undone")
            << daily + ";COUNT=5" << start << false << "" << 10 << "polled" << before << cursor
            << false << cursor.addSecs(3600) << true;
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
        QFETCH(QVariant, shown);
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
        if (shown.typeId() == QMetaType::QDate)
            row.lastShown.date = shown.toDate();
        else
            row.lastShown.start = shown.toDateTime();
        Event moved = event;
        moved.startTime = start.addSecs(allDay ? 86400 : 3600);
        moved.endTime = event.endTime->addSecs(start.secsTo(moved.startTime));
        const auto write = [&](const Event& series) {
            const ReminderAck::Outcome next = ReminderAck::decide(series, {row}, zone).first();
            row = {row.id, 10, next.trigger, next.acknowledged, next.date, next.lastShown};
        };
        if (record == u"undo" || record == u"redo" || record == u"polled") {
            write(moved);
            QVERIFY(row.trigger < storedTrigger); // the moved one before it reminds again
        }
        if (record == u"redo" || record == u"polled") {
            // As the poll records the moved ones it showed: up to the one before the cursor's
            // day, or the series' last.
            const QDateTime last = storedTrigger.addSecs(4200);
            row.lastShown.start = record == u"polled" ? last : last.addDays(-1);
            write(event);
            if (record == u"redo") {
                QCOMPARE(row.trigger.toUTC(), storedTrigger.toUTC()); // not reminded yet
                event = moved;
            }
        }
        const QList<ReminderAck::StoredReminder> stored =
            record == u"restored" ? QList<ReminderAck::StoredReminder>{}
                                  : QList<ReminderAck::StoredReminder>{row};
        const QList<ReminderAck::Outcome> outcomes = ReminderAck::decide(event, stored, zone);
        QCOMPARE(outcomes.size(), 1);
        QCOMPARE(outcomes.first().trigger.toUTC(), expectedTrigger.toUTC());
        QCOMPARE(outcomes.first().acknowledged, expectedAcknowledged);
        QCOMPARE(outcomes.first().id, loaded || minutes == 10 ? QStringLiteral("r1") : QString());
    }
};

QTEST_GUILESS_MAIN(TestReminderAck)
#include "tst_reminderack.moc"
