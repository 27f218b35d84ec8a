#include "EventZone.h"

#include "Limits.h"
#include "VTimeZoneRules.h"

#include <QHash>
#include <QMutex>

namespace {

// IANA ids are short paths of letters, digits and "/_+-". Anything else (spaces, dots, "..")
// never reaches the zone database.
bool looksLikeIanaId(QStringView id)
{
    if (id.isEmpty() || id.size() > Limits::maxTimeZoneIdChars || id.front() == u'/' ||
        id.back() == u'/')
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                        (u >= u'0' && u <= u'9') || u == u'/' || u == u'_' || u == u'+' ||
                        u == u'-';
        if (!ok)
            return false;
    }
    return !id.contains(u"//");
}

// The platform reads a name it does not know ("Office") as a POSIX TZ rule without offset: a
// zone equal to UTC. Such a name is unknown unless it is one of UTC's own names.
bool isUnknownNameReadAsUtc(const QTimeZone& zone, const QByteArray& id)
{
    static const QByteArrayList utcNames = {
        "UTC",       "UCT",       "GMT",       "GMT0",          "GMT+0",         "GMT-0",
        "Greenwich", "Universal", "Zulu",      "Etc/UTC",       "Etc/UCT",       "Etc/GMT",
        "Etc/GMT0",  "Etc/GMT+0", "Etc/GMT-0", "Etc/Greenwich", "Etc/Universal", "Etc/Zulu"};
    if (utcNames.contains(id) || QTimeZone::isTimeZoneIdAvailable(id))
        return false;
    const QDateTime early(QDate(1900, 1, 1), QTime(0, 0), QTimeZone::utc());
    return zone.offsetFromUtc(early) == 0 && !zone.nextTransition(early).atUtc.isValid();
}

QTimeZone lookUp(QStringView id)
{
    if (!looksLikeIanaId(id))
        return {};
    const QByteArray latin1 = id.toLatin1();
    const QTimeZone zone(latin1);
    return zone.isValid() && !isUnknownNameReadAsUtc(zone, latin1) ? zone : QTimeZone();
}

} // namespace

namespace EventZone {

QTimeZone named(QStringView id)
{
    static QMutex mutex;
    static QHash<QString, QTimeZone> zones;
    const QString key = id.toString();
    {
        QMutexLocker lock(&mutex);
        const auto found = zones.constFind(key);
        if (found != zones.constEnd())
            return *found;
    }
    const QTimeZone zone = lookUp(id);
    QMutexLocker lock(&mutex);
    // Ids come from stored data and from servers; unknown ones are remembered too.
    if (zones.size() > Limits::maxRecurrenceZonesCached)
        zones.clear();
    zones.insert(key, zone);
    return zone;
}

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
    if (timezone.isEmpty() || timezone == QLatin1String("UTC"))
        return std::nullopt;
    const QTimeZone zone = named(timezone);
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
