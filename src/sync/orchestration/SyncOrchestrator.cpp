#include "SyncOrchestrator.h"

#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AccountTypes.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "Clock.h"
#include "ConfigSyncService.h"
#include "EventRepository.h"
#include "GoogleSyncClient.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "ShownText.h"
#include "SyncRules.h"
#include "TaskRepository.h"
#include "TokenManager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

QString passwordMissingText()
{
    return QCoreApplication::translate("MainWindow", "Password missing");
}

// "Synced 4 events", and the events a source held that could not be stored when there were any.
QString syncedText(int events, int skipped)
{
    QString text = QCoreApplication::translate("MainWindow", "Synced %n event(s)", nullptr, events);
    if (skipped > 0)
        text += QStringLiteral("; ") +
                QCoreApplication::translate("MainWindow", "%n event(s) without start left out",
                                            nullptr, skipped);
    return text;
}

QString noClientText()
{
    return QCoreApplication::translate("MainWindow",
                                       "This account's calendars do not sync in this version.");
}

} // namespace

SyncOrchestrator::SyncOrchestrator(AppState* state, std::unique_ptr<SyncClientFactory> factory,
                                   QObject* parent)
    : QObject(parent), m_state(state), m_factory(std::move(factory)), m_pushTimer(new QTimer(this)),
      m_periodicTimer(new QTimer(this)), m_watchdogTimer(new QTimer(this))
{
    m_pushTimer->setSingleShot(true);
    m_pushTimer->setInterval(pushDelayMs);
    connect(m_pushTimer, &QTimer::timeout, this, &SyncOrchestrator::pushPendingChanges);
    m_periodicTimer->setInterval(periodicCheckMs);
    connect(m_periodicTimer, &QTimer::timeout, this, &SyncOrchestrator::checkPeriodicSync);
    m_watchdogTimer->setInterval(watchdogCheckMs);
    connect(m_watchdogTimer, &QTimer::timeout, this, &SyncOrchestrator::checkWatchdog);
    connect(m_state, &AppState::storeReleased, this, &SyncOrchestrator::runWhatWaitedForStore);
}

SyncOrchestrator::~SyncOrchestrator()
{
    // The clients are children and die with this object; their busy units end here, while the
    // bookkeeping still exists, and nothing is said or started any more.
    showMessage = nullptr;
    m_fullSyncAgain = false;
    m_closing = true;
    const QList<SyncClientHandle*> clients = m_clients.keys();
    for (SyncClientHandle* client : clients) {
        delete client;
    }
}

void SyncOrchestrator::start()
{
    // Every calendar of a burst: a move between calendars leaves pending rows in both.
    const auto changedIn = [this](const QStringList& calendarIds) {
        for (const QString& calendarId : calendarIds)
            onRepositoryChanged(calendarId);
    };
    connect(m_state->events(), &EventRepository::eventsChangedIn, this, changedIn);
    connect(m_state->tasks(), &TaskRepository::tasksChangedIn, this, changedIn);
    m_periodicTimer->start();
    m_watchdogTimer->start();
    QTimer::singleShot(firstSyncDelayMs, this, &SyncOrchestrator::syncNow);
}

void SyncOrchestrator::say(const QString& text, int timeoutMs)
{
    if (showMessage) {
        showMessage(text, timeoutMs);
    }
}

bool SyncOrchestrator::isSignedIn() const
{
    OrvaAccount::Client* client = m_state->accountClient();
    return client != nullptr && !client->tokenManager()->validAccessToken().isEmpty();
}

void SyncOrchestrator::onRepositoryChanged(const QString& calendarId)
{
    if (calendarId.isEmpty()) {
        return;
    }
    // The running sync's own writes land here too; whatever is still pending when it ends is
    // pushed then.
    if (isBusy()) {
        m_changedDuringSync.insert(calendarId);
        return;
    }
    if (SyncRules::inBackOff(m_failureTimes.value(calendarId), Clock::now())) {
        return;
    }
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar) {
        return;
    }
    const std::optional<Account> account = m_state->accounts()->getById(calendar->accountId);
    if (!account || !SyncRules::queuesOnChange(account->type)) {
        return;
    }
    if (m_state->events()->getPending(calendarId).isEmpty() &&
        m_state->tasks()->getPending(calendarId).isEmpty()) {
        return;
    }
    m_pendingPush.insert(calendarId);
    m_pushTimer->start();
}

