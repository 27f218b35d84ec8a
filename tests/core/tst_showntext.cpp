#include "Limits.h"
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

    void replyLine_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("line");
        const int bound = Limits::maxReplyLineChars;
        QTest::newRow("the first line, blank ones skipped, of the bound whole")
            << "\r\n \t\r\n " + QByteArray(bound, 'z') + " \r\n<body>" << QString(bound, u'z');
        QTest::newRow("a megabyte line of two-byte characters cut on a character")
            << QByteArray("\xC3\xA9").repeated(512 * 1024)
            << QString(bound, QChar(0xE9)) + QChar(0x2026);
        QTest::newRow("blank body") << QByteArray(" \r\n\n ") << "";
    }

    void replyLine()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, line);
        QCOMPARE(ShownText::replyLine(body), line);
    }

    void loggedNames()
    {
        QStringList names(Limits::maxNamesPerLogLine + 2, QStringLiteral("c"));
        names[1] = QString(1024 * 1024, u'n');
        const QString line = ShownText::loggedNames(names);
        QVERIFY(line.startsWith(QStringLiteral("\"c\", \"%1\u2026\", \"c\"")
                                    .arg(QString(Limits::maxRowTextChars, u'n'))));
        QVERIFY(line.endsWith(QStringLiteral("\"c\", and 2 more")));
    }
};

QTEST_GUILESS_MAIN(TestShownText)
#include "tst_showntext.moc"
