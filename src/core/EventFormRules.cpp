#include "EventFormRules.h"

#include <QHash>

#include <algorithm>

namespace EventFormRules {

QDateTime defaultStart(const QDateTime& now)
{
    QDateTime start = now;
    start.setTime(QTime(now.time().hour(), now.time().minute()));
    const int minute = start.time().minute();
    if (minute == 0 || minute == 30)
        return start;
    if (minute < 30)
        return start.addSecs(qint64(30 - minute) * 60);
    return start.addSecs(qint64(60 - minute) * 60);
}

QList<CalendarOption> calendarOptions(const QList<Calendar>& calendars,
                                      const QList<Account>& accounts, const QString& ownCalendarId)
{
    QHash<QString, QString> accountNames;
    for (const Account& account : accounts)
        accountNames.insert(account.id, account.name);
    QList<CalendarOption> options;
    for (const Calendar& calendar : calendars) {
        const bool own = !ownCalendarId.isEmpty() && calendar.id == ownCalendarId;
        if (!own && (!calendar.isVisible || calendar.isReadOnly))
            continue;
        const QString accountName = accountNames.value(calendar.accountId);
        CalendarOption option;
        option.id = calendar.id;
        option.label = accountName.isEmpty()
                           ? calendar.name
                           : QStringLiteral("%1 / %2").arg(accountName, calendar.name);
        option.color = calendar.color;
        option.isDefault = calendar.isDefault;
        option.isReadOnly = calendar.isReadOnly;
        options.append(option);
    }
    std::sort(options.begin(), options.end(),
              [](const CalendarOption& left, const CalendarOption& right) {
                  return QString::localeAwareCompare(left.label, right.label) < 0;
              });
    return options;
}

int preselectedIndex(const QList<CalendarOption>& options, const QString& preferredId)
{
    if (options.isEmpty())
        return -1;
    if (!preferredId.isEmpty()) {
        for (qsizetype i = 0; i < options.size(); ++i) {
            if (options.at(i).id == preferredId)
                return int(i);
        }
    }
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (options.at(i).isDefault)
            return int(i);
    }
    return 0;
}

QDateTime endKeepingLength(const QDateTime& start, const QDateTime& lengthStart,
                           const QDateTime& lengthEnd, bool allDay)
{
    if (!start.isValid() || !lengthStart.isValid() || !lengthEnd.isValid())
        return {};
    if (allDay) {
        const qint64 days = std::max<qint64>(0, lengthStart.date().daysTo(lengthEnd.date()));
        QDateTime end = start;
        end.setDate(start.date().addDays(days));
        return end;
    }
    return start.addSecs(std::max<qint64>(0, lengthStart.secsTo(lengthEnd)));
}

Range allDayRange(const QDate& firstDay, const QDate& lastDay)
{
    return {QDateTime(firstDay, QTime(0, 0), Qt::UTC),
            QDateTime(lastDay.addDays(1), QTime(0, 0), Qt::UTC)};
}

QDate allDayFirstDay(const QDateTime& start)
{
    return start.toUTC().date();
}

QDate allDayLastDay(const QDateTime& start, const QDateTime& end)
{
    const QDate first = start.toUTC().date();
    const QDate last = end.toUTC().date();
    return last > first ? last.addDays(-1) : last;
}

QDate lastDayWhenAllDay(const QDateTime& start, const QDateTime& end)
{
    const QDate first = start.date();
    const QDate last =
        end.time() == QTime(0, 0) && end.date() > first ? end.date().addDays(-1) : end.date();
    return std::max(first, last);
}

QDateTime timedEndOnLastDay(const QDate& lastDay, const QTime& endTime)
{
    if (endTime == QTime(0, 0))
        return QDateTime(lastDay.addDays(1), endTime);
    return QDateTime(lastDay, endTime);
}

} // namespace EventFormRules
