#pragma once

#include "Account.h"
#include "Calendar.h"
#include "Defaults.h"

#include <QDialog>
#include <QString>

#include <optional>

class AppState;
class CalDavClient;
class LongTextField;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Creates or edits one calendar: on this device, on an account's CalDAV server
// (MKCALENDAR, then a check that the new collection answers), or a rename and
// recolour (sent to a CalDAV server with PROPPATCH first). The local row
// changes only after the server agreed; a refusal keeps the dialog open with
// the server's status, so the user can correct, retry or cancel. An edit writes over the row as
// stored when it is saved, keeping what a sync changed in the fields the user left alone
// (FormMerge), and a name from a server is kept whole however long (LongTextField).
class CalendarFormDialog : public QDialog
{
    Q_OBJECT

public:
    // A calendar on this device. `appState` is not owned and must outlive the
    // dialog.
    explicit CalendarFormDialog(AppState* appState, QWidget* parent = nullptr);
    // A new calendar on the account's server.
    CalendarFormDialog(AppState* appState, const Account& account, QWidget* parent = nullptr);
    // Rename and recolour an existing calendar.
    CalendarFormDialog(AppState* appState, const Calendar& calendar, QWidget* parent = nullptr);
    ~CalendarFormDialog() override;

    // "#000" on colours lighter than the middle, else "#fff".
    static QString buttonTextColor(const QColor& colour);

private:
    enum Mode { AddLocal = 0, AddToAccount = 1, Edit = 2 };

    void buildUi();
    // The name and colour the form holds (FormMerge).
    Calendar formValues() const;
    void save();
    void saveLocal(const QString& name);
    // Writes the user's changes over the row as stored now and says which changes made elsewhere
    // they replaced; a row removed meanwhile is reported and the form closes. True when written.
    bool saveEditLocally(const Calendar& edited);
    void runCalDavCreate(const QString& name);
    void runCalDavEdit(const Calendar& edited);
    CalDavClient* makeClient(const Account& account, const QString& password);
    // The account's saved CalDAV password; when there is none, tells the user and returns "".
    QString requirePassword(const QString& accountId);
    void pickColor();
    void setBusy(bool busy, const QString& status);
    void paintColorButton();

    AppState* m_state;
    Mode m_mode;
    std::optional<Account> m_account;
    std::optional<Calendar> m_calendar;
    // formValues() when the edit form opened: a field the user changed differs from it.
    Calendar m_shown;
    QLineEdit* m_nameEdit = nullptr;
    LongTextField* m_name = nullptr;
    QPushButton* m_colorButton = nullptr;
    QLabel* m_statusLabel = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
    QString m_color = Defaults::itemColour;
};
