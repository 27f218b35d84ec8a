// The writing layer: whole calendars for one event or task, keeping what the stored text holds
// beyond the record, and the rewriting of an event's times in its stored text.

#include "Clock.h"
#include "DateText.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "IcalInternal.h"
#include "IcalScanner.h"
#include "IcalZoneCache.h"
#include "Limits.h"

#include <algorithm>

namespace {

using namespace IcalInternal;

void appendRaw(QString& out, QStringView line)
{
    out += line;
    out += crlf;
}

void appendLine(QString& out, QLatin1String name, QStringView value)
{
    out += name;
    out += value;
    out += crlf;
}

// What the stored text of an event holds beyond the record: the properties the record does not
// model, and its nested components (alarms with the reminder each one stands for).
struct StoredParts
{
    struct Component
    {
        QStringList lines;
        std::optional<Reminder> reminder; // set for an alarm that maps to a reminder
        bool complete = false;            // its END line was seen
    };
    QStringList properties;
    QList<Component> components;
};

bool isModelledProperty(Property property)
{
    switch (property) {
    case Property::Uid:
    case Property::Summary:
    case Property::Description:
    case Property::Location:
    case Property::DtStart:
    case Property::DtEnd:
    case Property::Duration:
    case Property::RRule:
    case Property::RecurrenceId:
    case Property::Status:
    case Property::Sequence:
    case Property::Url:
    case Property::Organizer:
    case Property::Created:
    case Property::LastModified:
    case Property::ExDate:
    case Property::Attendee:
    case Property::DtStamp:
        return true;
    default:
        return false;
    }
}

// A line that a strict reader accepts as a property: a name of letters, digits and dashes, and
// a value after a colon. Anything else in a stored text is not carried into a new one.
bool isPropertyLine(QStringView line, const LineParts& parts)
{
    if (parts.name.isEmpty() || parts.name.size() == line.size())
        return false;
    for (const QChar c : parts.name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                        (u >= u'0' && u <= u'9') || u == u'-';
        if (!ok)
            return false;
    }
    return true;
}

// Reads the VEVENT of the stored text that belongs to the event (same UID, and the same kind:
// series or overridden instance), or the first with the same UID.
StoredParts storedParts(const Event& event)
{
    StoredParts chosen;
    bool haveChosen = false;
    if (event.rawIcalendar.isEmpty() || event.rawIcalendar.size() > Limits::maxIcalendarBytes)
        return chosen;
    IcalZoneCache zones;
    IcalScanner scanner(event.rawIcalendar);
    StoredParts current;
    bool inside = false;
    int depth = 0;
    int lines = 0;
    QString uid;
    bool hasRecurrenceId = false;
    PendingAlarm alarm;
    bool inAlarm = false;
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (scanner.isTooLong() || line.isEmpty())
            continue;
        const bool begins = startsWithInsensitive(line, QLatin1String("BEGIN:"));
        const bool ends = startsWithInsensitive(line, QLatin1String("END:"));
        if (!inside) {
            if (begins && equalsInsensitive(line.mid(6), QLatin1String("VEVENT"))) {
                inside = true;
                current = StoredParts();
                depth = 0;
                lines = 0;
                uid.clear();
                hasRecurrenceId = false;
            }
            continue;
        }
        if (++lines > Limits::maxIcalendarPropertiesPerComponent)
            return chosen;
        if (ends && equalsInsensitive(line.mid(4), QLatin1String("VEVENT"))) {
            inside = false;
            if (uid != event.uid)
                continue;
            if (hasRecurrenceId == !event.recurrenceId.isEmpty())
                return current;
            if (!haveChosen) {
                chosen = current;
                haveChosen = true;
            }
            continue;
        }
        if (depth > 0) {
            if (current.components.isEmpty())
                continue;
            StoredParts::Component& component = current.components.last();
            component.lines.append(line.toString());
            if (begins && ++depth > Limits::maxIcalendarNesting)
                return chosen;
            if (ends)
                --depth;
            component.complete = depth == 0;
            if (depth == 0 && inAlarm) {
                component.reminder = reminderOf(alarm, event.startTime, event.endTime);
                inAlarm = false;
            } else if (depth == 1 && inAlarm) {
                const LineParts parts = splitLine(line);
                readAlarmProperty(alarm, propertyOf(parts.name), parts, zones);
            }
            continue;
        }
        if (begins) {
            depth = 1;
            inAlarm = equalsInsensitive(line.mid(6), QLatin1String("VALARM"));
            alarm = PendingAlarm();
            current.components.append({QStringList{line.toString()}, std::nullopt, false});
            continue;
        }
        const LineParts parts = splitLine(line);
        const Property property = propertyOf(parts.name);
        if (property == Property::Uid)
            uid = unescape(parts.value);
        else if (property == Property::RecurrenceId)
            hasRecurrenceId = true;
        if (!isModelledProperty(property) && isPropertyLine(line, parts))
            current.properties.append(line.toString());
    }
    return chosen;
}

