#include "TodayWatch.h"

#include "Clock.h"

#include <QTimer>

TodayWatch::TodayWatch(QObject* parent) : QObject(parent), m_today(Clock::today())
{
    auto* timer = new QTimer(this);
    timer->setInterval(checkMs);
    connect(timer, &QTimer::timeout, this, &TodayWatch::check);
    timer->start();
}

void TodayWatch::check()
{
    const QDate today = Clock::today();
    if (today == m_today)
        return;
    m_today = today;
    Q_EMIT dayChanged(today);
}