QString SyncOrchestrator::passwordFor(const Account& account, bool logAsPush)
{
    const QString password = m_factory->calDavPassword(account.id);
    const bool saysMissing =
        AccountAttention::saysPasswordMissing(account.lastSyncError, passwordMissingText());
    if (password.isEmpty()) {
        if (logAsPush) {
            qInfo().noquote() << "[AutoSync] skip — no password for account" << account.id << "("
                              << ShownText::logged(account.name) << ")";
        } else {
            qInfo().noquote() << "[Sync] Skipping account" << ShownText::logged(account.name)
                              << "— no password in keyring for" << Platform::applicationId();
        }
        if (!saysMissing) {
            Account updated = account;
            updated.lastSyncError = passwordMissingText();
            updated.updatedAt = Clock::now();
            m_state->accounts()->update(updated);
        }
    } else if (saysMissing && !logAsPush) {
        Account updated = account;
        updated.lastSyncError.clear();
        updated.updatedAt = Clock::now();
        m_state->accounts()->update(updated);
    }
    return password;
}

void SyncOrchestrator::pushPendingChanges()
{
    // A run writes what it learns on this thread; while an import holds the store that would
    // wait on its lock. The calendars stay pending and are pushed when it ends.
    if (m_state->isStoreHeld()) {
        return;
    }
    const QSet<QString> ids = std::exchange(m_pendingPush, {});
    for (const QString& id : ids) {
        // Never two runs on one calendar: this one is pushed when its sync ends.
        if (m_inFlight.contains(id)) {
            m_changedDuringSync.insert(id);
            continue;
        }
        const std::optional<Calendar> calendar = m_state->calendars()->getById(id);
        if (!calendar) {
            continue;
        }
        const std::optional<Account> account = m_state->accounts()->getById(calendar->accountId);
        if (!account || !account->enabled) {
            continue;
        }
        using Kind = SyncClientFactory::Kind;
        const std::optional<Kind> kind = AccountTypes::clientOf(account->type);
        if (!kind || (*kind == Kind::Cloud && !isSignedIn())) {
            continue;
        }
        // The edit stays pending, for the sync that the new sign-in starts.
        if (AccountAttention::waitsForSignIn(*account)) {
            qInfo().noquote() << "[AutoSync] skip — account" << account->id
                              << "waits for a new sign-in";
            continue;
        }
        if (*kind == Kind::CalDav) {
            const QString password = passwordFor(*account, true);
            if (!password.isEmpty()) {
                runClient(
                    *kind, {*calendar}, false,
                    {account->serverUrl, account->username, password, account->trustedCertSha256});
            }
        } else if (runClient(*kind, {*calendar}, false) == RunStart::NoClient &&
                   *kind == Kind::Google) {
            reportNoClient(*account);
        }
    }
}

void SyncOrchestrator::checkPeriodicSync()
{
    if (isBusy()) {
        return;
    }
    if (SyncRules::anyAccountDue(m_state->accounts()->getAll(), Clock::now())) {
        syncNow();
    }
}

void SyncOrchestrator::reportNoClient(const Account& account)
{
    if (account.lastSyncError != noClientText()) {
        Account updated = account;
        updated.lastSyncError = noClientText();
        updated.updatedAt = Clock::now();
        m_state->accounts()->update(updated);
    }
    say(account.name + QStringLiteral(": ") + noClientText(), 6000);
}

SyncOrchestrator::RunStart SyncOrchestrator::runClient(SyncClientFactory::Kind kind,
                                                       const QList<Calendar>& calendars,
                                                       bool fullSync, const CalDavLogin& login)
{
    QList<Calendar> toStart;
    for (const Calendar& calendar : calendars) {
        if (!m_inFlight.contains(calendar.id)) {
            toStart.append(calendar);
        }
    }
    if (toStart.isEmpty()) {
        return RunStart::NothingToStart;
    }
    SyncClientHandle* client = m_factory->create(kind, this);
    if (client == nullptr) {
        qInfo().noquote() << "[Sync] no client for this account type in this build";
        return RunStart::NoClient;
    }
    ClientState& state = m_clients[client];
    state.fullSync = fullSync;
    state.lastActivity = Clock::now();
    for (const Calendar& calendar : toStart) {
        state.open.insert(calendar.id);
        m_inFlight.insert(calendar.id);
    }
    if (fullSync) {
        ++m_runOpen;
    }
    wireSyncClient(client);
    for (const Calendar& calendar : toStart) {
        m_turns.enqueue(SyncRules::serverOf(kind, calendar.url, login.serverUrl), calendar.id);
        m_waiting.insert(calendar.id, {client, calendar, login});
    }
    startTurns();
    return RunStart::Started;
}

