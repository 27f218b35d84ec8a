#include "TimelineRepaint.h"

#include <QFont>
#include <QFontMetrics>
#include <QMoveEvent>
#include <QWidget>

#include <algorithm>

namespace TimelineRepaint {

void afterScroll(QWidget* timeline, const QMoveEvent* event)
{
    if (event->oldPos().y() == event->pos().y())
        return;
    QFont bold = timeline->font();
    bold.setWeight(QFont::Bold);
    const int band = 3 * QFontMetrics(bold).height();
    for (const int top : {-event->oldPos().y(), -event->pos().y()})
        timeline->update(0, std::max(top, 0), timeline->width(), band);
}

} // namespace TimelineRepaint
