#include "CalendarFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalDavClient.h"
#include "CalendarLocation.h"
#include "CalendarRepository.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "CredentialManagerTokenStore.h"
#include "DavPropstat.h"
#include "DavXml.h"
#include "Defaults.h"
#include "FormMerge.h"
#include "Limits.h"
#include "LongTextField.h"
#include "Platform.h"
#include "ShownText.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

namespace {

const QString localAccountId = QStringLiteral("personal-local-account");

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The stored text as it was when the field still holds it, else the typed text without the
// blanks around it.
QString keptOrTrimmed(const QString& text, const QString& stored)
{
    return text == stored ? text : text.trimmed();
}

} // namespace

CalendarFormDialog::CalendarFormDialog(AppState* appState, QWidget* parent)
    : QDialog(parent), m_state(appState), m_mode(AddLocal)
{
    setWindowTitle(tr("Add Calendar"));
    setModal(true);
    buildUi();
    paintColorButton();
}

CalendarFormDialog::CalendarFormDialog(AppState* appState, const Account& account, QWidget* parent)
    : QDialog(parent), m_state(appState), m_mode(AddToAccount), m_account(account)
{
    setWindowTitle(
        tr("Add Calendar to %1").arg(ShownText::bounded(account.name, Limits::maxRowTextChars)));
    setModal(true);
    buildUi();
    paintColorButton();
}

CalendarFormDialog::CalendarFormDialog(AppState* appState, const Calendar& calendar,
                                       QWidget* parent)
    : QDialog(parent), m_state(appState), m_mode(Edit), m_calendar(calendar),
      m_color(calendar.color)
{
    setWindowTitle(tr("Edit Calendar"));
    setModal(true);
    buildUi();
    m_name->setText(calendar.name);
    paintColorButton();
    m_shown = formValues();
}

CalendarFormDialog::~CalendarFormDialog() = default;

QString CalendarFormDialog::buttonTextColor(const QColor& colour)
{
    return colour.lightness() > 128 ? QStringLiteral("#000") : QStringLiteral("#fff");
}

void CalendarFormDialog::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    if (m_mode == AddToAccount) {
        auto* intro = new QLabel(tr("Create a new calendar on the CalDAV server. The server must "
                                    "allow MKCALENDAR for your user; if it refuses, the calendar "
                                    "will not be created."),
                                 this);
        intro->setWordWrap(true);
        layout->addWidget(intro);
    }
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setFormAlignment(Qt::AlignTop);
    m_nameEdit = new QLineEdit(this);
    m_name = new LongTextField(m_nameEdit);
    m_nameEdit->setPlaceholderText(tr("e.g. Personal, Work, Family"));
    form->addRow(tr("&Name:"), m_nameEdit);
    m_colorButton = new QPushButton(this);
    m_colorButton->setMinimumWidth(120);
    connect(m_colorButton, &QPushButton::clicked, this, &CalendarFormDialog::pickColor);
    form->addRow(tr("&Color:"), m_colorButton);
    layout->addLayout(form);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setWordWrap(true);
    // Error texts carry what a server sent.
    m_statusLabel->setTextFormat(Qt::PlainText);
    m_statusLabel->hide();
    layout->addWidget(m_statusLabel);

    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttonBox->button(QDialogButtonBox::Ok)->setText(m_mode == Edit ? tr("Save") : tr("Create"));
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &CalendarFormDialog::save);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttonBox);

    resize(440, sizeHint().height());
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

void CalendarFormDialog::paintColorButton()
{
    QColor colour(m_color);
    if (!colour.isValid())
        colour = QColor(Defaults::itemColour);
    m_colorButton->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #888; "
                       "padding: 6px 12px; border-radius: 4px; }")
            .arg(colour.name(), buttonTextColor(colour)));
    m_colorButton->setText(colour.name().toUpper());
}

void CalendarFormDialog::pickColor()
{
    const QColor chosen =
        QColorDialog::getColor(QColor(m_color), this, tr("Pick a calendar color"));
    if (!chosen.isValid())
        return;
    m_color = chosen.name();
    paintColorButton();
}

void CalendarFormDialog::setBusy(bool busy, const QString& status)
{
    for (QAbstractButton* button : m_buttonBox->buttons())
        button->setEnabled(!busy);
    m_nameEdit->setEnabled(!busy);
    m_colorButton->setEnabled(!busy);
    m_statusLabel->setText(status);
    m_statusLabel->setVisible(!status.isEmpty());
}

