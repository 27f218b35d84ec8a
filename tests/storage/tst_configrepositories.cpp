#include "Database.h"
#include "FilterRuleRepository.h"
#include "PinnedClock.h"
#include "StoreFixture.h"
#include "TemplateRepository.h"
#include "ViewRepository.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

namespace {

const QDateTime created(QDate(2024, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
const QDateTime edited(QDate(2024, 2, 3), QTime(4, 5, 6), QTimeZone::utc());
const QDateTime now(QDate(2024, 6, 1), QTime(12, 0), QTimeZone::utc());

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

EventTemplate makeTemplate(const QString& id, const QString& name, int sortOrder = 0)
{
    EventTemplate eventTemplate;
    eventTemplate.id = id;
    eventTemplate.name = name;
    eventTemplate.title = QStringLiteral("Standup");
    eventTemplate.sortOrder = sortOrder;
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
    StoreFixture* m_store = nullptr;
    ViewRepository* m_views = nullptr;
    FilterRuleRepository* m_rules = nullptr;
    TemplateRepository* m_templates = nullptr;

    QStringList rows(const QString& sql)
    {
        QStringList result;
        QSqlQuery query(m_store->db());
        if (!query.exec(sql))
            return {QStringLiteral("<failed>")};
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields.append(query.value(i).toString());
            result.append(fields.join(QLatin1Char('|')));
        }
        return result;
    }

private Q_SLOTS:
    void init()
    {
        m_store = new StoreFixture(QStringList());
        QVERIFY(m_store->isReady());
        m_views = new ViewRepository(m_store->database(), m_store->database());
        m_rules = new FilterRuleRepository(m_store->database(), m_store->database());
        m_templates = new TemplateRepository(m_store->database(), m_store->database());
    }

    void cleanup() { delete m_store; }

    void viewsListDefaultFirstThenOrderThenName()
    {
        QVERIFY(m_views->insert(makeView(QStringLiteral("b"), QStringLiteral("B"))));
        QVERIFY(m_views->insert(makeView(QStringLiteral("a"), QStringLiteral("A"))));
        QVERIFY(m_views->insert(makeView(QStringLiteral("c"), QStringLiteral("C"), -5)));
        // The seeded View is the default one, whatever its position.
        QVERIFY(m_store->exec(
            QStringLiteral("UPDATE calendar_views SET sort_order = 5 WHERE id = 'all-calendars'")));
        QCOMPARE(names(m_views->getAll()), (QStringList{"All Calendars", "C", "A", "B"}));
    }

    // Each record goes to its columns and comes back whole: written, read, deleted and written
    // again, the row is the same.
    void recordsRoundTrip()
    {
        CalendarView view = makeView(QStringLiteral("v"), QStringLiteral("Work"), 3);
        view.color = QStringLiteral("#aabbcc");
        view.calendarIds = QStringLiteral("[\"c1\",\"c2\"]");
        view.syncStatus = QStringLiteral("synced");
        FilterRule rule = makeRule(QStringLiteral("r"), QStringLiteral("Lunch"), 40);
        rule.enabled = false;
        rule.action = QStringLiteral("dim");
        rule.eventUid = QStringLiteral("uid-1");
        rule.eventCalendarId = QStringLiteral("c1");
        rule.suppressReminders = true;
        EventTemplate eventTemplate = makeTemplate(QStringLiteral("t"), QStringLiteral("Daily"));
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
            return rows(QStringLiteral("SELECT * FROM calendar_views WHERE id = 'v'")) +
                   rows(QStringLiteral("SELECT * FROM filter_rules")) +
                   rows(QStringLiteral("SELECT * FROM event_templates"));
        };
        QCOMPARE(table(), expected);

        const CalendarView readView = *m_views->getById(view.id);
        const FilterRule readRule = *m_rules->getById(rule.id);
        const EventTemplate readTemplate = *m_templates->getById(eventTemplate.id);
        QVERIFY(m_views->hardDelete(view.id));
        QVERIFY(m_rules->hardDelete(rule.id));
        QVERIFY(m_templates->hardDelete(eventTemplate.id));
        QVERIFY(m_views->insert(readView));
        QVERIFY(m_rules->insert(readRule));
        QVERIFY(m_templates->insert(readTemplate, QStringLiteral("synced")));
        QCOMPARE(table(), expected);
    }

    void updatesStampNowAndStampsDefaultToNow()
    {
        const PinnedClock pinned(now);
        CalendarView view = makeView(QStringLiteral("v"), QStringLiteral("Old"));
        view.createdAt = QDateTime();
        view.updatedAt = QDateTime();
        QVERIFY(m_views->insert(view));
        QCOMPARE(m_views->getById(view.id)->createdAt, now);
        view.name = QStringLiteral("New");
        view.syncStatus = QStringLiteral("synced");
        QVERIFY(m_views->update(view));
        FilterRule rule = makeRule(QStringLiteral("r"), QStringLiteral("Rule"));
        QVERIFY(m_rules->insert(rule));
        rule.priority = 7;
        QVERIFY(m_rules->update(rule));
        QCOMPARE(rows(QStringLiteral("SELECT name, sync_status, created_at, updated_at FROM "
                                     "calendar_views WHERE id = 'v'")),
                 QStringList{"New|synced|2024-06-01T12:00:00Z|2024-06-01T12:00:00Z"});
        QCOMPARE(rows(QStringLiteral("SELECT priority, created_at, updated_at FROM filter_rules")),
                 QStringList{"7|2024-01-02T03:04:05Z|2024-06-01T12:00:00Z"});
    }

    void reorderWritesTensInOneTransaction_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("views") << "views";
        QTest::newRow("filter rules") << "rules";
    }

