#pragma once

#include "DayForecast.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <optional>

class AppState;
class QNetworkAccessManager;

namespace Weather {

// The forecast cache behind the view headers. It fetches the daily forecast for the stored
// location with its own network access manager, at most one fetch at a time and only while
// enabled; a failed fetch keeps the last good forecast. No request at construction.
class Service : public QObject
{
    Q_OBJECT

public:
    // A cached forecast older than this is refreshed on the next lookup.
    static constexpr int refreshAfterSeconds = 3600;

    Service(AppState* state, QObject* parent = nullptr);

    // "weather/enabled" is on and a location latitude is stored.
    bool isEnabled() const;
    // The cached day, or empty when disabled or not cached; starts a refresh when the cache was
    // never filled or is older than refreshAfterSeconds and no fetch is in flight.
    std::optional<DayForecast> forecastFor(const QDate& date);
    // "%1 %2°/%3°": glyph, maximum and minimum in the unit ("F" converts from Celsius).
    QString labelFor(const DayForecast& forecast, const QString& unit) const;

    // Starts a fetch unless disabled or one is already in flight.
    void refresh();
    bool isFetching() const { return m_fetching; }

Q_SIGNALS:
    // After a successful fetch, with the dates it brought.
    void forecastRefreshed(const QList<QDate>& dates);

private:
    AppState* m_state;
    QNetworkAccessManager* m_network;
    QList<DayForecast> m_days;
    QDateTime m_fetchedAt;
    bool m_fetching = false;
};

} // namespace Weather
