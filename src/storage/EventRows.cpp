#include "EventRows.h"

#include "EventZone.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QHash>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

namespace {

// Zones are looked up by name for every row; constructing one is far dearer than the row.
QTimeZone zoneNamed(const QString& name)
{
    thread_local QHash<QString, QTimeZone> zones;
    auto it = zones.constFind(name);
    if (it == zones.constEnd())
        it = zones.insert(name, EventZone::named(name));
    return *it;
}

} // namespace

const QString& EventRows::columns()
{
    static const QString list = QStringLiteral(
        "id, calendar_id, uid, provider_event_id, etag, href, title, description, location, "
        "geo_location, start_time, end_time, is_all_day, timezone, recurrence_rule, "
        "recurrence_dates, exception_dates, recurrence_id, master_event_uid, status, event_url, "
        "conference_url, organizer_email, organizer_name, sequence, raw_icalendar, color, "
        "created, last_modified, sync_status, deleted_at");
    return list;
}

Event EventRows::fromQuery(const QSqlQuery& query)
{
    Event event;
    event.id = query.value(0).toString();
    event.calendarId = query.value(1).toString();
    event.uid = query.value(2).toString();
    event.providerEventId = query.value(3).toString();
    event.etag = query.value(4).toString();
    event.href = query.value(5).toString();
    event.title = query.value(6).toString();
    event.description = query.value(7).toString();
    event.location = query.value(8).toString();
    event.geoLocation = query.value(9).toString();
    event.startTime = StoreTime::readTimestamp(query.value(10));
    event.endTime = StoreTime::readOptional(query.value(11));
    event.isAllDay = query.value(12).toInt() != 0;
    event.timezone = query.value(13).toString();
    // All-day events stay at 00:00 UTC of their dates: in any other zone the date would shift.
    if (!event.isAllDay && !event.timezone.isEmpty() && event.timezone != u"UTC") {
        const QTimeZone zone = zoneNamed(event.timezone);
        if (zone.isValid()) {
            if (event.startTime.isValid())
                event.startTime = event.startTime.toTimeZone(zone);
            if (event.endTime && event.endTime->isValid())
                event.endTime = event.endTime->toTimeZone(zone);
        }
    }
    event.recurrenceRule = query.value(14).toString();
    event.recurrenceDates = query.value(15).toString();
    event.exceptionDates = query.value(16).toString();
    event.recurrenceId = query.value(17).toString();
    event.masterEventUid = query.value(18).toString();
    event.status = query.value(19).toString();
    event.eventUrl = query.value(20).toString();
    event.conferenceUrl = query.value(21).toString();
    event.organizerEmail = query.value(22).toString();
    event.organizerName = query.value(23).toString();
    event.sequence = query.value(24).toInt();
    event.rawIcalendar = query.value(25).toString();
    event.color = query.value(26).toString();
    event.created = StoreTime::readTimestamp(query.value(27));
    event.lastModified = StoreTime::readTimestamp(query.value(28));
    event.syncStatus = query.value(29).toString();
    event.deletedAt = StoreTime::readOptional(query.value(30));
    return event;
}

QVariantList EventRows::fieldValues(const Event& event)
{
    using StoreSql::notNull;
    return {event.calendarId,
            notNull(event.uid),
            event.providerEventId,
            event.etag,
            event.href,
            notNull(event.title),
            event.description,
            event.location,
            event.geoLocation,
            StoreTime::bindValue(event.startTime),
            StoreTime::bindValue(event.endTime),
            event.isAllDay ? 1 : 0,
            notNull(event.timezone),
            event.recurrenceId.isEmpty() ? event.recurrenceRule : QString(),
            event.recurrenceDates,
            event.exceptionDates,
            event.recurrenceId,
            event.masterEventUid,
            notNull(event.status),
            event.eventUrl,
            event.conferenceUrl,
            event.organizerEmail,
            event.organizerName,
            event.sequence,
            notNull(event.rawIcalendar),
            event.color};
}
