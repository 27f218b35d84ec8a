#include "AccountRepository.h"
#include "ApiClient.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "Clock.h"
#include "ConfigSyncService.h"
#include "Database.h"
#include "FakeCloudSyncServer.h"
#include "PreferencesRepository.h"
#include "Services.h"
#include "StoreSeed.h"
#include "ViewRepository.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Rows written before the state opens the store. Accounts "id:type", calendars "id@account",
// Views by id in sort order (added unless stored; a leading "-" removes it), preferences
// "key=value".
void prepare(const QStringList& accounts, const QStringList& calendars,
             const QStringList& views = {}, const QStringList& preferences = {})
{
    Database database;
    QVERIFY(database.open(AppStateFixture::databasePath()) && database.migrate());
    AccountRepository accountRows(&database);
    CalendarRepository calendarRows(&database);
    ViewRepository viewRows(&database);
    PreferencesRepository preferenceRows(&database);
    for (const QString& item : accounts) {
        const QString id = item.section(u':', 0, 0);
        QVERIFY(accountRows.insert(StoreSeed::account(id, id, item.section(u':', 1))));
    }
    for (const QString& item : calendars) {
        const QString id = item.section(u'@', 0, 0);
        QVERIFY(calendarRows.insert(StoreSeed::calendar(id, item.section(u'@', 1), id, {})));
    }
    int order = 10;
    for (const QString& item : views) {
        CalendarView view;
        view.id = view.name = item.startsWith(u'-') ? item.mid(1) : item;
        view.sortOrder = order += 10;
        QVERIFY(viewRows.getById(view.id) || viewRows.insert(view));
        QVERIFY(!item.startsWith(u'-') || viewRows.remove(view.id));
    }
    for (const QString& item : preferences)
        QVERIFY(preferenceRows.set(item.section(u'=', 0, 0), item.section(u'=', 1)));
}

using Entries = QList<AppState::NavigationEntry>;

QString describe(const Entries& entries)
{
    QStringList parts;
    for (const auto& entry : entries)
        parts.append(QStringLiteral("%1 %2 %3")
                         .arg(entry.viewMode, entry.date.toString(Qt::ISODate))
                         .arg(entry.weekHorizon));
    return parts.join(QStringLiteral(" | "));
}

} // namespace

class TestAppState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endpointsFromEnvironment_data();
    void endpointsFromEnvironment();
    void seedsLocalAccountUnlessACloudCalendarExists_data();
    void seedsLocalAccountUnlessACloudCalendarExists();
    void restoresNavigation_data();
    void restoresNavigation();
    void settersNormaliseAndPersist();
    void historySteps();
    void busyPeriodKeepsLastFailure();
    void twoWaySyncCalendarsFollowTheStore();
    void firstDayOfWeek_data();
    void firstDayOfWeek();
    void signedInStartPullsCalendarListThenRequestsSync_data();
    void signedInStartPullsCalendarListThenRequestsSync();
    void servicesComeFromTheInstallNotTheHub();
};

void TestAppState::endpointsFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value"); // UTF-8
    QTest::addColumn<QString>("expected");

    const QByteArray url = "http://127.0.0.1:9/calendar/v1";
    QTest::newRow("realm, UTF-8") << QByteArray("AUTH_REALM_SLUG") << QByteArray("b\xc3\xa4r")
                                  << QStringLiteral("b\u00e4r");
    QTest::newRow("empty realm counts as unset")
        << QByteArray("AUTH_REALM_SLUG") << QByteArray() << "orvandellic";
    QTest::newRow("sync API") << QByteArray("SYNC_API_URL") << url << QString::fromLatin1(url);
    QTest::newRow("empty client id: the built-in one")
        << QByteArray("AUTH_CLIENT_ID") << QByteArray() << "7c3e9a51d0b84f26a1e5c98d3b7f4a20";
}

