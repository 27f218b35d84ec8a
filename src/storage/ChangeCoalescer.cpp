#include "ChangeCoalescer.h"

#include <QTimer>

ChangeCoalescer::ChangeCoalescer(QObject* parent, int intervalMs)
    : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &ChangeCoalescer::flush);
}

void ChangeCoalescer::schedule(const QString& id)
{
    m_pendingId = id;
    m_timer->start();
}

bool ChangeCoalescer::isPending() const
{
    return m_timer->isActive();
}

void ChangeCoalescer::flush()
{
    const QString id = m_pendingId;
    m_pendingId.clear();
    Q_EMIT fired(id);
}
