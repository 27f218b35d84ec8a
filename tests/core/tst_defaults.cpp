#include "Defaults.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QVersionNumber>

class TestDefaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The update check compares versions as dotted numbers; a build that names no version, or
    // one with a suffix, would make every release look newer or older.
    void versionIsThreeDottedNumbers()
    {
        const QString version = Defaults::version();
        qsizetype parsed = 0;
        const QVersionNumber number = QVersionNumber::fromString(version, &parsed);
        QCOMPARE(parsed, version.size());
        QCOMPARE(number.segmentCount(), 3);
    }

    // A calendar row written without a colour takes the column default; it must be the colour
    // the program draws for "none", or the same calendar changes colour once it is stored.
    void storeColumnDefaultIsTheItemColour()
    {
        QVERIFY(QRegularExpression(QStringLiteral("^#[0-9A-F]{6}$"))
                    .match(QString(Defaults::itemColour))
                    .hasMatch());
        QFile migration(QStringLiteral(FIRST_MIGRATION));
        QVERIFY(migration.open(QIODevice::ReadOnly));
        const QString sql = QString::fromUtf8(migration.readAll());
        const QRegularExpression columnDefault(
            QStringLiteral("color\\s+TEXT NOT NULL DEFAULT '([^']*)'"));
        int columns = 0;
        for (const QRegularExpressionMatch& match : columnDefault.globalMatch(sql)) {
            QCOMPARE(match.captured(1), QString(Defaults::itemColour));
            ++columns;
        }
        QCOMPARE(columns, 2); // accounts and calendars
    }

    // The settings dialog offers start 0..23 and an end after the start up to 24; defaults
    // outside that would be clamped there and differ from what the views shade.
    void workdayDefaultsFitTheSettingsRanges()
    {
        QVERIFY(Defaults::workdayStartHour >= 0 && Defaults::workdayStartHour <= 23);
        QVERIFY(Defaults::workdayEndHour > Defaults::workdayStartHour);
        QVERIFY(Defaults::workdayEndHour <= 24);
        QVERIFY(Defaults::workdayStartKey != Defaults::workdayEndKey);
    }
};

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
