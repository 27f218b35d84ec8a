#pragma once

#include <QDateTime>
#include <QTimeZone>

// The instants the tests name, written short.
namespace TestTime {

inline QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

// A wall-clock time in the machine's zone: what the user sees, whatever TZ the test runs in.
inline QDateTime local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second),
                     QTimeZone::systemTimeZone());
}

inline QDateTime inZone(const char* zone, int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

} // namespace TestTime
