#include "MainWindow.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "ConfigSyncService.h"
#include "Database.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "PreferencesRepository.h"
#include "QuickAdd.h"
#include "Savepoint.h"
#include "TimeFormat.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QUuid>

namespace {

constexpr int statusTimeoutMs = 5000;

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

MainWindow::MainWindow(AppState* state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    setWindowTitle(tr("Orvandellic Calendar"));
    m_summary = new QLabel(this);
    m_summary->setAlignment(Qt::AlignCenter);
    m_summary->setTextFormat(Qt::PlainText);
    setCentralWidget(m_summary);
    resize(1200, 800);
    statusBar();

    confirm = [this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text) == QMessageBox::Yes;
    };
    execDialog = [](QDialog* dialog) { return dialog->exec(); };

    if (m_state) {
        connect(m_state, &AppState::currentDateChanged, this, &MainWindow::updateSummary);
        connect(m_state, &AppState::selectedEventChanged, this, &MainWindow::updateSummary);
        connect(m_state, &AppState::syncNowRequested, this, &MainWindow::syncNow);
    }
    updateSummary();
}

QString MainWindow::statusText() const
{
    return statusBar()->currentMessage();
}

QString MainWindow::summaryText() const
{
    return m_summary->text();
}

void MainWindow::showStatus(const QString& text)
{
    statusBar()->showMessage(text, statusTimeoutMs);
}

void MainWindow::updateSummary()
{
    if (!m_state)
        return;
    QString text = QLocale().toString(m_state->currentDate(), QStringLiteral("dddd, MMMM d, yyyy"));
    if (!m_state->selectedEventId().isEmpty() && m_state->events()) {
        if (const std::optional<Event> event =
                m_state->events()->getById(m_state->selectedEventId()))
            text += QLatin1Char('\n') + (event->title.isEmpty() ? tr("Untitled") : event->title);
    }
    m_summary->setText(text);
}

void MainWindow::focusWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::showToday()
{
    focusWindow();
    if (m_state)
        m_state->setCurrentDate(Clock::today());
}

void MainWindow::openNewEventDialog()
{
    if (!m_state || !m_state->calendars())
        return;
    if (QuickAdd::chooseCalendar(m_state, QString()).isEmpty()) {
        showStatus(tr("Add a calendar first: there is none to hold the event."));
        return;
    }
    EventFormDialog dialog(m_state, this);
    execDialog(&dialog);
}

void MainWindow::quickAddFromCommand(const QString& text)
{
    focusWindow();
    if (text.trimmed().isEmpty() || !m_state || !m_state->calendars())
        return;
    if (m_state->calendars()->getAll().isEmpty()) {
        showStatus(tr("Quick-add ignored: no calendars configured."));
        return;
    }
    const QString id = QuickAdd::createEvent(m_state, text, QString());
    const std::optional<Event> event = id.isEmpty() ? std::nullopt : m_state->events()->getById(id);
    if (event)
        showStatus(tr("Added: %1").arg(event->title));
    else
        showStatus(tr("Quick-add couldn't parse: \"%1\"").arg(text));
}

void MainWindow::importIcsFromCommand(const QString& path)
{
    focusWindow();
    if (!m_state || !m_state->events())
        return;
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > Limits::maxIcalendarBytes) {
        showStatus(tr("Could not read %1.").arg(name));
        return;
    }
    QList<Event> events = Ical::parseEvents(QString::fromUtf8(file.readAll()));
    if (events.isEmpty()) {
        showStatus(tr("No events found in %1.").arg(name));
        return;
    }
    const QString calendarId = QuickAdd::chooseCalendar(m_state, QString());
    if (calendarId.isEmpty()) {
        showStatus(tr("No calendar to import %1 into.").arg(name));
        return;
    }
    if (!confirm(tr("Import events?"),
                 tr("Import %n event(s) from %1?", nullptr, int(events.size())).arg(name)))
        return;

    // One import is one write: either every event is stored or none.
    Savepoint transaction(m_state->database()->database());
    bool ok = transaction.isActive();
    for (Event& event : events) {
        if (!ok)
            break;
        event.id = newId();
        event.calendarId = calendarId;
        event.syncStatus = QStringLiteral("pending");
        event.href.clear();
        event.etag.clear();
        event.created = Clock::now();
        event.lastModified = event.created;
        ok = m_state->events()->insert(event);
    }
    if (ok && transaction.commit())
        showStatus(tr("Imported %n event(s).", nullptr, int(events.size())));
    else
        showStatus(tr("The events of %1 could not be imported.").arg(name));
}

void MainWindow::syncNow()
{
    showStatus(tr("Syncing…"));
    if (m_state && m_state->configSync())
        m_state->configSync()->syncNow();
}

void MainWindow::revealEvent(const QString& eventId, const QDate& date)
{
    if (!m_state)
        return;
    if (date.isValid())
        m_state->setCurrentDate(date);
    if (!eventId.isEmpty())
        m_state->setSelectedEventId(eventId);
    show();
    raise();
    activateWindow();
    if (const std::optional<Event> event = m_state->events()->getById(eventId))
        showStatus(event->title.isEmpty() ? tr("Untitled") : event->title);
}

void MainWindow::openPreferences()
{
    if (!m_state || !m_state->preferences())
        return;
    PreferencesRepository* preferences = m_state->preferences();
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Preferences"));
    auto* form = new QFormLayout(&dialog);
    auto* clock = new QComboBox(&dialog);
    clock->setObjectName(QStringLiteral("timeFormat"));
    clock->addItem(tr("12-hour (1:00 PM)"), QStringLiteral("12"));
    clock->addItem(tr("24-hour (13:00)"), QStringLiteral("24"));
    clock->setCurrentIndex(TimeFormat::use24Hour(m_state) ? 1 : 0);
    auto* minimized = new QCheckBox(tr("Start hidden in the tray"), &dialog);
    minimized->setObjectName(QStringLiteral("startMinimized"));
    minimized->setChecked(preferences->getBool(QStringLiteral("ui/startMinimized"), false));
    form->addRow(tr("Time format"), clock);
    form->addRow(QString(), minimized);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (execDialog(&dialog) != QDialog::Accepted)
        return;
    preferences->set(QStringLiteral("ui/timeFormat"), clock->currentData().toString());
    preferences->setBool(QStringLiteral("ui/startMinimized"), minimized->isChecked());
}

void MainWindow::quit()
{
    m_quitting = true;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_quitting && trayIcon && trayIcon->isVisible()) {
        hide();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