    void reorderWritesTensInOneTransaction()
    {
        QFETCH(QString, kind);
        const bool views = kind == QLatin1String("views");
        const PinnedClock pinned(now);
        for (const QString& id : {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}) {
            if (views) {
                CalendarView view = makeView(id, id.toUpper(), 100);
                view.syncStatus = QStringLiteral("synced");
                QVERIFY(m_views->insert(view));
            } else {
                FilterRule rule = makeRule(id, id.toUpper());
                rule.syncStatus = QStringLiteral("synced");
                QVERIFY(m_rules->insert(rule));
            }
        }
        const QString table =
            views ? QStringLiteral("calendar_views") : QStringLiteral("filter_rules");
        const QString position = views ? QStringLiteral("sort_order") : QStringLiteral("priority");
        const QString select =
            QStringLiteral("SELECT id, %1, sync_status, updated_at FROM %2 WHERE id IN "
                           "('x','y','z') ORDER BY id")
                .arg(position, table);
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy& changed = views ? viewsChanged : rulesChanged;
        const auto reorder = [&](const QStringList& ids) {
            return views ? m_views->reorder(ids) : m_rules->reorder(ids);
        };

        QVERIFY(reorder({}));
        QCOMPARE(changed.size(), 0);

        // A statement that fails half-way undoes the rows already written.
        QVERIFY(m_store->exec(
            QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON %1 WHEN NEW.id = 'x' "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(table)));
        const QStringList before = rows(select);
        QVERIFY(!reorder({QStringLiteral("z"), QStringLiteral("y"), QStringLiteral("x")}));
        QCOMPARE(rows(select), before);
        QCOMPARE(changed.size(), 0);
        QVERIFY(m_store->exec(QStringLiteral("DROP TRIGGER refuse")));

        QVERIFY(reorder({QStringLiteral("z"), QStringLiteral("x"), QStringLiteral("y")}));
        QCOMPARE(changed.size(), 1);
        const QString stamp = QStringLiteral("2024-06-01T12:00:00Z");
        QCOMPARE(rows(select), (QStringList{"x|20|pending|" + stamp, "y|30|pending|" + stamp,
                                            "z|10|pending|" + stamp}));
        if (views)
            QCOMPARE(names(m_views->getAll()), (QStringList{"All Calendars", "Z", "X", "Y"}));
        else
            QCOMPARE(names(m_rules->getEnabled()), (QStringList{"Z", "X", "Y"}));
    }

    void reorderNestsInCallersTransaction()
    {
        QVERIFY(m_rules->insert(makeRule(QStringLiteral("x"), QStringLiteral("X"))));
        QVERIFY(m_store->db().transaction());
        QVERIFY(m_rules->reorder({QStringLiteral("x")}));
        QVERIFY(m_store->db().rollback());
        QCOMPARE(m_rules->getById(QStringLiteral("x"))->priority, 100);
    }

    void enabledRulesLeaveOutDisabledAndRemoved()
    {
        QVERIFY(m_rules->insert(makeRule(QStringLiteral("a"), QStringLiteral("A"), 30)));
        QVERIFY(m_rules->insert(makeRule(QStringLiteral("b"), QStringLiteral("B"), 20)));
        QVERIFY(m_rules->insert(makeRule(QStringLiteral("c"), QStringLiteral("C"), 10)));
        QSignalSpy changed(m_rules, &FilterRuleRepository::filterRulesChanged);
        QVERIFY(m_rules->setEnabled(QStringLiteral("b"), false));
        QVERIFY(m_rules->remove(QStringLiteral("c")));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(names(m_rules->getEnabled()), QStringList{"A"});
        QCOMPARE(names(m_rules->getAll()), (QStringList{"B", "A"}));
        QCOMPARE(names(m_rules->getAllIncludingDeleted()), (QStringList{"C", "B", "A"}));
        QCOMPARE(m_rules->getById(QStringLiteral("b"))->syncStatus, QStringLiteral("pending"));
    }

    void removeLeavesPendingTombstoneUntilHardDelete()
    {
        const PinnedClock pinned(now);
        const QString id = QStringLiteral("gone");
        QVERIFY(m_views->insert(makeView(id, QStringLiteral("Gone"))));
        QVERIFY(m_rules->insert(makeRule(id, QStringLiteral("Gone"))));
        QVERIFY(m_templates->insert(makeTemplate(id, QStringLiteral("Gone")), "synced"));
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy templatesChanged(m_templates, &TemplateRepository::templatesChanged);
        QVERIFY(m_views->remove(id) && m_rules->remove(id) && m_templates->remove(id));

        const QString tombstone = QStringLiteral("gone|pending|%1|%1").arg("2024-06-01T12:00:00Z");
        for (const char* table : {"calendar_views", "filter_rules", "event_templates"})
            QCOMPARE(rows(QStringLiteral("SELECT id, sync_status, updated_at, deleted_at FROM %1 "
                                         "WHERE id = 'gone'")
                              .arg(table)),
                     QStringList{tombstone});
        QCOMPARE(names(m_views->getAll()), QStringList{"All Calendars"});
        QCOMPARE(m_views->getAllIncludingDeleted().size(), 2);
        QVERIFY(m_rules->getAll().isEmpty());
        QCOMPARE(m_rules->getAllIncludingDeleted().size(), 1);
        QVERIFY(m_templates->getAll().isEmpty());
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

    void localTemplateEditsArePending()
    {
        const PinnedClock pinned(now);
        EventTemplate eventTemplate = makeTemplate(QString(), QStringLiteral("No id"));
        eventTemplate.createdAt = QDateTime();
        QVERIFY(m_templates->insert(eventTemplate));
        const QList<EventTemplate> stored = m_templates->getAll();
        QCOMPARE(stored.size(), 1);
        const QString id = stored.first().id;
        QVERIFY(!QUuid::fromString(id).isNull());
        QVERIFY(!id.contains(QLatin1Char('{')));
        QCOMPARE(stored.first().createdAt, now);
        QCOMPARE(stored.first().updatedAt, now);

        QVERIFY(m_templates->insert(makeTemplate(QStringLiteral("t"), QStringLiteral("T"))));
        QCOMPARE(m_templates->getById(QStringLiteral("t"))->createdAt, created);
        QCOMPARE(m_templates->getById(QStringLiteral("t"))->updatedAt, now);
        QCOMPARE(rows(QStringLiteral("SELECT sync_status FROM event_templates")),
                 (QStringList{"pending", "pending"}));
    }

    void pulledTemplateKeepsItsStatusAndStamps()
    {
        const PinnedClock pinned(now);
        EventTemplate pulled = makeTemplate(QStringLiteral("t"), QStringLiteral("Pulled"));
        QVERIFY(m_templates->insert(pulled, QStringLiteral("synced")));
        const QString select =
            QStringLiteral("SELECT name, sync_status, created_at, updated_at FROM event_templates");
        QCOMPARE(rows(select),
                 QStringList{"Pulled|synced|2024-01-02T03:04:05Z|2024-02-03T04:05:06Z"});

        pulled.name = QStringLiteral("Pulled again");
        pulled.updatedAt = QDateTime(QDate(2024, 3, 1), QTime(0, 0), QTimeZone::utc());
        QVERIFY(m_templates->update(pulled, QStringLiteral("synced")));
        QCOMPARE(rows(select),
                 QStringList{"Pulled again|synced|2024-01-02T03:04:05Z|2024-03-01T00:00:00Z"});

        pulled.name = QStringLiteral("Edited here");
        QVERIFY(m_templates->update(pulled));
        QCOMPARE(rows(select),
                 QStringList{"Edited here|pending|2024-01-02T03:04:05Z|2024-06-01T12:00:00Z"});
    }

    void reminderColumnReads_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("column default") << QString() << QList<int>{15};
        QTest::newRow("mixed elements") << R"([5,"ten",30,null])" << QList<int>{5, 30};
        QTest::newRow("object") << R"({"a":5})" << QList<int>();
        QTest::newRow("not json") << "15, 30" << QList<int>();
    }

    void reminderColumnReads()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, expected);
        if (stored.isNull()) {
            QVERIFY(m_store->exec(QStringLiteral(
                "INSERT INTO event_templates (id, name, title) VALUES ('t', 'T', 'T')")));
        } else {
            QVERIFY(m_templates->insert(makeTemplate(QStringLiteral("t"), QStringLiteral("T"))));
            QSqlQuery query(m_store->db());
            query.prepare(QStringLiteral("UPDATE event_templates SET reminders = ?"));
            query.addBindValue(stored);
            QVERIFY(query.exec());
        }
        QCOMPARE(m_templates->getById(QStringLiteral("t"))->reminders, expected);
    }

