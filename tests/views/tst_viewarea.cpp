#include "AppState.h"
#include "AppStateFixture.h"
#include "DateLanguage.h"
#include "FilterRuleRepository.h"
#include "FittingLabel.h"
#include "GuiEnvironment.h"
#include "InputEvents.h"
#include "MiniMonthCalendar.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "StoreSeed.h"
#include "TodayWatch.h"
#include "ViewArea.h"
#include "ViewPeriod.h"
#include "ViewRepository.h"
#include "WeekGridView.h"
#include "WeekGridWidget.h"
#include "WeekTimelineWidget.h"
#include "WeekView.h"
#include "YearGridWidget.h"
#include "YearView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

const QDate today(2026, 3, 11); // a Wednesday

void horizontalWheel(QWidget* widget, int deltaX)
{
    const QPointF position(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), QPoint(deltaX, 0),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Counts the children a widget gains: a week page's headers are rebuilt as new labels.
class ChildCounter : public QObject
{
public:
    explicit ChildCounter(QObject* watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded)
            ++added;
        return false;
    }
    int added = 0;
};

struct Screen
{
    explicit Screen(AppState* state)
    {
        state->preferences();
        area = new ViewArea(state, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
        window.resize(1200, 800);
        window.show();
        window.activateWindow();
    }
    QWidget window;
    ViewArea* area = nullptr;
};

} // namespace

