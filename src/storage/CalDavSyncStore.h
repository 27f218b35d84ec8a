#pragma once

#include "CalDavSyncPlan.h"

#include <QList>
#include <QString>

class Database;

// The store's side of a CalDAV sync that the repositories do not offer: the light index of a
// calendar's rows the decisions run on, and writes of the sync fields alone (href, ETag,
// exception dates), which neither stamp the modification time nor touch the row's status or
// child rows. Content writes go through the repositories.
class CalDavSyncStore
{
public:
    enum class Table { Events, Tasks };

    explicit CalDavSyncStore(Database* database);

    // Every row of the calendar, soft-deleted ones included, events by start and tasks by last
    // modification. With `withVersion`, each row's version holds its modification time,
    // deletion and stored text, so an edit in between can be told apart. Empty on failure.
    QList<CalDavSyncPlan::LocalRow> rows(Table table, const QString& calendarId,
                                         bool withVersion) const;
    // The rows of every UID of the calendar that has a pending row, in the same order: what a
    // push plans over, without reading the whole calendar.
    QList<CalDavSyncPlan::LocalRow> rowsOfPendingUids(Table table, const QString& calendarId) const;
    // The rows of one UID in the calendar, with versions.
    QList<CalDavSyncPlan::LocalRow> rowsOfUid(Table table, const QString& calendarId,
                                              const QString& uid) const;

    bool setTag(Table table, const QString& id, const QString& href, const QString& etag);
    // The tag and the stored text of a pending row, whose status and fields stay as they are.
    bool setTagAndText(Table table, const QString& id, const QString& href, const QString& etag,
                       const QString& rawIcalendar);
    // The text and SEQUENCE a push sent for the row, nothing else.
    bool setSentCopy(Table table, const QString& id, const QString& rawIcalendar, int sequence);
    // The event's stored text and its JSON list of exception dates, nothing else.
    bool setExceptionDates(const QString& eventId, const QString& rawIcalendar,
                           const QString& exceptionDatesJson);

private:
    QList<CalDavSyncPlan::LocalRow> select(Table table, const QString& where,
                                           const QStringList& values, bool withVersion) const;
    bool update(const QString& statement, const QStringList& values);

    Database* m_database;
};
