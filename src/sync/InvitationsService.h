#pragma once

#include "Invitations.h"

#include <QObject>
#include <QSet>
#include <QString>

class AppState;

namespace Invitations {

// The events that invite the user (an attendee carries one of the accounts' user names) and the
// user's answers to them. Reads the store afresh at every call; keeps no cache.
class Service : public QObject
{
    Q_OBJECT

public:
    // `state` may be null; then every list is empty and every answer fails.
    explicit Service(AppState* state, QObject* parent = nullptr);

    // The accounts' user names that look like addresses, in lower case.
    QSet<QString> ownEmails() const;
    // Invitations in visible calendars from 90 days ago to 365 days ahead.
    InvitationLists pendingInvitations() const;
    int pendingCount() const;
    // Records `status` on every attendee of the event whose address matches `email` (any case)
    // and marks the event pending with its iCalendar text rebuilt. False when there is no such
    // event or attendee, or the write fails; then nothing is emitted.
    bool respond(const QString& eventId, const QString& email, const QString& status);

Q_SIGNALS:
    void invitationsChanged();

private:
    AppState* m_state;
};

} // namespace Invitations
