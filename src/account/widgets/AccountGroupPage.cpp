#include "AccountGroupPage.h"

#include "AccountClient.h"
#include "AccountStatusLine.h"
#include "AccountWidgets.h"
#include "Client.h"
#include "Limits.h"
#include "ShownText.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace OrvaAccount {

using namespace AccountWidgets;

namespace {

const QString ownerRole = QStringLiteral("owner");
constexpr int reloadDelayMs = 500;

} // namespace

AccountGroupPage::AccountGroupPage(Client* client, AccountStatusLine* status, QWidget* dialogParent,
                                   QWidget* parent)
    : QWidget(parent), m_client(client), m_status(status), m_dialogParent(dialogParent)
{
    m_layout = pageLayout(this, QStringLiteral("Group"));
    m_content = new QWidget(this);
    m_layout->addWidget(m_content);
    m_layout->addStretch(1);
}

bool AccountGroupPage::viewerOwnsGroup() const
{
    return m_client && m_client->claims().role == ownerRole;
}

void AccountGroupPage::refreshLater()
{
    QTimer::singleShot(reloadDelayMs, this, &AccountGroupPage::refresh);
}

void AccountGroupPage::refresh()
{
    if (!m_client)
        return;
    const int load = ++m_loads.sent;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->fetchGroup([self, load](const Group& group, const QString& error) {
        if (!self || load <= self->m_loads.shown)
            return;
        self->m_loads.shown = load;
        self->populate(group, error);
    });
}

void AccountGroupPage::populate(const Group& group, const QString& error)
{
    QVBoxLayout* layout = AccountWidgets::replaceContent(m_layout, m_content, 8);
    QWidget* content = m_content;
    Q_EMIT ownershipMayHaveChanged();
    if (!error.isEmpty()) {
        layout->addWidget(
            errorNote(QStringLiteral("Could not load your group: %1").arg(error), content));
        return;
    }
    if (group.id.isEmpty()) {
        layout->addWidget(sectionHeader(
            QStringLiteral("No Group"),
            QStringLiteral("You're not part of a group. The group owner can invite you, or you "
                           "can join with an invite code.")));
        QHBoxLayout* row = indentedRow();
        auto* join = new QPushButton(QStringLiteral("Join with Invite Code"), content);
        connect(join, &QPushButton::clicked, this, &AccountGroupPage::joinGroup);
        row->addWidget(join);
        row->addStretch(1);
        layout->addLayout(row);
        return;
    }

    const qsizetype memberCount = group.members.size() + group.membersLeftOut;
    layout->addWidget(sectionHeader(
        group.name, QStringLiteral("%1 of %2 seats used").arg(memberCount).arg(group.maxSeats)));
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
        const QString fullName = member.displayName.isEmpty() ? member.email : member.displayName;
        const QString shownName = ShownText::bounded(fullName, Limits::maxRowTextChars);
        QLabel* name = serviceLabel(fullName, row);
        name->setFont(weighted(name->font(), QFont::Medium));
        text->addWidget(name);
        if (!member.email.isEmpty() && member.email != fullName) {
            QLabel* email = serviceLabel(member.email, row);
            useSecondaryColour(email);
            email->setFont(smaller(email->font(), 1));
            text->addWidget(email);
        }
        rowLayout->addLayout(text, 1);
        if (member.role == ownerRole) {
            QLabel* badge = plainLabel(QStringLiteral("Owner"), row);
            badge->setFont(weighted(smaller(badge->font(), 2), QFont::Medium));
            useTextColour(badge, "#00897B");
            rowLayout->addWidget(badge);
        }
        // Without an id there is nobody the service could be asked to remove.
        if (owner && member.role != ownerRole && !member.accountId.isEmpty()) {
            auto* remove = new QPushButton(QStringLiteral("Remove"), row);
            connect(remove, &QPushButton::clicked, this,
                    [this, member, shownName] { removeMember(member, shownName); });
            rowLayout->addWidget(remove);
        }
        layout->addWidget(row);
    }
    if (group.membersLeftOut > 0)
        layout->addWidget(leftOutNote(tr("Only the first %1 of %2 members are shown.")
                                          .arg(group.members.size())
                                          .arg(memberCount),
                                      content));

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
                serviceLabel(invitation.invitedEmail.isEmpty()
                                 ? QStringLiteral("Invite code: %1").arg(invitation.inviteCode)
                                 : invitation.invitedEmail,
                             content),
                1);
            if (!invitation.id.isEmpty()) {
                auto* revoke = new QPushButton(QStringLiteral("Revoke"), content);
                const QString id = invitation.id;
                connect(revoke, &QPushButton::clicked, this, [this, id] { revokeInvitation(id); });
                row->addWidget(revoke);
            }
            layout->addLayout(row);
        }
        if (group.invitationsLeftOut > 0)
            layout->addWidget(
                leftOutNote(tr("Only the first %1 of %2 invitations are shown.")
                                .arg(group.pendingInvitations.size())
                                .arg(group.pendingInvitations.size() + group.invitationsLeftOut),
                            content));
    }

    layout->addSpacing(12);
    layout->addWidget(separator(content));
    layout->addSpacing(4);
    if (owner) {
        layout->addWidget(sectionHeader(QStringLiteral("Invite Members")));
        QHBoxLayout* row = indentedRow();
        row->setSpacing(8);
        auto* byEmail = new QPushButton(QStringLiteral("Invite by Email"), content);
        auto* byCode = new QPushButton(QStringLiteral("Generate Invite Code"), content);
        connect(byEmail, &QPushButton::clicked, this, &AccountGroupPage::inviteByEmail);
        connect(byCode, &QPushButton::clicked, this, &AccountGroupPage::generateInviteCode);
        row->addWidget(byEmail);
        row->addWidget(byCode);
        row->addStretch(1);
        layout->addLayout(row);
    } else {
        QHBoxLayout* row = indentedRow();
        auto* leave = new QPushButton(QStringLiteral("Leave Group"), content);
        connect(leave, &QPushButton::clicked, this, &AccountGroupPage::leaveGroup);
        row->addWidget(leave);
        row->addStretch(1);
        layout->addLayout(row);
    }
}

