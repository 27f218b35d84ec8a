#include "RruleFormat.h"

#include "DateLanguage.h"
#include "RecurrenceRule.h"
#include "Weekday.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdlib>

namespace RruleFormat {

namespace {

QString separator()
{
    return QStringLiteral(" \u00B7 ");
}

} // namespace

QString describe(const QString& text)
{
    if (text.isEmpty())
        return {};
    const RecurrenceRule rule = RecurrenceRule::parse(text);
    const QString& freq = rule.freq;
    const int interval = rule.interval;

    QString summary;
    if (freq == QLatin1String("DAILY"))
        summary = interval == 1
                      ? QCoreApplication::translate("QObject", "Repeats daily")
                      : QCoreApplication::translate("QObject", "Every %1 days").arg(interval);
    else if (freq == QLatin1String("WEEKLY"))
        summary = interval == 1
                      ? QCoreApplication::translate("QObject", "Repeats weekly")
                      : QCoreApplication::translate("QObject", "Every %1 weeks").arg(interval);
    else if (freq == QLatin1String("MONTHLY"))
        summary = interval == 1
                      ? QCoreApplication::translate("QObject", "Repeats monthly")
                      : QCoreApplication::translate("QObject", "Every %1 months").arg(interval);
    else if (freq == QLatin1String("YEARLY"))
        summary = interval == 1
                      ? QCoreApplication::translate("QObject", "Repeats yearly")
                      : QCoreApplication::translate("QObject", "Every %1 years").arg(interval);
    else
        summary = QCoreApplication::translate("QObject", "Repeats");

    if (freq != QLatin1String("MONTHLY") && !rule.byDay.isEmpty()) {
        QStringList names;
        for (const QString& piece : rule.byDay) {
            const ByDayItem item = splitByDayItem(piece.trimmed());
            if (!item.code.isEmpty())
                names.append(weekdayNames(item.code));
        }
        if (!names.isEmpty())
            summary += separator() + names.join(QStringLiteral(", "));
    } else if (freq == QLatin1String("MONTHLY") && !rule.byDay.isEmpty()) {
        const ByDayItem item = splitByDayItem(rule.byDay.first().trimmed());
        if (item.position == 0)
            summary += separator() + weekdayNames(item.code);
        else
            summary += separator() + QCoreApplication::translate("QObject", "on the %1 %2")
                                         .arg(positionText(item.position), weekdayNames(item.code));
    } else if (freq == QLatin1String("MONTHLY") && !rule.byMonthDay.isEmpty()) {
        const int day = rule.byMonthDay.first();
        if (day >= 1)
            summary +=
                separator() + QCoreApplication::translate("QObject", "on the %1").arg(ordinal(day));
    }

    if (rule.hasCount) {
        if (rule.count >= 1)
            summary += separator() +
                       QCoreApplication::translate("QObject", "%n time(s)", nullptr, rule.count);
    } else if (rule.until.isValid())
        summary += separator() +
                   QCoreApplication::translate("QObject", "until %1")
                       .arg(DateLanguage::format(rule.until.date(), QStringLiteral("MMM d, yyyy")));
    return summary;
}

QString reminderText(int minutesBefore)
{
    // Plain locals: the translation tools do not read a division inside the call.
    const int days = minutesBefore / 1440;
    const int hours = minutesBefore / 60;
    if (minutesBefore < 1)
        return QCoreApplication::translate("QObject", "At time of event");
    if (minutesBefore < 60)
        return QCoreApplication::translate("QObject", "%n min before", nullptr, minutesBefore);
    if (minutesBefore < 1440)
        return QCoreApplication::translate("QObject", "%n hour(s) before", nullptr, hours);
    return QCoreApplication::translate("QObject", "%n day(s) before", nullptr, days);
}

QString ordinal(int number)
{
    if (number == 11 || number == 12 || number == 13)
        return QCoreApplication::translate("QObject", "%1th").arg(number);
    switch (number % 10) {
    case 1:
        return QCoreApplication::translate("QObject", "%1st").arg(number);
    case 2:
        return QCoreApplication::translate("QObject", "%1nd").arg(number);
    case 3:
        return QCoreApplication::translate("QObject", "%1rd").arg(number);
    default:
        return QCoreApplication::translate("QObject", "%1th").arg(number);
    }
}

QString positionText(int position)
{
    switch (position) {
    case 1:
        return QCoreApplication::translate("QObject", "first");
    case 2:
        return QCoreApplication::translate("QObject", "second");
    case 3:
        return QCoreApplication::translate("QObject", "third");
    case 4:
        return QCoreApplication::translate("QObject", "fourth");
    case 5:
        return QCoreApplication::translate("QObject", "fifth");
    case -1:
        return QCoreApplication::translate("QObject", "last");
    case -2:
        return QCoreApplication::translate("QObject", "second-to-last");
    default:
        break;
    }
    if (position >= 6)
        return ordinal(position);
    // In 64 bits, so that the smallest int has a magnitude too.
    return QCoreApplication::translate("QObject", "%1th-from-last")
        .arg(std::llabs(qint64(position)));
}

QString weekdayNames(const QString& code)
{
    const QString upper = code.toUpper();
    const int weekday = Weekday::fromCode(upper);
    if (weekday == 0)
        return upper;
    return QCoreApplication::translate("RruleFormat", Weekday::names[weekday - 1].abbreviation);
}

ByDayItem splitByDayItem(const QString& item)
{
    QString number;
    qsizetype i = 0;
    if (!item.isEmpty() && (item[0] == QLatin1Char('+') || item[0] == QLatin1Char('-'))) {
        number += item[0];
        i = 1;
    }
    while (i < item.size() && item[i] >= QLatin1Char('0') && item[i] <= QLatin1Char('9'))
        number += item[i++];
    ByDayItem result;
    result.position = number.isEmpty() ? 0 : number.toInt();
    result.code = item.mid(i).toUpper();
    return result;
}

} // namespace RruleFormat
