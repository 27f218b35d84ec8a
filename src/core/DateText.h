#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QTimeZone>

#include <optional>

// The fixed-width date texts, read and written by hand (the toolkit's parser is far too slow
// for feeds of many thousand events):
//   compact date       "yyyyMMdd"                  (iCalendar DATE, all-day recurrence ids)
//   compact date-time  "yyyyMMddTHHmmss[Z]"        (iCalendar DATE-TIME, recurrence ids)
//   stored instant     "yyyy-MM-ddTHH:mm:ssZ"      (the store's UTC form; text order is time order)
namespace DateText {

// The value of `count` decimal digits at `at`; -1 when the text ends first or one is not a digit.
inline int digits(QStringView text, qsizetype at, int count)
{
    if (at < 0 || at + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[at + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The fields of a compact text; always a real date in years 1 to 9999 and a real time of day.
struct Compact
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool hasTime = false; // false for "yyyyMMdd"
    bool utc = false;     // the date-time ends in "Z"

    QDate date() const { return QDate(year, month, day); }
    QTime time() const { return QTime(hour, minute, second); }
};

// Reads exactly "yyyyMMdd", "yyyyMMddTHHmmss" or "yyyyMMddTHHmmssZ"; nothing for anything else.
std::optional<Compact> readCompact(QStringView text);

// "yyyyMMdd" of the fields as given (years 0 to 9999).
QString compactDate(int year, int month, int day);

// "yyyyMMddTHHmmssZ" of the fields as given (years 0 to 9999).
QString compactUtc(int year, int month, int day, int hour, int minute, int second);

// "yyyyMMdd"; empty for an invalid date or one outside years 1 to 9999.
QString compactDate(QDate date);

// "yyyyMMddTHHmmssZ" of the time in UTC; empty for an invalid time or one outside years 1 to
// 9999.
QString compactUtc(const QDateTime& time);

// "yyyyMMddTHHmmss" of the time's wall clock in `zone`; empty for an invalid time or one
// outside years 1 to 9999.
QString compactLocal(const QDateTime& time, const QTimeZone& zone);

// "yyyy-MM-ddTHH:mm:ssZ" of the time in UTC, whole seconds; a null string for an invalid time.
// Years outside 0 to 9999 are written in the toolkit's ISO form.
QString storedUtc(const QDateTime& time);

} // namespace DateText