void SyncOrchestrator::startTurns()
{
    if (m_closing) {
        return;
    }
    // A client may report inside syncCalendar and so free a turn: the loop below takes it up
    // rather than a call within the call, however many calendars fail at once.
    if (m_startingTurns) {
        m_turnFreed = true;
        return;
    }
    m_startingTurns = true;
    do {
        m_turnFreed = false;
        for (const QString& id : m_turns.takeStartable()) {
            const Turn turn = m_waiting.take(id);
            const auto it = m_clients.find(turn.client);
            if (it == m_clients.end() || !it->open.contains(id)) {
                endTurn(id);
                continue;
            }
            // Read again: the calendar may have been renamed, synced or removed while it waited.
            const std::optional<Calendar> calendar = m_state->calendars()->getById(id);
            if (!calendar) {
                it->open.remove(id);
                m_inFlight.remove(id);
                endTurn(id);
                endClientIfDone(turn.client);
                continue;
            }
            it->lastActivity = Clock::now();
            turn.client->syncCalendar(*calendar, turn.login);
        }
    } while (m_turnFreed);
    m_startingTurns = false;
}

void SyncOrchestrator::endTurn(const QString& calendarId)
{
    m_waiting.remove(calendarId);
    m_turns.release(calendarId);
    startTurns();
}

void SyncOrchestrator::wireSyncClient(SyncClientHandle* client)
{
    connect(client, &SyncClientHandle::calendarSyncStarted, this,
            [this, client](const QString& id) { onStarted(client, id); });
    connect(client, &SyncClientHandle::calendarSyncCompleted, this,
            [this, client](const QString& id, int count) { onCompleted(client, id, count); });
    connect(client, &SyncClientHandle::calendarEventsSkipped, this,
            [this](const QString& id, int count) { m_skippedByCalendar[id] += count; });
    connect(
        client, &SyncClientHandle::calendarSyncFailed, this,
        [this, client](const QString& id, const QString& reason) { onFailed(client, id, reason); });
    connect(client, &QObject::destroyed, this, [this, client] {
        const auto it = m_clients.find(client);
        if (it == m_clients.end()) {
            return;
        }
        const ClientState state = *it;
        m_clients.erase(it);
        for (const QString& id : state.open) {
            m_inFlight.remove(id);
            endTurn(id);
        }
        for (int i = 0; i < state.started.size(); ++i) {
            m_state->endSync(true);
        }
        onClientEnded(state.fullSync);
    });
}

void SyncOrchestrator::onStarted(SyncClientHandle* client, const QString& calendarId)
{
    const auto it = m_clients.find(client);
    if (it == m_clients.end() || !it->open.contains(calendarId)) {
        return;
    }
    it->lastActivity = Clock::now();
    if (!it->started.contains(calendarId)) {
        it->started.insert(calendarId);
        m_state->beginSync();
    }
}

void SyncOrchestrator::onCompleted(SyncClientHandle* client, const QString& calendarId,
                                   int eventCount)
{
    const auto it = m_clients.find(client);
    if (it == m_clients.end() || !it->open.contains(calendarId)) {
        return;
    }
    const bool wasStarted = it->started.remove(calendarId);
    const bool fullSync = it->fullSync;
    it->open.remove(calendarId);
    it->lastActivity = Clock::now();
    m_inFlight.remove(calendarId);
    // The next calendar starts before this one's busy unit ends, so that a long sync does not
    // look finished between two calendars.
    endTurn(calendarId);
    if (wasStarted) {
        m_state->endSync(false);
    }
    const int skipped = m_skippedByCalendar.take(calendarId);
    if (fullSync) {
        m_syncedEventTotal += eventCount;
        m_skippedEventTotal += skipped;
        ++m_runReported;
        say(syncedText(m_syncedEventTotal, m_skippedEventTotal), 4000);
    } else if (eventCount > 0 || skipped > 0) {
        say(syncedText(eventCount, skipped), 3000);
    }
    endClientIfDone(client);
}

