#include "AppStateFixture.h"
#include "FakeTrayIcon.h"
#include "Limits.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "TrayManager.h"
#include "TrayTesting.h"
#include "WinTrayPopover.h"

#include <QMenu>
#include <QTest>

using TrayTesting::addEvent;
using TrayTesting::local;

class TestTrayManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tooltipNamesTheNextEvent_data();
    void tooltipNamesTheNextEvent();
    void badgeFollowsTheSyncState();
    void menuAndClicks();
};

void TestTrayManager::tooltipNamesTheNextEvent_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDateTime>("start"); // invalid: no event
    QTest::addColumn<QDateTime>("end");   // invalid: all day
    QTest::addColumn<bool>("use24Hour");
    QTest::addColumn<QString>("syncError"); // null: no failed sync
    QTest::addColumn<QString>("expected");  // after "Orvandellic Calendar — "

    const QDateTime at14 = local(11, 14);
    const QDateTime at15 = local(11, 15);
    QTest::newRow("today, 24-hour")
        << "Standup" << at14 << at15 << true << QString() << "Next: Standup at 14:00";
    QTest::newRow("today, 12-hour")
        << "Standup" << at14 << at15 << false << QString() << "Next: Standup at 2:00 PM";
    QTest::newRow("tomorrow") << "Standup" << local(12, 14) << local(12, 15) << true << QString()
                              << "Next: Standup tomorrow at 14:00";
    QTest::newRow("started yesterday, still running")
        << "Night shift" << local(10, 23) << local(11, 11) << true << QString()
        << "Next: Night shift Tue, Mar 10 23:00";
    QTest::newRow("untitled") << "" << at14 << at15 << true << QString()
                              << "Next: Untitled at 14:00";
    QTest::newRow("all-day today") << "Holiday" << local(11, 0) << QDateTime() << true << QString()
                                   << "Next: Holiday (today, all day)";
    // Tomorrow's holiday stays tomorrow's in every zone, west of UTC too.
    QTest::newRow("all-day tomorrow") << "Holiday" << local(12, 0) << QDateTime() << true
                                      << QString() << "Next: Holiday (tomorrow, all day)";
    QTest::newRow("nothing ahead")
        << QString() << QDateTime() << QDateTime() << true << QString() << "No upcoming events";
    QTest::newRow("sync failed with a reason") << "Standup" << at14 << at15 << true << "timed out"
                                               << "Sync failed: timed out";
    const QString longText = QStringLiteral("Standup ") + QString(Limits::maxRowTextChars, u's');
    const QString shown = longText.left(Limits::maxRowTextChars) + QChar(0x2026);
    QTest::newRow("long title: a row's length")
        << longText << at14 << at15 << true << QString() << "Next: " + shown + " at 14:00";
    QTest::newRow("long sync failure: a row's length")
        << "Standup" << at14 << at15 << true << longText << "Sync failed: " + shown;
    QTest::newRow("sync failed without a reason") << "Standup" << at14 << at15 << true << ""
                                                  << "Last sync failed";
}

void TestTrayManager::tooltipNamesTheNextEvent()
{
    QFETCH(QString, title);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(bool, use24Hour);
    QFETCH(QString, syncError);
    QFETCH(QString, expected);

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    state->preferences()->set("ui/timeFormat", use24Hour ? "24" : "12");
    if (start.isValid())
        QVERIFY(!addEvent(state, title, start, end, !end.isValid()).isEmpty());
    if (!syncError.isNull()) {
        state->beginSync();
        state->setLastSyncError(QStringLiteral("calendar-1"), syncError);
        state->endSync(true);
    }
    TrayManager tray(state, nullptr, nullptr);
    auto* icon = new FakeTrayIcon;
    tray.setup(icon);
    QCOMPARE(icon->toolTip(), QStringLiteral("Orvandellic Calendar — ") + expected);
}

void TestTrayManager::badgeFollowsTheSyncState()
{
    const QIcon base(QStringLiteral(":/icons/app-icon.png"));
    const QIcon badged = TrayManager::badgedIcon(base, TrayManager::errorColour);
    for (int size : {16, 24, 32, 48}) {
        const QImage image = badged.pixmap(size, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        const int d = std::max(size * 38 / 100, 6);
        // The badge sits in the bottom-right corner; the top-left is the plain icon.
        const QColor centre = image.pixelColor(size - d + (d - 1) / 2, size - d + (d - 1) / 2);
        QVERIFY2(qAbs(centre.red() - 229) < 30 && qAbs(centre.green() - 57) < 30 &&
                     qAbs(centre.blue() - 53) < 30,
                 qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(centre.name())));
        QCOMPARE(image.pixelColor(size / 2, 1),
                 base.pixmap(size, size).toImage().pixelColor(size / 2, 1));
    }

    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    TrayManager tray(state, nullptr, nullptr);
    auto* icon = new FakeTrayIcon;
    tray.setup(icon);
    const auto badgeColour = [icon]() {
        const QImage image = icon->icon().pixmap(32, 32).toImage();
        return image.pixelColor(32 - 12 + 5, 32 - 12 + 5);
    };
    const QColor plain = badgeColour();
    state->beginSync();
    QCOMPARE(badgeColour(), TrayManager::busyColour);
    state->endSync(false);
    QCOMPARE(badgeColour(), plain);
    state->beginSync();
    state->endSync(true);
    QCOMPARE(badgeColour(), TrayManager::errorColour);
    state->beginSync(); // a later sync after a failure keeps the red badge
    QCOMPARE(badgeColour(), TrayManager::errorColour);
}

void TestTrayManager::menuAndClicks()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    fixture.state()->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
    MainWindow window(fixture.state());
    TrayManager tray(fixture.state(), &window, nullptr);
    auto* icon = new FakeTrayIcon;
    tray.setup(icon);
    QVERIFY(icon->isVisible());

    QStringList texts;
    for (QAction* action : icon->contextMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    QCOMPARE(texts, (QStringList{"&Show Calendar", "Sync &Now", "|", "&Quit"}));
    icon->contextMenu()->actions().at(0)->trigger();
    QVERIFY(window.isVisible());

    icon->activate(QSystemTrayIcon::Context);
    QVERIFY(!tray.popover()->isVisible());
    icon->setGeometry(QRect(600, 770, 24, 24));
    icon->activate(QSystemTrayIcon::Trigger);
    QVERIFY(tray.popover()->isVisible());
    // Above the icon, centred on it, inside the screen.
    QCOMPARE(tray.popover()->geometry().left(), icon->geometry().center().x() - 340 / 2);
    QCOMPARE(tray.popover()->geometry().bottom(), icon->geometry().center().y() - 9);
    icon->activate(QSystemTrayIcon::Trigger);
    QVERIFY(!tray.popover()->isVisible());
}

QTEST_MAIN(TestTrayManager)
#include "tst_traymanager.moc"
