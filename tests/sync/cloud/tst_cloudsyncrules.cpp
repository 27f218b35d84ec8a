#include "CalendarKey.h"
#include "CloudSync.h"
#include "ConfigSync.h"

#include <QJsonArray>
#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(CloudSync::PullAction)

namespace {

Account account(const QString& id, const QString& type)
{
    Account made;
    made.id = id;
    made.type = type;
    return made;
}

Calendar calendar(const QString& id, const QString& url)
{
    Calendar made;
    made.id = id;
    made.url = url;
    made.canonicalKey = calendarKey(QStringLiteral("caldav"), url).value_or(QString());
    return made;
}

} // namespace

class TestCloudSyncRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pullNeverOverwritesPendingRows_data()
    {
        QTest::addColumn<bool>("localExists");
        QTest::addColumn<QString>("localStatus");
        QTest::addColumn<QString>("localEtag");
        QTest::addColumn<bool>("remoteDeleted");
        QTest::addColumn<QString>("remoteEtag");
        QTest::addColumn<CloudSync::PullAction>("action");

        using A = CloudSync::PullAction;
        QTest::newRow("new on server") << false << ""
                                       << "" << false << "e1" << A::Insert;
        QTest::newRow("deleted, never here") << false << ""
                                             << "" << true << "e1" << A::Skip;
        QTest::newRow("synced, unchanged") << true << "synced"
                                           << "e1" << false << "e1" << A::Skip;
        QTest::newRow("synced, changed") << true << "synced"
                                         << "e1" << false << "e2" << A::Update;
        QTest::newRow("synced, no etags") << true << "synced"
                                          << "" << false << "" << A::Update;
        QTest::newRow("synced, deleted") << true << "synced"
                                         << "e1" << true << "e2" << A::Delete;
        QTest::newRow("pending, server unchanged") << true << "pending"
                                                   << "e1" << false << "e1" << A::Skip;
        QTest::newRow("pending, server changed") << true << "pending"
                                                 << "e1" << false << "e2" << A::Conflict;
        QTest::newRow("pending, server deleted") << true << "pending"
                                                 << "e1" << true << "e2" << A::Conflict;
    }

    void pullNeverOverwritesPendingRows()
    {
        QFETCH(bool, localExists);
        QFETCH(QString, localStatus);
        QFETCH(QString, localEtag);
        QFETCH(bool, remoteDeleted);
        QFETCH(QString, remoteEtag);
        QFETCH(CloudSync::PullAction, action);
        std::optional<Event> local;
        if (localExists) {
            local = Event();
            local->syncStatus = localStatus;
            local->etag = localEtag;
        }
        CloudSync::RemoteEvent remote;
        remote.uid = QStringLiteral("u1");
        remote.etag = remoteEtag;
        remote.deleted = remoteDeleted;
        QCOMPARE(CloudSync::decidePull(local, remote), action);
    }

    void onlyRealCloudAccountsAreCloudAccounts_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("cloud");
        QTest::newRow("cloud") << "cloud-1"
                               << "orvandellic" << false << true;
        QTest::newRow("local account") << "personal-local-account"
                                       << "orvandellic" << false << false;
        QTest::newRow("sample account") << "sample-account"
                                        << "orvandellic" << false << false;
        QTest::newRow("caldav") << "dav-1"
                                << "caldav" << false << false;
        QTest::newRow("removed cloud") << "cloud-1"
                                       << "orvandellic" << true << false;
    }

    void onlyRealCloudAccountsAreCloudAccounts()
    {
        QFETCH(QString, id);
        QFETCH(QString, type);
        QFETCH(bool, deleted);
        QFETCH(bool, cloud);
        Account checked = account(id, type);
        if (deleted) {
            checked.deletedAt = QDateTime(QDate(2026, 3, 1), QTime(8, 0), QTimeZone::utc());
        }
        QCOMPARE(CloudSync::isCloudAccount(checked), cloud);
        // Accounts travel with the configuration unless they live on this device only.
        QCOMPARE(ConfigSync::accountTravels(checked), type != "orvandellic" || cloud || deleted);
    }

    void pulledWeekStart_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("customized");
        QTest::addColumn<int>("stored"); // 0: nothing stored
        QTest::newRow("monday") << QJsonValue(1) << false << 1;
        QTest::newRow("sunday") << QJsonValue(7) << false << 7;
        QTest::newRow("customised here") << QJsonValue(7) << true << 0;
        QTest::newRow("follow locale") << QJsonValue(0) << false << 0;
        QTest::newRow("out of range") << QJsonValue(8) << false << 0;
        QTest::newRow("text") << QJsonValue("3") << false << 0;
    }

    void pulledWeekStart()
    {
        QFETCH(QJsonValue, value);
        QFETCH(bool, customized);
        QFETCH(int, stored);
        const std::optional<int> day =
            ConfigSync::pulledWeekStart({{"week_start_day", value}}, customized);
        QCOMPARE(day.value_or(0), stored);
    }

    void pushCarriesPendingRowsByCalendarKey()
    {
        ConfigSync::LocalConfig local;
        local.calendars = {calendar("c1", "https://dav/c1"), calendar("c2", "https://dav/c2")};
        CalendarView pendingView;
        pendingView.id = "v1";
        pendingView.calendarIds = R"(["c2","gone"])";
        CalendarView syncedView;
        syncedView.id = "v2";
        syncedView.syncStatus = "synced";
        FilterRule rule;
        rule.id = "r1";
        rule.eventCalendarId = "c1";
        EventTemplate sentTemplate;
        sentTemplate.id = "t1";
        sentTemplate.calendarId = "c1";
        EventTemplate keptTemplate;
        keptTemplate.id = "t2";
        local.views = {pendingView, syncedView};
        local.filterRules = {rule};
        local.templates = {sentTemplate, keptTemplate};
        local.pendingTemplateIds = {"t1"};
        local.accounts = {account("personal-local-account", "orvandellic"),
                          account("sample-account", "orvandellic"), account("dav", "caldav")};
        local.weekStartDay = 7;
        local.settingsPending = true;

        const QJsonObject body = ConfigSync::buildPush(local, {});
        const QJsonArray views = body.value("views").toArray();
        QCOMPARE(views.size(), 1);
        QCOMPARE(views.at(0)["calendar_keys"].toArray(),
                 QJsonArray{local.calendars.at(1).canonicalKey});
        QCOMPARE(body.value("filter_rules").toArray().at(0)["event_calendar_key"].toString(),
                 local.calendars.at(0).canonicalKey);
        QCOMPARE(body.value("templates").toArray().size(), 1);
        const QJsonArray accounts = body.value("accounts").toArray();
        QCOMPARE(accounts.size(), 1);
        QCOMPARE(accounts.at(0)["id"].toString(), QStringLiteral("dav"));
        QCOMPARE(body.value("settings")["week_start_day"].toInt(), 7);

        // Another device maps the keys back to its own calendar ids.
        const QList<Calendar> there{calendar("x2", "https://dav/c2")};
        bool deleted = true;
        const std::optional<CalendarView> pulled =
            ConfigSync::viewFromJson(views.at(0).toObject(), there, &deleted);
        QVERIFY(pulled);
        QVERIFY(!deleted);
        QCOMPARE(pulled->calendarIds, QStringLiteral(R"(["x2"])"));
        QCOMPARE(pulled->syncStatus, QStringLiteral("synced"));

        ConfigSync::Sections onlySettings{false, false, true, false, false};
        QCOMPARE(ConfigSync::buildPush(local, onlySettings).keys(), QStringList{"settings"});
        // An unchanged week start stays home, so it cannot overwrite another device's choice.
        local.settingsPending = false;
        QVERIFY(ConfigSync::buildPush(local, onlySettings).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCloudSyncRules)
#include "tst_cloudsyncrules.moc"
