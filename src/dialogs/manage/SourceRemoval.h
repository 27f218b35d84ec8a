#pragma once

#include <QString>

class AppState;

// Removes calendars and accounts from the local store without leaving rows behind that point at
// nothing: a calendar goes with its events (and their reminders, attendees and attachments), its
// tasks and its queued sync operations; an account with all its calendars, then its row is
// tombstoned so the configuration sync can send the deletion. Each call is one transaction:
// on any failure nothing is removed and the result is false. Repositories are told afterwards.
namespace SourceRemoval {

bool removeCalendar(AppState* state, const QString& calendarId);

// Also deletes the account's stored CalDAV password or Google or Microsoft tokens.
bool removeAccount(AppState* state, const QString& accountId);

} // namespace SourceRemoval
