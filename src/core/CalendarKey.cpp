#include "CalendarKey.h"

#include "AccountTypes.h"

#include <QCryptographicHash>
#include <QHash>
#include <QUrl>

namespace {

// One CalDAV collection reached through any preset is one calendar.
std::optional<QString> providerWord(const QString& accountType)
{
    if (!AccountTypes::isKnown(accountType))
        return std::nullopt;
    if (AccountTypes::isCalDavFamily(accountType))
        return QStringLiteral("caldav");
    return accountType;
}

QString normalisedCalDavUrl(const QString& lowered)
{
    const QUrl url(lowered, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return lowered;
    // Scheme, user, host and port are dropped: one collection reached through two host names is
    // one calendar.
    QString result = url.path(QUrl::FullyDecoded);
    if (url.hasQuery())
        result += QLatin1Char('?') + url.query(QUrl::PrettyDecoded);
    return result;
}

QString normalisedCloudUrl(QString working)
{
    if (working.startsWith(QLatin1String("orvandellic://")))
        working.remove(0, int(qstrlen("orvandellic://")));
    else if (working.startsWith(QLatin1String("local://")))
        working.remove(0, int(qstrlen("local://")));
    if (working.startsWith(QLatin1String("calendar/")))
        working.remove(0, int(qstrlen("calendar/")));
    if (working == QLatin1String("personal") ||
        working == QLatin1String("orvandellic-personal-default"))
        return QStringLiteral("orvandellic-personal-default");
    return working;
}

} // namespace

std::optional<QString> calendarKey(const QString& accountType, const QString& url)
{
    const std::optional<QString> provider = providerWord(accountType);
    if (!provider)
        return std::nullopt;

    QString working = url.toLower();
    if (*provider == QLatin1String("caldav"))
        working = normalisedCalDavUrl(working);
    else if (*provider == QLatin1String("orvandellic"))
        working = normalisedCloudUrl(working);

    while (working.endsWith(QLatin1Char('/')))
        working.chop(1);

    const QByteArray input = (*provider + QLatin1Char(':') + working).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(input, QCryptographicHash::Sha256).toHex());
}

QStringList calendarKeysOf(const QStringList& calendarIds, const QList<Calendar>& calendars)
{
    QHash<QString, QString> keyById;
    for (const Calendar& calendar : calendars) {
        if (!calendar.canonicalKey.isEmpty())
            keyById.insert(calendar.id, calendar.canonicalKey);
    }
    QStringList keys;
    for (const QString& id : calendarIds) {
        const auto found = keyById.constFind(id);
        if (found != keyById.constEnd())
            keys.append(found.value());
    }
    return keys;
}

std::pair<QStringList, QStringList> calendarKeysById(const QStringList& keys,
                                                     const QList<Calendar>& calendars)
{
    QHash<QString, QString> idByKey;
    for (const Calendar& calendar : calendars) {
        if (!calendar.canonicalKey.isEmpty())
            idByKey.insert(calendar.canonicalKey, calendar.id);
    }
    std::pair<QStringList, QStringList> result;
    for (const QString& key : keys) {
        const auto found = idByKey.constFind(key);
        if (found != idByKey.constEnd())
            result.first.append(found.value());
        else
            result.second.append(key);
    }
    return result;
}
