#include "AgendaDays.h"

#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(Event)
Q_DECLARE_METATYPE(Task)

namespace {

const QTimeZone local = QTimeZone::systemTimeZone();
// The lists below start on Monday 2026-03-09; "now" is Wednesday the 11th (day 2).
const QDate first(2026, 3, 9);

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute), local);
}

Event timed(const QString& id, const QDateTime& start, const QDateTime& end)
{
    Event event;
    event.id = id;
    event.startTime = start;
    event.endTime = end;
    return event;
}

Event allDay(const QString& id, int firstDay, int lastDay)
{
    Event event;
    event.id = id;
    event.isAllDay = true;
    event.startTime = QDateTime(QDate(2026, 3, firstDay), QTime(0, 0), QTimeZone::utc());
    event.endTime = QDateTime(QDate(2026, 3, lastDay + 1), QTime(0, 0), QTimeZone::utc());
    return event;
}

Task task(const QString& id, std::optional<QDateTime> start, std::optional<QDateTime> due)
{
    Task made;
    made.id = id;
    made.title = id;
    made.startDate = start;
    made.dueDate = due;
    made.startIsDateOnly = false;
    made.dueIsDateOnly = false;
    return made;
}

// A date-only value as the store keeps it.
QDateTime dateOnly(int day)
{
    return QDateTime(QDate(2026, 3, day), QTime(0, 0), QTimeZone::utc());
}

template <typename Item> QList<QStringList> ids(const QList<QList<Item>>& days)
{
    QList<QStringList> result;
    for (const QList<Item>& day : days) {
        QStringList names;
        for (const Item& item : day)
            names.append(item.id);
        result.append(names);
    }
    return result;
}

} // namespace

