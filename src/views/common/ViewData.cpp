#include "ViewData.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Defaults.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Recurrence.h"
#include "ViewRepository.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

namespace ViewData {

QStringList visibleCalendarIds(const std::optional<CalendarView>& activeView,
                               const QList<Calendar>& calendars)
{
    if (!activeView)
        return {};
    QStringList ids;
    const QJsonDocument document = QJsonDocument::fromJson(activeView->calendarIds.toUtf8());
    if (document.isArray()) {
        for (const QJsonValue& value : document.array())
            ids.append(value.toString());
    }
    if (!ids.isEmpty())
        return ids;
    for (const Calendar& calendar : calendars) {
        if (calendar.isVisible)
            ids.append(calendar.id);
    }
    return ids;
}

QStringList visibleCalendarIds(const AppState* state)
{
    if (!state || !state->views() || !state->calendars())
        return {};
    return visibleCalendarIds(state->views()->getById(state->activeViewId()),
                              state->calendars()->getAll());
}

Result load(const AppState* state, const QDateTime& from, const QDateTime& to)
{
    Result result;
    if (!state || !state->events() || !state->calendars() || !state->filterRules())
        return result;
    const QList<Calendar> calendars = state->calendars()->getAll();
    const QStringList ids =
        state->views()
            ? visibleCalendarIds(state->views()->getById(state->activeViewId()), calendars)
            : QStringList();
    QList<Event> occurrences;
    if (!ids.isEmpty()) {
        // The expansion keeps every occurrence that overlaps the range, also one that began
        // before it (a night series from 22:00 to 02:00 shows its early hours the next day).
        occurrences = Recurrence::expand(state->events()->getInRange(from, to, ids), from, to);
    }
    FilterResult filtered = FilterEngine::apply(occurrences, state->filterRules()->getEnabled());
    result.events = std::move(filtered.visibleEvents);
    result.dimmed = std::move(filtered.dimmedIds);
    result.hiddenCount = filtered.hiddenCount;
    for (const Calendar& calendar : calendars)
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
    return event.title.isEmpty() ? QCoreApplication::translate("ViewData", "(Untitled)")
                                 : event.title;
}

QDateTime rangeStart(const QDate& first)
{
    return QDateTime(first, QTime(0, 0), QTimeZone::systemTimeZone());
}

QDateTime rangeEnd(const QDate& first, int days)
{
    return QDateTime(first.addDays(days), QTime(0, 0), QTimeZone::systemTimeZone());
}

} // namespace ViewData
