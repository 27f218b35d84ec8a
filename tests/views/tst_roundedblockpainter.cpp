#include "RoundedBlockPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cstdlib>

// The block painter must leave the same pixels as Qt's own antialiased rounded rectangle, whatever
// the block's size, radius and colour, and must draw only inside the block.
class TestRoundedBlockPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesDrawRoundedRect_data();
    void matchesDrawRoundedRect();
    void keepsPenAndBrush();
};

namespace {

QImage canvas(const QColor& background)
{
    QImage image(160, 420, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

// The largest difference of any channel of any pixel, and where it is.
int largestDifference(const QImage& a, const QImage& b, QPoint* where)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (d > largest) {
                largest = d;
                *where = QPoint(x, y);
            }
        }
    return largest;
}

} // namespace

void TestRoundedBlockPainter::matchesDrawRoundedRect_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background");

    const QColor translucent(40, 160, 110, 96);
    const QColor white(Qt::white);
    QTest::newRow("only ends") << QRect(10, 10, 120, 8) << 4 << translucent << white;
    QTest::newRow("ends and one row") << QRect(10, 10, 120, 9) << 4 << translucent << white;
    QTest::newRow("short block") << QRect(10, 10, 120, 30) << 4 << translucent << white;
    QTest::newRow("lower than its radii") << QRect(10, 10, 120, 5) << 4 << translucent << white;
    QTest::newRow("one band") << QRect(10, 10, 120, 72) << 4 << translucent << white;
    QTest::newRow("band boundary") << QRect(10, 10, 120, 137) << 4 << translucent << white;
    QTest::newRow("tall block") << QRect(7, 13, 141, 390) << 4 << translucent << white;
    QTest::newRow("stripe, radius wider than it")
        << QRect(7, 13, 3, 300) << 4 << QColor(40, 160, 110) << white;
    QTest::newRow("one pixel wide") << QRect(20, 5, 1, 200) << 4 << translucent << white;
    QTest::newRow("faint on dark")
        << QRect(12, 20, 90, 250) << 4 << QColor(200, 60, 90, 28) << QColor(30, 32, 36);
    QTest::newRow("larger radius") << QRect(10, 10, 100, 300) << 12 << translucent << white;
    QTest::newRow("no radius") << QRect(10, 10, 100, 300) << 0 << translucent << white;
    QTest::newRow("odd height, odd radius")
        << QRect(10, 10, 100, 301) << 5 << QColor(90, 90, 200, 200) << white;
    QTest::newRow("partly outside")
        << QRect(100, 300, 100, 200) << 4 << translucent << QColor(240, 240, 250);
    QTest::newRow("empty") << QRect(10, 10, 0, 300) << 4 << translucent << white;
}

void TestRoundedBlockPainter::matchesDrawRoundedRect()
{
    QFETCH(QRect, rect);
    QFETCH(int, radius);
    QFETCH(QColor, colour);
    QFETCH(QColor, background);

    QImage expected = canvas(background);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(rect, radius, radius);
    }
    QImage actual = canvas(background);
    RoundedBlockPainter blocks;
    {
        QPainter painter(&actual);
        painter.setRenderHint(QPainter::Antialiasing);
        // Twice: the second fill comes from the cached ends.
        QImage scratch = canvas(background);
        QPainter first(&scratch);
        first.setRenderHint(QPainter::Antialiasing);
        blocks.fill(first, rect, radius, colour);
        blocks.fill(painter, rect, radius, colour);
    }
    QPoint where;
    const int difference = largestDifference(expected, actual, &where);
    // One step of rounding is the most the two ways of blending may differ by.
    QVERIFY2(difference <= 1, qPrintable(QStringLiteral("differs by %1 at (%2, %3)")
                                             .arg(difference)
                                             .arg(where.x())
                                             .arg(where.y())));
}

void TestRoundedBlockPainter::keepsPenAndBrush()
{
    QImage image = canvas(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 3));
    painter.setBrush(Qt::blue);
    RoundedBlockPainter blocks;
    blocks.fill(painter, QRect(10, 10, 50, 20), 4, Qt::green);
    blocks.fill(painter, QRect(10, 40, 50, 200), 4, Qt::green);
    QCOMPARE(painter.pen(), QPen(Qt::red, 3));
    QCOMPARE(painter.brush(), QBrush(Qt::blue));
}

QTEST_GUILESS_MAIN(TestRoundedBlockPainter)
#include "tst_roundedblockpainter.moc"
