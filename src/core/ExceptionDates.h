#pragma once

#include <QString>
#include <QStringList>

// The `exceptionDates` field of an event: a JSON array of date texts, "yyyyMMdd" for all-day
// series, "yyyyMMddTHHmmssZ" (or without "Z": the machine's zone) for timed ones.
namespace ExceptionDates {

// The items that are strings, in order; empty for text that is not a JSON array.
QStringList read(const QString& json);

// The JSON array of the texts, in order.
QString write(const QStringList& dates);

} // namespace ExceptionDates
