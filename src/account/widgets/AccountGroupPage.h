#pragma once

#include "Group.h"

#include <QWidget>

class QVBoxLayout;

namespace OrvaAccount {

class AccountStatusLine;
class Client;

// The account screen's "Group" page: the group with its members and pending invitations, and
// joining, inviting, removing and leaving. Every load rebuilds the page; an answer older than
// the one shown, or one that comes after the page is gone, is dropped.
class AccountGroupPage : public QWidget
{
    Q_OBJECT

public:
    // The client and the status line are not owned; dialogs open over `dialogParent`.
    AccountGroupPage(Client* client, AccountStatusLine* status, QWidget* dialogParent,
                     QWidget* parent = nullptr);

    void refresh();
    // From the signed-in user's claims, not from the group last shown.
    bool viewerOwnsGroup() const;

Q_SIGNALS:
    // A group answer arrived: whether the user owns the group may read differently now.
    void ownershipMayHaveChanged();

private:
    void populate(const Group& group, const QString& error);
    // Runs the refresh 500 ms from now, unless the page is gone by then.
    void refreshLater();

    void joinGroup();
    void removeMember(const GroupMember& member, const QString& shownName);
    void revokeInvitation(const QString& invitationId);
    void inviteByEmail();
    void generateInviteCode();
    void leaveGroup();

    Client* m_client;
    AccountStatusLine* m_status;
    QWidget* m_dialogParent;
    QVBoxLayout* m_layout = nullptr;
    QWidget* m_content = nullptr;
    // Every load is numbered; an answer older than the one shown is dropped.
    struct Loads
    {
        int sent = 0;
        int shown = 0;
    };
    Loads m_loads;
};

} // namespace OrvaAccount