void TestAppState::endpointsFromEnvironment()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);

    AppStateFixture fixture; // points every variable at the loopback fake
    qputenv(variable.constData(), value);
    QVERIFY(fixture.start());
    const OrvaAccount::Client* client = fixture.state()->accountClient();
    const QHash<QByteArray, QString> actual{
        {"AUTH_REALM_SLUG", client->config().realmSlug},
        {"AUTH_CLIENT_ID", client->config().clientId},
        {"SYNC_API_URL", client->syncApiClient()->baseUrl().toString()}};
    QCOMPARE(actual.value(variable), expected);
    QCOMPARE(client->config().authBaseUrl, fixture.accountService()->baseUrl() + "/auth");
}

void TestAppState::seedsLocalAccountUnlessACloudCalendarExists_data()
{
    QTest::addColumn<QStringList>("accounts");
    QTest::addColumn<QStringList>("calendars");
    QTest::addColumn<bool>("seeded");

    const QStringList cloud{"cloud:orvandellic"};
    QTest::newRow("empty store") << QStringList{} << QStringList{} << true;
    QTest::newRow("cloud calendar stands in") << cloud << QStringList{"c1@cloud"} << false;
    QTest::newRow("cloud account without calendars") << cloud << QStringList{} << true;
    QTest::newRow("only a CalDAV calendar")
        << QStringList{"dav:caldav"} << QStringList{"c1@dav"} << true;
    QTest::newRow("sample set is no cloud")
        << QStringList{"sample-account:orvandellic"}
        << QStringList{"sample-cal-work@sample-account"} << true;
}

void TestAppState::seedsLocalAccountUnlessACloudCalendarExists()
{
    QFETCH(QStringList, accounts);
    QFETCH(QStringList, calendars);
    QFETCH(bool, seeded);

    AppStateFixture fixture;
    prepare(accounts, calendars);
    QVERIFY(fixture.start());
    AppState* state = fixture.state();

    const auto local = state->accounts()->getById(AppState::localAccountId);
    const auto personal = state->calendars()->getById(AppState::localCalendarId);
    QCOMPARE(local.has_value(), seeded);
    QCOMPARE(personal.has_value(), seeded);
    QVERIFY(!state->configSync()->isAutoSyncActive()); // signed out
    if (!seeded)
        return;
    QCOMPARE(local->type, QStringLiteral("orvandellic"));
    QCOMPARE(local->syncIntervalMinutes, 0);
    QCOMPARE(personal->url, QStringLiteral("local://calendar/orvandellic-personal-default"));
    QVERIFY(personal->isDefault);
    QCOMPARE(personal->canonicalKey, *calendarKey(QStringLiteral("orvandellic"), personal->url));
}

void TestAppState::restoresNavigation_data()
{
    QTest::addColumn<QStringList>("views");
    QTest::addColumn<QStringList>("preferences"); // key=value
    QTest::addColumn<QString>("expected");        // View, mode, hour height, horizon

    QTest::newRow("defaults") << QStringList{} << QStringList{} << "all-calendars week 56 7";
    QTest::newRow("stored values")
        << QStringList{"v1", "v2"}
        << QStringList{"ui/activeViewId=v2", "ui/viewMode=month", "ui/timelineHourHeight=90",
                       "ui/weekHorizon=14", "ui/viewDate=2020-01-01"}
        << "v2 month 90 14";
    QTest::newRow("agenda opens in week, values clamped")
        << QStringList{}
        << QStringList{"ui/viewMode=agenda", "ui/timelineHourHeight=10", "ui/weekHorizon=30"}
        << "all-calendars week 56 21";
    QTest::newRow("upper clamps, text not a number")
        << QStringList{} << QStringList{"ui/timelineHourHeight=500", "ui/weekHorizon=abc"}
        << "all-calendars week 200 7";
    QTest::newRow("missing View falls back to the default View")
        << QStringList{"v1", "v2"} << QStringList{"ui/activeViewId=gone"}
        << "all-calendars week 56 7";
    QTest::newRow("removed View is not restored")
        << QStringList{"-all-calendars", "v1", "-v2"} << QStringList{"ui/activeViewId=v2"}
        << "v1 week 56 7";
    QTest::newRow("no live View at all")
        << QStringList{"-all-calendars"} << QStringList{} << " week 56 7";
}

