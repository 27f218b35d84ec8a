#include "FakeForecastServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

FakeForecastServer::FakeForecastServer(QObject* parent)
    : QObject(parent), m_http(new LoopbackHttpServer(
                           [this](const LoopbackHttpServer::Request&) {
                               LoopbackHttpServer::Reply reply;
                               switch (m_mode) {
                               case Mode::Forecast:
                                   reply.body = m_body;
                                   break;
                               case Mode::ServerError:
                                   reply.status = 503;
                                   break;
                               case Mode::Oversized:
                                   reply.body = QByteArray(3 * 1024 * 1024, ' ');
                                   break;
                               case Mode::Stall:
                                   reply.stall = true;
                                   break;
                               }
                               return reply;
                           },
                           this))
{
}

QString FakeForecastServer::url() const
{
    return m_http->origin() + QStringLiteral("/v1/forecast");
}

void FakeForecastServer::exportEnvironment() const
{
    qputenv("WEATHER_API_URL", url().toUtf8());
}

void FakeForecastServer::setForecast(const QDate& first, int days, double base, int weatherCode)
{
    QJsonArray dates;
    QJsonArray maxima;
    QJsonArray minima;
    QJsonArray codes;
    for (int i = 0; i < days; ++i) {
        dates.append(first.addDays(i).toString(Qt::ISODate));
        maxima.append(base + i);
        minima.append(base - 10 + i);
        codes.append(weatherCode);
    }
    const QJsonObject daily{{QStringLiteral("time"), dates},
                            {QStringLiteral("temperature_2m_max"), maxima},
                            {QStringLiteral("temperature_2m_min"), minima},
                            {QStringLiteral("weather_code"), codes}};
    m_body = QJsonDocument(QJsonObject{{QStringLiteral("daily"), daily}}).toJson();
}
