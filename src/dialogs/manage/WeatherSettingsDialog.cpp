#include "WeatherSettingsDialog.h"

#include "AppState.h"
#include "Limits.h"
#include "PreferencesRepository.h"
#include "ShownText.h"
#include "WeatherService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

WeatherSettingsDialog::WeatherSettingsDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state), m_geocoding(new Weather::GeocodingClient(this))
{
    setWindowTitle(tr("Weather"));
    setModal(true);
    constexpr int dialogWidth = 420;
    // What the place's name may take of the dialog beside the form's labels.
    constexpr int placeWidth = dialogWidth - 140;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    PreferencesRepository* preferences = m_state ? m_state->preferences() : nullptr;
    m_enabled = new QCheckBox(tr("Show the weather forecast in the calendar"), this);
    m_enabled->setChecked(preferences &&
                          preferences->getBool(QStringLiteral("weather/enabled"), false));
    layout->addWidget(m_enabled);

    auto* form = new QFormLayout;
    m_unit = new QComboBox(this);
    m_unit->addItem(tr("Celsius (°C)"), QStringLiteral("C"));
    m_unit->addItem(tr("Fahrenheit (°F)"), QStringLiteral("F"));
    const QString unit =
        preferences ? preferences->getString(QStringLiteral("weather/unit"), QStringLiteral("F"))
                    : QStringLiteral("F");
    m_unit->setCurrentIndex(unit == QLatin1String("C") ? 0 : 1);
    form->addRow(tr("Temperature:"), m_unit);
    const QString place =
        preferences ? preferences->getString(QStringLiteral("weather/location_name")) : QString();
    // The name came from the place service; the one-line label would widen the dialog to it, so
    // it is elided to the dialog's own width.
    m_current = new QLabel(this);
    m_current->setTextFormat(Qt::PlainText);
    m_current->setText(place.isEmpty() ? tr("No place chosen")
                                       : m_current->fontMetrics().elidedText(
                                             ShownText::bounded(place, Limits::maxRowTextChars),
                                             Qt::ElideRight, placeWidth));
    form->addRow(tr("Place:"), m_current);
    layout->addLayout(form);

    auto* searchRow = new QHBoxLayout;
    m_query = new QLineEdit(this);
    m_query->setPlaceholderText(tr("City or town"));
    m_searchButton = new QPushButton(tr("Search"), this);
    m_searchButton->setAutoDefault(false);
    searchRow->addWidget(m_query, 1);
    searchRow->addWidget(m_searchButton);
    layout->addLayout(searchRow);
    m_results = new QListWidget(this);
    m_results->setMinimumHeight(160);
    layout->addWidget(m_results, 1);
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setProperty("muted", true);
    m_status->hide();
    layout->addWidget(m_status);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &WeatherSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(dialogWidth);

    connect(m_searchButton, &QPushButton::clicked, this, &WeatherSettingsDialog::search);
    // Enter in the search field searches instead of closing the dialog.
    connect(m_query, &QLineEdit::returnPressed, this, &WeatherSettingsDialog::search);
    connect(m_geocoding, &Weather::GeocodingClient::placesFound, this,
            &WeatherSettingsDialog::showPlaces);
    connect(m_geocoding, &Weather::GeocodingClient::failed, this, [this](const QString& reason) {
        m_searchButton->setEnabled(true);
        showStatus(reason);
    });
}

void WeatherSettingsDialog::search()
{
    const QString name = m_query->text().trimmed();
    if (name.isEmpty())
        return;
    m_searchButton->setEnabled(false);
    showStatus(tr("Searching…"));
    m_geocoding->search(name);
}

void WeatherSettingsDialog::showPlaces(const QList<Weather::Place>& places)
{
    m_searchButton->setEnabled(true);
    m_places = places;
    m_results->clear();
    // Place names come from the service: item texts are plain text, a row's length of it.
    for (const Weather::Place& place : places)
        m_results->addItem(ShownText::bounded(place.label(), Limits::maxRowTextChars));
    if (places.isEmpty()) {
        showStatus(tr("No place of that name was found."));
        return;
    }
    m_status->hide();
    m_results->setCurrentRow(0);
}

void WeatherSettingsDialog::showStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void WeatherSettingsDialog::accept()
{
    PreferencesRepository* preferences = m_state ? m_state->preferences() : nullptr;
    if (!preferences) {
        QDialog::accept();
        return;
    }
    const int row = m_results->currentRow();
    const bool picked = row >= 0 && row < m_places.size();
    if (m_enabled->isChecked() && !picked &&
        !preferences->get(QStringLiteral("weather/location_lat")).has_value()) {
        showStatus(tr("Search for a place and choose it to see its forecast."));
        return;
    }
    if (picked) {
        const Weather::Place& place = m_places.at(row);
        preferences->set(QStringLiteral("weather/location_name"), place.label());
        preferences->set(QStringLiteral("weather/location_lat"),
                         QString::number(place.latitude, 'f', 4));
        preferences->set(QStringLiteral("weather/location_lng"),
                         QString::number(place.longitude, 'f', 4));
    }
    preferences->set(QStringLiteral("weather/unit"), m_unit->currentData().toString());
    preferences->setBool(QStringLiteral("weather/enabled"), m_enabled->isChecked());
    if (picked && m_state->weather())
        m_state->weather()->refresh();
    QDialog::accept();
}
