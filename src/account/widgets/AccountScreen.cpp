#include "AccountScreen.h"

#include "AccountClient.h"
#include "AccountDisplay.h"
#include "AuthClient.h"
#include "Client.h"
#include "Clock.h"

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

namespace {

const QString ownerRole = QStringLiteral("owner");
constexpr int errorClearMs = 4000;
constexpr int successClearMs = 3000;
constexpr int reloadDelayMs = 500;
constexpr int minimumPassword = 8;
constexpr int smallestPointSize = 7;

QFont smaller(QFont font, int by)
{
    font.setPointSize(std::max(font.pointSize() - by, smallestPointSize));
    return font;
}

QFont weighted(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

// Everything the service says is shown as plain text.
QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void useSecondaryColour(QLabel* label)
{
    QPalette palette = label->palette();
    const QColor colour = QApplication::palette().color(QPalette::PlaceholderText);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, colour);
    label->setPalette(palette);
    // The application's style sheet colours labels over their palette; it subdues these.
    label->setProperty("muted", true);
}

void useTextColour(QLabel* label, const char* colour)
{
    QPalette palette = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, QColor(QLatin1String(colour)));
    label->setPalette(palette);
    // A style sheet of the label's own outranks the application's, which sets label colours.
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QHBoxLayout* indentedRow(int top = 0, int bottom = 0)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, top, 0, bottom);
    return row;
}

// One row of a list, a widget of its own so that its labels and buttons stay together.
QHBoxLayout* rowWidget(QWidget* parent, QVBoxLayout* into, int top, int bottom)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12, top, 0, bottom);
    into->addWidget(row);
    return layout;
}

QLabel* errorNote(const QString& text, QWidget* parent)
{
    QLabel* label = plainLabel(text, parent);
    label->setWordWrap(true);
    label->setContentsMargins(12, 0, 0, 0);
    useTextColour(label, "#C62828");
    return label;
}

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
    m_pageStack->addWidget(createProfileTab());
    m_pageStack->addWidget(createGroupTab());
    m_pageStack->addWidget(createDevicesTab());
    m_pageStack->addWidget(createSecurityTab());
    m_pageStack->addWidget(createPrivacyTab());
    connect(m_navList, &QListWidget::currentRowChanged, m_pageStack,
            &QStackedWidget::setCurrentIndex);
    m_navList->setCurrentRow(0);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(m_pageStack, 1);
    m_statusLabel = plainLabel(QString(), this);
    m_statusLabel->setObjectName(QStringLiteral("accountStatus"));
    m_statusLabel->setFixedHeight(24);
    m_statusLabel->setFont(smaller(m_statusLabel->font(), 1));
    right->addWidget(m_statusLabel);

    layout->addWidget(m_navList, 0);
    layout->addLayout(right, 1);
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
        // A failed request hands back the user known before, none at the first load.
        if (user.id.isEmpty()) {
            self->showError(QStringLiteral("Could not load your profile."));
            return;
        }
        self->m_displayName = user.displayName;
        self->m_nameLabel->setText(user.displayName.isEmpty() ? QStringLiteral("(not set)")
                                                              : user.displayName);
        self->m_emailLabel->setText(user.email);
    });
}

void AccountScreen::refreshGroup()
{
    if (!m_client)
        return;
    const int load = ++m_groupLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->fetchGroup([self, load](const Group& group, const QString& error) {
        if (!self || load <= self->m_groupLoads.shown)
            return;
        self->m_groupLoads.shown = load;
        self->populateGroup(group, error);
    });
}

void AccountScreen::refreshDevices()
{
    if (!m_client)
        return;
    const int load = ++m_deviceLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->fetchDevices(
        [self, load](const QList<Device>& devices, const QString& error) {
            if (!self || load <= self->m_deviceLoads.shown)
                return;
            self->m_deviceLoads.shown = load;
            self->populateDevices(devices, error);
        });
}

void AccountScreen::refreshSessions()
{
    if (!m_client)
        return;
    const int load = ++m_sessionLoads.sent;
    QPointer<AccountScreen> self(this);
    m_client->authClient()->fetchSessions(
        [self, load](const QList<Session>& sessions, const QString& error) {
            if (!self || load <= self->m_sessionLoads.shown)
                return;
            self->m_sessionLoads.shown = load;
            self->populateSessions(sessions, error);
        });
}

