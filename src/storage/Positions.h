#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Rewrites user-ordered positions as 10, 20, 30... in list order.
namespace Positions {

// Runs `sql` (placeholders: position, "now", id) once per id, all or nothing, with one "now"
// for every row. Nests inside a transaction the caller holds. Returns whether it committed.
bool write(QSqlDatabase& database, const QString& sql, const QStringList& ids);

} // namespace Positions
