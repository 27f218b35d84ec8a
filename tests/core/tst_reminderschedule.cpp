#include "ReminderAck.h"
#include "ReminderSchedule.h"

#include <QTest>
#include <QTimeZone>

class TestReminderSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An all-day event from Thursday Mar 12, 2026 with a 15-minute reminder is stored on a
    // machine in zones[0]; a pass there shows its first reminder in zones[1] (when set); it is
    // rewritten in zones[2] (when set): a sync's copy, or as `record` says renamed here, or its
    // row read as stored before its date was kept. Run in zones[3], the reminder of the
    // occurrence `week` weeks on comes at 23:45 the evening before, once, or not at all when
    // shown already; never missed before.
    void allDayReminderAcrossZones_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QStringList>("zones");
        QTest::addColumn<int>("week");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("record");
        const QString ny = QStringLiteral("America/New_York");
        const QString berlin = QStringLiteral("Europe/Berlin");
        const QString weekly = QStringLiteral("FREQ=WEEKLY");
        QTest::newRow("stored in New York, run in Berlin")
            << "" << QStringList{ny, "", "", berlin} << 0 << true << "copy";
        QTest::newRow("weekly, stored in New York, run in Berlin")
            << weekly << QStringList{ny, "", "", berlin} << 0 << true << "copy";
        QTest::newRow("shown in Berlin, rewritten in New York")
            << "" << QStringList{berlin, berlin, ny, ny} << 0 << false << "copy";
        QTest::newRow("weekly, shown in Berlin, rewritten in New York")
            << weekly << QStringList{berlin, berlin, ny, ny} << 0 << false << "copy";
        QTest::newRow("weekly, cursor moved on in New York, run in Berlin")
            << weekly << QStringList{ny, ny, "", berlin} << 1 << true << "copy";
        QTest::newRow("weekly, cursor stored without its date, run in Berlin")
            << weekly << QStringList{ny, ny, "", berlin} << 1 << true << "undated";
        // From UTC-12 to UTC+14: 10 to 14 hours off UTC two zones can name different dates for
        // one trigger, which only the date stored with it tells apart.
        const QStringList zones = {"Etc/GMT+12",        "Pacific/Honolulu", "America/Los_Angeles",
                                   "Europe/Berlin",     "Asia/Tokyo",       "Pacific/Auckland",
                                   "Pacific/Kiritimati"};
        for (const QString& from : zones) {
            for (const QString& to : zones) {
                if (from == to)
                    continue;
                const QByteArray pair = (from + " to " + to).toUtf8();
                QTest::addRow("shown, renamed here, %s", pair.constData())
                    << "" << QStringList{from, from, to, to} << 0 << false << "loaded";
                QTest::addRow("shown, synced, %s", pair.constData())
                    << "" << QStringList{from, from, to, to} << 0 << false << "copy";
                QTest::addRow("weekly, shown, synced, %s", pair.constData())
                    << weekly << QStringList{from, from, to, to} << 0 << false << "copy";
                QTest::addRow("weekly, cursor moved on, %s", pair.constData())
                    << weekly << QStringList{from, from, "", to} << 1 << true << "copy";
            }
        }
    }

    void allDayReminderAcrossZones()
    {
        QFETCH(QString, rule);
        QFETCH(QStringList, zones);
        QFETCH(int, week);
        QFETCH(bool, shown);
        QFETCH(QString, record);
        const auto zone = [&zones](int i) { return QTimeZone(zones.at(i).toUtf8()); };
        const QDate first(2026, 3, 12);
        Event event;
        event.isAllDay = true;
        event.startTime = QDateTime(first, QTime(0, 0), QTimeZone::utc());
        event.endTime = event.startTime.addDays(1);
        event.recurrenceRule = rule;
        event.reminders = {Reminder()};
        event.reminders[0].minutesBefore = 15;
        ReminderAck::Outcome row = ReminderAck::decide(event, {}, zone(0)).first();
        // A pass at 23:45 before `date` in zone `i`, plus `seconds`, recorded as the poll does: the
        // occurrence it handled last is kept, the one kept before when it handled none.
        const auto pass = [&](const QDate& date, int seconds, int i) {
            const QDateTime now =
                QDateTime(date.addDays(-1), QTime(23, 45), zone(i)).addSecs(seconds);
            const ReminderSchedule::Decision decision =
                ReminderSchedule::decide(event, {}, 15, row.trigger, row.date, now, zone(i));
            if (decision.nextTrigger) {
                row.trigger = *decision.nextTrigger;
                row.date = decision.nextDate;
            }
            row.acknowledged = !decision.nextTrigger;
            if (decision.handled.isValid())
                row.lastShown = decision.handled;
            return decision;
        };
        if (!zones.at(1).isEmpty())
            QCOMPARE(pass(first, 0, 1).show.size(), 1);
        if (record == u"undated")
            row.date = QDate();
        if (!zones.at(2).isEmpty()) {
            if (record == u"loaded") {
                event.reminders[0].id = QStringLiteral("r1");
                event.reminders[0].acknowledged = row.acknowledged;
                event.reminders[0].triggerTime = row.trigger;
            }
            row = ReminderAck::decide(
                      event, {{"r1", 15, row.trigger, row.acknowledged, row.date, row.lastShown}},
                      zone(2))
                      .first();
        }

        const QDate date = first.addDays(7 * week);
        int shownThen = 0;
        for (int seconds : {-86400, -60, 0, 60}) {
            if (row.acknowledged)
                break;
            const ReminderSchedule::Decision decision = pass(date, seconds, 3);
            QCOMPARE(decision.missed, 0);
            for (const Event& occurrence : decision.show) {
                QVERIFY(seconds >= 0 && occurrence.startTime.toUTC().date() == date);
                ++shownThen;
            }
        }
        QCOMPARE(shownThen, shown ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestReminderSchedule)
#include "tst_reminderschedule.moc"
