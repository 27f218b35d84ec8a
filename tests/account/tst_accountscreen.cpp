#include "AccountScreen.h"
#include "AccountTesting.h"
#include "AuthClient.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PinnedClock.h"

#include <QApplication>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace OrvaAccount;

namespace {

QJsonObject member(const char* accountId, const char* name, const char* email, const char* role)
{
    return {{QStringLiteral("account_id"), QLatin1String(accountId)},
            {QStringLiteral("display_name"), QLatin1String(name)},
            {QStringLiteral("email"), QLatin1String(email)},
            {QStringLiteral("role"), QLatin1String(role)}};
}

QJsonObject family()
{
    return {{QStringLiteral("id"), QStringLiteral("group-1")},
            {QStringLiteral("name"), QStringLiteral("Family")},
            {QStringLiteral("max_seats"), 5},
            {QStringLiteral("members"),
             QJsonArray{member("acct-1", "Ada Lovelace", "ada@example.org", "owner"),
                        member("acct-2", "", "cb@example.org", "member"),
                        member("acct-3", "Grace", "grace@example.org", "member")}},
            {QStringLiteral("pending_invitations"),
             QJsonArray{QJsonObject{{QStringLiteral("id"), QStringLiteral("inv-1")},
                                    {QStringLiteral("invite_code"), QStringLiteral("JOIN-9")}}}}};
}

// Loads the URL as a browser would, without following a redirect, and gives the redirect
// target; "localhost" is reached at 127.0.0.1.
QUrl visit(QUrl url)
{
    if (url.host() == QLatin1String("localhost"))
        url.setHost(QStringLiteral("127.0.0.1"));
    QNetworkAccessManager network;
    network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QNetworkRequest request(url);
    request.setTransferTimeout(10000);
    QNetworkReply* reply = network.get(request);
    if (!QTest::qWaitFor([reply] { return reply->isFinished(); }, 10000))
        qWarning("no answer from the sign-in page");
    const QUrl location = reply->header(QNetworkRequest::LocationHeader).toUrl();
    delete reply;
    return location;
}

// Answers a text prompt with `text`, or cancels it.
ModalSeam::Answer typing(const QString& text, bool accept = true)
{
    return [text, accept](QWidget* window) {
        auto* dialog = qobject_cast<QInputDialog*>(window);
        if (!dialog)
            return;
        dialog->setTextValue(text);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    };
}

} // namespace

class TestAccountScreen : public QObject
{
    Q_OBJECT

private:
    AccountTesting::ServiceFixture m_fx;
    std::unique_ptr<PinnedClock> m_clock;

    std::unique_ptr<AccountScreen> openScreen()
    {
        auto screen = std::make_unique<AccountScreen>(m_fx.client.get());
        screen->refresh();
        return screen;
    }

    void signInAs(const QString& role, const QJsonObject& group = family())
    {
        m_fx.service->setGroup(group, role);
        m_fx.signIn(3600);
    }

