#pragma once

#include "Calendar.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The canonical calendar key: names one calendar across the user's devices, where row ids
// differ. Lower-case hexadecimal SHA-256 of "<provider>:<normalised url>".

// The key, or nothing when the account type has no provider word (compared case-sensitively).
std::optional<QString> calendarKey(const QString& accountType, const QString& url);

// Keys of the given ids, in their order; ids without a stored calendar or key contribute nothing.
QStringList calendarKeysOf(const QStringList& calendarIds, const QList<Calendar>& calendars);

// For each key in order, the id of the calendar carrying it (first), and the keys no calendar
// carries (second). When two calendars carry one key, the later record wins.
std::pair<QStringList, QStringList> calendarKeysById(const QStringList& keys,
                                                     const QList<Calendar>& calendars);
