#include "FirstFrameWait.h"
#include "GuiEnvironment.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

class TestFirstFrameWait : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Work handed over while the window is shown but not yet on screen waits for the first frame
    // and then runs once, the latest of it only; work for a window on screen, or for a widget
    // not shown, runs at once.
    void heldWorkRunsOnceAfterTheFirstFrame()
    {
        QWidget window;
        window.resize(200, 100);
        FirstFrameWait wait(&window);
        QStringList ran;

        wait.run([&] { ran.append(QStringLiteral("hidden")); });
        QCOMPARE(ran, QStringList{"hidden"});

        window.show();
        QVERIFY(!window.windowHandle()->isExposed());
        wait.run([&] { ran.append(QStringLiteral("first")); });
        wait.run([&] { ran.append(QStringLiteral("second")); });
        QVERIFY(wait.isWaiting());
        QCOMPARE(ran, QStringList{"hidden"});

        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(ran, (QStringList{"hidden", "second"}));
        QVERIFY(!wait.isWaiting());

        // Later frames bring nothing back.
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);
        QCOMPARE(ran, (QStringList{"hidden", "second"}));

        wait.run([&] { ran.append(QStringLiteral("on screen")); });
        QCOMPARE(ran, (QStringList{"hidden", "second", "on screen"}));
    }
};

QTEST_MAIN(TestFirstFrameWait)
#include "tst_firstframewait.moc"
