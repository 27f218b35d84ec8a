#pragma once

#include "Calendar.h"

#include <QDialog>
#include <QPointer>

#include <optional>

class AppState;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The Calendar Accounts dialog: the accounts with their calendars. Adds a Google, Microsoft or
// CalDAV account, a
// webcal subscription, a calendar on this device or on a CalDAV account's server; edits and removes
// calendars and accounts (removal asks first and takes the calendars' events and tasks with it);
// starts a sync; opens the share dialog of a cloud calendar. Everything is saved at once; the
// caller reads accounts and calendars again afterwards.
class ManageSourcesDialog : public QDialog
{
    Q_OBJECT

public:
    // `mainWindow` is the window the dialog belongs to; it may be null.
    ManageSourcesDialog(AppState* state, QWidget* mainWindow, QWidget* parent = nullptr);

Q_SIGNALS:
    // "Sync Now" or a new subscription asks for a sync; whoever opened the dialog starts it.
    void syncRequested();

private:
    void reload();
    void updateButtons();
    // Adds a Google, Microsoft or CalDAV account through the account form.
    void addAccount();
    void addCalDavAccount();
    void addSubscription();
    void addLocalCalendar();
    void addCalendarToAccount();
    QString selectedAccountId() const;
    void editSelected();
    void removeSelected();
    void syncNow();
    // The share dialog of the selected cloud calendar, modeless, closed with this dialog.
    void shareSelected();
    // The selected calendar when it is a cloud calendar and the user is signed in.
    std::optional<Calendar> selectedShareableCalendar() const;
    // Asks the window for a sync with `text` as the status until the sync has ended.
    void requestSync(const QString& text);
    // The status after a CalDAV account was added, saying how many of the server's calendars
    // were not added.
    static QString calDavAccountAddedText(int calendarsLeftOut);
    void showSyncEnded();
    // An enabled account that fetches from elsewhere, with its password saved where it needs
    // one.
    bool anyAccountReady() const;
    void editCalendar(const QString& calendarId);
    void editAccount(const QString& accountId);
    bool confirm(const QString& title, const QString& text);
    void showStatus(const QString& text);

    AppState* m_state;
    QPointer<QWidget> m_mainWindow;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_addToAccount = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_sync = nullptr;
    QPushButton* m_share = nullptr;
    QLabel* m_status = nullptr;
    bool m_awaitingSync = false;
};
