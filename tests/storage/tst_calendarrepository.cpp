#include "CalendarRepository.h"
#include "PinnedClock.h"
#include "Savepoint.h"
#include "StoreFixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

class TestCalendarRepository : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> m_store;
    CalendarRepository* m_calendars = nullptr;

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<StoreFixture>(QStringList{});
        QVERIFY(m_store->isReady());
        m_calendars = new CalendarRepository(m_store->database(), m_store->database());
        const QList<std::pair<QString, int>> rows = {{"b", 0}, {"a", 0}, {"c", 5}};
        for (const auto& [name, order] : rows) {
            Calendar calendar = StoreFixture::calendar(name, "acc");
            calendar.sortOrder = order;
            QVERIFY(m_calendars->insert(calendar));
        }
    }

    void cleanup() { m_store.reset(); }

    void listsBySortOrderThenName()
    {
        QStringList names;
        for (const Calendar& calendar : m_calendars->getAll())
            names.append(calendar.name);
        QCOMPARE(names, (QStringList{"a", "b", "c"}));
        QCOMPARE(m_calendars->getByAccount("acc").size(), 3);
    }

    void setDefaultKeepsOneDefault()
    {
        QVERIFY(m_calendars->setDefault("a"));
        const PinnedClock clock(QDateTime(QDate(2025, 2, 1), QTime(8, 0), QTimeZone::utc()));
        QSignalSpy changed(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(m_calendars->setDefault("b"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_store->strings("SELECT id || is_default || updated_at FROM calendars ORDER BY "
                                  "id"),
                 (QStringList{"a02025-02-01T08:00:00Z", "b12025-02-01T08:00:00Z",
                              "c02025-01-01T10:00:00Z"}));
        QVERIFY(m_calendars->setDefault("b"));
        QCOMPARE(m_store->strings("SELECT group_concat(id) FROM calendars WHERE is_default = 1"),
                 QStringList{"b"});

        // An unknown id changes nothing and says so.
        const QStringList before = m_store->strings("SELECT * FROM calendars ORDER BY id");
        const qsizetype signalsBefore = changed.count();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^CalendarRepository::setDefault failed:"));
        QVERIFY(!m_calendars->setDefault("nope"));
        QCOMPARE(changed.count(), signalsBefore);
        QCOMPARE(m_store->strings("SELECT * FROM calendars ORDER BY id"), before);
    }

    void updateNeverTouchesCreatedAt()
    {
        Calendar calendar = *m_calendars->getById("a");
        calendar.createdAt = QDateTime(QDate(2030, 1, 1), QTime(0, 0), QTimeZone::utc());
        calendar.isDefault = true;
        calendar.syncToken = QStringLiteral("token-2");
        QVERIFY(m_calendars->update(calendar));
        const Calendar stored = *m_calendars->getById("a");
        QCOMPARE(stored.createdAt, QDateTime(QDate(2025, 1, 1), QTime(10, 0), QTimeZone::utc()));
        QCOMPARE(stored.syncToken, QStringLiteral("token-2"));
        QVERIFY(stored.isDefault);
    }

    // A sync run's bookkeeping writes its own fields alone and says so for that calendar only:
    // a rename made while the run was away stays, and nobody re-reads every calendar.
    void updateSyncStateWritesOnlySyncFields()
    {
        Calendar synced = *m_calendars->getById("a");
        QVERIFY(m_store->exec("UPDATE calendars SET name = 'Renamed', is_visible = 0"));
        synced.ctag = QStringLiteral("ctag-7");
        synced.syncToken = QStringLiteral("token-7");
        synced.deltaSyncToken = QStringLiteral("delta-7");
        synced.lastSyncError = QStringLiteral("HTTP 500");
        const PinnedClock clock(QDateTime(QDate(2025, 2, 1), QTime(8, 0), QTimeZone::utc()));
        QSignalSpy changed(m_calendars, &CalendarRepository::calendarsChanged);
        QSignalSpy syncState(m_calendars, &CalendarRepository::calendarSyncStateChanged);
        QVERIFY(m_calendars->updateSyncState(synced));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(syncState.count(), 1);
        QCOMPARE(syncState.first().first().toString(), QStringLiteral("a"));
        QCOMPARE(
            m_store->strings("SELECT id, name, is_visible, ctag, sync_token, delta_sync_token, "
                             "last_sync_error, updated_at FROM calendars ORDER BY id LIMIT 2"),
            (QStringList{"a|Renamed|0|ctag-7|token-7|delta-7|HTTP 500|2025-02-01T08:00:00Z",
                         "b|Renamed|0|||||2025-01-01T10:00:00Z"}));
    }

    // A batch is one write with one signal, or nothing at all: a refused row rolls back the rows
    // before it, inside a caller's transaction too, which keeps its own earlier write.
    void saveAllWritesAllOrNothing_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<bool>("inCallersTransaction");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("rows");
        const QStringList before{"a|a", "b|b", "c|c"};
        QTest::newRow("new and changed")
            << QStringList{"d", "e"} << QStringList{"a", "c"} << false << true
            << QStringList{"a|a*", "b|b", "c|c*", "d|d", "e|e"};
        QTest::newRow("nothing") << QStringList{} << QStringList{} << false << true << before;
        QTest::newRow("refused id")
            << QStringList{"d", "b"} << QStringList{"a"} << false << false << before;
        QTest::newRow("refused id in a caller's transaction")
            << QStringList{"d", "b"} << QStringList{"a"} << true << false
            << QStringList{"a|a", "b|b", "c|c", "z|z"};
        QTest::newRow("in a caller's transaction")
            << QStringList{"d"} << QStringList{} << true << true
            << QStringList{"a|a", "b|b", "c|c", "d|d", "z|z"};
    }

    void saveAllWritesAllOrNothing()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, changed);
        QFETCH(bool, inCallersTransaction);
        QFETCH(bool, saved);
        QFETCH(QStringList, rows);
        QList<Calendar> newRows;
        for (const QString& id : added)
            newRows.append(StoreFixture::calendar(id, "acc"));
        QList<Calendar> changedRows;
        for (const QString& id : changed) {
            Calendar calendar = *m_calendars->getById(id);
            calendar.name += QLatin1Char('*');
            changedRows.append(calendar);
        }
        std::optional<Savepoint> callers;
        if (inCallersTransaction) {
            callers.emplace(m_store->db());
            QVERIFY(m_calendars->insert(StoreFixture::calendar("z", "acc")));
        }
        QSignalSpy changedSignal(m_calendars, &CalendarRepository::calendarsChanged);
        if (!saved)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^CalendarRepository::saveAll insert failed:"));
        QCOMPARE(m_calendars->saveAll(newRows, changedRows), saved);
        if (callers)
            QVERIFY(callers->commit());
        QCOMPARE(changedSignal.count(), saved && !(added.isEmpty() && changed.isEmpty()) ? 1 : 0);
        QCOMPARE(m_store->strings("SELECT id, name FROM calendars ORDER BY id"), rows);
    }

    void removeRefusesWhileEventsRemain()
    {
        QVERIFY(m_store->exec("INSERT INTO events (id, calendar_id, uid, title, start_time, "
                              "raw_icalendar) VALUES ('e', 'a', 'u', 'T', 'x', 'r')"));
        QSignalSpy changed(m_calendars, &CalendarRepository::calendarsChanged);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^CalendarRepository::remove failed:.*FOREIGN KEY"));
        QVERIFY(!m_calendars->remove("a"));
        QVERIFY(m_calendars->getById("a"));
        QVERIFY(m_calendars->remove("b"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCalendarRepository)
#include "tst_calendarrepository.moc"
