#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The texts of task dates and priorities, shared by the task card and the rows of the tasks pane
// so both name the same day and the same band. Translated in the context "QObject".
namespace TaskDetailsText {

// The day a task date falls on: a date-only value is stored at 00:00 UTC of its date and is
// that date in every zone; a timed value is its local date.
QDate dayOf(const QDateTime& when, bool dateOnly);

// "Today", "Tomorrow" or "Yesterday" when `day` is that near `today`; empty otherwise.
QString dayWord(const QDate& day, const QDate& today);

// "Today", "Tomorrow", "Yesterday" or "dddd, MMMM d, yyyy" (names in DateLanguage), then, for a
// timed value whose local time is not midnight, "  ·  " and "h:mm AP".
QString relativeDay(const QDateTime& when, bool dateOnly, const QDate& today);

// "High" (1 to 3), "Medium" (4 to 6), "Low" (7 and above); empty without a priority (0).
QString priorityWord(int priority);

// Red, amber and blue ("#rrggbb") for the three bands; empty without a priority.
QString priorityColor(int priority);

} // namespace TaskDetailsText
