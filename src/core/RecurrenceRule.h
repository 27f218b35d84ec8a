#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One RRULE value (RFC 5545) taken apart. Unreadable parts keep their defaults; the text as
// written is kept, so a rule can be written back with only its COUNT changed.
struct RecurrenceRule
{
    QString freq;          // FREQ, upper-cased; empty when the rule has none
    int interval = 1;      // never below 1
    int count = 0;         // 0: no COUNT
    QDateTime until;       // UTC; invalid: no UNTIL
    // The UNTIL is a date-time without "Z" (floating, as a series in floating time writes it):
    // `until` holds its digits as if they were UTC, and the expansion reads them on the series'
    // own wall clock.
    bool untilIsWallTime = false;
    QStringList byDay;     // upper-cased items as written: MO, 2TU, -1FR
    QList<int> byMonthDay; // 1..31 and -31..-1; other values are dropped
    QList<int> byMonth;    // 1..12
    QList<int> bySetPos;   // 1..366 and -366..-1
    int weekStart = 1;     // WKST as an ISO weekday, Monday 1
    bool hasCount = false; // a COUNT with a value was written, readable or not
    QString text;          // the value as written

    static RecurrenceRule parse(const QString& text);

    // The text with every COUNT part set to `count`; the other parts stay as written.
    QString withCount(int count) const;
};
