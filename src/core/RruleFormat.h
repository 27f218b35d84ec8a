#pragma once

#include <QList>
#include <QString>

// Short texts for a repeat rule and a reminder offset, as the user reads them. Reads the RRULE
// text itself; parts that do not read add nothing. Texts translate in the context "QObject",
// weekday abbreviations in "RruleFormat".
namespace RruleFormat {

// One BYDAY item taken apart: "+2MO" is position 2, code "MO"; "mo" is 0, "MO".
struct ByDayItem
{
    int position = 0; // 0 when the item has no number
    QString code;     // upper-cased rest of the item
};

// One line such as "Every 2 weeks · Tue, Thu · until Dec 31, 2025"; empty for an empty rule.
QString describe(const QString& rule);

// "At time of event", "15 min before", "2 hour(s) before", "1 day(s) before" (whole units).
QString reminderText(int minutesBefore);

// The number with its English ordinal suffix: 1st, 2nd, 3rd, 4th, 11th, 21st.
QString ordinal(int number);

// "first" .. "fifth", "last", "second-to-last", ordinals above 5, "3th-from-last" below -2.
QString positionText(int position);

// The translated abbreviation of a weekday code ("MO" -> "Mon"); other codes upper-cased as is.
QString weekdayNames(const QString& code);

ByDayItem splitByDayItem(const QString& item);

// Reminder offsets, in minutes, that the template editor offers.
inline const QList<int> reminderPresetMinutes = {0, 5, 10, 15, 30, 60, 120, 1440};

} // namespace RruleFormat