void SyncOrchestrator::onFailed(SyncClientHandle* client, const QString& calendarId,
                                const QString& reason)
{
    const auto it = m_clients.find(client);
    if (it == m_clients.end() || !it->open.contains(calendarId)) {
        return;
    }
    // A client that fails before it reports the start still leaves its error behind.
    if (!it->started.remove(calendarId)) {
        m_state->beginSync();
    }
    const bool fullSync = it->fullSync;
    it->open.remove(calendarId);
    it->lastActivity = Clock::now();
    m_inFlight.remove(calendarId);
    m_failureTimes.insert(calendarId, Clock::now());
    const QString named = namedFailure(calendarId, reason);
    m_state->setLastSyncError(calendarId, named);
    endTurn(calendarId);
    m_state->endSync(true);
    if (fullSync) {
        ++m_runReported;
        m_runFailed = true;
        m_lastFailureReason = named;
    }
    say(named, fullSync ? 6000 : 5000);
    endClientIfDone(client);
}

QString SyncOrchestrator::namedFailure(const QString& calendarId, const QString& reason) const
{
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    const std::optional<Account> account =
        calendar ? m_state->accounts()->getById(calendar->accountId) : std::nullopt;
    if (!account) {
        return reason;
    }
    return QCoreApplication::translate("MainWindow", "%1 (%2): %3")
        .arg(ShownText::logged(calendar->name), ShownText::logged(account->name), reason);
}

void SyncOrchestrator::endClientIfDone(SyncClientHandle* client)
{
    const auto it = m_clients.find(client);
    if (it == m_clients.end() || !it->open.isEmpty()) {
        return;
    }
    const bool fullSync = it->fullSync;
    m_clients.erase(it);
    client->deleteLater();
    onClientEnded(fullSync);
}

void SyncOrchestrator::onClientEnded(bool fullSync)
{
    if (fullSync) {
        releaseRunItem();
    } else if (!isBusy()) {
        flushChangesMadeDuringSync();
    }
}

void SyncOrchestrator::releaseRunItem()
{
    if (--m_runOpen <= 0 && m_fullSyncRunning) {
        finishRun();
    }
}

void SyncOrchestrator::finishRun()
{
    m_fullSyncRunning = false;
    m_runOpen = 0;
    if (m_runStartedAccounts > 0 && m_runFailed) {
        // A failure reported while the accounts were still being started was replaced by
        // "Syncing…"; say it again so that text ends.
        say(m_lastFailureReason, 6000);
    } else if (m_runStartedAccounts > 0) {
        // The run's last word replaces "Syncing…", which has no time-out of its own.
        if (m_runReported > 0) {
            say(syncedText(m_syncedEventTotal, m_skippedEventTotal), 4000);
        } else {
            say(QCoreApplication::translate("MainWindow",
                                            "All caught up, nothing waiting to sync."),
                5000);
        }
    }
    if (m_fullSyncAgain) {
        m_fullSyncAgain = false;
        QTimer::singleShot(0, this, &SyncOrchestrator::syncNow);
        return;
    }
    if (!isBusy()) {
        flushChangesMadeDuringSync();
    }
}

void SyncOrchestrator::flushChangesMadeDuringSync()
{
    const QSet<QString> ids = std::exchange(m_changedDuringSync, {});
    for (const QString& id : ids) {
        onRepositoryChanged(id);
    }
}

