#include "StoreTime.h"

#include "Clock.h"

namespace {

// Reads `count` decimal digits at `pos`; -1 when any of them is not a digit.
int digits(QStringView text, qsizetype pos, int count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = text[pos + i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

void appendPadded(QString& out, int value, int width)
{
    char buffer[8];
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = char('0' + value % 10);
        value /= 10;
    }
    out.append(QLatin1StringView(buffer, width));
}

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
    if (!time.isValid())
        return {};
    const QDateTime utc = time.toUTC();
    const QDate date = utc.date();
    const QTime clock = utc.time();
    if (date.year() < 0 || date.year() > 9999)
        return utc.toString(Qt::ISODate);
    QString out;
    out.reserve(20);
    appendPadded(out, date.year(), 4);
    out.append(u'-');
    appendPadded(out, date.month(), 2);
    out.append(u'-');
    appendPadded(out, date.day(), 2);
    out.append(u'T');
    appendPadded(out, clock.hour(), 2);
    out.append(u':');
    appendPadded(out, clock.minute(), 2);
    out.append(u':');
    appendPadded(out, clock.second(), 2);
    out.append(u'Z');
    return out;
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
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0 || text[4] != u'-' || text[7] != u'-')
        return parseSlow(text);
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    if (text.size() == 10)
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (text.size() < 16 || (text[10] != u'T' && text[10] != u' ') || text[13] != u':')
        return parseSlow(text);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    int second = 0;
    qsizetype pos = 16;
    if (pos < text.size() && text[pos] == u':') {
        second = digits(text, 17, 2);
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
        const int offsetHours = digits(text, pos + 1, 2);
        qsizetype minutesPos = pos + 3;
        if (minutesPos < text.size() && text[minutesPos] == u':')
            ++minutesPos;
        const int offsetMinutes = minutesPos == text.size() ? 0 : digits(text, minutesPos, 2);
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
