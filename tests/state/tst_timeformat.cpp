#include "AppStateFixture.h"
#include "PreferencesRepository.h"
#include "TimeFormatState.h"

#include <QTest>
#include <QTimeZone>

class TestTimeFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsByPreference_data();
    void formatsByPreference();
};

void TestTimeFormat::formatsByPreference_data()
{
    QTest::addColumn<QString>("stored"); // null: no preference row
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected");

    QTest::newRow("default afternoon") << QString() << QTime(13, 5) << "1:05 PM";
    QTest::newRow("default midnight") << QString() << QTime(0, 0) << "12:00 AM";
    QTest::newRow("24-hour leading zero") << "24" << QTime(9, 30) << "09:30";
    QTest::newRow("24-hour midnight") << "24" << QTime(0, 0) << "00:00";
    QTest::newRow("24 with a space is 12-hour") << "24 " << QTime(13, 5) << "1:05 PM";
}

void TestTimeFormat::formatsByPreference()
{
    QFETCH(QString, stored);
    QFETCH(QTime, time);
    QFETCH(QString, expected);

    // The user's language must not translate the markers.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    if (!stored.isNull())
        state->preferences()->set(QStringLiteral("ui/timeFormat"), stored);

    // Shown in the value's own zone, not converted.
    const QDateTime value(QDate(2026, 3, 11), time, QTimeZone(5 * 3600));
    QCOMPARE(TimeFormat::formatTime(state, value), expected);
    QCOMPARE(TimeFormat::format(value, TimeFormat::timePattern(state)), expected);
    if (stored.isNull())
        QCOMPARE(TimeFormat::formatTime(nullptr, value), expected);
    QVERIFY(TimeFormat::formatTime(state, QDateTime()).isEmpty());
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestTimeFormat)
#include "tst_timeformat.moc"
