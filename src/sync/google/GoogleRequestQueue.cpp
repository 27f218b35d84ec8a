#include "GoogleRequestQueue.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace Google {

RequestQueue::RequestQueue(QNetworkAccessManager* network) : QObject(network) {}

RequestQueue* RequestQueue::of(QNetworkAccessManager* network)
{
    if (auto* queue = network->findChild<RequestQueue*>(QString(), Qt::FindDirectChildrenOnly))
        return queue;
    return new RequestQueue(network);
}

void RequestQueue::enqueue(QObject* owner, std::function<QNetworkReply*()> send)
{
    m_waiting.append({owner, std::move(send)});
    sendWaiting();
}

void RequestQueue::sendWaiting()
{
    while (m_out.size() < requestsAtOnce && !m_waiting.isEmpty()) {
        const Waiting next = m_waiting.takeFirst();
        if (!next.owner)
            continue;
        QNetworkReply* reply = next.send();
        if (!reply)
            continue;
        m_out.insert(reply);
        // Whichever comes first: a reply ends, or goes with its client before it ends.
        connect(reply, &QNetworkReply::finished, this, [this, reply] { release(reply); });
        connect(reply, &QObject::destroyed, this, [this](QObject* gone) { release(gone); });
    }
}

void RequestQueue::release(QObject* reply)
{
    if (m_out.remove(reply))
        sendWaiting();
}

} // namespace Google
