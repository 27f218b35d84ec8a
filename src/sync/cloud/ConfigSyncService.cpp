#include "ConfigSyncService.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "Clock.h"
#include "Database.h"
#include "FilterRuleRepository.h"
#include "PreferencesRepository.h"
#include "Savepoint.h"
#include "TemplateRepository.h"
#include "ViewRepository.h"

#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QTimer>
#include <QUrlQuery>

namespace Orvandellic {

namespace {

const QString sinceKey = QStringLiteral("config/sync/since");
const QString weekStartKey = QStringLiteral("ui/weekStartDay");
const QString pending = QStringLiteral("pending");
const QString synced = QStringLiteral("synced");

// The service may be gone when an answer arrives (the state hub is being torn down).
constexpr auto whileAlive = &OrvaAccount::ApiClient::whileAlive;

template <typename Record> QHash<QString, Record> byId(const QList<Record>& records)
{
    QHash<QString, Record> map;
    for (const Record& record : records) {
        map.insert(record.id, record);
    }
    return map;
}

QList<QJsonObject> objectsOf(const QJsonObject& json, const char* key)
{
    QList<QJsonObject> objects;
    for (const QJsonValue& value : json.value(QLatin1String(key)).toArray()) {
        if (value.isObject()) {
            objects.append(value.toObject());
        }
    }
    return objects;
}

// Applies the pulled records of one kind, each decided against the local row so that a pending
// local row is never overwritten. `pendingHere` tells whether a row with that id is stored
// (nullopt when not) and whether it is pending; `write` carries out an insert, update or delete.
// Stops at the first write that fails, so the caller's transaction can roll everything back.
template <typename Record, typename Parse, typename PendingHere, typename Write>
bool applyPulled(const QList<QJsonObject>& objects, Parse parse, PendingHere pendingHere,
                 Write write)
{
    for (const QJsonObject& object : objects) {
        bool deleted = false;
        const std::optional<Record> remote = parse(object, &deleted);
        if (!remote) {
            continue;
        }
        const std::optional<bool> localPending = pendingHere(remote->id);
        const ConfigSync::PullAction action =
            ConfigSync::decide(localPending.has_value(), localPending.value_or(false), deleted);
        if (action != ConfigSync::PullAction::Skip && !write(action, *remote)) {
            return false;
        }
    }
    return true;
}

// Pending state of a stored View or filter rule, as applyPulled asks for it.
template <typename Record>
std::optional<bool> pendingIn(const QHash<QString, Record>& local, const QString& id)
{
    const auto here = local.constFind(id);
    if (here == local.cend()) {
        return std::nullopt;
    }
    return here->syncStatus == pending;
}

// An insert, update or hard delete on a repository whose rows carry their own sync status.
template <typename Repository, typename Record>
bool writePulled(Repository* repository, ConfigSync::PullAction action, const Record& record)
{
    switch (action) {
    case ConfigSync::PullAction::Insert:
        return repository->insert(record);
    case ConfigSync::PullAction::Update:
        return repository->update(record);
    case ConfigSync::PullAction::Delete:
        return repository->hardDelete(record.id);
    case ConfigSync::PullAction::Skip:
        break;
    }
    return true;
}

// After a push: the rows sent as pending and not changed since are now on the server; removed
// ones go for good, the rest become synced. (Views and filter rules carry their own status.)
template <typename Repository, typename Record>
void settleSent(Repository* repository, const QList<Record>& sent)
{
    for (const Record& record : sent) {
        const std::optional<Record> now = repository->getById(record.id);
        if (record.syncStatus != pending || !now || now->syncStatus != pending ||
            now->updatedAt != record.updatedAt) {
            continue;
        }
        if (now->deletedAt) {
            repository->hardDelete(record.id);
        } else {
            Record settled = *now;
            settled.syncStatus = synced;
            repository->update(settled);
        }
    }
}

} // namespace

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
    if (m_state && m_state->preferences()) {
        connect(m_state->preferences(), &PreferencesRepository::changed, this,
                [this](const QString& key) {
                    if (key == weekStartKey && !m_writing) {
                        m_settingsPending = true;
                    }
                });
    }
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

void ConfigSyncService::syncOnMutation()
{
    if (m_writing) {
        return;
    }
    m_debounceTimer->start();
}

void ConfigSyncService::syncNow()
{
    if (m_syncing) {
        qInfo().noquote() << QStringLiteral("[ConfigSync] syncNow skipped — already syncing");
        return;
    }
    if (!m_syncApi || !m_state || !m_state->preferences()) {
        return;
    }
    // Signed out, every request would only be refused (a filter edit still restarts the
    // debounce timer then).
    if (m_state->accountClient() && !m_state->accountClient()->isAuthenticated()) {
        return;
    }
    m_syncing = true;
    push();
}

ConfigSync::Sections ConfigSyncService::sections() const
{
    PreferencesRepository* preferences = m_state->preferences();
    ConfigSync::Sections sections;
    sections.accounts = preferences->getBool(QStringLiteral("config/sync/accounts"), true);
    sections.filters = preferences->getBool(QStringLiteral("config/sync/filters"), true);
    sections.settings = preferences->getBool(QStringLiteral("config/sync/settings"), true);
    sections.templates = preferences->getBool(QStringLiteral("config/sync/templates"), true);
    sections.views = preferences->getBool(QStringLiteral("config/sync/views"), true);
    return sections;
}

void ConfigSyncService::push()
{
    ConfigSync::LocalConfig local;
    local.views = m_state->views()->getAllIncludingDeleted();
    local.filterRules = m_state->filterRules()->getAllIncludingDeleted();
    local.templates = m_state->templates()->getAllIncludingDeleted();
    const QStringList pendingTemplates = m_state->templates()->getPendingIds();
    local.pendingTemplateIds = QSet<QString>(pendingTemplates.begin(), pendingTemplates.end());
    local.accounts = m_state->accounts()->getAllIncludingDeleted();
    local.calendars = m_state->calendars()->getAll();
    local.weekStartDay = m_state->preferences()->getInt(weekStartKey, 0);
    local.settingsPending = m_settingsPending;
    const ConfigSync::Sections parts = sections();

    m_syncApi->post(QStringLiteral("/sync/push"), ConfigSync::buildPush(local, parts),
                    whileAlive(this, [this, local, parts](bool ok, int status, const QJsonObject&) {
                        if (!ok) {
                            qWarning().noquote() << "[ConfigSync] push failed, HTTP" << status;
                            finish(false);
                            return;
                        }
                        m_writing = true;
                        settlePushed(local, parts);
                        m_writing = false;
                        pull();
                    }));
}

void ConfigSyncService::settlePushed(const ConfigSync::LocalConfig& sent,
                                     const ConfigSync::Sections& parts)
{
    // The server now has these rows; removed ones are gone for good, the rest are synced.
    if (parts.views) {
        settleSent(m_state->views(), sent.views);
    }
    if (parts.filters) {
        settleSent(m_state->filterRules(), sent.filterRules);
    }
    if (parts.templates) {
        const QHash<QString, EventTemplate> now =
            byId(m_state->templates()->getAllIncludingDeleted());
        const QStringList stillPending = m_state->templates()->getPendingIds();
        for (const EventTemplate& eventTemplate : sent.templates) {
            const auto current = now.constFind(eventTemplate.id);
            if (!sent.pendingTemplateIds.contains(eventTemplate.id) || current == now.cend() ||
                !stillPending.contains(eventTemplate.id) ||
                current->updatedAt != eventTemplate.updatedAt) {
                continue;
            }
            if (current->deletedAt) {
                m_state->templates()->hardDelete(eventTemplate.id);
            } else {
                m_state->templates()->update(*current, synced);
            }
        }
    }
    if (parts.settings && sent.settingsPending &&
        m_state->preferences()->getInt(weekStartKey, 0) == sent.weekStartDay) {
        m_settingsPending = false;
    }
    if (parts.accounts) {
        for (const Account& account : sent.accounts) {
            if (account.deletedAt && ConfigSync::accountTravels(account)) {
                m_state->accounts()->reapTombstone(account.id);
            }
        }
    }
}

void ConfigSyncService::pull()
{
    QUrlQuery query;
    const QString since = m_state->preferences()->getString(sinceKey);
    if (!since.isEmpty()) {
        query.addQueryItem(QStringLiteral("since"), since);
    }
    m_syncApi->get(QStringLiteral("/sync/pull"),
                   whileAlive(this,
                              [this](bool ok, int status, const QJsonObject& json) {
                                  if (!ok) {
                                      qWarning().noquote()
                                          << "[ConfigSync] pull failed, HTTP" << status;
                                      finish(false);
                                      return;
                                  }
                                  int accounts = 0;
                                  // What the pull writes is not a local change: it must not
                                  // be pushed back nor restart the debounce.
                                  m_writing = true;
                                  const bool stored = applyPull(json, sections(), accounts);
                                  m_writing = false;
                                  if (!stored) {
                                      qWarning().noquote()
                                          << "[ConfigSync] storing the pull failed";
                                      finish(false);
                                      return;
                                  }
                                  if (accounts > 0) {
                                      qInfo().noquote() << "[ConfigSync] set up" << accounts
                                                        << "pulled account(s)";
                                      Q_EMIT accountsPulled();
                                  }
                                  finish(true);
                              }),
                   query);
}

bool ConfigSyncService::applyPull(const QJsonObject& json, const ConfigSync::Sections& parts,
                                  int& accounts)
{
    Savepoint transaction(m_state->database()->database());
    if (!transaction.isActive()) {
        return false;
    }
    const QList<Calendar> calendars = m_state->calendars()->getAll();
    bool stored = true;

    if (parts.views && stored) {
        ViewRepository* repository = m_state->views();
        const QHash<QString, CalendarView> local = byId(repository->getAllIncludingDeleted());
        stored = applyPulled<CalendarView>(
            objectsOf(json, "views"),
            [&](const QJsonObject& object, bool* deleted) {
                return ConfigSync::viewFromJson(object, calendars, deleted);
            },
            [&](const QString& id) { return pendingIn(local, id); },
            [&](ConfigSync::PullAction action, const CalendarView& view) {
                return writePulled(repository, action, view);
            });
    }
    if (parts.filters && stored) {
        FilterRuleRepository* repository = m_state->filterRules();
        const QHash<QString, FilterRule> local = byId(repository->getAllIncludingDeleted());
        stored = applyPulled<FilterRule>(
            objectsOf(json, "filter_rules"),
            [&](const QJsonObject& object, bool* deleted) {
                return ConfigSync::filterRuleFromJson(object, calendars, deleted);
            },
            [&](const QString& id) { return pendingIn(local, id); },
            [&](ConfigSync::PullAction action, const FilterRule& rule) {
                return writePulled(repository, action, rule);
            });
    }
    if (parts.templates && stored) {
        // The template record holds no sync status: pending ids come from the store apart, and
        // pulled templates are stored as synced.
        TemplateRepository* repository = m_state->templates();
        const QHash<QString, EventTemplate> local = byId(repository->getAllIncludingDeleted());
        const QStringList pendingIds = repository->getPendingIds();
        stored = applyPulled<EventTemplate>(
            objectsOf(json, "templates"),
            [&](const QJsonObject& object, bool* deleted) {
                return ConfigSync::templateFromJson(object, calendars, deleted);
            },
            [&](const QString& id) -> std::optional<bool> {
                if (!local.contains(id)) {
                    return std::nullopt;
                }
                return pendingIds.contains(id);
            },
            [&](ConfigSync::PullAction action, const EventTemplate& eventTemplate) {
                switch (action) {
                case ConfigSync::PullAction::Insert:
                    return repository->insert(eventTemplate, synced);
                case ConfigSync::PullAction::Update:
                    return repository->update(eventTemplate, synced);
                default:
                    return writePulled(repository, action, eventTemplate);
                }
            });
    }
    if (parts.accounts) {
        AccountRepository* repository = m_state->accounts();
        const QHash<QString, Account> local = byId(repository->getAllIncludingDeleted());
        for (const QJsonObject& object : objectsOf(json, "accounts")) {
            bool deleted = false;
            std::optional<Account> remote = ConfigSync::accountFromJson(object, &deleted);
            if (!remote || !stored) {
                continue;
            }
            const auto here = local.constFind(remote->id);
            const bool exists = here != local.cend();
            const bool localPending = exists && (here->deletedAt.has_value() ||
                                                 ConfigSync::accountIsNewer(*here, *remote));
            if (!remote->updatedAt.isValid()) {
                remote->updatedAt = Clock::now();
                remote->createdAt = remote->updatedAt;
            }
            ConfigSync::PullAction action = ConfigSync::decide(exists, localPending, deleted);
            if (action == ConfigSync::PullAction::Update &&
                !ConfigSync::accountDiffers(*here, *remote)) {
                action = ConfigSync::PullAction::Skip;
            }
            switch (action) {
            case ConfigSync::PullAction::Insert:
                stored = repository->insert(*remote);
                accounts += stored ? 1 : 0;
                break;
            case ConfigSync::PullAction::Update: {
                // What only this device knows stays: its sync times, errors and pins.
                Account merged = *remote;
                merged.lastSyncTime = here->lastSyncTime;
                merged.lastSyncError = here->lastSyncError;
                merged.pendingCertSha256 = here->pendingCertSha256;
                merged.excludeFromSync = here->excludeFromSync;
                merged.createdAt = here->createdAt;
                stored = repository->update(merged);
                accounts += stored ? 1 : 0;
                break;
            }
            case ConfigSync::PullAction::Delete:
                stored = repository->remove(remote->id) && repository->reapTombstone(remote->id);
                break;
            case ConfigSync::PullAction::Skip:
                break;
            }
        }
    }
    if (parts.settings && stored) {
        PreferencesRepository* preferences = m_state->preferences();
        const std::optional<int> weekStart = ConfigSync::pulledWeekStart(
            json.value(QLatin1String("settings")).toObject(),
            preferences->getBool(QStringLiteral("ui/weekStartDay/customized"), false));
        if (weekStart && preferences->getInt(weekStartKey, 0) != *weekStart) {
            stored = preferences->set(weekStartKey, QString::number(*weekStart));
        }
    }
    // The cursor moves with what it covers, in the same transaction.
    const QString timestamp = json.value(QLatin1String("timestamp")).toString();
    if (stored && !timestamp.isEmpty()) {
        stored = m_state->preferences()->set(sinceKey, timestamp);
    }
    if (!stored) {
        transaction.rollback();
        accounts = 0;
        return false;
    }
    if (!transaction.commit()) {
        accounts = 0;
        return false;
    }
    return true;
}

void ConfigSyncService::finish(bool ok)
{
    m_syncing = false;
    Q_EMIT syncFinished(ok);
}

} // namespace Orvandellic
