#pragma once

#include "LoopbackHttpServer.h"

#include <QDate>
#include <QObject>

// A stand-in for the daily forecast service on 127.0.0.1: answers every GET with the days set
// here, or with a chosen failure, an oversized body or no answer at all.
class FakeForecastServer : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Forecast, ServerError, Oversized, Stall };

    explicit FakeForecastServer(QObject* parent = nullptr);

    QString url() const; // the forecast endpoint
    // Points WEATHER_API_URL at this server.
    void exportEnvironment() const;

    // `days` days from `first`, the maximum of day i being base + i and the minimum base - 10 + i.
    void setForecast(const QDate& first, int days, double base, int weatherCode);
    void setMode(Mode mode) { m_mode = mode; }
    int requestCount() const { return m_http->count("GET", QStringLiteral("/v1/forecast")); }
    QList<LoopbackHttpServer::Request> requests() const { return m_http->requests(); }

private:
    LoopbackHttpServer* m_http;
    QByteArray m_body;
    Mode m_mode = Mode::Forecast;
};
