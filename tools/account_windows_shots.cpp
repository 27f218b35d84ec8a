// Renders the account windows in light and dark mode as PNG files for a person to look at: the
// share dialog of a cloud calendar (nobody shared yet, people shared, a failed list, a list
// answered in another shape and a refused grant), every page of the account screen, those
// pages when the service answers in another shape or with extreme lists and names (and the
// window reopened with ordinary data after them), and the screen once the service has ended
// the session. The account and calendar services are the test fakes on 127.0.0.1; nothing else
// is contacted. Run under a display:
//     xvfb-run -a account_windows_shots <output folder>

#include "AccountScreen.h"
#include "ApiClient.h"
#include "AppState.h"
#include "Client.h"
#include "FakeAccountService.h"
#include "FakeCloudSyncServer.h"
#include "GalleryCapture.h"
#include "LoopbackHttpServer.h"
#include "OrvandellicSharingBackend.h"
#include "ShareMembersDialog.h"
#include "ThemeManager.h"
#include "TokenManager.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime now(QDate(2026, 3, 11), QTime(10, 0), Qt::UTC);
const QString calendarId = QStringLiteral("team-calendar");
// A success that is not the answer asked for, as a misrouted gateway might give.
const QByteArray otherShape = R"({"status":"ok","data":{"items":[]}})";

QJsonObject json(const char* text)
{
    return QJsonDocument::fromJson(text).object();
}

QJsonArray array(const char* text)
{
    return QJsonDocument::fromJson(text).array();
}

void seed(FakeAccountService& service, FakeCloudSyncServer& cloud)
{
    service.setGroup(json(R"({"id":"group-1","name":"Lovelace Family","max_seats":5,
        "members":[
          {"account_id":"acct-1","display_name":"Ada Lovelace","email":"ada@example.org","role":"owner"},
          {"account_id":"acct-2","display_name":"Charles Babbage","email":"charles@example.org","role":"member"},
          {"account_id":"acct-3","display_name":"","email":"grace@example.org","role":"member"}],
        "pending_invitations":[
          {"id":"inv-1","invited_email":"mary@example.org"},
          {"id":"inv-2","invite_code":"JOIN-8K2Q"}]})"),
                     QStringLiteral("owner"));
    service.setDevices(array(R"([
        {"id":"dev-1","device_name":"Ada's Laptop","platform":"linux","app_version":"1.3.1",
         "last_sync_at":"2026-03-11T09:58:00Z"},
        {"id":"dev-2","device_name":"","platform":"windows","last_sync_at":"2026-03-09T07:00:00Z"},
        {"id":"dev-3","device_name":"Kitchen <b>tablet</b>","platform":"android",
         "app_version":"1.2.0","last_sync_at":"2025-12-24T18:00:00Z"}])"));
    service.setSessions(array(R"J([
        {"id":"s-1","user_agent":"Orvandellic Calendar/1.3.1 (Linux)","ip_address":"127.0.0.1",
         "last_active_at":"2026-03-11T10:00:00Z","is_current":true
},
        {"id":"s-2","user_agent":"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/122.0",
         "ip_address":"192.0.2.44","last_active_at":"2026-03-11T07:12:00Z"},
        {"id":"s-3","user_agent":"","last_active_at":"2026-02-01T12:00:00Z"}])J"));
    cloud.addCalendar(calendarId, QStringLiteral("Team"));
}

