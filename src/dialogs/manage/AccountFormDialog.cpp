#include "AccountFormDialog.h"

#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AccountTypes.h"
#include "AppState.h"
#include "CalDavCertificateDialog.h"
#include "CalDavClient.h"
#include "CalDavConnectionDialog.h"
#include "CalDavDiscovery.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "CredentialManagerTokenStore.h"
#include "FormMerge.h"
#include "GoogleAuthService.h"
#include "Limits.h"
#include "LongTextField.h"
#include "MicrosoftAuthService.h"
#include "OAuthProgressDialog.h"
#include "OAuthTokenStorage.h"
#include "Platform.h"
#include "ShownText.h"
#include "TokenStore.h"

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

bool hasServerPassword(const Account& account)
{
    return !account.serverUrl.isEmpty() && AccountTypes::isCalDavFamily(account.type);
}

QString passwordKey(const QString& accountId)
{
    return QStringLiteral("caldav-password-") + accountId;
}

OAuthProtocol::Provider providerOf(const QString& type)
{
    return type == QLatin1String("google") ? OAuthProtocol::Provider::Google
                                           : OAuthProtocol::Provider::Microsoft;
}

// The error the Microsoft sync stores while an account has no sign-in.
const QString signInRequired = QStringLiteral("Sign in required");

} // namespace

