#include "WallClock.h"

#include "Limits.h"

#include <QHash>
#include <QMutex>

namespace {

class OffsetCache
{
public:
    std::shared_ptr<const WallClock::YearOffsets> year(const QTimeZone& zone, qint64 year)
    {
        const QByteArray key = zone.id() + '/' + QByteArray::number(year);
        {
            QMutexLocker lock(&m_mutex);
            const auto it = m_tables.constFind(key);
            if (it != m_tables.constEnd())
                return *it;
        }
        auto table = std::make_shared<WallClock::YearOffsets>();
        table->fromMs = (CivilDays::daysFromCivil(year, 1, 1) - 2) * CivilDays::msPerDay;
        table->toMs = (CivilDays::daysFromCivil(year + 1, 1, 1) + 2) * CivilDays::msPerDay;
        const QDateTime from = QDateTime::fromMSecsSinceEpoch(table->fromMs, Qt::UTC);
        const QDateTime to = QDateTime::fromMSecsSinceEpoch(table->toMs, Qt::UTC);
        table->initialOffset = zone.offsetFromUtc(from);
        for (const QTimeZone::OffsetData& data : zone.transitions(from, to)) {
            const qint64 at = data.atUtc.toMSecsSinceEpoch();
            if (at > table->fromMs && at < table->toMs)
                table->transitions.emplace_back(at, data.offsetFromUtc);
        }
        QMutexLocker lock(&m_mutex);
        // Zone ids and years come from stored data; the cache must not grow without bound.
        if (m_tables.size() > Limits::maxRecurrenceOffsetYearsCached)
            m_tables.clear();
        m_tables.insert(key, table);
        return table;
    }

private:
    QMutex m_mutex;
    QHash<QByteArray, std::shared_ptr<const WallClock::YearOffsets>> m_tables;
};

OffsetCache& offsetCache()
{
    static OffsetCache cache;
    return cache;
}

} // namespace

std::shared_ptr<const WallClock::YearOffsets> WallClock::yearOffsets(const QTimeZone& zone,
                                                                     qint64 year)
{
    return offsetCache().year(zone, year);
}
