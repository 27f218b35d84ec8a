#pragma once

#include "Calendar.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <optional>

class Database;
class QSqlQuery;

// The calendars of all accounts (table `calendars`). Calendars are deleted at once; the caller
// deletes a calendar's events and tasks first.
class CalendarRepository : public QObject
{
    Q_OBJECT

public:
    explicit CalendarRepository(Database* database, QObject* parent = nullptr);

    // By sort order, then name; calendars of soft-deleted accounts included.
    QList<Calendar> getAll() const;
    QList<Calendar> getByAccount(const QString& accountId) const;
    std::optional<Calendar> getById(const QString& id) const;

    // Writes the record's own createdAt and updatedAt; both must be valid.
    bool insert(const Calendar& calendar);
    // Every field but id and createdAt; stamps updated_at.
    bool update(const Calendar& calendar);
    // A sync run's own bookkeeping: the record's ctag, sync tokens and last error, and a stamp
    // on updated_at; every other column stays as stored, so a rename or a new colour made while
    // the run was away is kept. No window shows these fields, so the write is announced by
    // calendarSyncStateChanged alone: a run over thousands of calendars does not make every
    // view read every calendar again.
    bool updateSyncState(const Calendar& calendar);
    // Inserts `added` as insert does and rewrites `changed` as update does, all in one
    // savepoint, and announces them with one calendarsChanged: what a discovery of thousands of
    // calendars writes. At the first failure the whole batch is rolled back (a caller's
    // transaction keeps what it wrote before), logged, and false returned without a signal.
    // Inside a caller's transaction the signal comes when the batch is released, before the
    // caller commits. Two empty lists write nothing and announce nothing.
    bool saveAll(const QList<Calendar>& added, const QList<Calendar>& changed);
    bool remove(const QString& id);
    // Makes the calendar the only default of the whole store, in one transaction. An id that
    // names no calendar changes nothing and returns false.
    bool setDefault(const QString& id);

    static Calendar fromQuery(const QSqlQuery& query);

Q_SIGNALS:
    void calendarsChanged();
    // Only what updateSyncState writes changed, on this calendar.
    void calendarSyncStateChanged(const QString& calendarId);

private:
    // The calendars of the SELECT `sql` (its %1 stands for the columns) with `values` bound.
    QList<Calendar> list(const QString& sql, const QVariantList& values) const;

    Database* m_database;
};
