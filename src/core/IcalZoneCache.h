#pragma once

#include "VTimeZoneRules.h"
#include "WallClock.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringView>
#include <QTimeZone>

#include <array>
#include <deque>
#include <memory>
#include <optional>

// Resolves TZID parameter values to zones for one reading pass, looking each distinct value up
// once. A value that is neither an IANA zone the platform knows nor a Windows zone name with an
// IANA equivalent is read by the VTIMEZONE the text gave for it (define()); without one it
// resolves to the machine's zone (floating time), as does an empty value.
class IcalZoneCache
{
public:
    IcalZoneCache() = default;
    // It keeps pointers into itself.
    Q_DISABLE_COPY_MOVE(IcalZoneCache)

    struct Zone
    {
        QTimeZone zone;
        QString id;         // the IANA id, or the value as written when the zone is unknown
        bool known = false; // false: the machine's zone stands in
        // Set for a zone defined by the text alone: its rules give the instants. Once matched
        // (resolve with a year), `zone` and `id` are the matching IANA zone; without one, `zone`
        // is UTC and `id` the definition itself (UTC when it is too long to keep).
        std::shared_ptr<const VTimeZoneRules> rules;
        QString definition; // the VTIMEZONE block as read, for the stored text
        bool matched = false;
        // The wall clock of `zone`, built on its first conversion: it keeps the offsets around
        // the instant it converted last.
        mutable std::optional<WallClock> clock;
    };

    // The text being read (it must outlive the cache): its VTIMEZONE blocks define the TZIDs the
    // zone database does not know, at most Limits::maxCustomTimeZonesPerText of them.
    void setText(QStringView text);

    // The zone for an unquoted TZID value.
    const Zone& resolve(QStringView tzid);

    // As resolve(); a zone defined by the text is first matched to an IANA zone around `year`.
    const Zone& resolve(QStringView tzid, int year);

    // The machine's zone, looked up on first use.
    const QTimeZone& local();
    // The zone id an event read in floating time (or in a zone nobody defines) belongs to: the
    // machine's (EventZone::forNewEvents).
    const QString& localId();

    // The instant the wall-clock time stands for in zone.zone, as the expansion reads one
    // (WallClock): a time the clocks skip is read with the offset before the gap, a repeated one
    // is the earlier instant. Texts repeat a wall-clock time in one zone (an exception date or an
    // override on the start of its series, read after the end), so the last two conversions are
    // kept.
    QDateTime dateTime(const Zone& zone, QDate date, QTime time);

private:
    Zone lookUp(QStringView tzid);
    void remember(const QString& key, Zone* zone);

    struct Definition
    {
        std::shared_ptr<const VTimeZoneRules> rules;
        QString block;
    };
    const Definition* definitionOf(const QString& tzid);

    QStringView m_text;
    bool m_indexed = false;
    QHash<QString, QStringView> m_blocks;
    QHash<QString, Definition> m_definitions;
    // The zones by TZID; a deque never moves its elements, so the pointers below stay valid.
    std::deque<Zone> m_zoneStore;
    QHash<QString, Zone*> m_zones;
    // The TZIDs resolved last, so that a text alternating between a few zones finds them
    // without building a key.
    struct Recent
    {
        QString key;
        Zone* zone = nullptr;
    };
    std::array<Recent, 8> m_recent;
    qsizetype m_recentCount = 0;
    qsizetype m_recentNext = 0;
    Zone* m_last = nullptr;
    Zone m_overflow;
    Zone m_empty;
    QTimeZone m_local;
    bool m_haveLocal = false;
    QString m_localId;
    struct Conversion
    {
        QTimeZone zone;
        QDate date;
        QTime time;
        QDateTime result;
    };
    std::array<Conversion, 2> m_conversions;
    qsizetype m_nextConversion = 0;
};
