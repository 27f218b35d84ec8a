#include "EventKeys.h"

#include "Database.h"
#include "StoreSql.h"

#include <QSqlQuery>

namespace EventKeys {

QSet<QString> ofCalendar(Database* database, const QString& calendarId)
{
    QSet<QString> keys;
    StoreSql::forEachRow(
        database->database(),
        QStringLiteral("SELECT uid, COALESCE(recurrence_id, '') FROM events WHERE calendar_id = ?"),
        {calendarId},
        [&keys](const QSqlQuery& query) {
            keys.insert(query.value(0).toString() + QLatin1Char('\n') + query.value(1).toString());
        },
        "EventKeys::ofCalendar");
    return keys;
}

} // namespace EventKeys
