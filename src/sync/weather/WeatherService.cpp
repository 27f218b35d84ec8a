#include "WeatherService.h"

#include <QNetworkAccessManager>

namespace Weather {

Service::Service(AppState* state, QObject* parent)
    : QObject(parent), m_state(state), m_network(new QNetworkAccessManager(this))
{
}

bool Service::isEnabled() const
{
    return false;
}

std::optional<DayForecast> Service::forecastFor(const QDate& date)
{
    for (const DayForecast& day : m_days) {
        if (day.date == date) {
            return day;
        }
    }
    return std::nullopt;
}

QString Service::labelFor(const DayForecast& forecast, const QString& unit) const
{
    Q_UNUSED(unit)
    return QStringLiteral("%1°/%2°")
        .arg(qRound(forecast.maxTemperature))
        .arg(qRound(forecast.minTemperature));
}

void Service::refresh() {}

} // namespace Weather
