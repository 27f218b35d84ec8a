#include "SyncQueueRepository.h"

SyncQueueRepository::SyncQueueRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}
