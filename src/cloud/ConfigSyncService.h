#pragma once

#include <QObject>

class AppState;
class QTimer;

namespace OrvaAccount {
class ApiClient;
}

namespace Orvandellic {

// Pushes and pulls the user's configuration (accounts, per-calendar preferences, Views, templates,
// filter rules and a few settings) through the cloud sync transport. Idle at construction.
class ConfigSyncService : public QObject
{
    Q_OBJECT

public:
    static constexpr int autoSyncIntervalMs = 300000;
    static constexpr int mutationDebounceMs = 2000;

    ConfigSyncService(AppState* state, OrvaAccount::ApiClient* syncApi, QObject* parent = nullptr);

    bool isSyncing() const { return m_syncing; }
    bool isAutoSyncActive() const;

public Q_SLOTS:
    // Starts the automatic timer unless it already runs.
    void startAutoSync();
    // Stops the automatic and the debounce timer.
    void stopAutoSync();
    // One push, then one pull; skipped while one runs or without a transport.
    void syncNow();
    // Restarts the debounce timer, so a burst of changes gives one sync.
    void syncOnMutation();

Q_SIGNALS:
    // A sync started by syncNow has ended; ok is false when the push or the pull failed.
    void syncFinished(bool ok);

private:
    AppState* m_state;
    OrvaAccount::ApiClient* m_syncApi;
    QTimer* m_autoTimer;
    QTimer* m_debounceTimer;
    bool m_syncing = false;
};

} // namespace Orvandellic
