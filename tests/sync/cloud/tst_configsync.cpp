#include "CloudTesting.h"

#include "AccountRepository.h"
#include "FilterRuleRepository.h"
#include "PreferencesRepository.h"
#include "TemplateRepository.h"
#include "ViewRepository.h"

#include <QJsonArray>
#include <QTimer>

class TestConfigSync : public QObject
{
    Q_OBJECT

private:
    CloudWorld m_world;

    AppState* state() const { return m_world.state(); }

    // One sync now; its outcome, waited for.
    bool syncOnce()
    {
        QSignalSpy finished(m_world.configSync(), &Orvandellic::ConfigSyncService::syncFinished);
        m_world.configSync()->syncNow();
        if (!finished.wait(10000) && finished.isEmpty()) {
            return false;
        }
        return finished.first().first().toBool();
    }

    static QStringList idsIn(const QJsonObject& push, const char* section)
    {
        QStringList ids;
        for (const QJsonValue& record : push.value(QLatin1String(section)).toArray()) {
            ids.append(record["id"].toString());
        }
        return ids;
    }

    Account account(const QString& id, const QString& type)
    {
        Account made;
        made.id = id;
        made.name = id;
        made.type = type;
        made.serverUrl = QStringLiteral("https://dav.example/") + id;
        made.createdAt = Clock::now();
        made.updatedAt = made.createdAt;
        return made;
    }

    // A pending View "v1" and filter rule "r1".
    bool insertViewAndRule()
    {
        CalendarView view;
        view.id = QStringLiteral("v1");
        view.name = QStringLiteral("Before");
        FilterRule rule;
        rule.id = QStringLiteral("r1");
        rule.name = QStringLiteral("Hide lunch");
        rule.type = QStringLiteral("title");
        rule.conditions = QStringLiteral("{}");
        return state()->views()->insert(view) && state()->filterRules()->insert(rule);
    }

private Q_SLOTS:
    void init() { QVERIFY(m_world.start()); }
    void cleanup() { m_world.stop(); }

    void pushCarriesPendingRowsAndSettlesThem()
    {
        QVERIFY(insertViewAndRule());
        EventTemplate eventTemplate;
        eventTemplate.id = QStringLiteral("t1");
        eventTemplate.name = QStringLiteral("Standup");
        eventTemplate.title = QStringLiteral("Standup");
        QVERIFY(state()->templates()->insert(eventTemplate));
        QVERIFY(state()->accounts()->insert(account("dav", "caldav")));
        QVERIFY(state()->accounts()->insert(account("gone", "caldav")));
        QVERIFY(state()->accounts()->remove("gone"));
        state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 7);

        QVERIFY(syncOnce());
        const QJsonObject push = m_world.cloud->pushes().last();
        QVERIFY(idsIn(push, "views").contains("v1"));
        QCOMPARE(idsIn(push, "filter_rules"), QStringList{"r1"});
        QCOMPARE(idsIn(push, "templates"), QStringList{"t1"});
        QStringList accounts = idsIn(push, "accounts");
        accounts.sort();
        // A removal travels too.
        QCOMPARE(accounts, (QStringList{"dav", "gone"}));
        QCOMPARE(push.value("settings")["week_start_day"].toInt(), 7);

        QCOMPARE(state()->views()->getById("v1")->syncStatus, QStringLiteral("synced"));
        QCOMPARE(state()->filterRules()->getById("r1")->syncStatus, QStringLiteral("synced"));
        QVERIFY(state()->templates()->getPendingIds().isEmpty());
        bool tombstoneLeft = false;
        for (const Account& stored : state()->accounts()->getAllIncludingDeleted()) {
            tombstoneLeft = tombstoneLeft || stored.id == QLatin1String("gone");
        }
        QVERIFY(!tombstoneLeft);