class TestViewArea : public QObject
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

    // The number keys pick the modes; Ctrl+Shift+digit sets the horizon and shows "days";
    // J and K step by the mode's period and T comes back to today.
    void shortcutsSwitchModesAndStep()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        Screen screen(state);
        QVERIFY(QTest::qWaitForWindowActive(&screen.window));

        const QList<QPair<Qt::Key, QString>> modes = {
            {Qt::Key_5, QStringLiteral("month")}, {Qt::Key_1, QStringLiteral("day")},
            {Qt::Key_4, QStringLiteral("grid")},  {Qt::Key_6, QStringLiteral("year")},
            {Qt::Key_2, QStringLiteral("days")},  {Qt::Key_3, QStringLiteral("week")}};
        const QStringList pages = {"day", "week", "days", "grid", "month", "year"};
        for (const auto& [key, mode] : modes) {
            QTest::keyClick(&screen.window, key);
            QCOMPARE(state->viewMode(), mode);
            QCOMPARE(screen.area->stack()->currentIndex(), pages.indexOf(mode));
        }
        QCOMPARE(screen.area->title(), QStringLiteral("Mar 9 \u2013 15, 2026"));
        QVERIFY(!screen.area->horizonChip()->isVisible());

        QTest::keyClick(&screen.window, Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(state->viewMode(), QStringLiteral("days"));
        QCOMPARE(state->weekHorizon(), 10);
        QVERIFY(screen.area->horizonChip()->isVisible());
        QCOMPARE(screen.area->horizonChip()->text(), QStringLiteral("10d"));
        QCOMPARE(screen.area->title(), QStringLiteral("Mar 11 \u2013 20, 2026"));

        QTest::keyClick(&screen.window, Qt::Key_J);
        QCOMPARE(state->currentDate(), today.addDays(10));
        QTest::keyClick(&screen.window, Qt::Key_5);
        QTest::keyClick(&screen.window, Qt::Key_K);
        QCOMPARE(state->currentDate(), QDate(2026, 2, 21));
        QCOMPARE(screen.area->title(), QStringLiteral("February 2026"));
        QTest::keyClick(&screen.window, Qt::Key_L);
        QCOMPARE(state->currentDate(), QDate(2026, 2, 28));
        QTest::keyClick(&screen.window, Qt::Key_T);
        QCOMPARE(state->currentDate(), today);
        QTest::keyClick(&screen.window, Qt::Key_1);
        QVERIFY(
            screen.area->title().startsWith(QStringLiteral("Today \u00b7 Wednesday, March 11")));
    }

    // In a header too narrow for the day's title a shorter form of whole words shows, and the
    // full title comes back when the room does; at midnight "Today" leaves every form.
    void narrowHeaderShortensTheDayTitle_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("wide") << 1200;
        QTest::newRow("as in a window 1024 wide") << 575;
        QTest::newRow("narrowest") << 300;
    }
    void narrowHeaderShortensTheDayTitle()
    {
        QFETCH(int, width);
        AppState* state = m_fixture->state();
        state->setViewMode(QStringLiteral("day"));
        Screen screen(state);
        screen.window.resize(width, 700);
        QApplication::processEvents();
        const QString full = QStringLiteral("Today \u00b7 Wednesday, March 11, 2026");
        QCOMPARE(screen.area->title(), full);
        const QLabel* label = screen.area->titleLabel();
        const QString shown = label->text();
        QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(),
                 qPrintable(shown));
        QStringList forms{full};
        forms += ViewPeriod::shorterTitles(QStringLiteral("day"), today, today);
        QVERIFY2(forms.contains(shown) || shown.endsWith(QChar(0x2026)), qPrintable(shown));
        if (width >= 1200)
            QCOMPARE(shown, full);
        screen.window.resize(1200, 700);
        QApplication::processEvents();
        QCOMPARE(label->text(), full);

        // Past midnight the day shown is yesterday: no form of its title says "Today" any more.
        Clock::pin(StoreSeed::local(today.addDays(1), QTime(0, 0, 30)));
        auto* watch = screen.area->findChild<TodayWatch*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(watch);
        watch->check();
        QCOMPARE(screen.area->title(), QStringLiteral("Wednesday, March 11, 2026"));
        screen.window.resize(width, 700);
        QApplication::processEvents();
        QVERIFY2(!label->text().startsWith(QStringLiteral("Today")), qPrintable(label->text()));
    }

    // With German chosen at start-up the header names the day and the month in German, in the
    // same pattern; the week start stays the one the preference gives.
    void headerNamesTheDayInTheChosenLanguage()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 7);
        state->setViewMode(QStringLiteral("day"));
        DateLanguage::setLanguage(QStringLiteral("de"));
        const auto english = qScopeGuard([] { DateLanguage::setLanguage(QString()); });
        Screen screen(state);
        QVERIFY(QTest::qWaitForWindowActive(&screen.window));
        QCOMPARE(screen.area->title(), QStringLiteral("Today \u00b7 Mittwoch, März 11, 2026"));
        QTest::keyClick(&screen.window, Qt::Key_3);
        QCOMPARE(screen.area->title(), QStringLiteral("März 8 \u2013 14, 2026"));
    }

    // Horizontal wheel gestures page the period in the main window only: not while a modal
    // dialog is open, not inside a scroll area that scrolls sideways itself, not elsewhere.
    void horizontalWheelPagesOnlyWhereItShould()
    {
        AppState* state = m_fixture->state();
        state->setViewMode(QStringLiteral("week"));
        Screen screen(state);
        QWidget* page = screen.area->stack()->currentWidget();

        horizontalWheel(page, -120);
        QCOMPARE(state->currentDate(), today);
        horizontalWheel(page, -120);
        QCOMPARE(state->currentDate(), today.addDays(7));
        horizontalWheel(page, 240);
        QCOMPARE(state->currentDate(), today);

        // A wide child inside a narrow scroll area of the main window scrolls, it does not page.
        auto* scroll = new QScrollArea(&screen.window);
        auto* wide = new QWidget;
        wide->setMinimumSize(3000, 50);
        scroll->setWidget(wide);
        scroll->resize(200, 80);
        scroll->show();
        horizontalWheel(wide, -480);
        QCOMPARE(state->currentDate(), today);

        // Another window.
        QWidget other;
        other.resize(200, 200);
        other.show();
        horizontalWheel(&other, -480);
        QCOMPARE(state->currentDate(), today);

        // A modal dialog open over the window.
        QDialog dialog(&screen.window);
        dialog.setModal(true);
        dialog.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &dialog);
        horizontalWheel(page, -480);
        QCOMPARE(state->currentDate(), today);
        dialog.close();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        horizontalWheel(page, -480);
        QCOMPARE(state->currentDate(), today.addDays(14));
    }

    // The group button names the active group; deleting it asks first and falls back to all
    // calendars, which offers no delete itself.
    void deletingTheActiveGroupFallsBack()
    {
        AppState* state = m_fixture->state();
        CalendarView group;
        group.id = QStringLiteral("work-group");
        group.name = QStringLiteral("Work");
        group.color = QStringLiteral("#33b679");
        QVERIFY(state->views()->insert(group));
        state->setActiveViewId(group.id);
        Screen screen(state);
        QToolButton* button = screen.area->groupButton();
        QCOMPARE(button->text(), QStringLiteral("Work"));

        const auto actionTexts = [button] {
            QStringList texts;
            for (QAction* action : button->menu()->actions())
                texts.append(action->text());
            return texts;
        };
        QAction* remove =
            button->menu()->actions().value(actionTexts().indexOf("Delete Current Group"));
        QVERIFY(remove);
        const QList<ModalSeam::Seen> refused = ModalSeam::run(
            [&] { remove->trigger(); },
            [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, QStringLiteral("No"))); });
        QCOMPARE(refused.value(0).title, QStringLiteral("Delete group?"));
        QCOMPARE(state->activeViewId(), group.id);

        ModalSeam::run([&] { remove->trigger(); },
                       [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("Yes")); });
        QCOMPARE(state->activeViewId(), QStringLiteral("all-calendars"));
        QTRY_VERIFY(!actionTexts().contains(QStringLiteral("Work")));
        QVERIFY(!actionTexts().contains(QStringLiteral("Delete Current Group")));
        QCOMPARE(button->text(), QStringLiteral("All Calendars"));
        // A group that no longer exists: the button falls back to "All Calendars" and a grey dot.
        state->setActiveViewId(QStringLiteral("gone"));
        QCOMPARE(button->text(), QStringLiteral("All Calendars"));
        QVERIFY(!actionTexts().contains(QStringLiteral("Delete Current Group")));
    }

    // Building the area and stepping read only the page shown; a hidden page catches up when it
    // is shown. The count of hidden events follows the shown range, and is none without a rule
    // that hides.
    void hiddenPagesReadWhenShownAndHiddenCountFollows()
    {
        AppState* state = m_fixture->state();
        const QDate nextWeek = today.addDays(7);
        const QDateTime nine = StoreSeed::local(nextWeek, QTime(9, 0));
        for (const char* id : {"review", "secret"})
            QVERIFY(
                StoreSeed::addEvent(state, StoreSeed::timedEvent(id, AppState::localCalendarId, id,
                                                                 nine, nine.addSecs(1800))));
        state->setViewMode(QStringLiteral("week"));
        Screen screen(state);
        WeekGridWidget* grid = screen.area->gridView()->grid();
        state->setCurrentDate(nextWeek);
        QTRY_COMPARE(screen.area->weekView()->timeline()->hitRegions().size(), 2);
        QCOMPARE(grid->firstDate(), QDate());
        QCOMPARE(state->filterHiddenCount(), 0);

        FilterRule hide;
        hide.id = hide.name = QStringLiteral("hide secret");
        hide.type = QStringLiteral("pattern");
        hide.action = QStringLiteral("hide");
        hide.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["secret"]})");
        hide.createdAt = hide.updatedAt = AppStateFixture::defaultNow().toUTC();
        QVERIFY(state->filterRules()->insert(hide));
        QTRY_COMPARE(state->filterHiddenCount(), 1);
        state->setViewMode(QStringLiteral("grid"));
        QTRY_COMPARE(grid->firstDate(), nextWeek);
        QTRY_COMPARE(grid->hitRegions().size(), 1);
        state->setCurrentDate(today.addDays(-7));
        QTRY_COMPARE(state->filterHiddenCount(), 0);
    }

    // Steps queued together, as a held J leaves them, move the title with every step but read
    // the week page and the mini month once, for the week they land in; until then both keep
    // showing what they read before, headers and dots included.
    void queuedStepsReadOnceWhereTheyLand()
    {
        AppState* state = m_fixture->state();
        state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        // One event in each week the steps pass, and one on a day only April's grid shows.
        const QDate aprilOnly(2026, 4, 22);
        const QList<QDate> days = {today.addDays(7), today.addDays(14), today.addDays(21),
                                   aprilOnly};
        for (qsizetype i = 0; i < days.size(); ++i) {
            const QDateTime nine = StoreSeed::local(days.at(i), QTime(9, 0));
            const QString id = QStringLiteral("step-%1").arg(i);
            QVERIFY(
                StoreSeed::addEvent(state, StoreSeed::timedEvent(id, AppState::localCalendarId, id,
                                                                 nine, nine.addSecs(1800))));
        }
        state->setViewMode(QStringLiteral("week"));
        Screen screen(state);
        MiniMonthCalendar mini(state);
        QVERIFY(QTest::qWaitForWindowActive(&screen.window));
        WeekView* week = screen.area->weekView();
        QTRY_COMPARE(week->timeline()->firstDate(), QDate(2026, 3, 9));
        QWidget* headerRow = week->dayLabels().first()->parentWidget();

        struct Seen
        {
            QString title;
            QDate shownWeek;
            QString firstHeader;
            QDate miniMonth;
            bool aprilDotted = false;
        };
        QList<Seen> seen;
        connect(state, &AppState::currentDateChanged, &screen.window, [&] {
            seen.append({screen.area->title(), week->timeline()->firstDate(),
                         week->dayLabels().first()->text(), mini.displayedMonth(),
                         mini.busyDays().contains(aprilOnly)});
        });
        const ChildCounter headers(headerRow);
        for (int i = 0; i < 3; ++i)
            QMetaObject::invokeMethod(
                &screen.window, [&screen] { QTest::keyClick(&screen.window, Qt::Key_J); },
                Qt::QueuedConnection);
        QTRY_COMPARE(week->timeline()->firstDate(), QDate(2026, 3, 30));

        const QStringList titles = {QStringLiteral("Mar 16 \u2013 22, 2026"),
                                    QStringLiteral("Mar 23 \u2013 29, 2026"),
                                    QStringLiteral("Mar 30 \u2013 Apr 5, 2026")};
        QCOMPARE(seen.size(), titles.size());
        for (qsizetype i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen.at(i).title, titles.at(i));
            QCOMPARE(seen.at(i).shownWeek, QDate(2026, 3, 9));
            QCOMPARE(seen.at(i).firstHeader, QStringLiteral("Mon\nMar 9"));
            QVERIFY(!seen.at(i).aprilDotted);
        }
        QCOMPARE(seen.last().miniMonth, QDate(2026, 4, 1));
        QCOMPARE(state->currentDate(), today.addDays(21));

        QCOMPARE(headers.added, 7);
        QCOMPARE(week->dayLabels().first()->text(), QStringLiteral("Mon\nMar 30"));
        week->timeline()->grab(); // the hit regions come from the last paint
        QCOMPARE(week->timeline()->hitRegions().size(), 1);
        QCOMPARE(week->timeline()->hitRegions().first().eventId, QStringLiteral("step-2"));
        QTRY_VERIFY(mini.busyDays().contains(aprilOnly));
        QVERIFY(mini.busyDays().contains(today.addDays(21)));
    }

    // A click on a grid card's free space, or on a day of the year view, opens that day.
    void gridCardAndYearDayOpenTheDay()
    {
        AppState* state = m_fixture->state();
        const QDateTime nine = StoreSeed::local(today.addDays(2), QTime(9, 0));
        QVERIFY(
            StoreSeed::addEvent(state, StoreSeed::timedEvent("standup", AppState::localCalendarId,
                                                             "Standup", nine, nine.addSecs(1800))));
        state->setViewMode(QStringLiteral("grid"));
        Screen screen(state);
        WeekGridWidget* grid = screen.area->gridView()->grid();
        QTRY_VERIFY(grid->dayCells().size() == 8);
        QTRY_COMPARE(grid->hitRegions().size(), 1);
        // Clicking the event line selects it and stays on the grid.
        InputEvents::press(grid, grid->hitRegions().first().rect.center());
        InputEvents::release(grid, grid->hitRegions().first().rect.center());
        QCOMPARE(state->selectedEventId(), QStringLiteral("standup"));
        QCOMPARE(state->viewMode(), QStringLiteral("grid"));

        const QRect card = grid->dayCells().at(3).rect;
        InputEvents::release(grid, card.bottomRight() - QPoint(12, 12));
        QCOMPARE(state->viewMode(), QStringLiteral("day"));
        QCOMPARE(state->currentDate(), today.addDays(3));

        state->setViewMode(QStringLiteral("year"));
        YearGridWidget* year = screen.area->yearView()->grid();
        QTRY_COMPARE(year->dayCells().size(), 12 * 42);
        QVERIFY(year->busyDays().contains(today.addDays(2)));
        // The first cell of the December card is a trailing day of November.
        const YearGridWidget::DayCell cell = year->dayCells().at(11 * 42);
        QCOMPARE(cell.date.month(), 11);
        InputEvents::release(year, cell.rect.center());
        QCOMPARE(state->viewMode(), QStringLiteral("day"));
        QCOMPARE(state->currentDate(), cell.date);
    }
};

QTEST_MAIN(TestViewArea)
#include "tst_viewarea.moc"
