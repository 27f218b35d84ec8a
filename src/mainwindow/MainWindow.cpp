#include "MainWindow.h"

#include "AccountAttention.h"
#include "AccountRepository.h"
#include "AccountScreen.h"
#include "AgendaListWidget.h"
#include "AppState.h"
#include "AppSyncClientFactory.h"
#include "Application.h"
#include "AuthClient.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "Client.h"
#include "Clock.h"
#include "CommandPalette.h"
#include "Database.h"
#include "DayView.h"
#include "Defaults.h"
#include "DetachedAgendaWindow.h"
#include "DetachedTasksWindow.h"
#include "EventDetailsPopover.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FeedbackPage.h"
#include "FilterFormDialog.h"
#include "FilterRuleRepository.h"
#include "Glyphs.h"
#include "GoogleAuthService.h"
#include "IcsImportFlow.h"
#include "InvitationsDialog.h"
#include "InvitationsService.h"
#include "KeyboardHelpDialog.h"
#include "ManageFiltersDialog.h"
#include "ManageSourcesDialog.h"
#include "ManageTemplatesDialog.h"
#include "ManageViewsDialog.h"
#include "MicrosoftAuthService.h"
#include "NotificationService.h"
#include "PdfExportDialog.h"
#include "PopoverPlacement.h"
#include "PreferencesRepository.h"
#include "QuickAdd.h"
#include "QuickAddDialog.h"
#include "SampleData.h"
#include "SearchDialog.h"
#include "SettingsDialog.h"
#include "Sidebar.h"
#include "SyncOrchestrator.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "TrayIcon.h"
#include "UndoStack.h"
#include "UpdateActions.h"
#include "ViewArea.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"
#include "WeatherSettingsDialog.h"
#include "WelcomeDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString geometryKey = QStringLiteral("ui/window/geometry");
const QString stateKey = QStringLiteral("ui/window/state");
const QString splitterKey = QStringLiteral("ui/window/splitter");

QByteArray fromBase64Preference(const QString& text)
{
    return QByteArray::fromBase64(text.toLatin1());
}

} // namespace

MainWindow::MainWindow(AppState* state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    construct(std::make_unique<AppSyncClientFactory>(state));
}

MainWindow::MainWindow(AppState* state, std::unique_ptr<SyncClientFactory> syncClients,
                       QWidget* parent)
    : QMainWindow(parent), m_state(state)
{
    construct(std::move(syncClients));
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The detached windows have no parent; they read the same state hub and go with the window.
    delete m_detachedAgenda;
    delete m_detachedTasks;
    delete m_accountScreen;
    // An import still writing is rolled back while the window is whole, and the writes it kept
    // are stored then; no sync is started on the way out.
    delete m_sync;
    m_sync = nullptr;
    delete m_import;
    m_import = nullptr;
}

