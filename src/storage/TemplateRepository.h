#pragma once

#include "EventTemplate.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

class Database;
class QSqlQuery;

// The event templates in table `event_templates`, ordered by sort order, then name. The record
// holds no sync status: local edits store 'pending'; the configuration sync passes the status a
// pulled template has. Mutators return false on failure; each success emits templatesChanged.
class TemplateRepository : public QObject
{
    Q_OBJECT

public:
    TemplateRepository(Database* database, QObject* parent = nullptr);

    // Live templates.
    QList<EventTemplate> getAll() const;
    // Every template, removed ones included (for the configuration push).
    QList<EventTemplate> getAllIncludingDeleted() const;
    // One live template by id; a removed one is not found.
    std::optional<EventTemplate> getById(const QString& id) const;
    // Ids of the templates, removed ones included, that wait for the configuration push.
    QStringList getPendingIds() const;

    // Stores a template made here: 'pending', `createdAt` when valid else "now", updated "now".
    // An empty id is replaced by a fresh UUID.
    bool insert(const EventTemplate& eventTemplate);
    // Stores a template as another device sent it: the given sync status and the record's own
    // stamps (an invalid stamp becomes "now"), so the pull is not pushed back as a new change.
    bool insert(const EventTemplate& eventTemplate, const QString& syncStatus);
    // Rewrites a template edited here: 'pending', updated "now".
    bool update(const EventTemplate& eventTemplate);
    // Rewrites a template as another device sent it: the given sync status and the record's
    // `updatedAt` (or "now" when invalid).
    bool update(const EventTemplate& eventTemplate, const QString& syncStatus);
    // Soft delete: the row stays as a 'pending' tombstone until the configuration sync has it.
    bool remove(const QString& id);
    bool hardDelete(const QString& id);

Q_SIGNALS:
    void templatesChanged();

private:
    bool store(const EventTemplate& eventTemplate, const QString& syncStatus,
               const QDateTime& createdAt, const QDateTime& updatedAt);
    bool rewrite(const EventTemplate& eventTemplate, const QString& syncStatus,
                 const QDateTime& updatedAt);
    QList<EventTemplate> list(const QString& condition) const;
    static EventTemplate fromQuery(const QSqlQuery& query);

    Database* m_database;
};
