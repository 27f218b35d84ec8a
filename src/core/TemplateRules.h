#pragma once

#include <QList>
#include <QString>

// What the template editor shows and stores for a template's duration and reminders.
namespace TemplateRules {

// Minutes offered for a reminder, in menu order.
const QList<int>& reminderPresets();

// "At time of event", "%n minute(s) before", "1 hour before", "%n hour(s) before" or
// "%n day(s) before" (whole days first, then whole hours), translated in the template
// editor's context with plural forms. Below one minute counts as at the time of the event.
QString reminderLabel(int minutes);

struct Duration
{
    int hours = 0;
    int minutes = 0;
};

// The spin values for a stored duration: nothing below one minute, hours capped at 24.
Duration durationParts(int durationMinutes);

// The stored duration for the spins: at least 15 minutes, so an event from a template never
// starts and ends at the same instant.
int savedDuration(int hours, int minutes);

} // namespace TemplateRules
