#include "StoreTime.h"

#include "Clock.h"
#include "DateText.h"

namespace {

// The toolkit's parser, for the rarer forms the fast path does not take.
QDateTime parseSlow(QStringView text)
{
    QString normalised = text.toString();
    if (normalised.size() > 10 && normalised[10] == u' ')
        normalised[10] = u'T';
    const QDateTime parsed = QDateTime::fromString(normalised, Qt::ISODate);
    if (!parsed.isValid())
        return {};
    if (parsed.timeSpec() == Qt::LocalTime)
        return QDateTime(parsed.date(), parsed.time(), Qt::UTC);
    return parsed;
}

} // namespace

namespace StoreTime {

QString toText(const QDateTime& time)
{
    return DateText::storedUtc(time);
}

QVariant bindValue(const QDateTime& time)
{
    if (!time.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return toText(time);
}

QVariant bindValue(const std::optional<QDateTime>& time)
{
    if (!time)
        return QVariant(QMetaType::fromType<QString>());
    return bindValue(*time);
}

QDateTime parse(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return {};
    const int year = DateText::digits(text, 0, 4);
    const int month = DateText::digits(text, 5, 2);
    const int day = DateText::digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0 || text[4] != u'-' || text[7] != u'-')
        return parseSlow(text);
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    if (text.size() == 10)
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (text.size() < 16 || (text[10] != u'T' && text[10] != u' ') || text[13] != u':')
        return parseSlow(text);
    const int hour = DateText::digits(text, 11, 2);
    const int minute = DateText::digits(text, 14, 2);
    int second = 0;
    qsizetype pos = 16;
    if (pos < text.size() && text[pos] == u':') {
        second = DateText::digits(text, 17, 2);
        pos = 19;
    }
    if (hour < 0 || minute < 0 || second < 0)
        return parseSlow(text);
    int millisecond = 0;
    if (pos < text.size() && (text[pos] == u'.' || text[pos] == u',')) {
        ++pos;
        int scale = 100;
        while (pos < text.size() && text[pos].isDigit()) {
            millisecond += (text[pos].unicode() - u'0') * scale;
            scale /= 10;
            ++pos;
        }
    }
    const QTime time(hour, minute, second, millisecond);
    if (!time.isValid())
        return parseSlow(text);
    if (pos == text.size())
        return QDateTime(date, time, Qt::UTC);
    if (text[pos] == u'Z' && pos + 1 == text.size())
        return QDateTime(date, time, Qt::UTC);
    if (text[pos] == u'+' || text[pos] == u'-') {
        const int sign = text[pos] == u'+' ? 1 : -1;
        const int offsetHours = DateText::digits(text, pos + 1, 2);
        qsizetype minutesPos = pos + 3;
        if (minutesPos < text.size() && text[minutesPos] == u':')
            ++minutesPos;
        const int offsetMinutes =
            minutesPos == text.size() ? 0 : DateText::digits(text, minutesPos, 2);
        const bool ends = minutesPos == text.size() || minutesPos + 2 == text.size();
        if (offsetHours < 0 || offsetMinutes < 0 || !ends)
            return parseSlow(text);
        return QDateTime(date, time, Qt::OffsetFromUTC,
                         sign * (offsetHours * 3600 + offsetMinutes * 60));
    }
    return parseSlow(text);
}

QDateTime readTimestamp(const QVariant& value)
{
    if (value.isNull())
        return {};
    return parse(value.toString());
}

std::optional<QDateTime> readOptional(const QVariant& value)
{
    const QString text = value.toString();
    if (text.isEmpty())
        return std::nullopt;
    return parse(text);
}

QDateTime now()
{
    const QDateTime instant = Clock::now().toUTC();
    return instant.addMSecs(-instant.time().msec());
}

} // namespace StoreTime
