#include "ImportPlan.h"

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

QString key(const Event& event)
{
    // A uid never holds a line break, so the pair is unambiguous.
    return event.uid + QLatin1Char('\n') + event.recurrenceId;
}

Split split(const QList<Event>& parsed, QSet<QString>& seen,
            const std::function<bool(const Event&)>& isPresent)
{
    Split result;
    for (const Event& event : parsed) {
        const QString eventKey = key(event);
        if (seen.contains(eventKey)) {
            ++result.repeated;
            continue;
        }
        seen.insert(eventKey);
        if (!event.startTime.isValid()) {
            ++result.withoutStart;
            continue;
        }
        if (isPresent(event)) {
            ++result.present;
            continue;
        }
        result.fresh.append(event);
    }
    return result;
}

} // namespace ImportPlan
