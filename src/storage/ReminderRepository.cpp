#include "ReminderRepository.h"

#include "Database.h"
#include "ReminderAck.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QVariant nullText()
{
    return QVariant(QMetaType::fromType<QString>());
}

} // namespace

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
        // A row goes on from what it handled last; one that handled nothing keeps what it had.
        const QVariant shown = lastShownValue(update.lastShown);
        const bool written =
            update.nextTrigger
                ? StoreSql::exec(m_database->database(),
                                 QStringLiteral("UPDATE reminders SET trigger_time = ?, "
                                                "trigger_date = ?, last_shown = "
                                                "COALESCE(?, last_shown) WHERE id = ? AND "
                                                "trigger_time = ?"),
                                 {StoreTime::toText(*update.nextTrigger),
                                  update.nextDate.isValid()
                                      ? QVariant(update.nextDate.toString(Qt::ISODate))
                                      : nullText(),
                                  shown, update.reminderId, update.triggerText},
                                 operation)
                : StoreSql::exec(m_database->database(),
                                 QStringLiteral("UPDATE reminders SET acknowledged = 1, "
                                                "last_shown = COALESCE(?, last_shown) WHERE id = "
                                                "? AND trigger_time = ?"),
                                 {shown, update.reminderId, update.triggerText}, operation);
        if (!written)
            return false;
    }
    if (!transaction.commit()) {
        StoreSql::logFailure(operation, transaction.errorText());
        return false;
    }
    return true;
}

QVariant ReminderRepository::lastShownValue(const ReminderSchedule::Shown& shown)
{
    if (shown.date.isValid())
        return shown.date.toString(Qt::ISODate);
    if (shown.start.isValid())
        return StoreTime::toText(shown.start);
    return nullText();
}

ReminderSchedule::Shown ReminderRepository::readLastShown(const QVariant& value)
{
    const QString text = value.toString();
    // A date alone: an all-day occurrence's, which holds in every zone.
    if (text.size() == 10)
        return {{}, QDate::fromString(text, Qt::ISODate)};
    return {StoreTime::parse(text), {}};
}

bool ReminderRepository::fillLastShown(QSqlDatabase& db, QString& error)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    QList<std::pair<QString, ReminderSchedule::Shown>> rows;
    QSqlQuery query(db);
    // Overrides carry no rule: like single events they keep their acknowledgement alone.
    const bool read = query.exec(QStringLiteral(
        "SELECT r.id, r.minutes_before, r.trigger_time, r.trigger_date, r.acknowledged, e.id, "
        "e.start_time, e.end_time, e.is_all_day, e.timezone, e.recurrence_rule, "
        "e.recurrence_dates, e.exception_dates FROM reminders r JOIN events e ON e.id = "
        "r.event_id WHERE e.recurrence_rule <> '' AND r.trigger_time IS NOT NULL"));
    while (read && query.next()) {
        Event series;
        series.id = query.value(5).toString();
        // Held in UTC: a series whose zone has a name repeats on that zone's clock all the same.
        series.startTime = StoreTime::readTimestamp(query.value(6));
        series.endTime = StoreTime::readOptional(query.value(7));
        series.isAllDay = query.value(8).toInt() != 0;
        series.timezone = query.value(9).toString();
        series.recurrenceRule = query.value(10).toString();
        series.recurrenceDates = query.value(11).toString();
        series.exceptionDates = query.value(12).toString();
        const ReminderSchedule::Shown shown = ReminderAck::shownByCursor(
            series, query.value(1).toInt(), StoreTime::readTimestamp(query.value(2)),
            QDate::fromString(query.value(3).toString(), Qt::ISODate), query.value(4).toInt() != 0,
            zone);
        if (shown.isValid())
            rows.append({query.value(0).toString(), shown});
    }
    if (!read || query.lastError().isValid()) {
        error = query.lastError().text();
        return false;
    }
    query.finish();
    for (const auto& [id, shown] : std::as_const(rows)) {
        if (!StoreSql::run(db, QStringLiteral("UPDATE reminders SET last_shown = ? WHERE id = ?"),
                           {lastShownValue(shown), id}, error))
            return false;
    }
    return true;
}
