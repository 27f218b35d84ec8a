#pragma once

#include "Event.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class FilterRuleRepository;
class PreferencesRepository;
class SyncQueueRepository;
class TaskRepository;
class TemplateRepository;
class ThemeManager;
class UndoStack;
class ViewRepository;

namespace Invitations {
class Service;
}
namespace OrvaAccount {
class Client;
}
namespace Orvandellic {
class ConfigSyncService;
}
namespace Sync {
class ConflictResolutionService;
}
namespace Weather {
class Service;
}

// The hub the whole program shares: it owns the database, every repository and the long-lived
// services (all QObject children, handed out as plain pointers that callers never delete), and
// it holds the navigation state the views, panes and tray follow. Navigation changes only
// through the setters, which normalise, persist and signal; views react to the signals.
//
// The repositories exist once initialize() has opened the store; the services that read the hub
// back (weather, conflicts, invitations, account client, configuration sync) are built where
// they are wired, by the start-up, and handed in through their setters. Every accessor returns
// null until its object exists. All calls belong to the GUI thread.
class AppState : public QObject
{
    Q_OBJECT

public:
    // The state as it stood just before a recorded navigation change.
    struct NavigationEntry
    {
        QString viewMode;
        QDate date;
        int weekHorizon = 7;
    };

    static constexpr int minHourHeight = 56;
    static constexpr int maxHourHeight = 200;
    static constexpr int minWeekHorizon = 2;
    static constexpr int maxWeekHorizon = 21;

    // Fixed ids of the rows seeded for a user without the cloud service.
    static inline const QString localAccountId = QStringLiteral("personal-local-account");
    static inline const QString localCalendarId = QStringLiteral("orvandellic-personal-default");

    explicit AppState(QObject* parent = nullptr);
    ~AppState() override;

    // Opens and migrates the database, creates the repositories, the theme and the undo list and
    // restores navigation. False when the database cannot be opened or migrated; then only the
    // Database exists and the program must end.
    bool initialize();

    // The services, owned by whoever builds them (the hub is their usual parent). Each is set
    // once, right after it is made, so the services made after it can read it.
    void setWeather(Weather::Service* weather) { m_weather = weather; }
    void setConflicts(Sync::ConflictResolutionService* conflicts) { m_conflicts = conflicts; }
    void setInvitations(Invitations::Service* invitations) { m_invitations = invitations; }
    void setAccountClient(OrvaAccount::Client* client) { m_accountClient = client; }
    void setConfigSync(Orvandellic::ConfigSyncService* configSync) { m_configSync = configSync; }

    Database* database() const { return m_database; }
    PreferencesRepository* preferences() const { return m_preferences; }
    AccountRepository* accounts() const { return m_accounts; }
    CalendarRepository* calendars() const { return m_calendars; }
    EventRepository* events() const { return m_events; }
    TaskRepository* tasks() const { return m_tasks; }
    ViewRepository* views() const { return m_views; }
    FilterRuleRepository* filterRules() const { return m_filterRules; }
    TemplateRepository* templates() const { return m_templates; }
    ThemeManager* themeManager() const { return m_themeManager; }
    UndoStack* undoStack() const { return m_undoStack; }
    Weather::Service* weather() const { return m_weather; }
    OrvaAccount::Client* accountClient() const { return m_accountClient; }
    SyncQueueRepository* syncQueue() const { return m_syncQueue; }
    Sync::ConflictResolutionService* conflicts() const { return m_conflicts; }
    Orvandellic::ConfigSyncService* configSync() const { return m_configSync; }
    Invitations::Service* invitations() const { return m_invitations; }

    QString activeViewId() const { return m_activeViewId; }
    QString selectedEventId() const { return m_selectedEventId; }
    QDate currentDate() const { return m_currentDate; }
    // "day", "week", "days", "grid", "month" or "year"; never "agenda" or "list".
    QString viewMode() const { return m_viewMode; }
    int hourHeight() const { return m_hourHeight; }
    int weekHorizon() const { return m_weekHorizon; }
    // Events the filter rules hide in the shown range; -1 until first counted.
    int filterHiddenCount() const { return m_filterHiddenCount; }
    // Calendar syncs in flight.
    int syncDepth() const { return m_syncDepth; }
    bool isSyncBusy() const { return m_syncDepth > 0; }
    bool lastSyncErrored() const { return m_lastSyncErrored; }
    QString lastSyncError() const { return m_lastSyncError; }
    QString lastSyncErrorSource() const { return m_lastSyncErrorSource; }

    void setActiveViewId(const QString& viewId);
    void setSelectedEventId(const QString& eventId);
    // An invalid date is ignored.
    void setCurrentDate(const QDate& date);
    // "agenda" and "list" become "week".
    void setViewMode(const QString& mode);
    // One history step for both; the date signal comes before the mode signal.
    void setViewModeAndDate(const QString& mode, const QDate& date);
    // Clamped to minWeekHorizon..maxWeekHorizon.
    void setWeekHorizon(int days);
    // Clamped to minHourHeight..maxHourHeight.
    void setHourHeight(int pixels);
    void setFilterHiddenCount(int count);

