#include "ViewDays.h"
#include <algorithm>

#include <QMap>
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
        QTest::newRow("equal starts keep the list order")
            << QList<Event>{timed("second", at(5, 9), at(5, 10)),
                            allDay("all-b", QDate(2026, 3, 5), QDate(2026, 3, 6)),
                            timed("first", at(5, 9), at(5, 9, 30)),
                            allDay("all-a", QDate(2026, 3, 5), QDate(2026, 3, 6))}
            << QList<QStringList>{{}, {}, {"all-b", "all-a", "second", "first"}, {}};
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

    // Around a zone's offset changes the grid places every timed event on exactly the days its
    // own ends convert to, one event at a time; ends at local midnight included.
    void daysAcrossOffsetChanges_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("first");
        QTest::newRow("spring forward at 02:00")
            << QByteArray("Europe/Berlin") << QDate(2026, 3, 9);
        QTest::newRow("fall back") << QByteArray("Europe/Berlin") << QDate(2026, 10, 5);
        QTest::newRow("midnight skipped") << QByteArray("America/Santiago") << QDate(2026, 8, 24);
        QTest::newRow("midnight repeated") << QByteArray("America/Santiago") << QDate(2026, 3, 23);
        QTest::newRow("half-hour change")
            << QByteArray("Australia/Lord_Howe") << QDate(2026, 9, 21);
        QTest::newRow("no change for decades") << QByteArray("Asia/Tokyo") << QDate(2026, 3, 9);
        QTest::newRow("fixed offset") << QByteArray("UTC+05:30") << QDate(2026, 3, 9);
    }
    void daysAcrossOffsetChanges()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, first);
        const QTimeZone tz(zone);
        QVERIFY(tz.isValid());
        const int dayCount = 42;
        QList<Event> events;
        // Starts every 5.5 hours from two days before the grid to two days after, in reverse
        // list order so conversions jump back and forth across the changes.
        const QDateTime from(first.addDays(-2), QTime(0, 0), tz);
        for (qint64 step = 0; step < 2 * 24 * (dayCount + 4) / 11; ++step) {
            const QDateTime start = from.addSecs(step * 5 * 3600 + step * 1800);
            events.prepend(timed(QString::number(step), start, start.addSecs(step % 9 * 3600)));
        }
        for (int day = -1; day <= dayCount; ++day) {
            // Where a change skips midnight the day begins at the first hour after it.
            const QDateTime midnight = first.addDays(day + 1).startOfDay(tz);
            events.append(timed(QStringLiteral("m%1").arg(day), midnight.addSecs(-5400), midnight));
        }
        QMap<QString, int> expectedPlacements;
        QSet<QDate> expectedCovered;
        for (const Event& event : std::as_const(events)) {
            const qint64 from = first.daysTo(ViewDays::startDay(event, tz));
            const qint64 to = first.daysTo(ViewDays::lastDay(event, tz));
            for (qint64 day = std::max<qint64>(from, 0); day <= std::min<qint64>(to, dayCount - 1);
                 ++day) {
                expectedPlacements[event.id + QLatin1Char('@') + QString::number(day)] += 1;
                expectedCovered.insert(first.addDays(day));
            }
        }
        QMap<QString, int> placements;
        const QList<QList<Event>> days = ViewDays::eventsByDay(events, first, dayCount, tz);
        for (int day = 0; day < days.size(); ++day) {
            for (const Event& event : days[day]) {
                placements[event.id + QLatin1Char('@') + QString::number(day)] += 1;
                QCOMPARE(event.startTime.toTimeZone(tz).date() <= first.addDays(day), true);
            }
        }
        QCOMPARE(placements, expectedPlacements);
        QCOMPARE(sorted(ViewDays::coveredDays(events, first, dayCount, tz)),
                 sorted(expectedCovered));
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
