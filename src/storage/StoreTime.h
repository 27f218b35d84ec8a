#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

// How the store writes and reads instants. Every time is written in UTC, whole seconds, as
// "2025-03-01T08:30:00Z", so text order equals time order in range queries and ORDER BY.
namespace StoreTime {

// The UTC text of a time, or a null string for an invalid time.
QString toText(const QDateTime& time);

// The value to bind for a time: its UTC text, or SQL NULL when it is invalid or absent.
QVariant bindValue(const QDateTime& time);
QVariant bindValue(const std::optional<QDateTime>& time);

// Parses ISO 8601 text as stored: "Z" gives UTC, an offset keeps the offset, and text without a
// zone (as SQLite's datetime('now') writes, with a blank or a "T") is read as UTC. A bare date
// reads as its midnight in UTC. Empty or unreadable text gives an invalid time.
QDateTime parse(QStringView text);

// The column value read as a time (`parse` of its text); NULL reads as invalid.
QDateTime readTimestamp(const QVariant& value);

// The column value read as an optional time: absent when NULL or empty.
std::optional<QDateTime> readOptional(const QVariant& value);

// "Now" for one operation: the clock's UTC instant truncated to whole seconds.
QDateTime now();

} // namespace StoreTime
