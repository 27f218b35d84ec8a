#include "EventChange.h"

#include "CalDavBody.h"
#include "DateText.h"
#include "Ical.h"
#include "RuleUntil.h"
#include "WeekDrag.h"

#include <QStringList>

#include <algorithm>
#include <tuple>
#include <utility>

namespace EventChange {

QDateTime movedStart(const QDateTime& instanceStart, int offsetMinutes)
{
    // The block lands on the wall time of its row: on the spring night a 09:00 block dropped on
    // the 02:30 row starts at 03:30 summer time, where elapsed minutes back would give 01:30.
    return WeekDrag::movedStart(instanceStart, 0, offsetMinutes, QTimeZone::systemTimeZone());
}

std::optional<QDateTime> movedEnd(const Event& record, const QDateTime& newStart)
{
    if (!record.endTime)
        return std::nullopt;
    return newStart.addSecs(record.startTime.secsTo(*record.endTime));
}

std::optional<QDateTime> resizedEnd(const Event& record, const QDateTime& instanceStart,
                                    int deltaMinutes)
{
    if (!record.endTime)
        return std::nullopt;
    const QDateTime instanceEnd = instanceStart.addSecs(record.startTime.secsTo(*record.endTime));
    const QDateTime newEnd = instanceEnd.addSecs(qint64(deltaMinutes) * 60);
    const QDateTime shortest = instanceStart.addSecs(15 * 60);
    return newEnd < shortest ? shortest : newEnd;
}

namespace {

Event withTimes(const Event& record, const QDateTime& start, const std::optional<QDateTime>& end,
                const QDateTime& now)
{
    Event updated = record;
    updated.startTime = start;
    if (updated.endTime)
        updated.endTime = end;
    updated.lastModified = now.toUTC();
    updated.syncStatus = QStringLiteral("pending");
    updated.rawIcalendar =
        Ical::rewriteTimes(record.rawIcalendar, updated.startTime,
                           updated.endTime.value_or(updated.startTime), record.timezone);
    return updated;
}

} // namespace

Event moved(const Event& record, const QDateTime& instanceStart, int offsetMinutes,
            const QDateTime& now)
{
    const QDateTime start = movedStart(instanceStart, offsetMinutes);
    return withTimes(record, start, movedEnd(record, start), now);
}

Event resized(const Event& record, const QDateTime& instanceStart, int deltaMinutes,
              const QDateTime& now)
{
    return withTimes(record, record.startTime, resizedEnd(record, instanceStart, deltaMinutes),
                     now);
}

namespace {

// The values of a BY part as a set: numbers as numbers, weekdays without a "+".
QString valueSet(const QString& value)
{
    QStringList items;
    for (QString item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        item = item.trimmed();
        if (item.startsWith(QLatin1Char('+')))
            item.remove(0, 1);
        bool number = false;
        const int read = item.toInt(&number);
        if (number)
            item = QString::number(read);
        if (!items.contains(item))
            items.append(item);
    }
    items.sort();
    return items.join(QLatin1Char(','));
}

// A series' rule by what it means, as a sorted list of parts: names upper-cased, an UNTIL as the
// instant it names on the series' clock (RuleUntil::ofSeries), the values of each BY part as a
// set, and the defaults that change nothing (INTERVAL=1, WKST=MO) left out. The same rule written
// another way, or read back from a server, compares equal.
QStringList ruleParts(const Event& series)
{
    QStringList parts;
    const QString rule = RuleUntil::ofSeries(series);
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        const QString name = (equals < 0 ? part : part.left(equals)).trimmed().toUpper();
        QString value = equals < 0 ? QString() : part.mid(equals + 1).trimmed().toUpper();
        if (name == QLatin1String("UNTIL")) {
            if (const std::optional<DateText::Compact> until = DateText::readCompact(value))
                value = QString::number(
                    QDateTime(until->date(), until->time(), QTimeZone::utc()).toSecsSinceEpoch());
        } else if (name.startsWith(QLatin1String("BY"))) {
            value = valueSet(value);
        } else if ((name == QLatin1String("INTERVAL") && value.toInt() == 1) ||
                   (name == QLatin1String("WKST") && value == QLatin1String("MO"))) {
            continue;
        }
        parts.append(name + QLatin1Char('=') + value);
    }
    parts.sort();
    parts.removeDuplicates();
    return parts;
}

QList<std::pair<int, QString>> reminderKey(const Event& event)
{
    QList<std::pair<int, QString>> key;
    key.reserve(event.reminders.size());
    for (const Reminder& reminder : event.reminders)
        key.append({reminder.minutesBefore, reminder.action});
    // The store reads them back in an order of its own.
    std::sort(key.begin(), key.end());
    return key;
}

QList<std::tuple<QString, QString, QString, QString, QString, bool>> attendeeKey(const Event& event)
{
    QList<std::tuple<QString, QString, QString, QString, QString, bool>> key;
    key.reserve(event.attendees.size());
    for (const Attendee& attendee : event.attendees)
        key.append({attendee.email, attendee.name, attendee.role, attendee.status, attendee.type,
                    attendee.rsvp});
    std::sort(key.begin(), key.end());
    return key;
}

// Calls `visit(same, take)` for each field putBack compares: `same` tells whether two records
// hold one value of it, `take` copies it from one record to another.
template <typename Visit> void eachField(const Visit& visit)
{
    const auto tied = [&visit](auto members) {
        visit([members](const Event& a, const Event& b) { return members(a) == members(b); },
              [members](Event& to, const Event& from) { members(to) = members(from); });
    };
    tied([](auto& e) { return std::tie(e.title); });
    tied([](auto& e) { return std::tie(e.description); });
    tied([](auto& e) { return std::tie(e.location, e.geoLocation); });
    tied([](auto& e) { return std::tie(e.startTime, e.endTime, e.isAllDay, e.timezone); });
    visit([](const Event& a, const Event& b) { return sameRule(a, b); },
          [](Event& to, const Event& from) { to.recurrenceRule = from.recurrenceRule; });
    tied([](auto& e) { return std::tie(e.recurrenceDates); });
    tied([](auto& e) { return std::tie(e.exceptionDates); });
    tied([](auto& e) { return std::tie(e.recurrenceId); });
    tied([](auto& e) { return std::tie(e.status); });
    tied([](auto& e) { return std::tie(e.eventUrl, e.conferenceUrl); });
    tied([](auto& e) { return std::tie(e.organizerEmail, e.organizerName); });
    tied([](auto& e) { return std::tie(e.color); });
    tied([](auto& e) { return std::tie(e.calendarId); });
    tied([](auto& e) { return std::tie(e.deletedAt); });
    visit([](const Event& a, const Event& b) { return reminderKey(a) == reminderKey(b); },
          [](Event& to, const Event& from) { to.reminders = from.reminders; });
    visit([](const Event& a, const Event& b) { return attendeeKey(a) == attendeeKey(b); },
          [](Event& to, const Event& from) { to.attendees = from.attendees; });
}

} // namespace

