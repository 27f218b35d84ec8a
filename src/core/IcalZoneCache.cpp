#include "IcalZoneCache.h"

#include "EventZone.h"
#include "Limits.h"

#include <algorithm>

namespace {

IcalZoneCache::Zone plainZone(const QTimeZone& zone, const QString& id, bool known)
{
    IcalZoneCache::Zone result;
    result.zone = zone;
    result.id = id;
    result.known = known;
    return result;
}

} // namespace

const QTimeZone& IcalZoneCache::local()
{
    if (!m_haveLocal) {
        m_local = QTimeZone::systemTimeZone();
        m_haveLocal = true;
    }
    return m_local;
}

const QString& IcalZoneCache::localId()
{
    if (m_localId.isEmpty())
        m_localId = EventZone::forNewEvents(local());
    return m_localId;
}

void IcalZoneCache::setText(QStringView text)
{
    m_text = text;
    m_indexed = false;
    m_blocks.clear();
}

// Indexes the VTIMEZONE blocks of the text by TZID on first need: texts whose zones the
// database knows (nearly all) are never searched.
const IcalZoneCache::Definition* IcalZoneCache::definitionOf(const QString& tzid)
{
    if (!m_indexed) {
        m_indexed = true;
        const QLatin1String begin("BEGIN:VTIMEZONE");
        const QLatin1String end("END:VTIMEZONE");
        for (qsizetype at = m_text.indexOf(begin, 0, Qt::CaseInsensitive);
             at >= 0 && m_blocks.size() < Limits::maxIcalendarTimeZonesPerText;
             at = m_text.indexOf(begin, at + begin.size(), Qt::CaseInsensitive)) {
            const qsizetype close = m_text.indexOf(end, at, Qt::CaseInsensitive);
            if (close < 0)
                break;
            const QStringView block = m_text.mid(at, close + end.size() - at);
            const QString id = VTimeZoneRules::tzidOf(block);
            if (!id.isEmpty() && !m_blocks.contains(id))
                m_blocks.insert(id, block);
        }
    }
    const auto defined = m_definitions.constFind(tzid);
    if (defined != m_definitions.constEnd())
        return &defined.value();
    const auto block = m_blocks.constFind(tzid);
    if (block == m_blocks.constEnd() || m_definitions.size() >= Limits::maxCustomTimeZonesPerText)
        return nullptr;
    std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(*block);
    if (!rules)
        return nullptr;
    const auto inserted = m_definitions.insert(
        tzid,
        Definition{std::make_shared<const VTimeZoneRules>(std::move(*rules)), block->toString()});
    return &inserted.value();
}

const IcalZoneCache::Zone& IcalZoneCache::resolve(QStringView tzid, int year)
{
    const Zone& found = resolve(tzid);
    if (!found.rules || found.matched || &found != m_last)
        return found;
    Zone& zone = *m_last;
    zone.matched = true;
    const QTimeZone match = zone.rules->matchingZone(year);
    zone.zone = match.isValid() ? match : QTimeZone::utc();
    zone.clock.reset();
    if (match.isValid())
        zone.id = QString::fromLatin1(match.id());
    else if (!zone.rules->definition().isEmpty())
        zone.id = zone.rules->definition();
    return zone;
}

const IcalZoneCache::Zone& IcalZoneCache::resolve(QStringView tzid)
{
    if (tzid.isEmpty()) {
        if (!m_empty.zone.isValid())
            m_empty.zone = local();
        return m_empty;
    }
    for (qsizetype i = 0; i < m_recentCount; ++i) {
        if (m_recent[i].key == tzid) {
            m_last = m_recent[i].zone;
            return *m_last;
        }
    }
    const QString key = tzid.toString();
    Zone* zone = m_zones.value(key);
    if (!zone) {
        if (m_zoneStore.size() >= std::size_t(Limits::maxIcalendarTimeZonesPerText)) {
            m_overflow = plainZone(local(), key, false);
            return m_overflow;
        }
        zone = &m_zoneStore.emplace_back(lookUp(tzid));
        m_zones.insert(key, zone);
    }
    m_last = zone;
    remember(key, m_last);
    return *m_last;
}

void IcalZoneCache::remember(const QString& key, Zone* zone)
{
    m_recent[m_recentNext] = Recent{key, zone};
    m_recentNext = (m_recentNext + 1) % qsizetype(m_recent.size());
    m_recentCount = std::min(m_recentCount + 1, qsizetype(m_recent.size()));
}

QDateTime IcalZoneCache::dateTime(const Zone& zone, QDate date, QTime time)
{
    // Equal ids name the same zone data, so the conversion is the same.
    for (const Conversion& done : m_conversions) {
        if (done.zone.isValid() && done.date == date && done.time == time && done.zone == zone.zone)
            return done.result;
    }
    Conversion& conversion = m_conversions[m_nextConversion];
    m_nextConversion = (m_nextConversion + 1) % qsizetype(m_conversions.size());
    if (!zone.clock)
        zone.clock.emplace(QDateTime::fromMSecsSinceEpoch(0, zone.zone));
    const qint64 local =
        CivilDays::daysFromCivil(date.year(), date.month(), date.day()) * CivilDays::msPerDay +
        time.msecsSinceStartOfDay();
    conversion = Conversion{zone.zone, date, time, zone.clock->make(zone.clock->toUtc(local))};
    return conversion.result;
}

IcalZoneCache::Zone IcalZoneCache::lookUp(QStringView tzid)
{
    if (const QTimeZone zone = EventZone::named(tzid); zone.isValid())
        return plainZone(zone, tzid.toString(), true);
    // Outlook and Exchange write Windows zone names ("W. Europe Standard Time").
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(tzid.toUtf8());
    if (!iana.isEmpty()) {
        const QString id = QString::fromLatin1(iana);
        if (const QTimeZone zone = EventZone::named(id); zone.isValid())
            return plainZone(zone, id, true);
    }
    if (const Definition* defined = definitionOf(tzid.toString())) {
        Zone zone = plainZone(QTimeZone::utc(), QStringLiteral("UTC"), true);
        zone.rules = defined->rules;
        zone.definition = defined->block;
        return zone;
    }
    return plainZone(local(), tzid.toString(), false);
}
