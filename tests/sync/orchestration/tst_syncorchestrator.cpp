#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "AppSyncClientFactory.h"
#include "Application.h"
#include "CalendarRemoval.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "CredentialManagerTokenStore.h"
#include "DavFaultProxy.h"
#include "DavServer.h"
#include "EventRepository.h"
#include "GoogleSyncClient.h"
#include "Limits.h"
#include "MicrosoftSyncClient.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "SyncOrchestrator.h"
#include "SyncTurns.h"

#include <QLocale>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>

// A client that reports only when the test tells it to.
class FakeClient : public QObject
{
    Q_OBJECT

public:
    QStringList calendars;
    CalDavLogin login;

    void complete(const QString& id, int count = 1) { Q_EMIT calendarSyncCompleted(id, count); }
    void fail(const QString& id, const QString& reason) { Q_EMIT calendarSyncFailed(id, reason); }
    void skip(const QString& id, int count) { Q_EMIT feedEventsSkipped(id, count); }

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);
    void feedEventsSkipped(const QString& calendarId, int count);
};

class FakeFactory : public SyncClientFactory
{
public:
    QList<QPointer<FakeClient>> clients;
    QHash<QString, QString> passwords;
    QString failInsideStart; // a reason: the client fails inside syncCalendar, before "started"
    QSet<Kind> withoutClient{Kind::Google}; // a kind this factory has no client for
    int handed = 0;                         // calendars given to syncCalendar

    SyncClientHandle* create(Kind kind, QObject* parent) override
    {
        if (withoutClient.contains(kind)) {
            return nullptr;
        }
        auto* client = new FakeClient;
        clients.append(client);
        const QString failure = failInsideStart;
        return SyncClientHandle::wrap(
            client,
            [this, client, failure](const Calendar& calendar, const CalDavLogin& login) {
                ++handed;
                client->calendars.append(calendar.id);
                client->login = login;
                if (!failure.isEmpty()) {
                    client->fail(calendar.id, failure);
                    return;
                }
                Q_EMIT client->calendarSyncStarted(calendar.id);
            },
            parent);
    }

    QString calDavPassword(const QString& accountId) override { return passwords.value(accountId); }

    void rediscover(const Account&, const CalDavLogin&, QObject* context,
                    DiscoveryDone done) override
    {
        QTimer::singleShot(0, context, [done] { done(true, 0, {}); });
    }

    // The live client given that calendar.
    FakeClient* holder(const QString& calendarId) const
    {
        for (FakeClient* client : live()) {
            if (client->calendars.contains(calendarId)) {
                return client;
            }
        }
        return nullptr;
    }

    // Clients still alive.
    QList<FakeClient*> live() const
    {
        QList<FakeClient*> result;
        for (const QPointer<FakeClient>& client : clients) {
            if (client) {
                result.append(client);
            }
        }
        return result;
    }
};

class TestSyncOrchestrator : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<SyncOrchestrator> m_sync;
    FakeFactory* m_factory = nullptr;
    QStringList m_messages;

    AppState* state() const { return m_fixture->state(); }

    void addAccount(const QString& id, const QString& type, bool enabled = true)
    {
        Account account;
        account.id = id;
        account.name = id;
        account.type = type;
        account.enabled = enabled;
        account.serverUrl = QStringLiteral("http://127.0.0.1:1/dav/");
        account.username = QStringLiteral("user");
        account.createdAt = account.updatedAt = Clock::now();
        QVERIFY(state()->accounts()->insert(account));
    }

    void addCalendar(const QString& id, const QString& accountId)
    {
        Calendar calendar;
        calendar.id = id;
        calendar.accountId = accountId;
        calendar.name = id;
        calendar.createdAt = calendar.updatedAt = Clock::now();
        QVERIFY(state()->calendars()->insert(calendar));
    }

    Event addEvent(const QString& id, const QString& calendarId, const QString& status,
                   const QString& href = {})
    {
        Event event;
        event.id = id;
        event.uid = id;
        event.calendarId = calendarId;
        event.title = id;
        event.href = href;
        event.etag = href.isEmpty() ? QString() : QStringLiteral("\"1\"");
        event.startTime = Clock::now();
        event.endTime = Clock::now().addSecs(3600);
        event.created = event.lastModified = Clock::now();
        event.syncStatus = status;
        [&] { QVERIFY(state()->events()->insert(event)); }();
        return event;
    }

    QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last(); }

