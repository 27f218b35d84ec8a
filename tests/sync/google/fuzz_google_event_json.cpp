// A page of the event listing as Google might send it, through the mapping both ways. Besides
// not crashing: an item is refused exactly when it has no id or cancels, a mapped event keeps
// Google's id and has a UID, a recurrence id reads back through the originalStartTime it
// names, and an update body keeps the item's id.
#include "GoogleEventMapping.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Names the line of a broken promise, so a finding says which one without a debugger.
void require(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const QJsonDocument document = QJsonDocument::fromJson(body);
    // A page holds "items"; a single event read stands on its own.
    QList<QJsonObject> items;
    if (document.isObject() && document.object().contains(QLatin1String("items"))) {
        for (const QJsonValue& value : document.object().value(QLatin1String("items")).toArray())
            items.append(value.toObject());
    } else if (document.isObject()) {
        items.append(document.object());
    } else {
        for (const QJsonValue& value : document.array())
            items.append(value.toObject());
    }

    const QString calendarId = QStringLiteral("team@group.calendar.google.com");
    const QList<std::optional<Event>> events = Google::eventsFromJson(items, calendarId);
    require(events.size() == items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QJsonObject& item = items.at(i);
        const QString id = item.value(QLatin1String("id")).toString();
        const bool cancels = item.value(QLatin1String("status")).toString() == u"cancelled";
        require(events.at(i).has_value() == (!id.isEmpty() && !cancels));
        Google::cancelledOccurrence(item);

        const QString recurrenceId = Google::recurrenceIdFromJson(item);
        if (!recurrenceId.isEmpty()) {
            const QJsonObject original =
                Google::originalStartToJson(recurrenceId, item.value(QLatin1String("start"))
                                                              .toObject()
                                                              .value(QLatin1String("timeZone"))
                                                              .toString());
            require(Google::recurrenceIdFromJson(QJsonObject{
                        {QStringLiteral("originalStartTime"), original}}) == recurrenceId);
            Google::occurrenceId(id, recurrenceId);
        }
        if (!events.at(i))
            continue;

        const Event& event = *events.at(i);
        require(event.providerEventId == id);
        require(!event.uid.isEmpty());
        require(event.calendarId == calendarId);

        // What goes back to Google reads again without harm and keeps what identifies it.
        const QJsonObject merged = Google::mergeIntoItem(item, event);
        require(merged.value(QLatin1String("id")).toString() == id);
        const Event again = Google::eventFromJson(merged, calendarId);
        require(again.providerEventId == id);
        require(again.isAllDay == event.isAllDay || !event.startTime.isValid());
        Google::eventFromJson(Google::eventToJson(event), calendarId);
    }
    return 0;
}
