#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

// The VTIMEZONE component (RFC 5545) that defines a zone for the readers of a written text.
namespace VTimeZone {

// A VTIMEZONE block named `tzid` (lines ended by CR LF, no VCALENDAR around it) that gives
// `zone`'s UTC offsets from a year before `from` up to `to` (at most a bounded number of years
// after `from`). Transitions that repeat every year on the same month, weekday position and local
// time become one observance with a yearly RRULE (left open when it still holds at the end of
// the span, else closed by a UTC UNTIL); others are written one observance each. A zone without
// transitions in the span is one STANDARD observance. Empty for an invalid zone or times.
QString write(const QString& tzid, const QTimeZone& zone, const QDateTime& from,
              const QDateTime& to);

} // namespace VTimeZone
