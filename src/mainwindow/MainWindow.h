#pragma once

#include "update/Config.h"
#include "update/FeedbackPage.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

class AppState;
namespace OrvaAccount {
class AccountScreen;
}
class DetachedAgendaWindow;
class DetachedTasksWindow;
class CommandPalette;
class IcsImportFlow;
class MainWindowMenus;
class QDialog;
class QSplitter;
class QStackedWidget;
class QuickAddDialog;
class Sidebar;
class StatusBarWidgets;
class SyncClientFactory;
class SyncOrchestrator;
class TasksPane;
class TrayIcon;

// The program's one main window: the sidebar, the view area (or the empty-state page while no
// calendar exists) and the tasks pane in a splitter, the menus and window shortcuts, the
// account pill and filter button in the status bar, and the automatic sync behind it. Every
// command of the command line, the tray and the reminders arrives at its slots.
//
// Closing it hides it to the tray while the tray icon is visible (and "ui/closeToTray" is on);
// then no other window's closing ends the program. Without a tray it closes, and the program
// ends with its last window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(AppState* state, QWidget* parent = nullptr);
    // Tests hand in their own sync clients.
    MainWindow(AppState* state, std::unique_ptr<SyncClientFactory> syncClients,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Set by the start-up once the tray and the reminders exist. showTestNotification shows a
    // sample reminder and tells whether anything could show it; unset, nothing can.
    QPointer<TrayIcon> trayIcon;
    std::function<bool()> showTestNotification;

    // Where the Help menu's update check, release notes and feedback page look; the start-up
    // hands in its own, a window without them looks nowhere.
    void setUpdateConfig(const OrvaUpdate::Config& feed, const FeedbackConfig& feedback);
    const OrvaUpdate::Config& updateFeedConfig() const { return m_updateFeed; }
    const FeedbackConfig& feedbackConfig() const { return m_feedback; }

    // How questions and modal dialogs are run; tests answer them without blocking.
    std::function<bool(const QString& title, const QString& text)> confirm;
    std::function<int(QDialog* dialog)> execDialog;

    bool isQuitting() const { return m_quitting; }
    QString statusText() const;
    SyncOrchestrator* syncOrchestrator() const { return m_sync; }
    IcsImportFlow* importFlow() const { return m_import; }

    // Tray menu and File › Quit: closes every window and leaves the event loop.
    void quit();
    void openPreferences();
    // Selects the event on its date, brings the window forward and shows the event's card there;
    // an event deleted or no longer stored is reported in a message box instead.
    void revealEvent(const QString& eventId, const QDate& date);
    // A search result: the day of the event (local date of a timed event, the stored date of
    // an all-day one) in the day view, with the event selected.
    void showSearchResult(const QString& eventId);
    void forceFullSync();
    // Calendar Accounts, modal. Also opened by the empty state's button and the account pill.
    void openCalendarAccounts();
    // The modeless quick add, built on first use and reused.
    void openQuickAddDialog();
    void openSearch();
    void addFilter();
    // Ctrl+K: the command palette, built on first use and kept.
    void openCommandPalette();
    // A sample reminder through the notification service, with a status message either way.
    void sendTestNotification();
    // A new calendar group (an empty id) or the group with that id, modal with `parent`; a new
    // group the user saved becomes the active one when `activate` is set.
    void openCalendarGroupForm(const QString& groupId, QWidget* parent, bool activate);
    // Window menu: the one detached window of each kind, brought forward when it is open, else
    // built (restoring its last place) and shown. It lives until it is closed.
    DetachedAgendaWindow* openDetachedAgenda();
    DetachedTasksWindow* openDetachedTasks();
    // File › New Task: a new task in the tasks pane.
    void newTask();
    // File › Import: asks for a file and imports it.
    void importIcsFile();
    void signOut();
    void showStatus(const QString& text, int timeoutMs);

Q_SIGNALS:
    // The developer menu's sample set: loading it, and clearing it once the user agreed.
    void sampleDataLoadRequested();
    void sampleDataClearRequested();

public Q_SLOTS:
    void focusWindow();
    void showToday();
    void quickAddFromCommand(const QString& text);
    void importIcsFromCommand(const QString& path);
    void openNewEventDialog();
    void showOrvandellicAccountScreen();
    void syncNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void construct(std::unique_ptr<SyncClientFactory> syncClients);
    void buildUi();
    QWidget* buildEmptyStatePage();
    void restoreWindowState();
    void saveWindowState();
    void updateEmptyState();
    void maybeShowFirstLaunch();

    AppState* m_state;
    SyncOrchestrator* m_sync = nullptr;
    IcsImportFlow* m_import = nullptr;
    bool m_quitting = false;
    MainWindowMenus* m_menus = nullptr;
    StatusBarWidgets* m_statusBarWidgets = nullptr;

    QSplitter* m_splitter = nullptr;
    Sidebar* m_sidebar = nullptr;
    QStackedWidget* m_centralStack = nullptr;
    TasksPane* m_tasksPane = nullptr;
    QPointer<QuickAddDialog> m_quickAddDialog;
    QPointer<DetachedAgendaWindow> m_detachedAgenda;
    QPointer<DetachedTasksWindow> m_detachedTasks;
    QPointer<CommandPalette> m_commandPalette;
    // Made on the first opening, kept (hidden when closed) until the window goes.
    QPointer<OrvaAccount::AccountScreen> m_accountScreen;
    OrvaUpdate::Config m_updateFeed;
    FeedbackConfig m_feedback;
};
