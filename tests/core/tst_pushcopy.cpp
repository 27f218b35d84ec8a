#include "PushCopy.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime nine(QDate(2026, 4, 1), QTime(9, 0), QTimeZone::utc());

} // namespace

// A push builds a row over the server's newest copy: the copy's text, and a SEQUENCE that never
// goes below the copy's and passes it when the row moves the item in time or changes its rule.
class TestPushCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eventSequence_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("server");
        QTest::addColumn<int>("expected");
        QTest::newRow("title over a newer copy") << "title" << 1 << 7 << 7;
        QTest::newRow("a save here already past the copy") << "title" << 8 << 7 << 8;
        QTest::newRow("moved start") << "start" << 0 << 1 << 2;
        QTest::newRow("same instant in another zone") << "zone" << 0 << 1 << 1;
        QTest::newRow("all-day") << "allDay" << 3 << 3 << 4;
        QTest::newRow("rule") << "rule" << 0 << 0 << 1;
        QTest::newRow("exclusions in another order") << "exdateOrder" << 2 << 2 << 2;
        QTest::newRow("exclusion added") << "exdate" << 2 << 2 << 3;
    }

    void eventSequence()
    {
        QFETCH(QString, change);
        QFETCH(int, local);
        QFETCH(int, server);
        QFETCH(int, expected);
        Event copy;
        copy.startTime = nine;
        copy.endTime = nine.addSecs(3600);
        copy.recurrenceRule = QStringLiteral("FREQ=DAILY");
        copy.exceptionDates = QStringLiteral("[\"20260402T090000Z\",\"20260403T090000Z\"]");
        copy.sequence = server;
        copy.rawIcalendar = QStringLiteral("server text");
        Event row = copy;
        row.sequence = local;
        row.rawIcalendar = QStringLiteral("stored text");
        if (change == u"title")
            row.title = QStringLiteral("Here");
        else if (change == u"start")
            row.startTime = nine.addSecs(1800);
        else if (change == u"zone")
            row.startTime = nine.toTimeZone(QTimeZone("Europe/Berlin"));
        else if (change == u"allDay")
            row.isAllDay = true;
        else if (change == u"rule")
            row.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        else if (change == u"exdateOrder")
            row.exceptionDates = QStringLiteral("[\"20260403T090000Z\",\"20260402T090000Z\"]");
        else
            row.exceptionDates = QStringLiteral("[\"20260402T090000Z\",\"20260403T090000Z\","
                                                "\"20260404T090000Z\"]");
        const Event out = PushCopy::over(row, copy);
        QCOMPARE(out.sequence, expected);
        QCOMPARE(out.rawIcalendar, QStringLiteral("server text"));
        QCOMPARE(out.title, row.title);
    }

    void taskSequence()
    {
        Task copy;
        copy.dueDate = nine;
        copy.sequence = 9;
        Task row = copy;
        row.sequence = 5;
        row.title = QStringLiteral("Here");
        QCOMPARE(PushCopy::over(row, copy).sequence, 9);
        row.dueDate = nine.addDays(1);
        QCOMPARE(PushCopy::over(row, copy).sequence, 10);
    }
};

QTEST_GUILESS_MAIN(TestPushCopy)
#include "tst_pushcopy.moc"
