#pragma once

#include <QDialog>
#include <QList>

#include "GeocodingClient.h"

class AppState;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Turns the forecast on or off, picks the unit and looks up the place through the geocoding
// service. OK stores "weather/enabled", "weather/unit" and, when a place was picked,
// "weather/location_name", "weather/location_lat" and "weather/location_lng".
class WeatherSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WeatherSettingsDialog(AppState* state, QWidget* parent = nullptr);

    void accept() override;

private:
    void search();
    void showPlaces(const QList<Weather::Place>& places);
    void showStatus(const QString& text);

    AppState* m_state;
    Weather::GeocodingClient* m_geocoding;
    QList<Weather::Place> m_places;
    QCheckBox* m_enabled = nullptr;
    QComboBox* m_unit = nullptr;
    QLabel* m_current = nullptr;
    QLineEdit* m_query = nullptr;
    QPushButton* m_searchButton = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_status = nullptr;
};
