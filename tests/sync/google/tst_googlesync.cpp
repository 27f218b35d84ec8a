#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalendarRemoval.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "EventChangeState.h"
#include "EventRepository.h"
#include "FakeGoogleCalendar.h"
#include "FakeOAuthProvider.h"
#include "FilterConditions.h"
#include "FilterEngine.h"
#include "FilterRuleRepository.h"
#include "GoogleAuthService.h"
#include "GoogleCalendarImport.h"
#include "GoogleEventMapping.h"
#include "GoogleSyncClient.h"
#include "Ical.h"
#include "Limits.h"
#include "OAuthTokenStorage.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "SeriesEdit.h"
#include "SeriesMove.h"
#include "UndoStack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <sqlite3.h>

namespace {

const QString googleCalendar = QStringLiteral("team@example.com");
const QString calendarId = QStringLiteral("cal");

QJsonObject timed(const QString& id, const QString& title, int day = 2, int hour = 9)
{
    const QString start = QStringLiteral("2026-03-%1T%2:00:00+01:00")
                              .arg(day, 2, 10, QLatin1Char('0'))
                              .arg(hour, 2, 10, QLatin1Char('0'));
    const QString end = QStringLiteral("2026-03-%1T%2:30:00+01:00")
                            .arg(day, 2, 10, QLatin1Char('0'))
                            .arg(hour, 2, 10, QLatin1Char('0'));
    const QString zone = QStringLiteral("Europe/Berlin");
    return {{QStringLiteral("id"), id},
            {QStringLiteral("summary"), title},
            {QStringLiteral("start"),
             QJsonObject{{QStringLiteral("dateTime"), start}, {QStringLiteral("timeZone"), zone}}},
            {QStringLiteral("end"),
             QJsonObject{{QStringLiteral("dateTime"), end}, {QStringLiteral("timeZone"), zone}}}};
}

int countCommits(void* counter)
{
    ++*static_cast<int*>(counter);
    return 0;
}

} // namespace

class TestGoogleSync : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeGoogleCalendar> m_fake;
    std::unique_ptr<FakeOAuthProvider> m_provider;
    std::unique_ptr<AppStateFixture> m_fixture;
    QString m_refreshToken;

    struct Outcome
    {
        int completed = 0;
        int failed = 0;
        int count = -1;
        QString failure;
    };

    AppState* state() const { return m_fixture->state(); }
    EventRepository* events() const { return state()->events(); }
    Calendar calendar() const { return *state()->calendars()->getById(calendarId); }

    Outcome sync(int transferTimeoutMs = 5000)
    {
        Google::SyncClient client(state());
        client.setTransferTimeout(transferTimeoutMs);
        QSignalSpy completed(&client, &Google::SyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &Google::SyncClient::calendarSyncFailed);
        client.syncCalendar(calendar());
        [&] { QTRY_VERIFY_WITH_TIMEOUT(completed.size() + failed.size() > 0, 30000); }();
        QTest::qWait(100); // a second report would come now
        Outcome outcome;
        outcome.completed = int(completed.size());
        outcome.failed = int(failed.size());
        if (!completed.isEmpty())
            outcome.count = completed.first().at(1).toInt();
        if (!failed.isEmpty())
            outcome.failure = failed.first().at(1).toString();
        return outcome;
    }

    // Every event of the series moved to start at `start`, as the event form saves it, with its
    // undo entry; what the user is told lands in `messages`.
    bool moveAllEvents(const Event& series, const QDateTime& start, QStringList& messages)
    {
        Event edited = series;
        edited.startTime = start;
        edited.endTime = start.addSecs(series.startTime.secsTo(*series.endTime));
        const std::optional<SeriesEdit::Plan> plan =
            RecurringEdit::planEdit(events(), series, series.startTime, edited, 3);
        return plan && RecurringEdit::carryOutWithUndo(
                           state(), *plan, QStringLiteral("Moved"), QString(),
                           [&messages](const QString& message) { messages << message; });
    }

    // A run that lists the whole calendar again, as after Force Full Sync or an expired token.
    Outcome syncInFull()
    {
        Calendar relisted = calendar();
        relisted.syncToken.clear();
        [&] { QVERIFY(state()->calendars()->updateSyncState(relisted)); }();
        return sync();
    }

    // A new local event, pending as the event form saves it.
    Event addLocal(const QString& id, const QString& title)
    {
        Event event;
        event.id = id;
        event.uid = id;
        event.calendarId = calendarId;
        event.title = title;
        event.timezone = QStringLiteral("Europe/Berlin");
        event.startTime = QDateTime(QDate(2026, 3, 12), QTime(14, 0), QTimeZone("Europe/Berlin"));
        event.endTime = event.startTime.addSecs(3600);
        event.created = event.lastModified = Clock::now();
        event.syncStatus = QStringLiteral("pending");
        [&] { QVERIFY(events()->insert(event)); }();
        return event;
    }

    // The UTC starts of what the views show of the calendar in March 2026, in order.
    QStringList shownInMarch() const
    {
        const QDateTime from(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::utc());
        const QDateTime to(QDate(2026, 4, 1), QTime(0, 0), QTimeZone::utc());
        QStringList starts;
        for (const Event& occurrence :
             Recurrence::expand(events()->getInRange(from, to, {calendarId}), from, to))
            starts << occurrence.startTime.toUTC().toString(Qt::ISODate);
        starts.sort();
        return starts;
    }

    // A rule hiding that one event, as the filter form writes it.
    FilterRule addRuleFor(const Event& event)
    {
        FilterRule rule;
        rule.id = QStringLiteral("rule-1");
        rule.type = QStringLiteral("specific");
        rule.conditions = FilterConditions::specificConditions();
        rule.eventUid = event.uid;
        rule.eventCalendarId = calendarId;
        rule.createdAt = rule.updatedAt = Clock::now();
        [&] { QVERIFY(state()->filterRules()->insert(rule)); }();
        return rule;
    }

    std::optional<Event> byGoogleId(const QString& googleId) const
    {
        for (const Event& event : events()->getByCalendar(calendarId)) {
            if (event.providerEventId == googleId)
                return event;
        }
        return std::nullopt;
    }

    // A weekly series on Google ("wk", Mondays at 09:00 in Berlin), pulled: its row, or an empty
    // record when the pull failed.
    Event pulledWeekly()
    {
        QJsonObject master = timed(QStringLiteral("wk"), QStringLiteral("Weekly"), 2);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        m_fake->putEvent(googleCalendar, master);
        if (sync().completed != 1)
            return {};
        return byGoogleId(QStringLiteral("wk")).value_or(Event());
    }

    // The second week of `series` moved two hours later and retitled here, as the event form
    // stores a first change of an occurrence: pending, no Google id of its own yet. The stored
    // row, or an empty record when the store refused it.
    Event moveSecondWeek(const Event& series, const QString& id)
    {
        const QDateTime week = series.startTime.addDays(7);
        Event moved = SeriesEdit::occurrenceOverride(series, week, week.addSecs(7200),
                                                     series.endTime->addDays(7).addSecs(7200), id,
                                                     Clock::now());
        moved.title = QStringLiteral("Weekly, later");
        moved.rawIcalendar = Ical::buildEvent(moved);
        return events()->insert(moved) ? moved : Event();
    }

    // Another client moves the week on `day` of March of the series "wk" to 15:00 and retitles
    // it. Google's id of that week.
    QString changeWeekThere(int day)
    {
        const QString id = QStringLiteral("wk_202603%1T080000Z").arg(day, 2, 10, QLatin1Char('0'));
        QJsonObject week = timed(id, QStringLiteral("Weekly, %1 there").arg(day), day, 15);
        week.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        week.insert(QStringLiteral("originalStartTime"),
                    timed(id, {}, day).value(QStringLiteral("start")));
        m_fake->putEvent(googleCalendar, week);
        return id;
    }

    void storeTokens(const QDateTime& expiresAt)
    {
        Google::TokenSet tokens;
        tokens.accessToken = QStringLiteral("access-1");
        tokens.refreshToken = m_refreshToken;
        tokens.expiresAt = expiresAt;
        QVERIFY(Google::AuthService::saveTokens(QStringLiteral("g"), tokens));
    }

    // What a new sign-in leaves: new tokens, and the account no longer marked.
    void signInAgain()
    {
        m_refreshToken = m_provider->issueRefreshToken();
        storeTokens(Clock::now().addSecs(3600));
        Account account = *state()->accounts()->getById(QStringLiteral("g"));
        account.lastSyncError.clear();
        QVERIFY(state()->accounts()->update(account));
    }

