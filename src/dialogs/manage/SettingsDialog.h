#pragma once

#include <QDialog>
#include <QString>

class AppState;
class QCheckBox;
class QComboBox;
class HourSpinBox;
class QSpinBox;
class ThemeManager;

// The Preferences dialog. It shows the stored preferences when built and writes them only when
// accepted: the time format, week start, workday hours, week numbers, default calendar, start
// minimised, close to tray, weather on or off and what the configuration sync includes go to the
// preferences; the theme mode and accent go through the theme manager; autostart to the
// platform's autostart entry; the language to the platform settings store ("ui/language"),
// where it takes effect at the next start.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // `themeManager` may be null (then the theme fields are left alone on accept).
    SettingsDialog(AppState* state, ThemeManager* themeManager, QWidget* parent = nullptr);

    void accept() override;

private:
    void load();
    void save();

    AppState* m_state;
    ThemeManager* m_themeManager;
    QComboBox* m_timeFormat = nullptr;
    QComboBox* m_weekStart = nullptr;
    HourSpinBox* m_workdayStart = nullptr;
    HourSpinBox* m_workdayEnd = nullptr;
    QCheckBox* m_weekNumbers = nullptr;
    QComboBox* m_defaultCalendar = nullptr;
    QComboBox* m_theme = nullptr;
    QComboBox* m_accent = nullptr;
    QComboBox* m_language = nullptr;
    QCheckBox* m_startMinimized = nullptr;
    QCheckBox* m_closeToTray = nullptr;
    QCheckBox* m_autostart = nullptr;
    QCheckBox* m_weather = nullptr;
    QCheckBox* m_syncAccounts = nullptr;
    QCheckBox* m_syncFilters = nullptr;
    QCheckBox* m_syncSettings = nullptr;
    QCheckBox* m_syncTemplates = nullptr;
    QCheckBox* m_syncViews = nullptr;
    bool m_autostartWas = false;
    QString m_languageWas;
};
