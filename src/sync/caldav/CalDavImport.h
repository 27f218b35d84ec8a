#pragma once

#include "CalDavParse.h"

#include <QList>
#include <QString>

class AppState;

// Writes discovered calendars into the local store as calendar rows of an account.
namespace CalDavImport {

// Inserts a row for each discovered calendar whose URL the account does not have yet, and takes
// over the account's placeholder rows (sync off, read-only, with a canonical key) whose URL was
// discovered. Known calendars are left as they are: a rediscovery never overwrites a name,
// colour or description. Only the first Limits::maxDiscoveredCalendars entries of the list are
// read; the calendars past them that the account does not have are named in the log, and
// counted in `leftOut` when given. All rows are written in one transaction with one
// calendarsChanged; when any write fails nothing is kept and the result is 0. Returns the number
// of rows newly inserted; 0 for a null state or an empty account id.
int importDiscoveredCalendars(AppState* state, const QString& accountId,
                              const QList<CalDavParse::DiscoveredCalendar>& calendars,
                              int* leftOut = nullptr);

// Says in the account's status (its last sync error) how many calendars a rediscovery left out,
// or clears it when none were: a discovery that worked shows that nothing else stands between
// the account and its sync. Writes only when the status changes.
void noteLeftOut(AppState* state, const QString& accountId, int leftOut);

// "%n calendar(s) were not added: …", translated.
QString leftOutText(int leftOut);

} // namespace CalDavImport
