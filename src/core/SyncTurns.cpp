#include "SyncTurns.h"

#include <algorithm>

SyncTurns::SyncTurns(int perServer) : m_perServer(std::max(1, perServer)) {}

void SyncTurns::enqueue(const QString& server, const QString& calendarId)
{
    if (m_places.contains(calendarId))
        return;
    m_places.insert(calendarId, {server, false});
    m_waiting[server].append(calendarId);
}

QStringList SyncTurns::takeStartable()
{
    QStringList startable;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        int& running = m_running[it.key()];
        while (running < m_perServer && !it->isEmpty()) {
            const QString id = it->takeFirst();
            m_places[id].running = true;
            ++running;
            startable.append(id);
        }
        it = it->isEmpty() ? m_waiting.erase(it) : std::next(it);
    }
    return startable;
}

void SyncTurns::release(const QString& calendarId)
{
    const auto place = m_places.constFind(calendarId);
    if (place == m_places.constEnd())
        return;
    if (place->running) {
        if (--m_running[place->server] <= 0)
            m_running.remove(place->server);
    } else if (const auto queue = m_waiting.find(place->server); queue != m_waiting.end()) {
        queue->removeOne(calendarId);
        if (queue->isEmpty())
            m_waiting.erase(queue);
    }
    m_places.erase(place);
}

bool SyncTurns::isWaiting(const QString& calendarId) const
{
    const auto place = m_places.constFind(calendarId);
    return place != m_places.constEnd() && !place->running;
}
