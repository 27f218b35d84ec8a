#pragma once

#include "Account.h"
#include "Calendar.h"
#include "Event.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// The decisions of the cloud calendar sync: which accounts are cloud accounts, which listed
// calendars are new here, what a pulled event does to the local row and what a pending row sends.
// Replies are untrusted: records that lack what they need are skipped.
namespace CloudSync {

// A calendar of the cloud calendar list.
struct RemoteCalendar
{
    QString id;
    QString name;
    QString color;
    QString timezone;
    bool readOnly = false;
};

// One event of a calendar pull: its iCalendar text, or a deletion.
struct RemoteEvent
{
    QString uid;
    QString etag;
    QString ical;
    bool deleted = false;
};

enum class PullAction {
    Insert,   // no local row: store the server copy
    Update,   // a synced local row with another ETag: replace it
    Delete,   // the server deleted it and the local row is synced: remove it
    Skip,     // nothing to do
    Conflict, // the local row waits to be pushed and the server changed it: keep the local row
};

enum class PushAction {
    Put,         // send the event's text
    Delete,      // send the deletion
    DropLocally, // a deletion of a row the server never had: remove it here only
};

// Live accounts of type "orvandellic" other than the local account "On This Device" and the
// developer sample account, which carry the same type word but live on this device only.
bool isCloudAccount(const Account& account);

// A calendar-list entry; empty without an id.
std::optional<RemoteCalendar> remoteCalendarFromJson(const QJsonObject& object);
// A pulled event; empty without a uid, or without a text unless it is a deletion.
std::optional<RemoteEvent> remoteEventFromJson(const QJsonObject& object);

// The listed calendars whose id no stored calendar has, in list order, each once.
QList<RemoteCalendar> calendarsToInsert(const QList<RemoteCalendar>& listed,
                                        const QList<Calendar>& stored);

// The calendar row for a newly listed cloud calendar of the given account; `collectionUrl` is
// where the service keeps it. It syncs, and its canonical key follows from the URL.
Calendar newCalendar(const RemoteCalendar& remote, const QString& accountId,
                     const QString& collectionUrl, const QDateTime& now);

// What a pulled event does to the local row with the same uid (none when absent). A pending
// local row is never overwritten; a clash is a conflict only when the server's ETag moved on.
PullAction decidePull(const std::optional<Event>& local, const RemoteEvent& remote);

// What a series sends, judged by its master row (a changed occurrence travels with its series).
PushAction decidePush(const Event& master);

// The one text the service keeps for a series: the master's calendar with the VEVENT blocks of
// the changed occurrences added before its end. Texts without a VEVENT block add nothing.
QString seriesText(const QString& masterText, const QStringList& occurrenceTexts);

} // namespace CloudSync
