#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace Weather {

// One place a geocoding search found.
struct Place
{
    QString name;
    QString region;  // first-level administrative area; may be empty
    QString country; // may be empty
    double latitude = 0;
    double longitude = 0;

    // "Name, Region, Country" without the empty parts.
    QString label() const;
};

// Looks place names up in the geocoding service (WEATHER_GEOCODING_URL when set, for tests).
// One search at a time: a new search abandons the one in flight, which then signals nothing;
// every other search ends in exactly one signal.
class GeocodingClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int transferTimeoutMs = 15000;
    static constexpr int maxResults = 10;
    // The longest name sent; longer input is cut.
    static constexpr int maxNameLength = 100;

    explicit GeocodingClient(QObject* parent = nullptr);

    void search(const QString& name);

    // The places of a service reply, at most maxResults; entries without a name or with
    // coordinates off the globe are skipped; an unreadable reply gives none.
    static QList<Place> parsePlaces(const QByteArray& body);

Q_SIGNALS:
    void placesFound(const QList<Weather::Place>& places);
    // A translated text for the user.
    void failed(const QString& reason);

private:
    void onFinished(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    QNetworkReply* m_current = nullptr;
};

} // namespace Weather
