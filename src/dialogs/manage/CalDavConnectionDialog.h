#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>

#include "CalDavParse.h"

class AppState;
class CalDavClient;
class CalDavDiscovery;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Adds a CalDAV account: server address, user name and password. "Connect" discovers the
// account's calendars; when the server's certificate is not trusted the user is shown its
// fingerprint and may pin it. On success the password goes to the credential store (never the
// database), the account and its calendars are written, and the dialog closes as accepted.
// On any failure nothing is stored and the dialog stays open with the reason.
class CalDavConnectionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CalDavConnectionDialog(AppState* state, QWidget* parent = nullptr);

    // The id of the account added by an accepted exec().
    QString accountId() const { return m_accountId; }
    // After an accepted exec(): the server's calendars not added because it lists more than an
    // account takes (Limits::maxDiscoveredCalendars).
    int calendarsLeftOut() const { return m_leftOut; }

private:
    void connectToServer();
    void onDiscovered(const QList<CalDavParse::DiscoveredCalendar>& calendars);
    void onFailed(const QString& reason);
    // Shows the certificate question; true when the user trusts the certificate.
    bool askToTrustCertificate();
    void setBusy(bool busy);
    void showError(const QString& text);

    AppState* m_state;
    CalDavClient* m_client;
    CalDavDiscovery* m_discovery;
    QUrl m_url;
    QString m_accountId;
    int m_leftOut = 0;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_status = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
