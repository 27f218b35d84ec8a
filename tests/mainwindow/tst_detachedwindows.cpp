#include "AgendaListWidget.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "Clock.h"
#include "DetachedAgendaWindow.h"
#include "DetachedTasksWindow.h"
#include "FakeTrayIcon.h"
#include "InputEvents.h"
#include "MainWindow.h"
#include "MiniMonthCalendar.h"
#include "PreferencesRepository.h"
#include "Sidebar.h"
#include "SyncClientFactory.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class NoClients : public SyncClientFactory
{
public:
    SyncClientHandle* create(Kind, QObject*) override { return nullptr; }
    QString calDavPassword(const QString&) override { return {}; }
    void rediscover(const Account&, const CalDavLogin&, QObject*, DiscoveryDone done) override
    {
        done(false, 0, QStringLiteral("offline"));
    }
};

QAction* menuEntry(QMenuBar* bar, const QString& menuTitle, const QString& entry)
{
    for (QAction* menu : bar->actions()) {
        if (menu->text() != menuTitle || !menu->menu())
            continue;
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == entry)
                return action;
        }
    }
    return nullptr;
}

// Runs the deferred deletion of closed windows.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestDetachedWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;

    AppState* state() const { return m_fixture->state(); }
    std::unique_ptr<MainWindow> makeWindow()
    {
        state()->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        return std::make_unique<MainWindow>(state(), std::make_unique<NoClients>());
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
    }

    void cleanup()
    {
        QGuiApplication::setQuitOnLastWindowClosed(true);
        m_fixture.reset();
    }

    // The Window menu brings the one open window forward; closing destroys it, and the next
    // opening builds a fresh one where the last one stood (the first ever at its built size, as
    // tall as the laptop's screen of the tests leaves room for beside a title bar).
    void oneWindowOfEachKindWithItsGeometry()
    {
        auto window = makeWindow();
        QAction* agendaEntry = menuEntry(window->menuBar(), "&Window", "Detached &Agenda Window");
        QAction* tasksEntry = menuEntry(window->menuBar(), "&Window", "Detached &Tasks Window");
        QVERIFY(agendaEntry && agendaEntry->isEnabled());
        QVERIFY(tasksEntry && tasksEntry->isEnabled());

        agendaEntry->trigger();
        agendaEntry->trigger();
        tasksEntry->trigger();
        QCOMPARE(window->openDetachedAgenda(), window->openDetachedAgenda());
        int agendas = 0;
        int taskWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            agendas += qobject_cast<DetachedAgendaWindow*>(top) ? 1 : 0;
            taskWindows += qobject_cast<DetachedTasksWindow*>(top) ? 1 : 0;
        }
        QCOMPARE(agendas, 1);
        QCOMPARE(taskWindows, 1);

        QPointer<DetachedAgendaWindow> agenda = window->openDetachedAgenda();
        QPointer<DetachedTasksWindow> tasks = window->openDetachedTasks();
        QCOMPARE(agenda->size(), QSize(380, 660));
        QCOMPARE(tasks->size(), QSize(360, 660));
        QVERIFY(tasks->tasksPane());
        QVERIFY(!agenda->parentWidget());

        agenda->setGeometry(40, 50, 300, 420);
        tasks->setGeometry(60, 70, 320, 400);
        const QRect agendaPlace = agenda->geometry();
        const QRect tasksPlace = tasks->geometry();
        agenda->close();
        tasks->close();
        flushDeletes();
        QVERIFY(!agenda && !tasks);

        QCOMPARE(window->openDetachedAgenda()->geometry(), agendaPlace);
        QCOMPARE(window->openDetachedTasks()->geometry(), tasksPlace);
    }

    // A stored value that is not a geometry leaves the built size, fitted to the screen.
    void unreadableGeometryIsIgnored()
    {
        state()->preferences()->set(DetachedAgendaWindow::geometryKey, QStringLiteral("%%%"));
        state()->preferences()->set(DetachedTasksWindow::geometryKey,
                                    QString::fromLatin1(QByteArray("junk").toBase64()));
        auto window = makeWindow();
        QCOMPARE(window->openDetachedAgenda()->size(), QSize(380, 660));
        QCOMPARE(window->openDetachedTasks()->size(), QSize(360, 660));
    }

    // The sidebar's agenda answers to View › "Show Empty Days in Agenda" in both directions; the
    // detached agenda keeps a mode of its own under its own key.
    void agendaModesStayApart()
    {
        auto window = makeWindow();
        auto* sidebar = window->findChild<Sidebar*>(QStringLiteral("sidebar"));
        QVERIFY(sidebar && sidebar->miniMonth() && sidebar->agenda());
        QAction* toggle = menuEntry(window->menuBar(), "&View", "Show &Empty Days in Agenda");
        QVERIFY(toggle && toggle->isEnabled());
        QCOMPARE(toggle->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
        QVERIFY(toggle->isChecked());
        AgendaListWidget* detached = window->openDetachedAgenda()->agenda();

        toggle->trigger();
        QVERIFY(!sidebar->agenda()->showEmptyDays());
        QVERIFY(detached->showEmptyDays());
        PreferencesRepository* preferences = state()->preferences();
        QCOMPARE(preferences->getString(QStringLiteral("ui/sidebarAgendaMode")), "list");
        QVERIFY(preferences->getString(QStringLiteral("ui/detachedAgendaMode")).isEmpty());

        detached->setShowEmptyDays(false);
        QCOMPARE(preferences->getString(QStringLiteral("ui/detachedAgendaMode")), "list");
        sidebar->agenda()->setShowEmptyDays(true);
        QVERIFY(toggle->isChecked());
        QVERIFY(!detached->showEmptyDays());

        // Both modes come back at the next start.
        window.reset();
        auto again = makeWindow();
        QVERIFY(menuEntry(again->menuBar(), "&View", "Show &Empty Days in Agenda")->isChecked());
        QVERIFY(!again->openDetachedAgenda()->agenda()->showEmptyDays());
    }

    // A day picked in the detached month is the program's current date, so the sidebar's month
    // and the views follow it.
    void dateInDetachedMonthMovesTheViews()
    {
        auto window = makeWindow();
        window->show();
        DetachedAgendaWindow* detached = window->openDetachedAgenda();
        MiniMonthCalendar* month = detached->miniMonth();
        QVERIFY(QTest::qWaitForWindowExposed(detached));
        const QDate target = state()->currentDate().addMonths(1);
        InputEvents::wheel(month, QPoint(20, 100), -120);
        QCOMPARE(month->displayedMonth(), QDate(target.year(), target.month(), 1));
        QPoint cell;
        for (int y = 66; y < 66 + 6 * 34 && cell.isNull(); y += 34) {
            for (int x = 10; x < month->width() - 4 && cell.isNull(); x += 8) {
                if (month->dateAt(QPoint(x, y + 10)) == target)
                    cell = QPoint(x, y + 10);
            }
        }
        QVERIFY(!cell.isNull());
        InputEvents::press(month, cell);
        QCOMPARE(state()->currentDate(), target);
        auto* sidebar = window->findChild<Sidebar*>(QStringLiteral("sidebar"));
        QCOMPARE(sidebar->miniMonth()->displayedMonth(), month->displayedMonth());
    }

    // A task's card is wider than the tasks window: it stands beside the window on the screen,
    // whole, with its buttons in sight.
    void taskCardStandsWholeOnTheScreen()
    {
        Task task;
        task.id = task.uid = QStringLiteral("rent");
        task.calendarId = AppState::localCalendarId;
        task.title = QStringLiteral("Pay rent");
        task.created = task.lastModified = Clock::now();
        QVERIFY(state()->tasks()->insert(task));
        auto window = makeWindow();
        DetachedTasksWindow* tasks = window->openDetachedTasks();
        QVERIFY(QTest::qWaitForWindowExposed(tasks));
        TasksPane* pane = tasks->tasksPane();
        QTRY_VERIFY(!pane->isLoading() && pane->rowCount() > 0);
        TasksPaneRow* row = nullptr;
        for (int i = 0; i < pane->rowCount() && !row; ++i)
            row = qobject_cast<TasksPaneRow*>(pane->showRow(i));
        QVERIFY(row);
        QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(150, 12));
        auto* card = tasks->findChild<TaskDetailsPopover*>();
        QVERIFY(card && card->isVisible());
        const QRect onScreen(card->mapToGlobal(QPoint(0, 0)), card->size());
        QVERIFY(tasks->screen()->availableGeometry().contains(onScreen));
        auto* edit = card->findChild<QPushButton*>();
        QCOMPARE(edit->text(), QStringLiteral("Edit…"));
        QCOMPARE(edit->visibleRegion(), QRegion(edit->rect()));
    }

    // Closing the last detached window while the main window waits in the tray keeps the
    // program running; quitting closes every window, each storing where it stood. Last of the
    // cases: the quit request stays with the application object.
    void trayAndQuit()
    {
        auto window = makeWindow();
        FakeTrayIcon tray;
        tray.setVisible(true);
        window->trayIcon = &tray;
        window->show();
        window->close();
        QVERIFY(!window->isVisible());
        QPointer<DetachedAgendaWindow> agenda = window->openDetachedAgenda();
        agenda->close();
        flushDeletes();
        QVERIFY(!agenda);
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());

        agenda = window->openDetachedAgenda();
        QPointer<DetachedTasksWindow> tasks = window->openDetachedTasks();
        agenda->setGeometry(30, 40, 310, 430);
        tasks->setGeometry(50, 60, 330, 410);
        const QRect agendaPlace = agenda->geometry();
        state()->preferences()->set(DetachedTasksWindow::geometryKey, QString());
        window->quit();
        flushDeletes();
        QVERIFY(!agenda && !tasks);
        QVERIFY(!state()->preferences()->getString(DetachedTasksWindow::geometryKey).isEmpty());
        QCOMPARE(window->openDetachedAgenda()->geometry(), agendaPlace);
    }
};

QTEST_MAIN(TestDetachedWindows)
#include "tst_detachedwindows.moc"
