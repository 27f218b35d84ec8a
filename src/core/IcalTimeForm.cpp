#include "IcalTimeForm.h"

#include "DateText.h"
#include "Event.h"
#include "EventZone.h"
#include "IcalZoneCache.h"
#include "VTimeZoneRules.h"

#include <algorithm>

namespace {

using namespace IcalInternal;

// A DATE-TIME without a zone: no TZID, no held zone, no "Z".
bool isFloatingValue(const LineParts& parts)
{
    if (!tzidOf(parts).isEmpty() || heldZoneOf(parts))
        return false;
    const std::optional<DateText::Compact> read = DateText::readCompact(parts.value);
    return read && read->hasTime && !read->utc;
}

// The clock floating time is said on: the zone the event was given when it was read.
QTimeZone clockOf(const QString& eventZone)
{
    const QTimeZone zone = EventZone::named(eventZone);
    return zone.isValid() ? zone : QTimeZone::systemTimeZone();
}

// The zone named beside a UTC value said for the event's clock; none where that is UTC.
QString heldNameOf(const QString& eventZone)
{
    return EventZone::writingZone(eventZone) ? eventZone : QString();
}

QString digitsOf(qint64 localMs)
{
    const QDateTime wall = QDateTime::fromMSecsSinceEpoch(localMs, QTimeZone::utc());
    return DateText::compactLocal(wall, QTimeZone::utc());
}

// A DURATION value as RFC 5545 counts it: weeks and days nominal (on the clock of the start),
// hours, minutes and seconds exact. Nothing for a value that is none of its forms (months, a
// number without its letter). The value was read by readDuration first, which bounds it.
struct NominalDuration
{
    qint64 days = 0;
    qint64 seconds = 0;
};

std::optional<NominalDuration> nominalDuration(QStringView value)
{
    qsizetype i = 0;
    qint64 sign = 1;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-'))
        sign = value[i++] == u'-' ? -1 : 1;
    if (i >= value.size() || value[i] != u'P')
        return std::nullopt;
    NominalDuration result;
    bool timePart = false;
    bool haveDigits = false;
    qint64 number = 0;
    for (++i; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c >= u'0' && c <= u'9') {
            number = number * 10 + (c - u'0');
            haveDigits = true;
            continue;
        }
        if (c == u'T' && !timePart && !haveDigits) {
            timePart = true;
            continue;
        }
        if (!haveDigits)
            return std::nullopt;
        if (!timePart && c == u'W')
            result.days += number * 7;
        else if (!timePart && c == u'D')
            result.days += number;
        else if (timePart && c == u'H')
            result.seconds += number * 3600;
        else if (timePart && c == u'M')
            result.seconds += number * 60;
        else if (timePart && c == u'S')
            result.seconds += number;
        else
            return std::nullopt;
        number = 0;
        haveDigits = false;
    }
    if (haveDigits)
        return std::nullopt;
    result.days *= sign;
    result.seconds *= sign;
    return result;
}

} // namespace

IcalTimeForm IcalTimeForm::ofEvent(const Event& event, QStringView storedStartLine)
{
    IcalTimeForm form;
    if (event.isAllDay || !event.startTime.isValid())
        return form;
    if (!storedStartLine.isEmpty() && isFloatingValue(splitLine(storedStartLine))) {
        form.m_local = true;
        form.m_zone = clockOf(event.timezone);
        form.m_heldName = heldNameOf(event.timezone);
        return form;
    }
    if (const std::optional<QTimeZone> zone = EventZone::writingZone(event.timezone)) {
        form.m_local = true;
        form.m_zone = *zone;
        form.m_tzid = event.timezone;
        form.m_heldName = event.timezone;
        form.m_databaseZone = true;
    } else if (std::shared_ptr<const VTimeZoneRules> rules =
                   EventZone::definedZone(event.timezone)) {
        form.m_local = true;
        form.m_tzid = rules->tzid();
        form.m_heldName = form.m_tzid;
        form.m_rules = std::move(rules);
    }
    return form;
}

IcalTimeForm IcalTimeForm::ofLine(const LineParts& parts, IcalZoneCache& zones,
                                  const QString& eventZone)
{
    IcalTimeForm form;
    const QStringView tzid = tzidOf(parts);
    if (!tzid.isEmpty()) {
        const IcalZoneCache::Zone& zone = zones.resolve(tzid);
        form.m_local = true;
        form.m_tzid = tzid.toString();
        if (zone.known) {
            form.m_zone = zone.zone;
            form.m_rules = zone.rules;
            form.m_heldName = form.m_tzid == QLatin1String("UTC") ? QString() : form.m_tzid;
        } else {
            // The reader read it on the event's clock, and so it is written.
            form.m_zone = clockOf(eventZone);
            form.m_heldName = heldNameOf(eventZone);
        }
        return form;
    }
    if (const std::optional<QStringView> held = heldZoneOf(parts)) {
        const IcalZoneCache::Zone& zone = zones.resolve(*held);
        if (zone.known) {
            form.m_local = true;
            form.m_tzid = held->toString();
            form.m_zone = zone.zone;
            form.m_rules = zone.rules;
            form.m_heldName = form.m_tzid;
        }
        return form;
    }
    if (isFloatingValue(parts)) {
        form.m_local = true;
        form.m_zone = clockOf(eventZone);
        form.m_heldName = heldNameOf(eventZone);
    }
    return form;
}

