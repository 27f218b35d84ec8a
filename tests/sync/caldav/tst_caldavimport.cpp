// The import of discovered calendars into a real store: new rows and their defaults, placeholder
// rows taken over, known rows left alone, and one run from a real discovery.
#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalDavClient.h"
#include "CalDavDiscovery.h"
#include "CalDavImport.h"
#include "CalendarKey.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DavServer.h"
#include "Limits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString accountId = QStringLiteral("acc-1");

CalDavParse::DiscoveredCalendar discovered(const QString& path, const QString& name,
                                           const QString& color = {},
                                           const QStringList& components = {"VEVENT"})
{
    CalDavParse::DiscoveredCalendar calendar;
    calendar.href = QStringLiteral("https://dav.example.test") + path;
    calendar.displayName = name;
    calendar.color = color;
    calendar.description = name + QStringLiteral(" notes");
    calendar.supportedComponents = components;
    return calendar;
}

std::optional<Calendar> byUrl(AppState* state, const QString& url)
{
    for (const Calendar& calendar : state->calendars()->getByAccount(accountId)) {
        if (calendar.url == url)
            return calendar;
    }
    return std::nullopt;
}

} // namespace

class TestCalDavImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newCalendarsOnceAndNeverOverwritten();
    void firstCalendarOfAnEmptyStoreIsTheDefault();
    void placeholdersAreTakenOver();
    void importsWhatDiscoveryFound();
    void largeDiscoveryIsOneBoundedWrite();
    void refusedRowKeepsNothing();

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    AppState* m_state = nullptr;
};

void TestCalDavImport::init()
{
    m_fixture = std::make_unique<AppStateFixture>();
    QVERIFY(m_fixture->start());
    m_state = m_fixture->state();
    Account account;
    account.id = accountId;
    account.name = QStringLiteral("Work server");
    account.type = QStringLiteral("caldav");
    account.createdAt = Clock::now();
    account.updatedAt = account.createdAt;
    QVERIFY(m_state->accounts()->insert(account));
}

void TestCalDavImport::cleanup()
{
    m_fixture.reset();
}

void TestCalDavImport::newCalendarsOnceAndNeverOverwritten()
{
    const QList<CalDavParse::DiscoveredCalendar> calendars{
        discovered("/cal/work/", "Work", "#FF8800", {"VEVENT", "VTODO"}),
        discovered("/cal/home/", "Home"), discovered("/cal/work/", "Work again")};
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars), 2);

    const auto work = byUrl(m_state, calendars[0].href);
    QVERIFY(work);
    QCOMPARE(work->name, QStringLiteral("Work"));
    QCOMPARE(work->description, QStringLiteral("Work notes"));
    QCOMPARE(work->color, QStringLiteral("#FF8800"));
    QCOMPARE(work->supportedComponents, QStringLiteral("[\"VEVENT\",\"VTODO\"]"));
    QCOMPARE(work->canonicalKey, calendarKey(QStringLiteral("caldav"), calendars[0].href).value());
    QVERIFY(work->syncEnabled && work->isVisible && !work->isReadOnly);
    QVERIFY(!work->isDefault); // the store already held the local calendar
    QCOMPARE(byUrl(m_state, calendars[1].href)->color, QStringLiteral("#4285F4"));

    // The user renames and recolours; a rediscovery with other values keeps the user's.
    Calendar renamed = *work;
    renamed.name = QStringLiteral("Mine");
    renamed.color = QStringLiteral("#00AA00");
    QVERIFY(m_state->calendars()->update(renamed));
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars), 0);
    QCOMPARE(byUrl(m_state, calendars[0].href)->name, QStringLiteral("Mine"));
    QCOMPARE(byUrl(m_state, calendars[0].href)->color, QStringLiteral("#00AA00"));
    QCOMPARE(m_state->calendars()->getByAccount(accountId).size(), 2);
}

void TestCalDavImport::firstCalendarOfAnEmptyStoreIsTheDefault()
{
    for (const Calendar& calendar : m_state->calendars()->getAll())
        QVERIFY(m_state->calendars()->remove(calendar.id));
    QVERIFY(m_state->calendars()->getAll().isEmpty());
    const QList<CalDavParse::DiscoveredCalendar> calendars{discovered("/a/", "A"),
                                                           discovered("/b/", "B")};
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars), 2);
    QVERIFY(byUrl(m_state, calendars[0].href)->isDefault);
    QVERIFY(!byUrl(m_state, calendars[1].href)->isDefault);
}

