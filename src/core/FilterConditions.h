#pragma once

#include "Event.h"
#include "FilterEngine.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The texts a filter rule is stored with, as the filter form writes and reads them: compact JSON
// objects with their members in key order, times as 24-hour "HH:mm", weekdays "mon".."sun".
// Pure; unreadable input reads as the form's defaults and never fails.
namespace FilterConditions {

// The form's view of a rule's conditions, whatever its kind. Times absent when not set.
struct FormValues
{
    QString phrasesText; // "titleContains" joined with ", "
    bool caseSensitive = false;
    std::optional<QTime> timeExact;
    std::optional<QTime> rangeStart; // both set or both absent
    std::optional<QTime> rangeEnd;
    QStringList days; // the recognised keys, Monday first
    bool recurringOnly = false;
};

// "mon" .. "sun", Monday first.
const QStringList& dayKeys();

// "HH:mm" only, both fields two digits; nothing for empty or any other text.
std::optional<QTime> parseTime(const QString& text);
// "HH:mm".
QString timeText(const QTime& time);

// The phrases of a "Title contains" field: split at commas, trimmed, empty ones dropped.
QStringList splitPhrases(const QString& text);

QString patternConditions(const QStringList& phrases, bool caseSensitive);
// Days are written in Monday-first order whatever order they come in; unknown keys dropped.
QString timeConditions(const std::optional<QTime>& exact, const std::optional<QTime>& rangeStart,
                       const std::optional<QTime>& rangeEnd, const QStringList& days,
                       bool recurringOnly);
QString specificConditions();
QString allDayConditions(bool recurringOnly);

// What the form shows for stored conditions text; a text that is not a JSON object gives the
// defaults. Weekdays are recognised in any case ("Mon", "MON").
FormValues read(const QString& conditions);

// The conditions to store when the form wrote `written` for a rule stored as `stored`. When both
// are of one kind, what the form does not edit is kept from `stored`: the exact-title,
// description and location lists, members it does not know, times it could not read and weekday
// entries it cannot show.
// Re-saving a rule thus never widens it. Otherwise `written` as it is.
QString keepUnedited(const QString& written, const QString& stored);

// The calendar scope to store: the ticked ids in list order, then the ids of `storedIds` that
// the list does not show (hidden or deleted calendars) in their stored order, so that a rule
// limited to calendars the user cannot see keeps its limit. Compact JSON array.
QString calendarIdsText(const QStringList& tickedIds, const QStringList& listedIds,
                        const QString& storedIds);
// The text entries of a stored JSON array, in order; empty for anything unreadable.
QStringList storedCalendarIds(const QString& calendarIds);

// What a preview of one rule over some occurrences found.
struct PreviewTally
{
    int matched = 0;      // hidden occurrences plus the distinct events dimmed
    QStringList examples; // titles of the first matched occurrences, at most three
};

// A dimmed series counts once (its occurrences share the event's id); each hidden occurrence
// counts. Untitled occurrences appear as "(Untitled)".
PreviewTally tally(const QList<Event>& occurrences, const FilterResult& result);

} // namespace FilterConditions
