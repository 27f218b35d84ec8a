#include "CalDavBody.h"

#include "Clock.h"
#include "DateText.h"
#include "EventZone.h"
#include "IcalInternal.h"
#include "IcalZoneCache.h"
#include "Limits.h"
#include "VTimeZone.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPair>
#include <QTimeZone>

#include <algorithm>

namespace CalDavBody {

namespace {

const QString crlf = QStringLiteral("\r\n");

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

bool startsWithNoCase(const QString& line, QLatin1StringView prefix)
{
    return line.startsWith(prefix, Qt::CaseInsensitive);
}

// The component a BEGIN or END line names, upper-cased; empty for any other line.
QString componentOf(const QString& line, QLatin1StringView marker)
{
    if (!startsWithNoCase(line, marker))
        return {};
    return line.mid(marker.size()).trimmed().toUpper();
}

// The TZID of the master's DTSTART with its zone, when the zone database knows it, or the clock a
// floating start is said on (no TZID): exception dates are written in the same form as the start
// they remove.
struct StartZone
{
    QString tzid;
    QTimeZone zone;
};

QString exdateLine(const QString& recurrenceId, const StartZone& start)
{
    if (recurrenceId.size() == 8)
        return QStringLiteral("EXDATE;VALUE=DATE:") + recurrenceId;
    if (start.zone.isValid()) {
        const std::optional<DateText::Compact> read = DateText::readCompact(recurrenceId);
        if (read && read->hasTime && read->utc) {
            const QDateTime instant(read->date(), read->time(), QTimeZone::utc());
            const QString digits = DateText::compactLocal(instant, start.zone);
            if (start.tzid.isEmpty())
                return QStringLiteral("EXDATE:") + digits;
            return QStringLiteral("EXDATE;TZID=") + IcalInternal::paramValue(start.tzid) + u':' +
                   digits;
        }
    }
    return QStringLiteral("EXDATE:") + recurrenceId;
}

// The value of a line after its colon (outside quoted parameters).
QString valueOf(const QString& line)
{
    return IcalInternal::splitLine(line).value.toString();
}

// Whether a line of the master already excludes the recurrence id. Unfolded EXDATE lines only:
// a folded one at worst gains a second, equal exclusion, which servers accept.
bool excludes(const QStringList& lines, qsizetype from, qsizetype to, const QString& id,
              const QString& written)
{
    for (qsizetype i = from; i < to; ++i) {
        const QString& line = lines.at(i);
        if (!startsWithNoCase(line, QLatin1StringView("EXDATE")))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QStringList values = line.mid(colon + 1).split(QLatin1Char(','));
        for (const QString& value : values) {
            if (value.trimmed() == id || value.trimmed() == written)
                return true;
        }
    }
    return false;
}

// Inserts the EXDATE lines into the first VEVENT of the lines, right before its own END line
// (not inside a nested VALARM).
void insertExceptionDates(QStringList& lines, const QStringList& recurrenceIds, const QString& zone)
{
    qsizetype begin = -1;
    int depth = 0;
    StartZone start;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (begin < 0) {
            if (componentOf(line, QLatin1StringView("BEGIN:")) == u"VEVENT") {
                begin = i;
                depth = 0;
            }
            continue;
        }
        if (!componentOf(line, QLatin1StringView("BEGIN:")).isEmpty()) {
            ++depth;
            continue;
        }
        if (componentOf(line, QLatin1StringView("END:")).isEmpty()) {
            if (depth == 0 && startsWithNoCase(line, QLatin1StringView("DTSTART"))) {
                const IcalInternal::LineParts parts = IcalInternal::splitLine(line);
                const QString tzid = IcalInternal::tzidOf(parts).toString();
                const std::optional<DateText::Compact> value = DateText::readCompact(parts.value);
                if (!tzid.isEmpty() && parts.value.size() != 8) {
                    IcalZoneCache zones;
                    const IcalZoneCache::Zone& known = zones.resolve(tzid);
                    if (known.known)
                        start = StartZone{tzid, known.zone};
                } else if (tzid.isEmpty() && value && value->hasTime && !value->utc &&
                           !IcalInternal::heldZoneOf(parts)) {
                    start = StartZone{QString(), EventZone::named(zone)};
                }
            }
            continue;
        }
        if (depth > 0) {
            --depth;
            continue;
        }
        QStringList added;
        for (const QString& id : recurrenceIds) {
            const QString written = exdateLine(id, start);
            if (!id.isEmpty() && !excludes(lines, begin, i, id, valueOf(written)) &&
                !added.contains(written))
                added.append(written);
        }
        for (qsizetype k = 0; k < added.size(); ++k)
            lines.insert(i + k, added.at(k));
        return;
    }
}

struct Parts
{
    QStringList header; // the calendar's own property lines
    QList<QStringList> timeZones;
    QList<QStringList> items; // VEVENT and VTODO blocks
};

// Splits one stored text into its calendar properties, time zones and items. Text outside any
// VCALENDAR (a bare VEVENT, say) still yields its components.
void collect(const QStringList& lines, Parts& parts, bool takeHeader)
{
    int calendarDepth = 0;
    QStringList block;
    QString blockKind;
    int depth = 0;
    for (const QString& line : lines) {
        const QString begins = componentOf(line, QLatin1StringView("BEGIN:"));
        const QString ends = componentOf(line, QLatin1StringView("END:"));
        if (depth == 0) {
            if (begins == u"VCALENDAR") {
                ++calendarDepth;
                continue;
            }
            if (ends == u"VCALENDAR") {
                calendarDepth = std::max(0, calendarDepth - 1);
                continue;
            }
            if (!begins.isEmpty()) {
                block = {line};
                blockKind = begins;
                depth = 1;
                continue;
            }
            if (takeHeader && calendarDepth > 0 && !line.isEmpty())
                parts.header.append(line);
            continue;
        }
        block.append(line);
        if (!begins.isEmpty())
            ++depth;
        else if (!ends.isEmpty() && --depth == 0) {
            if (blockKind == u"VTIMEZONE")
                parts.timeZones.append(block);
            else if (blockKind == u"VEVENT" || blockKind == u"VTODO")
                parts.items.append(block);
            block.clear();
        }
    }
}

QString tzidOf(const QStringList& block)
{
    for (const QString& line : block) {
        if (startsWithNoCase(line, QLatin1StringView("TZID")))
            return line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed();
    }
    return {};
}

// Adds a generated VTIMEZONE for every TZID the lines name without defining it, before the
// first component of the calendar. Zones the database does not know are left as they are.
void addMissingTimeZones(QStringList& lines)
{
    QStringList defined;
    QHash<QString, QPair<QDateTime, QDateTime>> used;
    QList<QString> order;
    int depth = 0;
    bool inZone = false;
    qsizetype firstComponent = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const QString begins = componentOf(line, QLatin1StringView("BEGIN:"));
        if (!begins.isEmpty()) {
            if (depth == 1 && firstComponent < 0)
                firstComponent = i;
            if (depth == 1 && begins == u"VTIMEZONE")
                inZone = true;
            ++depth;
            continue;
        }
        if (!componentOf(line, QLatin1StringView("END:")).isEmpty()) {
            depth = std::max(0, depth - 1);
            if (depth <= 1)
                inZone = false;
            continue;
        }
        if (inZone) {
            if (depth == 2 && startsWithNoCase(line, QLatin1StringView("TZID")))
                defined.append(valueOf(line).trimmed());
            continue;
        }
        const IcalInternal::LineParts parts = IcalInternal::splitLine(line);
        const QString tzid = IcalInternal::tzidOf(parts).toString();
        if (tzid.isEmpty())
            continue;
        if (!used.contains(tzid)) {
            if (used.size() >= Limits::maxIcalendarTimeZonesPerText)
                continue;
            order.append(tzid);
            used.insert(tzid, {});
        }
        QPair<QDateTime, QDateTime>& span = used[tzid];
        for (const QStringView piece : parts.value.split(u',')) {
            const std::optional<DateText::Compact> read = DateText::readCompact(piece.trimmed());
            if (!read)
                continue;
            const QDateTime wall(read->date(), read->time(), QTimeZone::utc());
            if (!span.first.isValid() || wall < span.first)
                span.first = wall;
            if (!span.second.isValid() || wall > span.second)
                span.second = wall;
        }
    }
    if (firstComponent < 0)
        return;
    IcalZoneCache zones;
    QStringList added;
    for (const QString& tzid : std::as_const(order)) {
        const QPair<QDateTime, QDateTime>& span = used.value(tzid);
        if (defined.contains(tzid) || !span.first.isValid())
            continue;
        const IcalZoneCache::Zone& zone = zones.resolve(tzid);
        if (!zone.known || zone.rules)
            continue;
        // The series' end is not known here: cover years past now, as for an endless series.
        const QDateTime last = std::max(span.second, Clock::now())
                                   .addYears(Limits::timeZoneYearsAheadForEndlessSeries);
        added.append(splitLines(VTimeZone::write(tzid, zone.zone, span.first, last)));
    }
    for (qsizetype k = 0; k < added.size(); ++k)
        lines.insert(firstComponent + k, added.at(k));
}

