#include "AppState.h"

#include "AccountRepository.h"
#include "AccountTypes.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "Defaults.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "SampleSet.h"
#include "SyncQueueRepository.h"
#include "TaskRepository.h"
#include "TemplateRepository.h"
#include "ThemeManager.h"
#include "UndoStack.h"
#include "ViewRepository.h"

#include <QLocale>

#include <algorithm>
#include <utility>

namespace {

const QString activeViewKey = QStringLiteral("ui/activeViewId");
const QString viewDateKey = QStringLiteral("ui/viewDate");
const QString viewModeKey = QStringLiteral("ui/viewMode");
const QString hourHeightKey = QStringLiteral("ui/timelineHourHeight");
const QString weekHorizonKey = QStringLiteral("ui/weekHorizon");
const QString weekStartKey = QStringLiteral("ui/weekStartDay");
const QString densityKeyPrefix = QStringLiteral("ui/density/");
const QString comfortable = QStringLiteral("comfortable");
const QString compact = QStringLiteral("compact");
const QString cloudAccountType = QStringLiteral("orvandellic");

QString normalisedMode(const QString& mode)
{
    if (mode == QLatin1String("agenda") || mode == QLatin1String("list"))
        return QStringLiteral("week");
    return mode;
}

} // namespace

AppState::AppState(QObject* parent) : QObject(parent) {}

AppState::~AppState() = default;

bool AppState::initialize()
{
    m_database = new Database(this);
    const QString path = Platform::databasePath();
    qInfo().noquote() << "[AppState] Opening database at:" << path;
    if (!m_database->open(path) || !m_database->migrate())
        return false;

    m_preferences = new PreferencesRepository(m_database, this);
    connect(m_preferences, &PreferencesRepository::changed, this, &AppState::onPreferenceChanged);

    m_accounts = new AccountRepository(m_database, this);
    m_calendars = new CalendarRepository(m_database, this);
    const auto forgetTwoWaySync = [this] { m_twoWaySyncCalendarIds.reset(); };
    connect(m_accounts, &AccountRepository::accountsChanged, this, forgetTwoWaySync);
    connect(m_calendars, &CalendarRepository::calendarsChanged, this, forgetTwoWaySync);
    m_events = new EventRepository(m_database, this);
    m_tasks = new TaskRepository(m_database, this);
    m_views = new ViewRepository(m_database, this);
    m_filterRules = new FilterRuleRepository(m_database, this);
    m_templates = new TemplateRepository(m_database, this);

    // The theme is in force before any window exists.
    m_themeManager = new ThemeManager(m_preferences, this);
    m_themeManager->load();

    m_undoStack = new UndoStack(this);
    m_syncQueue = new SyncQueueRepository(m_database, this);

    restoreNavigation();
    Q_EMIT databaseReady();
    return true;
}

void AppState::restoreNavigation()
{
    // A View that was removed (its row kept as a tombstone for the configuration sync) is not
    // brought back: the user deleted it.
    QString viewId = m_preferences->getString(activeViewKey, QStringLiteral("all-calendars"));
    const auto stored = m_views->getById(viewId);
    if (!stored || stored->deletedAt) {
        const QList<CalendarView> live = m_views->getAll();
        viewId = live.isEmpty() ? QString() : live.first().id;
    }
    m_activeViewId = viewId;

    // Every start opens on today; the stored view date is only ever written.
    m_currentDate = Clock::today();
    m_viewMode = normalisedMode(m_preferences->getString(viewModeKey, QStringLiteral("week")));
    m_hourHeight = std::clamp(m_preferences->getInt(hourHeightKey, minHourHeight), minHourHeight,
                              maxHourHeight);
    m_weekHorizon =
        std::clamp(m_preferences->getInt(weekHorizonKey, 7), minWeekHorizon, maxWeekHorizon);
}

void AppState::setActiveViewId(const QString& viewId)
{
    if (viewId == m_activeViewId)
        return;
    m_activeViewId = viewId;
    m_preferences->set(activeViewKey, viewId);
    Q_EMIT activeViewChanged(viewId);
}

void AppState::setSelectedEventId(const QString& eventId)
{
    if (eventId == m_selectedEventId)
        return;
    m_selectedEventId = eventId;
    Q_EMIT selectedEventChanged(eventId);
}

void AppState::setCurrentDate(const QDate& date)
{
    if (!date.isValid() || date == m_currentDate)
        return;
    recordHistory();
    m_currentDate = date;
    m_preferences->set(viewDateKey, date.toString(Qt::ISODate));
    Q_EMIT currentDateChanged(date);
}

void AppState::setViewMode(const QString& mode)
{
    const QString normalised = normalisedMode(mode);
    if (normalised == m_viewMode)
        return;
    recordHistory();
    m_viewMode = normalised;
    m_preferences->set(viewModeKey, normalised);
    Q_EMIT viewModeChanged(normalised);
}

