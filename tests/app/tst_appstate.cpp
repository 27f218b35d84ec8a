#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "ConfigSyncService.h"
#include "Database.h"
#include "PreferencesRepository.h"
#include "ViewRepository.h"

#include <QSignalSpy>
#include <QTest>

namespace {

Account account(const QString& id, const QString& type)
{
    Account made;
    made.id = id;
    made.name = id;
    made.type = type;
    made.createdAt = Clock::now();
    made.updatedAt = made.createdAt;
    return made;
}

Calendar calendar(const QString& id, const QString& accountId)
{
    Calendar made;
    made.id = id;
    made.accountId = accountId;
    made.name = id;
    made.url = QStringLiteral("https://example.invalid/") + id;
    made.createdAt = Clock::now();
    made.updatedAt = made.createdAt;
    return made;
}

CalendarView view(const QString& id, int sortOrder)
{
    CalendarView made;
    made.id = id;
    made.name = id;
    made.sortOrder = sortOrder;
    return made;
}

// Rows written before the state opens the store: "account:type" and "calendar@account" items,
// Views by id, and preferences.
struct Prepared
{
    QStringList accounts;  // "id:type"
    QStringList calendars; // "id@accountId"
    QStringList views;     // ids, in sort order, added unless stored; a leading "-" removes it
    QHash<QString, QString> preferences;
};

void prepare(const Prepared& rows)
{
    Database database;
    QVERIFY(database.open(AppStateFixture::databasePath()));
    QVERIFY(database.migrate());
    AccountRepository accounts(&database);
    CalendarRepository calendars(&database);
    ViewRepository views(&database);
    PreferencesRepository preferences(&database);
    for (const QString& item : rows.accounts) {
        const QStringList parts = item.split(QLatin1Char(':'));
        QVERIFY(accounts.insert(account(parts.at(0), parts.at(1))));
    }
    for (const QString& item : rows.calendars) {
        const QStringList parts = item.split(QLatin1Char('@'));
        QVERIFY(calendars.insert(calendar(parts.at(0), parts.at(1))));
    }
    int order = 10;
    for (QString id : rows.views) {
        const bool removed = id.startsWith(QLatin1Char('-'));
        if (removed)
            id = id.mid(1);
        order += 10;
        if (!views.getById(id))
            QVERIFY(views.insert(view(id, order)));
        if (removed)
            QVERIFY(views.remove(id));
    }
    for (auto it = rows.preferences.cbegin(); it != rows.preferences.cend(); ++it)
        QVERIFY(preferences.set(it.key(), it.value()));
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
    void initializeCreatesChildrenInOrder();
    void seedsLocalAccountUnlessACloudCalendarExists_data();
    void seedsLocalAccountUnlessACloudCalendarExists();
    void restoresNavigation_data();
    void restoresNavigation();
    void settersNormaliseAndPersist();
    void historySteps();
    void busyPeriodKeepsLastFailure();
    void firstDayOfWeek_data();
    void firstDayOfWeek();
    void twoWaySyncCalendars();
};

void TestAppState::initializeCreatesChildrenInOrder()
{
    AppStateFixture fixture;
    AppState* state = fixture.create();
    QSignalSpy ready(state, &AppState::databaseReady);
    QVERIFY(fixture.start());
    QCOMPARE(ready.count(), 1);

    QStringList classes;
    for (QObject* child : state->children())
        classes.append(QString::fromLatin1(child->metaObject()->className()));
    const QStringList expected{"Database",
                               "PreferencesRepository",
                               "AccountRepository",
                               "CalendarRepository",
                               "EventRepository",
                               "TaskRepository",
                               "ViewRepository",
                               "FilterRuleRepository",
                               "TemplateRepository",
                               "ThemeManager",
                               "UndoStack",
                               "Weather::Service",
                               "SyncQueueRepository",
                               "Sync::ConflictResolutionService",
                               "Invitations::Service",
                               "OrvaAccount::Client",
                               "Orvandellic::ConfigSyncService"};
    QCOMPARE(classes, expected);
    QVERIFY(!state->configSync()->isAutoSyncActive());
}

void TestAppState::seedsLocalAccountUnlessACloudCalendarExists_data()
{
    QTest::addColumn<QStringList>("accounts");
    QTest::addColumn<QStringList>("calendars");
    QTest::addColumn<bool>("seeded");

    QTest::newRow("empty store") << QStringList{} << QStringList{} << true;
    QTest::newRow("cloud calendar stands in")
        << QStringList{"cloud:orvandellic"} << QStringList{"c1@cloud"} << false;
    QTest::newRow("cloud account without calendars")
        << QStringList{"cloud:orvandellic"} << QStringList{} << true;
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
    prepare({accounts, calendars, {}, {}});
    QVERIFY(fixture.start());
    AppState* state = fixture.state();

    const auto local = state->accounts()->getById(AppState::localAccountId);
    const auto personal = state->calendars()->getById(AppState::localCalendarId);
    QCOMPARE(local.has_value(), seeded);
    QCOMPARE(personal.has_value(), seeded);
    if (!seeded)
        return;
    QCOMPARE(local->name, QStringLiteral("On This Device"));
    QCOMPARE(local->type, QStringLiteral("orvandellic"));
    QCOMPARE(local->syncIntervalMinutes, 0);
    QCOMPARE(personal->name, QStringLiteral("Personal"));
    QCOMPARE(personal->url, QStringLiteral("local://calendar/orvandellic-personal-default"));
    QVERIFY(personal->isDefault);
    QCOMPARE(personal->canonicalKey, *calendarKey(QStringLiteral("orvandellic"), personal->url));

    // A second start finds both and adds nothing.
    const int calendarsBefore = int(state->calendars()->getAll().size());
    state->ensureLocalAccount();
    QCOMPARE(state->calendars()->getAll().size(), calendarsBefore);
}

void TestAppState::restoresNavigation_data()
{
    QTest::addColumn<QStringList>("views");
    QTest::addColumn<QStringList>("preferences"); // key=value
    QTest::addColumn<QString>("activeView");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("hourHeight");
    QTest::addColumn<int>("horizon");

    QTest::newRow("defaults") << QStringList{} << QStringList{} << "all-calendars"
                              << "week" << 56 << 7;
    QTest::newRow("stored values")
        << QStringList{"v1", "v2"}
        << QStringList{"ui/activeViewId=v2", "ui/viewMode=month", "ui/timelineHourHeight=90",
                       "ui/weekHorizon=14", "ui/viewDate=2020-01-01"}
        << "v2"
        << "month" << 90 << 14;
    QTest::newRow("agenda opens in week, values clamped")
        << QStringList{}
        << QStringList{"ui/viewMode=agenda", "ui/timelineHourHeight=10", "ui/weekHorizon=30"}
        << "all-calendars"
        << "week" << 56 << 21;
    QTest::newRow("upper clamps, text not a number")
        << QStringList{} << QStringList{"ui/timelineHourHeight=500", "ui/weekHorizon=abc"}
        << "all-calendars"
        << "week" << 200 << 7;
    QTest::newRow("missing View falls back to the default View")
        << QStringList{"v1", "v2"} << QStringList{"ui/activeViewId=gone"} << "all-calendars"
        << "week" << 56 << 7;
    QTest::newRow("removed View is not restored")
        << QStringList{"-all-calendars", "v1", "-v2"} << QStringList{"ui/activeViewId=v2"} << "v1"
        << "week" << 56 << 7;
    QTest::newRow("no live View at all")
        << QStringList{"-all-calendars"} << QStringList{} << QString() << "week" << 56 << 7;
}

void TestAppState::restoresNavigation()
{
    QFETCH(QStringList, views);
    QFETCH(QStringList, preferences);
    QFETCH(QString, activeView);
    QFETCH(QString, mode);
    QFETCH(int, hourHeight);
    QFETCH(int, horizon);

    AppStateFixture fixture;
    Prepared rows;
    rows.views = views;
    for (const QString& item : preferences)
        rows.preferences.insert(item.section(QLatin1Char('='), 0, 0),
                                item.section(QLatin1Char('='), 1));
    prepare(rows);
    AppState* state = fixture.create();
    QSignalSpy modeSignals(state, &AppState::viewModeChanged);
    QVERIFY(fixture.start());

    QCOMPARE(state->activeViewId(), activeView);
    QCOMPARE(state->viewMode(), mode);
    QCOMPARE(state->hourHeight(), hourHeight);
    QCOMPARE(state->weekHorizon(), horizon);
    QCOMPARE(state->currentDate(), Clock::today());
    QCOMPARE(modeSignals.count(), 0);
    // The corrected View id is not written back.
    const QString storedView = rows.preferences.value(QStringLiteral("ui/activeViewId"));
    QCOMPARE(state->preferences()->getString(QStringLiteral("ui/activeViewId")), storedView);
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
    QCOMPARE(modes.count(), 0);
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

    QVERIFY(!state->isCompact(QStringLiteral("week")));
    state->setDensity(QStringLiteral("week"), QStringLiteral("tight")); // comfortable already
    QCOMPARE(densities.count(), 0);
    state->setDensity(QStringLiteral("week"), QStringLiteral("compact"));
    QVERIFY(state->isCompact(QStringLiteral("week")));
    QVERIFY(!state->isCompact(QStringLiteral("day")));
    state->setDensity(QStringLiteral("week"), QStringLiteral("tight"));
    QCOMPARE(densities.count(), 2);
    QCOMPARE(densities.last().at(1).toString(), QStringLiteral("comfortable"));

    QSignalSpy selected(state, &AppState::selectedEventChanged);
    state->setSelectedEventId(QStringLiteral("e1"));
    state->setSelectedEventId(QStringLiteral("e1"));
    QCOMPARE(selected.count(), 1);
    QVERIFY(!preferences->get(QStringLiteral("ui/selectedEventId")));
}

void TestAppState::historySteps()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    const QDate today = Clock::today();
    const QDate other = today.addDays(10);

