// The reading layer: one walk over the components of a text, and the readers that turn a
// VEVENT into an Event and a VTODO into a Task.

#include "CivilDays.h"
#include "DateText.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "IcalInternal.h"
#include "IcalScanner.h"
#include "IcalZoneCache.h"
#include "Limits.h"
#include "RuleUntil.h"

#include <QSet>

#include <algorithm>

namespace {

using namespace IcalInternal;

void appendLatin1(QChar*& at, QLatin1String text)
{
    for (const char c : text)
        *at++ = QLatin1Char(c);
}

void append(QChar*& at, QStringView text)
{
    std::copy(text.begin(), text.end(), at);
    at += text.size();
}

// The component's text: `lines` are its unfolded lines from its BEGIN line to its END line,
// each ended by CR LF except the last when `closed` is false; wrapped in the calendar head and
// end for events, with the given zone definitions before the component. Allocated once at its
// exact size (the texts of a large feed are the bulk of its memory).
QString rawText(QStringView lines, bool closed, bool wrap, QString& scratch,
                const QStringList& timeZones = {})
{
    scratch.resize(0);
    for (const QString& zone : timeZones) {
        IcalScanner scanner(zone);
        while (scanner.next()) {
            if (scanner.isTooLong() || scanner.line().isEmpty())
                continue;
            scratch += scanner.line();
            scratch += crlf;
        }
    }
    const qsizetype size = (wrap ? calendarHead.size() + calendarFoot.size() : 0) + scratch.size() +
                           lines.size() + (closed ? 0 : crlf.size());
    QString raw(size, Qt::Uninitialized);
    QChar* at = raw.data();
    if (wrap)
        appendLatin1(at, calendarHead);
    append(at, scratch);
    append(at, lines);
    if (!closed)
        appendLatin1(at, crlf);
    if (wrap)
        appendLatin1(at, calendarFoot);
    Q_ASSERT(at == raw.constData() + size);
    return raw;
}

// The lines of one component as the walk meets them. A run of lines that stands verbatim in the
// text (unfolded lines ended by CR LF) is kept as a range and copied in one piece; only folded
// lines are copied one by one, and skipped (empty or too long) lines break a run. No component
// is read twice.
class ComponentLines
{
public:
    explicit ComponentLines(QStringView text) : m_text(text) {}

    void begin(qsizetype at)
    {
        m_runBegin = at;
        m_runEnd = at;
        m_collected = false;
        m_lines.resize(0);
    }

    // A line of the component, or a skipped one when `line` is empty.
    void add(const IcalScanner& scanner, QStringView line)
    {
        if (scanner.isVerbatim() && !line.isEmpty()) {
            if (m_runEnd == m_runBegin)
                m_runBegin = scanner.begin();
            m_runEnd = scanner.end();
            return;
        }
        flushRun();
        m_collected = true;
        if (!line.isEmpty()) {
            m_lines += line;
            m_lines += crlf;
        }
    }

    // The lines read, for rawText(); closed() tells whether the last one has its CR LF.
    QStringView lines()
    {
        if (!m_collected)
            return m_text.mid(m_runBegin, m_runEnd - m_runBegin);
        flushRun();
        return m_lines;
    }
    bool closed() const { return m_collected; }

private:
    void flushRun()
    {
        if (m_runEnd > m_runBegin) {
            m_lines += m_text.mid(m_runBegin, m_runEnd - m_runBegin);
            m_lines += crlf;
        }
        m_runBegin = m_runEnd;
    }

