#include "AppState.h"
#include "AppStateFixture.h"
#include "DateTimePicker.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventListCard.h"
#include "EventRepository.h"
#include "GuiEnvironment.h"
#include "HitRegions.h"
#include "InputEvents.h"
#include "ModalSeam.h"
#include "PixelProbe.h"
#include "PreferencesRepository.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "StoreSeed.h"
#include "TestTime.h"
#include "TimelineGeometry.h"
#include "UndoStack.h"
#include "WeekTimelineWidget.h"
#include "WeekView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

const QDate today(2026, 3, 11); // a Wednesday

QDateTime local(const QDate& date, int hour, int minute = 0)
{
    return StoreSeed::local(date, QTime(hour, minute));
}

bool addTimed(AppState* state, const QString& id, const QDateTime& start, const QDateTime& end)
{
    return StoreSeed::addEvent(
        state, StoreSeed::timedEvent(id, AppState::localCalendarId, id, start, end));
}

// The block of the event painted in the given column.
QRect blockOf(const WeekTimelineWidget* timeline, const QString& id, int column)
{
    const int left = 64 + column * timeline->columnWidth();
    for (const WeekTimelineWidget::HitRegion& region : timeline->hitRegions())
        if (region.eventId == id && region.rect.left() >= left &&
            region.rect.left() < left + timeline->columnWidth())
            return region.rect;
    return {};
}

using TestTime::springNight;

// "yyyy-MM-dd HH:mm" on the machine's clock of every occurrence in the three weeks around `day`.
QStringList occurrencesAround(AppState* state, const QDate& day)
{
    const QDateTime from = StoreSeed::local(day.addDays(-10), QTime(12, 0));
    const QDateTime to = StoreSeed::local(day.addDays(10), QTime(12, 0));
    QStringList lines;
    for (const Event& occurrence :
         Recurrence::expand(state->events()->getInRange(from, to, {}), from, to))
        lines.append(occurrence.startTime.toLocalTime().toString("yyyy-MM-dd HH:mm"));
    return lines;
}

struct Screen
{
    Screen(AppState* state, bool weekAligned) : view(state, weekAligned)
    {
        view.resize(1000, 700);
        view.show();
        timeline = view.timeline();
        timeline->grab();
    }
    WeekView view;
    WeekTimelineWidget* timeline = nullptr;
};

} // namespace

