#include "DeferredReload.h"

#include <QTimer>

namespace DeferredReload {

QTimer* create(QObject* owner, const std::function<void()>& reload)
{
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, owner, reload);
    return timer;
}

} // namespace DeferredReload
