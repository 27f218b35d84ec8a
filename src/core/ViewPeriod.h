#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The periods the calendar views show and step through, keyed by the view mode word ("day",
// "week", "days", "grid", "month", "year"). Days of the week are numbered 1 (Monday) to 7
// (Sunday); a first day of the week outside 1..7 counts as Monday.
namespace ViewPeriod {

// "agenda" and "list" become "week"; any other word is returned as given.
QString normalizedMode(const QString& mode);

// The date on or before `date` whose day of the week is `firstDayOfWeek`.
QDate weekStart(const QDate& date, int firstDayOfWeek);

// The first of the 42 days of a month grid: the week start on or before the 1st of the month.
QDate monthGridStart(const QDate& date, int firstDayOfWeek);

// Columns of a week timeline: 7 when week-aligned, else the horizon, at least 2.
int timelineDayCount(bool weekAligned, int horizon);
// First column of a week timeline: the week start of the anchor, or the anchor itself.
QDate timelineStart(bool weekAligned, const QDate& anchor, int firstDayOfWeek);

struct Range
{
    QDate first;
    int days = 0;
};

// The days a mode covers around the current date (the range of the hidden-event count):
// day 1; week 7 from the week start; days max(2, horizon); grid 8; month and year the 42 days of
// the month grid; any other word 7 days from the date.
Range modeRange(const QString& mode, const QDate& date, int firstDayOfWeek, int horizon);

// The date one period before (direction -1) or after (+1) `date`: years, months, 7 days, the
// horizon (1 day with Ctrl; a horizon below 2 counts as 1), 1 day for "grid" (7 with Ctrl) and
// for any other word.
QDate step(const QString& mode, const QDate& date, int direction, int horizon, bool ctrlHeld);

// "Mar 30 – Apr 5, 2026" or, within one month number, "Mar 2 – 8, 2026".
QString rangeTitle(const QDate& from, const QDate& to);

// "Saturday, December 5, 2026", prefixed "Today · " (translated in the context "ViewArea")
// when the date is today.
QString dayTitle(const QDate& date, const QDate& today);

// Shorter forms of the header title for a header too narrow for `title`, longest first: for the
// day, "Today · Sat, Dec 5, 2026", "Today · Sat, Dec 5", then "Sat, Dec 5" ("Today · " only
// for today); none for the other modes.
QStringList shorterTitles(const QString& mode, const QDate& date, const QDate& today);

// The shorter form of a week, days or grid title for a header too narrow for it: the range
// without its year ("Mar 30 – Apr 5"), when the range lies within one year; none otherwise.
QStringList shorterRangeTitles(const QString& mode, const QDate& date, const QDate& weekStartDate,
                               const QDate& daysStartDate, int horizon);

// The header title of a mode. `weekStart` and `daysStart` are the first dates the two week
// timelines show; the weather suffix of the day title is the caller's.
QString title(const QString& mode, const QDate& date, const QDate& weekStartDate,
              const QDate& daysStartDate, int horizon, const QDate& today);

} // namespace ViewPeriod
