#pragma once

#include "Account.h"

#include <QDialog>
#include <QString>

#include <functional>

class AppState;
class CalDavClient;
class CalDavDiscovery;
class LongTextField;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Adds a Google or Microsoft account, or edits an account.
//
// Adding offers the providers beside a CalDAV server (which the CalDAV connection dialog adds).
// A provider runs its browser sign-in while OAuthProgressDialog waits (its Cancel cancels the
// sign-in); on success the tokens go to the credential store first and only then the account is
// written ("google" or "microsoft", named by the signed-in address), so a failure stores nothing
// and says why. Signing in again to an account already added renews its tokens instead. After a
// new Google account, the calendar import set with setGoogleCalendarImport runs.
//
// Editing changes the name and sync interval and, for the CalDAV family, the password and the
// pinned server certificate, which both change on the server's side. "Check Connection" tries
// the typed (else the saved) password against the server and, when the server shows a
// certificate nobody vouches for, asks whether to pin it. OK stores a typed password in the
// credential store and the account with the chosen pin, over the account as stored then: what a
// sync changed in the fields the user left alone stays (FormMerge). Nothing is stored on Cancel. A
// Google or Microsoft account can sign in again, which stores its new tokens at once.
class AccountFormDialog : public QDialog
{
    Q_OBJECT

public:
    // Imports the calendars of a newly added Google account (by its id) as calendar rows.
    using CalendarImport = std::function<void(const QString& accountId)>;

    // Adds an account.
    explicit AccountFormDialog(AppState* state, QWidget* parent = nullptr);
    // Edits `account`.
    AccountFormDialog(AppState* state, const Account& account, QWidget* parent = nullptr);

    void setGoogleCalendarImport(CalendarImport import) { m_googleImport = std::move(import); }

    // After an accepted exec(): a new password, pin or sign-in was stored (or an account was
    // added), so a sync is worth trying again.
    bool credentialsChanged() const { return m_credentialsChanged; }
    // After an accepted exec() that added a CalDAV account or signed one in: its id.
    QString accountId() const { return m_account.id; }
    // After an accepted exec() that added a CalDAV account: the calendars the server listed past
    // what an account takes, which were not added.
    int calendarsLeftOut() const { return m_calendarsLeftOut; }

    void accept() override;

private:
    // Runs the browser sign-in of "google" or "microsoft" and stores its result.
    void signIn(const QString& type);
    // Stores a successful sign-in; false (after saying why) when nothing could be stored.
    bool storeSignIn(const QString& type, const QString& email, const QString& displayName,
                     const QString& accessToken, const QString& refreshToken,
                     const QDateTime& expiresAt);
    void addCalDavAccount();
    void checkConnection();
    void showPin();
    void showStatus(const QString& text);
    QString savedPassword() const;
    // The edit form's name, interval and pin, in the record's terms (FormMerge).
    Account formValues() const;

    AppState* m_state;
    Account m_account; // empty id while adding
    bool m_adding = false;
    CalendarImport m_googleImport;
    QString m_pin;
    bool m_credentialsChanged = false;
    int m_calendarsLeftOut = 0;
    // formValues() when the edit form opened: a field the user changed differs from it.
    Account m_shown;
    QLineEdit* m_name = nullptr;
    LongTextField* m_nameText = nullptr;
    QSpinBox* m_interval = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_certificate = nullptr;
    QPushButton* m_check = nullptr;
    QLabel* m_status = nullptr;
    CalDavClient* m_client = nullptr;
    CalDavDiscovery* m_discovery = nullptr;
};
