#include "Limits.h"
#include "UndoStack.h"

#include <QSignalSpy>
#include <QTest>

class TestUndoStack : public QObject
{
    Q_OBJECT

private:
    UndoStack m_stack;
    QStringList m_log;

    // An entry whose undo writes its summary to the log.
    UndoStack::Entry entry(const QString& summary)
    {
        return {summary, [this, summary] {
                    m_log.append(summary);
                    return true;
                }};
    }

private Q_SLOTS:
    void init()
    {
        while (m_stack.canUndo())
            m_stack.undo();
        m_log.clear();
    }

    void undoRevertsLatestFirst()
    {
        QSignalSpy changed(&m_stack, &UndoStack::changed);
        m_stack.push(entry(QStringLiteral("Moved \"A\"")));
        m_stack.push(entry(QStringLiteral("Resized \"B\"")));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(m_stack.nextSummary(), QStringLiteral("Resized \"B\""));

        // changed comes before undone, and the callable has run by then.
        QStringList order;
        connect(&m_stack, &UndoStack::changed, this, [&] { order << m_log.join('+'); });
        connect(&m_stack, &UndoStack::undone, this, [&](const QString& s) { order << s; });
        m_stack.undo();
        m_stack.undo();
        disconnect(&m_stack, nullptr, this, nullptr);
        QCOMPARE(order, QStringList({"Resized \"B\"", "Resized \"B\"", "Resized \"B\"+Moved \"A\"",
                                     "Moved \"A\""}));
        QVERIFY(!m_stack.canUndo());
    }

    void keepsOnlyTheLatestTwenty()
    {
        for (int i = 1; i <= 21; ++i)
            m_stack.push(entry(QString::number(i)));
        QCOMPARE(m_stack.count(), 20);
        while (m_stack.canUndo())
            m_stack.undo();
        QCOMPARE(m_log.size(), 20);
        QCOMPARE(m_log.constFirst(), QStringLiteral("21"));
        QCOMPARE(m_log.constLast(), QStringLiteral("2"));
    }

    void emptyStackAndEmptyEntriesEmitNothing()
    {
        QSignalSpy changed(&m_stack, &UndoStack::changed);
        QSignalSpy undone(&m_stack, &UndoStack::undone);
        m_stack.undo();
        m_stack.push({QStringLiteral("Deleted \"X\""), {}});
        QCOMPARE(m_stack.count(), 0);
        QCOMPARE(changed.count() + undone.count(), 0);
        QCOMPARE(m_stack.nextSummary(), QString());
    }

    void summaryOfAMegabyteTitleIsShortened()
    {
        const QString summary = QStringLiteral("Moved \"%1\"").arg(QString(1'000'000, u'x'));
        QSignalSpy undone(&m_stack, &UndoStack::undone);
        m_stack.push(entry(summary));
        QCOMPARE(m_stack.nextSummary().size(), Limits::maxRowTextChars + 1);
        QVERIFY(m_stack.nextSummary().startsWith(summary.left(Limits::maxRowTextChars)));
        QVERIFY(m_stack.nextSummary().endsWith(QChar(0x2026)));
        m_stack.undo();
        QCOMPARE(undone.at(0).at(0).toString().size(), Limits::maxRowTextChars + 1);
    }

    void entryPushedWhileUndoingLandsAfterIt()
    {
        m_stack.push(entry(QStringLiteral("first")));
        int heldWhileUndoing = -1;
        m_stack.push({QStringLiteral("second"), [this, &heldWhileUndoing] {
                          heldWhileUndoing = m_stack.count();
                          m_stack.push(entry(QStringLiteral("pushed by undo")));
                          return true;
                      }});
        m_stack.undo();
        QCOMPARE(heldWhileUndoing, 1);
        QCOMPARE(m_stack.count(), 2);
        QCOMPARE(m_stack.nextSummary(), QStringLiteral("pushed by undo"));
        m_stack.undo();
        m_stack.undo();
        QCOMPARE(m_log, QStringList({"pushed by undo", "first"}));
    }
};

QTEST_GUILESS_MAIN(TestUndoStack)
#include "tst_undostack.moc"
