#include "SettingsDialog.h"

#include "AppState.h"
#include "Calendar.h"
#include "CalendarRepository.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "HourSpinBox.h"
#include "Limits.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "ShownText.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The interface language lives in the platform settings store, read before the database opens.
QString storedLanguage()
{
    const QSettings settings(QCoreApplication::organizationName(),
                             QCoreApplication::applicationName());
    return settings.value(QStringLiteral("ui/language"), QStringLiteral("system")).toString();
}

void storeLanguage(const QString& language)
{
    QSettings settings(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    settings.setValue(QStringLiteral("ui/language"), language);
}

// Selects the entry whose data equals `value`; the first entry when none does.
void selectData(QComboBox* combo, const QVariant& value)
{
    const int index = combo->findData(value);
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

QCheckBox* check(const QString& text, QWidget* parent)
{
    return new QCheckBox(text, parent);
}

} // namespace

SettingsDialog::SettingsDialog(AppState* state, ThemeManager* themeManager, QWidget* parent)
    : QDialog(parent), m_state(state), m_themeManager(themeManager)
{
    setWindowTitle(tr("Preferences"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* tabs = new QTabWidget(this);
    layout->addWidget(tabs);

    auto* general = new QWidget(tabs);
    auto* generalForm = new QFormLayout(general);
    m_timeFormat = new QComboBox(general);
    m_timeFormat->addItem(tr("12-hour (1:30 PM)"), QStringLiteral("12"));
    m_timeFormat->addItem(tr("24-hour (13:30)"), QStringLiteral("24"));
    generalForm->addRow(tr("Time format:"), m_timeFormat);
    m_weekStart = new QComboBox(general);
    m_weekStart->addItem(tr("Follow the system"), 0);
    for (int day = 1; day <= 7; ++day)
        m_weekStart->addItem(DateLanguage::dayName(day), day);
    generalForm->addRow(tr("Week starts on:"), m_weekStart);
    m_workdayStart = new HourSpinBox(general);
    m_workdayStart->setRange(0, 23);
    m_workdayEnd = new HourSpinBox(general);
    m_workdayEnd->setRange(1, 24);
    // The hours read as the chosen time format says, also before it is saved.
    connect(m_timeFormat, &QComboBox::currentIndexChanged, this, [this] {
        const bool twelveHour = m_timeFormat->currentData().toString() != QLatin1String("24");
        m_workdayStart->setTwelveHour(twelveHour);
        m_workdayEnd->setTwelveHour(twelveHour);
    });
    // The working day must not end before it starts.
    connect(m_workdayStart, &QSpinBox::valueChanged, this,
            [this](int hour) { m_workdayEnd->setMinimum(hour + 1); });
    auto* hours = new QHBoxLayout;
    hours->addWidget(m_workdayStart);
    hours->addWidget(new QLabel(tr("to"), general));
    hours->addWidget(m_workdayEnd);
    hours->addStretch(1);
    generalForm->addRow(tr("Working hours:"), hours);
    m_weekNumbers = check(tr("Show week numbers"), general);
    generalForm->addRow(QString(), m_weekNumbers);
    m_defaultCalendar = new QComboBox(general);
    m_defaultCalendar->addItem(tr("None"), QString());
    if (m_state && m_state->calendars()) {
        for (const Calendar& calendar : m_state->calendars()->getAll()) {
            if (!calendar.isReadOnly)
                m_defaultCalendar->addItem(
                    Theme::calendarColorIcon(calendar.color),
                    ShownText::bounded(calendar.name, Limits::maxShownCalendarNameChars),
                    calendar.id);
        }
    }
    generalForm->addRow(tr("Default calendar:"), m_defaultCalendar);
    m_weather = check(tr("Show the weather forecast"), general);
    generalForm->addRow(QString(), m_weather);
    tabs->addTab(general, tr("General"));

    auto* appearance = new QWidget(tabs);
    auto* appearanceForm = new QFormLayout(appearance);
    m_theme = new QComboBox(appearance);
    m_theme->addItem(tr("Follow the system"), QStringLiteral("system"));
    m_theme->addItem(tr("Light"), QStringLiteral("light"));
    m_theme->addItem(tr("Dark"), QStringLiteral("dark"));
    appearanceForm->addRow(tr("Theme:"), m_theme);
    m_accent = new QComboBox(appearance);
    m_accent->addItem(tr("Default"), QString());
    const struct
    {
        QString name;
        const char* colour;
    } accents[] = {{tr("Blue"), "#1a73e8"},   {tr("Teal"), "#00897b"}, {tr("Green"), "#2e7d32"},
                   {tr("Orange"), "#ef6c00"}, {tr("Red"), "#d32f2f"},  {tr("Purple"), "#7b1fa2"},
                   {tr("Pink"), "#c2185b"}};
    for (const auto& accent : accents) {
        const QString colour = QString::fromLatin1(accent.colour);
        m_accent->addItem(Theme::calendarColorIcon(colour), accent.name, colour);
    }
    appearanceForm->addRow(tr("Accent colour:"), m_accent);
    m_language = new QComboBox(appearance);
    m_language->addItem(tr("Follow the system"), QStringLiteral("system"));
    m_language->addItem(QStringLiteral("English"), QStringLiteral("en"));
    m_language->addItem(QStringLiteral("Deutsch"), QStringLiteral("de"));
    m_language->addItem(QStringLiteral("Español"), QStringLiteral("es"));
    m_language->addItem(QStringLiteral("Français"), QStringLiteral("fr"));
    m_language->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
    appearanceForm->addRow(tr("Language:"), m_language);
    auto* languageNote =
        new QLabel(tr("A new language applies the next time Calendar starts."), appearance);
    languageNote->setProperty("muted", true);
    languageNote->setWordWrap(true);
    appearanceForm->addRow(QString(), languageNote);
    tabs->addTab(appearance, tr("Appearance"));

    auto* startup = new QWidget(tabs);
    auto* startupLayout = new QVBoxLayout(startup);
    m_autostart = check(tr("Start Calendar when I log in"), startup);
    m_startMinimized = check(tr("Start minimised to the tray"), startup);
    m_closeToTray = check(tr("Close to tray (keep running in the background)"), startup);
    startupLayout->addWidget(m_autostart);
    startupLayout->addWidget(m_startMinimized);
    startupLayout->addWidget(m_closeToTray);
    startupLayout->addStretch(1);
    tabs->addTab(startup, tr("Startup"));

    auto* sync = new QWidget(tabs);
    auto* syncLayout = new QVBoxLayout(sync);
    auto* syncIntro = new QLabel(
        tr("When you are signed in, these settings follow you to your other devices:"), sync);
    syncIntro->setWordWrap(true);
    syncLayout->addWidget(syncIntro);
    m_syncAccounts = check(tr("Accounts"), sync);
    m_syncFilters = check(tr("Filter rules"), sync);
    m_syncSettings = check(tr("Settings"), sync);
    m_syncTemplates = check(tr("Templates"), sync);
    m_syncViews = check(tr("Calendar groups"), sync);
    for (QCheckBox* box :
         {m_syncAccounts, m_syncFilters, m_syncSettings, m_syncTemplates, m_syncViews})
        syncLayout->addWidget(box);
    syncLayout->addStretch(1);
    tabs->addTab(sync, tr("Sync"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    load();
}

void SettingsDialog::load()
{
    PreferencesRepository* preferences = m_state ? m_state->preferences() : nullptr;
    if (preferences) {
        selectData(m_timeFormat, preferences->getString(QStringLiteral("ui/timeFormat"),
                                                        QStringLiteral("12")) == QLatin1String("24")
                                     ? QStringLiteral("24")
                                     : QStringLiteral("12"));
        selectData(m_weekStart, preferences->getInt(QStringLiteral("ui/weekStartDay"), 0));
        m_workdayStart->setValue(
            preferences->getInt(Defaults::workdayStartKey, Defaults::workdayStartHour));
        m_workdayEnd->setValue(
            preferences->getInt(Defaults::workdayEndKey, Defaults::workdayEndHour));
        m_weekNumbers->setChecked(
            preferences->getBool(QStringLiteral("ui/showWeekNumbers"), false));
        selectData(m_defaultCalendar,
                   preferences->getString(QStringLiteral("ui/defaultCalendarId")));
        m_startMinimized->setChecked(
            preferences->getBool(QStringLiteral("ui/startMinimized"), false));
        m_closeToTray->setChecked(preferences->getBool(QStringLiteral("ui/closeToTray"), true));
        m_weather->setChecked(preferences->getBool(QStringLiteral("weather/enabled"), false));
        m_syncAccounts->setChecked(
            preferences->getBool(QStringLiteral("config/sync/accounts"), true));
        m_syncFilters->setChecked(
            preferences->getBool(QStringLiteral("config/sync/filters"), true));
        m_syncSettings->setChecked(
            preferences->getBool(QStringLiteral("config/sync/settings"), true));
        m_syncTemplates->setChecked(
            preferences->getBool(QStringLiteral("config/sync/templates"), true));
        m_syncViews->setChecked(preferences->getBool(QStringLiteral("config/sync/views"), true));
    }
    if (m_themeManager)
        selectData(m_theme, m_themeManager->mode());
    else
        m_theme->setEnabled(false);
    const QString accent = Theme::accentName();
    if (m_accent->findData(accent) < 0 && !accent.isEmpty())
        m_accent->addItem(Theme::calendarColorIcon(accent), accent, accent);
    selectData(m_accent, accent);
    m_accent->setEnabled(m_themeManager != nullptr);
    m_autostartWas = Platform::isAutostartEnabled();
    m_autostart->setChecked(m_autostartWas);
    m_languageWas = storedLanguage();
    selectData(m_language, m_languageWas);
}

void SettingsDialog::accept()
{
    save();
    QDialog::accept();
}

void SettingsDialog::save()
{
    if (PreferencesRepository* preferences = m_state ? m_state->preferences() : nullptr) {
        preferences->set(QStringLiteral("ui/timeFormat"), m_timeFormat->currentData().toString());
        preferences->setInt(QStringLiteral("ui/weekStartDay"), m_weekStart->currentData().toInt());
        preferences->setInt(Defaults::workdayStartKey, m_workdayStart->value());
        preferences->setInt(Defaults::workdayEndKey, m_workdayEnd->value());
        preferences->setBool(QStringLiteral("ui/showWeekNumbers"), m_weekNumbers->isChecked());
        preferences->set(QStringLiteral("ui/defaultCalendarId"),
                         m_defaultCalendar->currentData().toString());
        preferences->setBool(QStringLiteral("ui/startMinimized"), m_startMinimized->isChecked());
        preferences->setBool(QStringLiteral("ui/closeToTray"), m_closeToTray->isChecked());
        preferences->setBool(QStringLiteral("weather/enabled"), m_weather->isChecked());
        preferences->setBool(QStringLiteral("config/sync/accounts"), m_syncAccounts->isChecked());
        preferences->setBool(QStringLiteral("config/sync/filters"), m_syncFilters->isChecked());
        preferences->setBool(QStringLiteral("config/sync/settings"), m_syncSettings->isChecked());
        preferences->setBool(QStringLiteral("config/sync/templates"), m_syncTemplates->isChecked());
        preferences->setBool(QStringLiteral("config/sync/views"), m_syncViews->isChecked());
    }
    if (m_themeManager) {
        const QString accent = m_accent->currentData().toString();
        if (accent != Theme::accentName())
            m_themeManager->setAccentColor(accent);
        m_themeManager->setMode(m_theme->currentData().toString());
    }
    // The autostart entry is only touched when the user changed the box, so an entry the
    // desktop switched off is not rewritten behind the user's back.
    if (m_autostart->isChecked() != m_autostartWas &&
        !Platform::setAutostartEnabled(m_autostart->isChecked()))
        qWarning().noquote() << "[Settings] could not change the autostart entry";
    const QString language = m_language->currentData().toString();
    if (language != m_languageWas)
        storeLanguage(language);
}
