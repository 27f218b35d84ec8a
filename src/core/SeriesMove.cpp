#include "SeriesMove.h"

#include "CivilDays.h"
#include "Recurrence.h"

namespace {

using CivilDays::floorDiv;
using CivilDays::msPerDay;

// The instant in the representation `as` was given in (the store writes each as it is).
QDateTime like(qint64 utcMs, const QDateTime& as)
{
    switch (as.timeSpec()) {
    case Qt::UTC:
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    case Qt::LocalTime:
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
    case Qt::OffsetFromUTC:
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, as.offsetFromUtc());
    case Qt::TimeZone:
        break;
    }
    return QDateTime::fromMSecsSinceEpoch(utcMs, as.timeZone());
}

} // namespace

SeriesMove SeriesMove::onClockOf(const Event& series)
{
    SeriesMove move;
    move.m_clock = Recurrence::wallClockOf(series);
    const QDateTime anchor = Recurrence::wallClockStart(series);
    if (anchor.timeSpec() == Qt::TimeZone)
        move.m_zone = anchor.timeZone();
    else if (anchor.timeSpec() == Qt::LocalTime)
        move.m_zone = QTimeZone::systemTimeZone();
    if (series.startTime.isValid()) {
        const qint64 local = move.m_clock->localMs(series.startTime.toMSecsSinceEpoch());
        move.m_timeOfDay = local - floorDiv(local, msPerDay) * msPerDay;
    }
    return move;
}

void SeriesMove::take(const QDateTime& from, const Wall& start, Wall target)
{
    // An occurrence the clocks moved off the series' time of day (shown at the hour after the
    // one they skip) taken by whole days only reaches the time it was shown at: it keeps the
    // series' time of day.
    if (target.ms == wallOf(from.toMSecsSinceEpoch(), false).ms)
        target.ms = start.ms;
    m_days = int(target.day - start.day);
    m_wallMs = target.ms - start.ms;
}

SeriesMove SeriesMove::of(const Event& series, const QDateTime& from, const QDateTime& to)
{
    if (!from.isValid() || !to.isValid())
        return {};
    SeriesMove move = onClockOf(series);
    const Wall start = move.wallOf(from.toMSecsSinceEpoch(), true);
    // The starts moved are those of the series `from` belongs to, at its time of day. A target the
    // clocks moved off that time of day (dropped a day later onto the hour they skip) stands for
    // it too: the move is by whole days.
    move.m_timeOfDay = start.ms;
    move.take(from, start, move.wallOf(to.toMSecsSinceEpoch(), true));
    return move;
}

SeriesMove SeriesMove::of(const Event& series, const QDateTime& from, const WallTime& to)
{
    if (!from.isValid() || !to.date.isValid() || !to.time.isValid() || !to.zone.isValid())
        return {};
    const qint64 day = to.date.toJulianDay() - QDate(1970, 1, 1).toJulianDay();
    const qint64 wall = day * msPerDay + to.time.msecsSinceStartOfDay();
    SeriesMove move = onClockOf(series);
    if (move.m_zone != to.zone || !move.m_zone.isValid()) {
        // Another clock: the instant the wall time stands for there.
        WallClock clock(QDateTime::fromMSecsSinceEpoch(0, to.zone));
        return of(series, from, clock.make(clock.toUtc(wall)));
    }
    const Wall start = move.wallOf(from.toMSecsSinceEpoch(), true);
    move.m_timeOfDay = start.ms;
    move.take(from, start, {day, wall - day * msPerDay});
    return move;
}

SeriesMove SeriesMove::settledFor(const Event& series) const
{
    if (none() || !m_clock || !series.startTime.isValid())
        return *this;
    const Wall start = wallOf(series.startTime.toMSecsSinceEpoch(), true);
    const Wall target{start.day + m_days, start.ms + m_wallMs};
    const Wall lands = wallOf(instantOf(target), false);
    const Wall wanted{target.day + floorDiv(target.ms, msPerDay),
                      target.ms - floorDiv(target.ms, msPerDay) * msPerDay};
    if (lands == wanted)
        return *this;
    SeriesMove settled = *this;
    settled.m_days = int(lands.day - start.day);
    settled.m_wallMs = lands.ms - start.ms;
    return settled;
}

std::optional<QDateTime> SeriesMove::settledStart(const Event& series) const
{
    const SeriesMove settled = settledFor(series);
    if (settled.m_days == m_days && settled.m_wallMs == m_wallMs)
        return std::nullopt;
    return settled(series.startTime);
}

SeriesMove::Wall SeriesMove::wallOf(qint64 utcMs, bool asStart) const
{
    WallClock clock = *m_clock;
    const qint64 local = clock.localMs(utcMs);
    const Wall read{floorDiv(local, msPerDay), local - floorDiv(local, msPerDay) * msPerDay};
    if (!asStart || m_timeOfDay < 0 || read.ms == m_timeOfDay)
        return read;
    // A start the clocks moved off the series' time of day still stands for that time, on its
    // own day (or the day before, for a gap just after midnight).
    for (const qint64 day : {read.day, read.day - 1}) {
        if (clock.toUtc(day * msPerDay + m_timeOfDay) == utcMs)
            return {day, m_timeOfDay};
    }
    return read;
}

qint64 SeriesMove::instantOf(const Wall& wall) const
{
    WallClock clock = *m_clock;
    return clock.toUtc(wall.day * msPerDay + wall.ms);
}

QDateTime SeriesMove::moved(const QDateTime& at, int days, qint64 wallMs, bool asStart) const
{
    if ((days == 0 && wallMs == 0) || !at.isValid() || !m_clock)
        return at;
    const Wall read = wallOf(at.toMSecsSinceEpoch(), asStart);
    return like(instantOf({read.day + days, read.ms + wallMs}), at);
}

QDateTime SeriesMove::operator()(const QDateTime& at) const
{
    return moved(at, m_days, m_wallMs, true);
}

QDateTime SeriesMove::byDays(const QDateTime& at) const
{
    return moved(at, m_days, 0, false);
}

QDateTime SeriesMove::byTimeOfDay(const QDateTime& at) const
{
    return moved(at, 0, m_wallMs, true);
}