private Q_SLOTS:
    void init()
    {
        m_fake = std::make_unique<FakeGoogleCalendar>();
        m_fake->exportEnvironment();
        m_fake->addCalendar(googleCalendar, QStringLiteral("Team"), QStringLiteral("owner"));
        m_provider = std::make_unique<FakeOAuthProvider>();
        m_provider->exportEnvironment();
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("ada@example.com");
        account.type = QStringLiteral("google");
        account.createdAt = account.updatedAt = Clock::now();
        QVERIFY(state()->accounts()->insert(account));
        Calendar row;
        row.id = calendarId;
        row.accountId = account.id;
        row.url = googleCalendar;
        row.name = QStringLiteral("Team");
        row.syncEnabled = true;
        row.createdAt = row.updatedAt = Clock::now();
        QVERIFY(state()->calendars()->insert(row));
        m_refreshToken = m_provider->issueRefreshToken();
        storeTokens(Clock::now().addSecs(3600));
    }

    void cleanup()
    {
        m_fixture.reset();
        m_provider.reset();
        m_fake.reset();
    }

    void fullSyncOfTenThousandEventsIsOneTransaction()
    {
        for (int i = 0; i < 10000; ++i)
            m_fake->putEvent(googleCalendar,
                             timed(QStringLiteral("e%1").arg(i), QStringLiteral("Event %1").arg(i),
                                   1 + i % 28, 8 + i % 10));
        const QVariant driverHandle = state()->database()->database().driver()->handle();
        sqlite3* handle = *static_cast<sqlite3* const*>(driverHandle.constData());
        int commits = 0;
        sqlite3_commit_hook(handle, countCommits, &commits);
        QSignalSpy changed(events(), &EventRepository::eventsChanged);

        const Outcome outcome = sync();
        sqlite3_commit_hook(handle, nullptr, nullptr);
        QCOMPARE(outcome.completed, 1);
        QCOMPARE(outcome.count, 10000);
        QCOMPARE(m_fake->count("GET", QStringLiteral("/events")), 4);
        // The listing, then the calendar's new sync token.
        QCOMPARE(commits, 2);
        QCOMPARE(events()->getByCalendar(calendarId).size(), 10000);
        QTRY_COMPARE(changed.size(), 1);
        QTest::qWait(300);
        QCOMPARE(changed.size(), 1);
        QVERIFY(!calendar().syncToken.isEmpty());
    }

    void incrementalChanges()
    {
        for (const QString& id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
            m_fake->putEvent(googleCalendar, timed(id, id));
        QCOMPARE(sync().count, 3);
        const QString token = calendar().syncToken;
        const QString localB = byGoogleId(QStringLiteral("b"))->id;

        m_fake->putEvent(googleCalendar, timed(QStringLiteral("b"), QStringLiteral("B moved"), 3));
        m_fake->cancelEvent(googleCalendar, QStringLiteral("c"));
        m_fake->putEvent(googleCalendar, timed(QStringLiteral("d"), QStringLiteral("d")));
        // The new token is the run's own bookkeeping: the windows showing calendars are not
        // told to read every calendar again.
        QSignalSpy calendarsChanged(state()->calendars(), &CalendarRepository::calendarsChanged);
        QSignalSpy syncState(state()->calendars(), &CalendarRepository::calendarSyncStateChanged);
        const Outcome outcome = sync();
        QCOMPARE(outcome.count, 3);
        QCOMPARE(calendarsChanged.size(), 0);
        QCOMPARE(syncState.size(), 1);
        QVERIFY(calendar().syncToken != token);
        QCOMPARE(m_fake->requests().last().query.queryItemValue(QStringLiteral("syncToken")),
                 token);
        QCOMPARE(byGoogleId(QStringLiteral("b"))->title, QStringLiteral("B moved"));
        QCOMPARE(byGoogleId(QStringLiteral("b"))->id, localB);
        QVERIFY(!byGoogleId(QStringLiteral("c")));
        QVERIFY(byGoogleId(QStringLiteral("d")));
        QCOMPARE(events()->getByCalendar(calendarId).size(), 3);
    }

    void tokenRefresh_data()
    {
        QTest::addColumn<int>("secondsLeft"); // below 0: no expiry stored
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("30 s left") << 30 << true;
        QTest::newRow("2 min left") << 120 << false;
        QTest::newRow("no expiry") << -1 << true;
    }

    void tokenRefresh()
    {
        QFETCH(int, secondsLeft);
        QFETCH(bool, refreshed);
        QCOMPARE(
            Google::SyncClient::needsRefresh(
                secondsLeft < 0 ? QDateTime() : Clock::now().addSecs(secondsLeft), Clock::now()),
            refreshed);
        storeTokens(secondsLeft < 0 ? QDateTime() : Clock::now().addSecs(secondsLeft));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_provider->tokenRequests(), refreshed ? 1 : 0);
        const QString used = refreshed ? m_provider->lastAccessToken() : QStringLiteral("access-1");
        QCOMPARE(m_fake->requests().last().headers.value("authorization"),
                 "Bearer " + used.toUtf8());
        const Google::TokenSet stored = Google::AuthService::loadTokens(QStringLiteral("g"));
        QCOMPARE(stored.accessToken, used);
        QCOMPARE(stored.refreshToken, m_refreshToken);
    }

    void expiredSyncTokenListsEverythingOnce_data()
    {
        QTest::addColumn<bool>("editedHere");     // "a" holds a local edit not sent yet
        QTest::addColumn<bool>("changedThere");   // and Google changed it too: its ETag is stale
        QTest::addColumn<bool>("goneEditedHere"); // "b", which Google forgot, holds one too
        QTest::newRow("nothing edited") << false << false << false;
        QTest::newRow("synced event edited here") << true << false << false;
        QTest::newRow("edited here and on Google") << true << true << false;
        QTest::newRow("edited here, gone from Google") << false << false << true;
    }

    void expiredSyncTokenListsEverythingOnce()
    {
        QFETCH(bool, editedHere);
        QFETCH(bool, changedThere);
        QFETCH(bool, goneEditedHere);
        for (const QString& id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
            m_fake->putEvent(googleCalendar, timed(id, id));
        QCOMPARE(sync().count, 3);
        const QString oldToken = calendar().syncToken;
        const Event a = *byGoogleId(QStringLiteral("a"));
        const Event b = *byGoogleId(QStringLiteral("b"));
        const auto editHere = [this](Event edited, const QString& title) {
            edited.title = title;
            edited.syncStatus = QStringLiteral("pending");
            QVERIFY(events()->update(edited));
        };
        if (editedHere)
            editHere(a, QStringLiteral("A, edited here"));
        if (goneEditedHere)
            editHere(b, QStringLiteral("B, edited here"));
        if (changedThere)
            m_fake->putEvent(googleCalendar,
                             timed(QStringLiteral("a"), QStringLiteral("A, changed there"), 4));
        m_fake->purgeEvent(googleCalendar, QStringLiteral("b"));
        m_fake->expireSyncTokens();
        addLocal(QStringLiteral("11111111-2222-3333-4444-555555555555"), QStringLiteral("Mine"));
        const int listingsBefore = m_fake->count("GET", QStringLiteral("/events"));

        const Outcome outcome = sync();
        QCOMPARE(outcome.completed, 1);
        QCOMPARE(outcome.count, 2);
        QCOMPARE(m_fake->count("GET", QStringLiteral("/events")), listingsBefore + 2);
        QVERIFY(byGoogleId(QStringLiteral("a")));
        QVERIFY(!byGoogleId(QStringLiteral("b")));
        QVERIFY(byGoogleId(QStringLiteral("c")));
        // The local event was not on the server: kept and sent.
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), 3);
        QVERIFY(!calendar().syncToken.isEmpty() && calendar().syncToken != oldToken);
        // The full listing neither overwrote nor dropped the local edit: it went out.
        const Event after = *byGoogleId(QStringLiteral("a"));
        QCOMPARE(after.id, a.id);
        QCOMPARE(after.syncStatus, QStringLiteral("synced"));
        const QString title = editedHere ? QStringLiteral("A, edited here") : QStringLiteral("a");
        QCOMPARE(after.title, title);
        QCOMPARE(m_fake->event(googleCalendar, QStringLiteral("a"))
                     .value(QStringLiteral("summary"))
                     .toString(),
                 title);
        if (!goneEditedHere)
            return;
        // The edit of the event the listing no longer holds stays, and goes out as a new event.
        const std::optional<Event> keptB = events()->getById(b.id);
        QVERIFY(keptB);
        QCOMPARE(keptB->title, QStringLiteral("B, edited here"));
        QCOMPARE(keptB->syncStatus, QStringLiteral("pending"));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(events()->getById(b.id)->syncStatus, QStringLiteral("synced"));
        QCOMPARE(m_fake->event(googleCalendar, Google::clientEventId(b.id))
                     .value(QStringLiteral("summary"))
                     .toString(),
                 QStringLiteral("B, edited here"));
    }

    // A refresh Google refuses marks the account as needing a sign-in, as an account without
    // tokens is, and Google is not asked again until the user signs in again; one that may pass
    // does not. Either way the calendar keeps its rows, and a refresh that works again takes the
    // mark away.
    void refusedRefreshAsksForSignIn_data()
    {
        QTest::addColumn<int>("status"); // 0: no answer
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("refused");
        QTest::newRow("revoked") << 400 << QByteArray(FakeOAuthProvider::rejectedBody()) << true;
        QTest::newRow("refused with 401")
            << 401 << QByteArray(R"({"error":"invalid_grant"})") << true;
        QTest::newRow("server error")
            << 503 << QByteArray(R"({"error":"temporarily_unavailable"})") << false;
        QTest::newRow("client unknown")
            << 401 << QByteArray(R"({"error":"invalid_client"})") << false;
        QTest::newRow("no answer") << 0 << QByteArray() << false;
    }

    void refusedRefreshAsksForSignIn()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, refused);
        for (const QString& id : {QStringLiteral("a"), QStringLiteral("b")})
            m_fake->putEvent(googleCalendar, timed(id, id));
        QCOMPARE(sync().completed, 1);
        storeTokens(Clock::now().addSecs(-60));
        if (status == 0)
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::Stall);
        else
            m_provider->setTokenFailure(status, body);

        const Outcome outcome = sync(status == 0 ? 300 : 5000);
        QCOMPARE(outcome.failed, 1);
        if (refused)
            QCOMPARE(outcome.failure,
                     QStringLiteral("Google no longer accepts the saved sign-in. Sign in again."));
        else
            QVERIFY2(outcome.failure.startsWith(QLatin1String("Google token refresh failed: ")),
                     qPrintable(outcome.failure));
        QCOMPARE(calendar().lastSyncError, outcome.failure);
        const auto needSignIn = [this] {
            return AccountAttention::count(
                       state()->accounts()->getAll(),
                       [](const Account& account) {
                           return !Google::AuthService::loadTokens(account.id)
                                       .refreshToken.isEmpty();
                       },
                       QStringLiteral("Password missing"))
                .needSignIn;
        };
        QCOMPARE(needSignIn(), refused ? 1 : 0);
        QCOMPARE(events()->getByCalendar(calendarId).size(), 2);
        QCOMPARE(Google::AuthService::loadTokens(QStringLiteral("g")).refreshToken, m_refreshToken);
        if (refused) {
            const int asked = m_provider->tokenRequests();
            QCOMPARE(sync().failure, outcome.failure);
            QCOMPARE(m_provider->tokenRequests(), asked);
            signInAgain();
        }

        m_provider->setTokenFailure(0, {});
        m_provider->setTokenMode(FakeOAuthProvider::TokenMode::Issue);
        QCOMPARE(sync().completed, 1);
        QCOMPARE(needSignIn(), 0);
        QVERIFY(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError.isEmpty());
    }

    // Google refuses the access token long before its stored expiry (revoked or rotated): the
    // run renews it once and repeats the refused step; a refused renewal asks for a sign-in, and
    // a refusal of the renewed token fails the run instead of renewing again.
    void refusedAccessTokenIsRenewedOnce_data()
    {
        QTest::addColumn<bool>("duringPush"); // refused from the first write on, not before
        QTest::addColumn<bool>("renewalRefused");
        QTest::addColumn<bool>("everyToken"); // the renewed one too
        QTest::newRow("listing refused") << false << false << false;
        QTest::newRow("push refused") << true << false << false;
        QTest::newRow("renewal refused") << false << true << false;
        QTest::newRow("renewed token refused") << false << false << true;
    }

    void refusedAccessTokenIsRenewedOnce()
    {
        QFETCH(bool, duringPush);
        QFETCH(bool, renewalRefused);
        QFETCH(bool, everyToken);
        m_fake->putEvent(googleCalendar, timed(QStringLiteral("a"), QStringLiteral("a")));
        addLocal(QStringLiteral("11111111-2222-3333-4444-555555555551"), QStringLiteral("One"));
        addLocal(QStringLiteral("11111111-2222-3333-4444-555555555552"), QStringLiteral("Two"));
        const QString refused = everyToken ? QString() : QStringLiteral("access-1");
        if (duringPush)
            m_fake->setWriteHook([this, refused] { m_fake->refuseAccessToken(refused); });
        else
            m_fake->refuseAccessToken(refused);
        if (renewalRefused)
            m_provider->setTokenFailure(400, FakeOAuthProvider::rejectedBody());

        const Outcome outcome = sync();
        QCOMPARE(m_provider->tokenRequests(), 1);
        const bool renewed = !renewalRefused && !everyToken;
        QCOMPARE(outcome.completed, renewed ? 1 : 0);
        QCOMPARE(byGoogleId(QStringLiteral("a")).has_value(), renewed);
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), renewed ? 3 : 1);
        if (renewed)
            QCOMPARE(Google::AuthService::loadTokens(QStringLiteral("g")).accessToken,
                     m_provider->lastAccessToken());
        if (renewalRefused)
            QCOMPARE(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError,
                     AccountAttention::signInRequiredText());
        if (everyToken)
            QVERIFY2(outcome.failure.contains(QLatin1String("HTTP 401")),
                     qPrintable(outcome.failure));
    }

    // A renewal answered after the account was removed, or after a new sign-in, stores nothing
    // and, refused, marks nothing: the removed account's tokens stay deleted and its run ends
    // quietly; the new sign-in keeps its own tokens, and the run goes on with them.
    void lateRenewalStoresOnlyTokensItOwns_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("account removed") << true << false;
        QTest::newRow("signed in again") << false << false;
        QTest::newRow("account removed, renewal refused") << true << true;
        QTest::newRow("signed in again, renewal refused") << false << true;
    }

    void lateRenewalStoresOnlyTokensItOwns()
    {
        QFETCH(bool, removed);
        QFETCH(bool, refused);
        m_fake->putEvent(googleCalendar, timed(QStringLiteral("a"), QStringLiteral("a")));
        storeTokens(Clock::now().addSecs(-60));
        if (refused)
            m_provider->setTokenMode(FakeOAuthProvider::TokenMode::Rejected);
        m_provider->setHoldTokenReplies(true);
        Google::SyncClient client(state());
        QSignalSpy completed(&client, &Google::SyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &Google::SyncClient::calendarSyncFailed);
        client.syncCalendar(calendar());
        QTRY_COMPARE(m_provider->tokenRequests(), 1);
        if (removed) {
            QVERIFY(CalendarRemoval(state()->database(), state()->calendars(), state()->accounts(),
                                    state()->events(), state()->tasks())
                        .removeAccount(QStringLiteral("g")));
            OAuthTokenStorage::remove(OAuthProtocol::Provider::Google, QStringLiteral("g"));
        } else {
            signInAgain();
        }
        const Google::TokenSet before = Google::AuthService::loadTokens(QStringLiteral("g"));
        m_provider->releaseTokenReplies();
        QTRY_COMPARE(completed.size() + failed.size(), 1);
        QTest::qWait(100);
        const Google::TokenSet after = Google::AuthService::loadTokens(QStringLiteral("g"));
        QCOMPARE(after.refreshToken, before.refreshToken);
        QCOMPARE(after.accessToken, before.accessToken);
        QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).value(1).toString()));
        QCOMPARE(completed.first().at(1).toInt(), removed ? 0 : 1);
        if (!removed)
            QCOMPARE(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError, QString());
    }

    void listingFailuresStoreNothing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("stalled") << int(FakeGoogleCalendar::Fault::Stall)
                                 << QStringLiteral("no answer within");
        QTest::newRow("not JSON") << int(FakeGoogleCalendar::Fault::NotJson)
                                  << QStringLiteral("not JSON");
        QTest::newRow("repeated page")
            << int(FakeGoogleCalendar::Fault::RepeatPageToken) << QStringLiteral("same page");
    }

    void listingFailuresStoreNothing()
    {
        QFETCH(int, fault);
        QFETCH(QString, reason);
        for (int i = 0; i < 5; ++i)
            m_fake->putEvent(googleCalendar,
                             timed(QStringLiteral("e%1").arg(i), QStringLiteral("e")));
        m_fake->setListingFault(FakeGoogleCalendar::Fault(fault));
        const Outcome outcome = sync(500);
        QCOMPARE(outcome.failed, 1);
        QCOMPARE(outcome.completed, 0);
        QVERIFY2(outcome.failure.contains(reason), qPrintable(outcome.failure));
        QVERIFY(events()->getByCalendar(calendarId).isEmpty());
        QVERIFY(calendar().syncToken.isEmpty());
        QCOMPARE(calendar().lastSyncError, outcome.failure);
    }

    // A row left pending by a pull keeps an old ETag: the update meets 412, reads Google's copy,
    // merges into it and is taken on the second try, keeping what this system does not hold.
    void staleEtagIsReadAndRetriedOnce()
    {
        QJsonObject meeting = timed(QStringLiteral("m"), QStringLiteral("Meeting"));
        meeting.insert(QStringLiteral("description"), QStringLiteral("Agenda"));
        meeting.insert(
            QStringLiteral("attendees"),
            QJsonArray{QJsonObject{{QStringLiteral("email"), QStringLiteral("b@example.com")}}});
        meeting.insert(QStringLiteral("conferenceData"),
                       QJsonObject{{QStringLiteral("conferenceId"), QStringLiteral("xyz")}});
        m_fake->putEvent(googleCalendar, meeting);
        QCOMPARE(sync().completed, 1);

        meeting.insert(QStringLiteral("colorId"), QStringLiteral("5"));
        m_fake->putEvent(googleCalendar, meeting);
        Event local = *byGoogleId(QStringLiteral("m"));
        local.title = QStringLiteral("Meeting, moved here");
        local.description.clear();
        local.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->update(local));

        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->count("PUT", QStringLiteral("/m")), 2);
        QCOMPARE(m_fake->count("GET", QStringLiteral("/m")), 1);
        const QJsonObject server = m_fake->event(googleCalendar, QStringLiteral("m"));
        QCOMPARE(server.value(QStringLiteral("summary")).toString(), local.title);
        QVERIFY(!server.contains(QStringLiteral("description")));
        for (const char* kept : {"attendees", "conferenceData", "colorId"})
            QVERIFY2(server.value(QLatin1String(kept)) == meeting.value(QLatin1String(kept)), kept);
        QCOMPARE(server.value(QStringLiteral("start"))
                     .toObject()
                     .value(QStringLiteral("timeZone"))
                     .toString(),
                 QStringLiteral("Europe/Berlin"));
        Event after = *byGoogleId(QStringLiteral("m"));
        QCOMPARE(after.syncStatus, QStringLiteral("synced"));
        QCOMPARE(after.etag, server.value(QStringLiteral("etag")).toString());

        // A plain update, answered at once, keeps them as well; so does one after the event
        // form rewrote the row's raw text as iCalendar (Google's copy is read first).
        after.location = QStringLiteral("Room 2");
        after.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->update(after));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->count("PUT", QStringLiteral("/m")), 3);
        after = *byGoogleId(QStringLiteral("m"));
        after.location = QStringLiteral("Room 3");
        after.rawIcalendar = Ical::buildEvent(after);
        after.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->update(after));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->count("PUT", QStringLiteral("/m")), 4);
        QCOMPARE(m_fake->count("GET", QStringLiteral("/m")), 2);
        const QJsonObject updated = m_fake->event(googleCalendar, QStringLiteral("m"));
        QCOMPARE(updated.value(QStringLiteral("location")).toString(), QStringLiteral("Room 3"));
        for (const char* kept : {"attendees", "conferenceData", "colorId"})
            QVERIFY2(updated.value(QLatin1String(kept)) == meeting.value(QLatin1String(kept)),
                     kept);

        // An undo of a move puts back the times alone, over Google's newest copy: what another
        // client changed since, in fields the move left alone, stays here and there.
        const Event before = *byGoogleId(QStringLiteral("m"));
        QVERIFY(EventChange::updateWithUndo(
            state(), before, EventChange::moved(before, before.startTime, 60, Clock::now()),
            QStringLiteral("Moved"), {}));
        QCOMPARE(sync().completed, 1);
        QJsonObject there = m_fake->event(googleCalendar, QStringLiteral("m"));
        there.insert(QStringLiteral("colorId"), QStringLiteral("7"));
        there.insert(QStringLiteral("description"), QStringLiteral("Dial-in"));
        there.insert(QStringLiteral("location"), QStringLiteral("Room 9"));
        m_fake->putEvent(googleCalendar, there);
        QCOMPARE(sync().completed, 1);
        state()->undoStack()->undo();
        QCOMPARE(sync().completed, 1);
        const QJsonObject undone = m_fake->event(googleCalendar, QStringLiteral("m"));
        QCOMPARE(undone.value(QStringLiteral("colorId")).toString(), QStringLiteral("7"));
        QCOMPARE(undone.value(QStringLiteral("description")).toString(), QStringLiteral("Dial-in"));
        QCOMPARE(undone.value(QStringLiteral("location")).toString(), QStringLiteral("Room 9"));
        QCOMPARE(QDateTime::fromString(undone.value(QStringLiteral("start"))
                                           .toObject()
                                           .value(QStringLiteral("dateTime"))
                                           .toString(),
                                       Qt::ISODate),
                 before.startTime);
        const Event back = *byGoogleId(QStringLiteral("m"));
        QCOMPARE(back.startTime, before.startTime);
        QCOMPARE(back.description, QStringLiteral("Dial-in"));
        QCOMPARE(back.location, QStringLiteral("Room 9"));

        // A row holding an older item of Google's than its ETag (an earlier state put back whole)
        // is merged into Google's newest copy as well, not into the item it holds.
        Event putBack = back;
        there = m_fake->event(googleCalendar, QStringLiteral("m"));
        there.insert(QStringLiteral("colorId"), QStringLiteral("9"));
        putBack.etag =
            m_fake->putEvent(googleCalendar, there).value(QStringLiteral("etag")).toString();
        putBack.title = QStringLiteral("Meeting, put back");
        putBack.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->update(putBack));
        QCOMPARE(sync().completed, 1);
        const QJsonObject merged = m_fake->event(googleCalendar, QStringLiteral("m"));
        QCOMPARE(merged.value(QStringLiteral("colorId")).toString(), QStringLiteral("9"));
        QCOMPARE(merged.value(QStringLiteral("summary")).toString(), putBack.title);
    }

    void failedPushFailsTheRunOnce()
    {
        const Event local = addLocal(QStringLiteral("aaaaaaaa-0000-0000-0000-000000000001"),
                                     QStringLiteral("Lunch"));
        m_fake->failWrites(QStringLiteral("/events"), 503);
        const Outcome failed = sync();
        QCOMPARE(failed.failed, 1);
        QCOMPARE(failed.completed, 0);
        QVERIFY2(failed.failure.contains(QStringLiteral("events.insert")),
                 qPrintable(failed.failure));
        QCOMPARE(calendar().lastSyncError, failed.failure);
        QCOMPARE(events()->getById(local.id)->syncStatus, QStringLiteral("pending"));

        QCOMPARE(sync().completed, 1);
        QVERIFY(calendar().lastSyncError.isEmpty());
        QCOMPARE(events()->getById(local.id)->syncStatus, QStringLiteral("synced"));
    }

    // Pushes of many events, of several calendars of two accounts at once, keep a few requests
    // out at a time to Google. The others wait unsent, where no time-out runs, and go as the
    // first ones end, rather than time out queued behind them.
    void largePushSendsAFewAtATime()
    {
        Calendar second = calendar();
        second.id = QStringLiteral("cal2");
        second.url = QStringLiteral("other@example.com");
        QVERIFY(state()->calendars()->insert(second));
        m_fake->addCalendar(second.url, QStringLiteral("Other"), QStringLiteral("owner"));
        const int rows = Google::SyncClient::pushRequestsAtOnce + 4;
        for (int i = 0; i < rows; ++i) {
            Event event = addLocal(
                QStringLiteral("aaaaaaaa-0000-0000-0000-%1").arg(i, 12, 10, QLatin1Char('0')),
                QStringLiteral("Event %1").arg(i));
            if (i % 2 == 1) {
                event.calendarId = second.id;
                QVERIFY(events()->update(event));
            }
        }
        m_fake->failWrites(QStringLiteral("/events"), 0, rows); // never answered
        std::vector<std::unique_ptr<Google::SyncClient>> clients;
        int ended = 0;
        for (const Calendar& each : {calendar(), second}) {
            clients.push_back(std::make_unique<Google::SyncClient>(state()));
            clients.back()->setTransferTimeout(1000);
            connect(clients.back().get(), &Google::SyncClient::calendarSyncFailed, this,
                    [&ended] { ++ended; });
            clients.back()->syncCalendar(each);
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended, 2, 30000);
        QCOMPARE(m_fake->count("POST", "/events"), rows);
    }

    void lostInsertReplyMakesNoDuplicate()
    {
        const Event local = addLocal(QStringLiteral("bbbbbbbb-0000-0000-0000-000000000002"),
                                     QStringLiteral("Dentist"));
        m_fake->loseNextInsertReply();
        QCOMPARE(sync(500).failed, 1);
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), 1);
        QVERIFY(events()->getById(local.id)->providerEventId.isEmpty());

        const Outcome outcome = sync();
        QCOMPARE(outcome.completed, 1);
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), 1);
        QCOMPARE(m_fake->count("POST", QStringLiteral("/events")), 2);
        const QList<Event> rows = events()->getByCalendar(calendarId);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().id, local.id);
        QCOMPARE(rows.first().providerEventId, Google::clientEventId(local.id));
        QCOMPARE(rows.first().syncStatus, QStringLiteral("synced"));
    }

    void changeDuringPushStaysPending_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("edited") << false;
        QTest::newRow("deleted") << true;
    }

    void changeDuringPushStaysPending()
    {
        QFETCH(bool, deleted);
        const Event local = addLocal(QStringLiteral("cccccccc-0000-0000-0000-000000000003"),
                                     QStringLiteral("Draft"));
        m_fake->setWriteHook([this, local, deleted] {
            m_fake->setWriteHook(nullptr);
            if (deleted) {
                QVERIFY(events()->remove(local.id));
                return;
            }
            Event edited = *events()->getById(local.id);
            edited.title = QStringLiteral("Final");
            edited.syncStatus = QStringLiteral("pending");
            QVERIFY(events()->update(edited));
        });
        QCOMPARE(sync().completed, 1);
        const Event afterPush = *events()->getById(local.id);
        QCOMPARE(afterPush.syncStatus, QStringLiteral("pending"));
        QCOMPARE(afterPush.providerEventId, Google::clientEventId(local.id));

        QCOMPARE(sync().completed, 1);
        const QJsonObject server = m_fake->event(googleCalendar, afterPush.providerEventId);
        if (deleted) {
            QCOMPARE(server.value(QStringLiteral("status")).toString(),
                     QStringLiteral("cancelled"));
            QVERIFY(!events()->getById(local.id));
        } else {
            QCOMPARE(server.value(QStringLiteral("summary")).toString(), QStringLiteral("Final"));
            QCOMPARE(events()->getById(local.id)->syncStatus, QStringLiteral("synced"));
        }
    }

    // A weekly series with a moved, an excluded and a cancelled week shows each week once.
    void seriesExceptionsFromGoogle()
    {
        QJsonObject master = timed(QStringLiteral("wk"), QStringLiteral("Weekly"), 2);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4"),
                                 QStringLiteral("EXDATE;TZID=Europe/Berlin:20260316T090000")});
        m_fake->putEvent(googleCalendar, master);
        QJsonObject moved =
            timed(QStringLiteral("wk_20260309T080000Z"), QStringLiteral("Weekly"), 9, 11);
        moved.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        moved.insert(
            QStringLiteral("originalStartTime"),
            QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-09T09:00:00+01:00")},
                        {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")}});
        m_fake->putEvent(googleCalendar, moved);
        QJsonObject cancelled = moved;
        cancelled.insert(QStringLiteral("id"), QStringLiteral("wk_20260323T080000Z"));
        cancelled.insert(
            QStringLiteral("originalStartTime"),
            QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-23T09:00:00+01:00")},
                        {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")}});
        m_fake->putEvent(googleCalendar, cancelled);
        m_fake->cancelEvent(googleCalendar, QStringLiteral("wk_20260323T080000Z"));
        QCOMPARE(sync().completed, 1);

        const QStringList expected{QStringLiteral("2026-03-02T08:00:00Z"),
                                   QStringLiteral("2026-03-09T10:00:00Z")};
        QCOMPARE(shownInMarch(), expected);

        // The master changes later; the week cancelled before stays away.
        master.insert(QStringLiteral("summary"), QStringLiteral("Weekly sync"));
        m_fake->putEvent(googleCalendar, master);
        QCOMPARE(sync().count, 1);
        QCOMPARE(shownInMarch(), expected);

        // The first week changed here goes to Google as that week of the series.
        Event week = *byGoogleId(QStringLiteral("wk"));
        week.id = QStringLiteral("dddddddd-0000-0000-0000-000000000004");
        week.masterEventUid = week.uid;
        week.recurrenceId = QStringLiteral("20260302T080000Z");
        week.recurrenceRule.clear();
        week.exceptionDates.clear();
        week.providerEventId.clear();
        week.etag.clear();
        week.startTime = week.startTime.addSecs(6 * 3600);
        week.endTime = week.endTime->addSecs(6 * 3600);
        week.syncStatus = QStringLiteral("pending");
        QVERIFY(events()->insert(week));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), 3);
        const QJsonObject sent =
            m_fake->event(googleCalendar, QStringLiteral("wk_20260302T080000Z"));
        QCOMPARE(sent.value(QStringLiteral("recurringEventId")).toString(), QStringLiteral("wk"));
        QCOMPARE(
            sent.value(QStringLiteral("originalStartTime")).toObject(),
            QJsonObject({{QStringLiteral("dateTime"), QStringLiteral("2026-03-02T09:00:00+01:00")},
                         {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")}}));
        QCOMPARE(events()->getById(week.id)->providerEventId,
                 QStringLiteral("wk_20260302T080000Z"));
        QCOMPARE(shownInMarch(), QStringList({QStringLiteral("2026-03-02T14:00:00Z"),
                                              QStringLiteral("2026-03-09T10:00:00Z")}));

        // The series deleted on Google takes its changed weeks along.
        m_fake->cancelEvent(googleCalendar, QStringLiteral("wk"));
        QCOMPARE(sync().completed, 1);
        QVERIFY(shownInMarch().isEmpty());
        QVERIFY(events()->getByCalendar(calendarId).isEmpty());
    }

    // Series changed here go out before their occurrences changed here in the same run, which
    // wait until their series has landed.
    void seriesGoesBeforeItsOccurrences()
    {
        const QStringList seriesIds{QStringLiteral("wa"), QStringLiteral("wb"),
                                    QStringLiteral("wc")};
        for (const QString& id : seriesIds) {
            QJsonObject master = timed(id, QStringLiteral("Weekly"), 2);
            master.insert(QStringLiteral("recurrence"),
                          QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
            m_fake->putEvent(googleCalendar, master);
        }
        QCOMPARE(sync().completed, 1);
        int made = 0;
        for (const QString& id : seriesIds) {
            Event series = *byGoogleId(id);
            series.title = QStringLiteral("Weekly, renamed");
            series.lastModified = Clock::now();
            series.syncStatus = QStringLiteral("pending");
            series.rawIcalendar = Ical::buildEvent(series);
            QVERIFY(events()->update(series));
            const QDateTime week = series.startTime.addDays(7);
            Event moved = SeriesEdit::occurrenceOverride(
                series, week, week.addSecs(3600), series.endTime->addDays(7).addSecs(3600),
                QStringLiteral("abababab-0000-0000-0000-%1").arg(++made, 12, 10, QLatin1Char('0')),
                Clock::now());
            moved.rawIcalendar = Ical::buildEvent(moved);
            QVERIFY(events()->insert(moved));
        }
        QCOMPARE(sync().completed, 1);

        const QList<LoopbackHttpServer::Request> requests = m_fake->requests();
        for (const QString& id : seriesIds) {
            const QString occurrence = id + QStringLiteral("_20260309T080000Z");
            qsizetype seriesSent = -1;
            qsizetype occurrenceAsked = -1;
            for (qsizetype i = 0; i < requests.size(); ++i) {
                if (requests.at(i).method == "PUT" && requests.at(i).path.endsWith(u'/' + id))
                    seriesSent = i;
                if (occurrenceAsked < 0 && requests.at(i).path.endsWith(occurrence))
                    occurrenceAsked = i;
            }
            QVERIFY2(seriesSent >= 0 && occurrenceAsked > seriesSent, qPrintable(id));
            QCOMPARE(m_fake->event(googleCalendar, id).value(QStringLiteral("summary")).toString(),
                     QStringLiteral("Weekly, renamed"));
            QCOMPARE(m_fake->event(googleCalendar, occurrence)
                         .value(QStringLiteral("recurringEventId"))
                         .toString(),
                     id);
        }
        for (const Event& row : events()->getByCalendar(calendarId))
            QCOMPARE(row.syncStatus, QStringLiteral("synced"));
    }

    // A weekly series made here with its second week moved ("this event only") is one series on
    // Google with that week as its occurrence, however the move and the series' first push meet;
    // the next run sends nothing, and the rows keep the series together under Google's id.
    void newSeriesKeepsItsMovedWeek_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("moved before the first push") << "before";
        QTest::newRow("series refused once") << "refused";
        QTest::newRow("moved after the series went out") << "after";
        QTest::newRow("moved on Google while the series is edited here") << "there";
        QTest::newRow("series deleted on Google before it was listed") << "deleted";
        QTest::newRow("moved on both sides while Google's writes fail") << "both";
        QTest::newRow("moved on both sides after the series took Google's id") << "both, named";
        QTest::newRow("moved here, deleted on Google") << "both, deleted";
    }

    void newSeriesKeepsItsMovedWeek()
    {
        QFETCH(QString, path);
        Event series = addLocal(QStringLiteral("abcdef01-0000-0000-0000-000000000007"),
                                QStringLiteral("Standup"));
        series.startTime = QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone("Europe/Berlin"));
        series.endTime = series.startTime.addSecs(1800);
        series.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
        QVERIFY(events()->update(series));
        const QString googleId = Google::clientEventId(series.id);
        const QString week = googleId + QStringLiteral("_20260309T080000Z");
        // A rule made for the series follows it to Google's id.
        const FilterRule rule = addRuleFor(series);
        const QDateTime moved = series.startTime.addDays(7).addSecs(7200);
        const auto move = [&] {
            QVERIFY(RecurringEdit::applyToThisOnly(events(), *events()->getById(series.id),
                                                   series.startTime.addDays(7), moved,
                                                   moved.addSecs(1800)));
        };
        // Another client moves the second week to `hour` on Google.
        const auto moveThere = [&](const QString& title, int hour) {
            QJsonObject there = timed(week, title, 9, hour);
            there.insert(QStringLiteral("recurringEventId"), googleId);
            there.insert(QStringLiteral("originalStartTime"),
                         timed(googleId, {}, 9).value(QStringLiteral("start")));
            m_fake->putEvent(googleCalendar, there);
        };
        if (path == u"refused") {
            move();
            m_fake->failWrites(QStringLiteral("/events"), 503);
            QCOMPARE(sync().failed, 1);
            QVERIFY(m_fake->liveEvents(googleCalendar).isEmpty());
        }
        if (path == u"before")
            move();
        if (path == u"after" || path == u"there" || path == u"deleted" || path.startsWith(u"both"))
            QCOMPARE(sync().completed, 1);
        if (path == u"both, named")
            QCOMPARE(sync().completed, 1);
        if (path == u"after" || path == u"deleted" || path.startsWith(u"both"))
            move();
        // Another client moves the same week elsewhere, or deletes it, while the week moved here
        // cannot reach Google: the listing is stored whole and the run fails by the push alone.
        if (path.startsWith(u"both")) {
            moveThere(QStringLiteral("Standup, elsewhere"), 13);
            if (path == u"both, deleted")
                m_fake->cancelEvent(googleCalendar, week);
            m_fake->failWrites(week, 503);
            const QString token = calendar().syncToken;
            const Outcome outcome = sync();
            QVERIFY(calendar().syncToken != token);
            if (path == u"both, deleted") {
                QCOMPARE(outcome.completed, 1);
                QCOMPARE(events()->getByCalendar(calendarId).size(), 1);
                QCOMPARE(shownInMarch().size(), 3);
                return;
            }
            QVERIFY2(outcome.failure.contains(QStringLiteral("HTTP 503")),
                     qPrintable(outcome.failure));
        }
        if (path == u"there") {
            Event renamed = *events()->getById(series.id);
            renamed.title = QStringLiteral("Standup, renamed");
            renamed.syncStatus = QStringLiteral("pending");
            renamed.rawIcalendar = Ical::buildEvent(renamed);
            QVERIFY(events()->update(renamed));
            moveThere(QStringLiteral("Standup"), 11);
        }
        if (path == u"deleted")
            m_fake->cancelEvent(googleCalendar, googleId);
        QCOMPARE(sync().completed, 1);
        if (path == u"deleted") {
            QVERIFY(m_fake->liveEvents(googleCalendar).isEmpty());
            QVERIFY(events()->getByCalendar(calendarId).isEmpty());
            return;
        }
        const QStringList expected{
            QStringLiteral("2026-03-02T08:00:00Z"), QStringLiteral("2026-03-09T10:00:00Z"),
            QStringLiteral("2026-03-16T08:00:00Z"), QStringLiteral("2026-03-23T08:00:00Z")};
        QCOMPARE(shownInMarch(), expected);
        const int writes = m_fake->count("POST", {}) + m_fake->count("PUT", {});
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->count("POST", {}) + m_fake->count("PUT", {}), writes);
        QCOMPARE(m_fake->liveEvents(googleCalendar).size(), 2);
        const QJsonObject sent = m_fake->event(googleCalendar, week);
        QCOMPARE(sent.value(QStringLiteral("recurringEventId")).toString(), googleId);
        QCOMPARE(sent.value(QStringLiteral("originalStartTime")).toObject(),
                 timed(googleId, {}, 9).value(QStringLiteral("start")).toObject());
        for (const Event& row : events()->getByCalendar(calendarId)) {
            QCOMPARE(row.uid, googleId);
            QCOMPARE(row.masterEventUid, row.recurrenceId.isEmpty() ? QString() : googleId);
            QCOMPARE(row.syncStatus, QStringLiteral("synced"));
        }
        QCOMPARE(state()->filterRules()->getById(rule.id)->eventUid, googleId);
        QCOMPARE(shownInMarch(), expected);
    }

    // An event made here is named by Google's id once a listing holds it: it takes that id as its
    // UID, and the rule made for it follows and still picks it out.
    void newEventTakesGoogleIdWithItsRule()
    {
        const Event local = addLocal(QStringLiteral("abcdef02-0000-0000-0000-000000000008"),
                                     QStringLiteral("Dentist"));
        const FilterRule rule = addRuleFor(local);
        // The first run sends it; the next one lists it back under Google's id.
        QCOMPARE(sync().completed, 1);
        QCOMPARE(sync().completed, 1);
        const QString googleId = Google::clientEventId(local.id);
        const Event named = *events()->getById(local.id);
        QCOMPARE(named.uid, googleId);
        QCOMPARE(named.syncStatus, QStringLiteral("synced"));
        QCOMPARE(state()->filterRules()->getById(rule.id)->eventUid, googleId);
        const std::optional<FilterRule> deciding =
            FilterEngine::matchingRule(named, state()->filterRules()->getAll());
        QCOMPARE(deciding.value_or(FilterRule()).id, rule.id);
    }

    // An occurrence changed here for the first time is sent as that occurrence of Google's, read
    // first: its guests, organiser and conference stay, though its row holds iCalendar text.
    void firstChangeOfAnOccurrenceKeepsItsGuests()
    {
        QJsonObject master = timed(QStringLiteral("wk"), QStringLiteral("Weekly"), 2);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        QJsonArray guests;
        for (const char* email : {"ada@example.com", "bob@example.com", "cy@example.com"})
            guests.append(QJsonObject{{QStringLiteral("email"), QLatin1String(email)},
                                      {QStringLiteral("responseStatus"), "accepted"}});
        master.insert(QStringLiteral("attendees"), guests);
        master.insert(QStringLiteral("organizer"),
                      QJsonObject{{QStringLiteral("email"), QStringLiteral("ada@example.com")}});
        master.insert(QStringLiteral("conferenceData"),
                      QJsonObject{{QStringLiteral("conferenceId"), QStringLiteral("xyz")}});
        m_fake->putEvent(googleCalendar, master);
        QCOMPARE(sync().completed, 1);
        const Event series = *byGoogleId(QStringLiteral("wk"));
        QCOMPARE(series.attendees.size(), 3);

        // Moved two hours later in its second week, as the event form stores it.
        const QDateTime week = series.startTime.addDays(7);
        Event moved = SeriesEdit::occurrenceOverride(
            series, week, week.addSecs(7200), series.endTime->addDays(7).addSecs(7200),
            QStringLiteral("eeeeeeee-0000-0000-0000-000000000005"), Clock::now());
        moved.rawIcalendar = Ical::buildEvent(moved);
        QVERIFY(events()->insert(moved));
        QCOMPARE(sync().completed, 1);

        const QString occurrence = QStringLiteral("wk_20260309T080000Z");
        QJsonObject sent;
        for (const LoopbackHttpServer::Request& request : m_fake->requests()) {
            if (request.method == "PUT" && request.path.endsWith(occurrence))
                sent = QJsonDocument::fromJson(request.body).object();
        }
        for (const char* kept : {"attendees", "organizer", "conferenceData"})
            QVERIFY2(sent.value(QLatin1String(kept)) == master.value(QLatin1String(kept)), kept);
        QCOMPARE(sent.value(QStringLiteral("recurringEventId")).toString(), QStringLiteral("wk"));
        QCOMPARE(sent.value(QStringLiteral("start")).toObject().value(QStringLiteral("dateTime")),
                 QStringLiteral("2026-03-09T11:00:00+01:00"));
        const Event stored = *events()->getById(moved.id);
        QCOMPARE(stored.providerEventId, occurrence);
        QCOMPARE(stored.syncStatus, QStringLiteral("synced"));
    }

    // One occurrence retitled here ("this event only") and pushed, then undone: Google's item of
    // that occurrence goes back to what its series gives, so no later listing brings the change
    // back. What another client added to that occurrence meanwhile stays.
    void undoneOccurrenceChangeGoesBackOnGoogle_data()
    {
        QTest::addColumn<bool>("describedThere");
        QTest::newRow("nothing changed there") << false;
        QTest::newRow("described there") << true;
    }
    void undoneOccurrenceChangeGoesBackOnGoogle()
    {
        QFETCH(bool, describedThere);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        Event edited = series;
        edited.title = QStringLiteral("Weekly, retitled");
        edited.startTime = series.startTime.addDays(7);
        edited.endTime = series.endTime->addDays(7);
        const std::optional<SeriesEdit::Plan> plan =
            RecurringEdit::planEdit(events(), series, edited.startTime, edited, 1);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state(), *plan, QStringLiteral("Changed"),
                                                        QString(), {}));
        QCOMPARE(sync().completed, 1);
        const QString occurrence = QStringLiteral("wk_20260309T080000Z");
        const auto titleThere = [&] {
            return m_fake->event(googleCalendar, occurrence)
                .value(QStringLiteral("summary"))
                .toString();
        };
        QCOMPARE(titleThere(), edited.title);
        if (describedThere) {
            QJsonObject item = m_fake->event(googleCalendar, occurrence);
            item.insert(QStringLiteral("description"), QStringLiteral("Dial-in"));
            item.insert(QStringLiteral("location"), QStringLiteral("Room 9"));
            m_fake->putEvent(googleCalendar, item);
            QCOMPARE(sync().completed, 1);
        }

        state()->undoStack()->undo();
        QCOMPARE(sync().completed, 1);
        QCOMPARE(titleThere(), series.title);
        const QJsonObject there = m_fake->event(googleCalendar, occurrence);
        QCOMPARE(there.value(QStringLiteral("location")).toString(),
                 describedThere ? QStringLiteral("Room 9") : QString());
        QCOMPARE(syncInFull().completed, 1);
        for (const Event& row : events()->getByCalendar(calendarId)) {
            QCOMPARE(row.title, series.title);
            if (!row.recurrenceId.isEmpty())
                QCOMPARE(row.description, describedThere ? QStringLiteral("Dial-in") : QString());
        }
        QCOMPARE(shownInMarch().size(), 4);
    }

    // All events moved an hour later here and pushed, then undone: the series goes back at
    // Google too. When one week was changed at Google meanwhile, Google names that week by its
    // original start, which an undo cannot move back with the series: the undo writes nothing and
    // says so, and the week stays changed through a full listing. So too when the week changed
    // there is one the move wrote, as it moved a week changed at Google before.
    void undoneMoveKeepsAnInstanceChangedThere_data()
    {
        QTest::addColumn<bool>("changedThere");
        QTest::addColumn<bool>("writtenByMove");
        QTest::newRow("nothing changed there") << false << false;
        QTest::newRow("a week changed there") << true << false;
        QTest::newRow("a week the move wrote changed there") << true << true;
    }
    void undoneMoveKeepsAnInstanceChangedThere()
    {
        QFETCH(bool, changedThere);
        QFETCH(bool, writtenByMove);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        if (writtenByMove) {
            const QString before = QStringLiteral("wk_20260316T080000Z");
            QJsonObject week = timed(before, QStringLiteral("Weekly, there"), 16, 15);
            week.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
            week.insert(QStringLiteral("originalStartTime"),
                        timed(before, {}, 16).value(QStringLiteral("start")));
            m_fake->putEvent(googleCalendar, week);
            QCOMPARE(sync().completed, 1);
        }
        QStringList messages;
        QVERIFY(moveAllEvents(series, series.startTime.addSecs(3600), messages));
        QCOMPARE(sync().completed, 1);

        QJsonObject week =
            timed(QStringLiteral("wk_20260316T090000Z"), QStringLiteral("Weekly, there"), 16, 15);
        week.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        week.insert(
            QStringLiteral("originalStartTime"),
            QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-16T10:00:00+01:00")},
                        {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")}});
        if (writtenByMove) {
            // The instance the move wrote, as Google holds it, described there.
            week = m_fake->event(googleCalendar, week.value(QStringLiteral("id")).toString());
            QCOMPARE(week.value(QStringLiteral("summary")).toString(),
                     QStringLiteral("Weekly, there"));
            week.insert(QStringLiteral("description"), QStringLiteral("Dial-in"));
        }
        if (changedThere) {
            m_fake->putEvent(googleCalendar, week);
            QCOMPARE(sync().completed, 1);
        }
        const QStringList moved{"2026-03-02T09:00:00Z", "2026-03-09T09:00:00Z",
                                changedThere ? "2026-03-16T14:00:00Z" : "2026-03-16T09:00:00Z",
                                "2026-03-23T09:00:00Z"};
        QCOMPARE(shownInMarch(), moved);

        state()->undoStack()->undo();
        QCOMPARE(messages, changedThere ? QStringList{RecurringEdit::changedElsewhereText("Weekly")}
                                        : QStringList());
        QCOMPARE(events()->pendingIds(calendarId).isEmpty(), changedThere);
        QCOMPARE(sync().completed, 1);
        QCOMPARE(syncInFull().completed, 1);
        const QStringList back{"2026-03-02T08:00:00Z", "2026-03-09T08:00:00Z",
                               "2026-03-16T08:00:00Z", "2026-03-23T08:00:00Z"};
        QCOMPARE(shownInMarch(), changedThere ? moved : back);
    }

    // Weeks of a series changed at Google and pulled; here every event moves and goes out, then
    // the move is undone and goes out. Google names a week by its original start, which no update
    // changes: each change is written to the moved series' instance on its day, and the instance
    // it leaves goes back to what the series gives there, or is cancelled where the series no
    // longer has it; the undo goes back the same way. So the weeks stay changed here and at
    // Google through full listings. A write Google refuses fails the run, naming the week, and
    // goes out with the next one; one that failed for the moment, or whose series' write did, holds
    // back the cancellation of the instance it leaves until then.
    void moveKeepsWeeksChangedThere_data()
    {
        QTest::addColumn<QList<int>>("changedThere"); // days of March
        QTest::addColumn<int>("days");                // the move: a week, else an hour later
        // The status Google answers the write of the week's new instance with, once (0: it never
        // answers); none: it takes the write.
        QTest::addColumn<int>("failedOnce");
        QTest::addColumn<QStringList>("moved");
        QTest::addColumn<bool>("undoneAtOnce"); // before the run after the move's push lists
        const int none = -1;
        const QStringList hourLater{"2026-03-02T09:00:00Z", "2026-03-09T09:00:00Z",
                                    "2026-03-16T14:00:00Z", "2026-03-23T09:00:00Z"};
        QTest::addColumn<bool>("changedHere"); // the weeks changed here and pushed instead
        QTest::addColumn<bool>("seriesFailed"); // the series' write fails instead of the week's
        QTest::newRow("an hour later")
            << QList<int>{16} << 0 << none << hourLater << false << false << false;
        QTest::newRow("an hour later, refused once")
            << QList<int>{16} << 0 << 403 << hourLater << false << false << false;
        QTest::newRow("an hour later, failed for the moment once")
            << QList<int>{16} << 0 << 503 << hourLater << false << false << false;
        QTest::newRow("an hour later, too many requests once")
            << QList<int>{16} << 0 << 429 << hourLater << false << false << false;
        QTest::newRow("an hour later, not answered once")
            << QList<int>{16} << 0 << 0 << hourLater << false << false << false;
        QTest::newRow("an hour later, the series failed for the moment once")
            << QList<int>{16} << 0 << 503 << hourLater << false << false << true;
        // 15:00 on 30 March is summer time in Berlin.
        const QStringList weekLater{"2026-03-09T08:00:00Z", "2026-03-16T08:00:00Z",
                                    "2026-03-23T14:00:00Z", "2026-03-30T13:00:00Z"};
        QTest::newRow("a week later, two weeks changed")
            << QList<int>{16, 23} << 7 << none << weekLater << false << false << false;
        QTest::newRow("an hour later, undone before the next pull")
            << QList<int>{16} << 0 << none << hourLater << true << false << false;
        QTest::newRow("an hour later, refused once, undone before the next pull")
            << QList<int>{16} << 0 << 403 << hourLater << true << false << false;
        QTest::newRow("an hour later, failed for the moment once, undone before the next pull")
            << QList<int>{16} << 0 << 503 << hourLater << true << false << false;
        QTest::newRow("a week later, two weeks changed, undone before the next pull")
            << QList<int>{16, 23} << 7 << none << weekLater << true << false << false;
        QTest::newRow("an hour later, changed here")
            << QList<int>{16} << 0 << none << hourLater << false << true << false;
        QTest::newRow("an hour later, changed here, undone before the next pull")
            << QList<int>{16} << 0 << none << hourLater << true << true << false;
    }
    void moveKeepsWeeksChangedThere()
    {
        QFETCH(QList<int>, changedThere);
        QFETCH(int, days);
        QFETCH(int, failedOnce);
        QFETCH(QStringList, moved);
        QFETCH(bool, undoneAtOnce);
        QFETCH(bool, changedHere);
        QFETCH(bool, seriesFailed);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        const auto instance = [](const QDateTime& start) {
            return QStringLiteral("wk_") + Recurrence::recurrenceIdFor(start, false);
        };
        QStringList changed{"2026-03-02T08:00:00Z", "2026-03-09T08:00:00Z", "2026-03-16T08:00:00Z",
                            "2026-03-23T08:00:00Z"};
        for (const int day : std::as_const(changedThere)) {
            const QDateTime original = series.startTime.addDays(day - 2);
            const QString id = instance(original);
            const QString title = QStringLiteral("Weekly, %1 there").arg(day);
            changed[(day - 2) / 7] = QStringLiteral("2026-03-%1T14:00:00Z").arg(day);
            if (changedHere) {
                // As the event form stores a first change of an occurrence.
                const QDateTime start =
                    QDateTime::fromString(changed.at((day - 2) / 7), Qt::ISODate);
                Event week = SeriesEdit::occurrenceOverride(
                    series, original, start, start.addSecs(1800),
                    QStringLiteral("eeeeeeee-0000-0000-0000-0000000000%1").arg(day), Clock::now());
                week.title = title;
                week.rawIcalendar = Ical::buildEvent(week);
                QVERIFY(events()->insert(week));
                continue;
            }
            QJsonObject week = timed(id, title, day, 15);
            week.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
            week.insert(QStringLiteral("originalStartTime"),
                        timed(id, {}, day).value(QStringLiteral("start")));
            // Google's own link, which it answers with and no client writes.
            week.insert(QStringLiteral("htmlLink"),
                        QStringLiteral("https://calendar.example/") + id);
            m_fake->putEvent(googleCalendar, week);
        }
        QCOMPARE(sync().completed, 1);
        QCOMPARE(shownInMarch(), changed);
        // Google's copy of the week changed on `day` of March, at the instance starting `start`.
        const auto there = [&](const QDateTime& start, int day) {
            const QJsonObject item = m_fake->event(googleCalendar, instance(start));
            if (item.value(QStringLiteral("status")).toString() == u"cancelled")
                return QStringLiteral("cancelled");
            const QString title = item.value(QStringLiteral("summary")).toString();
            return title == series.title ? QStringLiteral("plain")
                   : title == QStringLiteral("Weekly, %1 there").arg(day)
                       ? QStringLiteral("changed")
                       : title;
        };

        const QDateTime start = series.startTime.addDays(days).addSecs(days ? 0 : 3600);
        const std::optional<Event> left = byGoogleId(instance(series.startTime.addDays(14)));
        QStringList messages;
        QVERIFY(moveAllEvents(series, start, messages));
        const SeriesMove move = SeriesMove::of(series, series.startTime, start);
        if (failedOnce >= 0) {
            const QString week = instance(move(series.startTime.addDays(14)));
            m_fake->failWrites(QStringLiteral("/") + (seriesFailed ? QStringLiteral("wk") : week),
                               failedOnce);
            const Outcome failed = sync(failedOnce ? 5000 : 1000);
            QCOMPARE(failed.failed, 1);
            QVERIFY2(seriesFailed || failed.failure.contains(u"\"Weekly, 16 there\""),
                     qPrintable(failed.failure));
        }
        if (failedOnce >= 0 && failedOnce != 403) {
            // The write goes again with the next run, and the instance it leaves waits for it:
            // Google shows the change meanwhile.
            QCOMPARE(there(series.startTime.addDays(14), 16), QStringLiteral("changed"));
            QCOMPARE(m_fake->count("DELETE", instance(series.startTime.addDays(14))), 0);
            QVERIFY(left && events()->pendingIds(calendarId).contains(left->id));
        } else if (failedOnce == 403) {
            // The instance the change leaves is cancelled once the write of the new one has
            // ended, though Google refused it: a refused write holds nothing back beyond its run.
            QCOMPARE(there(series.startTime.addDays(14), 16), QStringLiteral("cancelled"));
            const QList<LoopbackHttpServer::Request> requests = m_fake->requests();
            const auto sent = [&requests](const QByteArray& method, const QString& id) {
                for (qsizetype i = requests.size() - 1; i >= 0; --i) {
                    if (requests.at(i).method == method && requests.at(i).path.endsWith(id))
                        return i;
                }
                return qsizetype(-1);
            };
            QVERIFY(sent("DELETE", instance(series.startTime.addDays(14))) >
                    sent("PUT", instance(move(series.startTime.addDays(14)))));
        }
        QCOMPARE(sync().completed, 1);
        QCOMPARE(shownInMarch(), moved);
        if (!undoneAtOnce) {
            QCOMPARE(syncInFull().completed, 1);
            QCOMPARE(shownInMarch(), moved);
        }
        for (const int day : std::as_const(changedThere)) {
            const QDateTime original = series.startTime.addDays(day - 2);
            QCOMPARE(there(move(original), day), QStringLiteral("changed"));
            // The instance left is the series' own where the moved series has it.
            if (days == 0 || !changedThere.contains(day - days))
                QCOMPARE(there(original, day), QString::fromLatin1(days ? "plain" : "cancelled"));
        }

        // Undone at once, the next run lists the move's own writes, the instances it cancelled
        // among them, before it pushes the undo.
        state()->undoStack()->undo();
        QCOMPARE(messages, QStringList());
        QCOMPARE(sync().completed, 1);
        QCOMPARE(shownInMarch(), changed);
        QCOMPARE(syncInFull().completed, 1);
        QCOMPARE(shownInMarch(), changed);
        for (const int day : std::as_const(changedThere)) {
            const QDateTime original = series.startTime.addDays(day - 2);
            QCOMPARE(there(original, day), QStringLiteral("changed"));
            if (days == 0 || !changedThere.contains(day + days))
                QCOMPARE(there(move(original), day), QStringLiteral("cancelled"));
        }
        QVERIFY(events()->pendingIds(calendarId).isEmpty());
        // No week is excluded from the series, here or at Google.
        QCOMPARE(m_fake->event(googleCalendar, QStringLiteral("wk"))
                     .value(QStringLiteral("recurrence"))
                     .toArray(),
                 QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        QCOMPARE(Recurrence::occurrences(*byGoogleId(QStringLiteral("wk")),
                                         series.startTime.addDays(-1), series.startTime.addDays(28))
                     .size(),
                 4);
    }

    // Another client cancels a week that was edited here since the last run: Google's deletion wins
    // over the edit, here and there, whatever this program knew of cancellations in that series
    // before: its own deletion of that very week, undone and written back since, or another week
    // cancelled there.
    void weekCancelledThereWinsOverItsEditHere_data()
    {
        QTest::addColumn<bool>("undoneDelete"); // else another week was cancelled there
        QTest::newRow("deleted here, undone and written back") << true;
        QTest::newRow("another week cancelled there") << false;
    }
    void weekCancelledThereWinsOverItsEditHere()
    {
        QFETCH(bool, undoneDelete);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        const QString week = changeWeekThere(9);
        if (!undoneDelete)
            m_fake->cancelEvent(googleCalendar, QStringLiteral("wk_20260323T080000Z"));
        QCOMPARE(sync().completed, 1);
        const QDateTime original = series.startTime.addDays(7);
        const auto statusThere = [&] {
            return m_fake->event(googleCalendar, week).value(QStringLiteral("status")).toString();
        };
        if (undoneDelete) {
            const std::optional<SeriesEdit::Plan> removal =
                RecurringEdit::planRemove(events(), *byGoogleId(QStringLiteral("wk")), original, 1);
            QVERIFY(removal && RecurringEdit::carryOutWithUndo(
                                   state(), *removal, QStringLiteral("Deleted"), QString(), {}));
            QCOMPARE(sync().completed, 1);
            QCOMPARE(statusThere(), QStringLiteral("cancelled"));
            state()->undoStack()->undo();
            QCOMPARE(sync().completed, 1);
            QCOMPARE(statusThere(), QStringLiteral("confirmed"));
        }

        m_fake->cancelEvent(googleCalendar, week);
        Event edited =
            *events()->getByUidAndRecurrenceId(series.uid, calendarId, "20260309T080000Z");
        edited.title = QStringLiteral("Weekly, edited here");
        const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planEdit(
            events(), *byGoogleId(QStringLiteral("wk")), original, edited, 1);
        QVERIFY(plan && RecurringEdit::carryOut(events(), *plan));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(statusThere(), QStringLiteral("cancelled"));
        QVERIFY(!events()->getByUidAndRecurrenceId(series.uid, calendarId, "20260309T080000Z"));
        QVERIFY(events()->pendingIds(calendarId).isEmpty());
        QStringList kept{"2026-03-02T08:00:00Z", "2026-03-16T08:00:00Z"};
        if (undoneDelete)
            kept << QStringLiteral("2026-03-23T08:00:00Z");
        QCOMPARE(shownInMarch(), kept);
        QCOMPARE(syncInFull().completed, 1);
        QCOMPARE(shownInMarch(), kept);
        QCOMPARE(statusThere(), QStringLiteral("cancelled"));
    }

    // A weekly Saturday series moved an hour later here ("all events"), or a day and an hour, and
    // pushed; another client then cancels one week at its new start, and the move is undone here.
    // The week stays cancelled at the start the undo gives back, here and at Google, whether a run
    // listed the move before the undo or not.
    void undoneMoveKeepsAWeekCancelledThere_data()
    {
        QTest::addColumn<int>("days"); // the move: these days and an hour later
        QTest::addColumn<bool>("listedBeforeUndo");
        QTest::newRow("undone before the next pull") << 0 << false;
        QTest::newRow("undone after the next pull") << 0 << true;
        QTest::newRow("a day later, undone before the next pull") << 1 << false;
    }
    void undoneMoveKeepsAWeekCancelledThere()
    {
        QFETCH(int, days);
        QFETCH(bool, listedBeforeUndo);
        QJsonObject master = timed(QStringLiteral("sat"), QStringLiteral("Saturday"), 7, 11);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        m_fake->putEvent(googleCalendar, master);
        QCOMPARE(sync().completed, 1);
        const Event series = *byGoogleId(QStringLiteral("sat"));
        QStringList messages;
        QVERIFY(moveAllEvents(series, series.startTime.addDays(days).addSecs(3600), messages));
        QCOMPARE(sync().completed, 1);
        if (listedBeforeUndo)
            QCOMPARE(sync().completed, 1);
        // The week of 14 March, at 12:00 on its moved day.
        m_fake->cancelEvent(googleCalendar, QStringLiteral("sat_202603%1T110000Z").arg(14 + days));

        state()->undoStack()->undo();
        QCOMPARE(messages, QStringList());
        QCOMPARE(sync().completed, 1);
        const QStringList kept{"2026-03-07T10:00:00Z", "2026-03-21T10:00:00Z",
                               "2026-03-28T10:00:00Z"};
        QCOMPARE(shownInMarch(), kept);
        const QJsonArray rule = m_fake->event(googleCalendar, QStringLiteral("sat"))
                                    .value(QStringLiteral("recurrence"))
                                    .toArray();
        QVERIFY2(rule.contains(QStringLiteral("EXDATE;TZID=Europe/Berlin:20260314T110000")),
                 QJsonDocument(rule).toJson().constData());
        QCOMPARE(syncInFull().completed, 1);
        QCOMPARE(shownInMarch(), kept);
        QVERIFY(events()->pendingIds(calendarId).isEmpty());
    }

    // Google refuses the change of one week here on every run: the deletion of another week of
    // the series here does not wait for it, reaches Google, and each run fails naming the refused
    // week alone.
    void deletedWeekGoesOutBesideARefusedOne()
    {
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        const QString deleted = changeWeekThere(9);
        QCOMPARE(sync().completed, 1);
        const std::optional<SeriesEdit::Plan> removal = RecurringEdit::planRemove(
            events(), *byGoogleId(QStringLiteral("wk")), series.startTime.addDays(7), 1);
        QVERIFY(removal && RecurringEdit::carryOut(events(), *removal));
        const QString refused = QStringLiteral("wk_20260316T080000Z");
        Event changed = SeriesEdit::occurrenceOverride(
            series, series.startTime.addDays(14), series.startTime.addDays(14).addSecs(7200),
            series.endTime->addDays(14).addSecs(7200),
            QStringLiteral("abcdef04-0000-0000-0000-000000000010"), Clock::now());
        changed.title = QStringLiteral("Weekly, refused");
        changed.rawIcalendar = Ical::buildEvent(changed);
        QVERIFY(events()->insert(changed));
        m_fake->failWrites(refused, 400, 2);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const Outcome outcome = sync();
            QCOMPARE(outcome.failed, 1);
            QVERIFY2(outcome.failure.contains(u"\"Weekly, refused\""), qPrintable(outcome.failure));
            QCOMPARE(m_fake->event(googleCalendar, deleted).value(QStringLiteral("status")),
                     QStringLiteral("cancelled"));
            QCOMPARE(events()->pendingIds(calendarId), QStringList{changed.id});
        }
        QCOMPARE(sync().completed, 1);
        QCOMPARE(m_fake->event(googleCalendar, refused).value(QStringLiteral("summary")),
                 changed.title);
        QCOMPARE(shownInMarch(), QStringList({"2026-03-02T08:00:00Z", "2026-03-16T10:00:00Z",
                                              "2026-03-23T08:00:00Z"}));
    }

    // "This and following" an hour later at Google, pushed and read back, then undone: Google
    // keeps guests, organizer and links of its own, which a copy read back lacks or adds, and
    // names a reminder shown on screen "popup"; that is no change of what the split made, and
    // the undo goes through.
    void splitUndoneAfterItWasReadBack_data()
    {
        QTest::addColumn<bool>("reminded");
        QTest::newRow("no reminder") << false;
        QTest::newRow("a reminder on screen") << true;
    }
    void splitUndoneAfterItWasReadBack()
    {
        QFETCH(bool, reminded);
        QJsonObject master = timed(QStringLiteral("wk"), QStringLiteral("Weekly"), 2);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        master.insert(
            QStringLiteral("attendees"),
            QJsonArray{QJsonObject{{QStringLiteral("email"), QStringLiteral("a@x.org")}}});
        master.insert(QStringLiteral("organizer"),
                      QJsonObject{{QStringLiteral("email"), QStringLiteral("o@x.org")}});
        m_fake->putEvent(googleCalendar, master);
        QJsonObject week =
            timed(QStringLiteral("wk_20260323T080000Z"), QStringLiteral("There"), 23, 15);
        week.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        week.insert(QStringLiteral("originalStartTime"),
                    timed(QString(), {}, 23).value(QStringLiteral("start")));
        week.insert(QStringLiteral("htmlLink"), QStringLiteral("https://calendar.example/w"));
        m_fake->putEvent(googleCalendar, week);
        QCOMPARE(sync().completed, 1);
        const QStringList before = shownInMarch();
        const Event series = *byGoogleId(QStringLiteral("wk"));
        Event edited = series;
        edited.startTime = series.startTime.addDays(14).addSecs(3600);
        edited.endTime = edited.startTime.addSecs(1800);
        if (reminded) {
            // As the event form writes it.
            Reminder reminder;
            reminder.minutesBefore = 15;
            edited.reminders = {reminder};
        }
        QStringList messages;
        const std::optional<SeriesEdit::Plan> plan =
            RecurringEdit::planEdit(events(), series, series.startTime.addDays(14), edited, 2);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(
                            state(), *plan, QStringLiteral("Moved"), QString(),
                            [&messages](const QString& message) { messages << message; }));
        QCOMPARE(sync().completed, 1);
        QCOMPARE(syncInFull().completed, 1);
        QCOMPARE(shownInMarch().at(2), QStringLiteral("2026-03-16T09:00:00Z"));

        state()->undoStack()->undo();
        QCOMPARE(messages, QStringList());
        QCOMPARE(sync().completed, 1);
        QCOMPARE(syncInFull().completed, 1);
        QCOMPARE(shownInMarch(), before);
    }

    // Two series meet at the same start: the occurrence of one changed here for the first time is
    // not the row of the other's, changed or deleted on Google, and still goes out as its own.
    void occurrenceIsMatchedWithinItsSeries_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("changed") << false;
        QTest::newRow("cancelled") << true;
    }

    void occurrenceIsMatchedWithinItsSeries()
    {
        QFETCH(bool, cancelled);
        QJsonObject other = timed(QStringLiteral("wb"), QStringLiteral("Other"), 2);
        other.insert(QStringLiteral("recurrence"),
                     QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        m_fake->putEvent(googleCalendar, other);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        const Event moved =
            moveSecondWeek(series, QStringLiteral("abcdef03-0000-0000-0000-000000000009"));
        QVERIFY(!moved.id.isEmpty());
        const QString otherWeek = QStringLiteral("wb_20260309T080000Z");
        QJsonObject there = timed(otherWeek, QStringLiteral("Other, elsewhere"), 9, 13);
        there.insert(QStringLiteral("recurringEventId"), QStringLiteral("wb"));
        there.insert(QStringLiteral("originalStartTime"),
                     timed(otherWeek, {}, 9).value(QStringLiteral("start")));
        m_fake->putEvent(googleCalendar, there);
        if (cancelled)
            m_fake->cancelEvent(googleCalendar, otherWeek);

        QCOMPARE(sync().completed, 1);
        const std::optional<Event> kept = events()->getById(moved.id);
        QVERIFY(kept);
        QCOMPARE(kept->title, moved.title);
        QCOMPARE(kept->startTime, moved.startTime);
        QCOMPARE(kept->syncStatus, QStringLiteral("synced"));
        const QString ownWeek = QStringLiteral("wk_20260309T080000Z");
        QCOMPARE(kept->providerEventId, ownWeek);
        QCOMPARE(m_fake->event(googleCalendar, ownWeek).value(QStringLiteral("summary")).toString(),
                 moved.title);
        const std::optional<Event> theirs = byGoogleId(otherWeek);
        QCOMPARE(theirs.has_value(), !cancelled);
        if (theirs) {
            QCOMPARE(theirs->uid, QStringLiteral("wb"));
            QCOMPARE(theirs->title, QStringLiteral("Other, elsewhere"));
        }
        QCOMPARE(shownInMarch().size(), cancelled ? 7 : 8);
    }

    // Google's copy of an occurrence changed here for the first time cannot be read: the run
    // fails naming the event, sends nothing for it and keeps the change for the next run.
    void failedReadBeforeFirstChangeKeepsTheEdit_data()
    {
        QTest::addColumn<int>("status"); // 0: no answer
        QTest::newRow("not found") << 404;
        QTest::newRow("server error") << 503;
        QTest::newRow("no answer") << 0;
    }

    void failedReadBeforeFirstChangeKeepsTheEdit()
    {
        QFETCH(int, status);
        const Event series = pulledWeekly();
        QVERIFY(!series.id.isEmpty());
        const Event moved =
            moveSecondWeek(series, QStringLiteral("ffffffff-0000-0000-0000-000000000006"));
        QVERIFY(!moved.id.isEmpty());
        const QString occurrence = QStringLiteral("wk_20260309T080000Z");
        m_fake->failReads(occurrence, status);

        const Outcome outcome = sync(status == 0 ? 500 : 5000);
        QCOMPARE(outcome.completed, 0);
        QCOMPARE(outcome.failed, 1);
        QVERIFY2(outcome.failure.contains(QStringLiteral("\"Weekly, later\"")),
                 qPrintable(outcome.failure));
        QCOMPARE(calendar().lastSyncError, outcome.failure);
        QCOMPARE(m_fake->count("GET", occurrence), 1);
        QCOMPARE(m_fake->count("PUT", occurrence), 0);
        const Event kept = *events()->getById(moved.id);
        QCOMPARE(kept.syncStatus, QStringLiteral("pending"));
        QCOMPARE(kept.title, moved.title);
        QCOMPARE(kept.startTime, moved.startTime);
        QVERIFY(kept.providerEventId.isEmpty());

        QCOMPARE(sync().completed, 1);
        QCOMPARE(
            m_fake->event(googleCalendar, occurrence).value(QStringLiteral("summary")).toString(),
            moved.title);
        QCOMPARE(events()->getById(moved.id)->syncStatus, QStringLiteral("synced"));
    }

    void failedLocalWriteEndsOnceAndKeepsTheToken()
    {
        QSqlQuery trigger(state()->database()->database());
        QVERIFY(trigger.exec(QStringLiteral(
            "CREATE TEMP TRIGGER poison BEFORE INSERT ON events WHEN NEW.title = 'Poison' "
            "BEGIN SELECT RAISE(ABORT, 'poisoned'); END")));
        m_fake->putEvent(googleCalendar, timed(QStringLiteral("ok"), QStringLiteral("Fine")));
        m_fake->putEvent(googleCalendar, timed(QStringLiteral("bad"), QStringLiteral("Poison")));
        const Outcome outcome = sync();
        QCOMPARE(outcome.failed, 1);
        QCOMPARE(outcome.completed, 0);
        QCOMPARE(outcome.failure,
                 QStringLiteral("1 event(s) failed to save locally; will retry next sync."));
        QVERIFY(byGoogleId(QStringLiteral("ok")));
        QVERIFY(calendar().syncToken.isEmpty());
    }

    // A long listing stores its new rows together: a row that cannot be stored still fails the
    // run alone, and a series deleted further down the listing still takes along its changed
    // occurrence listed before it.
    void longListingKeepsItsOrderAndFailures()
    {
        QSqlQuery trigger(state()->database()->database());
        QVERIFY(trigger.exec(QStringLiteral(
            "CREATE TEMP TRIGGER poison BEFORE INSERT ON events WHEN NEW.title = 'Poison' "
            "BEGIN SELECT RAISE(ABORT, 'poisoned'); END")));
        const auto put = [this](int i) {
            QJsonObject item =
                timed(QStringLiteral("e%1").arg(i),
                      i == 17 ? QStringLiteral("Poison") : QStringLiteral("Fine"), 1 + i % 28);
            item.insert(QStringLiteral("reminders"),
                        QJsonObject{{QStringLiteral("useDefault"), false},
                                    {QStringLiteral("overrides"),
                                     QJsonArray{QJsonObject{
                                         {QStringLiteral("method"), QStringLiteral("popup")},
                                         {QStringLiteral("minutes"), i}}}}});
            m_fake->putEvent(googleCalendar, item);
        };
        for (int i = 0; i < 40; ++i)
            put(i);
        // The changed occurrence comes first in the listing, its deleted series after it.
        QJsonObject moved =
            timed(QStringLiteral("wk_20260309T080000Z"), QStringLiteral("Weekly"), 9, 11);
        moved.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        moved.insert(
            QStringLiteral("originalStartTime"),
            QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-09T09:00:00+01:00")},
                        {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")}});
        m_fake->putEvent(googleCalendar, moved);
        QJsonObject master = timed(QStringLiteral("wk"), QStringLiteral("Weekly"), 2);
        master.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        m_fake->putEvent(googleCalendar, master);
        m_fake->cancelEvent(googleCalendar, QStringLiteral("wk"));
        m_fake->putEvent(googleCalendar, moved);
        for (int i = 40; i < 60; ++i)
            put(i);

        const Outcome outcome = sync();
        QCOMPARE(outcome.failed, 1);
        QCOMPARE(outcome.failure,
                 QStringLiteral("1 event(s) failed to save locally; will retry next sync."));
        const QList<Event> stored = events()->getByCalendar(calendarId);
        QCOMPARE(stored.size(), 59);
        for (const Event& event : stored) {
            QCOMPARE(event.title, QStringLiteral("Fine"));
            QCOMPARE(event.reminders.size(), 1);
            QCOMPARE(QStringLiteral("e%1").arg(event.reminders.first().minutesBefore),
                     event.providerEventId);
        }
        QVERIFY(calendar().syncToken.isEmpty());
    }

    void calendarsImportedWithTheirRoles()
    {
        m_fake->addCalendar(QStringLiteral("ada@example.com"), QStringLiteral("Ada"),
                            QStringLiteral("owner"), true);
        m_fake->addCalendar(QStringLiteral("shared@example.com"), QStringLiteral("Shared"),
                            QStringLiteral("writer"));
        m_fake->addCalendar(QStringLiteral("holidays@group.v.calendar.google.com"),
                            QStringLiteral("Holidays"), QStringLiteral("reader"));
        m_fake->addCalendar(QStringLiteral("boss@example.com"), QStringLiteral("Boss"),
                            QStringLiteral("freeBusyReader"));
        m_fake->setCalendarListPageSize(2);
        const auto accountStatus = [this] {
            return state()->accounts()->getById(QStringLiteral("g"))->lastSyncError;
        };
        const auto setAccountStatus = [this](const QString& status) {
            Account account = *state()->accounts()->getById(QStringLiteral("g"));
            account.lastSyncError = status;
            QVERIFY(state()->accounts()->update(account));
        };
        const auto import = [this] {
            int added = -1;
            bool done = false;
            Google::CalendarImport::listAndImport(state(), QStringLiteral("g"), this,
                                                  [&](bool ok, int count, int, const QString&) {
                                                      done = true;
                                                      added = ok ? count : -1;
                                                  });
            [&] { QTRY_VERIFY(done); }();
            return added;
        };
        setAccountStatus(Google::CalendarImport::leftOutText(12)); // of an earlier, longer list
        QCOMPARE(import(), 4); // the calendar "team@example.com" is already there
        QVERIFY(accountStatus().isEmpty());
        QHash<QString, bool> readOnly;
        for (const Calendar& row : state()->calendars()->getByAccount(QStringLiteral("g")))
            readOnly.insert(row.url, row.isReadOnly);
        QCOMPARE(readOnly.size(), 5);
        QVERIFY(!readOnly.value(QStringLiteral("ada@example.com")));
        QVERIFY(!readOnly.value(QStringLiteral("shared@example.com")));
        QVERIFY(readOnly.value(QStringLiteral("holidays@group.v.calendar.google.com")));
        QVERIFY(readOnly.value(QStringLiteral("boss@example.com")));
        setAccountStatus(AccountAttention::signInRequiredText());
        QCOMPARE(import(), 0);
        QCOMPARE(accountStatus(), AccountAttention::signInRequiredText());
    }

    // A sign-in whose calendar list is longer than one import takes, one name a megabyte long:
    // the first calendars are stored in one write heard once, the long name whole. A row the
    // store refuses keeps nothing of the list.
    void longCalendarListIsOneWriteOrNothing()
    {
        const QString longName(1024 * 1024, QLatin1Char('n'));
        for (int index = 0; index <= Limits::maxDiscoveredCalendars; ++index)
            m_fake->addCalendar(
                QStringLiteral("c%1@example.com").arg(index, 4, 10, QLatin1Char('0')),
                index == 1 ? longName : QStringLiteral("Calendar %1").arg(index),
                QStringLiteral("reader"));
        int leftOut = -1;
        const auto import = [this, &leftOut] {
            int added = -1;
            bool done = false;
            Google::CalendarImport::listAndImport(
                state(), QStringLiteral("g"), this,
                [&](bool ok, int count, int notAdded, const QString&) {
                    done = true;
                    added = ok ? count : -1;
                    leftOut = notAdded;
                });
            [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
            return added;
        };
        QSignalSpy changed(state()->calendars(), &CalendarRepository::calendarsChanged);
        QSqlQuery refuse(state()->database()->database());
        QVERIFY(refuse.exec("CREATE TEMP TRIGGER refuse BEFORE INSERT ON calendars WHEN NEW.url "
                            "= 'c0007@example.com' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[Google\\] \\d+ calendars listed"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^CalendarRepository::saveAll"));
        QCOMPARE(import(), -1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(state()->calendars()->getByAccount(QStringLiteral("g")).size(), 1);

        QVERIFY(refuse.exec("DROP TRIGGER temp.refuse"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[Google\\] \\d+ calendars listed"));
        // The team calendar is already there and is one of the listed.
        QCOMPARE(import(), Limits::maxDiscoveredCalendars - 1);
        QCOMPARE(leftOut, 2);
        QCOMPARE(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError,
                 Google::CalendarImport::leftOutText(2));
        QCOMPARE(changed.count(), 1);
        QHash<QString, QString> names;
        for (const Calendar& row : state()->calendars()->getByAccount(QStringLiteral("g")))
            names.insert(row.url, row.name);
        QCOMPARE(names.size(), Limits::maxDiscoveredCalendars);
        QCOMPARE(names.value(QStringLiteral("c0001@example.com")), longName);
        QVERIFY(!names.contains(
            QStringLiteral("c%1@example.com").arg(Limits::maxDiscoveredCalendars - 1)));
    }
};

QTEST_MAIN(TestGoogleSync)
#include "tst_googlesync.moc"
