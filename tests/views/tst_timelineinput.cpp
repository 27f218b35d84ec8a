#include "TimelineBlockText.h"
#include "TimelineDragSession.h"
#include "TimelineHitRegions.h"
#include "TimelineWalk.h"

#include <QTest>

namespace {

using State = TimelineDragSession::State;
using Kind = TimelineDragSession::Outcome::Kind;

const QDate day(2026, 3, 11);

Event timed(const QString& id, int startHour, int endHour, bool allDay = false)
{
    Event event;
    event.id = id;
    event.startTime = QDateTime(day, QTime(startHour, 0));
    event.endTime = endHour > startHour ? QDateTime(day, QTime(endHour, 0))
                                        : QDateTime(day.addDays(1), QTime(endHour, 0));
    event.isAllDay = allDay;
    return event;
}

} // namespace

Q_DECLARE_METATYPE(TimelineDragSession::Axes)
Q_DECLARE_METATYPE(TimelineDragSession::State)
Q_DECLARE_METATYPE(TimelineDragSession::Outcome::Kind)

class TestTimelineInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A 60-px block at 60 px per hour (its bottom band is 7 px), in the second of seven columns
    // 100 px wide; the pointer is pressed at `press` and travels along `path`.
    void dragSession_data()
    {
        QTest::addColumn<TimelineDragSession::Axes>("axes");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<State>("state");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("dayShift");
        QTest::addColumn<Kind>("outcome");

        const auto vertical = TimelineDragSession::Axes::Vertical;
        const auto both = TimelineDragSession::Axes::Both;
        const QPoint body(150, 120);
        const QPoint band(150, 157);
        QTest::newRow("under the threshold stays a press")
            << both << body << QList<QPoint>{{153, 123}} << State::Pressed << 0 << 0 << Kind::None;
        QTest::newRow("vertical travel moves in quarter hours")
            << vertical << body << QList<QPoint>{{150, 150}} << State::Moving << 30 << 0
            << Kind::Move;
        QTest::newRow("one day ignores horizontal travel")
            << vertical << body << QList<QPoint>{{250, 121}} << State::Pressed << 0 << 0
            << Kind::None;
        QTest::newRow("columns count horizontal travel")
            << both << body << QList<QPoint>{{250, 121}} << State::Moving << 0 << 1 << Kind::Move;
        QTest::newRow("travel back to the start moves nothing")
            << both << body << QList<QPoint>{{250, 160}, {151, 121}} << State::Moving << 0 << 0
            << Kind::None;
        QTest::newRow("the bottom band resizes at once")
            << both << band << QList<QPoint>{{150, 159}} << State::Resizing << 0 << 0 << Kind::None;
        QTest::newRow("a resize follows only vertical travel")
            << both << band << QList<QPoint>{{450, 172}} << State::Resizing << 15 << 0
            << Kind::Resize;
    }
    void dragSession()
    {
        QFETCH(TimelineDragSession::Axes, axes);
        QFETCH(QPoint, press);
        QFETCH(QList<QPoint>, path);
        QFETCH(Kind, outcome);

        TimelineDragSession session(axes);
        const QDateTime start(day, QTime(9, 0));
        session.press(QStringLiteral("a"), start, QRect(100, 100, 80, 60), press, 1);
        for (const QPoint& point : path)
            session.follow(point, 60, 100, 7);
        QTEST(session.state(), "state");
        QTEST(session.minutes(), "minutes");
        QTEST(session.dayShift(), "dayShift");
        QCOMPARE(session.showsGhost(), outcome != Kind::None);

        const TimelineDragSession::Outcome done = session.release();
        QCOMPARE(done.kind, outcome);
        QCOMPARE(session.state(), State::Idle);
        if (outcome != Kind::None) {
            QCOMPARE(done.eventId, QStringLiteral("a"));
            QCOMPARE(done.instanceStart, start);
        }
    }

    // "s" recurs at 9:00 and 14:00, "m" is at 11:00, "all" is all day and never walked to.
    void walk_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("selectedHour"); // -1: any occurrence of the id
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("hour");
        QTest::newRow("none selected, forward") << "" << -1 << true << "s" << 9;
        QTest::newRow("none selected, backward") << "" << -1 << false << "s" << 14;
        QTest::newRow("next by start") << "s" << 9 << true << "m" << 11;
        QTest::newRow("the later occurrence of the same id") << "m" << 11 << true << "s" << 14;
        QTest::newRow("round after the last") << "s" << 14 << true << "s" << 9;
        QTest::newRow("round before the first") << "s" << 9 << false << "s" << 14;
        QTest::newRow("by id, from its earliest occurrence") << "s" << -1 << true << "m" << 11;
        QTest::newRow("an all-day selection starts over") << "all" << -1 << true << "s" << 9;
    }
    void walk()
    {
        QFETCH(QString, selected);
        QFETCH(int, selectedHour);
        QFETCH(bool, forward);
        const QList<Event> events{
            timed(QStringLiteral("s"), 14, 15), timed(QStringLiteral("all"), 0, 0, true),
            timed(QStringLiteral("m"), 11, 12), timed(QStringLiteral("s"), 9, 10)};
        std::optional<QDateTime> start;
        if (selectedHour >= 0)
            start = QDateTime(day, QTime(selectedHour, 0));
        const std::optional<TimelineWalk::Target> target =
            TimelineWalk::step(events, selected, start, forward);
        QVERIFY(target);
        QTEST(target->eventId, "id");
        QTEST(target->start.time().hour(), "hour");

        QVERIFY(!TimelineWalk::step({events[1]}, selected, start, forward));
    }

    // Two overlapping blocks and one of an event that crosses midnight: a press picks up the
    // first block under the pointer, a click means the last, and the midnight one stays put.
    void hitRegions_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("draggable");
        QTest::addColumn<int>("cursor");
        QTest::newRow("one block") << QPoint(10, 10) << "a"
                                   << "a"
                                   << "a" << int(Qt::PointingHandCursor);
        QTest::newRow("its bottom band") << QPoint(10, 58) << "a"
                                         << "a"
                                         << "a" << int(Qt::SizeVerCursor);
        QTest::newRow("overlap") << QPoint(60, 30) << "a"
                                 << "b"
                                 << "a" << int(Qt::PointingHandCursor);
        QTest::newRow("across midnight") << QPoint(210, 10) << "n"
                                         << "n"
                                         << "" << int(Qt::ArrowCursor);
        QTest::newRow("empty") << QPoint(10, 200) << ""
                               << ""
                               << "" << int(Qt::ArrowCursor);
    }
    void hitRegions()
    {
        QFETCH(QPoint, point);
        TimelineHitRegions hits;
        hits.setEvents({timed(QStringLiteral("a"), 9, 10), timed(QStringLiteral("b"), 9, 11),
                        timed(QStringLiteral("n"), 22, 2)});
        hits.append({QStringLiteral("a"), QRect(0, 0, 100, 60), {}, {}});
        hits.append({QStringLiteral("b"), QRect(50, 20, 100, 60), {}, {}});
        hits.append({QStringLiteral("n"), QRect(200, 0, 100, 60), {}, {}});
        const auto idOf = [](const TimelineHitRegions::Region* region) {
            return region ? region->eventId : QString();
        };
        QTEST(idOf(hits.firstAt(point)), "first");
        QTEST(idOf(hits.lastAt(point)), "last");
        QTEST(idOf(hits.draggableAt(point)), "draggable");
        QTEST(int(hits.cursorAt(point)), "cursor");
    }

    // The line under a block's title, in UTC with a 24-hour pattern.
    void timeRange_data()
    {
        QTest::addColumn<int>("endDays"); // -1: no end
        QTest::addColumn<QString>("line");
        QTest::newRow("same day") << 0 << "09:00 – 10:30";
        QTest::newRow("ends on a later day") << 2 << "Wed 09:00 – Fri 10:30";
        QTest::newRow("no end") << -1 << "09:00";
    }
    void timeRange()
    {
        QFETCH(int, endDays);
        Event event;
        event.startTime = QDateTime(day, QTime(9, 0), QTimeZone::utc());
        if (endDays >= 0)
            event.endTime = QDateTime(day.addDays(endDays), QTime(10, 30), QTimeZone::utc());
        QTEST(TimelineBlockText::timeRange(event, QStringLiteral("HH:mm"), QTimeZone::utc()),
              "line");
    }
};

QTEST_GUILESS_MAIN(TestTimelineInput)
#include "tst_timelineinput.moc"
