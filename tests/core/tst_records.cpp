#include "Clock.h"
#include "PinnedClock.h"

#include <QTest>
#include <QTimeZone>

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
