#include "TaskDetailsText.h"

#include "DateLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTime>

namespace TaskDetailsText {

QDate dayOf(const QDateTime& when, bool dateOnly)
{
    return dateOnly ? when.toUTC().date() : when.toLocalTime().date();
}

QString dayWord(const QDate& day, const QDate& today)
{
    if (day == today)
        return QCoreApplication::translate("QObject", "Today");
    if (day == today.addDays(1))
        return QCoreApplication::translate("QObject", "Tomorrow");
    if (day == today.addDays(-1))
        return QCoreApplication::translate("QObject", "Yesterday");
    return {};
}

QString relativeDay(const QDateTime& when, bool dateOnly, const QDate& today)
{
    const QDate day = dayOf(when, dateOnly);
    QString text = dayWord(day, today);
    if (text.isEmpty())
        text = DateLanguage::format(day, QStringLiteral("dddd, MMMM d, yyyy"));
    if (dateOnly)
        return text;
    const QTime time = when.toLocalTime().time();
    if (time == QTime(0, 0))
        return text;
    return text + QStringLiteral("  ·  ") + QLocale::c().toString(time, QStringLiteral("h:mm AP"));
}

QString priorityWord(int priority)
{
    if (priority <= 0)
        return {};
    if (priority <= 3)
        return QCoreApplication::translate("QObject", "High");
    if (priority <= 6)
        return QCoreApplication::translate("QObject", "Medium");
    return QCoreApplication::translate("QObject", "Low");
}

QString priorityColor(int priority)
{
    if (priority <= 0)
        return {};
    if (priority <= 3)
        return QStringLiteral("#ef4444");
    if (priority <= 6)
        return QStringLiteral("#f59e0b");
    return QStringLiteral("#3b82f6");
}

} // namespace TaskDetailsText