void TestCalDavImport::placeholdersAreTakenOver()
{
    const auto make = [](const QString& id, const QString& url, bool syncEnabled, bool readOnly,
                         const QString& key) {
        Calendar calendar;
        calendar.id = id;
        calendar.accountId = accountId;
        calendar.url = url;
        calendar.name = QStringLiteral("Placeholder");
        calendar.color = QStringLiteral("#123456");
        calendar.syncEnabled = syncEnabled;
        calendar.isReadOnly = readOnly;
        calendar.canonicalKey = key;
        calendar.createdAt = Clock::now().addDays(-3);
        calendar.updatedAt = calendar.createdAt;
        return calendar;
    };
    const auto placeholder = discovered("/p/", "Team", QString(), {"VTODO"});
    const auto withColour = discovered("/q/", "Team 2", "#ABCDEF");
    const auto notPlaceholder = discovered("/r/", "Other");
    QVERIFY(m_state->calendars()->insert(make("p", placeholder.href, false, true, "k1")));
    QVERIFY(m_state->calendars()->insert(make("q", withColour.href, false, true, "k2")));
    // A row without a key is not a placeholder, even with sync off and read-only.
    QVERIFY(m_state->calendars()->insert(make("r", notPlaceholder.href, false, true, QString())));

    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId,
                                                     {placeholder, withColour, notPlaceholder}),
             0);
    const Calendar p = m_state->calendars()->getById("p").value();
    QCOMPARE(p.name, QStringLiteral("Team"));
    QCOMPARE(p.description, QStringLiteral("Team notes"));
    QCOMPARE(p.color, QStringLiteral("#123456")); // no server colour: the row keeps its own
    QCOMPARE(p.supportedComponents, QStringLiteral("[\"VTODO\"]"));
    QVERIFY(p.syncEnabled && !p.isReadOnly);
    QCOMPARE(p.canonicalKey, QStringLiteral("k1"));
    QCOMPARE(p.updatedAt, Clock::now());
    QCOMPARE(m_state->calendars()->getById("q")->color, QStringLiteral("#ABCDEF"));
    const Calendar r = m_state->calendars()->getById("r").value();
    QCOMPARE(r.name, QStringLiteral("Placeholder"));
    QVERIFY(!r.syncEnabled && r.isReadOnly);
}

void TestCalDavImport::importsWhatDiscoveryFound()
{
    DavServer server(DavServer::Kind::Radicale);
    QVERIFY(server.start());
    const QUrl work = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    QVERIFY(work.isValid());
    CalDavClient client;
    client.setCredentials(server.username(), server.password());
    CalDavDiscovery discovery(&client);
    QSignalSpy completed(&discovery, &CalDavDiscovery::completed);
    discovery.start(server.baseUrl());
    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, 30000);
    const auto calendars =
        completed.first().first().value<QList<CalDavParse::DiscoveredCalendar>>();
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars), 1);
    const auto row = byUrl(m_state, work.toString());
    QVERIFY(row);
    QCOMPARE(row->name, QStringLiteral("Work"));
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars), 0);
}

// More calendars than one discovery takes: the first ones in the server's order are saved,
// in one write that the calendar listeners hear of once, and a megabyte name is stored whole.
// The one left out is counted once and named in the log as a row shows it.
void TestCalDavImport::largeDiscoveryIsOneBoundedWrite()
{
    QList<CalDavParse::DiscoveredCalendar> calendars;
    for (int index = 0; index <= Limits::maxDiscoveredCalendars; ++index)
        calendars.append(discovered(QStringLiteral("/c%1/").arg(index),
                                    QStringLiteral("Calendar %1").arg(index)));
    const QString longName(1024 * 1024, QLatin1Char('n'));
    calendars[1].displayName = longName;
    calendars.last().displayName = longName;
    calendars.append({calendars.first(), calendars.last()});
    QSignalSpy changed(m_state->calendars(), &CalendarRepository::calendarsChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^\\[CalDAV discovery\\] "
                                                           "\\d+ calendars listed.*; 1 "
                                                           "not added: \"n{%1}…\"$")
                                                .arg(Limits::maxRowTextChars)));
    int leftOut = -1;
    QCOMPARE(CalDavImport::importDiscoveredCalendars(m_state, accountId, calendars, &leftOut),
             Limits::maxDiscoveredCalendars);
    QCOMPARE(leftOut, 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_state->calendars()->getByAccount(accountId).size(), Limits::maxDiscoveredCalendars);
    QVERIFY(!byUrl(m_state, calendars.last().href));
    QCOMPARE(byUrl(m_state, calendars[1].href)->name, longName);
}

// A row the store refuses takes the whole discovery with it: no new row, no placeholder taken
// over, no signal.
void TestCalDavImport::refusedRowKeepsNothing()
{
    Calendar placeholder;
    placeholder.id = QStringLiteral("p");
    placeholder.accountId = accountId;
    placeholder.url = discovered("/p/", "P").href;
    placeholder.name = QStringLiteral("Placeholder");
    placeholder.isReadOnly = true;
    placeholder.syncEnabled = false;
    placeholder.canonicalKey = QStringLiteral("k");
    placeholder.createdAt = placeholder.updatedAt = Clock::now();
    QVERIFY(m_state->calendars()->insert(placeholder));
    QSqlQuery refuse(m_state->database()->database());
    QVERIFY(refuse.exec("CREATE TEMP TRIGGER refuse BEFORE INSERT ON calendars WHEN NEW.url "
                        "LIKE '%/bad/' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const int before = int(m_state->calendars()->getAll().size());
    QSignalSpy changed(m_state->calendars(), &CalendarRepository::calendarsChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^CalendarRepository::saveAll"));
    QCOMPARE(
        CalDavImport::importDiscoveredCalendars(
            m_state, accountId,
            {discovered("/good/", "Good"), discovered("/p/", "P"), discovered("/bad/", "Bad")}),
        0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_state->calendars()->getAll().size(), before);
    QCOMPARE(m_state->calendars()->getById("p")->name, QStringLiteral("Placeholder"));
}

QTEST_MAIN(TestCalDavImport)
#include "tst_caldavimport.moc"
