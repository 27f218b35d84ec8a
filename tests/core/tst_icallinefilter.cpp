#include "IcalLineFilter.h"
#include "IcalScanner.h"
#include "Limits.h"

#include <QTest>

namespace {

const qsizetype bound = Limits::maxIcalendarLineChars;

// The unfolded lines the reader takes from `text`: those it skips as too long are left out.
QStringList readerLines(const QByteArray& text)
{
    const QString decoded = QString::fromUtf8(text);
    IcalScanner scanner(decoded);
    QStringList lines;
    while (scanner.next()) {
        if (!scanner.isTooLong())
            lines << scanner.line().toString();
    }
    return lines;
}

} // namespace

class TestIcalLineFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leavesOutWhatTheReaderSkips_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("kept");

        const QByteArray head = "BEGIN:VEVENT\r\nUID:a\r\n";
        const QByteArray tail = "SUMMARY:b\r\nEND:VEVENT\r\n";
        const QByteArray over = "X-BIG:" + QByteArray(bound - 5, 'x');
        QTest::newRow("over the bound") << QByteArray(head + over + "\r\n" + tail) << head + tail;
        QByteArray folded = "X-BIG:";
        for (qsizetype i = 0; i < bound / 70 + 1; ++i)
            folded += "\r\n " + QByteArray(70, 'x');
        QTest::newRow("over the bound once unfolded")
            << QByteArray(head + folded + "\r\n" + tail) << head + tail;
        QTest::newRow("last line, no break") << QByteArray(head + over) << head;
        const QByteArray at = head + "X-BIG:" + QByteArray(bound - 6, 'x') + "\n" + tail;
        QTest::newRow("at the bound, bare line feed") << at << at;
        QByteArray wide = head + "X-BIG:";
        for (qsizetype i = 0; i < bound / 2; ++i)
            wide += "\xc3\xa9";
        wide += "\r\n" + tail;
        QTest::newRow("more bytes than the bound, fewer characters") << wide << wide;
    }

    void leavesOutWhatTheReaderSkips()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, kept);
        const QStringList expectedLines = readerLines(text);
        for (const qsizetype pieceSize : {qsizetype(7), qsizetype(65536), text.size()}) {
            IcalLineFilter filter;
            QByteArray out;
            for (qsizetype at = 0; at < text.size(); at += pieceSize)
                filter.append(QByteArrayView(text).sliced(at, qMin(pieceSize, text.size() - at)),
                              out);
            QVERIFY2(out == kept, qPrintable(QStringLiteral("pieces of %1").arg(pieceSize)));
            QCOMPARE(readerLines(out), expectedLines);
        }
    }
};

QTEST_GUILESS_MAIN(TestIcalLineFilter)
#include "tst_icallinefilter.moc"
