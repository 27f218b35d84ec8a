#pragma once

#include "Event.h"

#include <QString>
#include <QVariantList>

class QSqlQuery;

// The mapping between an Event record and a row of `events`: the column list, the reader of a
// row and the values a write binds.
class EventRows
{
public:
    // The 31 columns of `events` in record order.
    static const QString& columns();

    // The current row of a statement selecting the columns. Start and end are expressed in the
    // event's time zone, except for all-day events, which stay in UTC.
    static Event fromQuery(const QSqlQuery& query);

    // The fields from calendar_id to color, in column order, as insert and update share them.
    static QVariantList fieldValues(const Event& event);
};
