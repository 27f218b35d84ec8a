#include "AccountRepository.h"

#include "Database.h"
#include "Positions.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QDebug>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

const QString accountColumns = QStringLiteral(
    "id, name, type, server_url, username, calendar_home_set, principal_url, "
    "sync_interval_minutes, last_sync_time, last_sync_error, enabled, color, exclude_from_sync, "
    "trusted_cert_sha256, pending_cert_sha256, created_at, updated_at, deleted_at");

using StoreSql::run;

bool isCalDavFamily(const QString& type)
{
    return type == u"caldav" || type == u"icloud" || type == u"zoho";
}

// Runs one prepared statement; on failure keeps the driver's text in `error`.
bool run(QSqlQuery& query, QString& error)
{
    if (query.exec())
        return true;
    error = query.lastError().text();
    return false;
}

bool deleteEventRow(QSqlDatabase& db, const QString& eventId, QString& error)
{
    for (const char* table : {"attendees", "attachments", "reminders"}) {
        if (!run(db,
                 QStringLiteral("DELETE FROM %1 WHERE event_id = ?").arg(QLatin1StringView(table)),
                 {eventId}, error))
            return false;
    }
    return run(db, QStringLiteral("DELETE FROM events WHERE id = ?"), {eventId}, error);
}

bool deleteTaskRow(QSqlDatabase& db, const QString& taskId, QString& error)
{
    return run(db, QStringLiteral("DELETE FROM tasks WHERE id = ?"), {taskId}, error);
}

// Leaves the account as a tombstone stamped "now".
bool tombstoneAccount(QSqlDatabase& db, const QString& id, QString& error)
{
    const QVariant now = StoreTime::bindValue(StoreTime::now());
    return run(db,
               QStringLiteral("UPDATE accounts SET deleted_at = ?, updated_at = ? WHERE id = ?"),
               {now, now, id}, error);
}

// The account's fields in table order from name to pending_cert_sha256.
QVariantList contentValues(const Account& account)
{
    return {account.name,
            account.type,
            account.serverUrl,
            account.username,
            account.calendarHomeSet,
            account.principalUrl,
            account.syncIntervalMinutes,
            StoreTime::bindValue(account.lastSyncTime),
            account.lastSyncError,
            account.enabled ? 1 : 0,
            account.color,
            account.excludeFromSync ? 1 : 0,
            account.trustedCertSha256,
            account.pendingCertSha256};
}

struct RowKey
{
    QString id;
    QString identity; // uid, and for events the recurrence id
    bool pending = false;
};

// The rows of one calendar in `table`, keyed by what makes them the same item at the server.
QList<RowKey> rowKeys(QSqlDatabase& db, const char* table, const QString& calendarId,
                      QString& error, bool& ok)
{
    const bool events = qstrcmp(table, "events") == 0;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT id, uid%1, sync_status FROM %2 WHERE calendar_id = ?")
            .arg(events ? QStringLiteral(" || char(31) || COALESCE(recurrence_id, '')") : QString(),
                 QLatin1StringView(table)));
    query.addBindValue(calendarId);
    QList<RowKey> rows;
    ok = run(query, error);
    while (ok && query.next())
        rows.append({query.value(0).toString(), query.value(1).toString(),
                     query.value(2).toString() == u"pending"});
    return rows;
}

// Moves the events and tasks of calendar `from` into calendar `to`. Where both hold the same
// item, a pending local edit wins over a synced copy; when both copies are pending edits the
// merge is refused, because one of them would be lost.
bool mergeCalendarRows(QSqlDatabase& db, const QString& from, const QString& to, QString& error)
{
    for (const char* table : {"events", "tasks"}) {
        bool ok = false;
        const QList<RowKey> source = rowKeys(db, table, from, error, ok);
        if (!ok)
            return false;
        const QList<RowKey> target = rowKeys(db, table, to, error, ok);
        if (!ok)
            return false;
        QHash<QString, QList<RowKey>> targetByIdentity;
        for (const RowKey& row : target)
            targetByIdentity[row.identity].append(row);
        const bool events = qstrcmp(table, "events") == 0;
        const auto deleteRow = [&](const QString& id) {
            return events ? deleteEventRow(db, id, error) : deleteTaskRow(db, id, error);
        };
        for (const RowKey& row : source) {
            const QList<RowKey> clashes = targetByIdentity.value(row.identity);
            const bool targetPending = std::any_of(clashes.begin(), clashes.end(),
                                                   [](const RowKey& r) { return r.pending; });
            if (!clashes.isEmpty() && !row.pending) {
                if (!deleteRow(row.id))
                    return false;
                continue;
            }
            if (targetPending) {
                error = QStringLiteral("both copies of %1 hold local edits").arg(row.id);
                return false;
            }
            for (const RowKey& clash : clashes) {
                if (!deleteRow(clash.id))
                    return false;
            }
            if (!run(db,
                     QStringLiteral("UPDATE %1 SET calendar_id = ? WHERE id = ?")
                         .arg(QLatin1StringView(table)),
                     {to, row.id}, error))
                return false;
        }
    }
    return true;
}

} // namespace

