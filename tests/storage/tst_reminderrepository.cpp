#include "EventRepository.h"
#include "ReminderRepository.h"
#include "StoreFixture.h"
#include "StoreTime.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime now(QDate(2025, 3, 1), QTime(10, 0), QTimeZone::utc());
const QTimeZone berlin("Europe/Berlin");

// One event "ev" with one reminder "ev-r" whose row is then set as given.
bool seed(StoreFixture& store, EventRepository& events, const QDateTime& trigger, bool acknowledged,
          bool eventDeleted, bool allDay = false)
{
    Event event = StoreFixture::event("ev", "cal-a", now.addDays(1));
    event.isAllDay = allDay;
    Reminder reminder;
    reminder.minutesBefore = 10;
    event.reminders.append(reminder);
    return events.insert(event) &&
           store.exec(
               QStringLiteral(
                   "UPDATE reminders SET id = 'ev-r', trigger_time = '%1', acknowledged = %2")
                   .arg(StoreTime::toText(trigger))
                   .arg(acknowledged ? 1 : 0)) &&
           (!eventDeleted ||
            store.exec(
                QStringLiteral("UPDATE events SET deleted_at = '%1'").arg(StoreTime::toText(now))));
}

} // namespace

class TestReminderRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dueRows_data()
    {
        QTest::addColumn<int>("triggerMinutes"); // relative to now
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<bool>("eventDeleted");
        QTest::addColumn<bool>("due");
        QTest::addColumn<bool>("allDay");
        QTest::newRow("passed") << -5 << false << false << true << false;
        QTest::newRow("now") << 0 << false << false << true << false;
        QTest::newRow("later") << 1 << false << false << false << false;
        QTest::newRow("acknowledged") << -5 << true << false << false << false;
        QTest::newRow("event deleted") << -5 << false << true << false << false;
        // Due in Berlin (+2 h in summer) while counted in a zone up to 15 hours further west.
        QTest::newRow("all-day, counted further west") << 900 << false << false << true << true;
        QTest::newRow("all-day, further off") << 901 << false << false << false << true;
    }

    void dueRows()
    {
        QFETCH(int, triggerMinutes);
        QFETCH(bool, acknowledged);
        QFETCH(bool, eventDeleted);
        QFETCH(bool, due);
        QFETCH(bool, allDay);
        StoreFixture store;
        QVERIFY(store.isReady());
        EventRepository events(store.database());
        const QDateTime trigger = now.addSecs(triggerMinutes * 60);
        QVERIFY(seed(store, events, trigger, acknowledged, eventDeleted, allDay));

        const std::optional<QList<ReminderRepository::Due>> rows =
            ReminderRepository(store.database()).due(now, berlin, 10);
        QVERIFY(rows);
        QCOMPARE(rows->size(), due ? 1 : 0);
        if (due) {
            QCOMPARE(rows->first().reminderId, QStringLiteral("ev-r"));
            QCOMPARE(rows->first().eventId, QStringLiteral("ev"));
            QCOMPARE(rows->first().minutesBefore, 10);
            QCOMPARE(rows->first().trigger, trigger);
            QCOMPARE(rows->first().triggerDate, allDay ? now.addDays(1).date() : QDate());
        }
        if (allDay) { // a rewrite keeps the date
            QVERIFY(events.update(*events.getById("ev")));
            QCOMPARE(store.strings("SELECT trigger_date FROM reminders"),
                     QStringList{"2025-03-02"});
        }
    }

    // A row is settled only as it was read: one rewritten in between keeps its new trigger. A
    // series' row keeps the occurrence handled last (`shown`, as stored), which the row read
    // held as "2025-02-28T09:00:00Z", unless it handled none.
    void recordSettlesRowsAsRead_data()
    {
        QTest::addColumn<bool>("rewritten");
        QTest::addColumn<bool>("next");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected"); // trigger minutes from now | acknowledged | shown
        const QString kept = QStringLiteral("2025-02-28T09:00:00Z");
        const QString timed = QStringLiteral("2025-03-01T10:05:00Z");
        QTest::newRow("acknowledged") << false << false << timed << "-5|1|" + timed;
        QTest::newRow("next trigger") << false << true << timed << "60|0|" + timed;
        QTest::newRow("next trigger, all-day") << false << true << "2025-03-01"
                                               << "60|0|2025-03-01";
        QTest::newRow("next trigger, none handled") << false << true << ""
                                                    << "60|0|" + kept;
        QTest::newRow("rewritten meanwhile") << true << false << timed << "30|0|" + kept;
        QTest::newRow("rewritten, next trigger") << true << true << timed << "30|0|" + kept;
    }

    void recordSettlesRowsAsRead()
    {
        QFETCH(bool, rewritten);
        QFETCH(bool, next);
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        StoreFixture store;
        QVERIFY(store.isReady());
        EventRepository events(store.database());
        QVERIFY(seed(store, events, now.addSecs(-300), false, false));
        QVERIFY(store.exec("UPDATE reminders SET last_shown = '2025-02-28T09:00:00Z'"));
        ReminderRepository reminders(store.database());
        const std::optional<QList<ReminderRepository::Due>> rows = reminders.due(now, berlin, 10);
        QVERIFY(rows && rows->size() == 1);
        if (rewritten) {
            QVERIFY(store.exec(QStringLiteral("UPDATE reminders SET trigger_time = '%1'")
                                   .arg(StoreTime::toText(now.addSecs(1800)))));
        }
        ReminderRepository::Handled handled{rows->first().reminderId, rows->first().triggerText,
                                            std::nullopt};
        if (next)
            handled = {handled.reminderId, handled.triggerText, now.addSecs(3600),
                       QDate(2025, 3, 2)};
        handled.lastShown = ReminderRepository::readLastShown(shown);
        QVERIFY(reminders.record({handled}));
        QCOMPARE(store.strings("SELECT trigger_date FROM reminders"),
                 QStringList{next && !rewritten ? "2025-03-02" : ""});

        const QStringList row =
            store.strings("SELECT trigger_time, acknowledged, last_shown FROM reminders");
        QCOMPARE(row.size(), 1);
        const QDateTime trigger = StoreTime::parse(row.first().section(u'|', 0, 0));
        QCOMPARE(
            QStringLiteral("%1|%2").arg(now.secsTo(trigger) / 60).arg(row.first().section(u'|', 1)),
            expected);
    }
};

QTEST_GUILESS_MAIN(TestReminderRepository)
#include "tst_reminderrepository.moc"