void TestAppState::restoresNavigation()
{
    QFETCH(QStringList, views);
    QFETCH(QStringList, preferences);
    QFETCH(QString, expected);

    AppStateFixture fixture;
    prepare({}, {}, views, preferences);
    AppState* state = fixture.create();
    QSignalSpy modeSignals(state, &AppState::viewModeChanged);
    QSignalSpy ready(state, &AppState::databaseReady);
    QVERIFY(fixture.start());
    QCOMPARE(ready.count(), 1);

    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(state->activeViewId(), state->viewMode())
                 .arg(state->hourHeight())
                 .arg(state->weekHorizon()),
             expected);
    QCOMPARE(state->currentDate(), Clock::today());
    QCOMPARE(modeSignals.count(), 0);
    // The corrected View id is not written back.
    const QString stored = preferences.filter("ui/activeViewId=").value(0).section(u'=', 1);
    QCOMPARE(state->preferences()->getString(QStringLiteral("ui/activeViewId")), stored);
}

void TestAppState::settersNormaliseAndPersist()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    PreferencesRepository* preferences = state->preferences();
    QSignalSpy modes(state, &AppState::viewModeChanged);
    QSignalSpy heights(state, &AppState::hourHeightChanged);
    QSignalSpy densities(state, &AppState::densityChanged);

    state->setViewMode(QStringLiteral("list")); // "week" already
    state->setViewMode(QStringLiteral("day"));
    state->setViewMode(QStringLiteral("agenda"));
    QCOMPARE(state->viewMode(), QStringLiteral("week"));
    QCOMPARE(preferences->getString(QStringLiteral("ui/viewMode")), QStringLiteral("week"));
    QCOMPARE(modes.count(), 2);

    state->setHourHeight(10); // clamps to 56, the current value
    QCOMPARE(heights.count(), 0);
    state->setHourHeight(500);
    QCOMPARE(state->hourHeight(), 200);
    QCOMPARE(preferences->getInt(QStringLiteral("ui/timelineHourHeight")), 200);
    state->setWeekHorizon(1);
    QCOMPARE(state->weekHorizon(), 2);
    state->setWeekHorizon(30);
    QCOMPARE(state->weekHorizon(), 21);

    state->setCurrentDate(QDate());
    QCOMPARE(state->currentDate(), Clock::today());
    state->setCurrentDate(QDate(2026, 4, 1));
    QCOMPARE(preferences->getString(QStringLiteral("ui/viewDate")), QStringLiteral("2026-04-01"));

    state->setDensity(QStringLiteral("week"), QStringLiteral("tight")); // comfortable already
    QCOMPARE(densities.count(), 0);
    state->setDensity(QStringLiteral("week"), QStringLiteral("compact"));
    QVERIFY(state->isCompact(QStringLiteral("week")));
    QVERIFY(!state->isCompact(QStringLiteral("day")));
    state->setDensity(QStringLiteral("week"), QStringLiteral("tight"));
    QCOMPARE(densities.last().at(1).toString(), QStringLiteral("comfortable"));
}

void TestAppState::historySteps()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QDate today = Clock::today();
    const QDate other = today.addDays(10);
    const auto current = [state] {
        return describe({{state->viewMode(), state->currentDate(), state->weekHorizon()}});
    };
    const QString todayWeek = describe({{"week", today, 7}});
    const QString otherWeek = describe({{"week", other, 7}});

    state->navigateBack(); // nothing to go back to
    state->navigateForward();
    QVERIFY(state->backHistory().isEmpty());

    // Three recorded changes, three steps; the hour height records none.
    state->setCurrentDate(other);
    state->setViewMode(QStringLiteral("day"));
    state->setHourHeight(80);
    state->setWeekHorizon(5);
    QCOMPARE(describe(state->backHistory()),
             todayWeek + " | " + otherWeek + " | " + describe({{"day", other, 7}}));

    // Going back re-applies one change a step, recording nothing.
    QStringList order;
    connect(state, &AppState::viewModeChanged, state, [&order] { order << "mode"; });
    connect(state, &AppState::currentDateChanged, state, [&order] { order << "date"; });
    connect(state, &AppState::weekHorizonChanged, state, [&order] { order << "horizon"; });
    for (int i = 0; i < 3; ++i)
        state->navigateBack();
    QCOMPARE(order, (QStringList{"horizon", "mode", "date"}));
    QCOMPARE(current(), todayWeek);
    QCOMPARE(state->preferences()->getInt(QStringLiteral("ui/weekHorizon")), 7);
    QVERIFY(state->backHistory().isEmpty());
    QCOMPARE(state->forwardHistory().size(), 3);

    state->navigateForward();
    QCOMPARE(current(), otherWeek);

    // A new navigation after going back empties the forward list; date first, then mode.
    order.clear();
    state->setViewModeAndDate(QStringLiteral("month"), today.addDays(40));
    QCOMPARE(order, (QStringList{"date", "mode"}));
    QVERIFY(state->forwardHistory().isEmpty());
    QCOMPARE(state->backHistory().size(), 2); // the forward step, then one for the combined change
    state->setViewModeAndDate(QStringLiteral("month"), QDate());
    QCOMPARE(state->backHistory().size(), 2);
    state->navigateBack();
    QCOMPARE(current(), otherWeek);
}