    QStringView m_text;
    QString m_lines;
    qsizetype m_runBegin = 0;
    qsizetype m_runEnd = 0;
    bool m_collected = false;
};

// Walks the text and hands every component named `name` to the reader: start(), then
// property(parts, depth) for each content line (depth > 0 inside nested components, with
// nestedBegin/nestedEnd around them), then finish(lines) at its END line.
// Unterminated, too deep or too long components never reach finish().
template <typename Reader> void walkComponents(QStringView text, QLatin1String name, Reader& reader)
{
    IcalScanner scanner(text);
    ComponentLines component(text);
    bool inside = false;
    bool broken = false;
    int properties = 0;
    int depth = 0;
    int components = 0;
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (scanner.isTooLong() || line.isEmpty()) {
            if (inside)
                component.add(scanner, QStringView());
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("BEGIN:"))) {
            const QStringView what = line.mid(6);
            if (equalsInsensitive(what, name)) {
                inside = true;
                broken = false;
                component.begin(scanner.begin());
                component.add(scanner, line);
                properties = 0;
                depth = 0;
                reader.start();
            } else if (inside) {
                component.add(scanner, line);
                if (++depth > Limits::maxIcalendarNesting)
                    broken = true;
                else
                    reader.nestedBegin(what, depth);
            }
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("END:"))) {
            if (!inside)
                continue;
            component.add(scanner, line);
            if (equalsInsensitive(line.mid(4), name)) {
                if (!broken)
                    reader.finish(component);
                inside = false;
                if (++components >= Limits::maxIcalendarComponentsPerText)
                    return;
            } else if (depth > 0) {
                if (depth <= Limits::maxIcalendarNesting)
                    reader.nestedEnd(depth);
                --depth;
            }
            continue;
        }
        if (!inside)
            continue;
        component.add(scanner, line);
        if (++properties > Limits::maxIcalendarPropertiesPerComponent)
            broken = true;
        if (!broken)
            reader.property(splitLine(line), depth);
    }
}

class EventReader
{
public:
    EventReader(QList<Event>& events, IcalZoneCache& zones) : m_events(events), m_zones(zones) {}

    void start()
    {
        m_event = Event();
        m_hasEndLine = false;
        m_startDigits.reset();
        m_endDigits.reset();
        m_duration = 0;
        m_hasDuration = false;
        m_exceptionDates.clear();
        m_seenExceptionDates.clear();
        m_alarms.clear();
        m_inAlarm = false;
        m_definitions.clear();
    }

    void nestedBegin(QStringView name, int depth)
    {
        if (depth == 1 && equalsInsensitive(name, QLatin1String("VALARM"))) {
            m_inAlarm = true;
            m_alarm = PendingAlarm();
        }
    }

    void nestedEnd(int depth)
    {
        if (depth == 1 && m_inAlarm) {
            m_alarms.append(m_alarm);
            m_inAlarm = false;
        }
    }

    void property(const LineParts& parts, int depth)
    {
        const Property property = propertyOf(parts.name);
        if (depth > 0) {
            if (depth == 1 && m_inAlarm)
                readAlarmProperty(m_alarm, property, parts, m_zones);
            return;
        }
        switch (property) {
        case Property::Uid:
            m_event.uid = unescape(parts.value);
            break;
        case Property::Summary:
            m_event.title = unescape(parts.value);
            break;
        case Property::Description:
            m_event.description = unescape(parts.value);
            break;
        case Property::Location:
            m_event.location = unescape(parts.value);
            break;
        case Property::DtStart: {
            const QStringView tzid = tzidOf(parts);
            const DateRead read = readDateValue(parts.value, tzid, m_zones);
            m_event.startTime = read.time;
            m_event.isAllDay = m_event.isAllDay || read.isDate;
            m_startDigits = wallDigits(parts, tzid);
            if (!tzid.isEmpty()) {
                // A TZID no zone database and no definition knows is read as floating time.
                const IcalZoneCache::Zone& zone = m_zones.resolve(tzid);
                m_event.timezone = zone.known ? zone.id : m_zones.localId();
                noteDefinition(tzid);
            } else if (const auto held = heldZoneOf(parts); held && !read.isDate) {
                // A start its zone's digits cannot say was written in UTC with the zone beside;
                // a name no zone has is no zone of the event's.
                if (const IcalZoneCache::Zone& zone = m_zones.resolve(*held); zone.known) {
                    m_event.timezone = zone.id;
                    noteDefinition(*held);
                }
            } else if (m_startDigits) {
                // Floating time is the machine's wall clock: the event repeats on that clock.
                m_event.timezone = m_zones.localId();
            }
            break;
        }
        case Property::DtEnd: {
            const QStringView tzid = tzidOf(parts);
            m_event.endTime = readDateValue(parts.value, tzid, m_zones).time;
            m_endDigits = wallDigits(parts, tzid);
            m_hasEndLine = true;
            noteDefinition(tzid);
            break;
        }
        case Property::Duration: {
            const std::optional<qint64> seconds = readDuration(parts.value);
            m_hasDuration = seconds.has_value();
            m_duration = seconds.value_or(0);
            break;
        }
        case Property::RRule:
            m_event.recurrenceRule = parts.value.toString();
            break;
        case Property::RecurrenceId: {
            const QStringView tzid = tzidOf(parts);
            noteDefinition(tzid);
            const DateRead read = readDateValue(parts.value, tzid, m_zones);
            if (!read.time.isValid())
                m_event.recurrenceId = parts.value.toString();
            else if (read.isDate)
                m_event.recurrenceId = DateText::compactDate(read.time.date());
            else
                m_event.recurrenceId = DateText::compactUtc(read.time);
            break;
        }
        case Property::Status:
            m_event.status = lowerWord(parts.value);
            break;
        case Property::Sequence:
            m_event.sequence = readSequence(parts.value);
            break;
        case Property::Url:
            m_event.eventUrl = parts.value.toString();
            break;
        case Property::Organizer: {
            m_event.organizerEmail = withoutMailto(parts.value);
            if (const auto name = paramOf(parts.params, QLatin1String("CN")))
                m_event.organizerName = name->toString();
            break;
        }
        case Property::Created:
            m_event.created = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            break;
        case Property::LastModified:
            m_event.lastModified = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            break;
        case Property::ExDate:
            readExceptionDates(parts);
            break;
        case Property::Attendee:
            m_event.attendees.append(attendeeOf(parts));
            break;
        default:
            break;
        }
    }

