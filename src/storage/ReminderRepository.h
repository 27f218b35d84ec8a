#pragma once

#include "ReminderSchedule.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

#include <optional>

class Database;
class QSqlDatabase;

// The reminder rows as the notifications read and settle them. The rows themselves are written
// with their events (EventRepository); this reads the due ones and records what became of them,
// matching each row by its trigger as read, so that a row rewritten meanwhile is left alone.
class ReminderRepository
{
public:
    // One reminder row whose trigger has come.
    struct Due
    {
        QString reminderId;
        QString eventId;
        int minutesBefore = 0;
        QString triggerText; // the trigger as stored
        QDateTime trigger;
        QDate triggerDate; // an all-day trigger's date; invalid when stored without one
    };
    // What recording a row as handled writes: its next trigger, or none to acknowledge it.
    struct Handled
    {
        QString reminderId;
        QString triggerText; // the trigger as read; a row rewritten since is left alone
        std::optional<QDateTime> nextTrigger;
        QDate nextDate = {}; // stored with nextTrigger: an all-day trigger's date, else invalid
        // A series' last occurrence handled; invalid keeps the one stored.
        ReminderSchedule::Shown lastShown = {};
    };

    // Not owned; must outlive the repository.
    explicit ReminderRepository(Database* database);

    // Unacknowledged rows of live events triggering at or before `now`, and of all-day events
    // within ReminderSchedule::allDayStoredLagSeconds after it (whether those are due depends on
    // `zone`, the machine's), earliest first, at most `limit`; nothing when the read failed
    // (logged).
    std::optional<QList<Due>> due(const QDateTime& now, const QTimeZone& zone, int limit) const;
    // Ids of the live overrides stored for the series `uid` in the calendar, in no particular
    // order: what a series' reminder weighs besides its rule.
    QStringList overrideIds(const QString& uid, const QString& calendarId) const;
    // Writes every update in one transaction; false (logged) when nothing was kept.
    bool record(const QList<Handled>& updates);

    // Column last_shown: an all-day occurrence's date as "2025-03-01", a timed one's start as
    // StoreTime writes it, NULL for none; read back alike.
    static QVariant lastShownValue(const ReminderSchedule::Shown& shown);
    static ReminderSchedule::Shown readLastShown(const QVariant& value);

    // The step of the migration that adds last_shown, inside its transaction: each row of a
    // series takes what its cursor tells it had handled (ReminderAck::shownByCursor), counted in
    // the machine's zone. False, with the driver's text in `error`, when a statement failed.
    static bool fillLastShown(QSqlDatabase& db, QString& error);

private:
    Database* m_database;
};
