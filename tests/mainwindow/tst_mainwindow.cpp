#include "AccountRepository.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DayTimelineWidget.h"
#include "DayView.h"
#include "EventChangeState.h"
#include "EventDetailsPopover.h"
#include "EventRepository.h"
#include "FakeTrayIcon.h"
#include "FilterRuleRepository.h"
#include "GoogleAuthService.h"
#include "IcsImportFlow.h"
#include "Limits.h"
#include "MainWindow.h"
#include "ManageSourcesDialog.h"
#include "MicrosoftAuthService.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "RecurringEdit.h"
#include "SyncClientFactory.h"
#include "SyncOrchestrator.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "UndoStack.h"
#include "ViewArea.h"
#include "ViewRepository.h"
#include "WelcomeDialog.h"
#include "YearGridWidget.h"
#include "YearView.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QSplitter>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>

#include <sys/stat.h>

namespace {

// No client ever starts: the window's sync stays out of these tests.
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

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QAction* findAction(const QList<QAction*>& actions, const QString& text)
{
    const auto found = std::find_if(actions.cbegin(), actions.cend(),
                                    [&](const QAction* action) { return action->text() == text; });
    return found == actions.cend() ? nullptr : *found;
}

QAction* findAction(QMenuBar* bar, const QString& menuTitle, const QString& entry)
{
    QAction* menu = findAction(bar->actions(), menuTitle);
    return menu && menu->menu() ? findAction(menu->menu()->actions(), entry) : nullptr;
}

QShortcut* findShortcut(QWidget* window, const QKeySequence& keys)
{
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (shortcut->key() == keys)
            return shortcut;
    }
    return nullptr;
}

