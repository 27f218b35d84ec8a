#pragma once

#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The keyboard walk between a timeline's timed occurrences: Down and Tab go to the next one by
// start, Up, Shift+Tab and Backtab to the previous one, round at either end. Plain functions
// over the shown events; the widget selects and announces what they name.
namespace TimelineWalk {

enum class Step { None, Forward, Backward };

// The step a key press asks for; None for any other key.
Step stepFor(int key, Qt::KeyboardModifiers modifiers);

// An occurrence the walk lands on.
struct Target
{
    QString eventId;
    QDateTime start;
};

// Where a step goes from the selected occurrence among the timed ones of `events` (all-day ones
// are not on the timeline): the one after or before it by start, or the first or the last when
// none of them is selected. The selected one is `selectedId` at `selectedStart`, or, without a
// start, the earliest occurrence of `selectedId`. Nothing when no event is timed.
std::optional<Target> step(const QList<Event>& events, const QString& selectedId,
                           const std::optional<QDateTime>& selectedStart, bool forward);

} // namespace TimelineWalk