// The kept set follows a new calendar (with its account or alone), an account's new type and a
// removed calendar.
void TestAppState::twoWaySyncCalendarsFollowTheStore()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    Account account = StoreSeed::account("dav", "Server", "caldav");
    const Calendar calendar = StoreSeed::calendar("dav-1", "dav", "Work", "#4285F4");
    const QSet<QString> before = state->twoWaySyncCalendarIds();
    QVERIFY(StoreSeed::addCalendar(state, account, calendar));
    QCOMPARE(state->twoWaySyncCalendarIds(), before + QSet<QString>{calendar.id});
    const Calendar second = StoreSeed::calendar("dav-2", "dav", "Home", "#0B8043");
    QVERIFY(StoreSeed::addCalendar(state, account, second));
    QCOMPARE(state->twoWaySyncCalendarIds(), before + QSet<QString>({calendar.id, second.id}));
    QVERIFY(state->calendars()->remove(second.id));
    QCOMPARE(state->twoWaySyncCalendarIds(), before + QSet<QString>{calendar.id});
    account.type = QStringLiteral("webcal");
    QVERIFY(state->accounts()->update(account));
    QCOMPARE(state->twoWaySyncCalendarIds(), before);
    account.type = QStringLiteral("caldav");
    QVERIFY(state->accounts()->update(account) && state->calendars()->remove(calendar.id));
    QCOMPARE(state->twoWaySyncCalendarIds(), before);
}

void TestAppState::busyPeriodKeepsLastFailure()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QSignalSpy busy(state, &AppState::syncBusyChanged);
    QSignalSpy errored(state, &AppState::lastSyncErroredChanged);

    state->endSync(true); // without a begin: ignored
    QCOMPARE(busy.count(), 0);

    // Nested periods: busy once; a failure reported inside stays the period's outcome.
    state->beginSync();
    state->beginSync();
    state->setLastSyncError(QStringLiteral("cal-1"), QStringLiteral("Server said no"));
    state->endSync(true);
    QVERIFY(state->isSyncBusy());
    state->endSync(false);
    QCOMPARE(busy.count(), 2);
    QCOMPARE(busy.at(0).at(0).toBool(), true);
    QCOMPARE(busy.at(1).at(0).toBool(), false);
    QCOMPARE(errored.count(), 1);
    QCOMPARE(state->lastSyncError(), QStringLiteral("Server said no"));
    QCOMPARE(state->lastSyncErrorSource(), QStringLiteral("cal-1"));

    state->beginSync();
    state->endSync(false);
    QVERIFY(!state->lastSyncErrored());
    QVERIFY(state->lastSyncError().isEmpty());
    QCOMPARE(errored.count(), 2);
    QCOMPARE(busy.count(), 4);
}

void TestAppState::firstDayOfWeek_data()
{
    QTest::addColumn<QString>("stored"); // null: no row
    QTest::addColumn<int>("day");        // 0: the locale's

    QTest::newRow("no preference") << QString() << 0;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("8") << "8" << 0;
    QTest::newRow("Monday") << "1" << 1;
    QTest::newRow("Sunday") << "7" << 7;
}

