#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariantList>

#include <functional>

class QSqlQuery;

// Helpers for building and running SQL and reporting failures, shared by the repositories.
namespace StoreSql {

// The most values one statement binds in an IN list. SQLite builds before 3.32 accept 999
// bound parameters per statement; the rest of a statement keeps its own few below that.
inline constexpr int maxInListValues = 900;

// `count` question marks joined by the separator, for an IN list or a VALUES row.
QString placeholders(int count, QStringView separator = u", ");

// Runs `body` once per slice of at most maxInListValues values, in order; stops and returns
// false at the first slice for which it returns false.
bool forEachSlice(const QStringList& values, const std::function<bool(const QStringList&)>& body);

// The value bound to a NOT NULL text column: a null string becomes empty text, so that a record
// without an optional text (an event without SUMMARY) is stored rather than refused.
QString notNull(const QString& text);

// A LIKE pattern that matches any text containing `text` literally: "%", "_" and the escape
// character typed by the user match themselves. Use with ESCAPE '\'.
QString containsPattern(const QString& text);

// Logs a warning "<operation> failed: <driver's error text>".
void logFailure(const char* operation, const QSqlError& error);

// Logs a warning "<operation> failed: <text>".
void logFailure(const char* operation, const QString& text);

// Runs `sql` with `values` bound in order; on failure keeps the driver's text in `error`.
bool run(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
         QString& error);

// Runs `sql` with `values` bound in order. On failure it logs "<operation> failed: ..." when
// `operation` is given, and returns false.
bool exec(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
          const char* operation = nullptr);

// Runs the SELECT `sql` with `values` bound in order and hands each result row to `row`, in
// order. Returns false when the statement failed, logging "<operation> failed: ..." when
// `operation` is given.
bool forEachRow(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
                const std::function<void(const QSqlQuery&)>& row, const char* operation = nullptr);

// Soft delete of row `id` of a synced configuration table: stamps deleted_at and updated_at
// "now" and marks it 'pending' so the tombstone is pushed. A failure is logged under
// `operation` and returned.
bool markDeleted(const QSqlDatabase& database, QLatin1StringView table, const QString& id,
                 const char* operation = "StoreSql::markDeleted");

// Deletes row `id` of `table` for good. A failure is logged under `operation` and returned.
bool deleteRow(const QSqlDatabase& database, QLatin1StringView table, const QString& id,
               const char* operation = "StoreSql::deleteRow");

} // namespace StoreSql
