#include "ThemeManager.h"

#include "CalendarProxyStyle.h"
#include "PreferencesRepository.h"
#include "SystemColorScheme.h"
#include "Theme.h"

#include <QApplication>
#include <QPointer>

namespace {

const QString themeKey = QStringLiteral("ui/theme");
const QString accentKey = QStringLiteral("ui/accentColor");
const QString systemMode = QStringLiteral("system");

// The style this program installed. Once a stylesheet is set, QApplication::style() answers
// with the stylesheet's wrapper instead, so the installed style is remembered here; the
// application deletes it if anyone replaces it, which clears the pointer.
QPointer<CalendarProxyStyle> installedStyle;

} // namespace

ThemeManager::ThemeManager(PreferencesRepository* preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_systemScheme(new SystemColorScheme(this)),
      m_mode(systemMode)
{
    connect(m_systemScheme, &SystemColorScheme::changed, this,
            &ThemeManager::onSystemSchemeChanged);
}

void ThemeManager::load()
{
    m_mode = m_preferences ? m_preferences->getString(themeKey, systemMode) : systemMode;
    const QString accent =
        m_preferences ? m_preferences->get(accentKey).value_or(QString()) : QString();
    Theme::setAccentName(accent);
    apply(m_mode);
}

void ThemeManager::apply(const QString& mode)
{
    if (!installedStyle) {
        installedStyle = new CalendarProxyStyle;
        QApplication::setStyle(installedStyle);
    }
    const bool dark =
        mode == QLatin1String("dark") || (mode == systemMode && m_systemScheme->isDark());
    Theme::setDark(dark ? 1 : 0);
    QApplication::setPalette(buildPalette());
    qApp->setStyleSheet(Theme::stylesheet());
}

void ThemeManager::setMode(const QString& mode)
{
    if (mode == m_mode) {
        apply(m_mode);
        return;
    }
    m_mode = mode;
    if (m_preferences)
        m_preferences->set(themeKey, mode);
    apply(m_mode);
    Q_EMIT modeChanged(m_mode);
}

void ThemeManager::setAccentColor(const QString& name)
{
    Theme::setAccentName(name);
    if (m_preferences) {
        if (name.isEmpty())
            m_preferences->remove(accentKey);
        else
            m_preferences->set(accentKey, name);
    }
    apply(m_mode);
    Q_EMIT accentChanged(Theme::accent());
}

QPalette ThemeManager::buildPalette()
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, const QColor& colour) {
        palette.setBrush(role, QBrush(colour));
    };
    set(QPalette::Window, Theme::canvas());
    set(QPalette::WindowText, Theme::textPrimary());
    set(QPalette::Base, Theme::surface());
    set(QPalette::AlternateBase, Theme::surfaceMuted());
    set(QPalette::ToolTipBase, Theme::textPrimary());
    set(QPalette::ToolTipText, Theme::surface());
    set(QPalette::Text, Theme::textPrimary());
    set(QPalette::Button, Theme::surface());
    set(QPalette::ButtonText, Theme::textPrimary());
    set(QPalette::BrightText, Theme::danger());
    set(QPalette::Highlight, Theme::accent());
    set(QPalette::HighlightedText, QColor(Qt::white));
    set(QPalette::Mid, Theme::border());
    set(QPalette::Light, Theme::surface());
    set(QPalette::Dark, Theme::borderStrong());
    palette.setBrush(QPalette::Disabled, QPalette::Text, QBrush(Theme::textDisabled()));
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, QBrush(Theme::textDisabled()));
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, QBrush(Theme::textDisabled()));
    return palette;
}

void ThemeManager::onSystemSchemeChanged()
{
    if (m_mode == systemMode)
        apply(m_mode);
}
