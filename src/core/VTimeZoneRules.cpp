#include "VTimeZoneRules.h"

#include "DateText.h"
#include "EventZone.h"
#include "IcalInternal.h"
#include "IcalScanner.h"
#include "Limits.h"
#include "Recurrence.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace {

using namespace IcalInternal;

// An offset beyond a day is not one.
constexpr int maxOffsetSeconds = 24 * 3600 - 1;

// "+hhmm", "-hhmm" or with seconds "+hhmmss".
std::optional<int> readOffset(QStringView value)
{
    value = value.trimmed();
    if (value.size() != 5 && value.size() != 7)
        return std::nullopt;
    const QChar sign = value.front();
    if (sign != u'+' && sign != u'-')
        return std::nullopt;
    const int hours = DateText::digits(value, 1, 2);
    const int minutes = DateText::digits(value, 3, 2);
    const int seconds = value.size() == 7 ? DateText::digits(value, 5, 2) : 0;
    if (hours < 0 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    const int total = hours * 3600 + minutes * 60 + seconds;
    if (total > maxOffsetSeconds)
        return std::nullopt;
    return sign == u'-' ? -total : total;
}

// A local date-time without zone, as seconds of its fields read as UTC.
std::optional<QDateTime> readWallClock(QStringView value)
{
    const std::optional<DateText::Compact> read = DateText::readCompact(value.trimmed());
    if (!read)
        return std::nullopt;
    return QDateTime(read->date(), read->hasTime ? read->time() : QTime(0, 0), QTimeZone::utc());
}

struct Observance
{
    std::optional<QDateTime> start;
    std::optional<int> from;
    std::optional<int> to;
    QString rule;
    QList<QDateTime> extraStarts;
};

// Wall-clock onsets of one observance, each as seconds of its fields read as UTC.
QList<qint64> onsetsOf(const Observance& observance)
{
    QList<qint64> onsets{observance.start->toSecsSinceEpoch()};
    if (!observance.rule.isEmpty()) {
        Recurrence::Rule rule = Recurrence::parseRRule(observance.rule);
        // Time-zone rules are yearly; any other frequency names a change once, at DTSTART.
        if (rule.freq == QLatin1String("YEARLY")) {
            // UNTIL is UTC; the onsets here are wall-clock times in the offset before them.
            if (rule.until.isValid())
                rule.until = rule.until.addSecs(*observance.from);
            // COUNT bounds the work of a rule that names many days a year (hostile input).
            if (rule.count <= 0 || rule.count > Limits::maxTimeZoneOnsetsPerObservance)
                rule.count = Limits::maxTimeZoneOnsetsPerObservance;
            const QDateTime horizon(QDate(Limits::lastTimeZoneRuleYear, 1, 1), QTime(0, 0),
                                    QTimeZone::utc());
            for (const QDateTime& start :
                 Recurrence::generateStarts(rule, *observance.start, horizon)) {
                if (onsets.size() >= Limits::maxTimeZoneOnsetsPerObservance)
                    break;
                onsets.append(start.toSecsSinceEpoch());
            }
        }
    }
    for (const QDateTime& start : observance.extraStarts) {
        if (onsets.size() >= Limits::maxTimeZoneOnsetsPerObservance)
            break;
        onsets.append(start.toSecsSinceEpoch());
    }
    return onsets;
}

// The zones a TZID text may be matched to, built once: constructing a QTimeZone reads the zone
// database. Qt's own offset ids ("UTC+05:30") are left out: they are no names for other clients.
const QList<QTimeZone>& candidateZones()
{
    static const QList<QTimeZone> zones = [] {
        QList<QTimeZone> list;
        for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
            if (!id.contains('/') || id.startsWith("UTC") || id.startsWith("Etc/"))
                continue;
            const QTimeZone zone(id);
            if (zone.isValid())
                list.append(zone);
        }
        return list;
    }();
    return zones;
}

// A TZID that a parameter says as it is written here: a parameter's value turns a double quote
// into another character and drops control characters, so such a TZID would name the zone one way
// in its events' time lines and another in its definition.
bool canBeNamed(QStringView tzid)
{
    return std::none_of(tzid.cbegin(), tzid.cend(),
                        [](QChar c) { return c == u'"' || (c.unicode() < 0x20 && c != u'\t'); });
}

// The ids a TZID may end with: its last parts joined by single slashes, longest first. None is
// longer than an id can be, so a TZID of many thousand parts costs no more than a short one.
QStringList idsEndingWith(const QString& tzid)
{
    QStringList ids;
    QString id;
    for (qsizetype end = tzid.size(); end > 0;) {
        const qsizetype slash = tzid.lastIndexOf(u'/', end - 1);
        const QStringView part = QStringView(tzid).sliced(slash + 1, end - slash - 1);
        end = slash;
        if (part.isEmpty())
            continue;
        id = id.isEmpty() ? part.toString() : part.toString() + u'/' + id;
        if (id.size() > Limits::maxTimeZoneIdChars)
            break;
        ids.prepend(id);
    }
    return ids;
}

} // namespace