    void finish(ComponentLines& component)
    {
        if (m_event.uid.isEmpty())
            return;
        if (!m_hasEndLine && m_event.startTime.isValid()) {
            if (m_hasDuration && m_duration >= 1)
                m_event.endTime = m_event.startTime.addSecs(m_duration);
            else if (m_event.isAllDay)
                m_event.endTime = m_event.startTime.addDays(1);
        }
        keepEndAfterStart();
        if (!m_event.isAllDay)
            m_event.recurrenceRule = RuleUntil::dateUntilAsInstant(m_event.recurrenceRule);
        if (!m_event.recurrenceId.isEmpty() && m_event.masterEventUid.isEmpty())
            m_event.masterEventUid = m_event.uid;
        if (!m_exceptionDates.isEmpty())
            m_event.exceptionDates = ExceptionDates::write(m_exceptionDates);
        m_reminders.clear();
        for (const PendingAlarm& alarm : std::as_const(m_alarms)) {
            if (auto reminder = reminderOf(alarm, m_event.startTime, m_event.endTime))
                m_reminders.append(*reminder);
        }
        m_event.reminders = sharedReminders();
        if (!m_events.isEmpty())
            shareTextsWith(m_events.constLast());
        m_event.rawIcalendar =
            rawText(component.lines(), component.closed(), true, m_scratch, m_definitions);
        m_events.append(std::move(m_event));
    }

private:
    // The wall-clock digits of a local date-time (with a TZID or floating), counted in ms as if
    // they were UTC, with the zone they are read in; nothing for UTC values and dates.
    struct WallDigits
    {
        qint64 ms = 0;
        const IcalZoneCache::Zone* zone = nullptr;
    };
    std::optional<WallDigits> wallDigits(const LineParts& parts, QStringView tzid)
    {
        const std::optional<DateText::Compact> read = DateText::readCompact(parts.value);
        if (!read || !read->hasTime || read->utc)
            return std::nullopt;
        const qint64 day = CivilDays::daysFromCivil(read->year, read->month, read->day);
        const qint64 second = read->hour * 3600 + read->minute * 60 + read->second;
        return WallDigits{day * CivilDays::msPerDay + second * 1000, &m_zones.resolve(tzid)};
    }

    // An end before the start cannot be stored, shown or edited. Another client's text says one
    // where its start lies in the hour the clocks skip and is read after the gap while its end,
    // in or just after that hour, is not: such an event keeps the length its digits say. Any
    // other end before the start is none: the event is as long as its start.
    void keepEndAfterStart()
    {
        if (!m_event.endTime || !m_event.startTime.isValid() || !m_event.endTime->isValid() ||
            *m_event.endTime >= m_event.startTime)
            return;
        if (m_event.isAllDay) {
            m_event.endTime = m_event.startTime.addDays(1);
            return;
        }
        qint64 length = 0;
        if (m_startDigits && m_endDigits && m_startDigits->zone == m_endDigits->zone)
            length = std::max<qint64>(0, m_endDigits->ms - m_startDigits->ms);
        m_event.endTime = m_event.startTime.addMSecs(length);
    }

