#include "AccountTesting.h"
#include "FakeCloudSyncServer.h"
#include "GuiEnvironment.h"
#include "ModalSeam.h"
#include "OrvandellicSharingBackend.h"
#include "ShareMembersDialog.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace OrvaAccount;

namespace {

const QString calendarId = QStringLiteral("team/cal");

QJsonObject groupMember(const char* accountId, const char* name, const char* email,
                        const char* role = "member")
{
    return {{QStringLiteral("account_id"), QLatin1String(accountId)},
            {QStringLiteral("display_name"), QLatin1String(name)},
            {QStringLiteral("email"), QLatin1String(email)},
            {QStringLiteral("role"), QLatin1String(role)}};
}

// Answers by hand, in any order the test wants: the seam for replies that cross or come after
// the dialog has gone.
class ManualBackend : public SharingBackend
{
public:
    QList<MembersCallback> lists;
    QList<std::function<void(bool, const QString&)>> grants;
    int memberLookups = 0; // a read group's members matched against the shares

    void listMembers(const QString&, MembersCallback callback) override
    {
        lists.append(std::move(callback));
    }
    void shareWith(const QString&, const QString&, const QString&,
                   std::function<void(bool, const QString&)> callback) override
    {
        grants.append(std::move(callback));
    }
    void removeShare(const QString&, const QString&, std::function<void(bool)> callback) override
    {
        callback(true);
    }
    QString shareUserIdFor(const QString& memberAccountId) override
    {
        ++memberLookups;
        return memberAccountId;
    }
};

} // namespace

class TestShareMembersDialog : public QObject
{
    Q_OBJECT

private:
    AccountTesting::ServiceFixture m_fx;
    std::unique_ptr<FakeCloudSyncServer> m_cloud;
    std::unique_ptr<Orvandellic::SharingBackend> m_backend;

    std::unique_ptr<ShareMembersDialog> open(SharingBackend* backend = nullptr)
    {
        ShareMembersDialog::Texts texts;
        texts.title = QStringLiteral("Share Calendar");
        texts.emptyGroupText = QStringLiteral("No group yet");
        return std::make_unique<ShareMembersDialog>(
            m_fx.client.get(), backend ? backend : m_backend.get(), calendarId, texts);
    }

