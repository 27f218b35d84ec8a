#pragma once

#include <QObject>

class AppState;
class MainWindow;
class QToolButton;

// The main window's permanent status-bar widgets: the account pill, shown while an account
// needs a sign-in or a password, and the filter button with its menu of the filter rules.
// Owned by the window; its dialogs run through the window's `execDialog`, so tests answer them
// the same way as every other dialog of the window.
class StatusBarWidgets : public QObject
{
    Q_OBJECT

public:
    StatusBarWidgets(MainWindow* window, AppState* state);

    // Adds both widgets to the window's status bar and keeps them current from then on.
    void build();

private:
    void paintFilterIcon();
    void refreshAccountPill();
    void rebuildFilterMenu();
    void updateFilterButton();

    MainWindow* m_window;
    AppState* m_state;
    QToolButton* m_accountPill = nullptr;
    QToolButton* m_filterButton = nullptr;
};
