#pragma once

#include "ConfigSync.h"

#include <QJsonObject>
#include <QObject>

class AppState;
class QTimer;

namespace OrvaAccount {
class ApiClient;
}

namespace Orvandellic {

// Pushes and pulls the user's configuration (accounts without secrets, Views, templates, filter
// rules and the week start) through the cloud sync transport, one sync at a time. A pull never
// overwrites a pending local row, and its cursor ("config/sync/since") moves only once what it
// brought is stored. The local and the sample account never travel. Idle at construction.
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
    // One push, then one pull; skipped while one runs, without a transport or signed out.
    void syncNow();
    // Restarts the debounce timer, so a burst of changes gives one sync.
    void syncOnMutation();

Q_SIGNALS:
    // A sync started by syncNow has ended; ok is false when the push or the pull failed.
    void syncFinished(bool ok);
    // A pull set up accounts on this device; their calendars wait for a calendar sync, which the
    // service's owner starts.
    void accountsPulled();

private:
    ConfigSync::Sections sections() const;
    void push();
    // Marks what the push carried as synced, unless it changed while the push was out.
    void settlePushed(const ConfigSync::LocalConfig& sent, const ConfigSync::Sections& sections);
    void pull();
    // Stores a pull in one transaction; false when nothing was kept. Counts the accounts set up.
    bool applyPull(const QJsonObject& json, const ConfigSync::Sections& sections, int& accounts);
    void finish(bool ok);

    AppState* m_state;
    OrvaAccount::ApiClient* m_syncApi;
    QTimer* m_autoTimer;
    QTimer* m_debounceTimer;
    bool m_syncing = false;
    // Set while the sync writes rows itself, so its own change signals start no further sync.
    bool m_writing = false;
    // The week start was changed here since it last travelled.
    bool m_settingsPending = false;
};

} // namespace Orvandellic
