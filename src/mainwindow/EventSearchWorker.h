#pragma once

#include "Event.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <optional>

class QThread;

// Searches the stored events by text (EventRepository::search) off the window's thread, on a
// read connection of its own to the store at `databasePath`, so that a large store never holds
// the event loop. Only the latest search counts: a newer one replaces a search still waiting,
// and results of any but the latest are dropped. Results arrive queued, on the thread that made
// the worker. Call it from that thread only.
class EventSearchWorker : public QObject
{
    Q_OBJECT

public:
    explicit EventSearchWorker(const QString& databasePath, QObject* parent = nullptr);
    // Lets a running query end (one query, bounded by its limit) and joins the thread.
    ~EventSearchWorker() override;

    // Starts the thread on first use.
    void search(const QString& text, int limit);
    // Drops the search waiting or running: no `found` comes for it.
    void cancel();
    // From search() until its `found` has come or cancel().
    bool isSearching() const { return m_searching; }

Q_SIGNALS:
    // The live events whose title, location or description contain the text, by start.
    void found(const QList<Event>& events);

private:
    struct Request
    {
        quint64 number = 0;
        QString text;
        int limit = 0;
    };

    void serve();
    void deliver(quint64 number, const QList<Event>& events);

    const QString m_databasePath;
    QThread* m_thread = nullptr;
    // Owned by the caller's thread.
    quint64 m_latest = 0;
    bool m_searching = false;
    // Shared with the search thread.
    QMutex m_mutex;
    QWaitCondition m_wake;
    std::optional<Request> m_waiting;
    bool m_stopping = false;
};
