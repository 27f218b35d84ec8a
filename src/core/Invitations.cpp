#include "Invitations.h"

#include "EventSort.h"
#include "Recurrence.h"

#include <algorithm>

namespace Invitations {

QSet<QString> ownEmails(const QList<Account>& accounts)
{
    QSet<QString> emails;
    for (const Account& account : accounts) {
        if (account.username.contains(QLatin1Char('@')))
            emails.insert(account.username.toLower());
    }
    return emails;
}

int ownAttendeeIndex(const Event& event, const QSet<QString>& own)
{
    for (qsizetype i = 0; i < event.attendees.size(); ++i) {
        if (own.contains(event.attendees.at(i).email.toLower()))
            return int(i);
    }
    return -1;
}

QDateTime referenceTime(const Event& event, const QDateTime& now, const QDateTime& windowEnd)
{
    const QDateTime ownEnd = event.endTime.value_or(event.startTime);
    if (event.recurrenceRule.isEmpty())
        return ownEnd;
    // A weekly meeting that began last week still has meetings to answer for.
    const QList<Event> upcoming = Recurrence::occurrences(event, now, windowEnd);
    if (!upcoming.isEmpty())
        return upcoming.first().endTime.value_or(upcoming.first().startTime);
    const Recurrence::Rule rule = Recurrence::parseRRule(event.recurrenceRule);
    if (rule.until.isValid())
        return rule.until;
    return ownEnd;
}

InvitationLists classify(const QList<Event>& events, const QSet<QString>& own, const QDateTime& now,
                         const QDateTime& windowEnd)
{
    InvitationLists lists;
    for (const Event& event : events) {
        if (event.status == QLatin1String("cancelled"))
            continue;
        const int attendee = ownAttendeeIndex(event, own);
        if (attendee < 0)
            continue;
        const bool over = referenceTime(event, now, windowEnd) < now;
        const bool unanswered =
            event.attendees.at(attendee).status.toLower() == QLatin1String("needs-action");
        (!over && unanswered ? lists.pending : lists.past).append(event);
    }
    EventSort::sortByStart(lists.pending);
    EventSort::sortByStart(lists.past);
    std::reverse(lists.past.begin(), lists.past.end());
    return lists;
}

} // namespace Invitations
