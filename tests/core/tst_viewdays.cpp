#include "ViewDays.h"
#include <algorithm>

#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(Event)

namespace {

const QTimeZone local = QTimeZone::systemTimeZone();

Event timed(const QString& id, const QDateTime& start, const QDateTime& end)
{
    Event event;
    event.id = id;
    event.calendarId = QStringLiteral("cal");
    event.startTime = start;
    event.endTime = end;
    return event;
}

Event allDay(const QString& id, const QDate& first, const QDate& dayAfterLast)
{
    Event event;
    event.id = id;
    event.calendarId = QStringLiteral("cal");
    event.isAllDay = true;
    event.startTime = QDateTime(first, QTime(0, 0), QTimeZone::utc());
    event.endTime = QDateTime(dayAfterLast, QTime(0, 0), QTimeZone::utc());
    return event;
}

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), local);
}

QList<QDate> sorted(const QSet<QDate>& days)
{
    QList<QDate> list(days.begin(), days.end());
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

class TestViewDays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever TZ the test runs in, an all-day event keeps its stored date and a timed event
    // takes the local date of its start.
    void startDayOfAllDayAndTimed()
    {
        QCOMPARE(ViewDays::startDay(allDay("a", QDate(2026, 3, 3), QDate(2026, 3, 4)), local),
                 QDate(2026, 3, 3));
        QCOMPARE(ViewDays::startDay(timed("t", at(3, 23, 30), at(4, 0, 30)), local),
                 QDate(2026, 3, 3));
        const QDateTime tokyoMorning(QDate(2026, 3, 4), QTime(7, 0), QTimeZone("Asia/Tokyo"));
        QCOMPARE(ViewDays::startDay(timed("z", tokyoMorning, tokyoMorning), local),
                 tokyoMorning.toTimeZone(local).date());
    }

    // Days from March 3 to 6: every day an event covers lists it, all-day events first, then
    // timed ones by start; a list order that disagrees with the times does not leak through.
    void eventsByDay_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QList<QStringList>>("days");
        QTest::newRow("timed from before the range")
            << QList<Event>{timed("trip", at(1, 9), at(4, 12))}
            << QList<QStringList>{{"trip"}, {"trip"}, {}, {}};
        QTest::newRow("all-day over three days")
            << QList<Event>{allDay("fair", QDate(2026, 3, 4), QDate(2026, 3, 7))}
            << QList<QStringList>{{}, {"fair"}, {"fair"}, {"fair"}};
        QTest::newRow("runs past the last day") << QList<Event>{timed("late", at(6, 22), at(9, 8))}
                                                << QList<QStringList>{{}, {}, {}, {"late"}};
        QTest::newRow("ends at midnight") << QList<Event>{timed("eve", at(3, 20), at(4, 0))}
                                          << QList<QStringList>{{"eve"}, {}, {}, {}};
        QTest::newRow("time order whatever the list order")
            << QList<Event>{timed("evening", at(4, 18), at(4, 19)),
                            timed("morning", at(4, 8), at(4, 9)),
                            allDay("holiday", QDate(2026, 3, 4), QDate(2026, 3, 5)),
                            timed("overnight", at(3, 23), at(4, 7))}
            << QList<QStringList>{
                   {"overnight"}, {"holiday", "overnight", "morning", "evening"}, {}, {}};
        QTest::newRow("outside the range")
            << QList<Event>{timed("before", at(1, 9), at(2, 9)),
                            allDay("after", QDate(2026, 3, 7), QDate(2026, 3, 8))}
            << QList<QStringList>{{}, {}, {}, {}};
    }
    void eventsByDay()
    {
        QFETCH(QList<Event>, events);
        QList<QStringList> ids;
        for (const QList<Event>& day : ViewDays::eventsByDay(events, QDate(2026, 3, 3), 4, local)) {
            QStringList dayIds;
            for (const Event& event : day)
                dayIds.append(event.id);
            ids.append(dayIds);
        }
        QTEST(ids, "days");
    }

    void coveredDays_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QList<QDate>>("days");
        QTest::newRow("all-day 3rd to 5th exclusive")
            << QList<Event>{allDay("a", QDate(2026, 3, 3), QDate(2026, 3, 5))}
            << QList<QDate>{QDate(2026, 3, 3), QDate(2026, 3, 4)};
        QTest::newRow("timed across midnight")
            << QList<Event>{timed("t", at(3, 23), at(4, 1))}
            << QList<QDate>{QDate(2026, 3, 3), QDate(2026, 3, 4)};
        QTest::newRow("timed ending at midnight")
            << QList<Event>{timed("t", at(3, 22), at(4, 0))} << QList<QDate>{QDate(2026, 3, 3)};
        QTest::newRow("cut to the grid")
            << QList<Event>{timed("t", at(27, 9), QDateTime(QDate(2026, 4, 3), QTime(9, 0), local))}
            << QList<QDate>{QDate(2026, 3, 27), QDate(2026, 3, 28), QDate(2026, 3, 29)};
        Event noEnd = timed("n", at(29, 9), at(29, 9));
        noEnd.endTime.reset();
        QTest::newRow("no end") << QList<Event>{noEnd} << QList<QDate>{QDate(2026, 3, 29)};
    }
    void coveredDays()
    {
        QFETCH(QList<Event>, events);
        QTEST(sorted(ViewDays::coveredDays(events, QDate(2026, 2, 16), 42, local)), "days");
    }

    void yearStartDays()
    {
        Event first = timed("first", at(30, 18), at(30, 19));
        first.color = QStringLiteral("#00ff00");
        Event second = timed("second", at(30, 8), at(30, 9));
        second.color = QStringLiteral("#ff0000");
        Event multi = timed("multi", at(10, 9), at(12, 9));
        Event unparsable = timed("bad", at(20, 9), at(20, 10));
        unparsable.color = QStringLiteral("not a colour");
        const QHash<QString, QString> calendars = {
            {QStringLiteral("cal"), QStringLiteral("#123456")}};

        const ViewDays::StartDays result =
            ViewDays::startDays({first, second, multi, unparsable}, calendars, local);
        QCOMPARE(sorted(result.days),
                 (QList<QDate>{QDate(2026, 3, 10), QDate(2026, 3, 20), QDate(2026, 3, 30)}));
        // The first in list order wins, whatever the time of day.
        QCOMPARE(result.colors.value(QDate(2026, 3, 30)), QStringLiteral("#00ff00"));
        QCOMPARE(result.colors.value(QDate(2026, 3, 10)), QStringLiteral("#123456"));
        QCOMPARE(result.colors.value(QDate(2026, 3, 20)), QStringLiteral("not a colour"));
    }
};

QTEST_GUILESS_MAIN(TestViewDays)
#include "tst_viewdays.moc"