std::optional<VTimeZoneRules> VTimeZoneRules::read(QStringView block)
{
    VTimeZoneRules rules;
    QList<Observance> observances;
    int depth = 0;
    // The definition as it is written back: only what a strict reader takes for a VTIMEZONE.
    QString text;
    QStringList open;    // names of the open components, outermost first
    int leftOutFrom = 0; // depth of the outermost component left out of the text; 0: none
    bool whole = false;  // the block's own END was reached
    bool nested = true;  // every END closed the component its BEGIN opened
    const auto keep = [&](QStringView line) {
        if (leftOutFrom == 0 && text.size() <= Limits::maxTimeZoneDefinitionChars) {
            text += line;
            text += crlf;
        }
    };
    IcalScanner scanner(block);
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (scanner.isTooLong() || line.isEmpty())
            continue;
        if (startsWithInsensitive(line, QLatin1String("BEGIN:"))) {
            ++depth;
            const QStringView what = line.mid(6);
            const bool observance =
                depth == 2 && (equalsInsensitive(what, QLatin1String("STANDARD")) ||
                               equalsInsensitive(what, QLatin1String("DAYLIGHT")));
            if (observance) {
                if (observances.size() >= Limits::maxTimeZoneObservances)
                    break;
                observances.append(Observance());
            }
            if (depth > Limits::maxIcalendarNesting)
                return std::nullopt;
            open.append(what.toString());
            const bool root = depth == 1 && equalsInsensitive(what, QLatin1String("VTIMEZONE"));
            if (leftOutFrom == 0 && !root && !observance)
                leftOutFrom = depth;
            keep(line);
            continue;
        }
        if (startsWithInsensitive(line, QLatin1String("END:"))) {
            if (open.isEmpty() || line.mid(4).compare(open.constLast(), Qt::CaseInsensitive) != 0)
                nested = false;
            keep(line);
            if (leftOutFrom == depth)
                leftOutFrom = 0;
            if (!open.isEmpty())
                open.removeLast();
            if (--depth <= 0) {
                whole = true;
                break;
            }
            continue;
        }
        const LineParts parts = splitLine(line);
        if (depth >= 1 && isPropertyLine(line, parts))
            keep(line);
        if (depth == 1) {
            if (equalsInsensitive(parts.name, QLatin1String("TZID")))
                rules.m_tzid = parts.value.trimmed().toString();
            continue;
        }
        if (depth != 2 || observances.isEmpty())
            continue;
        Observance& observance = observances.last();
        if (equalsInsensitive(parts.name, QLatin1String("DTSTART"))) {
            observance.start = readWallClock(parts.value);
        } else if (equalsInsensitive(parts.name, QLatin1String("TZOFFSETFROM"))) {
            observance.from = readOffset(parts.value);
        } else if (equalsInsensitive(parts.name, QLatin1String("TZOFFSETTO"))) {
            observance.to = readOffset(parts.value);
        } else if (equalsInsensitive(parts.name, QLatin1String("RRULE"))) {
            observance.rule = parts.value.toString();
        } else if (equalsInsensitive(parts.name, QLatin1String("TZNAME"))) {
            if (rules.m_names.size() < Limits::maxTimeZoneObservances)
                rules.m_names.append(unescape(parts.value));
        } else if (equalsInsensitive(parts.name, QLatin1String("RDATE"))) {
            for (const QStringView piece : parts.value.split(u',')) {
                if (observance.extraStarts.size() >= Limits::maxTimeZoneOnsetsPerObservance)
                    break;
                if (const auto start = readWallClock(piece))
                    observance.extraStarts.append(*start);
            }
        }
    }
    if (rules.m_tzid.isEmpty())
        return std::nullopt;
    if (whole && nested && text.size() <= Limits::maxTimeZoneDefinitionChars &&
        canBeNamed(rules.m_tzid))
        rules.m_definition = text;

    for (const Observance& observance : std::as_const(observances)) {
        if (!observance.start || !observance.to)
            continue;
        // Without TZOFFSETFROM (required, but missing in the wild) the change is taken as
        // happening in the offset it leads to.
        Observance complete = observance;
        if (!complete.from)
            complete.from = complete.to;
        for (const qint64 wall : onsetsOf(complete))
            rules.m_changes.append(Change{wall - *complete.from, *complete.to});
    }
    if (rules.m_changes.isEmpty())
        return std::nullopt;
    std::stable_sort(rules.m_changes.begin(), rules.m_changes.end(),
                     [](const Change& a, const Change& b) { return a.utc < b.utc; });
    // The earliest change says what held before it: its own "from" offset.
    for (const Observance& observance : std::as_const(observances)) {
        if (!observance.start || !observance.to)
            continue;
        const int from = observance.from.value_or(*observance.to);
        if (observance.start->toSecsSinceEpoch() - from == rules.m_changes.constFirst().utc)
            rules.m_initialOffset = from;
    }
    // The largest offset gives the earliest instant, so toUtc tries it first: a time that
    // occurs twice takes the earlier instant.
    rules.m_offsets.append(rules.m_initialOffset);
    for (const Change& change : std::as_const(rules.m_changes)) {
        if (!rules.m_offsets.contains(change.offsetTo))
            rules.m_offsets.append(change.offsetTo);
    }
    std::sort(rules.m_offsets.begin(), rules.m_offsets.end(), std::greater<int>());
    return rules;
}

