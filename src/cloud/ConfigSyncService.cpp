#include "ConfigSyncService.h"

#include <QDebug>
#include <QTimer>

namespace Orvandellic {

ConfigSyncService::ConfigSyncService(AppState* state, OrvaAccount::ApiClient* syncApi,
                                     QObject* parent)
    : QObject(parent), m_state(state), m_syncApi(syncApi), m_autoTimer(new QTimer(this)),
      m_debounceTimer(new QTimer(this))
{
    m_autoTimer->setInterval(autoSyncIntervalMs);
    m_debounceTimer->setInterval(mutationDebounceMs);
    m_debounceTimer->setSingleShot(true);
    connect(m_autoTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
    connect(m_debounceTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
}

bool ConfigSyncService::isAutoSyncActive() const
{
    return m_autoTimer->isActive();
}

void ConfigSyncService::startAutoSync()
{
    if (!m_autoTimer->isActive()) {
        m_autoTimer->start();
    }
}

void ConfigSyncService::stopAutoSync()
{
    m_autoTimer->stop();
    m_debounceTimer->stop();
}

void ConfigSyncService::syncNow()
{
    if (m_syncing) {
        qInfo().noquote() << QStringLiteral("[ConfigSync] syncNow skipped — already syncing");
        return;
    }
    if (!m_syncApi) {
        return;
    }
    Q_EMIT syncFinished(true);
}

void ConfigSyncService::syncOnMutation()
{
    m_debounceTimer->start();
}

} // namespace Orvandellic
