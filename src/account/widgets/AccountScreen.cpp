#include "AccountScreen.h"

#include "AccountClient.h"
#include "AccountDisplay.h"
#include "AccountGroupPage.h"
#include "AccountStatusLine.h"
#include "AccountWidgets.h"
#include "AuthClient.h"
#include "Client.h"
#include "Clock.h"
#include "ElidedLabel.h"
#include "Limits.h"
#include "ShownText.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace OrvaAccount {

using namespace AccountWidgets;

namespace {

constexpr int reloadDelayMs = 500;
constexpr int minimumPassword = 8;

} // namespace

AccountScreen::AccountScreen(Client* client, QWidget* parent) : QWidget(parent), m_client(client)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_navList = new QListWidget(this);
    m_navList->setFixedWidth(180);
    m_navList->setFrameShape(QFrame::NoFrame);
    m_navList->setFocusPolicy(Qt::NoFocus);
    m_navList->setSpacing(2);
    m_navList->addItems({QStringLiteral("Profile"), QStringLiteral("Group"),
                         QStringLiteral("Devices"), QStringLiteral("Security"),
                         QStringLiteral("Data & Privacy")});
    const QPalette palette = QApplication::palette();
    const QColor window = palette.color(QPalette::Window);
    const bool dark = window.lightness() < 128;
    const QColor alternate = palette.color(QPalette::AlternateBase);
    const QColor background =
        alternate.isValid() ? alternate : (dark ? window.lighter(115) : window.lighter(97));
    const QColor hover = dark ? window.lighter(135) : window.darker(105);
    m_navList->setStyleSheet(
        QStringLiteral("QListWidget {  background: %1; border: none; padding: 12px 8px;}"
                       "QListWidget::item {  padding: 8px 12px; border-radius: 6px;}"
                       "QListWidget::item:hover { background: %2; }"
                       "QListWidget::item:selected { background: %3; color: %4; }")
            .arg(background.name(), hover.name(), palette.color(QPalette::Highlight).name(),
                 palette.color(QPalette::HighlightedText).name()));

    m_pageStack = new QStackedWidget(this);
    m_statusLabel = new AccountStatusLine(this);
    m_pageStack->addWidget(createProfileTab());
    m_groupPage = new AccountGroupPage(m_client, m_statusLabel, this, this);
    connect(m_groupPage, &AccountGroupPage::ownershipMayHaveChanged, this,
            &AccountScreen::updateOwnerState);
    m_pageStack->addWidget(m_groupPage);
    m_pageStack->addWidget(createDevicesTab());
    m_pageStack->addWidget(createSecurityTab());
    m_pageStack->addWidget(createPrivacyTab());
    connect(m_navList, &QListWidget::currentRowChanged, m_pageStack,
            &QStackedWidget::setCurrentIndex);
    m_navList->setCurrentRow(0);

    m_signedOutPage = createSignedOutPage();
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(m_pageStack, 1);
    right->addWidget(m_signedOutPage, 1);
    right->addWidget(m_statusLabel);

    layout->addWidget(m_navList, 0);
    layout->addLayout(right, 1);

    showSignedOut(m_client && m_client->authClient()->state() == AuthState::SignedOut);
    if (m_client)
        connect(m_client, &Client::authStateChanged, this, &AccountScreen::onAuthStateChanged);
}

void AccountScreen::onAuthStateChanged(AuthState state)
{
    if (state == AuthState::SignedOut) {
        showSignedOut(true);
    } else if (state == AuthState::SignedIn && m_signedOut) {
        // Whatever the pages showed belonged to the session that ended.
        showSignedOut(false);
        refresh();
    }
}

void AccountScreen::showSignedOut(bool signedOut)
{
    m_signedOut = signedOut;
    m_navList->setVisible(!signedOut);
    m_pageStack->setVisible(!signedOut);
    m_signedOutPage->setVisible(signedOut);
}

// --- loading -----------------------------------------------------------------------------------

void AccountScreen::refresh()
{
    refreshProfile();
    refreshGroup();
    refreshDevices();
    refreshSessions();
    updateOwnerState();
}

