#pragma once

#include "FilterRule.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

class Database;
class QSqlQuery;

// The filter rules in table `filter_rules`, in evaluation order (ascending priority, then name).
// Mutators return false on failure and leave the row as it was; each success emits
// filterRulesChanged at once.
class FilterRuleRepository : public QObject
{
    Q_OBJECT

public:
    FilterRuleRepository(Database* database, QObject* parent = nullptr);

    // Live rules.
    QList<FilterRule> getAll() const;
    // Every rule, removed ones included (for the configuration push).
    QList<FilterRule> getAllIncludingDeleted() const;
    // Live, enabled rules: what the filter engine applies.
    QList<FilterRule> getEnabled() const;
    // One rule by id, also when it has been removed.
    std::optional<FilterRule> getById(const QString& id) const;

    // Stores the record with its own sync status and stamps (an invalid stamp becomes "now").
    bool insert(const FilterRule& rule);
    // Rewrites the rule with the record's id, with the record's sync status; stamps "now".
    bool update(const FilterRule& rule);
    // Soft delete: the row stays as a 'pending' tombstone until the configuration sync has it.
    bool remove(const QString& id);
    bool hardDelete(const QString& id);
    // Gives the rules the priorities 10, 20, 30... in list order, in one transaction.
    bool reorder(const QStringList& ids);
    // Switches the rule on or off and marks it pending; a failure is logged and returned.
    bool setEnabled(const QString& id, bool enabled);

Q_SIGNALS:
    void filterRulesChanged();

private:
    QList<FilterRule> list(const QString& sql) const;
    static FilterRule fromQuery(const QSqlQuery& query);

    Database* m_database;
};
