#include "EventRangeSql.h"

namespace EventRangeSql {

QString recurring()
{
    return QStringLiteral("recurrence_rule IS NOT NULL AND recurrence_rule != ''");
}

QString nonRecurring()
{
    return QStringLiteral("(recurrence_rule IS NULL OR recurrence_rule = '')");
}

QString shortSpan()
{
    // coalesce() turns the NULL of a missing end into "not short", so that the two classes
    // split the rows exactly.
    return QStringLiteral("coalesce(start_time GLOB '%1' AND end_time GLOB '%1' AND "
                          "julianday(end_time) - julianday(start_time) <= %2, 0)")
        .arg(QStringLiteral("[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]T[0-9][0-9]:[0-9][0-9]:"
                            "[0-9][0-9]Z"))
        .arg(shortSpanDays);
}

QString otherSpan()
{
    return QStringLiteral("NOT ") + shortSpan();
}

} // namespace EventRangeSql
