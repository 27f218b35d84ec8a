#include "QuickAdd.h"

#include "EventZone.h"
#include "Ical.h"
#include "NLParser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

namespace QuickAdd {

bool acceptsEvents(const Calendar& calendar)
{
    if (calendar.isReadOnly)
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(calendar.supportedComponents.toUtf8());
    const QJsonArray components = document.array();
    if (!document.isArray() || components.isEmpty())
        return true;
    for (const QJsonValue& component : components) {
        if (component.toString().compare(QLatin1String("VEVENT"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString chooseCalendar(const QList<Calendar>& calendars, const QString& preferredId)
{
    QList<Calendar> candidates;
    for (const Calendar& calendar : calendars) {
        if (acceptsEvents(calendar))
            candidates.append(calendar);
    }
    if (!preferredId.isEmpty()) {
        for (const Calendar& calendar : candidates) {
            if (calendar.id == preferredId)
                return calendar.id;
        }
    }
    for (const Calendar& calendar : candidates) {
        if (calendar.isDefault)
            return calendar.id;
    }
    for (const Calendar& calendar : candidates) {
        if (calendar.isVisible)
            return calendar.id;
    }
    return candidates.isEmpty() ? QString() : candidates.first().id;
}

Event buildEvent(const QString& text, const QDateTime& nowLocal, const QString& calendarId,
                 const QString& id, const QDateTime& createdUtc)
{
    Event event;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return event;
    const std::optional<NLParser::ParseResult> parsed = NLParser::parse(text, nowLocal);
    if (!parsed || !parsed->start.isValid())
        return event;

    event.title = parsed->title.isEmpty() ? trimmed : parsed->title;
    if (parsed->allDay) {
        const QDate first = parsed->start.date();
        QDate afterLast = parsed->end ? parsed->end->date() : first.addDays(1);
        if (afterLast <= first)
            afterLast = first.addDays(1);
        event.startTime = QDateTime(first, QTime(0, 0), QTimeZone::utc());
        event.endTime = QDateTime(afterLast, QTime(0, 0), QTimeZone::utc());
    } else {
        event.startTime = parsed->start;
        event.endTime = parsed->end;
    }
    event.isAllDay = parsed->allDay;
    event.timezone = EventZone::forNewEvents(nowLocal.timeZone());
    event.calendarId = calendarId;
    event.status = QStringLiteral("confirmed");
    event.syncStatus = QStringLiteral("pending");
    event.id = id;
    event.uid = id;
    event.created = createdUtc;
    event.lastModified = createdUtc;
    event.sequence = 0;
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

} // namespace QuickAdd
