#include "AccountRepository.h"
#include "CalendarRepository.h"
#include "PinnedClock.h"
#include "StoreFixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

QDateTime utc(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2025, 1, day), QTime(hour, minute), QTimeZone::utc());
}

Account server(const QString& id, const QString& type, const QString& url, const QString& user,
               const QDateTime& created)
{
    Account account = StoreFixture::account(id);
    account.type = type;
    account.serverUrl = url;
    account.username = user;
    account.createdAt = created;
    account.updatedAt = created;
    return account;
}

} // namespace

class TestAccountRepository : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> m_store;
    AccountRepository* m_accounts = nullptr;
    CalendarRepository* m_calendars = nullptr;

    bool addCalendar(const QString& id, const QString& accountId, const QString& url,
                     const QString& key = QString())
    {
        Calendar calendar = StoreFixture::calendar(id, accountId);
        calendar.url = url;
        calendar.canonicalKey = key;
        return m_calendars->insert(calendar);
    }

    bool addRow(const char* table, const QString& id, const QString& calendarId, const QString& uid,
                bool pending)
    {
        const bool events = qstrcmp(table, "events") == 0;
        return m_store->exec(
            QStringLiteral("INSERT INTO %1 (id, calendar_id, uid, title, %2raw_icalendar, "
                           "sync_status) VALUES ('%3', '%4', '%5', '%3', %6'raw', '%7')")
                .arg(QLatin1StringView(table), events ? "start_time, " : "", id, calendarId, uid,
                     events ? "'2025-03-01T09:00:00Z', " : "", pending ? "pending" : "synced"));
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<StoreFixture>(QStringList{});
        QVERIFY(m_store->isReady());
        QVERIFY(m_store->exec("DELETE FROM accounts"));
        m_accounts = new AccountRepository(m_store->database(), m_store->database());
        m_calendars = new CalendarRepository(m_store->database(), m_store->database());
    }

    void cleanup() { m_store.reset(); }

    void roundTripsOptionalTimes()
    {
        Account account = server("a1", "caldav", "https://dav/", "me", utc(1, 10));
        account.lastSyncTime = utc(2, 8);
        QVERIFY(m_accounts->insert(account));
        Account stored = *m_accounts->getById("a1");
        QCOMPARE(stored.lastSyncTime.value(), utc(2, 8));
        QCOMPARE(stored.createdAt, utc(1, 10));
        stored.lastSyncTime.reset();
        QVERIFY(m_accounts->update(stored));
        QCOMPARE(m_store->strings("SELECT last_sync_time IS NULL FROM accounts"), QStringList{"1"});
        QVERIFY(!m_accounts->getById("a1")->lastSyncTime);
    }

    void insertRefusesMissingStamps()
    {
        Account account = StoreFixture::account("a1");
        account.createdAt = QDateTime();
        QSignalSpy changed(m_accounts, &AccountRepository::accountsChanged);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^AccountRepository::insert failed:.*NOT NULL"));
        QVERIFY(!m_accounts->insert(account));
        QCOMPARE(changed.count(), 0);
    }

    void tombstonesAreHiddenUntilReapedAndServerLookup()
    {
        QVERIFY(m_accounts->insert(server("a1", "caldav", "https://dav/", "me", utc(1, 10))));
        QVERIFY(m_accounts->reapTombstone("a1"));
        QVERIFY(m_accounts->getById("a1"));
        QVERIFY(m_accounts->remove("a1"));
        QVERIFY(!m_accounts->getById("a1"));
        QVERIFY(!m_accounts->findByServer("caldav", "https://dav/", "me"));
        QCOMPARE(m_accounts->getAll().size(), 0);
        QCOMPARE(m_accounts->getAllIncludingDeleted().size(), 1);
        QVERIFY(m_accounts->reapTombstone("a1"));
        QCOMPARE(m_accounts->getAllIncludingDeleted().size(), 0);

        // The server lookup needs both URL and user, and matches them exactly.
        QVERIFY(m_accounts->insert(server("a2", "caldav", "https://dav/", "", utc(1, 10))));
        QVERIFY(!m_accounts->findByServer("caldav", "https://dav/", ""));
        QVERIFY(m_accounts->insert(server("a3", "caldav", "https://dav/", "me", utc(1, 10))));
        QCOMPARE(m_accounts->findByServer("caldav", "https://dav/", "me")->id, "a3");
        QVERIFY(!m_accounts->findByServer("caldav", "https://DAV/", "me"));
    }

    // The signal comes after the commit: a second connection already sees the new order.
    void reorderCommitsBeforeSignalling()
    {
        for (const char* id : {"a", "b", "c"})
            QVERIFY(m_accounts->insert(server(id, "google", "", "", utc(1, 10))));
        const PinnedClock clock(utc(3, 12));
        QStringList seenByOther;
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(m_store->path());
        QVERIFY(other.open());
        connect(m_accounts, &AccountRepository::accountsChanged, this, [&]() {
            QSqlQuery query(other);
            query.exec("SELECT id || sort_order || updated_at FROM accounts ORDER BY sort_order");
            while (query.next())
                seenByOther.append(query.value(0).toString());
        });
        QSignalSpy changed(m_accounts, &AccountRepository::accountsChanged);
        QVERIFY(m_accounts->reorder({"c", "a", "b"}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(seenByOther, (QStringList{"c102025-01-03T12:00:00Z", "a202025-01-03T12:00:00Z",
                                           "b302025-01-03T12:00:00Z"}));
        QVERIFY(m_accounts->reorder({}));
        QCOMPARE(changed.count(), 1);
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("other");
    }

    // Both accounts hold the same collection: one calendar must remain, and every pending
    // local edit must survive, whichever account it was made under.
    void mergeJoinsSameCollection_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("same url") << false;
        QTest::newRow("same canonical key") << true;
    }

    void mergeJoinsSameCollection()
    {
        QFETCH(bool, byKey);
        QVERIFY(m_accounts->insert(server("new", "caldav", "https://dav/", "me", utc(1, 11))));
        QVERIFY(m_accounts->insert(server("old", "caldav", "https://dav/", "me", utc(1, 10))));
        QVERIFY(addCalendar("k", "old", "https://dav/home/", "key-1"));
        QVERIFY(addCalendar("w", "new", "https://dav/work/")); // only the duplicate has it
        QVERIFY(addCalendar("d", "new", byKey ? "https://dav/home" : "https://dav/home/",
                            byKey ? "key-1" : ""));
        QVERIFY(addRow("events", "k-u1", "k", "u1", false)); // server copy
        QVERIFY(addRow("events", "d-u1", "d", "u1", true));  // local edit of it
        QVERIFY(addRow("events", "d-u2", "d", "u2", true));  // new local event
        QVERIFY(addRow("events", "d-u3", "d", "u3", false)); // only the duplicate has it
        QVERIFY(addRow("events", "k-u4", "k", "u4", true));  // keeper's own edit
        QVERIFY(addRow("events", "d-u4", "d", "u4", false)); // stale copy of it
        QVERIFY(m_store->exec("INSERT INTO reminders (id, event_id, minutes_before) VALUES "
                              "('r', 'k-u1', 5)"));
        QVERIFY(addRow("tasks", "d-t1", "d", "t1", true));
        QVERIFY(addRow("tasks", "k-t1", "k", "t1", false));
        const PinnedClock clock(utc(4, 9));
        QSignalSpy changed(m_accounts, &AccountRepository::accountsChanged);
        QCOMPARE(m_accounts->mergeDuplicates(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_store->strings("SELECT id || '>' || account_id FROM calendars ORDER BY id"),
                 (QStringList{"k>old", "w>old"}));
        QCOMPARE(m_store->strings("SELECT deleted_at || '|' || updated_at FROM accounts WHERE id "
                                  "= 'new'"),
                 QStringList{"2025-01-04T09:00:00Z|2025-01-04T09:00:00Z"});
        QCOMPARE(
            m_store->strings("SELECT id || '|' || calendar_id || '|' || sync_status FROM "
                             "events ORDER BY uid"),
            (QStringList{"d-u1|k|pending", "d-u2|k|pending", "d-u3|k|synced", "k-u4|k|pending"}));
        QCOMPARE(m_store->strings("SELECT id || '|' || calendar_id FROM tasks"),
                 QStringList{"d-t1|k"});
        QCOMPARE(m_store->strings("SELECT count(*) FROM reminders"), QStringList{"0"});
        QCOMPARE(m_store->strings("PRAGMA foreign_key_check"), QStringList());
        QCOMPARE(m_accounts->mergeDuplicates(), 0);
    }

    void mergeRefusesWhenBothCopiesAreEdited()
    {
        QVERIFY(m_accounts->insert(server("old", "caldav", "https://dav/", "me", utc(1, 10))));
        QVERIFY(m_accounts->insert(server("new", "caldav", "https://dav/", "me", utc(1, 11))));
        QVERIFY(addCalendar("k", "old", "https://dav/home/"));
        QVERIFY(addCalendar("d", "new", "https://dav/home/"));
        QVERIFY(addCalendar("d2", "new", "https://dav/other/"));
        QVERIFY(addRow("events", "k-u1", "k", "u1", true));
        QVERIFY(addRow("events", "d-u1", "d", "u1", true));
        QSignalSpy changed(m_accounts, &AccountRepository::accountsChanged);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^AccountRepository::mergeDuplicates failed:"));
        QCOMPARE(m_accounts->mergeDuplicates(), 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_store->strings("SELECT id || account_id FROM calendars ORDER BY id"),
                 (QStringList{"dnew", "d2new", "kold"}));
        QCOMPARE(m_store->strings("SELECT count(*) FROM events"), QStringList{"2"});
        QCOMPARE(m_accounts->getAll().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestAccountRepository)
#include "tst_accountrepository.moc"