void AccountGroupPage::joinGroup()
{
    const std::optional<QString> code = AccountWidgets::prompt(
        m_dialogParent, QStringLiteral("Join Group"), QStringLiteral("Enter invite code:"), false);
    if (!code || code->trimmed().isEmpty())
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->joinGroup(code->trimmed(), [self](bool ok) {
        if (!self)
            return;
        if (!ok) {
            self->m_status->showError(QStringLiteral("Invalid or expired invite code."));
            return;
        }
        self->m_status->showSuccess(QStringLiteral("Joined group."));
        self->refresh();
    });
}

void AccountGroupPage::removeMember(const GroupMember& member, const QString& shownName)
{
    if (!AccountWidgets::ask(m_dialogParent, QStringLiteral("Remove Member"),
                             QStringLiteral("Remove %1 from the group?").arg(shownName)))
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->removeMember(
        member.accountId, [self, shownName](bool ok, const QString& error) {
            if (!self)
                return;
            if (ok)
                self->m_status->showSuccess(QStringLiteral("%1 removed.").arg(shownName));
            else
                self->m_status->showError(
                    QStringLiteral("Could not remove %1: %2").arg(shownName, error));
            self->refreshLater();
        });
}

void AccountGroupPage::revokeInvitation(const QString& invitationId)
{
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->revokeInvitation(
        invitationId, [self](bool ok, const QString& error) {
            if (!self)
                return;
            if (ok)
                self->m_status->showSuccess(QStringLiteral("Invitation revoked."));
            else
                self->m_status->showError(
                    QStringLiteral("Could not revoke the invitation: %1").arg(error));
            self->refreshLater();
        });
}

void AccountGroupPage::inviteByEmail()
{
    const std::optional<QString> email = AccountWidgets::prompt(
        m_dialogParent, QStringLiteral("Invite by Email"), QStringLiteral("Email address:"), false);
    if (!email || email->trimmed().isEmpty())
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->inviteByEmail(
        email->trimmed(), [self](const GroupInvitation& invitation) {
            if (!self)
                return;
            if (invitation.id.isEmpty()) {
                self->m_status->showError(QStringLiteral("Failed to send invitation."));
                return;
            }
            self->m_status->showSuccess(QStringLiteral("Invitation sent."));
            self->refresh();
        });
}

void AccountGroupPage::generateInviteCode()
{
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->generateInviteCode([self](const GroupInvitation& invitation) {
        if (!self)
            return;
        if (invitation.inviteCode.isEmpty()) {
            self->m_status->showError(QStringLiteral("Failed to generate code."));
            return;
        }
        QPointer<QMessageBox> box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Invite Code"),
            QStringLiteral("Share this code with the person you want to invite:\n\n%1")
                .arg(invitation.inviteCode),
            QMessageBox::Ok, self->m_dialogParent);
        box->setTextFormat(Qt::PlainText);
        box->exec();
        delete box;
        if (self)
            self->refresh();
    });
}

void AccountGroupPage::leaveGroup()
{
    if (!AccountWidgets::ask(
            m_dialogParent, QStringLiteral("Leave Group"),
            QStringLiteral("Leave this group? You will lose access to shared data.")))
        return;
    QPointer<AccountGroupPage> self(this);
    m_client->accountClient()->leaveGroup([self](bool ok, const QString& error) {
        if (!self)
            return;
        if (ok)
            self->m_status->showSuccess(QStringLiteral("Left group."));
        else
            self->m_status->showError(QStringLiteral("Could not leave the group: %1").arg(error));
        self->refreshLater();
    });
}

} // namespace OrvaAccount