std::optional<QTimeZone> IcalTimeForm::databaseZone() const
{
    return m_databaseZone ? std::optional<QTimeZone>(m_zone) : std::nullopt;
}

WallClock& IcalTimeForm::clock() const
{
    if (!m_clock)
        m_clock.emplace(QDateTime::fromMSecsSinceEpoch(0, m_rules ? QTimeZone::utc() : m_zone),
                        m_rules);
    return *m_clock;
}

QString IcalTimeForm::wallDigits(const QDateTime& time) const
{
    if (!m_local || !time.isValid())
        return {};
    const qint64 utc = time.toMSecsSinceEpoch();
    const qint64 local = clock().localMs(utc);
    return clock().toUtc(local) == utc ? digitsOf(local) : QString();
}

QString IcalTimeForm::shownDigits(const QDateTime& time) const
{
    return m_local && time.isValid() ? digitsOf(clock().localMs(time.toMSecsSinceEpoch()))
                                     : QString();
}

bool IcalTimeForm::reads(QStringView value, const QDateTime& time, IcalZoneCache& zones) const
{
    const std::optional<DateText::Compact> digits = DateText::readCompact(value);
    return digits && digits->hasTime && read(*digits, value, zones) == time;
}

QDateTime IcalTimeForm::read(const DateText::Compact& digits, QStringView value,
                             IcalZoneCache& zones) const
{
    if (!m_local || digits.utc)
        return readDateValue(value, {}, zones).time;
    const qint64 wall =
        CivilDays::daysFromCivil(digits.year, digits.month, digits.day) * CivilDays::msPerDay +
        (digits.hour * 3600 + digits.minute * 60 + digits.second) * 1000LL;
    return clock().make(clock().toUtc(wall));
}

QString IcalTimeForm::head(QLatin1String name) const
{
    if (m_tzid.isEmpty())
        return name + u':';
    return name + QLatin1String(";TZID=") + paramValue(m_tzid) + u':';
}

QString IcalTimeForm::line(QLatin1String name, const QDateTime& time) const
{
    const QString wall = wallDigits(time);
    if (!wall.isEmpty())
        return head(name) + wall + crlf;
    if (m_local && !m_heldName.isEmpty())
        return name + u';' + heldZoneParam + u'=' + paramValue(m_heldName) + u':' +
               DateText::compactUtc(time) + crlf;
    return name + u':' + DateText::compactUtc(time) + crlf;
}

QString IcalTimeForm::shownLine(QLatin1String name, const QDateTime& time) const
{
    const QString shown = shownDigits(time);
    return shown.isEmpty() ? line(name, time) : head(name) + shown + crlf;
}

QString IcalTimeForm::endLine(const QDateTime& start, const QDateTime& end) const
{
    if (m_local && end > start && !canSay(end) && canSay(start))
        return exactLength(start, end);
    return line(QLatin1String("DTEND"), end);
}

QString IcalTimeForm::seriesStart(const QDateTime& start, const QDateTime& end) const
{
    if (!m_local || canSay(start))
        return {};
    return shownLine(QLatin1String("DTSTART"), start) + exactLength(start, end);
}

bool IcalTimeForm::keeps(QStringView line, const QDateTime& time, IcalZoneCache& zones) const
{
    if (line.isEmpty() || !time.isValid() || !m_local)
        return false;
    const LineParts parts = splitLine(line);
    const QStringView tzid = tzidOf(parts);
    const bool sameZone = tzid.isEmpty() ? isFloating() && isFloatingValue(parts) : tzid == m_tzid;
    return sameZone && reads(parts.value, time, zones);
}

bool IcalTimeForm::durationSays(QStringView value, const QDateTime& start,
                                const QDateTime& end) const
{
    const std::optional<qint64> seconds = readDuration(value);
    if (!seconds || *seconds < 1 || start.addSecs(*seconds) != end)
        return false;
    const std::optional<NominalDuration> nominal = nominalDuration(value);
    if (!nominal)
        return false;
    if (!m_local || nominal->days == 0)
        return true;
    // A day is a day on the start's clock, 23 or 25 hours across a change of the clocks.
    const qint64 local = clock().localMs(start.toMSecsSinceEpoch());
    const qint64 dayLater = clock().toUtc(local + nominal->days * CivilDays::msPerDay);
    return dayLater + nominal->seconds * 1000 == end.toMSecsSinceEpoch();
}

QString IcalTimeForm::exactLength(const QDateTime& start, const QDateTime& end)
{
    const qint64 seconds = std::max<qint64>(0, start.secsTo(end));
    QString text = QStringLiteral("DURATION:PT");
    if (seconds >= 3600)
        text += QString::number(seconds / 3600) + u'H';
    if (seconds % 3600 >= 60)
        text += QString::number(seconds % 3600 / 60) + u'M';
    if (seconds % 60 != 0 || seconds == 0)
        text += QString::number(seconds % 60) + u'S';
    return text + crlf;
}
