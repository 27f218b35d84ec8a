#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QDBusPendingCallWatcher;
class QDBusVariant;

// Whether the desktop asks for dark colours, for a toolkit (Qt 6.4) that cannot say. Three
// layers, the first that answers wins:
//  1. CALENDAR_COLOR_SCHEME "dark" or "light" (tests and users who want to force one);
//  2. the desktop portal's org.freedesktop.appearance "color-scheme" (1 dark, 2 light; 0, no
//     portal or no answer falls through);
//  3. the platform palette: dark when its window colour is dark.
// Follows the portal's change signal and platform palette changes while the program runs and
// emits changed() when the answer flips. GUI thread only; needs a QGuiApplication for layer 3.
class SystemColorScheme : public QObject
{
    Q_OBJECT

public:
    // How long the start-up question to the portal may block; a later answer still counts.
    static constexpr int portalTimeoutMs = 1000;

    explicit SystemColorScheme(QObject* parent = nullptr);

    bool isDark() const;

Q_SIGNALS:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void onPortalSettingChanged(const QString& group, const QString& key,
                                const QDBusVariant& value);

private:
    void queryPortal();
    void onPortalReply(QDBusPendingCallWatcher* watcher);
    void setPortalValue(std::optional<uint> value);
    void recheckPalette();
    bool decide() const;
    void update();
    bool paletteLayerDecides() const;
    static bool platformPaletteIsDark();

    std::optional<uint> m_portalValue;
    bool m_paletteDark = false;
    bool m_dark = false;
    bool m_recheckQueued = false;
};