void appendAlarm(QString& out, const Reminder& reminder, const QString& title)
{
    const QString action = reminder.action.isEmpty() ? QStringLiteral("DISPLAY")
                                                     : plainValue(reminder.action).toUpper();
    appendLine(out, QLatin1String("BEGIN:"), u"VALARM");
    appendLine(out, QLatin1String("ACTION:"), action);
    const qint64 minutes = reminder.minutesBefore;
    const QString trigger = minutes >= 0 ? QStringLiteral("-PT%1M").arg(minutes)
                                         : QStringLiteral("PT%1M").arg(-minutes);
    appendLine(out, QLatin1String("TRIGGER:"), trigger);
    if (action == u"DISPLAY" || action == u"EMAIL") {
        appendLine(out, QLatin1String("DESCRIPTION:"),
                   Ical::escapeText(title.isEmpty() ? QStringLiteral("Reminder") : title));
    }
    if (action == u"EMAIL")
        appendLine(out, QLatin1String("SUMMARY:"), Ical::escapeText(title));
    appendLine(out, QLatin1String("END:"), u"VALARM");
}

void appendExceptionDates(QString& out, const QString& json)
{
    if (json.isEmpty())
        return;
    IcalZoneCache zones;
    for (const QString& text : ExceptionDates::read(json)) {
        const DateRead read = readDateValue(text, {}, zones);
        if (!read.time.isValid())
            continue;
        if (read.isDate)
            appendLine(out, QLatin1String("EXDATE;VALUE=DATE:"), text);
        else
            appendLine(out, QLatin1String("EXDATE:"), text);
    }
}

void appendRecurrenceId(QString& out, const QString& recurrenceId)
{
    if (recurrenceId.isEmpty())
        return;
    IcalZoneCache zones;
    const DateRead read = readDateValue(recurrenceId, {}, zones);
    if (!read.time.isValid())
        return;
    if (read.isDate)
        appendLine(out, QLatin1String("RECURRENCE-ID;VALUE=DATE:"), recurrenceId);
    else
        appendLine(out, QLatin1String("RECURRENCE-ID:"), recurrenceId);
}

void appendAttendee(QString& out, const Attendee& attendee)
{
    if (attendee.email.isEmpty())
        return;
    out += QLatin1String("ATTENDEE");
    if (!attendee.name.isEmpty())
        out += QLatin1String(";CN=") + paramValue(attendee.name);
    if (!attendee.role.isEmpty())
        out += QLatin1String(";ROLE=") + paramValue(roleParam(attendee.role));
    if (!attendee.status.isEmpty())
        out += QLatin1String(";PARTSTAT=") + paramValue(attendee.status.toUpper());
    if (!attendee.type.isEmpty())
        out += QLatin1String(";CUTYPE=") + paramValue(attendee.type.toUpper());
    if (attendee.rsvp)
        out += QLatin1String(";RSVP=TRUE");
    out += QLatin1String(":mailto:") + plainValue(attendee.email) + crlf;
}

// The physical lines of the text from `begin` to `end`, each ended by CR LF.
void appendPhysicalLines(QString& out, QStringView text, qsizetype begin, qsizetype end)
{
    for (QStringView line : text.mid(begin, end - begin).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        appendRaw(out, line);
    }
}

bool isDateValued(const LineParts& parts)
{
    const auto valueType = paramOf(parts.params, QLatin1String("VALUE"));
    if (valueType)
        return equalsInsensitive(*valueType, QLatin1String("DATE"));
    return parts.value.size() == 8 && !parts.value.contains(u'T');
}

} // namespace