    // A zone only the text defines travels with the event's stored text, so that text stays
    // readable (and valid to send) on its own.
    void noteDefinition(QStringView tzid)
    {
        if (tzid.isEmpty())
            return;
        const IcalZoneCache::Zone& zone = m_zones.resolve(tzid);
        if (!zone.definition.isEmpty() && !m_definitions.contains(zone.definition))
            m_definitions.append(zone.definition);
    }

    void readExceptionDates(const LineParts& parts)
    {
        const QStringView tzid = tzidOf(parts);
        noteDefinition(tzid);
        for (const QStringView piece : parts.value.split(u',')) {
            const DateRead read = readDateValue(piece.trimmed(), tzid, m_zones);
            if (!read.time.isValid())
                continue;
            QString text = read.isDate ? DateText::compactDate(read.time.date())
                                       : DateText::compactUtc(read.time);
            if (text.isEmpty() || m_seenExceptionDates.contains(text))
                continue;
            m_seenExceptionDates.insert(text);
            m_exceptionDates.append(std::move(text));
        }
    }

    // Overrides of a recurring series follow their master and repeat its UID, summary,
    // description and location, and generated feeds repeat boilerplate descriptions: a text
    // equal to the previous event's shares that event's string instead of keeping a copy.
    void shareTextsWith(const Event& previous)
    {
        const auto share = [](QString& text, const QString& earlier) {
            if (!text.isEmpty() && text == earlier)
                text = earlier;
        };
        share(m_event.uid, previous.uid);
        share(m_event.title, previous.title);
        share(m_event.description, previous.description);
        share(m_event.location, previous.location);
    }

    // The reminders just read, as one exactly sized list. Feeds give most events the same
    // default alarm, so a list equal to the last non-empty one read shares that list's storage
    // (copy on write) instead of allocating its own. Absolute triggers are never shared: their
    // times differ per event, and equal instants may carry different zones.
    QList<Reminder> sharedReminders()
    {
        const auto relativeOnly = [](const Reminder& r) { return !r.triggerTime.has_value(); };
        const bool shareable = std::all_of(m_reminders.cbegin(), m_reminders.cend(), relativeOnly);
        if (shareable && !m_lastReminders.isEmpty() &&
            std::equal(m_reminders.cbegin(), m_reminders.cend(), m_lastReminders.cbegin(),
                       m_lastReminders.cend(), sameReminder))
            return m_lastReminders;
        QList<Reminder> reminders(m_reminders.cbegin(), m_reminders.cend());
        if (shareable && !reminders.isEmpty())
            m_lastReminders = reminders;
        return reminders;
    }

    static Attendee attendeeOf(const LineParts& parts)
    {
        Attendee attendee;
        attendee.email = withoutMailto(parts.value);
        forEachParam(parts.params, [&](QStringView key, QStringView value) {
            if (equalsInsensitive(key, QLatin1String("CN")))
                attendee.name = value.toString();
            else if (equalsInsensitive(key, QLatin1String("ROLE")))
                attendee.role = roleWord(value);
            else if (equalsInsensitive(key, QLatin1String("PARTSTAT")))
                attendee.status = lowerWord(value);
            else if (equalsInsensitive(key, QLatin1String("CUTYPE")))
                attendee.type = lowerWord(value);
            else if (equalsInsensitive(key, QLatin1String("RSVP")))
                attendee.rsvp = equalsInsensitive(value, QLatin1String("TRUE"));
        });
        return attendee;
    }

    QList<Event>& m_events;
    IcalZoneCache& m_zones;
    Event m_event;
    bool m_hasEndLine = false;
    std::optional<WallDigits> m_startDigits;
    std::optional<WallDigits> m_endDigits;
    bool m_hasDuration = false;
    qint64 m_duration = 0;
    QStringList m_exceptionDates;
    QSet<QString> m_seenExceptionDates;
    QList<PendingAlarm> m_alarms;
    QList<Reminder> m_reminders;
    QList<Reminder> m_lastReminders;
    PendingAlarm m_alarm;
    bool m_inAlarm = false;
    QStringList m_definitions;
    QString m_scratch;
};

class TaskReader
{
public:
    TaskReader(QList<Task>& tasks, IcalZoneCache& zones) : m_tasks(tasks), m_zones(zones) {}

    void start()
    {
        m_task = Task();
        m_seenCategories.clear();
    }
    void nestedBegin(QStringView, int) {}
    void nestedEnd(int) {}

