#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalDavClient.h"
#include "CalDavImport.h"
#include "CalendarRepository.h"
#include "CredentialManagerTokenStore.h"
#include "Database.h"
#include "DavFaultProxy.h"
#include "DavServer.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "ManageSourcesDialog.h"
#include "ModalSeam.h"
#include "Platform.h"
#include "StoreSeed.h"
#include "TaskRepository.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QPushButton* button(QWidget& dialog, const QString& text)
{
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

int count(AppState* state, const QString& sql)
{
    QSqlQuery query(state->database()->database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Rows that point at a row that is gone (or at a removed account).
int orphans(AppState* state)
{
    return count(
               state,
               "SELECT COUNT(*) FROM events WHERE calendar_id NOT IN (SELECT id FROM calendars)") +
           count(state,
                 "SELECT COUNT(*) FROM tasks WHERE calendar_id NOT IN (SELECT id FROM calendars)") +
           count(state,
                 "SELECT COUNT(*) FROM reminders WHERE event_id NOT IN (SELECT id FROM events)") +
           count(state,
                 "SELECT COUNT(*) FROM attendees WHERE event_id NOT IN (SELECT id FROM events)") +
           count(state, "SELECT COUNT(*) FROM sync_queue WHERE calendar_id NOT IN (SELECT id FROM "
                        "calendars)") +
           count(state, "SELECT COUNT(*) FROM calendars WHERE account_id NOT IN "
                        "(SELECT id FROM accounts WHERE deleted_at IS NULL)");
}

bool select(QTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return false;
    tree->setCurrentItem(found.first());
    return true;
}

// Fills a form's line edits in order and presses its confirming button.
ModalSeam::Answer fill(const QStringList& texts, const QString& confirm = QStringLiteral("OK"))
{
    return [texts, confirm](QWidget* window) {
        const auto lines = window->findChildren<QLineEdit*>();
        for (int index = 0; index < texts.size() && index < lines.size(); ++index)
            lines.at(index)->setText(texts.at(index));
        ModalSeam::clickButton(window, confirm);
    };
}

} // namespace

class ManageSourcesDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Removing asks first; "No" keeps everything, "Yes" takes the calendar (or the account with
    // all its calendars) with its events, reminders, attendees, tasks and queued operations,
    // and forgets the account's password. Nothing is left pointing at nothing.
    void removalAsksAndLeavesNoOrphans()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("acc", "Work server", "caldav"),
                                       StoreSeed::calendar("one", "acc", "Projects", "#33b679")));
        QVERIFY(state->calendars()->insert(StoreSeed::calendar("two", "acc", "Team", "#e67c73")));
        for (const char* calendar : {"one", "two"}) {
            Event event = StoreSeed::timedEvent(QStringLiteral("ev-") + calendar, calendar,
                                                QStringLiteral("Meeting"),
                                                StoreSeed::local(QDate(2026, 3, 12), QTime(9, 0)),
                                                StoreSeed::local(QDate(2026, 3, 12), QTime(10, 0)));
            event.reminders.append(Reminder());
            Attendee attendee;
            attendee.email = QStringLiteral("someone@example.org");
            event.attendees.append(attendee);
            QVERIFY(StoreSeed::addEvent(state, event));
            Task task;
            task.id = QStringLiteral("task-") + calendar;
            task.calendarId = calendar;
            task.title = QStringLiteral("Follow up");
            task.created = task.lastModified = AppStateFixture::defaultNow();
            QVERIFY(state->tasks()->insert(task));
        }
        QSqlQuery queue(state->database()->database());
        QVERIFY(queue.exec("INSERT INTO sync_queue (id, operation, entity_type, entity_id, "
                           "calendar_id, payload) VALUES ('q1', 'update', 'event', 'ev-one', "
                           "'one', '{}')"));
        OrvaAccount::CredentialManagerTokenStore secrets(Platform::applicationId());
        QVERIFY(secrets.write(QStringLiteral("caldav-password-acc"), QStringLiteral("hunter2")));

        ManageSourcesDialog dialog(state, nullptr);
        auto* tree = dialog.findChild<QTreeWidget*>();
        QPushButton* remove = button(dialog, QStringLiteral("Remove…"));

        QVERIFY(select(tree, QStringLiteral("Projects")));
        const auto declined = ModalSeam::run(
            [&] { remove->click(); }, [](QWidget* box) { ModalSeam::clickButton(box, "No"); });
        QCOMPARE(declined.value(0).title, QStringLiteral("Remove Calendar"));
        QVERIFY(state->calendars()->getById(QStringLiteral("one")));

        ModalSeam::run([&] { remove->click(); },
                       [](QWidget* box) { ModalSeam::clickButton(box, "Yes"); });
        QVERIFY(!state->calendars()->getById(QStringLiteral("one")));
        QVERIFY(state->calendars()->getById(QStringLiteral("two")));
        QCOMPARE(count(state, "SELECT COUNT(*) FROM events WHERE id = 'ev-two'"), 1);
        QCOMPARE(orphans(state), 0);

        QVERIFY(select(tree, QStringLiteral("Work server")));
        const auto asked = ModalSeam::run([&] { remove->click(); },
                                          [](QWidget* box) { ModalSeam::clickButton(box, "Yes"); });
        QCOMPARE(asked.value(0).title, QStringLiteral("Remove Account"));
        QVERIFY(!state->accounts()->getById(QStringLiteral("acc")));
        QVERIFY(state->calendars()->getByAccount(QStringLiteral("acc")).isEmpty());
        QCOMPARE(count(state, "SELECT COUNT(*) FROM events"), 0);
        QCOMPARE(count(state, "SELECT COUNT(*) FROM tasks"), 0);
        QCOMPARE(orphans(state), 0);
        QVERIFY(!secrets.read(QStringLiteral("caldav-password-acc")));
        QVERIFY(tree->findItems(QStringLiteral("Work server"), Qt::MatchExactly).isEmpty());
    }

    // A subscription needs a web address and a name; it becomes a read-only calendar of its
    // own account and asks for a sync. A calendar on this device joins the local account.
    void addSubscriptionAndLocalCalendar()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageSourcesDialog dialog(state, nullptr);
        QSignalSpy syncRequests(&dialog, &ManageSourcesDialog::syncRequested);

        const QString feed = QStringLiteral("webcal://127.0.0.1:9/holidays.ics");
        const auto seen = ModalSeam::run(
            [&] { button(dialog, QStringLiteral("Subscribe to Calendar…"))->click(); },
            QList<ModalSeam::Answer>{[feed](QWidget* window) {
                // A file address is refused and the form stays open.
                fill({QStringLiteral("file:///etc/passwd"), QStringLiteral("Holidays")})(window);
                fill({feed, QStringLiteral("Holidays")})(window);
            }});
        QCOMPARE(seen.size(), 1);
        const QList<Calendar> calendars = state->calendars()->getAll();
        const auto subscribed = std::find_if(calendars.begin(), calendars.end(),
                                             [&](const Calendar& c) { return c.url == feed; });
        QVERIFY(subscribed != calendars.end());
        QCOMPARE(subscribed->name, QStringLiteral("Holidays"));
        QVERIFY(subscribed->isReadOnly);
        QCOMPARE(state->accounts()->getById(subscribed->accountId)->type, QStringLiteral("webcal"));
        QCOMPARE(syncRequests.count(), 1);

        ModalSeam::run(
            [&] { button(dialog, QStringLiteral("Add Calendar on This Device…"))->click(); },
            fill({QStringLiteral("Garden")}, QStringLiteral("Create")));
        const QList<Calendar> local = state->calendars()->getByAccount(AppState::localAccountId);
        QVERIFY(std::any_of(local.begin(), local.end(),
                            [](const Calendar& c) { return c.name == QStringLiteral("Garden"); }));
        auto* tree = dialog.findChild<QTreeWidget*>();
        QVERIFY(!tree->findItems(QStringLiteral("Garden"), Qt::MatchExactly | Qt::MatchRecursive)
                     .isEmpty());
    }

    // A CalDAV account end to end against Radicale: the form discovers the calendars, the
    // password lands in the credential store under the account's id, the account and its
    // calendars are in the store and the tree, and a sync is requested. A wrong password is
    // reported in the form and stores nothing.
    void addCalDavAccountAgainstRadicale()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        QVERIFY(server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work")).isValid());
        QVERIFY(server.makeCalendar(QStringLiteral("home"), QStringLiteral("Home")).isValid());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageSourcesDialog dialog(state, nullptr);
        QSignalSpy syncRequests(&dialog, &ManageSourcesDialog::syncRequested);
        const QString url = server.baseUrl().toString();

        QString wrongPasswordMessage;
        const auto connectWith = [&](const QString& password, QString* message) {
            return [&, password, message](QWidget* window) {
                const auto lines = window->findChildren<QLineEdit*>();
                lines.at(0)->setText(url);
                lines.at(1)->setText(server.username());
                lines.at(2)->setText(password);
                ModalSeam::clickButton(window, QStringLiteral("Connect"));
                // Discovery runs on the network; wait for it to close the form or fail.
                auto* status = window->findChild<QLabel*>(QStringLiteral("status"));
                const auto failed = [status] {
                    return status && status->isVisible() &&
                           status->text() != QStringLiteral("Connecting…");
                };
                (void)QTest::qWaitFor([&] { return !window->isVisible() || failed(); }, 20000);
                if (message && window->isVisible() && failed())
                    *message = status->text();
            };
        };
        QPushButton* add = button(dialog, QStringLiteral("Add CalDAV Account…"));
        ModalSeam::run([&] { add->click(); },
                       connectWith(QStringLiteral("not-the-password"), &wrongPasswordMessage));
        QVERIFY(!wrongPasswordMessage.isEmpty());
        QCOMPARE(state->accounts()->getAll().size(), 1); // only the account on this device
        QCOMPARE(syncRequests.count(), 0);

        QString unexpected;
        ModalSeam::run([&] { add->click(); }, connectWith(server.password(), &unexpected));
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected));
        std::optional<Account> added =
            state->accounts()->findByServer(QStringLiteral("caldav"), url, server.username());
        QVERIFY(added);
        QStringList names;
        for (const Calendar& calendar : state->calendars()->getByAccount(added->id))
            names.append(calendar.name);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Home"), QStringLiteral("Work")}));
        OrvaAccount::CredentialManagerTokenStore secrets(Platform::applicationId());
        QCOMPARE(secrets.read(QStringLiteral("caldav-password-") + added->id).value_or(QString()),
                 server.password());
        QCOMPARE(syncRequests.count(), 1);
        auto* tree = dialog.findChild<QTreeWidget*>();
        QVERIFY(!tree->findItems(added->name, Qt::MatchExactly).isEmpty());
    }

    // A server that lists one calendar more than an account takes: the account comes with the
    // calendars it takes, and the status says how many were not added.
    void discoveryPastTheBoundSaysHowManyWereLeftOut()
    {
        DavFaultProxy server;
        server.answerDiscovery(QStringLiteral("/dav/"), Limits::maxDiscoveredCalendars + 1);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        ManageSourcesDialog dialog(fixture.state(), nullptr);
        ModalSeam::run([&] { button(dialog, QStringLiteral("Add CalDAV Account…"))->click(); },
                       [&](QWidget* window) {
                           fill({server.baseUrl().toString() + "dav/", "ada", "secret"},
                                QStringLiteral("Connect"))(window);
                           (void)QTest::qWaitFor([&] { return !window->isVisible(); }, 30000);
                       });
        QCOMPARE(fixture.state()->calendars()->getAll().size(), Limits::maxDiscoveredCalendars + 1);
        QCOMPARE(dialog.findChildren<QLabel*>().last()->text(),
                 QStringLiteral("Account added. 1 calendar(s) were not added: the server lists "
                                "more than %1. Its events arrive with the sync that starts now.")
                     .arg(QLocale().toString(Limits::maxDiscoveredCalendars)));
    }

    // An https server with a certificate nobody vouches for: the question shows its SHA-256
    // fingerprint; trusting it pins exactly that certificate on the new account.
    void untrustedCertificateIsAskedAndPinned()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        QTemporaryDir folder;
        const DavServer::Options tls =
            DavServer::makeSelfSignedCertificate(folder.path(), QStringLiteral("127.0.0.1"));
        QVERIFY(!tls.certificatePath.isEmpty());
        DavServer server(DavServer::Kind::Radicale, tls);
        QVERIFY(server.start());
        QVERIFY(server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work")).isValid());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageSourcesDialog dialog(state, nullptr);

        // The question opens inside the form's own wait, so a separate timer answers it.
        QString question;
        QTimer answerer;
        answerer.setInterval(10);
        connect(&answerer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            question = box->text() + QLatin1Char('\n') + box->informativeText();
            ModalSeam::clickButton(box, QStringLiteral("Trust Certificate"));
        });
        answerer.start();
        ModalSeam::run([&] { button(dialog, QStringLiteral("Add CalDAV Account…"))->click(); },
                       [&](QWidget* window) {
                           const auto lines = window->findChildren<QLineEdit*>();
                           lines.at(0)->setText(server.baseUrl().toString());
                           lines.at(1)->setText(server.username());
                           lines.at(2)->setText(server.password());
                           ModalSeam::clickButton(window, QStringLiteral("Connect"));
                           (void)QTest::qWaitFor([&] { return !window->isVisible(); }, 30000);
                       });
        answerer.stop();
        const std::optional<Account> added = state->accounts()->findByServer(
            QStringLiteral("caldav"), server.baseUrl().toString(), server.username());
        QVERIFY2(added, qPrintable(question));
        QCOMPARE(added->trustedCertSha256.size(), 64);
        QVERIFY2(question.contains(CalDavClient::formatFingerprint(added->trustedCertSha256)),
                 qPrintable(question));
        QCOMPARE(state->calendars()->getByAccount(added->id).size(), 1);
    }

    // "Sync Now" says what became of the sync once it has ended, and that nothing started when no
    // account could.
    void syncStatusFollowsTheSync()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageSourcesDialog dialog(state, nullptr);
        auto* status = dialog.findChildren<QLabel*>().last();
        QPushButton* sync = button(dialog, QStringLiteral("Sync Now"));
        sync->click();
        QCOMPARE(status->text(), QStringLiteral("Nothing to sync: no account is ready to sync."));

        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("acc", "Work server", "caldav"),
                                       StoreSeed::calendar("work", "acc", "Work", "#33b679")));
        sync->click();
        // An account without its password cannot sync either.
        QCOMPARE(status->text(), QStringLiteral("Nothing to sync: no account is ready to sync."));
        OrvaAccount::CredentialManagerTokenStore secrets(Platform::applicationId());
        QVERIFY(secrets.write(QStringLiteral("caldav-password-acc"), QStringLiteral("hunter2")));
        const auto connection =
            connect(&dialog, &ManageSourcesDialog::syncRequested, state, &AppState::beginSync);
        sync->click();
        QCOMPARE(status->text(), QStringLiteral("Syncing…"));
        state->endSync(false);
        QCOMPARE(status->text(), QStringLiteral("Sync finished."));
        sync->click();
        state->setLastSyncError(QStringLiteral("work"), QStringLiteral("Server unreachable"));
        state->endSync(true);
        QCOMPARE(status->text(), QStringLiteral("Sync failed: Server unreachable"));
        disconnect(connection);
    }

    // A discovery of many calendars, one named a megabyte, rebuilds the tree once; rows and the
    // status show a bounded share of outside texts, the store keeps them whole, and the dialog
    // stays on the screen.
    void largeDiscoveryReloadsOnceAndFitsTheScreen()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("acc", "Work server", "caldav"),
                                       StoreSeed::calendar("work", "acc", "Work", "#33b679")));
        ManageSourcesDialog dialog(state, nullptr);
        auto* tree = dialog.findChild<QTreeWidget*>();
        QSignalSpy rebuilt(tree->model(), &QAbstractItemModel::modelReset);
        const QString longName(1024 * 1024, QLatin1Char('n'));
        QList<CalDavParse::DiscoveredCalendar> calendars;
        for (int index = 0; index < 200; ++index) {
            CalDavParse::DiscoveredCalendar calendar;
            calendar.href = QStringLiteral("https://dav.example.test/c%1/").arg(index);
            calendar.displayName = index == 7 ? longName : QStringLiteral("Calendar %1").arg(index);
            calendar.supportedComponents = {QStringLiteral("VEVENT")};
            calendars.append(calendar);
        }
        QCOMPARE(CalDavImport::importDiscoveredCalendars(state, QStringLiteral("acc"), calendars),
                 200);
        QCOMPARE(rebuilt.count(), 1);
        QTreeWidgetItem* account =
            tree->findItems(QStringLiteral("Work server"), Qt::MatchExactly).value(0);
        QVERIFY(account);
        QCOMPARE(account->childCount(), 201);
        qsizetype longest = 0;
        for (int row = 0; row < account->childCount(); ++row)
            longest = std::max(longest, account->child(row)->text(0).size());
        QCOMPARE(longest, qsizetype(Limits::maxRowTextChars + 1));
        bool stored = false;
        for (const Calendar& calendar : state->calendars()->getByAccount(QStringLiteral("acc")))
            stored = stored || calendar.name == longName;
        QVERIFY(stored);

        OrvaAccount::CredentialManagerTokenStore secrets(Platform::applicationId());
        QVERIFY(secrets.write(QStringLiteral("caldav-password-acc"), QStringLiteral("hunter2")));
        const auto connection =
            connect(&dialog, &ManageSourcesDialog::syncRequested, state, &AppState::beginSync);
        button(dialog, QStringLiteral("Sync Now"))->click();
        state->setLastSyncError(QStringLiteral("work"), longName);
        state->endSync(true);
        disconnect(connection);
        auto* status = dialog.findChildren<QLabel*>().last();
        QVERIFY(status->text().startsWith(QStringLiteral("Sync failed: nnn")));
        QVERIFY(status->text().size() <= Limits::maxRowTextChars + 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QSize room = dialog.screen()->availableGeometry().size();
        QVERIFY2(dialog.width() <= room.width() && dialog.height() <= room.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(dialog.width()).arg(dialog.height())));
    }

    // The server's certificate and the password both changed since the account was added: Edit
    // shows where the account stands, "Check Connection" with the new password meets the new
    // certificate, asks, pins what the user saw, and OK stores the password and the pin and
    // starts a sync.
    void changedPasswordAndCertificateAreEnteredAgain()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        QTemporaryDir folder;
        const DavServer::Options tls =
            DavServer::makeSelfSignedCertificate(folder.path(), QStringLiteral("127.0.0.1"));
        QVERIFY(!tls.certificatePath.isEmpty());
        DavServer server(DavServer::Kind::Radicale, tls);
        QVERIFY(server.start());
        QVERIFY(server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work")).isValid());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Account account = StoreSeed::account("acc", "Work server", "caldav");
        account.serverUrl = server.baseUrl().toString();
        account.username = server.username();
        const QString oldPin(64, QLatin1Char('a'));
        account.trustedCertSha256 = oldPin;
        QVERIFY(StoreSeed::addCalendar(state, account,
                                       StoreSeed::calendar("work", "acc", "Work", "#33b679")));
        OrvaAccount::CredentialManagerTokenStore secrets(Platform::applicationId());
        QVERIFY(secrets.write(QStringLiteral("caldav-password-acc"), QStringLiteral("old")));
        ManageSourcesDialog dialog(state, nullptr);
        QSignalSpy syncRequests(&dialog, &ManageSourcesDialog::syncRequested);
        QVERIFY(select(dialog.findChild<QTreeWidget*>(), QStringLiteral("Work server")));

        QString question;
        QTimer answerer;
        answerer.setInterval(10);
        connect(&answerer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !question.isEmpty())
                return;
            question = box->text() + QLatin1Char('\n') + box->informativeText();
            ModalSeam::clickButton(box, QStringLiteral("Trust Certificate"));
        });
        QString certificateRow;
        QString status;
        ModalSeam::run([&] { button(dialog, QStringLiteral("Edit…"))->click(); },
                       [&](QWidget* form) {
                           for (QLineEdit* line : form->findChildren<QLineEdit*>()) {
                               if (line->echoMode() == QLineEdit::Password)
                                   line->setText(server.password());
                           }
                           answerer.start();
                           ModalSeam::clickButton(form, QStringLiteral("Check Connection"));
                           auto* label = form->findChild<QLabel*>(QStringLiteral("status"));
                           (void)QTest::qWaitFor(
                               [&] { return label->text() != QStringLiteral("Connecting…"); },
                               30000);
                           answerer.stop();
                           status = label->text();
                           for (QLabel* row : form->findChildren<QLabel*>()) {
                               if (row->text().startsWith(QStringLiteral("Pinned")))
                                   certificateRow = row->text();
                           }
                           ModalSeam::clickButton(form, QStringLiteral("OK"));
                       });
        QCOMPARE(status, QStringLiteral("Connected: the server accepted the password."));
        const std::optional<Account> saved = state->accounts()->getById(QStringLiteral("acc"));
        QVERIFY(saved);
        QCOMPARE(saved->trustedCertSha256.size(), 64);
        QVERIFY(saved->trustedCertSha256 != oldPin);
        const QString fingerprint = CalDavClient::formatFingerprint(saved->trustedCertSha256);
        QVERIFY2(question.contains(fingerprint), qPrintable(question));
        QVERIFY2(certificateRow.contains(fingerprint), qPrintable(certificateRow));
        QCOMPARE(secrets.read(QStringLiteral("caldav-password-acc")).value_or(QString()),
                 server.password());
        QCOMPARE(syncRequests.count(), 1);

        // Editing only the name leaves the password and the pin alone and syncs nothing.
        ModalSeam::run([&] { button(dialog, QStringLiteral("Edit…"))->click(); },
                       [](QWidget* form) {
                           form->findChildren<QLineEdit*>().at(0)->setText(
                               QStringLiteral("Office"));
                           ModalSeam::clickButton(form, QStringLiteral("OK"));
                       });
        QCOMPARE(state->accounts()->getById(QStringLiteral("acc"))->name, QStringLiteral("Office"));
        QCOMPARE(state->accounts()->getById(QStringLiteral("acc"))->trustedCertSha256,
                 saved->trustedCertSha256);
        QCOMPARE(secrets.read(QStringLiteral("caldav-password-acc")).value_or(QString()),
                 server.password());
        QCOMPARE(syncRequests.count(), 1);
    }
};

QTEST_MAIN(ManageSourcesDialogTest)
#include "tst_managesourcesdialog.moc"