void AccountScreen::refreshProfile()
{
    if (!m_client)
        return;
    const int load = ++m_profileLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->authClient()->fetchCurrentUser([self, load](const User& user) {
        if (!self || load <= self->m_profileLoads.shown)
            return;
        self->m_profileLoads.shown = load;
        // A failed request hands back the user known before, none at the first load. Once the
        // session has ended, the note says why better than this would.
        if (user.id.isEmpty() && self->m_signedOut)
            return;
        if (user.id.isEmpty()) {
            self->showError(QStringLiteral("Could not load your profile."));
            return;
        }
        self->m_displayName = user.displayName;
        self->showName(user.displayName);
        self->m_emailLabel->setFullText(ShownText::bounded(user.email, Limits::maxRowTextChars));
    });
}

void AccountScreen::showName(const QString& displayName)
{
    m_nameLabel->setFullText(displayName.isEmpty()
                                 ? QStringLiteral("(not set)")
                                 : ShownText::bounded(displayName, Limits::maxRowTextChars));
}

void AccountScreen::refreshGroup()
{
    m_groupPage->refresh();
}

void AccountScreen::refreshDevices()
{
    if (!m_client)
        return;
    const int load = ++m_deviceLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->fetchDevices(
        [self, load](const QList<Device>& devices, const QString& error, int leftOut) {
            if (!self || load <= self->m_deviceLoads.shown)
                return;
            self->m_deviceLoads.shown = load;
            self->populateDevices(devices, error, leftOut);
        });
}

void AccountScreen::refreshSessions()
{
    if (!m_client)
        return;
    const int load = ++m_sessionLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->authClient()->fetchSessions(
        [self, load](const QList<Session>& sessions, const QString& error, int leftOut) {
            if (!self || load <= self->m_sessionLoads.shown)
                return;
            self->m_sessionLoads.shown = load;
            self->populateSessions(sessions, error, leftOut);
        });
}

void AccountScreen::refreshLater(void (AccountScreen::*refresh)())
{
    QTimer::singleShot(reloadDelayMs, this, refresh);
}

void AccountScreen::updateOwnerState()
{
    const bool owner = m_groupPage->viewerOwnsGroup();
    m_ownerNote->setVisible(owner);
    m_deleteButton->setEnabled(!owner);
}

// --- page shells -------------------------------------------------------------------------------

QWidget* AccountScreen::createPage(const QString& title, QVBoxLayout** layout)
{
    auto* page = new QWidget(this);
    *layout = pageLayout(page, title);
    return page;
}

QWidget* AccountScreen::createProfileTab()
{
    QVBoxLayout* layout = nullptr;
    QWidget* page = createPage(QStringLiteral("Profile"), &layout);
    layout->addWidget(sectionHeader(QStringLiteral("Personal Information")));
    auto* identity = new QVBoxLayout;
    identity->setContentsMargins(12, 0, 0, 0);
    identity->setSpacing(6);
    m_nameLabel = serviceLabel(QString(), page);
    m_emailLabel = serviceLabel(QString(), page);
    useSecondaryColour(m_emailLabel);
    identity->addWidget(m_nameLabel);
    identity->addWidget(m_emailLabel);
    layout->addLayout(identity);
    layout->addSpacing(8);
    QHBoxLayout* nameRow = indentedRow();
    m_editNameButton = new QPushButton(QStringLiteral("Edit Display Name"), page);
    connect(m_editNameButton, &QPushButton::clicked, this, &AccountScreen::editDisplayName);
    nameRow->addWidget(m_editNameButton);
    nameRow->addStretch(1);
    layout->addLayout(nameRow);
    layout->addSpacing(16);
    layout->addWidget(separator(page));
    layout->addSpacing(8);
    layout->addWidget(
        sectionHeader(QStringLiteral("Password"), QStringLiteral("Change your account password.")));
    QHBoxLayout* passwordRow = indentedRow();
    auto* password = new QPushButton(QStringLiteral("Change Password"), page);
    connect(password, &QPushButton::clicked, this, &AccountScreen::changePassword);
    passwordRow->addWidget(password);
    passwordRow->addStretch(1);
    layout->addLayout(passwordRow);
    layout->addStretch(1);
    return page;
}