    state->navigateBack(); // nothing to go back to
    state->navigateForward();
    QVERIFY(state->backHistory().isEmpty());

    // Three recorded changes, three steps; the hour height records none.
    state->setCurrentDate(other);
    state->setViewMode(QStringLiteral("day"));
    state->setHourHeight(80);
    state->setWeekHorizon(5);
    QCOMPARE(describe(state->backHistory()),
             QStringLiteral("week %1 7 | week %2 7 | day %2 7")
                 .arg(today.toString(Qt::ISODate), other.toString(Qt::ISODate)));

    // Going back re-applies mode, date and horizon in that order, recording nothing.
    QStringList order;
    connect(state, &AppState::viewModeChanged, state, [&order] { order << "mode"; });
    connect(state, &AppState::currentDateChanged, state, [&order] { order << "date"; });
    connect(state, &AppState::weekHorizonChanged, state, [&order] { order << "horizon"; });
    state->navigateBack();
    state->navigateBack();
    state->navigateBack();
    QCOMPARE(order, (QStringList{"horizon", "mode", "date"}));
    QCOMPARE(state->viewMode(), QStringLiteral("week"));
    QCOMPARE(state->currentDate(), today);
    QCOMPARE(state->weekHorizon(), 7);
    QCOMPARE(state->preferences()->getInt(QStringLiteral("ui/weekHorizon")), 7);
    QVERIFY(state->backHistory().isEmpty());
    QCOMPARE(state->forwardHistory().size(), 3);

