#pragma once

#include "Account.h"
#include "Calendar.h"

#include <QList>
#include <QString>
#include <QUrl>

// Where a new calendar collection goes on an account's CalDAV server.
namespace CalendarLocation {

// The parent collection of a collection URL: its decoded path without one trailing "/", cut
// after the last "/". An invalid URL gives an invalid URL.
QUrl parentCollection(const QUrl& url);

// The collection under which a new calendar is made: the account's home set; else the parent
// of the first of its calendars whose URL is valid; else the account's server URL.
QString baseForNewCalendar(const Account& account, const QList<Calendar>& calendars);

// The base with `segment` appended to its decoded path as a child collection ("…/segment/").
QUrl childCollection(const QString& base, const QString& segment);

} // namespace CalendarLocation
