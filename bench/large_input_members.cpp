// The account window's group page and the share dialog, built from a group reply of 10,000
// members and from one of 10, against the account service fake on 127.0.0.1. The reply is sent
// as ready bytes, so that only the client's work (reading the reply, building the rows) counts.

#include "AccountGroupPage.h"
#include "AccountStatusLine.h"
#include "Client.h"
#include "EventLoopBlocks.h"
#include "FakeAccountService.h"
#include "LargeInput.h"
#include "MemoryCredentialBackend.h"
#include "ShareMembersDialog.h"
#include "SharingBackend.h"
#include "TokenManager.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace LargeInput {

namespace {

using namespace OrvaAccount;

constexpr int extremeMembers = 10000;
constexpr int ordinaryMembers = 10;
constexpr int rounds = 5;

// Nobody has access yet: every member but the user is offered.
class NobodySharedBackend : public SharingBackend
{
public:
    void listMembers(const QString&, MembersCallback callback) override
    {
        callback(true, {}, QString());
    }
    void shareWith(const QString&, const QString&, const QString&,
                   std::function<void(bool, const QString&)> callback) override
    {
        callback(false, QString());
    }
    void removeShare(const QString&, const QString&, std::function<void(bool)> callback) override
    {
        callback(false);
    }
};

QByteArray groupReply(int members)
{
    QJsonArray list;
    for (int i = 0; i < members; ++i) {
        const QString n = QString::number(i + 1);
        list.append(QJsonObject{
            {QStringLiteral("account_id"), QStringLiteral("acct-") + n},
            {QStringLiteral("display_name"), QStringLiteral("Member ") + n},
            {QStringLiteral("email"), QStringLiteral("member%1@example.org").arg(n)},
            {QStringLiteral("role"), i == 0 ? QStringLiteral("owner") : QStringLiteral("member")},
            {QStringLiteral("joined_at"), QStringLiteral("2025-01-01T00:00:00Z")}});
    }
    const QJsonObject group{{QStringLiteral("id"), QStringLiteral("group-1")},
                            {QStringLiteral("name"), QStringLiteral("Family")},
                            {QStringLiteral("max_seats"), 6},
                            {QStringLiteral("members"), list},
                            {QStringLiteral("pending_invitations"), QJsonArray()}};
    return QJsonDocument(group).toJson(QJsonDocument::Compact);
}

int shareButtons(const QWidget* dialog)
{
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    return static_cast<int>(std::count_if(buttons.begin(), buttons.end(), [](QPushButton* button) {
        return button->text() == QLatin1String("Share");
    }));
}

// The longest event-loop block while the group page, and then the share dialog, open and show
// the group of `members`; negative when one never settled.
double longestBlock(EventLoopBlocks& app, FakeAccountService& service, Client& client, int members)
{
    service.setCannedReply("GET", QStringLiteral("/group"), 200, groupReply(members));
    std::unique_ptr<QWidget> window;
    bool pageShown = false;
    app.reset();
    const bool pageSettled = app.run(
        [&] {
            window = std::make_unique<QWidget>();
            auto* layout = new QVBoxLayout(window.get());
            auto* status = new AccountStatusLine(window.get());
            auto* page = new AccountGroupPage(&client, status, window.get(), window.get());
            layout->addWidget(page, 1);
            layout->addWidget(status);
            QObject::connect(page, &AccountGroupPage::ownershipMayHaveChanged, page,
                             [&pageShown] { pageShown = true; });
            window->resize(640, 560);
            window->show();
            page->refresh();
        },
        [&pageShown] { return pageShown; }, 120000);
    if (!pageSettled)
        return -1;
    const double pageMs = app.longestMs();

    NobodySharedBackend backend;
    ShareMembersDialog::Texts texts;
    texts.title = QStringLiteral("Share Calendar");
    std::unique_ptr<ShareMembersDialog> dialog;
    app.reset();
    const bool dialogSettled = app.run(
        [&] {
            dialog = std::make_unique<ShareMembersDialog>(&client, &backend,
                                                          QStringLiteral("calendar"), texts);
            dialog->show();
        },
        [&dialog] { return dialog && shareButtons(dialog.get()) > 0; }, 120000);
    if (!dialogSettled)
        return -1;
    return std::max(pageMs, app.longestMs());
}

} // namespace

bool members(EventLoopBlocks& app)
{
    CredentialBackend::setDefaultBackend(std::make_shared<MemoryCredentialBackend>());
    FakeAccountService service;
    service.exportEnvironment();
    Client client(Client::withEnvironmentOverrides(
        {QStringLiteral("https://auth.invalid"), QStringLiteral("unused-realm"),
         QStringLiteral("https://account.invalid/account/v1"), QStringLiteral("unused-client"),
         QStringLiteral("org.bench.calendar"), QStringLiteral("Orvandellic Calendar"),
         QStringLiteral("1.3.1"), QString(), QStringLiteral("https://portal.invalid")}));
    client.tokenManager()->setTokens(service.mintAccessToken(24 * 3600),
                                     service.mintRefreshToken());
    client.initialize();

    // A first round warms the fonts, the style and the connection; then the best of a few
    // rounds of each size, side by side.
    if (longestBlock(app, service, client, ordinaryMembers) < 0)
        return false;
    double ordinary = 1e300;
    double extreme = 1e300;
    for (int round = 0; round < rounds; ++round) {
        const double small = longestBlock(app, service, client, ordinaryMembers);
        const double large = longestBlock(app, service, client, extremeMembers);
        if (small < 0 || large < 0) {
            std::printf("members: the group page or the share dialog never settled\n");
            return false;
        }
        ordinary = std::min(ordinary, small);
        extreme = std::min(extreme, large);
    }
    std::printf("  members: longest block %.1f ms for %d members, %.1f ms for %d\n", extreme,
                extremeMembers, ordinary, ordinaryMembers);
    std::printf("members ratio %.2f (target <= 3)\n", extreme / std::max(ordinary, 0.001));
    return true;
}

} // namespace LargeInput
