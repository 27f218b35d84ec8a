#include "AccountRepository.h"

#include "AccountMerge.h"
#include "Database.h"
#include "EventRepository.h"
#include "Positions.h"
#include "Savepoint.h"
#include "StoreSql.h"
#include "StoreTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString accountColumns = QStringLiteral(
    "id, name, type, server_url, username, calendar_home_set, principal_url, "
    "sync_interval_minutes, last_sync_time, last_sync_error, enabled, color, exclude_from_sync, "
    "trusted_cert_sha256, pending_cert_sha256, created_at, updated_at, deleted_at");

using StoreSql::run;

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
    return {StoreSql::notNull(account.name),
            StoreSql::notNull(account.type),
            account.serverUrl,
            account.username,
            account.calendarHomeSet,
            account.principalUrl,
            account.syncIntervalMinutes,
            StoreTime::bindValue(account.lastSyncTime),
            account.lastSyncError,
            account.enabled ? 1 : 0,
            StoreSql::notNull(account.color),
            account.excludeFromSync ? 1 : 0,
            account.trustedCertSha256,
            account.pendingCertSha256};
}

// Carries out one action of a merge plan.
bool carryOut(QSqlDatabase& db, const AccountMerge::Action& action, QString& error)
{
    using AccountMerge::Action;
    const bool event = action.kind == AccountMerge::ItemKind::Event;
    switch (action.type) {
    case Action::MoveCalendar:
        return run(db, QStringLiteral("UPDATE calendars SET account_id = ? WHERE id = ?"),
                   {action.target, action.id}, error);
    case Action::MoveItem:
        return run(db,
                   event ? QStringLiteral("UPDATE events SET calendar_id = ? WHERE id = ?")
                         : QStringLiteral("UPDATE tasks SET calendar_id = ? WHERE id = ?"),
                   {action.target, action.id}, error);
    case Action::DeleteItem:
        return event
                   ? EventRepository::deleteRows(db, action.id, error)
                   : run(db, QStringLiteral("DELETE FROM tasks WHERE id = ?"), {action.id}, error);
    case Action::DeleteCalendar:
        return run(db, QStringLiteral("DELETE FROM calendars WHERE id = ?"), {action.id}, error);
    case Action::TombstoneAccount:
        return tombstoneAccount(db, action.id, error);
    }
    return false;
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
    QList<AccountMerge::AccountRow> accounts;
    for (const Account& account : getAllIncludingDeleted())
        accounts.append({account.id, account.type, account.serverUrl, account.username,
                         account.createdAt, account.deletedAt.has_value()});
    const QStringList involved = AccountMerge::accountsWithDuplicates(accounts);
    if (involved.isEmpty())
        return 0;

    QSqlDatabase& db = m_database->database();
    const char* operation = "AccountRepository::mergeDuplicates";
    QList<AccountMerge::CalendarRow> calendars;
    QStringList calendarIds;
    bool read = StoreSql::forEachSlice(involved, [&](const QStringList& slice) {
        return StoreSql::forEachRow(
            db,
            QStringLiteral("SELECT id, account_id, url, canonical_key, created_at FROM calendars "
                           "WHERE account_id IN (%1) ORDER BY rowid")
                .arg(StoreSql::placeholders(int(slice.size()))),
            QVariantList(slice.begin(), slice.end()),
            [&](const QSqlQuery& query) {
                calendars.append({query.value(0).toString(), query.value(1).toString(),
                                  query.value(2).toString(), query.value(3).toString(),
                                  StoreTime::readTimestamp(query.value(4))});
                calendarIds.append(calendars.constLast().id);
            },
            operation);
    });
    QList<AccountMerge::ItemRow> items;
    for (const AccountMerge::ItemKind kind :
         {AccountMerge::ItemKind::Event, AccountMerge::ItemKind::Task}) {
        // What makes two rows the same item at the server: the uid, and for events the
        // recurrence id.
        const QString sql =
            kind == AccountMerge::ItemKind::Event
                ? QStringLiteral("SELECT id, calendar_id, uid || char(31) || "
                                 "COALESCE(recurrence_id, ''), sync_status FROM events WHERE "
                                 "calendar_id IN (%1) ORDER BY rowid")
                : QStringLiteral("SELECT id, calendar_id, uid, sync_status FROM tasks WHERE "
                                 "calendar_id IN (%1) ORDER BY rowid");
        read = read && StoreSql::forEachSlice(calendarIds, [&](const QStringList& slice) {
                   return StoreSql::forEachRow(
                       db, sql.arg(StoreSql::placeholders(int(slice.size()))),
                       QVariantList(slice.begin(), slice.end()),
                       [&](const QSqlQuery& query) {
                           items.append({kind, query.value(0).toString(), query.value(1).toString(),
                                         query.value(2).toString(),
                                         query.value(3).toString() == u"pending"});
                       },
                       operation);
               });
    }
    if (!read)
        return 0;

    const AccountMerge::Plan plan = AccountMerge::plan(accounts, calendars, items);
    for (const QString& refusal : plan.refused)
        StoreSql::logFailure(operation, refusal);
    if (plan.actions.isEmpty())
        return 0;
    Savepoint transaction(db);
    QString error = transaction.errorText();
    bool done = transaction.isActive();
    for (qsizetype i = 0; done && i < plan.actions.size(); ++i)
        done = carryOut(db, plan.actions.at(i), error);
    if (done && !transaction.commit()) {
        error = transaction.errorText();
        done = false;
    }
    if (!done) {
        transaction.rollback();
        StoreSql::logFailure(operation, error);
        return 0;
    }
    Q_EMIT accountsChanged();
    return int(plan.collapsed.size());
}
