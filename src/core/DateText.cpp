#include "DateText.h"

namespace {

void putDigits(char16_t* out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
}

QString fromBuffer(const char16_t* text, qsizetype size)
{
    return QString(reinterpret_cast<const QChar*>(text), size);
}

bool inWritableYears(QDate date)
{
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

} // namespace

namespace DateText {

std::optional<Compact> readCompact(QStringView text)
{
    const qsizetype size = text.size();
    if (size != 8 && size != 15 && size != 16)
        return std::nullopt;
    Compact fields;
    fields.year = digits(text, 0, 4);
    fields.month = digits(text, 4, 2);
    fields.day = digits(text, 6, 2);
    if (fields.year < 1 || !QDate::isValid(fields.year, fields.month, fields.day))
        return std::nullopt;
    if (size == 8)
        return fields;
    if (text[8] != u'T' || (size == 16 && text[15] != u'Z'))
        return std::nullopt;
    fields.hasTime = true;
    fields.utc = size == 16;
    fields.hour = digits(text, 9, 2);
    fields.minute = digits(text, 11, 2);
    fields.second = digits(text, 13, 2);
    if (!QTime::isValid(fields.hour, fields.minute, fields.second))
        return std::nullopt;
    return fields;
}

QString compactDate(int year, int month, int day)
{
    char16_t text[8];
    putDigits(text, year, 4);
    putDigits(text + 4, month, 2);
    putDigits(text + 6, day, 2);
    return fromBuffer(text, 8);
}

QString compactUtc(int year, int month, int day, int hour, int minute, int second)
{
    char16_t text[16];
    putDigits(text, year, 4);
    putDigits(text + 4, month, 2);
    putDigits(text + 6, day, 2);
    text[8] = u'T';
    putDigits(text + 9, hour, 2);
    putDigits(text + 11, minute, 2);
    putDigits(text + 13, second, 2);
    text[15] = u'Z';
    return fromBuffer(text, 16);
}

QString compactDate(QDate date)
{
    if (!inWritableYears(date))
        return {};
    return compactDate(date.year(), date.month(), date.day());
}

QString compactLocal(const QDateTime& time, const QTimeZone& zone)
{
    if (!time.isValid() || !zone.isValid())
        return {};
    const QDateTime local = time.toTimeZone(zone);
    const QDate date = local.date();
    const QTime clock = local.time();
    if (!inWritableYears(date))
        return {};
    QString text = compactUtc(date.year(), date.month(), date.day(), clock.hour(), clock.minute(),
                              clock.second());
    text.chop(1);
    return text;
}

QString compactUtc(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    const QDateTime utc = time.toUTC();
    const QDate date = utc.date();
    const QTime clock = utc.time();
    if (!inWritableYears(date))
        return {};
    return compactUtc(date.year(), date.month(), date.day(), clock.hour(), clock.minute(),
                      clock.second());
}

QString storedUtc(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    const QDateTime utc = time.toUTC();
    const QDate date = utc.date();
    const QTime clock = utc.time();
    if (date.year() < 0 || date.year() > 9999)
        return utc.toString(Qt::ISODate);
    char16_t text[20];
    putDigits(text, date.year(), 4);
    text[4] = u'-';
    putDigits(text + 5, date.month(), 2);
    text[7] = u'-';
    putDigits(text + 8, date.day(), 2);
    text[10] = u'T';
    putDigits(text + 11, clock.hour(), 2);
    text[13] = u':';
    putDigits(text + 14, clock.minute(), 2);
    text[16] = u':';
    putDigits(text + 17, clock.second(), 2);
    text[19] = u'Z';
    return fromBuffer(text, 20);
}

} // namespace DateText
