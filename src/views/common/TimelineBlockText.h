#pragma once

#include "Event.h"

#include <QString>
#include <QTimeZone>

class QFontMetrics;
class QPainter;

// What a timeline block shows besides its title, alike in the day and the multi-day timelines.
namespace TimelineBlockText {

// The line under the title, in `zone` and the time `pattern`: "9:00 AM – 10:00 AM", both
// prefixed with the weekday when the event ends on a later day, the start alone without an end.
QString timeRange(const Event& event, const QString& pattern, const QTimeZone& zone);

// The marks at the block's top right, rightmost first: a bell for a reminder, an upload cloud
// for a change not yet sent to a calendar that syncs both ways.
QString statusGlyphs(const Event& event, bool twoWayCalendar);

// Draws `glyphs` leftwards from `right` (the first one ends there) on `baseline`, 4 px apart,
// with the painter's font and pen, as many as fit whole right of `left`; the width they take,
// gaps included.
int paintGlyphs(QPainter& painter, const QFontMetrics& metrics, int left, int right, int baseline,
                const QString& glyphs);

} // namespace TimelineBlockText