void AppState::setViewModeAndDate(const QString& mode, const QDate& date)
{
    const QString normalised = normalisedMode(mode);
    const bool modeChanged = normalised != m_viewMode;
    const bool dateChanged = date.isValid() && date != m_currentDate;
    if (!modeChanged && !dateChanged)
        return;
    recordHistory();
    const bool wasNavigating = m_navigating;
    m_navigating = true;
    if (dateChanged)
        setCurrentDate(date);
    if (modeChanged)
        setViewMode(normalised);
    m_navigating = wasNavigating;
}

void AppState::setWeekHorizon(int days)
{
    const int clamped = std::clamp(days, minWeekHorizon, maxWeekHorizon);
    if (clamped == m_weekHorizon)
        return;
    recordHistory();
    m_weekHorizon = clamped;
    m_preferences->setInt(weekHorizonKey, clamped);
    Q_EMIT weekHorizonChanged(clamped);
}

void AppState::setHourHeight(int pixels)
{
    const int clamped = std::clamp(pixels, minHourHeight, maxHourHeight);
    if (clamped == m_hourHeight)
        return;
    m_hourHeight = clamped;
    m_preferences->setInt(hourHeightKey, clamped);
    Q_EMIT hourHeightChanged(clamped);
}

void AppState::setFilterHiddenCount(int count)
{
    if (count == m_filterHiddenCount)
        return;
    m_filterHiddenCount = count;
    Q_EMIT filterHiddenCountChanged(count);
}

QString AppState::density(const QString& mode) const
{
    if (!m_preferences)
        return comfortable;
    return m_preferences->get(densityKeyPrefix + mode).value_or(comfortable);
}

bool AppState::isCompact(const QString& mode) const
{
    return density(mode) == compact;
}

void AppState::setDensity(const QString& mode, const QString& density)
{
    const QString normalised = density == compact ? compact : comfortable;
    if (!m_preferences || this->density(mode) == normalised)
        return;
    m_preferences->set(densityKeyPrefix + mode, normalised);
    Q_EMIT densityChanged(mode, normalised);
}

int AppState::firstDayOfWeek() const
{
    if (!m_preferences)
        return localeFirstDayOfWeek();
    const int stored = m_preferences->getInt(weekStartKey, 0);
    return stored >= 1 && stored <= 7 ? stored : localeFirstDayOfWeek();
}

int AppState::localeFirstDayOfWeek()
{
    using T = QLocale::Territory;
    // The territories whose weeks start on Sunday.
    // clang-format off
    static const QSet<T> sundayFirst{
        T::UnitedStates, T::Canada, T::Japan, T::Israel, T::Philippines, T::Thailand,
        T::SouthKorea, T::Taiwan, T::SaudiArabia, T::UnitedArabEmirates, T::Bahrain, T::Algeria,
        T::Egypt, T::Iraq, T::Jordan, T::Kuwait, T::Libya, T::Oman,
        T::Qatar, T::Syria, T::Yemen, T::Belize, T::DominicanRepublic, T::Guatemala,
        T::Honduras, T::Mexico, T::Nicaragua, T::Panama, T::ElSalvador, T::Colombia,
        T::Venezuela, T::Peru, T::Brazil, T::SouthAfrica, T::Australia, T::NewZealand,
        T::India, T::Bangladesh, T::Pakistan, T::HongKong, T::Macao, T::China};
    // clang-format on
    return sundayFirst.contains(QLocale::system().territory()) ? 7 : 1;
}

void AppState::onPreferenceChanged(const QString& key)
{
    // Emitted on every write of the key, changed value or not, so listeners can simply re-read.
    if (key == weekStartKey)
        Q_EMIT firstDayOfWeekChanged(firstDayOfWeek());
}

AppState::NavigationEntry AppState::currentEntry() const
{
    return {m_viewMode, m_currentDate, m_weekHorizon};
}

void AppState::recordHistory()
{
    if (m_navigating)
        return;
    m_back.append(currentEntry());
    m_forward.clear();
}

void AppState::applyEntry(const NavigationEntry& entry)
{
    const bool wasNavigating = m_navigating;
    m_navigating = true;
    if (entry.viewMode != m_viewMode)
        setViewMode(entry.viewMode);
    if (entry.date.isValid() && entry.date != m_currentDate)
        setCurrentDate(entry.date);
    if (entry.weekHorizon != m_weekHorizon)
        setWeekHorizon(entry.weekHorizon);
    m_navigating = wasNavigating;
}

void AppState::navigateBack()
{
    if (m_back.isEmpty())
        return;
    m_forward.append(currentEntry());
    applyEntry(m_back.takeLast());
}

void AppState::navigateForward()
{
    if (m_forward.isEmpty())
        return;
    m_back.append(currentEntry());
    applyEntry(m_forward.takeLast());
}