AccountRepository::AccountRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

Account AccountRepository::fromQuery(const QSqlQuery& query)
{
    Account account;
    account.id = query.value(0).toString();
    account.name = query.value(1).toString();
    account.type = query.value(2).toString();
    account.serverUrl = query.value(3).toString();
    account.username = query.value(4).toString();
    account.calendarHomeSet = query.value(5).toString();
    account.principalUrl = query.value(6).toString();
    account.syncIntervalMinutes = query.value(7).toInt();
    account.lastSyncTime = StoreTime::readOptional(query.value(8));
    account.lastSyncError = query.value(9).toString();
    account.enabled = query.value(10).toInt() != 0;
    account.color = query.value(11).toString();
    account.excludeFromSync = query.value(12).toInt() != 0;
    account.trustedCertSha256 = query.value(13).toString();
    account.pendingCertSha256 = query.value(14).toString();
    account.createdAt = StoreTime::readTimestamp(query.value(15));
    account.updatedAt = StoreTime::readTimestamp(query.value(16));
    account.deletedAt = StoreTime::readOptional(query.value(17));
    return account;
}

QList<Account> AccountRepository::list(const QString& sql) const
{
    QList<Account> accounts;
    StoreSql::forEachRow(
        m_database->database(), sql.arg(accountColumns), {},
        [&accounts](const QSqlQuery& query) { accounts.append(fromQuery(query)); });
    return accounts;
}

std::optional<Account> AccountRepository::one(const QString& sql, const QVariantList& values) const
{
    std::optional<Account> account;
    StoreSql::forEachRow(m_database->database(), sql.arg(accountColumns), values,
                         [&account](const QSqlQuery& query) {
                             // Unmerged duplicates share a server: the first row answers.
                             if (!account)
                                 account = fromQuery(query);
                         });
    return account;
}

QList<Account> AccountRepository::getAll() const
{
    return list(QStringLiteral(
        "SELECT %1 FROM accounts WHERE deleted_at IS NULL ORDER BY sort_order, name"));
}

QList<Account> AccountRepository::getAllIncludingDeleted() const
{
    return list(QStringLiteral("SELECT %1 FROM accounts ORDER BY sort_order, name"));
}

std::optional<Account> AccountRepository::getById(const QString& id) const
{
    return one(QStringLiteral("SELECT %1 FROM accounts WHERE id = ? AND deleted_at IS NULL"), {id});
}

std::optional<Account> AccountRepository::findByServer(const QString& type,
                                                       const QString& serverUrl,
                                                       const QString& username) const
{
    if (serverUrl.isEmpty() || username.isEmpty())
        return std::nullopt;
    return one(QStringLiteral("SELECT %1 FROM accounts WHERE type = ? AND server_url = ? AND "
                              "username = ? AND deleted_at IS NULL"),
               {type, serverUrl, username});
}

