#include "Account.h"
#include "CalendarView.h"
#include "Clock.h"
#include "Event.h"
#include "EventTemplate.h"
#include "FilterRule.h"
#include "PinnedClock.h"
#include "Task.h"

#include <QTest>
#include <QTimeZone>

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsThatDifferFromZero()
    {
        const Event event;
        QVERIFY(!event.startTime.isValid());
        QVERIFY(!event.endTime.has_value());
        QCOMPARE(event.timezone, QStringLiteral("UTC"));
        QCOMPARE(event.status, QStringLiteral("confirmed"));
        QCOMPARE(event.syncStatus, QStringLiteral("synced"));
        QVERIFY(event.color.isEmpty());

        const Task task;
        QVERIFY(task.dueIsDateOnly && task.startIsDateOnly);
        QVERIFY(!task.dueDate && !task.startDate);
        QCOMPARE(task.repeatMode, QStringLiteral("fromDueDate"));

        QCOMPARE(FilterRule().priority, 100);
        QCOMPARE(FilterRule().syncStatus, QStringLiteral("pending"));
        QCOMPARE(CalendarView().syncStatus, QStringLiteral("pending"));
        QCOMPARE(EventTemplate().durationMinutes, 60);
        QVERIFY(EventTemplate().reminders.isEmpty());
        QCOMPARE(Account().syncIntervalMinutes, 15);
    }

    void pinnedClockIsSeenEverywhereAndResets()
    {
        const QDateTime instant(QDate(2024, 3, 31), QTime(0, 30), Qt::UTC);
        {
            PinnedClock pinned(instant.toTimeZone(QTimeZone("Asia/Tokyo")));
            QCOMPARE(Clock::now(), instant);
            QCOMPARE(Clock::now().timeSpec(), Qt::UTC);
            QCOMPARE(Clock::today(), instant.toLocalTime().date());
        }
        QVERIFY(Clock::now() != instant);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
