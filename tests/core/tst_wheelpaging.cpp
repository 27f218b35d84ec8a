#include "WheelPaging.h"

#include <QTest>

Q_DECLARE_METATYPE(WheelPaging::Target)

class TestWheelPaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesPeriod_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<WheelPaging::Target>("target");
        QTest::addColumn<bool>("pages");
        const WheelPaging::Target mainWindow{true, false, false};
        QTest::newRow("horizontal in the main window") << 120 << 0 << mainWindow << true;
        QTest::newRow("diagonal, horizontal wins a tie") << -120 << 120 << mainWindow << true;
        QTest::newRow("mostly vertical") << 60 << 120 << mainWindow << false;
        QTest::newRow("no horizontal delta") << 0 << 0 << mainWindow << false;
        QTest::newRow("another window")
            << 120 << 0 << WheelPaging::Target{false, false, false} << false;
        QTest::newRow("modal dialog open")
            << 120 << 0 << WheelPaging::Target{true, true, false} << false;
        QTest::newRow("scroll area that scrolls sideways")
            << 120 << 0 << WheelPaging::Target{true, false, true} << false;
    }
    void pagesPeriod()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(WheelPaging::Target, target);
        QTEST(WheelPaging::pagesPeriod(x, y, target), "pages");
    }

    void accumulates_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("remainder");
        QTest::newRow("two notches right step back once") << QList<int>{120, 120} << -1 << 0;
        QTest::newRow("a turn of direction resets") << QList<int>{120, -120} << 0 << -120;
        QTest::newRow("-480 at once steps forward twice") << QList<int>{-480} << 2 << 0;
        QTest::newRow("one notch waits") << QList<int>{-120} << 0 << -120;
        QTest::newRow("small deltas add up") << QList<int>{-100, -100, -100} << 1 << -60;
    }
    void accumulates()
    {
        QFETCH(QList<int>, deltas);
        int accumulator = 0;
        int steps = 0;
        for (int delta : deltas)
            steps += WheelPaging::addDelta(accumulator, delta);
        QTEST(steps, "steps");
        QTEST(accumulator, "remainder");
    }
};

QTEST_GUILESS_MAIN(TestWheelPaging)
#include "tst_wheelpaging.moc"
