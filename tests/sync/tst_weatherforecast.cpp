#include "WeatherForecast.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QByteArray daily(const QJsonArray& dates, const QJsonArray& maxima, const QJsonArray& minima,
                 const QJsonArray& codes)
{
    const QJsonObject days{{QStringLiteral("time"), dates},
                           {QStringLiteral("temperature_2m_max"), maxima},
                           {QStringLiteral("temperature_2m_min"), minima},
                           {QStringLiteral("weather_code"), codes}};
    return QJsonDocument(QJsonObject{{QStringLiteral("daily"), days}}).toJson();
}

} // namespace

class TestWeatherForecast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseDailyKeepsReadableDays_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("dates");

        QTest::newRow("three days") << daily({"2026-03-11", "2026-03-12", "2026-03-13"},
                                             {12.5, 14.0, 9.1}, {3.0, 4.5, -1.2}, {0, 61, 3})
                                    << QStringList{"2026-03-11", "2026-03-12", "2026-03-13"};
        QTest::newRow("unreadable date skipped")
            << daily({"2026-03-11", "yesterday"}, {1.0, 2.0}, {0.0, 0.0}, {0, 0})
            << QStringList{"2026-03-11"};
        QTest::newRow("missing temperature skipped")
            << daily({"2026-03-11", "2026-03-12"}, {1.0}, {0.0, 0.0}, {0, 0})
            << QStringList{"2026-03-11"};
        QTest::newRow("null temperature skipped")
            << daily({"2026-03-11", "2026-03-12"}, {QJsonValue(), 2.0}, {0.0, 0.0}, {0, 0})
            << QStringList{"2026-03-12"};
        QTest::newRow("not json") << QByteArray("<html>busy</html>") << QStringList{};
        QTest::newRow("no daily block") << QByteArray(R"({"hourly":{}})") << QStringList{};
    }

    void parseDailyKeepsReadableDays()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, dates);
        QStringList parsed;
        for (const Weather::DayForecast& day : WeatherForecast::parseDaily(reply)) {
            parsed.append(day.date.toString(Qt::ISODate));
        }
        QCOMPARE(parsed, dates);
    }

    void labelRoundsInTheUnit_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("label");

        QTest::newRow("celsius, halves away from zero")
            << 20.5 << -0.5 << 0 << "C" << QStringLiteral("\u2600 21°/-1°");
        QTest::newRow("fahrenheit converts")
            << 0.0 << -40.0 << 3 << "F" << QStringLiteral("\u2601 32°/-40°");
        QTest::newRow("fahrenheit half up")
            << -17.5 << -18.5 << 61 << "F" << QStringLiteral("\U0001F327 1°/-1°");
        QTest::newRow("unknown unit stays celsius")
            << 10.4 << 2.6 << 71 << "K" << QStringLiteral("\u2744 10°/3°");
        QTest::newRow("undocumented code shows a cloud")
            << 5.0 << 1.0 << 42 << "C" << QStringLiteral("\u2601 5°/1°");
        QTest::newRow("absurd values are bounded")
            << 1e300 << -1e300 << 95 << "F" << QStringLiteral("\u26C8 9999°/-9999°");
    }

    void labelRoundsInTheUnit()
    {
        QFETCH(double, maximum);
        QFETCH(double, minimum);
        QFETCH(int, code);
        QFETCH(QString, unit);
        QFETCH(QString, label);
        Weather::DayForecast day;
        day.date = QDate(2026, 3, 11);
        day.maxTemperature = maximum;
        day.minTemperature = minimum;
        day.weatherCode = code;
        QCOMPARE(WeatherForecast::label(day, unit), label);
    }
};

QTEST_GUILESS_MAIN(TestWeatherForecast)
#include "tst_weatherforecast.moc"
