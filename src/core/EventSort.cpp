#include "EventSort.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace EventSort {

qint64 startKey(const Event& event)
{
    if (!event.startTime.isValid())
        return std::numeric_limits<qint64>::min();
    return event.startTime.toMSecsSinceEpoch();
}

qint64 endKey(const Event& event)
{
    const qint64 start = startKey(event);
    if (!event.endTime || !event.endTime->isValid())
        return start;
    // An end before the start is broken data; treating it as "no end" keeps the event visible.
    return std::max(start, event.endTime->toMSecsSinceEpoch());
}

void sortByStart(QList<Event>& events)
{
    // Converting each start once beats comparing QDateTimes in mixed zones inside the sort.
    std::vector<std::pair<qint64, qsizetype>> keys;
    keys.reserve(size_t(events.size()));
    for (qsizetype i = 0; i < events.size(); ++i)
        keys.emplace_back(startKey(events[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<Event> sorted;
    sorted.reserve(events.size());
    for (const auto& key : keys)
        sorted.append(std::move(events[key.second]));
    events = std::move(sorted);
}

} // namespace EventSort
