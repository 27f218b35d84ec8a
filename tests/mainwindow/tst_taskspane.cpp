#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "Savepoint.h"
#include "StoreSeed.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "TodayWatch.h"
#include "ViewRepository.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>

namespace {

const QDate today = AppStateFixture::defaultNow().date();

Task makeTask(const QString& id, const QString& calendarId, const QString& title)
{
    Task task;
    task.id = id;
    task.uid = id;
    task.calendarId = calendarId;
    task.title = title;
    task.created = AppStateFixture::defaultNow().toUTC();
    task.lastModified = task.created;
    return task;
}

// A date-only due date as the store holds it: 00:00 UTC of that date.
std::optional<QDateTime> dueOn(const QDate& date)
{
    return QDateTime(date, QTime(0, 0), QTimeZone::utc());
}

// Waits for the pane's read to come back and its rows to be set.
bool settled(TasksPane* pane)
{
    return QTest::qWaitFor([pane] { return !pane->isLoading(); });
}

// The rows and group headers as "title" / "# header (count)", in the order shown. Each row is
// scrolled into view, as a person would see it.
QStringList shown(TasksPane* pane)
{
    if (!settled(pane))
        return {QStringLiteral("(still loading)")};
    QStringList lines;
    for (int i = 0; i < pane->rowCount(); ++i) {
        QWidget* widget = pane->showRow(i);
        if (auto* row = qobject_cast<TasksPaneRow*>(widget)) {
            lines.append(QString(2 * row->depth(), QLatin1Char(' ')) + row->task().title);
        } else if (widget->objectName() == QLatin1String("tasksGroupHeader")) {
            const QList<QLabel*> labels = widget->findChildren<QLabel*>();
            lines.append(QStringLiteral("# %1 (%2)").arg(labels[1]->text(), labels[2]->text()));
        }
    }
    return lines;
}

// The row of that title, scrolled into view.
TasksPaneRow* rowOf(TasksPane* pane, const QString& title)
{
    if (!settled(pane))
        return nullptr;
    for (int i = 0; i < pane->rowCount(); ++i) {
        if (pane->rowKind(i) != TasksPane::RowKind::Task)
            continue;
        auto* row = qobject_cast<TasksPaneRow*>(pane->showRow(i));
        if (row && row->task().title == title)
            return row;
    }
    return nullptr;
}

void chooseFilterEntry(TasksPane* pane, const QString& text)
{
    QMenu* menu = pane->findChild<QToolButton*>(QStringLiteral("tasksFilterButton"))->menu();
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action->trigger();
    }
    QFAIL(qPrintable(text));
}

QString emptyTitle(TasksPane* pane)
{
    if (!settled(pane))
        return QStringLiteral("(still loading)");
    if (!pane->findChild<QWidget*>(QStringLiteral("tasksEmptyState"))->isVisible())
        return {};
    return pane->findChild<QLabel*>(QStringLiteral("tasksEmptyTitle"))->text();
}

