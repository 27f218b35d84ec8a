#pragma once

#include "Account.h"
#include "Calendar.h"

#include <QHash>
#include <QList>
#include <QString>

// Sorts calendars for pick lists: by their account's name, then their own name, both ignoring
// case. A calendar whose account is not in `accountsById` counts with an empty account name, so
// it comes first. Stable: equal keys keep their given order.
void sortCalendarsByAccountAndName(QList<Calendar>& calendars,
                                   const QHash<QString, Account>& accountsById);
