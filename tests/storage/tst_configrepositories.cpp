#include "FilterRuleRepository.h"
#include "PinnedClock.h"
#include "StoreFixture.h"
#include "TemplateRepository.h"
#include "ViewRepository.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

namespace {

const QDateTime created(QDate(2024, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
const QDateTime edited(QDate(2024, 2, 3), QTime(4, 5, 6), QTimeZone::utc());
const QDateTime now(QDate(2024, 6, 1), QTime(12, 0), QTimeZone::utc());
const QString nowText = QStringLiteral("2024-06-01T12:00:00Z");

CalendarView makeView(const QString& id, const QString& name, int sortOrder = 0)
{
    CalendarView view;
    view.id = id;
    view.name = name;
    view.sortOrder = sortOrder;
    view.createdAt = created;
    view.updatedAt = edited;
    return view;
}

FilterRule makeRule(const QString& id, const QString& name, int priority = 100)
{
    FilterRule rule;
    rule.id = id;
    rule.name = name;
    rule.type = QStringLiteral("keyword");
    rule.conditions = QStringLiteral(R"({"keywords":["lunch"]})");
    rule.priority = priority;
    rule.createdAt = created;
    rule.updatedAt = edited;
    return rule;
}

EventTemplate makeTemplate(const QString& id, const QString& name)
{
    EventTemplate eventTemplate;
    eventTemplate.id = id;
    eventTemplate.name = name;
    eventTemplate.title = QStringLiteral("Standup");
    eventTemplate.createdAt = created;
    eventTemplate.updatedAt = edited;
    return eventTemplate;
}

template <typename Record> QStringList names(const QList<Record>& records)
{
    QStringList result;
    for (const Record& record : records)
        result.append(record.name);
    return result;
}

} // namespace

class TestConfigRepositories : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> m_store;
    ViewRepository* m_views = nullptr;
    FilterRuleRepository* m_rules = nullptr;
    TemplateRepository* m_templates = nullptr;

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<StoreFixture>(QStringList());
        QVERIFY(m_store->isReady());
        m_views = new ViewRepository(m_store->database(), m_store->database());
        m_rules = new FilterRuleRepository(m_store->database(), m_store->database());
        m_templates = new TemplateRepository(m_store->database(), m_store->database());
    }

    void cleanup() { m_store.reset(); }

    void viewsListDefaultFirstThenOrderThenName()
    {
        QVERIFY(m_views->insert(makeView("b", "B")));
        QVERIFY(m_views->insert(makeView("a", "A")));
        QVERIFY(m_views->insert(makeView("c", "C", -5)));
        // The seeded View is the default one, whatever its position.
        QVERIFY(
            m_store->exec("UPDATE calendar_views SET sort_order = 5 WHERE id = 'all-calendars'"));
        QCOMPARE(names(m_views->getAll()), (QStringList{"All Calendars", "C", "A", "B"}));
    }

