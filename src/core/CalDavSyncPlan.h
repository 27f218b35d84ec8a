#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The decisions of a two-way CalDAV sync as pure functions of what the store holds, what the
// server listed and the ETags known on both sides. The sync client only carries the actions out.
//
// One server object (resource) holds one UID: a single event, a recurring master with its
// overrides, or one task. Local rows are keyed by (uid, recurrenceId); a task's recurrence id
// is always empty.
namespace CalDavSyncPlan {

// What the decisions need of one local event or task row; the content stays in the store.
struct LocalRow
{
    QString id;
    QString uid;
    QString recurrenceId; // empty for a single event, a series master and every task
    QString href;         // as the server spells it; empty until the first push
    QString etag;         // without quotes; empty when unknown
    bool pending = false;
    bool deleted = false;
    // Any text that changes whenever the row's content changes; only compared for equality.
    QString version;
};

// One object of the server's listing.
struct RemoteObject
{
    QString href;
    QString etag;
};

// The rows of one calendar, looked up by key and by href. Built once per decision pass.
struct Index
{
    QList<LocalRow> rows;
    QHash<QString, int> byKey;         // uid + '\n' + recurrenceId -> position in rows
    QHash<QString, QList<int>> byHref; // comparableHref -> positions, empty hrefs left out
    QHash<QString, QList<int>> byUid;  // uid -> positions
};

// The form in which hrefs are compared: each path segment percent-decoded and encoded again,
// so one object spelt "a%40b.ics" when it was put and listed as "a@b.ics" is one href. An
// encoded "/" inside a segment stays distinct from a separator. Hrefs are stored as given.
QString comparableHref(const QString& href);

// A later row with the same key as an earlier one is kept in `rows` and `byHref` but found by
// key only as the first.
Index indexRows(QList<LocalRow> rows);

// Local rows are updated to a server tag without touching their content.
struct RowTag
{
    QString id;
    QString href;
    QString etag;
};

// The first stage of a pull, before any iCalendar text is read.
struct ListingPlan
{
    // Positions in the listing whose objects must be read and applied: new objects and those
    // whose ETag differs from what a row at that href holds. A listed href given twice is read
    // once, at its last position.
    QList<int> toRead;
    // Rows whose object is listed with the very ETag they hold: nothing to read or write.
    int unchangedRows = 0;
    // Pending rows of a listed object whose ETag moved on: they take the server's ETag and keep
    // their content, so the push sends the local version against the server's current one.
    QList<RowTag> adoptTags;
    // Only after a complete listing, rows whose href the server no longer lists:
    QStringList remove;       // not pending: the object was deleted on the server
    QStringList recreate;     // pending and live: forget href and ETag, the push creates it again
    QStringList dropDeletion; // pending deletions: already gone, removed without a request
};

// `listingComplete` is true only for a well-formed listing read to its end; without it nothing
// is removed or recreated.
ListingPlan planListing(const Index& index, const QList<RemoteObject>& listing,
                        bool listingComplete);

// One component read from an object.
struct Component
{
    QString uid;
    QString recurrenceId;
};

enum class Apply {
    Skip,    // no UID, or the same key again in this object: not stored, not counted
    Insert,  // no local row: stored as a new row
    Replace, // a synced row: overwritten by the server's copy (the row keeps its id)
    Adopt,   // a pending row: keeps its fields, takes the href, the ETag and, under its own
             // fields, what the object holds that the record does not model
    Keep,    // a synced row already holding this object's href and ETag: not rewritten
};

struct ObjectPlan
{
    QList<Apply> actions; // one per component, in order
    QStringList localIds; // the matched row per component, empty for Insert and Skip
    QStringList remove;   // synced rows at this href that the object no longer holds
};

// Decides each component of one object read from the server. Rows at the object's href whose
// key the object no longer holds are removed unless pending, but only when at least one
// component could be read (an unreadable object removes nothing).
ObjectPlan planObject(const Index& index, const RemoteObject& object,
                      const QList<Component>& components);

enum class PushKind {
    ForgetLocally, // deletions of rows the server never saw: removed without a request
    Delete,        // DELETE of the object
    Put,           // PUT of the whole object rebuilt from its live rows
};

// One request of the push: everything pending of one UID travels together.
struct PushGroup
{
    PushKind kind = PushKind::Put;
    QString uid;
    QString href; // empty for a create (Put) and for ForgetLocally
    QString etag; // the If-Match value; empty for a create
    // Live rows whose text makes up the object: the master first, then overrides by id.
    QStringList bodyIds;
    // Rows this request deletes: pending deletions of overrides (Put), every row of the UID
    // (Delete, ForgetLocally).
    QStringList deletedIds;
    // Recurrence ids of deleted overrides; the master's copy in the body excludes them.
    QStringList exceptionDates;
};

// The requests for every UID that has a pending row, in the order of the first row of each UID
// in the index. The object's href and ETag are the master's, else those of the first row that
// names an href (the rows of one object should agree). DELETE is chosen only when the master is
// deleted (or no live row is left); a deleted override is a PUT of the object without it.
QList<PushGroup> planPush(const Index& index);

enum class Verdict {
    Done,         // the request did what it was sent for
    RetryWithTag, // 412 on a known object: fetch its current ETag and send once more
    PlaceTaken,   // 412 on a create (sent with If-None-Match): something is at its href
    Failed,       // the run stops here; rows stay pending
};

// A transport error is a failure; 2xx is done, and so is a DELETE of an object already gone
// (404, 410). A 412 is answered once: for a create by reading what holds its place, otherwise by
// reading the object's current ETag.
Verdict judgeReply(PushKind kind, bool isCreate, int status, bool transportError, bool retried);

// The group to send again after a 412, given the object's current ETag (absent when the server
// no longer holds it). A PUT of a vanished object becomes a create at the same href; a DELETE
// of a vanished object needs no request (nullopt).
std::optional<PushGroup> retryAfterRefresh(const PushGroup& sent,
                                           const std::optional<QString>& currentEtag);

enum class Settle {
    MarkSynced, // take href and ETag, status synced
    TagOnly,    // take href and ETag, status unchanged (an edit made while the request was away)
    Remove,     // delete the row for good
    ForgetTag,  // clear href and ETag, status unchanged: the object is gone, a push recreates it
};

struct Settlement
{
    QString id;
    Settle what = Settle::MarkSynced;
};

// What each current row of the group's UID becomes after the request was done. `sent` holds
// the rows as they stood when the request left, `current` as they stand now. A row edited,
// restored or created meanwhile stays pending.
QList<Settlement> settle(const PushGroup& group, const QList<LocalRow>& sent,
                         const QList<LocalRow>& current);

} // namespace CalDavSyncPlan
