#include "Ical.h"

#include "Clock.h"
#include "IcalScanner.h"
#include "IcalZoneCache.h"
#include "Limits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

namespace {

constexpr QLatin1String calendarHead("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                     "PRODID:-//Orvandellic//Calendar Desktop//EN\r\n");
constexpr QLatin1String calendarFoot("END:VCALENDAR\r\n");
constexpr QLatin1String crlf("\r\n");

// ---------------------------------------------------------------------------------------------
// Content lines

enum class Property {
    Other,
    Uid,
    Summary,
    Description,
    Location,
    DtStart,
    DtEnd,
    Duration,
    RRule,
    RecurrenceId,
    Status,
    Sequence,
    Url,
    Organizer,
    Created,
    LastModified,
    ExDate,
    Attendee,
    DtStamp,
    Action,
    Trigger,
    Due,
    Completed,
    Priority,
    PercentComplete,
    Categories,
    RelatedTo,
    RepeatMode,
    SortOrder,
};

struct PropertyName
{
    std::string_view name;
    Property property;
};

constexpr PropertyName propertyNames[] = {
    {"UID", Property::Uid},
    {"SUMMARY", Property::Summary},
    {"DESCRIPTION", Property::Description},
    {"LOCATION", Property::Location},
    {"DTSTART", Property::DtStart},
    {"DTEND", Property::DtEnd},
    {"DURATION", Property::Duration},
    {"RRULE", Property::RRule},
    {"RECURRENCE-ID", Property::RecurrenceId},
    {"STATUS", Property::Status},
    {"SEQUENCE", Property::Sequence},
    {"URL", Property::Url},
    {"ORGANIZER", Property::Organizer},
    {"CREATED", Property::Created},
    {"LAST-MODIFIED", Property::LastModified},
    {"EXDATE", Property::ExDate},
    {"ATTENDEE", Property::Attendee},
    {"DTSTAMP", Property::DtStamp},
    {"ACTION", Property::Action},
    {"TRIGGER", Property::Trigger},
    {"DUE", Property::Due},
    {"COMPLETED", Property::Completed},
    {"PRIORITY", Property::Priority},
    {"PERCENT-COMPLETE", Property::PercentComplete},
    {"CATEGORIES", Property::Categories},
    {"RELATED-TO", Property::RelatedTo},
    {"X-ORVANDELLIC-REPEAT-MODE", Property::RepeatMode},
    {"X-ORVANDELLIC-SORT-ORDER", Property::SortOrder},
};

Property propertyOf(QStringView name)
{
    constexpr qsizetype longest = 32;
    const qsizetype size = name.size();
    if (size == 0 || size >= longest)
        return Property::Other;
    char upper[longest];
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 128)
            return Property::Other;
        upper[i] = char(c >= u'a' && c <= u'z' ? c - 32 : c);
    }
    const std::string_view key(upper, std::size_t(size));
    for (const PropertyName& entry : propertyNames) {
        if (entry.name == key)
            return entry.property;
    }
    return Property::Other;
}

bool startsWithInsensitive(QStringView text, QLatin1String prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

bool equalsInsensitive(QStringView text, QLatin1String word)
{
    return text.size() == word.size() && text.startsWith(word, Qt::CaseInsensitive);
}

// A content line cut into views: name, the parameter section (between the first semicolon and
// the value's colon) and the value.
struct LineParts
{
    QStringView name;
    QStringView params;
    QStringView value;
};

LineParts splitLine(QStringView line)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size && line[i] != u':' && line[i] != u';')
        ++i;
    if (i == size)
        return {line, {}, {}};
    if (line[i] == u':')
        return {line.left(i), {}, line.mid(i + 1)};
    const qsizetype paramsBegin = i + 1;
    bool quoted = false;
    qsizetype colon = paramsBegin;
    for (; colon < size; ++colon) {
        const QChar c = line[colon];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u':')
            break;
    }
    if (colon == size) {
        // Unbalanced quotes: fall back to the first colon, as a reader without quoting would.
        colon = line.indexOf(u':', paramsBegin);
        if (colon < 0)
            return {line, {}, {}};
    }
    return {line.left(i), line.mid(paramsBegin, colon - paramsBegin), line.mid(colon + 1)};
}

QStringView unquote(QStringView value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2);
    return value;
}

