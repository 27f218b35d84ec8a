#pragma once

#include "Event.h"
#include "Task.h"

#include <QRandomGenerator>

// Generated events for the iCalendar tests: every field the iCalendar text carries, all-day and
// timed, series with exceptions, overridden instances, attendees, reminders, and texts with
// every character that needs escaping.
namespace IcalSamples {

Event generatedEvent(QRandomGenerator& random, int index);

// A task with every field the VTODO carries, dates in several zones and texts that need escaping.
Task fullTask();

} // namespace IcalSamples