    // Each record goes to its columns and comes back whole: written, read, deleted and written
    // again, the row is the same.
    void recordsRoundTrip()
    {
        CalendarView view = makeView("v", "Work", 3);
        view.color = QStringLiteral("#aabbcc");
        view.calendarIds = QStringLiteral("[\"c1\",\"c2\"]");
        view.syncStatus = QStringLiteral("synced");
        FilterRule rule = makeRule("r", "Lunch", 40);
        rule.enabled = false;
        rule.action = QStringLiteral("dim");
        rule.eventUid = QStringLiteral("uid-1");
        rule.eventCalendarId = QStringLiteral("c1");
        rule.suppressReminders = true;
        EventTemplate eventTemplate = makeTemplate("t", "Daily");
        eventTemplate.isAllDay = true;
        eventTemplate.durationMinutes = 15;
        eventTemplate.recurrenceRule = QStringLiteral("FREQ=DAILY");
        eventTemplate.calendarId = QStringLiteral("c1");
        eventTemplate.reminders = {10, 60};
        QVERIFY(m_views->insert(view));
        QVERIFY(m_rules->insert(rule));
        QVERIFY(m_templates->insert(eventTemplate, QStringLiteral("synced")));

        const QString stamps = QStringLiteral("2024-01-02T03:04:05Z|2024-02-03T04:05:06Z|");
        const QStringList expected{
            "v|Work|#aabbcc|[\"c1\",\"c2\"]|0|3|synced|" + stamps,
            "r|Lunch|keyword|0|[]|{\"keywords\":[\"lunch\"]}|dim|40|uid-1|c1|1|pending|" + stamps,
            "t|Daily|Standup||||1|15|FREQ=DAILY|c1|[10,60]|0|synced|" + stamps};
        const auto table = [this] {
            return m_store->strings("SELECT * FROM calendar_views WHERE id = 'v'") +
                   m_store->strings("SELECT * FROM filter_rules") +
                   m_store->strings("SELECT * FROM event_templates");
        };
        QCOMPARE(table(), expected);

        const CalendarView readView = *m_views->getById(view.id);
        const FilterRule readRule = *m_rules->getById(rule.id);
        const EventTemplate readTemplate = *m_templates->getById(eventTemplate.id);
        QVERIFY(m_views->hardDelete(view.id) && m_rules->hardDelete(rule.id) &&
                m_templates->hardDelete(eventTemplate.id));
        QVERIFY(m_views->insert(readView) && m_rules->insert(readRule) &&
                m_templates->insert(readTemplate, QStringLiteral("synced")));
        QCOMPARE(table(), expected);
    }

    void updatesStampNowAndStampsDefaultToNow()
    {
        const PinnedClock pinned(now);
        CalendarView view = makeView("v", "Old");
        view.createdAt = QDateTime();
        view.updatedAt = QDateTime();
        QVERIFY(m_views->insert(view));
        view.name = QStringLiteral("New");
        view.syncStatus = QStringLiteral("synced");
        QVERIFY(m_views->update(view));
        FilterRule rule = makeRule("r", "Rule");
        QVERIFY(m_rules->insert(rule));
        rule.priority = 7;
        QVERIFY(m_rules->update(rule));
        QCOMPARE(m_store->strings("SELECT name, sync_status, created_at, updated_at FROM "
                                  "calendar_views WHERE id = 'v'"),
                 QStringList{"New|synced|" + nowText + u'|' + nowText});
        QCOMPARE(m_store->strings("SELECT priority, created_at, updated_at FROM filter_rules"),
                 QStringList{"7|2024-01-02T03:04:05Z|" + nowText});
    }

    void reorderWritesTensInOneTransaction_data()
    {
        QTest::addColumn<bool>("views");
        QTest::newRow("views") << true;
        QTest::newRow("filter rules") << false;
    }

