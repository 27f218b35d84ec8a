#pragma once

#include "CalendarView.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

class Database;
class QSqlQuery;

// The Views (named groups of calendars) in table `calendar_views`. Lists put the default View
// first, then follow the user's order. Mutators return false on failure and leave the row as it
// was; each success emits viewsChanged at once.
class ViewRepository : public QObject
{
    Q_OBJECT

public:
    ViewRepository(Database* database, QObject* parent = nullptr);

    // Live Views, default first, then by sort order and name.
    QList<CalendarView> getAll() const;
    // Every View, removed ones included, in the same order (for the configuration push).
    QList<CalendarView> getAllIncludingDeleted() const;
    // One View by id, also when it has been removed.
    std::optional<CalendarView> getById(const QString& id) const;

    // Stores the record with its own sync status and stamps (an invalid stamp becomes "now").
    bool insert(const CalendarView& view);
    // Rewrites the View with the record's id, with the record's sync status; stamps "now".
    bool update(const CalendarView& view);
    // Soft delete: the row stays as a 'pending' tombstone until the configuration sync has it.
    bool remove(const QString& id);
    bool hardDelete(const QString& id);
    // Gives the Views the positions 10, 20, 30... in list order, in one transaction.
    bool reorder(const QStringList& ids);

Q_SIGNALS:
    void viewsChanged();

private:
    QList<CalendarView> list(const QString& sql) const;
    static CalendarView fromQuery(const QSqlQuery& query);

    Database* m_database;
};
