#include "Clock.h"

#include <QTimeZone>

#include <atomic>
#include <mutex>

namespace {

std::mutex pinnedMutex;
QDateTime pinnedInstant;
std::atomic<bool> isPinned{false};

} // namespace

namespace Clock {

QDateTime now()
{
    if (isPinned.load(std::memory_order_acquire)) {
        std::lock_guard lock(pinnedMutex);
        if (pinnedInstant.isValid())
            return pinnedInstant;
    }
    return QDateTime::currentDateTimeUtc();
}

QDateTime nowLocal()
{
    return now().toTimeZone(QTimeZone::systemTimeZone());
}

QDate today()
{
    return nowLocal().date();
}

void pin(const QDateTime& instant)
{
    std::lock_guard lock(pinnedMutex);
    pinnedInstant = instant.isValid() ? instant.toUTC() : QDateTime();
    isPinned.store(pinnedInstant.isValid(), std::memory_order_release);
}

void reset()
{
    pin(QDateTime());
}

} // namespace Clock
