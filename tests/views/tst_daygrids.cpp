#include "AppState.h"
#include "AppStateFixture.h"
#include "Clock.h"
#include "EventChangeState.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "GuiEnvironment.h"
#include "InputEvents.h"
#include "MiniMonthCalendar.h"
#include "ModalSeam.h"
#include "MonthGridWidget.h"
#include "MonthView.h"
#include "PixelProbe.h"
#include "PreferencesRepository.h"
#include "StoreSeed.h"
#include "Theme.h"
#include "UndoStack.h"
#include "ViewGrid.h"
#include "ViewRepository.h"
#include "WeekGridView.h"
#include "WeekGridWidget.h"
#include "YearGridWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QWheelEvent>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, int hour, int minute = 0)
{
    return StoreSeed::local(date, QTime(hour, minute));
}

bool addTimed(AppState* state, const QString& id, const QDateTime& start, const QDateTime& end)
{
    return StoreSeed::addEvent(
        state, StoreSeed::timedEvent(id, AppState::localCalendarId, id, start, end));
}

QStringList idsIn(const QList<MonthGridWidget::HitArea>& areas, const QRect& cell)
{
    QStringList ids;
    for (const MonthGridWidget::HitArea& area : areas)
        if (cell.contains(area.rect.center()))
            ids.append(area.eventId);
    return ids;
}

} // namespace

