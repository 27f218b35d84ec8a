#include "AppState.h"
#include "AppStateFixture.h"
#include "Database.h"
#include "DateTimePicker.h"
#include "DayTimelineWidget.h"
#include "DayView.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventListCard.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "GuiEnvironment.h"
#include "Ical.h"
#include "InputEvents.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PixelProbe.h"
#include "Recurrence.h"
#include "StoreSeed.h"
#include "TestTime.h"
#include "Theme.h"
#include "UndoStack.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

QDateTime local(int dayOffset, const QString& hhmm)
{
    return QDateTime(AppStateFixture::defaultNow().date().addDays(dayOffset),
                     QTime::fromString(hhmm, QStringLiteral("HH:mm")), QTimeZone::systemTimeZone());
}

// A synced event whose iCalendar text the server has seen.
Event stored(const QString& id, const QDateTime& start, const QDateTime& end)
{
    Event event = StoreSeed::timedEvent(id, AppState::localCalendarId, id, start, end);
    event.etag = QStringLiteral("etag-1");
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

QDateTime sentStart(const Event& row)
{
    const QList<Event> parsed = Ical::parseEvents(row.rawIcalendar);
    return parsed.size() == 1 ? parsed.first().startTime : QDateTime();
}

// Pixels of `area` within 60 of `colour` in each channel.
int countNear(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += PixelProbe::mismatch(image, {x, y}, colour, 60).isEmpty() ? 1 : 0;
    return count;
}

// A day view over the fixture's store, laid out and painted once, so its blocks are known.
struct Screen
{
    explicit Screen(AppState* state) : view(state)
    {
        view.resize(900, 700);
        view.show();
        refresh();
    }
    void refresh()
    {
        view.reload();
        image = timeline()->grab().toImage();
    }
    DayTimelineWidget* timeline() const { return view.timeline(); }
    // Asks for the context menu at `point` of the timeline, as a right click does.
    void openMenuAt(const QPoint& point) const
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, timeline()->mapToGlobal(point));
        QApplication::sendEvent(timeline(), &event);
    }
    QList<DayTimelineWidget::HitRegion> regions(const QString& id) const
    {
        QList<DayTimelineWidget::HitRegion> found;
        for (const auto& region : timeline()->hitRegions())
            if (region.eventId == id)
                found.append(region);
        return found;
    }
    DayView view;
    QImage image;
};

} // namespace