QString wrapHeader(const QString& name)
{
    if (name == u"VERSION")
        return QStringLiteral("VERSION:2.0");
    return QStringLiteral("PRODID:-//Orvandellic//Calendar Desktop//EN");
}

} // namespace

QString single(const QString& stored)
{
    QStringList lines = splitLines(stored);
    const bool wrapped = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return startsWithNoCase(line, QLatin1StringView("BEGIN:VCALENDAR"));
    });
    if (!wrapped) {
        lines.prepend(wrapHeader(QStringLiteral("PRODID")));
        lines.prepend(wrapHeader(QStringLiteral("VERSION")));
        lines.prepend(QStringLiteral("BEGIN:VCALENDAR"));
        lines.append(QStringLiteral("END:VCALENDAR"));
    }
    addMissingTimeZones(lines);
    return lines.join(crlf) + crlf;
}

QString compose(const QStringList& storedTexts, const QStringList& exceptionDates,
                const QString& zone)
{
    if (storedTexts.size() == 1 && exceptionDates.isEmpty())
        return single(storedTexts.constFirst());
    Parts parts;
    for (const QString& text : storedTexts)
        collect(splitLines(text), parts, parts.header.isEmpty());
    if (!parts.items.isEmpty() && !exceptionDates.isEmpty())
        insertExceptionDates(parts.items.first(), exceptionDates, zone);

    QStringList out{QStringLiteral("BEGIN:VCALENDAR")};
    for (const char* name : {"VERSION", "PRODID"}) {
        const QLatin1StringView prefix(name);
        const bool present =
            std::any_of(parts.header.cbegin(), parts.header.cend(), [&](const QString& line) {
                return startsWithNoCase(line, prefix) && line.size() > prefix.size() &&
                       (line.at(prefix.size()) == u':' || line.at(prefix.size()) == u';');
            });
        if (!present)
            out.append(wrapHeader(QString::fromLatin1(name)));
    }
    out.append(parts.header);
    QStringList zonesSeen;
    for (const QStringList& zone : parts.timeZones) {
        const QString tzid = tzidOf(zone);
        if (zonesSeen.contains(tzid))
            continue;
        zonesSeen.append(tzid);
        out.append(zone);
    }
    for (const QStringList& item : parts.items)
        out.append(item);
    out.append(QStringLiteral("END:VCALENDAR"));
    addMissingTimeZones(out);
    return out.join(crlf) + crlf;
}

