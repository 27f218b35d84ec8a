#include "AppStateFixture.h"
#include "FakeForecastServer.h"
#include "PreferencesRepository.h"
#include "WeatherService.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(FakeForecastServer::Mode)

class TestWeatherService : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<FakeForecastServer> m_forecast;

    Weather::Service* weather() const { return m_fixture->state()->weather(); }
    QDate today() const { return AppStateFixture::defaultNow().date(); }

    void enable()
    {
        PreferencesRepository* preferences = m_fixture->state()->preferences();
        preferences->setBool(QStringLiteral("weather/enabled"), true);
        preferences->set(QStringLiteral("weather/location_lat"), QStringLiteral("52.52"));
        preferences->set(QStringLiteral("weather/location_lng"), QStringLiteral("13.405"));
    }

    // Asks for today and waits for the fetch it starts.
    void fetchOnce()
    {
        QSignalSpy refreshed(weather(), &Weather::Service::forecastRefreshed);
        QVERIFY(!weather()->forecastFor(today()));
        QVERIFY(weather()->isFetching());
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 1, 10000);
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        m_forecast = std::make_unique<FakeForecastServer>();
        m_forecast->exportEnvironment();
        m_forecast->setForecast(today(), 7, 12.0, 61);
        QVERIFY(m_fixture->start());
    }

    void cleanup()
    {
        m_fixture.reset();
        m_forecast.reset();
        qunsetenv("WEATHER_API_URL");
    }

    void disabledServiceAsksNothing_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("latitude");
        QTest::newRow("switched off") << false << true;
        QTest::newRow("no location") << true << false;
    }

    void disabledServiceAsksNothing()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, latitude);
        PreferencesRepository* preferences = m_fixture->state()->preferences();
        preferences->setBool(QStringLiteral("weather/enabled"), enabled);
        if (latitude) {
            preferences->set(QStringLiteral("weather/location_lat"), QStringLiteral("52.52"));
        }
        QVERIFY(!weather()->isEnabled());
        QVERIFY(!weather()->forecastFor(today()));
        weather()->refresh();
        QVERIFY(!weather()->isFetching());
        QCOMPARE(m_forecast->requestCount(), 0);
    }

    void oneFetchServesEveryDayUntilItIsStale()
    {
        enable();
        QSignalSpy refreshed(weather(), &Weather::Service::forecastRefreshed);
        QVERIFY(!weather()->forecastFor(today()));
        // Lookups while the fetch is out start nothing more.
        QVERIFY(!weather()->forecastFor(today().addDays(1)));
        weather()->refresh();
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 1, 10000);
        QCOMPARE(m_forecast->requestCount(), 1);
        QCOMPARE(refreshed.first().first().value<QList<QDate>>().size(), 7);
        const QUrlQuery query = m_forecast->requests().first().query;
        QCOMPARE(query.queryItemValue(QStringLiteral("latitude")), QStringLiteral("52.5200"));
        QCOMPARE(query.queryItemValue(QStringLiteral("longitude")), QStringLiteral("13.4050"));

        const std::optional<Weather::DayForecast> tomorrow =
            weather()->forecastFor(today().addDays(1));
        QVERIFY(tomorrow);
        QCOMPARE(tomorrow->maxTemperature, 13.0);
        QCOMPARE(weather()->labelFor(*tomorrow, QStringLiteral("C")),
                 QStringLiteral("\U0001F327 13°/3°"));
        QVERIFY(!weather()->forecastFor(today().addDays(30)));
        QVERIFY(!weather()->isFetching());

        // An hour later the cache is still fresh; past it, a lookup refreshes.
        Clock::pin(AppStateFixture::defaultNow().addSecs(Weather::Service::refreshAfterSeconds));
        QVERIFY(weather()->forecastFor(today()));
        QVERIFY(!weather()->isFetching());
        Clock::pin(
            AppStateFixture::defaultNow().addSecs(Weather::Service::refreshAfterSeconds + 1));
        QVERIFY(weather()->forecastFor(today()));
        QVERIFY(weather()->isFetching());
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 2, 10000);
        QCOMPARE(m_forecast->requestCount(), 2);
    }

    void failedFetchKeepsTheLastForecast_data()
    {
        QTest::addColumn<FakeForecastServer::Mode>("mode");
        QTest::addColumn<bool>("emptyForecast");
        QTest::newRow("server error") << FakeForecastServer::Mode::ServerError << false;
        QTest::newRow("oversized reply") << FakeForecastServer::Mode::Oversized << false;
        QTest::newRow("reply without days") << FakeForecastServer::Mode::Forecast << true;
    }

    void failedFetchKeepsTheLastForecast()
    {
        QFETCH(FakeForecastServer::Mode, mode);
        QFETCH(bool, emptyForecast);
        enable();
        fetchOnce();
        m_forecast->setMode(mode);
        if (emptyForecast) {
            m_forecast->setForecast(today(), 0, 0, 0);
        }
        QSignalSpy refreshed(weather(), &Weather::Service::forecastRefreshed);
        Clock::pin(
            AppStateFixture::defaultNow().addSecs(2 * Weather::Service::refreshAfterSeconds));
        QVERIFY(weather()->forecastFor(today()));
        QVERIFY(weather()->isFetching());
        QTRY_VERIFY_WITH_TIMEOUT(!weather()->isFetching(), 10000);
        QCOMPARE(refreshed.size(), 0);
        const std::optional<Weather::DayForecast> kept = weather()->forecastFor(today());
        QVERIFY(kept);
        QCOMPARE(kept->maxTemperature, 12.0);
        // Right after a failure, lookups do not retry at once.
        QVERIFY(!weather()->isFetching());
        QCOMPARE(m_forecast->requestCount(), 2);
    }
};

QTEST_MAIN(TestWeatherService)
#include "tst_weatherservice.moc"