void AccountScreen::refreshLater(void (AccountScreen::*refresh)())
{
    QTimer::singleShot(reloadDelayMs, this, refresh);
}

bool AccountScreen::viewerOwnsGroup() const
{
    return m_client && m_client->claims().role == ownerRole;
}

void AccountScreen::updateOwnerState()
{
    const bool owner = viewerOwnsGroup();
    m_ownerNote->setVisible(owner);
    m_deleteButton->setEnabled(!owner);
}

// --- page shells -------------------------------------------------------------------------------

QWidget* AccountScreen::createPage(const QString& title, QVBoxLayout** layout)
{
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(24, 24, 24, 24);
    pageLayout->setSpacing(8);
    QLabel* titleLabel = plainLabel(title, page);
    QFont font = weighted(titleLabel->font(), QFont::DemiBold);
    font.setPointSize(font.pointSize() + 4);
    titleLabel->setFont(font);
    pageLayout->addWidget(titleLabel);
    pageLayout->addSpacing(12);
    *layout = pageLayout;
    return page;
}

QWidget* AccountScreen::createSectionHeader(const QString& title, const QString& description)
{
    auto* header = new QWidget;
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 8);
    QLabel* titleLabel = plainLabel(title, header);
    QFont font = weighted(titleLabel->font(), QFont::Medium);
    font.setPointSize(font.pointSize() + 1);
    titleLabel->setFont(font);
    layout->addWidget(titleLabel);
    if (!description.isEmpty()) {
        QLabel* text = plainLabel(description, header);
        text->setWordWrap(true);
        useSecondaryColour(text);
        text->setFont(smaller(text->font(), 2));
        layout->addWidget(text);
    }
    return header;
}

QVBoxLayout* AccountScreen::replaceContent(QVBoxLayout* pageLayout, QWidget*& content, int spacing)
{
    if (content) {
        pageLayout->removeWidget(content);
        content->deleteLater();
    }
    content = new QWidget(pageLayout->parentWidget());
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    pageLayout->insertWidget(2, content);
    return layout;
}

QWidget* AccountScreen::createProfileTab()
{
    QVBoxLayout* layout = nullptr;
    QWidget* page = createPage(QStringLiteral("Profile"), &layout);
    layout->addWidget(createSectionHeader(QStringLiteral("Personal Information")));
    auto* identity = new QVBoxLayout;
    identity->setContentsMargins(12, 0, 0, 0);
    identity->setSpacing(6);
    m_nameLabel = plainLabel(QString(), page);
    m_emailLabel = plainLabel(QString(), page);
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
    layout->addWidget(createSectionHeader(QStringLiteral("Password"),
                                          QStringLiteral("Change your account password.")));
    QHBoxLayout* passwordRow = indentedRow();
    auto* password = new QPushButton(QStringLiteral("Change Password"), page);
    connect(password, &QPushButton::clicked, this, &AccountScreen::changePassword);
    passwordRow->addWidget(password);
    passwordRow->addStretch(1);
    layout->addLayout(passwordRow);
    layout->addStretch(1);
    return page;
}

