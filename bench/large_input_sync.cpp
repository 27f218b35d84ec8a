// Syncs over thousands of calendars, with the main window and the Calendar Accounts dialog open,
// against the same over twenty; each figure is the window's longest event-loop block divided by
// the calendars, the median of a few runs.
//
// "calendar sync": the first sync run of a CalDAV account whose calendars are all unchanged.
// Each calendar's run is a stand-in that writes the calendar's state back as a real run does
// after its pull (the row read again, the ctag the server reported and no error stored) and
// reports at once: what is measured is the store, the orchestration and the windows, not the
// network, and every calendar's write-back lands in one turn of the loop, as replies that
// arrive together do.
//
// "cloud calendar list": the cloud calendar list pulled from the loopback fake of the tests, all
// of its calendars new here. The list takes at most Limits::maxCloudCalendars calendars and
// reports the rest, so the figure is per calendar added.

#include "Account.h"
#include "AccountRepository.h"
#include "ApiClient.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "Clock.h"
#include "ConfigSyncService.h"
#include "EventLoopBlocks.h"
#include "FakeCloudSyncServer.h"
#include "LargeInput.h"
#include "Limits.h"
#include "MainWindow.h"
#include "ManageSourcesDialog.h"
#include "OrvandellicSyncClient.h"
#include "PreferencesRepository.h"
#include "SyncClientFactory.h"
#include "SyncOrchestrator.h"

#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int runs = 3;
const QString accountId = QStringLiteral("dav");

// One calendar's run, settled inside syncCalendar.
class StandInClient : public QObject
{
    Q_OBJECT

public:
    StandInClient(AppState* state, int* completed) : m_state(state), m_completed(completed) {}

    void syncCalendar(const Calendar& calendar)
    {
        Q_EMIT calendarSyncStarted(calendar.id);
        std::optional<Calendar> current = m_state->calendars()->getById(calendar.id);
        if (!current) {
            Q_EMIT calendarSyncFailed(calendar.id, QStringLiteral("gone"));
            return;
        }
        current->ctag = calendar.ctag;
        current->lastSyncError.clear();
        current->updatedAt = Clock::now();
        if (!m_state->calendars()->updateSyncState(*current)) {
            Q_EMIT calendarSyncFailed(calendar.id, QStringLiteral("not stored"));
            return;
        }
        ++*m_completed;
        Q_EMIT calendarSyncCompleted(calendar.id, 0);
    }

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);

private:
    AppState* m_state;
    int* m_completed;
};

class StandInClients : public SyncClientFactory
{
public:
    StandInClients(AppState* state, int* completed) : m_state(state), m_completed(completed) {}

    SyncClientHandle* create(Kind, QObject* parent) override
    {
        auto* client = new StandInClient(m_state, m_completed);
        return SyncClientHandle::wrap(
            client,
            [client](const Calendar& calendar, const CalDavLogin&) {
                client->syncCalendar(calendar);
            },
            parent);
    }
    QString calDavPassword(const QString&) override { return QStringLiteral("secret"); }
    // Found nothing new: the discovery line measures a discovery.
    void rediscover(const Account&, const CalDavLogin&, QObject* context,
                    DiscoveryDone done) override
    {
        QTimer::singleShot(0, context, [done] { done(true, 0, {}); });
    }

private:
    AppState* m_state;
    int* m_completed;
};

// The main window (its views, sidebar and tasks pane) and the Calendar Accounts dialog over the
// state, settled.
struct Windows
{
    Windows(AppState* state, int* completed)
        : window(state, std::make_unique<StandInClients>(state, completed)), dialog(state, &window)
    {
        state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        window.resize(1440, 900);
        window.show();
        dialog.show();
    }

