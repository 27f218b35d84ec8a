// The writing layer: whole calendars for one event or task, keeping what the stored text holds
// beyond the record, and the rewriting of an event's times in its stored text.

#include "Clock.h"
#include "DateText.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "IcalInternal.h"
#include "IcalScanner.h"
#include "IcalTimeForm.h"
#include "IcalZoneCache.h"
#include "Limits.h"
#include "Recurrence.h"
#include "RuleUntil.h"
#include "VTimeZone.h"
#include "VTimeZoneRules.h"
#include "WallClock.h"

#include <algorithm>
#include <functional>
#include <memory>

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

// What the stored text of an event or task holds beyond the record: the properties the record
// does not model, and its nested components (an event's alarms with the reminder each one stands
// for).
struct StoredParts
{
    struct Component
    {
        QStringList lines;
        std::optional<Reminder> reminder; // set for an alarm that maps to a reminder
        bool complete = false;            // its END line was seen
        bool broken = false; // an END closed another component, or a calendar-level one began
        QStringList open;    // names of its open components, outermost first
    };
    QStringList properties;
    QList<Component> components;
    // The component's own DTSTART, DTEND and RECURRENCE-ID lines, for times the record still
    // holds as they say.
    QString startLine;
    QString endLine;
    QString durationLine;
    QString recurrenceIdLine;
};

bool isModelledEventProperty(Property property)
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

// What buildTask writes from the task, or reads into it. A link other than to the parent is no
// field of the record; a DURATION is kept only where it still stands for the due date: beside a
// start and without a DUE, which it must never meet.
bool isModelledTaskProperty(const LineParts& parts, Property property, const Task& task)
{
    switch (property) {
    case Property::Uid:
    case Property::DtStamp:
    case Property::Summary:
    case Property::Description:
    case Property::Status:
    case Property::Sequence:
    case Property::Priority:
    case Property::PercentComplete:
    case Property::DtStart:
    case Property::Due:
    case Property::Completed:
    case Property::RRule:
    case Property::Categories:
    case Property::Created:
    case Property::LastModified:
    case Property::RepeatMode:
    case Property::SortOrder:
        return true;
    case Property::RelatedTo: {
        const auto type = paramOf(parts.params, QLatin1String("RELTYPE"));
        return !type || equalsInsensitive(*type, QLatin1String("PARENT"));
    }
    case Property::Duration:
        return !task.startDate || task.dueDate;
    default:
        return false;
    }
}

// Components that stand beside events and tasks, never inside one: copied into a VEVENT or a
// VTODO, they would end it or start another object for readers.
bool isCalendarLevel(QStringView name)
{
    for (const QLatin1String level :
         {QLatin1String("VCALENDAR"), QLatin1String("VEVENT"), QLatin1String("VTODO"),
          QLatin1String("VJOURNAL"), QLatin1String("VFREEBUSY"), QLatin1String("VTIMEZONE")}) {
        if (equalsInsensitive(name, level))
            return true;
    }
    return false;
}

// The component of a stored text an edit rebuilds, and what its record models of it.
struct StoredTarget
{
    QLatin1String component; // "VEVENT" or "VTODO"
    QString uid;
    bool isOverride = false; // prefer the component with a RECURRENCE-ID
    std::function<bool(const LineParts&, Property)> isModelled;
    // Set for an event: its alarms are read as the reminders they stand for.
    const Event* alarmsOf = nullptr;
};