void MainWindow::construct(std::unique_ptr<SyncClientFactory> syncClients)
{
    setWindowTitle(tr("Orvandellic Calendar"));
    resize(1440, 900);
    confirm = [this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    execDialog = [](QDialog* dialog) { return dialog->exec(); };
    m_import = new IcsImportFlow(m_state, this);
    m_import->confirm = [this](const QString& title, const QString& text) {
        return confirm(title, text);
    };
    m_import->showStatus = [this](const QString& text, int timeoutMs) {
        showStatus(text, timeoutMs);
    };

    buildMenuBar();
    buildUi();
    restoreWindowState();
    fitToScreen();
    connect(m_state->calendars(), &CalendarRepository::calendarsChanged, this,
            &MainWindow::updateEmptyState);
    updateEmptyState();
    connect(m_state, &AppState::writeKept, this,
            [this] { showStatus(tr("Your change is saved once the import ends."), 5000); });
    connect(m_state, &AppState::keptEventWritten, this, [this](const QString& title, bool stored) {
        if (stored) {
            showStatus(tr("Added: %1").arg(title), 4000);
        } else {
            showStatus(tr("Quick-add couldn't save: \"%1\"").arg(title), 5000);
        }
    });

    if (OrvaAccount::Client* client = m_state->accountClient()) {
        OrvaAccount::AuthClient* auth = client->authClient();
        connect(auth, &OrvaAccount::AuthClient::stateChanged, this,
                &MainWindow::updateAccountActions);
        connect(auth, &OrvaAccount::AuthClient::loginSucceeded, this, [this] {
            showStatus(tr("Signed in to Orvandellic"), 3000);
            updateAccountActions();
        });
        connect(auth, &OrvaAccount::AuthClient::logoutCompleted, this, [this] {
            showStatus(tr("Signed out of Orvandellic"), 3000);
            updateAccountActions();
            // The account's data is not left on screen for whoever comes next.
            if (m_accountScreen) {
                m_accountScreen->hide();
            }
        });
        if (client->isAuthenticated()) {
            auth->refreshToken({});
        }
    }
    updateAccountActions();

    m_sync = new SyncOrchestrator(m_state, std::move(syncClients), this);
    m_sync->showMessage = [this](const QString& text, int timeoutMs) {
        showStatus(text, timeoutMs);
    };
    m_sync->confirm = [this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Yes;
    };
    m_sync->start();

    // On the first turn of the event loop, so the greeting shows over a painted window.
    QTimer::singleShot(0, this, &MainWindow::maybeShowFirstLaunch);

    buildShortcuts();
    connect(m_state->undoStack(), &UndoStack::undone, this,
            [this](const QString& summary) { showStatus(tr("Undid: %1").arg(summary), 4000); });
    buildStatusBarWidgets();
}

// --- menus -----------------------------------------------------------------------------------

void MainWindow::buildMenuBar()
{
    const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        return action;
    };

    m_fileMenu = menuBar()->addMenu(tr("&File"));
    QMenu* file = m_fileMenu;
    m_newEventAction = add(file, tr("&New Event…"), QKeySequence::New);
    connect(m_newEventAction, &QAction::triggered, this, &MainWindow::openNewEventDialog);
    QAction* newTask = add(file, tr("New &Task…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(newTask, &QAction::triggered, this, [this] { m_tasksPane->newTask(); });
    QAction* quickAdd =
        add(file, tr("Quick &Add…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    quickAdd->setStatusTip(tr("Type an event in plain English (\"lunch Thursday 1pm\")"));
    connect(quickAdd, &QAction::triggered, this, &MainWindow::openQuickAddDialog);
    file->addSeparator();
    connect(add(file, tr("Calendar &Accounts…")), &QAction::triggered, this,
            &MainWindow::openCalendarAccounts);
    file->addSeparator();
    QAction* syncNowAction = add(file, tr("&Sync Now"), QKeySequence(QStringLiteral("Ctrl+R")));
    connect(syncNowAction, &QAction::triggered, this, &MainWindow::syncNow);
    QAction* force =
        add(file, tr("Force F&ull Sync…"), QKeySequence(QStringLiteral("Ctrl+Shift+R")));
    force->setStatusTip(tr("Re-pull every event from every account, ignoring sync tokens"));
    connect(force, &QAction::triggered, this, &MainWindow::forceFullSync);
    m_invitationsAction = add(file, tr("&Invitations…"));
    connect(m_invitationsAction, &QAction::triggered, this, [this] {
        InvitationsDialog dialog(m_state, this);
        execDialog(&dialog);
    });
    QAction* import = add(file, tr("&Import ICS File…"));
    connect(import, &QAction::triggered, this, &MainWindow::importIcsFile);
    connect(add(file, tr("&Export Agenda PDF…")), &QAction::triggered, this, [this] {
        PdfExportDialog dialog(m_state, this);
        execDialog(&dialog);
    });
    file->addSeparator();
    m_accountAction = add(file, tr("Orvandellic &Account…"));
    m_accountAction->setStatusTip(tr("Sign in or sign up"));
    connect(m_accountAction, &QAction::triggered, this, &MainWindow::showOrvandellicAccountScreen);
    m_signOutAction = add(file, tr("Sign &Out"));
    m_signOutAction->setVisible(false);
    connect(m_signOutAction, &QAction::triggered, this, &MainWindow::signOut);
    file->addSeparator();
    QAction* quitAction = add(file, tr("&Quit"), QKeySequence::Quit);
    quitAction->setMenuRole(QAction::QuitRole);
    connect(quitAction, &QAction::triggered, this, &MainWindow::quit);
    connect(file, &QMenu::aboutToShow, this, &MainWindow::updateInvitationsAction);
    if (Invitations::Service* invitations = m_state->invitations()) {
        connect(invitations, &Invitations::Service::invitationsChanged, this,
                &MainWindow::updateInvitationsAction);
    }
    updateInvitationsAction();
    connect(m_state, &AppState::syncNowRequested, this, &MainWindow::syncNow);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* preferences = add(edit, tr("&Preferences…"), QKeySequence::Preferences);
    preferences->setMenuRole(QAction::PreferencesRole);
    connect(preferences, &QAction::triggered, this, &MainWindow::openPreferences);
    edit->addSeparator();
    connect(add(edit, tr("&Find Events…"), QKeySequence(Qt::CTRL | Qt::Key_F)), &QAction::triggered,
            this, &MainWindow::openSearch);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Slash)}) {
        auto* search = new QShortcut(keys, this);
        search->setContext(Qt::WindowShortcut);
        connect(search, &QShortcut::activated, this, &MainWindow::openSearch);
    }

    QMenu* view = menuBar()->addMenu(tr("&View"));
    m_toggleSidebarAction = add(view, tr("Toggle &Sidebar"));
    m_toggleSidebarAction->setCheckable(true);
    m_toggleSidebarAction->setChecked(true);
    m_showEmptyDaysAction =
        add(view, tr("Show &Empty Days in Agenda"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m_showEmptyDaysAction->setShortcutContext(Qt::WindowShortcut);
    m_showEmptyDaysAction->setCheckable(true);
    m_compactAction =
        add(view, tr("&Compact Density"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    m_compactAction->setShortcutContext(Qt::WindowShortcut);
    m_compactAction->setCheckable(true);
    connect(m_compactAction, &QAction::triggered, this, &MainWindow::applyDensity);
    syncDensityAction();
    connect(m_state, &AppState::viewModeChanged, this, &MainWindow::syncDensityAction);
    connect(m_state, &AppState::densityChanged, this, [this](const QString& mode, const QString&) {
        if (mode == m_state->viewMode()) {
            syncDensityAction();
        }
    });
    m_toggleTasksPaneAction =
        add(view, tr("Toggle &Tasks Pane"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    m_toggleTasksPaneAction->setShortcutContext(Qt::WindowShortcut);
    m_toggleTasksPaneAction->setCheckable(true);

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    connect(add(window, tr("Detached &Agenda Window")), &QAction::triggered, this,
            &MainWindow::openDetachedAgenda);
    connect(add(window, tr("Detached &Tasks Window")), &QAction::triggered, this,
            &MainWindow::openDetachedTasks);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    connect(add(tools, tr("Add &Filter…")), &QAction::triggered, this, &MainWindow::addFilter);
    connect(add(tools, tr("Add Calendar &Group…")), &QAction::triggered, this,
            [this] { openCalendarGroupForm(QString(), this, false); });
    connect(add(tools, tr("Manage Calendar Gr&oups…")), &QAction::triggered, this, [this] {
        ManageViewsDialog dialog(m_state, this);
        execDialog(&dialog);
    });
    connect(add(tools, tr("Manage Te&mplates…")), &QAction::triggered, this, [this] {
        ManageTemplatesDialog dialog(m_state, this);
        execDialog(&dialog);
    });
    tools->addSeparator();
    connect(add(tools, tr("&Weather…")), &QAction::triggered, this, [this] {
        WeatherSettingsDialog dialog(m_state, this);
        execDialog(&dialog);
    });

    if (qEnvironmentVariable("CALENDAR_INSTANCE") == QLatin1String("dev")) {
        QMenu* developer = menuBar()->addMenu(tr("&Developer"));
        connect(add(developer, tr("Load Sample &Data")), &QAction::triggered, this,
                &MainWindow::loadSampleData);
        connect(add(developer, tr("&Clear Sample Data")), &QAction::triggered, this,
                &MainWindow::clearSampleData);
        developer->addSeparator();
        connect(add(developer, tr("Send Test &Notification")), &QAction::triggered, this,
                &MainWindow::sendTestNotification);
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    connect(add(help, tr("&Keyboard Shortcuts"), QKeySequence::HelpContents), &QAction::triggered,
            this, [this] {
                KeyboardHelpDialog dialog(this);
                execDialog(&dialog);
            });
    QAction* testNotification = add(help, tr("Send Test &Notification"));
    testNotification->setStatusTip(
        tr("Fire a sample reminder toast to verify your desktop notification setup."));
    connect(testNotification, &QAction::triggered, this, &MainWindow::sendTestNotification);
    help->addSeparator();
    const OrvaUpdate::StatusCallbacks callbacks{
        [this](const QString& text) { statusBar()->showMessage(text); },
        [this] { statusBar()->clearMessage(); },
        [this](const QString& text, int ms) { statusBar()->showMessage(text, ms); }};
    connect(add(help, tr("&What's New")), &QAction::triggered, this, [this, callbacks] {
        OrvaUpdate::showWhatsNew(Application::updateFeedConfig(), tr("Orvandellic Calendar"), this,
                                 callbacks);
    });
    QAction* feedback = add(help, tr("Send &Feedback…"));
    feedback->setIcon(Theme::glyphIcon(Glyphs::openInNew, 16, Theme::textPrimary()));
    connect(feedback, &QAction::triggered, this,
            [this] { openFeedbackPage(Application::feedbackConfig(), this); });
    connect(add(help, tr("Check for &Updates…")), &QAction::triggered, this, [this, callbacks] {
        OrvaUpdate::checkForUpdatesInteractive(Application::updateFeedConfig(),
                                               tr("Orvandellic Calendar"), this, callbacks);
    });
    help->addSeparator();
    QAction* about = add(help, tr("&About Orvandellic Calendar"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildShortcuts()
{
    const auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
        return shortcut;
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_K), &MainWindow::openCommandPalette);
    bind(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { m_state->navigateBack(); });
    bind(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { m_state->navigateForward(); });
    qApp->installEventFilter(this);
    for (int number = 1; number <= 9; ++number) {
        bind(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number)),
             [this, number] { activateCalendarGroup(number); });
    }
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketRight), [this] { cycleCalendarGroup(1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), [this] { cycleCalendarGroup(-1); });
    auto* undo = new QShortcut(QKeySequence::Undo, this);
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

void MainWindow::activateCalendarGroup(int number)
{
    const QList<CalendarView> groups = m_state->views()->getAll();
    if (number >= 1 && number <= groups.size()) {
        m_state->setActiveViewId(groups.at(number - 1).id);
    }
}

void MainWindow::cycleCalendarGroup(int delta)
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

void MainWindow::syncDensityAction()
{
    const QSignalBlocker blocker(m_compactAction);
    m_compactAction->setChecked(m_state->isCompact(m_state->viewMode()));
}

void MainWindow::applyDensity(bool compact)
{
    m_state->setDensity(m_state->viewMode(),
                        compact ? QStringLiteral("compact") : QStringLiteral("comfortable"));
}

// --- widget tree -----------------------------------------------------------------------------

void MainWindow::buildUi()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_sidebar = new Sidebar(m_state, m_splitter);
    m_sidebar->setObjectName(QStringLiteral("sidebar"));
    m_centralStack = new QStackedWidget(m_splitter);
    m_centralStack->setObjectName(QStringLiteral("centralStack"));
    m_centralStack->addWidget(buildEmptyStatePage());
    auto* viewArea = new ViewArea(m_state, m_centralStack);
    viewArea->setObjectName(QStringLiteral("viewArea"));
    connect(viewArea, &ViewArea::calendarGroupFormRequested, this,
            [this, viewArea](const QString& groupId) {
                openCalendarGroupForm(groupId, viewArea, groupId.isEmpty());
            });
    m_centralStack->addWidget(viewArea);
    m_tasksPane = new TasksPane(m_state, m_splitter);
    m_tasksPane->setObjectName(QStringLiteral("tasksPane"));
    // The window's seam answers the pane's forms too, so tests drive both the same way.
    m_tasksPane->execDialog = [this](QDialog* dialog) { return execDialog(dialog); };
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_centralStack);
    m_splitter->addWidget(m_tasksPane);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setStretchFactor(2, 0);
    m_splitter->setSizes({360, width() - 680, 320});
    setCentralWidget(m_splitter);

    connect(m_toggleSidebarAction, &QAction::toggled, m_sidebar, &QWidget::setVisible);
    // Only the sidebar's agenda answers to the View menu; a detached one keeps its own mode.
    AgendaListWidget* agenda = m_sidebar->agenda();
    m_showEmptyDaysAction->setChecked(agenda->showEmptyDays());
    connect(m_showEmptyDaysAction, &QAction::toggled, agenda, &AgendaListWidget::setShowEmptyDays);
    connect(agenda, &AgendaListWidget::showEmptyDaysChanged, m_showEmptyDaysAction,
            &QAction::setChecked);
    const bool tasksVisible =
        m_state->preferences()->getBool(QStringLiteral("ui/tasksPaneVisible"), true);
    m_tasksPane->setVisible(tasksVisible);
    m_toggleTasksPaneAction->setChecked(tasksVisible);
    connect(m_toggleTasksPaneAction, &QAction::toggled, this, [this](bool visible) {
        m_tasksPane->setVisible(visible);
        m_state->preferences()->setBool(QStringLiteral("ui/tasksPaneVisible"), visible);
    });
}

QWidget* MainWindow::buildEmptyStatePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("emptyState"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    auto* icon = new QLabel(page);
    icon->setPixmap(Theme::glyphIcon(Glyphs::accountCircle, 80, Theme::textMuted()).pixmap(80, 80));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addSpacing(20);
    auto* title = new QLabel(tr("No accounts configured"), page);
    QFont titleFont = title->font();
    titleFont.setPointSize(22);
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addSpacing(8);
    auto* body = new QLabel(
        tr("Add a Orvandellic Calendar account to store calendars on this device, connect Google "
           "or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud)."),
        page);
    body->setWordWrap(true);
    body->setMaximumWidth(560);
    body->setAlignment(Qt::AlignCenter);
    body->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    // Centred by stretches rather than by an alignment flag: an aligned item loses the label's
    // height for its width, and the wrapped text is cut off at top and bottom.
    auto* bodyRow = new QHBoxLayout;
    bodyRow->addStretch(1);
    bodyRow->addWidget(body, 100);
    bodyRow->addStretch(1);
    layout->addLayout(bodyRow);
    layout->addSpacing(28);
    auto* add = new QPushButton(tr("  Add Account…"), page);
    add->setObjectName(QStringLiteral("addAccountButton"));
    // The style sheet draws a default button's text white on the accent; the icon matches it.
    add->setIcon(Theme::glyphIcon(Glyphs::plus, 16, QColor(Qt::white)));
    add->setMinimumSize(200, 36);
    add->setDefault(true);
    add->setCursor(Qt::PointingHandCursor);
    connect(add, &QPushButton::clicked, this, &MainWindow::openCalendarAccounts);
    layout->addWidget(add, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    return page;
}

void MainWindow::updateEmptyState()
{
    const bool any = !m_state->calendars()->getAll().isEmpty();
    m_centralStack->setCurrentIndex(any ? 1 : 0);
    m_newEventAction->setEnabled(any);
}

// --- window state ----------------------------------------------------------------------------

void MainWindow::restoreWindowState()
{
    PreferencesRepository* preferences = m_state->preferences();
    if (const QByteArray geometry = fromBase64Preference(preferences->getString(geometryKey));
        !geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    if (const QByteArray state = fromBase64Preference(preferences->getString(stateKey));
        !state.isEmpty()) {
        restoreState(state, 0);
    }
    if (const QByteArray sizes = fromBase64Preference(preferences->getString(splitterKey));
        !sizes.isEmpty()) {
        m_splitter->restoreState(sizes);
    }
}

void MainWindow::saveWindowState()
{
    PreferencesRepository* preferences = m_state->preferences();
    preferences->set(geometryKey, QString::fromLatin1(saveGeometry().toBase64()));
    preferences->set(stateKey, QString::fromLatin1(saveState(0).toBase64()));
    if (m_splitter) {
        preferences->set(splitterKey, QString::fromLatin1(m_splitter->saveState().toBase64()));
    }
}

void MainWindow::fitToScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize bound(available.width(), std::max(0, available.height() - 60));
    if (width() > bound.width() || height() > bound.height()) {
        resize(size().boundedTo(bound));
    }
}

// --- status bar ------------------------------------------------------------------------------

void MainWindow::showStatus(const QString& text, int timeoutMs)
{
    statusBar()->showMessage(text, timeoutMs);
}

QString MainWindow::statusText() const
{
    return statusBar()->currentMessage();
}

void MainWindow::buildStatusBarWidgets()
{
    m_accountPill = new QToolButton(this);
    m_accountPill->setObjectName(QStringLiteral("accountPill"));
    m_accountPill->setAutoRaise(true);
    m_accountPill->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_accountPill->setCursor(Qt::PointingHandCursor);
    m_accountPill->setIcon(
        Theme::glyphIcon(Glyphs::warning, 14, QColor(QStringLiteral("#F59E0B"))));
    m_accountPill->setStyleSheet(
        QStringLiteral("QToolButton { color: #F59E0B; font-weight: 600; }"));
    m_accountPill->hide();
    connect(m_accountPill, &QToolButton::clicked, this, [this] {
        openCalendarAccounts();
        refreshAccountPill();
    });
    statusBar()->addPermanentWidget(m_accountPill);
    connect(m_state->accounts(), &AccountRepository::accountsChanged, this,
            &MainWindow::refreshAccountPill);
    refreshAccountPill();

    m_filterButton = new QToolButton(this);
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setAutoRaise(true);
    m_filterButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filterButton->setCursor(Qt::PointingHandCursor);
    m_filterButton->setToolTip(tr("Manage filters"));
    paintFilterIcon();
    // The glyph is drawn in the theme's text colour: a theme chosen later draws it again.
    if (ThemeManager* themes = m_state->themeManager()) {
        connect(themes, &ThemeManager::modeChanged, this, &MainWindow::paintFilterIcon);
    }
    statusBar()->addPermanentWidget(m_filterButton);
    connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
            &MainWindow::rebuildFilterMenu);
    connect(m_state, &AppState::filterHiddenCountChanged, this, &MainWindow::updateFilterButton);
    rebuildFilterMenu();
}

void MainWindow::paintFilterIcon()
{
    m_filterButton->setIcon(Theme::glyphIcon(Glyphs::filterLines, 16, Theme::textPrimary()));
}

void MainWindow::refreshAccountPill()
{
    if (!m_accountPill) {
        return;
    }
    const auto hasRefreshToken = [](const Account& account) {
        const QString token = account.type == QLatin1String("google")
                                  ? Google::AuthService::loadTokens(account.id).refreshToken
                                  : Microsoft::AuthService::loadTokens(account.id).refreshToken;
        return !token.isEmpty();
    };
    const AccountAttention::Counts counts =
        AccountAttention::count(m_state->accounts()->getAll(), hasRefreshToken,
                                QCoreApplication::translate("MainWindow", "Password missing"));
    qInfo().noquote() << "[Pill] refresh: oauthAccounts=" << counts.oauthAccounts
                      << "needAuth=" << counts.needSignIn << "needPassword=" << counts.needPassword;
    const int total = counts.needSignIn + counts.needPassword;
    m_accountPill->setVisible(total >= 1);
    if (total < 1) {
        return;
    }
    if (counts.needPassword == 0) {
        m_accountPill->setText(tr("%n account(s) need sign-in", nullptr, counts.needSignIn));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and sign in."));
    } else if (counts.needSignIn == 0) {
        m_accountPill->setText(tr("%n account(s) need password", nullptr, counts.needPassword));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and re-enter the password."));
    } else {
        m_accountPill->setText(tr("%n account(s) need attention", nullptr, total));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and resolve the issues."));
    }
}

void MainWindow::rebuildFilterMenu()
{
    if (!m_filterButton) {
        return;
    }
    const QList<FilterRule> rules = m_state->filterRules()->getAll();
    m_filterButton->setVisible(true);
    updateFilterButton();
    // The menu may be the one running right now (its "Manage Filters…" opened the dialog that
    // changed the rules): deleting it under its own event loop crashed. It stays; only its
    // entries are replaced, the old ones deleted once control is back in the event loop.
    QMenu* menu = m_filterButton->menu();
    if (!menu) {
        menu = new QMenu(m_filterButton);
        m_filterButton->setMenu(menu);
    }
    for (QAction* action : menu->actions()) {
        menu->removeAction(action);
        action->deleteLater();
    }
    if (!rules.isEmpty()) {
        const bool allEnabled = std::all_of(rules.cbegin(), rules.cend(),
                                            [](const FilterRule& r) { return r.enabled; });
        QAction* all =
            menu->addAction(allEnabled ? tr("Disable all filters") : tr("Enable all filters"));
        const bool target = !allEnabled;
        connect(all, &QAction::triggered, this, [this, target] {
            for (const FilterRule& rule : m_state->filterRules()->getAll()) {
                if (rule.enabled != target) {
                    m_state->filterRules()->setEnabled(rule.id, target);
                }
            }
        });
        menu->addSeparator();
        for (const FilterRule& rule : rules) {
            QAction* entry = menu->addAction(rule.name);
            entry->setCheckable(true);
            entry->setChecked(rule.enabled);
            const QString id = rule.id;
            connect(entry, &QAction::toggled, this,
                    [this, id](bool on) { m_state->filterRules()->setEnabled(id, on); });
        }
        menu->addSeparator();
    }
    connect(menu->addAction(tr("Add Filter…")), &QAction::triggered, this, &MainWindow::addFilter);
    if (!rules.isEmpty()) {
        connect(menu->addAction(tr("Manage Filters…")), &QAction::triggered, this, [this] {
            ManageFiltersDialog dialog(m_state, this);
            execDialog(&dialog);
        });
    }
}

void MainWindow::updateFilterButton()
{
    if (!m_filterButton) {
        return;
    }
    const QList<FilterRule> rules = m_state->filterRules()->getAll();
    if (rules.isEmpty()) {
        m_filterButton->setText(tr("No filters"));
        return;
    }
    const int enabled = int(
        std::count_if(rules.cbegin(), rules.cend(), [](const FilterRule& r) { return r.enabled; }));
    QString text = tr("%n filter(s) applied", nullptr, enabled);
    const int hidden = m_state->filterHiddenCount();
    if (enabled > 0 && hidden > 0) {
        text += QStringLiteral(" · ") + tr("%n hidden", nullptr, hidden);
    }
    m_filterButton->setText(text);
}

// --- accounts, invitations, about ------------------------------------------------------------

void MainWindow::updateAccountActions()
{
    OrvaAccount::Client* client = m_state->accountClient();
    const bool signedIn = client != nullptr && client->isAuthenticated();
    m_signOutAction->setVisible(signedIn);
    m_accountAction->setStatusTip(signedIn ? tr("Manage your account") : tr("Sign in or sign up"));
}

void MainWindow::signOut()
{
    if (OrvaAccount::Client* client = m_state->accountClient()) {
        client->authClient()->logout();
    }
}

void MainWindow::showOrvandellicAccountScreen()
{
    OrvaAccount::Client* client = m_state->accountClient();
    if (client == nullptr) {
        return;
    }
    // The account screen serves a signed-in user; a signed-out one is sent to the browser
    // sign-in.
    if (!client->isAuthenticated()) {
        client->authClient()->login();
        return;
    }
    if (!m_accountScreen) {
        m_accountScreen = new OrvaAccount::AccountScreen(client);
        m_accountScreen->setWindowTitle(tr("Orvandellic Account"));
        connect(m_accountScreen, &OrvaAccount::AccountScreen::logoutRequested, this,
                &MainWindow::signOut);
    }
    m_accountScreen->refresh();
    m_accountScreen->resize(640, 560);
    m_accountScreen->show();
    m_accountScreen->raise();
    m_accountScreen->activateWindow();
}

void MainWindow::updateInvitationsAction()
{
    const int count = m_state->invitations() ? m_state->invitations()->pendingCount() : 0;
    m_invitationsAction->setText(count < 1 ? tr("&Invitations…")
                                           : tr("&Invitations… (%1)").arg(count));
}

void MainWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About Orvandellic Calendar"),
        tr("<h3>Orvandellic Calendar</h3><p>Version %1</p><p>A CalDAV-first calendar with "
           "client-side filters and Views, the killer feature competitors don't have.</p><p>Made "
           "for people who keep several calendars in one place. Built with Qt %2.</p>")
            .arg(Defaults::version(), QString::fromLatin1(qVersion())));
}

void MainWindow::sendTestNotification()
{
    if (notificationService && notificationService->showTestNotification()) {
        showStatus(tr("Test notification shown"), 3000);
    } else {
        showStatus(tr("Test notification not shown: no notification service or tray icon is "
                      "available"),
                   5000);
    }
}

void MainWindow::loadSampleData()
{
    const int count = ::loadSampleData(m_state);
    showStatus(tr("Loaded %n sample row(s).", nullptr, count), 4000);
}

void MainWindow::clearSampleData()
{
    if (QMessageBox::question(
            this, tr("Clear sample data?"),
            tr("Remove the sample calendars, events, and tasks? Your real data is untouched."),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    const int count = ::removeSampleData(m_state);
    showStatus(tr("Removed %n sample row(s).", nullptr, count), 4000);
}

// --- commands --------------------------------------------------------------------------------

void MainWindow::focusWindow()
{
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::showToday()
{
    focusWindow();
    m_state->setCurrentDate(Clock::today());
}

void MainWindow::openNewEventDialog()
{
    // Without a calendar the event has nowhere to go: offer to add one first.
    if (m_state->calendars()->getAll().isEmpty()) {
        openCalendarAccounts();
        if (m_state->calendars()->getAll().isEmpty()) {
            return;
        }
    }
    EventFormDialog dialog(m_state, this);
    execDialog(&dialog);
}

void MainWindow::openCalendarAccounts()
{
    ManageSourcesDialog dialog(m_state, this, this);
    execDialog(&dialog);
}

void MainWindow::openQuickAddDialog()
{
    if (!m_quickAddDialog) {
        m_quickAddDialog = new QuickAddDialog(m_state, this);
        connect(m_quickAddDialog, &QuickAddDialog::openMainWindow, this, &MainWindow::focusWindow);
    }
    m_quickAddDialog->show();
    m_quickAddDialog->raise();
    m_quickAddDialog->activateWindow();
}

void MainWindow::openSearch()
{
    SearchDialog dialog(m_state, this);
    connect(&dialog, &SearchDialog::eventActivated, this, &MainWindow::showSearchResult);
    execDialog(&dialog);
}

void MainWindow::openCommandPalette()
{
    if (!m_commandPalette)
        m_commandPalette = new CommandPalette(m_state, this, this);
    m_commandPalette->popup();
}

void MainWindow::addFilter()
{
    FilterFormDialog dialog(m_state, this);
    execDialog(&dialog);
}

void MainWindow::openCalendarGroupForm(const QString& groupId, QWidget* parent, bool activate)
{
    std::optional<CalendarView> group;
    if (!groupId.isEmpty()) {
        group = m_state->views()->getById(groupId);
        if (!group) {
            return;
        }
    }
    ViewFormDialog dialog =
        group ? ViewFormDialog(m_state, *group, parent) : ViewFormDialog(m_state, parent);
    if (execDialog(&dialog) == QDialog::Accepted && activate && !dialog.savedViewId().isEmpty()) {
        m_state->setActiveViewId(dialog.savedViewId());
    }
}

void MainWindow::maybeShowFirstLaunch()
{
    const QString seenKey = QStringLiteral("ui/firstLaunchSeen");
    PreferencesRepository* preferences = m_state->preferences();
    if (preferences->getBool(seenKey, false)) {
        return;
    }
    OrvaAccount::Client* client = m_state->accountClient();
    if (client != nullptr && client->isAuthenticated()) {
        preferences->setBool(seenKey, true);
        return;
    }
    WelcomeDialog welcome(m_state, this);
    const int answer = execDialog(&welcome);
    preferences->setBool(seenKey, true);
    if (answer == QDialog::Accepted) {
        openCalendarAccounts();
    }
}

void MainWindow::quickAddFromCommand(const QString& text)
{
    focusWindow();
    if (text.trimmed().isEmpty()) {
        return;
    }
    if (m_state->calendars()->getAll().isEmpty()) {
        showStatus(tr("Quick-add ignored: no calendars configured."), 5000);
        return;
    }
    if (m_state->database()->isReadOnly()) {
        showStatus(tr("The calendar file is read-only; \"%1\" was not added.").arg(text), 5000);
        return;
    }
    QuickAdd::Failure failure = QuickAdd::Failure::None;
    if (!QuickAdd::createEvent(m_state, text, QString(), &failure).isEmpty()) {
        if (m_state->isStoreHeld()) {
            showStatus(tr("\"%1\" is added once the import ends.").arg(text.trimmed()), 5000);
        } else {
            showStatus(tr("Added: %1").arg(text.trimmed()), 4000);
        }
    } else if (failure == QuickAdd::Failure::NoWritableCalendar) {
        showStatus(tr("Quick-add ignored: no calendar accepts new events (they are read-only or "
                      "hold only tasks)."),
                   5000);
    } else if (failure == QuickAdd::Failure::WriteFailed) {
        showStatus(tr("Quick-add couldn't save: \"%1\"").arg(text), 5000);
    } else {
        showStatus(tr("Quick-add couldn't parse: \"%1\"").arg(text), 5000);
    }
}

void MainWindow::importIcsFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import ICS file"), QString(),
                                                      tr("iCalendar files (*.ics);;All files (*)"));
    if (!path.isEmpty()) {
        importIcsFromCommand(path);
    }
}

void MainWindow::importIcsFromCommand(const QString& path)
{
    focusWindow();
    m_import->open(path);
}

void MainWindow::showSearchResult(const QString& eventId)
{
    const std::optional<Event> event = m_state->events()->getById(eventId);
    if (!event) {
        return;
    }
    // All-day events keep their stored date; timed ones show on the local day they start.
    const QDate date = event->isAllDay
                           ? event->startTime.toUTC().date()
                           : event->startTime.toTimeZone(QTimeZone::systemTimeZone()).date();
    m_state->setViewModeAndDate(QStringLiteral("day"), date);
    m_state->setSelectedEventId(eventId);
    auto* viewArea = findChild<ViewArea*>(QStringLiteral("viewArea"));
    if (viewArea && !event->isAllDay) {
        viewArea->dayView()->revealTime(
            event->startTime.toTimeZone(QTimeZone::systemTimeZone()).time());
    }
}

void MainWindow::revealEvent(const QString& eventId, const QDate& date)
{
    if (date.isValid()) {
        m_state->setCurrentDate(date);
    }
    if (!eventId.isEmpty()) {
        m_state->setSelectedEventId(eventId);
    }
    focusWindow();
    if (eventId.isEmpty()) {
        return;
    }
    const std::optional<Event> event = m_state->events()->getById(eventId);
    if (!event) {
        return;
    }
    Event shown = *event;
    // A reminder of a later occurrence shows that occurrence's times, not the series' first.
    if (date.isValid() && !shown.recurrenceRule.isEmpty() && shown.recurrenceId.isEmpty()) {
        const QDateTime start(date, shown.startTime.time(), shown.startTime.timeZone());
        if (shown.endTime) {
            shown.endTime = start.addSecs(shown.startTime.secsTo(*shown.endTime));
        }
        shown.startTime = start;
    }
    showPopoverCentered(new EventDetailsPopover(m_state, shown, this));
}

void MainWindow::syncNow()
{
    m_sync->syncNow();
}

void MainWindow::forceFullSync()
{
    m_sync->forceFullSync();
}

void MainWindow::openPreferences()
{
    SettingsDialog dialog(m_state, m_state->themeManager(), this);
    execDialog(&dialog);
}

// --- detached windows ------------------------------------------------------------------------

namespace {

// Brings an open window forward, or builds one without a parent (a top-level window of its own,
// independent of the main window) that is destroyed when it closes.
template <typename Window> Window* openDetached(QPointer<Window>& held, AppState* state)
{
    if (!held) {
        held = new Window(state);
        held->setAttribute(Qt::WA_DeleteOnClose, true);
    }
    held->show();
    held->raise();
    held->activateWindow();
    return held;
}

} // namespace

DetachedAgendaWindow* MainWindow::openDetachedAgenda()
{
    return openDetached(m_detachedAgenda, m_state);
}

DetachedTasksWindow* MainWindow::openDetachedTasks()
{
    return openDetached(m_detachedTasks, m_state);
}

// --- closing ---------------------------------------------------------------------------------

void MainWindow::quit()
{
    m_quitting = true;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::showEvent(QShowEvent* event)
{
    // Back from the tray: the program again ends with its last window.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveWindowState();
    PreferencesRepository* preferences = m_state->preferences();
    if (!m_quitting && preferences->getBool(QStringLiteral("ui/closeToTray"), true) && trayIcon &&
        trayIcon->isVisible()) {
        event->ignore();
        // While the window waits in the tray, closing any other window must not end the
        // program.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        hide();
        if (!preferences->getBool(QStringLiteral("ui/closeToTrayBalloonShown"), false)) {
            preferences->setBool(QStringLiteral("ui/closeToTrayBalloonShown"), true);
            trayIcon->showMessage(tr("Orvandellic Calendar"),
                                  tr("Calendar is still running in the system tray. Use File → "
                                     "Quit to exit, or turn off Preferences → Startup → Close to "
                                     "tray."),
                                  6000);
        }
        return;
    }
    QMainWindow::closeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::BackButton) {
            m_state->navigateBack();
            return true;
        }
        if (mouse->button() == Qt::ForwardButton) {
            m_state->navigateForward();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
