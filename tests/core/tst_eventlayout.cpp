#include "EventLayout.h"
#include "EventSort.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTimeZone>

namespace {

QDateTime at(const QString& hhmm)
{
    return QDateTime(QDate(2025, 6, 2), QTime::fromString(hhmm, QStringLiteral("HH:mm")), Qt::UTC);
}

// "A 09:00-11:00" or "B 09:00" (no end).
Event parseSpec(const QString& spec)
{
    const QStringList parts = spec.split(QLatin1Char(' '));
    const QStringList times = parts[1].split(QLatin1Char('-'));
    Event e;
    e.id = parts[0];
    e.title = parts[0];
    e.startTime = at(times[0]);
    if (times.size() > 1)
        e.endTime = at(times[1]);
    return e;
}

QStringList describe(const QList<LaidOutEvent>& laidOut)
{
    QStringList lines;
    for (const LaidOutEvent& item : laidOut)
        lines.append(
            QStringLiteral("%1 %2/%3").arg(item.event.id).arg(item.column).arg(item.columnCount));
    return lines;
}

} // namespace

class TestEventLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortComparesInstants()
    {
        QList<Event> events(3);
        events[0].id = QStringLiteral("utc 08:00");
        events[0].startTime = QDateTime(QDate(2025, 6, 2), QTime(8, 0), Qt::UTC);
        events[1].id = QStringLiteral("berlin 09:00 (07:00Z)");
        events[1].startTime = QDateTime(QDate(2025, 6, 2), QTime(9, 0), QTimeZone("Europe/Berlin"));
        events[2].id = QStringLiteral("tokyo 16:30 (07:30Z)");
        events[2].startTime =
            QDateTime(QDate(2025, 6, 2), QTime(16, 30), Qt::OffsetFromUTC, 9 * 3600);
        EventSort::sortByStart(events);
        QCOMPARE(events[0].id, QStringLiteral("berlin 09:00 (07:00Z)"));
        QCOMPARE(events[1].id, QStringLiteral("tokyo 16:30 (07:30Z)"));
        QCOMPARE(events[2].id, QStringLiteral("utc 08:00"));
    }

    void layout_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QStringList{} << QStringList{};
        QTest::newRow("touching events do not overlap")
            << QStringList{"B 10:00-11:00", "A 09:00-10:00"} << QStringList{"A 0/1", "B 0/1"};
        QTest::newRow("freed column is taken again")
            << QStringList{"A 09:00-11:00", "B 09:30-10:00", "C 10:30-12:00"}
            << QStringList{"A 0/2", "B 1/2", "C 1/2"};
        QTest::newRow("equal starts, earlier end first")
            << QStringList{"A 09:00-12:00", "B 09:00-10:00"} << QStringList{"B 0/2", "A 1/2"};
        QTest::newRow("separate clusters")
            << QStringList{"A 09:00-10:00", "B 09:15-09:45", "C 09:30-10:00", "D 11:00-12:00"}
            << QStringList{"A 0/3", "B 1/3", "C 2/3", "D 0/1"};
        QTest::newRow("event without end")
            << QStringList{"A 08:00-10:00", "B 09:00", "C 09:00-09:30"}
            << QStringList{"A 0/3", "B 1/3", "C 2/3"};
        QTest::newRow("chain keeps one cluster")
            << QStringList{"A 09:00-10:00", "B 09:30-11:00", "C 10:30-12:00", "D 11:30-12:30"}
            << QStringList{"A 0/2", "B 1/2", "C 0/2", "D 1/2"};
        QTest::newRow("end before start counts as no end")
            << QStringList{"B 10:00", "A 10:00-09:00"} << QStringList{"B 0/2", "A 1/2"};
        QTest::newRow("instants at one time")
            << QStringList{"A 10:00-10:00", "B 10:00-10:00", "C 10:00"}
            << QStringList{"A 0/3", "B 1/3", "C 2/3"};
        QTest::newRow("instant where an event ends")
            << QStringList{"A 09:00-10:00", "B 10:00"} << QStringList{"A 0/1", "B 0/1"};
    }

    void layout()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, expected);
        QList<Event> input;
        for (const QString& spec : events)
            input.append(parseSpec(spec));
        QCOMPARE(describe(EventLayout::layoutTimedEvents(input)), expected);
    }

    // An event without length stands for a block of minimum height, here 20 minutes long: the
    // events that block covers take other columns; one that begins after it does not.
    void instantsTakeTheirBlock_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("five minutes apart")
            << QStringList{"A 10:00-10:00", "B 10:05-10:05", "C 10:10"}
            << QStringList{"A 0/3", "B 1/3", "C 2/3"};
        QTest::newRow("after the block")
            << QStringList{"A 10:00", "B 10:20-10:20"} << QStringList{"A 0/1", "B 0/1"};
        QTest::newRow("an event under the block")
            << QStringList{"A 10:00", "B 10:15-11:00"} << QStringList{"A 0/2", "B 1/2"};
        QTest::newRow("short events keep their own length")
            << QStringList{"A 10:00-10:05", "B 10:05-10:10"} << QStringList{"A 0/1", "B 0/1"};
    }

    void instantsTakeTheirBlock()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, expected);
        QList<Event> input;
        for (const QString& spec : events)
            input.append(parseSpec(spec));
        QCOMPARE(describe(EventLayout::layoutTimedEvents(input, 20 * 60 * 1000)), expected);
    }

    // On random days: overlapping events never share a column, each event takes the lowest
    // column free at its start, and overlapping events agree on the column count. An event
    // without length holds [start, start + instant), or its start instant alone when that is 0.
    void invariantsOnRandomDays_data()
    {
        QTest::addColumn<int>("instantMinutes");
        QTest::newRow("instants") << 0;
        QTest::newRow("instants drawn 20 minutes tall") << 20;
    }

    void invariantsOnRandomDays()
    {
        QFETCH(int, instantMinutes);
        QRandomGenerator random(20250602);
        for (int round = 0; round < 200; ++round) {
            QList<Event> events;
            const int count = int(random.bounded(1, 40));
            for (int i = 0; i < count; ++i) {
                Event e;
                e.id = QString::number(i);
                e.startTime = at(QStringLiteral("08:00")).addSecs(random.bounded(48) * 900);
                if (random.bounded(5) != 0)
                    e.endTime = e.startTime.addSecs(random.bounded(1, 12) * 900);
                events.append(e);
            }
            const QList<LaidOutEvent> laidOut =
                EventLayout::layoutTimedEvents(events, qint64(instantMinutes) * 60 * 1000);
            QCOMPARE(laidOut.size(), events.size());
            const auto endOf = [instantMinutes](const Event& e) {
                return e.endTime.value_or(e.startTime)
                    .addSecs(e.endTime.value_or(e.startTime) == e.startTime ? instantMinutes * 60
                                                                            : 0);
            };
            const auto holds = [&endOf](const Event& e, const QDateTime& time) {
                return endOf(e) == e.startTime ? time == e.startTime
                                               : e.startTime <= time && time < endOf(e);
            };
            for (qsizetype i = 0; i < laidOut.size(); ++i) {
                const LaidOutEvent& a = laidOut[i];
                QVERIFY(a.column >= 0 && a.column < a.columnCount);
                QSet<int> usedAtStart;
                for (qsizetype j = 0; j < laidOut.size(); ++j) {
                    if (i == j)
                        continue;
                    const LaidOutEvent& b = laidOut[j];
                    const QDateTime later = std::max(a.event.startTime, b.event.startTime);
                    const bool overlap = holds(a.event, later) && holds(b.event, later);
                    if (overlap) {
                        QVERIFY(a.column != b.column);
                        QCOMPARE(a.columnCount, b.columnCount);
                    }
                    if (j < i && holds(b.event, a.event.startTime))
                        usedAtStart.insert(b.column);
                }
                for (int lower = 0; lower < a.column; ++lower)
                    QVERIFY2(usedAtStart.contains(lower), "a lower column was free");
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEventLayout)
#include "tst_eventlayout.moc"
