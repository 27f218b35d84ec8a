#include "ViewData.h"

#include "Defaults.h"
#include "Limits.h"
#include "ShownText.h"
#include "VisibleEvents.h"

#include <QTimeZone>

namespace ViewData {

Result load(const AppState* state, const QDateTime& from, const QDateTime& to)
{
    VisibleEvents::Result shown = VisibleEvents::load(state, from, to);
    Result result;
    result.events = std::move(shown.filtered.visibleEvents);
    result.dimmed = std::move(shown.filtered.dimmedIds);
    result.hiddenCount = shown.filtered.hiddenCount;
    for (const Calendar& calendar : std::as_const(shown.calendars))
        result.calendarColors.insert(calendar.id, calendar.color);
    return result;
}

QColor itemColor(const Event& event, const QHash<QString, QString>& calendarColors)
{
    QString text = event.color;
    if (text.isEmpty())
        text = calendarColors.value(event.calendarId);
    if (text.isEmpty())
        text = Defaults::itemColour;
    const QColor colour = QColor::fromString(text);
    return colour.isValid() ? colour : QColor::fromString(Defaults::itemColour);
}

QString shownTitle(const Event& event)
{
    return ShownText::bounded(VisibleEvents::shownTitle(event), Limits::maxRowTextChars);
}

QDateTime rangeStart(const QDate& first)
{
    return first.startOfDay(QTimeZone::systemTimeZone());
}

QDateTime rangeEnd(const QDate& first, int days)
{
    return first.addDays(days).startOfDay(QTimeZone::systemTimeZone());
}

} // namespace ViewData