// Extreme but well-formed lists: ten thousand members, devices and sessions, megabyte names
// (one of words, one without a space), and entries the service gave no id.
void seedExtreme(FakeAccountService& service)
{
    QString words;
    while (words.size() < 1024 * 1024)
        words += QStringLiteral("Augusta Ada King ");
    const QString unbroken(1024 * 1024, QLatin1Char('W'));
    QJsonArray members{QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-1")},
                                   {QStringLiteral("display_name"), words},
                                   {QStringLiteral("email"), QStringLiteral("ada@example.org")},
                                   {QStringLiteral("role"), QStringLiteral("owner")}},
                       QJsonObject{{QStringLiteral("display_name"), QStringLiteral("No Id Member")},
                                   {QStringLiteral("email"), QStringLiteral("noid@example.org")},
                                   {QStringLiteral("role"), QStringLiteral("member")}},
                       QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-2")},
                                   {QStringLiteral("display_name"), unbroken},
                                   {QStringLiteral("email"), QStringLiteral("w@example.org")},
                                   {QStringLiteral("role"), QStringLiteral("member")}}};
    QJsonArray devices{
        QJsonObject{{QStringLiteral("device_name"), QStringLiteral("Device without an id")},
                    {QStringLiteral("platform"), QStringLiteral("linux")}},
        QJsonObject{{QStringLiteral("id"), QStringLiteral("dev-long")},
                    {QStringLiteral("device_name"), words},
                    {QStringLiteral("platform"), unbroken}}};
    QJsonArray sessions{
        QJsonObject{{QStringLiteral("user_agent"), QStringLiteral("Session without an id")},
                    {QStringLiteral("last_active_at"), QStringLiteral("2026-03-11T07:00:00Z")}},
        QJsonObject{{QStringLiteral("id"), QStringLiteral("s-long")},
                    {QStringLiteral("user_agent"), words},
                    {QStringLiteral("ip_address"), unbroken}}};
    for (int i = 4; i <= 10000; ++i) {
        const QString n = QString::number(i);
        members.append(QJsonObject{{QStringLiteral("account_id"), QStringLiteral("acct-") + n},
                                   {QStringLiteral("display_name"), QStringLiteral("Member ") + n},
                                   {QStringLiteral("role"), QStringLiteral("member")}});
        devices.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("dev-") + n},
                                   {QStringLiteral("device_name"), QStringLiteral("Device ") + n},
                                   {QStringLiteral("platform"), QStringLiteral("linux")}});
        sessions.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("s-") + n},
                                    {QStringLiteral("user_agent"), QStringLiteral("Client ") + n}});
    }
    service.setGroup({{QStringLiteral("id"), QStringLiteral("group-1")},
                      {QStringLiteral("name"), words},
                      {QStringLiteral("max_seats"), 5},
                      {QStringLiteral("members"), members},
                      {QStringLiteral("pending_invitations"),
                       QJsonArray{QJsonObject{{QStringLiteral("invited_email"),
                                               QStringLiteral("no-id@example.org")}},
                                  QJsonObject{{QStringLiteral("id"), QStringLiteral("inv-1")},
                                              {QStringLiteral("invited_email"), unbroken}}}}},
                     QStringLiteral("owner"));
    service.setDevices(devices);
    service.setSessions(sessions);
    service.setDisplayName(words);
}

OrvaAccount::ShareMembersDialog::Texts texts()
{
    OrvaAccount::ShareMembersDialog::Texts texts;
    texts.title = QStringLiteral("Share Calendar");
    texts.subtitle = QStringLiteral("Team");
    texts.description = QStringLiteral("Members of your Orvandellic group you share this "
                                       "calendar with see and edit its events.");
    texts.emptyGroupText = QStringLiteral("You are not in a group.");
    texts.defaultRole = QStringLiteral("member");
    return texts;
}

} // namespace

using OrvaAccount::ShareMembersDialog;