bool AccountRepository::insert(const Account& account)
{
    const QVariantList values = QVariantList{account.id} + contentValues(account) +
                                QVariantList{StoreTime::bindValue(account.createdAt),
                                             StoreTime::bindValue(account.updatedAt)};
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral(
                "INSERT INTO accounts (id, name, type, server_url, username, calendar_home_set, "
                "principal_url, sync_interval_minutes, last_sync_time, last_sync_error, enabled, "
                "color, exclude_from_sync, trusted_cert_sha256, pending_cert_sha256, created_at, "
                "updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values, "AccountRepository::insert"))
        return false;
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::update(const Account& account)
{
    const QVariantList values =
        contentValues(account) + QVariantList{StoreTime::bindValue(StoreTime::now()), account.id};
    if (!StoreSql::exec(
            m_database->database(),
            QStringLiteral("UPDATE accounts SET name = ?, type = ?, server_url = ?, username = ?, "
                           "calendar_home_set = ?, principal_url = ?, sync_interval_minutes = ?, "
                           "last_sync_time = ?, last_sync_error = ?, enabled = ?, color = ?, "
                           "exclude_from_sync = ?, trusted_cert_sha256 = ?, "
                           "pending_cert_sha256 = ?, updated_at = ? WHERE id = ?"),
            values, "AccountRepository::update"))
        return false;
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::remove(const QString& id)
{
    QString error;
    if (!tombstoneAccount(m_database->database(), id, error)) {
        StoreSql::logFailure("AccountRepository::remove", error);
        return false;
    }
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::reapTombstone(const QString& id)
{
    return StoreSql::exec(
        m_database->database(),
        QStringLiteral("DELETE FROM accounts WHERE id = ? AND deleted_at IS NOT NULL"), {id},
        "AccountRepository::reapTombstone");
}

bool AccountRepository::reorder(const QStringList& ids)
{
    if (ids.isEmpty())
        return true;
    if (!Positions::write(
            m_database->database(),
            QStringLiteral("UPDATE accounts SET sort_order = ?, updated_at = ? WHERE id = ?"), ids))
        return false;
    Q_EMIT accountsChanged();
    return true;
}

int AccountRepository::mergeDuplicates()
{
    QHash<QString, QList<Account>> groups;
    QStringList groupOrder;
    for (const Account& account : getAllIncludingDeleted()) {
        if (account.deletedAt || !isCalDavFamily(account.type) || account.serverUrl.isEmpty() ||
            account.username.isEmpty())
            continue;
        const QString key = account.type + u'|' + account.serverUrl + u'|' + account.username;
        if (!groups.contains(key))
            groupOrder.append(key);
        groups[key].append(account);
    }
    int collapsed = 0;
    for (const QString& key : groupOrder) {
        QList<Account> group = groups.value(key);
        if (group.size() < 2)
            continue;
        // Oldest first; the id breaks ties so the outcome does not depend on row order.
        std::sort(group.begin(), group.end(), [](const Account& a, const Account& b) {
            if (a.createdAt != b.createdAt)
                return a.createdAt < b.createdAt;
            return a.id < b.id;
        });
        for (qsizetype i = 1; i < group.size(); ++i) {
            if (collapseInto(group.first(), group.at(i))) {
                ++collapsed;
                Q_EMIT accountsChanged();
            }
        }
    }
    return collapsed;
}

bool AccountRepository::collapseInto(const Account& keeper, const Account& duplicate)
{
    QSqlDatabase& db = m_database->database();
    Savepoint transaction(db);
    QString error = transaction.errorText();
    const auto fail = [&]() {
        transaction.rollback();
        StoreSql::logFailure("AccountRepository::mergeDuplicates", error);
        return false;
    };
    if (!transaction.isActive())
        return fail();

    struct CalendarKeyRow
    {
        QString id, url, canonicalKey;
    };
    QList<CalendarKeyRow> calendars;
    {
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("SELECT id, url, canonical_key FROM calendars WHERE account_id = ?"));
        query.addBindValue(duplicate.id);
        if (!run(query, error))
            return fail();
        while (query.next())
            calendars.append(
                {query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    }
    for (const CalendarKeyRow& calendar : calendars) {
        // The keeper's calendar for the same collection, if it has one; looked up afresh so
        // that two calendars of the duplicate for one collection also end as one.
        QSqlQuery match(db);
        match.prepare(QStringLiteral(
            "SELECT id FROM calendars WHERE account_id = ? AND id != ? AND ((url = ? AND url != "
            "'') OR (canonical_key = ? AND canonical_key != '')) ORDER BY created_at, id LIMIT 1"));
        match.addBindValue(keeper.id);
        match.addBindValue(calendar.id);
        match.addBindValue(calendar.url);
        match.addBindValue(calendar.canonicalKey);
        if (!run(match, error))
            return fail();
        const QString target = match.next() ? match.value(0).toString() : QString();
        match.finish();
        if (target.isEmpty()) {
            if (!run(db, QStringLiteral("UPDATE calendars SET account_id = ? WHERE id = ?"),
                     {keeper.id, calendar.id}, error))
                return fail();
            continue;
        }
        if (!mergeCalendarRows(db, calendar.id, target, error) ||
            !run(db, QStringLiteral("DELETE FROM calendars WHERE id = ?"), {calendar.id}, error))
            return fail();
    }
    if (!tombstoneAccount(db, duplicate.id, error))
        return fail();
    if (!transaction.commit()) {
        error = transaction.errorText();
        return fail();
    }
    return true;
}
