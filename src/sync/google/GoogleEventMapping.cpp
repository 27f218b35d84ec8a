#include "GoogleEventMapping.h"

#include "Clock.h"
#include "DateText.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "Limits.h"
#include "WallClock.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QThread>
#include <QTimeZone>
#include <QUuid>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace Google {

namespace {

QString text(const QJsonObject& object, QLatin1String key)
{
    return object.value(key).toString();
}

// Zones by id, looked up once per thread: constructing a QTimeZone reads the zone database,
// and a listing names the same few zones thousands of times.
QTimeZone zoneNamed(const QString& id)
{
    if (id.isEmpty())
        return {};
    thread_local QHash<QString, QTimeZone> zones;
    const auto found = zones.constFind(id);
    if (found != zones.constEnd())
        return *found;
    if (zones.size() > Limits::maxRecurrenceZonesCached)
        zones.clear();
    const QTimeZone zone = EventZone::named(id);
    zones.insert(id, zone);
    return zone;
}

// "yyyy-MM-ddTHH:mm:ss", optional fraction, optional "Z" or "+HH:MM": read by hand, because
// the toolkit's parser costs more than the rest of an event's mapping.
struct IsoTime
{
    QDate date;
    QTime time;
    std::optional<int> offsetSeconds;
};

std::optional<IsoTime> readIso(QStringView value)
{
    using DateText::digits;
    if (value.size() < 19 || value[4] != u'-' || value[7] != u'-' ||
        (value[10] != u'T' && value[10] != u't') || value[13] != u':' || value[16] != u':')
        return std::nullopt;
    IsoTime read;
    read.date = QDate(digits(value, 0, 4), digits(value, 5, 2), digits(value, 8, 2));
    int millis = 0;
    qsizetype at = 19;
    if (at < value.size() && value[at] == u'.') {
        int scale = 100;
        for (++at; at < value.size() && value[at].isDigit(); ++at) {
            millis += scale * (value[at].unicode() - u'0');
            scale /= 10;
        }
    }
    read.time = QTime(digits(value, 11, 2), digits(value, 14, 2), digits(value, 17, 2), millis);
    if (!read.date.isValid() || !read.time.isValid())
        return std::nullopt;
    if (at == value.size())
        return read;
    if ((value[at] == u'Z' || value[at] == u'z') && at + 1 == value.size()) {
        read.offsetSeconds = 0;
        return read;
    }
    if ((value[at] == u'+' || value[at] == u'-') && at + 6 == value.size() &&
        value[at + 3] == u':') {
        const int hours = digits(value, at + 1, 2);
        const int minutes = digits(value, at + 4, 2);
        if (hours < 0 || minutes < 0)
            return std::nullopt;
        const int sign = value[at] == u'-' ? -1 : 1;
        read.offsetSeconds = sign * (hours * 3600 + minutes * 60);
        return read;
    }
    return std::nullopt;
}

QDateTime parseDateTime(const QString& value, const QTimeZone& zone)
{
    if (const std::optional<IsoTime> read = readIso(value)) {
        if (read->offsetSeconds)
            return QDateTime(read->date, read->time, QTimeZone::utc())
                .addSecs(-*read->offsetSeconds);
        // A wall-clock time without offset is a time in the member's zone, else the machine's.
        return WallClock::instant(read->date, read->time,
                                  zone.isValid() ? zone : QTimeZone::systemTimeZone());
    }
    QDateTime time = QDateTime::fromString(value, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QDateTime::fromString(value, Qt::ISODate);
    return time;
}

QString attendeeStatus(const QString& responseStatus)
{
    const QString lower = responseStatus.toLower();
    if (lower == u"accepted" || lower == u"declined" || lower == u"tentative")
        return lower;
    return QStringLiteral("needs-action");
}

// An exception-date or recurrence-id text as an instant; nothing when it does not read.
std::optional<std::pair<QDateTime, bool>> instantOf(const QString& value)
{
    const std::optional<DateText::Compact> read = DateText::readCompact(value);
    if (!read)
        return std::nullopt;
    if (!read->hasTime)
        return std::make_pair(QDateTime(read->date(), QTime(0, 0), QTimeZone::utc()), true);
    return std::make_pair(QDateTime(read->date(), read->time(),
                                    read->utc ? QTimeZone::utc() : QTimeZone::systemTimeZone()),
                          false);
}

// EXDATE lines of the event's exception dates: dates as dates, times as wall-clock times in
// the event's zone (or in UTC when it has none).
QStringList exceptionDateLines(const Event& event)
{
    QStringList lines;
    const std::optional<QTimeZone> zone =
        event.isAllDay ? std::nullopt : EventZone::writingZone(event.timezone);
    for (const QString& value : ExceptionDates::read(event.exceptionDates)) {
        const auto instant = instantOf(value);
        if (!instant)
            continue;
        if (instant->second)
            lines << QStringLiteral("EXDATE;VALUE=DATE:") +
                         DateText::compactDate(instant->first.date());
        else if (zone)
            lines << QStringLiteral("EXDATE;TZID=") + QString::fromUtf8(zone->id()) + u':' +
                         DateText::compactLocal(instant->first, *zone);
        else
            lines << QStringLiteral("EXDATE:") + DateText::compactUtc(instant->first);
    }
    return lines;
}

QJsonArray reminderOverrides(const Event& event)
{
    QJsonArray overrides;
    for (const Reminder& reminder : event.reminders) {
        const QString method = reminder.action.isEmpty() || reminder.action == u"display"
                                   ? QStringLiteral("popup")
                                   : reminder.action;
        overrides.append(QJsonObject{{QStringLiteral("method"), method},
                                     {QStringLiteral("minutes"), reminder.minutesBefore}});
    }
    return overrides;
}

// The end Google receives: the event's, or one day (all-day) or one hour after the start; an
// all-day end never on or before the start date.
QDateTime endToWrite(const Event& event)
{
    QDateTime end = event.endTime.value_or(event.isAllDay ? event.startTime.addDays(1)
                                                          : event.startTime.addSecs(3600));
    if (event.isAllDay && end.toUTC().date() <= event.startTime.toUTC().date())
        end = QDateTime(event.startTime.toUTC().date().addDays(1), QTime(0, 0), QTimeZone::utc());
    return end;
}

} // namespace

EventTime parseEventTime(const QJsonObject& member)
{
    EventTime result;
    const QString dateTime = text(member, QLatin1String("dateTime"));
    if (!dateTime.isEmpty()) {
        result.timeZone = text(member, QLatin1String("timeZone"));
        const QTimeZone zone = zoneNamed(result.timeZone);
        result.dateTime = parseDateTime(dateTime, zone);
        if (zone.isValid() && result.dateTime.isValid())
            result.dateTime = result.dateTime.toTimeZone(zone);
        return result;
    }
    const QString date = text(member, QLatin1String("date"));
    if (!date.isEmpty()) {
        const QDate day = QDate::fromString(date, Qt::ISODate);
        if (day.isValid())
            result.dateTime = QDateTime(day, QTime(0, 0), QTimeZone::utc());
        result.isAllDay = true;
    }
    return result;
}

QJsonObject eventTimeToJson(const QDateTime& time, bool isAllDay, const QString& timezone)
{
    if (isAllDay)
        return {{QStringLiteral("date"), time.toUTC().date().toString(Qt::ISODate)}};
    if (const std::optional<QTimeZone> zone = EventZone::writingZone(timezone)) {
        // A local mean time offset (before standard zones) has seconds that "+hh:mm" would cut
        // off: such an instant goes in UTC, still with its zone.
        const QDateTime local = time.toTimeZone(*zone);
        const QDateTime written = local.offsetFromUtc() % 60 == 0 ? local : time.toUTC();
        return {{QStringLiteral("dateTime"), written.toString(Qt::ISODate)},
                {QStringLiteral("timeZone"), QString::fromUtf8(zone->id())}};
    }
    return {{QStringLiteral("dateTime"), time.toUTC().toString(Qt::ISODateWithMs)},
            {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

QString recurrenceRuleFromJson(const QJsonObject& item)
{
    for (const QJsonValue& line : item.value(QLatin1String("recurrence")).toArray()) {
        const QString value = line.toString();
        if (value.startsWith(QLatin1String("RRULE:")))
            return value.mid(6);
    }
    return {};
}

QStringList exceptionDatesFromJson(const QJsonObject& item)
{
    QStringList dates;
    QSet<QString> seen;
    for (const QJsonValue& value : item.value(QLatin1String("recurrence")).toArray()) {
        const QString line = value.toString();
        if (!line.startsWith(QLatin1String("EXDATE"), Qt::CaseInsensitive))
            continue;
        const Ical::ContentLine parts = Ical::splitContentLine(line);
        if (parts.name != u"EXDATE")
            continue;
        for (const QString& piece : parts.value.split(u',')) {
            bool isDate = false;
            const QDateTime time = Ical::parseDateValue(piece.trimmed(), parts.params, &isDate);
            if (!time.isValid())
                continue;
            const QString date =
                isDate ? DateText::compactDate(time.date()) : DateText::compactUtc(time);
            if (!date.isEmpty() && !seen.contains(date)) {
                seen.insert(date);
                dates.append(date);
            }
        }
    }
    return dates;
}

QString recurrenceIdFromJson(const QJsonObject& item)
{
    const EventTime original =
        parseEventTime(item.value(QLatin1String("originalStartTime")).toObject());
    if (!original.dateTime.isValid())
        return {};
    return original.isAllDay ? DateText::compactDate(original.dateTime.date())
                             : DateText::compactUtc(original.dateTime);
}

QString normalizeStatus(const QString& status)
{
    if (status == u"tentative" || status == u"cancelled")
        return status;
    return QStringLiteral("confirmed");
}

Event eventFromJson(const QJsonObject& item, const QString& calendarId)
{
    Event event;
    event.calendarId = calendarId;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.providerEventId = text(item, QLatin1String("id"));
    event.uid = event.providerEventId;
    event.etag = text(item, QLatin1String("etag"));
    event.title = text(item, QLatin1String("summary"));
    if (event.title.isEmpty())
        event.title = QStringLiteral("Untitled Event");
    event.description = text(item, QLatin1String("description"));
    event.location = text(item, QLatin1String("location"));
    event.eventUrl = text(item, QLatin1String("htmlLink"));
    event.conferenceUrl = text(item, QLatin1String("hangoutLink"));

    const EventTime start = parseEventTime(item.value(QLatin1String("start")).toObject());
    const EventTime end = parseEventTime(item.value(QLatin1String("end")).toObject());
    event.startTime = start.dateTime;
    if (end.dateTime.isValid())
        event.endTime = end.dateTime;
    event.isAllDay = start.isAllDay;
    event.timezone = start.timeZone.isEmpty() ? QStringLiteral("UTC") : start.timeZone;

    event.recurrenceRule = recurrenceRuleFromJson(item);
    if (const QStringList exceptions = exceptionDatesFromJson(item); !exceptions.isEmpty())
        event.exceptionDates = ExceptionDates::write(exceptions);
    // An occurrence of a series belongs to its master: same UID, and the start it replaces as
    // its recurrence id, so the expansion puts it in place of that occurrence.
    if (const QString master = text(item, QLatin1String("recurringEventId")); !master.isEmpty()) {
        event.masterEventUid = master;
        event.recurrenceId = recurrenceIdFromJson(item);
        // Without the start it replaces, it cannot stand in the series (and would collide
        // with the master's row): it stays an event of its own.
        if (!event.recurrenceId.isEmpty())
            event.uid = master;
    }
    event.status = normalizeStatus(text(item, QLatin1String("status")));

    const QJsonObject organizer = item.value(QLatin1String("organizer")).toObject();
    event.organizerEmail = text(organizer, QLatin1String("email"));
    event.organizerName = text(organizer, QLatin1String("displayName"));
    for (const QJsonValue& value : item.value(QLatin1String("attendees")).toArray()) {
        const QJsonObject entry = value.toObject();
        Attendee attendee;
        attendee.email = text(entry, QLatin1String("email"));
        if (attendee.email.isEmpty())
            continue;
        attendee.name = text(entry, QLatin1String("displayName"));
        attendee.rsvp = true;
        if (entry.value(QLatin1String("organizer")).toBool(false))
            attendee.role = QStringLiteral("chair");
        else if (entry.value(QLatin1String("optional")).toBool(false))
            attendee.role = QStringLiteral("optional");
        else
            attendee.role = QStringLiteral("required");
        attendee.status = attendeeStatus(text(entry, QLatin1String("responseStatus")));
        event.attendees.append(attendee);
    }
    event.sequence = item.value(QLatin1String("sequence")).toInt(0);

    const QString updated = text(item, QLatin1String("updated"));
    event.lastModified =
        updated.isEmpty() ? Clock::now() : parseDateTime(updated, QTimeZone::utc());
    event.created = event.lastModified;

    const QJsonObject reminders = item.value(QLatin1String("reminders")).toObject();
    for (const QJsonValue& value : reminders.value(QLatin1String("overrides")).toArray()) {
        const QJsonObject entry = value.toObject();
        const QJsonValue minutes = entry.value(QLatin1String("minutes"));
        if (!minutes.isDouble() || minutes.toInt(-1) < 0)
            continue;
        Reminder reminder;
        reminder.minutesBefore = minutes.toInt();
        const QString method = text(entry, QLatin1String("method"));
        reminder.action = method.isEmpty() ? QStringLiteral("display") : method;
        event.reminders.append(reminder);
    }
    event.rawIcalendar = QString::fromUtf8(QJsonDocument(item).toJson(QJsonDocument::Compact));
    event.syncStatus = QStringLiteral("synced");
    return event;
}

QList<std::optional<Event>> eventsFromJson(const QList<QJsonObject>& items,
                                           const QString& calendarId)
{
    QList<std::optional<Event>> events(items.size());
    std::optional<Event>* out = events.data();
    const auto mapRange = [&items, &calendarId, out](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            // A copy of its own: the items are shared between the threads, and the toolkit's
            // containers are safe across threads only one instance per thread.
            const QJsonObject item = items.at(i);
            if (text(item, QLatin1String("id")).isEmpty() ||
                text(item, QLatin1String("status")) == u"cancelled")
                continue;
            out[i] = eventFromJson(item, calendarId);
        }
    };
    // A first listing maps thousands of items, which takes as long as reading them; the work
    // is pure, so it is spread over the cores. A short list is not worth a thread, and past a
    // few threads the store's own work dominates.
    constexpr qsizetype itemsPerThread = 500;
    constexpr qsizetype mostThreads = 8;
    const qsizetype threadCount = std::min(
        {qsizetype(QThread::idealThreadCount()), mostThreads, items.size() / itemsPerThread});
    if (threadCount <= 1) {
        mapRange(0, items.size());
        return events;
    }
    std::vector<std::thread> threads;
    const qsizetype slice = (items.size() + threadCount - 1) / threadCount;
    for (qsizetype from = slice; from < items.size(); from += slice) {
        const qsizetype to = std::min(from + slice, items.size());
        try {
            threads.emplace_back(mapRange, from, to);
        } catch (const std::system_error&) {
            mapRange(from, to); // no thread to be had: this one does the slice
        }
    }
    mapRange(0, std::min(slice, items.size()));
    for (std::thread& thread : threads)
        thread.join();
    return events;
}

QJsonObject eventToJson(const Event& event)
{
    QJsonObject body;
    body.insert(QStringLiteral("summary"), event.title);
    if (!event.description.isEmpty())
        body.insert(QStringLiteral("description"), event.description);
    if (!event.location.isEmpty())
        body.insert(QStringLiteral("location"), event.location);
    body.insert(QStringLiteral("start"),
                eventTimeToJson(event.startTime, event.isAllDay, event.timezone));
    body.insert(QStringLiteral("end"),
                eventTimeToJson(endToWrite(event), event.isAllDay, event.timezone));
    if (!event.recurrenceRule.isEmpty()) {
        QJsonArray recurrence{QStringLiteral("RRULE:") + event.recurrenceRule};
        for (const QString& line : exceptionDateLines(event))
            recurrence.append(line);
        body.insert(QStringLiteral("recurrence"), recurrence);
    }
    if (!event.status.isEmpty())
        body.insert(QStringLiteral("status"), event.status);
    if (!event.reminders.isEmpty())
        body.insert(QStringLiteral("reminders"),
                    QJsonObject{{QStringLiteral("useDefault"), false},
                                {QStringLiteral("overrides"), reminderOverrides(event)}});
    return body;
}

QJsonObject mergeIntoItem(const QJsonObject& stored, const Event& event)
{
    const QJsonObject mapped = eventToJson(event);
    if (stored.isEmpty())
        return mapped;
    QJsonObject merged = stored;
    // Answered by the server, never taken from a client.
    for (const QLatin1String key :
         {QLatin1String("etag"), QLatin1String("kind"), QLatin1String("updated"),
          QLatin1String("created"), QLatin1String("htmlLink")})
        merged.remove(key);
    for (const QLatin1String key :
         {QLatin1String("summary"), QLatin1String("description"), QLatin1String("location"),
          QLatin1String("start"), QLatin1String("end"), QLatin1String("status")}) {
        if (mapped.contains(key))
            merged.insert(key, mapped.value(key));
        else
            merged.remove(key);
    }
    // The rule and exception dates are the event's; other lines of the series (RDATE) stay.
    QJsonArray recurrence = mapped.value(QLatin1String("recurrence")).toArray();
    if (!recurrence.isEmpty()) {
        for (const QJsonValue& line : stored.value(QLatin1String("recurrence")).toArray()) {
            const QString value = line.toString();
            if (!value.startsWith(QLatin1String("RRULE:")) &&
                !value.startsWith(QLatin1String("EXDATE"), Qt::CaseInsensitive))
                recurrence.append(value);
        }
        merged.insert(QStringLiteral("recurrence"), recurrence);
    } else if (!stored.contains(QLatin1String("recurringEventId"))) {
        merged.remove(QStringLiteral("recurrence"));
    }
    // Reminders the event has replace the item's; reminders the user removed are removed; an
    // item on the calendar's default reminders keeps them.
    if (mapped.contains(QLatin1String("reminders"))) {
        merged.insert(QStringLiteral("reminders"), mapped.value(QLatin1String("reminders")));
    } else if (!stored.value(QLatin1String("reminders"))
                    .toObject()
                    .value(QLatin1String("overrides"))
                    .toArray()
                    .isEmpty()) {
        merged.insert(QStringLiteral("reminders"),
                      QJsonObject{{QStringLiteral("useDefault"), false},
                                  {QStringLiteral("overrides"), QJsonArray()}});
    }
    return merged;
}

QString occurrenceId(const QString& masterGoogleId, const QString& recurrenceId)
{
    return masterGoogleId + u'_' + recurrenceId;
}

QJsonObject originalStartToJson(const QString& recurrenceId, const QString& timezone)
{
    const auto instant = instantOf(recurrenceId);
    if (!instant)
        return {};
    return eventTimeToJson(instant->first, instant->second, timezone);
}

std::optional<CancelledOccurrence> cancelledOccurrence(const QJsonObject& item)
{
    if (text(item, QLatin1String("status")) != u"cancelled")
        return std::nullopt;
    const QString master = text(item, QLatin1String("recurringEventId"));
    const QString recurrenceId = recurrenceIdFromJson(item);
    if (master.isEmpty() || recurrenceId.isEmpty())
        return std::nullopt;
    return CancelledOccurrence{master, recurrenceId};
}

} // namespace Google
