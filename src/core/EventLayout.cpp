#include "EventLayout.h"

#include "EventSort.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>
#include <vector>

namespace EventLayout {

QList<LaidOutEvent> layoutTimedEvents(QList<Event> events, qint64 instantMsecs)
{
    // An occupied span: [start, end), or [start, start] when `closed` (an instant, which frees
    // its column only for a later start).
    struct Entry
    {
        qint64 start;
        qint64 end;
        bool closed;
        qsizetype index;
    };
    std::vector<Entry> order;
    order.reserve(size_t(events.size()));
    instantMsecs = std::max<qint64>(instantMsecs, 0);
    for (qsizetype i = 0; i < events.size(); ++i) {
        const qint64 start = EventSort::startKey(events[i]);
        qint64 end = EventSort::endKey(events[i]);
        const bool instant = end == start;
        if (instant && start <= std::numeric_limits<qint64>::max() - instantMsecs)
            end = start + instantMsecs;
        order.push_back({start, end, instant && end == start, i});
    }
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
    // Active entries by end, earliest first (an open end before a closed one at the same time),
    // with the column each holds.
    using Active = std::tuple<qint64, bool, int>;
    std::priority_queue<Active, std::vector<Active>, std::greater<>> active;
    const auto freedBy = [](const Active& entry, qint64 start) {
        return std::get<1>(entry) ? std::get<0>(entry) < start : std::get<0>(entry) <= start;
    };
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
        while (!active.empty() && freedBy(active.top(), entry.start)) {
            freeColumns.push(std::get<2>(active.top()));
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
        active.emplace(entry.end, entry.closed, column);
        result.append(LaidOutEvent{take(entry.index), column, 1});
    }
    closeCluster();
    return result;
}

} // namespace EventLayout