    // The density stored for a view mode word: the stored text, or "comfortable".
    QString density(const QString& mode) const;
    bool isCompact(const QString& mode) const;
    // Anything but "compact" is stored as "comfortable".
    void setDensity(const QString& mode, const QString& density);

    // 1 = Monday .. 7 = Sunday: "ui/weekStartDay" when it holds 1..7, else the locale's.
    int firstDayOfWeek() const;
    // 7 when the system locale's territory starts its weeks on Sunday, else 1.
    static int localeFirstDayOfWeek();

    void navigateBack();
    void navigateForward();
    QList<NavigationEntry> backHistory() const { return m_back; }
    QList<NavigationEntry> forwardHistory() const { return m_forward; }

    // A busy period lasts from the first beginSync to the matching last endSync; an endSync
    // without a beginSync is ignored.
    void beginSync();
    void endSync(bool failed);
    // Remembers the failure (calendar id, message) that a following endSync(true) reports.
    void setLastSyncError(const QString& source, const QString& message);

    // Calendars of live CalDAV-family, Google and Microsoft accounts. Every view row asks, so the
    // set is kept until a calendar or an account changes.
    QSet<QString> twoWaySyncCalendarIds() const;

    // While an import writes its one transaction on a connection of its own, the store's lock is
    // that connection's, and a write on the window's thread would wait for it. Between holdStore()
    // and releaseStore() preferences and the user's writes are kept instead and written at the
    // release, so the window never waits. Holds nest; the last release writes.
    void holdStore();
    void releaseStore();
    bool isStoreHeld() const { return m_storeHolds > 0; }
    // Stores the event now, or keeps it while the store is held (keptEventWritten tells how its
    // write went). False only when storing it now failed.
    bool insertOrKeep(const Event& event);
    // Runs the user's write now, or keeps it while the store is held (writeKept) and runs it at
    // the last release, after the writes kept before it. `write` reports its own failure and
    // captures nothing the window owns unguarded. True when it ran now.
    bool whenStoreFree(std::function<void()> write);
    // Whether writes are kept for the release of the store.
    bool hasKeptWrites() const { return !m_keptWrites.isEmpty(); }

    // Seeds "On This Device" with its calendar "Personal" unless they exist or a calendar of a
    // live cloud-type account stands in for them. Failures are logged and retried next start.
    void ensureLocalAccount();

    // Asks whoever syncs the calendars (the main window) for a sync now.
    void requestSync() { Q_EMIT syncNowRequested(); }

Q_SIGNALS:
    void databaseReady();
    void activeViewChanged(const QString& viewId);
    void selectedEventChanged(const QString& eventId);
    void currentDateChanged(const QDate& date);
    void viewModeChanged(const QString& mode);
    void hourHeightChanged(int pixels);
    void weekHorizonChanged(int days);
    void filterHiddenCountChanged(int count);
    void densityChanged(const QString& mode, const QString& density);
    void firstDayOfWeekChanged(int day);
    // Asked for by requestSync(): a sync of every calendar now.
    void syncNowRequested();
    void syncBusyChanged(bool busy);
    void lastSyncErroredChanged(bool errored);
    // An event kept while the store was held has been written (`stored`) or could not be.
    void keptEventWritten(const QString& title, bool stored);
    // A write was kept until the store is released.
    void writeKept();
    // The last hold has ended and what was kept meanwhile has been written.
    void storeReleased();

private:
    void restoreNavigation();
    void recordHistory();
    NavigationEntry currentEntry() const;
    void applyEntry(const NavigationEntry& entry);
    void onPreferenceChanged(const QString& key);

    Database* m_database = nullptr;
    PreferencesRepository* m_preferences = nullptr;
    AccountRepository* m_accounts = nullptr;
    CalendarRepository* m_calendars = nullptr;
    EventRepository* m_events = nullptr;
    TaskRepository* m_tasks = nullptr;
    ViewRepository* m_views = nullptr;
    FilterRuleRepository* m_filterRules = nullptr;
    TemplateRepository* m_templates = nullptr;
    ThemeManager* m_themeManager = nullptr;
    UndoStack* m_undoStack = nullptr;
    Weather::Service* m_weather = nullptr;
    OrvaAccount::Client* m_accountClient = nullptr;
    SyncQueueRepository* m_syncQueue = nullptr;
    Sync::ConflictResolutionService* m_conflicts = nullptr;
    Orvandellic::ConfigSyncService* m_configSync = nullptr;
    Invitations::Service* m_invitations = nullptr;

    QString m_activeViewId;
    QString m_selectedEventId;
    QDate m_currentDate;
    QString m_viewMode;
    int m_hourHeight = minHourHeight;
    int m_weekHorizon = 7;
    int m_filterHiddenCount = -1;
    QList<NavigationEntry> m_back;
    QList<NavigationEntry> m_forward;
    bool m_navigating = false;
    int m_syncDepth = 0;
    bool m_syncAnyFailed = false;
    bool m_lastSyncErrored = false;
    QString m_lastSyncError;
    QString m_lastSyncErrorSource;
    int m_storeHolds = 0;
    QList<std::function<void()>> m_keptWrites;
    mutable std::optional<QSet<QString>> m_twoWaySyncCalendarIds;
};
