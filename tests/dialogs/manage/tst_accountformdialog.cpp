#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "FakeBrowser.h"
#include "FakeGoogleCalendar.h"
#include "FakeOAuthProvider.h"
#include "GoogleAuthService.h"
#include "GoogleSyncClient.h"
#include "GuiEnvironment.h"
#include "ManageSourcesDialog.h"
#include "MemoryCredentialBackend.h"
#include "MicrosoftAuthService.h"
#include "ModalSeam.h"
#include "OAuthProgressDialog.h"
#include "SourceRemoval.h"
#include "StoreSeed.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>

namespace {

// A credential store that keeps nothing.
class RefusingBackend : public OrvaAccount::MemoryCredentialBackend
{
public:
    bool write(const QString&, const QByteArray&) override { return false; }
};

QString refreshTokenOf(const Account& account)
{
    return account.type == QLatin1String("google")
               ? Google::AuthService::loadTokens(account.id).refreshToken
               : Microsoft::AuthService::loadTokens(account.id).refreshToken;
}

QString statusOf(const QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("status"))->text();
}

// The progress dialog waits while the browser and the provider do their part.
void waitForTheSignIn(QWidget* window)
{
    QCOMPARE(window->metaObject()->className(), "OAuthProgressDialog");
    QTRY_VERIFY(window->isHidden());
}

} // namespace

class TestAccountFormDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<FakeOAuthProvider> m_provider;
    std::unique_ptr<FakeBrowser> m_browser;

    AccountRepository* accounts() const { return m_fixture->state()->accounts(); }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        m_provider = std::make_unique<FakeOAuthProvider>();
        m_provider->exportEnvironment();
        m_browser = std::make_unique<FakeBrowser>();
    }

    void cleanup()
    {
        m_browser.reset();
        m_provider.reset();
        m_fixture.reset();
    }

    // Choosing a provider signs in through the browser and adds the account with its tokens;
    // a Google account then has its calendars imported.
    void addsTheSignedInAccount_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("google") << "google";
        QTest::newRow("microsoft") << "microsoft";
    }

    void addsTheSignedInAccount()
    {
        QFETCH(QString, type);
        AccountFormDialog dialog(m_fixture->state());
        QStringList imported;
        dialog.setGoogleCalendarImport([&imported](const QString& id) { imported.append(id); });
        dialog.show();
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { dialog.findChild<QCommandLinkButton*>(type)->click(); }, waitForTheSignIn);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QList<Account> all = accounts()->getAll();
        const auto added = std::find_if(all.begin(), all.end(), [&dialog](const Account& a) {
            return a.id == dialog.accountId();
        });
        QVERIFY(added != all.end());
        QCOMPARE(added->type, type);
        QCOMPARE(added->name, QStringLiteral("ada@example.com"));
        QCOMPARE(added->username, QStringLiteral("ada@example.com"));
        QVERIFY(!refreshTokenOf(*added).isEmpty());
        QCOMPARE(imported,
                 type == QLatin1String("google") ? QStringList{added->id} : QStringList());

        // Signing in to the same account again renews its tokens; no second account appears.
        AccountFormDialog again(m_fixture->state());
        again.show();
        ModalSeam::run([&] { again.findChild<QCommandLinkButton*>(type)->click(); },
                       waitForTheSignIn);
        QCOMPARE(again.accountId(), added->id);
        QCOMPARE(accounts()->getAll().size(), all.size());

        // Removing the account forgets its tokens.
        QVERIFY(SourceRemoval::removeAccount(m_fixture->state(), added->id));
        QCOMPARE(refreshTokenOf(*added), QString());
    }

    // From the accounts dialog to the first events: the sign-in through the browser, the
    // account's calendars read from Google (a shared one read-only), a sync asked for, and the
    // sync of the primary calendar bringing its event.
    void googleAccountFromTheAccountsDialog()
    {
        FakeGoogleCalendar google;
        google.exportEnvironment();
        google.addCalendar(QStringLiteral("ada@example.com"), QStringLiteral("Ada"),
                           QStringLiteral("owner"), true);
        google.addCalendar(QStringLiteral("team@group.example"), QStringLiteral("Team"),
                           QStringLiteral("reader"));
        google.putEvent(QStringLiteral("ada@example.com"),
                        QJsonObject{{"summary", "Dentist"},
                                    {"start", QJsonObject{{"dateTime", "2026-03-12T09:00:00Z"}}},
                                    {"end", QJsonObject{{"dateTime", "2026-03-12T10:00:00Z"}}}});
        AppState* state = m_fixture->state();
        ManageSourcesDialog sources(state, nullptr);
        QSignalSpy syncAsked(&sources, &ManageSourcesDialog::syncRequested);
        sources.show();
        QPushButton* add = nullptr;
        for (QPushButton* button : sources.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Add Account…"))
                add = button;
        }
        QVERIFY(add);
        // The form's own sign-in runs its progress dialog; the fake browser completes it.
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [add] { add->click(); },
            [](QWidget* form) {
                form->findChild<QCommandLinkButton*>(QStringLiteral("google"))->click();
            });
        QCOMPARE(seen.value(0).className, QStringLiteral("AccountFormDialog"));

        QString accountId;
        for (const Account& account : accounts()->getAll()) {
            if (account.type == QLatin1String("google"))
                accountId = account.id;
        }
        QVERIFY(!accountId.isEmpty());
        QTRY_COMPARE(syncAsked.count(), 1);
        QList<Calendar> calendars;
        for (const Calendar& calendar : state->calendars()->getAll()) {
            if (calendar.accountId == accountId)
                calendars.append(calendar);
        }
        QCOMPARE(calendars.size(), 2);
        std::sort(calendars.begin(), calendars.end(),
                  [](const Calendar& a, const Calendar& b) { return a.url < b.url; });
        QCOMPARE(calendars.at(0).url, QStringLiteral("ada@example.com"));
        QVERIFY(!calendars.at(0).isReadOnly);
        QVERIFY(calendars.at(1).isReadOnly);

        Google::SyncClient client(state);
        QSignalSpy done(&client, &Google::SyncClient::calendarSyncCompleted);
        client.syncCalendar(calendars.at(0));
        QTRY_COMPARE(done.count(), 1);
        const QList<Event> events = state->events()->getInRange(
            QDateTime(QDate(2026, 3, 12), QTime(0, 0), QTimeZone::utc()),
            QDateTime(QDate(2026, 3, 13), QTime(0, 0), QTimeZone::utc()), {calendars.at(0).id});
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().title, QStringLiteral("Dentist"));
    }

    // Cancel in the progress dialog ends the sign-in; nothing is added and the form stays open.
    void cancelAddsNothing()
    {
        m_browser->setFollowRedirects(false);
        AccountFormDialog dialog(m_fixture->state());
        dialog.show();
        const int before = int(accounts()->getAll().size());
        ModalSeam::run([&] { dialog.findChild<QCommandLinkButton*>("google")->click(); },
                       [](QWidget* window) { QVERIFY(ModalSeam::clickButton(window, "Cancel")); });
        QCOMPARE(statusOf(dialog), QStringLiteral("Sign-in cancelled."));
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(accounts()->getAll().size()), before);
        QCOMPARE(m_provider->tokenRequests(), 0);
    }

    // Tokens the credential store refuses mean no account: one that cannot sync would only ask
    // for a sign-in again.
    void refusedTokensAddNothing()
    {
        OrvaAccount::CredentialBackend::setDefaultBackend(std::make_shared<RefusingBackend>());
        AccountFormDialog dialog(m_fixture->state());
        bool imported = false;
        dialog.setGoogleCalendarImport([&imported](const QString&) { imported = true; });
        dialog.show();
        const int before = int(accounts()->getAll().size());
        ModalSeam::run([&] { dialog.findChild<QCommandLinkButton*>("google")->click(); },
                       waitForTheSignIn);
        QCOMPARE(statusOf(dialog), QStringLiteral("Signed in, but the credential store did not "
                                                  "take the tokens, so no account was added."));
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(accounts()->getAll().size()), before);
        QVERIFY(!imported);
    }

    // The form says "signed in" only while the account can sync: tokens stored and not refused.
    void signInLine_data()
    {
        QTest::addColumn<bool>("tokens");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("line");
        QTest::newRow("signed in") << true << ""
                                   << "Signed in as ada@example.com";
        QTest::newRow("no tokens") << false << ""
                                   << "Not signed in";
        QTest::newRow("refused by Google") << true << "Sign in required"
                                           << "Not signed in";
    }

    void signInLine()
    {
        QFETCH(bool, tokens);
        QFETCH(QString, error);
        QFETCH(QString, line);
        Account account;
        account.id = QStringLiteral("g");
        account.type = QStringLiteral("google");
        account.name = account.username = QStringLiteral("ada@example.com");
        account.lastSyncError = error;
        account.createdAt = account.updatedAt = AppStateFixture::defaultNow();
        QVERIFY(accounts()->insert(account));
        if (tokens)
            QVERIFY(Google::AuthService::saveTokens(account.id, {"a", "r", {}}));
        AccountFormDialog dialog(m_fixture->state(), account);
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY2(texts.contains(line), qPrintable(texts.join(u'|')));
    }

    // An account that asks for a sign-in signs in again from its edit form.
    void signInAgainFromTheEditForm()
    {
        Account account;
        account.id = QStringLiteral("ms");
        account.type = QStringLiteral("microsoft");
        account.name = account.username = QStringLiteral("ada@example.com");
        account.lastSyncError = QStringLiteral("Sign in required");
        account.createdAt = account.updatedAt = AppStateFixture::defaultNow();
        QVERIFY(accounts()->insert(account));
        AccountFormDialog dialog(m_fixture->state(), account);
        dialog.show();
        ModalSeam::run([&] { dialog.findChild<QPushButton*>("signInAgain")->click(); },
                       waitForTheSignIn);
        QCOMPARE(statusOf(dialog), QStringLiteral("Signed in again as ada@example.com."));
        QVERIFY(dialog.credentialsChanged());
        QVERIFY(!Microsoft::AuthService::loadTokens(account.id).refreshToken.isEmpty());
        // Saving the form keeps the cleared error, and the sign-in still asks for a sync.
        dialog.accept();
        QCOMPARE(accounts()->getById(account.id)->lastSyncError, QString());
        QVERIFY(dialog.credentialsChanged());

        // Another person's sign-in is not taken for this account.
        m_provider->setIdentity(QStringLiteral("bob@example.com"), QStringLiteral("Bob"));
        const QString kept = Microsoft::AuthService::loadTokens(account.id).refreshToken;
        AccountFormDialog other(m_fixture->state(), *accounts()->getById(account.id));
        other.show();
        ModalSeam::run([&] { other.findChild<QPushButton*>("signInAgain")->click(); },
                       waitForTheSignIn);
        QVERIFY(statusOf(other).startsWith(QLatin1String("That sign-in is for bob@example.com")));
        QCOMPARE(Microsoft::AuthService::loadTokens(account.id).refreshToken, kept);
    }

    // A sync records an error and the configuration sync renames the account while its form is
    // open; the user changes the interval: OK keeps both, and the user's name replacing the
    // pulled one is told. An account removed meanwhile is not written again.
    void saveKeepsWhatChangedElsewhere()
    {
        const Account account = StoreSeed::account("dav", "Work", "caldav");
        QVERIFY(accounts()->insert(account));
        AccountFormDialog dialog(m_fixture->state(), account);
        Account synced = account;
        synced.name = QStringLiteral("Office");
        synced.lastSyncError = QStringLiteral("HTTP 503");
        QVERIFY(accounts()->update(synced));
        dialog.findChild<QSpinBox*>()->setValue(30);
        QVERIFY(ModalSeam::run([&] { dialog.accept(); }).isEmpty());
        Account saved = *accounts()->getById(account.id);
        QCOMPARE((QStringList{saved.name, saved.lastSyncError,
                              QString::number(saved.syncIntervalMinutes)}),
                 (QStringList{"Office", "HTTP 503", "30"}));

        AccountFormDialog both(m_fixture->state(), saved);
        saved.name = QStringLiteral("Office 2");
        QVERIFY(accounts()->update(saved));
        both.findChild<QLineEdit*>()->setText(QStringLiteral("Mine"));
        const auto told =
            ModalSeam::run([&] { both.accept(); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QCOMPARE(told.value(0).title, QStringLiteral("Changed elsewhere"));
        QCOMPARE(accounts()->getById(account.id)->name, QStringLiteral("Mine"));

        AccountFormDialog removed(m_fixture->state(), *accounts()->getById(account.id));
        QVERIFY(accounts()->remove(account.id));
        removed.accept();
        QCOMPARE(removed.result(), int(QDialog::Rejected));
        QVERIFY(!accounts()->getById(account.id));
    }
};

QTEST_MAIN(TestAccountFormDialog)
#include "tst_accountformdialog.moc"
