#include "WeatherService.h"

#include "AppState.h"
#include "Clock.h"
#include "Limits.h"
#include "PreferencesRepository.h"
#include "WeatherForecast.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace Weather {

namespace {

const QString defaultForecastUrl = QStringLiteral("https://api.open-meteo.com/v1/forecast");

// WEATHER_API_URL when set and not empty (tests point it at a loopback stand-in), else the service.
QUrl forecastUrl()
{
    const QString overridden = qEnvironmentVariable("WEATHER_API_URL");
    return QUrl(overridden.isEmpty() ? defaultForecastUrl : overridden);
}

std::optional<double> coordinate(PreferencesRepository* preferences, const QString& key)
{
    bool ok = false;
    const double value = preferences->getString(key).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

Service::Service(AppState* state, QObject* parent)
    : QObject(parent), m_state(state), m_network(new QNetworkAccessManager(this))
{
}

bool Service::isEnabled() const
{
    PreferencesRepository* preferences = m_state ? m_state->preferences() : nullptr;
    return preferences && preferences->getBool(QStringLiteral("weather/enabled"), false) &&
           preferences->get(QStringLiteral("weather/location_lat")).has_value();
}

std::optional<DayForecast> Service::forecastFor(const QDate& date)
{
    if (!isEnabled()) {
        return std::nullopt;
    }
    const QDateTime now = Clock::now();
    const bool stale = !m_fetchedAt.isValid() || m_fetchedAt.secsTo(now) > refreshAfterSeconds;
    const bool backingOff =
        m_failedAt.isValid() && m_failedAt.secsTo(now) <= retryAfterFailureSeconds;
    if (!m_fetching && stale && !backingOff) {
        refresh();
    }
    for (const DayForecast& day : m_days) {
        if (day.date == date) {
            return day;
        }
    }
    return std::nullopt;
}

QString Service::labelFor(const DayForecast& forecast, const QString& unit) const
{
    return WeatherForecast::label(forecast, unit);
}

void Service::refresh()
{
    if (m_fetching || !isEnabled()) {
        return;
    }
    PreferencesRepository* preferences = m_state->preferences();
    const std::optional<double> latitude =
        coordinate(preferences, QStringLiteral("weather/location_lat"));
    const std::optional<double> longitude =
        coordinate(preferences, QStringLiteral("weather/location_lng"));
    if (!latitude || !longitude) {
        qWarning().noquote() << "[Weather] no usable location stored";
        // Counts as a failed attempt, so lookups do not repeat the warning on every repaint.
        m_failedAt = Clock::now();
        return;
    }

    QUrl url = forecastUrl();
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("latitude"), QString::number(*latitude, 'f', 4));
    query.addQueryItem(QStringLiteral("longitude"), QString::number(*longitude, 'f', 4));
    query.addQueryItem(QStringLiteral("daily"),
                       QStringLiteral("weather_code,temperature_2m_max,temperature_2m_min"));
    query.addQueryItem(QStringLiteral("timezone"), QStringLiteral("auto"));
    query.addQueryItem(QStringLiteral("forecast_days"), QStringLiteral("16"));
    url.setQuery(query);

    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    m_fetching = true;
    QNetworkReply* reply = m_network->get(request);
    // A reply that announces or delivers more than a forecast can hold is cut off unread.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > Limits::maxWeatherReplyBytes || total > Limits::maxWeatherReplyBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
    // The transfer timeout ends a silent service; this ends one that trickles.
    QTimer::singleShot(Limits::weatherRequestDeadlineMs, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onReplyFinished(reply); });
}

void Service::onReplyFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    m_fetching = false;
    // Cleared again below once the reply has proved good.
    m_failedAt = Clock::now();
    if (reply->property("tooLarge").toBool()) {
        qWarning().noquote() << "[Weather] forecast reply too large; keeping the last forecast";
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        // The error text would carry the URL, and with it the user's location: log the code only.
        qWarning().noquote() << "[Weather] forecast fetch failed, error" << int(reply->error())
                             << "HTTP"
                             << reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        return;
    }
    const QList<DayForecast> days =
        WeatherForecast::parseDaily(reply->read(Limits::maxWeatherReplyBytes));
    if (days.isEmpty()) {
        qWarning().noquote() << "[Weather] forecast reply unreadable; keeping the last forecast";
        return;
    }
    m_days = days;
    m_fetchedAt = Clock::now();
    m_failedAt = QDateTime();
    QList<QDate> dates;
    for (const DayForecast& day : days) {
        dates.append(day.date);
    }
    Q_EMIT forecastRefreshed(dates);
}

} // namespace Weather
