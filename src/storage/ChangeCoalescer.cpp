#include "ChangeCoalescer.h"

#include <QTimer>

#include <utility>

ChangeCoalescer::ChangeCoalescer(QObject* parent, int intervalMs)
    : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &ChangeCoalescer::flush);
}

void ChangeCoalescer::schedule(const QString& id)
{
    m_latestId = id;
    if (!m_inBurst.contains(id)) {
        m_inBurst.insert(id);
        m_burstIds.append(id);
    }
    m_timer->start();
}

bool ChangeCoalescer::isPending() const
{
    return m_timer->isActive();
}

void ChangeCoalescer::flush()
{
    const QStringList ids = std::exchange(m_burstIds, {});
    const QString latest = std::exchange(m_latestId, {});
    m_inBurst.clear();
    Q_EMIT firedAll(ids);
    Q_EMIT fired(latest);
}