QWidget* AccountScreen::createGroupTab()
{
    QWidget* page = createPage(QStringLiteral("Group"), &m_groupLayout);
    m_groupContent = new QWidget(page);
    m_groupLayout->addWidget(m_groupContent);
    m_groupLayout->addStretch(1);
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
    layout->addWidget(createSectionHeader(
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

// --- page contents -----------------------------------------------------------------------------

void AccountScreen::populateGroup(const Group& group, const QString& error)
{
    QVBoxLayout* layout = replaceContent(m_groupLayout, m_groupContent, 8);
    QWidget* content = m_groupContent;
    updateOwnerState();
    if (!error.isEmpty()) {
        layout->addWidget(
            errorNote(QStringLiteral("Could not load your group: %1").arg(error), content));
        return;
    }
    if (group.id.isEmpty()) {
        layout->addWidget(createSectionHeader(
            QStringLiteral("No Group"),
            QStringLiteral("You're not part of a group. The group owner can invite you, or you "
                           "can join with an invite code.")));
        QHBoxLayout* row = indentedRow();
        auto* join = new QPushButton(QStringLiteral("Join with Invite Code"), content);
        connect(join, &QPushButton::clicked, this, &AccountScreen::joinGroup);
        row->addWidget(join);
        row->addStretch(1);
        layout->addLayout(row);
        return;
    }

    layout->addWidget(createSectionHeader(
        group.name,
        QStringLiteral("%1 of %2 seats used").arg(group.members.size()).arg(group.maxSeats)));
    layout->addSpacing(4);
    QLabel* membersLabel = plainLabel(QStringLiteral("Members"), content);
    membersLabel->setFont(weighted(membersLabel->font(), QFont::Medium));
    layout->addWidget(membersLabel);

    const bool owner = viewerOwnsGroup();
    for (const GroupMember& member : group.members) {
        auto* row = new QWidget(content);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(12, 6, 0, 6);
        auto* text = new QVBoxLayout;
        text->setSpacing(2);
        const QString shownName = member.displayName.isEmpty() ? member.email : member.displayName;
        QLabel* name = plainLabel(shownName, row);
        name->setFont(weighted(name->font(), QFont::Medium));
        text->addWidget(name);
        if (!member.email.isEmpty() && member.email != shownName) {
            QLabel* email = plainLabel(member.email, row);
            useSecondaryColour(email);
            email->setFont(smaller(email->font(), 1));
            text->addWidget(email);
        }
        rowLayout->addLayout(text);
        rowLayout->addStretch(1);
        if (member.role == ownerRole) {
            QLabel* badge = plainLabel(QStringLiteral("Owner"), row);
            badge->setFont(weighted(smaller(badge->font(), 2), QFont::Medium));
            useTextColour(badge, "#00897B");
            rowLayout->addWidget(badge);
        }
        if (owner && member.role != ownerRole) {
            auto* remove = new QPushButton(QStringLiteral("Remove"), row);
            connect(remove, &QPushButton::clicked, this,
                    [this, member, shownName] { removeMember(member, shownName); });
            rowLayout->addWidget(remove);
        }
        layout->addWidget(row);
    }

    if (owner && !group.pendingInvitations.isEmpty()) {
        layout->addSpacing(8);
        layout->addWidget(separator(content));
        layout->addSpacing(4);
        QLabel* pending = plainLabel(QStringLiteral("Pending Invitations"), content);
        pending->setFont(weighted(pending->font(), QFont::Medium));
        layout->addWidget(pending);
        for (const GroupInvitation& invitation : group.pendingInvitations) {
            QHBoxLayout* row = indentedRow(4, 4);
            row->addWidget(
                plainLabel(invitation.invitedEmail.isEmpty()
                               ? QStringLiteral("Invite code: %1").arg(invitation.inviteCode)
                               : invitation.invitedEmail,
                           content));
            row->addStretch(1);
            auto* revoke = new QPushButton(QStringLiteral("Revoke"), content);
            const QString id = invitation.id;
            connect(revoke, &QPushButton::clicked, this, [this, id] { revokeInvitation(id); });
            row->addWidget(revoke);
            layout->addLayout(row);
        }
    }

    layout->addSpacing(12);
    layout->addWidget(separator(content));
    layout->addSpacing(4);
    if (owner) {
        layout->addWidget(createSectionHeader(QStringLiteral("Invite Members")));
        QHBoxLayout* row = indentedRow();
        row->setSpacing(8);
        auto* byEmail = new QPushButton(QStringLiteral("Invite by Email"), content);
        auto* byCode = new QPushButton(QStringLiteral("Generate Invite Code"), content);
        connect(byEmail, &QPushButton::clicked, this, &AccountScreen::inviteByEmail);
        connect(byCode, &QPushButton::clicked, this, &AccountScreen::generateInviteCode);
        row->addWidget(byEmail);
        row->addWidget(byCode);
        row->addStretch(1);
        layout->addLayout(row);
    } else {
        QHBoxLayout* row = indentedRow();
        auto* leave = new QPushButton(QStringLiteral("Leave Group"), content);
        connect(leave, &QPushButton::clicked, this, &AccountScreen::leaveGroup);
        row->addWidget(leave);
        row->addStretch(1);
        layout->addLayout(row);
    }
}

void AccountScreen::populateDevices(const QList<Device>& devices, const QString& error)
{
    QVBoxLayout* layout = replaceContent(m_devicesLayout, m_devicesContent, 4);
    QWidget* content = m_devicesContent;
    layout->addWidget(
        createSectionHeader(QStringLiteral("Registered Devices"),
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
        QLabel* title = plainLabel(device.deviceName.isEmpty() ? QStringLiteral("Unknown Device")
                                                               : device.deviceName,
                                   content);
        title->setFont(weighted(title->font(), QFont::Bold));
        text->addWidget(title);
        for (const QString& line :
             {AccountDisplay::deviceDetail(device.platform, device.appVersion),
              AccountDisplay::formatRelativeTime(device.lastSyncAt, now)}) {
            QLabel* label = plainLabel(line, rowParent);
            useSecondaryColour(label);
            label->setFont(smaller(label->font(), 1));
            text->addWidget(label);
        }
        row->addLayout(text);
        row->addStretch(1);
        auto* remove = new QPushButton(QStringLiteral("Remove"), rowParent);
        connect(remove, &QPushButton::clicked, this, [this, device] { removeDevice(device); });
        row->addWidget(remove);
        layout->addWidget(separator(content));
    }
}

void AccountScreen::populateSessions(const QList<Session>& sessions, const QString& error)
{
    QVBoxLayout* layout = replaceContent(m_sessionsLayout, m_sessionsContent, 8);
    QWidget* content = m_sessionsContent;
    layout->addWidget(
        createSectionHeader(QStringLiteral("Active Sessions"),
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
            plainLabel(AccountDisplay::sessionClient(session.userAgent), rowParent);
        clientLabel->setFont(weighted(clientLabel->font(), QFont::Medium));
        text->addWidget(clientLabel);
        QString detail = session.isCurrent
                             ? QStringLiteral("This session")
                             : AccountDisplay::formatRelativeTime(session.lastActiveAt, now);
        if (!session.ipAddress.isEmpty())
            detail += QStringLiteral("  \u00B7  %1").arg(session.ipAddress);
        QLabel* detailLabel = plainLabel(detail, rowParent);
        useSecondaryColour(detailLabel);
        detailLabel->setFont(smaller(detailLabel->font(), 1));
        text->addWidget(detailLabel);
        row->addLayout(text);
        row->addStretch(1);
        if (session.isCurrent) {
            QLabel* current = plainLabel(QStringLiteral("Current"), rowParent);
            useTextColour(current, "#2E7D32");
            current->setFont(weighted(current->font(), QFont::Medium));
            row->addWidget(current);
        } else {
            auto* revoke = new QPushButton(QStringLiteral("Revoke"), rowParent);
            const QString id = session.id;
            connect(revoke, &QPushButton::clicked, this, [this, id] { revokeSession(id); });
            row->addWidget(revoke);
        }
        layout->addWidget(separator(content));
    }
}

// --- actions -----------------------------------------------------------------------------------

void AccountScreen::editDisplayName()
{
    // Prefilled with the stored name, never with the "(not set)" placeholder.
    const std::optional<QString> entered = prompt(
        QStringLiteral("Edit Display Name"), QStringLiteral("Display name:"), false, m_displayName);
    if (!entered || entered->trimmed().isEmpty())
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
        self->m_nameLabel->setText(user.displayName.isEmpty() ? QStringLiteral("(not set)")
                                                              : user.displayName);
        self->showSuccess(QStringLiteral("Display name updated."));
    });
}

void AccountScreen::changePassword()
{
    const QString title = QStringLiteral("Change Password");
    const std::optional<QString> current = prompt(title, QStringLiteral("Current password:"), true);
    if (!current || current->isEmpty())
        return;
    const std::optional<QString> fresh =
        prompt(title, QStringLiteral("New password (min 8 characters):"), true);
    if (!fresh || fresh->isEmpty())
        return;
    if (fresh->size() < minimumPassword) {
        showError(QStringLiteral("Password must be at least 8 characters."));
        return;
    }
    const std::optional<QString> confirmed =
        prompt(title, QStringLiteral("Confirm new password:"), true);
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

void AccountScreen::joinGroup()
{
    const std::optional<QString> code =
        prompt(QStringLiteral("Join Group"), QStringLiteral("Enter invite code:"), false);
    if (!code || code->trimmed().isEmpty())
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->joinGroup(code->trimmed(), [self](bool ok) {
        if (!self)
            return;
        if (!ok) {
            self->showError(QStringLiteral("Invalid or expired invite code."));
            return;
        }
        self->showSuccess(QStringLiteral("Joined group."));
        self->refreshGroup();
    });
}

void AccountScreen::removeMember(const GroupMember& member, const QString& shownName)
{
    if (!ask(QStringLiteral("Remove Member"),
             QStringLiteral("Remove %1 from the group?").arg(shownName)))
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->removeMember(
        member.accountId, [self, shownName](bool ok, const QString& error) {
            if (!self)
                return;
            if (ok)
                self->showSuccess(QStringLiteral("%1 removed.").arg(shownName));
            else
                self->showError(QStringLiteral("Could not remove %1: %2").arg(shownName, error));
            self->refreshLater(&AccountScreen::refreshGroup);
        });
}

void AccountScreen::revokeInvitation(const QString& invitationId)
{
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->revokeInvitation(
        invitationId, [self](bool ok, const QString& error) {
            if (!self)
                return;
            if (ok)
                self->showSuccess(QStringLiteral("Invitation revoked."));
            else
                self->showError(QStringLiteral("Could not revoke the invitation: %1").arg(error));
            self->refreshLater(&AccountScreen::refreshGroup);
        });
}

void AccountScreen::inviteByEmail()
{
    const std::optional<QString> email =
        prompt(QStringLiteral("Invite by Email"), QStringLiteral("Email address:"), false);
    if (!email || email->trimmed().isEmpty())
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->inviteByEmail(
        email->trimmed(), [self](const GroupInvitation& invitation) {
            if (!self)
                return;
            if (invitation.id.isEmpty()) {
                self->showError(QStringLiteral("Failed to send invitation."));
                return;
            }
            self->showSuccess(QStringLiteral("Invitation sent."));
            self->refreshGroup();
        });
}

void AccountScreen::generateInviteCode()
{
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->generateInviteCode([self](const GroupInvitation& invitation) {
        if (!self)
            return;
        if (invitation.inviteCode.isEmpty()) {
            self->showError(QStringLiteral("Failed to generate code."));
            return;
        }
        QPointer<QMessageBox> box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Invite Code"),
            QStringLiteral("Share this code with the person you want to invite:\n\n%1")
                .arg(invitation.inviteCode),
            QMessageBox::Ok, self);
        box->setTextFormat(Qt::PlainText);
        box->exec();
        delete box;
        if (self)
            self->refreshGroup();
    });
}

void AccountScreen::leaveGroup()
{
    if (!ask(QStringLiteral("Leave Group"),
             QStringLiteral("Leave this group? You will lose access to shared data.")))
        return;
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->leaveGroup([self](bool ok, const QString& error) {
        if (!self)
            return;
        if (ok)
            self->showSuccess(QStringLiteral("Left group."));
        else
            self->showError(QStringLiteral("Could not leave the group: %1").arg(error));
        self->refreshLater(&AccountScreen::refreshGroup);
    });
}

void AccountScreen::removeDevice(const Device& device)
{
    if (!ask(QStringLiteral("Remove Device"), QStringLiteral("Remove %1?").arg(device.deviceName)))
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
    const std::optional<QString> typed =
        prompt(QStringLiteral("Delete Account"),
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

bool AccountScreen::ask(const QString& title, const QString& text)
{
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, title, text,
                                                QMessageBox::Yes | QMessageBox::No, this);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::No);
    QPointer<AccountScreen> self(this);
    const int answer = box->exec();
    delete box;
    return self && answer == QMessageBox::Yes;
}

std::optional<QString> AccountScreen::prompt(const QString& title, const QString& label,
                                             bool password, const QString& prefill)
{
    QPointer<QInputDialog> dialog = new QInputDialog(this);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog->setTextValue(prefill);
    QPointer<AccountScreen> self(this);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString text = dialog ? dialog->textValue() : QString();
    delete dialog;
    if (!self || !accepted)
        return std::nullopt;
    return text;
}

void AccountScreen::showError(const QString& text)
{
    showStatus(text, QStringLiteral("color: #C62828; padding: 4px;"), errorClearMs);
}

void AccountScreen::showSuccess(const QString& text)
{
    showStatus(text, QStringLiteral("color: #2E7D32; padding: 4px;"), successClearMs);
}

void AccountScreen::showStatus(const QString& text, const QString& style, int clearAfterMs)
{
    m_statusLabel->setStyleSheet(style);
    m_statusLabel->setText(text);
    const int serial = ++m_statusSerial;
    // A message clears only itself: a newer one outlives the older one's timer.
    QTimer::singleShot(clearAfterMs, this, [this, serial] {
        if (serial == m_statusSerial)
            m_statusLabel->clear();
    });
}

} // namespace OrvaAccount
