#include "RecurringEdit.h"

#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "Ical.h"
#include "RuleUntil.h"
#include "Savepoint.h"
#include "SeriesEdit.h"

#include <QDebug>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Marks the record as a local change and rebuilds the text a push sends.
void prepareForPush(Event& event)
{
    event.lastModified = Clock::now();
    event.syncStatus = QStringLiteral("pending");
    event.recurrenceRule = RuleUntil::normalize(event.recurrenceRule, event.isAllDay);
    event.rawIcalendar = Ical::buildEvent(event);
}

bool commit(Savepoint& transaction, const char* operation)
{
    if (transaction.commit())
        return true;
    qWarning().noquote() << "[RecurringEdit]" << operation
                         << "could not commit:" << transaction.errorText();
    return false;
}

} // namespace

namespace RecurringEdit {

bool apply(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
           const QDateTime& newStart, std::optional<QDateTime> newEnd, int scope)
{
    if (!events)
        return false;
    switch (scope) {
    case 0:
        return true;
    case 1:
        return applyToThisOnly(events, master, occurrenceStart, newStart, newEnd);
    case 2:
        return applyToFollowing(events, master, occurrenceStart, newStart, newEnd);
    case 3:
        return applyToAll(events, master, occurrenceStart, newStart, newEnd);
    default:
        return false;
    }
}

bool applyToThisOnly(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
                     const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    if (!events)
        return false;
    Event exception = SeriesEdit::occurrenceOverride(master, occurrenceStart, newStart, newEnd,
                                                     newId(), Clock::now());
    const std::optional<Event> stored =
        events->getByUidAndRecurrenceId(master.uid, master.calendarId, exception.recurrenceId);
    Savepoint transaction(events->database()->database());
    if (!transaction.isActive())
        return false;
    bool written = false;
    if (stored) {
        // One row per occurrence: a second move of it rewrites the exception already there.
        Event again = *stored;
        again.startTime = newStart;
        again.endTime = newEnd;
        again.deletedAt.reset();
        again.sequence += 1;
        prepareForPush(again);
        written = events->update(again);
    } else {
        prepareForPush(exception);
        written = events->insert(exception);
    }
    return written && commit(transaction, "applyToThisOnly");
}

bool applyToFollowing(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    if (!events)
        return false;
    if (occurrenceStart <= master.startTime)
        return applyToAll(events, master, occurrenceStart, newStart, newEnd);

    Event following = SeriesEdit::followingSeries(master, occurrenceStart, newStart, newEnd,
                                                  newId(), Clock::now());
    master.recurrenceRule = SeriesEdit::truncateRule(master.recurrenceRule,
                                                     occurrenceStart.addSecs(-1), master.isAllDay);
    master.sequence += 1;
    prepareForPush(master);
    prepareForPush(following);

    Savepoint transaction(events->database()->database());
    if (!transaction.isActive())
        return false;
    return events->update(master) && events->insert(following) &&
           commit(transaction, "applyToFollowing");
}

bool applyToAll(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    if (!events)
        return false;
    const SeriesEdit::Times moved =
        SeriesEdit::shiftedSeries(master, occurrenceStart, newStart, newEnd);
    master.startTime = moved.start;
    master.endTime = moved.end;
    master.sequence += 1;
    prepareForPush(master);
    Savepoint transaction(events->database()->database());
    if (!transaction.isActive())
        return false;
    return events->update(master) && commit(transaction, "applyToAll");
}

QString truncateRule(const QString& rule, const QDateTime& until, bool allDay)
{
    return SeriesEdit::truncateRule(rule, until, allDay);
}

} // namespace RecurringEdit
