#include "AccountTypes.h"
#include "SyncRules.h"

#include <QTest>

using AccountTypes::Client;

Q_DECLARE_METATYPE(std::optional<AccountTypes::Client>)

class TestAccountTypes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every word the program stores, and words it must not mistake for one: the answers the sync,
    // the account dialogs and the state hub give for each.
    void answersPerWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("calDav");
        QTest::addColumn<bool>("twoWay");
        QTest::addColumn<bool>("oauth");
        QTest::addColumn<std::optional<Client>>("client");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("queues");
        QTest::addColumn<bool>("interval");
        QTest::addColumn<bool>("syncs");

        const std::optional<Client> none;
        QTest::newRow("caldav") << "caldav" << true << true << false
                                << std::optional(Client::CalDav) << "CalDAV" << true << true
                                << true;
        QTest::newRow("icloud") << "icloud" << true << true << false
                                << std::optional(Client::CalDav) << "iCloud" << true << true
                                << true;
        QTest::newRow("zoho") << "zoho" << true << true << false << std::optional(Client::CalDav)
                              << "Zoho" << true << true << true;
        QTest::newRow("google") << "google" << false << true << true
                                << std::optional(Client::Google) << "Google" << true << true
                                << true;
        QTest::newRow("microsoft")
            << "microsoft" << false << true << true << std::optional(Client::Microsoft)
            << "Microsoft" << true << true << true;
        QTest::newRow("webcal: one way, never due")
            << "webcal" << false << false << false << std::optional(Client::Webcal)
            << "Subscription" << true << false << true;
        QTest::newRow("cloud and this device: never queued, never due")
            << "orvandellic" << false << false << false << std::optional(Client::Cloud)
            << "This device" << false << false << true;
        // Unknown words queue and fall due like a server account but nothing syncs them.
        QTest::newRow("unknown") << "exchange" << false << false << false << none << "This device"
                                 << true << true << false;
        QTest::newRow("empty") << "" << false << false << false << none << "This device" << true
                               << true << false;
        QTest::newRow("compared exactly") << "CalDAV" << false << false << false << none
                                          << "This device" << true << true << false;
    }

    void answersPerWord()
    {
        QFETCH(QString, word);
        QFETCH(bool, calDav);
        QFETCH(bool, twoWay);
        QFETCH(bool, oauth);
        QFETCH(std::optional<Client>, client);
        QFETCH(QString, label);
        QFETCH(bool, queues);
        QFETCH(bool, interval);
        QFETCH(bool, syncs);

        QCOMPARE(AccountTypes::isCalDavFamily(word), calDav);
        QCOMPARE(AccountTypes::isTwoWay(word), twoWay);
        QCOMPARE(AccountTypes::isOAuth(word), oauth);
        QVERIFY(AccountTypes::clientOf(word) == client);
        QCOMPARE(QString::fromLatin1(AccountTypes::labelSource(word)), label);
        QCOMPARE(AccountTypes::isKnown(word), client.has_value());
        QCOMPARE(AccountTypes::words().contains(word), client.has_value());
        QCOMPARE(SyncRules::queuesOnChange(word), queues);
        QCOMPARE(SyncRules::hasSyncInterval(word), interval);
        QCOMPARE(SyncRules::isSyncType(word), syncs);
    }

    // Each stored word has one row, found by its own word.
    void everyStoredWordHasOneRow()
    {
        QStringList words = AccountTypes::words();
        QCOMPARE(words.size(), 7);
        QCOMPARE(words.removeDuplicates(), 0);
        for (const QString& word : words)
            QCOMPARE(QString::fromLatin1(AccountTypes::of(word).word), word);
    }
};

QTEST_APPLESS_MAIN(TestAccountTypes)
#include "tst_accounttypes.moc"
