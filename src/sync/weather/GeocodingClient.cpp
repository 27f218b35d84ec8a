#include "GeocodingClient.h"

#include "Limits.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QTimer>
#include <QUrlQuery>

namespace Weather {

namespace {

const QString defaultGeocodingUrl =
    QStringLiteral("https://geocoding-api.open-meteo.com/v1/search");

QUrl geocodingUrl()
{
    const QString overridden = qEnvironmentVariable("WEATHER_GEOCODING_URL");
    return QUrl(overridden.isEmpty() ? defaultGeocodingUrl : overridden);
}

} // namespace

QString Place::label() const
{
    QStringList parts{name};
    if (!region.isEmpty() && region != name)
        parts.append(region);
    if (!country.isEmpty())
        parts.append(country);
    return parts.join(QStringLiteral(", "));
}

GeocodingClient::GeocodingClient(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

void GeocodingClient::search(const QString& name)
{
    if (m_current) {
        QNetworkReply* abandoned = m_current;
        m_current = nullptr;
        abandoned->disconnect(this);
        abandoned->abort();
        abandoned->deleteLater();
    }
    QUrl url = geocodingUrl();
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("name"), name.trimmed().left(maxNameLength));
    query.addQueryItem(QStringLiteral("count"), QString::number(maxResults));
    query.addQueryItem(QStringLiteral("language"), QStringLiteral("en"));
    query.addQueryItem(QStringLiteral("format"), QStringLiteral("json"));
    url.setQuery(query);
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    m_current = reply;
    // The transfer timeout ends a silent service; this ends one that trickles.
    QTimer::singleShot(Limits::weatherRequestDeadlineMs, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > Limits::maxWeatherReplyBytes || total > Limits::maxWeatherReplyBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
}

void GeocodingClient::onFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_current)
        return;
    m_current = nullptr;
    if (reply->property("tooLarge").toBool() || reply->error() != QNetworkReply::NoError) {
        // The URL holds what the user typed, a place: log the code only.
        qWarning().noquote() << "[Weather] place search failed, error" << int(reply->error());
        Q_EMIT failed(tr("The place search failed. Check your connection and try again."));
        return;
    }
    Q_EMIT placesFound(parsePlaces(reply->read(Limits::maxWeatherReplyBytes)));
}

QList<Place> GeocodingClient::parsePlaces(const QByteArray& body)
{
    QList<Place> places;
    const QJsonArray results =
        QJsonDocument::fromJson(body).object().value(QStringLiteral("results")).toArray();
    for (const QJsonValue& value : results) {
        if (places.size() >= maxResults)
            break;
        const QJsonObject object = value.toObject();
        Place place;
        place.name = object.value(QStringLiteral("name")).toString().trimmed();
        place.region = object.value(QStringLiteral("admin1")).toString().trimmed();
        place.country = object.value(QStringLiteral("country")).toString().trimmed();
        const QJsonValue latitude = object.value(QStringLiteral("latitude"));
        const QJsonValue longitude = object.value(QStringLiteral("longitude"));
        if (place.name.isEmpty() || !latitude.isDouble() || !longitude.isDouble())
            continue;
        place.latitude = latitude.toDouble();
        place.longitude = longitude.toDouble();
        if (place.latitude < -90 || place.latitude > 90 || place.longitude < -180 ||
            place.longitude > 180)
            continue;
        places.append(place);
    }
    return places;
}

} // namespace Weather
