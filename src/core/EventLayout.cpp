#include "EventLayout.h"

#include "EventSort.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

namespace EventLayout {

QList<LaidOutEvent> layoutTimedEvents(QList<Event> events)
{
    struct Entry
    {
        qint64 start;
        qint64 end;
        qsizetype index;
    };
    std::vector<Entry> order;
    order.reserve(size_t(events.size()));
    for (qsizetype i = 0; i < events.size(); ++i)
        order.push_back({EventSort::startKey(events[i]), EventSort::endKey(events[i]), i});
    std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
        return a.start != b.start ? a.start < b.start : a.end < b.end;
    });

    // A list handed over with std::move is ours to move from; a shared one is copied once,
    // straight into the result, instead of being detached first.
    const bool owned = events.isDetached();
    const auto take = [&](qsizetype index) {
        return owned ? std::move(events.data()[index]) : Event(std::as_const(events)[index]);
    };

    QList<LaidOutEvent> result;
    result.reserve(events.size());
    // Active entries by end, earliest first, with the column each holds.
    using Active = std::pair<qint64, int>;
    std::priority_queue<Active, std::vector<Active>, std::greater<>> active;
    std::priority_queue<int, std::vector<int>, std::greater<>> freeColumns;
    int nextColumn = 0; // columns 0..nextColumn-1 have been used in the open cluster
    qsizetype clusterStart = 0;

    const auto closeCluster = [&] {
        for (qsizetype i = clusterStart; i < result.size(); ++i)
            result[i].columnCount = std::max(nextColumn, 1);
        clusterStart = result.size();
        nextColumn = 0;
        freeColumns = {};
    };

    for (const Entry& entry : order) {
        while (!active.empty() && active.top().first <= entry.start) {
            freeColumns.push(active.top().second);
            active.pop();
        }
        if (active.empty() && clusterStart < result.size())
            closeCluster();
        int column;
        if (!freeColumns.empty()) {
            column = freeColumns.top();
            freeColumns.pop();
        } else {
            column = nextColumn++;
        }
        active.emplace(entry.end, column);
        result.append(LaidOutEvent{take(entry.index), column, 1});
    }
    closeCluster();
    return result;
}

} // namespace EventLayout
