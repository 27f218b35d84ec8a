#pragma once

#include "Event.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The rows that a drag of one occurrence of a recurring series turns into, for each of the three
// answers to "which occurrences?": pure functions of the stored master, the occurrence's original
// start and its new times. Storage only writes what they return.
namespace SeriesEdit {

struct Times
{
    QDateTime start;
    std::optional<QDateTime> end;
};

// The master moved by the drag: the start by the occurrence's shift; the end by the same shift,
// or, when both the drag and the master have an end, so that the master takes the dragged
// occurrence's new duration. A master without an end keeps none.
Times shiftedSeries(const Event& master, const QDateTime& occurrenceStart,
                    const QDateTime& newStart, const std::optional<QDateTime>& newEnd);

// The rule ending with the last occurrence that starts no later than `until`: COUNT parts are
// dropped, UNTIL parts (any case) replaced, and an UNTIL appended when there was none; the value
// is in the series' type (RuleUntil). Empty parts are dropped.
QString truncateRule(const QString& rule, const QDateTime& until, bool allDay);

// The rule of the series that continues from the occurrence at `occurrenceStart`: the master's
// rule with its end kept, an UNTIL carried over (in the series' type) and a COUNT reduced to the
// occurrences at or after that start (at least 1).
QString followingRule(const Event& master, const QDateTime& occurrenceStart);

// The number of the master's occurrences that start before `instant`, exception dates included,
// as COUNT counts them.
int occurrencesBefore(const Event& master, const QDateTime& instant);

// The exception row for one moved occurrence: the master's UID (so that it and the master are one
// resource on a server), the original start as recurrence id, the master's texts and colour, the
// new times, no rule, reminders or attendees, pending. `id` is the new row's id.
Event occurrenceOverride(const Event& master, const QDateTime& occurrenceStart,
                         const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                         const QString& id, const QDateTime& now);

// The new series that starts at the moved occurrence: a new identity (`id` as id and UID), the
// master's texts and colour, the new times and followingRule, pending.
Event followingSeries(const Event& master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                      const QString& id, const QDateTime& now);

} // namespace SeriesEdit