QString VTimeZoneRules::tzidOf(QStringView block)
{
    int depth = 0;
    IcalScanner scanner(block);
    while (scanner.next()) {
        const QStringView line = scanner.line();
        if (startsWithInsensitive(line, QLatin1String("BEGIN:")))
            ++depth;
        else if (startsWithInsensitive(line, QLatin1String("END:")))
            --depth;
        else if (depth == 1 && startsWithInsensitive(line, QLatin1String("TZID"))) {
            const LineParts parts = splitLine(line);
            if (equalsInsensitive(parts.name, QLatin1String("TZID")))
                return parts.value.trimmed().toString();
        }
    }
    return {};
}

int VTimeZoneRules::offsetAt(qint64 utcSeconds) const
{
    const auto after =
        std::upper_bound(m_changes.cbegin(), m_changes.cend(), utcSeconds,
                         [](qint64 instant, const Change& change) { return instant < change.utc; });
    if (after == m_changes.cbegin())
        return m_initialOffset;
    return std::prev(after)->offsetTo;
}

qint64 VTimeZoneRules::toUtc(qint64 wallSeconds) const
{
    for (const int offset : m_offsets) {
        if (offsetAt(wallSeconds - offset) == offset)
            return wallSeconds - offset;
    }
    return wallSeconds - offsetAt(wallSeconds - m_offsets.constFirst());
}

QTimeZone VTimeZoneRules::matchingZone(int year) const
{
    const qint64 begin =
        QDateTime(QDate(year - 1, 1, 1), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
    const qint64 end =
        QDateTime(QDate(year + 3, 1, 1), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
    QList<qint64> samples;
    for (int y = year - 1; y <= year + 2; ++y) {
        samples.append(QDateTime(QDate(y, 1, 1), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
        samples.append(QDateTime(QDate(y, 7, 1), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
    }
    // Real zones change a few times a year; more changes are checked up to a bound, so a hostile
    // definition costs no more than a real one times a constant.
    int checked = 0;
    for (const Change& change : m_changes) {
        if (change.utc >= begin && change.utc < end &&
            checked++ < Limits::maxTimeZoneChangesMatched) {
            samples.append(change.utc - 1);
            samples.append(change.utc);
        }
    }
    const bool utcByAnotherName =
        std::all_of(samples.cbegin(), samples.cend(), [&](qint64 at) { return offsetAt(at) == 0; });
    if (utcByAnotherName)
        return QTimeZone();
    const auto matches = [&](const QTimeZone& zone) {
        return std::all_of(samples.cbegin(), samples.cend(), [&](qint64 at) {
            return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(at, QTimeZone::utc())) ==
                   offsetAt(at);
        });
    };
    // An id the TZID text ends with ("/vendor.example/2007_1/Europe/Berlin"), the longest first.
    for (const QString& id : idsEndingWith(m_tzid)) {
        if (!QTimeZone::isTimeZoneIdAvailable(id.toUtf8()))
            continue;
        const QTimeZone zone = EventZone::named(id);
        if (zone.isValid() && matches(zone))
            return zone;
    }
    // Among the zones with these offsets: one whose city or country the TZID names ("India
    // Time"), else one with the definition's abbreviations, else the first.
    QTimeZone named;
    QTimeZone sameNames;
    QTimeZone firstMatch;
    for (const QTimeZone& zone : candidateZones()) {
        if (!matches(zone))
            continue;
        const QString id = QString::fromLatin1(zone.id());
        const QString city = id.section(u'/', -1).replace(u'_', u' ');
        const QString country = QLocale::territoryToString(zone.territory());
        if (m_tzid.contains(city, Qt::CaseInsensitive) ||
            (!country.isEmpty() && m_tzid.contains(country, Qt::CaseInsensitive))) {
            named = zone;
            break;
        }
        const bool abbreviated = std::all_of(samples.cbegin(), samples.cend(), [&](qint64 at) {
            return m_names.contains(
                zone.abbreviation(QDateTime::fromSecsSinceEpoch(at, QTimeZone::utc())));
        });
        if (abbreviated && !sameNames.isValid())
            sameNames = zone;
        if (!firstMatch.isValid())
            firstMatch = zone;
    }
    if (named.isValid())
        return named;
    if (sameNames.isValid())
        return sameNames;
    if (!firstMatch.isValid())
        return firstMatch;
    // The main zone of its region (Europe/Paris rather than Africa/Ceuta) where that matches too.
    const QByteArray main =
        QTimeZone::windowsIdToDefaultIanaId(QTimeZone::ianaIdToWindowsId(firstMatch.id()));
    const QTimeZone mainZone = main.isEmpty() ? QTimeZone() : QTimeZone(main);
    return mainZone.isValid() && matches(mainZone) ? mainZone : firstMatch;
}
