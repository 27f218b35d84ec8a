#pragma once

#include <QObject>

class AppState;
class MainWindow;
class QAction;
class QMenu;

// The main window's menu bar and its window shortcuts (command palette, history, calendar
// groups by number and in turn, undo). Owned by the window; the menus call the window's
// operations and keep their own entries current (invitations count, density, account).
class MainWindowMenus : public QObject
{
    Q_OBJECT

public:
    MainWindowMenus(MainWindow* window, AppState* state);

    void buildMenuBar();
    void buildShortcuts();
    // The account entries follow the sign-in state.
    void updateAccountActions();

    QAction* newEventAction() const { return m_newEventAction; }
    QAction* showEmptyDaysAction() const { return m_showEmptyDaysAction; }
    QAction* toggleSidebarAction() const { return m_toggleSidebarAction; }
    QAction* toggleTasksPaneAction() const { return m_toggleTasksPaneAction; }

Q_SIGNALS:
    // The developer menu's sample set; the window passes them on.
    void sampleDataLoadRequested();
    void sampleDataClearRequested();

private:
    void syncDensityAction();
    void applyDensity(bool compact);
    void cycleCalendarGroup(int delta);
    void activateCalendarGroup(int number);
    void updateInvitationsAction();
    void showAbout();
    void clearSampleData();

    MainWindow* m_window;
    AppState* m_state;
    QAction* m_accountAction = nullptr;
    QAction* m_signOutAction = nullptr;
    QAction* m_newEventAction = nullptr;
    QAction* m_invitationsAction = nullptr;
    QAction* m_showEmptyDaysAction = nullptr;
    QAction* m_compactAction = nullptr;
    QAction* m_toggleSidebarAction = nullptr;
    QAction* m_toggleTasksPaneAction = nullptr;
    QMenu* m_fileMenu = nullptr;
};
