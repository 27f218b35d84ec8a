#include "CalDavConnectionDialog.h"

#include "Account.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "CalDavCertificateDialog.h"
#include "CalDavClient.h"
#include "CalDavDiscovery.h"
#include "CalDavImport.h"
#include "Clock.h"
#include "CredentialManagerTokenStore.h"
#include "Platform.h"
#include "SourceRemoval.h"
#include "TokenStore.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

namespace {

const QString caldavType = QStringLiteral("caldav");

// "https://" is added to an address typed without a scheme.
QUrl serverUrl(const QString& text)
{
    const QString trimmed = text.trimmed();
    return QUrl::fromUserInput(
        trimmed.contains(QLatin1String("://")) ? trimmed : QStringLiteral("https://") + trimmed);
}

} // namespace

CalDavConnectionDialog::CalDavConnectionDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state), m_client(new CalDavClient(this)),
      m_discovery(new CalDavDiscovery(m_client, this))
{
    setWindowTitle(tr("Add CalDAV Account"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* intro = new QLabel(tr("Connect any CalDAV server, such as Nextcloud, Synology, Radicale "
                                "or iCloud (with an app-specific password)."),
                             this);
    intro->setWordWrap(true);
    intro->setProperty("muted", true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    m_server = new QLineEdit(this);
    m_server->setPlaceholderText(QStringLiteral("https://dav.example.com/"));
    m_username = new QLineEdit(this);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(tr("Server:"), m_server);
    form->addRow(tr("User name:"), m_username);
    form->addRow(tr("Password:"), m_password);
    layout->addLayout(form);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    // Server replies end up here: plain text only.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->hide();
    layout->addWidget(m_status);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_buttons->addButton(tr("Connect"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CalDavConnectionDialog::connectToServer);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);
    setMinimumWidth(440);

    connect(m_discovery, &CalDavDiscovery::completed, this, &CalDavConnectionDialog::onDiscovered);
    connect(m_discovery, &CalDavDiscovery::failed, this, &CalDavConnectionDialog::onFailed);
}

void CalDavConnectionDialog::connectToServer()
{
    m_url = serverUrl(m_server->text());
    const QString scheme = m_url.scheme().toLower();
    if (!m_url.isValid() || m_url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        showError(tr("Enter the server's address, for example https://dav.example.com/."));
        return;
    }
    if (m_username->text().trimmed().isEmpty() || m_password->text().isEmpty()) {
        showError(tr("Enter your user name and password."));
        return;
    }
    if (m_state && m_state->accounts() &&
        m_state->accounts()->findByServer(caldavType, m_url.toString(),
                                          m_username->text().trimmed())) {
        showError(tr("This account has already been added."));
        return;
    }
    m_client->setCredentials(m_username->text().trimmed(), m_password->text());
    m_client->setTrustedCertSha256(QString());
    setBusy(true);
    m_status->setText(tr("Connecting…"));
    m_status->show();
    m_discovery->start(m_url);
}

void CalDavConnectionDialog::onFailed(const QString& reason)
{
    // A refused certificate ends the discovery; once the user pins it, discovery starts again.
    if (!m_client->pendingUntrustedCert().sha256.isEmpty() && askToTrustCertificate()) {
        m_discovery->start(m_url);
        return;
    }
    setBusy(false);
    showError(reason);
}

bool CalDavConnectionDialog::askToTrustCertificate()
{
    const CalDavClient::UntrustedCertInfo info = m_client->pendingUntrustedCert();
    CalDavCertificateDialog question(info, this);
    question.exec();
    if (!question.trusted())
        return false;
    // Pin exactly the certificate the user saw.
    m_client->setTrustedCertSha256(info.sha256);
    return true;
}

void CalDavConnectionDialog::onDiscovered(const QList<CalDavParse::DiscoveredCalendar>& calendars)
{
    setBusy(false);
    if (!m_state || !m_state->accounts()) {
        showError(tr("The account could not be saved."));
        return;
    }
    const QDateTime now = Clock::now();
    Account account;
    account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    account.type = caldavType;
    account.username = m_username->text().trimmed();
    account.name = QStringLiteral("%1@%2").arg(account.username, m_url.host());
    account.serverUrl = m_url.toString();
    account.trustedCertSha256 = m_client->trustedCertSha256();
    account.createdAt = account.updatedAt = now;

    // The secret first: an account that cannot find its password would only fail later.
    const std::unique_ptr<OrvaAccount::TokenStore> secrets =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    const QString secretKey = QStringLiteral("caldav-password-") + account.id;
    if (!secrets->write(secretKey, m_password->text())) {
        showError(tr("The password could not be stored in the credential store."));
        return;
    }
    if (!m_state->accounts()->insert(account)) {
        secrets->remove(secretKey);
        showError(tr("The account could not be saved."));
        return;
    }
    if (CalDavImport::importDiscoveredCalendars(m_state, account.id, calendars, &m_leftOut) < 1) {
        SourceRemoval::removeAccount(m_state, account.id);
        showError(tr("The account's calendars could not be saved."));
        return;
    }
    m_accountId = account.id;
    QDialog::accept();
}

void CalDavConnectionDialog::setBusy(bool busy)
{
    for (QWidget* field : {static_cast<QWidget*>(m_server), static_cast<QWidget*>(m_username),
                           static_cast<QWidget*>(m_password)})
        field->setEnabled(!busy);
    m_buttons->button(QDialogButtonBox::Cancel)->setEnabled(!busy);
    for (QAbstractButton* button : m_buttons->buttons()) {
        if (m_buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setEnabled(!busy);
    }
}

void CalDavConnectionDialog::showError(const QString& text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}
