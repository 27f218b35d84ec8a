#include "ShownText.h"

#include <QTest>

class TestShownText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bounded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("short text whole") << "Lunch" << 5 << "Lunch";
        QTest::newRow("longer text cut, with an ellipsis") << "Lunch break" << 5 << "Lunch" + ellipsis;
        QTest::newRow("never half a surrogate pair")
            << QString("ab") + QString::fromUtf8("\xF0\x9F\x8E\x89") + "cd" << 3 << "ab" + ellipsis;
        QTest::newRow("a pair that fits is kept")
            << QString("ab") + QString::fromUtf8("\xF0\x9F\x8E\x89") + "cd" << 4
            << QString("ab") + QString::fromUtf8("\xF0\x9F\x8E\x89") + ellipsis;
        QTest::newRow("bound below one is one") << "xyz" << 0 << "x" + ellipsis;
    }

    void bounded()
    {
        QFETCH(QString, text);
        QFETCH(int, maxChars);
        QFETCH(QString, shown);
        QCOMPARE(ShownText::bounded(text, maxChars), shown);
    }
};

QTEST_GUILESS_MAIN(TestShownText)
#include "tst_showntext.moc"
