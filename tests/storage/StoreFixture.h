#pragma once

#include "Account.h"
#include "Calendar.h"
#include "Database.h"
#include "Event.h"
#include "TestDataDir.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

// A migrated store in a temporary directory with one account and the calendars asked for.
class StoreFixture
{
public:
    explicit StoreFixture(const QStringList& calendarIds = {QStringLiteral("cal-a")});
    ~StoreFixture();

    bool isReady() const { return m_ready; }
    Database* database() { return m_database.get(); }
    QSqlDatabase& db() { return m_database->database(); }
    QString path() const;

    // Runs one statement; false and a warning on failure.
    bool exec(const QString& sql);
    // Every row as its columns' text joined by "|".
    QStringList strings(const QString& sql);

    static Account account(const QString& id);
    static Calendar calendar(const QString& id, const QString& accountId);
    // A valid event of the calendar starting at `start` for an hour.
    static Event event(const QString& id, const QString& calendarId, const QDateTime& start);

private:
    TestDataDir m_dir;
    std::unique_ptr<Database> m_database;
    bool m_ready = false;
};
