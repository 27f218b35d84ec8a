#pragma once

#include "Event.h"

#include <QDateTime>
#include <QString>

#include <optional>

class EventRepository;

// Rewrites the stored rows of a recurring series after one occurrence was moved or resized,
// for the scope RecurringEditScopeDialog returned. Each operation writes all its rows in one
// transaction (all or none), marks them pending with their iCalendar text rebuilt, and reports
// false for a missing repository, an unknown scope or a failed write.
namespace RecurringEdit {

// 0 changes nothing (true); 1, 2 and 3 run the operations below.
bool apply(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
           const QDateTime& newStart, std::optional<QDateTime> newEnd, int scope);

// An exception row with the master's UID and the occurrence's original start as recurrence id;
// an exception already stored for that occurrence is rewritten instead. The master is untouched.
bool applyToThisOnly(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
                     const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The master ends before the occurrence and a new series starts at the new time, ending where
// the old one did. On the series' first occurrence the whole series moves instead, so that no
// series without occurrences is left behind.
bool applyToFollowing(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The master moves by the drag's shift and takes the dragged occurrence's new duration.
bool applyToAll(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                const QDateTime& newStart, std::optional<QDateTime> newEnd);

// The rule ending with the last occurrence starting no later than `until` (COUNT dropped, UNTIL
// replaced or appended), its UNTIL in the value type of a timed series, or of an all-day one.
QString truncateRule(const QString& rule, const QDateTime& until, bool allDay = false);

} // namespace RecurringEdit