class TestDayView : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
    }
    void cleanup() { m_fixture.reset(); }

    // A block dragged 22 pixels down at 56 pixels an hour shows its ghost and label half an
    // hour later; the release stores the event pending with its iCalendar start rewritten, and
    // undo brings back the old record as it was. Its bottom edge resizes it.
    void dragMovesResizesAndUndoes()
    {
        AppState* state = m_fixture->state();
        const Event before = stored("Review", local(0, "10:00"), local(0, "11:00"));
        QVERIFY(state->events()->insert(before));
        Screen screen(state);
        const QRect block = screen.regions("Review").value(0).rect;
        QCOMPARE(block.top(), 560);

        const QRect labelStrip(72, block.top() + 10, 8, 16); // left of the title, inside the block
        const int darkBefore = countNear(screen.image, labelStrip, Theme::textPrimary());
        const QPoint press(block.center().x(), block.top() + 20);
        InputEvents::press(screen.timeline(), press);
        InputEvents::move(screen.timeline(), press + QPoint(0, 11));
        InputEvents::move(screen.timeline(), press + QPoint(0, 22));
        QCOMPARE(screen.timeline()->dragState(), DayTimelineWidget::Moving);
        QCOMPARE(screen.timeline()->dragMinutes(), 30);

        const QImage dragging = screen.timeline()->grab().toImage();
        const QColor base = screen.timeline()->palette().base().color();
        // Below the original block only the ghost (accent at alpha 40) covers the base.
        const QPoint belowBlock(block.center().x(), block.bottom() + 14);
        QCOMPARE(PixelProbe::mismatch(dragging, belowBlock,
                                      PixelProbe::blend(Theme::accent(), 40, base), 8),
                 QString());
        QCOMPARE(PixelProbe::mismatch(screen.image, belowBlock, base, 8), QString());
        // The time label stands just above the ghost's top (588).
        QVERIFY(countNear(dragging, labelStrip, Theme::textPrimary()) > darkBefore);

        InputEvents::release(screen.timeline(), press + QPoint(0, 22));
        const Event moved = *state->events()->getById("Review");
        QCOMPARE(moved.startTime, local(0, "10:30"));
        QCOMPARE(*moved.endTime, local(0, "11:30"));
        QCOMPARE(moved.syncStatus, QStringLiteral("pending"));
        QCOMPARE(sentStart(moved), local(0, "10:30"));
        QCOMPARE(state->undoStack()->nextSummary(), QStringLiteral("Moved \"Review\""));

        state->undoStack()->undo();
        const Event undone = *state->events()->getById("Review");
        QCOMPARE(undone.startTime, local(0, "10:00"));
        QCOMPARE(undone.syncStatus, QStringLiteral("synced"));
        QCOMPARE(undone.rawIcalendar, before.rawIcalendar);

        // A press on the bottom edge resizes; two hours up leaves the event 15 minutes long.
        screen.refresh();
        const QPoint edge(block.center().x(), screen.regions("Review").value(0).rect.bottom() - 1);
        InputEvents::press(screen.timeline(), edge);
        QCOMPARE(screen.timeline()->dragState(), DayTimelineWidget::Resizing);
        InputEvents::move(screen.timeline(), edge - QPoint(0, 112));
        InputEvents::release(screen.timeline(), edge - QPoint(0, 112));
        QCOMPARE(*state->events()->getById("Review")->endTime, local(0, "10:15"));
        QCOMPARE(state->undoStack()->nextSummary(), QStringLiteral("Resized \"Review\""));
    }

    // The first showing scrolls to the start of the working day, or, outside working hours
    // today, so that the current time sits a third down the viewport.
    void scrollsToTheWorkingDay_data()
    {
        QTest::addColumn<QString>("now");
        QTest::newRow("working hours") << "10:00";
        QTest::newRow("evening") << "19:00";
    }
    void scrollsToTheWorkingDay()
    {
        QFETCH(QString, now);
        m_fixture.reset();
        m_fixture = std::make_unique<AppStateFixture>(local(0, now));
        QVERIFY(m_fixture->start());
        DayView view(m_fixture->state());
        view.resize(900, 400);
        view.show();
        const int viewport = view.scrollArea()->viewport()->height();
        QVERIFY(viewport > 0 && viewport < 400);
        const int expected = now == QLatin1String("10:00") ? 8 * 56 : 19 * 56 - viewport / 3;
        QCOMPARE(view.scrollArea()->verticalScrollBar()->value(), expected);
    }

    // Ctrl + wheel zooms by 8 pixels a notch through the hub and the timeline follows; a
    // touchpad's fraction of a notch does nothing.
    void ctrlWheelZooms()
    {
        AppState* state = m_fixture->state();
        Screen screen(state);
        InputEvents::wheel(screen.timeline(), QPoint(300, 300), 240, Qt::ControlModifier);
        QCOMPARE(state->hourHeight(), 72);
        QCOMPARE(screen.timeline()->hourHeight(), 72);
        InputEvents::wheel(screen.timeline(), QPoint(300, 300), 60, Qt::ControlModifier);
        InputEvents::wheel(screen.timeline(), QPoint(300, 300), -120, Qt::ControlModifier);
        QCOMPARE(state->hourHeight(), 64);
    }

    // Last night's occurrence of a 22:00-02:00 series fills the top of the day; a click on it
    // hands on that occurrence's own start, and neither block can be dragged.
    void nightSeriesBlocks()
    {
        AppState* state = m_fixture->state();
        Event night = stored("Night shift", local(-5, "22:00"), local(-4, "02:00"));
        night.recurrenceRule = QStringLiteral("FREQ=DAILY");
        night.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        QVERIFY(state->events()->insert(night));
        Screen screen(state);
        const QList<DayTimelineWidget::HitRegion> blocks = screen.regions("Night shift");
        QCOMPARE(blocks.size(), 2);
        const auto early = blocks[0].rect.top() == 0 ? blocks[0] : blocks[1];
        const auto late = blocks[0].rect.top() == 0 ? blocks[1] : blocks[0];
        QCOMPARE(early.rect.height(), 2 * 56);
        QCOMPARE(early.occurrenceStart, local(0, "00:00"));
        QCOMPARE(early.instanceStart, local(-1, "22:00"));
        QCOMPARE(late.rect.top(), 22 * 56);
        QCOMPARE(late.instanceStart, local(0, "22:00"));

        QSignalSpy selected(screen.timeline(), &DayTimelineWidget::eventSelected);
        InputEvents::press(screen.timeline(), early.rect.center());
        QCOMPARE(screen.timeline()->dragState(), DayTimelineWidget::Idle);
        InputEvents::move(screen.timeline(), early.rect.center() + QPoint(0, 30));
        InputEvents::release(screen.timeline(), early.rect.center() + QPoint(0, 30));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected[0][0].toString(), QStringLiteral("Night shift"));
        QCOMPARE(selected[0][1].toDateTime(), local(-1, "22:00"));
        QCOMPARE(state->selectedEventId(), QStringLiteral("Night shift"));
        QCOMPARE(state->events()->getById("Night shift")->startTime, night.startTime);
    }

    // Events without length, at one time or minutes apart, are drawn at the minimum height side
    // by side, and a click on each selects that one.
    void instantsStandSideBySide()
    {
        AppState* state = m_fixture->state();
        const QStringList ids{"Call A", "Call B", "Call C"};
        QVERIFY(state->events()->insert(stored(ids[0], local(0, "10:00"), local(0, "10:00"))));
        QVERIFY(state->events()->insert(stored(ids[1], local(0, "10:00"), local(0, "10:00"))));
        QVERIFY(state->events()->insert(stored(ids[2], local(0, "10:05"), local(0, "10:05"))));
        Screen screen(state);
        QSignalSpy selected(screen.timeline(), &DayTimelineWidget::eventSelected);
        const int titleHeight = QFontMetrics(screen.timeline()->font()).height();
        QList<QRect> blocks;
        for (const QString& id : ids) {
            const QRect block = screen.regions(id).value(0).rect;
            QVERIFY2(block.height() >= titleHeight, qPrintable(id));
            for (const QRect& other : std::as_const(blocks))
                QVERIFY2(!block.intersects(other), qPrintable(id));
            blocks.append(block);
            InputEvents::press(screen.timeline(), block.center());
            InputEvents::release(screen.timeline(), block.center());
            QCOMPARE(selected.last().at(0).toString(), id);
        }
    }

    // Five hundred events in one hour: one "+N" mark at 10:00 counts those no column shows. A
    // click on it lists exactly those, and a click on a row opens that event's card and selects it.
    // A row whose event a sync has deleted since the list opened says so, on a click or a right
    // click, and opens no card or menu.
    void hiddenOverlapsAreReachedFromTheirMark()
    {
        AppState* state = m_fixture->state();
        QStringList hidden;
        for (int i = 0; i < 500; ++i) {
            hidden.append(QStringLiteral("Overlap %1").arg(i, 3, 10, QLatin1Char('0')));
            QVERIFY(state->events()->insert(
                stored(hidden.last(), local(0, "10:00"), local(0, "11:00"))));
        }
        Screen screen(state);
        QVERIFY(QTest::qWaitForWindowExposed(&screen.view));
        DayTimelineWidget* timeline = screen.timeline();
        for (const DayTimelineWidget::HitRegion& region : timeline->hitRegions())
            hidden.removeAll(region.eventId);
        QCOMPARE(timeline->hiddenMarks().size(), 1);
        const DayTimelineWidget::HiddenMark mark = timeline->hiddenMarks().first();
        QCOMPARE(mark.eventIndices.size(), hidden.size());
        QCOMPARE(mark.rect.top(), timeline->yForTime(QTime(10, 0)));

        InputEvents::press(timeline, mark.rect.center());
        InputEvents::release(timeline, mark.rect.center());
        QListView* list = screen.view.findChild<EventListCard*>()->list();
        QStringList rows;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            rows.append(list->model()->index(i, 0).data(Qt::UserRole).toString());
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, hidden);

        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        list->scrollTo(last);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(last).center());
        QCOMPARE(state->selectedEventId(), last.data(Qt::UserRole).toString());
        QVERIFY(screen.view.findChild<EventDetailsPopover*>());

        InputEvents::press(timeline, mark.rect.center());
        InputEvents::release(timeline, mark.rect.center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        list = screen.view.findChild<EventListCard*>()->list();
        const QModelIndex first = list->model()->index(0, 0);
        const QString gone = first.data(Qt::UserRole).toString();
        QVERIFY(state->events()->hardDelete(gone));
        const QPoint row = list->visualRect(first).center();
        QList<ModalSeam::Seen> seen = ModalSeam::run([&] {
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, row,
                                         list->viewport()->mapToGlobal(row));
            QApplication::sendEvent(list->viewport(), &rightClick);
        });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.value(0).text, EventChange::goneText(gone));
        seen =
            ModalSeam::run([&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row); });
        QCOMPARE(seen.value(0).text, EventChange::goneText(gone));
        QVERIFY(!screen.view.findChild<EventDetailsPopover*>());
    }

    // Tab walks the timed events by start and wraps; Shift+Tab and Backtab walk back.
    void keyboardWalkWraps()
    {
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("b", local(0, "11:00"), local(0, "12:00"))));
        QVERIFY(state->events()->insert(stored("c", local(0, "14:00"), local(0, "15:00"))));
        QVERIFY(state->events()->insert(stored("a", local(0, "09:00"), local(0, "10:00"))));
        Screen screen(state);
        QWidget* timeline = screen.timeline();
        QTest::keyClick(timeline, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(state->selectedEventId(), QStringLiteral("c"));
        QTest::keyClick(timeline, Qt::Key_Tab);
        QCOMPARE(state->selectedEventId(), QStringLiteral("a"));
        QTest::keyClick(timeline, Qt::Key_Down);
        QTest::keyClick(timeline, Qt::Key_Tab);
        QCOMPARE(state->selectedEventId(), QStringLiteral("c"));
        QTest::keyClick(timeline, Qt::Key_Tab);
        QCOMPARE(state->selectedEventId(), QStringLiteral("a"));
        QTest::keyClick(timeline, Qt::Key_Backtab);
        QCOMPARE(state->selectedEventId(), QStringLiteral("c"));
        QTest::keyClick(timeline, Qt::Key_Up);
        QCOMPARE(state->selectedEventId(), QStringLiteral("b"));
    }

    // A double-click on a block edits it; one into empty time proposes a new event at the
    // quarter hour under the pointer (23:58 gives 23:45), lasting an hour.
    void doubleClickOpensTheForm()
    {
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("Lunch", local(0, "12:00"), local(0, "13:00"))));
        Screen screen(state);
        const QPoint onBlock = screen.regions("Lunch").value(0).rect.center();
        const QPoint lateSlot(400, 23 * 56 + 54);
        QDateTime proposedStart;
        QDateTime proposedEnd;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                QTest::mouseDClick(screen.timeline(), Qt::LeftButton, {}, onBlock);
                QTest::mouseDClick(screen.timeline(), Qt::LeftButton, {}, lateSlot);
            },
            QList<ModalSeam::Answer>{{}, [&](QWidget* form) {
                                         const auto pickers = form->findChildren<DateTimePicker*>();
                                         proposedStart = pickers.value(0)->dateTime();
                                         proposedEnd = pickers.value(1)->dateTime();
                                     }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].title, QStringLiteral("Edit Event"));
        QCOMPARE(seen[1].title, QStringLiteral("New Event"));
        QCOMPARE(proposedStart, local(0, "23:45"));
        QCOMPARE(proposedEnd, local(1, "00:45"));
    }

    // Delete from the context menu after the confirmation; undo brings the event back.
    void contextMenuDeleteThenUndo()
    {
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("Lunch", local(0, "12:00"), local(0, "13:00"))));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { screen.openMenuAt(point); },
            QList<ModalSeam::Answer>{
                [](QWidget* menu) { QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete")); },
                [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "Yes")); }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].text, QStringLiteral("Edit…|Delete||Create Filter from Event…"));
        QCOMPARE(seen[1].title, QStringLiteral("Delete event?"));
        QVERIFY(seen[1].text.startsWith(QStringLiteral("Delete \"Lunch\"? You can undo with ")));
        QVERIFY(state->events()->getById("Lunch")->deletedAt);
        QCOMPARE(state->undoStack()->nextSummary(), QStringLiteral("Deleted \"Lunch\""));
        state->undoStack()->undo();
        QVERIFY(!state->events()->getById("Lunch")->deletedAt);
    }

    // A title from a server at any length: the question quotes a row's length of it.
    void deleteQuestionQuotesARowsLengthOfTheTitle()
    {
        AppState* state = m_fixture->state();
        Event event = stored("Lunch", local(0, "12:00"), local(0, "13:00"));
        event.title = QString(1'000'000, u'l');
        QVERIFY(state->events()->insert(event));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { screen.openMenuAt(point); },
            QList<ModalSeam::Answer>{
                [](QWidget* menu) { QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete")); },
                [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "No")); }});
        QCOMPARE(seen.size(), 2);
        QVERIFY(seen[1].text.startsWith(QStringLiteral("Delete \"") +
                                        event.title.left(Limits::maxRowTextChars) + QChar(0x2026) +
                                        QStringLiteral("\"? You can undo with ")));
        QVERIFY(!state->events()->getById("Lunch")->deletedAt);
    }

    // A sync that lands while the menu or the question is open is what the delete acts on: the
    // question names the new title, undo brings back the newer copy, "This event only" keeps the
    // series' new title and adds the exclusion to it. An event removed meanwhile is reported and
    // nothing is written.
    void deleteActsOnWhatIsStoredWhenAnswered_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<int>("changedIn"); // 0 while the menu is open, 1 while the question is
        QTest::addColumn<bool>("removed");
        QTest::newRow("one event, menu") << false << 0 << false;
        QTest::newRow("one event, question") << false << 1 << false;
        QTest::newRow("one event removed, question") << false << 1 << true;
        QTest::newRow("series, scope question") << true << 1 << false;
        QTest::newRow("series removed, scope question") << true << 1 << true;
    }
    void deleteActsOnWhatIsStoredWhenAnswered()
    {
        QFETCH(bool, series);
        QFETCH(int, changedIn);
        QFETCH(bool, removed);
        AppState* state = m_fixture->state();
        Event lunch =
            stored("Lunch", local(series ? -3 : 0, "12:00"), local(series ? -3 : 0, "13:00"));
        if (series)
            lunch.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(state->events()->insert(lunch));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        // What a sync writes: a new title, and for one event a new time.
        const auto sync = [&] {
            if (removed) {
                QVERIFY(state->events()->hardDelete("Lunch"));
                return;
            }
            Event synced = *state->events()->getById("Lunch");
            synced.title = QStringLiteral("Lunch, moved");
            if (!series) {
                synced.startTime = local(0, "14:00");
                synced.endTime = local(0, "15:00");
            }
            synced.etag = QStringLiteral("etag-2");
            QVERIFY(state->events()->update(synced));
        };
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { screen.openMenuAt(point); },
            QList<ModalSeam::Answer>{[&](QWidget* menu) {
                                         if (changedIn == 0)
                                             sync();
                                         QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete"));
                                     },
                                     [&](QWidget* question) {
                                         if (changedIn == 1)
                                             sync();
                                         QVERIFY(ModalSeam::clickButton(
                                             question, series ? "This event only" : "Yes"));
                                     }});
        if (removed) {
            QCOMPARE(seen.size(), 3);
            QCOMPARE(seen[2].text, QStringLiteral("\"Lunch\" was deleted or moved to another "
                                                  "calendar meanwhile, so nothing was changed."));
            QVERIFY(!state->undoStack()->canUndo());
            QVERIFY(!state->events()->getById("Lunch"));
            return;
        }
        QCOMPARE(seen.size(), 2);
        if (series) {
            const Event master = *state->events()->getById("Lunch");
            QCOMPARE(master.title, QStringLiteral("Lunch, moved"));
            QVERIFY(!master.deletedAt);
            QVERIFY(master.exceptionDates.contains(
                Recurrence::recurrenceIdFor(local(0, "12:00"), false)));
            QCOMPARE(Ical::parseEvents(master.rawIcalendar).value(0).title,
                     QStringLiteral("Lunch, moved"));
            return;
        }
        if (changedIn == 0)
            QVERIFY(seen[1].text.startsWith(QStringLiteral("Delete \"Lunch, moved\"?")));
        QVERIFY(state->events()->getById("Lunch")->deletedAt);
        QCOMPARE(state->undoStack()->nextSummary(), QStringLiteral("Deleted \"Lunch, moved\""));
        state->undoStack()->undo();
        const Event restored = *state->events()->getById("Lunch");
        QVERIFY(!restored.deletedAt);
        QCOMPARE(restored.title, QStringLiteral("Lunch, moved"));
        QCOMPARE(restored.startTime, local(0, "14:00"));
        QCOMPARE(restored.etag, QStringLiteral("etag-2"));
    }

    // A drag of an occurrence asks the scope; a sync that renames the series meanwhile stays, and
    // "This event only" moves the occurrence as the renamed series shows it.
    void seriesDragActsOnTheSeriesAsAnswered()
    {
        AppState* state = m_fixture->state();
        Event lunch = stored("Lunch", local(-3, "12:00"), local(-3, "13:00"));
        lunch.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(state->events()->insert(lunch));
        Screen screen(state);
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { screen.view.commitMove("Lunch", local(0, "12:00"), 60); },
                           [&](QWidget* question) {
                               Event synced = *state->events()->getById("Lunch");
                               synced.title = QStringLiteral("Lunch, moved");
                               QVERIFY(state->events()->update(synced));
                               QVERIFY(ModalSeam::clickButton(question, "This event only"));
                           });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Edit Recurring Event"));
        QCOMPARE(state->events()->getById("Lunch")->title, QStringLiteral("Lunch, moved"));
        const QList<Event> rows = state->events()->getSeries(lunch.uid, lunch.calendarId);
        QCOMPARE(rows.size(), 2);
        const Event moved = rows[0].recurrenceId.isEmpty() ? rows[1] : rows[0];
        QCOMPARE(moved.startTime, local(0, "13:00"));
        QCOMPARE(moved.title, QStringLiteral("Lunch, moved"));
    }

    // On the night the clocks skip 02:00, a 09:00 block dropped on the 02:30 row lands on 02:30
    // as that night reads it (03:30 summer time), counted on the wall clock, not at 01:30; all
    // events of a series go to 02:30. A new event made on a row of that night (a double click)
    // starts at the row's wall time as that night reads it.
    void dropOnTheSkippedHour_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("made");  // a new event made on the slot instead of a drop
        QTest::addColumn<QTime>("slot"); // the row dropped on or made on
        QTest::addColumn<QStringList>(
            "expected"); // day after the night, hh:mm, on the machine's clock
        QTest::newRow("one event") << QString() << false << QTime(2, 30) << QStringList{"0 03:30"};
        QTest::newRow("all events of a series") << "FREQ=DAILY;COUNT=3" << false << QTime(2, 30)
                                                << QStringList{"-1 02:30", "0 03:30", "1 02:30"};
        QTest::newRow("new event") << QString() << true << QTime(2, 30) << QStringList{"0 03:30"};
        QTest::newRow("new event after the skipped hour")
            << QString() << true << QTime(3, 0) << QStringList{"0 03:00"};
    }
    void dropOnTheSkippedHour()
    {
        QFETCH(QString, rule);
        QFETCH(bool, made);
        QFETCH(QTime, slot);
        QFETCH(QStringList, expected);
        const QDate night = TestTime::springNight();
        const QTimeZone zone = QTimeZone::systemTimeZone();
        if (!night.isValid())
            QSKIP("the clocks of this zone skip no 02:00 in 2027");
        AppState* state = m_fixture->state();
        if (made) {
            Screen screen(state);
            screen.view.setDate(night);
            screen.refresh();
            ModalSeam::run(
                [&] {
                    QTest::mouseDClick(screen.timeline(), Qt::LeftButton, {},
                                       QPoint(400, screen.timeline()->yForTime(slot) + 2));
                },
                [](QWidget* form) {
                    form->findChildren<QLineEdit*>().first()->setText(QStringLiteral("Bake"));
                    QVERIFY(ModalSeam::clickButton(form, "Create event"));
                });
        } else {
            const QDate first = rule.isEmpty() ? night : night.addDays(-1);
            Event row = stored("Bake", QDateTime(first, QTime(9, 0), zone),
                               QDateTime(first, QTime(9, 30), zone));
            row.recurrenceRule = rule;
            row.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
            QVERIFY(state->events()->insert(row));
            Screen screen(state);
            ModalSeam::run(
                [&] {
                    screen.view.commitMove("Bake", QDateTime(night, QTime(9, 0), zone),
                                           QTime(9, 0).secsTo(slot) / 60);
                },
                [](QWidget* question) {
                    QVERIFY(ModalSeam::clickButton(question, "All events in the series"));
                });
        }
        const QDateTime from(night.addDays(-2), QTime(12, 0), zone);
        const QDateTime to(night.addDays(2), QTime(12, 0), zone);
        QStringList shown;
        for (const Event& occurrence :
             Recurrence::expand(state->events()->getInRange(from, to, {}), from, to)) {
            const QDateTime start = occurrence.startTime.toLocalTime();
            shown.append(QString::number(night.daysTo(start.date())) + u' ' +
                         start.toString(QStringLiteral("HH:mm")));
            QCOMPARE(occurrence.startTime.secsTo(*occurrence.endTime), made ? 3600 : 1800);
        }
        QCOMPARE(shown, expected);
    }

    // A sync while the menu is open repaints the blocks, another event where the chosen one was:
    // "Edit…" still opens the event the menu was opened on.
    void contextMenuOutlivesTheBlocksItWasOpenedOn()
    {
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("Lunch", local(0, "12:00"), local(0, "13:00"))));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        QDateTime formStart;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { screen.openMenuAt(point); },
            QList<ModalSeam::Answer>{
                [&](QWidget* menu) {
                    for (const char* id : {"Breakfast", "Brunch"})
                        QVERIFY(state->events()->insert(
                            stored(QString::fromLatin1(id), local(0, "08:00"), local(0, "09:00"))));
                    screen.refresh();
                    QCOMPARE(screen.regions("Lunch").size(), 1);
                    QVERIFY(ModalSeam::chooseMenuAction(menu, "Edit…"));
                },
                [&](QWidget* form) {
                    formStart = form->findChildren<DateTimePicker*>().value(0)->dateTime();
                }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].title, QStringLiteral("Edit Event"));
        QCOMPARE(formStart, local(0, "12:00"));
    }

    // A click opens the event's card, which takes the keyboard focus: Delete there does what the
    // card's "Delete" does, here for an occurrence of a series, which asks which occurrences.
    void deleteKeyOnTheOpenCard()
    {
        AppState* state = m_fixture->state();
        Event lunch = stored("Lunch", local(-3, "12:00"), local(-3, "13:00"));
        lunch.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(state->events()->insert(lunch));
        Screen screen(state);
        screen.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen.view));
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        InputEvents::press(screen.timeline(), point);
        InputEvents::release(screen.timeline(), point);
        const auto* card = screen.view.findChild<EventDetailsPopover*>();
        QVERIFY(card && card->isVisible());
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && (focus == card || card->isAncestorOf(focus)));

        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { QTest::keyClick(focus, Qt::Key_Delete); },
            [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "This event only")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Delete Recurring Event"));
        screen.refresh();
        QVERIFY(screen.regions("Lunch").isEmpty());
    }

    // Duplicate on the card a click on today's occurrence opens copies that occurrence: a new
    // series with the series' rule that starts today, not a second copy of the whole series.
    void duplicateOfAnOccurrenceStartsThere()
    {
        AppState* state = m_fixture->state();
        Event lunch = stored("Lunch", local(-3, "12:00"), local(-3, "13:00"));
        lunch.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=10");
        QVERIFY(state->events()->insert(lunch));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        InputEvents::press(screen.timeline(), point);
        InputEvents::release(screen.timeline(), point);
        auto* card = screen.view.findChild<EventDetailsPopover*>();
        QVERIFY(card);
        const QList<QPushButton*> buttons = card->findChildren<QPushButton*>();
        const auto duplicate = std::find_if(buttons.cbegin(), buttons.cend(), [](auto* button) {
            return button->text() == QStringLiteral("Duplicate");
        });
        QVERIFY(duplicate != buttons.cend());
        (*duplicate)->click();

        const QList<Event> rows = state->events()->getByCalendar(AppState::localCalendarId);
        QCOMPARE(rows.size(), 2);
        const Event copy = rows[0].id == lunch.id ? rows[1] : rows[0];
        QCOMPARE(copy.title, QStringLiteral("Lunch (copy)"));
        QCOMPARE(copy.startTime, local(0, "12:00"));
        QCOMPARE(*copy.endTime, local(0, "13:00"));
        QCOMPARE(copy.recurrenceRule, lunch.recurrenceRule);
        QVERIFY(copy.recurrenceId.isEmpty() && copy.uid != lunch.uid);
    }

    // The filter entries of the event menu: the rule that matches the event opens for editing;
    // a new rule starts from the event itself, as stored once the menu has closed.
    void contextMenuFilterEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("renamedMeanwhile");
        QTest::addRow("edit") << "Edit filter \"Meals\"…"
                              << "Edit Filter"
                              << "Meals" << QString();
        QTest::addRow("create") << "Create Filter from Event…"
                                << "Add Filter"
                                << "Lunch" << QString();
        QTest::addRow("create, renamed meanwhile") << "Create Filter from Event…"
                                                   << "Add Filter"
                                                   << "Team lunch"
                                                   << "Team lunch";
    }

    void contextMenuFilterEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, title);
        QFETCH(QString, shows);
        QFETCH(QString, renamedMeanwhile);
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("Lunch", local(0, "12:00"), local(0, "13:00"))));
        FilterRule rule;
        rule.id = rule.name = QStringLiteral("Meals");
        rule.type = QStringLiteral("pattern");
        rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["lunch"]})");
        rule.action = QStringLiteral("dim"); // a dimmed event stays on screen to be clicked
        QVERIFY(state->filterRules()->insert(rule));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        bool found = false;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { screen.openMenuAt(point); },
            QList<ModalSeam::Answer>{
                [&](QWidget* menu) {
                    if (!renamedMeanwhile.isEmpty()) {
                        Event synced = *state->events()->getById("Lunch");
                        synced.title = renamedMeanwhile;
                        QVERIFY(state->events()->update(synced));
                    }
                    QVERIFY(ModalSeam::chooseMenuAction(menu, entry));
                },
                [&](QWidget* form) {
                    const QList<QLineEdit*> edits = form->findChildren<QLineEdit*>();
                    const QList<QLabel*> labels = form->findChildren<QLabel*>();
                    found = std::any_of(edits.cbegin(), edits.cend(),
                                        [&](auto* e) { return e->text().contains(shows); }) ||
                            std::any_of(labels.cbegin(), labels.cend(), [&](auto* l) {
                                return l->isVisibleTo(form) && l->text().contains(shows);
                            });
                }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].className, QStringLiteral("FilterFormDialog"));
        QCOMPARE(seen[1].title, title);
        QVERIFY2(found, qPrintable(shows));
    }

    // "Edit…" or "Delete" chosen on an event a sync removed, deleted or moved to another
    // calendar while the menu was open: the user is told, nothing is written and nothing opens.
    // So do a double click, the Delete and Return keys and a right click on the block of an event
    // a sync deleted or removed from the store before the view was redrawn.
    void editOrDeleteOfAnEventGoneMeanwhileSaysSo_data()
    {
        QTest::addColumn<QString>("entry"); // of the menu, else the gesture on the block
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("series");
        for (const char* entry : {"Edit…", "Delete"}) {
            for (const char* change : {"removed", "deleted", "moved"})
                QTest::addRow("%s, %s", entry, change) << entry << change << false;
            QTest::addRow("%s, series removed", entry) << entry << "removed" << true;
        }
        for (const char* gesture : {"double-click", "Delete key", "Return key", "right click"}) {
            for (const char* change : {"deleted", "removed"})
                QTest::addRow("%s, %s", gesture, change) << gesture << change << false;
        }
        QTest::addRow("double-click, series removed") << "double-click"
                                                      << "removed" << true;
    }

    void editOrDeleteOfAnEventGoneMeanwhileSaysSo()
    {
        QFETCH(QString, entry);
        QFETCH(QString, change);
        QFETCH(bool, series);
        AppState* state = m_fixture->state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("home", "Home", "caldav"),
                                       StoreSeed::calendar("other", "home", "Other", "#e67c73")));
        const int dayOffset = series ? -3 : 0;
        Event lunch = stored("Lunch", local(dayOffset, "12:00"), local(dayOffset, "13:00"));
        if (series)
            lunch.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(state->events()->insert(lunch));
        Screen screen(state);
        const QPoint point = screen.regions("Lunch").value(0).rect.center();
        const auto sync = [&] {
            Event moved = *state->events()->getById("Lunch");
            moved.calendarId = QStringLiteral("other");
            return change == QLatin1String("removed")   ? state->events()->hardDelete("Lunch")
                   : change == QLatin1String("deleted") ? state->events()->remove("Lunch")
                                                        : state->events()->update(moved);
        };
        const bool fromMenu = entry == QStringLiteral("Edit…") || entry == QLatin1String("Delete");
        QList<ModalSeam::Seen> seen;
        if (fromMenu) {
            const auto changeThenChoose = [&](QWidget* menu) {
                QVERIFY(sync());
                QVERIFY(ModalSeam::chooseMenuAction(menu, entry));
            };
            seen = ModalSeam::run([&] { screen.openMenuAt(point); },
                                  QList<ModalSeam::Answer>{changeThenChoose});
        } else {
            // The store tells the view after a while: the block is still there to act on.
            state->setSelectedEventId(QStringLiteral("Lunch"));
            QVERIFY(sync());
            seen = ModalSeam::run([&] {
                if (entry == QLatin1String("Delete key"))
                    QTest::keyClick(screen.timeline(), Qt::Key_Delete);
                else if (entry == QLatin1String("Return key"))
                    QTest::keyClick(screen.timeline(), Qt::Key_Return);
                else if (entry == QLatin1String("right click"))
                    screen.openMenuAt(point);
                else
                    QTest::mouseDClick(screen.timeline(), Qt::LeftButton, {}, point);
            });
            QVERIFY(!screen.view.findChild<EventDetailsPopover*>());
        }
        QCOMPARE(seen.size(), fromMenu ? 2 : 1);
        QCOMPARE(seen.last().text, QStringLiteral("\"Lunch\" was deleted or moved to another "
                                                  "calendar meanwhile, so nothing was changed."));
        QVERIFY(!state->undoStack()->canUndo());
        const std::optional<Event> left = state->events()->getById("Lunch");
        QCOMPARE(bool(left), change != QLatin1String("removed"));
        if (change == QLatin1String("moved"))
            QVERIFY(!left->deletedAt && left->calendarId == QLatin1String("other"));
    }

    // A write the store refuses is reported and leaves nothing to undo; an undo of an event
    // that vanished meanwhile is reported, not silently dropped.
    void failuresAreReported()
    {
        AppState* state = m_fixture->state();
        QVERIFY(state->events()->insert(stored("Gym", local(0, "18:00"), local(0, "19:00"))));
        QVERIFY(state->events()->insert(stored("Run", local(0, "07:00"), local(0, "08:00"))));
        Screen screen(state);
        const QDateTime gymStart = local(0, "18:00");

        QSqlQuery refuse(state->database()->database());
        QVERIFY(refuse.exec("CREATE TRIGGER refuse BEFORE UPDATE ON events "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { screen.view.commitMove("Gym", gymStart, 30); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("Could not save the change to \"Gym\"."));
        QVERIFY(!state->undoStack()->canUndo());
        QVERIFY(refuse.exec("DROP TRIGGER refuse"));

        screen.view.commitResize("Run", local(0, "07:00"), 30);
        QVERIFY(state->events()->hardDelete("Run"));
        seen = ModalSeam::run([&] { state->undoStack()->undo(); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("Could not undo: \"Run\" no longer exists."));
        QVERIFY(!state->events()->getById("Run"));
    }
};

QTEST_MAIN(TestDayView)
#include "tst_dayview.moc"
