#pragma once

#include <QDate>
#include <QDateTime>

// The one source of "now". Everything that needs the current time asks here, so tests can pin
// it; nothing else calls QDateTime::currentDateTime*.
namespace Clock {

// The current instant in UTC (or the pinned instant, converted to UTC).
QDateTime now();

// The current instant in the machine's zone, held as a QTimeZone (cheaper than Qt::LocalTime).
QDateTime nowLocal();

// Today's date in the machine's zone.
QDate today();

// Pins "now" to the given instant until reset(); an invalid instant unpins.
void pin(const QDateTime& instant);

// Lets the clock follow real time again.
void reset();

} // namespace Clock