private Q_SLOTS:
    void initTestCase()
    {
        // The English catalogue gives the counted texts their singular and plural.
        for (QTranslator* translator : Application::loadTranslators(QStringLiteral("en"), this))
            QCoreApplication::installTranslator(translator);
    }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        auto factory = std::make_unique<FakeFactory>();
        m_factory = factory.get();
        m_sync = std::make_unique<SyncOrchestrator>(state(), std::move(factory));
        m_messages.clear();
        m_sync->showMessage = [this](const QString& text, int) { m_messages.append(text); };
        m_sync->confirm = [](const QString&, const QString&) { return true; };
        addAccount(QStringLiteral("dav"), QStringLiteral("caldav"));
        addCalendar(QStringLiteral("work"), QStringLiteral("dav"));
        m_factory->passwords.insert(QStringLiteral("dav"), QStringLiteral("secret"));
    }

    void cleanup()
    {
        m_sync.reset();
        m_fixture.reset();
    }

    void editIsPushedAfterTheDelay()
    {
        m_sync->start();
        QCOMPARE(m_sync->pushTimer()->interval(), 300);
        addEvent(QStringLiteral("e1"), QStringLiteral("work"), QStringLiteral("pending"));
        QTRY_COMPARE(m_factory->clients.size(), 1);
        QCOMPARE(m_factory->clients.first()->calendars, QStringList{QStringLiteral("work")});
        QCOMPARE(m_factory->clients.first()->login.password, QStringLiteral("secret"));
        QVERIFY(state()->isSyncBusy());
        m_factory->clients.first()->complete(QStringLiteral("work"), 1);
        QVERIFY(!state()->isSyncBusy());
        QTRY_VERIFY(m_factory->live().isEmpty());
    }

    // A move leaves a deletion in one calendar and a new row in another, announced in one burst:
    // both go out in the push that follows.
    void moveBetweenCalendarsPushesBoth()
    {
        addCalendar(QStringLiteral("home"), QStringLiteral("dav"));
        m_sync->start();
        QSignalSpy changed(state()->events(), &EventRepository::eventsChanged);
        addEvent(QStringLiteral("gone"), QStringLiteral("home"), QStringLiteral("pending"));
        addEvent(QStringLiteral("moved"), QStringLiteral("work"), QStringLiteral("pending"));
        QVERIFY(changed.wait());
        QCOMPARE(m_sync->pendingPushCalendarIds(),
                 (QSet<QString>{QStringLiteral("home"), QStringLiteral("work")}));
    }

    void calDavAccountWithoutPasswordAsksForIt()
    {
        m_factory->passwords.clear();
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        QVERIFY(m_sync->pendingPushCalendarIds().isEmpty()); // nothing pending yet
        addEvent(QStringLiteral("e1"), QStringLiteral("work"), QStringLiteral("pending"));
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        m_sync->pushPendingChanges();
        m_sync->syncNow();
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QVERIFY(m_factory->clients.isEmpty());
        QCOMPARE(state()->accounts()->getById(QStringLiteral("dav"))->lastSyncError,
                 QStringLiteral("Password missing"));
        QCOMPARE(lastMessage(), QStringLiteral("All caught up, nothing waiting to sync."));

        const AccountAttention::Counts counts = AccountAttention::count(
            state()->accounts()->getAll(), [](const Account&) { return false; },
            QStringLiteral("Password missing"));
        QCOMPARE(counts.needPassword, 1);

        // Once the password is back, a full sync clears the error and syncs.
        m_factory->passwords.insert(QStringLiteral("dav"), QStringLiteral("secret"));
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        QCOMPARE(state()->accounts()->getById(QStringLiteral("dav"))->lastSyncError, QString());
    }

    void accountAttention_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("token");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("signIn");
        QTest::addColumn<int>("password");
        QTest::addColumn<QString>("missingText");
        QTest::newRow("google without token")
            << "google" << true << false << "" << 1 << 0 << "Password missing";
        QTest::newRow("google with token")
            << "google" << true << true << "" << 0 << 0 << "Password missing";
        QTest::newRow("microsoft asked")
            << "microsoft" << true << true << "Sign in required" << 1 << 0 << "Password missing";
        QTest::newRow("disabled google")
            << "google" << false << false << "" << 0 << 0 << "Password missing";
        QTest::newRow("zoho password")
            << "zoho" << true << false << "Password missing" << 0 << 1 << "Password missing";
        QTest::newRow("caldav other error")
            << "caldav" << true << false << "HTTP 500" << 0 << 0 << "Password missing";
        // The error was stored in another language than today's.
        QTest::newRow("caldav, stored in English, read in German")
            << "caldav" << true << false << "Password missing" << 0 << 1 << "Passwort fehlt";
        QTest::newRow("caldav, stored and read in German")
            << "caldav" << true << false << "Passwort fehlt" << 0 << 1 << "Passwort fehlt";
        QTest::newRow("webcal") << "webcal" << true << false << "Password missing" << 0 << 0
                                << "Password missing";
    }

    void accountAttention()
    {
        QFETCH(QString, type);
        QFETCH(bool, enabled);
        QFETCH(bool, token);
        QFETCH(QString, error);
        QFETCH(int, signIn);
        QFETCH(int, password);
        QFETCH(QString, missingText);
        Account account;
        account.type = type;
        account.enabled = enabled;
        account.lastSyncError = error;
        const AccountAttention::Counts counts = AccountAttention::count(
            {account}, [token](const Account&) { return token; }, missingText);
        QCOMPARE(counts.needSignIn, signIn);
        QCOMPARE(counts.needPassword, password);
    }

    // Events a feed holds that cannot be stored are counted where the sync's outcome is shown.
    void skippedEventsAreCountedInTheStatus()
    {
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        m_factory->clients.first()->skip(QStringLiteral("work"), 2);
        m_factory->clients.first()->complete(QStringLiteral("work"), 3);
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QCOMPARE(lastMessage(), QStringLiteral("Synced 3 events; 2 events without start left out"));

        // The next run starts its count afresh.
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 2);
        m_factory->clients.last()->complete(QStringLiteral("work"), 3);
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QCOMPARE(lastMessage(), QStringLiteral("Synced 3 events"));
    }

    void overlappingSyncNowRunsOnceMoreAfterwards()
    {
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        QCOMPARE(lastMessage(), QStringLiteral("Syncing 1 account…"));
        m_sync->syncNow();
        m_sync->syncNow();
        QTest::qWait(50);
        QCOMPARE(m_factory->clients.size(), 1);
        QVERIFY(m_sync->calendarsInFlight().contains(QStringLiteral("work")));
        // The periodic check does not start anything while busy, even with an account due.
        m_sync->checkPeriodicSync();

        m_factory->clients.first()->complete(QStringLiteral("work"), 4);
        QCOMPARE(m_messages.at(m_messages.size() - 2), QStringLiteral("Synced 4 events"));
        QTRY_COMPARE(m_factory->clients.size(), 2);
        m_factory->clients.last()->complete(QStringLiteral("work"), 0);
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QTest::qWait(50);
        QCOMPARE(m_factory->clients.size(), 2);
        QCOMPARE(state()->syncDepth(), 0);
    }

    // Not started: no first or periodic sync can stand in for the push after the sync.
    void editDuringSyncIsPushedWhenItEnds()
    {
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        addEvent(QStringLiteral("e1"), QStringLiteral("work"), QStringLiteral("pending"));
        // The change signal and the push delay pass while the sync runs.
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        m_sync->pushPendingChanges();
        QCOMPARE(m_factory->clients.size(), 1);
        QVERIFY(m_sync->pendingPushCalendarIds().isEmpty());
        m_factory->clients.first()->complete(QStringLiteral("work"), 0);
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QCOMPARE(m_sync->pendingPushCalendarIds(), QSet<QString>{QStringLiteral("work")});
        QVERIFY(m_sync->pushTimer()->isActive());
        QTRY_COMPARE(m_factory->clients.size(), 2);
        QCOMPARE(m_factory->clients.last()->calendars, QStringList{QStringLiteral("work")});
    }

    void disabledAccountIsNotPushed()
    {
        addAccount(QStringLiteral("off"), QStringLiteral("caldav"), false);
        addCalendar(QStringLiteral("old"), QStringLiteral("off"));
        m_factory->passwords.insert(QStringLiteral("off"), QStringLiteral("secret"));
        addEvent(QStringLiteral("e1"), QStringLiteral("old"), QStringLiteral("pending"));
        m_sync->onRepositoryChanged(QStringLiteral("old"));
        m_sync->pushPendingChanges();
        QVERIFY(m_factory->clients.isEmpty());
        QCOMPARE(state()->events()->getById(QStringLiteral("e1"))->syncStatus,
                 QStringLiteral("pending"));
    }

    // An account type without a client is not counted as syncing nor "caught up": the account
    // says that its calendars do not sync, in the full sync and in the push.
    void accountWithoutClientSaysItDoesNotSync_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::newRow("alone") << false;
        QTest::newRow("beside a CalDAV account") << true;
    }

    void accountWithoutClientSaysItDoesNotSync()
    {
        QFETCH(bool, beside);
        const QString doesNotSync =
            QStringLiteral("This account's calendars do not sync in this version.");
        if (!beside) {
            Account dav = *state()->accounts()->getById(QStringLiteral("dav"));
            dav.enabled = false;
            QVERIFY(state()->accounts()->update(dav));
        }
        addAccount(QStringLiteral("g"), QStringLiteral("google"));
        addCalendar(QStringLiteral("gcal"), QStringLiteral("g"));
        m_sync->syncNow();
        if (beside) {
            QTRY_COMPARE(m_factory->clients.size(), 1);
            m_factory->clients.first()->complete(QStringLiteral("work"), 2);
        }
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QCOMPARE(m_messages.contains(QStringLiteral("Syncing 1 account…")), beside);
        QVERIFY(!m_messages.contains(QStringLiteral("Syncing 2 accounts…")));
        QVERIFY(!m_messages.contains(QStringLiteral("All caught up, nothing waiting to sync.")));
        QVERIFY(m_messages.contains(QStringLiteral("g: ") + doesNotSync));
        QCOMPARE(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError, doesNotSync);
        if (beside) {
            QCOMPARE(lastMessage(), QStringLiteral("Synced 2 events"));
        }

        m_messages.clear();
        addEvent(QStringLiteral("e1"), QStringLiteral("gcal"), QStringLiteral("pending"));
        m_sync->onRepositoryChanged(QStringLiteral("gcal"));
        m_sync->pushPendingChanges();
        QCOMPARE(lastMessage(), QStringLiteral("g: ") + doesNotSync);
    }

    // A Google account whose sign-in Google refused starts no run at a sync, periodic or asked
    // for, nor at an edit: it says once per sync what to do. A new sign-in runs it again.
    void googleAccountRefusedSignInStartsNoRun_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::newRow("alone") << false;
        QTest::newRow("beside a CalDAV account") << true;
    }

    void googleAccountRefusedSignInStartsNoRun()
    {
        QFETCH(bool, beside);
        m_factory->withoutClient.clear();
        if (!beside) {
            Account dav = *state()->accounts()->getById(QStringLiteral("dav"));
            dav.enabled = false;
            QVERIFY(state()->accounts()->update(dav));
        }
        addAccount(QStringLiteral("g"), QStringLiteral("google"));
        Account google = *state()->accounts()->getById(QStringLiteral("g"));
        google.lastSyncError = AccountAttention::signInRequiredText();
        QVERIFY(state()->accounts()->update(google));
        for (int i = 0; i < 3; ++i)
            addCalendar(QStringLiteral("g%1").arg(i), QStringLiteral("g"));
        const QString saysWhat = QStringLiteral("g: ") + Google::SyncClient::signInRefusedText();

        const auto sync = [&](const std::function<void()>& start) {
            const int clients = int(m_factory->clients.size());
            start();
            if (beside) {
                QTRY_COMPARE(m_factory->clients.size(), clients + 1);
                m_factory->clients.last()->complete(QStringLiteral("work"), 2);
            }
            QTRY_VERIFY(!m_sync->isFullSyncRunning());
        };
        sync([this] { m_sync->syncNow(); });
        Clock::pin(Clock::now().addSecs(16 * 60));
        sync([this] { m_sync->checkPeriodicSync(); });
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(m_factory->handed, beside ? 2 : 0);
        QCOMPARE(m_messages.count(saysWhat), 2);
        QVERIFY(!m_messages.contains(QStringLiteral("All caught up, nothing waiting to sync.")));
        QCOMPARE(state()->accounts()->getById(QStringLiteral("g"))->lastSyncError,
                 AccountAttention::signInRequiredText());

        addEvent(QStringLiteral("e1"), QStringLiteral("g0"), QStringLiteral("pending"));
        m_sync->onRepositoryChanged(QStringLiteral("g0"));
        m_sync->pushPendingChanges();
        QCOMPARE(m_factory->handed, beside ? 2 : 0);

        google.lastSyncError.clear();
        QVERIFY(state()->accounts()->update(google));
        m_sync->syncNow();
        QTRY_VERIFY(m_factory->holder(QStringLiteral("g0")));
    }

    // The program's own factory has a client for Google accounts.
    void programFactoryServesGoogle()
    {
        AppSyncClientFactory factory(state());
        std::unique_ptr<SyncClientHandle> handle(
            factory.create(SyncClientFactory::Kind::Google, nullptr));
        QVERIFY(handle);
        QVERIFY(handle->findChild<Google::SyncClient*>());
    }

    // The program's own rediscovery of a server that lists more calendars than an account takes:
    // the account's status says how many were not added, until a discovery leaves none out.
    void programRediscoveryNotesCalendarsLeftOut()
    {
        DavFaultProxy server;
        server.answerDiscovery(QStringLiteral("/dav/"), Limits::maxDiscoveredCalendars + 1);
        server.answerDiscovery(QStringLiteral("/dav/"), 1);
        Account account = *state()->accounts()->getById(QStringLiteral("dav"));
        account.serverUrl = server.baseUrl().toString() + QStringLiteral("dav/");
        AppSyncClientFactory factory(state());
        QList<int> added;
        for (int run = 0; run < 2; ++run) {
            factory.rediscover(
                account, {account.serverUrl, account.username, "secret", {}}, this,
                [&](bool ok, int count, const QString&) { added << (ok ? count : -1); });
            QTRY_COMPARE_WITH_TIMEOUT(added.size(), run + 1, 30000);
            QCOMPARE(state()->accounts()->getById(QStringLiteral("dav"))->lastSyncError,
                     run == 0 ? QStringLiteral("1 calendar was not added: the server lists more "
                                               "than %1.")
                                    .arg(QLocale().toString(Limits::maxDiscoveredCalendars))
                              : QString());
        }
        QCOMPARE(added, (QList<int>{Limits::maxDiscoveredCalendars, 0}));
    }

    // A client that reports one calendar twice (failed, then completed) neither ends its other
    // calendars early nor counts the second report.
    void calendarReportedTwiceCountsOnce()
    {
        m_factory->withoutClient.clear();
        Account dav = *state()->accounts()->getById(QStringLiteral("dav"));
        dav.enabled = false;
        QVERIFY(state()->accounts()->update(dav));
        addAccount(QStringLiteral("g"), QStringLiteral("google"));
        addCalendar(QStringLiteral("first"), QStringLiteral("g"));
        addCalendar(QStringLiteral("second"), QStringLiteral("g"));
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        FakeClient* client = m_factory->clients.first();
        QCOMPARE(state()->syncDepth(), 2);
        client->fail(QStringLiteral("first"), QStringLiteral("Write failed"));
        client->complete(QStringLiteral("first"), 5);
        QCOMPARE(state()->syncDepth(), 1);
        QVERIFY(m_sync->isFullSyncRunning());
        QCOMPARE(m_sync->calendarsInFlight(), QSet<QString>{QStringLiteral("second")});
        client->complete(QStringLiteral("second"), 3);
        QCOMPARE(state()->syncDepth(), 0);
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QVERIFY(m_messages.contains(QStringLiteral("Synced 3 events")));
        QVERIFY(!m_messages.contains(QStringLiteral("Synced 8 events")));
        QTRY_VERIFY(m_factory->live().isEmpty());
    }

    // Calendars go to one server a few at a time, in a full sync and in a push alike, whichever
    // of its accounts they belong to; the others wait their turn and start as places free up,
    // however a calendar ends, unless removed meanwhile. A calendar on another server does not
    // wait behind them.
    void calendarsGoToOneServerAFewAtATime_data()
    {
        QTest::addColumn<bool>("push");
        QTest::newRow("full sync") << false;
        QTest::newRow("push") << true;
    }

    void calendarsGoToOneServerAFewAtATime()
    {
        QFETCH(bool, push);
        const int places = SyncTurns::runsPerServer;
        addAccount(QStringLiteral("near"), QStringLiteral("caldav"));
        m_factory->passwords.insert(QStringLiteral("near"), QStringLiteral("secret"));
        QStringList ids{QStringLiteral("work")};
        for (int i = 1; i <= places + 1; ++i) {
            ids << QStringLiteral("cal%1").arg(i);
            addCalendar(ids.last(),
                        i <= places / 2 ? QStringLiteral("dav") : QStringLiteral("near"));
        }
        addAccount(QStringLiteral("far"), QStringLiteral("caldav"));
        m_factory->passwords.insert(QStringLiteral("far"), QStringLiteral("secret"));
        addCalendar(QStringLiteral("distant"), QStringLiteral("far"));
        Calendar distant = *state()->calendars()->getById(QStringLiteral("distant"));
        distant.url = QStringLiteral("http://127.0.0.2:1/dav/distant/");
        QVERIFY(state()->calendars()->update(distant));
        ids << distant.id;
        if (push) {
            for (const QString& id : ids) {
                addEvent(QStringLiteral("e-") + id, id, QStringLiteral("pending"));
                m_sync->onRepositoryChanged(id);
            }
            m_sync->pushPendingChanges();
        } else {
            m_sync->syncNow();
        }
        QTRY_COMPARE(m_factory->handed, places + 1);
        QVERIFY(m_factory->holder(distant.id));
        QCOMPARE(m_sync->calendarsInFlight().size(), ids.size());

        QStringList running;
        QStringList waiting;
        for (const QString& id : ids) {
            if (id != distant.id) {
                (m_factory->holder(id) ? running : waiting) << id;
            }
        }
        QVERIFY(CalendarRemoval(state()->database(), state()->calendars(), state()->accounts(),
                                state()->events(), state()->tasks())
                    .removeCalendar(waiting.at(0)));
        m_factory->holder(running.at(0))->complete(running.at(0));
        QCOMPARE(m_factory->handed, places + 2);
        QVERIFY(m_factory->holder(waiting.at(1)));
        m_factory->holder(running.at(1))->fail(running.at(1), QStringLiteral("HTTP 500"));
        QCOMPARE(m_factory->handed, places + 2);
        QVERIFY(!m_factory->holder(waiting.at(0)));
        // A long sync does not look finished between two calendars.
        QCOMPARE(state()->syncDepth(), places);
        for (const QString& id : ids) {
            if (FakeClient* client = m_factory->holder(id)) {
                client->complete(id);
            }
        }
        QCOMPARE(state()->syncDepth(), 0);
        QVERIFY(m_sync->calendarsInFlight().isEmpty());
    }

    // One Sync Now of an account with hundreds of calendars on a real server stores every one of
    // them, through a few connections at a time.
    void manyCalendarsOfARealServerSyncInOneRun()
    {
        if (!DavServer::available(DavServer::Kind::Radicale)) {
            QSKIP("radicale is not installed");
        }
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        constexpr int count = 200;
        QVERIFY(server.seedCalendars(count, [](int i) {
            return QStringLiteral(
                       "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\n"
                       "UID:e%1\r\nDTSTAMP:20260301T000000Z\r\nDTSTART:20260311T090000Z\r\n"
                       "DURATION:PT1H\r\nSUMMARY:E%1\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                .arg(i);
        }));
        DavFaultProxy proxy(server.baseUrl());
        QVERIFY(state()->calendars()->remove(QStringLiteral("work")));
        Account account = *state()->accounts()->getById(QStringLiteral("dav"));
        account.serverUrl = proxy.baseUrl().toString();
        account.username = server.username();
        QVERIFY(state()->accounts()->update(account));
        QVERIFY(OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId())
                    ->write(QStringLiteral("caldav-password-dav"), server.password()));

        SyncOrchestrator sync(state(), std::make_unique<AppSyncClientFactory>(state()));
        sync.syncNow();
        QTRY_VERIFY_WITH_TIMEOUT(!sync.isFullSyncRunning(), 240000);
        QVERIFY2(!state()->lastSyncErrored(), qPrintable(state()->lastSyncError()));
        const QList<Calendar> calendars = state()->calendars()->getByAccount(account.id);
        QCOMPARE(calendars.size(), count);
        for (const Calendar& calendar : calendars) {
            QCOMPARE(calendar.lastSyncError, QString());
            QVERIFY2(state()->events()->getByUid(QStringLiteral("e") + calendar.name.mid(1),
                                                 calendar.id),
                     qPrintable(calendar.name));
        }
        QVERIFY2(proxy.maxOpenConnections() <= SyncTurns::runsPerServer,
                 qPrintable(QString::number(proxy.maxOpenConnections())));
    }

    void failedPushBacksOff()
    {
        addEvent(QStringLiteral("e1"), QStringLiteral("work"), QStringLiteral("pending"));
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        m_sync->pushPendingChanges();
        QCOMPARE(m_factory->clients.size(), 1);
        m_factory->clients.first()->fail(QStringLiteral("work"), QStringLiteral("HTTP 500"));
        // Named with its account, as one calendar of many may fail.
        QCOMPARE(state()->lastSyncError(), QStringLiteral("work (dav): HTTP 500"));
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        QVERIFY(m_sync->pendingPushCalendarIds().isEmpty());
        Clock::pin(Clock::now().addSecs(60));
        m_sync->onRepositoryChanged(QStringLiteral("work"));
        QCOMPARE(m_sync->pendingPushCalendarIds(), QSet<QString>{QStringLiteral("work")});
    }

    void clientFailingInsideTheCallStillRecordsItsError()
    {
        m_factory->failInsideStart = QStringLiteral("Certificate changed");
        m_sync->syncNow();
        QTRY_VERIFY(!m_sync->isFullSyncRunning());
        QCOMPARE(state()->lastSyncError(), QStringLiteral("work (dav): Certificate changed"));
        QVERIFY(state()->lastSyncErrored());
        QCOMPARE(state()->syncDepth(), 0);
        QCOMPARE(lastMessage(), QStringLiteral("work (dav): Certificate changed"));
    }

    // While an import holds the store nothing starts, since a run writes what it learns on this
    // thread; a sync, push or forced sync asked for meanwhile runs when the import has ended.
    void runsWaitForTheHeldStore_data()
    {
        QTest::addColumn<QString>("ask");
        QTest::newRow("sync now") << QStringLiteral("sync");
        QTest::newRow("push") << QStringLiteral("push");
        QTest::newRow("forced full sync") << QStringLiteral("force");
    }
    void runsWaitForTheHeldStore()
    {
        QFETCH(QString, ask);
        const QString id = QStringLiteral("edited");
        addEvent(id, QStringLiteral("work"), QStringLiteral("pending"),
                 QStringLiteral("/dav/work/edited.ics"));
        state()->holdStore();
        if (ask == QLatin1String("sync")) {
            m_sync->syncNow();
        } else if (ask == QLatin1String("push")) {
            m_sync->onRepositoryChanged(QStringLiteral("work"));
            m_sync->pushPendingChanges();
        } else {
            m_sync->forceFullSync();
        }
        QVERIFY(m_factory->clients.isEmpty());
        QVERIFY(!m_sync->isFullSyncRunning());
        QVERIFY(!state()->isSyncBusy());
        QCOMPARE(state()->events()->getById(id)->syncStatus, QStringLiteral("pending"));

        state()->releaseStore();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        QCOMPARE(m_factory->clients.first()->calendars, QStringList{QStringLiteral("work")});
        QCOMPARE(state()->events()->getById(id)->syncStatus, ask == QLatin1String("force")
                                                                 ? QStringLiteral("synced")
                                                                 : QStringLiteral("pending"));
    }

    void forcedFullSyncKeepsAnEventCreatedOffline()
    {
        addEvent(QStringLiteral("offline"), QStringLiteral("work"), QStringLiteral("pending"));
        addEvent(QStringLiteral("edited"), QStringLiteral("work"), QStringLiteral("pending"),
                 QStringLiteral("/dav/work/edited.ics"));
        addEvent(QStringLiteral("deleted"), QStringLiteral("work"), QStringLiteral("synced"),
                 QStringLiteral("/dav/work/deleted.ics"));
        QVERIFY(state()->events()->remove(QStringLiteral("deleted")));
        state()->preferences()->set(QStringLiteral("config/sync/since"), QStringLiteral("42"));

        m_sync->confirm = [](const QString&, const QString&) { return false; };
        m_sync->forceFullSync();
        QCOMPARE(state()->events()->getById(QStringLiteral("edited"))->syncStatus,
                 QStringLiteral("pending"));

        m_sync->confirm = [](const QString&, const QString&) { return true; };
        m_sync->forceFullSync();
        QCOMPARE(state()->events()->getById(QStringLiteral("offline"))->syncStatus,
                 QStringLiteral("pending"));
        QCOMPARE(state()->events()->getById(QStringLiteral("edited"))->syncStatus,
                 QStringLiteral("synced"));
        QCOMPARE(state()->events()->getById(QStringLiteral("deleted"))->syncStatus,
                 QStringLiteral("pending"));
        QCOMPARE(state()->preferences()->getString(QStringLiteral("config/sync/since")), QString());
        QTRY_COMPARE(m_factory->clients.size(), 1);
    }

    void watchdogFailsASilentClient()
    {
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 1);
        QCOMPARE(state()->syncDepth(), 1);
        Clock::pin(Clock::now().addSecs(299));
        m_sync->checkWatchdog();
        QCOMPARE(state()->syncDepth(), 1);
        Clock::pin(Clock::now().addSecs(1));
        m_sync->checkWatchdog();
        QCOMPARE(state()->syncDepth(), 0);
        QVERIFY(state()->lastSyncErrored());
        QVERIFY(!m_sync->isFullSyncRunning());
        QVERIFY(m_sync->calendarsInFlight().isEmpty());
        QCOMPARE(lastMessage(), QStringLiteral("work (dav): The sync did not finish in time."));
        // A late report of the abandoned calendar changes nothing.
        if (FakeClient* late = m_factory->clients.first()) {
            late->complete(QStringLiteral("work"), 3);
        }
        QCOMPARE(state()->syncDepth(), 0);
    }

    // Calendars that only wait their turn behind a long sync have not been asked anything yet:
    // the watchdog leaves them be, however long they wait.
    void watchdogLeavesCalendarsWaitingTheirTurn()
    {
        for (int i = 1; i < SyncTurns::runsPerServer; ++i) {
            addCalendar(QStringLiteral("cal%1").arg(i), QStringLiteral("dav"));
        }
        addAccount(QStringLiteral("near"), QStringLiteral("caldav"));
        m_factory->passwords.insert(QStringLiteral("near"), QStringLiteral("secret"));
        addCalendar(QStringLiteral("late"), QStringLiteral("near"));
        m_sync->syncNow();
        QTRY_COMPARE(m_factory->clients.size(), 2);
        QCOMPARE(m_factory->handed, SyncTurns::runsPerServer);
        QVERIFY(!m_factory->holder(QStringLiteral("late")));
        FakeClient* busy = m_factory->holder(QStringLiteral("work"));
        for (int minute = 0; minute < 10; ++minute) {
            Clock::pin(Clock::now().addSecs(60));
            Q_EMIT busy->calendarSyncStarted(QStringLiteral("work")); // still at work
            m_sync->checkWatchdog();
        }
        QVERIFY2(!state()->lastSyncErrored(), qPrintable(state()->lastSyncError()));
        busy->complete(QStringLiteral("work"));
        QVERIFY(m_factory->holder(QStringLiteral("late")));
    }

    void microsoftCalendarsAskForSignIn()
    {
        addAccount(QStringLiteral("ms"), QStringLiteral("microsoft"));
        Calendar calendar;
        calendar.id = QStringLiteral("outlook");
        calendar.accountId = QStringLiteral("ms");
        Microsoft::SyncClient client(state());
        QSignalSpy failed(&client, &Microsoft::SyncClient::calendarSyncFailed);
        client.syncCalendar(calendar);
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.first().at(1).toString(), QStringLiteral("Sign in required"));
        QCOMPARE(state()->accounts()->getById(QStringLiteral("ms"))->lastSyncError,
                 QStringLiteral("Sign in required"));
    }
};

QTEST_MAIN(TestSyncOrchestrator)
#include "tst_syncorchestrator.moc"
