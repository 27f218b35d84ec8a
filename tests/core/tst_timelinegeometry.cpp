#include "TimelineDrag.h"
#include "TimelineGeometry.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>

using namespace TimelineGeometry;

namespace {

const QDate day(2026, 3, 11);

QDateTime local(int dayOffset, const QString& hhmm)
{
    return QDateTime(day.addDays(dayOffset), QTime::fromString(hhmm, QStringLiteral("HH:mm")),
                     QTimeZone::systemTimeZone());
}

Event timed(const QString& id, const QDateTime& start, const std::optional<QDateTime>& end)
{
    Event event;
    event.id = id;
    event.startTime = start;
    event.endTime = end;
    return event;
}

using OptionalTime = std::optional<QDateTime>;

} // namespace

Q_DECLARE_METATYPE(OptionalTime)

class TestTimelineGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clipToDay_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<OptionalTime>("end");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QDateTime>("clippedStart");
        QTest::addColumn<OptionalTime>("clippedEnd");

        QTest::newRow("inside") << local(0, "09:00") << OptionalTime(local(0, "10:00")) << true
                                << local(0, "09:00") << OptionalTime(local(0, "10:00"));
        QTest::newRow("from the night before")
            << local(-1, "22:00") << OptionalTime(local(0, "02:00")) << true << local(0, "00:00")
            << OptionalTime(local(0, "02:00"));
        QTest::newRow("into the next day")
            << local(0, "23:00") << OptionalTime(local(1, "01:00")) << true << local(0, "23:00")
            << OptionalTime(local(1, "00:00"));
        QTest::newRow("ends at this midnight")
            << local(-1, "22:00") << OptionalTime(local(0, "00:00")) << false << QDateTime()
            << OptionalTime();
        QTest::newRow("starts at the next midnight")
            << local(1, "00:00") << OptionalTime(local(1, "01:00")) << false << QDateTime()
            << OptionalTime();
        QTest::newRow("no end, at midnight")
            << local(0, "00:00") << OptionalTime() << true << local(0, "00:00") << OptionalTime();
        QTest::newRow("no end, the day before")
            << local(-1, "23:00") << OptionalTime() << false << QDateTime() << OptionalTime();
    }

    void clipToDay()
    {
        QFETCH(QDateTime, start);
        QFETCH(OptionalTime, end);
        QFETCH(bool, shown);
        const std::optional<Event> clipped =
            TimelineGeometry::clipToDay(timed("e", start, end), day);
        QCOMPARE(clipped.has_value(), shown);
        if (!shown)
            return;
        QTEST(clipped->startTime, "clippedStart");
        QTEST(clipped->endTime, "clippedEnd");
    }

    // The column's edges and the shared width: what the day and week timelines place by.
    void geometry()
    {
        QCOMPARE(rowHeight(56, 24 * 70), 70);
        QCOMPARE(yForDateTime(local(-1, "23:00"), day, 56), 0);
        QCOMPARE(yForDateTime(local(1, "00:00"), day, 56), 24 * 56);
        QCOMPARE(yForDateTime(local(0, "10:30"), day, 56), 588);
        // A 5-minute block is as tall as the minimum.
        QCOMPARE(blockRect(*TimelineGeometry::columnSpan(68, 724, 0, 1), 100, 104, 24),
                 QRect(68, 100, 724, 24));
        // An end at the next midnight makes an event multi-day.
        QVERIFY(isMultiDay(timed("e", local(0, "22:00"), local(1, "00:00"))));
        QVERIFY(!isMultiDay(timed("e", local(0, "22:00"), local(0, "23:59"))));
    }

    // Overlapping events share the area in columns; those beyond what fits at a legible width
    // are left out rather than squeezed or pushed out of the area. "x+width" or "none".
    void columnSpan_data()
    {
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("span");
        QTest::newRow("three share 724 with 2-pixel gaps") << 724 << 2 << 3 << "552+240";
        QTest::newRow("no count takes the area") << 724 << 0 << 0 << "68+724";
        // A week's day column: 125 pixels hold four columns of at least 24.
        QTest::newRow("500 in a day of the week, the fourth") << 125 << 3 << 500 << "161+29";
        QTest::newRow("500 in a day of the week, the fifth") << 125 << 4 << 500 << "none";
        QTest::newRow("the 217th") << 125 << 216 << 500 << "none";
        QTest::newRow("exactly two at the minimum") << 50 << 1 << 2 << "94+24";
        QTest::newRow("one pixel short of two") << 49 << 1 << 2 << "none";
        QTest::newRow("one pixel short of two, the first") << 49 << 0 << 2 << "68+49";
        QTest::newRow("narrower than the minimum") << 10 << 0 << 5 << "68+10";
        QTest::newRow("negative area") << -3 << 0 << 2 << "68+0";
        QTest::newRow("negative column") << 724 << -1 << 3 << "none";
    }

    void columnSpan()
    {
        QFETCH(int, areaWidth);
        QFETCH(int, column);
        QFETCH(int, count);
        const std::optional<ColumnSpan> span =
            TimelineGeometry::columnSpan(68, areaWidth, column, count);
        QTEST(span ? QStringLiteral("%1+%2").arg(span->x).arg(span->width) : QStringLiteral("none"),
              "span");
    }

    // Over every area and count: the shown columns stay inside the area, apart, in order, and
    // at the legible width unless a single one takes an area narrower than that.
    void columnsStayInsideTheArea()
    {
        for (int areaWidth = -4; areaWidth <= 300; ++areaWidth) {
            for (int count = 1; count <= 40; count += count < 12 ? 1 : 7) {
                int shown = 0;
                int right = 68;
                for (int column = 0; column < count; ++column) {
                    const std::optional<ColumnSpan> span =
                        TimelineGeometry::columnSpan(68, areaWidth, column, count);
                    const QString where = QStringLiteral("area %1, column %2 of %3")
                                              .arg(areaWidth)
                                              .arg(column)
                                              .arg(count);
                    if (!span)
                        continue;
                    ++shown;
                    QVERIFY2(column < shownColumns(areaWidth, count), qPrintable(where));
                    QVERIFY2(span->x >= right, qPrintable(where));
                    QVERIFY2(span->x + span->width <= 68 + std::max(areaWidth, 0),
                             qPrintable(where));
                    QVERIFY2(span->width >= minimumColumnWidth ||
                                 (column == 0 && span->width == std::max(areaWidth, 0)),
                             qPrintable(where));
                    right = span->x + span->width + columnGap;
                }
                QCOMPARE(shown, shownColumns(areaWidth, count));
            }
        }
    }

    // How long a block of minimum height stands for, rounded up so the layout never lets the
    // next event start under it.
    void minimumBlockMsecs_data()
    {
        QTest::addColumn<int>("minimumHeight");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<qint64>("msecs");
        QTest::newRow("24 px at 56 an hour") << 24 << 56 << qint64(1542858);
        QTest::newRow("28 px at 48 an hour is 35 minutes") << 28 << 48 << qint64(35 * 60 * 1000);
        QTest::newRow("no rows") << 24 << 0 << qint64(0);
        QTest::newRow("no height") << 0 << 56 << qint64(0);
    }

    void minimumBlockMsecs()
    {
        QFETCH(int, minimumHeight);
        QFETCH(int, rowHeight);
        QTEST(TimelineGeometry::minimumBlockMsecs(minimumHeight, rowHeight), "msecs");
    }

    // A block's text follows the view's top down the block, and stops where it would leave it.
    void textTop_data()
    {
        QTest::addColumn<QRect>("block");
        QTest::addColumn<int>("visibleTop");
        QTest::addColumn<int>("top");
        QTest::newRow("block below the view's top") << QRect(0, 500, 80, 100) << 448 << 500;
        QTest::newRow("block begun above") << QRect(0, 0, 80, 600) << 448 << 448;
        QTest::newRow("only its end in view") << QRect(0, 0, 80, 460) << 448 << 420;
        QTest::newRow("shorter than its text") << QRect(0, 0, 80, 30) << 448 << 0;
        QTest::newRow("view at the top") << QRect(0, 0, 80, 600) << 0 << 0;
    }

    void textTop()
    {
        QFETCH(QRect, block);
        QFETCH(int, visibleTop);
        QTEST(TimelineGeometry::textTop(block, visibleTop, 40), "top");
    }

    void slotAt_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<QTime>("slot");
        QTest::newRow("23:58 proposes 23:45") << 56 * 23 + 54 << QTime(23, 45);
        QTest::newRow("below the last row") << 56 * 25 << QTime(23, 45);
        QTest::newRow("above the top") << -30 << QTime(0, 0);
        QTest::newRow("10:44") << yForTime(QTime(10, 44), 56) << QTime(10, 30);
    }

    void slotAt()
    {
        QFETCH(int, y);
        QTEST(TimelineGeometry::slotAt(y, 56), "slot");
    }

    // Blocks lead back to their own occurrence, also when occurrences share an id; touching
    // events use the full width, overlapping ones share it; all-day events stay out.
    void layoutDay()
    {
        Event allDay = timed("all-day", QDateTime(day, QTime(0, 0), QTimeZone::utc()),
                             QDateTime(day.addDays(1), QTime(0, 0), QTimeZone::utc()));
        allDay.isAllDay = true;
        const QList<Event> events{
            timed("night", local(0, "22:00"), local(1, "02:00")),
            allDay,
            timed("night", local(-1, "22:00"), local(0, "02:00")),
            timed("a", local(0, "09:00"), local(0, "10:00")),
            timed("b", local(0, "10:00"), local(0, "11:00")),
            timed("c", local(0, "10:30"), local(0, "11:30")),
            timed("yesterday", local(-1, "09:00"), local(-1, "10:00")),
        };
        QStringList placed;
        for (const PlacedOccurrence& item : TimelineGeometry::layoutDay(events, day))
            placed.append(QStringLiteral("%1 %2 %3-%4 %5/%6")
                              .arg(item.index)
                              .arg(events[item.index].id, item.start.toString("HH:mm"),
                                   item.end->toString("dd HH:mm"))
                              .arg(item.column)
                              .arg(item.columnCount));
        QCOMPARE(placed, (QStringList{"2 night 00:00-11 02:00 0/1", "3 a 09:00-11 10:00 0/1",
                                      "4 b 10:00-11 11:00 0/2", "5 c 10:30-11 11:30 1/2",
                                      "0 night 22:00-12 00:00 0/1"}));
    }

    // The "+N" marks: which occurrences a day column leaves out, and where their marks sit.
    // Events are "count*HH:mm-HH:mm" ("count*HH:mm" without end); marks "HH:mm-HH:mm +N".
    void hiddenGroups_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<int>("markMinutes");
        QTest::addColumn<QStringList>("marks");
        const int weekDay1024 = (1024 - 64) / 7 - 8; // five columns
        QTest::newRow("500 in one hour, the day's width")
            << QStringList{"500*09:00-10:00"} << 724 << 20 << QStringList{"09:00-10:00 +473"};
        QTest::newRow("500 in one hour, a week's day")
            << QStringList{"500*09:00-10:00"} << 125 << 20 << QStringList{"09:00-10:00 +496"};
        QTest::newRow("a dozen meetings in a 1024-px week")
            << QStringList{"6*09:00-10:00", "6*09:30-10:30"} << weekDay1024 << 20
            << QStringList{"09:00-10:30 +7"};
        // Columns 2 and 3 of a chain starting every quarter hour overlap each other.
        QTest::newRow("partial overlaps in a chain")
            << QStringList{"1*09:00-10:00", "1*09:15-10:15", "1*09:30-10:30", "1*09:45-10:45",
                           "1*10:00-11:00", "1*10:15-11:15", "1*10:30-11:30", "1*10:45-11:45"}
            << 75 << 20 << QStringList{"09:30-11:45 +4"};
        QTest::newRow("touching ones keep their own marks")
            << QStringList{"3*09:00-10:00", "3*10:00-11:00"} << 50 << 20
            << QStringList{"09:00-10:00 +1", "10:00-11:00 +1"};
        QTest::newRow("a start under the mark above joins it")
            << QStringList{"3*09:00-09:10", "3*09:15-09:25"} << 50 << 30
            << QStringList{"09:00-09:25 +2"};
        QTest::newRow("instants at one time")
            << QStringList{"4*09:00"} << 50 << 0 << QStringList{"09:00-09:00 +2"};
        QTest::newRow("all fit") << QStringList{"3*09:00-10:00"} << 724 << 20 << QStringList();
    }

    void hiddenGroups()
    {
        QFETCH(QStringList, events);
        QFETCH(int, areaWidth);
        QFETCH(int, markMinutes);
        QList<Event> list;
        for (const QString& spec : events) {
            const QStringList times = spec.section(u'*', 1).split(u'-');
            const OptionalTime end = times.size() > 1 ? local(0, times[1]) : OptionalTime();
            for (int i = spec.section(u'*', 0, 0).toInt(); i > 0; --i)
                list.append(timed(QString::number(list.size()), local(0, times[0]), end));
        }
        const QList<PlacedOccurrence> placed = TimelineGeometry::layoutDay(list, day);
        QStringList marks;
        QList<qsizetype> marked;
        for (const HiddenGroup& group :
             TimelineGeometry::hiddenGroups(placed, areaWidth, markMinutes * 60 * 1000)) {
            marks.append(group.start.toString("HH:mm-") + group.end.toString("HH:mm +") +
                         QString::number(group.indices.size()));
            marked += group.indices;
        }
        QTEST(marks, "marks");
        // Every occurrence left out is under one mark, and only those are.
        QList<qsizetype> hidden;
        for (const PlacedOccurrence& item : placed)
            if (!TimelineGeometry::columnSpan(0, areaWidth, item.column, item.columnCount))
                hidden.append(item.index);
        std::sort(marked.begin(), marked.end());
        std::sort(hidden.begin(), hidden.end());
        QCOMPARE(marked, hidden);
    }

    void snappedMinutes_data()
    {
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("minutes");
        QTest::newRow("22 px down is 30 min (1.57 steps)") << 22 << 56 << 30;
        QTest::newRow("8 px up is -15 min (-0.57 steps)") << -8 << 56 << -15;
        QTest::newRow("3 px is nothing") << 3 << 56 << 0;
        QTest::newRow("two hours up at 200") << -400 << 200 << -120;
        QTest::newRow("no rows") << 50 << 0 << 0;
    }

    void snappedMinutes()
    {
        QFETCH(int, dy);
        QFETCH(int, rowHeight);
        QTEST(TimelineDrag::snappedMinutes(dy, rowHeight), "minutes");
    }

    // Where a press resizes, where the ghost goes and what its label says.
    void dragGeometry()
    {
        const QRect hour(68, 560, 724, 56); // 10:00-11:00
        QCOMPARE(TimelineDrag::resizeZone(hour), 7);
        QVERIFY(TimelineDrag::inResizeZone(hour, 615 - 7));
        QVERIFY(!TimelineDrag::inResizeZone(hour, 615 - 8));
        QCOMPARE(TimelineDrag::resizeZone(QRect(0, 0, 10, 12)), 4);

        const QRect moved = TimelineDrag::ghostRect(hour, false, 30, 56);
        QCOMPARE(moved, QRect(68, 588, 724, 56));
        QCOMPARE(TimelineDrag::moveLabelMinutes(moved, 56), 10 * 60 + 30);
        // Below the 23:45 line the label stays at 23:45.
        QCOMPARE(TimelineDrag::moveLabelMinutes(QRect(68, 24 * 56 - 5, 10, 56), 56), 23 * 60 + 45);

        const QRect longer = TimelineDrag::ghostRect(hour, true, 30, 56);
        QCOMPARE(longer, QRect(68, 560, 724, 84));
        QCOMPARE(TimelineDrag::resizeLabelMinutes(longer, 56), 90);
        // A resize far upwards keeps an 8-pixel ghost.
        QCOMPARE(TimelineDrag::ghostRect(hour, true, -120, 56).height(), 8);
    }
};

QTEST_GUILESS_MAIN(TestTimelineGeometry)
#include "tst_timelinegeometry.moc"
