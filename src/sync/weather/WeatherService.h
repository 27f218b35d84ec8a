#pragma once

#include "DayForecast.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <optional>

class AppState;
class QNetworkAccessManager;
class QNetworkReply;

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
    // After a failed fetch, lookups wait this long before they try again, so views that reload
    // often do not hammer a failing service.
    static constexpr int retryAfterFailureSeconds = 300;
    // A stalled forecast request fails after this long without progress.
    static constexpr int transferTimeoutMs = 30000;

    Service(AppState* state, QObject* parent = nullptr);

    // "weather/enabled" is on and a location latitude is stored.
    bool isEnabled() const;
    // The cached day, or empty when disabled or not cached; starts a refresh when the cache was
    // never filled or is older than refreshAfterSeconds, no fetch is in flight and the last
    // failure is older than retryAfterFailureSeconds.
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
    void onReplyFinished(QNetworkReply* reply);

    AppState* m_state;
    QNetworkAccessManager* m_network;
    QList<DayForecast> m_days;
    QDateTime m_fetchedAt;
    QDateTime m_failedAt;
    bool m_fetching = false;
};

} // namespace Weather
