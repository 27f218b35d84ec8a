#pragma once

#include <QDate>
#include <QHash>
#include <QString>

class AppState;

// The weather labels of the view headers and cells, in the unit of "weather/unit" ("F" when not
// stored). Asking may let the weather service start a refresh.
namespace ViewWeather {

// Whether the hub has a weather service and it is switched on.
bool isEnabled(const AppState* appState);
// The label of each of `days` days from `first` that has a forecast; empty when disabled.
QHash<QDate, QString> labels(AppState* appState, const QDate& first, int days);
// One day's label; empty when disabled or without a forecast.
QString label(AppState* appState, const QDate& date);

} // namespace ViewWeather