// Reads the component of the stored text that belongs to the target (same UID, and the same
// kind: series or overridden instance), or the first with the same UID.
StoredParts storedParts(const QString& text, const StoredTarget& target)
{
    StoredParts chosen;
    bool haveChosen = false;
    if (text.isEmpty() || text.size() > Limits::maxIcalendarBytes)
        return chosen;
    IcalZoneCache zones;
    IcalScanner scanner(text);
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
        // A component of the target's kind that begins inside another starts over, as the
        // reader does.
        if (begins && equalsInsensitive(line.mid(6), target.component)) {
            inside = true;
            current = StoredParts();
            depth = 0;
            lines = 0;
            uid.clear();
            hasRecurrenceId = false;
            continue;
        }
        if (!inside)
            continue;
        if (++lines > Limits::maxIcalendarPropertiesPerComponent)
            return chosen;
        if (ends && equalsInsensitive(line.mid(4), target.component)) {
            inside = false;
            if (uid != target.uid)
                continue;
            if (hasRecurrenceId == target.isOverride)
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
            if (begins) {
                if (++depth > Limits::maxIcalendarNesting)
                    return chosen;
                component.open.append(line.mid(6).toString());
                component.broken = component.broken || isCalendarLevel(line.mid(6));
            }
            if (ends) {
                if (line.mid(4).compare(component.open.constLast(), Qt::CaseInsensitive) != 0)
                    component.broken = true;
                component.open.removeLast();
                --depth;
            }
            component.complete = depth == 0 && !component.broken;
            if (depth == 0 && inAlarm) {
                component.reminder =
                    reminderOf(alarm, target.alarmsOf->startTime, target.alarmsOf->endTime);
                inAlarm = false;
            } else if (depth == 1 && inAlarm) {
                const LineParts parts = splitLine(line);
                readAlarmProperty(alarm, propertyOf(parts.name), parts, zones);
            }
            continue;
        }
        if (begins) {
            depth = 1;
            inAlarm = target.alarmsOf && equalsInsensitive(line.mid(6), QLatin1String("VALARM"));
            alarm = PendingAlarm();
            current.components.append({QStringList{line.toString()}, std::nullopt, false,
                                       isCalendarLevel(line.mid(6)),
                                       QStringList{line.mid(6).toString()}});
            continue;
        }
        // An END with nothing open to close is no property.
        if (ends)
            continue;
        const LineParts parts = splitLine(line);
        const Property property = propertyOf(parts.name);
        if (property == Property::Uid)
            uid = unescape(parts.value);
        else if (property == Property::RecurrenceId)
            hasRecurrenceId = true;
        if (property == Property::DtStart)
            current.startLine = line.toString();
        else if (property == Property::DtEnd)
            current.endLine = line.toString();
        else if (property == Property::Duration)
            current.durationLine = line.toString();
        else if (property == Property::RecurrenceId)
            current.recurrenceIdLine = line.toString();
        if (!target.isModelled(parts, property) && isPropertyLine(line, parts))
            current.properties.append(line.toString());
    }
    return chosen;
}

// The stored parts of each complete nested component, whole, in their order.
void appendStoredComponents(QString& out, const StoredParts& stored, const QList<bool>& used)
{
    for (qsizetype i = 0; i < stored.components.size(); ++i) {
        if (used.value(i) || stored.components[i].reminder || !stored.components[i].complete)
            continue;
        for (const QString& line : stored.components[i].lines)
            appendRaw(out, line);
    }
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

// The end as the stored text says it where that still holds (its DTEND line, or its DURATION
// where every reader reads it as the end held), else as the form says an end.
void appendKeptEnd(QString& out, const StoredParts& stored, const QDateTime& start,
                   const QDateTime& end, const IcalTimeForm& form, IcalZoneCache& zones)
{
    if (form.keeps(stored.endLine, end, zones)) {
        appendRaw(out, stored.endLine);
        return;
    }
    if (!stored.durationLine.isEmpty() && stored.endLine.isEmpty() &&
        form.durationSays(splitLine(stored.durationLine).value, start, end)) {
        appendRaw(out, stored.durationLine);
        return;
    }
    out += form.endLine(start, end);
}

// `seriesStart`: the start of a series written as its digits though they name another instant
// (IcalTimeForm::seriesStart); an exception date of that first occurrence names it so too.
void appendExceptionDates(QString& out, const QString& json, const IcalTimeForm& form,
                          const QDateTime& seriesStart)
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
        else if (form.isLocal() && read.time == seriesStart)
            out += form.shownLine(QLatin1String("EXDATE"), read.time);
        else if (form.isLocal())
            out += form.line(QLatin1String("EXDATE"), read.time);
        else
            appendLine(out, QLatin1String("EXDATE:"), text);
    }
}

void appendRecurrenceId(QString& out, const QString& recurrenceId, const IcalTimeForm& form)
{
    if (recurrenceId.isEmpty())
        return;
    IcalZoneCache zones;
    const DateRead read = readDateValue(recurrenceId, {}, zones);
    if (!read.time.isValid())
        return;
    if (read.isDate)
        appendLine(out, QLatin1String("RECURRENCE-ID;VALUE=DATE:"), recurrenceId);
    else if (form.isLocal())
        out += form.line(QLatin1String("RECURRENCE-ID"), read.time);
    else
        appendLine(out, QLatin1String("RECURRENCE-ID:"), recurrenceId);
}

