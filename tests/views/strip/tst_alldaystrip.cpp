#include "AllDayStrip.h"
#include "GuiEnvironment.h"
#include "HitRegions.h"
#include "PaintedText.h"
#include "PixelProbe.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

// Monday 2026-03-09 starts the week the tests lay out.
const QDate monday(2026, 3, 9);

// An all-day event over [first, last] as the store keeps it (00:00 UTC, exclusive end).
Event allDay(const QString& id, int firstOffset, int lastOffset)
{
    Event event;
    event.id = id;
    event.title = id;
    event.isAllDay = true;
    event.startTime = QDateTime(monday.addDays(firstOffset), QTime(0, 0), Qt::UTC);
    event.endTime = QDateTime(monday.addDays(lastOffset + 1), QTime(0, 0), Qt::UTC);
    return event;
}

// "id:startColumn-endColumn@lane" for each segment, in layout order.
QStringList describe(const QList<AllDayStrip::Segment>& segments)
{
    QStringList out;
    for (const auto& segment : segments) {
        out.append(QStringLiteral("%1:%2-%3@%4")
                       .arg(segment.eventId)
                       .arg(segment.startColumn)
                       .arg(segment.endColumn)
                       .arg(segment.lane));
    }
    return out;
}

} // namespace

class TestAllDayStrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void layoutLanes_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("one day, exclusive end")
            << QList<Event>{allDay("a", 0, 0)} << 7 << QStringList{"a:0-0@0"};
        Event sameDate = allDay("s", 2, 2);
        sameDate.endTime = sameDate.startTime;
        QTest::newRow("end equal to start keeps the day")
            << QList<Event>{sameDate} << 7 << QStringList{"s:2-2@0"};
        Event noEnd = allDay("n", 3, 3);
        noEnd.endTime.reset();
        QTest::newRow("no end covers the start date")
            << QList<Event>{noEnd} << 7 << QStringList{"n:3-3@0"};
        Event laterThursday = allDay("t", 0, 2);
        laterThursday.endTime = QDateTime(monday.addDays(3), QTime(15, 0), Qt::UTC);
        QTest::newRow("end later on Thursday still ends Wednesday")
            << QList<Event>{laterThursday} << 7 << QStringList{"t:0-2@0"};
        QTest::newRow("clipped at both edges")
            << QList<Event>{allDay("c", -3, 9)} << 7 << QStringList{"c:0-6@0"};
        QTest::newRow("ends the day before, starts after the last column")
            << QList<Event>{allDay("before", -3, -1), allDay("after", 7, 8)} << 7 << QStringList{};
        Event timed = allDay("timed", 0, 3);
        timed.isAllDay = false;
        QTest::newRow("timed events never show") << QList<Event>{timed} << 7 << QStringList{};
        QTest::newRow("first fit: Mon-Wed, Tue, Wed-Thu, Thu")
            << QList<Event>{allDay("thu", 3, 3), allDay("tue", 1, 1), allDay("wedthu", 2, 3),
                            allDay("monwed", 0, 2)}
            << 7 << QStringList{"monwed:0-2@0", "tue:1-1@1", "wedthu:2-3@1", "thu:3-3@0"};
        QTest::newRow("longer first at the same start")
            << QList<Event>{allDay("short", 1, 1), allDay("long", 1, 4)} << 7
            << QStringList{"long:1-4@0", "short:1-1@1"};
        QTest::newRow("zero days count as one")
            << QList<Event>{allDay("one", 0, 0), allDay("two", 1, 1)} << 0
            << QStringList{"one:0-0@0"};
    }

    void layoutLanes()
    {
        QFETCH(QList<Event>, events);
        QFETCH(int, dayCount);
        QFETCH(QStringList, expected);
        QCOMPARE(describe(AllDayStrip::layoutLanes(events, monday, dayCount)), expected);
    }

    // Four lanes collapse to two plus "+N more" chips on the days that hide something; a click on
    // one expands every lane, the bar at the bottom collapses again; clicks elsewhere select.
    void collapseAndMore()
    {
        AllDayStrip strip;
        strip.resize(64 + 7 * 100, 200);
        // Lanes: 0 Mon-Sun, 1 Mon-Wed, 2 Tue-Thu, 3 Wed.
        const QList<Event> events{allDay("week", 0, 6), allDay("early", 0, 2),
                                  allDay("middle", 1, 3), allDay("wed", 2, 2)};
        strip.setEvents(64, monday, 7, events, {}, {});
        QCOMPARE(strip.laneCount(), 4);
        QCOMPARE(strip.sizeHint().height(), 72);

        strip.resize(strip.width(), strip.sizeHint().height());
        PixelProbe::render(&strip);
        QCOMPARE(strip.hitRegions().size(), 2);
        // Tue 1, Wed 2, Thu 1 hidden segments.
        const QList<QRect> more = strip.moreRects();
        QCOMPARE(more.size(), 3);
        QCOMPARE(more[0], QRect(64 + 2 + 100, 48, 96, 20));
        QCOMPARE(more[2], QRect(64 + 2 + 300, 48, 96, 20));
        QVERIFY(strip.collapseRect().isNull());

        QSignalSpy selected(&strip, &AllDayStrip::eventSelected);
        QTest::mouseClick(&strip, Qt::LeftButton, {}, more[1].center());
        QVERIFY(strip.isExpanded());
        QCOMPARE(selected.count(), 0);
        QCOMPARE(strip.sizeHint().height(), 20 + 4 * 22);
        strip.resize(strip.width(), strip.sizeHint().height());
        PixelProbe::render(&strip);
        QCOMPARE(strip.hitRegions().size(), 4);
        QVERIFY(strip.moreRects().isEmpty());
        QCOMPARE(strip.collapseRect(), QRect(0, 94, strip.width(), 14));

        // New data keeps the expanded state.
        strip.setEvents(64, monday, 7, events, {}, {});
        QVERIFY(strip.isExpanded());

        QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(20, 100));
        QVERIFY(!strip.isExpanded());
        QCOMPARE(strip.sizeHint().height(), 72);

        // A chip reports its id and its rectangle on the screen; empty space reports nothing.
        strip.resize(strip.width(), 72);
        PixelProbe::render(&strip);
        const QRect chip = HitRegions::rectOf(strip.hitRegions(), QStringLiteral("early"));
        QVERIFY(!chip.isNull());
        QTest::mouseClick(&strip, Qt::LeftButton, {}, chip.center());
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected[0][0].toString(), QStringLiteral("early"));
        QCOMPARE(selected[0][2].toRect(), QRect(strip.mapToGlobal(chip.topLeft()), chip.size()));
        QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(64 + 650, 30));
        QCOMPARE(selected.count(), 2);
        QVERIFY(selected[1][0].toString().isEmpty());
        QVERIFY(selected[1][2].toRect().isNull());
    }

    // Hundreds of all-day events on one day: expanded, the strip stops at ten lanes, nine of
    // chips and one counting the rest, so the window around it stays on the screen; that count
    // does not collapse the strip again, the bar does.
    void expandedStripStopsGrowing()
    {
        AllDayStrip strip;
        strip.resize(64 + 7 * 100, 72);
        QList<Event> events;
        for (int i = 0; i < 300; ++i)
            events.append(allDay(QStringLiteral("e%1").arg(i), 2, 2));
        strip.setEvents(64, monday, 7, events, {}, {});
        QCOMPARE(strip.laneCount(), 300);
        PixelProbe::render(&strip);
        QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.moreRects().first().center());
        QVERIFY(strip.isExpanded());
        QCOMPARE(strip.sizeHint().height(), 20 + 10 * 22);

        strip.resize(strip.width(), strip.sizeHint().height());
        PixelProbe::render(&strip);
        QCOMPARE(strip.hitRegions().size(), 9);
        QCOMPARE(strip.moreRects(), QList<QRect>{QRect(64 + 2 + 200, 9 * 22 + 4, 96, 20)});
        QVERIFY(strip.moreRects().first().bottom() < strip.collapseRect().top());
        QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.moreRects().first().center());
        QVERIFY(strip.isExpanded());
        QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.collapseRect().center());
        QVERIFY(!strip.isExpanded());
    }

    // The counts the "+N more" chips paint, left to right: collapsed, what lies below the two
    // lanes on each day; expanded, what lies below the nine lanes of chips, nothing while every
    // lane fits.
    void moreChipsCountWhatTheyHide_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<bool>("expand");
        QTest::addColumn<QStringList>("counts");
        const QList<Event> four{allDay("week", 0, 6), allDay("early", 0, 2), allDay("middle", 1, 3),
                                allDay("wed", 2, 2)};
        QTest::newRow("collapsed") << four << false << QStringList{"+1 more", "+2 more", "+1 more"};
        const auto onWednesday = [](int count, QList<Event> events) {
            for (int i = 0; i < count; ++i)
                events.append(allDay(QStringLiteral("e%1").arg(i), 2, 2));
            return events;
        };
        QTest::newRow("expanded, ten lanes fit") << onWednesday(10, {}) << true << QStringList{};
        QTest::newRow("expanded, eleven lanes")
            << onWednesday(11, {}) << true << QStringList{"+2 more"};
        QTest::newRow("expanded, under a week-long event")
            << onWednesday(10, {allDay("week", 0, 6), allDay("thu", 3, 3)}) << true
            << QStringList{"+2 more"};
        QTest::newRow("expanded, hundreds")
            << onWednesday(300, {}) << true << QStringList{"+291 more"};
    }

    void moreChipsCountWhatTheyHide()
    {
        QFETCH(QList<Event>, events);
        QFETCH(bool, expand);
        QFETCH(QStringList, counts);
        AllDayStrip strip;
        strip.resize(64 + 7 * 100, 72);
        strip.setEvents(64, monday, 7, events, {}, {});
        PixelProbe::render(&strip);
        if (expand) {
            QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.moreRects().value(0).center());
            QVERIFY(strip.isExpanded());
        }
        strip.resize(strip.width(), strip.sizeHint().height());
        QCOMPARE(PaintedText::record(&strip).filter(QStringLiteral(" more")), counts);
    }

    // Chip fills at fixed places: the event's colour at alpha 90, dimmed at 30, and an event
    // whose colour does not parse in the default blue, not its calendar's colour.
    void chipColours()
    {
        AllDayStrip strip;
        strip.resize(64 + 3 * 100, 72);
        Event own = allDay("own", 0, 0);
        own.color = QStringLiteral("#d50000");
        Event dimmed = allDay("dimmed", 1, 1);
        dimmed.color = QStringLiteral("#d50000");
        Event broken = allDay("broken", 2, 2);
        broken.color = QStringLiteral("not a colour");
        broken.calendarId = QStringLiteral("green");
        strip.setEvents(64, monday, 3, {own, dimmed, broken},
                        {{QStringLiteral("green"), QStringLiteral("#0b8043")}},
                        {FilterEngine::OccurrenceKey::of(dimmed)});
        const QImage image = PixelProbe::render(&strip);
        const QColor base = strip.palette().color(QPalette::Base);
        // Below the title text, inside each chip (y 4..23), away from the rounded corners.
        const int y = 22;
        QCOMPARE(PixelProbe::mismatch(image, {64 + 2 + 90, y},
                                      PixelProbe::blend(QColor("#d50000"), 90, base), 6),
                 QString());
        QCOMPARE(PixelProbe::mismatch(image, {64 + 102 + 90, y},
                                      PixelProbe::blend(QColor("#d50000"), 30, base), 6),
                 QString());
        QCOMPARE(PixelProbe::mismatch(image, {64 + 202 + 90, y},
                                      PixelProbe::blend(QColor("#4285F4"), 90, base), 6),
                 QString());
        // No chip below its lane.
        QCOMPARE(PixelProbe::mismatch(image, {64 + 2 + 90, 40}, base, 2), QString());
    }
};

QTEST_MAIN(TestAllDayStrip)
#include "tst_alldaystrip.moc"
