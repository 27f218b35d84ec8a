#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Runs a Python oracle script (Debian's /usr/bin/python3, which alone sees the python3-*
// packages) with the given arguments and standard input. Returns its standard output; sets
// `ok` false (and leaves a message in `error`) when it could not run or exited non-zero.
namespace Oracle {

QByteArray runPython(const QString& script, const QStringList& arguments, const QByteArray& input,
                     bool* ok, QString* error = nullptr, int timeoutMs = 120000);

// Path of a file below tests/.
QString testsPath(const QString& relative);

// Every occurrence in 2026 of the series in an iCalendar text as python-icalendar with
// recurring_ical_events expands it: "seconds HH:MM" lines (UTC instant, wall clock in the zone
// written), ascending; empty (with a warning) when the oracle could not run.
QStringList occurrencesIn2026(const QString& text);

// As occurrencesIn2026, in the window from `from` to `to`, each line ending in the occurrence's
// length in seconds ("seconds HH:MM length").
QStringList occurrencesWithLengths(const QString& text, const QDateTime& from, const QDateTime& to);

} // namespace Oracle
