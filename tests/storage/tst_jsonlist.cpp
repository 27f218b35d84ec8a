#include "JsonList.h"

#include <QTest>

// The JSON list text of task categories, template reminders and the like: written compact, read
// without ever failing.
class TestJsonList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the stored text, the lists read from it, and whether writing those lists gives
    // the text back.
    void storedTextReads_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("strings");
        QTest::addColumn<QList<int>>("ints");
        QTest::addColumn<bool>("roundTrips");
        QTest::newRow("empty array") << "[]" << QStringList() << QList<int>() << true;
        QTest::newRow("empty text") << "" << QStringList() << QList<int>() << false;
        QTest::newRow("object") << R"({"a":5})" << QStringList() << QList<int>() << false;
        QTest::newRow("not json") << "15, 30" << QStringList() << QList<int>() << false;
        QTest::newRow("mixed elements")
            << R"(["Work",5,null])" << QStringList{"Work", "", ""} << QList<int>{5} << false;
        QTest::newRow("strings") << R"(["Work","Home office","x,y","Büro"])"
                                 << QStringList{"Work", "Home office", "x,y", "Büro"}
                                 << QList<int>() << true;
        QTest::newRow("escapes") << "[\"say \\\"hi\\\"\",\"c\\\\d\"]"
                                 << QStringList{"say \"hi\"", "c\\d"} << QList<int>() << true;
        QTest::newRow("numbers") << "[10,60]" << QStringList{"", ""} << QList<int>{10, 60} << true;
    }

    void storedTextReads()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, strings);
        QFETCH(QList<int>, ints);
        QFETCH(bool, roundTrips);
        QCOMPARE(JsonList::toStrings(stored), strings);
        QCOMPARE(JsonList::toInts(stored), ints);
        if (roundTrips)
            QCOMPARE(ints.isEmpty() ? JsonList::fromStrings(strings) : JsonList::fromInts(ints),
                     stored);
    }
};

QTEST_GUILESS_MAIN(TestJsonList)
#include "tst_jsonlist.moc"