QWidget* AccountScreen::createDevicesTab()
{
    QWidget* page = createPage(QStringLiteral("Devices"), &m_devicesLayout);
    m_devicesContent = new QWidget(page);
    m_devicesLayout->addWidget(m_devicesContent);
    m_devicesLayout->addStretch(1);
    return page;
}

QWidget* AccountScreen::createSecurityTab()
{
    QWidget* page = createPage(QStringLiteral("Security"), &m_sessionsLayout);
    m_sessionsContent = new QWidget(page);
    m_sessionsLayout->addWidget(m_sessionsContent);
    m_sessionsLayout->addStretch(1);
    return page;
}

QWidget* AccountScreen::createPrivacyTab()
{
    QVBoxLayout* layout = nullptr;
    QWidget* page = createPage(QStringLiteral("Data & Privacy"), &layout);
    layout->addWidget(sectionHeader(
        QStringLiteral("Danger Zone"),
        QStringLiteral("Permanently delete your account. This cannot be undone after 30 days.")));
    m_ownerNote = plainLabel(QStringLiteral("You are the group owner. Transfer ownership or "
                                            "remove all members before deleting your account."),
                             page);
    m_ownerNote->setWordWrap(true);
    useSecondaryColour(m_ownerNote);
    m_ownerNote->setFont(smaller(m_ownerNote->font(), 1));
    m_ownerNote->setContentsMargins(12, 0, 0, 0);
    layout->addWidget(m_ownerNote);
    QHBoxLayout* row = indentedRow();
    m_deleteButton = new QPushButton(QStringLiteral("Delete Account"), page);
    m_deleteButton->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; background: #C62828; border: none;  border-radius: 4px; "
        "padding: 6px 16px; font-weight: 600; }QPushButton:hover { background: #B71C1C; "
        "}QPushButton:disabled { background: #666; }"));
    connect(m_deleteButton, &QPushButton::clicked, this, &AccountScreen::deleteAccount);
    row->addWidget(m_deleteButton);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    updateOwnerState();
    return page;
}

QWidget* AccountScreen::createSignedOutPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* page = createPage(QStringLiteral("Signed Out"), &layout);
    QLabel* note = plainLabel(QStringLiteral("Your session has ended. Sign in again."), page);
    note->setWordWrap(true);
    note->setContentsMargins(12, 0, 0, 0);
    layout->addWidget(note);
    layout->addSpacing(8);
    QHBoxLayout* row = indentedRow();
    auto* signInButton = new QPushButton(QStringLiteral("Sign In"), page);
    connect(signInButton, &QPushButton::clicked, this,
            [this] { AccountWidgets::signIn(m_client->authClient(), this); });
    row->addWidget(signInButton);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    return page;
}

// --- page contents -----------------------------------------------------------------------------

void AccountScreen::populateDevices(const QList<Device>& devices, const QString& error, int leftOut)
{
    QVBoxLayout* layout = AccountWidgets::replaceContent(m_devicesLayout, m_devicesContent, 4);
    QWidget* content = m_devicesContent;
    layout->addWidget(sectionHeader(QStringLiteral("Registered Devices"),
                                    QStringLiteral("Devices that have synced with your account.")));
    if (!error.isEmpty()) {
        layout->addWidget(
            errorNote(QStringLiteral("Could not load your devices: %1").arg(error), content));
        return;
    }
    if (devices.isEmpty()) {
        QLabel* none = plainLabel(QStringLiteral("No devices registered."), content);
        useSecondaryColour(none);
        none->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(none);
        return;
    }
    const QDateTime now = Clock::now();
    for (const Device& device : devices) {
        QHBoxLayout* row = rowWidget(content, layout, 6, 6);
        QWidget* rowParent = row->parentWidget();
        auto* text = new QVBoxLayout;
        text->setSpacing(2);
        // The device's name is the service's text: bold by its font, never as markup.
        QLabel* title = serviceLabel(device.deviceName.isEmpty() ? QStringLiteral("Unknown Device")
                                                                 : device.deviceName,
                                     content);
        title->setFont(weighted(title->font(), QFont::Bold));
        text->addWidget(title);
        for (const QString& line :
             {AccountDisplay::deviceDetail(device.platform, device.appVersion),
              AccountDisplay::formatRelativeTime(device.lastSyncAt, now)}) {
            QLabel* label = serviceLabel(line, rowParent);
            useSecondaryColour(label);
            label->setFont(smaller(label->font(), 1));
            text->addWidget(label);
        }
        row->addLayout(text, 1);
        // Without an id there is no device the service could be asked to remove.
        if (!device.id.isEmpty()) {
            auto* remove = new QPushButton(QStringLiteral("Remove"), rowParent);
            connect(remove, &QPushButton::clicked, this, [this, device] { removeDevice(device); });
            row->addWidget(remove);
        }
        layout->addWidget(separator(content));
    }
    if (leftOut > 0)
        layout->addWidget(leftOutNote(tr("Only the first %1 of %2 devices are shown.")
                                          .arg(devices.size())
                                          .arg(devices.size() + leftOut),
                                      content));
}

