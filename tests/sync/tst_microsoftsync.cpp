#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "MicrosoftAuthService.h"
#include "MicrosoftSyncClient.h"

#include <QSignalSpy>
#include <QTest>

// What a Microsoft calendar's run says, by what the credential store holds for its account.
class TestMicrosoftSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reasonFollowsTheStoredTokens_data()
    {
        QTest::addColumn<QString>("refreshToken");
        QTest::addColumn<QString>("earlierError");
        QTest::addColumn<QString>("reason");
        const QString signIn = QStringLiteral("Sign in required");
        const QString notYet = QStringLiteral("Microsoft calendars do not sync yet.");
        QTest::newRow("no tokens") << ""
                                   << "" << signIn;
        QTest::newRow("signed in") << "refresh"
                                   << "" << notYet;
        QTest::newRow("signed in after asking") << "refresh" << signIn << notYet;
        QTest::newRow("tokens gone again") << "" << notYet << signIn;
    }

    void reasonFollowsTheStoredTokens()
    {
        QFETCH(QString, refreshToken);
        QFETCH(QString, earlierError);
        QFETCH(QString, reason);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Account account;
        account.id = QStringLiteral("ms");
        account.name = QStringLiteral("ada@example.com");
        account.type = QStringLiteral("microsoft");
        account.lastSyncError = earlierError;
        account.createdAt = account.updatedAt = AppStateFixture::defaultNow();
        QVERIFY(fixture.state()->accounts()->insert(account));
        QVERIFY(Microsoft::AuthService::saveTokens(account.id,
                                                   {QStringLiteral("access"), refreshToken, {}}));
        Calendar calendar;
        calendar.id = QStringLiteral("cal");
        calendar.accountId = account.id;

        Microsoft::SyncClient client(fixture.state());
        QSignalSpy started(&client, &Microsoft::SyncClient::calendarSyncStarted);
        QSignalSpy failed(&client, &Microsoft::SyncClient::calendarSyncFailed);
        client.syncCalendar(calendar);
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(started.size(), 1);
        QCOMPARE(failed.first().at(1).toString(), reason);
        QCOMPARE(fixture.state()->accounts()->getById(account.id)->lastSyncError, reason);
    }
};

QTEST_MAIN(TestMicrosoftSync)
#include "tst_microsoftsync.moc"
