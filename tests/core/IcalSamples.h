#pragma once

#include "Event.h"

#include <QRandomGenerator>

// Generated events for the iCalendar tests: every field the iCalendar text carries, all-day and
// timed, series with exceptions, overridden instances, attendees, reminders, and texts with
// every character that needs escaping.
namespace IcalSamples {

Event generatedEvent(QRandomGenerator& random, int index);

} // namespace IcalSamples
