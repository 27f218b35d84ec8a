#pragma once

#include "TaskMove.h"

class AppState;

// Writes the rows of a task's move to another calendar (TaskMove) in one transaction: all or
// none; false for a refused plan. Moved rows get their iCalendar text rebuilt, so that the push
// sends what the row says.
namespace TaskCalendarMove {

bool carryOut(AppState* state, const TaskMove::Plan& plan);

} // namespace TaskCalendarMove
