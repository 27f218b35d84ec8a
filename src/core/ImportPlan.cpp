#include "ImportPlan.h"

#include <QSet>

namespace ImportPlan {

std::optional<Calendar> targetCalendar(const QList<Calendar>& calendars)
{
    for (const Calendar& calendar : calendars) {
        if (calendar.isDefault && !calendar.isReadOnly) {
            return calendar;
        }
    }
    for (const Calendar& calendar : calendars) {
        if (!calendar.isReadOnly) {
            return calendar;
        }
    }
    return std::nullopt;
}

Split split(const QList<Event>& parsed, const std::function<bool(const Event&)>& isPresent)
{
    Split result;
    QSet<QString> seen;
    for (const Event& event : parsed) {
        // A uid never holds a line break, so the pair is unambiguous.
        const QString key = event.uid + QLatin1Char('\n') + event.recurrenceId;
        if (seen.contains(key) || isPresent(event)) {
            ++result.skipped;
            continue;
        }
        seen.insert(key);
        result.fresh.append(event);
    }
    return result;
}

} // namespace ImportPlan