    static QStringList visibleTexts(QWidget* screen)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList shown;
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (label->isVisibleTo(screen) || !label->isHidden())
                shown.append(label->text());
        }
        for (QPushButton* button : screen->findChildren<QPushButton*>()) {
            if (!button->isHidden())
                shown.append(QStringLiteral("[%1]").arg(button->text()));
        }
        return shown;
    }

    static QPushButton* button(QWidget* screen, const QString& text, int index = 0)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int seen = 0;
        for (QPushButton* candidate : screen->findChildren<QPushButton*>()) {
            if (candidate->text() == text && !candidate->isHidden() && seen++ == index)
                return candidate;
        }
        return nullptr;
    }

    // The button with that text in the row that shows `rowText`.
    static QPushButton* buttonInRow(QWidget* screen, const QString& rowText, const QString& text)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (label->text() != rowText)
                continue;
            for (QPushButton* candidate :
                 label->parentWidget()->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
                if (candidate->text() == text)
                    return candidate;
            }
        }
        return nullptr;
    }

    static QString statusLine(QWidget* screen)
    {
        return screen->findChild<QLabel*>(QStringLiteral("accountStatus"))->text();
    }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_clock =
            std::make_unique<PinnedClock>(QDateTime(QDate(2026, 3, 11), QTime(9, 0), Qt::UTC));
        m_fx.start();
    }

    void cleanup()
    {
        QVERIFY(m_fx.stop());
        m_clock.reset();
    }

    void ownerAndMemberLayouts_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<int>("removeButtons");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<bool>("canDelete");
        QTest::newRow("owner")
            << "owner" << true << 2
            << QStringList{"3 of 5 seats used", "Invite code: JOIN-9",    "[Revoke]",
                           "[Invite by Email]", "[Generate Invite Code]", "Owner",
                           "cb@example.org"}
            << QStringList{"[Leave Group]"} << false;
        QTest::newRow("member") << "member" << true << 0
                                << QStringList{"[Leave Group]", "Family", "Owner"}
                                << QStringList{"[Invite by Email]", "Invite code: JOIN-9"} << true;
        QTest::newRow("no group") << "" << false << 0
                                  << QStringList{"No Group", "[Join with Invite Code]"}
                                  << QStringList{"[Leave Group]", "Members"} << true;
    }

    void ownerAndMemberLayouts()
    {
        QFETCH(QString, role);
        QFETCH(bool, inGroup);
        QFETCH(int, removeButtons);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, absent);
        QFETCH(bool, canDelete);
        signInAs(role, inGroup ? family() : QJsonObject());
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(shown.first()), 10000);
        // The devices (one "Remove" each) arrive on their own.
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Phone")),
                                 10000);
        const QStringList texts = visibleTexts(screen.get());
        for (const QString& text : shown)
            QVERIFY2(texts.contains(text), qPrintable(text));
        for (const QString& text : absent)
            QVERIFY2(!texts.contains(text), qPrintable(text));
        // Two devices, one each; the member rows of the owner's view.
        QCOMPARE(texts.count(QStringLiteral("[Remove]")), removeButtons + 2);
        QCOMPARE(button(screen.get(), QStringLiteral("Delete Account"))->isEnabled(), canDelete);
    }

    void serverTextsArePlain()
    {
        m_fx.service->setDevices(QJsonDocument::fromJson(R"([{"id":"d-1",
            "device_name":"<img src=x><b>Mine</b>","platform":"linux","app_version":"1.3.1",
            "last_sync_at":"2026-03-11T08:00:00Z"}])")
                                     .array());
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(
            visibleTexts(screen.get()).contains(QStringLiteral("<img src=x><b>Mine</b>")), 10000);
        QVERIFY(visibleTexts(screen.get()).contains(QStringLiteral("linux  \u00B7  v1.3.1")));
        QVERIFY(visibleTexts(screen.get()).contains(QStringLiteral("1h ago")));
        for (QLabel* label : screen->findChildren<QLabel*>())
            QCOMPARE(label->textFormat(), Qt::PlainText);

        // The removal question names the device as the service wrote it, as plain text.
        const auto seen = ModalSeam::run(
            [&] {
                buttonInRow(screen.get(), QStringLiteral("<img src=x><b>Mine</b>"),
                            QStringLiteral("Remove"))
                    ->click();
            },
            [](QWidget* box) {
                QCOMPARE(static_cast<QMessageBox*>(box)->textFormat(), Qt::PlainText);
                ModalSeam::clickButton(box, QStringLiteral("No"));
            });
        QCOMPARE(seen.value(0).text, QStringLiteral("Remove <img src=x><b>Mine</b>?"));
    }

    void removalsReportTheServiceAnswer_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        QTest::newRow("removed") << 204 << QStringLiteral("Device removed.");
        QTest::newRow("refused") << 403 << QStringLiteral("Could not remove the device: not yours");
    }

    void removalsReportTheServiceAnswer()
    {
        QFETCH(int, status);
        QFETCH(QString, expected);
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Phone")),
                                 10000);
        if (status != 204)
            m_fx.service->setCannedReply("DELETE", QStringLiteral("/devices/dev-2"), status,
                                         R"({"error":"not yours"})");
        m_fx.service->holdPath("DELETE", QStringLiteral("/devices/dev-2"));
        ModalSeam::run(
            [&] {
                buttonInRow(screen.get(), QStringLiteral("Phone"), QStringLiteral("Remove"))
                    ->click();
            },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("Yes")); });
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("DELETE", QStringLiteral("/devices/dev-2")),
                                  1, 10000);
        QCOMPARE(statusLine(screen.get()), QString());
        m_fx.service->releaseHeld();
        QTRY_COMPARE_WITH_TIMEOUT(statusLine(screen.get()), expected, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Phone")),
                                  status != 204, 10000);
    }

    // A gateway's page with a success status is a failure like any other, not an empty list;
    // so is an object that lacks what the page reads (the group's id or members, the list).
    void failedListsShowTheirReason_data()
    {
        QTest::addColumn<QByteArray>("successBody"); // empty: error statuses instead
        QTest::addColumn<QStringList>("reasons");
        const QStringList unreadable{
            "Could not load your group: The service's reply could not be read",
            "Could not load your devices: The service's reply could not be read",
            "Could not load your sessions: The service's reply could not be read"};
        QTest::newRow("error statuses") << QByteArray()
                                        << QStringList{"Could not load your group: HTTP 503",
                                                       "Could not load your devices: database down",
                                                       "Could not load your sessions: HTTP 502"};
        QTest::newRow("gateway pages")
            << QByteArray("<html><body>Please wait</body></html>") << unreadable;
        QTest::newRow("objects of another shape")
            << QByteArray(R"({"status":"ok","data":{"items":[]}})") << unreadable;
        QTest::newRow("group without its member list")
            << QByteArray(R"({"id":"group-1","name":"Family","max_seats":5})") << unreadable;
        // A group always lists its owner, as an object.
        QTest::newRow("group with an empty member list")
            << QByteArray(R"({"id":"group-1","name":"Family","max_seats":5,"members":[]})")
            << unreadable;
        QTest::newRow("members that are not objects")
            << QByteArray(R"({"id":"group-1","name":"Family","members":[1,"x",null,[]]})")
            << unreadable;
    }

    // An entry the service gave no id is shown, with nothing offered to act on it.
    void entriesWithoutAnIdOfferNoAction()
    {
        QJsonObject group = family();
        group.insert(QStringLiteral("members"),
                     QJsonArray{member("acct-1", "Ada Lovelace", "ada@example.org", "owner"),
                                member("", "No Id", "", "member")});
        group.insert(QStringLiteral("pending_invitations"),
                     QJsonArray{QJsonObject{
                         {QStringLiteral("invited_email"), QStringLiteral("mary@example.org")}}});
        m_fx.service->setDevices(
            QJsonDocument::fromJson(R"([{"device_name":"Nameless"}])").array());
        m_fx.service->setSessions(
            QJsonDocument::fromJson(R"([{"user_agent":"Idless","is_current":false}])").array());
        signInAs(QStringLiteral("owner"), group);
        m_fx.client->initialize();
        auto screen = openScreen();
        for (const char* text : {"No Id", "mary@example.org", "Nameless", "Idless"})
            QTRY_VERIFY2_WITH_TIMEOUT(
                visibleTexts(screen.get()).contains(QString::fromLatin1(text)), text, 10000);
        const QStringList texts = visibleTexts(screen.get());
        QCOMPARE(texts.count(QStringLiteral("[Remove]")), 0);
        QCOMPARE(texts.count(QStringLiteral("[Revoke]")), 0);
    }

    // Ten thousand entries in every list and megabyte names: each list shows its bound and says
    // how many it left out, a row lays out a bounded text, and the window keeps the size it was
    // given, on the screen; reopened with ordinary data it is as large as before.
    void extremeListsStayOnTheScreen()
    {
        const QString huge(1024 * 1024, QLatin1Char('x'));
        QJsonArray members{QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-1")},
                                       {QStringLiteral("display_name"), huge},
                                       {QStringLiteral("role"), QStringLiteral("owner")}}};
        QJsonArray devices;
        QJsonArray sessions;
        for (int i = 1; i < 10000; ++i) {
            const QString n = QString::number(i);
            members.append(QJsonObject{{QStringLiteral("account_id"), QStringLiteral("a-") + n},
                                       {QStringLiteral("display_name"), QStringLiteral("M ") + n}});
            devices.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("d-") + n},
                                       {QStringLiteral("device_name"), i == 1 ? huge : n}});
            sessions.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("s-") + n},
                                        {QStringLiteral("ip_address"), i == 1 ? huge : n}});
        }
        QJsonObject group = family();
        group.insert(QStringLiteral("name"), huge);
        group.insert(QStringLiteral("members"), members);
        m_fx.service->setDevices(devices);
        m_fx.service->setSessions(sessions);
        m_fx.service->setDisplayName(huge);
        signInAs(QStringLiteral("owner"), group);
        m_fx.client->initialize();
        auto screen = openScreen();
        screen->resize(640, 560);
        screen->show();
        for (const char* note : {"Only the first 50 of 10000 members are shown.",
                                 "Only the first 100 of 9999 devices are shown.",
                                 "Only the first 100 of 9999 sessions are shown."})
            QTRY_VERIFY2_WITH_TIMEOUT(
                visibleTexts(screen.get()).contains(QString::fromLatin1(note)), note, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            visibleTexts(screen.get()).contains(QStringLiteral("10000 of 5 seats used")), 10000);
        auto* pages = screen->findChild<QListWidget*>();
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentRow(page);
            QCoreApplication::processEvents();
        }
        for (QLabel* label : screen->findChildren<QLabel*>())
            QVERIFY(label->text().size() <= Limits::maxRowTextChars + 1);
        QCOMPARE(screen->size(), QSize(640, 560));
        const QRect available = screen->screen()->availableGeometry();
        QVERIFY(screen->minimumSizeHint().width() <= available.width());
        QVERIFY(screen->minimumSizeHint().height() <= available.height());

        // Reopened with ordinary data, as the main window reopens it.
        m_fx.service->setGroup(family(), QStringLiteral("owner"));
        m_fx.service->setDevices({});
        m_fx.service->setSessions({});
        m_fx.service->setDisplayName(QStringLiteral("Ada Lovelace"));
        screen->hide();
        screen->refresh();
        screen->resize(640, 560);
        screen->show();
        QTRY_VERIFY_WITH_TIMEOUT(
            visibleTexts(screen.get()).contains(QStringLiteral("3 of 5 seats used")), 10000);
        QCoreApplication::processEvents();
        QCOMPARE(screen->size(), QSize(640, 560));
    }

    void failedListsShowTheirReason()
    {
        QFETCH(QByteArray, successBody);
        QFETCH(QStringList, reasons);
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        if (!successBody.isEmpty()) {
            for (const char* path : {"/group", "/devices", "/users/me/sessions"})
                m_fx.service->setCannedReply("GET", QString::fromLatin1(path), 200, successBody);
        } else {
            m_fx.service->setCannedReply("GET", QStringLiteral("/group"), 503, {});
            m_fx.service->setCannedReply("GET", QStringLiteral("/devices"), 500,
                                         R"({"error":"database down"})");
            m_fx.service->setCannedReply("GET", QStringLiteral("/users/me/sessions"), 502, {});
        }
        auto screen = openScreen();
        for (const QString& reason : reasons)
            QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(reason), 10000);
        const QStringList texts = visibleTexts(screen.get());
        for (const char* emptyState : {"No Group", "[Join with Invite Code]", "Members",
                                       "No devices registered.", "No active sessions."})
            QVERIFY2(!texts.contains(QString::fromLatin1(emptyState)), emptyState);
    }

    // A refused refresh ends the session on screen: the pages give way to the note and the
    // sign-in, which works without a browser too, and brings the pages back. A server fault
    // on the way keeps the session.
    void aRefusedRefreshEndsTheSessionOnScreen_data()
    {
        QTest::addColumn<int>("status"); // the refresh's answer; 0: the service's own refusal
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("failure"); // what the page says when the session is kept
        QTest::newRow("refresh token refused") << 0 << QByteArray() << true << QString();
        QTest::newRow("refused in other words")
            << 401 << QByteArray(R"({"error":"unauthorized"})") << true << QString();
        // The refresh's own failure, never the 401 that it left the request with.
        QTest::newRow("server fault") << 503 << QByteArray() << false << "HTTP 503";
        QTest::newRow("bad request in its own words")
            << 400 << QByteArray(R"({"error":"invalid_request"})") << false << "invalid_request";
        QTest::newRow("gateway page") << 200 << QByteArray("<html><body>Please wait</body></html>")
                                      << false << "The service's reply could not be read";
    }

    void aRefusedRefreshEndsTheSessionOnScreen()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, refused);
        QFETCH(QString, failure);
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Phone")),
                                 10000);
        const auto shown = [&screen](const QString& text) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (QWidget* widget : screen->findChildren<QWidget*>()) {
                const QVariant value = widget->property("text");
                if (value.toString() == text && widget->isVisibleTo(screen.get()))
                    return true;
            }
            return false;
        };
        const QString ended = QStringLiteral("Your session has ended. Sign in again.");
        QVERIFY(!shown(ended));

        // The access token is about to expire: the next loads refresh it first.
        m_fx.client->tokenManager()->setTokens(m_fx.service->mintAccessToken(20),
                                               m_fx.client->tokenManager()->refreshToken());
        if (status == 0)
            m_fx.service->setRefreshMode(FakeAccountService::RefreshMode::Reject);
        else
            m_fx.service->setCannedReply("POST", QStringLiteral("/auth/token/refresh"), status,
                                         body);
        screen->refresh();
        if (!refused) {
            QTRY_VERIFY_WITH_TIMEOUT(
                visibleTexts(screen.get())
                    .contains(QStringLiteral("Could not load your devices: ") + failure),
                10000);
            QVERIFY(!visibleTexts(screen.get())
                         .contains(QStringLiteral("Could not load your devices: HTTP 401")));
            QVERIFY(!shown(ended));
            QVERIFY(m_fx.client->isAuthenticated());
            QVERIFY(AccountTesting::stored(TokenManager::refreshTokenKey).has_value());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(shown(ended), 10000);
        QVERIFY(!shown(QStringLiteral("Profile")));
        // The note says it all: no failed load adds its own error.
        QCOMPARE(statusLine(screen.get()), QString());
        QVERIFY(!m_fx.client->isAuthenticated());
        QVERIFY(!AccountTesting::stored(TokenManager::refreshTokenKey).has_value());

        // No browser here: the address is offered, and opening it by hand signs in.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("a real browser might open");
        const int deviceLoads = m_fx.service->count("GET", QStringLiteral("/devices"));
        const auto seen = ModalSeam::run(
            [&] { button(screen.get(), QStringLiteral("Sign In"))->click(); },
            [](QWidget* dialog) {
                auto* address = dialog->findChild<QLineEdit*>(QStringLiteral("signInAddress"));
                QVERIFY(address && address->isReadOnly());
                visit(visit(QUrl(address->text())));
                // The sign-in has ended: the dialog closed itself.
                QVERIFY(QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, 10000));
            });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.value(0).title, QStringLiteral("Sign In"));
        QVERIFY(m_fx.client->isAuthenticated());
        QVERIFY(!shown(ended));
        QVERIFY(shown(QStringLiteral("Profile")));
        QTRY_VERIFY_WITH_TIMEOUT(
            m_fx.service->count("GET", QStringLiteral("/devices")) > deviceLoads, 10000);
    }

    void anOlderListNeverReplacesANewerOne()
    {
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = std::make_unique<AccountScreen>(m_fx.client.get());
        m_fx.service->holdPath("GET", QStringLiteral("/devices"));
        screen->refreshDevices();
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->count("GET", QStringLiteral("/devices")), 1, 10000);
        m_fx.service->stopHolding();
        m_fx.service->setDevices(
            QJsonDocument::fromJson(R"([{"id":"d-9","device_name":"Tablet"}])").array());
        screen->refreshDevices();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Tablet")),
                                 10000);
        m_fx.service->releaseHeld();
        QTest::qWait(200);
        QVERIFY(visibleTexts(screen.get()).contains(QStringLiteral("Tablet")));
        QVERIFY(!visibleTexts(screen.get()).contains(QStringLiteral("Laptop")));
    }

    void answersAfterTheScreenIsGoneAreDropped()
    {
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        for (const char* path : {"/users/me", "/group", "/devices", "/users/me/sessions"})
            m_fx.service->holdPath("GET", QString::fromLatin1(path));
        auto screen = openScreen();
        QTRY_COMPARE_WITH_TIMEOUT(m_fx.service->requests().size(), 4, 10000);
        screen.reset();
        m_fx.service->releaseHeld();
        QTest::qWait(200);
    }

    void placeholderIsNeverSavedAsTheName()
    {
        m_fx.service->setDisplayName(QString());
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("(not set)")),
                                 10000);
        QString prefill;
        ModalSeam::run([&] { button(screen.get(), QStringLiteral("Edit Display Name"))->click(); },
                       [&](QWidget* window) {
                           auto* dialog = qobject_cast<QInputDialog*>(window);
                           prefill = dialog ? dialog->textValue() : QStringLiteral("none");
                           ModalSeam::accept(window);
                       });
        QCOMPARE(prefill, QString());
        QTest::qWait(100);
        QCOMPARE(m_fx.service->count("PATCH", QStringLiteral("/users/me")), 0);

        ModalSeam::run([&] { button(screen.get(), QStringLiteral("Edit Display Name"))->click(); },
                       typing(QStringLiteral("  Ada  ")));
        QTRY_COMPARE_WITH_TIMEOUT(statusLine(screen.get()), QStringLiteral("Display name updated."),
                                  10000);
        QCOMPARE(m_fx.service->displayName(), QStringLiteral("Ada"));
    }

    // A name from the service longer than a line edit's default bound comes back from the
    // prompt whole when OK is pressed without an edit, and nothing is sent.
    void longNameIsNeverCut()
    {
        const QString name(1 << 20, u'n');
        m_fx.service->setDisplayName(name);
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(
            visibleTexts(screen.get()).join(QString()).contains(QStringLiteral("nnnn")), 10000);
        qsizetype prefilled = 0;
        ModalSeam::run([&] { button(screen.get(), QStringLiteral("Edit Display Name"))->click(); },
                       [&](QWidget* window) {
                           auto* dialog = qobject_cast<QInputDialog*>(window);
                           prefilled = dialog ? dialog->textValue().size() : 0;
                           ModalSeam::accept(window);
                       });
        QCOMPARE(prefilled, name.size());
        QTest::qWait(100);
        QCOMPARE(m_fx.service->count("PATCH", QStringLiteral("/users/me")), 0);
    }

    void ownerCheckFollowsTheSignIn()
    {
        signInAs(QStringLiteral("member"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QVERIFY(button(screen.get(), QStringLiteral("Delete Account"))->isEnabled());
        // Signed in again as the owner of a group: the same window, refreshed.
        signInAs(QStringLiteral("owner"));
        screen->refresh();
        QVERIFY(!button(screen.get(), QStringLiteral("Delete Account"))->isEnabled());
        QVERIFY(visibleTexts(screen.get())
                    .contains(QStringLiteral("You are the group owner. Transfer ownership or "
                                             "remove all members before deleting "
                                             "your account.")));
    }

    // The service's refusal (or a gateway's page in its place) signs nobody out: the tokens
    // stay and the failure is shown.
    void deletionNeedsTheExactWord_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("deletes");
        QTest::addColumn<int>("refusal"); // the service's status; 0 when it agrees
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("exact") << "DELETE" << true << true << 0 << QByteArray();
        QTest::newRow("lower case") << "delete" << true << false << 0 << QByteArray();
        QTest::newRow("leading blank") << " DELETE" << true << false << 0 << QByteArray();
        QTest::newRow("cancelled") << "DELETE" << false << false << 0 << QByteArray();
        QTest::newRow("forbidden")
            << "DELETE" << true << true << 403 << QByteArray(R"({"error":"not allowed"})");
        QTest::newRow("conflict") << "DELETE" << true << true << 409
                                  << QByteArray(R"({"error":"transfer the group first"})");
        QTest::newRow("server fault") << "DELETE" << true << true << 500 << QByteArray();
        QTest::newRow("gateway page") << "DELETE" << true << true << 200
                                      << QByteArray("<html><body>Bad gateway</body></html>");
    }

    void deletionNeedsTheExactWord()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(bool, deletes);
        QFETCH(int, refusal);
        QFETCH(QByteArray, reply);
        signInAs(QStringLiteral("member"));
        m_fx.client->initialize();
        if (refusal != 0)
            m_fx.service->setCannedReply("DELETE", QStringLiteral("/profile"), refusal, reply);
        const bool signsOut = deletes && refusal == 0;
        auto screen = openScreen();
        QSignalSpy logout(screen.get(), &AccountScreen::logoutRequested);
        // The information box comes with the service's answer: the trigger waits for it.
        const auto seen = ModalSeam::run(
            [&] {
                button(screen.get(), QStringLiteral("Delete Account"))->click();
                if (signsOut)
                    QVERIFY(QTest::qWaitFor([&] { return !logout.isEmpty(); }, 10000));
                else if (deletes)
                    QVERIFY(QTest::qWaitFor([&] { return !statusLine(screen.get()).isEmpty(); },
                                            10000));
            },
            QList<ModalSeam::Answer>{typing(typed, accepted), [](QWidget* box) {
                                         ModalSeam::clickButton(box, QStringLiteral("OK"));
                                     }});
        QTRY_COMPARE_WITH_TIMEOUT(logout.size(), signsOut ? 1 : 0, 10000);
        QCOMPARE(m_fx.service->count("DELETE", QStringLiteral("/profile")), deletes ? 1 : 0);
        if (signsOut)
            QCOMPARE(seen.value(1).title, QStringLiteral("Account Scheduled for Deletion"));
        if (refusal == 0)
            return;
        QCOMPARE(seen.size(), 1);
        QCOMPARE(statusLine(screen.get()), QStringLiteral("Failed to delete account."));
        QVERIFY(m_fx.client->isAuthenticated());
        QVERIFY(AccountTesting::stored(TokenManager::accessTokenKey).has_value());
        QVERIFY(AccountTesting::stored(TokenManager::refreshTokenKey).has_value());
    }

    void passwordChecksComeFirst_data()
    {
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("confirmAccepted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("seven characters")
            << "1234567"
            << "" << true << "Password must be at least 8 characters.";
        QTest::newRow("confirmation cancelled") << "12345678"
                                                << "12345678" << false << "Passwords do not match.";
        QTest::newRow("confirmation differs") << "12345678"
                                              << "12345679" << true << "Passwords do not match.";
        QTest::newRow("changed") << "12345678"
                                 << "12345678" << true << "Password changed.";
    }

    void passwordChecksComeFirst()
    {
        QFETCH(QString, fresh);
        QFETCH(QString, confirmation);
        QFETCH(bool, confirmAccepted);
        QFETCH(QString, expected);
        signInAs(QStringLiteral("member"));
        m_fx.client->initialize();
        auto screen = openScreen();
        ModalSeam::run([&] { button(screen.get(), QStringLiteral("Change Password"))->click(); },
                       QList<ModalSeam::Answer>{typing(FakeAccountService::password), typing(fresh),
                                                typing(confirmation, confirmAccepted)});
        QTRY_COMPARE_WITH_TIMEOUT(statusLine(screen.get()), expected, 10000);
    }

    void aNewerMessageOutlivesAnOlderTimer()
    {
        signInAs(QStringLiteral("owner"));
        m_fx.client->initialize();
        auto screen = openScreen();
        QTRY_VERIFY_WITH_TIMEOUT(visibleTexts(screen.get()).contains(QStringLiteral("Calendar")),
                                 10000);
        // An error (cleared after 4 s), and a success 2 s later (cleared after 3 s): when the
        // error's time is up, the success is still there.
        ModalSeam::run([&] { button(screen.get(), QStringLiteral("Change Password"))->click(); },
                       QList<ModalSeam::Answer>{typing(QStringLiteral("x")), typing("short")});
        QCOMPARE(statusLine(screen.get()),
                 QStringLiteral("Password must be at least 8 characters."));
        QTest::qWait(2000);
        buttonInRow(screen.get(), QStringLiteral("Calendar"), QStringLiteral("Revoke"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(statusLine(screen.get()), QStringLiteral("Session revoked."),
                                  10000);
        QTest::qWait(2300);
        QCOMPARE(statusLine(screen.get()), QStringLiteral("Session revoked."));
    }
};

QTEST_MAIN(TestAccountScreen)
#include "tst_accountscreen.moc"
