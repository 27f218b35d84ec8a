#pragma once

#include "Account.h"
#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

// Which stored events invite the user, and whether each still awaits an answer. Pure functions;
// Invitations::Service reads the store and carries out the answers.
namespace Invitations {

struct InvitationLists
{
    QList<Event> pending; // awaiting the user's answer, by start ascending
    QList<Event> past;    // answered or over, by start descending
};

// Days before and after "now" whose events are searched for invitations.
inline constexpr int windowDaysBefore = 90;
inline constexpr int windowDaysAfter = 365;

// The lower-cased user names of the accounts that contain an at sign.
QSet<QString> ownEmails(const QList<Account>& accounts);

// The first attendee whose lower-cased address is one of `own`; -1 when there is none.
int ownAttendeeIndex(const Event& event, const QSet<QString>& own);

// When an invitation is over: its end (else its start); for a series, the end of its first
// occurrence still running at `now` or later within `windowEnd`, else the series' UNTIL, else
// the master row's own end.
QDateTime referenceTime(const Event& event, const QDateTime& now, const QDateTime& windowEnd);

// Splits stored rows (series as master rows) into pending and past. Cancelled events and events
// without an own attendee are in neither list. An own attendee's "needs-action" (any case) with
// a reference time not before `now` is pending; everything else is past.
InvitationLists classify(const QList<Event>& events, const QSet<QString>& own, const QDateTime& now,
                         const QDateTime& windowEnd);

} // namespace Invitations