Calendar CalendarFormDialog::formValues() const
{
    Calendar values;
    values.name = keptOrTrimmed(m_name->text(), m_calendar ? m_calendar->name : QString());
    values.color = m_color;
    return values;
}

void CalendarFormDialog::save()
{
    const Calendar edited = formValues();
    if (edited.name.trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Name required"), tr("Please enter a name for the calendar."),
                             QMessageBox::Ok);
        m_nameEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_state)
        return;
    if (m_mode == AddToAccount) {
        runCalDavCreate(edited.name);
        return;
    }
    if (m_mode == Edit) {
        const std::optional<Account> account = m_state->accounts()->getById(m_calendar->accountId);
        // Other account kinds ("icloud", "zoho", ...) keep their names locally
        // only.
        if (account && account->type == QLatin1String("caldav") &&
            (edited.name != m_shown.name || edited.color != m_shown.color)) {
            runCalDavEdit(edited);
            return;
        }
        if (saveEditLocally(edited))
            accept();
        return;
    }
    saveLocal(edited.name);
}

bool CalendarFormDialog::saveEditLocally(const Calendar& edited)
{
    // The row as stored now: a sync may have changed it while the form was open (its sync state,
    // or a field the user left alone), or removed it.
    const std::optional<Calendar> stored = m_state->calendars()->getById(m_calendar->id);
    if (!stored) {
        QMessageBox::warning(this, tr("Calendar removed"),
                             tr("This calendar was removed meanwhile, so it cannot be saved."),
                             QMessageBox::Ok);
        reject();
        return false;
    }
    const FormMerge::Merged<Calendar> merged =
        FormMerge::calendar(*m_calendar, m_shown, *stored, edited);
    Calendar calendar = merged.record;
    calendar.updatedAt = Clock::now();
    if (!m_state->calendars()->update(calendar)) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the calendar."),
                              QMessageBox::Ok);
        return false;
    }
    ChangedElsewhere::tell(this, merged.replaced);
    return true;
}

void CalendarFormDialog::saveLocal(const QString& name)
{
    const QDateTime now = Clock::now();
    if (!m_state->accounts()->getById(localAccountId)) {
        Account account;
        account.id = localAccountId;
        account.name = QStringLiteral("On This Device");
        account.type = QStringLiteral("orvandellic");
        account.syncIntervalMinutes = 15;
        account.enabled = true;
        account.color = Defaults::itemColour;
        account.excludeFromSync = false;
        account.createdAt = now;
        account.updatedAt = now;
        if (!m_state->accounts()->insert(account)) {
            QMessageBox::critical(this, tr("Database Error"),
                                  tr("Could not create the local account row."), QMessageBox::Ok);
            return;
        }
    }
    Calendar calendar;
    calendar.id = newId();
    calendar.accountId = localAccountId;
    calendar.url = QStringLiteral("local://calendar/") + calendar.id;
    calendar.name = name;
    calendar.color = m_color;
    calendar.timezone = QStringLiteral("UTC");
    calendar.isVisible = true;
    calendar.isDefault = m_state->calendars()->getAll().isEmpty();
    calendar.syncEnabled = false;
    calendar.createdAt = now;
    calendar.updatedAt = now;
    if (!m_state->calendars()->insert(calendar)) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the calendar."),
                              QMessageBox::Ok);
        return;
    }
    accept();
}

QString CalendarFormDialog::requirePassword(const QString& accountId)
{
    const std::unique_ptr<OrvaAccount::TokenStore> store =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    const QString password =
        store ? store->read(QStringLiteral("caldav-password-") + accountId).value_or(QString())
              : QString();
    if (password.isEmpty())
        QMessageBox::critical(this, tr("Missing password"),
                              tr("No saved password for this account. Enter it again under "
                                 "Calendar Accounts: select the account, then Edit…"),
                              QMessageBox::Ok);
    return password;
}

CalDavClient* CalendarFormDialog::makeClient(const Account& account, const QString& password)
{
    auto* client = new CalDavClient(this);
    client->setCredentials(account.username, password);
    if (!account.trustedCertSha256.isEmpty())
        client->setTrustedCertSha256(account.trustedCertSha256);
    return client;
}

