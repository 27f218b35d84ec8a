#include "WeatherForecast.h"

#include "Limits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace WeatherForecast {

QList<Weather::DayForecast> parseDaily(const QByteArray& json)
{
    const QJsonObject daily =
        QJsonDocument::fromJson(json).object().value(QLatin1String("daily")).toObject();
    const QJsonArray dates = daily.value(QLatin1String("time")).toArray();
    const QJsonArray maxima = daily.value(QLatin1String("temperature_2m_max")).toArray();
    const QJsonArray minima = daily.value(QLatin1String("temperature_2m_min")).toArray();
    const QJsonArray codes = daily.value(QLatin1String("weather_code")).toArray();
    QList<Weather::DayForecast> days;
    for (qsizetype i = 0; i < dates.size() && days.size() < Limits::maxForecastDays; ++i) {
        Weather::DayForecast day;
        day.date = QDate::fromString(dates.at(i).toString(), Qt::ISODate);
        const QJsonValue maximum = maxima.at(i);
        const QJsonValue minimum = minima.at(i);
        if (!day.date.isValid() || !maximum.isDouble() || !minimum.isDouble()) {
            continue;
        }
        day.maxTemperature = maximum.toDouble();
        day.minTemperature = minimum.toDouble();
        day.weatherCode = codes.at(i).toInt(-1);
        days.append(day);
    }
    return days;
}

QString glyphFor(int weatherCode)
{
    switch (weatherCode) {
    case 0:
        return QStringLiteral("\u2600"); // clear sky
    case 1:
    case 2:
        return QStringLiteral("\u26C5"); // partly cloudy
    case 45:
    case 48:
        return QStringLiteral("\U0001F32B"); // fog
    case 51:
    case 53:
    case 55:
    case 56:
    case 57:
        return QStringLiteral("\U0001F326"); // drizzle
    case 61:
    case 63:
    case 65:
    case 66:
    case 67:
    case 80:
    case 81:
    case 82:
        return QStringLiteral("\U0001F327"); // rain and showers
    case 71:
    case 73:
    case 75:
    case 77:
    case 85:
    case 86:
        return QStringLiteral("\u2744"); // snow
    case 95:
    case 96:
    case 99:
        return QStringLiteral("\u26C8"); // thunderstorm
    default:
        return QStringLiteral("\u2601"); // overcast, and codes not documented
    }
}

int wholeDegrees(double celsius, const QString& unit)
{
    const double value = unit == QLatin1String("F") ? celsius * 9.0 / 5.0 + 32.0 : celsius;
    // Replies are untrusted: a wild value must not overflow the conversion.
    return static_cast<int>(std::clamp(std::round(value), -9999.0, 9999.0));
}

QString label(const Weather::DayForecast& forecast, const QString& unit)
{
    return QStringLiteral("%1 %2°/%3°")
        .arg(glyphFor(forecast.weatherCode))
        .arg(wholeDegrees(forecast.maxTemperature, unit))
        .arg(wholeDegrees(forecast.minTemperature, unit));
}

} // namespace WeatherForecast