// The instants the zone definition of a timed event must cover: its first start (or the start
// it replaces, or an excluded one) to the end of its series; for a series without an end, a
// bounded number of years past now.
std::pair<QDateTime, QDateTime> zoneSpan(const Event& event, const QTimeZone& zone)
{
    QDateTime first = event.startTime;
    QDateTime last = event.endTime.value_or(event.startTime);
    IcalZoneCache zones;
    QStringList instants = ExceptionDates::read(event.exceptionDates);
    instants.append(event.recurrenceId);
    for (const QString& text : std::as_const(instants)) {
        const DateRead read = readDateValue(text, {}, zones);
        if (!read.time.isValid() || read.isDate)
            continue;
        first = std::min(first, read.time);
        last = std::max(last, read.time);
    }
    if (event.recurrenceRule.isEmpty())
        return {first, last};
    const Recurrence::Rule rule = Recurrence::parseRRule(event.recurrenceRule);
    const QDateTime horizon = event.startTime.addYears(Limits::maxTimeZoneSpanYears);
    if (rule.until.isValid()) {
        last = std::max(last, std::min(rule.until, horizon));
    } else if (rule.count > 0) {
        const QList<QDateTime> starts =
            Recurrence::generateStarts(rule, event.startTime.toTimeZone(zone), horizon);
        if (!starts.isEmpty())
            last = std::max(last, starts.constLast());
    } else {
        last = std::max(last, std::max(event.startTime, Clock::now())
                                  .addYears(Limits::timeZoneYearsAheadForEndlessSeries));
    }
    return {first, last};
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

// Whether the first VEVENT of the text has a repeat rule of its own.
bool hasRule(QStringView text)
{
    IcalScanner scanner(text);
    bool inside = false;
    int depth = 0;
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (!inside) {
            inside = startsWithInsensitive(line, QLatin1String("BEGIN:VEVENT"));
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("END:VEVENT")) && depth == 0)
            return false;
        if (startsWithInsensitive(line, QLatin1String("BEGIN:")))
            ++depth;
        else if (startsWithInsensitive(line, QLatin1String("END:")))
            depth = std::max(0, depth - 1);
        else if (depth == 0 && propertyOf(splitLine(line).name) == Property::RRule)
            return true;
    }
    return false;
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
    const StoredParts stored = storedParts(
        event.rawIcalendar,
        {QLatin1String("VEVENT"), event.uid, !event.recurrenceId.isEmpty(),
         [](const LineParts&, Property property) { return isModelledEventProperty(property); },
         &event});
    const IcalTimeForm form = IcalTimeForm::ofEvent(event, stored.startLine);
    IcalZoneCache zones;
    zones.setText(event.rawIcalendar);
    QDateTime shownSeriesStart;
    QString out;
    out.reserve(1024 + event.description.size() + event.rawIcalendar.size());
    out += calendarHead;
    if (const std::optional<QTimeZone> zone = form.databaseZone()) {
        const auto [first, last] = zoneSpan(event, *zone);
        out += VTimeZone::write(form.tzid(), *zone, first, last);
    } else if (form.rules()) {
        // A zone only its definition names goes out as it came in.
        out += form.rules()->definition();
    }
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
        QDateTime end = event.endTime ? *event.endTime : event.startTime;
        if (!end.isValid())
            end = event.startTime;
        const bool series = !event.recurrenceRule.isEmpty() && event.recurrenceId.isEmpty();
        const QString seriesStart = series ? form.seriesStart(event.startTime, end) : QString();
        if (form.keeps(stored.startLine, event.startTime, zones)) {
            appendRaw(out, stored.startLine);
            appendKeptEnd(out, stored, event.startTime, end, form, zones);
        } else if (!seriesStart.isEmpty()) {
            out += seriesStart;
            shownSeriesStart = event.startTime;
        } else {
            out += form.line(QLatin1String("DTSTART"), event.startTime);
            appendKeptEnd(out, stored, event.startTime, end, form, zones);
        }
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
        appendLine(out, QLatin1String("RRULE:"),
                   plainValue(RuleUntil::ofSeries(event, form.isFloating())));
    appendExceptionDates(out, event.exceptionDates, form, shownSeriesStart);
    const DateRead original = readDateValue(event.recurrenceId, {}, zones);
    if (!original.isDate && form.keeps(stored.recurrenceIdLine, original.time, zones))
        appendRaw(out, stored.recurrenceIdLine);
    else
        appendRecurrenceId(out, event.recurrenceId, form);
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
    appendStoredComponents(out, stored, used);
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
    out.reserve(512 + task.title.size() + task.description.size());
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
        appendLine(out, QLatin1String("RRULE:"),
                   plainValue(RuleUntil::normalize(task.recurrenceRule, task.startDate
                                                                            ? task.startIsDateOnly
                                                                            : task.dueIsDateOnly)));
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
    // A task has no reminders: every alarm another client stored stays as it was.
    const StoredParts stored =
        storedParts(task.rawIcalendar, {QLatin1String("VTODO"), task.uid, false,
                                        [&task](const LineParts& parts, Property property) {
                                            return isModelledTaskProperty(parts, property, task);
                                        }});
    for (const QString& line : stored.properties)
        appendRaw(out, line);
    appendStoredComponents(out, stored, {});
    appendLine(out, QLatin1String("END:"), u"VTODO");
    out += calendarFoot;
    return out;
}