    void failedWritesReportAndStaySilent()
    {
        QVERIFY(m_views->insert(makeView(QStringLiteral("v"), QStringLiteral("V"))));
        QVERIFY(m_rules->insert(makeRule(QStringLiteral("r"), QStringLiteral("R"))));
        QVERIFY(m_templates->insert(makeTemplate(QStringLiteral("t"), QStringLiteral("T"))));
        QSignalSpy viewsChanged(m_views, &ViewRepository::viewsChanged);
        QSignalSpy rulesChanged(m_rules, &FilterRuleRepository::filterRulesChanged);
        QSignalSpy templatesChanged(m_templates, &TemplateRepository::templatesChanged);
        for (const char* name : {"ViewRepository::insert", "FilterRuleRepository::insert",
                                 "TemplateRepository::insert", "FilterRuleRepository::update"})
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^%1 failed: ").arg(name)));
        QVERIFY(!m_views->insert(makeView(QStringLiteral("v"), QStringLiteral("Again"))));
        QVERIFY(!m_rules->insert(makeRule(QStringLiteral("r"), QStringLiteral("Again"))));
        QVERIFY(!m_templates->insert(makeTemplate(QStringLiteral("t"), QStringLiteral("Again"))));
        FilterRule noConditions = makeRule(QStringLiteral("r"), QStringLiteral("R"));
        noConditions.conditions = QString();
        QVERIFY(!m_rules->update(noConditions));
        QCOMPARE(viewsChanged.size() + rulesChanged.size() + templatesChanged.size(), 0);
        QCOMPARE(m_rules->getById(QStringLiteral("r"))->conditions,
                 makeRule(QString(), QString()).conditions);
    }
};

QTEST_GUILESS_MAIN(TestConfigRepositories)
#include "tst_configrepositories.moc"
