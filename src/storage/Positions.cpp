#include "Positions.h"

#include "Savepoint.h"
#include "StoreTime.h"

#include <QSqlQuery>

namespace Positions {

bool write(QSqlDatabase& database, const QString& sql, const QStringList& ids)
{
    Savepoint savepoint(database);
    if (!savepoint.isActive())
        return false;
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    int position = 0;
    for (const QString& id : ids) {
        position += 10;
        QSqlQuery query(database);
        query.prepare(sql);
        query.addBindValue(position);
        query.addBindValue(now);
        query.addBindValue(id);
        if (!query.exec())
            return false; // the savepoint rolls back as it goes out of scope
    }
    return savepoint.commit();
}

} // namespace Positions
