#include "ViewGrid.h"

#include <QTest>

class TestViewGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void weekGridColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::newRow("1760") << 1760 << 8;
        QTest::newRow("1759") << 1759 << 4;
        QTest::newRow("880") << 880 << 4;
        QTest::newRow("879") << 879 << 2;
        QTest::newRow("440") << 440 << 2;
        QTest::newRow("439") << 439 << 1;
    }
    void weekGridColumns()
    {
        QFETCH(int, width);
        QTEST(ViewGrid::weekGridColumns(width), "columns");
    }

    void weekGridCards_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("card");
        QTest::newRow("4 columns, first") << QSize(900, 300) << 0 << QRect(3, 3, 219, 144);
        QTest::newRow("4 columns, second row") << QSize(900, 300) << 5 << QRect(228, 153, 219, 144);
        QTest::newRow("8 columns, last") << QSize(1760, 400) << 7 << QRect(1543, 3, 214, 394);
        // One column: eight rows of at least 120 px, running below the widget.
        QTest::newRow("1 column keeps 120 px") << QSize(300, 400) << 7 << QRect(3, 843, 294, 114);
    }
    void weekGridCards()
    {
        QFETCH(QSize, size);
        QFETCH(int, index);
        QTEST(ViewGrid::weekGridCard(index, size), "card");
    }

    void lineCapacity_data()
    {
        QTest::addColumn<int>("cardHeight");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("shown");
        QTest::newRow("comfortable 114, three events") << 114 << false << 3 << 2 << 1;
        QTest::newRow("comfortable 114, two fit") << 114 << false << 2 << 2 << 2;
        QTest::newRow("compact 114") << 114 << true << 3 << 3 << 3;
        QTest::newRow("too low for a line") << 40 << false << 4 << 0 << 0;
        QTest::newRow("one line fits, two events") << 73 << false << 2 << 1 << 0;
    }
    void lineCapacity()
    {
        QFETCH(int, cardHeight);
        QFETCH(bool, compact);
        QFETCH(int, count);
        const int capacity = ViewGrid::weekGridCapacity(cardHeight, compact);
        QTEST(capacity, "capacity");
        QTEST(ViewGrid::shownLines(count, capacity), "shown");
    }

    void monthFit_data()
    {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("fit");
        QTest::addColumn<int>("shown");
        QTest::newRow("100 px, three fit") << 100 << false << 3 << 3 << 3;
        QTest::newRow("100 px, four events: two and +2") << 100 << false << 4 << 3 << 2;
        QTest::newRow("100 px compact") << 100 << true << 6 << 5 << 4;
        QTest::newRow("negative room") << 10 << true << 1 << 0 << 0;
    }
    void monthFit()
    {
        QFETCH(int, cellHeight);
        QFETCH(bool, compact);
        QFETCH(int, count);
        const int fit = ViewGrid::monthChipFit(cellHeight, compact);
        QTEST(fit, "fit");
        QTEST(ViewGrid::shownLines(count, fit), "shown");
    }

    void miniMonthCells_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QRect>("cell");
        QTest::newRow("240: first column one wider") << 240 << 0 << 0 << QRect(4, 66, 34, 34);
        QTest::newRow("240: second column") << 240 << 0 << 1 << QRect(38, 66, 33, 34);
        QTest::newRow("240: last cell ends at 236") << 240 << 5 << 6 << QRect(203, 236, 33, 34);
        QTest::newRow("narrow widget") << 4 << 0 << 3 << QRect(4, 66, 0, 34);
    }
    void miniMonthCells()
    {
        QFETCH(int, width);
        QFETCH(int, row);
        QFETCH(int, column);
        QTEST(ViewGrid::miniMonthCell(width, row, column), "cell");
    }

    // A busy day's dot keeps clear of the day number: under it while the cell is tall enough,
    // beside it in a short cell, and behind it (a tint) when there is no room at all.
    void yearBusyDot_data()
    {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("number");
        QTest::addColumn<int>("place");
        QTest::addColumn<QPointF>("centre");

        const auto below = int(ViewGrid::YearDot::Place::Below);
        const auto beside = int(ViewGrid::YearDot::Place::Beside);
        const auto behind = int(ViewGrid::YearDot::Place::Behind);
        QTest::newRow("tall cell: 4 px above its bottom")
            << QRect(100, 200, 40, 34) << QRect(113, 211, 14, 9) << below << QPointF(119.5, 229);
        QTest::newRow("shorter: right under the number")
            << QRect(100, 200, 40, 22) << QRect(113, 207, 14, 9) << below << QPointF(119.5, 219);
        QTest::newRow("short and wide: beside the number")
            << QRect(100, 200, 26, 15) << QRect(106, 203, 14, 9) << beside << QPointF(123, 207.5);
        QTest::newRow("short and narrow: behind it")
            << QRect(100, 200, 18, 11) << QRect(102, 201, 14, 9) << behind << QPointF(108.5, 205.5);
    }

    void yearBusyDot()
    {
        QFETCH(QRect, cell);
        QFETCH(QRect, number);
        const ViewGrid::YearDot dot = ViewGrid::yearBusyDot(cell, number, 2);
        QTEST(int(dot.place), "place");
        QTEST(dot.centre, "centre");
        if (dot.place != ViewGrid::YearDot::Place::Behind) {
            const QRectF disc(dot.centre - QPointF(2, 2), QSizeF(4, 4));
            QVERIFY(!disc.intersects(QRectF(number)));
            QVERIFY(QRectF(cell).contains(disc));
        }
    }
};

QTEST_GUILESS_MAIN(TestViewGrid)
#include "tst_viewgrid.moc"
