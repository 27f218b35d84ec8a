#include "SeriesMove.h"

#include "Recurrence.h"

namespace {

// A wall-clock reading as a value without a zone, to count on it without the clocks changing.
QDateTime naive(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, Qt::UTC);
}

// The instant in the representation `as` was given in (the store writes each as it is).
QDateTime like(const QDateTime& instant, const QDateTime& as)
{
    switch (as.timeSpec()) {
    case Qt::UTC:
        return instant.toUTC();
    case Qt::LocalTime:
        return instant.toLocalTime();
    default:
        return instant.toTimeZone(as.timeZone());
    }
}

} // namespace

SeriesMove SeriesMove::of(const Event& series, const QDateTime& from, const QDateTime& to)
{
    SeriesMove move;
    const QTimeZone clock = Recurrence::wallClockStart(series).timeZone();
    if (clock.isValid())
        move.m_clock = clock;
    const QDateTime start = from.toTimeZone(move.m_clock);
    const QDateTime end = to.toTimeZone(move.m_clock);
    move.m_from = start.time();
    move.m_days = int(start.date().daysTo(end.date()));
    move.m_wallSeconds = naive(start.date(), start.time())
                             .addDays(move.m_days)
                             .secsTo(naive(end.date(), end.time()));
    return move;
}

QDateTime SeriesMove::moved(const QDateTime& at, int days, qint64 wallSeconds) const
{
    if ((days == 0 && wallSeconds == 0) || !at.isValid())
        return at;
    const QDateTime local = at.toTimeZone(m_clock);
    // A start the clocks skipped over reads an hour later; it stands for the series' own time.
    QTime time = local.time();
    if (m_from.isValid() && time != m_from && QDateTime(local.date(), m_from, m_clock) == local)
        time = m_from;
    const QDateTime wall = naive(local.date(), time).addDays(days).addSecs(wallSeconds);
    return like(QDateTime(wall.date(), wall.time(), m_clock), at);
}

QDateTime SeriesMove::operator()(const QDateTime& at) const
{
    return moved(at, m_days, m_wallSeconds);
}

QDateTime SeriesMove::byDays(const QDateTime& at) const
{
    return moved(at, m_days, 0);
}

QDateTime SeriesMove::byTimeOfDay(const QDateTime& at) const
{
    return moved(at, 0, m_wallSeconds);
}
