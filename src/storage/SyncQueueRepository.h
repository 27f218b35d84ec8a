#pragma once

#include <QObject>

class Database;

// Stands for table `sync_queue`, which the shared file layout holds but this program neither
// reads nor writes; it has no operations.
class SyncQueueRepository : public QObject
{
    Q_OBJECT

public:
    SyncQueueRepository(Database* database, QObject* parent = nullptr);

Q_SIGNALS:
    void queueChanged();

private:
    [[maybe_unused]] Database* m_database;
};