namespace Ical {

QString buildEvent(const Event& event)
{
    const StoredParts stored = storedParts(event);
    QString out;
    out.reserve(1024 + event.description.size() + event.rawIcalendar.size());
    out += calendarHead;
    appendLine(out, QLatin1String("BEGIN:"), u"VEVENT");
    appendLine(out, QLatin1String("UID:"), escapeText(event.uid));
    // An empty SUMMARY value is refused by strict readers; no SUMMARY reads back as no title.
    if (!event.title.isEmpty())
        appendLine(out, QLatin1String("SUMMARY:"), escapeText(event.title));
    if (event.isAllDay) {
        const QDate startDate = event.startTime.toUTC().date();
        QDate endDate = event.endTime ? event.endTime->toUTC().date() : QDate();
        if (!endDate.isValid() || endDate <= startDate)
            endDate = startDate.addDays(1);
        appendLine(out, QLatin1String("DTSTART;VALUE=DATE:"), DateText::compactDate(startDate));
        appendLine(out, QLatin1String("DTEND;VALUE=DATE:"), DateText::compactDate(endDate));
    } else {
        const QString start = DateText::compactUtc(event.startTime);
        QString end = event.endTime ? DateText::compactUtc(*event.endTime) : QString();
        if (end.isEmpty())
            end = start;
        appendLine(out, QLatin1String("DTSTART:"), start);
        appendLine(out, QLatin1String("DTEND:"), end);
    }
    appendLine(out, QLatin1String("DTSTAMP:"), DateText::compactUtc(Clock::now()));
    if (!event.description.isEmpty())
        appendLine(out, QLatin1String("DESCRIPTION:"), escapeText(event.description));
    if (!event.location.isEmpty())
        appendLine(out, QLatin1String("LOCATION:"), escapeText(event.location));
    if (!event.eventUrl.isEmpty())
        appendLine(out, QLatin1String("URL:"), plainValue(event.eventUrl));
    if (!event.status.isEmpty())
        appendLine(out, QLatin1String("STATUS:"), plainValue(event.status).toUpper());
    if (event.sequence > 0)
        appendLine(out, QLatin1String("SEQUENCE:"), QString::number(event.sequence));
    if (event.created.isValid())
        appendLine(out, QLatin1String("CREATED:"), DateText::compactUtc(event.created));
    if (event.lastModified.isValid())
        appendLine(out, QLatin1String("LAST-MODIFIED:"), DateText::compactUtc(event.lastModified));
    if (!event.recurrenceRule.isEmpty())
        appendLine(out, QLatin1String("RRULE:"), plainValue(event.recurrenceRule));
    appendExceptionDates(out, event.exceptionDates);
    appendRecurrenceId(out, event.recurrenceId);
    if (!event.organizerEmail.isEmpty()) {
        out += QLatin1String("ORGANIZER");
        if (!event.organizerName.isEmpty())
            out += QLatin1String(";CN=") + paramValue(event.organizerName);
        out += QLatin1String(":mailto:") + plainValue(event.organizerEmail) + crlf;
    }
    for (const Attendee& attendee : event.attendees)
        appendAttendee(out, attendee);
    for (const QString& line : stored.properties)
        appendRaw(out, line);

    // An alarm from the stored text that still stands for one of the reminders is kept whole,
    // with what the record does not hold (repeats, sounds, server ids).
    QList<bool> used(stored.components.size(), false);
    for (const Reminder& reminder : event.reminders) {
        qsizetype match = -1;
        for (qsizetype i = 0; i < stored.components.size() && match < 0; ++i) {
            const auto& candidate = stored.components[i].reminder;
            if (!used[i] && stored.components[i].complete && candidate &&
                sameReminder(*candidate, reminder))
                match = i;
        }
        if (match < 0) {
            appendAlarm(out, reminder, event.title);
            continue;
        }
        used[match] = true;
        for (const QString& line : stored.components[match].lines)
            appendRaw(out, line);
    }
    for (qsizetype i = 0; i < stored.components.size(); ++i) {
        if (used[i] || stored.components[i].reminder || !stored.components[i].complete)
            continue;
        for (const QString& line : stored.components[i].lines)
            appendRaw(out, line);
    }
    appendLine(out, QLatin1String("END:"), u"VEVENT");
    out += calendarFoot;
    return out;
}

QString buildTask(const Task& task)
{
    const auto dateOnly = [](const std::optional<QDateTime>& time) {
        return time->isValid() ? DateText::compactDate(time->date()) : QString();
    };
    QString out;
    out.reserve(512 + task.description.size());
    out += calendarHead;
    appendLine(out, QLatin1String("BEGIN:"), u"VTODO");
    appendLine(out, QLatin1String("UID:"), escapeText(task.uid));
    appendLine(out, QLatin1String("DTSTAMP:"), DateText::compactUtc(Clock::now()));
    if (!task.title.isEmpty())
        appendLine(out, QLatin1String("SUMMARY:"), escapeText(task.title));
    appendLine(out, QLatin1String("STATUS:"),
               task.status.isEmpty() ? QStringLiteral("NEEDS-ACTION")
                                     : plainValue(task.status).toUpper());
    if (task.sequence > 0)
        appendLine(out, QLatin1String("SEQUENCE:"), QString::number(task.sequence));
    if (task.priority > 0)
        appendLine(out, QLatin1String("PRIORITY:"), QString::number(task.priority));
    if (task.percentComplete > 0)
        appendLine(out, QLatin1String("PERCENT-COMPLETE:"), QString::number(task.percentComplete));
    if (task.startDate) {
        if (task.startIsDateOnly)
            appendLine(out, QLatin1String("DTSTART;VALUE=DATE:"), dateOnly(task.startDate));
        else
            appendLine(out, QLatin1String("DTSTART:"), DateText::compactUtc(*task.startDate));
    }
    if (task.dueDate) {
        if (task.dueIsDateOnly)
            appendLine(out, QLatin1String("DUE;VALUE=DATE:"), dateOnly(task.dueDate));
        else
            appendLine(out, QLatin1String("DUE:"), DateText::compactUtc(*task.dueDate));
    }
    if (task.completedDate)
        appendLine(out, QLatin1String("COMPLETED:"), DateText::compactUtc(*task.completedDate));
    if (!task.recurrenceRule.isEmpty())
        appendLine(out, QLatin1String("RRULE:"), plainValue(task.recurrenceRule));
    if (!task.categories.isEmpty()) {
        QStringList escaped;
        for (const QString& category : task.categories)
            escaped.append(escapeText(category));
        appendLine(out, QLatin1String("CATEGORIES:"), escaped.join(u','));
    }
    if (!task.parentTaskUid.isEmpty())
        appendLine(out, QLatin1String("RELATED-TO;RELTYPE=PARENT:"),
                   escapeText(task.parentTaskUid));
    if (task.repeatMode == u"fromCompletionDate")
        appendLine(out, QLatin1String("X-ORVANDELLIC-REPEAT-MODE:"), u"fromCompletionDate");
    if (task.sortOrder > 0)
        appendLine(out, QLatin1String("X-ORVANDELLIC-SORT-ORDER:"),
                   QString::number(task.sortOrder));
    if (!task.description.isEmpty())
        appendLine(out, QLatin1String("DESCRIPTION:"), escapeText(task.description));
    appendLine(out, QLatin1String("END:"), u"VTODO");
    out += calendarFoot;
    return out;
}

QString rewriteTimes(const QString& stored, const QDateTime& start, const QDateTime& end)
{
    if (stored.isEmpty() || !start.isValid())
        return stored;
    const QString startText = DateText::compactUtc(start);
    QString endText = DateText::compactUtc(end);
    if (endText.isEmpty())
        endText = startText;
    const QDate startDate = start.toUTC().date();
    QDate endDate = end.isValid() ? end.toUTC().date() : QDate();
    if (!endDate.isValid() || endDate <= startDate)
        endDate = startDate.addDays(1);

    enum class State { Before, Inside, After };
    State state = State::Before;
    int depth = 0;
    bool startWritten = false;
    bool endWritten = false;
    bool startIsDate = false;
    QString out;
    out.reserve(stored.size() + 64);
    const QStringView text(stored);
    const bool endsWithBreak = stored.endsWith(u'\n');
    IcalScanner scanner(text);
    while (scanner.next()) {
        const QStringView line = scanner.line();
        const auto copyLine = [&] {
            appendPhysicalLines(out, text, scanner.begin(), scanner.end());
        };
        if (state != State::Inside) {
            copyLine();
            if (state == State::Before &&
                startsWithInsensitive(line, QLatin1String("BEGIN:VEVENT")))
                state = State::Inside;
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("END:VEVENT"))) {
            if (!startWritten) {
                out += QLatin1String("DTSTART:") + startText + crlf;
                startIsDate = false;
            }
            if (!endWritten) {
                if (startIsDate)
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else
                    out += QLatin1String("DTEND:") + endText + crlf;
            }
            copyLine();
            state = State::After;
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("BEGIN:"))) {
            ++depth;
        } else if (startsWithInsensitive(line, QLatin1String("END:"))) {
            depth = std::max(0, depth - 1);
        } else if (depth == 0) {
            const LineParts parts = splitLine(line);
            const Property property = propertyOf(parts.name);
            if (property == Property::DtStart) {
                startIsDate = isDateValued(parts);
                if (startIsDate)
                    out += QLatin1String("DTSTART;VALUE=DATE:") + DateText::compactDate(startDate) +
                           crlf;
                else
                    out += QLatin1String("DTSTART:") + startText + crlf;
                startWritten = true;
                continue;
            }
            if (property == Property::DtEnd) {
                if (isDateValued(parts))
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else
                    out += QLatin1String("DTEND:") + endText + crlf;
                endWritten = true;
                continue;
            }
            if (property == Property::Duration)
                continue;
        }
        copyLine();
    }
    if (state == State::Before)
        return stored;
    if (!endsWithBreak)
        out.chop(2);
    return out;
}

} // namespace Ical