void AccountScreen::populateSessions(const QList<Session>& sessions, const QString& error,
                                     int leftOut)
{
    QVBoxLayout* layout = AccountWidgets::replaceContent(m_sessionsLayout, m_sessionsContent, 8);
    QWidget* content = m_sessionsContent;
    layout->addWidget(
        sectionHeader(QStringLiteral("Active Sessions"),
                      QStringLiteral("Sessions currently signed in to your account.")));
    if (!error.isEmpty()) {
        layout->addWidget(
            errorNote(QStringLiteral("Could not load your sessions: %1").arg(error), content));
        return;
    }
    if (sessions.isEmpty()) {
        QLabel* none = plainLabel(QStringLiteral("No active sessions."), content);
        none->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(none);
        return;
    }
    const QDateTime now = Clock::now();
    for (const Session& session : sessions) {
        QHBoxLayout* row = rowWidget(content, layout, 6, 6);
        QWidget* rowParent = row->parentWidget();
        auto* text = new QVBoxLayout;
        text->setSpacing(2);
        QLabel* clientLabel =
            serviceLabel(AccountDisplay::sessionClient(session.userAgent), rowParent);
        clientLabel->setFont(weighted(clientLabel->font(), QFont::Medium));
        text->addWidget(clientLabel);
        QString detail = session.isCurrent
                             ? QStringLiteral("This session")
                             : AccountDisplay::formatRelativeTime(session.lastActiveAt, now);
        if (!session.ipAddress.isEmpty())
            detail += QStringLiteral("  \u00B7  %1").arg(session.ipAddress);
        QLabel* detailLabel = serviceLabel(detail, rowParent);
        useSecondaryColour(detailLabel);
        detailLabel->setFont(smaller(detailLabel->font(), 1));
        text->addWidget(detailLabel);
        row->addLayout(text, 1);
        if (session.isCurrent) {
            QLabel* current = plainLabel(QStringLiteral("Current"), rowParent);
            useTextColour(current, "#2E7D32");
            current->setFont(weighted(current->font(), QFont::Medium));
            row->addWidget(current);
        } else if (!session.id.isEmpty()) {
            auto* revoke = new QPushButton(QStringLiteral("Revoke"), rowParent);
            const QString id = session.id;
            connect(revoke, &QPushButton::clicked, this, [this, id] { revokeSession(id); });
            row->addWidget(revoke);
        }
        layout->addWidget(separator(content));
    }
    if (leftOut > 0)
        layout->addWidget(leftOutNote(tr("Only the first %1 of %2 sessions are shown.")
                                          .arg(sessions.size())
                                          .arg(sessions.size() + leftOut),
                                      content));
}

// --- actions -----------------------------------------------------------------------------------