// Drags `dragged` over the row at the height of the zone and drops it there.
void dropOn(TasksPaneRow* row, const Task& dragged, int zone)
{
    const int h = row->height();
    const int y = zone == 1 ? 1 : zone == 2 ? h / 2 : h - 1;
    std::unique_ptr<QMimeData> data(TasksPaneRow::mimeDataFor(dragged));
    QDragEnterEvent enter(QPoint(60, y), Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(row, &enter);
    QDropEvent drop(QPointF(60, y), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(row, &drop);
}

void openMenu(QWidget* row)
{
    const QPoint point(row->width() / 2, row->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, row->mapToGlobal(point));
    QApplication::sendEvent(row, &event);
}

} // namespace

class TestTasksPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        QVERIFY(StoreSeed::addCalendar(
            state(), StoreSeed::account(QStringLiteral("acc"), QStringLiteral("Work"), "caldav"),
            StoreSeed::calendar(QStringLiteral("team"), QStringLiteral("acc"),
                                QStringLiteral("Team"), QStringLiteral("#33b679"))));
        QVERIFY(StoreSeed::addCalendar(
            state(), StoreSeed::account(QStringLiteral("local"), QString(), "orvandellic"),
            StoreSeed::calendar(QStringLiteral("home"), QStringLiteral("local"),
                                QStringLiteral("Home"), QStringLiteral("#e67c73"))));
    }

    void cleanup() { m_fixture.reset(); }

    void reloadFilterGroupingAndEmptyStates()
    {
        Task parent = makeTask(QStringLiteral("p"), QStringLiteral("team"), QStringLiteral("Plan"));
        parent.dueDate = dueOn(today.addDays(3));
        Task child = makeTask(QStringLiteral("c"), QStringLiteral("team"), QStringLiteral("Draft"));
        child.parentTaskUid = parent.uid;
        child.dueDate = dueOn(today);
        Task done = makeTask(QStringLiteral("d"), QStringLiteral("team"), QStringLiteral("Old"));
        done.status = QStringLiteral("completed");
        const Task shopping =
            makeTask(QStringLiteral("s"), QStringLiteral("home"), QStringLiteral("Shop"));
        for (const Task& task : {parent, child, done, shopping})
            QVERIFY(state()->tasks()->insert(task));

        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QCOMPARE(shown(&pane),
                 (QStringList{QStringLiteral("# Home (1)"), "Shop",
                              QStringLiteral("# Work / Team (3)"), "Plan", "  Draft", "Old"}));
        QStringList draftTexts;
        for (QLabel* label : rowOf(&pane, QStringLiteral("Draft"))->findChildren<QLabel*>())
            draftTexts << label->text();
        QVERIFY2(draftTexts.join(' ').contains(QStringLiteral("Today")),
                 qPrintable(draftTexts.join('|')));

        // A subtask that passes while its parent does not stands as a root.
        chooseFilterEntry(&pane, QStringLiteral("Due today"));
        QCOMPARE(shown(&pane), (QStringList{QStringLiteral("# Work / Team (1)"), "Draft"}));
        QCOMPARE(state()->preferences()->get(QStringLiteral("ui/tasksFilter")).value_or(QString()),
                 QStringLiteral("today"));

        chooseFilterEntry(&pane, QStringLiteral("Overdue"));
        QCOMPARE(emptyTitle(&pane), QStringLiteral("Nothing overdue"));
        chooseFilterEntry(&pane, QStringLiteral("All tasks"));
        QCOMPARE(emptyTitle(&pane), QString());

        chooseFilterEntry(&pane, QStringLiteral("Hide completed"));
        chooseFilterEntry(&pane, QStringLiteral("Group by calendar"));
        QCOMPARE(shown(&pane), (QStringList{"Plan", "  Draft", "Shop"}));
        QVERIFY(state()->preferences()->getBool(QStringLiteral("ui/tasksHideCompleted")));
        QVERIFY(!state()->preferences()->getBool(QStringLiteral("ui/tasksGroupByCalendar"), true));

        // The store's change signal reloads on its own; a new pane reads the stored choices.
        QVERIFY(state()->tasks()->remove(shopping.id));
        QTRY_COMPARE(shown(&pane), (QStringList{"Plan", "  Draft"}));
        TasksPane again(state());
        QCOMPARE(shown(&again), (QStringList{"Plan", "  Draft"}));

        QVERIFY(state()->tasks()->remove(parent.id));
        QVERIFY(state()->tasks()->remove(child.id));
        QTRY_COMPARE(emptyTitle(&pane), QStringLiteral("No tasks yet"));
    }

    // The active group narrows the pane to its visible calendars, by the rule the views follow;
    // a group removed meanwhile narrows nothing, as "All Calendars" shows.
    void activeGroupNarrowsTheCalendars_data()
    {
        QTest::addColumn<QString>("calendarIds");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("homeHidden");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no group") << QString() << false << false << QStringList{"Plan", "Shop"};
        QTest::newRow("empty group") << "[]" << false << false << QStringList{"Plan", "Shop"};
        QTest::newRow("one calendar") << R"(["team"])" << false << false << QStringList{"Plan"};
        QTest::newRow("hidden one listed") << R"(["home"])" << false << true << QStringList();
        QTest::newRow("hidden one left out") << QString() << false << true << QStringList{"Plan"};
        QTest::newRow("removed group")
            << R"(["team"])" << true << false << QStringList{"Plan", "Shop"};
    }

    void activeGroupNarrowsTheCalendars()
    {
        QFETCH(QString, calendarIds);
        QFETCH(bool, removed);
        QFETCH(bool, homeHidden);
        QFETCH(QStringList, expected);
        QVERIFY(state()->tasks()->insert(
            makeTask(QStringLiteral("p"), QStringLiteral("team"), QStringLiteral("Plan"))));
        QVERIFY(state()->tasks()->insert(
            makeTask(QStringLiteral("s"), QStringLiteral("home"), QStringLiteral("Shop"))));
        if (homeHidden) {
            Calendar home = *state()->calendars()->getById(QStringLiteral("home"));
            home.isVisible = false;
            QVERIFY(state()->calendars()->update(home));
        }
        if (!calendarIds.isNull()) {
            CalendarView group;
            group.id = QStringLiteral("group");
            group.name = QStringLiteral("Group");
            group.calendarIds = calendarIds;
            QVERIFY(state()->views()->insert(group));
            state()->setActiveViewId(group.id);
            if (removed)
                QVERIFY(state()->views()->remove(group.id));
        }
        state()->preferences()->setBool(QStringLiteral("ui/tasksGroupByCalendar"), false);

        TasksPane pane(state());
        QCOMPARE(shown(&pane), expected);
    }

    void dropInEachZoneAndAcrossCalendars()
    {
        QList<Task> tasks;
        for (const char* title : {"A", "B", "C", "D"}) {
            Task task = makeTask(QString::fromLatin1(title).toLower(), QStringLiteral("team"),
                                 QString::fromLatin1(title));
            task.sortOrder = 10000 * int(tasks.size() + 1);
            tasks.append(task);
            QVERIFY(state()->tasks()->insert(task));
        }
        const Task away =
            makeTask(QStringLiteral("x"), QStringLiteral("home"), QStringLiteral("Away"));
        QVERIFY(state()->tasks()->insert(away));
        // A removed copy in the other calendar with the uid of D is never written by a drop.
        Task ghost =
            makeTask(QStringLiteral("ghost"), QStringLiteral("home"), QStringLiteral("Ghost"));
        ghost.uid = tasks[3].uid;
        QVERIFY(state()->tasks()->insert(ghost));
        QVERIFY(state()->tasks()->remove(ghost.id));

        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        const auto stored = [this](const QString& id) { return *state()->tasks()->getById(id); };

        dropOn(rowOf(&pane, QStringLiteral("A")), tasks[3], 1);
        QCOMPARE(stored(QStringLiteral("d")).sortOrder, 1);
        QCOMPARE(stored(QStringLiteral("d")).sequence, 1);

        dropOn(rowOf(&pane, QStringLiteral("B")), tasks[0], 3);
        QCOMPARE(stored(QStringLiteral("a")).sortOrder, 25000);

        dropOn(rowOf(&pane, QStringLiteral("C")), tasks[1], 2);
        QCOMPARE(stored(QStringLiteral("b")).parentTaskUid, QStringLiteral("c"));
        QVERIFY(stored(QStringLiteral("b")).rawIcalendar.contains(QStringLiteral("RELATED-TO")));
        QCOMPARE(stored(QStringLiteral("ghost")).parentTaskUid, QString());
        QCOMPARE(stored(QStringLiteral("ghost")).sortOrder, 0);

        // The parent dragged over its own child shows no zone and drops nothing.
        QTRY_VERIFY(rowOf(&pane, QStringLiteral("B")) &&
                    rowOf(&pane, QStringLiteral("B"))->task().parentTaskUid == "c");
        dropOn(rowOf(&pane, QStringLiteral("B")), stored(QStringLiteral("c")), 2);
        QCOMPARE(stored(QStringLiteral("c")).parentTaskUid, QString());

        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { dropOn(rowOf(&pane, QStringLiteral("C")), away, 3); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Can't move task"));
        QVERIFY(seen[0].text.contains(QStringLiteral("\"Away\"")));
        QCOMPARE(stored(QStringLiteral("x")).sortOrder, 0);
        QCOMPARE(stored(QStringLiteral("x")).sequence, 0);
    }

    // Beside a row drawn at the top level the dropped task lands at the top level, where it was
    // put, even when the row names a parent: one removed meanwhile, or one the filter leaves
    // out. Beside a row drawn under its parent it joins that parent.
    void dropBesideARowTakesTheParentItIsDrawnUnder_data()
    {
        QTest::addColumn<bool>("parentRemoved");
        QTest::addColumn<bool>("dueToday");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("drawn under its parent")
            << false << false << 3 << "p"
            << QStringList{"# Work / Team (5)", "P", "  S1", "  D", "  S2", "R"};
        // The orphan S1 is not renumbered to make room after it: the dropped task, placed by
        // hand, goes before every unplaced root.
        QTest::newRow("parent removed") << true << false << 3 << QString()
                                        << QStringList{"# Work / Team (4)", "D", "S1", "R", "S2"};
        QTest::newRow("parent left out by the filter")
            << false << true << 1 << QString() << QStringList{"# Work / Team (2)", "D", "S1"};
    }

    void dropBesideARowTakesTheParentItIsDrawnUnder()
    {
        QFETCH(bool, parentRemoved);
        QFETCH(bool, dueToday);
        QFETCH(int, zone);
        QFETCH(QString, parent);
        QFETCH(QStringList, expected);
        Task p = makeTask(QStringLiteral("p"), QStringLiteral("team"), QStringLiteral("P"));
        p.dueDate = dueOn(today.addDays(3));
        Task first = makeTask(QStringLiteral("s1"), QStringLiteral("team"), QStringLiteral("S1"));
        first.parentTaskUid = p.uid;
        first.dueDate = dueOn(today);
        Task second = makeTask(QStringLiteral("s2"), QStringLiteral("team"), QStringLiteral("S2"));
        second.parentTaskUid = p.uid;
        Task dragged = makeTask(QStringLiteral("d"), QStringLiteral("team"), QStringLiteral("D"));
        dragged.dueDate = dueOn(today);
        const Task root =
            makeTask(QStringLiteral("r"), QStringLiteral("team"), QStringLiteral("R"));
        for (const Task& task : {p, first, second, dragged, root})
            QVERIFY(state()->tasks()->insert(task));
        if (parentRemoved)
            QVERIFY(state()->tasks()->remove(p.id));
        state()->preferences()->set(QStringLiteral("ui/tasksFilter"),
                                    dueToday ? QStringLiteral("today") : QStringLiteral("all"));

        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        TasksPaneRow* target = rowOf(&pane, QStringLiteral("S1"));
        QVERIFY(target);
        QCOMPARE(target->depth(), parentRemoved || dueToday ? 0 : 1);
        dropOn(target, dragged, zone);
        const Task stored = *state()->tasks()->getById(dragged.id);
        QCOMPARE(stored.parentTaskUid, parent);
        QCOMPARE(stored.rawIcalendar.contains(QStringLiteral("RELATED-TO")), !parent.isEmpty());
        QTRY_COMPARE(shown(&pane), expected);
    }

    // A long list builds only the rows in view; a row scrolled to shows its task.
    void longListBuildsWhatComesIntoView()
    {
        Savepoint unit(state()->database()->database());
        for (int i = 0; i < 600; ++i) {
            Task task = makeTask(QStringLiteral("t%1").arg(i), QStringLiteral("team"),
                                 QStringLiteral("Task %1").arg(i, 3, 10, QLatin1Char('0')));
            // Every tenth task is the parent of the nine after it.
            if (i % 10 != 0)
                task.parentTaskUid = QStringLiteral("t%1").arg(i - i % 10);
            QVERIFY(state()->tasks()->insert(task));
        }
        QVERIFY(unit.commit());
        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(&pane));
        QCOMPARE(pane.rowCount(), 601);
        QVERIFY(pane.findChildren<TasksPaneRow*>().size() < 60);

        auto* last = qobject_cast<TasksPaneRow*>(pane.showRow(600));
        QVERIFY(last && last->isVisible());
        QCOMPARE(last->task().title, QStringLiteral("Task 599"));
        QCOMPARE(last->depth(), 1);
        auto* parent = qobject_cast<TasksPaneRow*>(pane.showRow(591));
        QVERIFY(parent);
        QCOMPARE(parent->task().title, QStringLiteral("Task 590"));
        QCOMPARE(parent->depth(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(pane.findChildren<TasksPaneRow*>().size() < 60);
    }

    // A tick and a rename rebuild their own rows only; every other row is the same widget.
    void changeRebuildsOnlyItsRows()
    {
        for (const char* title : {"A", "B", "C", "D", "E", "F", "G", "H"}) {
            QVERIFY(state()->tasks()->insert(makeTask(QString::fromLatin1(title).toLower(),
                                                      QStringLiteral("team"),
                                                      QString::fromLatin1(title))));
        }
        TasksPane pane(state());
        pane.resize(320, 800);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QCOMPARE(shown(&pane),
                 (QStringList{"# Work / Team (8)", "A", "B", "C", "D", "E", "F", "G", "H"}));
        QList<QPointer<QWidget>> before;
        for (int i = 0; i < pane.rowCount(); ++i)
            before.append(pane.showRow(i));

        TasksPaneRow* ticked = rowOf(&pane, QStringLiteral("C"));
        QTest::mouseClick(ticked, Qt::LeftButton, {}, ticked->checkboxRect().center());
        QTRY_VERIFY(rowOf(&pane, QStringLiteral("C")) &&
                    rowOf(&pane, QStringLiteral("C"))->task().isCompleted());
        QCOMPARE(shown(&pane),
                 (QStringList{"# Work / Team (8)", "A", "B", "D", "E", "F", "G", "H", "C"}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(bool(before[i]) == (i != 3), qPrintable(QString::number(i)));

        Task renamed = *state()->tasks()->getById(QStringLiteral("f"));
        renamed.title = QStringLiteral("Fix");
        QVERIFY(state()->tasks()->update(renamed));
        QTRY_VERIFY(rowOf(&pane, QStringLiteral("Fix")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(bool(before[i]) == (i != 3 && i != 6), qPrintable(QString::number(i)));
    }

    // A drop writes the dropped task and, when the siblings have to be renumbered, those whose
    // place needs a new number: never a task the filter draws at the top level though it has a
    // parent, an orphan, or an unplaced task after the drop.
    void dropWritesOnlyWhatMoves_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("parent");
        QTest::newRow("plain, room below a placed task")
            << "all"
            << "B" << 3 << QStringList{"d"} << QString();
        QTest::newRow("plain, no room: the placed ones and those before the drop")
            << "all"
            << "A" << 3 << QStringList{"b", "d"} << QString();
        QTest::newRow("plain, among subtasks")
            << "all"
            << "S1" << 3 << QStringList{"d", "s1"} << QStringLiteral("p");
        QTest::newRow("due today, beside a subtask drawn at the top level")
            << "today"
            << "S1" << 3 << QStringList{"b", "d"} << QString();
        QTest::newRow("due today, beside an orphan")
            << "today"
            << "Orphan" << 3 << QStringList{"b", "d"} << QString();
    }

    void dropWritesOnlyWhatMoves()
    {
        QFETCH(QString, filter);
        QFETCH(QString, target);
        QFETCH(int, zone);
        QFETCH(QStringList, written);
        QFETCH(QString, parent);
        // Roots A (10000) and B (10001) placed by hand, C (due tomorrow) and E unplaced; P (due
        // next week) holds S1 (due today) and S2 (tomorrow); the orphan's parent is gone.
        const auto add = [this](const char* id, const char* title, int order, const char* parentUid,
                                int dueInDays) {
            Task task = makeTask(QString::fromLatin1(id), QStringLiteral("team"),
                                 QString::fromLatin1(title));
            task.sortOrder = order;
            task.parentTaskUid = QString::fromLatin1(parentUid);
            if (dueInDays >= 0)
                task.dueDate = dueOn(today.addDays(dueInDays));
            task.syncStatus = QStringLiteral("synced");
            return state()->tasks()->insert(task);
        };
        QVERIFY(add("a", "A", 10000, "", 0));
        QVERIFY(add("b", "B", 10001, "", 0));
        QVERIFY(add("c", "C", 0, "", 1));
        QVERIFY(add("e", "E", 0, "", -1));
        QVERIFY(add("p", "P", 0, "", 7));
        QVERIFY(add("s1", "S1", 0, "p", 0));
        QVERIFY(add("s2", "S2", 0, "p", 1));
        QVERIFY(add("o", "Orphan", 0, "gone", 0));
        QVERIFY(add("d", "D", 0, "", 0));
        state()->preferences()->set(QStringLiteral("ui/tasksFilter"), filter);

        TasksPane pane(state());
        pane.resize(320, 800);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        TasksPaneRow* row = rowOf(&pane, target);
        QVERIFY(row);
        dropOn(row, *state()->tasks()->getById(QStringLiteral("d")), zone);

        QStringList changed;
        for (const Task& task : state()->tasks()->getByCalendar(QStringLiteral("team"))) {
            QCOMPARE(task.sequence > 0, task.syncStatus == QLatin1String("pending"));
            if (task.sequence > 0)
                changed.append(task.id);
        }
        changed.sort();
        QCOMPARE(changed, written);
        const Task dropped = *state()->tasks()->getById(QStringLiteral("d"));
        QCOMPARE(dropped.parentTaskUid, parent);
        // The dropped task shows where it was put among what the pane shows at that level.
        const QStringList lines = shown(&pane);
        const QString indent = parent.isEmpty() ? QString() : QStringLiteral("  ");
        const qsizetype at = lines.indexOf(indent + QStringLiteral("D"));
        QVERIFY2(at > 0, qPrintable(lines.join(", ")));
        if (filter == QLatin1String("all"))
            QCOMPARE(lines.value(zone == 3 ? at - 1 : at + 1), indent + target);
    }

    // A theme chosen while the pane is shown reaches every row and the filter button: faded
    // titles, overdue dates and categories in the colours of the theme in force, the button's
    // glyph in its text colour, both ways.
    void themeSwitchReachesEveryRow()
    {
        Task done =
            makeTask(QStringLiteral("done"), QStringLiteral("team"), QStringLiteral("Done"));
        done.status = QStringLiteral("completed");
        Task late =
            makeTask(QStringLiteral("late"), QStringLiteral("team"), QStringLiteral("Late"));
        late.dueDate = dueOn(today.addDays(-2));
        late.categories = {QStringLiteral("Home")};
        for (const Task& task : {done, late})
            QVERIFY(state()->tasks()->insert(task));
        state()->preferences()->setBool(QStringLiteral("ui/tasksShowCategories"), true);
        ThemeManager* themes = state()->themeManager();
        themes->setMode(QStringLiteral("light"));
        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        auto* filterButton = pane.findChild<QToolButton*>(QStringLiteral("tasksFilterButton"));

        for (const char* mode : {"dark", "light", "dark"}) {
            themes->setMode(QString::fromLatin1(mode));
            QVERIFY(settled(&pane));
            QLabel* title = rowOf(&pane, QStringLiteral("Done"))->findChildren<QLabel*>().value(0);
            QColor faded = Theme::textPrimary();
            faded.setAlpha(140);
            QCOMPARE(title->palette().color(QPalette::WindowText), faded);
            const QList<QLabel*> lateLabels =
                rowOf(&pane, QStringLiteral("Late"))->findChildren<QLabel*>();
            const auto labelWith = [&](const QString& part) -> QLabel* {
                for (QLabel* label : lateLabels) {
                    if (label->text().contains(part))
                        return label;
                }
                return nullptr;
            };
            QVERIFY(labelWith(QStringLiteral("Mar 9")));
            QCOMPARE(labelWith(QStringLiteral("Mar 9"))->palette().color(QPalette::WindowText),
                     Theme::danger());
            QVERIFY(labelWith(QStringLiteral("Home")));
            QVERIFY(labelWith(QStringLiteral("Home"))->text().contains(Theme::textMuted().name()));

            const QImage glyph = filterButton->icon().pixmap(18, 18).toImage();
            QVERIFY(!glyph.isNull());
            int ink = 0;
            for (int y = 0; y < glyph.height(); ++y) {
                for (int x = 0; x < glyph.width(); ++x) {
                    const QColor pixel = glyph.pixelColor(x, y);
                    if (pixel.alpha() < 200)
                        continue;
                    const QColor text = Theme::textPrimary();
                    QVERIFY(std::abs(pixel.red() - text.red()) <= 3 &&
                            std::abs(pixel.green() - text.green()) <= 3 &&
                            std::abs(pixel.blue() - text.blue()) <= 3);
                    ++ink;
                }
            }
            QVERIFY2(ink > 10, mode);
        }
    }

    // A task whose date changes in the store, or whose day moves on at midnight, gets its row
    // built anew, showing the new date.
    void dateChangeRebuildsTheRow()
    {
        Task task = makeTask(QStringLiteral("t"), QStringLiteral("team"), QStringLiteral("Pay"));
        task.dueDate = dueOn(today.addDays(1));
        QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        const auto dateText = [&pane] {
            TasksPaneRow* row = rowOf(&pane, QStringLiteral("Pay"));
            QStringList texts;
            for (QLabel* label : row ? row->findChildren<QLabel*>() : QList<QLabel*>())
                texts.append(label->text());
            return texts.join(QLatin1Char('|'));
        };
        QVERIFY(dateText().contains(QStringLiteral("Tomorrow")));
        task.dueDate = dueOn(today.addDays(9));
        QVERIFY(state()->tasks()->update(task));
        // Right after the write: the wait covers the change the store still holds back.
        QVERIFY(settled(&pane));
        QVERIFY2(dateText().contains(QStringLiteral("Mar 20, 2026")), qPrintable(dateText()));
        task.startDate = dueOn(today);
        QVERIFY(state()->tasks()->update(task));
        QVERIFY(settled(&pane));
        QVERIFY2(dateText().contains(QStringLiteral("Today")), qPrintable(dateText()));

        // Past midnight, with nothing changed in the store, "Today" has become yesterday.
        Clock::pin(StoreSeed::local(today.addDays(1), QTime(0, 0, 30)));
        TodayWatch* watch = pane.findChild<TodayWatch*>();
        QVERIFY(watch);
        watch->check();
        QTRY_VERIFY2(dateText().contains(QStringLiteral("Yesterday")), qPrintable(dateText()));
        QVERIFY2(!dateText().contains(QStringLiteral("Today")), qPrintable(dateText()));
    }

    // Under the program's style sheet the title of a completed or cancelled task is faded.
    void finishedTitlesAreFadedUnderTheStyleSheet()
    {
        const QString sheet = qApp->styleSheet();
        qApp->setStyleSheet(Theme::stylesheet());
        Task done = makeTask(QStringLiteral("d"), QStringLiteral("team"), QStringLiteral("Done"));
        done.status = QStringLiteral("completed");
        Task dropped =
            makeTask(QStringLiteral("x"), QStringLiteral("team"), QStringLiteral("Dropped"));
        dropped.status = QStringLiteral("cancelled");
        const Task open =
            makeTask(QStringLiteral("o"), QStringLiteral("team"), QStringLiteral("Open"));
        for (const Task& task : {done, dropped, open})
            QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        pane.resize(320, 600);
        pane.show();
        for (const auto& [title, alpha] :
             {std::pair{"Done", 140}, {"Dropped", 140}, {"Open", 255}}) {
            TasksPaneRow* row = rowOf(&pane, QString::fromLatin1(title));
            QVERIFY(row);
            QLabel* label = row->findChildren<QLabel*>().value(0);
            QCOMPARE(label->text(), QString::fromLatin1(title));
            QCOMPARE(label->palette().color(QPalette::WindowText).alpha(), alpha);
        }
        qApp->setStyleSheet(sheet);
    }

    // A megabyte title, notes and category: the row lays out a bounded text, three lines of the
    // title at most, and its tick still writes the whole task.
    void megabyteTextsShowBounded()
    {
        QString text;
        while (text.size() < 1024 * 1024)
            text += QStringLiteral("LongText ");
        Task task = makeTask(QStringLiteral("long"), QStringLiteral("team"), text);
        task.description = text;
        task.categories = {text};
        QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        pane.setShowNotes(true);
        pane.setShowCategories(true);
        pane.resize(320, 600);
        pane.show();
        TasksPaneRow* row = rowOf(&pane, text);
        QVERIFY(row);
        const QList<QLabel*> labels = row->findChildren<QLabel*>();
        QLabel* title = labels.value(0);
        QVERIFY(title->text().size() <= Limits::maxRowTextChars + 1);
        QVERIFY(title->height() <= 3 * title->fontMetrics().lineSpacing());
        for (QLabel* label : labels)
            QVERIFY(label->text().size() < 2 * Limits::maxRowTextChars);
        QVERIFY2(row->height() < pane.height() / 2, qPrintable(QString::number(row->height())));

        const QPoint box = row->checkboxRect().center();
        QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, box);
        QVERIFY(settled(&pane));
        const Task saved = *state()->tasks()->getById(task.id);
        QVERIFY(saved.isCompleted());
        QCOMPARE(saved.title, text);
        QCOMPARE(saved.description, text);
    }

    void leavingCompletedClearsTheCompletionDate_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("status");
        QTest::newRow("in progress") << QStringLiteral("Mark In Progress") << "in-process";
        QTest::newRow("cancelled") << QStringLiteral("Mark Cancelled") << "cancelled";
    }

    void leavingCompletedClearsTheCompletionDate()
    {
        QFETCH(QString, entry);
        QFETCH(QString, status);
        Task done = makeTask(QStringLiteral("d"), QStringLiteral("team"), QStringLiteral("Done"));
        done.status = QStringLiteral("completed");
        done.completedDate = AppStateFixture::defaultNow().toUTC();
        QVERIFY(state()->tasks()->insert(done));
        TasksPane pane(state());
        ModalSeam::run([&] { pane.showRowContextMenu(done.id, QPoint(10, 10)); },
                       [&](QWidget* menu) { ModalSeam::chooseMenuAction(menu, entry); });
        const Task stored = *state()->tasks()->getById(done.id);
        QCOMPARE(stored.status, status);
        QVERIFY(!stored.completedDate);
        QVERIFY(!stored.rawIcalendar.contains(QStringLiteral("COMPLETED:")));
    }

    // Cancelling and restoring leave the percentage where the work got to.
    void cancelAndRestoreKeepThePercentage_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("status");
        QTest::newRow("restore") << "cancelled" << 40 << "Restore Task"
                                 << "needs-action";
        QTest::newRow("cancel open") << "in-process" << 50 << "Mark Cancelled"
                                     << "cancelled";
        QTest::newRow("cancel completed") << "completed" << 100 << "Mark Cancelled"
                                          << "cancelled";
    }

    void cancelAndRestoreKeepThePercentage()
    {
        QFETCH(QString, from);
        QFETCH(int, percent);
        QFETCH(QString, entry);
        QFETCH(QString, status);
        Task task = makeTask(QStringLiteral("c"), QStringLiteral("team"), QStringLiteral("C"));
        task.status = from;
        task.percentComplete = percent;
        QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        ModalSeam::run([&] { pane.showRowContextMenu(task.id, QPoint(10, 10)); },
                       [&](QWidget* menu) { ModalSeam::chooseMenuAction(menu, entry); });
        const Task stored = *state()->tasks()->getById(task.id);
        QCOMPARE(stored.status, status);
        QCOMPARE(stored.percentComplete, percent);
    }

    // While the menu is open a sync may store a new etag, remove the task or move it to another
    // calendar; the entry chosen afterwards neither writes the old copy back nor brings the
    // removed task back, and a task gone or moved is left alone with the person told.
    void menuActsOnTheTaskAsStoredAfterwards_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("movedTo");
        QTest::newRow("synced, progress") << false << "Mark In Progress" << QString();
        QTest::newRow("synced, top level") << false << "Make Top-Level" << QString();
        QTest::newRow("removed, progress") << true << "Mark In Progress" << QString();
        QTest::newRow("removed, cancel") << true << "Mark Cancelled" << QString();
        QTest::newRow("moved, complete") << false << "Mark Complete"
                                         << "home";
    }

    void menuActsOnTheTaskAsStoredAfterwards()
    {
        QFETCH(bool, removed);
        QFETCH(QString, entry);
        QFETCH(QString, movedTo);
        Task task = makeTask(QStringLiteral("s"), QStringLiteral("team"), QStringLiteral("S"));
        task.parentTaskUid = QStringLiteral("elsewhere");
        QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { pane.showRowContextMenu(task.id, QPoint(10, 10)); },
                           QList<ModalSeam::Answer>{[&](QWidget* menu) {
                               if (removed) {
                                   QVERIFY(state()->tasks()->remove(task.id));
                               } else if (!movedTo.isEmpty()) {
                                   Task moved = task;
                                   moved.calendarId = movedTo;
                                   QVERIFY(state()->tasks()->update(moved));
                               } else {
                                   QVERIFY(state()->tasks()->markSynced(task.id, "/t/s.ics", "e2"));
                               }
                               ModalSeam::chooseMenuAction(menu, entry);
                           }});
        const Task stored = *state()->tasks()->getById(task.id);
        QCOMPARE(bool(stored.deletedAt), removed);
        if (removed || !movedTo.isEmpty()) {
            QCOMPARE(stored.status, task.status);
            QCOMPARE(seen.size(), 2);
            QCOMPARE(seen[1].title, QStringLiteral("Task not found"));
            QCOMPARE(seen[1].text, removed ? QStringLiteral("This task no longer exists.")
                                           : QStringLiteral("\"S\" was moved to another calendar "
                                                            "meanwhile, so nothing was changed."));
            return;
        }
        QCOMPARE(seen.size(), 1);
        QCOMPARE(stored.etag, QStringLiteral("e2"));
        QCOMPARE(stored.href, QStringLiteral("/t/s.ics"));
    }

    // While a row's menu is open a sync rewrites its task and a new theme drops every row, that
    // one among them: the entry chosen afterwards acts on that task, as stored, and on no other.
    void menuOutlivesItsRow()
    {
        Task task = makeTask(QStringLiteral("a"), QStringLiteral("team"), QStringLiteral("A"));
        const Task other =
            makeTask(QStringLiteral("b"), QStringLiteral("team"), QStringLiteral("B"));
        QVERIFY(state()->tasks()->insert(task) && state()->tasks()->insert(other));
        state()->themeManager()->setMode(QStringLiteral("light"));
        TasksPane pane(state());
        pane.resize(320, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        const QPointer<TasksPaneRow> row = rowOf(&pane, QStringLiteral("A"));
        QVERIFY(row);
        ModalSeam::run([&] { openMenu(row); },
                       [&](QWidget* menu) {
                           task.title = QStringLiteral("A, renamed");
                           QVERIFY(state()->tasks()->update(task));
                           state()->themeManager()->setMode(QStringLiteral("dark"));
                           QTRY_VERIFY(!row);
                           QVERIFY(
                               ModalSeam::chooseMenuAction(menu, QStringLiteral("Mark Complete")));
                       });
        const Task stored = *state()->tasks()->getById(task.id);
        QVERIFY(stored.isCompleted());
        QCOMPARE(stored.title, QStringLiteral("A, renamed"));
        const Task untouched = *state()->tasks()->getById(other.id);
        QCOMPARE(untouched.status, other.status);
        QCOMPARE(untouched.sequence, other.sequence);
    }

    // A drag goes on in the window system's loop, where a reload may replace the dragged row:
    // the drop still lands. Only a platform with a drag loop of its own runs it (the xcb entry).
    void rowReplacedDuringItsDragStillDrops()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("the offscreen platform ends a drag at once");
        const Task a = makeTask(QStringLiteral("a"), QStringLiteral("team"), QStringLiteral("A"));
        const Task b = makeTask(QStringLiteral("b"), QStringLiteral("team"), QStringLiteral("B"));
        QVERIFY(state()->tasks()->insert(a) && state()->tasks()->insert(b));
        state()->themeManager()->setMode(QStringLiteral("light"));
        TasksPane pane(state());
        pane.resize(320, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        const QPointer<TasksPaneRow> dragged = rowOf(&pane, QStringLiteral("A"));
        QVERIFY(dragged);
        bool replaced = false;
        QTimer::singleShot(0, &pane, [&] {
            state()->themeManager()->setMode(QStringLiteral("dark"));
            replaced = QTest::qWaitFor([&] { return !dragged; });
            TasksPaneRow* target = rowOf(&pane, QStringLiteral("B"));
            const QPoint middle(60, target->height() / 2);
            QMouseEvent over(QEvent::MouseMove, middle, target->mapToGlobal(middle), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &over);
            QMouseEvent release(QEvent::MouseButtonRelease, middle, target->mapToGlobal(middle),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &release);
            // A drag that took no drop is called off (cancel() ends whichever drag is running),
            // so that a failure does not hang.
            if (!QTest::qWaitFor(
                    [&] { return !state()->tasks()->getById(a.id)->parentTaskUid.isEmpty(); },
                    3000))
                QDrag(&pane).cancel();
        });
        const QPoint grip(60, dragged->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, grip, dragged->mapToGlobal(grip),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dragged, &press);
        const QPoint away = grip + QPoint(0, 40);
        QMouseEvent move(QEvent::MouseMove, away, dragged->mapToGlobal(away), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dragged, &move);
        QVERIFY(replaced);
        QCOMPARE(state()->tasks()->getById(a.id)->parentTaskUid, b.uid);
    }

    // A click opens the task's card beside the row, a double click the form on the task as
    // stored; the card's buttons lead to the form and to a subtask's form. No host is needed.
    void rowClicksOpenTheCardAndTheForm()
    {
        Task task = makeTask(QStringLiteral("t"), QStringLiteral("team"), QStringLiteral("T"));
        QVERIFY(state()->tasks()->insert(task));
        TasksPane pane(state());
        QStringList forms;
        pane.execDialog = [&](QDialog* dialog) {
            forms << dialog->windowTitle();
            return int(QDialog::Rejected);
        };
        pane.resize(320, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        const auto openCard = [&pane]() -> TaskDetailsPopover* {
            for (TaskDetailsPopover* shown : pane.findChildren<TaskDetailsPopover*>())
                if (shown->isVisible())
                    return shown;
            return nullptr;
        };
        TasksPaneRow* row = rowOf(&pane, QStringLiteral("T"));
        for (const QString& action : {QStringLiteral("Edit…"), QStringLiteral("Add Subtask")}) {
            QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(150, 12));
            QTRY_VERIFY(openCard());
            QPushButton* button = nullptr;
            for (QPushButton* candidate : openCard()->findChildren<QPushButton*>())
                if (candidate->text() == action)
                    button = candidate;
            QVERIFY(button);
            button->click();
            QTRY_COMPARE(forms.size(), action == QStringLiteral("Edit…") ? 1 : 2);
            QTRY_VERIFY(!openCard());
        }
        QTest::mouseDClick(row, Qt::LeftButton, {}, QPoint(150, 12));
        QCOMPARE(forms, (QStringList{"Edit Task", "New Task", "Edit Task"}));
        QTest::mouseClick(row, Qt::LeftButton, {}, row->checkboxRect().center());
        QVERIFY(state()->tasks()->getById(task.id)->isCompleted());
    }

    // A read-only calendar's server refuses every change: its tasks take no drop, no tick and no
    // change from the menu, which only offers Edit… (the form opens them read-only).
    void readOnlyCalendarTakesNoChange()
    {
        Calendar shared = StoreSeed::calendar(QStringLiteral("shared"), QStringLiteral("acc"),
                                              QStringLiteral("Shared"), QStringLiteral("#8e24aa"));
        shared.isReadOnly = true;
        QVERIFY(StoreSeed::addCalendar(
            state(), StoreSeed::account(QStringLiteral("acc"), QStringLiteral("Work"), "caldav"),
            shared));
        const Task first =
            makeTask(QStringLiteral("r1"), QStringLiteral("shared"), QStringLiteral("First"));
        const Task second =
            makeTask(QStringLiteral("r2"), QStringLiteral("shared"), QStringLiteral("Second"));
        QVERIFY(state()->tasks()->insert(first) && state()->tasks()->insert(second));
        TasksPane pane(state());
        pane.resize(320, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));

        dropOn(rowOf(&pane, QStringLiteral("First")), second, 2);
        TasksPaneRow* row = rowOf(&pane, QStringLiteral("Second"));
        QTest::mouseClick(row, Qt::LeftButton, {}, row->checkboxRect().center());
        QStringList enabled;
        ModalSeam::run([&] { pane.showRowContextMenu(second.id, QPoint(10, 10)); },
                       [&](QWidget* menu) {
                           for (QAction* action : menu->actions())
                               if (action->isEnabled() && !action->isSeparator())
                                   enabled << action->text();
                           menu->close();
                       });
        QCOMPARE(enabled, QStringList{"Edit…"});
        // Into another calendar the person learns why, read-only or not.
        const Task mine =
            makeTask(QStringLiteral("m"), QStringLiteral("team"), QStringLiteral("Mine"));
        QVERIFY(state()->tasks()->insert(mine));
        QTRY_VERIFY(rowOf(&pane, QStringLiteral("Mine")));
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { dropOn(rowOf(&pane, QStringLiteral("Mine")), second, 2); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Can't move task"));
        const Task stored = *state()->tasks()->getById(second.id);
        QCOMPARE(stored.parentTaskUid, QString());
        QVERIFY(!stored.isCompleted());
        QCOMPARE(stored.sequence, second.sequence);
    }

private:
    AppState* state() const { return m_fixture->state(); }
    std::unique_ptr<AppStateFixture> m_fixture;
};

QTEST_MAIN(TestTasksPane)
#include "tst_taskspane.moc"
