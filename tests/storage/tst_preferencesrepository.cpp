#include "Database.h"
#include "PreferencesRepository.h"
#include "TestDataDir.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

class TestPreferencesRepository : public QObject
{
    Q_OBJECT

private:
    TestDataDir* m_dir = nullptr;
    Database* m_database = nullptr;
    PreferencesRepository* m_preferences = nullptr;

private Q_SLOTS:
    void init()
    {
        m_dir = new TestDataDir;
        m_database = new Database;
        QVERIFY(m_database->open(m_dir->filePath(QStringLiteral("calendar.db"))));
        QVERIFY(m_database->migrate());
        m_preferences = new PreferencesRepository(m_database, m_database);
    }

    void cleanup()
    {
        delete m_database;
        delete m_dir;
    }

    // Only "1" and "true" read as true; an int reads only from plain decimal digits.
    void typedReadsOfStoredText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("asBool");
        QTest::addColumn<int>("asInt");
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("true") << "true" << true << 99;
        QTest::newRow("TRUE") << "TRUE" << false << 99;
        QTest::newRow("yes") << "yes" << false << 99;
        QTest::newRow("0") << "0" << false << 0;
        QTest::newRow("empty") << "" << false << 99;
        QTest::newRow("negative") << "-7" << false << -7;
        QTest::newRow("fraction") << "1.5" << false << 99;
        QTest::newRow("hex") << "0x10" << false << 99;
    }

    void typedReadsOfStoredText()
    {
        QFETCH(QString, stored);
        QFETCH(bool, asBool);
        QFETCH(int, asInt);
        QVERIFY(m_preferences->set(QStringLiteral("k"), stored));
        QCOMPARE(m_preferences->getBool(QStringLiteral("k"), !asBool), asBool);
        QCOMPARE(m_preferences->getInt(QStringLiteral("k"), 99), asInt);
        QCOMPARE(m_preferences->getBool(QStringLiteral("missing"), true), true);
    }

    void setReplacesInPlaceAndSignalsOnce()
    {
        QSignalSpy spy(m_preferences, &PreferencesRepository::changed);
        m_preferences->setInt(QStringLiteral("ui/weekHorizon"), 7);
        QVERIFY(m_preferences->set(QStringLiteral("ui/weekHorizon"), QStringLiteral("9")));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("ui/weekHorizon"));
        QSqlQuery query(m_database->database());
        QVERIFY(query.exec(QStringLiteral("SELECT value, type FROM settings")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("9"));
        QCOMPARE(query.value(1).toString(), QStringLiteral("string"));
        QVERIFY(!query.next());
    }

    void removeIsSilentAndForgets()
    {
        m_preferences->setBool(QStringLiteral("ui/closeToTray"), false);
        QSignalSpy spy(m_preferences, &PreferencesRepository::changed);
        QVERIFY(m_preferences->remove(QStringLiteral("ui/closeToTray")));
        QVERIFY(m_preferences->remove(QStringLiteral("never-written")));
        QCOMPARE(spy.count(), 0);
        QVERIFY(!m_preferences->get(QStringLiteral("ui/closeToTray")).has_value());
        QCOMPARE(m_preferences->getBool(QStringLiteral("ui/closeToTray"), true), true);
        QCOMPARE(m_preferences->getString(QStringLiteral("ui/theme"), QStringLiteral("system")),
                 QStringLiteral("system"));
    }

    // Another connection holds the store's lock for its whole transaction: held writes do not
    // wait for it, read back at once and reach the store, last value of each key, on release.
    void heldWritesAreKeptUntilReleased()
    {
        QVERIFY(m_preferences->set(QStringLiteral("gone"), QStringLiteral("x")));
        QVERIFY(m_preferences->set(QStringLiteral("k"), QStringLiteral("old")));
        Database other;
        QVERIFY(
            other.open(m_dir->filePath(QStringLiteral("calendar.db")), QStringLiteral("other")));
        QSqlQuery holder(other.database());
        QVERIFY(holder.exec(QStringLiteral("BEGIN IMMEDIATE")));

        m_preferences->holdWrites();
        QSignalSpy spy(m_preferences, &PreferencesRepository::changed);
        QVERIFY(m_preferences->set(QStringLiteral("k"), QStringLiteral("1")));
        m_preferences->setInt(QStringLiteral("k"), 2);
        QVERIFY(m_preferences->remove(QStringLiteral("gone")));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(m_preferences->getInt(QStringLiteral("k")), 2);
        QVERIFY(!m_preferences->get(QStringLiteral("gone")));

        QVERIFY(holder.exec(QStringLiteral("COMMIT")));
        QVERIFY(m_preferences->releaseWrites());
        QSqlQuery rows(other.database());
        QVERIFY(
            rows.exec(QStringLiteral("SELECT group_concat(key || '=' || value) FROM settings")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toString(), QStringLiteral("k=2"));
    }

    void failedWriteReturnsFalseWithoutSignal()
    {
        QSqlQuery(m_database->database()).exec(QStringLiteral("DROP TABLE settings"));
        QSignalSpy spy(m_preferences, &PreferencesRepository::changed);
        QVERIFY(!m_preferences->set(QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(m_preferences->getInt(QStringLiteral("k"), 5), 5);
    }
};

QTEST_GUILESS_MAIN(TestPreferencesRepository)
#include "tst_preferencesrepository.moc"