void SyncOrchestrator::syncNow()
{
    if (m_state->isStoreHeld()) {
        m_syncWhenStoreFree = true;
        return;
    }
    if (m_fullSyncRunning) {
        m_fullSyncAgain = true;
        return;
    }
    m_fullSyncRunning = true;
    m_runOpen = 1; // held by this pass until every account has been looked at
    m_runStartedAccounts = 0;
    m_runReported = 0;
    m_runFailed = false;
    m_syncedEventTotal = 0;
    m_skippedEventTotal = 0;
    const QDateTime now = Clock::now();

    for (Account account : m_state->accounts()->getAll()) {
        if (account.enabled && SyncRules::hasSyncInterval(account.type)) {
            account.lastSyncTime = now;
            account.updatedAt = now;
            m_state->accounts()->update(account);
        }
    }

    int started = 0;
    for (const Account& account : m_state->accounts()->getAll()) {
        if (!account.enabled || !AccountTypes::isCalDavFamily(account.type)) {
            continue;
        }
        const QString password = passwordFor(account, false);
        if (password.isEmpty()) {
            continue;
        }
        const CalDavLogin login{account.serverUrl, account.username, password,
                                account.trustedCertSha256};
        const QString accountId = account.id;
        const int token = ++m_nextDiscovery;
        auto finished = std::make_shared<bool>(false);
        const auto proceed = [this, accountId, login, token, finished] {
            if (*finished) {
                return;
            }
            *finished = true;
            m_discoveries.remove(token);
            runCalDavAccountSync(accountId, login);
            releaseRunItem();
        };
        m_discoveries.insert(token, {now, proceed});
        ++m_runOpen;
        ++started;
        m_factory->rediscover(
            account, login, this,
            [this, proceed](bool ok, int newCalendars, const QString& reason) {
                if (ok && newCalendars > 0) {
                    say(QCoreApplication::translate("MainWindow", "Discovered %n new calendar(s).",
                                                    nullptr, newCalendars),
                        4000);
                } else if (!ok) {
                    qWarning().noquote() << "[Sync] Rediscovery skipped:" << reason;
                }
                proceed();
            });
    }

    const bool signedIn = isSignedIn();
    QList<Account> withoutClient;
    QList<Account> awaitingSignIn;
    // The other clients, one kind after the other in this order.
    const SyncClientFactory::Kind others[] = {
        SyncClientFactory::Kind::Google, SyncClientFactory::Kind::Microsoft,
        SyncClientFactory::Kind::Cloud, SyncClientFactory::Kind::Webcal};
    for (const SyncClientFactory::Kind kind : others) {
        const bool cloud = kind == SyncClientFactory::Kind::Cloud;
        if (cloud && !signedIn) {
            continue;
        }
        for (const Account& account : m_state->accounts()->getAll()) {
            if (!account.enabled || AccountTypes::clientOf(account.type) != kind) {
                continue;
            }
            // Each of its runs would fail at once with the same refusal: none starts, and the
            // account says once what to do.
            if (AccountAttention::waitsForSignIn(account)) {
                awaitingSignIn.append(account);
                continue;
            }
            QList<Calendar> calendars = m_state->calendars()->getByAccount(account.id);
            if (calendars.isEmpty()) {
                continue;
            }
            if (cloud) {
                calendars.removeIf([](const Calendar& calendar) { return !calendar.syncEnabled; });
            }
            switch (runClient(kind, calendars, true)) {
            case RunStart::Started:
            case RunStart::NothingToStart:
                ++started;
                break;
            case RunStart::NoClient:
                // Neither counted nor "caught up": it is said below that it does not sync.
                withoutClient.append(account);
                break;
            }
        }
    }

    m_runStartedAccounts = started;
    for (const Account& account : withoutClient) {
        reportNoClient(account);
    }
    for (const Account& account : awaitingSignIn) {
        qInfo().noquote() << "[Sync] Skipping account" << ShownText::logged(account.name)
                          << "— it waits for a new sign-in";
        say(account.name + QStringLiteral(": ") + Google::SyncClient::signInRefusedText(), 6000);
    }
    if (started > 0) {
        say(QCoreApplication::translate("MainWindow", "Syncing %n account(s)…", nullptr, started),
            0);
    } else if (withoutClient.isEmpty() && awaitingSignIn.isEmpty()) {
        bool anySyncAccount = false;
        for (const Account& account : m_state->accounts()->getAll()) {
            anySyncAccount =
                anySyncAccount || (account.enabled && SyncRules::isSyncType(account.type));
        }
        say(anySyncAccount
                ? QCoreApplication::translate("MainWindow",
                                              "All caught up, nothing waiting to sync.")
                : QCoreApplication::translate(
                      "MainWindow", "No sync accounts configured. Add one in Calendar Accounts."),
            5000);
    }
    releaseRunItem();
}

void SyncOrchestrator::runCalDavAccountSync(const QString& accountId, const CalDavLogin& login)
{
    const QList<Calendar> calendars = m_state->calendars()->getByAccount(accountId);
    if (!calendars.isEmpty()) {
        runClient(SyncClientFactory::Kind::CalDav, calendars, true, login);
    }
}

void SyncOrchestrator::forceFullSync()
{
    const QString text = QCoreApplication::translate(
        "MainWindow",
        "Re-fetch every event and task from every account, ignoring saved sync tokens. Useful "
        "when items look stale or out of date.\n\nAny unsynced local edits will be discarded "
        "in favour of the server's copy. Pending deletions are preserved.\n\nHeavy accounts "
        "may take a minute or two and use more bandwidth than usual.");
    if (!confirm || !confirm(QCoreApplication::translate("MainWindow", "Force full sync?"), text)) {
        return;
    }
    if (m_state->isStoreHeld()) {
        m_refetchWhenStoreFree = true;
        say(QCoreApplication::translate("MainWindow", "The full sync starts once the import ends."),
            5000);
        return;
    }
    refetchEverything();
}

