#include "EventZone.h"

#include "Limits.h"
#include "VTimeZoneRules.h"

#include <QHash>
#include <QMutex>

namespace EventZone {

QString forNewEvents(const QTimeZone& system)
{
    const QByteArray id = system.id();
    // Qt's own offset ids ("UTC+05:30") are not zone names another client could look up.
    if (!system.isValid() || id.isEmpty() || id.startsWith("UTC") ||
        !QTimeZone::isTimeZoneIdAvailable(id))
        return QStringLiteral("UTC");
    const QString name = QString::fromLatin1(id);
    // "Etc/UTC" and its kin are UTC, which events name by that one word.
    return writingZone(name) ? name : QStringLiteral("UTC");
}

QString forNewEvents()
{
    return forNewEvents(QTimeZone::systemTimeZone());
}

std::optional<QTimeZone> writingZone(const QString& timezone)
{
    if (timezone.isEmpty() || timezone == QLatin1String("UTC") || timezone.contains(u':'))
        return std::nullopt;
    const QTimeZone zone(timezone.toUtf8());
    if (!zone.isValid())
        return std::nullopt;
    const QDateTime early(QDate(1900, 1, 1), QTime(0, 0), QTimeZone::utc());
    if (zone.offsetFromUtc(early) == 0 && !zone.nextTransition(early).atUtc.isValid())
        return std::nullopt;
    return zone;
}

std::shared_ptr<const VTimeZoneRules> definedZone(const QString& timezone)
{
    if (!timezone.startsWith(QLatin1String("BEGIN:VTIMEZONE"), Qt::CaseInsensitive))
        return nullptr;
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const VTimeZoneRules>> zones;
    QMutexLocker lock(&mutex);
    const auto found = zones.constFind(timezone);
    if (found != zones.constEnd())
        return *found;
    // Definitions come from stored data; the cache must not grow without bound.
    if (zones.size() > Limits::maxRecurrenceZonesCached)
        zones.clear();
    std::optional<VTimeZoneRules> rules = VTimeZoneRules::read(timezone);
    std::shared_ptr<const VTimeZoneRules> zone;
    if (rules && !rules->definition().isEmpty())
        zone = std::make_shared<const VTimeZoneRules>(std::move(*rules));
    zones.insert(timezone, zone);
    return zone;
}

} // namespace EventZone
