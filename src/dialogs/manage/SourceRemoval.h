#pragma once

#include <QString>

class AppState;

// Removes calendars and accounts of the state hub's store with everything that hangs on them
// (CalendarRemoval): one transaction each, false and nothing removed on failure.
namespace SourceRemoval {

bool removeCalendar(AppState* state, const QString& calendarId);

// Also deletes the account's stored CalDAV password or Google or Microsoft tokens.
bool removeAccount(AppState* state, const QString& accountId);

} // namespace SourceRemoval