        // Nothing pending: the next push carries no rows.
        QVERIFY(syncOnce());
        QVERIFY(idsIn(m_world.cloud->pushes().last(), "views").isEmpty());
        QVERIFY(idsIn(m_world.cloud->pushes().last(), "templates").isEmpty());
    }

    void pullAppliesButNeverOverwritesPendingRows()
    {
        QVERIFY(insertViewAndRule());
        QVERIFY(syncOnce());

        // Another device adds a View, deletes the rule and prefers Sunday.
        m_world.cloud->putConfig("views", {{"id", "v2"}, {"name", "From elsewhere"}});
        m_world.cloud->putConfig("filter_rules", {{"id", "r1"}, {"deleted", true}});
        m_world.cloud->putConfig("views", {{"id", "v1"}, {"name", "Renamed elsewhere"}});
        m_world.cloud->setSettings({{"week_start_day", 7}});
        // While the push is out, the user renames v1 here: that edit must survive the pull.
        m_world.cloud->setPushHook([this] {
            CalendarView renamed = *state()->views()->getById("v1");
            renamed.name = QStringLiteral("Renamed here");
            renamed.syncStatus = QStringLiteral("pending");
            state()->views()->update(renamed);
        });
        QSignalSpy weekStart(state(), &AppState::firstDayOfWeekChanged);
        QVERIFY(syncOnce());

        QCOMPARE(state()->views()->getById("v2")->name, QStringLiteral("From elsewhere"));
        QCOMPARE(state()->views()->getById("v2")->syncStatus, QStringLiteral("synced"));
        const CalendarView kept = *state()->views()->getById("v1");
        QCOMPARE(kept.name, QStringLiteral("Renamed here"));
        QCOMPARE(kept.syncStatus, QStringLiteral("pending"));
        QVERIFY(!state()->filterRules()->getById("r1"));
        QCOMPARE(state()->preferences()->getInt("ui/weekStartDay", 0), 7);
        QCOMPARE(weekStart.size(), 1);
        QCOMPARE(state()->preferences()->getString("config/sync/since"),
                 QString::number(m_world.cloud->sequence()));
    }

    // What a pull stores is no local change: the week start it brings is not sent back over a
    // later change made elsewhere, and a pulled filter rule does not schedule another sync.
    void pulledChangesAreNotTakenForLocalOnes()
    {
        m_world.cloud->setSettings({{"week_start_day", 7}});
        m_world.cloud->putConfig(
            "filter_rules",
            {{"id", "r9"}, {"name", "Hide lunch"}, {"type", "title"}, {"conditions", "{}"}});
        QVERIFY(syncOnce());
        QCOMPARE(state()->preferences()->getInt("ui/weekStartDay", 0), 7);
        QVERIFY(state()->filterRules()->getById("r9"));
        for (const QTimer* timer : m_world.configSync()->findChildren<QTimer*>()) {
            if (timer->interval() == Orvandellic::ConfigSyncService::mutationDebounceMs) {
                QVERIFY(!timer->isActive());
            }
        }

        QVERIFY(syncOnce());
        QVERIFY(!m_world.cloud->pushes().last().contains("settings"));
    }

    void failedExchangeLeavesTheCursor_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::newRow("push refused") << QByteArray("POST") << QStringLiteral("/sync/push");
        QTest::newRow("pull refused") << QByteArray("GET") << QStringLiteral("/sync/pull");
    }

    void failedExchangeLeavesTheCursor()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        const QString cursor = state()->preferences()->getString("config/sync/since");
        QVERIFY(!cursor.isEmpty());
        m_world.cloud->putConfig("views", {{"id", "v9"}, {"name", "Waiting"}});
        m_world.cloud->failPath(method, path, 500);
        QVERIFY(!syncOnce());
        QCOMPARE(state()->preferences()->getString("config/sync/since"), cursor);
        QVERIFY(!state()->views()->getById("v9"));
        QVERIFY(!m_world.configSync()->isSyncing());

        m_world.cloud->clearFailures();
        QVERIFY(syncOnce());
        QVERIFY(state()->views()->getById("v9"));
    }

    void syncNowWhileOneRunsIsSkipped()
    {
        const int pushesBefore = m_world.cloud->count("POST", "/sync/push");
        QSignalSpy finished(m_world.configSync(), &Orvandellic::ConfigSyncService::syncFinished);
        m_world.configSync()->syncNow();
        QVERIFY(m_world.configSync()->isSyncing());
        QTest::ignoreMessage(QtInfoMsg, "[ConfigSync] syncNow skipped — already syncing");
        m_world.configSync()->syncNow();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_world.cloud->count("POST", "/sync/push"), pushesBefore + 1);
    }

    void pulledAccountsAreSetUpThenASyncIsRequested()
    {
        m_world.cloud->putConfig("accounts", {{"id", "dav-elsewhere"},
                                              {"type", "caldav"},
                                              {"name", "Work DAV"},
                                              {"server_url", "https://dav.example/"},
                                              {"updated_at", "2026-03-01T08:00:00Z"}});
        m_world.cloud->putConfig(
            "accounts",
            {{"id", "sample-account"}, {"type", "orvandellic"}, {"name", "Not a cloud account"}});
        QSignalSpy requested(m_world.configSync(), &Orvandellic::ConfigSyncService::accountsPulled);
        QVERIFY(syncOnce());
        QCOMPARE(requested.size(), 1);
        const std::optional<Account> pulled = state()->accounts()->getById("dav-elsewhere");
        QVERIFY(pulled);
        QCOMPARE(pulled->serverUrl, QStringLiteral("https://dav.example/"));
        QVERIFY(!state()->accounts()->getById("sample-account"));

        // Nothing new: no further request.
        QVERIFY(syncOnce());
        QCOMPARE(requested.size(), 1);
    }
};

QTEST_MAIN(TestConfigSync)
#include "tst_configsync.moc"