class TestDayGrids : public QObject
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

    // Month cells show what fits and count the rest; an all-day event sits on its stored dates,
    // every day of them, whatever the zone.
    void monthCellsFillAndOverflow()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        for (int i = 0; i < 6; ++i)
            QVERIFY(addTimed(state, QStringLiteral("busy%1").arg(i), local(today, 8 + i),
                             local(today, 9 + i)));
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::allDayEvent("holiday", AppState::localCalendarId, "Holiday",
                                          QDate(2026, 3, 20), QDate(2026, 3, 22))));
        MonthView view(state);
        view.resize(1000, 720);
        view.show();
        MonthGridWidget* grid = view.grid();
        grid->grab();
        QCOMPARE(grid->gridStart(), QDate(2026, 2, 23));
        const int colWidth = grid->width() / 7;
        const int rowHeight = (grid->height() - 28) / 6;
        const auto cellOf = [&](const QDate& day) {
            const int index = int(grid->gridStart().daysTo(day));
            return QRect((index % 7) * colWidth, 28 + (index / 7) * rowHeight, colWidth, rowHeight);
        };
        QVERIFY(ViewGrid::monthChipFit(rowHeight, false) < 6); // the day overflows
        QCOMPARE(idsIn(grid->hitAreas(), cellOf(today)).size(),
                 ViewGrid::shownLines(6, ViewGrid::monthChipFit(rowHeight, false)));
        QCOMPARE(idsIn(grid->hitAreas(), cellOf(QDate(2026, 3, 20))),
                 QStringList{QStringLiteral("holiday")});
        QCOMPARE(idsIn(grid->hitAreas(), cellOf(QDate(2026, 3, 22))),
                 QStringList{QStringLiteral("holiday")});
        QVERIFY(idsIn(grid->hitAreas(), cellOf(QDate(2026, 3, 23))).isEmpty());

        state->setDensity(QStringLiteral("month"), QStringLiteral("compact"));
        grid->grab();
        QCOMPARE(idsIn(grid->hitAreas(), cellOf(today)).size(),
                 ViewGrid::shownLines(6, ViewGrid::monthChipFit(rowHeight, true)));

        // A click on a chip selects its event; one on empty space clears the selection.
        const MonthGridWidget::HitArea chip = grid->hitAreas().first();
        InputEvents::release(grid, chip.rect.center());
        QCOMPARE(state->selectedEventId(), chip.eventId);
        InputEvents::release(grid, cellOf(QDate(2026, 3, 3)).center());
        QCOMPARE(state->selectedEventId(), QString());
    }

    // The week grid lists each day's events in time order, all-day ones first, on every day they
    // cover; an all-day event by its stored date.
    void weekGridGroupsByDaysCovered()
    {
        AppState* state = m_fixture->state();
        QVERIFY(addTimed(state, QStringLiteral("late"), local(today.addDays(1), 18),
                         local(today.addDays(1), 19)));
        QVERIFY(addTimed(state, QStringLiteral("early"), local(today.addDays(1), 0, 30),
                         local(today.addDays(1), 1)));
        QVERIFY(addTimed(state, QStringLiteral("trip"), local(today.addDays(2), 9),
                         local(today.addDays(5), 9)));
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::allDayEvent("holiday", AppState::localCalendarId, "Holiday",
                                          today.addDays(1), today.addDays(1))));
        WeekGridView view(state);
        view.resize(1800, 600);
        view.show();
        WeekGridWidget* grid = view.grid();
        grid->grab();
        QCOMPARE(grid->dayCells().size(), 8);
        QStringList day1;
        QStringList all;
        for (const WeekGridWidget::HitRegion& region : grid->hitRegions()) {
            all.append(region.eventId);
            if (grid->dayCells().at(1).rect.contains(region.rect.center()))
                day1.append(region.eventId);
        }
        QCOMPARE(all.count(QStringLiteral("trip")), 4);
        QCOMPARE(day1, (QStringList{"holiday", "early", "late"}));
        QCOMPARE(WeekGridWidget::lineLabel(
                     StoreSeed::timedEvent("x", "c", "Noon", local(today, 12), local(today, 13))),
                 QStringLiteral("12:00p  Noon"));
        QCOMPARE(WeekGridWidget::lineLabel(
                     StoreSeed::timedEvent("x", "c", "Late", local(today, 0, 5), local(today, 1))),
                 QStringLiteral("12:05a  Late"));
    }

    // A double click or a right click on the line of an event a sync removed from the store
    // before the month or the week grid was redrawn: the user is told, nothing opens and nothing
    // is written.
    void gestureOnAnEventGoneMeanwhileSaysSo_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("doubleClick");
        for (const char* view : {"month", "week grid"}) {
            QTest::addRow("%s, double-click", view) << view << true;
            QTest::addRow("%s, right click", view) << view << false;
        }
    }

    void gestureOnAnEventGoneMeanwhileSaysSo()
    {
        QFETCH(QString, view);
        QFETCH(bool, doubleClick);
        AppState* state = m_fixture->state();
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent("review", AppState::localCalendarId, "Design review",
                                         local(today, 9), local(today, 10))));
        MonthView month(state);
        WeekGridView grid(state);
        QWidget* shown = view == QLatin1String("month") ? static_cast<QWidget*>(&month) : &grid;
        shown->resize(1000, 720);
        shown->show();
        QWidget* painted =
            view == QLatin1String("month") ? static_cast<QWidget*>(month.grid()) : grid.grid();
        painted->grab();
        QRect line;
        if (painted == month.grid()) {
            for (const MonthGridWidget::HitArea& area : month.grid()->hitAreas())
                line = area.eventId == QLatin1String("review") ? area.rect : line;
        } else {
            for (const WeekGridWidget::HitRegion& region : grid.grid()->hitRegions())
                line = region.eventId == QLatin1String("review") ? region.rect : line;
        }
        QVERIFY(line.isValid());
        // The store tells the views after a while: the line is still there to act on.
        QVERIFY(state->events()->hardDelete(QStringLiteral("review")));
        const QList<ModalSeam::Seen> seen = ModalSeam::run([&] {
            if (doubleClick) {
                QTest::mouseDClick(painted, Qt::LeftButton, {}, line.center());
                return;
            }
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, line.center(),
                                         painted->mapToGlobal(line.center()));
            QApplication::sendEvent(painted, &rightClick);
        });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.value(0).text, EventChange::goneText(QStringLiteral("Design review")));
        QVERIFY(!state->events()->getById(QStringLiteral("review")));
        QVERIFY(!state->undoStack()->canUndo());
    }

    // The mini month's dots follow the events, the filter rules and the active group; a click
    // makes a day current and the wheel pages the months without changing it.
    void miniMonthDotsFollowRulesAndGroups()
    {
        AppState* state = m_fixture->state();
        QVERIFY(addTimed(state, QStringLiteral("dentist"), local(today.addDays(2), 23),
                         local(today.addDays(3), 1)));
        MiniMonthCalendar mini(state);
        mini.resize(240, 274);
        mini.show();
        QTRY_VERIFY(mini.busyDays().contains(today.addDays(2)));
        QVERIFY(mini.busyDays().contains(today.addDays(3)));

        FilterRule rule;
        rule.id = rule.name = QStringLiteral("hide-dentist");
        rule.type = QStringLiteral("pattern");
        rule.conditions =
            QStringLiteral(R"({"runtimeType":"pattern","titleContains":["dentist"]})");
        rule.createdAt = rule.updatedAt = AppStateFixture::defaultNow().toUTC();
        QVERIFY(state->filterRules()->insert(rule));
        QTRY_VERIFY(mini.busyDays().isEmpty());
        QVERIFY(state->filterRules()->remove(rule.id));
        QTRY_VERIFY(!mini.busyDays().isEmpty());

        CalendarView group;
        group.id = QStringLiteral("empty-group");
        group.name = QStringLiteral("Elsewhere");
        group.calendarIds = QStringLiteral(R"(["no-such-calendar"])");
        QVERIFY(state->views()->insert(group));
        state->setActiveViewId(group.id);
        QVERIFY(mini.busyDays().isEmpty());

        const QDate clicked = mini.dateAt(QPoint(120, 66 + 34 * 5 + 10));
        QVERIFY(clicked.isValid());
        InputEvents::press(&mini, QPoint(120, 66 + 34 * 5 + 10));
        QCOMPARE(state->currentDate(), clicked);
        const QDate shown = mini.displayedMonth();
        InputEvents::wheel(&mini, QPoint(120, 150), 120);
        QCOMPARE(mini.displayedMonth(), shown.addMonths(-1));
        QCOMPARE(state->currentDate(), clicked);
        QVERIFY(!mini.dateAt(QPoint(0, 0)).isValid());
    }

    // In small cards a busy day's mark leaves its number as it was: every pixel the number inks
    // without the mark is inked alike with it, and the mark is drawn. The numbers keep off the
    // sides of their cells, so neighbours do not run together.
    void yearMarksLeaveTheNumbers_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as in a window 1024 wide") << QSize(560, 480);
        QTest::newRow("smallest") << QSize(480, 360);
    }
    void yearMarksLeaveTheNumbers()
    {
        QFETCH(QSize, size);
        YearGridWidget grid;
        grid.resize(size);
        grid.setData(2026, {}, {});
        const QImage plain = PixelProbe::render(&grid);
        QSet<QDate> busy;
        QHash<QDate, QString> colours;
        for (QDate date(2026, 3, 1); date.month() == 3; date = date.addDays(1)) {
            busy.insert(date);
            colours.insert(date, QStringLiteral("#ff0000"));
        }
        grid.setData(2026, colours, busy);
        const QImage marked = PixelProbe::render(&grid);
        const QColor ink = Theme::textPrimary();
        for (const YearGridWidget::DayCell& cell : grid.dayCells().mid(2 * 42, 42)) {
            if (cell.date.month() != 3 || cell.date == Clock::today())
                continue;
            int changed = 0;
            for (int y = cell.rect.top(); y <= cell.rect.bottom(); ++y) {
                for (int x = cell.rect.left(); x <= cell.rect.right(); ++x) {
                    changed += plain.pixel(x, y) != marked.pixel(x, y) ? 1 : 0;
                    if (!PixelProbe::mismatch(plain, {x, y}, ink, 40).isEmpty())
                        continue;
                    QCOMPARE(PixelProbe::mismatch(marked, {x, y}, ink, 40), QString());
                    QVERIFY2(x != cell.rect.left() && x != cell.rect.right(),
                             qPrintable(cell.date.toString()));
                }
            }
            QVERIFY2(changed > 0, qPrintable(cell.date.toString()));
        }
    }
};

QTEST_MAIN(TestDayGrids)
#include "tst_daygrids.moc"