    // The visible label texts of the dialog, rows scheduled for deletion gone.
    static QStringList texts(QWidget* dialog)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList shown;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->isVisibleTo(dialog) && !label->text().isEmpty())
                shown.append(label->text());
        }
        return shown;
    }

    static QList<QAbstractButton*> buttons(QWidget* dialog, const QString& text)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<QAbstractButton*> found;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text() == text && button->isVisibleTo(dialog))
                found.append(button);
        }
        return found;
    }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fx.start();
        m_fx.service->setGroup(
            {{QStringLiteral("id"), QStringLiteral("group-1")},
             {QStringLiteral("name"), QStringLiteral("Family")},
             {QStringLiteral("members"),
              QJsonArray{groupMember("acct-1", "Ada Lovelace", "ada@example.org", "owner"),
                         groupMember("acct-2", "Charles Babbage", "cb@example.org"),
                         groupMember("acct-3", "", "<b>grace</b>@example.org")}}},
            QStringLiteral("owner"));
        m_fx.signIn(3600);
        m_fx.client->initialize();
        m_cloud = std::make_unique<FakeCloudSyncServer>();
        m_cloud->addCalendar(calendarId, QStringLiteral("Team"));
        m_fx.client->syncApiClient()->setBaseUrl(QUrl(m_cloud->baseUrl()));
        m_backend = std::make_unique<Orvandellic::SharingBackend>(m_fx.client->syncApiClient());
    }

    void cleanup()
    {
        m_backend.reset();
        m_cloud.reset();
        QVERIFY(m_fx.stop());
    }

    void sharingAndRemovingThroughTheQuestion()
    {
        auto dialog = open();
        QSignalSpy changed(dialog.get(), &ShareMembersDialog::sharingChanged);
        // The group and the shares come in either order: wait for both.
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            texts(dialog.get()).contains(QStringLiteral("Not shared with anyone yet.")), 10000);
        // Server names are plain text; the user is not offered to herself.
        QVERIFY(texts(dialog.get()).contains(QStringLiteral("<b>grace</b>@example.org")));
        QVERIFY(!texts(dialog.get()).contains(QStringLiteral("Ada Lovelace")));
        for (QLabel* label : dialog->findChildren<QLabel*>())
            QCOMPARE(label->textFormat(), Qt::PlainText);

        buttons(dialog.get(), QStringLiteral("Share")).first()->click();
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 1, 10000);
        QCOMPARE(m_cloud->members(calendarId).size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("\u00D7")).size(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 1, 10000);
        // The share has no name of its own: the group's is shown, with its initials.
        QVERIFY(texts(dialog.get()).contains(QStringLiteral("CB")));

        // No sends nothing. The group read again after the grant may build the rows anew: the
        // button is looked up when it is clicked, and none found shows no question.
        const auto remove = [&] {
            if (QAbstractButton* button = buttons(dialog.get(), QStringLiteral("\u00D7")).value(0))
                button->click();
        };
        QList<ModalSeam::Seen> seen =
            ModalSeam::run(remove, [](QWidget* box) { ModalSeam::clickButton(box, "No"); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Remove access?"));
        QCOMPARE(seen.first().text,
                 QStringLiteral("Charles Babbage will no longer have access. Continue?"));
        QCOMPARE(m_cloud->count("DELETE", QStringLiteral("/share/acct-2")), 0);

        seen = ModalSeam::run(remove, [](QWidget* box) {
            QCOMPARE(static_cast<QMessageBox*>(box)->textFormat(), Qt::PlainText);
            ModalSeam::clickButton(box, "Yes");
        });
        QCOMPARE(seen.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 2, 10000);
        QCOMPARE(m_cloud->members(calendarId).size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(
            texts(dialog.get()).contains(QStringLiteral("Not shared with anyone yet.")), 10000);
    }

    void aSecondClickWhileBusySendsNothing()
    {
        auto dialog = open();
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 2, 10000);
        m_cloud->holdPath("POST", QStringLiteral("/calendars/team/cal/share"));
        const auto shareButtons = buttons(dialog.get(), QStringLiteral("Share"));
        shareButtons.at(0)->click();
        QVERIFY(dialog->isBusy());
        shareButtons.at(0)->click();
        shareButtons.at(1)->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_cloud->count("POST", QStringLiteral("/share")), 1, 10000);
        m_cloud->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isBusy(), 10000);
        QCOMPARE(m_cloud->count("POST", QStringLiteral("/share")), 1);
    }

    // A gateway's own page, answered with a success status, fails the same way, and so does an
    // object without the list or the group's id or members: nobody is shown as without access when
    // it is not known, and nobody is offered as though nobody had access.
    void failuresShowTheirReason_data()
    {
        QTest::addColumn<bool>("groupFails");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("emptyState");
        const QByteArray page = "<html><body>502 Bad Gateway</body></html>";
        const QByteArray wrapped = R"({"status":"ok","data":{"items":[]}})";
        QTest::newRow("share list")
            << false << 500 << QByteArray(R"({"error":"injected failure"})")
            << QStringLiteral("Could not load who has access: injected failure")
            << QStringLiteral("Not shared with anyone yet.");
        QTest::newRow("group") << true << 503 << QByteArray()
                               << QStringLiteral("Could not load your group: HTTP 503")
                               << QStringLiteral("No group yet");
        QTest::newRow("share list behind a gateway")
            << false << 200 << page
            << QStringLiteral(
                   "Could not load who has access: The service's reply could not be read")
            << QStringLiteral("Not shared with anyone yet.");
        QTest::newRow("group behind a gateway")
            << true << 200 << page
            << QStringLiteral("Could not load your group: The service's reply could not be read")
            << QStringLiteral("No group yet");
        QTest::newRow("share list of another shape")
            << false << 200 << wrapped
            << QStringLiteral(
                   "Could not load who has access: The service's reply could not be read")
            << QStringLiteral("Not shared with anyone yet.");
        QTest::newRow("group without an id")
            << true << 200
            << QJsonDocument(QJsonObject{{QStringLiteral("name"), QStringLiteral("Family")},
                                         {QStringLiteral("members"),
                                          QJsonArray{groupMember("acct-2", "Charles Babbage",
                                                                 "cb@example.org")}}})
                   .toJson()
            << QStringLiteral("Could not load your group: The service's reply could not be read")
            << QStringLiteral("No group yet");
        QTest::newRow("group without its member list")
            << true << 200 << QByteArray(R"({"id":"group-1","name":"Family"})")
            << QStringLiteral("Could not load your group: The service's reply could not be read")
            << QStringLiteral("No group yet");
        QTest::newRow("group with an empty member list")
            << true << 200 << QByteArray(R"({"id":"group-1","name":"Family","members":[]})")
            << QStringLiteral("Could not load your group: The service's reply could not be read")
            << QStringLiteral("No group yet");
    }

    // Nobody is offered, and nothing said about the group, before the group has been read.
    // A member the service gave no id is listed without a Share button, and does not make the
    // dialog claim that everybody has access.
    void offersOnlyFromAGroupThatWasRead()
    {
        QJsonObject nameless{{QStringLiteral("display_name"), QStringLiteral("No Id")},
                             {QStringLiteral("role"), QStringLiteral("member")}};
        m_fx.service->setGroup(
            {{QStringLiteral("id"), QStringLiteral("group-1")},
             {QStringLiteral("name"), QStringLiteral("Family")},
             {QStringLiteral("members"),
              QJsonArray{groupMember("acct-1", "Ada Lovelace", "ada@example.org", "owner"),
                         groupMember("acct-2", "Charles Babbage", "cb@example.org"), nameless}}},
            QStringLiteral("owner"));
        m_fx.service->holdPath("GET", QStringLiteral("/group"));
        ManualBackend backend;
        auto dialog = open(&backend);
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("GET", QStringLiteral("/group")), 1, 10000);
        ShareMember charles;
        charles.id = charles.userId = QStringLiteral("acct-2");
        backend.lists.at(0)(true, {charles}, QString());
        QVERIFY(texts(dialog.get()).contains(QStringLiteral("Loading\u2026")));
        QVERIFY(!texts(dialog.get()).contains(QStringLiteral("No group yet")));
        QVERIFY(
            !texts(dialog.get()).contains(QStringLiteral("All group members already have access")));
        QVERIFY(buttons(dialog.get(), QStringLiteral("Share")).isEmpty());

        m_fx.service->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(texts(dialog.get()).contains(QStringLiteral("No Id")), 10000);
        QVERIFY(!texts(dialog.get()).contains(QStringLiteral("Loading\u2026")));
        QVERIFY(
            !texts(dialog.get()).contains(QStringLiteral("All group members already have access")));
        QVERIFY(buttons(dialog.get(), QStringLiteral("Share")).isEmpty());
    }

    // A group read before the shares offers nobody: until who has access is known, everybody
    // would be offered, those with access too. Once the shares come, only the others are.
    void offersOnlyOnceTheSharesAreRead()
    {
        ManualBackend backend;
        auto dialog = open(&backend);
        QTRY_VERIFY_WITH_TIMEOUT(backend.memberLookups > 0, 10000);
        QVERIFY(buttons(dialog.get(), QStringLiteral("Share")).isEmpty());
        ShareMember charles;
        charles.id = charles.userId = QStringLiteral("acct-2");
        backend.lists.at(0)(true, {charles}, QString());
        QCOMPARE(buttons(dialog.get(), QStringLiteral("Share")).size(), 1);
    }

    void failuresShowTheirReason()
    {
        QFETCH(bool, groupFails);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        QFETCH(QString, emptyState);
        // The share list is answered once the group has been asked for, so that its failure comes
        // with the group read or about to be.
        LoopbackHttpServer sharing([&](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Reply reply;
            reply.status = status;
            reply.body = body;
            reply.hold = true;
            return reply;
        });
        if (groupFails)
            m_fx.service->setCannedReply("GET", QStringLiteral("/group"), status, body);
        else
            m_fx.client->syncApiClient()->setBaseUrl(QUrl(sharing.origin()));
        auto dialog = open();
        if (!groupFails) {
            QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("GET", QStringLiteral("/group")), 1,
                                      10000);
            QTRY_COMPARE_WITH_TIMEOUT(sharing.count("GET", QString()), 1, 10000);
            sharing.releaseHeld();
        }
        QTRY_VERIFY_WITH_TIMEOUT(texts(dialog.get()).contains(reason), 10000);
        QVERIFY(!texts(dialog.get()).contains(emptyState));
        QVERIFY(buttons(dialog.get(), QStringLiteral("Share")).isEmpty());
    }

    // A refused grant shows the service's words in the red line.
    void aRefusedGrantShowsTheServiceWords()
    {
        m_cloud->failPath("POST", QStringLiteral("/calendars/team/cal/share"), 403);
        auto dialog = open();
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 2, 10000);
        buttons(dialog.get(), QStringLiteral("Share")).first()->click();
        QLabel* error = dialog->findChild<QLabel*>(QStringLiteral("shareError"));
        QTRY_VERIFY_WITH_TIMEOUT(error->isVisibleTo(dialog.get()), 10000);
        QCOMPARE(error->text(), QStringLiteral("injected failure"));
    }

    void anOlderListNeverReplacesANewerOne()
    {
        ManualBackend backend;
        auto dialog = open(&backend);
        QCOMPARE(backend.lists.size(), 1);
        backend.lists.at(0)(true, {}, QString());
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 2, 10000);
        // Two grants, each followed by a reload: the second and the third list are asked for.
        const auto shareButtons = buttons(dialog.get(), QStringLiteral("Share"));
        shareButtons.at(0)->click();
        backend.grants.takeFirst()(true, QString());
        shareButtons.at(1)->click();
        backend.grants.takeFirst()(true, QString());
        QCOMPARE(backend.lists.size(), 3);
        ShareMember charles;
        charles.id = charles.userId = QStringLiteral("acct-2");
        backend.lists.at(2)(true, {charles}, QString());
        backend.lists.at(1)(true, {}, QString());
        QVERIFY(!texts(dialog.get()).contains(QStringLiteral("Not shared with anyone yet.")));
        QCOMPARE(buttons(dialog.get(), QStringLiteral("\u00D7")).size(), 1);
    }

    void answersAfterTheDialogClosedAreDropped()
    {
        // Every request of the dialog is out when it goes: the group, the share list, a grant.
        ManualBackend backend;
        auto dialog = open(&backend);
        backend.lists.at(0)(true, {}, QString());
        QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog.get(), QStringLiteral("Share")).size(), 2, 10000);
        buttons(dialog.get(), QStringLiteral("Share")).first()->click();
        m_fx.service->holdPath("GET", QStringLiteral("/profile"));
        m_fx.service->holdPath("GET", QStringLiteral("/group"));
        backend.grants.takeFirst()(true, QString()); // the reload is now out
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("GET", QStringLiteral("/profile")), 2, 10000);
        buttons(dialog.get(), QStringLiteral("Share")).last()->click();
        dialog.reset();
        m_fx.service->releaseHeld();
        for (const auto& list : std::as_const(backend.lists))
            list(true, {}, QString());
        backend.grants.takeFirst()(false, QStringLiteral("late"));
        QTest::qWait(100);
    }
};

QTEST_MAIN(TestShareMembersDialog)
#include "tst_sharemembersdialog.moc"
