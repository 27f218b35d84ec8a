// The value layer of the iCalendar reader and writer: texts, dates, durations, keywords and
// the alarms that become reminders.

#include "DateText.h"
#include "Ical.h"
#include "IcalInternal.h"
#include "IcalZoneCache.h"
#include "Limits.h"

#include <algorithm>
#include <limits>

namespace {

// True when the backslash at `i` starts one of the escapes unescape() resolves.
bool isTextEscape(QStringView value, qsizetype i)
{
    if (i + 1 >= value.size())
        return false;
    const QChar next = value[i + 1];
    return next == u',' || next == u';' || next == u'\\' || next == u'n' || next == u'N';
}

} // namespace

namespace IcalInternal {

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
        if (word.size() == candidate.size() && word.compare(candidate, Qt::CaseInsensitive) == 0)
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

int readSequence(QStringView value)
{
    value = value.trimmed();
    if (value.startsWith(u'+'))
        value = value.mid(1);
    const bool digits = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    if (!digits)
        return 0;
    bool ok = false;
    const qulonglong number = value.toULongLong(&ok);
    return ok && number <= qulonglong(std::numeric_limits<int>::max())
               ? int(number)
               : std::numeric_limits<int>::max();
}

DateRead readDateValue(QStringView value, QStringView tzid, IcalZoneCache& zones)
{
    DateRead result;
    result.isDate = value.size() == 8 && !value.contains(u'T');
    const std::optional<DateText::Compact> read = DateText::readCompact(value);
    if (!read)
        return result;
    if (!read->hasTime || read->utc) {
        result.time = QDateTime(read->date(), read->time(), Qt::UTC);
        return result;
    }
    const IcalZoneCache::Zone& zone = zones.resolve(tzid, read->year);
    if (zone.rules) {
        // A zone the text defines itself: its own rules give the instant.
        const qint64 wall =
            QDateTime(read->date(), read->time(), QTimeZone::utc()).toSecsSinceEpoch();
        result.time = QDateTime::fromSecsSinceEpoch(zone.rules->toUtc(wall), zone.zone);
    } else {
        result.time = zones.dateTime(zone, read->date(), read->time());
    }
    return result;
}

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
    QString out(size - escapes, Qt::Uninitialized);
    QChar* at = std::copy(value.begin(), value.begin() + firstBackslash, out.data());
    for (qsizetype i = firstBackslash; i < size; ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == size) {
            *at++ = c;
            continue;
        }
        const QChar next = value[i + 1];
        if (next == u',' || next == u';' || next == u'\\') {
            *at++ = next;
            ++i;
        } else if (next == u'n' || next == u'N') {
            *at++ = u'\n';
            ++i;
        } else {
            *at++ = c;
        }
    }
    Q_ASSERT(at == out.constData() + out.size());
    return out;
}

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

bool sameReminder(const Reminder& a, const Reminder& b)
{
    return a.minutesBefore == b.minutesBefore && a.action == b.action;
}

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

} // namespace IcalInternal

namespace Ical {

using namespace IcalInternal;

QString unescapeText(QStringView value)
{
    return unescape(value);
}

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype size = text.size();
    // Characters that need nothing are copied a run at a time: appending a megabyte one
    // character at a time costs more than the rest of writing the event.
    qsizetype runBegin = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != u'\\' && u != u';' && u != u',')
            continue;
        if (u == u'\t')
            continue;
        out += text.mid(runBegin, i - runBegin);
        runBegin = i + 1;
        switch (u) {
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
            // Other control characters are dropped.
            break;
        }
    }
    out += text.mid(runBegin);
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

} // namespace Ical