class TestWeekView : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

    // A daily 09:00 standup of seven days from `monday`, stored, in weeks that start on Monday;
    // an empty event when it could not be stored.
    Event dailyStandup(const QDate& monday)
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        Event series = StoreSeed::timedEvent(QStringLiteral("standup"), AppState::localCalendarId,
                                             QStringLiteral("Standup"), local(monday, 9),
                                             local(monday, 9, 30));
        series.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=7");
        return StoreSeed::addEvent(state, series) ? series : Event();
    }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
    }
    void cleanup() { m_fixture.reset(); }

    // Dragging a block two columns right and half an hour down moves it there, pending, with
    // undo; past the last column the drag stops at the last column.
    void dragAcrossColumnsMovesTheEvent()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        const QDate tuesday = today.addDays(-1);
        QVERIFY(addTimed(state, QStringLiteral("review"), local(tuesday, 9), local(tuesday, 10)));
        Screen screen(state, true);
        QCOMPARE(screen.view.rangeStart(), QDate(2026, 3, 9));
        QCOMPARE(screen.view.dayLabels().size(), 7);
        QCOMPARE(screen.view.dayLabels().at(2)->text(), QStringLiteral("Wed\nMar 11"));
        const QRect block = blockOf(screen.timeline, QStringLiteral("review"), 1);
        QVERIFY(block.isValid());

        const int W = screen.timeline->columnWidth();
        const int H = screen.timeline->rowHeight();
        const QPoint from = block.center();
        InputEvents::drag(screen.timeline, from, from + QPoint(2 * W, H / 2));
        std::optional<Event> row = state->events()->getById(QStringLiteral("review"));
        QCOMPARE(row->startTime.toUTC(), local(tuesday.addDays(2), 9, 30).toUTC());
        QCOMPARE(row->endTime->toUTC(), local(tuesday.addDays(2), 10, 30).toUTC());
        QCOMPARE(row->syncStatus, QStringLiteral("pending"));
        QCOMPARE(state->undoStack()->count(), 1);
        state->undoStack()->undo();
        row = state->events()->getById(QStringLiteral("review"));
        QCOMPARE(row->startTime.toUTC(), local(tuesday, 9).toUTC());

        // Far past Sunday: the shift stops at the last column.
        screen.view.reload();
        screen.timeline->grab();
        const QRect again = blockOf(screen.timeline, QStringLiteral("review"), 1);
        QSignalSpy moves(screen.timeline, &WeekTimelineWidget::eventMoveRequested);
        InputEvents::drag(screen.timeline, again.center(), again.center() + QPoint(20 * W, 0));
        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves.first().at(2).toInt(), 5);
        QCOMPARE(moves.first().at(3).toInt(), 0);
    }

    // A daily series shows one block per day, and each is an occurrence of its own: Tab walks
    // through them one by one; a double click asks the scope and "All events in the series"
    // retitles every one, leaving the series' times; Delete on a selected occurrence asks again
    // and "This and following events" ends the series before it, which undo takes back.
    void seriesOccurrenceGestures()
    {
        AppState* state = m_fixture->state();
        const QDate monday(2026, 3, 9);
        const Event series = dailyStandup(monday);
        QVERIFY(!series.id.isEmpty());
        Screen screen(state, true);
        WeekTimelineWidget* timeline = screen.timeline;
        timeline->setFocus();
        for (int day = 0; day < 3; ++day) {
            QTest::keyClick(timeline, Qt::Key_Tab);
            QCOMPARE(timeline->selectedOccurrenceStart(), local(monday.addDays(day), 9));
        }
        const auto answer = [](const char* button) {
            return
                [button](QWidget* box) { ModalSeam::clickButton(box, QString::fromUtf8(button)); };
        };
        ModalSeam::run(
            [&] {
                QTest::mouseDClick(timeline, Qt::LeftButton, {},
                                   blockOf(timeline, QStringLiteral("standup"), 3).center());
            },
            QList<ModalSeam::Answer>{answer("All events in the series"), [](QWidget* form) {
                                         form->findChildren<QLineEdit*>().first()->setText("Daily");
                                         ModalSeam::clickButton(form, "Save changes");
                                     }});
        const Event master = *state->events()->getById(series.id);
        QCOMPARE(
            master.title + master.startTime.toUTC().toString() + master.endTime->toUTC().toString(),
            "Daily" + series.startTime.toUTC().toString() + series.endTime->toUTC().toString());

        screen.view.reload();
        timeline->grab();
        timeline->setFocus();
        QTest::keyClick(timeline, Qt::Key_Tab);
        QCOMPARE(timeline->selectedOccurrenceStart(), local(monday.addDays(4), 9));
        ModalSeam::run([&] { QTest::keyClick(timeline, Qt::Key_Delete); },
                       answer("This and following events"));
        const auto shown = [&] {
            const QDateTime from = local(monday, 0), to = local(monday.addDays(7), 0);
            return Recurrence::expand(state->events()->getInRange(from, to, {}), from, to).size();
        };
        QCOMPARE(shown(), 4);
        state->undoStack()->undo();
        QCOMPARE(shown(), 7);
        QCOMPARE(state->events()->getById(series.id)->recurrenceRule, series.recurrenceRule);
    }

    // A moved occurrence (an override) is an occurrence all the same: a double click on it asks
    // the scope, and "This event only" edits it.
    void overrideDoubleClickAsksTheScope()
    {
        AppState* state = m_fixture->state();
        const QDate monday(2026, 3, 9);
        const Event series = dailyStandup(monday);
        QVERIFY(!series.id.isEmpty());
        Event moved = StoreSeed::timedEvent(QStringLiteral("moved"), AppState::localCalendarId,
                                            QStringLiteral("Standup"), local(monday.addDays(2), 14),
                                            local(monday.addDays(2), 14, 30));
        moved.uid = moved.masterEventUid = series.uid;
        moved.recurrenceId = Recurrence::recurrenceIdFor(local(monday.addDays(2), 9), false);
        QVERIFY(StoreSeed::addEvent(state, moved));
        Screen screen(state, true);
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                QTest::mouseDClick(screen.timeline, Qt::LeftButton, {},
                                   blockOf(screen.timeline, moved.id, 2).center());
            },
            QList<ModalSeam::Answer>{
                [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "This event only")); },
                [](QWidget* form) {
                    form->findChildren<QLineEdit*>().first()->setText("Late standup");
                    QVERIFY(ModalSeam::clickButton(form, "Save changes"));
                }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0).title, QStringLiteral("Edit Recurring Event"));
        QCOMPARE(state->events()->getById(moved.id)->title, QStringLiteral("Late standup"));
    }

    // Whole days move the local wall-clock time: a Friday 09:00 event dragged three columns
    // to Monday (over the last Sunday of March, a change of time in Europe) stays at 09:00. An
    // event crossing midnight cannot be dragged, but a click still selects it.
    void dayShiftKeepsTheWallClockTime()
    {
        AppState* state = m_fixture->state();
        const QDate friday(2026, 3, 27);
        QVERIFY(addTimed(state, QStringLiteral("standup"), local(friday, 9), local(friday, 9, 45)));
        QVERIFY(addTimed(state, QStringLiteral("night"), local(friday, 22),
                         local(friday.addDays(1), 2)));
        state->setWeekHorizon(7);
        Screen screen(state, false);
        screen.view.setDate(friday);
        QTRY_COMPARE(screen.timeline->firstDate(), friday);
        screen.timeline->grab();
        QCOMPARE(screen.view.dayCount(), 7);

        const QRect block = blockOf(screen.timeline, QStringLiteral("standup"), 0);
        QVERIFY(block.isValid());
        const int W = screen.timeline->columnWidth();
        InputEvents::drag(screen.timeline, block.center(), block.center() + QPoint(3 * W, 0));
        const std::optional<Event> row = state->events()->getById(QStringLiteral("standup"));
        QCOMPARE(row->startTime.toUTC(), local(friday.addDays(3), 9).toUTC());
        QCOMPARE(row->startTime.secsTo(*row->endTime), 45 * 60);

        const QRect night = blockOf(screen.timeline, QStringLiteral("night"), 1);
        QVERIFY(night.isValid());
        QSignalSpy moves(screen.timeline, &WeekTimelineWidget::eventMoveRequested);
        QSignalSpy selected(screen.timeline, &WeekTimelineWidget::eventSelected);
        InputEvents::press(screen.timeline, night.center());
        InputEvents::move(screen.timeline, night.center() + QPoint(W, 0));
        QCOMPARE(screen.timeline->dragState(), WeekTimelineWidget::DragState::Idle);
        InputEvents::release(screen.timeline, night.center());
        QCOMPARE(moves.size(), 0);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().at(0).toString(), QStringLiteral("night"));
        // The after-midnight block knows the occurrence's own start.
        QCOMPARE(selected.first().at(1).toDateTime().toUTC(), local(friday, 22).toUTC());
    }

    // On the night the clocks go forward, a block dragged in the days view lands on the wall time
    // of the row it is dropped on, and "All events" takes the series there: every occurrence at
    // that time, the one on that night, where the clocks skip it, an hour after. A drag by whole
    // days from the hour after keeps the series' time of day. A series whose first start would
    // be skipped begins and repeats at the hour after, and the user is told so.
    void springNightDrags_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("firstDay"); // days from the spring night
        QTest::addColumn<QTime>("time");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QTime>("expected"); // the time of every occurrence after the drag
        QTest::addColumn<bool>("told");
        QTest::newRow("09:00 dropped on the 02:30 row")
            << "FREQ=DAILY;COUNT=14" << -7 << QTime(9, 0) << 0 << -390 << QTime(2, 30) << false;
        QTest::newRow("01:30 one row down")
            << "FREQ=DAILY;COUNT=14" << -7 << QTime(1, 30) << 0 << 60 << QTime(2, 30) << false;
        QTest::newRow("Sunday 02:30, shown 03:30, a day right")
            << "FREQ=WEEKLY;COUNT=3" << -7 << QTime(2, 30) << 1 << 0 << QTime(2, 30) << false;
        QTest::newRow("first start dropped on the 02:00 row")
            << "FREQ=DAILY;COUNT=4" << 0 << QTime(9, 0) << 0 << -420 << QTime(3, 0) << true;
    }
    void springNightDrags()
    {
        QFETCH(QString, rule);
        QFETCH(int, firstDay);
        QFETCH(QTime, time);
        QFETCH(int, columns);
        QFETCH(int, minutes);
        QFETCH(QTime, expected);
        QFETCH(bool, told);
        const QDate night = springNight();
        if (!night.isValid())
            QSKIP("the clocks of this zone skip no 02:00 in 2027");
        AppState* state = m_fixture->state();
        const QDate first = night.addDays(firstDay);
        const QDateTime start = local(first, time.hour(), time.minute());
        Event series = StoreSeed::timedEvent(QStringLiteral("early"), AppState::localCalendarId,
                                             QStringLiteral("Early"), start, start.addSecs(1800));
        series.recurrenceRule = rule;
        series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        QVERIFY(StoreSeed::addEvent(state, series));
        const QStringList before = occurrencesAround(state, night);

        state->setWeekHorizon(7);
        Screen screen(state, false);
        screen.view.setDate(night.addDays(-1));
        QTRY_COMPARE(screen.timeline->firstDate(), night.addDays(-1));
        screen.timeline->grab();
        const QRect block = blockOf(screen.timeline, series.id, 1);
        QVERIFY(block.isValid());
        const int W = screen.timeline->columnWidth();
        const int H = screen.timeline->rowHeight();
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                InputEvents::drag(screen.timeline, block.topLeft() + QPoint(8, 4),
                                  block.topLeft() +
                                      QPoint(8 + columns * W, 4 + qRound(minutes * H / 60.0)));
            },
            [](QWidget* window) {
                if (!ModalSeam::clickButton(window, "All events in the series"))
                    ModalSeam::clickButton(window, "OK");
            });

        // The same days, or each a day on, at the new time: where the clocks skip it, the hour
        // after.
        QStringList after;
        for (const QString& line : before) {
            const QDate day = QDate::fromString(line.left(10), "yyyy-MM-dd").addDays(columns);
            const bool skipped = day == night && expected.hour() == 2;
            after.append(day.toString("yyyy-MM-dd ") +
                         expected.addSecs(skipped ? 3600 : 0).toString("HH:mm"));
        }
        QCOMPARE(occurrencesAround(state, night), after);
        const Event master = *state->events()->getById(series.id);
        QCOMPARE(master.startTime.secsTo(*master.endTime), 1800);
        QCOMPARE(seen.size(), told ? 2 : 1);
        if (told)
            QCOMPARE(seen.at(1).text,
                     RecurringEdit::settledText(state, QStringLiteral("Early"), local(night, 3)));
        state->undoStack()->undo();
        QCOMPARE(occurrencesAround(state, night), before);
    }

    // A new event made on the empty 02:30 row of that night starts when 02:30 is read on that
    // night: at 03:30 summer time.
    void newEventInTheSkippedHour()
    {
        const QDate night = springNight();
        if (!night.isValid())
            QSKIP("the clocks of this zone skip no 02:00 in 2027");
        AppState* state = m_fixture->state();
        state->setWeekHorizon(7);
        Screen screen(state, false);
        screen.view.setDate(night);
        QTRY_COMPARE(screen.timeline->firstDate(), night);
        screen.timeline->grab();
        const int H = screen.timeline->rowHeight();
        QDateTime shown;
        ModalSeam::run(
            [&] {
                QTest::mouseDClick(
                    screen.timeline, Qt::LeftButton, {},
                    QPoint(64 + 10, TimelineGeometry::yForTime(QTime(2, 30), H) + 2));
            },
            [&shown](QWidget* form) {
                shown = form->findChild<DateTimePicker*>()->dateTime();
                form->findChildren<QLineEdit*>().first()->setText(QStringLiteral("Night"));
                ModalSeam::clickButton(form, "Create event");
            });
        const QList<Event> rows = state->events()->getByCalendar(AppState::localCalendarId);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().startTime.toLocalTime(), local(night, 3, 30));
        QCOMPARE(shown, local(night, 3, 30));
    }

    // Blocks follow every change that moves them: a zoom, a wider window and new events, each
    // picked up by the next paint after the last.
    void blocksFollowZoomSizeAndEvents()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        const QDate tuesday = today.addDays(-1);
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent(QStringLiteral("review"), AppState::localCalendarId,
                                         QStringLiteral("Review"), local(tuesday, 9),
                                         local(tuesday, 10))));
        Screen screen(state, true);
        QRect block = blockOf(screen.timeline, QStringLiteral("review"), 1);
        QCOMPARE(block.top(), 9 * screen.timeline->rowHeight());

        state->setHourHeight(state->hourHeight() + 16);
        screen.timeline->grab();
        const int H = screen.timeline->rowHeight();
        block = blockOf(screen.timeline, QStringLiteral("review"), 1);
        QCOMPARE(block.top(), 9 * H);
        QCOMPARE(block.height(), H);

        const int narrow = block.width();
        screen.view.resize(1400, 700);
        screen.timeline->grab();
        block = blockOf(screen.timeline, QStringLiteral("review"), 1);
        QVERIFY(block.width() > narrow);
        QCOMPARE(block.left(), 64 + screen.timeline->columnWidth() + 4);

        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent(QStringLiteral("clash"), AppState::localCalendarId,
                                         QStringLiteral("Clash"), local(tuesday, 9, 30),
                                         local(tuesday, 11))));
        screen.view.reload();
        screen.timeline->grab();
        const QRect first = blockOf(screen.timeline, QStringLiteral("review"), 1);
        const QRect second = blockOf(screen.timeline, QStringLiteral("clash"), 1);
        QVERIFY(second.isValid());
        QVERIFY(first.width() < block.width());
        QVERIFY(!first.intersects(second));
        QCOMPARE(second.top(), 9 * H + H / 2);
    }

    // Scrolled to the afternoon, the later days of an event over several days carry its title
    // at the top of the view, and events without length minutes apart stand side by side.
    void laterDaysAndInstantsAreReadable()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        const QDate tuesday = today.addDays(-1);
        QVERIFY(addTimed(state, QStringLiteral("Trade fair"), local(tuesday, 9),
                         local(tuesday.addDays(3), 9)));
        const QDate monday = today.addDays(-2);
        // Minutes apart: only the block each is drawn as keeps them from one column.
        QVERIFY(addTimed(state, QStringLiteral("Call A"), local(monday, 15), local(monday, 15)));
        QVERIFY(
            addTimed(state, QStringLiteral("Call B"), local(monday, 15, 5), local(monday, 15, 5)));
        Screen screen(state, true);
        WeekTimelineWidget* timeline = screen.timeline;
        const QRect first = blockOf(timeline, QStringLiteral("Call A"), 0);
        const QRect second = blockOf(timeline, QStringLiteral("Call B"), 0);
        QVERIFY(first.isValid() && second.isValid());
        QVERIFY(!first.intersects(second));

        screen.view.scrollArea()->verticalScrollBar()->setValue(14 * timeline->rowHeight());
        const int visibleTop = -timeline->y();
        QVERIFY(visibleTop > 0);
        const QImage image = PixelProbe::render(timeline);
        QFont bold = timeline->font();
        bold.setWeight(QFont::Bold);
        const int titleHeight = QFontMetrics(bold).height();
        const QColor text = timeline->palette().color(QPalette::WindowText);
        for (int column = 2; column <= 3; ++column) {
            const QRect block = blockOf(timeline, QStringLiteral("Trade fair"), column);
            QCOMPARE(block.top(), 0);
            const QRect title(block.left() + 9, visibleTop, block.width() - 15, titleHeight + 3);
            int inked = 0;
            for (int y = title.top(); y <= title.bottom(); ++y)
                for (int x = title.left(); x <= title.right(); ++x)
                    inked += PixelProbe::mismatch(image, {x, y}, text, 60).isEmpty() ? 1 : 0;
            QVERIFY2(inked > 20, qPrintable(QString::number(column)));
        }
    }

    // Five hundred events in one hour of Wednesday: as many stand side by side as fit at a
    // legible width, every block inside Wednesday's column; Saturday's slot at that hour stays
    // empty to the eye and to a click.
    void overlapsStayInsideTheirDay()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        for (int i = 0; i < 500; ++i)
            QVERIFY(addTimed(state, QStringLiteral("Overlap %1").arg(i), local(today, 10),
                             local(today, 11)));
        Screen screen(state, true);
        WeekTimelineWidget* timeline = screen.timeline;
        const QImage image = PixelProbe::render(timeline);
        const int W = timeline->columnWidth();
        const int H = timeline->rowHeight();
        const QRect wednesday(64 + 2 * W, 0, W, 24 * H);
        const QList<WeekTimelineWidget::HitRegion>& regions = timeline->hitRegions();
        QVERIFY(regions.size() > 1);
        QVERIFY(regions.size() < 500);
        for (const WeekTimelineWidget::HitRegion& region : regions) {
            QVERIFY2(wednesday.contains(region.rect), qPrintable(region.eventId));
            QVERIFY(region.rect.width() >= TimelineGeometry::minimumColumnWidth);
        }
        QVERIFY(!HitRegions::first(regions, QStringLiteral("Overlap 217")));

        const QPoint saturday(64 + 5 * W + W / 2, 10 * H + H / 2);
        QCOMPARE(
            PixelProbe::mismatch(image, saturday, timeline->palette().color(QPalette::Base), 3),
            QString());
        QSignalSpy selected(timeline, &WeekTimelineWidget::eventSelected);
        InputEvents::press(timeline, saturday);
        InputEvents::release(timeline, saturday);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().at(0).toString(), QString());
    }

    // A dozen meetings in an hour at 1024 px: those beyond the columns that fit the day are
    // counted by one "+N" mark where the first of them starts. A click on it lists exactly those;
    // Return on a row opens that occurrence's card beside the mark and selects it, and Return on
    // the timeline opens it there again. A row whose event was deleted since the list opened says
    // so and opens no card.
    void hiddenOverlapsAreReachedFromTheirMark()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        QHash<QString, QDateTime> starts;
        for (int i = 0; i < 12; ++i) {
            const QString id = QStringLiteral("Meeting %1").arg(i, 2, 10, QLatin1Char('0'));
            starts.insert(id, local(today, 10, 5 * (i % 4)));
            QVERIFY(addTimed(state, id, starts[id], starts[id].addSecs(3600)));
        }
        Screen screen(state, true);
        screen.view.resize(1024, 700);
        // Where the window settles: the cards are placed in screen coordinates.
        QVERIFY(QTest::qWaitForWindowExposed(&screen.view));
        WeekTimelineWidget* timeline = screen.timeline;
        timeline->grab();
        QStringList hidden = starts.keys();
        for (const WeekTimelineWidget::HitRegion& region : timeline->hitRegions())
            hidden.removeAll(region.eventId);
        std::sort(hidden.begin(), hidden.end());
        QCOMPARE(timeline->hiddenMarks().size(), 1);
        const WeekTimelineWidget::HiddenMark mark = timeline->hiddenMarks().first();
        QCOMPARE(mark.eventIndices.size(), hidden.size());
        const int W = timeline->columnWidth();
        QVERIFY(QRect(64 + 2 * W, 0, W, 24 * timeline->rowHeight()).contains(mark.rect));
        const QString first =
            std::ranges::min(hidden, {}, [&](const QString& id) { return starts[id]; });
        QCOMPARE(mark.rect.top(),
                 TimelineGeometry::yForDateTime(starts[first], today, timeline->rowHeight()));

        QSignalSpy selected(timeline, &WeekTimelineWidget::eventSelected);
        InputEvents::press(timeline, mark.rect.center());
        InputEvents::release(timeline, mark.rect.center());
        QListView* list = screen.view.findChild<EventListCard*>()->list();
        QStringList rows;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            rows.append(list->model()->index(i, 0).data(Qt::UserRole).toString());
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, hidden);

        const QModelIndex last = list->model()->index(int(hidden.size()) - 1, 0);
        list->setCurrentIndex(last);
        QTest::keyClick(list, Qt::Key_Return);
        const QRect markOnScreen(timeline->mapToGlobal(mark.rect.topLeft()), mark.rect.size());
        QCOMPARE(selected.value(0).value(0).toString(), last.data(Qt::UserRole).toString());
        QCOMPARE(selected.value(0).value(2).toRect(), markOnScreen);
        QVERIFY(screen.view.findChild<EventDetailsPopover*>());
        EventDetailsPopover::closeActive();
        timeline->setFocus();
        QTest::keyClick(timeline, Qt::Key_Return);
        QCOMPARE(selected.value(1).value(1).toDateTime(), last.data(Qt::UserRole + 1).toDateTime());
        QCOMPARE(selected.value(1).value(2).toRect(), markOnScreen);

        InputEvents::press(timeline, mark.rect.center());
        InputEvents::release(timeline, mark.rect.center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        list = screen.view.findChild<EventListCard*>()->list();
        const QString deleted = list->currentIndex().data(Qt::UserRole).toString();
        QVERIFY(state->events()->remove(deleted));
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { QTest::keyClick(list, Qt::Key_Return); });
        QCOMPARE(seen.value(0).text, EventChange::goneText(deleted));
        QVERIFY(!screen.view.findChild<EventDetailsPopover*>());
    }

    // A daily series whose Monday and Tuesday occurrences are both left out under "+N" marks: the
    // key walk reaches each, and Return or Delete on the Tuesday one acts on that occurrence,
    // beside its own mark, not on the Monday one.
    void hiddenOccurrencesOfASeriesAreKeptApart_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Delete") << int(Qt::Key_Delete);
    }

    void hiddenOccurrencesOfASeriesAreKeptApart()
    {
        QFETCH(int, key);
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        const QDate monday(2026, 3, 9);
        for (int day = 0; day < 2; ++day) {
            for (int i = 0; i < 12; ++i) {
                const QDateTime start = local(monday.addDays(day), 10, 5 * (i % 4));
                QVERIFY(addTimed(state, QStringLiteral("Meeting %1-%2").arg(day).arg(i), start,
                                 start.addSecs(3600)));
            }
        }
        Event series = StoreSeed::timedEvent(QStringLiteral("standup"), AppState::localCalendarId,
                                             QStringLiteral("Standup"), local(monday, 10, 20),
                                             local(monday, 11, 20));
        series.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=2");
        QVERIFY(StoreSeed::addEvent(state, series));
        Screen screen(state, true);
        screen.view.resize(1024, 700);
        WeekTimelineWidget* timeline = screen.timeline;
        timeline->grab();
        QCOMPARE(blockOf(timeline, series.id, 0), QRect());
        QCOMPARE(blockOf(timeline, series.id, 1), QRect());
        QCOMPARE(timeline->hiddenMarks().size(), 2);
        const QDateTime tuesday = local(monday.addDays(1), 10, 20);
        timeline->setFocus();
        for (int step = 0; step < 40 && timeline->selectedOccurrenceStart() != tuesday; ++step)
            QTest::keyClick(timeline, Qt::Key_Tab);
        QCOMPARE(timeline->selectedEventId(), series.id);
        QCOMPARE(timeline->selectedOccurrenceStart(), tuesday);

        QSignalSpy selected(timeline, &WeekTimelineWidget::eventSelected);
        QSignalSpy deleted(timeline, &WeekTimelineWidget::eventDeleteRequested);
        ModalSeam::run([&] { QTest::keyClick(timeline, Qt::Key(key)); });
        const QList<QVariant> signal = key == Qt::Key_Return ? selected.value(0) : deleted.value(0);
        QCOMPARE(signal.value(0).toString(), series.id);
        QCOMPARE(signal.value(1).toDateTime(), tuesday);
        if (key == Qt::Key_Return) {
            const QRect mark = timeline->hiddenMarks().value(1).rect;
            QCOMPARE(mark.left(),
                     timeline->hiddenMarks().value(0).rect.left() + timeline->columnWidth());
            QCOMPARE(signal.value(2).toRect(),
                     QRect(timeline->mapToGlobal(mark.topLeft()), mark.size()));
        }
    }

    // A double click, the Delete and Return keys or a right click on the block of an event a sync
    // deleted, or removed from the store, before the view was redrawn: the user is told in the
    // words the "+N" list uses, nothing opens and nothing is written.
    void gestureOnAnEventGoneMeanwhileSaysSo_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("removed");
        for (const char* gesture : {"double-click", "Delete key", "Return key", "right click"}) {
            QTest::addRow("%s, deleted", gesture) << gesture << false;
            QTest::addRow("%s, removed", gesture) << gesture << true;
        }
    }

    void gestureOnAnEventGoneMeanwhileSaysSo()
    {
        QFETCH(QString, gesture);
        QFETCH(bool, removed);
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent(QStringLiteral("review"), AppState::localCalendarId,
                                         QStringLiteral("Design review"), local(today, 9),
                                         local(today, 10))));
        Screen screen(state, true);
        WeekTimelineWidget* timeline = screen.timeline;
        const QPoint point = blockOf(timeline, QStringLiteral("review"), 2).center();
        QVERIFY(!point.isNull());
        state->setSelectedEventId(QStringLiteral("review"));
        timeline->setFocus();
        // The store tells the view after a while: the block is still there to act on.
        QVERIFY(removed ? state->events()->hardDelete(QStringLiteral("review"))
                        : state->events()->remove(QStringLiteral("review")));
        const QList<ModalSeam::Seen> seen = ModalSeam::run([&] {
            if (gesture == QLatin1String("Delete key")) {
                QTest::keyClick(timeline, Qt::Key_Delete);
            } else if (gesture == QLatin1String("Return key")) {
                QTest::keyClick(timeline, Qt::Key_Return);
            } else if (gesture == QLatin1String("right click")) {
                QContextMenuEvent rightClick(QContextMenuEvent::Mouse, point,
                                             timeline->mapToGlobal(point));
                QApplication::sendEvent(timeline, &rightClick);
            } else {
                QTest::mouseDClick(timeline, Qt::LeftButton, {}, point);
            }
        });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.value(0).text, EventChange::goneText(QStringLiteral("Design review")));
        QVERIFY(!screen.view.findChild<EventDetailsPopover*>());
        QVERIFY(!state->undoStack()->canUndo());
        const std::optional<Event> left = state->events()->getById(QStringLiteral("review"));
        QCOMPARE(!left, removed);
    }

    // The grid under the blocks follows the workday hours, the zoom and whether today is shown.
    void gridFollowsWorkdayZoomAndToday()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        Screen screen(state, true);
        WeekTimelineWidget* timeline = screen.timeline;
        const QPalette& palette = timeline->palette();
        const QColor base = palette.color(QPalette::Base);
        const QColor shade = PixelProbe::blend(palette.color(QPalette::WindowText), 18, base);
        const QColor tint = PixelProbe::blend(palette.color(QPalette::Highlight), 20, base);
        const int monday = 64 + timeline->columnWidth() / 2;
        const int wednesday = 64 + 2 * timeline->columnWidth() + timeline->columnWidth() / 2;
        const auto at = [&](int hour, int offset) { return timeline->rowHeight() * hour + offset; };

        QImage image = PixelProbe::render(timeline);
        QCOMPARE(PixelProbe::mismatch(image, {monday, at(7, 20)}, shade, 3), QString());
        QCOMPARE(PixelProbe::mismatch(image, {wednesday, at(12, 20)}, tint, 3), QString());

        timeline->setWorkdayHours(6, 20);
        image = PixelProbe::render(timeline);
        QCOMPARE(PixelProbe::mismatch(image, {monday, at(7, 20)}, base, 3), QString());

        state->setHourHeight(state->hourHeight() + 24);
        image = PixelProbe::render(timeline);
        QCOMPARE(PixelProbe::mismatch(image, {monday, at(6, -4)}, shade, 3), QString());
        QCOMPARE(PixelProbe::mismatch(image, {monday, at(6, 4)}, base, 3), QString());

        screen.view.setDate(today.addDays(7));
        QTRY_COMPARE(timeline->firstDate(), screen.view.rangeStart());
        image = PixelProbe::render(timeline);
        QCOMPARE(PixelProbe::mismatch(image, {wednesday, at(12, 20)}, base, 3), QString());
    }
};

QTEST_MAIN(TestWeekView)
#include "tst_weekview.moc"
