#include "CalendarLocation.h"

namespace CalendarLocation {

QUrl parentCollection(const QUrl& url)
{
    if (!url.isValid())
        return {};
    QString path = url.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    path.truncate(path.lastIndexOf(QLatin1Char('/')) + 1);
    QUrl parent = url;
    parent.setPath(path.isEmpty() ? QStringLiteral("/") : path);
    return parent;
}

QString baseForNewCalendar(const Account& account, const QList<Calendar>& calendars)
{
    if (!account.calendarHomeSet.isEmpty())
        return account.calendarHomeSet;
    for (const Calendar& calendar : calendars) {
        const QUrl url(calendar.url);
        if (url.isValid() && !url.scheme().isEmpty())
            return parentCollection(url).toString();
    }
    return account.serverUrl;
}

QUrl childCollection(const QString& base, const QString& segment)
{
    QUrl url(base);
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + segment + QLatin1Char('/'));
    return url;
}

} // namespace CalendarLocation