QString withExceptionDates(const QString& stored, const QStringList& recurrenceIds,
                           const QString& zone)
{
    const bool windowsEnds = stored.contains(crlf);
    QStringList lines = splitLines(stored);
    insertExceptionDates(lines, recurrenceIds, zone);
    const QString end = windowsEnds ? crlf : QStringLiteral("\n");
    return lines.join(end) + end;
}

QString withUid(const QString& stored, const QString& uid)
{
    // Not iCalendar (a Google item kept as it came): nothing in it is a component's UID.
    if (!stored.contains(QLatin1String("BEGIN:V"), Qt::CaseInsensitive))
        return stored;
    const bool windowsEnds = stored.contains(crlf);
    const QStringList lines = splitLines(stored);
    QStringList out;
    out.reserve(lines.size());
    // Depth below the VEVENT or VTODO being read: 0 is its own level, -1 outside of one.
    int depth = -1;
    bool droppingFold = false;
    for (const QString& line : lines) {
        const bool continuation = line.startsWith(QLatin1Char(' ')) || line.startsWith(u'\t');
        if (droppingFold && continuation)
            continue;
        droppingFold = false;
        if (const QString begun = componentOf(line, QLatin1StringView("BEGIN:"));
            !begun.isEmpty()) {
            if (depth >= 0)
                ++depth;
            else if (begun == u"VEVENT" || begun == u"VTODO")
                depth = 0;
        } else if (!componentOf(line, QLatin1StringView("END:")).isEmpty()) {
            if (depth >= 0)
                --depth;
        } else if (depth == 0 && !continuation &&
                   (startsWithNoCase(line, QLatin1StringView("UID:")) ||
                    startsWithNoCase(line, QLatin1StringView("UID;")))) {
            out.append(QStringLiteral("UID:") + uid);
            droppingFold = true;
            continue;
        }
        out.append(line);
    }
    const QString end = windowsEnds ? crlf : QStringLiteral("\n");
    return out.join(end) + end;
}

QString addExceptionDates(const QString& json, const QStringList& recurrenceIds)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    QJsonArray dates = document.isArray() ? document.array() : QJsonArray();
    for (const QString& id : recurrenceIds) {
        if (!id.isEmpty() && !dates.contains(QJsonValue(id)))
            dates.append(id);
    }
    return QString::fromUtf8(QJsonDocument(dates).toJson(QJsonDocument::Compact));
}

} // namespace CalDavBody