bool sameRule(const Event& a, const Event& b)
{
    return a.recurrenceRule == b.recurrenceRule || ruleParts(a) == ruleParts(b);
}

Event putBack(const Event& before, const Event& written, const Event& current)
{
    return putBack(before, written, current, before);
}

Event putBack(const Event& before, const Event& written, const Event& current, const Event& values)
{
    Event restored = current;
    eachField([&](const auto& same, const auto& take) {
        if (!same(before, written))
            take(restored, values);
    });
    return restored;
}

bool sameFields(const Event& a, const Event& b)
{
    bool same = true;
    eachField([&](const auto& sameField, const auto&) { same = same && sameField(a, b); });
    return same;
}

bool sameReminders(const Event& a, const Event& b)
{
    const auto key = [](const Event& event) {
        QList<std::pair<int, QString>> kinds;
        for (const Reminder& reminder : event.reminders) {
            const QString kind = reminder.action.toLower();
            kinds.append(
                {reminder.minutesBefore, kind == u"popup" ? QStringLiteral("display") : kind});
        }
        std::sort(kinds.begin(), kinds.end());
        return kinds;
    };
    return key(a) == key(b);
}

bool sameAsWritten(const Event& current, const Event& written, bool serverKeepsItsOwn)
{
    Event compared = current;
    compared.reminders = written.reminders;
    if (serverKeepsItsOwn) {
        compared.organizerEmail = written.organizerEmail;
        compared.organizerName = written.organizerName;
        compared.eventUrl = written.eventUrl;
        compared.conferenceUrl = written.conferenceUrl;
        compared.attendees = written.attendees;
        compared.geoLocation = written.geoLocation;
        compared.recurrenceDates = written.recurrenceDates;
    }
    return sameReminders(current, written) && sameFields(compared, written);
}

std::optional<Event> undoRecord(const Event& before, const Event& written,
                                const std::optional<Event>& current, const QDateTime& now)
{
    if (!current || current->deletedAt)
        return std::nullopt;
    const bool unpushed = current->syncStatus == QLatin1String("pending") &&
                          current->etag == written.etag && current->href == written.href &&
                          current->providerEventId == written.providerEventId;
    if (unpushed && sameFields(*current, written)) {
        Event restored = before;
        // The item may have taken another UID meanwhile (its place on the server was taken).
        if (restored.uid != current->uid)
            restored.rawIcalendar = CalDavBody::withUid(restored.rawIcalendar, current->uid);
        restored.uid = current->uid;
        restored.masterEventUid = current->masterEventUid;
        return restored;
    }
    Event restored = putBack(before, written, *current);
    // Times of another kind (another client made the event all-day, or timed) are written anew
    // in the row's own kind; a rewrite of the text's times keeps their value type.
    if (restored.isAllDay != current->isAllDay)
        restored.rawIcalendar = Ical::buildEvent(restored);
    else if (restored.startTime != current->startTime || restored.endTime != current->endTime)
        restored.rawIcalendar =
            Ical::rewriteTimes(current->rawIcalendar, restored.startTime,
                               restored.endTime.value_or(restored.startTime), restored.timezone);
    restored.syncStatus = QStringLiteral("pending");
    restored.lastModified = now.toUTC();
    return restored;
}

std::optional<Event> stillStored(const Event& read, const std::optional<Event>& current)
{
    if (!current || current->deletedAt || current->calendarId != read.calendarId)
        return std::nullopt;
    return current;
}

} // namespace EventChange
