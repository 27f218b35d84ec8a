#pragma once

#include "Event.h"
#include "WallClock.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

// How a change of a series moves its starts: by whole days and a change of the time of day, both
// on the series' own wall clock (Recurrence::wallClockOf). Each occurrence lands on its own day
// moved, at the moved series' wall time, turned into an instant as the expansion turns it: on the
// night the clocks go forward a wall time they skip lies the gap's length later, on the night
// they go back a repeated one is the earlier instant. A daily 02:30 series moved to 01:30 is at
// 01:30 on both nights, here as in every other reader, and so are its exception dates, the
// recurrence ids of its changed occurrences and its UNTIL.
class SeriesMove
{
public:
    // A wall time on the clock of `zone`: the date and the time of day a form or a row of a
    // timeline shows, which an instant cannot name where the clocks skip it.
    struct WallTime
    {
        QDate date;
        QTime time;
        QTimeZone zone;
    };

    // No move.
    SeriesMove() = default;

    // The move that takes the occurrence of `series` starting at `from` to `to`. `from` is read
    // as the series' own time of day where the clocks moved that occurrence off it, and `to` as
    // that time of day where the clocks moved it off that, or where it reads the time `from` was
    // shown at (a move by whole days: a Sunday 02:30 shown at 03:30 on the spring night and
    // taken to Monday 03:30 is on Mondays at 02:30).
    static SeriesMove of(const Event& series, const QDateTime& from, const QDateTime& to);
    // The same, to the wall time `to`: on the series' own clock the series takes that time of
    // day even where the clocks skip it on the target's day; on another clock, the instant it
    // stands for there. No move for an invalid `to`.
    static SeriesMove of(const Event& series, const QDateTime& from, const WallTime& to);

    // The same move, made to take the series' own start to a wall time its clock has. A start
    // moved into the hour the clocks skip is stored as the instant after the gap, and the series
    // then repeats at the time that instant reads: the move takes every other start there too.
    SeriesMove settledFor(const Event& series) const;
    // Where settledFor takes the series' own start, when that is not the wall time the move
    // asked for (the clocks skip it that day): the start it then has. Nothing otherwise.
    std::optional<QDateTime> settledStart(const Event& series) const;

    bool none() const { return m_days == 0 && m_wallMs == 0; }
    int days() const { return m_days; }
    bool changesTimeOfDay() const { return m_wallMs != 0; }
    // The zone whose wall clock the move counts on (UTC for an all-day series).
    QTimeZone zone() const { return m_zone; }

    // A start of the series (an occurrence, an exception date, a recurrence id, an UNTIL) moved:
    // days, then the time of day. In the representation `at` was given in.
    QDateTime operator()(const QDateTime& at) const;
    // The days alone, for an override's own times: they keep their time of day, as they read.
    QDateTime byDays(const QDateTime& at) const;
    // The time of day alone, for an UNTIL whose days moved with the rule's own days.
    QDateTime byTimeOfDay(const QDateTime& at) const;

private:
    // A reading of the wall clock: days since 1970-01-01 and milliseconds into the day.
    struct Wall
    {
        qint64 day = 0;
        qint64 ms = 0;
        bool operator==(const Wall&) const = default;
    };

    // The wall time `utcMs` reads. As a start of the series, an instant the clocks moved off the
    // series' time of day (the hour after a skipped one) reads as that time of day.
    Wall wallOf(qint64 utcMs, bool asStart) const;
    qint64 instantOf(const Wall& wall) const;
    QDateTime moved(const QDateTime& at, int days, qint64 wallMs, bool asStart) const;
    // The move on the series' clock with no days or time yet.
    static SeriesMove onClockOf(const Event& series);
    // Takes the move from the occurrence at `from` to `target`, both read on the series' clock.
    void take(const QDateTime& from, const Wall& start, Wall target);

    std::optional<WallClock> m_clock;
    QTimeZone m_zone = QTimeZone::utc();
    qint64 m_timeOfDay = -1; // the series' wall time of day, in ms, which its starts stand for
    int m_days = 0;
    qint64 m_wallMs = 0;
};
