#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// The store's side of a Google sync that the repositories do not offer. It keeps, in a table of
// its own (google_cancelled_occurrences), the occurrences of each series that Google reports
// cancelled (they stay exceptions of their series when the master changes later), and those this
// program cancelled there until it writes one back. It also writes the sync fields of a row alone
// (Google id, ETag, item, status, exception dates) without stamping its modification time, so a
// local edit made meanwhile stays visible as such. All calls run on the shared connection, inside
// the caller's transaction when there is one.
class GoogleSyncStore
{
public:
    // One local row of a calendar as the pull matches it.
    struct Row
    {
        QString id;
        QString providerEventId;
        QString uid;
        bool pending = false;
        bool deleted = false;
    };

    explicit GoogleSyncStore(Database* database);

    // The calendar's rows by Google id. A row never acknowledged by Google is found under the id
    // this system chose for it (Google::clientEventId), so an insert whose reply was lost is
    // matched, not stored twice.
    QHash<QString, Row> rowsByGoogleId(const QString& calendarId) const;
    // The same for the pending rows alone, and for one Google id: what an incremental listing of
    // a few changes needs, without reading the whole calendar.
    QHash<QString, Row> pendingRowsByGoogleId(const QString& calendarId) const;
    std::optional<Row> rowByGoogleId(const QString& calendarId, const QString& googleId) const;
    // The row that stands for the occurrence `recurrenceId` of the series `uid` (the series' UID
    // here), whatever Google id it has, if any.
    std::optional<Row> rowByOccurrence(const QString& calendarId, const QString& uid,
                                       const QString& recurrenceId) const;

    // Ids of the rows that stand for occurrences of the series (their master's UID, which for a
    // series from Google is its Google id).
    QStringList occurrenceRowIds(const QString& calendarId, const QString& masterUid) const;

    // Recurrence ids of the series' occurrences that Google cancelled.
    QStringList cancelledOccurrences(const QString& calendarId, const QString& masterId) const;
    bool addCancelledOccurrence(const QString& calendarId, const QString& masterId,
                                const QString& recurrenceId);
    // True when the occurrence was recorded as cancelled (and is no longer).
    bool removeCancelledOccurrence(const QString& calendarId, const QString& masterId,
                                   const QString& recurrenceId);
    bool clearCancelledOccurrences(const QString& calendarId);

    // The row's exception dates alone.
    bool setExceptionDates(const QString& eventId, const QString& exceptionDatesJson);
    // Google's id, ETag and item (the row's raw text) for the row; with `synced`, the row is no
    // longer pending.
    bool setGoogleIds(const QString& eventId, const QString& providerEventId, const QString& etag,
                      const QString& itemJson, bool synced);

private:
    QHash<QString, Row> select(const QString& where, const QStringList& values) const;

    Database* m_database;
};