    state->navigateForward();
    QCOMPARE(state->currentDate(), other);
    QCOMPARE(state->viewMode(), QStringLiteral("week"));

    // A new navigation after going back empties the forward list.
    order.clear();
    state->setViewModeAndDate(QStringLiteral("month"), today.addDays(40));
    QCOMPARE(order, (QStringList{"date", "mode"}));
    QVERIFY(state->forwardHistory().isEmpty());
    QCOMPARE(state->backHistory().size(), 2); // the forward step, then one for the combined change
    state->setViewModeAndDate(QStringLiteral("month"), QDate());
    QCOMPARE(state->backHistory().size(), 2);

    state->navigateBack();
    QCOMPARE(state->viewMode(), QStringLiteral("week"));
    QCOMPARE(state->currentDate(), other);
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
    QVERIFY(state->lastSyncErrored());
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
    QTest::addColumn<QString>("stored"); // empty: no row
    QTest::addColumn<bool>("followsLocale");
    QTest::addColumn<int>("day");

    QTest::newRow("no preference") << QString() << true << 0;
    QTest::newRow("0") << "0" << true << 0;
    QTest::newRow("8") << "8" << true << 0;
    QTest::newRow("text") << "sunday" << true << 0;
    QTest::newRow("Monday") << "1" << false << 1;
    QTest::newRow("Wednesday") << "3" << false << 3;
    QTest::newRow("Sunday") << "7" << false << 7;
}

void TestAppState::firstDayOfWeek()
{
    QFETCH(QString, stored);
    QFETCH(bool, followsLocale);
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
    if (!stored.isNull())
        state->preferences()->set(QStringLiteral("ui/weekStartDay"), stored);
    const int expected = followsLocale ? localeDay : day;
    QCOMPARE(state->firstDayOfWeek(), expected);
    if (!stored.isNull()) {
        state->preferences()->set(QStringLiteral("ui/weekStartDay"), stored); // unchanged
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toInt(), expected);
    }
}

void TestAppState::twoWaySyncCalendars()
{
    AppStateFixture fixture;
    prepare({{"dav:caldav", "icloud:icloud", "goo:google", "ms:microsoft", "feed:webcal",
              "cloud:orvandellic", "gone:zoho"},
             {"c-dav@dav", "c-icloud@icloud", "c-goo@goo", "c-ms@ms", "c-feed@feed",
              "c-cloud@cloud", "c-gone@gone"},
             {},
             {}});
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QVERIFY(state->accounts()->remove(QStringLiteral("gone")));
    QCOMPARE(state->twoWaySyncCalendarIds(), (QSet<QString>{"c-dav", "c-icloud", "c-goo", "c-ms"}));
}

QTEST_MAIN(TestAppState)
#include "tst_appstate.moc"