AccountFormDialog::AccountFormDialog(AppState* state, QWidget* parent)
    : QDialog(parent), m_state(state), m_adding(true)
{
    setWindowTitle(tr("Add Account"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto* heading = new QLabel(tr("Where are your calendars?"), this);
    QFont bold = heading->font();
    bold.setWeight(QFont::Bold);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto* subtitle = new QLabel(tr("Google and Microsoft accounts sign in through your web "
                                   "browser, so this program never sees their passwords."),
                                this);
    subtitle->setWordWrap(true);
    subtitle->setProperty("muted", true);
    layout->addWidget(subtitle);

    const struct
    {
        QString type;
        QString title;
        QString description;
    } choices[] = {
        {QStringLiteral("google"), tr("Google"),
         tr("Google Calendar, signed in through your browser.")},
        {QStringLiteral("microsoft"), tr("Microsoft"),
         tr("Outlook.com and Microsoft 365, signed in through your browser. Their calendars do "
            "not sync yet.")},
        {QStringLiteral("caldav"), tr("CalDAV Server"),
         tr("Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and "
            "password.")},
    };
    for (const auto& choice : choices) {
        auto* button = new QCommandLinkButton(choice.title, choice.description, this);
        button->setObjectName(choice.type);
        button->setAutoDefault(false);
        layout->addWidget(button);
        const QString type = choice.type;
        connect(button, &QCommandLinkButton::clicked, this, [this, type] {
            if (AccountTypes::isOAuth(type))
                signIn(type);
            else
                addCalDavAccount();
        });
    }
    // Room the wrapped texts do not need goes below the choices, not between the labels.
    layout->addStretch(1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    // Provider replies end up here: plain text only.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->hide();
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

AccountFormDialog::AccountFormDialog(AppState* state, const Account& account, QWidget* parent)
    : QDialog(parent), m_state(state), m_account(account), m_pin(account.trustedCertSha256)
{
    setWindowTitle(tr("Edit Account"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = new QLineEdit(this);
    m_nameText = new LongTextField(m_name);
    m_nameText->setText(account.name);
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
    if (AccountTypes::isOAuth(account.type)) {
        const bool google = account.type == QLatin1String("google");
        const QString refreshToken =
            google ? Google::AuthService::loadTokens(account.id).refreshToken
                   : Microsoft::AuthService::loadTokens(account.id).refreshToken;
        // A sign-in the provider refused counts as none, as in the status bar.
        auto* signedIn = new QLabel(this);
        signedIn->setTextFormat(Qt::PlainText);
        // The name is the provider's, one word at any length: elided, it leaves the form its
        // width.
        const auto signedInAs = [signedIn](const QString& name) {
            return tr("Signed in as %1")
                .arg(signedIn->fontMetrics().elidedText(
                    ShownText::bounded(name, Limits::maxRowTextChars), Qt::ElideRight, 280));
        };
        signedIn->setText(AccountAttention::needsSignIn(account, !refreshToken.isEmpty())
                              ? tr("Not signed in")
                              : signedInAs(account.username));
        signedIn->setWordWrap(true);
        form->addRow(tr("Sign-in:"), signedIn);
        auto* again = new QPushButton(tr("Sign In Again…"), this);
        again->setObjectName(QStringLiteral("signInAgain"));
        again->setAutoDefault(false);
        form->addRow(QString(), again);
        connect(again, &QPushButton::clicked, this, [this, signedIn, signedInAs] {
            signIn(m_account.type);
            if (m_credentialsChanged)
                signedIn->setText(signedInAs(m_account.username));
        });
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
    m_shown = formValues();
}

void AccountFormDialog::addCalDavAccount()
{
    CalDavConnectionDialog connection(m_state, this);
    if (connection.exec() != QDialog::Accepted)
        return;
    m_account.id = connection.accountId();
    m_calendarsLeftOut = connection.calendarsLeftOut();
    m_credentialsChanged = true;
    QDialog::accept();
}

void AccountFormDialog::signIn(const QString& type)
{
    const bool google = type == QLatin1String("google");
    OAuthProgressDialog progress(google ? tr("Google") : tr("Microsoft"), this);
    bool ended = false;
    bool stored = false;
    const auto succeeded = [&](const auto& result) {
        ended = true;
        stored = storeSignIn(type, result.email, result.displayName, result.accessToken,
                             result.refreshToken, result.expiresAt);
        progress.finish(stored);
    };
    const auto failed = [&](const QString& reason) {
        ended = true;
        showStatus(reason);
        progress.finish(false);
    };
    showStatus(QString());
    // One service for this attempt; it goes with the attempt, so nothing of it reports later.
    std::unique_ptr<QObject> service;
    if (google) {
        auto* auth = new Google::AuthService;
        service.reset(auth);
        connect(auth, &Google::AuthService::signInSucceeded, &progress, succeeded);
        connect(auth, &Google::AuthService::signInFailed, &progress, failed);
        connect(&progress, &OAuthProgressDialog::cancelRequested, auth,
                &Google::AuthService::cancelSignIn);
        auth->startSignIn();
    } else {
        auto* auth = new Microsoft::AuthService;
        service.reset(auth);
        connect(auth, &Microsoft::AuthService::signInSucceeded, &progress, succeeded);
        connect(auth, &Microsoft::AuthService::signInFailed, &progress, failed);
        connect(&progress, &OAuthProgressDialog::cancelRequested, auth,
                &Microsoft::AuthService::cancelSignIn);
        auth->startSignIn();
    }
    // A sign-in that cannot start (no client credentials, no browser) has ended already.
    if (!ended)
        progress.exec();
    if (stored && m_adding)
        QDialog::accept();
}

bool AccountFormDialog::storeSignIn(const QString& type, const QString& email,
                                    const QString& displayName, const QString& accessToken,
                                    const QString& refreshToken, const QDateTime& expiresAt)
{
    if (!m_state || !m_state->accounts()) {
        showStatus(tr("The account could not be saved."));
        return false;
    }
    const QString provider = type == QLatin1String("google") ? tr("Google") : tr("Microsoft");
    Account account = m_account;
    bool exists = !m_adding;
    if (exists && !account.username.isEmpty() && !email.isEmpty() &&
        email.compare(account.username, Qt::CaseInsensitive) != 0) {
        showStatus(tr("That sign-in is for %1, not for this account (%2). Sign in as %2, or add "
                      "%1 as an account of its own.")
                       .arg(email, account.username));
        return false;
    }
    if (m_adding) {
        // Signing in to an account already here renews its tokens rather than adding it twice.
        for (const Account& existing : m_state->accounts()->getAll()) {
            if (existing.type == type && !email.isEmpty() &&
                existing.username.compare(email, Qt::CaseInsensitive) == 0) {
                account = existing;
                exists = true;
                break;
            }
        }
    }
    if (!exists) {
        account = Account();
        account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        account.type = type;
        account.username = email;
        account.name = !email.isEmpty()         ? email
                       : !displayName.isEmpty() ? displayName
                                                : tr("%1 account").arg(provider);
        account.createdAt = account.updatedAt = Clock::now();
    }
    // The tokens first: an account without them would only ask for a sign-in again.
    const bool saved =
        type == QLatin1String("google")
            ? Google::AuthService::saveTokens(account.id, {accessToken, refreshToken, expiresAt})
            : Microsoft::AuthService::saveTokens(account.id,
                                                 {accessToken, refreshToken, expiresAt});
    if (!saved) {
        showStatus(exists ? tr("Signed in, but the credential store did not take the new "
                               "tokens; the account keeps its old sign-in.")
                          : tr("Signed in, but the credential store did not take the tokens, so "
                               "no account was added."));
        return false;
    }
    if (exists) {
        if (account.lastSyncError == signInRequired) {
            account.lastSyncError.clear();
            account.updatedAt = Clock::now();
            m_state->accounts()->update(account);
        }
        m_account = account;
        m_credentialsChanged = true;
        showStatus(tr("Signed in again as %1.").arg(account.username));
        return true;
    }
    if (!m_state->accounts()->insert(account)) {
        OAuthTokenStorage::remove(providerOf(type), account.id);
        showStatus(tr("The account could not be saved."));
        return false;
    }
    m_account = account;
    m_credentialsChanged = true;
    if (type == QLatin1String("google") && m_googleImport)
        m_googleImport(account.id);
    return true;
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
    // Failures quote what a server answered, and the names it gave.
    m_status->setText(ShownText::bounded(text, Limits::maxRowTextChars));
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

Account AccountFormDialog::formValues() const
{
    Account values;
    // A stored name the user did not edit goes back as it came.
    const QString name = m_nameText->text();
    values.name = name == m_account.name ? name : name.trimmed();
    values.syncIntervalMinutes = m_interval->value();
    values.trustedCertSha256 = m_pin;
    values.pendingCertSha256 =
        m_pin != m_account.trustedCertSha256 ? QString() : m_account.pendingCertSha256;
    return values;
}

void AccountFormDialog::accept()
{
    // Adding ends by itself once an account is stored; there is nothing to accept before.
    if (m_adding) {
        if (!m_account.id.isEmpty())
            QDialog::accept();
        return;
    }
    const Account edited = formValues();
    if (edited.name.trimmed().isEmpty()) {
        showStatus(tr("Please enter a name."));
        return;
    }
    // The account as stored now: a sync may have changed it while the form was open (its last
    // error, or a field the user left alone), or removed it.
    const std::optional<Account> stored =
        m_state && m_state->accounts() ? m_state->accounts()->getById(m_account.id) : std::nullopt;
    if (!stored) {
        showStatus(tr("This account was removed meanwhile, so it cannot be saved."));
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
    const FormMerge::Merged<Account> merged =
        FormMerge::account(m_account, m_shown, *stored, edited);
    if (!m_state->accounts()->update(merged.record)) {
        showStatus(tr("The account could not be saved."));
        return;
    }
    // A sign-in made from this form counts as well: what waited for it is sent at once.
    m_credentialsChanged = m_credentialsChanged || newPassword || newPin;
    ChangedElsewhere::tell(this, merged.replaced);
    QDialog::accept();
}
