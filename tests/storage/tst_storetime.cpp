#include "StoreTime.h"

#include <QTest>
#include <QTimeZone>

class TestStoreTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesStoredTimeForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<int>("offset");
        const QDateTime instant(QDate(2025, 3, 1), QTime(8, 30), QTimeZone::utc());
        QTest::newRow("utc") << "2025-03-01T08:30:00Z" << instant << 0;
        QTest::newRow("offset") << "2025-03-01T10:30:00+02:00" << instant << 7200;
        QTest::newRow("negative offset") << "2025-03-01T03:30:00-05:00" << instant << -18000;
        QTest::newRow("zone-less with blank") << "2025-03-01 08:30:00" << instant << 0;
        QTest::newRow("zone-less with T") << "2025-03-01T08:30:00" << instant << 0;
        QTest::newRow("milliseconds") << "2025-03-01T08:30:00.250Z" << instant.addMSecs(250) << 0;
        QTest::newRow("no seconds") << "2025-03-01T08:30Z" << instant << 0;
        QTest::newRow("date only") << "2025-03-01" << instant.addSecs(-8 * 3600 - 1800) << 0;
        QTest::newRow("empty") << "" << QDateTime() << 0;
        QTest::newRow("garbage") << "not a time" << QDateTime() << 0;
        QTest::newRow("bad month") << "2025-13-01T08:30:00Z" << QDateTime() << 0;
        QTest::newRow("bad hour") << "2025-03-01T25:30:00Z" << QDateTime() << 0;
    }

    void parsesStoredTimeForms()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        QFETCH(int, offset);
        const QDateTime parsed = StoreTime::parse(text);
        QCOMPARE(parsed, expected);
        if (parsed.isValid())
            QCOMPARE(parsed.offsetFromUtc(), offset);
        QCOMPARE(StoreTime::readOptional(text).has_value(), !text.isEmpty());
    }

    void writesUtcInWholeSeconds()
    {
        const QDateTime berlin(QDate(2025, 7, 1), QTime(0, 15, 30, 999),
                               QTimeZone("Europe/Berlin"));
        QCOMPARE(StoreTime::toText(berlin), QStringLiteral("2025-06-30T22:15:30Z"));
        QVERIFY(StoreTime::toText(QDateTime()).isNull());
        QVERIFY(StoreTime::bindValue(std::optional<QDateTime>()).isNull());
        QCOMPARE(StoreTime::parse(StoreTime::toText(berlin)), berlin.addMSecs(-999));
    }
};

QTEST_GUILESS_MAIN(TestStoreTime)
#include "tst_storetime.moc"
