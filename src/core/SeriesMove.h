#pragma once

#include "Event.h"

#include <QDateTime>
#include <QTime>
#include <QTimeZone>

// How a change of a series moves its starts: by whole days and a change of the time of day, both
// on the series' own wall clock. Each occurrence lands on its own day moved, at the moved series'
// wall time, whatever the clocks do in between: a daily 01:00 series moved to 04:00 is at 04:00
// on the night the clocks go forward too, here as in every other reader.
class SeriesMove
{
public:
    // No move.
    SeriesMove() = default;

    // The move that takes the occurrence of `series` starting at `from` to `to`.
    static SeriesMove of(const Event& series, const QDateTime& from, const QDateTime& to);

    bool none() const { return m_days == 0 && m_wallSeconds == 0; }
    int days() const { return m_days; }
    bool changesTimeOfDay() const { return m_wallSeconds != 0; }
    const QTimeZone& clock() const { return m_clock; }

    // The start of an occurrence (or an exception date, a recurrence id) moved: days, then the
    // time of day. In the representation `at` was given in.
    QDateTime operator()(const QDateTime& at) const;
    // The days alone, for an override's own times: they keep their hour of the day.
    QDateTime byDays(const QDateTime& at) const;
    // The time of day alone, for an UNTIL whose days moved with the rule's own days.
    QDateTime byTimeOfDay(const QDateTime& at) const;

private:
    QDateTime moved(const QDateTime& at, int days, qint64 wallSeconds) const;

    QTimeZone m_clock = QTimeZone::utc();
    QTime m_from; // the series' wall time before the move, which a start in a gap stands for
    int m_days = 0;
    qint64 m_wallSeconds = 0;
};
