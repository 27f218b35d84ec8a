#include "ReminderAck.h"

#include <QTest>

namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
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
        const QList<ReminderAck::Outcome> outcomes =
            ReminderAck::decide(event, {{QStringLiteral("r1"), 15, storedTrigger, true}});
        QCOMPARE(outcomes.size(), event.reminders.size());
        QCOMPARE(outcomes.first().id, expectedId);
        QCOMPARE(outcomes.first().acknowledged, expectedAcknowledged);
        QCOMPARE(outcomes.first().trigger, start.isValid() ? start.addSecs(-900) : QDateTime());
    }
};

QTEST_GUILESS_MAIN(TestReminderAck)
#include "tst_reminderack.moc"
