#include "MainWindowMenus.h"

#include "AppState.h"
#include "AuthClient.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "Client.h"
#include "Defaults.h"
#include "Glyphs.h"
#include "InvitationsDialog.h"
#include "InvitationsService.h"
#include "KeyboardHelpDialog.h"
#include "MainWindow.h"
#include "ManageTemplatesDialog.h"
#include "ManageViewsDialog.h"
#include "PdfExportDialog.h"
#include "Theme.h"
#include "UndoStack.h"
#include "ViewRepository.h"
#include "WeatherSettingsDialog.h"
#include "update/FeedbackPage.h"
#include "update/UpdateActions.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>

MainWindowMenus::MainWindowMenus(MainWindow* window, AppState* state)
    : QObject(window), m_window(window), m_state(state)
{
}

void MainWindowMenus::buildMenuBar()
{
    const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        return action;
    };

    m_fileMenu = m_window->menuBar()->addMenu(MainWindow::tr("&File"));
    QMenu* file = m_fileMenu;
    m_newEventAction = add(file, MainWindow::tr("&New Event…"), QKeySequence::New);
    connect(m_newEventAction, &QAction::triggered, m_window, &MainWindow::openNewEventDialog);
    QAction* newTask =
        add(file, MainWindow::tr("New &Task…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(newTask, &QAction::triggered, this, [this] { m_window->newTask(); });
    QAction* quickAdd =
        add(file, MainWindow::tr("Quick &Add…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    quickAdd->setStatusTip(
        MainWindow::tr("Type an event in plain English (\"lunch Thursday 1pm\")"));
    connect(quickAdd, &QAction::triggered, m_window, &MainWindow::openQuickAddDialog);
    file->addSeparator();
    connect(add(file, MainWindow::tr("Calendar &Accounts…")), &QAction::triggered, m_window,
            &MainWindow::openCalendarAccounts);
    file->addSeparator();
    QAction* syncNowAction =
        add(file, MainWindow::tr("&Sync Now"), QKeySequence(QStringLiteral("Ctrl+R")));
    connect(syncNowAction, &QAction::triggered, m_window, &MainWindow::syncNow);
    QAction* force = add(file, MainWindow::tr("Force F&ull Sync…"),
                         QKeySequence(QStringLiteral("Ctrl+Shift+R")));
    force->setStatusTip(
        MainWindow::tr("Re-pull every event from every account, ignoring sync tokens"));
    connect(force, &QAction::triggered, m_window, &MainWindow::forceFullSync);
    m_invitationsAction = add(file, MainWindow::tr("&Invitations…"));
    connect(m_invitationsAction, &QAction::triggered, this, [this] {
        InvitationsDialog dialog(m_state, m_window);
        m_window->execDialog(&dialog);
    });
    QAction* import = add(file, MainWindow::tr("&Import ICS File…"));
    connect(import, &QAction::triggered, m_window, &MainWindow::importIcsFile);
    connect(add(file, MainWindow::tr("&Export Agenda PDF…")), &QAction::triggered, this, [this] {
        PdfExportDialog dialog(m_state, m_window);
        m_window->execDialog(&dialog);
    });
    file->addSeparator();
    m_accountAction = add(file, MainWindow::tr("Orvandellic &Account…"));
    m_accountAction->setStatusTip(MainWindow::tr("Sign in or sign up"));
    connect(m_accountAction, &QAction::triggered, m_window,
            &MainWindow::showOrvandellicAccountScreen);
    m_signOutAction = add(file, MainWindow::tr("Sign &Out"));
    m_signOutAction->setVisible(false);
    connect(m_signOutAction, &QAction::triggered, m_window, &MainWindow::signOut);
    file->addSeparator();
    QAction* quitAction = add(file, MainWindow::tr("&Quit"), QKeySequence::Quit);
    quitAction->setMenuRole(QAction::QuitRole);
    connect(quitAction, &QAction::triggered, m_window, &MainWindow::quit);
    connect(file, &QMenu::aboutToShow, this, &MainWindowMenus::updateInvitationsAction);
    if (Invitations::Service* invitations = m_state->invitations()) {
        connect(invitations, &Invitations::Service::invitationsChanged, this,
                &MainWindowMenus::updateInvitationsAction);
    }
    updateInvitationsAction();
    connect(m_state, &AppState::syncNowRequested, m_window, &MainWindow::syncNow);

    QMenu* edit = m_window->menuBar()->addMenu(MainWindow::tr("&Edit"));
    QAction* preferences = add(edit, MainWindow::tr("&Preferences…"), QKeySequence::Preferences);
    preferences->setMenuRole(QAction::PreferencesRole);
    connect(preferences, &QAction::triggered, m_window, &MainWindow::openPreferences);
    edit->addSeparator();
    connect(add(edit, MainWindow::tr("&Find Events…"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, m_window, &MainWindow::openSearch);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Slash)}) {
        auto* search = new QShortcut(keys, m_window);
        search->setContext(Qt::WindowShortcut);
        connect(search, &QShortcut::activated, m_window, &MainWindow::openSearch);
    }

    QMenu* view = m_window->menuBar()->addMenu(MainWindow::tr("&View"));
    m_toggleSidebarAction = add(view, MainWindow::tr("Toggle &Sidebar"));
    m_toggleSidebarAction->setCheckable(true);
    m_toggleSidebarAction->setChecked(true);
    m_showEmptyDaysAction = add(view, MainWindow::tr("Show &Empty Days in Agenda"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m_showEmptyDaysAction->setShortcutContext(Qt::WindowShortcut);
    m_showEmptyDaysAction->setCheckable(true);
    m_compactAction = add(view, MainWindow::tr("&Compact Density"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    m_compactAction->setShortcutContext(Qt::WindowShortcut);
    m_compactAction->setCheckable(true);
    connect(m_compactAction, &QAction::triggered, this, &MainWindowMenus::applyDensity);
    syncDensityAction();
    connect(m_state, &AppState::viewModeChanged, this, &MainWindowMenus::syncDensityAction);
    connect(m_state, &AppState::densityChanged, this, [this](const QString& mode, const QString&) {
        if (mode == m_state->viewMode()) {
            syncDensityAction();
        }
    });
    m_toggleTasksPaneAction = add(view, MainWindow::tr("Toggle &Tasks Pane"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    m_toggleTasksPaneAction->setShortcutContext(Qt::WindowShortcut);
    m_toggleTasksPaneAction->setCheckable(true);

    QMenu* window = m_window->menuBar()->addMenu(MainWindow::tr("&Window"));
    connect(add(window, MainWindow::tr("Detached &Agenda Window")), &QAction::triggered, m_window,
            &MainWindow::openDetachedAgenda);
    connect(add(window, MainWindow::tr("Detached &Tasks Window")), &QAction::triggered, m_window,
            &MainWindow::openDetachedTasks);

    QMenu* tools = m_window->menuBar()->addMenu(MainWindow::tr("&Tools"));
    connect(add(tools, MainWindow::tr("Add &Filter…")), &QAction::triggered, m_window,
            &MainWindow::addFilter);
    connect(add(tools, MainWindow::tr("Add Calendar &Group…")), &QAction::triggered, this,
            [this] { m_window->openCalendarGroupForm(QString(), m_window, false); });
    connect(add(tools, MainWindow::tr("Manage Calendar Gr&oups…")), &QAction::triggered, this,
            [this] {
                ManageViewsDialog dialog(m_state, m_window);
                m_window->execDialog(&dialog);
            });
    connect(add(tools, MainWindow::tr("Manage Te&mplates…")), &QAction::triggered, this, [this] {
        ManageTemplatesDialog dialog(m_state, m_window);
        m_window->execDialog(&dialog);
    });
    tools->addSeparator();
    connect(add(tools, MainWindow::tr("&Weather…")), &QAction::triggered, this, [this] {
        WeatherSettingsDialog dialog(m_state, m_window);
        m_window->execDialog(&dialog);
    });

    if (qEnvironmentVariable("CALENDAR_INSTANCE") == QLatin1String("dev")) {
        QMenu* developer = m_window->menuBar()->addMenu(MainWindow::tr("&Developer"));
        connect(add(developer, MainWindow::tr("Load Sample &Data")), &QAction::triggered, this,
                &MainWindowMenus::sampleDataLoadRequested);
        connect(add(developer, MainWindow::tr("&Clear Sample Data")), &QAction::triggered, this,
                &MainWindowMenus::clearSampleData);
        developer->addSeparator();
        connect(add(developer, MainWindow::tr("Send Test &Notification")), &QAction::triggered,
                m_window, &MainWindow::sendTestNotification);
    }

    QMenu* help = m_window->menuBar()->addMenu(MainWindow::tr("&Help"));
    connect(add(help, MainWindow::tr("&Keyboard Shortcuts"), QKeySequence::HelpContents),
            &QAction::triggered, this, [this] {
                KeyboardHelpDialog dialog(m_window);
                m_window->execDialog(&dialog);
            });
    QAction* testNotification = add(help, MainWindow::tr("Send Test &Notification"));
    testNotification->setStatusTip(
        MainWindow::tr("Fire a sample reminder toast to verify your desktop notification setup."));
    connect(testNotification, &QAction::triggered, m_window, &MainWindow::sendTestNotification);
    help->addSeparator();
    const OrvaUpdate::StatusCallbacks callbacks{
        [this](const QString& text) { m_window->statusBar()->showMessage(text); },
        [this] { m_window->statusBar()->clearMessage(); },
        [this](const QString& text, int ms) { m_window->statusBar()->showMessage(text, ms); }};
    connect(add(help, MainWindow::tr("&What's New")), &QAction::triggered, this, [this, callbacks] {
        OrvaUpdate::showWhatsNew(m_window->updateFeedConfig(),
                                 MainWindow::tr("Orvandellic Calendar"), m_window, callbacks);
    });
    QAction* feedback = add(help, MainWindow::tr("Send &Feedback…"));
    feedback->setIcon(Theme::glyphIcon(Glyphs::openInNew, 16, Theme::textPrimary()));
    connect(feedback, &QAction::triggered, this,
            [this] { openFeedbackPage(m_window->feedbackConfig(), m_window); });
    connect(add(help, MainWindow::tr("Check for &Updates…")), &QAction::triggered, this,
            [this, callbacks] {
                OrvaUpdate::checkForUpdatesInteractive(m_window->updateFeedConfig(),
                                                       MainWindow::tr("Orvandellic Calendar"),
                                                       m_window, callbacks);
            });
    help->addSeparator();
    QAction* about = add(help, MainWindow::tr("&About Orvandellic Calendar"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainWindowMenus::showAbout);
}

void MainWindowMenus::buildShortcuts()
{
    const auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, m_window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
        return shortcut;
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_K), [this] { m_window->openCommandPalette(); });
    bind(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { m_state->navigateBack(); });
    bind(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { m_state->navigateForward(); });
    qApp->installEventFilter(m_window);
    for (int number = 1; number <= 9; ++number) {
        bind(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number)),
             [this, number] { activateCalendarGroup(number); });
    }
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketRight), [this] { cycleCalendarGroup(1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), [this] { cycleCalendarGroup(-1); });
    auto* undo = new QShortcut(QKeySequence::Undo, m_window);
    undo->setContext(Qt::ApplicationShortcut);
    connect(undo, &QShortcut::activated, this, [this] {
        // While an import holds the store the undo waits for its end, behind the edits kept
        // before it (whose entries are pushed only then).
        UndoStack* stack = m_state->undoStack();
        if (!stack->canUndo() && !m_state->hasKeptWrites())
            return;
        m_state->whenStoreFree([stack] {
            if (stack->canUndo()) {
                stack->undo();
            }
        });
    });
}

void MainWindowMenus::activateCalendarGroup(int number)
{
    const QList<CalendarView> groups = m_state->views()->getAll();
    if (number >= 1 && number <= groups.size()) {
        m_state->setActiveViewId(groups.at(number - 1).id);
    }
}

void MainWindowMenus::cycleCalendarGroup(int delta)
{
    const QList<CalendarView> groups = m_state->views()->getAll();
    if (groups.isEmpty()) {
        return;
    }
    qsizetype current = 0;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups.at(i).id == m_state->activeViewId()) {
            current = i;
            break;
        }
    }
    const qsizetype count = groups.size();
    m_state->setActiveViewId(groups.at((current + delta % count + count) % count).id);
}

void MainWindowMenus::syncDensityAction()
{
    const QSignalBlocker blocker(m_compactAction);
    m_compactAction->setChecked(m_state->isCompact(m_state->viewMode()));
}

void MainWindowMenus::applyDensity(bool compact)
{
    m_state->setDensity(m_state->viewMode(),
                        compact ? QStringLiteral("compact") : QStringLiteral("comfortable"));
}

void MainWindowMenus::updateAccountActions()
{
    OrvaAccount::Client* client = m_state->accountClient();
    const bool signedIn = client != nullptr && client->isAuthenticated();
    m_signOutAction->setVisible(signedIn);
    m_accountAction->setStatusTip(signedIn ? MainWindow::tr("Manage your account")
                                           : MainWindow::tr("Sign in or sign up"));
}

void MainWindowMenus::updateInvitationsAction()
{
    const int count = m_state->invitations() ? m_state->invitations()->pendingCount() : 0;
    m_invitationsAction->setText(count < 1 ? MainWindow::tr("&Invitations…")
                                           : MainWindow::tr("&Invitations… (%1)").arg(count));
}

void MainWindowMenus::showAbout()
{
    QMessageBox::about(
        m_window, MainWindow::tr("About Orvandellic Calendar"),
        MainWindow::tr(
            "<h3>Orvandellic Calendar</h3><p>Version %1</p><p>A CalDAV-first calendar with "
            "client-side filters and Views, the killer feature competitors don't have.</p><p>Made "
            "for people who keep several calendars in one place. Built with Qt %2.</p>")
            .arg(Defaults::version(), QString::fromLatin1(qVersion())));
}

void MainWindowMenus::clearSampleData()
{
    if (QMessageBox::question(
            m_window, MainWindow::tr("Clear sample data?"),
            MainWindow::tr(
                "Remove the sample calendars, events, and tasks? Your real data is untouched."),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    Q_EMIT sampleDataClearRequested();
}
