#include "UndoStack.h"

#include <QSignalSpy>
#include <QTest>

class TestUndoStack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undoRevertsLatestFirst();
    void keepsOnlyTheLatestTwenty();
    void emptyStackAndEmptyEntriesEmitNothing();
    void entryPushedWhileUndoingLandsAfterIt();
};

namespace {

UndoStack::Entry entry(const QString& summary, QStringList* log)
{
    return {summary, [summary, log] { log->append(summary); }};
}

} // namespace

void TestUndoStack::undoRevertsLatestFirst()
{
    UndoStack stack;
    QStringList log;
    QSignalSpy changed(&stack, &UndoStack::changed);
    QSignalSpy undone(&stack, &UndoStack::undone);

    stack.push(entry(QStringLiteral("Moved \"A\""), &log));
    stack.push(entry(QStringLiteral("Resized \"B\""), &log));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(stack.nextSummary(), QStringLiteral("Resized \"B\""));

    // changed comes before undone, and the callable has run by then.
    QStringList order;
    connect(&stack, &UndoStack::changed, this, [&] { order << QStringLiteral("changed"); });
    connect(&stack, &UndoStack::undone, this,
            [&](const QString& s) { order << QStringLiteral("undone ") + s; });
    stack.undo();
    stack.undo();
    QCOMPARE(log, QStringList({QStringLiteral("Resized \"B\""), QStringLiteral("Moved \"A\"")}));
    QCOMPARE(order, QStringList({QStringLiteral("changed"), QStringLiteral("undone Resized \"B\""),
                                 QStringLiteral("changed"), QStringLiteral("undone Moved \"A\"")}));
    QVERIFY(!stack.canUndo());
    QCOMPARE(undone.count(), 2);
}

void TestUndoStack::keepsOnlyTheLatestTwenty()
{
    UndoStack stack;
    QStringList log;
    for (int i = 1; i <= 21; ++i)
        stack.push(entry(QString::number(i), &log));
    QCOMPARE(stack.count(), 20);
    while (stack.canUndo())
        stack.undo();
    QCOMPARE(log.size(), 20);
    QCOMPARE(log.constFirst(), QStringLiteral("21"));
    QCOMPARE(log.constLast(), QStringLiteral("2"));
}

void TestUndoStack::emptyStackAndEmptyEntriesEmitNothing()
{
    UndoStack stack;
    QSignalSpy changed(&stack, &UndoStack::changed);
    QSignalSpy undone(&stack, &UndoStack::undone);
    stack.undo();
    stack.push({QStringLiteral("Deleted \"X\""), {}});
    QCOMPARE(stack.count(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(undone.count(), 0);
    QCOMPARE(stack.nextSummary(), QString());
}

void TestUndoStack::entryPushedWhileUndoingLandsAfterIt()
{
    UndoStack stack;
    QStringList log;
    stack.push(entry(QStringLiteral("first"), &log));
    stack.push({QStringLiteral("second"), [&] {
                    QCOMPARE(stack.count(), 1);
                    stack.push(entry(QStringLiteral("pushed by undo"), &log));
                }});
    stack.undo();
    QCOMPARE(stack.count(), 2);
    QCOMPARE(stack.nextSummary(), QStringLiteral("pushed by undo"));
    stack.undo();
    stack.undo();
    QCOMPARE(log, QStringList({QStringLiteral("pushed by undo"), QStringLiteral("first")}));
}

QTEST_GUILESS_MAIN(TestUndoStack)
#include "tst_undostack.moc"