void AppState::beginSync()
{
    ++m_syncDepth;
    if (m_syncDepth == 1) {
        m_syncAnyFailed = false;
        Q_EMIT syncBusyChanged(true);
    }
}

void AppState::endSync(bool failed)
{
    if (m_syncDepth < 1)
        return;
    if (failed)
        m_syncAnyFailed = true;
    --m_syncDepth;
    if (m_syncDepth > 0)
        return;
    const bool flagChanged = m_lastSyncErrored != m_syncAnyFailed;
    m_lastSyncErrored = m_syncAnyFailed;
    if (flagChanged)
        Q_EMIT lastSyncErroredChanged(m_lastSyncErrored);
    if (!m_lastSyncErrored) {
        m_lastSyncError.clear();
        m_lastSyncErrorSource.clear();
    }
    Q_EMIT syncBusyChanged(false);
}

void AppState::setLastSyncError(const QString& source, const QString& message)
{
    m_lastSyncErrorSource = source;
    m_lastSyncError = message;
}

QSet<QString> AppState::twoWaySyncCalendarIds() const
{
    QSet<QString> ids;
    if (!m_accounts || !m_calendars)
        return ids;
    if (m_twoWaySyncCalendarIds)
        return *m_twoWaySyncCalendarIds;
    QSet<QString> twoWayAccounts;
    for (const Account& account : m_accounts->getAll()) {
        if (AccountTypes::isTwoWay(account.type))
            twoWayAccounts.insert(account.id);
    }
    for (const Calendar& calendar : m_calendars->getAll()) {
        if (twoWayAccounts.contains(calendar.accountId))
            ids.insert(calendar.id);
    }
    m_twoWaySyncCalendarIds = ids;
    return ids;
}

void AppState::holdStore()
{
    if (m_storeHolds++ == 0 && m_preferences)
        m_preferences->holdWrites();
}

void AppState::releaseStore()
{
    if (m_storeHolds < 1 || --m_storeHolds > 0)
        return;
    if (m_preferences)
        m_preferences->releaseWrites();
    // In the order the user made them; one may keep another (an undo of the edit before it).
    while (!m_keptWrites.isEmpty() && !isStoreHeld())
        m_keptWrites.takeFirst()();
    if (!isStoreHeld())
        Q_EMIT storeReleased();
}

bool AppState::whenStoreFree(std::function<void()> write)
{
    if (!write)
        return false;
    if (!isStoreHeld()) {
        write();
        return true;
    }
    m_keptWrites.append(std::move(write));
    Q_EMIT writeKept();
    return false;
}

bool AppState::insertOrKeep(const Event& event)
{
    if (!m_events)
        return false;
    if (!isStoreHeld())
        return m_events->insert(event);
    m_keptWrites.append([this, event] {
        const bool stored = m_events->insert(event);
        if (!stored)
            qWarning().noquote() << "[AppState] could not store the kept event" << event.id;
        Q_EMIT keptEventWritten(event.title, stored);
    });
    return true;
}

void AppState::ensureLocalAccount()
{
    const bool hasAccount = m_accounts->getById(localAccountId).has_value();
    const bool hasCalendar = m_calendars->getById(localCalendarId).has_value();
    if (hasAccount && hasCalendar)
        return;

    // A calendar of the cloud account (or of the local account, which shares its type) already
    // gives events a home. The developer sample set is neither.
    for (const Calendar& calendar : m_calendars->getAll()) {
        if (SampleSet::isSampleAccount(calendar.accountId))
            continue;
        const auto account = m_accounts->getById(calendar.accountId);
        if (account && account->type == cloudAccountType)
            return;
    }

    const QDateTime now = Clock::now();
    if (!hasAccount) {
        Account account;
        account.id = localAccountId;
        account.name = QStringLiteral("On This Device");
        account.type = cloudAccountType;
        account.color = QStringLiteral("#4CAF50");
        account.syncIntervalMinutes = 0;
        account.enabled = true;
        account.createdAt = now;
        account.updatedAt = now;
        if (!m_accounts->insert(account)) {
            qWarning("[AppState] Failed to seed local account");
            return;
        }
    }
    if (!hasCalendar) {
        Calendar calendar;
        calendar.id = localCalendarId;
        calendar.accountId = localAccountId;
        calendar.url = QStringLiteral("local://calendar/") + localCalendarId;
        calendar.name = QStringLiteral("Personal");
        calendar.color = Defaults::itemColour;
        calendar.timezone = QStringLiteral("UTC");
        calendar.isVisible = true;
        calendar.isReadOnly = false;
        calendar.isDefault = true;
        calendar.canonicalKey = calendarKey(cloudAccountType, calendar.url).value_or(QString());
        calendar.createdAt = now;
        calendar.updatedAt = now;
        if (!m_calendars->insert(calendar))
            qWarning("[AppState] Failed to seed Personal calendar");
    }
}
