#pragma once

#include "Calendar.h"
#include "CalendarView.h"

#include <QList>
#include <QStringList>

#include <optional>

// Which calendars a View (a named group of calendars) shows: the one rule behind the calendar
// views, the agenda, the mini month, the tray and the agenda export.
namespace ViewCalendars {

// The ids the View lists, in its order (duplicates kept; an element that is not a text gives an
// empty id, which names no calendar). A listed calendar is shown whatever its own isVisible.
// When the View lists none ("[]", or text that is not a JSON array), has been removed, or there
// is none (its row is gone, say deleted on another device): the ids of the calendars whose
// isVisible is set, in the given order, which is what "All Calendars" shows and what the group
// button then names.
QStringList ids(const std::optional<CalendarView>& view, const QList<Calendar>& calendars);

} // namespace ViewCalendars
