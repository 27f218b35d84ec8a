#pragma once

#include <QLatin1String>
#include <QString>

// Values that more than one layer writes or reads and that must agree wherever they appear. Each
// says what it is and why it is shared; the core holds them because every library links it.
namespace Defaults {

// The colour of a calendar, account, view or template that names none, and the colour an item is
// drawn in when neither it nor its calendar has a readable one. A row written by one part (the
// local calendar, a discovered collection, a form) is drawn by others (views, cards, tray); one
// fallback keeps the same item from changing colour between them. The store's column default in
// the first migration is the same text.
inline constexpr QLatin1String itemColour("#4285F4");

// The preference keys of the working hours, in whole hours of the day: the settings dialog writes
// them and the day and week views shade the time outside them.
inline constexpr QLatin1String workdayStartKey("ui/workdayStart");
inline constexpr QLatin1String workdayEndKey("ui/workdayEnd");

// The working hours before the user sets any: read by every view that shades them and shown by
// the settings dialog, so a fresh profile shows the same day everywhere.
inline constexpr int workdayStartHour = 8;
inline constexpr int workdayEndHour = 18;

// The program's version, dotted numbers ("1.3.1"), as the build names it: reported to the
// update feed, the account service and CalDAV servers, and shown in the About box.
QString version();

} // namespace Defaults
