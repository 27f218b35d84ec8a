#include "PushCopy.h"

#include "ExceptionDates.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace PushCopy {

namespace {

// Instants compare as instants, whatever zone each side was read in; an absent or invalid time
// equals only another such.
bool sameTime(const std::optional<QDateTime>& a, const std::optional<QDateTime>& b)
{
    const bool hasA = a && a->isValid();
    const bool hasB = b && b->isValid();
    return hasA == hasB && (!hasA || a->toSecsSinceEpoch() == b->toSecsSinceEpoch());
}

QSet<QString> dates(const QString& json)
{
    const QStringList list = ExceptionDates::read(json);
    return QSet<QString>(list.begin(), list.end());
}

bool reschedules(const Event& row, const Event& server)
{
    return !sameTime(row.startTime, server.startTime) || !sameTime(row.endTime, server.endTime) ||
           row.isAllDay != server.isAllDay || row.recurrenceRule != server.recurrenceRule ||
           row.recurrenceDates != server.recurrenceDates ||
           dates(row.exceptionDates) != dates(server.exceptionDates);
}

bool reschedules(const Task& row, const Task& server)
{
    return !sameTime(row.startDate, server.startDate) || !sameTime(row.dueDate, server.dueDate) ||
           row.recurrenceRule != server.recurrenceRule;
}

template <class Row> Row overServer(const Row& row, const Row& server)
{
    Row copy = row;
    copy.rawIcalendar = server.rawIcalendar;
    copy.sequence = sequence(row.sequence, server.sequence, reschedules(row, server));
    return copy;
}

} // namespace

int sequence(int local, int server, bool rescheduled)
{
    return std::max({0, local, rescheduled ? nextSequence(server) : server});
}

int nextSequence(int sequence)
{
    if (sequence == std::numeric_limits<int>::max())
        return sequence;
    return std::max(sequence, -1) + 1;
}

Event over(const Event& row, const Event& server)
{
    return overServer(row, server);
}

Task over(const Task& row, const Task& server)
{
    return overServer(row, server);
}

} // namespace PushCopy
