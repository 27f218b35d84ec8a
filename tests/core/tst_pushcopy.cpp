#include "PushCopy.h"

#include <QTest>
#include <QTimeZone>

#include <climits>

// A push builds a row over the server's newest copy: the copy's text, and a SEQUENCE that never
// goes below the copy's and passes it when the row moves the item in time or changes its rule.
class TestPushCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sequence_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("server");
        QTest::addColumn<int>("expected");
        QTest::newRow("title over a newer copy") << "title" << 1 << 7 << 7;
        QTest::newRow("a save here already past the copy") << "title" << 8 << 7 << 8;
        QTest::newRow("moved start") << "start" << 0 << 1 << 2;
        QTest::newRow("same instant in another zone") << "zone" << 0 << 1 << 1;
        QTest::newRow("exclusions in another order") << "exdateOrder" << 2 << 2 << 2;
        QTest::newRow("exclusion added") << "exdate" << 2 << 2 << 3;
        QTest::newRow("task due moved") << "due" << 5 << 9 << 10;
        QTest::newRow("moved under the largest copy") << "start" << 2 << INT_MAX << INT_MAX;
        QTest::newRow("task moved under the largest copy") << "due" << 2 << INT_MAX << INT_MAX;
    }

    void sequence()
    {
        QFETCH(QString, change);
        QFETCH(int, local);
        QFETCH(int, server);
        const QDateTime nine(QDate(2026, 4, 1), QTime(9, 0), QTimeZone::utc());
        Event copy;
        copy.startTime = nine;
        copy.exceptionDates = QStringLiteral("[\"20260402T090000Z\",\"20260403T090000Z\"]");
        copy.sequence = server;
        copy.rawIcalendar = QStringLiteral("server text");
        Event row = copy;
        row.sequence = local;
        row.title = QStringLiteral("Here");
        if (change == u"start")
            row.startTime = nine.addSecs(1800);
        else if (change == u"zone")
            row.startTime = nine.toTimeZone(QTimeZone("Europe/Berlin"));
        else if (change == u"exdateOrder")
            row.exceptionDates = QStringLiteral("[\"20260403T090000Z\",\"20260402T090000Z\"]");
        else if (change == u"exdate")
            row.exceptionDates = QStringLiteral("[\"20260404T090000Z\"]");
        if (change == u"due") {
            Task task;
            task.dueDate = nine;
            task.sequence = server;
            Task moved = task;
            moved.sequence = local;
            moved.dueDate = nine.addDays(1);
            QTEST(PushCopy::over(moved, task).sequence, "expected");
            return;
        }
        const Event out = PushCopy::over(row, copy);
        QTEST(out.sequence, "expected");
        QCOMPARE(out.rawIcalendar, copy.rawIcalendar);
        QCOMPARE(out.title, row.title);
    }
};

QTEST_GUILESS_MAIN(TestPushCopy)
#include "tst_pushcopy.moc"
