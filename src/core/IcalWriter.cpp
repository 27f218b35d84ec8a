// The writing layer: whole calendars for one event or task, keeping what the stored text holds
// beyond the record, and the rewriting of an event's times in its stored text.

#include "Clock.h"
#include "DateText.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "IcalInternal.h"
#include "IcalScanner.h"
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

// The wall-clock digits of `time` in `zone` when they read back as `time` (WallClock's reading);
// empty for the later instant of a repeated hour, whose digits read as the earlier one.
QString sayableIn(const QDateTime& time, const QTimeZone& zone)
{
    const QString digits = DateText::compactLocal(time, zone);
    if (digits.isEmpty())
        return digits;
    WallClock clock(QDateTime::fromMSecsSinceEpoch(0, zone));
    const qint64 utc = time.toMSecsSinceEpoch();
    return clock.toUtc(clock.localMs(utc)) == utc ? digits : QString();
}

// The digits the clock of `zone`, or of the zone `rules` define, shows at `time`, whether or not
// they read back as it.
QString shownIn(const QDateTime& time, const QTimeZone& zone, const VTimeZoneRules* rules)
{
    if (!rules)
        return DateText::compactLocal(time, zone);
    const qint64 utc = time.toSecsSinceEpoch();
    return DateText::compactLocal(
        QDateTime::fromSecsSinceEpoch(utc + rules->offsetAt(utc), QTimeZone::utc()),
        QTimeZone::utc());
}

// As sayableIn, for a zone only its definition names.
QString sayableBy(const QDateTime& time, const VTimeZoneRules& rules)
{
    const qint64 utc = time.toSecsSinceEpoch();
    return rules.toUtc(utc + rules.offsetAt(utc)) == utc ? shownIn(time, QTimeZone::utc(), &rules)
                                                         : QString();
}

// A DURATION value of whole hours, minutes and seconds: exact time, whatever the clocks do.
QString exactDuration(qint64 seconds)
{
    QString text = QStringLiteral("PT");
    if (seconds >= 3600)
        text += QString::number(seconds / 3600) + u'H';
    if (seconds % 3600 >= 60)
        text += QString::number(seconds % 3600 / 60) + u'M';
    if (seconds % 60 != 0 || seconds == 0)
        text += QString::number(seconds % 60) + u'S';
    return text;
}

// How a timed event's date-times are written: as wall-clock times with the TZID of its zone (an
// IANA zone, or one the event carries the definition of), or in UTC when it has none (or is in
// UTC). A time its zone's digits cannot say (the later instant of a repeated hour) is written in
// UTC with the zone beside it, so that every reader gets the instant held and this one the zone;
// a series' start is the exception (appendSeriesStart).
struct TimeForm
{
    std::optional<QTimeZone> zone;
    std::shared_ptr<const VTimeZoneRules> rules;
    QString tzid;

    bool isZoned() const { return zone || rules; }

    // Empty when the time goes out in UTC.
    QString wallDigits(const QDateTime& time) const
    {
        if (zone)
            return sayableIn(time, *zone);
        if (rules)
            return sayableBy(time, *rules);
        return {};
    }

    QString shownDigits(const QDateTime& time) const
    {
        return isZoned() ? shownIn(time, zone.value_or(QTimeZone()), rules.get()) : QString();
    }

    void append(QString& out, QLatin1String name, const QDateTime& time) const
    {
        out += name;
        const QString wall = wallDigits(time);
        if (!wall.isEmpty())
            out += QLatin1String(";TZID=") + paramValue(tzid) + u':' + wall;
        else if (isZoned())
            out +=
                u';' + heldZoneParam + u'=' + paramValue(tzid) + u':' + DateText::compactUtc(time);
        else
            out += u':' + DateText::compactUtc(time);
        out += crlf;
    }

    // DTEND, or a DURATION where the end's digits cannot say it but the start's can: readers
    // then keep the zone of the start and the exact length.
    void appendEnd(QString& out, const QDateTime& start, const QDateTime& end) const
    {
        if (isZoned() && end > start && wallDigits(end).isEmpty() && !wallDigits(start).isEmpty())
            appendLine(out, QLatin1String("DURATION:"), exactDuration(start.secsTo(end)));
        else
            append(out, QLatin1String("DTEND"), end);
    }

    // A zoned series repeats at the wall time its DTSTART's digits say, so they are written even
    // where they name the earlier instant of a repeated hour (a series held at the later one):
    // every reader then repeats it at its time of day, and begins it an hour early that night.
    // Its length goes out exactly. False, with nothing written, where the start can be said.
    bool appendSeriesStart(QString& out, const QDateTime& start, const QDateTime& end) const
    {
        if (!isZoned() || !wallDigits(start).isEmpty())
            return false;
        out += QLatin1String("DTSTART;TZID=") + paramValue(tzid) + u':' + shownDigits(start) + crlf;
        appendLine(out, QLatin1String("DURATION:"),
                   exactDuration(std::max<qint64>(0, start.secsTo(end))));
        return true;
    }
};

