#pragma once

#include "Event.h"

#include <QList>
#include <QString>
#include <QUrl>

// What one download of a read-only calendar feed changes in the local copy of that calendar.
// The feed is the only source of truth for rows that are not pending; a pending row (a local
// edit or deletion not yet sent anywhere) is never overwritten or removed by a download.
namespace WebcalMirror {

struct Plan
{
    QList<Event> inserts; // feed events with no local row; ids still empty
    QList<Event> updates; // local rows rewritten from the feed; local id, calendar and colour kept
    QStringList removals; // ids of synced local rows whose event left the feed
    int unchanged = 0;    // synced rows the feed repeats as they are
    int keptPending = 0;  // feed events whose local row is pending and stays as it is
    // Feed events that cannot be stored (no start): left out, and a stored copy of the same
    // event is kept rather than removed.
    int skipped = 0;
};

// Matches feed events to local rows by (uid, recurrence id); the first feed event of a
// duplicated key wins and later ones are ignored, as are local duplicates after the first.
// `local` holds every row of the calendar, soft-deleted pending rows included. Events of the
// feed carry no calendar id; the plan's inserts and updates carry `calendarId`.
Plan plan(const QList<Event>& local, const QList<Event>& feed, const QString& calendarId);

// The address to download: "webcal" and "webcals" become "https" (feeds published under that
// scheme are served over HTTPS); "http" and "https" stay. Anything else gives an invalid URL.
QUrl downloadUrl(const QString& feedUrl);

} // namespace WebcalMirror