void AccountScreen::editDisplayName()
{
    // Prefilled with the stored name, never with the "(not set)" placeholder.
    const std::optional<QString> entered =
        AccountWidgets::prompt(this, QStringLiteral("Edit Display Name"),
                               QStringLiteral("Display name:"), false, m_displayName);
    // An unchanged name is not sent again.
    if (!entered || entered->trimmed().isEmpty() || *entered == m_displayName)
        return;
    m_editNameButton->setEnabled(false);
    QPointer<AccountScreen> self(this);
    m_client->authClient()->updateProfile(entered->trimmed(), [self](const User& user) {
        if (!self)
            return;
        self->m_editNameButton->setEnabled(true);
        if (user.id.isEmpty()) {
            self->showError(QStringLiteral("Failed to update profile."));
            return;
        }
        self->m_displayName = user.displayName;
        self->showName(user.displayName);
        self->showSuccess(QStringLiteral("Display name updated."));
    });
}

void AccountScreen::changePassword()
{
    const QString title = QStringLiteral("Change Password");
    const std::optional<QString> current =
        AccountWidgets::prompt(this, title, QStringLiteral("Current password:"), true);
    if (!current || current->isEmpty())
        return;
    const std::optional<QString> fresh = AccountWidgets::prompt(
        this, title, QStringLiteral("New password (min 8 characters):"), true);
    if (!fresh || fresh->isEmpty())
        return;
    if (fresh->size() < minimumPassword) {
        showError(QStringLiteral("Password must be at least 8 characters."));
        return;
    }
    const std::optional<QString> confirmed =
        AccountWidgets::prompt(this, title, QStringLiteral("Confirm new password:"), true);
    if (!confirmed || *confirmed != *fresh) {
        showError(QStringLiteral("Passwords do not match."));
        return;
    }
    auto* button = qobject_cast<QPushButton*>(sender());
    if (button)
        button->setEnabled(false);
    QPointer<AccountScreen> self(this);
    QPointer<QPushButton> guardedButton(button);
    m_client->authClient()->changePassword(*current, *fresh, [self, guardedButton](bool ok) {
        if (!self)
            return;
        if (guardedButton)
            guardedButton->setEnabled(true);
        if (ok)
            self->showSuccess(QStringLiteral("Password changed."));
        else
            self->showError(QStringLiteral("Failed to change password."));
    });
}

void AccountScreen::removeDevice(const Device& device)
{
    if (!AccountWidgets::ask(
            this, QStringLiteral("Remove Device"),
            QStringLiteral("Remove %1?")
                .arg(ShownText::bounded(device.deviceName, Limits::maxRowTextChars))))
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->removeDevice(device.id, [self](bool ok, const QString& error) {
        if (!self)
            return;
        if (ok)
            self->showSuccess(QStringLiteral("Device removed."));
        else
            self->showError(QStringLiteral("Could not remove the device: %1").arg(error));
        self->refreshLater(&AccountScreen::refreshDevices);
    });
}

void AccountScreen::revokeSession(const QString& sessionId)
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->revokeSession(sessionId, [self](bool ok, const QString& error) {
        if (!self)
            return;
        if (ok)
            self->showSuccess(QStringLiteral("Session revoked."));
        else
            self->showError(QStringLiteral("Could not revoke the session: %1").arg(error));
        self->refreshLater(&AccountScreen::refreshSessions);
    });
}

void AccountScreen::deleteAccount()
{
    const std::optional<QString> typed = AccountWidgets::prompt(
        this, QStringLiteral("Delete Account"),
        QStringLiteral("This will schedule your account for permanent deletion after 30 "
                       "days.\n\nType DELETE to confirm:"),
        false);
    // Exactly the word: not trimmed, not folded.
    if (!typed || *typed != QLatin1String("DELETE"))
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->deleteAccount([self](bool ok) {
        if (!self)
            return;
        if (!ok) {
            self->showError(QStringLiteral("Failed to delete account."));
            return;
        }
        QPointer<QMessageBox> box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Account Scheduled for Deletion"),
            QStringLiteral("Your account will be permanently deleted in 30 days. You can "
                           "recover it by signing in before then."),
            QMessageBox::Ok, self);
        box->exec();
        delete box;
        if (self)
            Q_EMIT self->logoutRequested();
    });
}

// --- dialogs and the status line ---------------------------------------------------------------

void AccountScreen::showError(const QString& text)
{
    m_statusLabel->showError(text);
}

void AccountScreen::showSuccess(const QString& text)
{
    m_statusLabel->showSuccess(text);
}

} // namespace OrvaAccount