// Appends the stored text's time line where it names the event's zone and reads as `time`: what
// another client wrote there stays as written (02:30 on the night the clocks skip that hour,
// which reads as 03:30), so an edit that leaves a time alone leaves it alone for every reader.
bool keptTimeLine(QString& out, const QString& line, const QDateTime& time, const TimeForm& form,
                  IcalZoneCache& zones)
{
    if (line.isEmpty() || !time.isValid() || !form.isZoned())
        return false;
    const LineParts parts = splitLine(line);
    const QStringView tzid = tzidOf(parts);
    if (tzid.isEmpty() || tzid != form.tzid)
        return false;
    const DateRead read = readDateValue(parts.value, tzid, zones);
    if (read.isDate || read.time != time)
        return false;
    appendRaw(out, line);
    return true;
}

// The end as the stored text says it where that still holds (its DTEND line, or its DURATION:
// readers that count a length in wall time read it as written), else as TimeForm::appendEnd.
void appendKeptEnd(QString& out, const StoredParts& stored, const QDateTime& start,
                   const QDateTime& end, const TimeForm& form, IcalZoneCache& zones)
{
    if (keptTimeLine(out, stored.endLine, end, form, zones))
        return;
    if (!stored.durationLine.isEmpty() && stored.endLine.isEmpty()) {
        const std::optional<qint64> seconds = readDuration(splitLine(stored.durationLine).value);
        if (seconds && *seconds >= 1 && start.addSecs(*seconds) == end) {
            appendRaw(out, stored.durationLine);
            return;
        }
    }
    form.appendEnd(out, start, end);
}

// `seriesStart`: the start of a series written as its digits though they name another instant
// (TimeForm::appendSeriesStart); an exception date of that first occurrence names it so too.
void appendExceptionDates(QString& out, const QString& json, const TimeForm& form,
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
        else if (form.isZoned() && read.time == seriesStart)
            out += QLatin1String("EXDATE;TZID=") + paramValue(form.tzid) + u':' +
                   form.shownDigits(read.time) + crlf;
        else if (form.isZoned())
            form.append(out, QLatin1String("EXDATE"), read.time);
        else
            appendLine(out, QLatin1String("EXDATE:"), text);
    }
}

