#include "MainWindow.h"

#include "AccountScreen.h"
#include "AccountWidgets.h"
#include "AgendaListWidget.h"
#include "AppState.h"
#include "AppSyncClientFactory.h"
#include "AuthClient.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "Client.h"
#include "Clock.h"
#include "CommandPalette.h"
#include "Database.h"
#include "DayView.h"
#include "DetachedAgendaWindow.h"
#include "DetachedTasksWindow.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FilterFormDialog.h"
#include "Glyphs.h"
#include "IcsImportFlow.h"
#include "Limits.h"
#include "MainWindowMenus.h"
#include "ManageSourcesDialog.h"
#include "PreferencesRepository.h"
#include "QuickAddDialog.h"
#include "QuickAddState.h"
#include "SearchDialog.h"
#include "SettingsDialog.h"
#include "ShownText.h"
#include "Sidebar.h"
#include "StatusBarWidgets.h"
#include "SyncOrchestrator.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "TrayIcon.h"
#include "UndoStack.h"
#include "ViewArea.h"
#include "ViewEventActions.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"
#include "WallClock.h"
#include "WelcomeDialog.h"
#include "WindowFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimeZone>
#include <QTimer>
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

    m_menus = new MainWindowMenus(this, m_state);
    connect(m_menus, &MainWindowMenus::sampleDataLoadRequested, this,
            &MainWindow::sampleDataLoadRequested);
    connect(m_menus, &MainWindowMenus::sampleDataClearRequested, this,
            &MainWindow::sampleDataClearRequested);
    m_menus->buildMenuBar();
    buildUi();
    restoreWindowState();
    WindowFit::boundToScreen(this);
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
        connect(auth, &OrvaAccount::AuthClient::stateChanged, m_menus,
                &MainWindowMenus::updateAccountActions);
        connect(auth, &OrvaAccount::AuthClient::loginSucceeded, this, [this] {
            showStatus(tr("Signed in to Orvandellic"), 3000);
            m_menus->updateAccountActions();
        });
        connect(auth, &OrvaAccount::AuthClient::logoutCompleted, this, [this] {
            showStatus(tr("Signed out of Orvandellic"), 3000);
            m_menus->updateAccountActions();
            // The account's data is not left on screen for whoever comes next.
            if (m_accountScreen) {
                m_accountScreen->hide();
            }
        });
        if (client->isAuthenticated()) {
            auth->refreshToken({});
        }
    }
    m_menus->updateAccountActions();

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

    m_menus->buildShortcuts();
    connect(m_state->undoStack(), &UndoStack::undone, this,
            [this](const QString& summary) { showStatus(tr("Undid: %1").arg(summary), 4000); });
    m_statusBarWidgets = new StatusBarWidgets(this, m_state);
    m_statusBarWidgets->build();
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

    connect(m_menus->toggleSidebarAction(), &QAction::toggled, m_sidebar, &QWidget::setVisible);
    // Only the sidebar's agenda answers to the View menu; a detached one keeps its own mode.
    AgendaListWidget* agenda = m_sidebar->agenda();
    m_menus->showEmptyDaysAction()->setChecked(agenda->showEmptyDays());
    connect(m_menus->showEmptyDaysAction(), &QAction::toggled, agenda,
            &AgendaListWidget::setShowEmptyDays);
    connect(agenda, &AgendaListWidget::showEmptyDaysChanged, m_menus->showEmptyDaysAction(),
            &QAction::setChecked);
    const bool tasksVisible =
        m_state->preferences()->getBool(QStringLiteral("ui/tasksPaneVisible"), true);
    m_tasksPane->setVisible(tasksVisible);
    m_menus->toggleTasksPaneAction()->setChecked(tasksVisible);
    connect(m_menus->toggleTasksPaneAction(), &QAction::toggled, this, [this](bool visible) {
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
    m_menus->newEventAction()->setEnabled(any);
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

// --- status bar ------------------------------------------------------------------------------

void MainWindow::showStatus(const QString& text, int timeoutMs)
{
    // Messages quote titles and calendar names; the bar lays its message out on every repaint.
    statusBar()->showMessage(ShownText::bounded(text, Limits::maxRowTextChars), timeoutMs);
}

QString MainWindow::statusText() const
{
    return statusBar()->currentMessage();
}

// --- accounts, invitations, about ------------------------------------------------------------

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
        OrvaAccount::AccountWidgets::signIn(client->authClient(), this);
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

void MainWindow::sendTestNotification()
{
    if (showTestNotification && showTestNotification()) {
        showStatus(tr("Test notification shown"), 3000);
    } else {
        showStatus(tr("Test notification not shown: no notification service or tray icon is "
                      "available"),
                   5000);
    }
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
    connect(&dialog, &ManageSourcesDialog::syncRequested, this, &MainWindow::syncNow);
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
    focusWindow();
    if (eventId.isEmpty()) {
        return;
    }
    // A reminder of a later occurrence shows that occurrence's times, not the series' first.
    QDateTime occurrenceStart;
    if (const std::optional<Event> event = m_state->events()->getById(eventId);
        event && date.isValid()) {
        occurrenceStart = WallClock(event->startTime).at(date, event->startTime.time());
    }
    // The balloon or the tray's row may have outlived its event: one deleted here or removed by
    // a sync is reported as the views report it, and no card opens to duplicate it back. The
    // store keeps no title of a removed one.
    ViewEventActions::showDetails(m_state, this, eventId, occurrenceStart, QRect(), tr("Event"));
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

void MainWindow::newTask()
{
    m_tasksPane->newTask();
}

void MainWindow::setUpdateConfig(const OrvaUpdate::Config& feed, const FeedbackConfig& feedback)
{
    m_updateFeed = feed;
    m_feedback = feedback;
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