void SyncOrchestrator::runWhatWaitedForStore()
{
    if (std::exchange(m_refetchWhenStoreFree, false)) {
        m_syncWhenStoreFree = false;
        refetchEverything();
    } else if (std::exchange(m_syncWhenStoreFree, false)) {
        syncNow();
    }
    if (!m_pendingPush.isEmpty()) {
        pushPendingChanges();
    }
}

void SyncOrchestrator::refetchEverything()
{
    const QDateTime now = Clock::now();
    int cleared = 0;
    int discarded = 0;
    for (Calendar calendar : m_state->calendars()->getAll()) {
        // Only rows the server holds can take the server's copy; a row never uploaded stays
        // pending, or an event created offline would never reach the server.
        for (Event event : m_state->events()->getPending(calendar.id)) {
            if (!event.deletedAt &&
                SyncRules::existsRemotely(event.href, event.etag, event.providerEventId)) {
                event.syncStatus = QStringLiteral("synced");
                m_state->events()->update(event);
                ++discarded;
            }
        }
        for (Task task : m_state->tasks()->getPending(calendar.id)) {
            if (!task.deletedAt && SyncRules::existsRemotely(task.href, task.etag, {})) {
                task.syncStatus = QStringLiteral("synced");
                m_state->tasks()->update(task);
                ++discarded;
            }
        }
        if (!calendar.ctag.isEmpty() || !calendar.syncToken.isEmpty() ||
            !calendar.deltaSyncToken.isEmpty()) {
            calendar.ctag.clear();
            calendar.syncToken.clear();
            calendar.deltaSyncToken.clear();
            calendar.updatedAt = now;
            if (m_state->calendars()->updateSyncState(calendar)) {
                ++cleared;
            }
        }
    }
    if (discarded > 0) {
        qInfo().noquote() << "[ForceFullSync] Discarded" << discarded
                          << "unsynced local edit(s) so the server's copy can win.";
    }
    for (Account account : m_state->accounts()->getAll()) {
        if (account.lastSyncTime) {
            account.lastSyncTime.reset();
            account.updatedAt = now;
            m_state->accounts()->update(account);
        }
    }
    m_state->preferences()->remove(QStringLiteral("config/sync/since"));
    say(QCoreApplication::translate("MainWindow",
                                    "Cleared %n calendar sync token(s), running full sync…",
                                    nullptr, cleared),
        4000);
    if (m_state->configSync() != nullptr) {
        m_state->configSync()->syncNow();
    }
    syncNow();
}

void SyncOrchestrator::checkWatchdog()
{
    const QDateTime now = Clock::now();
    const QString reason =
        QCoreApplication::translate("MainWindow", "The sync did not finish in time.");
    QList<SyncClientHandle*> silent;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        // A client whose calendars all wait their turn has not been asked anything yet.
        const bool running =
            std::any_of(it->open.cbegin(), it->open.cend(),
                        [this](const QString& id) { return !m_turns.isWaiting(id); });
        if (running && it->lastActivity.secsTo(now) >= SyncRules::silentClientSeconds) {
            silent.append(it.key());
        }
    }
    for (SyncClientHandle* client : silent) {
        qWarning().noquote() << "[Sync] a sync client stayed silent; failing its calendars";
        const QSet<QString> open = m_clients.value(client).open;
        // Its waiting calendars leave the queue first, so none is handed to it meanwhile.
        for (const QString& id : open) {
            if (m_turns.isWaiting(id)) {
                m_waiting.remove(id);
                m_turns.release(id);
            }
        }
        for (const QString& id : open) {
            onFailed(client, id, reason);
        }
    }
    QList<std::function<void()>> overdue;
    for (auto it = m_discoveries.cbegin(); it != m_discoveries.cend(); ++it) {
        if (it->startedAt.secsTo(now) >= SyncRules::silentClientSeconds) {
            overdue.append(it->giveUp);
        }
    }
    for (const auto& giveUp : overdue) {
        qWarning().noquote() << "[Sync] Rediscovery skipped: no answer";
        giveUp();
    }
}
