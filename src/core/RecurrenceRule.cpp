#include "RecurrenceRule.h"

#include "DateText.h"
#include "Weekday.h"

#include <tuple>
#include <utility>

namespace {

QList<int> readNumberList(QStringView value, int low, int high)
{
    QList<int> numbers;
    for (const QStringView piece : value.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = piece.toInt(&ok);
        if (ok && number != 0 && number >= low && number <= high)
            numbers.append(number);
    }
    return numbers;
}

// UNTIL as a compact date-time (its digits as UTC, with or without its "Z") or a compact date
// (00:00 UTC of that date); whether it is a date-time without "Z".
std::pair<QDateTime, bool> readUntil(QStringView value)
{
    const std::optional<DateText::Compact> read = DateText::readCompact(value);
    if (!read)
        return {};
    return {QDateTime(read->date(), read->time(), Qt::UTC), read->hasTime && !read->utc};
}

} // namespace

RecurrenceRule RecurrenceRule::parse(const QString& text)
{
    RecurrenceRule rule;
    rule.text = text;
    for (const QStringView piece : QStringView(text).split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = piece.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = piece.left(equals).toString().toUpper();
        const QStringView value = piece.mid(equals + 1);
        bool ok = false;
        if (key == u"FREQ") {
            rule.freq = value.toString().toUpper();
        } else if (key == u"INTERVAL") {
            const int interval = value.toInt(&ok);
            rule.interval = ok && interval >= 1 ? interval : 1;
        } else if (key == u"COUNT") {
            const int count = value.toInt(&ok);
            rule.count = ok && count >= 0 ? count : 0;
            rule.hasCount = !value.isEmpty();
        } else if (key == u"UNTIL") {
            std::tie(rule.until, rule.untilIsWallTime) = readUntil(value);
        } else if (key == u"BYDAY") {
            rule.byDay = value.toString().toUpper().split(u',', Qt::SkipEmptyParts);
        } else if (key == u"BYMONTHDAY") {
            rule.byMonthDay = readNumberList(value, -31, 31);
        } else if (key == u"BYMONTH") {
            rule.byMonth = readNumberList(value, 1, 12);
        } else if (key == u"BYSETPOS") {
            rule.bySetPos = readNumberList(value, -366, 366);
        } else if (key == u"WKST") {
            const int weekday = Weekday::fromCode(value.toString().toUpper());
            if (weekday != 0)
                rule.weekStart = weekday;
        }
    }
    return rule;
}

QString RecurrenceRule::withCount(int count) const
{
    QStringList parts = text.split(u';');
    for (QString& part : parts) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals > 0 && part.left(equals).toUpper() == u"COUNT")
            part = part.left(equals + 1) + QString::number(count);
    }
    return parts.join(u';');
}
