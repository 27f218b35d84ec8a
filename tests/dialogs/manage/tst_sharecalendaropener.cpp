#include "AuthClient.h"
#include "CalendarRepository.h"
#include "Client.h"
#include "CloudTesting.h"
#include "GuiEnvironment.h"
#include "ManageSourcesDialog.h"
#include "OrvandellicSyncClient.h"
#include "ShareMembersDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QPushButton* shareButton(QWidget& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Share…"))
            return button;
    }
    return nullptr;
}

bool select(QTreeWidget* tree, const QString& name)
{
    const QList<QTreeWidgetItem*> found =
        tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive, 0);
    if (found.isEmpty())
        return false;
    tree->setCurrentItem(found.first());
    return true;
}

} // namespace

// The Calendar Accounts dialog opens the share dialog of a cloud calendar, and of nothing else.
class TestShareCalendarOpener : public QObject
{
    Q_OBJECT

private:
    CloudWorld m_world;

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }
    void init() { QVERIFY(m_world.start({QStringLiteral("cal-a")})); }
    void cleanup() { m_world.stop(); }

    void shareOpensForACloudCalendarOnly()
    {
        Orvandellic::SyncClient client(m_world.state(),
                                       m_world.state()->accountClient()->syncApiClient());
        QSignalSpy pulled(&client, &Orvandellic::SyncClient::calendarListPulled);
        client.pullCalendarList();
        QTRY_COMPARE_WITH_TIMEOUT(pulled.size(), 1, 10000);

        ManageSourcesDialog dialog(m_world.state(), nullptr);
        auto* tree = dialog.findChild<QTreeWidget*>();
        QPushButton* share = shareButton(dialog);
        QVERIFY(share);
        QVERIFY(!share->isEnabled());
        QVERIFY(select(tree, QStringLiteral("Cloud cal-a")));
        QVERIFY(share->isEnabled());
        share->click();
        auto* opened = dialog.findChild<OrvaAccount::ShareMembersDialog*>();
        QVERIFY(opened);
        QVERIFY(opened->isVisible());
        QVERIFY(opened->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(opened->windowTitle(), QStringLiteral("Share Calendar"));
        // The owner is the user: nobody else has access yet.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QLabel* label : opened->findChildren<QLabel*>()) {
                    if (label->text() == QStringLiteral("Not shared with anyone yet."))
                        return true;
                }
                return false;
            }(),
            10000);
        QCOMPARE(m_world.cloud->count("GET", QStringLiteral("/calendars/cal-a/members")), 1);
        opened->close();

        // Signed out, nothing is shared.
        m_world.state()->accountClient()->authClient()->logout();
        tree->setCurrentItem(nullptr);
        QVERIFY(select(tree, QStringLiteral("Cloud cal-a")));
        QVERIFY(!share->isEnabled());
    }
};

QTEST_MAIN(TestShareCalendarOpener)
#include "tst_sharecalendaropener.moc"