// A one-hour event of the local calendar.
Event localEvent(const QString& id, const QDateTime& start)
{
    Event event;
    event.id = event.uid = id;
    event.calendarId = AppState::localCalendarId;
    event.startTime = start;
    event.endTime = start.addSecs(3600);
    event.created = event.lastModified = Clock::now();
    return event;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;

    AppState* state() const { return m_fixture->state(); }
    std::unique_ptr<MainWindow> makeWindow()
    {
        // The first-start greeting has a test of its own.
        state()->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        return std::make_unique<MainWindow>(state(), std::make_unique<NoClients>());
    }

    void addAccount(const QString& id, const QString& type, const QString& error = {})
    {
        Account account;
        account.id = id;
        account.name = id;
        account.type = type;
        account.lastSyncError = error;
        account.createdAt = account.updatedAt = Clock::now();
        QVERIFY(state()->accounts()->insert(account));
    }

    void addCalendar(const QString& id, bool readOnly)
    {
        Calendar calendar;
        calendar.id = id;
        calendar.accountId = AppState::localAccountId;
        calendar.name = id;
        calendar.isReadOnly = readOnly;
        calendar.createdAt = calendar.updatedAt = Clock::now();
        QVERIFY(state()->calendars()->insert(calendar));
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

    void emptyStoreShowsTheEmptyStatePage()
    {
        for (const Calendar& calendar : state()->calendars()->getAll())
            QVERIFY(state()->calendars()->remove(calendar.id));
        auto window = makeWindow();
        auto* stack = window->findChild<QStackedWidget*>(QStringLiteral("centralStack"));
        QVERIFY(stack);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("emptyState"));
        QAction* newEvent = findAction(window->menuBar(), "&File", "&New Event…");
        QVERIFY(newEvent && !newEvent->isEnabled());

        addCalendar(QStringLiteral("Work"), false);
        QTRY_COMPARE(stack->currentWidget()->objectName(), QStringLiteral("viewArea"));
        QVERIFY(newEvent->isEnabled());
    }

    void menusAndShortcuts_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QKeySequence>("keys");
        const auto row = [](const char* menu, const char* entry, const QKeySequence& keys) {
            QTest::addRow("%s %s", menu, entry) << menu << entry << keys;
        };
        // Entries the opening test below leaves out, and the window's own shortcuts.
        row("&File", "Orvandellic &Account…", {});
        row("&File", "&Quit", QKeySequence::Quit);
        row("&Help", "&What's New", {});
        row("&Help", "Send &Feedback…", {});
        row("&Help", "Check for &Updates…", {});
        for (const char* keys :
             {"Ctrl+K", "Alt+Left", "Alt+Right", "Ctrl+1", "Ctrl+5", "Ctrl+9", "Ctrl+]", "Ctrl+["})
            row("", keys, QKeySequence(keys));
        row("", "undo", QKeySequence::Undo);
    }

    void menusAndShortcuts()
    {
        QFETCH(QString, menu);
        QFETCH(QString, entry);
        QFETCH(QKeySequence, keys);
        auto window = makeWindow();
        if (menu.isEmpty()) {
            QVERIFY(findShortcut(window.get(), keys));
            return;
        }
        QAction* action = findAction(window->menuBar(), menu, entry);
        QVERIFY2(action, qPrintable(plain(entry)));
        QCOMPARE(action->shortcut(), keys);
    }

    void menuOrderAndRoles()
    {
        qputenv("CALENDAR_INSTANCE", "dev");
        auto window = makeWindow();
        qunsetenv("CALENDAR_INSTANCE");
        QStringList menus;
        for (QAction* action : window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&View", "&Window", "&Tools", "&Developer",
                                     "&Help"}));
        QCOMPARE(findAction(window->menuBar(), "&File", "&Quit")->menuRole(), QAction::QuitRole);
        QCOMPARE(findAction(window->menuBar(), "&Help", "&About Orvandellic Calendar")->menuRole(),
                 QAction::AboutRole);
        QVERIFY(!findAction(window->menuBar(), "&File", "Sign &Out")->isVisible());
        QVERIFY(!makeWindow()->menuBar()->actions().at(5)->text().contains("Developer"));
    }

    // What the start-up hands in decides what the test notification says; a window without it
    // reports that nothing could show one.
    void testNotificationFollowsTheStartUpsAnswer_data()
    {
        QTest::addColumn<int>("hook"); // 0 unset, 1 answers false, 2 answers true
        QTest::addColumn<QString>("status");
        const QString notShown = "Test notification not shown: no notification service or tray "
                                 "icon is available";
        QTest::newRow("unset") << 0 << notShown;
        QTest::newRow("nothing shows it") << 1 << notShown;
        QTest::newRow("shown") << 2 << QStringLiteral("Test notification shown");
    }

    void testNotificationFollowsTheStartUpsAnswer()
    {
        QFETCH(int, hook);
        QFETCH(QString, status);
        auto window = makeWindow();
        int asked = 0;
        if (hook > 0)
            window->showTestNotification = [&asked, hook] { return ++asked, hook == 2; };
        findAction(window->menuBar(), "&Help", "Send Test &Notification")->trigger();
        QCOMPARE(window->statusText(), status);
        QCOMPARE(asked, hook > 0 ? 1 : 0);
    }

    // The developer menu asks the start-up for the sample set; clearing asks the user first.
    void developerMenuAsksForTheSampleSet()
    {
        qputenv("CALENDAR_INSTANCE", "dev");
        auto window = makeWindow();
        qunsetenv("CALENDAR_INSTANCE");
        QSignalSpy load(window.get(), &MainWindow::sampleDataLoadRequested);
        QSignalSpy clear(window.get(), &MainWindow::sampleDataClearRequested);
        findAction(window->menuBar(), "&Developer", "Load Sample &Data")->trigger();
        QCOMPARE(load.count(), 1);
        QAction* clearAction = findAction(window->menuBar(), "&Developer", "&Clear Sample Data");
        ModalSeam::run([&] { clearAction->trigger(); });
        QCOMPARE(clear.count(), 0);
        const auto seen = ModalSeam::run([&] { clearAction->trigger(); },
                                         [](QWidget* box) { ModalSeam::clickButton(box, "Yes"); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Clear sample data?"));
        QCOMPARE(clear.count(), 1);
        QCOMPARE(load.count(), 1);
    }

    // The tasks pane turned off stays off at the next start, also with the window state that
    // closing stored; the sidebar is back at every start.
    void panesAfterRestart()
    {
        {
            auto window = makeWindow();
            window->show();
            findAction(window->menuBar(), "&View", "Toggle &Tasks Pane")->trigger();
            findAction(window->menuBar(), "&View", "Toggle &Sidebar")->trigger();
            QVERIFY(!window->findChild<QWidget*>(QStringLiteral("tasksPane"))->isVisible());
            window->close();
        }
        auto window = makeWindow();
        window->show();
        QVERIFY(!window->findChild<QWidget*>(QStringLiteral("tasksPane"))->isVisible());
        QVERIFY(!findAction(window->menuBar(), "&View", "Toggle &Tasks Pane")->isChecked());
        QVERIFY(window->findChild<QWidget*>(QStringLiteral("sidebar"))->isVisible());
        QVERIFY(findAction(window->menuBar(), "&View", "Toggle &Sidebar")->isChecked());
    }

    void geometryAndSplitterAreRestored()
    {
        // The offscreen screen is 800 by 600: a stored size must fit it.
        QList<int> sizes;
        {
            auto window = makeWindow();
            window->resize(760, 500);
            auto* splitter = window->findChild<QSplitter*>(QStringLiteral("mainSplitter"));
            splitter->setSizes({300, 500, 300});
            sizes = splitter->sizes();
            window->close();
        }
        auto window = makeWindow();
        QCOMPARE(window->size(), QSize(760, 500));
        QCOMPARE(window->findChild<QSplitter*>(QStringLiteral("mainSplitter"))->sizes(), sizes);
    }

    void closeGoesToTheTrayOnce()
    {
        auto window = makeWindow();
        FakeTrayIcon tray;
        tray.setVisible(true);
        window->trayIcon = &tray;
        window->show();
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(tray.messages.size(), 1);
        // Hidden in the tray, another window's closing must not end the program.
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QWidget detached;
        detached.show();
        detached.close();
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());

        window->focusWindow();
        QVERIFY(window->isVisible());
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(tray.messages.size(), 1);

        // Without the tray (or with close-to-tray off) the window really closes.
        window->focusWindow();
        state()->preferences()->setBool(QStringLiteral("ui/closeToTray"), false);
        window->close();
        QVERIFY(!window->isVisible());
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    }

    // Runs the window's import of each path and answers every message box with OK; returns
    // once every file has been dealt with.
    QList<ModalSeam::Seen> importAndWait(MainWindow* window, const QStringList& paths)
    {
        QSignalSpy idle(window->importFlow(), &IcsImportFlow::idle);
        return ModalSeam::run(
            [&] {
                for (const QString& path : paths)
                    window->importIcsFromCommand(path);
                if (idle.isEmpty())
                    idle.wait(30000);
            },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
    }

    static QString writeIcs(const QTemporaryDir& dir, const QString& name,
                            const QList<QByteArray>& uids, const QByteArray& extra = {})
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return {};
        }
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        for (const QByteArray& uid : uids) {
            text += "BEGIN:VEVENT\r\nUID:" + uid +
                    "\r\nDTSTART:20260312T090000Z\r\nDTEND:20260312T100000Z\r\nSUMMARY:" + uid +
                    "\r\nEND:VEVENT\r\n";
        }
        file.write(text + extra + "END:VCALENDAR\r\n");
        return path;
    }

    // many.ics of 20,000 events named `prefix`0, `prefix`1, …: an import long enough that a test
    // can act while it is written.
    static QString writeManyIcs(const QTemporaryDir& dir, const char* prefix)
    {
        QList<QByteArray> uids;
        for (int i = 0; i < 20000; ++i)
            uids << prefix + QByteArray::number(i);
        return writeIcs(dir, QStringLiteral("many.ics"), uids);
    }

    void importSkipsWhatIsAlreadyPresent()
    {
        QTemporaryDir dir;
        // Events without UID and tasks are left out, and counted.
        const QString path =
            writeIcs(dir, QStringLiteral("team.ics"), {"a", "b", "c", "a"},
                     "BEGIN:VEVENT\r\nSUMMARY:No uid\r\nDTSTART:20260312T090000Z\r\nEND:VEVENT\r\n"
                     "BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Task\r\nEND:VTODO\r\n");
        addCalendar(QStringLiteral("Feed"), true);

        auto window = makeWindow();
        QStringList questions;
        window->confirm = [&](const QString& title, const QString& body) {
            questions << title + ": " + body;
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(
            questions,
            QStringList{"Import events?: Import 3 event(s) from \"team.ics\" into \"Personal\"?"});
        QCOMPARE(window->statusText(),
                 QStringLiteral("Imported 3 event(s) into Personal; skipped 1 repeated in the "
                                "file, 1 without UID or unreadable, 1 task(s)."));
        const QList<Event> stored = state()->events()->getByCalendar(AppState::localCalendarId);
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored.first().syncStatus, QStringLiteral("pending"));

        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(questions.size(), 1);
        QCOMPARE(window->statusText(),
                 QStringLiteral("Imported 0 events into Personal; skipped 3 already present, 1 "
                                "repeated in the file, 1 without UID or unreadable, 1 task(s)."));
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 3);

        // With only read-only calendars nothing is written and the user is told.
        Calendar personal = *state()->calendars()->getById(AppState::localCalendarId);
        personal.isReadOnly = true;
        QVERIFY(state()->calendars()->update(personal));
        const QList<ModalSeam::Seen> seen = importAndWait(window.get(), {path});
        QCOMPARE(seen.value(0).title, QStringLiteral("No writable calendar"));
        QVERIFY(state()->events()->getByCalendar(QStringLiteral("Feed")).isEmpty());
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 3);
    }

    void onlyRegularFilesAreImported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        for (const char* kind : {"device", "fifo", "folder"})
            QTest::newRow(kind) << kind << "only regular files are read";
        QTest::newRow("over the size bound") << "large"
                                             << "is too large to import";
        QTest::newRow("missing") << "missing"
                                 << "for reading";
    }

    void onlyRegularFilesAreImported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x.ics"));
        if (kind == QLatin1String("device")) {
            path = QStringLiteral("/dev/zero");
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("large")) {
            // Sparse: its size is past the bound without any of it on disk.
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(Limits::maxIcalendarBytes + 1));
        }
        auto window = makeWindow();
        const QList<ModalSeam::Seen> seen = importAndWait(window.get(), {path});
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Couldn't open file"));
        QVERIFY2(seen.first().text.contains(message), qPrintable(seen.first().text));
        QVERIFY(state()->events()->getByCalendar(AppState::localCalendarId).isEmpty());
    }

    void importsAskedForDuringAQuestionWaitTheirTurn()
    {
        QTemporaryDir dir;
        const QString first = writeIcs(dir, QStringLiteral("first.ics"), {"a", "b"});
        const QString second = writeIcs(dir, QStringLiteral("second.ics"), {"b", "c"});
        auto window = makeWindow();
        QStringList questions;
        bool asking = false;
        window->confirm = [&](const QString&, const QString& body) {
            // Never two questions at once; the second is asked once the first file is stored.
            questions
                << body +
                       QStringLiteral(" (stored %1)")
                           .arg(state()->events()->getByCalendar(AppState::localCalendarId).size());
            if (asking)
                questions << QStringLiteral("nested");
            asking = true;
            if (questions.size() == 1) {
                window->importIcsFromCommand(second);
                QTest::qWait(200);
            }
            asking = false;
            return true;
        };
        QVERIFY(importAndWait(window.get(), {first}).isEmpty());
        QTRY_VERIFY(!window->importFlow()->isBusy());
        QCOMPARE(
            questions,
            (QStringList{"Import 2 event(s) from \"first.ics\" into \"Personal\"? (stored 0)",
                         "Import 1 event(s) from \"second.ics\" into \"Personal\"? (stored 2)"}));
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 3);
    }

    void cancelledImportStoresNothing()
    {
        QTemporaryDir dir;
        const QString path = writeManyIcs(dir, "u");
        auto window = makeWindow();
        // The write is cancelled as soon as it starts: the rows written so far are rolled back.
        window->confirm = [&](const QString&, const QString&) {
            QTimer::singleShot(0, window.get(), [&] {
                auto* progress = window->findChild<QProgressDialog*>();
                QVERIFY(progress);
                QVERIFY(ModalSeam::clickButton(progress, QStringLiteral("Cancel")));
            });
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QVERIFY2(window->statusText().contains(QStringLiteral("cancelled; nothing was stored")),
                 qPrintable(window->statusText()));
        QVERIFY(state()->events()->getByCalendar(AppState::localCalendarId).isEmpty());
    }

    // One event without a start would break the one transaction of the whole import: it is left
    // out and counted, and the rest is stored.
    void eventsWithoutStartAreSkippedAndTheRestStored()
    {
        QTemporaryDir dir;
        QList<QByteArray> uids;
        for (int i = 0; i < 19; ++i)
            uids << "u" + QByteArray::number(i);
        const QString path = writeIcs(dir, QStringLiteral("team.ics"), uids,
                                      "BEGIN:VEVENT\r\nUID:nostart\r\nSUMMARY:When?\r\n"
                                      "END:VEVENT\r\n");
        auto window = makeWindow();
        QStringList questions;
        window->confirm = [&](const QString&, const QString& body) {
            questions << body;
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(questions, QStringList{"Import 19 event(s) from \"team.ics\" into \"Personal\"?"});
        QCOMPARE(window->statusText(),
                 QStringLiteral("Imported 19 event(s) into Personal; skipped 1 without start "
                                "time."));
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 19);
        // The import's write-ahead log was copied into the store and cut back.
        QCOMPARE(QFileInfo(state()->database()->database().databaseName() + "-wal").size(), 0);
    }

    // The progress dialog is shown once a pass takes long; it is gone before the question and
    // after the import, whether the pass ended or was cancelled.
    void progressIsHiddenAfterEachPass()
    {
        QTemporaryDir dir;
        const QString path = writeIcs(dir, QStringLiteral("few.ics"), {"a", "b"});
        auto window = makeWindow();
        QList<bool> visibleAtQuestion;
        window->confirm = [&](const QString&, const QString&) {
            auto* progress = window->findChild<QProgressDialog*>();
            visibleAtQuestion << (progress && progress->isVisible());
            // The write pass starts on return; it too is taken to be a long one.
            QTimer::singleShot(0, window.get(), [&] {
                if (auto* shown = window->findChild<QProgressDialog*>())
                    shown->show();
            });
            return true;
        };
        QSignalSpy idle(window->importFlow(), &IcsImportFlow::idle);
        const auto seen = ModalSeam::run(
            [&] {
                window->importIcsFromCommand(path);
                // As the dialog does on its own after its delay.
                window->findChild<QProgressDialog*>()->show();
                QVERIFY(idle.wait(30000));
            },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QVERIFY(seen.isEmpty());
        QCOMPARE(visibleAtQuestion, QList<bool>{false});
        QVERIFY(!window->findChild<QProgressDialog*>()->isVisible());
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 2);
    }

    // A cancel while the file is read ends the import there: no question, nothing stored.
    void cancelledScanAsksNothing()
    {
        QTemporaryDir dir;
        const QString path = writeManyIcs(dir, "u");
        auto window = makeWindow();
        int questions = 0;
        window->confirm = [&](const QString&, const QString&) {
            ++questions;
            return true;
        };
        QSignalSpy idle(window->importFlow(), &IcsImportFlow::idle);
        const auto seen = ModalSeam::run(
            [&] {
                window->importIcsFromCommand(path);
                auto* progress = window->findChild<QProgressDialog*>();
                QVERIFY(progress);
                QVERIFY(ModalSeam::clickButton(progress, QStringLiteral("Cancel")));
                QVERIFY(idle.wait(30000));
            },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QVERIFY(seen.isEmpty());
        QCOMPARE(questions, 0);
        QCOMPARE(window->statusText(), QStringLiteral("The import of many.ics was cancelled."));
        QVERIFY(!window->findChild<QProgressDialog*>()->isVisible());
        QVERIFY(state()->events()->getByCalendar(AppState::localCalendarId).isEmpty());
    }

    // The window's first automatic sync speaks a few seconds after it opens; a test that reads
    // the status line after a long import waits for it first, so its word cannot come last.
    void waitForFirstSync(MainWindow* window)
    {
        QTRY_COMPARE_WITH_TIMEOUT(window->statusText(),
                                  QStringLiteral("All caught up, nothing waiting to sync."),
                                  SyncOrchestrator::firstSyncDelayMs * 10);
    }

    // A read of the store itself, past what the window keeps in memory.
    QString storedText(const QString& sql)
    {
        QSqlQuery query(state()->database()->database());
        return query.exec(sql) && query.next() ? query.value(0).toString() : QString();
    }

    void writesDuringAnImportWaitForItsEnd()
    {
        QTemporaryDir dir;
        const QString path = writeManyIcs(dir, "w");
        auto window = makeWindow();
        waitForFirstSync(window.get());
        const QString viewDate =
            QStringLiteral("SELECT value FROM settings WHERE key = 'ui/viewDate'");
        const QString teas = QStringLiteral("SELECT count(*) FROM events WHERE title = 'tea'");
        const QString storedDate = storedText(viewDate);
        const QDate next = state()->currentDate().addDays(1);
        QStringList whileWriting;
        // A step of the view and a quick add while the import writes its transaction: neither
        // waits on the store's lock, both are written once the import has ended.
        window->confirm = [&](const QString&, const QString&) {
            QTimer::singleShot(0, window.get(), [&] {
                state()->setCurrentDate(next);
                window->quickAddFromCommand(QStringLiteral("tea at 5pm"));
                whileWriting << window->statusText() << storedText(viewDate) << storedText(teas)
                             << state()->preferences()->getString(QStringLiteral("ui/viewDate"));
            });
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(whileWriting, (QStringList{"\"tea at 5pm\" is added once the import ends.",
                                            storedDate, "0", next.toString(Qt::ISODate)}));
        QCOMPARE(window->statusText(), QStringLiteral("Added: tea"));
        QCOMPARE(storedText(viewDate), next.toString(Qt::ISODate));
        QCOMPARE(storedText(teas), QStringLiteral("1"));
        QCOMPARE(state()->events()->getByCalendar(AppState::localCalendarId).size(), 20001);
    }

    // An undo that writes nothing (its event or series was deleted elsewhere meanwhile) leaves
    // its message standing: the status bar does not say it was undone.
    void undoThatWroteNothingSaysNothingUndone_data()
    {
        QTest::addColumn<bool>("series");
        QTest::newRow("single event") << false;
        QTest::newRow("series") << true;
    }
    void undoThatWroteNothingSaysNothingUndone()
    {
        QFETCH(bool, series);
        Event standup = localEvent(QStringLiteral("standup"), Clock::now().addDays(1));
        standup.title = QStringLiteral("Standup");
        if (series)
            standup.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=5");
        QVERIFY(state()->events()->insert(standup));
        const Event stored = *state()->events()->getById(standup.id);
        auto window = makeWindow();
        QStringList reported;
        const EventChange::Reporter report = [&](const QString& text) {
            reported << text;
            window->showStatus(text, 4000);
        };
        if (series) {
            Event edited = stored;
            edited.title = QStringLiteral("Standup, renamed");
            const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planEdit(
                state()->events(), stored, stored.startTime, edited, 3);
            QVERIFY(plan && RecurringEdit::carryOutWithUndo(state(), *plan, "Changed", {}, report));
        } else {
            QVERIFY(EventChange::updateWithUndo(
                state(), stored, EventChange::moved(stored, stored.startTime, 60, Clock::now()),
                QStringLiteral("Moved \"Standup\""), report));
        }
        QVERIFY(state()->events()->hardDelete(stored.id));
        Q_EMIT findShortcut(window.get(), QKeySequence(QKeySequence::Undo))->activated();
        QCOMPARE(reported.size(), 1);
        QCOMPARE(window->statusText(), reported.first());
        QVERIFY(!state()->events()->getById(stored.id));
    }

    // An edit and an undo while the import writes its transaction: neither waits on the store's
    // lock; the edit is written when the import has ended, and the undo after it reverts it.
    void editsDuringAnImportWaitForItsEnd()
    {
        QTemporaryDir dir;
        const QString path = writeManyIcs(dir, "e");
        Event standup = localEvent(QStringLiteral("standup"), Clock::now().addDays(1));
        standup.title = QStringLiteral("Standup");
        QVERIFY(state()->events()->insert(standup));
        const Event stored = *state()->events()->getById(standup.id);
        auto window = makeWindow();
        waitForFirstSync(window.get());
        QShortcut* undo = findShortcut(window.get(), QKeySequence(QKeySequence::Undo));
        QVERIFY(undo);
        const auto storedStart = [&] {
            return state()->events()->getById(standup.id)->startTime.toUTC();
        };
        QStringList reported;
        QList<QVariant> whileWriting;
        window->confirm = [&](const QString&, const QString&) {
            QTimer::singleShot(0, window.get(), [&] {
                // With nothing to undo and nothing kept, Ctrl+Z promises nothing.
                const QString before = window->statusText();
                Q_EMIT undo->activated();
                QCOMPARE(window->statusText(), before);
                EventChange::updateWithUndo(
                    state(), stored, EventChange::moved(stored, stored.startTime, 60, Clock::now()),
                    QStringLiteral("Moved \"Standup\""),
                    [&](const QString& text) { reported << text; });
                whileWriting << window->statusText() << storedStart();
                Q_EMIT undo->activated();
                whileWriting << state()->undoStack()->count();
            });
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(whileWriting,
                 (QList<QVariant>{QStringLiteral("Your change is saved once the import ends."),
                                  stored.startTime.toUTC(), 0}));
        QCOMPARE(window->statusText(), QStringLiteral("Undid: Moved \"Standup\""));
        QCOMPARE(storedStart(), stored.startTime.toUTC());
        QCOMPARE(state()->undoStack()->count(), 0);
        QCOMPARE(reported, QStringList());
    }

    // An import confirmed while a sync runs writes once the sync has ended (the sync's writes on
    // this thread would wait on the import's lock); cancelled meanwhile, it writes nothing.
    void importWaitsForARunningSync()
    {
        QTemporaryDir dir;
        const QString path = writeIcs(dir, QStringLiteral("two.ics"), {"s1", "s2"});
        const QString imported =
            QStringLiteral("SELECT count(*) FROM events WHERE title IN ('s1', 's2')");
        auto window = makeWindow();
        state()->beginSync();
        QStringList whileSyncing;
        window->confirm = [&](const QString&, const QString&) {
            QTimer::singleShot(0, window.get(), [&] {
                whileSyncing << QString::number(state()->isStoreHeld()) << storedText(imported);
                QVERIFY(ModalSeam::clickButton(window->findChild<QProgressDialog*>(),
                                               QStringLiteral("Cancel")));
            });
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(window->statusText(), QStringLiteral("The import of two.ics was cancelled."));

        window->confirm = [&](const QString&, const QString&) {
            QTimer::singleShot(0, window.get(), [&] {
                whileSyncing << QString::number(state()->isStoreHeld()) << storedText(imported);
                state()->endSync(false);
            });
            return true;
        };
        QVERIFY(importAndWait(window.get(), {path}).isEmpty());
        QCOMPARE(whileSyncing, (QStringList{"0", "0", "0", "0"}));
        QCOMPARE(storedText(imported), QStringLiteral("2"));
    }

    // A task row opens the task's card beside it; the card's Edit… and Add Subtask open the task
    // form on that task and on a new subtask of it.
    void taskCardLeadsToTheForm()
    {
        Task task;
        task.id = task.uid = QStringLiteral("rent");
        task.calendarId = AppState::localCalendarId;
        task.title = QStringLiteral("Pay rent");
        task.created = task.lastModified = Clock::now();
        QVERIFY(state()->tasks()->insert(task));
        auto window = makeWindow();
        QStringList forms;
        window->execDialog = [&](QDialog* dialog) {
            forms << dialog->windowTitle();
            return int(QDialog::Rejected);
        };
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* pane = window->findChild<TasksPane*>(QStringLiteral("tasksPane"));
        QVERIFY(pane);
        for (const QString& action : {QStringLiteral("Edit…"), QStringLiteral("Add Subtask")}) {
            pane->showCard(task.id, QRect(800, 100, 300, 40));
            // The card of the row, not one closed before it and not yet deleted.
            const auto openCard = [&window]() -> TaskDetailsPopover* {
                for (TaskDetailsPopover* shown : window->findChildren<TaskDetailsPopover*>())
                    if (shown->isVisible())
                        return shown;
                return nullptr;
            };
            QTRY_VERIFY(openCard());
            TaskDetailsPopover* card = openCard();
            QPushButton* button = nullptr;
            for (QPushButton* candidate : card->findChildren<QPushButton*>())
                if (candidate->text() == action)
                    button = candidate;
            QVERIFY(button);
            button->click();
            QTRY_COMPARE(forms.size(), action == QStringLiteral("Edit…") ? 1 : 2);
        }
        QCOMPARE(forms, (QStringList{"Edit Task", "New Task"}));
    }

    void pillAndFilterTexts()
    {
        addAccount(QStringLiteral("g"), QStringLiteral("google"));
        addAccount(QStringLiteral("d"), QStringLiteral("caldav"),
                   QStringLiteral("Password missing"));
        auto window = makeWindow();
        auto* pill = window->findChild<QToolButton*>(QStringLiteral("accountPill"));
        auto* filters = window->findChild<QToolButton*>(QStringLiteral("filterButton"));
        QVERIFY(!pill->isHidden());
        QCOMPARE(pill->text(), QStringLiteral("2 account(s) need attention"));
        QCOMPARE(filters->text(), QStringLiteral("No filters"));
        const QList<QAction*> entries = filters->menu()->actions();
        QVERIFY(entries.size() == 1 && entries[0]->text() == QStringLiteral("Add Filter…"));

        Account google = *state()->accounts()->getById(QStringLiteral("g"));
        google.enabled = false;
        QVERIFY(state()->accounts()->update(google));
        QTRY_COMPARE(pill->text(), QStringLiteral("1 account(s) need password"));

        for (int i = 0; i < 3; ++i) {
            FilterRule rule;
            rule.id = QStringLiteral("r%1").arg(i);
            rule.name = QStringLiteral("Rule %1").arg(i);
            rule.enabled = i < 2;
            QVERIFY(state()->filterRules()->insert(rule));
        }
        state()->setFilterHiddenCount(5);
        QTRY_COMPARE(filters->text(), QStringLiteral("2 filter(s) applied · 5 hidden"));
        QCOMPARE(filters->menu()->actions().first()->text(), QStringLiteral("Enable all filters"));
        state()->setFilterHiddenCount(0);
        QCOMPARE(filters->text(), QStringLiteral("2 filter(s) applied"));
    }

    // A Google or Microsoft account asks for a sign-in only while no refresh token is stored
    // for it, or while its sync says a sign-in is required.
    void pillReadsTheStoredTokens()
    {
        addAccount(QStringLiteral("g"), QStringLiteral("google"));
        addAccount(QStringLiteral("m"), QStringLiteral("microsoft"));
        addAccount(QStringLiteral("asked"), QStringLiteral("microsoft"),
                   QStringLiteral("Sign in required"));
        QVERIFY(Google::AuthService::saveTokens(QStringLiteral("g"), {"a", "r", {}}));
        QVERIFY(Microsoft::AuthService::saveTokens(QStringLiteral("m"), {"a", "r", {}}));
        QVERIFY(Microsoft::AuthService::saveTokens(QStringLiteral("asked"), {"a", "r", {}}));
        auto window = makeWindow();
        auto* pill = window->findChild<QToolButton*>(QStringLiteral("accountPill"));
        QVERIFY(!pill->isHidden());
        QCOMPARE(pill->text(), QStringLiteral("1 account(s) need sign-in"));

        Account asked = *state()->accounts()->getById(QStringLiteral("asked"));
        asked.lastSyncError.clear();
        QVERIFY(state()->accounts()->update(asked));
        QTRY_VERIFY(pill->isHidden());
    }

    void reminderClickRevealsTheOccurrence()
    {
        auto window = makeWindow();
        Event weekly =
            localEvent(QStringLiteral("weekly"),
                       QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone::systemTimeZone()));
        weekly.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        QVERIFY(state()->events()->insert(weekly));

        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { window->revealEvent(QStringLiteral("missing"), QDate(2026, 3, 9)); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(state()->currentDate(), QDate(2026, 3, 9));
        QVERIFY(!window->findChild<EventDetailsPopover*>());
        window->revealEvent(weekly.id, QDate(2026, 3, 16));
        QCOMPARE(state()->selectedEventId(), weekly.id);
        QTRY_VERIFY(window->findChild<EventDetailsPopover*>());
    }

    // A reminder or a row of the tray that outlived its event: one deleted here or removed by a
    // sync is reported in the views' words and opens no card (whose Duplicate would bring it
    // back); one moved to another calendar is still there to show.
    void reminderClickOnAnEventGoneSaysSo_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("told");
        QTest::newRow("deleted here") << "deleted" << EventChange::goneText("Review");
        QTest::newRow("removed by a sync") << "removed" << EventChange::goneText("Event");
        QTest::newRow("moved to another calendar") << "moved" << QString();
    }

    void reminderClickOnAnEventGoneSaysSo()
    {
        QFETCH(QString, change);
        QFETCH(QString, told);
        addCalendar(QStringLiteral("other"), false);
        auto window = makeWindow();
        Event review = localEvent(QStringLiteral("review"),
                                  QDateTime(QDate(2026, 3, 9), QTime(9, 0), QTimeZone::utc()));
        review.title = QStringLiteral("Review");
        QVERIFY(state()->events()->insert(review));
        Event moved = review;
        moved.calendarId = QStringLiteral("other");
        QVERIFY(change == QLatin1String("removed")   ? state()->events()->hardDelete(review.id)
                : change == QLatin1String("deleted") ? state()->events()->remove(review.id)
                                                     : state()->events()->update(moved));
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { window->revealEvent(review.id, QDate(2026, 3, 9)); });
        QCOMPARE(seen.value(0).text, told);
        QCOMPARE(seen.size(), told.isEmpty() ? 0 : 1);
        QCOMPARE(bool(window->findChild<EventDetailsPopover*>()), told.isEmpty());
    }

    // Pages out of sight read nothing; shown again they hold what was stored meanwhile.
    void hiddenPageCatchesUpWhenShown()
    {
        state()->setViewMode(QStringLiteral("week"));
        auto window = makeWindow();
        window->show();
        QVERIFY(state()->events()->insert(
            localEvent(QStringLiteral("meanwhile"),
                       QDateTime(QDate(2026, 5, 4), QTime(9, 0), QTimeZone::systemTimeZone()))));
        QTest::qWait(200); // the change signal reaches the hidden pages
        state()->setViewMode(QStringLiteral("year"));
        YearGridWidget* year = window->findChild<ViewArea*>()->yearView()->grid();
        QTRY_VERIFY(year->busyDays().contains(QDate(2026, 5, 4)));
    }

    // The day a search result opens on.
    void searchResultOpensItsDay()
    {
        auto window = makeWindow();
        const Event timed = localEvent(
            QStringLiteral("late"), QDateTime(QDate(2026, 3, 12), QTime(23, 30), QTimeZone::utc()));
        Event allDay = localEvent(QStringLiteral("holiday"),
                                  QDateTime(QDate(2026, 3, 20), QTime(0, 0), QTimeZone::utc()));
        allDay.isAllDay = true;
        allDay.endTime = allDay.startTime.addDays(1);
        QVERIFY(state()->events()->insert(timed));
        QVERIFY(state()->events()->insert(allDay));

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->showSearchResult(timed.id);
        QCOMPARE(state()->viewMode() + state()->selectedEventId(), QStringLiteral("daylate"));
        QCOMPARE(state()->currentDate(), timed.startTime.toLocalTime().date());
        // The day opens scrolled to the event, wherever the working day would have put it.
        DayView* day = window->findChild<ViewArea*>()->dayView();
        const int top = day->scrollArea()->verticalScrollBar()->value();
        const int y = day->timeline()->yForTime(timed.startTime.toLocalTime().time());
        QVERIFY2(y >= top && y < top + day->scrollArea()->viewport()->height(),
                 qPrintable(QStringLiteral("event at %1, view %2").arg(y).arg(top)));
        window->showSearchResult(allDay.id);
        QCOMPARE(state()->currentDate(), QDate(2026, 3, 20));
    }

    // Every entry of the window's menus (the menu bar, the filter button's, the group button's),
    // its buttons and search keys: what opens, and that it closes again. Left out: Quit ends the
    // program; the account, feedback and update entries go to the browser or the network.
    void everyEntryOpensAndCloses_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opens"); // class of the window; "" an action; "-" disabled
        QTest::addColumn<QKeySequence>("keys");
        const auto row = [](const char* menu, const char* entry, const char* opens,
                            const QKeySequence& keys = {}) {
            QTest::addRow("%s %s", menu, entry) << menu << entry << opens << keys;
        };
        row("&File", "&New Event…", "EventFormDialog", QKeySequence::New);
        row("&File", "New &Task…", "TaskFormDialog", QKeySequence("Ctrl+Shift+T"));
        row("&File", "Quick &Add…", "QuickAddDialog", QKeySequence("Ctrl+Shift+N"));
        row("&File", "Calendar &Accounts…", "ManageSourcesDialog");
        row("&File", "&Sync Now", "", QKeySequence("Ctrl+R"));
        row("&File", "Force F&ull Sync…", "QMessageBox", QKeySequence("Ctrl+Shift+R"));
        row("&File", "&Invitations…", "InvitationsDialog");
        row("&File", "&Import ICS File…", "QFileDialog");
        row("&File", "&Export Agenda PDF…", "PdfExportDialog");
        row("&Edit", "&Preferences…", "SettingsDialog", QKeySequence::Preferences);
        row("&Edit", "&Find Events…", "SearchDialog", QKeySequence("Ctrl+F"));
        row("&View", "Toggle &Sidebar", "");
        row("&View", "Show &Empty Days in Agenda", "", QKeySequence("Ctrl+Shift+E"));
        row("&View", "&Compact Density", "", QKeySequence("Ctrl+Shift+D"));
        row("&View", "Toggle &Tasks Pane", "", QKeySequence("Ctrl+Shift+K"));
        row("&Window", "Detached &Agenda Window", "DetachedAgendaWindow");
        row("&Window", "Detached &Tasks Window", "DetachedTasksWindow");
        row("&Tools", "Add &Filter…", "FilterFormDialog");
        row("&Tools", "Add Calendar &Group…", "ViewFormDialog");
        row("&Tools", "Manage Calendar Gr&oups…", "ManageViewsDialog");
        row("&Tools", "Manage Te&mplates…", "ManageTemplatesDialog");
        row("&Tools", "&Weather…", "WeatherSettingsDialog");
        row("&Help", "&Keyboard Shortcuts", "KeyboardHelpDialog", QKeySequence::HelpContents);
        row("&Help", "Send Test &Notification", "");
        row("&Help", "&About Orvandellic Calendar", "QMessageBox");
        row("filterButton", "Add Filter…", "FilterFormDialog");
        row("filterButton", "Manage Filters…", "ManageFiltersDialog");
        row("groupButton", "Add Calendar Group…", "ViewFormDialog");
        row("groupButton", "Edit Current Group…", "ViewFormDialog");
        row("button", "addAccountButton", "ManageSourcesDialog");
        row("button", "accountPill", "ManageSourcesDialog");
        row("key", "F3", "SearchDialog");
        row("key", "/", "SearchDialog");
    }

    void everyEntryOpensAndCloses()
    {
        QFETCH(QString, menu);
        QFETCH(QString, entry);
        QFETCH(QString, opens);
        QFETCH(QKeySequence, keys);
        FilterRule rule;
        rule.id = rule.name = QStringLiteral("Standups");
        QVERIFY(state()->filterRules()->insert(rule));
        CalendarView group;
        group.id = group.name = QStringLiteral("Work");
        QVERIFY(state()->views()->insert(group));
        state()->setActiveViewId(group.id);
        auto window = makeWindow();
        window->show();

        std::function<void()> trigger;
        if (menu == QLatin1String("button")) {
            auto* button = window->findChild<QAbstractButton*>(entry);
            QVERIFY(button);
            trigger = [button] { button->click(); };
        } else if (menu == QLatin1String("key")) {
            QShortcut* shortcut = findShortcut(window.get(), QKeySequence(entry));
            QVERIFY(shortcut && shortcut->isEnabled());
            trigger = [shortcut] { Q_EMIT shortcut->activated(); };
        } else {
            QMenu* source = nullptr;
            if (menu == QLatin1String("groupButton"))
                source = window->findChild<ViewArea*>()->groupButton()->menu();
            else if (auto* button = window->findChild<QToolButton*>(menu))
                source = button->menu();
            QAction* action = source ? findAction(source->actions(), entry)
                                     : findAction(window->menuBar(), menu, entry);
            QVERIFY2(action, qPrintable(entry));
            QCOMPARE(action->shortcut(), keys);
            QCOMPARE(action->isEnabled(), opens != QLatin1String("-"));
            if (!action->isEnabled())
                return;
            trigger = [action] { action->trigger(); };
        }

        const QList<ModalSeam::Seen> seen = ModalSeam::run(trigger);
        QString opened = seen.isEmpty() ? QString() : seen.first().className;
        // A window that does not block (quick add, the detached windows) is found among the
        // shown windows.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != window.get() && top->isVisible() &&
                (top->inherits("QDialog") || top->inherits("QMainWindow"))) {
                opened = QString::fromLatin1(top->metaObject()->className());
                top->close();
            }
        }
        QCOMPARE(opened, opens);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // On the very first start the greeting's default button leads to Calendar Accounts; the
    // greeting is not shown again.
    void welcomeLeadsToCalendarAccounts()
    {
        std::unique_ptr<MainWindow> window;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                window = std::make_unique<MainWindow>(state(), std::make_unique<NoClients>());
                window->show();
                QTest::qWait(1);
            },
            QList<ModalSeam::Answer>{
                [](QWidget* welcome) { QTest::keyClick(welcome, Qt::Key_Return); },
                [](QWidget* accounts) { ModalSeam::accept(accounts); }});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(1).className, QStringLiteral("ManageSourcesDialog"));
        QVERIFY(state()->preferences()->getBool(QStringLiteral("ui/firstLaunchSeen"), false));

        window.reset();
        const QList<ModalSeam::Seen> again = ModalSeam::run([&] {
            window = std::make_unique<MainWindow>(state(), std::make_unique<NoClients>());
            QTest::qWait(1);
        });
        QVERIFY(again.isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