class TestAgendaDays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstDay_data()
    {
        QTest::addColumn<QDate>("navigation");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("weekStart");
        QTest::addColumn<QDate>("expected");
        const QDate thursday(2026, 3, 12);
        QTest::newRow("week, Monday weeks") << thursday << "week" << 1 << QDate(2026, 3, 9);
        QTest::newRow("grid, Monday weeks") << thursday << "grid" << 1 << QDate(2026, 3, 9);
        QTest::newRow("week, Sunday weeks") << thursday << "week" << 7 << QDate(2026, 3, 8);
        QTest::newRow("Sunday in Monday weeks")
            << QDate(2026, 3, 15) << "week" << 1 << QDate(2026, 3, 9);
        QTest::newRow("Monday in Sunday weeks")
            << QDate(2026, 3, 9) << "week" << 7 << QDate(2026, 3, 8);
        QTest::newRow("week start itself") << QDate(2026, 3, 9) << "week" << 1 << QDate(2026, 3, 9);
        for (const char* mode : {"day", "days", "month", "year"})
            QTest::newRow(mode) << thursday << mode << 1 << thursday;
        QTest::newRow("past navigation date")
            << QDate(2025, 1, 2) << "day" << 1 << QDate(2025, 1, 2);
    }

    void firstDay()
    {
        QFETCH(QDate, navigation);
        QFETCH(QString, mode);
        QFETCH(int, weekStart);
        QFETCH(QDate, expected);
        QCOMPARE(AgendaDays::firstDay(navigation, mode, weekStart), expected);
    }

    // Five days from Monday the 9th, "now" Wednesday the 11th at `nowHour` local.
    void eventsByDay_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<int>("nowHour");
        QTest::addColumn<QList<QStringList>>("days");
        QTest::newRow("all-day of one day")
            << QList<Event>{allDay("a", 10, 10)} << 10 << QList<QStringList>{{}, {"a"}, {}, {}, {}};
        QTest::newRow("all-day of three days") << QList<Event>{allDay("a", 10, 12)} << 10
                                               << QList<QStringList>{{}, {"a"}, {"a"}, {"a"}, {}};
        QTest::newRow("all-day from before the list")
            << QList<Event>{allDay("a", 2, 9)} << 10 << QList<QStringList>{{"a"}, {}, {}, {}, {}};
        QTest::newRow("22:00 to 01:00 on both days")
            << QList<Event>{timed("n", at(9, 22), at(10, 1))} << 10
            << QList<QStringList>{{"n"}, {"n"}, {}, {}, {}};
        QTest::newRow("ending at midnight on its own day")
            << QList<Event>{timed("m", at(9, 23), at(10, 0))} << 10
            << QList<QStringList>{{"m"}, {}, {}, {}, {}};
        QTest::newRow("over today, yesterday's still listed")
            << QList<Event>{timed("y", at(10, 8), at(10, 9)), timed("t", at(11, 8), at(11, 9))}
            << 10 << QList<QStringList>{{}, {"y"}, {}, {}, {}};
        QTest::newRow("over today after running since yesterday")
            << QList<Event>{timed("o", at(10, 20), at(11, 9))} << 10
            << QList<QStringList>{{}, {"o"}, {}, {}, {}};
        QTest::newRow("in progress and to come today")
            << QList<Event>{timed("p", at(11, 9), at(11, 11)), timed("c", at(11, 15), at(11, 16))}
            << 10 << QList<QStringList>{{}, {}, {"p", "c"}, {}, {}};
        QTest::newRow("without end, begun today") << QList<Event>{timed("s", at(11, 8), {})} << 10
                                                  << QList<QStringList>{{}, {}, {}, {}, {}};
        // An all-day event lasts the whole local day, in every zone, with an end or without.
        QTest::newRow("all-day today late in the evening")
            << QList<Event>{allDay("a", 11, 11)} << 23 << QList<QStringList>{{}, {}, {"a"}, {}, {}};
        Event noEnd = allDay("e", 11, 11);
        noEnd.endTime.reset();
        QTest::newRow("all-day without end today")
            << QList<Event>{noEnd} << 23 << QList<QStringList>{{}, {}, {"e"}, {}, {}};
        QTest::newRow("input order kept")
            << QList<Event>{timed("late", at(12, 15), at(12, 16)),
                            timed("early", at(12, 8), at(12, 9))}
            << 10 << QList<QStringList>{{}, {}, {}, {"late", "early"}, {}};
        QTest::newRow("after the list") << QList<Event>{timed("x", at(14, 9), at(14, 10))} << 10
                                        << QList<QStringList>{{}, {}, {}, {}, {}};
        QTest::newRow("to the end of time")
            << QList<Event>{timed("f", at(12, 9),
                                  QDateTime(QDate(9999, 12, 31), QTime(23, 0), QTimeZone::utc()))}
            << 10 << QList<QStringList>{{}, {}, {}, {"f"}, {"f"}};
    }

    void eventsByDay()
    {
        QFETCH(QList<Event>, events);
        QFETCH(int, nowHour);
        QFETCH(QList<QStringList>, days);
        QCOMPARE(ids(AgendaDays::eventsByDay(events, first, 5, local, at(11, nowHour))), days);
    }

    // The PDF lists what is over too.
    void nothingSkippedWithoutNow()
    {
        const QList<Event> events{timed("t", at(11, 8), at(11, 9))};
        QCOMPARE(ids(AgendaDays::eventsByDay(events, first, 5, local, QDateTime())),
                 (QList<QStringList>{{}, {}, {"t"}, {}, {}}));
    }

    // A year of days holds an event that never ends once a day, and no more.
    void clampedToTheList()
    {
        const QDateTime endOfTime(QDate(9999, 12, 31), QTime(0, 0), QTimeZone::utc());
        Event forever = timed("f", QDateTime(QDate(1900, 1, 1), QTime(9, 0), local), endOfTime);
        Event allDays = forever;
        allDays.id = QStringLiteral("a");
        allDays.isAllDay = true;
        allDays.startTime = QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc());
        const QList<QList<Event>> days =
            AgendaDays::eventsByDay({forever, allDays}, first, 365, local, at(11, 10));
        QCOMPARE(days.size(), 365);
        for (const QList<Event>& day : days)
            QCOMPARE(day.size(), 2);
    }

    // The minute's refresh waits for the first of today's timed events to end after the build,
    // else for midnight; all-day events and events already over never bring it forward.
    void nextClockChange_data()
    {
        QTest::addColumn<QList<Event>>("today");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime midnight = at(12, 0);
        QTest::newRow("nothing today") << QList<Event>{} << midnight;
        QTest::newRow("first end after the build")
            << QList<Event>{timed("b", at(11, 12), at(11, 13)), timed("a", at(11, 9), at(11, 11))}
            << at(11, 11);
        QTest::newRow("over already, all-day, past midnight")
            << QList<Event>{timed("over", at(11, 8), at(11, 9)), allDay("d", 11, 11),
                            timed("late", at(11, 22), at(12, 2))}
            << midnight;
        Event noEnd = timed("point", at(11, 15), at(11, 15));
        noEnd.endTime.reset();
        QTest::newRow("without an end, at its start") << QList<Event>{noEnd} << at(11, 15);
    }

    void nextClockChange()
    {
        QFETCH(QList<Event>, today);
        QFETCH(QDateTime, expected);
        QCOMPARE(AgendaDays::nextClockChange(today, at(11, 10), local), expected);
    }

    void tasksByDay_data()
    {
        QTest::addColumn<QList<Task>>("tasks");
        QTest::addColumn<QList<QStringList>>("days");
        QTest::newRow("start and due on two days") << QList<Task>{task("t", at(9, 9), at(11, 17))}
                                                   << QList<QStringList>{{"t"}, {}, {"t"}, {}, {}};
        QTest::newRow("start and due on one day, once")
            << QList<Task>{task("t", at(10, 9), at(10, 17))}
            << QList<QStringList>{{}, {"t"}, {}, {}, {}};
        QTest::newRow("start before the list, due inside")
            << QList<Task>{task("t", at(1, 9), at(12, 17))}
            << QList<QStringList>{{}, {}, {}, {"t"}, {}};
        QTest::newRow("due after the list")
            << QList<Task>{task("t", {}, at(14, 9))} << QList<QStringList>{{}, {}, {}, {}, {}};
        Task removed = task("r", {}, at(10, 9));
        removed.deletedAt = at(10, 8);
        QTest::newRow("removed") << QList<Task>{removed} << QList<QStringList>{{}, {}, {}, {}, {}};
        Task dated = task("d", {}, dateOnly(13));
        dated.dueIsDateOnly = true;
        QTest::newRow("date-only due on its date")
            << QList<Task>{dated} << QList<QStringList>{{}, {}, {}, {}, {"d"}};
        QTest::newRow("late evening due on its local day")
            << QList<Task>{task("e", {}, at(12, 23, 30))}
            << QList<QStringList>{{}, {}, {}, {"e"}, {}};
    }

    void tasksByDay()
    {
        QFETCH(QList<Task>, tasks);
        QFETCH(QList<QStringList>, days);
        QCOMPARE(ids(AgendaDays::tasksByDay(tasks, first, 5, local)), days);
    }

    // Open before completed, priorities 1..9 before none, then titles.
    void taskOrder()
    {
        QList<Task> tasks;
        const auto add = [&](const QString& id, int priority, bool completed) {
            Task made = task(id, {}, at(10, 12));
            made.priority = priority;
            if (completed)
                made.status = QStringLiteral("completed");
            tasks.append(made);
        };
        add("Done", 1, true);
        add("None", 0, false);
        add("Five", 5, false);
        add("Beta", 1, false);
        add("Alpha", 1, false);
        QCOMPARE(ids(AgendaDays::tasksByDay(tasks, first, 5, local)).value(1),
                 (QStringList{"Alpha", "Beta", "Five", "None", "Done"}));
    }

    void shownDays_data()
    {
        QTest::addColumn<bool>("showEmptyDays");
        QTest::addColumn<QList<QDate>>("dates");
        QTest::newRow("agenda mode") << true
                                     << QList<QDate>{first, first.addDays(1), first.addDays(2),
                                                     first.addDays(3), first.addDays(4)};
        QTest::newRow("list mode") << false << QList<QDate>{first.addDays(1), first.addDays(3)};
    }

    void shownDays()
    {
        QFETCH(bool, showEmptyDays);
        QFETCH(QList<QDate>, dates);
        const QList<QList<Event>> events =
            AgendaDays::eventsByDay({allDay("a", 10, 10)}, first, 5, local, at(11, 10));
        const QList<QList<Task>> tasks =
            AgendaDays::tasksByDay({task("t", {}, at(12, 9))}, first, 5, local);
        QList<QDate> shown;
        for (const AgendaDays::Day& day :
             AgendaDays::shownDays(events, tasks, first, showEmptyDays))
            shown.append(day.date);
        QCOMPARE(shown, dates);
        const QList<QList<Event>> none = AgendaDays::eventsByDay({}, first, 5, local, at(11, 10));
        const QList<QList<Task>> noTasks = AgendaDays::tasksByDay({}, first, 5, local);
        QCOMPARE(AgendaDays::shownDays(none, noTasks, first, showEmptyDays).size(),
                 showEmptyDays ? 5 : 0);
    }
};

QTEST_APPLESS_MAIN(TestAgendaDays)
#include "tst_agendadays.moc"
