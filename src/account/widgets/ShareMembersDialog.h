#pragma once

#include "GroupMember.h"
#include "ShareMember.h"

#include <QDialog>

class QLabel;
class QVBoxLayout;

namespace OrvaAccount {

class Client;
class SharingBackend;

// Who has access to one cloud calendar, and granting and taking away access for the members of
// the user's group. Wording comes from the opener; grants and removals run one at a time and
// their failures show in a red line. Until the group and the shares have been read, their
// sections say they are loading; nobody is offered before both have been read. Every answer is
// dropped once the dialog is gone.
class ShareMembersDialog : public QDialog
{
    Q_OBJECT

public:
    // The opener's wording; an empty text shows the dialog's own fallback where it has one.
    struct Texts
    {
        QString title;
        QString subtitle;
        QString description;
        QString sharedWithHeader;
        QString addPeopleHeader;
        QString emptySharedText;
        QString emptyGroupText;
        QString allSharedText;
        QString shareButton;
        QString removeButton;
        QString closeButton;
        QString defaultRole;
        QString shareErrorTitle;
        QString removeErrorTitle;
        QString confirmRemoveTitle;
        QString confirmRemoveText; // %1: the person's shown name
    };

    // client and backend are not owned and must outlive the dialog's requests' senders; the
    // dialog loads the group and the calendar's shares at once.
    ShareMembersDialog(Client* client, SharingBackend* backend, const QString& calendarId,
                       const Texts& texts, QWidget* parent = nullptr);

    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    // After every grant and every removal the service accepted.
    void sharingChanged();

private:
    void reload();
    void loadGroupMembers();
    void loadShares();
    void rebuild();
    void shareWithMember(const QString& userId, const QString& name);
    void removeShare(const QString& userId, const QString& name);
    void showError(const QString& text);
    QLabel* makeNote(const QString& text, bool isError);
    QWidget* buildPersonRow(const QString& initials, const QString& name,
                            const QString& secondLine);

    Client* m_client;
    SharingBackend* m_backend;
    QString m_calendarId;
    Texts m_texts;
    QLabel* m_errorLabel = nullptr;
    QWidget* m_sharedSection = nullptr;
    QLabel* m_sharedHeader = nullptr;
    QVBoxLayout* m_sharedListLayout = nullptr;
    QWidget* m_addSection = nullptr;
    QLabel* m_addHeader = nullptr;
    QVBoxLayout* m_addListLayout = nullptr;
    QLabel* m_noGroupLabel = nullptr;
    QLabel* m_allSharedLabel = nullptr;
    QList<GroupMember> m_groupMembers;
    int m_membersLeftOut = 0; // group members past the bound, not read
    QList<ShareMember> m_shares;
    QString m_myAccountId;
    bool m_busy = false;
    // A failed load shows its reason, never an empty state.
    QString m_groupError;
    QString m_sharesError;
    // Every load is numbered; a reply older than the list already shown is dropped.
    int m_groupRequests = 0;
    int m_groupShown = 0;
    int m_sharesRequests = 0;
    int m_sharesShown = 0;
};

} // namespace OrvaAccount
