#include "RruleFormat.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QStringList>

#include <cstdlib>

namespace RruleFormat {

namespace {

QString separator()
{
    return QStringLiteral(" \u00B7 ");
}

QStringList items(const QString& list)
{
    return list.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// "yyyyMMdd" read by hand: exactly eight digits forming a real date.
QDate readDate(const QString& text)
{
    if (text.size() != 8)
        return {};
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
    }
    return QDate(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
}

} // namespace

QString describe(const QString& rule)
{
    if (rule.isEmpty())
        return {};
    QHash<QString, QString> values;
    for (const QString& piece : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = piece.left(equals).toUpper();
        const QString value = piece.mid(equals + 1);
        if (key == QLatin1String("FREQ"))
            values.insert(key, value.toUpper());
        else if (key == QLatin1String("INTERVAL") || key == QLatin1String("BYDAY") ||
                 key == QLatin1String("BYMONTHDAY") || key == QLatin1String("COUNT") ||
                 key == QLatin1String("UNTIL"))
            values.insert(key, value);
    }
    const QString freq = values.value(QStringLiteral("FREQ"));
    bool ok = false;
    int interval = values.value(QStringLiteral("INTERVAL")).toInt(&ok);
    if (!ok || interval < 1)
        interval = 1;

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

    const QString byDay = values.value(QStringLiteral("BYDAY"));
    const QString byMonthDay = values.value(QStringLiteral("BYMONTHDAY"));
    if (freq != QLatin1String("MONTHLY") && !byDay.isEmpty()) {
        QStringList names;
        for (const QString& piece : items(byDay)) {
            const ByDayItem item = splitByDayItem(piece.trimmed());
            if (!item.code.isEmpty())
                names.append(weekdayNames(item.code));
        }
        if (!names.isEmpty())
            summary += separator() + names.join(QStringLiteral(", "));
    } else if (freq == QLatin1String("MONTHLY") && !byDay.isEmpty()) {
        const QStringList list = items(byDay);
        if (!list.isEmpty()) {
            const ByDayItem item = splitByDayItem(list.first().trimmed());
            if (item.position == 0)
                summary += separator() + weekdayNames(item.code);
            else
                summary +=
                    separator() + QCoreApplication::translate("QObject", "on the %1 %2")
                                      .arg(positionText(item.position), weekdayNames(item.code));
        }
    } else if (freq == QLatin1String("MONTHLY") && !byMonthDay.isEmpty()) {
        const QStringList list = items(byMonthDay);
        if (!list.isEmpty()) {
            const int day = list.first().toInt(&ok);
            if (ok && day >= 1)
                summary += separator() +
                           QCoreApplication::translate("QObject", "on the %1").arg(ordinal(day));
        }
    }

    const QString count = values.value(QStringLiteral("COUNT"));
    const QString until = values.value(QStringLiteral("UNTIL"));
    if (!count.isEmpty()) {
        const int times = count.toInt(&ok);
        if (ok && times >= 1)
            summary +=
                separator() + QCoreApplication::translate("QObject", "%n time(s)", nullptr, times);
    } else if (!until.isEmpty()) {
        const qsizetype t = until.indexOf(QLatin1Char('T'));
        const QDate date = readDate(t > 0 ? until.left(t) : until);
        if (date.isValid())
            summary += separator() + QCoreApplication::translate("QObject", "until %1")
                                         .arg(date.toString(QStringLiteral("MMM d, yyyy")));
    }
    return summary;
}

QString reminderText(int minutesBefore)
{
    if (minutesBefore < 1)
        return QCoreApplication::translate("QObject", "At time of event");
    if (minutesBefore < 60)
        return QCoreApplication::translate("QObject", "%1 min before").arg(minutesBefore);
    if (minutesBefore < 1440)
        return QCoreApplication::translate("QObject", "%1 hour(s) before").arg(minutesBefore / 60);
    return QCoreApplication::translate("QObject", "%1 day(s) before").arg(minutesBefore / 1440);
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
    static const QHash<QString, const char*> names = {
        {QStringLiteral("MO"), QT_TRANSLATE_NOOP("RruleFormat", "Mon")},
        {QStringLiteral("TU"), QT_TRANSLATE_NOOP("RruleFormat", "Tue")},
        {QStringLiteral("WE"), QT_TRANSLATE_NOOP("RruleFormat", "Wed")},
        {QStringLiteral("TH"), QT_TRANSLATE_NOOP("RruleFormat", "Thu")},
        {QStringLiteral("FR"), QT_TRANSLATE_NOOP("RruleFormat", "Fri")},
        {QStringLiteral("SA"), QT_TRANSLATE_NOOP("RruleFormat", "Sat")},
        {QStringLiteral("SU"), QT_TRANSLATE_NOOP("RruleFormat", "Sun")}};
    const QString upper = code.toUpper();
    const auto it = names.constFind(upper);
    if (it == names.cend())
        return upper;
    return QCoreApplication::translate("RruleFormat", *it);
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