QString floatingStartOf(const Event& series, const QString& uid)
{
    const StoredParts stored = storedParts(
        series.rawIcalendar,
        {QLatin1String("VEVENT"), series.uid, false,
         [](const LineParts&, Property property) { return isModelledEventProperty(property); }});
    if (series.isAllDay || !IcalTimeForm::ofEvent(series, stored.startLine).isFloating())
        return {};
    QString out = calendarHead;
    appendLine(out, QLatin1String("BEGIN:"), u"VEVENT");
    appendLine(out, QLatin1String("UID:"), escapeText(uid));
    appendRaw(out, stored.startLine);
    appendLine(out, QLatin1String("END:"), u"VEVENT");
    return out + calendarFoot;
}

QString rewriteTimes(const QString& stored, const QDateTime& start, const QDateTime& end,
                     const QString& zone)
{
    if (stored.isEmpty() || !start.isValid())
        return stored;
    const QDateTime endTime = end.isValid() ? end : start;
    const QDate startDate = start.toUTC().date();
    QDate endDate = end.isValid() ? end.toUTC().date() : QDate();
    if (!endDate.isValid() || endDate <= startDate)
        endDate = startDate.addDays(1);

    // A time keeps the form its line says it in (IcalTimeForm::ofLine), as buildEvent writes it.
    IcalZoneCache zones;
    zones.setText(stored);
    const auto formOf = [&](const LineParts& parts) {
        return IcalTimeForm::ofLine(parts, zones, zone);
    };
    // A series' start its zone's digits cannot say goes out as the digits shown, with the exact
    // length in place of its end.
    bool seriesStartShown = false;
    const auto timedEnd = [&](const IcalTimeForm& form) {
        return seriesStartShown ? IcalTimeForm::exactLength(start, endTime)
                                : form.endLine(start, endTime);
    };
    const bool series = hasRule(stored);

    enum class State { Before, Inside, After };
    State state = State::Before;
    int depth = 0;
    bool startWritten = false;
    bool endWritten = false;
    bool startIsDate = false;
    IcalTimeForm startForm;
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
                out += startForm.line(QLatin1String("DTSTART"), start);
                startIsDate = false;
            }
            if (!endWritten) {
                if (startIsDate)
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else
                    out += timedEnd(startForm);
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
                startForm = formOf(parts);
                if (startIsDate) {
                    out += QLatin1String("DTSTART;VALUE=DATE:") + DateText::compactDate(startDate) +
                           crlf;
                } else if (startForm.reads(parts.value, start, zones) &&
                           !(series && heldZoneOf(parts))) {
                    // A line that already reads as the time stays as written.
                    copyLine();
                } else if (series && startForm.isLocal() && !startForm.canSay(start)) {
                    out += startForm.shownLine(QLatin1String("DTSTART"), start);
                    seriesStartShown = true;
                } else {
                    out += startForm.line(QLatin1String("DTSTART"), start);
                }
                startWritten = true;
                continue;
            }
            if (property == Property::DtEnd) {
                const IcalTimeForm endForm = formOf(parts);
                if (isDateValued(parts))
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else if (!seriesStartShown && endForm.reads(parts.value, endTime, zones))
                    copyLine();
                else
                    out += timedEnd(endForm);
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