int main(int argc, char* argv[])
{
    GalleryCapture capture(now);
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "account_windows_shots"))
        return status;

    FakeAccountService service;
    FakeCloudSyncServer cloud;
    seed(service, cloud);
    service.exportEnvironment();
    OrvaAccount::Client client(
        OrvaAccount::Client::withEnvironmentOverrides({{},
                                                       {},
                                                       {},
                                                       {},
                                                       QStringLiteral("org.example.shots"),
                                                       QStringLiteral("Orvandellic Calendar"),
                                                       QStringLiteral("1.3.1"),
                                                       {},
                                                       {}}));
    client.syncApiClient()->setBaseUrl(QUrl(cloud.baseUrl()));
    client.tokenManager()->setTokens(service.mintAccessToken(3600), service.mintRefreshToken());
    client.initialize();
    Orvandellic::SharingBackend backend(client.syncApiClient());

    const auto settle = [] { QTest::qWait(600); };
    ThemeManager* theme = capture.state()->themeManager();
    for (const char* mode : {"light", "dark"}) {
        theme->apply(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        cloud.setMembers(calendarId, array(R"([{"user_id":"acct-1","role":"owner"}])"));

        auto* empty = new ShareMembersDialog(&client, &backend, calendarId, texts());
        empty->show();
        settle();
        capture.save(empty, QStringLiteral("share-empty") + suffix);
        delete empty;

        cloud.setMembers(calendarId, array(R"([{"user_id":"acct-1","role":"owner"},
            {"user_id":"acct-2","display_name":"Charles Babbage","email":"charles@example.org",
             "role":"member"},{"user_id":"acct-3","role":"member"}])"));
        auto* members = new ShareMembersDialog(&client, &backend, calendarId, texts());
        members->show();
        settle();
        capture.save(members, QStringLiteral("share-members") + suffix);
        delete members;

        cloud.setMembers(calendarId, array(R"([{"user_id":"acct-1","role":"owner"}])"));
        cloud.failPath("GET", QStringLiteral("/calendars/team-calendar/members"), 503);
        auto* failed = new ShareMembersDialog(&client, &backend, calendarId, texts());
        failed->show();
        settle();
        capture.save(failed, QStringLiteral("share-error") + suffix);
        delete failed;
        cloud.clearFailures();

        LoopbackHttpServer misrouted([](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Reply reply;
            reply.body = otherShape;
            return reply;
        });
        client.syncApiClient()->setBaseUrl(QUrl(misrouted.origin()));
        auto* shapeless = new ShareMembersDialog(&client, &backend, calendarId, texts());
        shapeless->show();
        settle();
        capture.save(shapeless, QStringLiteral("share-other-shape") + suffix);
        delete shapeless;
        client.syncApiClient()->setBaseUrl(QUrl(cloud.baseUrl()));

        cloud.failPath("POST", QStringLiteral("/calendars/team-calendar/share"), 403);
        auto* refused = new ShareMembersDialog(&client, &backend, calendarId, texts());
        refused->show();
        settle();
        for (QPushButton* button : refused->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Share")) {
                button->click();
                break;
            }
        }
        settle();
        capture.save(refused, QStringLiteral("share-refused") + suffix);
        delete refused;
        cloud.clearFailures();

        auto* screen = new OrvaAccount::AccountScreen(&client);
        screen->setWindowTitle(QStringLiteral("Orvandellic Account"));
        screen->resize(640, 560);
        screen->refresh();
        screen->show();
        settle();
        auto* nav = screen->findChild<QListWidget*>();
        const QStringList pages{"profile", "group", "devices", "security", "privacy"};
        for (int row = 0; row < pages.size(); ++row) {
            nav->setCurrentRow(row);
            QApplication::processEvents();
            capture.save(screen, QStringLiteral("account-%1").arg(pages.at(row)) + suffix);
        }

        for (const char* path : {"/group", "/devices", "/users/me/sessions"})
            service.setCannedReply("GET", QString::fromLatin1(path), 200, otherShape);
        screen->refresh();
        settle();
        for (int row = 1; row <= 3; ++row) {
            nav->setCurrentRow(row);
            QApplication::processEvents();
            capture.save(screen,
                         QStringLiteral("account-%1-other-shape").arg(pages.at(row)) + suffix);
        }
        service.clearCannedReplies();

        // Extreme lists and names; then the window reopened, as the main window does, with the
        // ordinary data.
        const QJsonObject ordinaryGroup = service.group();
        const QJsonArray ordinaryDevices = service.devices();
        const QJsonArray ordinarySessions = service.sessions();
        const QString ordinaryName = service.displayName();
        seedExtreme(service);
        screen->refresh();
        QTest::qWait(3000);
        for (int row = 0; row <= 3; ++row) {
            nav->setCurrentRow(row);
            QApplication::processEvents();
            capture.save(screen, QStringLiteral("account-%1-extreme").arg(pages.at(row)) + suffix);
            if (row == 0)
                continue;
            // The end of the page, where the note says what the list left out.
            for (QScrollArea* area : screen->findChildren<QScrollArea*>()) {
                if (area->isVisible())
                    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
            }
            QApplication::processEvents();
            capture.save(screen,
                         QStringLiteral("account-%1-extreme-end").arg(pages.at(row)) + suffix);
        }
        auto* extreme = new ShareMembersDialog(&client, &backend, calendarId, texts());
        extreme->show();
        QTest::qWait(3000);
        capture.save(extreme, QStringLiteral("share-extreme") + suffix);
        for (QScrollArea* area : extreme->findChildren<QScrollArea*>())
            area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QApplication::processEvents();
        capture.save(extreme, QStringLiteral("share-extreme-end") + suffix);
        delete extreme;
        service.setGroup(ordinaryGroup, QStringLiteral("owner"));
        service.setDevices(ordinaryDevices);
        service.setSessions(ordinarySessions);
        service.setDisplayName(ordinaryName);
        screen->hide();
        screen->refresh();
        screen->resize(640, 560);
        screen->show();
        settle();
        nav->setCurrentRow(1);
        QApplication::processEvents();
        capture.save(screen, QStringLiteral("account-group-reopened") + suffix);
        nav->setCurrentRow(0);

        // The service refuses to renew the session: the screen offers the sign-in.
        service.setRefreshMode(FakeAccountService::RefreshMode::Reject);
        client.tokenManager()->setTokens(service.mintAccessToken(20),
                                         client.tokenManager()->refreshToken());
        screen->refresh();
        settle();
        capture.save(screen, QStringLiteral("account-signed-out") + suffix);
        delete screen;
        service.setRefreshMode(FakeAccountService::RefreshMode::Rotate);
        client.tokenManager()->setTokens(service.mintAccessToken(3600), service.mintRefreshToken());
        client.initialize();
    }
    return capture.finish();
}
