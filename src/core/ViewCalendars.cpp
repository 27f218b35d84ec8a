#include "ViewCalendars.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ViewCalendars {

QStringList ids(const std::optional<CalendarView>& view, const QList<Calendar>& calendars)
{
    QStringList ids;
    if (view && !view->deletedAt) {
        const QJsonDocument document = QJsonDocument::fromJson(view->calendarIds.toUtf8());
        if (document.isArray()) {
            for (const QJsonValue& value : document.array())
                ids.append(value.toString());
        }
    }
    if (!ids.isEmpty())
        return ids;
    for (const Calendar& calendar : calendars) {
        if (calendar.isVisible)
            ids.append(calendar.id);
    }
    return ids;
}

} // namespace ViewCalendars
