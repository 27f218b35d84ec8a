#include "TimelineWalk.h"

#include "EventSort.h"

namespace TimelineWalk {

Step stepFor(int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    if (key == Qt::Key_Down || (key == Qt::Key_Tab && !shift))
        return Step::Forward;
    if (key == Qt::Key_Up || key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift))
        return Step::Backward;
    return Step::None;
}

std::optional<Target> step(const QList<Event>& events, const QString& selectedId,
                           const std::optional<QDateTime>& selectedStart, bool forward)
{
    QList<Event> timed;
    for (const Event& event : events) {
        if (!event.isAllDay)
            timed.append(event);
    }
    if (timed.isEmpty())
        return std::nullopt;
    EventSort::sortByStart(timed);
    qsizetype index = -1;
    for (qsizetype i = 0; i < timed.size(); ++i) {
        if (timed[i].id == selectedId && (!selectedStart || timed[i].startTime == *selectedStart)) {
            index = i;
            break;
        }
    }
    qsizetype next;
    if (index < 0)
        next = forward ? 0 : timed.size() - 1;
    else
        next = (index + (forward ? 1 : timed.size() - 1)) % timed.size();
    return Target{timed[next].id, timed[next].startTime};
}

} // namespace TimelineWalk
