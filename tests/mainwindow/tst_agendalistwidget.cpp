#include "AgendaEventRow.h"
#include "AgendaListWidget.h"
#include "AgendaTaskRow.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "Clock.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventRepository.h"
#include "GuiEnvironment.h"
#include "InputEvents.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PaintedText.h"
#include "PreferencesRepository.h"
#include "StoreSeed.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "TimeFormatState.h"
#include "UndoStack.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

namespace {

// The fixture's "now" is 10:00 on Wednesday 2026-03-11.
const QDate today = AppStateFixture::defaultNow().date();

QDateTime local(int dayOffset, int hour, int minute = 0)
{
    return StoreSeed::local(today.addDays(dayOffset), QTime(hour, minute));
}

Event timed(const QString& id, const QDateTime& start, const QDateTime& end)
{
    return StoreSeed::timedEvent(id, AppState::localCalendarId, id, start, end);
}

Task task(const QString& id, const QString& title)
{
    Task made;
    made.id = id;
    made.uid = id;
    made.calendarId = AppState::localCalendarId;
    made.title = title;
    made.created = AppStateFixture::defaultNow().toUTC();
    made.lastModified = made.created;
    return made;
}

// A date-only value as the store keeps it.
QDateTime onDay(int dayOffset)
{
    return QDateTime(today.addDays(dayOffset), QTime(0, 0), QTimeZone::utc());
}

// Waits for the list's read to come back and its rows to be set.
bool settled(const AgendaListWidget& list)
{
    return QTest::qWaitFor([&] { return !list.isLoading(); });
}

// What the list shows, in order: "# header", event titles, "[ ] task" / "[x] task". Each row is
// scrolled into view, as a person would see it.
QStringList shown(AgendaListWidget& list)
{
    if (!settled(list))
        return {QStringLiteral("(still loading)")};
    QStringList lines;
    if (list.findChild<QStackedWidget*>()->currentIndex() == 1)
        return {QStringLiteral("(empty) ") + list.findChild<QLabel*>("agendaEmptyLabel")->text()};
    for (int i = 0; i < list.rowCount(); ++i) {
        QWidget* widget = list.showRow(i);
        if (auto* row = qobject_cast<AgendaEventRow*>(widget))
            lines.append(row->occurrence().title);
        else if (auto* taskRow = qobject_cast<AgendaTaskRow*>(widget))
            lines.append((taskRow->task().isCompleted() ? "[x] " : "[ ] ") + taskRow->task().title);
        else if (widget && widget->objectName() == QLatin1String("agendaDayHeader"))
            lines.append(QStringLiteral("# ") + widget->findChildren<QLabel*>().value(1)->text());
    }
    return lines;
}

// The rows of that title, in list order, each built when it was last scrolled into view.
template <typename Row> QList<Row*> rows(AgendaListWidget& list, const QString& title)
{
    QList<Row*> found;
    if (!settled(list))
        return found;
    for (int i = 0; i < list.rowCount(); ++i) {
        auto* row = qobject_cast<Row*>(list.showRow(i));
        if (!row)
            continue;
        if constexpr (std::is_same_v<Row, AgendaEventRow>) {
            if (row->occurrence().title == title)
                found.append(row);
        } else if (row->task().title == title) {
            found.append(row);
        }
    }
    return found;
}

void click(QWidget* widget, const QPoint& point)
{
    InputEvents::press(widget, point);
    InputEvents::release(widget, point);
}

void doubleClick(QWidget* widget, const QPoint& point)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, point, widget->mapToGlobal(point),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void openMenu(QWidget* row)
{
    const QPoint point(row->width() / 2, row->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, row->mapToGlobal(point));
    QApplication::sendEvent(row, &event);
}

} // namespace

class TestAgendaListWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

    AppState* state() const { return m_fixture->state(); }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        state()->setViewModeAndDate(QStringLiteral("day"), today);
        // Yesterday, today (over by now) and tomorrow at 07:00.
        Event gym = timed("gym", local(-1, 7), local(-1, 8));
        gym.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
        Event fair = StoreSeed::allDayEvent("fair", AppState::localCalendarId, "Fair",
                                            today.addDays(2), today.addDays(3));
        Event review = timed("review", local(0, 14), local(0, 15));
        review.title = QStringLiteral("<b>Review</b>");
        review.location = QStringLiteral("<i>Room 4</i>");
        for (const Event& event :
             {gym, fair, review, timed("standup", local(0, 9), local(0, 9, 30)),
              timed("night", local(0, 22), local(1, 1))})
            QVERIFY(StoreSeed::addEvent(state(), event));
        Task pay = task("pay", "Pay rent");
        pay.startDate = onDay(0);
        pay.dueDate = onDay(2);
        Task done = task("done", "Old");
        done.status = QStringLiteral("completed");
        done.dueDate = onDay(3);
        Task urgent = task("urgent", "Call");
        urgent.priority = 1;
        urgent.dueDate = onDay(3);
        for (const Task& seeded : {pay, done, urgent})
            QVERIFY(state()->tasks()->insert(seeded));
    }

    void cleanup() { m_fixture.reset(); }

    // Four days from today: an event over by now is missing under "Today", the night event is
    // under both of its days, the two-day fair under both, tasks after the events of their day
    // (open before completed, priorities first), a task under its start and due days. The mode
    // is written under the key, and a new list with the key starts in it.
    void rowsHeadersAndModes()
    {
        const QString key = QStringLiteral("ui/sidebarAgendaMode");
        AgendaListWidget list(state(), true, 4, key);
        const QStringList agenda{"# Today",    "<b>Review</b>", "night",        "[ ] Pay rent",
                                 "# Tomorrow", "night",         "gym",          "# Fri Mar 13",
                                 "Fair",       "[ ] Pay rent",  "# Sat Mar 14", "Fair",
                                 "[ ] Call",   "[x] Old"};
        QCOMPARE(shown(list), agenda);
        AgendaEventRow* review = rows<AgendaEventRow>(list, "<b>Review</b>").value(0);
        int marked = 0;
        for (QLabel* label : review->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1Char('<'))) {
                QCOMPARE(label->textFormat(), Qt::PlainText);
                ++marked;
            }
        }
        QCOMPARE(marked, 2);

        QSignalSpy changed(&list, &AgendaListWidget::showEmptyDaysChanged);
        list.setShowEmptyDays(false);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(state()->preferences()->getString(key), QStringLiteral("list"));
        AgendaListWidget again(state(), true, 4, key);
        QVERIFY(!again.showEmptyDays());
        AgendaListWidget unkept(state(), true, 4, QString());
        QVERIFY(unkept.showEmptyDays());

        // In a week view the list starts on the week's Monday, and a store change comes through.
        state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        state()->setViewMode(QStringLiteral("week"));
        QVERIFY(StoreSeed::addEvent(state(), timed("monday", local(-2, 9), local(-2, 10))));
        QTRY_COMPARE(shown(list).mid(0, 2), (QStringList{"# Mon Mar 9", "monday"}));
    }

    // Far from anything: the list mode shows the empty page, the agenda mode every day.
    void emptyPageAndEmptyDays()
    {
        state()->setCurrentDate(today.addYears(1));
        AgendaListWidget list(state(), false, 30, QString());
        QCOMPARE(shown(list), QStringList{"(empty) No upcoming events"});
        list.setShowEmptyDays(true);
        const QStringList days = shown(list);
        QCOMPARE(days.size(), 30);
        QVERIFY(days.filter(QStringLiteral("# ")).size() == 30);
    }

    // A click on tomorrow's occurrence of a series opens its card with that occurrence's times.
    void clickOpensTheOccurrenceCard()
    {
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        AgendaEventRow* gym = rows<AgendaEventRow>(list, "gym").value(0);
        QVERIFY(gym);
        QCOMPARE(gym->occurrence().startTime, local(1, 7));
        click(gym, QPoint(100, gym->height() / 2));
        QCOMPARE(state()->selectedEventId(), QStringLiteral("gym"));
        auto* card = list.window()->findChild<EventDetailsPopover*>();
        QVERIFY(card && card->isVisible());
        const QString times = EventDetailsPopover::formatEventTimeRange(
            gym->occurrence(), TimeFormat::timePattern(state()));
        QStringList texts;
        for (QLabel* label : card->findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY2(texts.contains(times), qPrintable(texts.join('|')));
    }

    // The tick box completes the task without its card; a double-click on the box opens no form,
    // one beside it does.
    void tickBoxAndDoubleClick()
    {
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        AgendaTaskRow* pay = rows<AgendaTaskRow>(list, "Pay rent").value(0);
        QVERIFY(pay);
        const QPoint box = pay->tickBoxRect().center();
        click(pay, box);
        QVERIFY(state()->tasks()->getById("pay")->isCompleted());
        QVERIFY(!list.window()->findChild<TaskDetailsPopover*>());
        QTRY_COMPARE(shown(list).value(3), QStringLiteral("[x] Pay rent"));

        pay = rows<AgendaTaskRow>(list, "Pay rent").value(0);
        QCOMPARE(ModalSeam::run([&] { doubleClick(pay, pay->tickBoxRect().center()); }).size(), 0);
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { doubleClick(pay, QPoint(pay->width() / 2, pay->height() / 2)); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].className, QStringLiteral("TaskFormDialog"));
    }

    // "Delete" on an occurrence of a series asks which occurrences; "This event only" leaves the
    // series. A plain event asks "Delete event?" and comes back with undo.
    void deleteAsksTheScopeAndUndoes()
    {
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { openMenu(rows<AgendaEventRow>(list, "gym").value(0)); },
            QList<ModalSeam::Answer>{
                [](QWidget* menu) { QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete")); },
                [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "This event only")); }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].title, QStringLiteral("Delete Recurring Event"));
        QVERIFY(!state()->events()->getById("gym")->deletedAt);
        QTRY_VERIFY(rows<AgendaEventRow>(list, "gym").isEmpty());

        seen = ModalSeam::run(
            [&] { openMenu(rows<AgendaEventRow>(list, "<b>Review</b>").value(0)); },
            QList<ModalSeam::Answer>{
                [](QWidget* menu) { QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete")); },
                [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "Yes")); }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].title, QStringLiteral("Delete event?"));
        QTRY_VERIFY(rows<AgendaEventRow>(list, "<b>Review</b>").isEmpty());
        QCOMPARE(state()->undoStack()->nextSummary(), QStringLiteral("Deleted \"<b>Review</b>\""));
        state()->undoStack()->undo();
        QTRY_COMPARE(rows<AgendaEventRow>(list, "<b>Review</b>").size(), 1);
    }

    // While a row's menu is open a sync rewrites its task and a new theme drops every row, that
    // one among them: the entry chosen afterwards acts on that task, as stored, and does what
    // the menu said even when the sync did it first.
    void taskMenuOutlivesItsRow_data()
    {
        QTest::addColumn<bool>("completedElsewhere");
        QTest::newRow("renamed") << false;
        QTest::newRow("renamed and completed") << true;
    }

    void taskMenuOutlivesItsRow()
    {
        QFETCH(bool, completedElsewhere);
        state()->themeManager()->setMode(QStringLiteral("light"));
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        const QPointer<AgendaTaskRow> row = rows<AgendaTaskRow>(list, "Pay rent").value(0);
        QVERIFY(row);
        ModalSeam::run([&] { openMenu(row); },
                       [&](QWidget* menu) {
                           Task pay = *state()->tasks()->getById("pay");
                           pay.title = QStringLiteral("Pay the rent");
                           QVERIFY(state()->tasks()->update(pay));
                           if (completedElsewhere)
                               QVERIFY(state()->tasks()->setCompleted("pay", true));
                           state()->themeManager()->setMode(QStringLiteral("dark"));
                           QTRY_VERIFY(!row);
                           QVERIFY(ModalSeam::chooseMenuAction(menu, "Mark Complete"));
                       });
        const Task pay = *state()->tasks()->getById("pay");
        QVERIFY(pay.isCompleted());
        QCOMPARE(pay.title, QStringLiteral("Pay the rent"));
        QVERIFY(!state()->tasks()->getById("urgent")->isCompleted());
        QVERIFY(state()->tasks()->getById("done")->isCompleted());
    }

    // The same for an event's row: "Delete" deletes that event as stored, and no other.
    void eventMenuOutlivesItsRow()
    {
        state()->themeManager()->setMode(QStringLiteral("light"));
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        const QPointer<AgendaEventRow> row = rows<AgendaEventRow>(list, "<b>Review</b>").value(0);
        QVERIFY(row);
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { openMenu(row); },
                           QList<ModalSeam::Answer>{
                               [&](QWidget* menu) {
                                   Event review = *state()->events()->getById("review");
                                   review.title = QStringLiteral("Review, moved");
                                   review.startTime = local(0, 16);
                                   review.endTime = local(0, 17);
                                   QVERIFY(state()->events()->update(review));
                                   state()->themeManager()->setMode(QStringLiteral("dark"));
                                   QTRY_VERIFY(!row);
                                   QVERIFY(ModalSeam::chooseMenuAction(menu, "Delete"));
                               },
                               [](QWidget* box) { QVERIFY(ModalSeam::clickButton(box, "Yes")); }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].text,
                 QStringLiteral("Delete \"Review, moved\"? You can undo with Ctrl+Z."));
        QVERIFY(state()->events()->getById("review")->deletedAt);
        for (const char* id : {"gym", "fair", "standup", "night"})
            QVERIFY2(!state()->events()->getById(QString::fromLatin1(id))->deletedAt, id);
        QCOMPARE(state()->undoStack()->nextSummary(), QStringLiteral("Deleted \"Review, moved\""));
    }

    // A click, a double click or a right click on the row of an event deleted here, or removed
    // by a sync, before the list reloaded: the user is told, and no card, form or menu opens.
    void staleEventRowSaysTheEventIsGone_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("removed");
        for (const char* gesture : {"click", "double-click", "right click"}) {
            QTest::addRow("%s, deleted", gesture) << gesture << false;
            QTest::addRow("%s, removed", gesture) << gesture << true;
        }
    }

    void staleEventRowSaysTheEventIsGone()
    {
        QFETCH(QString, gesture);
        QFETCH(bool, removed);
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        AgendaEventRow* night = rows<AgendaEventRow>(list, "night").value(0);
        QVERIFY(night);
        // The list reloads a while after the store's signal: the row is still there to act on.
        QVERIFY(removed ? state()->events()->hardDelete("night")
                        : state()->events()->remove("night"));
        const QPoint middle(night->width() / 2, night->height() / 2);
        const QList<ModalSeam::Seen> seen = ModalSeam::run([&] {
            if (gesture == QLatin1String("click"))
                click(night, middle);
            else if (gesture == QLatin1String("double-click"))
                doubleClick(night, middle);
            else
                openMenu(night);
        });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, EventChange::goneText(QStringLiteral("night")));
        QVERIFY(!list.window()->findChild<EventDetailsPopover*>());
    }

    // A month with a thousand rows builds only what is in view; the last row, scrolled to, shows
    // its event, sits right under the row above it and is as tall as a box layout makes it.
    void longListBuildsWhatComesIntoView()
    {
        for (int day = 0; day < 30; ++day) {
            for (int i = 0; i < 30; ++i) {
                Event event = timed(QStringLiteral("e%1-%2").arg(day).arg(i),
                                    local(day, 8 + i / 6, i % 6 * 10), local(day, 14));
                event.title = QStringLiteral("Meeting %1 of day %2").arg(i).arg(day);
                if (i == 29)
                    event.title += QStringLiteral(" with a title long enough to wrap twice in a "
                                                  "sidebar as narrow as this one is");
                event.location = i % 2 ? QStringLiteral("Room %1").arg(i) : QString();
                QVERIFY(StoreSeed::addEvent(state(), event));
            }
        }
        AgendaListWidget list(state(), true, 30, QString());
        list.resize(380, 720);
        list.show();
        QVERIFY(settled(list));
        QVERIFY(list.rowCount() > 930);
        QVERIFY(list.findChildren<AgendaEventRow*>().size() < 60);

        const int last = list.rowCount() - 1;
        QVERIFY(list.rowKind(last) == AgendaListWidget::RowKind::Event);
        auto* row = qobject_cast<AgendaEventRow*>(list.showRow(last));
        QVERIFY(row && row->isVisible());
        QCOMPARE(row->occurrence().title.left(19), QStringLiteral("Meeting 29 of day 2"));
        QWidget* above = list.showRow(last - 1);
        QCOMPARE(row->geometry().top(), above->geometry().bottom() + 1);
        QWidget box;
        auto* layout = new QVBoxLayout(&box);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* twin = new AgendaEventRow(state(), row->occurrence());
        layout->addWidget(twin);
        layout->addStretch();
        // As tall as the layout asks, as a list longer than its view is.
        box.resize(row->width(), layout->totalHeightForWidth(row->width()));
        box.show();
        layout->activate();
        QCOMPARE(row->height(), twin->height());
        QVERIFY(row->height() > above->height());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(list.findChildren<AgendaEventRow*>().size() < 60);
    }

    // A megabyte title and location from a server: the row shows three lines of the title and
    // two of the location, each ending in "…", and keeps the whole event for its card and form.
    void megabyteTextsTakeAFewLines()
    {
        Event huge = timed(QStringLiteral("huge"), local(0, 12), local(0, 13));
        huge.title = QStringLiteral("Planning ").repeated(120000);
        huge.location = QStringLiteral("Room ").repeated(200000);
        QVERIFY(StoreSeed::addEvent(state(), huge));
        AgendaListWidget list(state(), false, 1, QString());
        list.resize(380, 720);
        list.show();
        AgendaEventRow* row = rows<AgendaEventRow>(list, huge.title).value(0);
        QVERIFY(row);
        QCOMPARE(row->occurrence().location.size(), huge.location.size());
        const QList<QLabel*> labels = row->findChildren<QLabel*>();
        const auto labelOf = [&](const QString& start) -> QLabel* {
            for (QLabel* label : labels)
                if (label->text().contains(start))
                    return label;
            return nullptr;
        };
        QLabel* title = labelOf(QStringLiteral("Planning"));
        QLabel* location = labelOf(QStringLiteral("Room"));
        QVERIFY(title && location);
        QVERIFY(title->text().size() <= Limits::maxRowTextChars + 1);
        const int lines =
            3 * title->fontMetrics().lineSpacing() + 2 * location->fontMetrics().lineSpacing();
        QCOMPARE(title->height() + location->height(), lines);
        QVERIFY(row->height() < lines + 40);
    }

    // What a row's title paints: a title that goes on past three lines ends the third in "…",
    // be it words or one long word; a title that fits paints whole, without one.
    void longTitleEndsInAnEllipsis_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("lines");
        QTest::newRow("words") << QStringLiteral("Planning ").repeated(120000) << 3;
        QTest::newRow("one word") << QString(1'000'000, u'x') << 3;
        QTest::newRow("fits") << QStringLiteral("Planning") << 1;
    }

    void longTitleEndsInAnEllipsis()
    {
        QFETCH(QString, title);
        QFETCH(int, lines);
        Event event = timed(QStringLiteral("long"), local(0, 12), local(0, 13));
        event.title = title;
        QVERIFY(StoreSeed::addEvent(state(), event));
        AgendaListWidget list(state(), false, 1, QString());
        list.resize(380, 720);
        list.show();
        AgendaEventRow* row = rows<AgendaEventRow>(list, title).value(0);
        QVERIFY(row);
        QStringList painted;
        for (QLabel* label : row->findChildren<QLabel*>())
            if (label->text().startsWith(title.left(8)))
                painted = PaintedText::record(label);
        QCOMPARE(painted.size(), lines);
        QVERIFY2(title.startsWith(painted.first()), qPrintable(painted.first()));
        const QChar mark(0x2026);
        QCOMPARE(painted.join(QString()).count(mark), lines == 3 ? 1 : 0);
        QCOMPARE(painted.last().endsWith(mark), lines == 3);
    }

    // One changed event rebuilds its own row only; the rows around it are the same widgets. A
    // task changed in the store is followed by its row, and a change of the view mode alone moves
    // the first day.
    void reloadKeepsWhatDidNotChange()
    {
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        QVERIFY(settled(list));
        QPointer<AgendaEventRow> review = rows<AgendaEventRow>(list, "<b>Review</b>").value(0);
        QPointer<AgendaTaskRow> pay = rows<AgendaTaskRow>(list, "Pay rent").value(0);
        QVERIFY(review && pay);
        Event night = *state()->events()->getById("night");
        night.title = QStringLiteral("Late");
        QVERIFY(state()->events()->update(night));
        QTRY_COMPARE(rows<AgendaEventRow>(list, "Late").size(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(review && pay);
        QCOMPARE(rows<AgendaEventRow>(list, "<b>Review</b>").value(0), review.data());

        Task urgent = *state()->tasks()->getById("urgent");
        urgent.title = QStringLiteral("Call back");
        QVERIFY(state()->tasks()->update(urgent));
        QTRY_COMPARE(rows<AgendaTaskRow>(list, "Call back").size(), 1);
        QVERIFY(rows<AgendaTaskRow>(list, "Call").isEmpty());

        state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1);
        state()->setViewMode(QStringLiteral("grid"));
        QTRY_COMPARE(shown(list).value(0), QStringLiteral("# Mon Mar 9"));

        // A read overtaken by a newer one is not shown, whichever comes back last.
        state()->setViewModeAndDate(QStringLiteral("day"), today.addDays(20));
        list.reload();
        state()->setCurrentDate(today);
        list.reload();
        QCOMPARE(shown(list).value(0), QStringLiteral("# Today"));
        QTest::qWait(200);
        QCOMPARE(shown(list).value(0), QStringLiteral("# Today"));
    }

    // Under the program's style sheet a completed task is faded and "Overdue" is in the danger
    // colour.
    void taskColoursWinOverTheStyleSheet()
    {
        const QString sheet = qApp->styleSheet();
        qApp->setStyleSheet(Theme::stylesheet());
        Task late = task("late", "Late");
        late.dueDate = onDay(-1);
        QVERIFY(state()->tasks()->insert(late));
        state()->setCurrentDate(today.addDays(-1));
        AgendaListWidget list(state(), false, 5, QString());
        list.resize(380, 720);
        list.show();
        AgendaTaskRow* lateRow = rows<AgendaTaskRow>(list, "Late").value(0);
        AgendaTaskRow* old = rows<AgendaTaskRow>(list, "Old").value(0);
        QVERIFY(lateRow && old);
        auto* overdue = lateRow->findChild<QLabel*>("agendaOverdueLabel");
        QVERIFY(overdue);
        QCOMPARE(overdue->palette().color(QPalette::WindowText), Theme::danger());
        QLabel* title = old->findChildren<QLabel*>().value(0);
        QCOMPARE(title->text(), QStringLiteral("Old"));
        QCOMPARE(title->palette().color(QPalette::WindowText).alpha(), 140);
        qApp->setStyleSheet(sheet);
    }

    // Past midnight the minute's refresh moves "Today" on: the first header, tomorrow's a
    // minute ago, reads the new day. A theme chosen meanwhile recolours the rows in view.
    void followsTheDayAndTheTheme()
    {
        state()->setCurrentDate(today.addDays(1));
        AgendaListWidget list(state(), true, 3, QString());
        list.resize(380, 720);
        list.show();
        QCOMPARE(shown(list).value(0), QStringLiteral("# Tomorrow"));
        Clock::pin(StoreSeed::local(today.addDays(1), QTime(0, 0, 30)));
        QTimer* refresh = nullptr;
        for (QTimer* timer : list.findChildren<QTimer*>()) {
            if (timer->interval() == AgendaListWidget::refreshMs)
                refresh = timer;
        }
        QVERIFY(refresh);
        // One minute's check, now.
        refresh->start(1);
        QTRY_VERIFY(list.isLoading());
        refresh->start(AgendaListWidget::refreshMs);
        QTRY_COMPARE(shown(list).value(0), QStringLiteral("# Today"));

        ThemeManager* themes = state()->themeManager();
        for (const char* mode : {"dark", "light"}) {
            themes->setMode(QString::fromLatin1(mode));
            QVERIFY(settled(list));
            AgendaTaskRow* old = rows<AgendaTaskRow>(list, "Old").value(0);
            QVERIFY(old);
            QColor faded = Theme::textPrimary();
            faded.setAlpha(140);
            QCOMPARE(old->findChildren<QLabel*>().value(0)->palette().color(QPalette::WindowText),
                     faded);
        }
    }

    // A row left over from before its task was removed offers no menu and revives nothing.
    void removedTaskIsGone()
    {
        AgendaListWidget list(state(), true, 4, QString());
        list.resize(380, 720);
        list.show();
        AgendaTaskRow* call = rows<AgendaTaskRow>(list, "Call").value(0);
        QVERIFY(state()->tasks()->remove("urgent"));
        QCOMPARE(ModalSeam::run([&] { openMenu(call); }).size(), 0);
        click(call, QPoint(call->width() / 2, call->height() / 2));
        QVERIFY(!list.window()->findChild<TaskDetailsPopover*>());
        QTRY_VERIFY(rows<AgendaTaskRow>(list, "Call").isEmpty());
    }
};

QTEST_MAIN(TestAgendaListWidget)
#include "tst_agendalistwidget.moc"
