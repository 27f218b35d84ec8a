#pragma once

#include "Account.h"

#include <QDialog>
#include <QString>

class AppState;
class CalDavClient;
class CalDavDiscovery;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Edits an account: its name and sync interval and, for the CalDAV family, the password and the
// pinned server certificate, which both change on the server's side. "Check Connection" tries
// the typed (else the saved) password against the server and, when the server shows a
// certificate nobody vouches for, asks whether to pin it. OK stores a typed password in the
// credential store and the account with the chosen pin; nothing is stored on Cancel.
class AccountFormDialog : public QDialog
{
    Q_OBJECT

public:
    AccountFormDialog(AppState* state, const Account& account, QWidget* parent = nullptr);

    // After an accepted exec(): a new password or a new pin was stored, so a sync is worth
    // trying again.
    bool credentialsChanged() const { return m_credentialsChanged; }

    void accept() override;

private:
    void checkConnection();
    void showPin();
    void showStatus(const QString& text);
    QString savedPassword() const;

    AppState* m_state;
    Account m_account;
    QString m_pin;
    bool m_credentialsChanged = false;
    QLineEdit* m_name = nullptr;
    QSpinBox* m_interval = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_certificate = nullptr;
    QPushButton* m_check = nullptr;
    QLabel* m_status = nullptr;
    CalDavClient* m_client = nullptr;
    CalDavDiscovery* m_discovery = nullptr;
};
