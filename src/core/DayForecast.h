#pragma once

#include <QDate>

namespace Weather {

// One day of the weather forecast, temperatures in degrees Celsius. weatherCode is the WMO
// weather interpretation code of the forecast service.
struct DayForecast
{
    QDate date;
    double maxTemperature = 0;
    double minTemperature = 0;
    int weatherCode = 0;
};

} // namespace Weather
