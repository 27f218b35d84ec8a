#pragma once

// Pieces shared by the iCalendar layers (content lines, values, reader, writer). Private to the
// core: callers use Ical.h.

#include "Reminder.h"

#include <QDateTime>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class IcalZoneCache;

namespace IcalInternal {

inline constexpr QLatin1String calendarHead("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                            "PRODID:-//Orvandellic//Calendar Desktop//EN\r\n");
inline constexpr QLatin1String calendarFoot("END:VCALENDAR\r\n");
inline constexpr QLatin1String crlf("\r\n");

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

// The property a name stands for, in any case; Other for names the record does not model.
Property propertyOf(QStringView name);

// The first letter is compared on its own first: most lines differ there, and the general
// case-insensitive comparison is slow to set up.
inline bool startsWithInsensitive(QStringView text, QLatin1String prefix)
{
    if (text.size() < prefix.size() || prefix.isEmpty())
        return prefix.isEmpty();
    const char16_t first = text.front().unicode();
    const char16_t letter = prefix.front().unicode();
    if (first != letter) {
        const auto isAsciiLetter = [](char16_t c) {
            return (c | 0x20) >= u'a' && (c | 0x20) <= u'z';
        };
        if (first < 0x80) {
            if (!isAsciiLetter(first) || !isAsciiLetter(letter) ||
                (first | 0x20) != (letter | 0x20))
                return false;
        } else if (QChar::toCaseFolded(first) != QChar::toCaseFolded(letter)) {
            return false;
        }
    }
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

inline bool equalsInsensitive(QStringView text, QLatin1String word)
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

// Cuts at the first colon outside double quotes (with unbalanced quotes, at the first colon).
LineParts splitLine(QStringView line);

// A line that a strict reader accepts as a property: a name of letters, digits and dashes, and
// a value after a colon. Anything else in a stored text is not carried into a new one.
bool isPropertyLine(QStringView line, const LineParts& parts);

inline QStringView unquote(QStringView value)
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
std::optional<QStringView> paramOf(QStringView params, QLatin1String name);

QStringView tzidOf(const LineParts& parts);

// Names the zone of a time written in UTC because its zone's digits cannot say it (the later
// instant of a repeated hour): other readers ignore it, this one keeps the event's zone by it.
inline constexpr QLatin1String heldZoneParam("X-ORVANDELLIC-TZID");

// The held zone of a line written in UTC, when it names one.
std::optional<QStringView> heldZoneOf(const LineParts& parts);

// ---------------------------------------------------------------------------------------------
// Values

// Lower-cased keyword values share one string for the common words.
QString lowerWord(QStringView word);
// ROLE parameter to the record's word ("required", "optional", "chair") and back.
QString roleWord(QStringView role);
QString roleParam(const QString& role);
QString withoutMailto(QStringView value);
// A decimal integer; 0 when the value is not one.
int readInt(QStringView value);
// A SEQUENCE: negative or unreadable reads as 0, one beyond the int range as the largest int, so
// a change here never goes out below what the server holds.
int readSequence(QStringView value);

struct DateRead
{
    QDateTime time;
    bool isDate = false;
};

// A DATE or DATE-TIME value: UTC with "Z", else in the TZID zone, else local time.
DateRead readDateValue(QStringView value, QStringView tzid, IcalZoneCache& zones);

// Signed seconds of a DURATION value; absent when the value is not one or is out of bounds.
std::optional<qint64> readDuration(QStringView value);

// TEXT value unescaped, allocated at its exact size.
QString unescape(QStringView value);
// A value written as it is (URI, RRULE, address): control characters would break the line.
QString plainValue(QStringView value);
// A parameter value: double quotes cannot be written inside one, so they become single quotes;
// values with a colon, semicolon or comma are quoted.
QString paramValue(QStringView value);
// Splits a CATEGORIES value at commas that are not escaped; empty pieces are dropped, the rest
// trimmed and unescaped.
QStringList categoriesOf(QStringView value);

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
                       IcalZoneCache& zones);

// Equal as alarms go: offset and action (an absolute trigger time is compared by callers that
// need it).
bool sameReminder(const Reminder& a, const Reminder& b);

// The reminder an alarm stands for, relative to the event's start; none for an alarm without a
// readable trigger or with the action NONE (an alarm that never fires).
std::optional<Reminder> reminderOf(const PendingAlarm& alarm, const QDateTime& start,
                                   const std::optional<QDateTime>& end);

} // namespace IcalInternal
