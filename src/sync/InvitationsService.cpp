#include "InvitationsService.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "Ical.h"

namespace Invitations {

Service::Service(AppState* state, QObject* parent) : QObject(parent), m_state(state)
{
    if (m_state && m_state->events())
        connect(m_state->events(), &EventRepository::eventsChanged, this,
                &Service::invitationsChanged);
    if (m_state && m_state->accounts())
        connect(m_state->accounts(), &AccountRepository::accountsChanged, this,
                &Service::invitationsChanged);
}

QSet<QString> Service::ownEmails() const
{
    if (!m_state || !m_state->accounts())
        return {};
    return Invitations::ownEmails(m_state->accounts()->getAll());
}

InvitationLists Service::pendingInvitations() const
{
    if (!m_state || !m_state->events() || !m_state->calendars())
        return {};
    const QSet<QString> own = ownEmails();
    if (own.isEmpty())
        return {};
    QStringList visible;
    for (const Calendar& calendar : m_state->calendars()->getAll()) {
        if (calendar.isVisible)
            visible.append(calendar.id);
    }
    if (visible.isEmpty())
        return {};
    const QDateTime now = Clock::nowLocal();
    const QDateTime from = now.addDays(-windowDaysBefore);
    const QDateTime to = now.addDays(windowDaysAfter);
    return classify(m_state->events()->getInRange(from, to, visible), own, now, to);
}

int Service::pendingCount() const
{
    return int(pendingInvitations().pending.size());
}

bool Service::respond(const QString& eventId, const QString& email, const QString& status)
{
    if (!m_state || !m_state->events())
        return false;
    std::optional<Event> event = m_state->events()->getById(eventId);
    if (!event)
        return false;
    const QString wanted = email.toLower();
    bool matched = false;
    for (Attendee& attendee : event->attendees) {
        if (attendee.email.toLower() == wanted) {
            attendee.status = status;
            matched = true;
        }
    }
    if (!matched)
        return false;
    event->lastModified = Clock::now();
    event->syncStatus = QStringLiteral("pending");
    // The push sends the stored text, so the answer must be in it too.
    event->rawIcalendar = Ical::buildEvent(*event);
    if (!m_state->events()->update(*event))
        return false;
    Q_EMIT invitationsChanged();
    return true;
}

} // namespace Invitations
