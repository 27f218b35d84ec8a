#include "ViewWeather.h"

#include "AppState.h"
#include "PreferencesRepository.h"
#include "WeatherService.h"

namespace ViewWeather {

namespace {

QString unit(const AppState* appState)
{
    if (!appState->preferences())
        return QStringLiteral("F");
    return appState->preferences()
        ->get(QStringLiteral("weather/unit"))
        .value_or(QStringLiteral("F"));
}

} // namespace

bool isEnabled(const AppState* appState)
{
    return appState && appState->weather() && appState->weather()->isEnabled();
}

QHash<QDate, QString> labels(AppState* appState, const QDate& first, int days)
{
    QHash<QDate, QString> result;
    if (!isEnabled(appState))
        return result;
    const QString weatherUnit = unit(appState);
    for (int i = 0; i < days; ++i) {
        const QDate day = first.addDays(i);
        if (const std::optional<Weather::DayForecast> forecast =
                appState->weather()->forecastFor(day))
            result.insert(day, appState->weather()->labelFor(*forecast, weatherUnit));
    }
    return result;
}

QString label(AppState* appState, const QDate& date)
{
    return labels(appState, date, 1).value(date);
}

} // namespace ViewWeather