    void property(const LineParts& parts, int depth)
    {
        if (depth > 0)
            return;
        switch (propertyOf(parts.name)) {
        case Property::Uid:
            m_task.uid = unescape(parts.value);
            break;
        case Property::Summary:
            m_task.title = unescape(parts.value);
            break;
        case Property::Description:
            m_task.description = unescape(parts.value);
            break;
        case Property::DtStart: {
            const DateRead read = readDateValue(parts.value, tzidOf(parts), m_zones);
            m_task.startDate = read.time;
            m_task.startIsDateOnly = read.isDate;
            break;
        }
        case Property::Due: {
            const DateRead read = readDateValue(parts.value, tzidOf(parts), m_zones);
            m_task.dueDate = read.time;
            m_task.dueIsDateOnly = read.isDate;
            break;
        }
        case Property::Completed:
            m_task.completedDate = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            break;
        case Property::Status:
            m_task.status = lowerWord(parts.value);
            break;
        case Property::Priority:
            m_task.priority = readInt(parts.value);
            break;
        case Property::PercentComplete:
            m_task.percentComplete = readInt(parts.value);
            break;
        case Property::RRule:
            m_task.recurrenceRule = parts.value.toString();
            break;
        case Property::Categories:
            // A client may write one line per category: every line counts, each name once.
            for (QString& category : categoriesOf(parts.value)) {
                if (!m_seenCategories.contains(category)) {
                    m_seenCategories.insert(category);
                    m_task.categories.append(std::move(category));
                }
            }
            break;
        case Property::RelatedTo: {
            const auto type = paramOf(parts.params, QLatin1String("RELTYPE"));
            if (!type || equalsInsensitive(*type, QLatin1String("PARENT")))
                m_task.parentTaskUid = unescape(parts.value);
            break;
        }
        case Property::Sequence:
            m_task.sequence = readSequence(parts.value);
            break;
        case Property::Created:
            m_task.created = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            break;
        case Property::LastModified:
            m_task.lastModified = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            break;
        case Property::RepeatMode:
            if (parts.value.trimmed() == u"fromCompletionDate")
                m_task.repeatMode = QStringLiteral("fromCompletionDate");
            break;
        case Property::SortOrder: {
            const int order = readInt(parts.value);
            if (order > 0)
                m_task.sortOrder = order;
            break;
        }
        default:
            break;
        }
    }

    void finish(ComponentLines& component)
    {
        if (m_task.uid.isEmpty())
            return;
        const bool dateOnly = m_task.startDate ? m_task.startIsDateOnly : m_task.dueIsDateOnly;
        if (!dateOnly)
            m_task.recurrenceRule = RuleUntil::dateUntilAsInstant(m_task.recurrenceRule);
        m_task.rawIcalendar = rawText(component.lines(), component.closed(), false, m_scratch);
        m_tasks.append(std::move(m_task));
    }

private:
    QList<Task>& m_tasks;
    IcalZoneCache& m_zones;
    Task m_task;
    QSet<QString> m_seenCategories;
    QString m_scratch;
};

// How many components a text probably holds: the records are large, so the result list is sized
// once instead of growing (growth would hold old and new storage at the same time).
// Counted by jumping from one "V" to the next (a vectorised search): in calendar text the
// letter is rare, while a general substring search steps through nearly every character.
qsizetype expectedComponents(QStringView text, QStringView endLine)
{
    const qsizetype anchor = endLine.indexOf(u'V');
    Q_ASSERT(anchor >= 0);
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(u'V', anchor); at >= 0; at = text.indexOf(u'V', at + 1)) {
        if (text.mid(at - anchor).startsWith(endLine) &&
            ++count >= Limits::maxIcalendarComponentsPerText)
            break;
    }
    return count;
}

} // namespace

namespace Ical {

QList<Event> parseEvents(const QString& text)
{
    QList<Event> events;
    if (text.size() > Limits::maxIcalendarBytes)
        return events;
    events.reserve(expectedComponents(text, u"END:VEVENT"));
    IcalZoneCache zones;
    zones.setText(text);
    EventReader reader(events, zones);
    walkComponents(text, QLatin1String("VEVENT"), reader);
    return events;
}

QList<Task> parseTasks(const QString& text)
{
    QList<Task> tasks;
    if (text.size() > Limits::maxIcalendarBytes)
        return tasks;
    tasks.reserve(expectedComponents(text, u"END:VTODO"));
    IcalZoneCache zones;
    zones.setText(text);
    TaskReader reader(tasks, zones);
    walkComponents(text, QLatin1String("VTODO"), reader);
    return tasks;
}

} // namespace Ical