void CalendarFormDialog::runCalDavCreate(const QString& name)
{
    const Account account = *m_account;
    const QString password = requirePassword(account.id);
    if (password.isEmpty())
        return;
    const QString base = CalendarLocation::baseForNewCalendar(
        account, m_state->calendars()->getByAccount(account.id));
    const QUrl url = CalendarLocation::childCollection(base, newId());
    CalDavClient* client = makeClient(account, password);
    setBusy(true, tr("Creating calendar on server…"));
    const QString color = m_color;
    client->mkcalendar(
        url, DavXml::mkcalendar(name, color, QString()),
        [this, client, url, name, color, account](const CalDavClient::Response& created) {
            if (!created.errorString.isEmpty()) {
                setBusy(false, tr("Network error: %1").arg(created.errorString));
                client->deleteLater();
                return;
            }
            if (created.statusCode != 201 && created.statusCode != 207) {
                setBusy(false, tr("Server refused (HTTP %1). Your account may not have "
                                  "permission to create calendars on this server.")
                                   .arg(created.statusCode));
                client->deleteLater();
                return;
            }
            client->propfind(
                url, DavXml::calendarListPropfind(), 0,
                [this, client, url, name, color, account](const CalDavClient::Response& reached) {
                    client->deleteLater();
                    if (reached.statusCode != 200 && reached.statusCode != 207) {
                        setBusy(false, tr("Server returned success but the new "
                                          "calendar isn't reachable. This server "
                                          "may not support MKCALENDAR."));
                        return;
                    }
                    const QDateTime now = Clock::now();
                    if (account.calendarHomeSet.isEmpty()) {
                        Account updated = account;
                        updated.calendarHomeSet =
                            CalendarLocation::parentCollection(url).toString();
                        updated.updatedAt = now;
                        m_state->accounts()->update(updated);
                    }
                    Calendar calendar;
                    calendar.id = newId();
                    calendar.accountId = account.id;
                    calendar.url = url.toString();
                    calendar.name = name;
                    calendar.color = color;
                    calendar.timezone = QStringLiteral("UTC");
                    calendar.isVisible = true;
                    calendar.isDefault = m_state->calendars()->getAll().isEmpty();
                    calendar.supportedComponents = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
                    calendar.syncEnabled = true;
                    calendar.createdAt = now;
                    calendar.updatedAt = now;
                    if (!m_state->calendars()->insert(calendar)) {
                        setBusy(false, tr("Created on server, but couldn't save "
                                          "locally. Run sync to recover."));
                        return;
                    }
                    accept();
                });
        });
}

void CalendarFormDialog::runCalDavEdit(const Calendar& edited)
{
    const std::optional<Account> account = m_state->accounts()->getById(m_calendar->accountId);
    if (!account) {
        QMessageBox::critical(this, tr("Account missing"), tr("Could not find the parent account."),
                              QMessageBox::Ok);
        return;
    }
    const QString password = requirePassword(account->id);
    if (password.isEmpty())
        return;
    CalDavClient* client = makeClient(*account, password);
    setBusy(true, tr("Saving changes to server…"));
    // Only what the user changed goes to the server.
    const QString sentName = edited.name != m_shown.name ? edited.name : QString();
    const QString sentColor = edited.color != m_shown.color ? edited.color : QString();
    client->proppatch(QUrl(m_calendar->url, QUrl::TolerantMode),
                      DavXml::proppatchCalendar(sentName, sentColor, QString()),
                      [this, client, edited](const CalDavClient::Response& reply) {
                          client->deleteLater();
                          if (!reply.errorString.isEmpty()) {
                              setBusy(false, tr("Network error: %1").arg(reply.errorString));
                              return;
                          }
                          int refusal = reply.statusCode;
                          if (reply.statusCode == 200) {
                              refusal = 0;
                          } else if (reply.statusCode == 207) {
                              // A 207 names the outcome per property; any refused one means the
                              // server's calendar is not what the local row would say.
                              refusal = DavPropstat::firstRefusal(reply.body).value_or(0);
                          }
                          if (refusal != 0) {
                              setBusy(false,
                                      tr("Server refused (HTTP %1). You may not have permission to "
                                         "rename or recolour this calendar.")
                                          .arg(refusal));
                              return;
                          }
                          if (!saveEditLocally(edited)) {
                              setBusy(false, tr("Saved on server, but couldn't update locally."));
                              return;
                          }
                          accept();
                      });
}
