#include "ViewPeriod.h"

#include "DateLanguage.h"

#include <QCoreApplication>

#include <algorithm>

namespace ViewPeriod {

QString normalizedMode(const QString& mode)
{
    if (mode == QLatin1String("agenda") || mode == QLatin1String("list"))
        return QStringLiteral("week");
    return mode;
}

QDate weekStart(const QDate& date, int firstDayOfWeek)
{
    if (!date.isValid())
        return date;
    const int first = firstDayOfWeek >= 1 && firstDayOfWeek <= 7 ? firstDayOfWeek : 1;
    return date.addDays(-((date.dayOfWeek() - first + 7) % 7));
}

QDate monthGridStart(const QDate& date, int firstDayOfWeek)
{
    if (!date.isValid())
        return date;
    return weekStart(QDate(date.year(), date.month(), 1), firstDayOfWeek);
}

int timelineDayCount(bool weekAligned, int horizon)
{
    return weekAligned ? 7 : std::max(2, horizon);
}

QDate timelineStart(bool weekAligned, const QDate& anchor, int firstDayOfWeek)
{
    return weekAligned ? weekStart(anchor, firstDayOfWeek) : anchor;
}

Range modeRange(const QString& mode, const QDate& date, int firstDayOfWeek, int horizon)
{
    if (mode == QLatin1String("day"))
        return {date, 1};
    if (mode == QLatin1String("week"))
        return {weekStart(date, firstDayOfWeek), 7};
    if (mode == QLatin1String("days"))
        return {date, std::max(2, horizon)};
    if (mode == QLatin1String("grid"))
        return {date, 8};
    if (mode == QLatin1String("month") || mode == QLatin1String("year"))
        return {monthGridStart(date, firstDayOfWeek), 42};
    return {date, 7};
}

QDate step(const QString& mode, const QDate& date, int direction, int horizon, bool ctrlHeld)
{
    if (mode == QLatin1String("year"))
        return date.addYears(direction);
    if (mode == QLatin1String("month"))
        return date.addMonths(direction);
    if (mode == QLatin1String("week"))
        return date.addDays(7 * direction);
    if (mode == QLatin1String("days"))
        return date.addDays((ctrlHeld || horizon < 2 ? 1 : horizon) * direction);
    if (mode == QLatin1String("grid"))
        return date.addDays((ctrlHeld ? 7 : 1) * direction);
    return date.addDays(direction);
}

QString rangeTitle(const QDate& from, const QDate& to)
{
    const QString end = from.month() == to.month()
                            ? DateLanguage::format(to, QStringLiteral("d, yyyy"))
                            : DateLanguage::format(to, QStringLiteral("MMM d, yyyy"));
    return DateLanguage::format(from, QStringLiteral("MMM d")) + QStringLiteral(" \u2013 ") + end;
}

QString dayTitle(const QDate& date, const QDate& today)
{
    const QString text = DateLanguage::format(date, QStringLiteral("dddd, MMMM d, yyyy"));
    if (date == today)
        return QCoreApplication::translate("ViewArea", "Today \u00b7 %1").arg(text);
    return text;
}

QStringList shorterTitles(const QString& mode, const QDate& date, const QDate& today)
{
    if (mode != QLatin1String("day") || !date.isValid())
        return {};
    const QString withYear = DateLanguage::format(date, QStringLiteral("ddd, MMM d, yyyy"));
    const QString withoutYear = DateLanguage::format(date, QStringLiteral("ddd, MMM d"));
    if (date != today)
        return {withYear, withoutYear};
    const auto todayPrefixed = [](const QString& text) {
        return QCoreApplication::translate("ViewArea", "Today \u00b7 %1").arg(text);
    };
    return {todayPrefixed(withYear), todayPrefixed(withoutYear), withoutYear};
}

QStringList shorterRangeTitles(const QString& mode, const QDate& date, const QDate& weekStartDate,
                               const QDate& daysStartDate, int horizon)
{
    QDate from;
    QDate to;
    if (mode == QLatin1String("week")) {
        from = weekStartDate;
        to = weekStartDate.addDays(6);
    } else if (mode == QLatin1String("days")) {
        from = daysStartDate;
        to = daysStartDate.addDays(std::max(horizon - 1, 1));
    } else if (mode == QLatin1String("grid")) {
        from = date;
        to = date.addDays(7);
    }
    if (!from.isValid() || from.year() != to.year())
        return {};
    const QString end = from.month() == to.month()
                            ? DateLanguage::format(to, QStringLiteral("d"))
                            : DateLanguage::format(to, QStringLiteral("MMM d"));
    return {DateLanguage::format(from, QStringLiteral("MMM d")) + QStringLiteral(" \u2013 ") + end};
}

QString title(const QString& mode, const QDate& date, const QDate& weekStartDate,
              const QDate& daysStartDate, int horizon, const QDate& today)
{
    if (mode == QLatin1String("year"))
        return date.toString(QStringLiteral("yyyy"));
    if (mode == QLatin1String("month"))
        return DateLanguage::format(date, QStringLiteral("MMMM yyyy"));
    if (mode == QLatin1String("week"))
        return rangeTitle(weekStartDate, weekStartDate.addDays(6));
    if (mode == QLatin1String("days"))
        return rangeTitle(daysStartDate, daysStartDate.addDays(std::max(horizon - 1, 1)));
    if (mode == QLatin1String("grid"))
        return rangeTitle(date, date.addDays(7));
    return dayTitle(date, today);
}

} // namespace ViewPeriod
