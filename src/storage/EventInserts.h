#pragma once

#include "Event.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

// The INSERTs of a new event row and of its reminder and attendee rows, prepared once on the
// connection and run with their values bound on SQLite's own statements. Through QSqlQuery every
// value is wrapped in a QVariant, every placeholder is looked up by a name made for it, and
// texts go in as UTF-16 for SQLite to convert again: on an import or a sync's first listing that
// costs as much as SQLite's own work. The rows are those EventRows::fieldValues and
// EventChildRows::writeReminders/writeAttendees give for a new event.
//
// The statements live in QSqlQuery objects, so the toolkit finalises them when the connection
// closes; they are prepared again on their next use. Not for a connection of another driver
// (isAvailable()).
class EventInserts
{
public:
    explicit EventInserts(QSqlDatabase& database);
    ~EventInserts();
    EventInserts(const EventInserts&) = delete;
    EventInserts& operator=(const EventInserts&) = delete;

    // True when the connection is SQLite's, whose statements can be bound in place.
    bool isAvailable() const;

    // Each writes its rows inside the caller's transaction and stops at the first failure,
    // with SQLite's text in `error`. The event row stores an empty syncStatus as "synced".
    bool insertEvent(const Event& event, QString& error);
    // A reminder without id gets a new one; its trigger is ReminderSchedule::triggerOf the event.
    bool insertReminders(const Event& event, QString& error);
    // An attendee without id gets a new one.
    bool insertAttendees(const Event& event, QString& error);

private:
    class Statement;

    QSqlDatabase& m_database;
    std::unique_ptr<Statement> m_event;
    std::unique_ptr<Statement> m_reminder;
    std::unique_ptr<Statement> m_attendee;
};
