#pragma once

#include <QDateTime>
#include <QString>

// Times of day as the user chose to see them ("ui/timeFormat": "24" for a 24-hour clock, any
// other value a 12-hour clock). The marker stays "AM"/"PM" whatever the interface language. The
// overloads that read the preference from the state hub are in TimeFormatState.h.
namespace TimeFormat {

// "HH:mm" on the 24-hour clock, else "h:mm AP".
QString pattern(bool use24Hour);

// The time of day of `time` in its own zone with the pattern, English markers; empty for an
// invalid time. For paint loops: take the pattern once, format many times.
QString format(const QDateTime& time, const QString& pattern);

} // namespace TimeFormat
