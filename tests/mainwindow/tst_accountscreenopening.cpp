#include "AccountScreen.h"
#include "AppStateFixture.h"
#include "AuthClient.h"
#include "Client.h"
#include "GuiEnvironment.h"
#include "MainWindow.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "SyncClientFactory.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

class NoClients : public SyncClientFactory
{
public:
    SyncClientHandle* create(Kind, QObject*) override { return nullptr; }
    QString calDavPassword(const QString&) override { return {}; }
    void rediscover(const Account&, const CalDavLogin&, QObject*, DiscoveryDone done) override
    {
        done(false, 0, QStringLiteral("offline"));
    }
};

QAction* accountEntry(MainWindow& window)
{
    for (QAction* menu : window.menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == QStringLiteral("Orvandellic &Account…"))
                return action;
        }
    }
    return nullptr;
}

OrvaAccount::AccountScreen* openScreen()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* screen = qobject_cast<OrvaAccount::AccountScreen*>(widget))
            return screen->isVisible() ? screen : nullptr;
    }
    return nullptr;
}

} // namespace

// File › Orvandellic Account… opens the one account screen of a signed-in user, and its
// sign-out request signs the user out.
class TestAccountScreenOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void openedOnceAndSignsOut()
    {
        AppStateFixture fixture;
        fixture.signIn();
        QVERIFY(fixture.start());
        OrvaAccount::Client* client = fixture.state()->accountClient();
        QVERIFY(client->isAuthenticated());
        fixture.state()->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        MainWindow window(fixture.state(), std::make_unique<NoClients>());
        QAction* entry = accountEntry(window);
        QVERIFY(entry);
        QCOMPARE(entry->statusTip(), QStringLiteral("Manage your account"));

        entry->trigger();
        OrvaAccount::AccountScreen* screen = openScreen();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Orvandellic Account"));
        screen->close();
        QVERIFY(!openScreen());
        entry->trigger();
        QCOMPARE(openScreen(), screen);

        // Deleting the account: once the service agreed and the box is closed, signed out.
        QPushButton* remove = nullptr;
        for (QPushButton* button : screen->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Delete Account"))
                remove = button;
        }
        QVERIFY(remove && remove->isEnabled());
        const auto seen = ModalSeam::run(
            [&] {
                remove->click();
                QVERIFY(QTest::qWaitFor([&] { return !client->isAuthenticated(); }, 10000));
            },
            QList<ModalSeam::Answer>{
                [](QWidget* prompt) {
                    qobject_cast<QInputDialog*>(prompt)->setTextValue(QStringLiteral("DELETE"));
                    ModalSeam::accept(prompt);
                },
                [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); }});
        QCOMPARE(seen.size(), 2);
        QVERIFY(!client->isAuthenticated());
        QVERIFY(!openScreen());
        QCOMPARE(entry->statusTip(), QStringLiteral("Sign in or sign up"));
    }
};

QTEST_MAIN(TestAccountScreenOpening)
#include "tst_accountscreenopening.moc"
