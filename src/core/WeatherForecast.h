#pragma once

#include "DayForecast.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reading the daily forecast reply and writing the header label.
namespace WeatherForecast {

// The days of a daily forecast reply ("daily" with "time", "temperature_2m_max",
// "temperature_2m_min" and "weather_code"), in reply order. Days with an unreadable date or
// temperature are skipped; at most Limits::maxForecastDays are kept; anything that is not such
// a reply gives an empty list.
QList<Weather::DayForecast> parseDaily(const QByteArray& json);

// The glyph of a weather code; a cloud for codes the service does not document.
QString glyphFor(int weatherCode);

// A Celsius temperature in the unit ("F" converts, anything else stays Celsius), rounded to a
// whole degree with halves away from zero.
int wholeDegrees(double celsius, const QString& unit);

// "%1 %2°/%3°": glyph, maximum, minimum.
QString label(const Weather::DayForecast& forecast, const QString& unit);

} // namespace WeatherForecast