void appendRecurrenceId(QString& out, const QString& recurrenceId, const TimeForm& form)
{
    if (recurrenceId.isEmpty())
        return;
    IcalZoneCache zones;
    const DateRead read = readDateValue(recurrenceId, {}, zones);
    if (!read.time.isValid())
        return;
    if (read.isDate)
        appendLine(out, QLatin1String("RECURRENCE-ID;VALUE=DATE:"), recurrenceId);
    else if (form.isZoned())
        form.append(out, QLatin1String("RECURRENCE-ID"), read.time);
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
    TimeForm form;
    if (!event.isAllDay && event.startTime.isValid()) {
        form.zone = EventZone::writingZone(event.timezone);
        form.tzid = event.timezone;
        if (!form.zone) {
            form.rules = EventZone::definedZone(event.timezone);
            if (form.rules)
                form.tzid = form.rules->tzid();
        }
    }
    IcalZoneCache zones;
    zones.setText(event.rawIcalendar);
    QDateTime shownSeriesStart;
    QString out;
    out.reserve(1024 + event.description.size() + event.rawIcalendar.size());
    out += calendarHead;
    if (form.zone) {
        const auto [first, last] = zoneSpan(event, *form.zone);
        out += VTimeZone::write(form.tzid, *form.zone, first, last);
    } else if (form.rules) {
        // A zone only its definition names goes out as it came in.
        out += form.rules->definition();
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
        if (keptTimeLine(out, stored.startLine, event.startTime, form, zones)) {
            appendKeptEnd(out, stored, event.startTime, end, form, zones);
        } else if (series && form.appendSeriesStart(out, event.startTime, end)) {
            shownSeriesStart = event.startTime;
        } else {
            form.append(out, QLatin1String("DTSTART"), event.startTime);
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
                   plainValue(RuleUntil::normalize(event.recurrenceRule, event.isAllDay)));
    appendExceptionDates(out, event.exceptionDates, form, shownSeriesStart);
    const DateRead original = readDateValue(event.recurrenceId, {}, zones);
    if (original.isDate || !keptTimeLine(out, stored.recurrenceIdLine, original.time, form, zones))
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

QString rewriteTimes(const QString& stored, const QDateTime& start, const QDateTime& end)
{
    if (stored.isEmpty() || !start.isValid())
        return stored;
    const QDateTime endTime = end.isValid() ? end : start;
    const QDate startDate = start.toUTC().date();
    QDate endDate = end.isValid() ? end.toUTC().date() : QDate();
    if (!endDate.isValid() || endDate <= startDate)
        endDate = startDate.addDays(1);

    // A time keeps the zone its line named: its TZID (a zone the text does not define is read on
    // the machine's clock, and so written), the zone held beside a UTC value, or floating time on
    // the machine's clock; a UTC line stays UTC. A wall time the zone cannot say (the later
    // instant of a repeated hour) goes out in UTC with the zone beside it.
    IcalZoneCache zones;
    zones.setText(stored);
    struct LineZone
    {
        QString tzid;
        bool floating = false;
        bool local() const { return floating || !tzid.isEmpty(); }
    };
    const auto zoneOf = [&](const LineParts& parts) {
        LineZone zone;
        zone.tzid = tzidOf(parts).toString();
        if (!zone.tzid.isEmpty())
            return zone;
        if (const auto held = heldZoneOf(parts)) {
            if (zones.resolve(*held).known)
                zone.tzid = held->toString();
            return zone;
        }
        const std::optional<DateText::Compact> read = DateText::readCompact(parts.value);
        zone.floating = read && read->hasTime && !read->utc;
        return zone;
    };
    const auto wallIn = [&](const QDateTime& time, const LineZone& line) {
        if (!line.local())
            return QString();
        const IcalZoneCache::Zone& zone = zones.resolve(line.tzid);
        return zone.rules ? sayableBy(time, *zone.rules) : sayableIn(time, zone.zone);
    };
    // The zone named beside a UTC value: the line's, or the machine's for floating time and a
    // zone nobody defines; none where that is UTC.
    const auto heldName = [&](const LineZone& line) {
        if (!line.local())
            return QString();
        const IcalZoneCache::Zone& zone = zones.resolve(line.tzid);
        const QString name = zone.known && !line.tzid.isEmpty() ? line.tzid : zones.localId();
        return name == QLatin1String("UTC") ? QString() : name;
    };
    const auto timed = [&](QLatin1String name, const QDateTime& time, const LineZone& line) {
        const QString wall = wallIn(time, line);
        if (!wall.isEmpty() && !line.tzid.isEmpty())
            return name + QLatin1String(";TZID=") + paramValue(line.tzid) + u':' + wall + crlf;
        if (!wall.isEmpty())
            return name + u':' + wall + crlf;
        if (const QString held = heldName(line); !held.isEmpty())
            return name + u';' + heldZoneParam + u'=' + paramValue(held) + u':' +
                   DateText::compactUtc(time) + crlf;
        return name + u':' + DateText::compactUtc(time) + crlf;
    };
    // A series repeats at the wall time its start's digits say: they are written even where
    // they name the earlier instant of a repeated hour, with the exact length.
    bool seriesStartShown = false;
    const auto seriesStart = [&](const LineZone& line) {
        const IcalZoneCache::Zone& zone = zones.resolve(line.tzid);
        const QString digits = shownIn(start, zone.zone, zone.rules.get());
        seriesStartShown = true;
        if (line.tzid.isEmpty())
            return QLatin1String("DTSTART:") + digits + crlf;
        return QLatin1String("DTSTART;TZID=") + paramValue(line.tzid) + u':' + digits + crlf;
    };
    // An end its zone's digits cannot say goes out as the exact length, as buildEvent writes it.
    const auto timedEnd = [&](const LineZone& line) {
        if (seriesStartShown || (line.local() && endTime > start &&
                                 wallIn(endTime, line).isEmpty() && !wallIn(start, line).isEmpty()))
            return QLatin1String("DURATION:") +
                   exactDuration(std::max<qint64>(0, start.secsTo(endTime))) + crlf;
        return timed(QLatin1String("DTEND"), endTime, line);
    };
    // A line that already reads as the time stays as written.
    const auto readsAs = [&](const LineParts& parts, const QDateTime& time) {
        const DateRead read = readDateValue(parts.value, tzidOf(parts), zones);
        return !read.isDate && read.time.isValid() && read.time == time;
    };
    const bool series = hasRule(stored);

    enum class State { Before, Inside, After };
    State state = State::Before;
    int depth = 0;
    bool startWritten = false;
    bool endWritten = false;
    bool startIsDate = false;
    LineZone startZone;
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
                out += timed(QLatin1String("DTSTART"), start, LineZone());
                startIsDate = false;
            }
            if (!endWritten) {
                if (startIsDate)
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else
                    out += timedEnd(startZone);
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
                startZone = zoneOf(parts);
                if (startIsDate)
                    out += QLatin1String("DTSTART;VALUE=DATE:") + DateText::compactDate(startDate) +
                           crlf;
                else if (readsAs(parts, start) && !(series && heldZoneOf(parts)))
                    copyLine();
                else if (series && startZone.local() && wallIn(start, startZone).isEmpty())
                    out += seriesStart(startZone);
                else
                    out += timed(QLatin1String("DTSTART"), start, startZone);
                startWritten = true;
                continue;
            }
            if (property == Property::DtEnd) {
                if (isDateValued(parts))
                    out +=
                        QLatin1String("DTEND;VALUE=DATE:") + DateText::compactDate(endDate) + crlf;
                else if (!seriesStartShown && readsAs(parts, endTime))
                    copyLine();
                else
                    out += timedEnd(zoneOf(parts));
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
