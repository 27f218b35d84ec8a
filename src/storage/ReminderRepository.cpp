#include "ReminderRepository.h"

#include "Database.h"
#include "ReminderSchedule.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>

ReminderRepository::ReminderRepository(Database* database) : m_database(database) {}

std::optional<QList<ReminderRepository::Due>>
ReminderRepository::due(const QDateTime& now, const QTimeZone& zone, int limit) const
{
    QList<Due> rows;
    // An all-day row may be due by the machine's zone while its trigger, counted in a zone
    // further west, is still ahead: those within the lag come too, and the schedule decides.
    // The outer bound keeps the read a range of the index of unacknowledged triggers.
    const bool read = StoreSql::forEachRow(
        m_database->database(),
        QStringLiteral("SELECT r.id, r.event_id, r.minutes_before, r.trigger_time, "
                       "r.trigger_date FROM reminders r "
                       "JOIN events e ON r.event_id = e.id WHERE r.acknowledged = 0 AND "
                       "r.trigger_time <= ? AND (r.trigger_time <= ? OR e.is_all_day <> 0) AND "
                       "e.deleted_at IS NULL ORDER BY r.trigger_time ASC LIMIT ?"),
        {StoreTime::toText(now.addSecs(ReminderSchedule::allDayStoredLagSeconds(zone, now))),
         StoreTime::toText(now), limit},
        [&rows](const QSqlQuery& query) {
            rows.append({query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toInt(), query.value(3).toString(),
                         StoreTime::parse(query.value(3).toString()),
                         QDate::fromString(query.value(4).toString(), Qt::ISODate)});
        },
        "ReminderRepository::due");
    if (!read)
        return std::nullopt;
    return rows;
}

QStringList ReminderRepository::overrideIds(const QString& uid, const QString& calendarId) const
{
    QStringList ids;
    // The unary plus keeps SQLite on the override index: a calendar holds far more rows.
    StoreSql::forEachRow(m_database->database(),
                         QStringLiteral("SELECT id FROM events WHERE master_event_uid = ? AND "
                                        "+calendar_id = ? AND deleted_at IS NULL"),
                         {uid, calendarId},
                         [&ids](const QSqlQuery& query) { ids.append(query.value(0).toString()); });
    return ids;
}

bool ReminderRepository::record(const QList<Handled>& updates)
{
    const char* operation = "ReminderRepository::record";
    Savepoint transaction(m_database->database());
    if (!transaction.isActive()) {
        StoreSql::logFailure(operation, transaction.errorText());
        return false;
    }
    for (const Handled& update : updates) {
        const bool written =
            update.nextTrigger
                ? StoreSql::exec(m_database->database(),
                                 QStringLiteral("UPDATE reminders SET trigger_time = ?, "
                                                "trigger_date = ? WHERE id = ? AND "
                                                "trigger_time = ?"),
                                 {StoreTime::toText(*update.nextTrigger),
                                  update.nextDate.isValid()
                                      ? QVariant(update.nextDate.toString(Qt::ISODate))
                                      : QVariant(QMetaType::fromType<QString>()),
                                  update.reminderId, update.triggerText},
                                 operation)
                : StoreSql::exec(m_database->database(),
                                 QStringLiteral("UPDATE reminders SET acknowledged = 1 WHERE id = "
                                                "? AND trigger_time = ?"),
                                 {update.reminderId, update.triggerText}, operation);
        if (!written)
            return false;
    }
    if (!transaction.commit()) {
        StoreSql::logFailure(operation, transaction.errorText());
        return false;
    }
    return true;
}
