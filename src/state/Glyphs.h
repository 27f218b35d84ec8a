#pragma once

#include <QChar>

// Code points of the bundled icon font, named after what they show. Draw them in
// `Theme::iconFontFamily()` (or through `Theme::glyphIcon`): in a text font they are empty boxes.
// The same mark means the same thing everywhere (a bell is a reminder in the views, the agenda and
// the event card), so each is written here once.
namespace Glyphs {

inline constexpr QChar bell(0xE7F4);          // a reminder is set
inline constexpr QChar cloudUpload(0xE2C3);   // a change waits to be sent to the server
inline constexpr QChar filterLines(0xE152);   // the filter menus
inline constexpr QChar accountCircle(0xE853); // no account yet
inline constexpr QChar plus(0xE145);          // add
inline constexpr QChar openInNew(0xE89E);     // opens a page outside the program
inline constexpr QChar calendarPage(0xE878);  // the program itself, on the welcome page
inline constexpr QChar mapPin(0xE55F);        // a location
inline constexpr QChar repeat(0xE040);        // a recurrence
inline constexpr QChar warning(0xE002);       // an account needs attention
inline constexpr QChar dropDown(0xE5C5);      // a button that opens a menu
inline constexpr QChar clock(0xE8B5);         // a due time

} // namespace Glyphs