// Calls visit(name, unquoted value) for every "name=value" parameter, splitting at semicolons
// outside double quotes.
template <typename Visit> void forEachParam(QStringView params, Visit visit)
{
    const qsizetype size = params.size();
    qsizetype begin = 0;
    while (begin <= size) {
        qsizetype end = begin;
        bool quoted = false;
        for (; end < size; ++end) {
            const QChar c = params[end];
            if (c == u'"')
                quoted = !quoted;
            else if (!quoted && c == u';')
                break;
        }
        const QStringView entry = params.mid(begin, end - begin);
        const qsizetype equals = entry.indexOf(u'=');
        if (equals > 0)
            visit(entry.left(equals), unquote(entry.mid(equals + 1)));
        begin = end + 1;
    }
}

// The last value of the named parameter, when the line has it.
std::optional<QStringView> paramOf(QStringView params, QLatin1String name)
{
    std::optional<QStringView> found;
    if (params.isEmpty())
        return found;
    forEachParam(params, [&](QStringView key, QStringView value) {
        if (equalsInsensitive(key, name))
            found = value;
    });
    return found;
}

QStringView tzidOf(const LineParts& parts)
{
    return paramOf(parts.params, QLatin1String("TZID")).value_or(QStringView());
}

// Lower-cased keyword values share one string for the common words.
QString lowerWord(QStringView word)
{
    static const QString common[] = {
        QStringLiteral("confirmed"),    QStringLiteral("tentative"), QStringLiteral("cancelled"),
        QStringLiteral("needs-action"), QStringLiteral("accepted"),  QStringLiteral("declined"),
        QStringLiteral("delegated"),    QStringLiteral("completed"), QStringLiteral("in-process"),
        QStringLiteral("display"),      QStringLiteral("audio"),     QStringLiteral("email"),
        QStringLiteral("individual"),   QStringLiteral("group"),     QStringLiteral("resource"),
        QStringLiteral("room"),         QStringLiteral("none"),
    };
    for (const QString& candidate : common) {
        if (word.compare(candidate, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return word.toString().toLower();
}

QString roleWord(QStringView role)
{
    if (equalsInsensitive(role, QLatin1String("REQ-PARTICIPANT")))
        return QStringLiteral("required");
    if (equalsInsensitive(role, QLatin1String("OPT-PARTICIPANT")))
        return QStringLiteral("optional");
    if (equalsInsensitive(role, QLatin1String("CHAIR")))
        return QStringLiteral("chair");
    return lowerWord(role);
}

QString roleParam(const QString& role)
{
    if (role == u"required")
        return QStringLiteral("REQ-PARTICIPANT");
    if (role == u"optional")
        return QStringLiteral("OPT-PARTICIPANT");
    return role.toUpper();
}

QString withoutMailto(QStringView value)
{
    if (startsWithInsensitive(value, QLatin1String("mailto:")))
        value = value.mid(7);
    return value.toString();
}

int readInt(QStringView value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? number : 0;
}

// ---------------------------------------------------------------------------------------------
// Dates, times and durations

int readDigits(QStringView text, qsizetype from, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[from + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

struct DateRead
{
    QDateTime time;
    bool isDate = false;
};

DateRead readDateValue(QStringView value, QStringView tzid, IcalZoneCache& zones)
{
    DateRead result;
    if (value.size() == 8 && !value.contains(u'T')) {
        result.isDate = true;
        const int year = readDigits(value, 0, 4);
        const int month = readDigits(value, 4, 2);
        const int day = readDigits(value, 6, 2);
        if (year > 0 && QDate::isValid(year, month, day))
            result.time = QDateTime(QDate(year, month, day), QTime(0, 0), Qt::UTC);
        return result;
    }
    const bool utc = value.endsWith(u'Z');
    if (utc)
        value.chop(1);
    if (value.size() != 15 || value[8] != u'T')
        return result;
    const int year = readDigits(value, 0, 4);
    const int month = readDigits(value, 4, 2);
    const int day = readDigits(value, 6, 2);
    const int hour = readDigits(value, 9, 2);
    const int minute = readDigits(value, 11, 2);
    const int second = readDigits(value, 13, 2);
    if (year <= 0 || !QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return result;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (utc)
        result.time = QDateTime(date, time, Qt::UTC);
    else
        result.time = QDateTime(date, time, zones.resolve(tzid).zone);
    return result;
}

void putDigits(char16_t* out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
}

QString dateText(QDate date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    char16_t text[8];
    putDigits(text, date.year(), 4);
    putDigits(text + 4, date.month(), 2);
    putDigits(text + 6, date.day(), 2);
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

// "yyyyMMddTHHmmssZ"; empty for an invalid time or one outside years 1 to 9999.
QString utcText(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    const QDateTime utc = time.toUTC();
    const QDate date = utc.date();
    const QTime clock = utc.time();
    if (date.year() < 1 || date.year() > 9999)
        return {};
    char16_t text[16];
    putDigits(text, date.year(), 4);
    putDigits(text + 4, date.month(), 2);
    putDigits(text + 6, date.day(), 2);
    text[8] = u'T';
    putDigits(text + 9, clock.hour(), 2);
    putDigits(text + 11, clock.minute(), 2);
    putDigits(text + 13, clock.second(), 2);
    text[15] = u'Z';
    return QString(reinterpret_cast<const QChar*>(text), 16);
}

// Signed seconds of a DURATION value; absent when the value is not one or is out of bounds.
// Months ("M" before "T") count 30 days; numbers are bounded before they are weighted, so the
// sum cannot overflow.
std::optional<qint64> readDuration(QStringView value)
{
    const qsizetype size = value.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < size && (value[i] == u'+' || value[i] == u'-')) {
        negative = value[i] == u'-';
        ++i;
    }
    if (i >= size || value[i] != u'P')
        return std::nullopt;
    bool timePart = false;
    qint64 number = 0;
    qint64 total = 0;
    for (++i; i < size; ++i) {
        const char16_t c = value[i].unicode();
        if (c >= u'0' && c <= u'9') {
            number = number * 10 + (c - u'0');
            if (number > Limits::maxIcalendarDurationSeconds)
                return std::nullopt;
            continue;
        }
        qint64 weight = 0;
        switch (c) {
        case u'T':
            timePart = true;
            break;
        case u'W':
            weight = 604800;
            break;
        case u'D':
            weight = 86400;
            break;
        case u'H':
            weight = timePart ? 3600 : 0;
            break;
        case u'M':
            weight = timePart ? 60 : 2592000;
            break;
        case u'S':
            weight = timePart ? 1 : 0;
            break;
        default:
            break;
        }
        total += number * weight;
        if (total > Limits::maxIcalendarDurationSeconds)
            return std::nullopt;
        number = 0;
    }
    return negative ? -total : total;
}

// ---------------------------------------------------------------------------------------------
// Text values

// True when the backslash at `i` starts one of the escapes unescape() resolves.
bool isTextEscape(QStringView value, qsizetype i)
{
    if (i + 1 >= value.size())
        return false;
    const QChar next = value[i + 1];
    return next == u',' || next == u';' || next == u'\\' || next == u'n' || next == u'N';
}

// The result is allocated at its exact size: the texts of a large feed are kept for the whole
// lifetime of its records, so a reserve sized by the escaped value would stay wasted.
QString unescape(QStringView value)
{
    const qsizetype firstBackslash = value.indexOf(u'\\');
    if (firstBackslash < 0)
        return value.toString();
    const qsizetype size = value.size();
    qsizetype escapes = 0;
    for (qsizetype i = firstBackslash; i < size; ++i) {
        if (value[i] == u'\\' && isTextEscape(value, i)) {
            ++escapes;
            ++i;
        }
    }
    QString out;
    out.reserve(size - escapes);
    out.append(value.left(firstBackslash));
    for (qsizetype i = firstBackslash; i < size; ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == size) {
            out.append(c);
            continue;
        }
        const QChar next = value[i + 1];
        if (next == u',' || next == u';' || next == u'\\') {
            out.append(next);
            ++i;
        } else if (next == u'n' || next == u'N') {
            out.append(u'\n');
            ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

bool isDroppedControl(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n';
}

// A value written as it is (URI, RRULE, address): control characters would break the line.
QString plainValue(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c.unicode() >= 0x20 || c == u'\t')
            out.append(c);
    }
    return out;
}

// A parameter value: double quotes cannot be written inside one, so they become single quotes;
// values with a colon, semicolon or comma are quoted.
QString paramValue(QStringView value)
{
    QString out;
    out.reserve(value.size() + 2);
    bool needsQuotes = false;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 && c != u'\t')
            continue;
        if (c == u'"') {
            out.append(u'\'');
            continue;
        }
        needsQuotes = needsQuotes || c == u':' || c == u';' || c == u',';
        out.append(c);
    }
    if (needsQuotes)
        return u'"' + out + u'"';
    return out;
}

// Splits a CATEGORIES value at commas that are not escaped; empty pieces are dropped, the rest
// trimmed and unescaped.
QStringList categoriesOf(QStringView value)
{
    QStringList categories;
    const qsizetype size = value.size();
    qsizetype begin = 0;
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && value[i] == u'\\') {
            ++i;
            continue;
        }
        if (i < size && value[i] != u',')
            continue;
        const QStringView piece = value.mid(begin, i - begin);
        if (!piece.isEmpty())
            categories.append(unescape(piece.trimmed()));
        begin = i + 1;
    }
    return categories;
}

// ---------------------------------------------------------------------------------------------
// Alarms

struct PendingAlarm
{
    QString action;
    bool hasTrigger = false;
    bool absolute = false;
    bool relatedToEnd = false;
    qint64 offsetSeconds = 0;
    QDateTime at;
};

void readAlarmProperty(PendingAlarm& alarm, Property property, const LineParts& parts,
                       IcalZoneCache& zones)
{
    if (property == Property::Action) {
        alarm.action = lowerWord(parts.value.trimmed());
        return;
    }
    if (property != Property::Trigger)
        return;
    const auto valueType = paramOf(parts.params, QLatin1String("VALUE"));
    const bool absolute =
        (valueType && equalsInsensitive(*valueType, QLatin1String("DATE-TIME"))) ||
        (!parts.value.isEmpty() && parts.value.front().isDigit());
    if (absolute) {
        const DateRead read = readDateValue(parts.value, tzidOf(parts), zones);
        alarm.hasTrigger = read.time.isValid();
        alarm.absolute = true;
        alarm.at = read.time;
        return;
    }
    const std::optional<qint64> offset = readDuration(parts.value);
    alarm.hasTrigger = offset.has_value();
    alarm.absolute = false;
    alarm.offsetSeconds = offset.value_or(0);
    const auto related = paramOf(parts.params, QLatin1String("RELATED"));
    alarm.relatedToEnd = related && equalsInsensitive(*related, QLatin1String("END"));
}

// Equal as alarms go: offset and action (an absolute trigger time is compared by callers that
// need it).
bool sameReminder(const Reminder& a, const Reminder& b)
{
    return a.minutesBefore == b.minutesBefore && a.action == b.action;
}

// The reminder an alarm stands for, relative to the event's start; none for an alarm without a
// readable trigger or with the action NONE (an alarm that never fires).
std::optional<Reminder> reminderOf(const PendingAlarm& alarm, const QDateTime& start,
                                   const std::optional<QDateTime>& end)
{
    if (!alarm.hasTrigger || alarm.action == u"none")
        return std::nullopt;
    Reminder reminder;
    if (!alarm.action.isEmpty())
        reminder.action = alarm.action;
    qint64 secondsAfterStart = 0;
    if (alarm.absolute) {
        reminder.triggerTime = alarm.at;
        if (start.isValid())
            secondsAfterStart = start.secsTo(alarm.at);
    } else {
        secondsAfterStart = alarm.offsetSeconds;
        if (alarm.relatedToEnd && end && end->isValid() && start.isValid())
            secondsAfterStart += start.secsTo(*end);
    }
    const qint64 minutes = -secondsAfterStart / 60;
    reminder.minutesBefore = int(std::clamp<qint64>(minutes, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
    return reminder;
}

// ---------------------------------------------------------------------------------------------
// The component walk shared by the event and task readers

// The component's text from its BEGIN line to its END line, one unfolded line each ended by
// CR LF; wrapped in the calendar head and end for events. A verbatim block is copied whole;
// otherwise the lines are collected in `scratch` first, so the result is allocated at its exact
// size (the texts of a large feed are the bulk of its memory).
QString rawText(QStringView text, qsizetype begin, qsizetype end, bool verbatim, bool wrap,
                QString& scratch)
{
    const QStringView block = text.mid(begin, end - begin);
    scratch.resize(0);
    if (wrap)
        scratch += calendarHead;
    if (verbatim) {
        scratch += block;
        scratch += crlf;
    } else {
        IcalScanner scanner(block);
        while (scanner.next()) {
            if (scanner.isTooLong() || scanner.line().isEmpty())
                continue;
            scratch += scanner.line();
            scratch += crlf;
        }
    }
    if (wrap)
        scratch += calendarFoot;
    return QString(scratch.constData(), scratch.size());
}

// Walks the text and hands every component named `name` to the reader: start(), then
// property(parts, depth) for each content line (depth > 0 inside nested components, with
// nestedBegin/nestedEnd around them), then finish(text, begin, end, verbatim) at its END line.
// Unterminated, too deep or too long components never reach finish().
template <typename Reader> void walkComponents(QStringView text, QLatin1String name, Reader& reader)
{
    IcalScanner scanner(text);
    bool inside = false;
    bool broken = false;
    bool verbatim = true;
    qsizetype begin = 0;
    int properties = 0;
    int depth = 0;
    int components = 0;
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (scanner.isTooLong() || line.isEmpty()) {
            verbatim = false;
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("BEGIN:"))) {
            const QStringView what = line.mid(6);
            if (equalsInsensitive(what, name)) {
                inside = true;
                broken = false;
                verbatim = scanner.isVerbatim();
                begin = scanner.begin();
                properties = 0;
                depth = 0;
                reader.start();
            } else if (inside) {
                verbatim = verbatim && scanner.isVerbatim();
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
            verbatim = verbatim && scanner.isVerbatim();
            if (equalsInsensitive(line.mid(4), name)) {
                if (!broken)
                    reader.finish(text, begin, scanner.end(), verbatim);
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
        verbatim = verbatim && scanner.isVerbatim();
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
        m_duration = 0;
        m_hasDuration = false;
        m_exceptionDates.clear();
        m_seenExceptionDates.clear();
        m_alarms.clear();
        m_inAlarm = false;
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
            if (!tzid.isEmpty())
                m_event.timezone = m_zones.resolve(tzid).id;
            break;
        }
        case Property::DtEnd:
            m_event.endTime = readDateValue(parts.value, tzidOf(parts), m_zones).time;
            m_hasEndLine = true;
            break;
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
            const DateRead read = readDateValue(parts.value, tzidOf(parts), m_zones);
            if (!read.time.isValid())
                m_event.recurrenceId = parts.value.toString();
            else if (read.isDate)
                m_event.recurrenceId = dateText(read.time.date());
            else
                m_event.recurrenceId = utcText(read.time);
            break;
        }
        case Property::Status:
            m_event.status = lowerWord(parts.value);
            break;
        case Property::Sequence:
            m_event.sequence = readInt(parts.value);
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

    void finish(QStringView text, qsizetype begin, qsizetype end, bool verbatim)
    {
        if (m_event.uid.isEmpty())
            return;
        if (!m_hasEndLine && m_event.startTime.isValid()) {
            if (m_hasDuration && m_duration >= 1)
                m_event.endTime = m_event.startTime.addSecs(m_duration);
            else if (m_event.isAllDay)
                m_event.endTime = m_event.startTime.addDays(1);
        }
        if (!m_event.recurrenceId.isEmpty() && m_event.masterEventUid.isEmpty())
            m_event.masterEventUid = m_event.uid;
        if (!m_exceptionDates.isEmpty())
            m_event.exceptionDates = exceptionDatesJson();
        m_reminders.clear();
        for (const PendingAlarm& alarm : std::as_const(m_alarms)) {
            if (auto reminder = reminderOf(alarm, m_event.startTime, m_event.endTime))
                m_reminders.append(*reminder);
        }
        m_event.reminders = sharedReminders();
        if (!m_events.isEmpty())
            shareTextsWith(m_events.constLast());
        m_event.rawIcalendar = rawText(text, begin, end, verbatim, true, m_scratch);
        m_events.append(std::move(m_event));
    }

private:
    void readExceptionDates(const LineParts& parts)
    {
        const QStringView tzid = tzidOf(parts);
        for (const QStringView piece : parts.value.split(u',')) {
            const DateRead read = readDateValue(piece.trimmed(), tzid, m_zones);
            if (!read.time.isValid())
                continue;
            QString text = read.isDate ? dateText(read.time.date()) : utcText(read.time);
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

    QString exceptionDatesJson() const
    {
        QString json;
        json.reserve(m_exceptionDates.size() * 19 + 2);
        json += u'[';
        for (qsizetype i = 0; i < m_exceptionDates.size(); ++i) {
            if (i > 0)
                json += u',';
            json += u'"';
            json += m_exceptionDates[i];
            json += u'"';
        }
        json += u']';
        return json;
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
    bool m_hasDuration = false;
    qint64 m_duration = 0;
    QStringList m_exceptionDates;
    QSet<QString> m_seenExceptionDates;
    QList<PendingAlarm> m_alarms;
    QList<Reminder> m_reminders;
    QList<Reminder> m_lastReminders;
    PendingAlarm m_alarm;
    bool m_inAlarm = false;
    QString m_scratch;
};

class TaskReader
{
public:
    TaskReader(QList<Task>& tasks, IcalZoneCache& zones) : m_tasks(tasks), m_zones(zones) {}

    void start() { m_task = Task(); }
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
            m_task.categories = categoriesOf(parts.value);
            break;
        case Property::RelatedTo: {
            const auto type = paramOf(parts.params, QLatin1String("RELTYPE"));
            if (!type || equalsInsensitive(*type, QLatin1String("PARENT")))
                m_task.parentTaskUid = unescape(parts.value);
            break;
        }
        case Property::Sequence:
            m_task.sequence = readInt(parts.value);
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

    void finish(QStringView text, qsizetype begin, qsizetype end, bool verbatim)
    {
        if (m_task.uid.isEmpty())
            return;
        m_task.rawIcalendar = rawText(text, begin, end, verbatim, false, m_scratch);
        m_tasks.append(std::move(m_task));
    }

private:
    QList<Task>& m_tasks;
    IcalZoneCache& m_zones;
    Task m_task;
    QString m_scratch;
};

// ---------------------------------------------------------------------------------------------
// Writing

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
    const QJsonArray dates = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue& value : dates) {
        const QString text = value.toString();
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

// The line joined with the continuation lines that follow it at `next`, as a reader sees it.
QString withContinuations(QStringView text, QStringView line, qsizetype next)
{
    QString logical = line.toString();
    const qsizetype size = text.size();
    while (next < size && (text[next] == u' ' || text[next] == u'\t') &&
           logical.size() <= Limits::maxIcalendarLineChars) {
        qsizetype newline = text.indexOf(u'\n', next);
        if (newline < 0)
            newline = size;
        QStringView piece = text.mid(next + 1, newline - next - 1);
        if (piece.endsWith(u'\r'))
            piece.chop(1);
        logical += piece;
        next = newline + 1;
    }
    return logical;
}

bool isDateValued(const LineParts& parts)
{
    const auto valueType = paramOf(parts.params, QLatin1String("VALUE"));
    if (valueType)
        return equalsInsensitive(*valueType, QLatin1String("DATE"));
    return parts.value.size() == 8 && !parts.value.contains(u'T');
}

// How many components a text probably holds: the records are large, so the result list is sized
// once instead of growing (growth would hold old and new storage at the same time).
qsizetype expectedComponents(QStringView text, QStringView endLine)
{
    return std::min<qsizetype>(text.count(endLine), Limits::maxIcalendarComponentsPerText);
}

} // namespace

namespace Ical {

QStringList unfoldLines(const QString& text)
{
    QStringList lines;
    IcalScanner scanner(text);
    while (scanner.next())
        lines.append(scanner.line().toString());
    if (text.isEmpty() || text.endsWith(u'\n'))
        lines.append(QString());
    return lines;
}

ContentLine splitContentLine(const QString& line)
{
    const LineParts parts = splitLine(line);
    ContentLine content;
    content.name = parts.name.toString().toUpper();
    forEachParam(parts.params, [&](QStringView key, QStringView value) {
        content.params.insert(key.toString().toUpper(), value.toString());
    });
    content.value = parts.value.toString();
    return content;
}

QString unescapeText(QStringView value)
{
    return unescape(value);
}

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u';':
            out += QLatin1String("\\;");
            break;
        case u',':
            out += QLatin1String("\\,");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            // A CR LF pair is one line break; a lone CR is one too.
            if (i + 1 == size || text[i + 1] != u'\n')
                out += QLatin1String("\\n");
            break;
        default:
            if (!isDroppedControl(c))
                out += c;
            break;
        }
    }
    return out;
}

QDateTime parseDateValue(QStringView value, const QHash<QString, QString>& params, bool* isDate)
{
    IcalZoneCache zones;
    const DateRead read = readDateValue(value, params.value(QStringLiteral("TZID")), zones);
    if (isDate)
        *isDate = read.isDate;
    return read.time;
}

QList<Event> parseEvents(const QString& text)
{
    QList<Event> events;
    if (text.size() > Limits::maxIcalendarBytes)
        return events;
    events.reserve(expectedComponents(text, u"END:VEVENT"));
    IcalZoneCache zones;
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
    TaskReader reader(tasks, zones);
    walkComponents(text, QLatin1String("VTODO"), reader);
    return tasks;
}

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
        appendLine(out, QLatin1String("DTSTART;VALUE=DATE:"), dateText(startDate));
        appendLine(out, QLatin1String("DTEND;VALUE=DATE:"), dateText(endDate));
    } else {
        const QString start = utcText(event.startTime);
        QString end = event.endTime ? utcText(*event.endTime) : QString();
        if (end.isEmpty())
            end = start;
        appendLine(out, QLatin1String("DTSTART:"), start);
        appendLine(out, QLatin1String("DTEND:"), end);
    }
    appendLine(out, QLatin1String("DTSTAMP:"), utcText(Clock::now()));
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
        appendLine(out, QLatin1String("CREATED:"), utcText(event.created));
    if (event.lastModified.isValid())
        appendLine(out, QLatin1String("LAST-MODIFIED:"), utcText(event.lastModified));
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
        return time->isValid() ? dateText(time->date()) : QString();
    };
    QString out;
    out.reserve(512 + task.description.size());
    out += calendarHead;
    appendLine(out, QLatin1String("BEGIN:"), u"VTODO");
    appendLine(out, QLatin1String("UID:"), escapeText(task.uid));
    appendLine(out, QLatin1String("DTSTAMP:"), utcText(Clock::now()));
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
            appendLine(out, QLatin1String("DTSTART:"), utcText(*task.startDate));
    }
    if (task.dueDate) {
        if (task.dueIsDateOnly)
            appendLine(out, QLatin1String("DUE;VALUE=DATE:"), dateOnly(task.dueDate));
        else
            appendLine(out, QLatin1String("DUE:"), utcText(*task.dueDate));
    }
    if (task.completedDate)
        appendLine(out, QLatin1String("COMPLETED:"), utcText(*task.completedDate));
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
    const QString startText = utcText(start);
    const QString endText = end.isValid() && !utcText(end).isEmpty() ? utcText(end) : startText;
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
    bool droppingContinuation = false;
    QString out;
    out.reserve(stored.size() + 64);
    const QStringView text(stored);
    const bool endsWithBreak = stored.endsWith(u'\n');
    const qsizetype size = text.size();
    qsizetype position = 0;
    while (position < size) {
        qsizetype newline = text.indexOf(u'\n', position);
        if (newline < 0)
            newline = size;
        QStringView line = text.mid(position, newline - position);
        if (line.endsWith(u'\r'))
            line.chop(1);
        position = newline + 1;

        const bool continuation =
            !line.isEmpty() && (line.front() == u' ' || line.front() == u'\t');
        if (continuation) {
            if (!droppingContinuation)
                appendRaw(out, line);
            continue;
        }
        droppingContinuation = false;
        if (state != State::Inside) {
            appendRaw(out, line);
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
                    out += QLatin1String("DTEND;VALUE=DATE:") + dateText(endDate) + crlf;
                else
                    out += QLatin1String("DTEND:") + endText + crlf;
            }
            appendRaw(out, line);
            state = State::After;
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("BEGIN:"))) {
            ++depth;
        } else if (startsWithInsensitive(line, QLatin1String("END:"))) {
            depth = std::max(0, depth - 1);
        } else if (depth == 0) {
            const QString logical = withContinuations(text, line, position);
            const LineParts parts = splitLine(logical);
            const Property property = propertyOf(parts.name);
            if (property == Property::DtStart) {
                startIsDate = isDateValued(parts);
                if (startIsDate)
                    out += QLatin1String("DTSTART;VALUE=DATE:") + dateText(startDate) + crlf;
                else
                    out += QLatin1String("DTSTART:") + startText + crlf;
                startWritten = true;
                droppingContinuation = true;
                continue;
            }
            if (property == Property::DtEnd) {
                if (isDateValued(parts))
                    out += QLatin1String("DTEND;VALUE=DATE:") + dateText(endDate) + crlf;
                else
                    out += QLatin1String("DTEND:") + endText + crlf;
                endWritten = true;
                droppingContinuation = true;
                continue;
            }
            if (property == Property::Duration) {
                droppingContinuation = true;
                continue;
            }
        }
        appendRaw(out, line);
    }
    if (state == State::Before)
        return stored;
    if (!endsWithBreak)
        out.chop(2);
    return out;
}

} // namespace Ical
