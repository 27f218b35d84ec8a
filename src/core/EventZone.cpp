#include "EventZone.h"

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

} // namespace EventZone
