#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace Google {

// The requests to Google through one network access manager go out a few at a time; the others
// wait here, unsent, in the order they were asked for. The network layer would hold them as well,
// but with their time-outs running, so that behind a few slow answers a request that only waited
// its turn would fail as if Google were silent. Every client of the manager shares its queue, so
// the bound holds for the server, whatever the number of calendars syncing at once.
class RequestQueue : public QObject
{
    Q_OBJECT

public:
    // What the network layer opens to one host at once.
    static constexpr int requestsAtOnce = 6;

    // The queue of `network`, made on first use as its child.
    static RequestQueue* of(QNetworkAccessManager* network);

    // Calls `send` once a place is free (at once when one is); the reply it returns holds the
    // place until it finishes or is destroyed. Nothing is sent for an `owner` gone meanwhile.
    void enqueue(QObject* owner, std::function<QNetworkReply*()> send);

    int requestsOut() const { return int(m_out.size()); }

private:
    explicit RequestQueue(QNetworkAccessManager* network);
    void sendWaiting();
    void release(QObject* reply);

    struct Waiting
    {
        QPointer<QObject> owner;
        std::function<QNetworkReply*()> send;
    };
    QList<Waiting> m_waiting;
    QSet<QObject*> m_out;
};

} // namespace Google
