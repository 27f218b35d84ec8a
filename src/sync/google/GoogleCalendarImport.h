#pragma once

#include "GoogleCalendarClient.h"

#include <QList>
#include <QString>

#include <functional>

class AppState;
class QObject;

// The calendars of a signed-in Google account as calendar rows of its local account.
namespace Google::CalendarImport {

// Whether Google's access role lets the user change the calendar's events: "owner" and
// "writer" do; "reader" and "freeBusyReader" (and any role Google may add) do not.
bool isWritable(const QString& accessRole);

// Inserts a row for each listed calendar the account does not have yet (its Google id as the
// URL, read-only unless the role allows writing, syncing), and brings the read-only flag of
// known rows in line with their role; names and colours the user set are kept. Only the first
// Limits::maxDiscoveredCalendars entries of the list are read; the calendars past them that the
// account does not have are named in the log, and counted in `leftOut` when given. One
// transaction with one calendarsChanged: when a write fails nothing is kept and the result is -1.
// Returns the number of new rows.
int importCalendars(AppState* state, const QString& accountId,
                    const QList<DiscoveredCalendar>& calendars, int* leftOut = nullptr);

// "%n more calendar(s) were not added: Google lists more than %1.", translated.
QString leftOutText(int leftOut);

// Called once, on the GUI thread: whether the import worked, how many rows it added and how many
// listed calendars the bound left out, or why not.
using Done = std::function<void(bool ok, int added, int leftOut, const QString& reason)>;

// Lists the account's calendars with the access token and imports them; `done` runs unless
// `context` is gone first. For the account dialog, right after a sign-in. The account's status
// (its last sync error) keeps the count of calendars the bound left out, until a list that fits.
void listAndImport(AppState* state, const QString& accountId, const QString& accessToken,
                   QObject* context, Done done);
// The same with the access token stored for the account (Google::AuthService::loadTokens), as
// the sign-in has just saved it.
void listAndImport(AppState* state, const QString& accountId, QObject* context, Done done);

} // namespace Google::CalendarImport
