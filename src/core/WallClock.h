#pragma once

#include "CivilDays.h"
#include "VTimeZoneRules.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

// The wall clock of one series: converts between its local time and UTC with RFC 5545's rules
// for DST changes, and builds result times in the series' own representation.
class WallClock
{
public:
    // UTC offsets of one zone around one calendar year (from two days before it to two days after),
    // built once from the platform's zone data and shared by every later call.
    struct YearOffsets
    {
        qint64 fromMs = 0;
        qint64 toMs = 0;
        int initialOffset = 0;                           // seconds, in force at fromMs
        std::vector<std::pair<qint64, int>> transitions; // UTC ms, offset in force from then on
    };

    // The table of `year` for `zone`, built on first use and shared by every clock.
    static std::shared_ptr<const YearOffsets> yearOffsets(const QTimeZone& zone, qint64 year);

    // `rules`, when set, give the wall clock of a zone that only its definition names; results
    // are then made as `reference` is.
    explicit WallClock(const QDateTime& reference,
                       std::shared_ptr<const VTimeZoneRules> rules = nullptr)
        : m_spec(reference.timeSpec()), m_rules(std::move(rules))
    {
        if (m_spec == Qt::TimeZone)
            m_zone = reference.timeZone();
        else if (m_spec == Qt::LocalTime)
            m_zone = QTimeZone::systemTimeZone();
        else if (m_spec == Qt::OffsetFromUTC)
            m_fixedOffset = reference.offsetFromUtc();
        m_zoned = (m_spec == Qt::TimeZone || m_spec == Qt::LocalTime) && m_zone.isValid();
    }

    qint64 localMs(qint64 utcMs) { return utcMs + offsetAt(utcMs) * 1000LL; }

    // UTC instant of a local wall-clock time. A time that the clocks skip (DST gap) is read with
    // the offset in force before the gap, so it lands after the change by the gap's length; a
    // time that occurs twice takes the first (earlier) instant.
    qint64 toUtc(qint64 local)
    {
        if (m_rules) {
            const qint64 seconds = CivilDays::floorDiv(local, 1000);
            return m_rules->toUtc(seconds) * 1000 + (local - seconds * 1000);
        }
        if (!m_zoned)
            return local - m_fixedOffset * 1000LL;
        const qint64 guess = local - m_spanOffset * 1000LL;
        if (guess >= m_spanFrom + 2 * CivilDays::msPerDay &&
            guess < m_spanTo - 2 * CivilDays::msPerDay)
            return guess;
        const int before = offsetAt(local - CivilDays::msPerDay);
        const int after = offsetAt(local + CivilDays::msPerDay);
        const qint64 first = local - before * 1000LL;
        const qint64 second = local - after * 1000LL;
        const bool firstValid = offsetAt(first) == before;
        const bool secondValid = offsetAt(second) == after;
        qint64 result = first;
        if (firstValid && secondValid)
            result = std::min(first, second);
        else if (secondValid)
            result = second;
        offsetAt(result); // leaves the span around the result for the next call's fast path
        return result;
    }

    // The instant of the wall time `time` on `date`, read as toUtc reads it, made as the reference
    // was. Invalid only for an invalid date or time.
    QDateTime at(QDate date, QTime time)
    {
        if (!date.isValid() || !time.isValid())
            return {};
        const qint64 day = date.toJulianDay() - QDate(1970, 1, 1).toJulianDay();
        return make(toUtc(day * CivilDays::msPerDay + time.msecsSinceStartOfDay()));
    }

    // As at(), on the clock of `zone`: what every wall time typed, dropped or read without an
    // offset stands for.
    static QDateTime instant(QDate date, QTime time, const QTimeZone& zone)
    {
        WallClock clock(QDateTime::fromMSecsSinceEpoch(0, zone));
        return clock.at(date, time);
    }

    QDateTime make(qint64 utcMs) const
    {
        switch (m_spec) {
        case Qt::TimeZone:
            return QDateTime::fromMSecsSinceEpoch(utcMs, m_zone);
        case Qt::OffsetFromUTC:
            return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, m_fixedOffset);
        case Qt::LocalTime:
            return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
        case Qt::UTC:
            break;
        }
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    }

private:
    // Offset in seconds at a UTC instant; remembers the span around it in which the offset holds.
    int offsetAt(qint64 utcMs)
    {
        if (m_rules)
            return m_rules->offsetAt(CivilDays::floorDiv(utcMs, 1000));
        if (!m_zoned)
            return m_fixedOffset;
        if (utcMs >= m_spanFrom && utcMs < m_spanTo)
            return m_spanOffset;
        const qint64 year =
            CivilDays::civilFromDays(CivilDays::floorDiv(utcMs, CivilDays::msPerDay)).year;
        if (year != m_tableYear) {
            m_table = yearOffsets(m_zone, year);
            m_tableYear = year;
        }
        const auto& transitions = m_table->transitions;
        const auto next = std::upper_bound(
            transitions.begin(), transitions.end(), utcMs,
            [](qint64 value, const std::pair<qint64, int>& item) { return value < item.first; });
        m_spanFrom = next == transitions.begin() ? m_table->fromMs : std::prev(next)->first;
        m_spanOffset =
            next == transitions.begin() ? m_table->initialOffset : std::prev(next)->second;
        m_spanTo = next == transitions.end() ? m_table->toMs : next->first;
        return m_spanOffset;
    }

    Qt::TimeSpec m_spec;
    std::shared_ptr<const VTimeZoneRules> m_rules;
    QTimeZone m_zone;
    bool m_zoned = false;
    int m_fixedOffset = 0;
    std::shared_ptr<const YearOffsets> m_table;
    qint64 m_tableYear = std::numeric_limits<qint64>::min();
    qint64 m_spanFrom = 0;
    qint64 m_spanTo = 0;
    int m_spanOffset = 0;
};
