#pragma once

#include "Event.h"
#include "FilterRule.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// Client-side filter rules: decides, occurrence by occurrence, which single rule (if any) hides or
// dims an event. Stored events are never changed. Unreadable rules are skipped, never reported.
namespace FilterEngine {

// Identifies one occurrence: the event's id plus its recurrence id, or its start in UTC when it
// has none. Occurrences of one series share the id, so decisions must be keyed by this.
struct OccurrenceKey
{
    QString id;
    QString instance;

    static OccurrenceKey of(const Event& event);
    friend bool operator==(const OccurrenceKey&, const OccurrenceKey&) = default;
};

size_t qHash(const OccurrenceKey& key, size_t seed = 0) noexcept;

} // namespace FilterEngine

// The outcome of one filter pass.
struct FilterResult
{
    // Every event that no "hide" rule decided, in input order, dimmed ones included.
    QList<Event> visibleEvents;
    // Occurrences decided by a "dim" rule.
    QSet<FilterEngine::OccurrenceKey> dimmedIds;
    // Occurrences decided by a "hide" rule.
    int hiddenCount = 0;
    // Every hidden occurrence, and the dimmed ones whose rule suppresses reminders.
    QSet<FilterEngine::OccurrenceKey> reminderSuppressedIds;

    bool isDimmed(const Event& event) const;
    bool isReminderSuppressed(const Event& event) const;
};

namespace FilterEngine {

struct PatternCondition
{
    QStringList titleContains;
    QStringList titleExact;
    QStringList descriptionContains;
    QStringList locationContains;
    bool caseSensitive = false;
};

struct TimeCondition
{
    QString timeExact;
    QString rangeStart;
    QString rangeEnd;
    QStringList daysOfWeek;
    bool recurringOnly = false;
};

struct SpecificCondition
{
};

struct AllDayCondition
{
    bool recurringOnly = false;
};

using FilterCondition =
    std::variant<PatternCondition, TimeCondition, SpecificCondition, AllDayCondition>;

// Runs every event through the rules (in priority order; disabled, deleted and unreadable rules
// are skipped) and collects what stays visible, what is dimmed and what is hidden.
FilterResult apply(const QList<Event>& events, QList<FilterRule> rules);

// True when some rule that `apply` would use hides the events it decides; without one, no event
// is hidden whatever the events are.
bool hidesAny(QList<FilterRule> rules);

// The rule that decides the event, whatever its action; nothing when no rule does.
std::optional<FilterRule> matchingRule(const Event& event, QList<FilterRule> rules);

// Conditions text to a condition; nothing for empty text, non-objects and unknown kinds.
std::optional<FilterCondition> parseConditions(const QString& conditions);

// Calendar-scope JSON array to a set of ids; empty (every calendar) for anything unreadable.
QSet<QString> parseCalendarIds(const QString& calendarIds);

// Pattern match of one event. Phrases are literal text; empty or blank phrases match nothing.
bool matchPattern(const Event& event, const PatternCondition& condition);

// Time match of one event, on its start in the machine's zone (all-day events by their date).
bool matchTime(const Event& event, const TimeCondition& condition);

} // namespace FilterEngine