    void reorderWritesTensInOneTransaction()
    {
        QFETCH(bool, views);
        const PinnedClock pinned(now);
        for (const QString id : {"x", "y", "z"}) {
            CalendarView view = makeView(id, id.toUpper(), 100);
            FilterRule rule = makeRule(id, id.toUpper());
            view.syncStatus = rule.syncStatus = QStringLiteral("synced");
            QVERIFY(views ? m_views->insert(view) : m_rules->insert(rule));
        }
        const QString table = views ? "calendar_views" : "filter_rules";
        const QString select = QStringLiteral("SELECT id, %1, sync_status, updated_at FROM %2 "
                                              "WHERE id IN ('x','y','z') ORDER BY id")
                                   .arg(views ? "sort_order" : "priority", table);
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy& changed = views ? viewsChanged : rulesChanged;
        const auto reorder = [&](const QStringList& ids) {
            return views ? m_views->reorder(ids) : m_rules->reorder(ids);
        };
        QVERIFY(reorder({}));
        QCOMPARE(changed.size(), 0);

        // A statement that fails half-way undoes the rows already written.
        QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON %1 WHEN "
                                             "NEW.id = 'x' BEGIN SELECT RAISE(ABORT, 'no'); END")
                                  .arg(table)));
        const QStringList before = m_store->strings(select);
        QVERIFY(!reorder({"z", "y", "x"}));
        QCOMPARE(m_store->strings(select), before);
        QVERIFY(m_store->exec("DROP TRIGGER refuse"));
        // Inside a caller's transaction it nests and goes with the caller's rollback.
        QVERIFY(m_store->db().transaction());
        QVERIFY(reorder({"y"}));
        QVERIFY(m_store->db().rollback());
        QCOMPARE(m_store->strings(select), before);
        QCOMPARE(changed.size(), 1);

        QVERIFY(reorder({"z", "x", "y"}));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(m_store->strings(select),
                 (QStringList{"x|20|pending|" + nowText, "y|30|pending|" + nowText,
                              "z|10|pending|" + nowText}));
        const QStringList order = views ? names(m_views->getAll()) : names(m_rules->getEnabled());
        QCOMPARE(order.mid(views ? 1 : 0), (QStringList{"Z", "X", "Y"}));
    }

    void enabledRulesLeaveOutDisabledAndRemoved()
    {
        QVERIFY(m_rules->insert(makeRule("a", "A", 30)));
        QVERIFY(m_rules->insert(makeRule("b", "B", 20)));
        QVERIFY(m_rules->insert(makeRule("c", "C", 10)));
        QSignalSpy changed(m_rules, &FilterRuleRepository::filterRulesChanged);
        QVERIFY(m_rules->setEnabled("b", false));
        QVERIFY(m_rules->remove("c"));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(names(m_rules->getEnabled()), QStringList{"A"});
        QCOMPARE(names(m_rules->getAll()), (QStringList{"B", "A"}));
        QCOMPARE(names(m_rules->getAllIncludingDeleted()), (QStringList{"C", "B", "A"}));
        QCOMPARE(m_rules->getById("b")->syncStatus, QStringLiteral("pending"));
    }

    void removeLeavesPendingTombstoneUntilHardDelete()
    {
        const PinnedClock pinned(now);
        const QString id = QStringLiteral("gone");
        QVERIFY(m_views->insert(makeView(id, "Gone")));
        QVERIFY(m_rules->insert(makeRule(id, "Gone")));
        QVERIFY(m_templates->insert(makeTemplate(id, "Gone"), "synced"));
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy templatesChanged(m_templates, &TemplateRepository::templatesChanged);
        QVERIFY(m_views->remove(id) && m_rules->remove(id) && m_templates->remove(id));
        for (const char* table : {"calendar_views", "filter_rules", "event_templates"})
            QCOMPARE(m_store->strings(QStringLiteral("SELECT id, sync_status, updated_at, "
                                                     "deleted_at FROM %1 WHERE id = 'gone'")
                                          .arg(table)),
                     QStringList{"gone|pending|" + nowText + u'|' + nowText});
        QCOMPARE(names(m_views->getAll()), QStringList{"All Calendars"});
        QCOMPARE(m_views->getAllIncludingDeleted().size(), 2);
        QVERIFY(m_rules->getAll().isEmpty() && m_templates->getAll().isEmpty());
        QCOMPARE(m_rules->getAllIncludingDeleted().size(), 1);
        QCOMPARE(m_templates->getAllIncludingDeleted().size(), 1);
        // Views and rules still answer for a tombstone; a template does not.
        QCOMPARE(m_views->getById(id)->deletedAt, std::optional(now));
        QCOMPARE(m_rules->getById(id)->deletedAt, std::optional(now));
        QVERIFY(!m_templates->getById(id));

        QVERIFY(m_views->hardDelete(id) && m_rules->hardDelete(id) && m_templates->hardDelete(id));
        QVERIFY(!m_views->getById(id) && !m_rules->getById(id));
        QCOMPARE(m_templates->getAllIncludingDeleted().size(), 0);
        QCOMPARE(viewsChanged.size() + rulesChanged.size() + templatesChanged.size(), 6);
    }

    // Local edits are 'pending' and stamped now; a pulled template keeps the status and stamps
    // it brings, so it is not pushed back as a new change.
    void templateSyncStatus()
    {
        const PinnedClock pinned(now);
        EventTemplate local = makeTemplate(QString(), "No id");
        local.createdAt = QDateTime();
        QVERIFY(m_templates->insert(local));
        const QString id = m_templates->getAll().value(0).id;
        QVERIFY(!QUuid::fromString(id).isNull());
        QVERIFY(!id.contains(u'{'));

        EventTemplate pulled = makeTemplate("t", "Pulled");
        QVERIFY(m_templates->insert(pulled, QStringLiteral("synced")));
        const QString select = QStringLiteral("SELECT name, sync_status, created_at, updated_at "
                                              "FROM event_templates ORDER BY id = 't'");
        QCOMPARE(m_store->strings(select),
                 (QStringList{"No id|pending|" + nowText + u'|' + nowText,
                              "Pulled|synced|2024-01-02T03:04:05Z|2024-02-03T04:05:06Z"}));
        pulled.name = QStringLiteral("Pulled again");
        pulled.updatedAt = QDateTime(QDate(2024, 3, 1), QTime(0, 0), QTimeZone::utc());
        QVERIFY(m_templates->update(pulled, QStringLiteral("synced")));
        QCOMPARE(m_store->strings(select).value(1),
                 QStringLiteral("Pulled again|synced|2024-01-02T03:04:05Z|2024-03-01T00:00:00Z"));
        pulled.name = QStringLiteral("Edited here");
        QVERIFY(m_templates->update(pulled));
        QCOMPARE(m_store->strings(select).value(1),
                 "Edited here|pending|2024-01-02T03:04:05Z|" + nowText);
        QVERIFY(m_templates->hardDelete("t"));
        QVERIFY(m_templates->insert(pulled));
        QCOMPARE(m_store->strings(select).value(1),
                 "Edited here|pending|2024-01-02T03:04:05Z|" + nowText);
    }

    void failedWritesReportAndStaySilent()
    {
        QVERIFY(m_views->insert(makeView("v", "V")));
        QVERIFY(m_rules->insert(makeRule("r", "R")));
        QVERIFY(m_templates->insert(makeTemplate("t", "T")));
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy templatesChanged(m_templates, &TemplateRepository::templatesChanged);
        for (const char* name : {"ViewRepository::insert", "FilterRuleRepository::insert",
                                 "TemplateRepository::insert", "FilterRuleRepository::update",
                                 "FilterRuleRepository::setEnabled", "FilterRuleRepository::remove",
                                 "ViewRepository::hardDelete", "TemplateRepository::remove"})
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^%1 failed: ").arg(name)));
        QVERIFY(!m_views->insert(makeView("v", "Again")));
        QVERIFY(!m_rules->insert(makeRule("r", "Again")));
        QVERIFY(!m_templates->insert(makeTemplate("t", "Again")));
        for (const char* table : {"filter_rules", "event_templates"})
            QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE UPDATE ON %1 "
                                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                      .arg(QLatin1StringView(table))));
        QVERIFY(m_store->exec("CREATE TRIGGER refuse_delete BEFORE DELETE ON calendar_views "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        FilterRule changed = makeRule("r", "R");
        changed.conditions = QStringLiteral("[]");
        QVERIFY(!m_rules->update(changed));
        QVERIFY(!m_rules->setEnabled("r", false));
        QVERIFY(!m_rules->remove("r"));
        QVERIFY(!m_views->hardDelete("v"));
        QVERIFY(!m_templates->remove("t"));
        QCOMPARE(viewsChanged.size() + rulesChanged.size() + templatesChanged.size(), 0);
        QCOMPARE(m_rules->getById("r")->conditions, makeRule("r", "R").conditions);
        QVERIFY(m_rules->getById("r")->enabled);
    }
};

QTEST_GUILESS_MAIN(TestConfigRepositories)
#include "tst_configrepositories.moc"
