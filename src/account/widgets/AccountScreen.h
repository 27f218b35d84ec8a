#pragma once

#include "AuthState.h"
#include "Device.h"
#include "Session.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace OrvaAccount {

class AccountGroupPage;
class ElidedLabel;
class AccountStatusLine;
class Client;

// The signed-in user's account at the service: profile and password, the group with its
// members and invitations, the devices, the sessions, and deleting the account. A navigation
// list on the left, one page per entry, a status line under them. It keeps no data of its own:
// every load rebuilds its page, a failed load shows its reason, and every answer that comes
// after the window is gone, or after a newer answer of the same list, is dropped. Closing only
// hides it; the owner keeps one for the life of the program and refreshes it on each opening.
// When the session ends under it (the service refused to renew it), the pages give way to a
// note that says so and offers the sign-in; the next sign-in brings them back, reloaded.
class AccountScreen : public QWidget
{
    Q_OBJECT

public:
    explicit AccountScreen(Client* client, QWidget* parent = nullptr);

    // Loads the profile, the group, the devices and the sessions again, and checks once more
    // whether the user owns the group (the window lives across sign-ins).
    void refresh();
    void refreshProfile();
    void refreshGroup();
    void refreshDevices();
    void refreshSessions();

Q_SIGNALS:
    // The service accepted the deletion of the account: the owner signs the user out.
    void logoutRequested();

private:
    QWidget* createPage(const QString& title, QVBoxLayout** layout);
    QWidget* createProfileTab();
    QWidget* createDevicesTab();
    QWidget* createSecurityTab();
    QWidget* createPrivacyTab();
    QWidget* createSignedOutPage();
    void onAuthStateChanged(AuthState state);
    void showSignedOut(bool signedOut);
    // leftOut: the entries of the reply past the list's bound, which a note counts.
    void populateDevices(const QList<Device>& devices, const QString& error, int leftOut);
    void populateSessions(const QList<Session>& sessions, const QString& error, int leftOut);
    // The display name as the profile shows it: "(not set)" for none, a long one cut.
    void showName(const QString& displayName);
    void updateOwnerState();

    void editDisplayName();
    void changePassword();
    void removeDevice(const Device& device);
    void revokeSession(const QString& sessionId);
    void deleteAccount();

    void showError(const QString& text);
    void showSuccess(const QString& text);
    // Runs the refresh 500 ms from now, unless the window is gone by then.
    void refreshLater(void (AccountScreen::*refresh)());

    Client* m_client;
    QListWidget* m_navList = nullptr;
    QStackedWidget* m_pageStack = nullptr;
    AccountStatusLine* m_statusLabel = nullptr;
    ElidedLabel* m_nameLabel = nullptr;
    ElidedLabel* m_emailLabel = nullptr;
    QPushButton* m_editNameButton = nullptr;
    AccountGroupPage* m_groupPage = nullptr;
    QVBoxLayout* m_devicesLayout = nullptr;
    QWidget* m_devicesContent = nullptr;
    QVBoxLayout* m_sessionsLayout = nullptr;
    QWidget* m_sessionsContent = nullptr;
    QLabel* m_ownerNote = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QWidget* m_signedOutPage = nullptr;
    bool m_signedOut = false;
    // The stored display name; the label shows "(not set)" for an empty one, which must never
    // be offered back for saving.
    QString m_displayName;
    // Every load of a list is numbered; an answer older than the one shown is dropped.
    struct Loads
    {
        int sent = 0;
        int shown = 0;
    };
    Loads m_profileLoads;
    Loads m_deviceLoads;
    Loads m_sessionLoads;
};

} // namespace OrvaAccount