    MainWindow window;
    ManageSourcesDialog dialog;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The window's longest block, in milliseconds, over the first sync of `count` unchanged CalDAV
// calendars; negative when it could not measure.
double syncMs(EventLoopBlocks& app, int count)
{
    AppStateFixture fixture;
    if (!fixture.start())
        return -1;
    AppState* state = fixture.state();
    Account account;
    account.id = accountId;
    account.name = QStringLiteral("Team server");
    account.type = QStringLiteral("caldav");
    account.serverUrl = QStringLiteral("https://dav.example.test/");
    account.username = QStringLiteral("team");
    account.createdAt = account.updatedAt = Clock::now();
    QList<Calendar> calendars;
    for (int index = 0; index < count; ++index) {
        Calendar calendar;
        calendar.id = QStringLiteral("c%1").arg(index);
        calendar.accountId = accountId;
        calendar.url = QStringLiteral("https://dav.example.test/calendars/team/c%1/").arg(index);
        calendar.name = QStringLiteral("Shared calendar %1").arg(index);
        calendar.color = index % 2 ? QStringLiteral("#33B679") : QStringLiteral("#4285F4");
        calendar.ctag = QStringLiteral("ctag-%1").arg(index);
        calendar.syncEnabled = true;
        calendar.createdAt = calendar.updatedAt = Clock::now();
        calendars.append(calendar);
    }
    if (!state->accounts()->insert(account) || !state->calendars()->saveAll(calendars, {}))
        return -1;
    int completed = 0;
    Windows windows(state, &completed);
    if (!app.settle([] { return true; }, 10000))
        return -1;
    // The window's own first sync, SyncOrchestrator::firstSyncDelayMs after it opened.
    app.reset();
    SyncOrchestrator* sync = windows.window.syncOrchestrator();
    if (!app.settle([&] { return completed >= count && !sync->isFullSyncRunning(); }, 120000) ||
        completed != count)
        return -1;
    return app.longestMs();
}

// The window's longest block, in milliseconds, over a cloud calendar list of `count` new
// calendars; negative when it could not measure. `added`: the calendars the list added.
double cloudListMs(EventLoopBlocks& app, int count, int* added)
{
    AppStateFixture fixture;
    FakeCloudSyncServer cloud;
    cloud.exportEnvironment();
    fixture.signIn();
    QSignalSpy requested(fixture.create(), &AppState::syncNowRequested);
    if (!fixture.start())
        return -1;
    AppState* state = fixture.state();
    // The sign-in's own configuration sync and (empty) calendar list come first.
    if (!app.settle([&] { return !requested.isEmpty() && !state->configSync()->isSyncing(); },
                    10000))
        return -1;
    for (int index = 0; index < count; ++index)
        cloud.addCalendar(QStringLiteral("cloud-%1").arg(index, 4, 10, QLatin1Char('0')),
                          QStringLiteral("Team calendar %1").arg(index));
    int completed = 0;
    Windows windows(state, &completed);
    if (!app.settle([] { return true; }, 10000))
        return -1;
    Orvandellic::SyncClient client(state, state->accountClient()->syncApiClient());
    QSignalSpy pulled(&client, &Orvandellic::SyncClient::calendarListPulled);
    app.reset();
    if (!app.run([&] { client.pullCalendarList(); }, [&] { return !pulled.isEmpty(); }, 120000))
        return -1;
    *added = pulled.first().first().toInt();
    return *added > 0 ? app.longestMs() : -1;
}

// Prints one line: the figure per calendar at `large` against `small`.
void report(const char* words, double smallMs, int small, double largeMs, int large)
{
    std::printf("  %d calendars: %8.2f ms longest block (%.4f ms per calendar, median of %d)\n",
                small, smallMs, smallMs / small, runs);
    std::printf("  %d calendars: %8.2f ms longest block (%.4f ms per calendar)\n", large, largeMs,
                largeMs / large);
    std::printf("%s ratio %.2f (target <= 1.5)\n", words, (largeMs / large) / (smallMs / small));
}

} // namespace

namespace LargeInput {

bool calendarSync(EventLoopBlocks& app)
{
    std::vector<double> small;
    std::vector<double> large;
    for (int run = 0; run < runs; ++run) {
        small.push_back(syncMs(app, 20));
        large.push_back(syncMs(app, 2000));
        if (small.back() < 0 || large.back() < 0) {
            std::printf("calendar sync: the sync run could not be measured\n");
            return false;
        }
    }
    report("calendar sync", median(small), 20, median(large), 2000);
    return true;
}

bool cloudCalendarList(EventLoopBlocks& app)
{
    std::vector<double> small;
    std::vector<double> large;
    int smallAdded = 0;
    int largeAdded = 0;
    for (int run = 0; run < runs; ++run) {
        small.push_back(cloudListMs(app, 20, &smallAdded));
        large.push_back(cloudListMs(app, 2000, &largeAdded));
        if (small.back() < 0 || large.back() < 0) {
            std::printf("cloud calendar list: the list could not be measured\n");
            return false;
        }
    }
    std::printf("  the list of 2000 added %d (at most %d are taken)\n", largeAdded,
                Limits::maxCloudCalendars);
    report("cloud calendar list", median(small), smallAdded, median(large), largeAdded);
    return true;
}

} // namespace LargeInput

#include "large_input_sync.moc"
