#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QString>

class PreferencesRepository;
class SystemColorScheme;

// Decides light or dark from the stored mode ("ui/theme": "system", "dark", anything else light)
// and the desktop's colour scheme, and installs the application style, palette and stylesheet.
// Stores the user's mode and accent ("ui/accentColor"). Needs a QApplication; GUI thread only.
class ThemeManager : public QObject
{
    Q_OBJECT

public:
    // Starts in mode "system" and applies nothing yet; `preferences` is not owned and may be null
    // (then nothing is read or stored).
    explicit ThemeManager(PreferencesRepository* preferences, QObject* parent = nullptr);

    // Reads the stored mode and accent and applies them.
    void load();

    // Installs the style (once), the palette and the stylesheet for the mode. Stores nothing.
    void apply(const QString& mode);

    // Stores and applies a new mode, emitting modeChanged; the current mode is only re-applied.
    void setMode(const QString& mode);

    // Stores (or, when empty, removes) the accent name, re-applies, emits accentChanged.
    void setAccentColor(const QString& name);

    QString mode() const { return m_mode; }

    // The application palette for the current Theme colours.
    static QPalette buildPalette();

Q_SIGNALS:
    void modeChanged(const QString& mode);
    void accentChanged(const QColor& accent);

private:
    void onSystemSchemeChanged();

    PreferencesRepository* m_preferences;
    SystemColorScheme* m_systemScheme;
    QString m_mode;
};
