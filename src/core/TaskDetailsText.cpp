#include "TaskDetailsText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTime>

namespace TaskDetailsText {

QDate dayOf(const QDateTime& when, bool dateOnly)
{
    return dateOnly ? when.toUTC().date() : when.toLocalTime().date();
}

QString relativeDay(const QDateTime& when, bool dateOnly, const QDate& today)
{
    const QDate day = dayOf(when, dateOnly);
    QString text;
    if (day == today)
        text = QCoreApplication::translate("", "Today");
    else if (day == today.addDays(1))
        text = QCoreApplication::translate("", "Tomorrow");
    else if (day == today.addDays(-1))
        text = QCoreApplication::translate("", "Yesterday");
    else
        text = QLocale::c().toString(day, QStringLiteral("dddd, MMMM d, yyyy"));
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
        return QCoreApplication::translate("", "High");
    if (priority <= 6)
        return QCoreApplication::translate("", "Medium");
    return QCoreApplication::translate("", "Low");
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
