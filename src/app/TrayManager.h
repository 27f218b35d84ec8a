#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include "WinTrayPopover.h"

class AppState;
class MainWindow;
class QMenu;
class QTimer;
class TrayIcon;

// The program in the system tray: the application icon with a blue badge while a sync runs and
// a red one after a failed sync, a tooltip naming the next event (or the failure), a context
// menu (show, sync, quit) and the popover on a click. Without a tray it stays inert.
class TrayManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int tooltipIntervalMs = 60000;
    static inline const QColor busyColour{66, 133, 244};
    static inline const QColor errorColour{229, 57, 53};

    TrayManager(AppState* state, MainWindow* mainWindow, QObject* parent);
    ~TrayManager() override;

    // Builds everything on the platform's tray icon; nothing when the system has no tray.
    void setup();
    // Builds everything on `icon`, which the manager takes over (a fake in tests).
    void setup(TrayIcon* icon);

    TrayIcon* trayIcon() const { return m_trayIcon; }
    WinTrayPopover* popover() const { return m_popover; }
    QMenu* menu() const { return m_menu; }

    // The icon for the sync state: the base icon, or each size badged in `colour`.
    static QIcon badgedIcon(const QIcon& base, const QColor& colour);
    // The tooltip for the state hub's sync state and next event at Clock's now.
    static QString tooltipText(const AppState* state);

public Q_SLOTS:
    void refreshIcon();
    void refreshTooltip();
    void togglePopover(QSystemTrayIcon::ActivationReason reason);

Q_SIGNALS:
    void syncNowRequested();

private:
    QPointer<AppState> m_state;
    QPointer<MainWindow> m_mainWindow;
    TrayIcon* m_trayIcon = nullptr;
    QTimer* m_refreshTimer = nullptr;
    QMenu* m_menu = nullptr;
    QPointer<WinTrayPopover> m_popover;
};
