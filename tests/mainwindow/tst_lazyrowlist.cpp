#include "GuiEnvironment.h"
#include "LazyRowList.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

// A list of rows in a scroll area 300 px high. Row i shows the text of its key and is as tall as
// `heightOf` says; `costMs` is how long making one takes, to stand in for a slow machine.
struct Rows
{
    QScrollArea area;
    LazyRowList* list = nullptr;
    QVector<quint64> keys;
    std::function<int(quint64 key)> heightOf = [](quint64) { return 30; };
    int costMs = 0;
    int builds = 0;

    Rows()
    {
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list = new LazyRowList(&area);
        area.resize(320, 300);
        area.show();
    }

    void set(const QVector<quint64>& shown)
    {
        keys = shown;
        list->setRows(keys, QVector<quint8>(keys.size(), 0), [this](int index) {
            ++builds;
            QElapsedTimer spent;
            spent.start();
            while (spent.elapsed() < costMs) {
            }
            auto* row = new QLabel(QString::number(keys[index]));
            row->setFixedHeight(heightOf(keys[index]));
            return row;
        });
    }

    bool settled() const
    {
        return QTest::qWaitFor([this] { return !list->isFilling(); });
    }

    QScrollBar* bar() const { return area.verticalScrollBar(); }

    // The built row that shows `key`, if any.
    QLabel* rowOf(quint64 key) const
    {
        for (QLabel* row : list->findChildren<QLabel*>()) {
            if (row->text() == QString::number(key) && !row->isHidden())
                return row;
        }
        return nullptr;
    }

    // Whether the row lies wholly inside the part of the list the view shows.
    bool wholeInView(const QWidget* row) const
    {
        const int top = bar()->value();
        return row && row->isVisible() && row->geometry().top() >= top &&
               row->geometry().bottom() < top + area.viewport()->height();
    }
};

QVector<quint64> range(quint64 from, quint64 to)
{
    QVector<quint64> keys;
    for (quint64 key = from; key < to; ++key)
        keys.append(key);
    return keys;
}

} // namespace

class TestLazyRowList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Setting rows again keeps every built row whose key is listed again, however slow a pass
    // runs: new rows wait their turn, kept rows are taken in the turn they are reached, and only
    // the new ones are made.
    void keepsTheRowsListedAgain_data()
    {
        QTest::addColumn<QVector<quint64>>("second");
        QTest::addColumn<int>("made");
        QTest::newRow("the same rows") << range(100, 140) << 0;
        QTest::newRow("one new row above, slow") << (QVector<quint64>{1} + range(100, 140)) << 1;
        QTest::newRow("three new rows above, slow")
            << (QVector<quint64>{1, 2, 3} + range(100, 140)) << 3;
        QTest::newRow("rows between, slow")
            << (range(100, 103) + QVector<quint64>{1, 2} + range(103, 140)) << 2;
    }

    void keepsTheRowsListedAgain()
    {
        QFETCH(QVector<quint64>, second);
        QFETCH(int, made);
        Rows rows;
        // Each row takes longer to make than a turn may spend.
        rows.costMs = 12;
        rows.set(range(100, 140));
        QVERIFY(rows.settled());
        QHash<quint64, QPointer<QLabel>> before;
        for (const quint64 key : range(100, 140)) {
            if (QLabel* row = rows.rowOf(key))
                before.insert(key, row);
        }
        QVERIFY(before.size() >= 10);

        rows.builds = 0;
        rows.set(second);
        QVERIFY(rows.settled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (rows.wholeInView(rows.rowOf(it.key())))
                QVERIFY2(it.value() && rows.rowOf(it.key()) == it.value(),
                         qPrintable(QString::number(it.key())));
        }
        QCOMPARE(rows.builds, made);
        // Rows of the earlier list nobody took are gone, not left lying under the new ones.
        QVERIFY(rows.list->findChildren<QLabel*>().size() < 40);
    }

    // Whatever the rows measure against what was guessed of them, the row asked for is built
    // and lies wholly in view: the last one scrolled to with the bar, and those showRow brings.
    void bringsTheRowIntoView_data()
    {
        QTest::addColumn<int>("firstHeight");
        QTest::addColumn<int>("otherHeight");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("index");
        QTest::newRow("end by the bar, rows taller than guessed") << 20 << 45 << "bar" << 199;
        QTest::newRow("end by the bar, rows shorter than guessed") << 60 << 25 << "bar" << 199;
        QTest::newRow("showRow down, taller") << 20 << 45 << "showRow" << 150;
        QTest::newRow("showRow to the end, taller") << 20 << 45 << "showRow" << 199;
        QTest::newRow("showRow up again, taller") << 20 << 45 << "showRow back" << 40;
    }

    void bringsTheRowIntoView()
    {
        QFETCH(int, firstHeight);
        QFETCH(int, otherHeight);
        QFETCH(QString, how);
        QFETCH(int, index);
        Rows rows;
        rows.heightOf = [&](quint64 key) { return key == 1000 ? firstHeight : otherHeight; };
        rows.set(range(1000, 1200));
        QVERIFY(rows.settled());
        QWidget* row = nullptr;
        if (how == QLatin1String("bar")) {
            rows.bar()->setValue(rows.bar()->maximum());
            QVERIFY(rows.settled());
            row = rows.rowOf(1000 + index);
        } else {
            if (how == QLatin1String("showRow back"))
                rows.list->showRow(199);
            row = rows.list->showRow(index);
            QCOMPARE(row, rows.rowOf(1000 + index));
        }
        QVERIFY(row);
        QVERIFY(rows.wholeInView(row));
        QVERIFY(rows.settled());
        QVERIFY(rows.wholeInView(row));
    }
};

QTEST_MAIN(TestLazyRowList)
#include "tst_lazyrowlist.moc"
