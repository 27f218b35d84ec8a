#include "AccountFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalDavCertificateDialog.h"
#include "CalDavClient.h"
#include "CalDavDiscovery.h"
#include "CredentialManagerTokenStore.h"
#include "Platform.h"
#include "TokenStore.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

bool hasServerPassword(const Account& account)
{
    return !account.serverUrl.isEmpty() &&
           (account.type == QLatin1String("caldav") || account.type == QLatin1String("icloud") ||
            account.type == QLatin1String("zoho"));
}

QString passwordKey(const QString& accountId)
{
    return QStringLiteral("caldav-password-") + accountId;
}

} // namespace

AccountFormDialog::AccountFormDialog(AppState* state, const Account& account, QWidget* parent)
    : QDialog(parent), m_state(state), m_account(account), m_pin(account.trustedCertSha256)
{
    setWindowTitle(tr("Edit Account"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = new QLineEdit(account.name, this);
    form->addRow(tr("Name:"), m_name);
    m_interval = new QSpinBox(this);
    m_interval->setRange(0, 24 * 60);
    m_interval->setSuffix(tr(" min"));
    m_interval->setSpecialValueText(tr("Manual only"));
    m_interval->setValue(std::max(0, account.syncIntervalMinutes));
    form->addRow(tr("Sync every:"), m_interval);
    if (!account.serverUrl.isEmpty()) {
        auto* server = new QLabel(account.serverUrl, this);
        server->setTextFormat(Qt::PlainText);
        server->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(tr("Address:"), server);
    }
    if (hasServerPassword(account)) {
        m_password = new QLineEdit(this);
        m_password->setEchoMode(QLineEdit::Password);
        m_password->setPlaceholderText(savedPassword().isEmpty() ? tr("No password saved")
                                                                 : tr("Unchanged"));
        form->addRow(tr("Password:"), m_password);
        m_certificate = new QLabel(this);
        m_certificate->setTextFormat(Qt::PlainText);
        m_certificate->setWordWrap(true);
        m_certificate->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(tr("Certificate:"), m_certificate);
        showPin();
        m_check = new QPushButton(tr("Check Connection"), this);
        m_check->setAutoDefault(false);
        form->addRow(QString(), m_check);
        m_client = new CalDavClient(this);
        m_discovery = new CalDavDiscovery(m_client, this);
        connect(m_check, &QPushButton::clicked, this, &AccountFormDialog::checkConnection);
        connect(m_discovery, &CalDavDiscovery::completed, this, [this] {
            m_check->setEnabled(true);
            showStatus(tr("Connected: the server accepted the password."));
        });
        connect(m_discovery, &CalDavDiscovery::failed, this, [this](const QString& reason) {
            const CalDavClient::UntrustedCertInfo info = m_client->pendingUntrustedCert();
            if (!info.sha256.isEmpty()) {
                CalDavCertificateDialog question(info, this);
                question.exec();
                if (question.trusted()) {
                    // Pin exactly the certificate the user saw; OK stores it.
                    m_pin = info.sha256;
                    m_client->setTrustedCertSha256(m_pin);
                    showPin();
                    m_discovery->start(QUrl(m_account.serverUrl));
                    return;
                }
            }
            m_check->setEnabled(true);
            showStatus(reason);
        });
    }
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    // Server replies end up here: plain text only.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->hide();
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AccountFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

QString AccountFormDialog::savedPassword() const
{
    const std::unique_ptr<OrvaAccount::TokenStore> secrets =
        OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
    return secrets ? secrets->read(passwordKey(m_account.id)).value_or(QString()) : QString();
}

void AccountFormDialog::showPin()
{
    m_certificate->setText(
        m_pin.isEmpty() ? tr("Checked by the system")
                        : tr("Pinned, SHA-256 %1").arg(CalDavClient::formatFingerprint(m_pin)));
}

void AccountFormDialog::showStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void AccountFormDialog::checkConnection()
{
    const QString password = m_password->text().isEmpty() ? savedPassword() : m_password->text();
    if (password.isEmpty()) {
        showStatus(tr("Enter the password first."));
        return;
    }
    m_client->setCredentials(m_account.username, password);
    m_client->setTrustedCertSha256(m_pin);
    m_check->setEnabled(false);
    showStatus(tr("Connecting…"));
    m_discovery->start(QUrl(m_account.serverUrl));
}

void AccountFormDialog::accept()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        showStatus(tr("Please enter a name."));
        return;
    }
    const bool newPassword = m_password && !m_password->text().isEmpty();
    if (newPassword) {
        const std::unique_ptr<OrvaAccount::TokenStore> secrets =
            OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId());
        if (!secrets || !secrets->write(passwordKey(m_account.id), m_password->text())) {
            showStatus(tr("The password could not be stored in the credential store."));
            return;
        }
    }
    const bool newPin = m_pin != m_account.trustedCertSha256;
    Account updated = m_account;
    updated.name = name;
    updated.syncIntervalMinutes = m_interval->value();
    updated.trustedCertSha256 = m_pin;
    if (newPin)
        updated.pendingCertSha256.clear();
    if (!m_state || !m_state->accounts() || !m_state->accounts()->update(updated)) {
        showStatus(tr("The account could not be saved."));
        return;
    }
    m_credentialsChanged = newPassword || newPin;
    QDialog::accept();
}
