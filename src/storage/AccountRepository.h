#pragma once

#include "Account.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;
class QSqlQuery;

// The calendar sources (table `accounts`). Removing an account is a soft delete, so the
// configuration sync can carry the deletion; reapTombstone() removes the row for good.
class AccountRepository : public QObject
{
    Q_OBJECT

public:
    explicit AccountRepository(Database* database, QObject* parent = nullptr);

    // Live accounts by sort order, then name.
    QList<Account> getAll() const;
    // Tombstones included.
    QList<Account> getAllIncludingDeleted() const;
    // A tombstone is not found.
    std::optional<Account> getById(const QString& id) const;
    // Exact match of type, server URL and username among live accounts; nothing when the URL or
    // the username is empty.
    std::optional<Account> findByServer(const QString& type, const QString& serverUrl,
                                        const QString& username) const;

    // Writes the record's own createdAt and updatedAt; both must be valid.
    bool insert(const Account& account);
    // Stamps updated_at; leaves sort_order, created_at and deleted_at alone.
    bool update(const Account& account);
    bool remove(const QString& id);
    // Deletes a tombstone for good; a live account is left alone (and true is returned).
    bool reapTombstone(const QString& id);
    // Gives the ids sort orders 10, 20, 30, ... in one transaction.
    bool reorder(const QStringList& ids);

    // Collapses live CalDAV-family accounts with the same type, server URL and username into
    // the oldest one, as AccountMerge plans it, in one transaction: the duplicates' calendars
    // move to it (merged into its calendar with the same URL or canonical key, keeping every
    // pending local edit) and the duplicates become tombstones. A duplicate that cannot be
    // merged safely is left as it is. Returns how many accounts were collapsed; 0 when the
    // transaction failed.
    int mergeDuplicates();

    static Account fromQuery(const QSqlQuery& query);

Q_SIGNALS:
    void accountsChanged();

private:
    QList<Account> list(const QString& sql) const;
    // The first row of `sql` (its %1 stands for the columns) with `values` bound.
    std::optional<Account> one(const QString& sql, const QVariantList& values) const;

    Database* m_database;
};
