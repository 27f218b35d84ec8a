#pragma once

#include "CalDavSyncPlan.h"
#include "CalDavSyncStore.h"
#include "Calendar.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class AppState;

// What differs between the two kinds of rows a CalDAV calendar's objects become, events
// (VEVENT) and tasks (VTODO), as data and functions; CalDavSyncClient walks the same steps for
// both. A run takes `events` first, then `next`.
struct CalDavRowKind
{
    // The outgoing copy of one stored row: its title for messages, its text and the SEQUENCE the
    // text carries.
    struct Outgoing
    {
        QString title;
        QString text;
        int sequence = 0;
        bool rebuilt = false; // the text is not the stored one
        QString zone;         // an event's `timezone`: the clock its floating times are said on
    };

    // What applying one object did.
    struct Applied
    {
        int handled = 0;     // components matched or stored, pending ones included
        int stored = 0;      // components written or already equal
        int removed = 0;     // rows of the object's UID the server no longer holds
        int skipped = 0;     // components the store cannot hold, left out
        bool failed = false; // a write failed: the caller's transaction must be rolled back
    };

    CalDavSyncStore::Table table;
    const char* component; // what the calendar-query asks for
    const char* label;     // for the log
    // Whether the calendar is asked for rows of this kind at all.
    bool (*listedBy)(const Calendar& calendar);
    // Events are what a calendar is for: a listing the server refuses fails the run, objects
    // listed without their data whose ETag moved are read with a multiget, the ctag is stored
    // after them and their pull reports progress. A server that refuses the task query has no
    // tasks here. Objects holding pending rows are read for both kinds.
    bool required;
    bool readsMissingData;
    bool storesCtag;
    bool reportsProgress;
    // Inserts and updates announce themselves; whether a pull announces the kind in any case.
    bool announcesEveryPull;
    // Rows of one UID may be a series and its overrides, whose deletions become EXDATEs.
    bool hasOverrides;
    const CalDavRowKind* next; // the kind a run takes after this one

    // Stores the components of one object of the listing (`href`, `etag`) in the calendar, as
    // CalDavSyncPlan::planObject decides; `index` learns the rows inserted. `onWritten` is told
    // after each row written, with the components handled so far.
    Applied (*apply)(AppState* state, const Calendar& calendar, CalDavSyncPlan::Index& index,
                     const QString& href, const QString& etag, const QString& calendarData,
                     const std::function<void(int handled)>& onWritten);
    bool (*hardDelete)(AppState* state, const QString& id);
    bool (*markSynced)(AppState* state, const QString& id, const QString& href,
                       const QString& etag);
    void (*announce)(AppState* state, const QString& calendarId);
    // The row as a push sends it. `serverText` is the newest copy of its object the run has seen
    // (empty when none): a pending row goes out as its own fields over the component of the same
    // key there (PushCopy), a synced row as that component; without one, as stored.
    std::optional<Outgoing> (*outgoing)(AppState* state, const QString& id,
                                        const QString& serverText);
    // Whether the object's text holds a component of this kind with the UID.
    bool (*holdsUid)(const QString& calendarData, const QString& uid);
    // Gives the item of a UID in the calendar another UID (UidChange), for an item the server
    // never held, whose place there was taken: the UIDs of the items that now wait to go out
    // naming it anew (a task's subtasks), or nothing when a write failed (the caller's
    // transaction is then rolled back).
    std::optional<QStringList> (*renameUid)(AppState* state, const QString& calendarId,
                                            const QString& from, const QString& to);
    std::optional<QString> (*title)(AppState* state, const QString& id);

    // The run's failure texts.
    QString (*pullNetworkError)(const QString& error);
    QString (*pushNetworkError)(const QString& error);
    QString (*pushRefused)(int statusCode, const QString& title);
    QString (*notStored)();

    static const CalDavRowKind events;
    static const CalDavRowKind tasks;
};
