#pragma once

#include <QSet>
#include <QString>

class Database;

// The identities of stored events, as an import compares them with a file's.
namespace EventKeys {

// The ImportPlan::key of every event row of the calendar, soft-deleted ones included; empty
// when the read failed (logged).
QSet<QString> ofCalendar(Database* database, const QString& calendarId);

} // namespace EventKeys
