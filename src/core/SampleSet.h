#pragma once

#include <QString>

// The ids of the developer sample data set. Its rows are recognised by id alone: the set is
// loaded and removed as a whole, and its account is a local stand-in, never a cloud account,
// whatever its type word says.
namespace SampleSet {

inline const QString accountId = QStringLiteral("sample-account");
inline const QString calendarIdPrefix = QStringLiteral("sample-cal-");
inline const QString eventIdPrefix = QStringLiteral("sample-event-");
inline const QString taskIdPrefix = QStringLiteral("sample-task-");

// True for the sample account's id: configuration sync and cloud sync must leave it alone.
inline bool isSampleAccount(const QString& accountId)
{
    return accountId == SampleSet::accountId;
}

inline bool isSampleCalendar(const QString& calendarId)
{
    return calendarId.startsWith(calendarIdPrefix);
}

} // namespace SampleSet