void TestAppState::firstDayOfWeek()
{
    QFETCH(QString, stored);
    QFETCH(int, day);

    // The test runs once under en_US (Sunday) and once under de_DE (Monday).
    const QByteArray locale = qgetenv("LC_ALL");
    const int localeDay = locale.startsWith("en_US") ? 7 : locale.startsWith("de_DE") ? 1 : 0;
    if (localeDay == 0)
        QSKIP("needs LC_ALL en_US or de_DE");
    QCOMPARE(AppState::localeFirstDayOfWeek(), localeDay);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QSignalSpy changed(state, &AppState::firstDayOfWeekChanged);
    if (!stored.isNull()) {
        state->preferences()->set(QStringLiteral("ui/weekStartDay"), stored);
        state->preferences()->set(QStringLiteral("ui/weekStartDay"), stored); // unchanged
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toInt(), day ? day : localeDay);
    }
    QCOMPARE(state->firstDayOfWeek(), day ? day : localeDay);
}

void TestAppState::signedInStartPullsCalendarListThenRequestsSync_data()
{
    QTest::addColumn<bool>("cloudCalendar");
    QTest::addColumn<int>("listStatus"); // 200, or the failure the list request gets
    QTest::addColumn<bool>("seeded");

    QTest::newRow("pulled cloud calendar stands in") << true << 200 << false;
    QTest::newRow("no cloud calendar") << false << 200 << true;
    QTest::newRow("failed pull") << true << 500 << true;
}

void TestAppState::signedInStartPullsCalendarListThenRequestsSync()
{
    QFETCH(bool, cloudCalendar);
    QFETCH(int, listStatus);
    QFETCH(bool, seeded);

    AppStateFixture fixture;
    FakeCloudSyncServer cloud;
    cloud.exportEnvironment();
    if (cloudCalendar)
        cloud.addCalendar(QStringLiteral("cloud-1"), QStringLiteral("Work"));
    if (listStatus != 200)
        cloud.failPath("GET", QStringLiteral("/calendars"), listStatus);
    fixture.signIn();
    AppState* state = fixture.create();
    // Whether the local account existed when each sync request went out.
    QList<bool> seededAtRequest;
    connect(state, &AppState::syncNowRequested, state, [state, &seededAtRequest] {
        seededAtRequest.append(state->accounts()->getById(AppState::localAccountId).has_value());
    });
    QVERIFY(fixture.start());

    QVERIFY(state->accountClient()->isAuthenticated());
    QVERIFY(state->configSync()->isAutoSyncActive());
    // Seeding waits for the calendar-list pull.
    QVERIFY(!state->accounts()->getById(AppState::localAccountId));
    QTRY_COMPARE_WITH_TIMEOUT(seededAtRequest.size(), 1, 10000);
    QCOMPARE(seededAtRequest.first(), seeded);
    QCOMPARE(cloud.count("GET", QStringLiteral("/calendars")), 1);
    QTRY_VERIFY(cloud.count("POST", QStringLiteral("/sync/push")) >= 1);

    // Leaving the signed-in state stops the automatic configuration sync.
    Q_EMIT state->accountClient()->authStateChanged(OrvaAccount::AuthState::SignedOut);
    QVERIFY(!state->configSync()->isAutoSyncActive());
}

// The hub opens the store alone; the services that read it back, and the sign-in they settle
// (here: signed out, so the local account is seeded), come with Services::install.
void TestAppState::servicesComeFromTheInstallNotTheHub()
{
    AppStateFixture fixture;
    AppState* state = fixture.create();
    QVERIFY(state->initialize());
    QVERIFY(state->preferences() && state->events() && state->undoStack() && state->syncQueue());
    QVERIFY(!state->weather() && !state->conflicts() && !state->invitations() &&
            !state->accountClient() && !state->configSync());
    QVERIFY(!state->accounts()->getById(AppState::localAccountId));

    Services::install(*state);
    QVERIFY(state->weather() && state->conflicts() && state->invitations() &&
            state->accountClient() && state->configSync());
    QCOMPARE(state->configSync()->parent(), state);
    QVERIFY(!state->accountClient()->isAuthenticated());
    QVERIFY(state->accounts()->getById(AppState::localAccountId));
    QVERIFY(state->calendars()->getById(AppState::localCalendarId));
}

QTEST_MAIN(TestAppState)
#include "tst_appstate.moc"
