#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Whose turn it is to sync. Runs against one server go a few at a time, as many as a browser
// opens to one host; the others wait, in the order they were asked for, and cost the server
// nothing until their turn. So a sync of two thousand calendars opens a handful of connections,
// and a calendar that waits is never timed out for waiting. Pure bookkeeping: the caller starts
// what takeStartable hands out and releases each calendar once it has ended.
class SyncTurns
{
public:
    // Runs against one server at once: what browsers open to one host, and what the network
    // layer keeps per host, so that no request of a run waits there with its time-out running.
    static constexpr int runsPerServer = 6;

    explicit SyncTurns(int perServer = runsPerServer);

    // Queues the run of a calendar against `server` (any text naming it; see
    // SyncRules::serverOf). A calendar already queued or running is left as it is.
    void enqueue(const QString& server, const QString& calendarId);
    // The calendars whose turn has come, oldest first per server; each now counts as running.
    QStringList takeStartable();
    // The calendar's run ended, or it left the queue before its turn: its place is free.
    void release(const QString& calendarId);

    bool isWaiting(const QString& calendarId) const;
    int running(const QString& server) const { return m_running.value(server); }

private:
    struct Place
    {
        QString server;
        bool running = false;
    };

    int m_perServer;
    QHash<QString, Place> m_places;        // every calendar queued or running
    QHash<QString, int> m_running;         // server -> runs under way
    QHash<QString, QStringList> m_waiting; // server -> calendars, oldest first
};
